#include "window/enhancer.h"

#include "window/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>

namespace veltaro {

namespace {

// The choices before the tables: their id (for the settings and --enhance), their name, what
// they do, and how they are made.
struct BuiltIn
{
    const char *id;
    const char *name;        // said in the context "Enhancement"
    const char *description; // too
    Enhancement (*make)();
};
constexpr BuiltIn kBuiltIns[] = {
    {"none", QT_TRANSLATE_NOOP("Enhancement", "原图"), QT_TRANSLATE_NOOP("Enhancement", "图像原样显示"),
     [] { return Enhancement(); }},
    {"invert", QT_TRANSLATE_NOOP("Enhancement", "反相"), QT_TRANSLATE_NOOP("Enhancement", "黑白反转"),
     &Enhancement::invert},
    {"stretch", QT_TRANSLATE_NOOP("Enhancement", "自动对比度"),
     QT_TRANSLATE_NOOP("Enhancement", "把图像灰度的第 2 到第 98 百分位拉伸到 0 到 255"), &Enhancement::stretch},
};
constexpr int kFixed = int(std::size(kBuiltIns));

// The settings' keys, each written once.
const QString kChoiceKey = QStringLiteral("enhancement/choice");
const QString kBrightnessKey = QStringLiteral("enhancement/brightness");
const QString kContrastKey = QStringLiteral("enhancement/contrast");
const QString kGammaKey = QStringLiteral("enhancement/gamma");
// Changes made in a burst (a spin box held down) reach the disk once, this long after the last.
constexpr int kSaveAfterMs = 500;


} // namespace

QStringList Enhancer::folders()
{
    QStringList found;
    const auto add = [&found](const QString &folder) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (!canonical.isEmpty() && QFileInfo(canonical).isDir() && !found.contains(canonical))
            found << canonical;
    };
    // The shipped tables: beside the program (share/ next to its bin/, which a build tree lays
    // out the same way), then in the system's data folders, the most particular last.
    add(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/veltaro/enhancements")));
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QStringList installed = QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                                      QStringLiteral("veltaro/enhancements"),
                                                      QStandardPaths::LocateDirectory);
    std::reverse(installed.begin(), installed.end());
    for (const QString &folder : std::as_const(installed))
        if (user.isEmpty() || !folder.startsWith(user + QLatin1Char('/')))
            add(folder);
    // The user's own, from one folder only, last: a table there replaces a shipped one.
    found << QDir(user).filePath(QStringLiteral("Veltaro/enhancements"));
    return found;
}

Enhancer::Enhancer(const QString &settingsFile, QObject *parent)
    : QObject(parent), m_settings(settingsIn(settingsFile))
{
    m_save.setSingleShot(true);
    m_save.setInterval(kSaveAfterMs);
    m_save.callOnTimeout(this, &Enhancer::save);
    m_tables = loadEnhancementTables(folders(), &m_problems);
    QSettings *settings = m_settings.get();
    const QString chosen = settings->value(kChoiceKey).toString();
    for (int index = 0; index < kFixed + int(m_tables.size()); ++index)
        if (idOf(index) == chosen)
            m_choice = index;
    // A value that is not a number, or not one in its range, is the default: a settings file
    // edited by hand never makes every picture black.
    const auto number = [&](const QString &key, double fallback, double lowest, double highest) {
        bool ok = false;
        const double value = settings->value(key).toDouble(&ok);
        return ok && std::isfinite(value) && value >= lowest && value <= highest ? value : fallback;
    };
    m_adjust.brightness = int(number(kBrightnessKey, 0, -100, 100));
    m_adjust.contrast = int(number(kContrastKey, 0, -100, 100));
    m_adjust.gamma = number(kGammaKey, 1.0, 0.2, 5.0);
}

Enhancer::~Enhancer()
{
    if (m_save.isActive())
        save();
}

QString Enhancer::summaryOf(const QStringList &problems, int atMost)
{
    if (problems.isEmpty())
        return {};
    QStringList shown = problems.mid(0, atMost);
    if (problems.size() > atMost)
        shown << tr("……另有 %n 个", nullptr, int(problems.size() - atMost));
    return tr("%n 个增强表无法使用，已跳过：\n", nullptr, int(problems.size())) +
           shown.join(QLatin1Char('\n'));
}

QString Enhancer::problemWith(const QStringList &problems, const QString &name)
{
    const QRegularExpression file(
        QStringLiteral("\\s%1\\.table[\\s：:]").arg(QRegularExpression::escape(name)));
    for (const QString &problem : problems)
        if (problem.contains(file))
            return problem;
    return {};
}

std::optional<Enhancement> Enhancer::builtIn(const QString &idOrName)
{
    for (const BuiltIn &each : kBuiltIns)
        if (idOrName == QLatin1String(each.id) || idOrName == QString::fromUtf8(each.name) ||
            idOrName == QCoreApplication::translate("Enhancement", each.name))
            return each.make();
    return std::nullopt;
}

QStringList Enhancer::builtInIds()
{
    QStringList ids;
    for (const BuiltIn &each : kBuiltIns)
        ids << QString::fromLatin1(each.id);
    return ids;
}

QString Enhancer::idOf(int index) const
{
    if (index < kFixed)
        return QString::fromLatin1(kBuiltIns[index].id);
    return m_tables[size_t(index - kFixed)]->id;
}

QStringList Enhancer::choiceNames() const
{
    QStringList names;
    for (const BuiltIn &builtIn : kBuiltIns)
        names << QCoreApplication::translate("Enhancement", builtIn.name);
    for (const auto &table : m_tables)
        names << table->name;
    return names;
}

void Enhancer::choose(int index)
{
    if (index < 0 || index >= kFixed + int(m_tables.size()) || index == m_choice)
        return;
    m_choice = index;
    remember();
    emit changed();
}

void Enhancer::step(int by)
{
    const int count = kFixed + int(m_tables.size());
    choose(((m_choice + by) % count + count) % count);
}

void Enhancer::setAdjustments(const Adjustments &adjust)
{
    if (adjust == m_adjust)
        return;
    m_adjust = adjust;
    remember();
    emit changed();
}

Enhancement Enhancer::current() const
{
    Enhancement enhancement = m_choice < kFixed
                                  ? kBuiltIns[m_choice].make()
                                  : Enhancement::table(m_tables[size_t(m_choice - kFixed)]);
    enhancement.setAdjustments(m_adjust);
    return enhancement;
}

QString Enhancer::description() const
{
    if (m_choice < kFixed)
        return QCoreApplication::translate("Enhancement", kBuiltIns[m_choice].description);
    return m_tables[size_t(m_choice - kFixed)]->description;
}

void Enhancer::remember()
{
    m_settings->setValue(kChoiceKey, idOf(m_choice));
    m_settings->setValue(kBrightnessKey, m_adjust.brightness);
    m_settings->setValue(kContrastKey, m_adjust.contrast);
    m_settings->setValue(kGammaKey, m_adjust.gamma);
    m_save.start();
}

void Enhancer::save()
{
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError)
        emit notSaved(tr("无法保存设置到 %1%2")
                          .arg(QDir::toNativeSeparators(m_settings->fileName()),
                               m_settings->status() == QSettings::AccessError
                                   ? tr("：没有写入的权限")
                                   : tr("：文件格式有误")));
}

} // namespace veltaro

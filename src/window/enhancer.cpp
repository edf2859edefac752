#include "window/enhancer.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <QRegularExpression>

#include <cmath>
#include <memory>

namespace veltaro {

namespace {

// The choices before the tables.
constexpr const char16_t *kFixedNames[] = {u"原图", u"反相", u"自动对比度"};
constexpr const char *kFixedIds[] = {"none", "invert", "stretch"};
constexpr int kFixed = 3;

std::unique_ptr<QSettings> settingsIn(const QString &file)
{
    return file.isEmpty() ? std::make_unique<QSettings>(QStringLiteral("Veltaro"), QStringLiteral("Veltaro"))
                          : std::make_unique<QSettings>(file, QSettings::IniFormat);
}

} // namespace

QStringList Enhancer::folders()
{
    QStringList found;
    // The tables beside the sources, for a program run from its build tree.
    if (const QString beside = QStringLiteral(VELTARO_SOURCE_DATA "/enhancements"); QDir(beside).exists())
        found << beside;
    QStringList installed = QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                                      QStringLiteral("veltaro/enhancements"),
                                                      QStandardPaths::LocateDirectory);
    std::reverse(installed.begin(), installed.end()); // the most particular last
    found << installed;
    found << QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                 .filePath(QStringLiteral("Veltaro/enhancements"));
    return found;
}

Enhancer::Enhancer(const QString &settingsFile, QObject *parent)
    : QObject(parent), m_settingsFile(settingsFile)
{
    m_tables = loadEnhancementTables(folders(), &m_problems);
    const auto settings = settingsIn(m_settingsFile);
    const QString chosen = settings->value(QStringLiteral("enhancement/choice")).toString();
    for (int index = 0; index < kFixed + int(m_tables.size()); ++index)
        if (idOf(index) == chosen)
            m_choice = index;
    // A value that is not a number, or not one in its range, is the default: a settings file
    // edited by hand never makes every picture black.
    const auto number = [&](const char *key, double fallback, double lowest, double highest) {
        bool ok = false;
        const double value = settings->value(QLatin1String(key)).toDouble(&ok);
        return ok && std::isfinite(value) && value >= lowest && value <= highest ? value : fallback;
    };
    m_adjust.brightness = int(number("enhancement/brightness", 0, -100, 100));
    m_adjust.contrast = int(number("enhancement/contrast", 0, -100, 100));
    m_adjust.gamma = number("enhancement/gamma", 1.0, 0.2, 5.0);
}

QString Enhancer::summaryOf(const QStringList &problems, int atMost)
{
    if (problems.isEmpty())
        return {};
    QStringList shown = problems.mid(0, atMost);
    if (problems.size() > atMost)
        shown << QStringLiteral("……另有 %1 个").arg(problems.size() - atMost);
    return QStringLiteral("%1 个增强表无法使用，已跳过：\n").arg(problems.size()) +
           shown.join(QLatin1Char('\n'));
}

QString Enhancer::problemWith(const QStringList &problems, const QString &name)
{
    const QRegularExpression file(
        QStringLiteral("\\s%1\\.table[\\s：]").arg(QRegularExpression::escape(name)));
    for (const QString &problem : problems)
        if (problem.contains(file))
            return problem;
    return {};
}

QString Enhancer::idOf(int index) const
{
    if (index < kFixed)
        return QString::fromLatin1(kFixedIds[index]);
    return m_tables[size_t(index - kFixed)]->id;
}

QStringList Enhancer::choiceNames() const
{
    QStringList names;
    for (const char16_t *name : kFixedNames)
        names << QString::fromUtf16(name);
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
    Enhancement enhancement;
    if (m_choice == 1)
        enhancement = Enhancement::invert();
    else if (m_choice == 2)
        enhancement = Enhancement::stretch();
    else if (m_choice >= kFixed)
        enhancement = Enhancement::table(m_tables[size_t(m_choice - kFixed)]);
    enhancement.setAdjustments(m_adjust);
    return enhancement;
}

QString Enhancer::description() const
{
    switch (m_choice) {
    case 0:
        return QStringLiteral("图像原样显示");
    case 1:
        return QStringLiteral("黑白反转");
    case 2:
        return QStringLiteral("把图像灰度的第 2 到第 98 百分位拉伸到 0 到 255");
    default:
        return m_tables[size_t(m_choice - kFixed)]->description;
    }
}

void Enhancer::remember()
{
    const auto settings = settingsIn(m_settingsFile);
    settings->setValue(QStringLiteral("enhancement/choice"), idOf(m_choice));
    settings->setValue(QStringLiteral("enhancement/brightness"), m_adjust.brightness);
    settings->setValue(QStringLiteral("enhancement/contrast"), m_adjust.contrast);
    settings->setValue(QStringLiteral("enhancement/gamma"), m_adjust.gamma);
}

} // namespace veltaro

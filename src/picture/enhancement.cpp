#include "picture/enhancement.h"

#include "failure.h"
#include "said.h"
#include "picture/picturememory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace veltaro {

namespace {

constexpr qint64 kLargestTableFile = 64 * 1024;

QRgb greyOf(int level)
{
    return qRgb(level, level, level);
}

QRgb mix(QRgb from, QRgb to, double share)
{
    const auto channel = [share](int a, int b) { return int(std::lround(a + (b - a) * share)); };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                channel(qBlue(from), qBlue(to)));
}

// What one range shows: its first and last colour (a ramp between them), or the levels as
// they are.
struct Shown
{
    bool asTheyAre = false;
    QRgb first = 0;
    QRgb last = 0;
};

} // namespace

EnhancementTable parseEnhancementTable(const QString &text, const QString &fileName)
{
    EnhancementTable table;
    table.id = QFileInfo(fileName).completeBaseName();
    for (int level = 0; level < 256; ++level)
        table.colours[size_t(level)] = greyOf(level);
    std::array<bool, 256> named{};
    bool anyRange = false;
    // "name[en]: …" names the table in that language: taken over the plain name when it is the
    // language spoken (the default locale's), wherever it stands in the file.
    const QString spoken = QLocale().name();
    std::array<bool, 3> inSpokenLanguage{};

    static const QRegularExpression keyLine(
        QStringLiteral("^(名称|说明|来源|name|description|source)(?:\\[([A-Za-z_]+)\\])?\\s*[:：]\\s*(.*)$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression rangeLine(
        QStringLiteral("^(\\d{1,3})(?:\\s*-\\s*(\\d{1,3}))?\\s*[:：]\\s*(.+)$"));
    static const QRegularExpression greyForm(
        QStringLiteral("^(?:灰|grey|gray)(?:\\s+(\\d{1,3})(?:\\s*-\\s*(\\d{1,3}))?)?$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression colourForm(
        QStringLiteral("^(#[0-9a-fA-F]{6})(?:\\s*-\\s*(#[0-9a-fA-F]{6}))?$"));

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int number = 1; number <= lines.size(); ++number) {
        const QString line = lines[number - 1].trimmed();
        const auto refuse = [&](const QString &why) {
            return TableFailure(QCoreApplication::translate("enhancement", "增强表 %1 第 %2 行：%3")
                                    .arg(QFileInfo(fileName).fileName())
                                    .arg(number)
                                    .arg(why)
                                    .toStdString());
        };
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (const auto key = keyLine.match(line); key.hasMatch()) {
            const QString name = key.captured(1).toLower();
            const QString language = key.captured(2);
            const QString value = key.captured(3).trimmed();
            const int field = name == QStringLiteral("名称") || name == QStringLiteral("name")          ? 0
                              : name == QStringLiteral("说明") || name == QStringLiteral("description") ? 1
                                                                                                     : 2;
            const bool spokenHere = !language.isEmpty() && spoken.startsWith(language, Qt::CaseInsensitive);
            if (!language.isEmpty() && !spokenHere)
                continue; // another language's
            if (inSpokenLanguage[size_t(field)] && !spokenHere)
                continue;
            inSpokenLanguage[size_t(field)] = spokenHere;
            (field == 0 ? table.name : field == 1 ? table.description : table.source) = value;
            continue;
        }
        const auto range = rangeLine.match(line);
        if (!range.hasMatch())
            throw refuse(QCoreApplication::translate("enhancement", "无法理解“%1”").arg(line));
        const int from = range.captured(1).toInt();
        const int to = range.captured(2).isEmpty() ? from : range.captured(2).toInt();
        if (from > 255 || to > 255 || from > to)
            throw refuse(QCoreApplication::translate("enhancement", "灰度范围 %1-%2 不在 0-255 之内或首尾颠倒").arg(from).arg(to));
        const QString shownAs = range.captured(3).trimmed();
        Shown shown;
        if (const auto grey = greyForm.match(shownAs); grey.hasMatch()) {
            if (grey.captured(1).isEmpty()) {
                shown.asTheyAre = true;
            } else {
                const int first = grey.captured(1).toInt();
                const int last = grey.captured(2).isEmpty() ? first : grey.captured(2).toInt();
                if (first > 255 || last > 255)
                    throw refuse(QCoreApplication::translate("enhancement", "灰度 %1 超出 0-255").arg(std::max(first, last)));
                shown.first = greyOf(first);
                shown.last = greyOf(last);
            }
        } else if (const auto colour = colourForm.match(shownAs); colour.hasMatch()) {
            shown.first = QColor::fromString(colour.captured(1)).rgb();
            shown.last = colour.captured(2).isEmpty() ? shown.first
                                                      : QColor::fromString(colour.captured(2)).rgb();
        } else {
            throw refuse(QCoreApplication::translate("enhancement", "“%1”不是颜色（#rrggbb）也不是灰度").arg(shownAs));
        }
        for (int level = from; level <= to; ++level) {
            if (named[size_t(level)])
                throw refuse(QCoreApplication::translate("enhancement", "灰度 %1 已由前面的行给出").arg(level));
            named[size_t(level)] = true;
            const double share = to == from ? 0 : double(level - from) / (to - from);
            table.colours[size_t(level)] =
                shown.asTheyAre ? greyOf(level) : mix(shown.first, shown.last, share);
        }
        anyRange = true;
    }
    const auto refuseFile = [&](const QString &why) {
        return TableFailure(QCoreApplication::translate("enhancement", "增强表 %1：%2").arg(QFileInfo(fileName).fileName(), why).toStdString());
    };
    if (table.name.isEmpty())
        throw refuseFile(QCoreApplication::translate("enhancement", "没有“名称：”一行"));
    if (!anyRange)
        throw refuseFile(QCoreApplication::translate("enhancement", "没有给出任何灰度范围"));
    return table;
}

std::vector<std::shared_ptr<const EnhancementTable>> loadEnhancementTables(
    const QStringList &folders, QStringList *problems)
{
    std::vector<std::shared_ptr<const EnhancementTable>> tables;
    QHash<QString, size_t> byId;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        // Every entry by that name is looked at, so that one that cannot be a table is named
        // with the reason rather than passed over.
        for (const QFileInfo &file : dir.entryInfoList({QStringLiteral("*.table")},
                                                       QDir::AllEntries | QDir::System | QDir::Hidden |
                                                           QDir::NoDotAndDotDot,
                                                       QDir::Name)) {
            try {
                const auto refuse = [&](const QString &why) {
                    return TableFailure(QCoreApplication::translate("enhancement", "增强表 %1：%2").arg(file.fileName(), why).toStdString());
                };
                // Only a regular file is opened: a device or a pipe could be read without end,
                // or never answer.
                if (file.isSymLink() && !file.exists())
                    throw refuse(QCoreApplication::translate("enhancement", "链接指向不存在的文件（或链接成环）"));
                if (file.isDir())
                    throw refuse(QCoreApplication::translate("enhancement", "这是一个文件夹"));
                if (!file.isFile())
                    throw refuse(QCoreApplication::translate("enhancement", "不是普通文件"));
                if (file.size() > kLargestTableFile)
                    throw refuse(QCoreApplication::translate("enhancement", "文件过大"));
                QFile opened(file.filePath());
                if (!opened.open(QIODevice::ReadOnly))
                    throw TableFailure(QCoreApplication::translate("enhancement", "无法读取增强表 %1：%2")
                                           .arg(file.fileName(), opened.errorString())
                                           .toStdString());
                // Read within the bound whatever the size said: the file may have grown since.
                const QByteArray text = opened.read(kLargestTableFile + 1);
                if (text.size() > kLargestTableFile)
                    throw refuse(QCoreApplication::translate("enhancement", "文件过大"));
                auto table = std::make_shared<const EnhancementTable>(
                    parseEnhancementTable(QString::fromUtf8(text), file.filePath()));
                if (const auto known = byId.constFind(table->id); known != byId.cend()) {
                    tables[*known] = std::move(table);
                } else {
                    byId.insert(table->id, tables.size());
                    tables.push_back(std::move(table));
                }
            } catch (const TableFailure &failure) {
                if (problems)
                    *problems << QString::fromUtf8(failure.what());
            }
        }
    }
    return tables;
}

Enhancement Enhancement::invert()
{
    Enhancement made;
    made.m_kind = Kind::Invert;
    return made;
}

Enhancement Enhancement::stretch()
{
    Enhancement made;
    made.m_kind = Kind::Stretch;
    return made;
}

Enhancement Enhancement::table(std::shared_ptr<const EnhancementTable> table)
{
    Enhancement made;
    made.m_kind = table ? Kind::Table : Kind::None;
    made.m_table = std::move(table);
    return made;
}

std::pair<int, int> percentiles(const QImage &picture, double low, double high)
{
    std::array<qint64, 256> counts{};
    const QImage rgb = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[size_t(greyLevel(line[x]))];
    }
    const double total = double(rgb.width()) * rgb.height();
    const auto at = [&](double percent) {
        qint64 below = 0;
        for (int level = 0; level < 256; ++level) {
            below += counts[size_t(level)];
            if (below >= total * percent / 100)
                return level;
        }
        return 255;
    };
    return {at(low), at(high)};
}

Lookup Enhancement::lookupFor(const QImage &picture) const
{
    double lowest = 0;
    double highest = 255;
    if (m_kind == Kind::Stretch && !picture.isNull()) {
        const auto [low, high] = percentiles(picture, 2, 98);
        if (high > low) {
            lowest = low;
            highest = high;
        }
    }
    const double slope = std::pow(2.0, m_adjust.contrast / 100.0);
    Lookup lookup{};
    for (int level = 0; level < 256; ++level) {
        double value = (level - lowest) * 255 / (highest - lowest);
        value += m_adjust.brightness * 255 / 100.0;
        value = (value - 127.5) * slope + 127.5;
        value = std::clamp(value, 0.0, 255.0);
        if (m_adjust.gamma != 1.0)
            value = 255 * std::pow(value / 255, 1 / m_adjust.gamma);
        const int adjusted = std::clamp(int(std::lround(value)), 0, 255);
        switch (m_kind) {
        case Kind::Invert:
            lookup[size_t(level)] = greyOf(255 - adjusted);
            break;
        case Kind::Table:
            lookup[size_t(level)] = m_table->colours[size_t(adjusted)];
            break;
        case Kind::None:
        case Kind::Stretch:
            lookup[size_t(level)] = greyOf(adjusted);
            break;
        }
    }
    return lookup;
}

QImage Enhancement::apply(const QImage &picture) const
{
    if (isNone() || picture.isNull())
        return picture;
    const QImage rgb = picture.format() == QImage::Format_RGB32 ? picture
                                                                 : picture.convertToFormat(QImage::Format_RGB32);
    const Lookup lookup = lookupFor(rgb);
    // Memory of its own, as a decoded picture's: given back to the system when the copy goes.
    QImage seen = largePicture(rgb.width(), rgb.height(), QImage::Format_RGB32);
    if (rgb.isNull() || seen.isNull())
        throw EncodeFailure(said("enhancement", "内存不足，无法增强图像（") + std::to_string(picture.width()) + " × " +
                             std::to_string(picture.height()) + said("enhancement", "）"));
    seen.setDevicePixelRatio(rgb.devicePixelRatio());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(seen.scanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            out[x] = lookup[size_t(greyLevel(in[x]))];
    }
    return seen;
}

} // namespace veltaro

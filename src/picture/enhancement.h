#pragma once

// Enhancement: what the picture shows instead of its raw grey levels. Each grey level (a colour
// picture's luminance) is looked up in a 256-entry table: a colour table read from a file of our
// own plain-text format, inverted, or stretched between the picture's 2nd and 98th percentiles,
// with brightness, contrast and gamma applied to the level first. The archive's pictures carry
// no calibration: tables work on grey levels, brighter meaning colder on an infrared picture.

#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

namespace veltaro {

using Lookup = std::array<QRgb, 256>;

// One colour table, as its file describes it.
struct EnhancementTable
{
    QString id; // the file's name without its ending: "dvorak-bd"
    QString name;
    QString description;
    QString source;
    Lookup colours{};
};

// Reads a table from its file's text. Lines are "名称：…", "说明：…", "来源：…" and ranges of grey
// levels with what they show: "176-195: #ffffff" (one colour), "200-255: #0000ff - #ff0000" (a
// ramp), "0-135: 灰" (as they are), "136-175: 灰 150" or "灰 100 - 180" (greys). Levels no range
// names stay as they are; a line that begins with "#" is a comment. Throws TableFailure naming
// the file and the line.
EnhancementTable parseEnhancementTable(const QString &text, const QString &fileName);

// The tables in the files of `folders` (files ending .table), later folders adding to and
// replacing earlier ones by id; every file that does not parse is skipped and its reason added
// to `problems`.
std::vector<std::shared_ptr<const EnhancementTable>> loadEnhancementTables(
    const QStringList &folders, QStringList *problems);

struct Adjustments
{
    int brightness = 0;  // -100..100: added to the level, in hundredths of the range
    int contrast = 0;    // -100..100: the slope around the middle, doubled or halved at the ends
    double gamma = 1.0;  // 0.2..5
    bool operator==(const Adjustments &) const = default;
};

class Enhancement
{
public:
    enum class Kind { None, Invert, Stretch, Table };

    Enhancement() = default;
    static Enhancement invert();
    static Enhancement stretch();
    static Enhancement table(std::shared_ptr<const EnhancementTable> table);

    Kind kind() const { return m_kind; }
    const EnhancementTable *colourTable() const { return m_table.get(); }
    Adjustments adjustments() const { return m_adjust; }
    void setAdjustments(const Adjustments &adjust) { m_adjust = adjust; }
    // Whether pictures are shown as they are.
    bool isNone() const { return m_kind == Kind::None && m_adjust == Adjustments(); }

    // The lookup for `picture` (the stretch needs its grey levels), or for no picture in
    // particular (the legend).
    Lookup lookupFor(const QImage &picture = {}) const;
    // The picture as enhanced, the same size; `picture` itself when nothing is to be done.
    // Safe on any thread. Throws EncodeFailure when there is no memory for the copy.
    QImage apply(const QImage &picture) const;

private:
    Kind m_kind = Kind::None;
    std::shared_ptr<const EnhancementTable> m_table;
    Adjustments m_adjust;
};

// A picture's grey level at a pixel, as the tables read it.
inline int greyLevel(QRgb pixel)
{
    return qGray(pixel);
}

// The grey levels below which `low` and `high` percent of the picture's pixels lie.
std::pair<int, int> percentiles(const QImage &picture, double low, double high);

} // namespace veltaro

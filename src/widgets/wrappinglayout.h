#pragma once

#include <QLayout>
#include <QList>

namespace veltaro {

// Lays its items out left to right at their preferred sizes, starting a new line where the
// next one would pass the right edge; each line as tall as its tallest item, the items centred
// in it. Its height follows its width, so that what holds it can make room for every line.
class WrappingLayout : public QLayout
{
public:
    WrappingLayout(QWidget *parent, int betweenItems, int betweenLines);
    ~WrappingLayout() override;

    void addItem(QLayoutItem *item) override;
    int count() const override { return int(m_items.size()); }
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    // The width of every item in one line; the minimum is the widest item.
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Places the items in `rect` (or only measures, when `place` is false); the height used.
    int arrange(const QRect &rect, bool place) const;

    QList<QLayoutItem *> m_items;
    int m_gap; // between the items of a line
    int m_lineGap;
};

} // namespace veltaro

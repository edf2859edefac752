#include "widgets/wrappinglayout.h"

#include <QWidget>

#include <algorithm>

namespace veltaro {

WrappingLayout::WrappingLayout(QWidget *parent, int betweenItems, int betweenLines)
    : QLayout(parent), m_gap(betweenItems), m_lineGap(betweenLines)
{
    setContentsMargins(0, 0, 0, 0);
}

WrappingLayout::~WrappingLayout()
{
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

void WrappingLayout::addItem(QLayoutItem *item)
{
    m_items.append(item);
}

QLayoutItem *WrappingLayout::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index] : nullptr;
}

QLayoutItem *WrappingLayout::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

int WrappingLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize WrappingLayout::sizeHint() const
{
    QSize size;
    for (const QLayoutItem *item : m_items) {
        if (item->isEmpty())
            continue;
        const QSize hint = item->sizeHint();
        size.rwidth() += (size.width() > 0 ? m_gap : 0) + hint.width();
        size.rheight() = std::max(size.height(), hint.height());
    }
    return size;
}

QSize WrappingLayout::minimumSize() const
{
    QSize size;
    for (const QLayoutItem *item : m_items)
        if (!item->isEmpty())
            size = size.expandedTo(item->sizeHint());
    return size;
}

void WrappingLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int WrappingLayout::arrange(const QRect &rect, bool place) const
{
    int top = rect.top();
    QList<QLayoutItem *> line;
    int lineWidth = 0;
    const auto endLine = [&] {
        int height = 0;
        for (const QLayoutItem *item : line)
            height = std::max(height, item->sizeHint().height());
        if (place) {
            int left = rect.left();
            for (QLayoutItem *item : line) {
                const QSize hint = item->sizeHint();
                const int width = std::min(hint.width(), rect.width());
                item->setGeometry(QRect(left, top + (height - hint.height()) / 2, width, hint.height()));
                left += width + m_gap;
            }
        }
        if (!line.isEmpty())
            top += height + m_lineGap;
        line.clear();
        lineWidth = 0;
    };
    for (QLayoutItem *item : m_items) {
        if (item->isEmpty())
            continue;
        const int width = item->sizeHint().width();
        if (!line.isEmpty() && lineWidth + m_gap + width > rect.width())
            endLine();
        lineWidth += (line.isEmpty() ? 0 : m_gap) + width;
        line << item;
    }
    endLine();
    return std::max(0, top - m_lineGap - rect.top());
}

} // namespace veltaro

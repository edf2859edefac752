#include "widgets/framestrip.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace veltaro {

FrameStrip::FrameStrip(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("时间轴"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

void FrameStrip::setHours(const QStringList &names)
{
    if (names == m_names)
        return;
    m_names = names;
    m_marks = QList<Mark>(names.size(), Mark::Unknown);
    m_current = -1;
    describe();
    update();
}

void FrameStrip::setMark(int index, Mark mark)
{
    if (index < 0 || index >= m_marks.size() || m_marks[index] == mark)
        return;
    m_marks[index] = mark;
    describe();
    update();
}

FrameStrip::Mark FrameStrip::mark(int index) const
{
    return index >= 0 && index < m_marks.size() ? m_marks[index] : Mark::Unknown;
}

void FrameStrip::setCurrent(int index)
{
    index = index >= 0 && index < m_names.size() ? index : -1;
    if (index == m_current)
        return;
    m_current = index;
    describe();
    update();
}

QSize FrameStrip::sizeHint() const
{
    return {std::max(240, 8 * int(m_names.size())), fontMetrics().height()};
}

QSize FrameStrip::minimumSizeHint() const
{
    return {120, fontMetrics().height() * 2 / 3};
}

QRect FrameStrip::markRect(int index) const
{
    if (m_names.isEmpty())
        return {};
    const double width = double(this->width()) / m_names.size();
    const int left = int(index * width);
    const int right = int((index + 1) * width);
    return QRect(left, 0, std::max(1, right - left), height());
}

int FrameStrip::indexAt(int x) const
{
    if (m_names.isEmpty() || width() <= 0)
        return -1;
    return std::clamp(int(double(x) * m_names.size() / width()), 0, int(m_names.size()) - 1);
}

void FrameStrip::choose(int index)
{
    if (index < 0 || index >= m_names.size())
        return;
    emit chosen(index);
}

void FrameStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Base));
    for (int i = 0; i < m_names.size(); ++i) {
        const QRect box = markRect(i).adjusted(1, 2, -1, -2);
        switch (m_marks[i]) {
        case Mark::Ready:
            painter.fillRect(box, colours.color(QPalette::Mid));
            break;
        case Mark::Missing: {
            // A hollow box, crossed: nothing to show for that hour.
            painter.setPen(QPen(QColor(200, 40, 40), 1));
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            painter.drawLine(box.topLeft(), box.bottomRight());
            break;
        }
        case Mark::Unknown:
            painter.fillRect(box, colours.color(QPalette::Midlight));
            break;
        }
    }
    if (m_current >= 0) {
        const QRect box = markRect(m_current);
        painter.fillRect(box.adjusted(0, 0, 0, 0), colours.color(QPalette::Highlight));
    }
    if (hasFocus()) {
        painter.setPen(QPen(colours.color(QPalette::Text), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void FrameStrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_dragged = indexAt(int(event->position().x()));
    choose(m_dragged);
}

void FrameStrip::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    // Dragging shows each hour passed over, once.
    if (const int index = indexAt(int(event->position().x())); index != m_dragged) {
        m_dragged = index;
        choose(index);
    }
}

void FrameStrip::keyPressEvent(QKeyEvent *event)
{
    const int from = m_current >= 0 ? m_current : int(m_names.size()) - 1;
    switch (event->key()) {
    case Qt::Key_Left:
        choose(std::max(0, from - 1));
        break;
    case Qt::Key_Right:
        choose(std::min(int(m_names.size()) - 1, from + 1));
        break;
    case Qt::Key_Home:
        choose(0);
        break;
    case Qt::Key_End:
        choose(int(m_names.size()) - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
}

void FrameStrip::describe()
{
    // What a screen reader hears: the hour shown and the hours missing.
    QStringList missing;
    for (int i = 0; i < m_names.size(); ++i)
        if (m_marks[i] == Mark::Missing)
            missing << m_names[i];
    QString text = m_current >= 0 ? QStringLiteral("显示 %1，共 %2 小时").arg(m_names[m_current]).arg(m_names.size())
                                  : QStringLiteral("共 %1 小时").arg(m_names.size());
    if (!missing.isEmpty())
        text += QStringLiteral("；无图像：") + missing.join(QStringLiteral("、"));
    setAccessibleDescription(text);
    setToolTip(text + QStringLiteral("\n单击或拖动显示某一小时；有焦点时用方向键"));
}

} // namespace veltaro

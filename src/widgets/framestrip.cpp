#include "widgets/framestrip.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace veltaro {

FrameStrip::FrameStrip(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("时间轴"));
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

void FrameStrip::setBetween(int index, double fraction)
{
    m_betweenIndex = index >= 0 && index < m_names.size() ? index : -1;
    m_between = m_betweenIndex >= 0 ? fraction : 0;
    update();
}

void FrameStrip::setCurrent(int index)
{
    index = index >= 0 && index < m_names.size() ? index : -1;
    const bool wasBetween = std::exchange(m_betweenIndex, -1) >= 0;
    m_between = 0;
    if (index == m_current) {
        if (wasBetween)
            update();
        return;
    }
    m_current = index;
    describe();
    update();
}

QSize FrameStrip::sizeHint() const
{
    // The marks, and under them the hour marks in a smaller type, in a line's height.
    return {std::max(240, 8 * int(m_names.size())), fontMetrics().height() + 2};
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

int FrameStrip::marksHeight() const
{
    return std::max(4, height() / 2);
}

void FrameStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Base));
    const int marks = marksHeight();
    for (int i = 0; i < m_names.size(); ++i) {
        const QRect box = markRect(i).adjusted(1, 2, -1, 0).intersected(QRect(0, 0, width(), marks));
        switch (m_marks[i]) {
        case Mark::Ready:
            // Kept: a filled box, dark enough to tell from the hours still to come.
            painter.fillRect(box, colours.color(QPalette::Dark));
            break;
        case Mark::Missing:
            // A hollow box, crossed in red: nothing to show for that hour.
            painter.setPen(QPen(QColor(200, 40, 40), 1));
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            painter.drawLine(box.topLeft(), box.bottomRight());
            painter.drawLine(box.bottomLeft(), box.topRight());
            break;
        case Mark::Fetching:
            // On its way: an outline half filled with a fine pattern.
            painter.setPen(QPen(colours.color(QPalette::Dark), 1));
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            painter.fillRect(box.adjusted(0, box.height() / 2, 0, 0),
                             QBrush(colours.color(QPalette::Dark), Qt::Dense4Pattern));
            break;
        case Mark::Unknown:
            // Not fetched yet: an outline only.
            painter.setPen(QPen(colours.color(QPalette::Mid), 1));
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            break;
        }
    }
    if (m_current >= 0)
        painter.fillRect(markRect(m_current).intersected(QRect(0, 0, width(), marks + 2)),
                         colours.color(QPalette::Highlight));
    if (m_betweenIndex >= 0) {
        // A made frame: a thin mark in the highlight's colour, as far past its hour as it stands,
        // over a hollow of the strip's base so that it never reads as an hour's box.
        const QRect box = markRect(m_betweenIndex);
        const int x = box.left() + int(box.width() * (0.5 + m_between));
        painter.fillRect(QRect(x - 2, 0, 5, marks + 2), colours.color(QPalette::Base));
        painter.fillRect(QRect(x - 1, 0, 3, marks + 2), colours.color(QPalette::Highlight));
    }
    paintHourMarks(painter, marks);
    if (hasFocus()) {
        painter.setPen(QPen(colours.color(QPalette::Text), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void FrameStrip::paintHourMarks(QPainter &painter, int top)
{
    // Under the marks: the hour every 3 or 6 hours, as room allows, and the day where it changes
    // ("18日"), after a line between the days.
    if (m_names.isEmpty())
        return;
    QFont small = font();
    small.setPixelSize(std::max(8, height() - top - 2));
    painter.setFont(small);
    const QFontMetrics metrics(small);
    const double each = double(width()) / m_names.size();
    // The day where it changes, "18日"; the hour elsewhere.
    const auto dayText = [](const QString &day) { return tr("%1日", "a day of the month on the time line").arg(day); };
    const int every = each * 3 >= metrics.horizontalAdvance(dayText(QStringLiteral("18")) + QLatin1Char(' ')) ? 3 : 6;
    painter.setPen(palette().color(QPalette::Text));
    for (int i = 0; i < m_names.size(); ++i) {
        const QString &name = m_names[i]; // "07-18 10:00"
        const int hour = name.mid(6, 2).toInt();
        const QRect box = markRect(i);
        const bool newDay = hour == 0 && i > 0;
        if (newDay)
            painter.drawLine(box.left(), 0, box.left(), height());
        if (hour % every != 0 && !(i == 0 && m_names.size() < every))
            continue;
        const QString text = newDay ? dayText(name.mid(3, 2)) : name.mid(6, 2);
        if (box.left() + metrics.horizontalAdvance(text) > width())
            continue;
        painter.drawText(QRect(box.left() + 1, top, metrics.horizontalAdvance(text) + 2, height() - top),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

QString FrameStrip::hourText(int index) const
{
    static const char *const kMarkNames[] = {QT_TR_NOOP("尚未取得"), QT_TR_NOOP("已保存"),
                                             QT_TR_NOOP("服务器上没有图像"), QT_TR_NOOP("正在取得")};
    QString text = tr("北京时间 %1 · %2")
                       .arg(m_names[index], tr(kMarkNames[int(m_marks[index])]));
    if (index == m_current)
        text += tr(" · 正在显示");
    return text;
}

bool FrameStrip::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        // The hour under the pointer, what it is, and how the marks read.
        const auto *help = static_cast<QHelpEvent *>(event);
        const int index = indexAt(help->pos().x());
        if (index >= 0)
            QToolTip::showText(help->globalPos(),
                               hourText(index) + QLatin1Char('\n') + legend(), this, markRect(index));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

QString FrameStrip::legend()
{
    return tr("深灰：已保存 · 半填：正在取得 · 空框：尚未取得 · 红叉：服务器上没有 · 高亮：正在显示\n"
                          "单击或拖动显示某一小时；有焦点时用方向键");
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
    QString text = m_current >= 0 ? tr("显示 %1，共 %n 小时", nullptr, int(m_names.size())).arg(m_names[m_current])
                                  : tr("共 %n 小时", nullptr, int(m_names.size()));
    if (!missing.isEmpty())
        text += tr("；无图像：") + missing.join(tr("、"));
    setAccessibleDescription(text);
}

} // namespace veltaro

#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QPainter;

namespace veltaro {

// One mark per hour of the span being played or looped: hours the archive lacks are marked
// missing, hours already kept ready, the shown one highlighted. Clicking or dragging over it
// chooses an hour, and so do the arrow keys, Home and End while it has the focus.
class FrameStrip : public QWidget
{
    Q_OBJECT

public:
    enum class Mark { Unknown, Ready, Missing, Fetching };

    explicit FrameStrip(QWidget *parent = nullptr);

    // The hours' names ("07-18 10:00"), oldest first; every mark starts unknown.
    void setHours(const QStringList &names);
    int count() const { return int(m_names.size()); }
    void setMark(int index, Mark mark);
    Mark mark(int index) const;
    // The hour shown; -1 for none of the span.
    void setCurrent(int index);
    // A frame made between hour `index` and the next is shown, `fraction` of the way (0 < f <
    // 1): drawn apart from the hours, as a thin mark between them; a negative index for none.
    void setBetween(int index, double fraction);
    double between() const { return m_between; }
    int current() const { return m_current; }
    // Where the mark of `index` is drawn, for a click to choose it.
    QRect markRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // "北京时间 07-18 10:00 · 已保存 · 正在显示", what the tooltip says of an hour.
    QString hourText(int index) const;
    // How the marks read.
    static QString legend();

signals:
    void chosen(int index);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int indexAt(int x) const;
    int marksHeight() const;
    void paintHourMarks(QPainter &painter, int top);
    void choose(int index);
    void describe();

    QStringList m_names;
    QList<Mark> m_marks;
    int m_current = -1;
    int m_betweenIndex = -1;
    double m_between = 0;
    int m_dragged = -1;
};

} // namespace veltaro

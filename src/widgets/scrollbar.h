#pragma once

#include <QScrollBar>

namespace veltaro {

// A scroll bar whose Min, Max and Value are twips. Max may be written below Min: the bar then
// has nothing to scroll, and Max still reads back what was written. changed() comes once for
// each change of Value: an arrow, a click in the trough, the thumb released (never while it is
// dragged), a key, or a new range that pushed Value back inside. The bar shows when it has the
// keyboard focus.
class ScrollBar : public QScrollBar
{
    Q_OBJECT

public:
    ScrollBar(Qt::Orientation orientation, int arrowStep, int pageStep, QWidget *parent);

    int min() const { return m_min; }
    int max() const { return m_max; }
    void setMin(int min);
    void setMax(int max);

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyRange();

    int m_min = 0;
    int m_max = 0;
};

} // namespace veltaro

#pragma once

#include <QObject>
#include <QPoint>

class QImage;
class QKeyEvent;

namespace veltaro {

class PictureBox;
class ScrollBar;

// The viewport box Picture1, the image box Picture2 inside it, and the two bars that pan it.
// The bars are the only thing that moves the image box: the wheel, a drag of the picture and
// the keys on the focused viewport or image box move the bars, and the bars' change
// notifications move the box. So the bars and the box never disagree.
class Viewport : public QObject
{
    Q_OBJECT

public:
    Viewport(PictureBox *picture1, PictureBox *picture2, ScrollBar *hScroll1, ScrollBar *vScroll1,
             QObject *parent = nullptr);

    // Recomputes both ranges from the boxes' sizes, enabling each bar exactly when its range
    // is not reversed.
    void UpdateScrollRanges();

    void HScroll1_Change();
    void VScroll1_Change();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool key(QKeyEvent *event);
    bool wheel(QEvent *event);
    bool drag(QEvent *event);

    PictureBox *m_picture1;
    PictureBox *m_picture2;
    ScrollBar *m_hScroll1;
    ScrollBar *m_vScroll1;

    QPoint m_dragStart;
    int m_dragStartH = 0;
    int m_dragStartV = 0;
    bool m_dragging = false;
    QPoint m_wheelRemainder;
};

} // namespace veltaro

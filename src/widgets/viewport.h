#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>

class QKeyEvent;

namespace veltaro {

class PictureBox;
class ScrollBar;

// The viewport box Picture1, the image box Picture2 inside it, and the two bars that pan it.
// The bars are the only thing that moves the image box: the wheel, a drag of the picture and
// the keys on the focused viewport or image box move the bars, and the bars' change
// notifications move the box. So the bars and the box never disagree.
//
// Zoom scales the image box: its size is the zoomed picture's, and the ranges follow through
// UpdateScrollRanges, so the bars reach every edge at every zoom. At 100 % (one image pixel per
// device pixel) everything is as without zoom. "Fit" is a mode: while it is on, every picture
// is shown whole.
class Viewport : public QObject
{
    Q_OBJECT

public:
    static constexpr double kZoomStep = 1.25;
    static constexpr double kLargestZoom = 8;
    static constexpr double kSmallestZoom = 1.0 / 8;

    Viewport(PictureBox *picture1, PictureBox *picture2, ScrollBar *hScroll1, ScrollBar *vScroll1,
             QObject *parent = nullptr);

    // Recomputes both ranges from the boxes' sizes, enabling each bar exactly when its range
    // is not reversed.
    void UpdateScrollRanges();

    void HScroll1_Change();
    void VScroll1_Change();

    // The zoom keys, around the viewport's centre; each does nothing while nothing is shown.
    void zoomIn();
    void zoomOut();
    void showActualSize(); // 100 %
    void fitToViewport();  // the whole picture (or the first to come), and every picture after it, until a zoom
    bool fitting() const { return m_fit; }
    double zoom() const;

    // The image box has a new picture of its own size `shownBefore` had: one of the same size
    // keeps the zoom and the place; another starts at 100 % at the top-left corner, or fitted
    // in fit mode. The ranges follow with UpdateScrollRanges.
    void pictureReplaced(QSize shownBefore);

    // The zoom around `anchor`, a point of the viewport's inner area that keeps the image point
    // under it; clamped between the fit size (or 1/8) and 8 ×.
    void setZoom(double zoom, QPointF anchor);

signals:
    void zoomChanged(double zoom, bool fitting);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool key(QKeyEvent *event);
    bool wheel(QEvent *event);
    bool drag(QEvent *event);
    void panByPixels(QPoint pixels);
    void placeImageBox();
    void showGrabCursor();
    double fitZoom() const;
    QPointF centre() const;
    QSize innerPixels() const;

    PictureBox *m_picture1;
    PictureBox *m_picture2;
    ScrollBar *m_hScroll1;
    ScrollBar *m_vScroll1;

    QPoint m_dragStart;
    int m_dragStartH = 0;
    int m_dragStartV = 0;
    bool m_dragging = false;
    QPoint m_wheelRemainder;
    bool m_fit = false;
};

} // namespace veltaro

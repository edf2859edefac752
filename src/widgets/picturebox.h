#pragma once

#include <QFrame>
#include <QPixmap>

class QImage;

namespace veltaro {

class PictureSurface;

// A framed box that shows a picture at its inner top-left corner and clips what lies inside it.
// Boxes placed in it are children of innerArea(), so their Left and Top count from inside the
// frame. Geometry is in twips and reads back exactly what was written; with automatic sizing,
// setting a picture makes Width and Height the picture's size plus the frame. The picture is
// shown one image pixel to one device pixel, however the screen scales the widgets. The frame
// shows when the box has the keyboard focus.
class PictureBox : public QFrame
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *container, bool autoSize = false);

    // Left, Top, Width and Height in twips; QWidget's own x(), y(), width() and height() stay
    // pixels.
    float leftTwips() const { return m_left; }
    float topTwips() const { return m_top; }
    float widthTwips() const { return m_width; }
    float heightTwips() const { return m_height; }
    void setLeftTwips(float left);
    void setTopTwips(float top);
    void setWidthTwips(float width);
    void setHeightTwips(float height);
    // The inner area's size, inside the frame: what a box contained in this one can show.
    float innerWidthTwips() const;
    float innerHeightTwips() const;

    // Returns the picture shown before, for its memory to be reused.
    QImage setPicture(QImage picture);
    bool hasPicture() const;
    QImage picture() const;
    // The picture's own size in image pixels.
    QSize pictureSize() const;

    // Image pixels to device pixels; 1, one to one, unless set. With automatic sizing the box
    // takes the zoomed picture's size.
    void setZoom(qreal zoom);
    qreal zoom() const;

    // Where boxes contained in this one are placed, and where the picture is drawn.
    QWidget *innerArea() const;

signals:
    // The box took a new size for its picture on a screen with another device pixel ratio.
    void resizedToPicture();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    void applyGeometry();
    void fitToPicture();
    // The box has the focus and part of it is out of sight, so the focus is drawn inside.
    bool focusSeenInside() const;

    PictureSurface *m_surface = nullptr;
    bool m_autoSize = false;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
};

} // namespace veltaro

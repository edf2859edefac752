#include "widgets/picturebox.h"

#include "widgets/focusframe.h"
#include "widgets/twips.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

namespace veltaro {

// The inner area: draws the picture, clipped to the frame's inside.
class PictureSurface : public QWidget
{
public:
    explicit PictureSurface(QWidget *parent) : QWidget(parent) {}

    void setPixmap(QPixmap pixmap)
    {
        m_pixmap = std::move(pixmap);
        // An opaque picture paints every pixel it covers: nothing needs to be filled under it
        // first.
        setAttribute(Qt::WA_OpaquePaintEvent, !m_pixmap.isNull() && !m_pixmap.hasAlphaChannel());
        update();
    }
    const QPixmap &pixmap() const { return m_pixmap; }
    // One image pixel to one device pixel: the picture's logical size shrinks as the ratio grows.
    void matchDevicePixelRatio(qreal ratio)
    {
        m_pixmap.setDevicePixelRatio(ratio);
        update();
    }
    // Image pixels to device pixels: 1 shows the picture one to one.
    void setZoom(qreal zoom)
    {
        m_zoom = zoom;
        update();
    }
    qreal zoom() const { return m_zoom; }
    // The part of the picture that the box's container lets be seen.
    QRect partSeen() const
    {
        const QWidget *container = parentWidget()->parentWidget();
        if (!container)
            return rect();
        return rect() & QRect(mapFrom(container, QPoint(0, 0)), container->size());
    }
    QSize logicalSize() const
    {
        const qreal scale = m_zoom / m_pixmap.devicePixelRatio();
        return QSize(qCeil(m_pixmap.width() * scale), qCeil(m_pixmap.height() * scale));
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (m_pixmap.isNull())
            return;
        QPainter painter(this);
        // Only the exposed part is drawn, scaled from the part of the picture it shows: smooth
        // when the picture is made smaller, each image pixel a sharp square from 200 % on.
        const qreal scale = m_pixmap.devicePixelRatio() / m_zoom;
        const QRect covered(QPoint(0, 0), logicalSize());
        const QRect exposed = event->rect() & covered;
        painter.setRenderHint(QPainter::SmoothPixmapTransform, m_zoom != 1 && m_zoom < 2);
        painter.drawPixmap(QRectF(exposed), m_pixmap,
                           QRectF(QPointF(exposed.topLeft()) * scale, QSizeF(exposed.size()) * scale));
        // Painting opaquely, the surface fills whatever of it the picture leaves uncovered.
        for (const QRect &uncovered : event->region() - covered)
            painter.fillRect(uncovered, palette().window());
        painter.end();
        // A box larger than what shows of it: its own frame is out of sight, so the focus is
        // drawn along the part that can be seen.
        const auto *box = static_cast<const QFrame *>(parentWidget());
        if (box->hasFocus()) {
            const QRect seen = partSeen();
            if (!seen.isEmpty() && seen != rect())
                drawFocusFrame(this, seen, box->frameWidth());
        }
    }

private:
    QPixmap m_pixmap;
    qreal m_zoom = 1;
};

PictureBox::PictureBox(QWidget *container, bool autoSize)
    : QFrame(container), m_surface(new PictureSurface(this)), m_autoSize(autoSize)
{
    // A sunken two-pixel border, the look of a classic picture box.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    m_surface->setGeometry(contentsRect());
}

void PictureBox::setLeftTwips(float left)
{
    m_left = left;
    applyGeometry();
}

void PictureBox::setTopTwips(float top)
{
    m_top = top;
    applyGeometry();
}

void PictureBox::setWidthTwips(float width)
{
    m_width = width;
    applyGeometry();
}

void PictureBox::setHeightTwips(float height)
{
    m_height = height;
    applyGeometry();
}

QImage PictureBox::setPicture(QImage picture)
{
    QImage shownBefore = m_surface->pixmap().toImage();
    // Moved in, the picture's memory can become the pixmap's instead of being copied.
    QPixmap pixmap = QPixmap::fromImage(std::move(picture));
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    m_surface->setPixmap(std::move(pixmap));
    fitToPicture();
    return shownBefore;
}

void PictureBox::fitToPicture()
{
    const QSize size = m_surface->logicalSize();
    if (!m_autoSize || size.isEmpty())
        return;
    m_width = twips::fromPixels(size.width() + 2 * frameWidth());
    m_height = twips::fromPixels(size.height() + 2 * frameWidth());
    applyGeometry();
}

float PictureBox::innerWidthTwips() const
{
    return m_width - twips::fromPixels(2 * frameWidth());
}

float PictureBox::innerHeightTwips() const
{
    return m_height - twips::fromPixels(2 * frameWidth());
}

bool PictureBox::event(QEvent *event)
{
    // Moved to a screen with another device pixel ratio: the picture keeps one image pixel to
    // one device pixel, and the box its size.
    if (event->type() == QEvent::ScreenChangeInternal && hasPicture() &&
        m_surface->pixmap().devicePixelRatio() != devicePixelRatioF()) {
        m_surface->matchDevicePixelRatio(devicePixelRatioF());
        fitToPicture();
        emit resizedToPicture();
    }
    // Scrolling moves the box's drawing along with it, the focus frame drawn inside with the
    // rest: it is drawn anew along the part now seen.
    if (event->type() == QEvent::Move && focusSeenInside())
        m_surface->update();
    return QFrame::event(event);
}

bool PictureBox::focusSeenInside() const
{
    return hasFocus() && m_surface->partSeen() != m_surface->rect();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    // The focus shows on the frame, the only part of the box its contents do not cover.
    if (hasFocus())
        drawFocusFrame(this, frameWidth());
}

void PictureBox::setZoom(qreal zoom)
{
    if (zoom == m_surface->zoom())
        return;
    m_surface->setZoom(zoom);
    fitToPicture();
}

qreal PictureBox::zoom() const
{
    return m_surface->zoom();
}

QSize PictureBox::pictureSize() const
{
    return m_surface->pixmap().size();
}

bool PictureBox::hasPicture() const
{
    return !m_surface->pixmap().isNull();
}

QImage PictureBox::picture() const
{
    return m_surface->pixmap().toImage();
}

QWidget *PictureBox::innerArea() const
{
    return m_surface;
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_surface->setGeometry(contentsRect());
}

void PictureBox::applyGeometry()
{
    setGeometry(twips::toPixels(m_left), twips::toPixels(m_top), twips::toPixels(m_width),
                twips::toPixels(m_height));
}

} // namespace veltaro

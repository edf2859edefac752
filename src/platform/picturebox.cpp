#include "platform/picturebox.h"

#include "platform/picturedecoder.h"
#include "platform/twips.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace veltaro {

// The inner area: draws the picture, clipped to the frame's inside.
class PictureSurface : public QWidget
{
public:
    explicit PictureSurface(QWidget *parent) : QWidget(parent) {}

    void setPixmap(QPixmap pixmap)
    {
        m_pixmap = std::move(pixmap);
        update();
    }
    const QPixmap &pixmap() const { return m_pixmap; }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (m_pixmap.isNull())
            return;
        QPainter painter(this);
        const QRect exposed = event->rect() & m_pixmap.rect();
        painter.drawPixmap(exposed, m_pixmap, exposed);
    }

private:
    QPixmap m_pixmap;
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

void PictureBox::setPicture(QImage picture)
{
    const QSize size = picture.size();
    QImage shownBefore = m_surface->pixmap().toImage();
    // Moved in, the picture's memory can become the pixmap's instead of being copied.
    m_surface->setPixmap(QPixmap::fromImage(std::move(picture)));
    picturedecoder::recycle(std::move(shownBefore));
    if (m_autoSize && !size.isEmpty()) {
        m_width = twips::fromPixels(size.width() + 2 * frameWidth());
        m_height = twips::fromPixels(size.height() + 2 * frameWidth());
        applyGeometry();
    }
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

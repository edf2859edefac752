#include "window/shownpicture.h"

#include "widgets/picturebox.h"

#include <QFuture>
#include <QMouseEvent>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>
#include <utility>

namespace veltaro {

ShownPicture::ShownPicture(PictureBox *imageBox, QObject *parent)
    : QObject(parent), m_box(imageBox), m_area(imageBox->innerArea())
{
    // The value under the pointer, live, also while the frames change under it.
    m_area->setMouseTracking(true);
    m_area->installEventFilter(this);
    // A zoom or a scroll moves the picture under the still pointer: read anew.
    m_box->installEventFilter(this);
}

ShownPicture::~ShownPicture()
{
    if (m_area)
        m_area->removeEventFilter(this);
    if (m_box)
        m_box->removeEventFilter(this);
}

void ShownPicture::setReadoutNote(const QString &note)
{
    m_readoutNote = note;
    updateReadout();
}

QImage ShownPicture::show(QImage picture, QImage seen)
{
    ++m_generation; // a picture seen anew for the one before is no longer wanted
    m_readoutNote.clear();
    if (m_compositing) {
        // The box keeps what is made of the two until the next one is made with this picture.
        m_original = seen.isNull() ? QImage() : std::move(picture);
        m_seenA = seen.isNull() ? std::move(picture) : std::move(seen);
        updateReadout();
        emit seenChanged();
        return {}; // its memory may still be read where the two are made into one
    }
    QImage originalBefore = std::exchange(m_original, QImage());
    QImage shownBefore;
    if (seen.isNull()) {
        shownBefore = m_box->setPicture(std::move(picture));
    } else {
        shownBefore = m_box->setPicture(std::move(seen));
        m_original = std::move(picture);
    }
    updateReadout();
    emit seenChanged();
    return originalBefore.isNull() ? shownBefore : originalBefore;
}

QImage ShownPicture::picture() const
{
    return m_original.isNull() ? seen() : m_original;
}

QImage ShownPicture::seen() const
{
    return m_compositing ? m_seenA : m_box->picture();
}

void ShownPicture::showComposite(QImage composite, std::function<QString(QPoint)> readout)
{
    if (!m_compositing)
        m_seenA = m_box->picture();
    m_compositing = true;
    m_compositeReadout = std::move(readout);
    const QSize before = m_box->pictureSize();
    m_box->setPicture(std::move(composite));
    if (m_box->pictureSize() != before)
        emit sizeChanged(before);
    updateReadout();
}

void ShownPicture::endComposite()
{
    if (!m_compositing)
        return;
    m_compositing = false;
    m_compositeReadout = nullptr;
    const QSize before = m_box->pictureSize();
    m_box->setPicture(std::exchange(m_seenA, QImage()));
    if (m_box->pictureSize() != before)
        emit sizeChanged(before);
    updateReadout();
}

void ShownPicture::setSeen(QImage seen)
{
    if (m_compositing) {
        m_seenA = std::move(seen);
        emit seenChanged();
    } else {
        m_box->setPicture(std::move(seen));
    }
}

void ShownPicture::setEnhancement(const Enhancement &enhancement)
{
    m_enhancement = enhancement;
    if (!m_box->hasPicture())
        return;
    const QImage original = picture();
    const quint64 generation = ++m_generation;
    if (enhancement.isNone()) {
        m_original = QImage();
        setSeen(original);
        return;
    }
    QtConcurrent::run([enhancement, original]() -> std::pair<QImage, QString> {
        try {
            return {enhancement.apply(original), {}};
        } catch (const std::exception &failure) {
            return {{}, QString::fromUtf8(failure.what())};
        }
    }).then(this, [this, generation, original](std::pair<QImage, QString> seen) {
        if (generation != m_generation)
            return; // another picture or enhancement since
        if (seen.first.isNull()) {
            emit enhancementFailed(seen.second); // the picture stays as it is seen now
            return;
        }
        m_original = original;
        setSeen(std::move(seen.first));
    });
}

void ShownPicture::updateReadout()
{
    QString text;
    if (m_pointerOver && m_box->hasPicture() && m_compositing) {
        // What is made of two pictures reads both, where the pointer is on it.
        const double scale = m_box->devicePixelRatioF() / m_box->zoom();
        const QPoint pixel(int(std::floor(m_pointer.x() * scale)), int(std::floor(m_pointer.y() * scale)));
        if (m_compositeReadout && m_box->picture().rect().contains(pixel))
            text = m_compositeReadout(pixel);
    } else if (m_pointerOver && m_box->hasPicture()) {
        // The picture's own pixel under the pointer, whatever the zoom; its grey level as the
        // enhancement reads it.
        const QImage original = picture();
        const double scale = m_box->devicePixelRatioF() / m_box->zoom();
        const QPoint pixel(int(std::floor(m_pointer.x() * scale)), int(std::floor(m_pointer.y() * scale)));
        if (original.rect().contains(pixel))
            text = tr("像素 (%1, %2) · 灰度 %3")
                       .arg(pixel.x())
                       .arg(pixel.y())
                       .arg(greyLevel(original.pixel(pixel)));
    }
    if (!text.isEmpty())
        text += m_readoutNote;
    if (std::exchange(m_readout, text) != text)
        emit readoutChanged(text);
}

bool ShownPicture::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area) {
        if (event->type() == QEvent::MouseMove) {
            const auto *moved = static_cast<QMouseEvent *>(event);
            m_pointer = moved->position();
            m_pointerOnScreen = moved->globalPosition();
            m_pointerOver = true;
            updateReadout();
        } else if (event->type() == QEvent::Leave) {
            m_pointerOver = false;
            updateReadout();
        }
    }
    if ((watched == m_box || watched == m_area) && m_area && m_pointerOver &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        m_pointer = m_area->mapFromGlobal(m_pointerOnScreen);
        m_pointerOver = m_area->rect().contains(m_pointer.toPoint());
        updateReadout();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace veltaro

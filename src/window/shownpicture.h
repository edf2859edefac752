#pragma once

#include "picture/enhancement.h"

#include <QImage>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace veltaro {

class PictureBox;

// The picture in the image box, as downloaded and as seen: the box shows it enhanced, and the
// picture itself is kept beside it only while the two differ (without an enhancement its memory
// has one owner and is reused). A change of enhancement sees the picture on screen anew off the
// window's thread; a newer picture or enhancement drops what an older one would still deliver.
// It also reads the pixel under the pointer, in the picture's own coordinates whatever the zoom.
class ShownPicture : public QObject
{
    Q_OBJECT

public:
    // Goes before the image box: the window deletes it first.
    ShownPicture(PictureBox *imageBox, QObject *parent);
    ~ShownPicture() override;

    // Gives the box `picture`, seen as `seen` when that is not null; returns the picture held
    // before (null for none), whose memory the next decode may reuse.
    QImage show(QImage picture, QImage seen);
    // The picture itself, enhanced or not.
    QImage picture() const;
    // The picture as it is seen (enhanced), whatever the box shows instead of it.
    QImage seen() const;
    // The box shows `composite`, made of the picture and another one, until endComposite();
    // the pixel under the pointer is read by `readout`, in the composite's pixels. Pictures
    // shown and enhancements chosen meanwhile are kept as the picture, and seenChanged() says
    // so, for the composite to be made anew.
    void showComposite(QImage composite, std::function<QString(QPoint)> readout);
    void endComposite();
    // Said after the value under the pointer while the picture shown is one made, not
    // downloaded (" · 插值"); show() clears it.
    void setReadoutNote(const QString &note);
    bool isCompositing() const { return m_compositing; }
    void setEnhancement(const Enhancement &enhancement);

    // "像素 (812, 440) · 灰度 201" for the pointer over the picture; empty elsewhere.
    QString readout() const { return m_readout; }

signals:
    void readoutChanged(const QString &text);
    // Another picture or another way of seeing it: seen() has changed.
    void seenChanged();
    // A composite of another size took the picture's place, or gave it back.
    void sizeChanged(QSize before);
    // The picture on screen could not be seen anew with the enhancement chosen.
    void enhancementFailed(const QString &reason);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateReadout();
    void setSeen(QImage seen);

    PictureBox *m_box;
    QPointer<QWidget> m_area; // the box's inside, where the pointer is followed
    Enhancement m_enhancement;
    // The picture itself while the box shows it enhanced; null otherwise.
    QImage m_original;
    quint64 m_generation = 0;
    QPointF m_pointer;
    QPointF m_pointerOnScreen; // where it stays while the picture moves under it
    bool m_pointerOver = false;
    QString m_readout;
    QString m_readoutNote;
    // While the box shows a composite: the picture as seen, and how the composite is read.
    bool m_compositing = false;
    QImage m_seenA;
    std::function<QString(QPoint)> m_compositeReadout;
};

} // namespace veltaro

#pragma once

#include "retrieval/displayview.h"

#include <QObject>
#include <QImage>
#include <QSize>

#include <functional>
#include <optional>
#include <utility>


namespace veltaro {

class PictureBox;

// Keeping what the viewport shows: copying the picture and saving its downloaded bytes, and the
// text that says which moment the picture stands for. They act on the picture shown, which
// after a failed command is an earlier one than the lists show; a context menu acts on the
// picture it was opened on, and the save dialog saves the picture shown when it was opened,
// whatever playback shows meanwhile. The picture boxes' context menu holds the window's actions
// that were added to them.
class PictureKeeper : public QObject
{
    Q_OBJECT

public:
    PictureKeeper(QWidget *window, PictureBox *viewport, PictureBox *imageBox);

    // The display command showed a picture from `source`.
    void pictureShown(const PictureSource &source, QSize size);

    // "北京时间 2008-07-18 10:00 · UTC 2008-07-18 02:00 · 807180200.jpg · 1400 × 1100 · 100 %",
    // the zoom last "适应窗口 63 %" in fit mode.
    QString description() const { return m_description; }
    // While comparing, the two moments and the mode, heard with the picture; empty when not.
    void setComparing(const QString &moments);
    // A frame made between two hours is shown: described so, and never saved as downloaded.
    void madeFrameShown(const QString &moment);

    // The viewport shows the picture at another zoom.
    void zoomChanged(double zoom, bool fitting);

    void copy();
    void saveAs();
    // Saves the picture as it is seen (enhanced) as PNG.
    void saveSeen();

    bool hasPicture() const { return !m_source.bytes.isEmpty(); }
    // The moment of the picture shown; empty before the first.
    QueryTime shownMoment() const { return m_source.beijing; }
    // Who chooses the file to save to, given the proposed path and the dialog's filter, at once:
    // by default the platform's dialog, opened beside the window and answered when the user
    // has chosen.
    void setSavePathChooser(
        std::function<QString(const QString &proposed, const QString &filter)> choose);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void describe();
    void openMenu(QWidget *box, QPoint globalPosition);

    QWidget *m_window;
    PictureBox *m_viewport;
    PictureBox *m_imageBox;
    PictureSource m_source;
    // What a context menu was opened on, while it is open (until a command chosen in it ran).
    std::optional<std::pair<PictureSource, QImage>> m_menuOn;
    QString m_shown; // the moment, the name and the size
    QString m_zoom;
    QString m_description;
    QString m_comparing;
    bool m_made = false;
    QString m_savedIn; // the folder the user saved in last, since the program started
    std::function<void(const QString &, const QString &, std::function<void(QString)>)> m_choosePath;
};

} // namespace veltaro

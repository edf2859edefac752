#pragma once

#include "retrieval/displayview.h"

#include <QObject>
#include <QSize>

#include <functional>

class QAction;

namespace veltaro {

class PictureBox;

// Keeping what the viewport shows: "复制图像" (Ctrl+C) and "另存为…" (Ctrl+S), in the picture's
// context menu and anywhere in the window, and the text that says which moment the picture
// stands for. They act on the picture shown, which after a failed command is an earlier one
// than the lists show.
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

    // The viewport shows the picture at another zoom.
    void zoomChanged(double zoom, bool fitting);

    void copy();
    void saveAs();

    QAction *copyAction() const { return m_copy; }
    QAction *saveAction() const { return m_save; }
    // Who chooses the file to save to: the platform's dialog, unless replaced.
    void setSavePathChooser(std::function<QString(const QString &proposed)> choose);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void describe();

    QWidget *m_window;
    PictureBox *m_viewport;
    PictureBox *m_imageBox;
    QAction *m_copy;
    QAction *m_save;
    PictureSource m_source;
    QString m_shown; // the moment, the name and the size
    QString m_zoom;
    QString m_description;
    QString m_savedIn; // the folder the user saved in last, since the program started
    std::function<QString(const QString &)> m_choosePath;
};

} // namespace veltaro

#pragma once

#include "picture/enhancement.h"
#include "query/moment.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <optional>

namespace veltaro {

class ActionTable;
class InstrumentPanel;
class PictureBox;
class Player;
class ShownPicture;
class TimeStepper;
class Transfer;
class TransferRequest;
class DisplayCommand;

// Comparing the picture on screen (A) with another moment (B): by default the same hour a day
// earlier, following A at that distance through steps and playing, or a moment held fixed. B is
// fetched through the transfer (a kept copy without the network), decoded and enhanced as A is,
// off the window's thread; the two are made into one picture by the mode chosen (blink, swipe,
// fade, difference, side by side), which the image box shows in A's place, so that zoom, fit,
// panning, copying and saving act on what is seen. The comparer alone holds B's download and
// cancels it; a B or a composite that comes after another was asked for is dropped. A missing
// B is said with its reason, and A is shown alone until a B comes.
class Comparer : public QObject
{
    Q_OBJECT

public:
    enum class Mode { Blink, Swipe, Fade, Difference, SideBySide };

    struct Parts
    {
        ActionTable &actions;
        InstrumentPanel &panel;
        ShownPicture &shown;
        Player &player;
        TimeStepper &stepper;
        DisplayCommand &display;
        Transfer &transfer;
        PictureBox &imageBox;
    };

    Comparer(Parts parts, QObject *parent);
    ~Comparer() override;

    bool isOn() const { return m_on; }
    Mode mode() const { return m_mode; }
    void setOn(bool on);
    void setMode(Mode mode);
    // B as a distance from A in hours (following A), or a moment held fixed.
    void followAt(int hours);
    void holdAt(const Moment &moment);
    int followingHours() const { return m_offsetHours; }
    std::optional<Moment> heldAt() const { return m_fixed; }
    // Swipe: where the divider stands, in thousandths of the width; fade: B's opacity, 0–100.
    int divider() const { return m_divider; }
    int opacity() const { return m_opacity; }
    void setDivider(int thousandths);
    void setOpacity(int percent);
    void moreOf(int towardB);
    void swap();

    // The moments compared, for the label; none while comparing is off or nothing is shown.
    std::optional<Moment> momentA() const { return m_a; }
    std::optional<Moment> momentB() const;
    // "A 北京时间 2008-07-18 10:00 · B 北京时间 2008-07-17 10:00 · 卷帘".
    QString description() const;
    // The picture A was shown with: the window calls it after each picture shown.
    void pictureShown(const std::optional<Moment> &moment);
    void setEnhancement(const Enhancement &enhancement);

    static QString modeName(Mode mode);

signals:
    // Something to say on the status line (a missing B, its reason).
    void said(const QString &reason);
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fetchB();
    void takeB(const QByteArray &bytes, quint64 generation);
    void compose();
    void blink();
    void showBlinkFrame();
    void markSides(QImage &composite) const;
    void describe();
    QString readout(QPoint pixel) const;

    Parts m_parts;
    bool m_on = false;
    Mode m_mode = Mode::Swipe;
    int m_offsetHours = -24;
    std::optional<Moment> m_fixed;
    int m_divider = 500;
    int m_opacity = 50;
    std::optional<Moment> m_a;
    std::optional<Moment> m_bLoaded; // the moment of the B held
    QImage m_bPicture;
    QImage m_bSeen;
    QString m_bMissing; // why no B is shown, while none is
    Enhancement m_enhancement;
    QPointer<TransferRequest> m_bRequest;
    quint64 m_bGeneration = 0;
    quint64 m_composeGeneration = 0;
    QTimer m_blink;
    bool m_blinkShowsB = false;
    Qt::Orientation m_across = Qt::Horizontal;
    bool m_legendTold = false; // the colour bar says how the difference reads
    QString m_enhancementTip;
    QPointer<QWidget> m_area; // the image box's inside, where a drag moves the divider
};

} // namespace veltaro

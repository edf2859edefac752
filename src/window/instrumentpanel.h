#pragma once

#include <QList>
#include <QObject>

class QComboBox;
class QDoubleSpinBox;
class QSlider;
class QLabel;
class QWidget;

namespace veltaro {

class ActionTable;
class FittedLabel;
class FrameStrip;
class LegendBar;

// What the window shows of what it can do, beside the design's own controls: the moment of the
// picture on screen (right of "退出" where there is room), and below the bottom row the
// transport (play, loop and its span, back and forth, speed, a rest on the last frame, what
// plays), export and help; the enhancement with its colour bar, the zoom and the value under
// the pointer, in groups that wrap to the window's width; and the frame strip. Every button is
// a command's action; the lists and boxes set the player. The window places the two rows
// (infoRow, transportRow) and wires them to what they show.
class InstrumentPanel : public QObject
{
    Q_OBJECT

public:

    InstrumentPanel(QWidget *window, const ActionTable &actions);

    QWidget *infoRow() const { return m_infoRow; }
    QWidget *transportRow() const { return m_transportRow; }

    FittedLabel *momentLabel() const { return m_moment; }
    QLabel *playingLabel() const { return m_playing; }
    QComboBox *compareModes() const { return m_compareModes; }
    QComboBox *smoothSteps() const { return m_smoothSteps; }
    QComboBox *smoothGap() const { return m_smoothGap; }
    QSlider *compareAmount() const { return m_compareAmount; }
    FittedLabel *comparingLabel() const { return m_comparing; }
    QLabel *zoomLabel() const { return m_zoom; }
    QLabel *speedLabel() const { return m_speed; }
    QComboBox *spanList() const { return m_span; }
    QDoubleSpinBox *restBox() const { return m_rest; }
    FrameStrip *strip() const { return m_strip; }
    QComboBox *enhancementList() const { return m_enhancements; }
    QLabel *readout() const { return m_readout; }
    LegendBar *legend() const { return m_legend; }

    // The panel's controls that take the focus, in order.
    QList<QWidget *> focusChain() const { return m_focusChain; }

    // The moment shown, from its longest form ("北京时间 2008-07-18 10:00 · UTC 02:00 · 北京时间
    // 09:00 无图像") to its shortest ("07-18 10:00 · UTC 02"): the label shows what fits.
    void showMoment(const QStringList &forms);
    // What plays: "循环 07-17 11:00 – 07-18 10:00，24 小时", or nothing.
    void showPlaying(const QString &state);
    // Comparing: the two moments and the mode, the mode's list and the slider (the divider in
    // per cent of the width, or B's opacity); hidden while off.
    void showComparing(bool on, const QString &moments, const QString &mode, int amount);
    // Smooth playing: on or off, and into how many steps each hour is cut.
    void showSmoothing(bool on, int steps, int longestGap);
    void showZoom(double zoom, bool fitting);
    void showSpeed(int picturesPerSecond);

signals:
    // What the panel shows takes another room: the window places it anew.
    void resized();
    void spanChosen(int hours);
    void enhancementChosen(int index);
    void restChosen(int ms);

private:
    QWidget *m_infoRow;
    QWidget *m_transportRow;
    FittedLabel *m_moment;
    QLabel *m_zoom;
    QLabel *m_speed;
    QComboBox *m_span;
    QDoubleSpinBox *m_rest;
    FrameStrip *m_strip;
    QComboBox *m_enhancements;
    QLabel *m_readout;
    LegendBar *m_legend;
    QLabel *m_playing;
    QWidget *m_compareControls;
    QComboBox *m_compareModes;
    QComboBox *m_smoothSteps;
    QComboBox *m_smoothGap;
    QSlider *m_compareAmount;
    FittedLabel *m_comparing;
    QList<QWidget *> m_focusChain;
};

} // namespace veltaro

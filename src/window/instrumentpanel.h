#pragma once

#include <QList>
#include <QObject>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QWidget;

namespace veltaro {

class ActionTable;
class FrameStrip;
class LegendBar;

// What the window shows of what it can do, beside the design's own controls: the moment of the
// picture on screen (right of "退出"), and below the bottom row the transport (play, loop and
// its span, back and forth, speed, a rest on the last frame), export and help; the enhancement
// with its colour bar, the zoom and the value under the pointer; and the frame strip. Every button is a command's action; the lists and boxes set the player. The window
// places the two rows (infoRow, transportRow) and wires them to what they show.
class InstrumentPanel : public QObject
{
    Q_OBJECT

public:

    InstrumentPanel(QWidget *window, const ActionTable &actions);

    QWidget *infoRow() const { return m_infoRow; }
    QWidget *transportRow() const { return m_transportRow; }

    QLabel *momentLabel() const { return m_moment; }
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

    // "北京时间 2008-07-18 10:00 · UTC 02:00", with what is missing after it ("09:00 无图像").
    void showMoment(const QString &moment, const QString &missing = {});
    void showZoom(double zoom, bool fitting);
    void showSpeed(int picturesPerSecond);

signals:
    void spanChosen(int hours);
    void enhancementChosen(int index);
    void restChosen(int ms);

private:
    QWidget *m_infoRow;
    QWidget *m_transportRow;
    QLabel *m_moment;
    QLabel *m_zoom;
    QLabel *m_speed;
    QComboBox *m_span;
    QDoubleSpinBox *m_rest;
    FrameStrip *m_strip;
    QComboBox *m_enhancements;
    QLabel *m_readout;
    LegendBar *m_legend;
    QList<QWidget *> m_focusChain;
};

} // namespace veltaro

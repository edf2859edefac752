#pragma once

#include <QDialog>

class QDoubleSpinBox;
class QSpinBox;

namespace veltaro {

class Enhancer;

// Brightness, contrast and gamma on top of any enhancement, with a reset; every change shows at
// once. Not modal: the picture, and playback, go on beside it.
class AdjustDialog : public QDialog
{
    Q_OBJECT

public:
    AdjustDialog(Enhancer &enhancer, QWidget *parent);

    QSpinBox *brightness() const { return m_brightness; }
    QSpinBox *contrast() const { return m_contrast; }
    QDoubleSpinBox *gamma() const { return m_gamma; }

private:
    void showSettings();
    void apply();

    Enhancer &m_enhancer;
    QSpinBox *m_brightness;
    QSpinBox *m_contrast;
    QDoubleSpinBox *m_gamma;
};

} // namespace veltaro

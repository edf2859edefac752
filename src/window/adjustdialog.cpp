#include "window/adjustdialog.h"

#include "window/enhancer.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace veltaro {

AdjustDialog::AdjustDialog(Enhancer &enhancer, QWidget *parent)
    : QDialog(parent), m_enhancer(enhancer), m_brightness(new QSpinBox(this)),
      m_contrast(new QSpinBox(this)), m_gamma(new QDoubleSpinBox(this))
{
    setWindowTitle(tr("调整亮度、对比度和伽马"));
    for (QSpinBox *box : {m_brightness, m_contrast})
        box->setRange(-100, 100);
    m_gamma->setRange(0.2, 5.0);
    m_gamma->setSingleStep(0.1);
    m_gamma->setDecimals(2);
    auto *form = new QFormLayout(this);
    form->addRow(tr("亮度"), m_brightness);
    form->addRow(tr("对比度"), m_contrast);
    form->addRow(tr("伽马"), m_gamma);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Reset | QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Reset)->setText(tr("复原"));
    form->addRow(buttons);
    // Wide enough for its title, which a window manager would otherwise cut short.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 8 * fontMetrics().averageCharWidth());
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Reset), &QPushButton::clicked, this,
            [this] { m_enhancer.setAdjustments({}); });
    for (QSpinBox *box : {m_brightness, m_contrast})
        connect(box, &QSpinBox::valueChanged, this, &AdjustDialog::apply);
    connect(m_gamma, &QDoubleSpinBox::valueChanged, this, &AdjustDialog::apply);
    connect(&m_enhancer, &Enhancer::changed, this, &AdjustDialog::showSettings);
    showSettings();
}

void AdjustDialog::showSettings()
{
    // The enhancer's own values, shown without being applied back to it.
    const QSignalBlocker brightness(m_brightness);
    const QSignalBlocker contrast(m_contrast);
    const QSignalBlocker gamma(m_gamma);
    const Adjustments adjust = m_enhancer.adjustments();
    m_brightness->setValue(adjust.brightness);
    m_contrast->setValue(adjust.contrast);
    m_gamma->setValue(adjust.gamma);
}

void AdjustDialog::apply()
{
    m_enhancer.setAdjustments({m_brightness->value(), m_contrast->value(), m_gamma->value()});
}

} // namespace veltaro

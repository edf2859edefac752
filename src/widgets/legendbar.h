#pragma once

#include <QWidget>

#include <array>

namespace veltaro {

// The enhancement in use as a colour bar: grey level 0 at the left, 255 at the right, with the
// levels marked under it every 64.
class LegendBar : public QWidget
{
    Q_OBJECT

public:
    explicit LegendBar(QWidget *parent = nullptr);

    void setColours(const std::array<QRgb, 256> &colours);
    QRgb colourAt(int level) const { return m_colours[size_t(level)]; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<QRgb, 256> m_colours{};
};

} // namespace veltaro

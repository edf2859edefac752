#pragma once

#include <QList>
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

    // The levels numbered under the bar at its width, and where each number's middle stands.
    QList<int> numberedLevels() const;
    int numberCentre(int level) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int margin() const;

    static constexpr int kBarHeight = 6;
    static constexpr int kTickLength = 3;

    std::array<QRgb, 256> m_colours{};
};

} // namespace veltaro

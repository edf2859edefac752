#include "window/playersettings.h"

#include "query/looplimits.h"
#include "widgets/viewport.h"
#include "window/player.h"
#include "window/settingsfile.h"
#include "window/smoother.h"

#include <QDir>

#include <algorithm>
#include <cmath>

namespace veltaro {

namespace {

const QString kSpeedKey = QStringLiteral("player/speed");
const QString kBackAndForthKey = QStringLiteral("player/backAndForth");
const QString kRestKey = QStringLiteral("player/restMs");
const QString kSpanKey = QStringLiteral("player/loopHours");
const QString kFitKey = QStringLiteral("view/fit");
const QString kSmoothKey = QStringLiteral("smooth/on");
const QString kSmoothStepsKey = QStringLiteral("smooth/steps");
const QString kSmoothGapKey = QStringLiteral("smooth/longestGapHours");
constexpr int kSaveAfterMs = 500;

} // namespace

PlayerSettings::PlayerSettings(const QString &settingsFile, Player &player, Viewport &viewport,
                               Smoother &smoother, QObject *parent)
    : QObject(parent), m_player(player), m_viewport(viewport), m_smoother(smoother),
      m_settings(settingsIn(settingsFile))
{
    m_save.setSingleShot(true);
    m_save.setInterval(kSaveAfterMs);
    m_save.callOnTimeout(this, &PlayerSettings::save);

    const auto number = [this](const QString &key, int lowest, int highest) -> std::optional<int> {
        bool ok = false;
        const double value = m_settings->value(key).toDouble(&ok);
        if (!ok || !std::isfinite(value) || value < lowest || value > highest || value != std::floor(value))
            return std::nullopt;
        return int(value);
    };
    m_reading = true;
    if (const auto speed = number(kSpeedKey, loop::kSlowest, loop::kFastest))
        m_player.setSpeed(*speed);
    if (const auto rest = number(kRestKey, 0, loop::kLongestRestMs))
        m_player.setRestMs(*rest);
    if (const auto span = number(kSpanKey, loop::kSpans.front(), loop::kSpans.back());
        span && std::find(loop::kSpans.begin(), loop::kSpans.end(), *span) != loop::kSpans.end())
        m_player.setLoopHours(*span);
    if (const auto steps = number(kSmoothStepsKey, loop::kFewestSmoothSteps, loop::kMostSmoothSteps))
        m_smoother.setSteps(*steps);
    if (const auto gap = number(kSmoothGapKey, loop::kSmoothGaps.front(), loop::kSmoothGaps.back());
        gap && std::find(loop::kSmoothGaps.begin(), loop::kSmoothGaps.end(), *gap) != loop::kSmoothGaps.end())
        m_smoother.setLongestGap(*gap);
    const auto yes = [this](const QString &key) { return m_settings->value(key).toString() == QLatin1String("true"); };
    if (yes(kBackAndForthKey))
        m_player.setBackAndForth(true);
    if (yes(kFitKey))
        m_viewport.fitToViewport();
    if (yes(kSmoothKey))
        m_smoother.setOn(true);
    m_reading = false;
    m_values = m_written = now();

    connect(&m_player, &Player::changed, this, &PlayerSettings::remember);
    connect(&m_viewport, &Viewport::zoomChanged, this, &PlayerSettings::remember);
    connect(&m_smoother, &Smoother::changed, this, &PlayerSettings::remember);
}

PlayerSettings::~PlayerSettings()
{
    if (m_save.isActive())
        save();
}

PlayerSettings::Values PlayerSettings::now() const
{
    return {m_player.speed(), m_player.backAndForth(), m_player.restMs(), m_player.loopHours(),
            m_viewport.fitting(), m_smoother.isOn(), m_smoother.steps(), m_smoother.longestGap()};
}

void PlayerSettings::remember()
{
    if (m_reading)
        return;
    // Taken now, while the player and the viewport are there; written a moment after the last
    // change, and only when something did change (a new picture is no reason to write).
    m_values = now();
    if (m_values == m_written)
        m_save.stop();
    else
        m_save.start();
}

void PlayerSettings::save()
{
    m_settings->setValue(kSpeedKey, m_values.speed);
    m_settings->setValue(kBackAndForthKey, m_values.backAndForth);
    m_settings->setValue(kRestKey, m_values.restMs);
    m_settings->setValue(kSpanKey, m_values.loopHours);
    m_settings->setValue(kFitKey, m_values.fit);
    m_settings->setValue(kSmoothKey, m_values.smooth);
    m_settings->setValue(kSmoothStepsKey, m_values.smoothSteps);
    m_settings->setValue(kSmoothGapKey, m_values.smoothGap);
    m_settings->sync();
    m_written = m_values;
    if (m_settings->status() != QSettings::NoError)
        emit notSaved(tr("无法保存设置到 %1").arg(QDir::toNativeSeparators(m_settings->fileName())));
}

} // namespace veltaro

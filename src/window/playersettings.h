#pragma once

#include <QObject>
#include <QSettings>
#include <QTimer>

#include <memory>

namespace veltaro {

class Player;
class Smoother;
class Viewport;

// What the panel was left at lasts to the next start: the speed, back and forth, the rest on the
// last frame, the loop's span, whether pictures are fitted to the viewport, and smooth playing
// (on or off, its steps and the longest gap it fills). Read once at
// start (a value that is not a number in its range is the default), written a moment after the
// last change, and a failed write is said, never passed over. With nothing remembered the
// window starts as its design does, at 100 %. It goes before the player and the viewport.
class PlayerSettings : public QObject
{
    Q_OBJECT

public:
    // `settingsFile` empty: the user's settings.
    PlayerSettings(const QString &settingsFile, Player &player, Viewport &viewport, Smoother &smoother,
                   QObject *parent);
    ~PlayerSettings() override;

signals:
    void notSaved(const QString &reason);

private:
    struct Values
    {
        int speed = 0;
        bool backAndForth = false;
        int restMs = 0;
        int loopHours = 0;
        bool fit = false;
        bool smooth = false;
        int smoothSteps = 0;
        int smoothGap = 0;
        bool operator==(const Values &) const = default;
    };
    Values now() const;
    void remember();
    void save();

    Player &m_player;
    Viewport &m_viewport;
    Smoother &m_smoother;
    std::unique_ptr<QSettings> m_settings;
    QTimer m_save;
    bool m_reading = false;
    Values m_values;  // as last seen
    Values m_written; // as on disk
};

} // namespace veltaro

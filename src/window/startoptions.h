#pragma once

#include "query/moment.h"

#include <optional>

namespace veltaro {

// How the window starts: with a moment picked and shown, and a loop played.
struct StartOptions
{
    std::optional<Moment> moment;
    int loopHours = 0; // 0: no loop
    int fps = 0;       // 0: the player's own speed
};

} // namespace veltaro

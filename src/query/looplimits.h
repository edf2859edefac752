#pragma once

// What a loop may be: its speed, its span of hours, the rest on its last frame. The player, the
// panel, the export dialog, the command line and the export all take these from here.

#include <array>

namespace veltaro::loop {

inline constexpr int kSlowest = 1; // pictures a second
inline constexpr int kFastest = 10;
inline constexpr int kDefaultSpeed = 4;

// The spans a loop plays, in hours that end at the picked moment.
inline constexpr std::array<int, 4> kSpans{6, 12, 24, 48};
inline constexpr int kDefaultSpan = 24;

inline constexpr int kLongestRestMs = 3000;
inline constexpr int kRestStepMs = 500;

// An export takes one picture every 1, 2 or 3 hours, of at most this many hours.
inline constexpr std::array<int, 3> kEvery{1, 2, 3};
inline constexpr int kLongestExportHours = 240;

// Smooth loops cut each hour into 2 to 4 steps: 1 to 3 frames made between two hours.
inline constexpr int kFewestSmoothSteps = 2;
inline constexpr int kMostSmoothSteps = 4;
// Frames are made across a gap of at most so many hours between two pictures (missing hours,
// or every 2 or 3 hours); over a longer one the loop jumps. 1: never across a missing hour.
inline constexpr std::array<int, 5> kSmoothGaps{1, 2, 3, 4, 6};
inline constexpr int kDefaultSmoothGapHours = 3;

} // namespace veltaro::loop

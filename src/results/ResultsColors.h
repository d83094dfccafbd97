// Ostrel-Vane Studio - the colours of the results tables, the assumptions report and the
// charts (0x00BBGGRR values).
#pragma once

#include "platform/Canvas.h"

namespace HalvrennInc {

inline constexpr TColor kResultsBlack = colorFromRgb(0, 0, 0);
inline constexpr TColor kResultsBlue = colorFromRgb(0, 0, 255);
inline constexpr TColor kResultsRed = colorFromRgb(255, 0, 0);
//! The backgrounds alternate between these two, starting with yellow.
inline constexpr TColor kResultsYellow = colorFromRgb(255, 255, 0);
inline constexpr TColor kResultsCyan = colorFromRgb(0, 255, 255);

}  // namespace HalvrennInc

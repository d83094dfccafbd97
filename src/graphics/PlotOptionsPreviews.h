// Ostrel-Vane Studio - the two clickable samples of the plot options dialog: the four
// axis styles and the three tic styles, each sample under an invisible rectangle that
// carries its object ID.
#pragma once

#include <memory>

#include "graphics/Drawing.h"

namespace HalvrennInc {

//! Four samples stacked downward, 15 units apart: open axes, a frame, a frame with tics
//! on every side, and axes crossing in the middle. Object IDs 1 to 4.
std::unique_ptr<Drawing> BuildAxisStylePreview();

//! Three samples 20 units apart: tics across the axes, inside and outside. Object IDs 5
//! to 7.
std::unique_ptr<Drawing> BuildTicStylePreview();

}  // namespace HalvrennInc

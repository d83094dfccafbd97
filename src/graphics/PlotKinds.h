// Ostrel-Vane Studio - the two plot kinds whose number of lines the user may change:
// the interaction plot (kind 1) and the contour plot (kind 2). The program creates
// neither; they keep the options dialog's and the session reader's branches meaningful.
#pragma once

#include "graphics/Plot.h"

namespace HalvrennInc {

class InteractionPlot : public Plot {
public:
    using Plot::Plot;
    int Kind() const override { return 1; }
};

class ContourPlot : public Plot {
public:
    using Plot::Plot;
    int Kind() const override { return 2; }
};

//! Brings an interaction plot to n lines: new value lines get colours in turn, and the
//! values of all lines are spread evenly from the largest old value down to the smallest.
//! Ignored for other kinds.
void SetNumberOfLines(Plot& plot, std::uint32_t uNumber);
//! Brings a contour plot to n lines: new value line k is numbered k. Ignored for other
//! kinds.
void SetNumberOfContours(Plot& plot, std::uint32_t uNumber);

}  // namespace HalvrennInc

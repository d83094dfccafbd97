// Ostrel-Vane Studio - the axis-style and tic-style samples of the plot options dialog.
#include "graphics/PlotOptionsPreviews.h"

namespace HalvrennInc {

namespace {
constexpr std::uint8_t kSolid = 1;
constexpr std::uint8_t kNotDisplayed = 0;
constexpr TColor kBlack = 0;

void addLine(Drawing& drawing, double x1, double y1, double x2, double y2)
{
    drawing.AddLine(x1, y1, x2, y2, kSolid, kBlack, 0, 0, 0);
}

// The invisible rectangle over a sample: a click anywhere on the sample hits it.
void addHotSpot(Drawing& drawing, double x1, double y1, double x2, double y2, std::uint32_t uObjectID)
{
    drawing.AddRect(x1, y1, x2, y2, kNotDisplayed, kBlack, 0, false, kBlack, uObjectID);
}

// An axis of length 10 from (x, y), horizontal or vertical, with tics across it: length 2
// at its ends and middle, 1 at the quarter points.
void addAxisWithTics(Drawing& drawing, double x, double y, bool bHorizontal)
{
    if (bHorizontal)
        addLine(drawing, x, y, x + 10, y);
    else
        addLine(drawing, x, y, x, y + 10);
    for (int k = 0; k <= 4; ++k) {
        const double dHalf = (k % 2 == 0) ? 1.0 : 0.5;
        const double dAlong = 2.5 * k;
        if (bHorizontal)
            addLine(drawing, x + dAlong, y - dHalf, x + dAlong, y + dHalf);
        else
            addLine(drawing, x - dHalf, y + dAlong, x + dHalf, y + dAlong);
    }
}
}  // namespace

std::unique_ptr<Drawing> BuildAxisStylePreview()
{
    auto pDrawing = std::make_unique<Drawing>();
    Drawing& d = *pDrawing;
    for (int k = 0; k < 4; ++k) {
        const double o = 15.0 * k;
        if (k < 3) {
            addAxisWithTics(d, 0, o, false);
            addAxisWithTics(d, 0, o + 10, true);
        } else {
            addAxisWithTics(d, 5, o, false);
            addAxisWithTics(d, 0, o + 5, true);
        }
        if (k == 1) {
            addLine(d, 10, o, 10, o + 10);
            addLine(d, 0, o, 10, o);
        } else if (k == 2) {
            addAxisWithTics(d, 10, o, false);
            addAxisWithTics(d, 0, o, true);
        }
        addHotSpot(d, -1, o - 1, 11, o + 11, static_cast<std::uint32_t>(k + 1));
    }
    return pDrawing;
}

std::unique_ptr<Drawing> BuildTicStylePreview()
{
    auto pDrawing = std::make_unique<Drawing>();
    Drawing& d = *pDrawing;
    // Per sample: how far the tics reach toward the plot area and away from it, as a share
    // of the full length (8 at the ends, 4 in the middle).
    struct TicReach {
        double dInside;
        double dOutside;
    };
    constexpr TicReach kReach[3] = {{0.5, 0.5}, {0.5, 0}, {0, 0.5}};
    for (int k = 0; k < 3; ++k) {
        const double o = 20.0 * k;
        addLine(d, 0, o, 0, o + 10);
        addLine(d, 0, o + 10, 10, o + 10);
        for (const double dAlong : {0.0, 5.0, 10.0}) {
            const double dLength = dAlong == 5.0 ? 4 : 8;
            const double dIn = kReach[k].dInside * dLength, dOut = kReach[k].dOutside * dLength;
            // The plot area lies right of the y axis and above the x axis.
            addLine(d, -dOut, o + dAlong, dIn, o + dAlong);
            addLine(d, dAlong, o + 10 - dIn, dAlong, o + 10 + dOut);
        }
        addHotSpot(d, -4, o, 10, o + 14, static_cast<std::uint32_t>(k + 5));
    }
    return pDrawing;
}

}  // namespace HalvrennInc

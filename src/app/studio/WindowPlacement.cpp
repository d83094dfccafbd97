// Ostrel-Vane Studio - where a new results window goes, and its distinct caption.
#include "app/studio/WindowPlacement.h"

#include <algorithm>

namespace HalvrennInc {

namespace {
bool TopLeftTaken(const std::vector<PlacementRect>& others, int iLeft, int iTop)
{
    return std::any_of(others.begin(), others.end(),
                       [&](const PlacementRect& other) { return other.iLeft == iLeft && other.iTop == iTop; });
}
}  // namespace

PlacementRect PlaceResultsWindow(const ResultsPlacementInput& input)
{
    const PlacementRect& area = input.area;
    const PlacementRect& data = input.dataWindow;
    const int iStep = std::max(input.iStep, 1);

    // Where the cascade starts, and the bottom its windows keep above.
    int iLeft0 = area.iLeft;
    int iTop0 = area.iTop;
    int iBottom = area.Bottom();
    if (!data.Empty()) {
        const int iRoomBeside = area.Right() - data.Right();
        if (iRoomBeside * 2 >= input.iPreferredWidth) {
            iLeft0 = std::max(data.Right(), area.iLeft);
        } else {
            iLeft0 = data.iLeft + iStep;
            iTop0 = data.iTop + iStep;
            // Over the data window the buttons at its bottom stay uncovered, as long as
            // that leaves a window of some height.
            const int iAboveButtons = data.Bottom() - input.iDataButtonsHeight;
            if (iAboveButtons - iTop0 >= input.iPreferredHeight / 2) iBottom = std::min(iBottom, iAboveButtons);
        }
    }
    const int iMinWidth = std::max(input.iPreferredWidth / 2, 1);
    const int iMinHeight = std::max(input.iPreferredHeight / 2, 1);

    // The first step of the cascade not taken by an open window, while it leaves room.
    int iLeft = iLeft0;
    int iTop = iTop0;
    for (int k = 0;; ++k) {
        const int iTryLeft = iLeft0 + k * iStep;
        const int iTryTop = iTop0 + k * iStep;
        if (area.Right() - iTryLeft < iMinWidth || iBottom - iTryTop < iMinHeight) break;
        iLeft = iTryLeft;
        iTop = iTryTop;
        if (!TopLeftTaken(input.others, iLeft, iTop)) break;
    }
    // All steps taken: the first step again (title bars of the others still show).
    if (TopLeftTaken(input.others, iLeft, iTop)) {
        iLeft = iLeft0;
        iTop = iTop0;
    }
    PlacementRect placed;
    placed.iLeft = iLeft;
    placed.iTop = iTop;
    placed.iWidth = std::max(std::min(input.iPreferredWidth, area.Right() - iLeft), iMinWidth);
    placed.iHeight = std::max(std::min(input.iPreferredHeight, iBottom - iTop), iMinHeight);
    return placed;
}

std::string DistinctCaption(const std::string& sCaption, const std::vector<std::string>& psShown)
{
    auto shown = [&](const std::string& s) { return std::find(psShown.begin(), psShown.end(), s) != psShown.end(); };
    if (!shown(sCaption)) return sCaption;
    for (int n = 2;; ++n) {
        std::string sNumbered = sCaption + " (" + std::to_string(n) + ")";
        if (!shown(sNumbered)) return sNumbered;
    }
}

}  // namespace HalvrennInc

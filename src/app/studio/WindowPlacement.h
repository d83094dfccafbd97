// Ostrel-Vane Studio - where a new results window goes in the main window's work area,
// and the caption that tells it from other open windows of the same series.
#pragma once

#include <string>
#include <vector>

namespace HalvrennInc {

//! A rectangle of the work area, in pixels from its top-left corner.
struct PlacementRect {
    int iLeft = 0;
    int iTop = 0;
    int iWidth = 0;
    int iHeight = 0;
    int Right() const { return iLeft + iWidth; }
    int Bottom() const { return iTop + iHeight; }
    bool Empty() const { return iWidth <= 0 || iHeight <= 0; }
    friend bool operator==(const PlacementRect&, const PlacementRect&) = default;
};

//! What the placement of a new results window looks at.
struct ResultsPlacementInput {
    PlacementRect area;                 //!< the work area (its top-left is 0, 0)
    PlacementRect dataWindow;           //!< the data window's frame; empty when minimized or maximized
    int iDataButtonsHeight = 0;         //!< the strip at the data window's bottom that holds its buttons
    std::vector<PlacementRect> others;  //!< the results windows open now (normal ones)
    int iPreferredWidth = 0;            //!< the size the window asks for
    int iPreferredHeight = 0;
    int iStep = 24;  //!< the cascade's offset: a title bar's height, so every title bar stays in view
};

//! The place of a new results window. Beside the data window when the room to its right
//! is at least half the width asked for, else over it, below its title bar and ending
//! above its buttons. Windows already open push the new one down and right by one step
//! each (the first free step); when the steps run out of room the cascade starts again.
//! The size is the one asked for, cut to the work area.
PlacementRect PlaceResultsWindow(const ResultsPlacementInput& input);

//! The caption as it is shown: the caption itself when no other open window has it, else
//! the caption with the first free " (2)", " (3)", ... added.
std::string DistinctCaption(const std::string& sCaption, const std::vector<std::string>& psShown);

}  // namespace HalvrennInc

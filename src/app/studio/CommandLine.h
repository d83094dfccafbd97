// Ostrel-Vane Studio - the desktop program's command line: a session file to open, or the
// hand-over switches with which another program pastes its data (the clipboard) into the
// data window, selects a block of it and asks for a fast analysis.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/CellRange.h"

namespace HalvrennInc {

struct StartupCommand {
    //! The session file named as the first argument; the switches are then ignored.
    std::optional<std::string> sSessionFile;
    //! Every argument not beginning with "-" when the first is one of them: the files to
    //! open, in order (the first one a session file unless its name is a data file's).
    std::vector<std::string> psFiles;
    //! Any switch beginning -p, -s or -a: paste the clipboard at the paste cell.
    bool bHandOver = false;
    std::uint32_t uPasteColumn = 1;  //!< -pc, 1..256
    std::uint32_t uPasteRow = 1;     //!< -pr, 1..10000
    // The selection as given (-st, -sb, -sl, -sr), each clamped but not yet checked
    // against the others.
    std::uint32_t uSelectionTop = 1;
    std::uint32_t uSelectionBottom = 1;
    std::uint32_t uSelectionLeft = 1;
    std::uint32_t uSelectionRight = 1;
    bool bAnalyse = false;  //!< -a: a fast analysis of the selection

    //! Top, bottom, left and right make a block of the sheet; the analysis needs one.
    bool SelectionValid() const;
    CellRange Selection() const;
};

//! Reads the arguments after the program's name. A first argument that does not begin
//! with "-" is a session file. Otherwise every argument beginning with "-" is told by its
//! second and third characters; the number of a switch is the text from the fourth
//! character on, read as a number and truncated toward zero (0 when it does not parse),
//! and out-of-range values are clamped: a paste cell outside the sheet goes back to 1,
//! a selection edge beyond the sheet (or negative) to the last row or column.
StartupCommand ParseCommandLine(const std::vector<std::string>& psArguments);

//! The whole number a switch carries, truncated toward zero; 0 when the text is no
//! number. Magnitudes beyond 64 bits saturate.
std::int64_t SwitchNumber(std::string_view sText);

}  // namespace HalvrennInc

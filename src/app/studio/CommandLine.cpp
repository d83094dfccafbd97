// Ostrel-Vane Studio - the desktop program's command line.
#include "app/studio/CommandLine.h"

#include <cmath>
#include <limits>

#include "foundation/Real.h"

namespace HalvrennInc {

namespace {
//! A paste cell outside 1..uLast goes back to the first row or column.
std::uint32_t PastePosition(std::int64_t iValue, std::uint32_t uLast)
{
    return iValue >= 1 && iValue <= uLast ? static_cast<std::uint32_t>(iValue) : 1;
}

//! A selection edge beyond the sheet, or negative, becomes the last row or column; 0 is
//! kept, and makes the selection invalid.
std::uint32_t SelectionEdge(std::int64_t iValue, std::uint32_t uLast)
{
    return iValue >= 0 && iValue <= uLast ? static_cast<std::uint32_t>(iValue) : uLast;
}
}  // namespace

bool StartupCommand::SelectionValid() const
{
    return uSelectionTop >= 1 && uSelectionBottom <= kSheetRows && uSelectionBottom >= uSelectionTop &&
           uSelectionLeft >= 1 && uSelectionRight <= kSheetColumns && uSelectionRight >= uSelectionLeft;
}

CellRange StartupCommand::Selection() const
{
    return {uSelectionLeft, uSelectionTop, uSelectionRight, uSelectionBottom};
}

std::int64_t SwitchNumber(std::string_view sText)
{
    const Real value(sText);
    if (!value.isValid()) return 0;
    const double dWhole = std::trunc(value.value());
    // 2^63 is exactly representable; every double below it converts without overflow.
    constexpr double kLimit = 9223372036854775808.0;
    if (dWhole >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (dWhole < -kLimit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(dWhole);
}

StartupCommand ParseCommandLine(const std::vector<std::string>& psArguments)
{
    StartupCommand command;
    if (!psArguments.empty() && !psArguments.front().starts_with('-')) {
        command.sSessionFile = psArguments.front();
        for (const std::string& sArgument : psArguments)
            if (!sArgument.starts_with('-')) command.psFiles.push_back(sArgument);
        return command;
    }
    for (const std::string& sArgument : psArguments) {
        if (sArgument.size() < 2 || sArgument[0] != '-') continue;
        const char cKind = sArgument[1];
        if (cKind != 'p' && cKind != 's' && cKind != 'a') continue;
        command.bHandOver = true;
        if (cKind == 'a') {
            command.bAnalyse = true;
            continue;
        }
        const std::string_view sSwitch = std::string_view(sArgument).substr(0, 3);
        const std::int64_t iNumber = SwitchNumber(sArgument.size() > 3 ? std::string_view(sArgument).substr(3) : "");
        if (sSwitch == "-pc") command.uPasteColumn = PastePosition(iNumber, kSheetColumns);
        if (sSwitch == "-pr") command.uPasteRow = PastePosition(iNumber, kSheetRows);
        if (sSwitch == "-st") command.uSelectionTop = SelectionEdge(iNumber, kSheetRows);
        if (sSwitch == "-sb") command.uSelectionBottom = SelectionEdge(iNumber, kSheetRows);
        if (sSwitch == "-sl") command.uSelectionLeft = SelectionEdge(iNumber, kSheetColumns);
        if (sSwitch == "-sr") command.uSelectionRight = SelectionEdge(iNumber, kSheetColumns);
    }
    return command;
}

}  // namespace HalvrennInc

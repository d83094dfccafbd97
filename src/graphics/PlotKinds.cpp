// Ostrel-Vane Studio - growing and shrinking the interaction and contour plots.
#include "graphics/PlotKinds.h"

#include <array>

namespace HalvrennInc {

namespace {
constexpr std::array<TColor, 10> kLineColors = {0x000000, 0x404040, 0x000080, 0x800000, 0x008000,
                                                0x808080, 0x0000FF, 0xFF0000, 0x00FF00, 0xC0C0C0};

TColor colorOfLine(std::uint32_t uPosition)
{
    return kLineColors[uPosition % kLineColors.size()];
}

void removeLinesBeyond(Plot& plot, std::uint32_t uNumber)
{
    while (plot.NumberOfLines() > uNumber) plot.RemoveLine(plot.NumberOfLines());
}
}  // namespace

void SetNumberOfLines(Plot& plot, std::uint32_t uNumber)
{
    if (plot.Kind() != 1) return;
    const std::uint32_t uBefore = plot.NumberOfLines();
    removeLinesBeyond(plot, uNumber);
    if (uNumber > uBefore) {
        // The range of the values the plot had, to spread over all lines.
        Real lo(0.0), hi(0.0);
        bool bFound = false;
        for (std::uint32_t j = 1; j <= uBefore; ++j) {
            const Real& value = plot.Line(j)->Value;
            if (!value.isValid()) continue;
            if (!bFound || value < lo) lo = value;
            if (!bFound || value > hi) hi = value;
            bFound = true;
        }
        for (std::uint32_t j = uBefore + 1; j <= uNumber; ++j)
            plot.AddValueLine("", "", 0.2, colorOfLine(j), psInsideFrame);
        for (std::uint32_t j = 1; j <= uNumber; ++j) {
            // With one line there is nothing to spread: it takes the largest value.
            const Real value =
                uNumber < 2 ? hi
                            : (hi * Real(static_cast<double>(uNumber - j)) + lo * Real(static_cast<double>(j - 1))) /
                                  Real(static_cast<double>(uNumber - 1));
            plot.SetLineValueText(j, value.toText(5, true).view());
        }
    }
    plot.MarkLinesChanged();
}

void SetNumberOfContours(Plot& plot, std::uint32_t uNumber)
{
    if (plot.Kind() != 2) return;
    removeLinesBeyond(plot, uNumber);
    for (std::uint32_t k = plot.NumberOfLines() + 1; k <= uNumber; ++k)
        plot.AddValueLine("", Real(static_cast<double>(k)).toText(0, true).view(), 0.1, colorOfLine(k), psInsideFrame);
    plot.MarkLinesChanged();
}

}  // namespace HalvrennInc

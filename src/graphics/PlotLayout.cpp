// Ostrel-Vane Studio - laying a plot out as a drawing: the automatic y range, the
// clipping of the lines to the plot area, the shaded regions, the frame with its titles,
// scales, axes and tics, the key, and the lines with their point symbols.
#include <algorithm>
#include <cmath>

#include "graphics/Plot.h"

namespace HalvrennInc {

namespace {
constexpr TColor kBlack = 0;
// Above this many tics on one axis the tics between the numbers would merge into a solid
// bar; only the numbered ones are drawn then.
constexpr std::uint64_t kMostTicsPerAxis = 10000;
// The automatic scaling refines its step at most this often (a factor of 10 each time).
constexpr int kMostScalingRefinements = 40;

void addPointSymbol(Drawing& drawing, std::uint8_t uStyle, double x, double y, double dSize, TColor color,
                    std::uint32_t uObjectID)
{
    const double h = dSize / 2;
    const bool bFilled = uStyle >= symSolidCircle;
    switch (uStyle) {
        case symHollowCircle:
        case symSolidCircle:
            drawing.AddEllip(x - h, y - h, x + h, y + h, psInsideFrame, color, 0, bFilled, color, uObjectID);
            break;
        case symHollowSquare:
        case symSolidSquare:
            drawing.AddRect(x - h, y - h, x + h, y + h, psInsideFrame, color, 0, bFilled, color, uObjectID);
            break;
        case symHollowDiamond:
        case symSolidDiamond: {
            const WorldPoint diamond[] = {{x, y - h}, {x + h, y}, {x, y + h}, {x - h, y}, {x, y - h}};
            drawing.AddPoly(diamond, 5, psInsideFrame, color, 0, bFilled, color, uObjectID);
            break;
        }
        case symHollowTriangle:
        case symSolidTriangle: {
            const WorldPoint triangle[] = {{x, y - h}, {x + h, y + h}, {x - h, y + h}, {x, y - h}};
            drawing.AddPoly(triangle, 4, psInsideFrame, color, 0, bFilled, color, uObjectID);
            break;
        }
        default: break;  // no symbol
    }
}

// Where a tic of the given length crosses an axis at 'dAt', the smaller end first. dInward is +1 when the plot
// area lies toward larger coordinates from the axis (the y axis) and -1 when it lies
// toward smaller ones (the x axis, with y growing downward).
std::pair<double, double> ticExtent(std::uint8_t uAxisStyle, std::uint8_t uTicStyle, double dAt, double dLength,
                                    bool bPrimary, double dInward)
{
    if (uTicStyle == tsBothSides || uAxisStyle == asThroughZero) return {dAt - dLength, dAt + dLength};
    const bool bInside = (uTicStyle == tsInside && bPrimary) || (uTicStyle == tsOutside && !bPrimary);
    const double dEnd = bInside ? dAt + dInward * dLength : dAt - dInward * dLength;
    return {std::min(dAt, dEnd), std::max(dAt, dEnd)};
}

// The x where a line from (x0, y0) to (x1, y1) meets the height 'dBound'.
double crossing(double x0, double y0, double x1, double y1, double dBound)
{
    const double dRise = y1 - y0;
    return dRise == 0 ? x0 : x0 + (x1 - x0) * ((dBound - y0) / dRise);
}
}  // namespace

Plot::AxisRange Plot::rangeOf(const Real& minimum, const Real& maximum)
{
    const double dLow = minimum.value();
    const double dSpan = maximum.value() - dLow;
    if (dSpan != 0 && std::isfinite(dSpan)) return {dLow, dSpan};
    // Equal limits (a stored record may hold them) leave nothing to divide by: the axis
    // is laid out around its one value, as the automatic scaling widens such a range.
    const double dWidth = std::max(1.0, std::fabs(dLow) * 1e-9);
    return {dLow - dWidth, 2 * dWidth};
}

double Plot::plotWidth() const
{
    return 10 * std::max(m_dRatio, kSmallestRatio);
}

std::unique_ptr<Drawing> Plot::BuildDrawing()
{
    bringLinesUpToDate();
    auto pDrawing = std::make_unique<Drawing>();
    DrawShadedRegions(*pDrawing);
    DrawFrame(*pDrawing);
    DrawLines(*pDrawing);
    m_bChanged = false;
    return pDrawing;
}

// ---------------------------------------------------------------------------------------
// Automatic y range

void Plot::AutoScaleY()
{
    m_bAutoScalePending = false;
    if (m_lines.empty() || !(m_XMinimum < m_XMaximum)) return;

    bool bFound = false;
    double lo = 0, hi = 0;
    for (const auto& pLine : m_lines) {
        for (std::uint32_t k = 0; k < pLine->uNumber; ++k) {
            const Real& x = pLine->prX[k];
            const Real& y = pLine->prY[k];
            if (!(x >= m_XMinimum && x <= m_XMaximum) || !y.isValid()) continue;
            lo = bFound ? std::min(lo, y.value()) : y.value();
            hi = bFound ? std::max(hi, y.value()) : y.value();
            bFound = true;
        }
    }
    if (!bFound) return;
    if (Real::approxEqual(lo, hi)) {
        lo -= 1;
        hi += 1;
        if (!(lo < hi)) {  // a value so large that 1 is lost in it
            const double dWidth = std::fabs(lo) * 1e-9;
            lo -= dWidth;
            hi += dWidth;
        }
    }

    // Round outward to the coarsest power of ten that stays within a fifth of the range
    // of the values.
    const double m = 0.2 * (hi - lo);
    double dStep = std::pow(10.0, std::floor(std::log10(hi - lo)));
    double a = lo, b = hi;
    for (int k = 0; k < kMostScalingRefinements; ++k, dStep *= 0.1) {
        const double dLow = std::floor(lo / dStep) * dStep;
        const double dHigh = std::ceil(hi / dStep) * dStep;
        if (dLow >= lo - m && dHigh <= hi + m) {
            a = dLow;
            b = dHigh;
            break;
        }
    }
    const Real minimum(a), maximum(b);
    if (!minimum.isValid() || !maximum.isValid()) return;  // beyond the number range
    m_YMinimum = minimum;
    m_YMaximum = maximum;
    m_bLinesDirty = true;
    markChanged();
}

// ---------------------------------------------------------------------------------------
// Clipping

void Plot::ComputeLines()
{
    m_clipped.clear();
    const AxisRange xr = xRange();
    const AxisRange yr = yRange();
    const Real& yMin = m_YMinimum;
    const Real& yMax = m_YMaximum;
    for (std::uint32_t n = 1; n <= m_lines.size(); ++n) {
        const LineInfo& line = *m_lines[n - 1];
        const std::uint32_t uCount = line.uNumber;
        const Real* x = line.prX;
        const Real* y = line.prY;
        // The window of points whose x lies in the x range (x ascending).
        std::uint32_t i0 = 0;
        while (i0 < uCount && !(x[i0] >= m_XMinimum)) ++i0;
        std::uint32_t iEnd = i0;  // one past the window
        while (iEnd < uCount && !(x[iEnd] > m_XMaximum)) ++iEnd;
        if (iEnd <= i0) continue;

        // A point with a position it cannot be drawn at is treated as missing.
        auto known = [&](std::uint32_t k) { return x[k].isValid() && y[k].isValid(); };
        auto inside = [&](std::uint32_t k) { return known(k) && yMin <= y[k] && y[k] <= yMax; };
        auto addPoint = [&](std::vector<double>& run, double xValue, double yValue) {
            run.push_back(10 * xr.fraction(xValue));
            run.push_back(10 - 10 * yr.fraction(yValue));
        };
        // The point where the segment from k0 to k0 + 1 crosses the bound that the point
        // outside the range lies beyond.
        auto addEdge = [&](std::vector<double>& run, std::uint32_t k0, std::uint32_t kOutside) {
            const double dBound = y[kOutside] < yMin ? yMin.value() : yMax.value();
            const std::uint32_t k1 = k0 + 1;
            addPoint(run, crossing(x[k0].value(), y[k0].value(), x[k1].value(), y[k1].value(), dBound), dBound);
        };

        std::uint32_t k = i0;
        while (k < iEnd) {
            if (!inside(k)) {
                ++k;
                continue;
            }
            const std::uint32_t u = k;
            std::uint32_t e = u;
            while (e < iEnd && inside(e)) ++e;
            std::vector<double> run = {0, static_cast<double>(n)};
            if (u > i0 && known(u - 1)) addEdge(run, u - 1, u - 1);
            for (std::uint32_t j = u; j < e; ++j) addPoint(run, x[j].value(), y[j].value());
            if (e < iEnd && known(e)) addEdge(run, e - 1, e);
            const std::size_t uPoints = (run.size() - 2) / 2;
            run[0] = static_cast<double>(uPoints);
            m_clipped.push_back(std::move(run));
            k = e + 1;
        }
    }
    m_bLinesDirty = false;
}

// ---------------------------------------------------------------------------------------
// Drawing

void Plot::DrawShadedRegions(Drawing& drawing) const
{
    const double W = plotWidth();
    const AxisRange xr = xRange();
    for (const ShadedRegion& region : m_regions) {
        double dLeft = 0, dRight = W, dBottom = 10, dTop = 0;
        if (region.x1.isValid() && !(region.x1 < m_XMinimum)) {
            if (region.x1 > m_XMaximum) continue;
            dLeft = W * xr.fraction(region.x1.value());
        }
        if (region.x2.isValid() && !(region.x2 > m_XMaximum)) {
            if (region.x2 < m_XMinimum) continue;
            dRight = W * xr.fraction(region.x2.value());
        }
        if (region.y1.isValid() && !(region.y1 < m_YMinimum)) {
            if (region.y1 > m_YMaximum) continue;
            dBottom = yPlot(region.y1.value());
        }
        if (region.y2.isValid() && !(region.y2 > m_YMaximum)) {
            if (region.y2 < m_YMinimum) continue;
            dTop = yPlot(region.y2.value());
        }
        if (dLeft > dRight || dBottom < dTop) continue;
        drawing.AddRect(dLeft, dBottom, dRight, dTop, psInsideFrame, region.Color, 0, true, region.Color, 0);
    }
}

void Plot::DrawFrame(Drawing& drawing) const
{
    const double W = plotWidth();
    // The titles stand on the top edge, or above the x scale of axes through zero.
    double t;
    if (m_uAxisStyle == asThroughZero) {
        const double yz = std::max(10 * (1 - yRange().fraction(0)), 0.0);
        t = std::min(yz - m_dTicSizeNumber, 0.0) - m_dXAxisScaleSize / 2;
    } else if (m_uAxisStyle <= asFrame || m_uTicStyle == tsInside) {
        t = -m_dXAxisScaleSize / 2;
    } else {
        t = -m_dXAxisScaleSize / 2 - m_dTicSizeNumber;
    }
    if (!m_sSubTitle.empty()) {
        t -= m_dSubTitleSize;
        drawing.AddText(m_sSubTitle.view(), W / 2, t, m_dSubTitleSize, taCentre, m_SubTitleColor, true, false,
                        poTitles);
    }
    if (!m_sMainTitle.empty()) {
        t -= m_dMainTitleSize;
        drawing.AddText(m_sMainTitle.view(), W / 2, t, m_dMainTitleSize, taCentre, m_MainTitleColor, true, false,
                        poTitles);
    }

    DrawYAxisScale(drawing);
    DrawXAxisScale(drawing);

    switch (m_uAxisStyle) {
        case asOpen:
            DrawYAxisLine(drawing, 0, true);
            DrawXAxisLine(drawing, 10, true);
            break;
        case asFrame:
            DrawYAxisLine(drawing, 0, true);
            DrawXAxisLine(drawing, 10, true);
            drawing.AddLine(W, 0, W, 10, psInsideFrame, kBlack, 0, 0, 0);
            drawing.AddLine(0, 0, W, 0, psInsideFrame, kBlack, 0, 0, 0);
            break;
        case asFrameTics:
            DrawYAxisLine(drawing, 0, true);
            DrawXAxisLine(drawing, 10, true);
            DrawYAxisLine(drawing, W, false);
            DrawXAxisLine(drawing, 0, false);
            break;
        case asThroughZero:
            DrawYAxisLine(drawing, W * std::clamp(xRange().fraction(0), 0.0, 1.0), false);
            DrawXAxisLine(drawing, 10 * std::clamp(1 - yRange().fraction(0), 0.0, 1.0), false);
            break;
        default: break;
    }
    drawKey(drawing);
}

void Plot::drawKey(Drawing& drawing) const
{
    const double x = plotWidth() + 2;
    double c = 0;
    if (!m_sKeyTitle.empty()) {
        drawing.AddText(m_sKeyTitle.view(), x, c, m_dKeyTitleSize, taLeft, m_KeyTitleColor, true, false, poKeyTitle);
        c += m_dKeyTitleSize + 0.25;
    }
    if (!m_lines.empty() && m_bKeyDisplay) {
        for (std::uint32_t n = 1; n <= m_lines.size(); ++n) {
            const LineInfo& line = *m_lines[n - 1];
            if (!((line.ConnectPoints && line.Style != 0) || line.PointStyle != symNone)) continue;
            String sText = line.Label;
            if (m_bKeyValues && !line.ValueText.empty()) sText = sText + " = " + line.ValueText.view();
            drawing.AddText(sText.view(), x + 4, c, m_dKeySize, taLeft, kBlack, false, false, poLineBase + n);
            c += m_dKeySize / 2;
            if (line.ConnectPoints)
                drawing.AddLine(x, c, x + 3, c, line.Style, line.Color, line.Thickness, 0.5, poLineBase + n);
            if (line.PointStyle != symNone)
                addPointSymbol(drawing, line.PointStyle, x + 1.5, c, 1.0, line.Color, poLineBase + n);
            c += m_dKeySize / 2;
        }
        c += m_dKeySize / 2;
    }
    if (!m_offAxis.empty() && m_bOffAxisDisplay) {
        for (std::uint32_t n = 1; n <= m_offAxis.size(); ++n) {
            const OffAxisVariableInfo& variable = m_offAxis[n - 1];
            const String sText = variable.Name + " = " + variable.ValueText.view();
            drawing.AddText(sText.view(), x, c, m_dOffAxisSize, taLeft, kBlack, false, false, poOffAxisBase + n);
            c += m_dOffAxisSize;
        }
        c += m_dOffAxisSize / 2;
    }
    if (!m_comments.empty() && m_bCommentsDisplay) {
        for (std::uint32_t n = 1; n <= m_comments.size(); ++n) {
            drawing.AddText(m_comments[n - 1].view(), x, c, m_dCommentsSize, taLeft, kBlack, false, false,
                            poCommentBase + n);
            c += m_dCommentsSize;
        }
    }
}

void Plot::DrawYAxisScale(Drawing& drawing) const
{
    const double s = m_dYAxisScaleSize;
    // The right edge of the numbers.
    double r;
    if (m_uAxisStyle == asThroughZero) {
        const double xz = std::max(plotWidth() * xRange().fraction(0), 0.0);
        r = std::min(xz - m_dTicSizeNumber, 0.0) - s / 2;
    } else if (m_uTicStyle == tsInside) {
        r = -s / 2;
    } else {
        r = -s / 2 - m_dTicSizeNumber;
    }
    const std::uint32_t N = std::max<std::uint32_t>(m_uYAxisNumberValues, 2);
    std::uint32_t L = 0;  // the longest number, in characters
    for (std::uint32_t i = 0; i < N; ++i) {
        const double f = static_cast<double>(i) / (N - 1);
        const Real value = Real(f) * m_YMinimum + Real(1 - f) * m_YMaximum;  // the maximum on top
        const String sText = value.toText(5, true);
        drawing.AddText(sText.view(), r, 10 * f - s / 2, s, taRight, kBlack, false, false, poYAxis);
        L = std::max(L, sText.length());
    }
    // The numbers are taken to be half a text height wide per character.
    const double dNumbersLeft = r - L * s / 2;
    const double h = m_dYAxisLabelSize;
    if (m_bYAxisLabelVertical) {
        drawing.AddVerticalText(m_sYAxisLabel.view(), dNumbersLeft - 1.2 * h, 5.0, h, taCentre, kBlack, true, false,
                                poYAxis);
    } else {
        drawing.AddText(m_sYAxisLabel.view(), dNumbersLeft - h / 2, 5 - h / 2, h, taRight, kBlack, true, false,
                        poYAxis);
    }
}

void Plot::DrawYAxisLine(Drawing& drawing, double x, bool bPrimary) const
{
    drawing.AddLine(x, 0, x, 10, psInsideFrame, kBlack, 0, 0.5, poYAxis);
    const std::uint64_t N = std::max<std::uint32_t>(m_uYAxisNumberValues, 2);
    const std::uint64_t uPerNumber = std::uint64_t{m_uYAxisNumberTics} + 1;
    const std::uint64_t uSteps = (N - 1) * uPerNumber;
    const bool bBetween = uSteps <= kMostTicsPerAxis;
    const double s = 10.0 / static_cast<double>(uSteps);
    for (std::uint64_t k = 0; k <= uSteps; ++k) {
        const bool bNumbered = k % uPerNumber == 0;
        if (!bNumbered && !bBetween) continue;
        const auto [dFrom, dTo] =
            ticExtent(m_uAxisStyle, m_uTicStyle, x, bNumbered ? m_dTicSizeNumber : m_dTicSizeBetween, bPrimary, 1);
        const double y = s * static_cast<double>(k);
        drawing.AddLine(dFrom, y, dTo, y, psInsideFrame, kBlack, 0, 0, 0);
    }
}

std::vector<std::pair<std::uint32_t, double>> Plot::shownXLabels() const
{
    std::vector<std::pair<std::uint32_t, double>> shown;
    if (m_uLabelCount == 0 || !m_psLabels || !m_prLabelPositions) return shown;
    const std::uint32_t uLast = std::min(m_uLastLabel, m_uLabelCount - 1);
    if (m_uFirstLabel > uLast) return shown;
    std::uint64_t k = std::min<std::uint64_t>(std::uint64_t{uLast} - m_uFirstLabel + 1, m_uXAxisNumberLabels);
    // No more labels than fit side by side across the plot with a gap of a fifth of the
    // widest between them: the labels are thinned out rather than run together.
    double dWidest = 0;
    for (std::uint64_t uIndex = m_uFirstLabel; uIndex <= uLast; ++uIndex)
        dWidest = std::max(dWidest, m_psLabels[uIndex].width());
    const double dSpacing = 1.2 * dWidest * m_dXAxisScaleSize;
    bool bThinned = false;
    if (dSpacing > 0) {
        const double dFit = std::floor(plotWidth() / dSpacing) + 1;
        if (dFit < static_cast<double>(k)) {
            k = static_cast<std::uint64_t>(std::max(dFit, 1.0));
            bThinned = true;
        }
    }
    // One label only when the first is the last or only one fits; otherwise k labels
    // spread evenly (after thinning, never closer than the spacing).
    std::uint64_t uStep = 1;
    if (k >= 2) {
        const std::uint64_t uRange = uLast - m_uFirstLabel;
        uStep = bThinned ? (uRange + k - 2) / (k - 1) : uRange / (k - 1);
    } else if (bThinned) {
        uStep = std::uint64_t{uLast} - m_uFirstLabel + 1;
    }
    const AxisRange xr = xRange();
    for (std::uint64_t uIndex = m_uFirstLabel; uIndex <= uLast; uIndex += uStep) {
        const Real& position = m_prLabelPositions[uIndex];
        if (!position.isValid()) continue;
        const double f = xr.fraction(position.value());
        if (f >= 0 && f <= 1) shown.emplace_back(static_cast<std::uint32_t>(uIndex), f);
    }
    return shown;
}

void Plot::DrawXAxisScale(Drawing& drawing) const
{
    const double W = plotWidth();
    const double s = m_dXAxisScaleSize;
    // The top edge of the scale texts.
    double b;
    if (m_uAxisStyle == asThroughZero) {
        const double yz = std::min(10 * (1 - yRange().fraction(0)), 10.0);
        b = std::max(yz + m_dTicSizeNumber, 10.0) + s / 2;
    } else if (m_uTicStyle == tsInside) {
        b = 10 + s / 2;
    } else {
        b = 10 + s / 2 + m_dTicSizeNumber;
    }
    if (m_uLabelCount > 0) {
        for (const auto& [uIndex, f] : shownXLabels())
            drawing.AddText(m_psLabels[uIndex].view(), W * f, b, s, taCentre, kBlack, false, false, poXAxis);
    } else {
        const std::uint32_t N = std::max<std::uint32_t>(m_uXAxisNumberValues, 2);
        for (std::uint32_t i = 0; i < N; ++i) {
            const double f = static_cast<double>(i) / (N - 1);
            const Real value = Real(f) * m_XMaximum + Real(1 - f) * m_XMinimum;
            drawing.AddText(value.toText(5, true).view(), W * f, b, s, taCentre, kBlack, false, false, poXAxis);
        }
    }
    drawing.AddText(m_sXAxisLabel.view(), W / 2, b + s, m_dXAxisLabelSize, taCentre, kBlack, true, false, poXAxis);
}

void Plot::DrawXAxisLine(Drawing& drawing, double y, bool bPrimary) const
{
    const double W = plotWidth();
    drawing.AddLine(0, y, W, y, psInsideFrame, kBlack, 0, 0.5, poXAxis);
    auto addTic = [&](double x, bool bNumbered) {
        const auto [dFrom, dTo] =
            ticExtent(m_uAxisStyle, m_uTicStyle, y, bNumbered ? m_dTicSizeNumber : m_dTicSizeBetween, bPrimary, -1);
        drawing.AddLine(x, dFrom, x, dTo, psInsideFrame, kBlack, 0, 0, 0);
    };
    if (m_uLabelCount > 0) {
        for (const auto& [uIndex, f] : shownXLabels()) addTic(W * f, true);
        return;
    }
    const std::uint64_t N = std::max<std::uint32_t>(m_uXAxisNumberValues, 2);
    const std::uint64_t uPerNumber = std::uint64_t{m_uXAxisNumberTics} + 1;
    const std::uint64_t uSteps = (N - 1) * uPerNumber;
    const bool bBetween = uSteps <= kMostTicsPerAxis;
    const double s = W / static_cast<double>(uSteps);
    for (std::uint64_t k = 0; k <= uSteps; ++k) {
        const bool bNumbered = k % uPerNumber == 0;
        if (bNumbered || bBetween) addTic(s * static_cast<double>(k), bNumbered);
    }
}

void Plot::DrawLines(Drawing& drawing) const
{
    const double dRatio = plotWidth() / 10;
    // The runs that belong to a line of this plot, with their number of points.
    auto runOf = [&](const std::vector<double>& run, const LineInfo*& pLine) -> std::uint32_t {
        if (run.size() < 2) return 0;
        const std::uint32_t n = static_cast<std::uint32_t>(run[1]);
        pLine = Line(n);
        const std::size_t uPoints = static_cast<std::size_t>(run[0]);
        return pLine && uPoints <= (run.size() - 2) / 2 ? static_cast<std::uint32_t>(uPoints) : 0;
    };
    std::vector<WorldPoint> points;
    for (const std::vector<double>& run : m_clipped) {
        const LineInfo* pLine = nullptr;
        const std::uint32_t uPoints = runOf(run, pLine);
        if (uPoints <= 1 || !pLine->ConnectPoints || pLine->Style == 0) continue;
        points.resize(uPoints);
        for (std::uint32_t k = 0; k < uPoints; ++k) points[k] = {run[2 + 2 * k] * dRatio, run[3 + 2 * k]};
        drawing.AddPolyLine(points.data(), uPoints, pLine->Style, pLine->Color, pLine->Thickness, 0.2,
                            poLineBase + static_cast<std::uint32_t>(run[1]));
    }
    // Symbols after all lines, so that no line covers them; runs that meet the top or
    // bottom edge get symbols at the edge points too.
    for (const std::vector<double>& run : m_clipped) {
        const LineInfo* pLine = nullptr;
        const std::uint32_t uPoints = runOf(run, pLine);
        if (uPoints == 0 || pLine->PointStyle == symNone) continue;
        for (std::uint32_t k = 0; k < uPoints; ++k)
            addPointSymbol(drawing, pLine->PointStyle, run[2 + 2 * k] * dRatio, run[3 + 2 * k], pLine->PointSize,
                           pLine->Color, poLineBase + static_cast<std::uint32_t>(run[1]));
    }
}

}  // namespace HalvrennInc

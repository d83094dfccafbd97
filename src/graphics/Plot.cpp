// Ostrel-Vane Studio - the plot's settings, its lines and regions, and the size texts of
// the options dialog.
#include "graphics/Plot.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace HalvrennInc {

namespace {
constexpr std::uint32_t kResolutionCount = 4;
constexpr std::array<ResolutionEntry, kResolutionCount> kResolutions = {{
    {"Low          (50 pts)", 50},
    {"Medium     (100 pts)", 100},
    {"High         (200 pts)", 200},
    {"Extra High (1000 pts)", 1000},
}};
}  // namespace

Plot::Plot(const void* /*pWorkspace*/, std::uint32_t uResolution)
    : m_uResolution(uResolution < kResolutionCount ? uResolution : 0)
{
}

Plot::~Plot() = default;

std::span<const ResolutionEntry> Plot::ResolutionTable() const
{
    return kResolutions;
}

const LineInfo* Plot::Line(std::uint32_t uLine) const
{
    return (uLine >= 1 && uLine <= m_lines.size()) ? m_lines[uLine - 1].get() : nullptr;
}

const OffAxisVariableInfo* Plot::OffAxisVariable(std::uint32_t uIndex) const
{
    return (uIndex >= 1 && uIndex <= m_offAxis.size()) ? &m_offAxis[uIndex - 1] : nullptr;
}

const String* Plot::Comment(std::uint32_t uIndex) const
{
    return (uIndex >= 1 && uIndex <= m_comments.size()) ? &m_comments[uIndex - 1] : nullptr;
}

const ShadedRegion* Plot::ShadedRegionAt(std::uint32_t uIndex) const
{
    return (uIndex >= 1 && uIndex <= m_regions.size()) ? &m_regions[uIndex - 1] : nullptr;
}

// ---------------------------------------------------------------------------------------
// Setters

template <class T>
bool Plot::update(T& field, const T& value)
{
    if (field == value) return false;
    field = value;
    markChanged();
    return true;
}

bool Plot::updateText(String& sField, std::string_view sText)
{
    if (sField.view() == sText) return false;
    sField.assign(sText);
    markChanged();
    return true;
}

// Sizes and thicknesses are lengths: a negative or endless one is not a size.
bool Plot::updateSize(double& dField, double dValue)
{
    if (!std::isfinite(dValue) || dValue < 0) return false;
    return update(dField, dValue);
}

bool Plot::updateReal(Real& field, const Real& value)
{
    if (!(field != value)) return false;  // both valid and different, else nothing
    field = value;
    markChanged();
    return true;
}

void Plot::SetMainTitle(std::string_view sText)
{
    updateText(m_sMainTitle, sText);
}
void Plot::SetMainTitleSize(double dSize)
{
    updateSize(m_dMainTitleSize, dSize);
}
void Plot::SetMainTitleColor(TColor color)
{
    update(m_MainTitleColor, color);
}
void Plot::SetSubTitle(std::string_view sText)
{
    updateText(m_sSubTitle, sText);
}
void Plot::SetSubTitleSize(double dSize)
{
    updateSize(m_dSubTitleSize, dSize);
}
void Plot::SetSubTitleColor(TColor color)
{
    update(m_SubTitleColor, color);
}
void Plot::SetYAxisLabel(std::string_view sText)
{
    updateText(m_sYAxisLabel, sText);
}
void Plot::SetYAxisLabelSize(double dSize)
{
    updateSize(m_dYAxisLabelSize, dSize);
}
void Plot::SetYAxisLabelVertical(bool bVertical)
{
    update(m_bYAxisLabelVertical, bVertical);
}

void Plot::SetYMinimum(const Real& value)
{
    if (updateReal(m_YMinimum, value)) m_bLinesDirty = true;
}
void Plot::SetYMaximum(const Real& value)
{
    if (updateReal(m_YMaximum, value)) m_bLinesDirty = true;
}

void Plot::SetYAxisScaleSize(double dSize)
{
    updateSize(m_dYAxisScaleSize, dSize);
}
void Plot::SetYAxisNumberValues(std::uint32_t uNumber)
{
    if (uNumber >= 2 && uNumber <= kMostAxisNumbers) update(m_uYAxisNumberValues, uNumber);
}
void Plot::SetYAxisNumberTics(std::uint32_t uNumber)
{
    if (uNumber <= kMostTicsBetween) update(m_uYAxisNumberTics, uNumber);
}
void Plot::SetXAxisLabel(std::string_view sText)
{
    updateText(m_sXAxisLabel, sText);
}
void Plot::SetXAxisLabelSize(double dSize)
{
    updateSize(m_dXAxisLabelSize, dSize);
}

void Plot::SetXAxisTextLabels(std::uint32_t uCount, const String* psLabels, const Real* prPositions)
{
    if (uCount <= 1 || !psLabels || !prPositions) return;
    m_uLabelCount = uCount;
    m_psLabels = psLabels;
    m_prLabelPositions = prPositions;
    m_uFirstLabel = 0;
    m_uLastLabel = uCount - 1;
    if (prPositions[0].isValid()) m_XMinimum = prPositions[0];
    if (prPositions[uCount - 1].isValid()) m_XMaximum = prPositions[uCount - 1];
    m_uXAxisNumberLabels = std::min<std::uint32_t>(uCount, 4);
    m_bAutoScalePending = m_bLinesDirty = true;
    markChanged();
}

void Plot::SetFirstXLabel(std::uint32_t uIndex)
{
    if (uIndex >= m_uLabelCount || !update(m_uFirstLabel, uIndex)) return;
    if (m_prLabelPositions[uIndex].isValid()) m_XMinimum = m_prLabelPositions[uIndex];
    m_bAutoScalePending = m_bLinesDirty = true;
}

void Plot::SetLastXLabel(std::uint32_t uIndex)
{
    if (uIndex >= m_uLabelCount || !update(m_uLastLabel, uIndex)) return;
    if (m_prLabelPositions[uIndex].isValid()) m_XMaximum = m_prLabelPositions[uIndex];
    m_bAutoScalePending = m_bLinesDirty = true;
}

void Plot::SetXAxisNumberLabels(std::uint32_t uNumber)
{
    if (uNumber >= 2 && uNumber <= m_uLabelCount) update(m_uXAxisNumberLabels, uNumber);
}

void Plot::SetXMinimum(const Real& value)
{
    if (updateReal(m_XMinimum, value)) m_bAutoScalePending = m_bLinesDirty = true;
}
void Plot::SetXMaximum(const Real& value)
{
    if (updateReal(m_XMaximum, value)) m_bAutoScalePending = m_bLinesDirty = true;
}

void Plot::SetXAxisScaleSize(double dSize)
{
    updateSize(m_dXAxisScaleSize, dSize);
}
void Plot::SetXAxisNumberValues(std::uint32_t uNumber)
{
    if (uNumber >= 2 && uNumber <= kMostAxisNumbers) update(m_uXAxisNumberValues, uNumber);
}
void Plot::SetXAxisNumberTics(std::uint32_t uNumber)
{
    if (uNumber <= kMostTicsBetween) update(m_uXAxisNumberTics, uNumber);
}
void Plot::SetAxisStyle(std::uint8_t uStyle)
{
    if (uStyle <= asThroughZero) update(m_uAxisStyle, uStyle);
}
void Plot::SetTicStyle(std::uint8_t uStyle)
{
    if (uStyle <= tsOutside) update(m_uTicStyle, uStyle);
}
void Plot::SetTicSizeNumber(double dSize)
{
    updateSize(m_dTicSizeNumber, dSize);
}
void Plot::SetTicSizeBetween(double dSize)
{
    updateSize(m_dTicSizeBetween, dSize);
}
void Plot::SetRatio(double dRatio)
{
    updateSize(m_dRatio, dRatio);
}

void Plot::SetYAutoScale(bool bOn)
{
    if (m_bYAutoScale == bOn) return;
    m_bYAutoScale = bOn;
    m_bModified = true;
    // Only a pending rescale changes the picture.
    if (bOn && m_bAutoScalePending) m_bChanged = true;
}

void Plot::SetKeySize(double dSize)
{
    updateSize(m_dKeySize, dSize);
}
void Plot::SetKeyValues(bool bOn)
{
    update(m_bKeyValues, bOn);
}
void Plot::SetKeyDisplay(bool bOn)
{
    update(m_bKeyDisplay, bOn);
}
void Plot::SetKeyTitle(std::string_view sText)
{
    updateText(m_sKeyTitle, sText);
}
void Plot::SetKeyTitleSize(double dSize)
{
    updateSize(m_dKeyTitleSize, dSize);
}
void Plot::SetKeyTitleColor(TColor color)
{
    update(m_KeyTitleColor, color);
}
void Plot::SetOffAxisSize(double dSize)
{
    updateSize(m_dOffAxisSize, dSize);
}
void Plot::SetOffAxisDisplay(bool bOn)
{
    update(m_bOffAxisDisplay, bOn);
}

void Plot::SetOffAxisName(std::uint32_t uIndex, std::string_view sText)
{
    if (uIndex >= 1 && uIndex <= m_offAxis.size()) updateText(m_offAxis[uIndex - 1].Name, sText);
}

void Plot::SetOffAxisValue(std::uint32_t uIndex, std::string_view sText)
{
    if (uIndex < 1 || uIndex > m_offAxis.size()) return;
    OffAxisVariableInfo& variable = m_offAxis[uIndex - 1];
    const Real value(sText);
    if (!value.isValid()) return;
    // A variable without a usable value takes any valid one.
    if (variable.Value.isValid() && !(value != variable.Value)) return;
    variable.ValueText = value.toText(5, true);
    variable.Value = value;
    MarkLinesChanged();
}

void Plot::SetComment(std::uint32_t uIndex, std::string_view sText)
{
    if (uIndex >= 1 && uIndex <= m_comments.size()) updateText(m_comments[uIndex - 1], sText);
}
void Plot::SetCommentsSize(double dSize)
{
    updateSize(m_dCommentsSize, dSize);
}
void Plot::SetCommentsDisplay(bool bOn)
{
    update(m_bCommentsDisplay, bOn);
}

void Plot::SetResolution(std::uint32_t uIndex)
{
    if (uIndex < kResolutionCount && update(m_uResolution, uIndex)) m_bLinesDirty = true;
}

void Plot::SetLineLabel(std::uint32_t uLine, std::string_view sText)
{
    if (LineInfo* pLine = line(uLine)) updateText(pLine->Label, sText);
}
void Plot::SetLineThickness(std::uint32_t uLine, double dThickness)
{
    if (LineInfo* pLine = line(uLine)) updateSize(pLine->Thickness, dThickness);
}
void Plot::SetLineColor(std::uint32_t uLine, TColor color)
{
    if (LineInfo* pLine = line(uLine)) update(pLine->Color, color);
}
void Plot::SetLineStyle(std::uint32_t uLine, std::uint8_t uStyle)
{
    if (LineInfo* pLine = line(uLine); pLine && uStyle <= psSolid) update(pLine->Style, uStyle);
}
void Plot::SetLineConnectPoints(std::uint32_t uLine, bool bConnect)
{
    if (LineInfo* pLine = line(uLine)) update(pLine->ConnectPoints, bConnect);
}
void Plot::SetLinePointStyle(std::uint32_t uLine, std::uint8_t uStyle)
{
    if (LineInfo* pLine = line(uLine)) update(pLine->PointStyle, uStyle);
}
void Plot::SetLinePointSize(std::uint32_t uLine, double dSize)
{
    if (LineInfo* pLine = line(uLine)) updateSize(pLine->PointSize, dSize);
}

void Plot::SetLineValueText(std::uint32_t uLine, std::string_view sText)
{
    LineInfo* pLine = line(uLine);
    if (!pLine || !updateText(pLine->ValueText, sText)) return;
    pLine->Value.fromText(sText);
    m_bLinesDirty = true;
}

// ---------------------------------------------------------------------------------------
// Lines, regions, off-axis variables and comments

void Plot::AddDataLine(std::uint32_t uCount, const Real* prX, const Real* prY, std::string_view sLabel,
                       std::string_view sValueText, double dThickness, TColor color, std::uint8_t uStyle, bool bConnect,
                       std::uint8_t uPointStyle, double dPointSize)
{
    auto pLine = std::make_unique<LineInfo>();
    if (prX && prY) {
        pLine->uNumber = uCount;
        pLine->prX = prX;
        pLine->prY = prY;
    }
    pLine->Label.assign(sLabel);
    pLine->ValueText.assign(sValueText);
    pLine->Value.fromText(sValueText);  // no value text: an invalid value
    pLine->Thickness = dThickness;
    pLine->Color = color;
    pLine->Style = uStyle;
    pLine->ConnectPoints = bConnect;
    pLine->PointStyle = uPointStyle;
    pLine->PointSize = dPointSize;
    m_lines.push_back(std::move(pLine));
    m_bLinesDirty = true;
}

void Plot::AddValueLine(std::string_view sLabel, std::string_view sValueText, double dThickness, TColor color,
                        std::uint8_t uStyle)
{
    AddDataLine(0, nullptr, nullptr, sLabel, sValueText, dThickness, color, uStyle, true, symNone, 0);
}

void Plot::AppendValueLine(std::string_view sLabel, std::string_view sValueText, double dThickness, TColor color)
{
    AddValueLine(sLabel, sValueText, dThickness, color, psInsideFrame);
}

void Plot::RemoveLine(std::uint32_t uLine)
{
    if (!line(uLine)) return;
    m_lines.erase(m_lines.begin() + (uLine - 1));
    m_bLinesDirty = true;
}

void Plot::AddShadedRegion(const Real& x1, const Real& x2, const Real& y1, const Real& y2, TColor color)
{
    m_regions.push_back(ShadedRegion{x1, x2, y1, y2, color});
    markChanged();
}

void Plot::RemoveShadedRegion(std::uint32_t uIndex)
{
    if (uIndex < 1 || uIndex > m_regions.size()) return;
    m_regions.erase(m_regions.begin() + (uIndex - 1));
    markChanged();
}

void Plot::AddOffAxisVariable(std::string_view sName, std::string_view sValueText)
{
    m_offAxis.push_back(OffAxisVariableInfo{String(sName), String(sValueText), Real(sValueText)});
    markChanged();
}

void Plot::AddComment(std::string_view sText)
{
    m_comments.emplace_back(sText);
    markChanged();
}

void Plot::MarkLinesChanged()
{
    m_bAutoScalePending = m_bLinesDirty = true;
    markChanged();
}

// ---------------------------------------------------------------------------------------
// Size texts

double Plot::ParseSize(std::string_view sText)
{
    sText = trimBlanks(sText);
    if (sText == "Normal") return 1.0;
    if (!sText.empty() && sText.back() == 'x') sText.remove_suffix(1);
    const Real size(sText);
    return (size.isValid() && size.value() > 0) ? size.value() : -1;
}

String Plot::FormatSize(double dSize)
{
    if (dSize == 1.0) return String(std::string_view("Normal"));
    if (!(dSize > 0)) return String();
    return Real(dSize).toText(0, true) + " x";
}

}  // namespace HalvrennInc

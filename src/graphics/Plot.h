// Ostrel-Vane Studio - the editable description of one x-y chart: titles, two axes with
// scales and tics, lines of points, shaded background regions and a key. It owns no
// pixels: BuildDrawing lays it out as a new drawing each time it is shown.
//
// Plot units: the plot area runs from (0, 0) to (W, 10) with W = 10 x Ratio and y
// growing downward; titles lie above it, scales below and to the left, and the key
// column starts at x = W + 2. All text, tic and symbol sizes are in these units.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/Real.h"
#include "foundation/String.h"
#include "graphics/Drawing.h"

namespace HalvrennInc {

//! One plotted line: a series of points, or a value line without points that only shows
//! in the key.
struct LineInfo {
    std::uint32_t uNumber = 0;  //!< number of points; 0 for a value line
    const Real* prX = nullptr;  //!< the caller's x values (not owned)
    const Real* prY = nullptr;  //!< the caller's y values (not owned)
    String Label;
    String ValueText;
    Real Value;            //!< ValueText read as a number
    double Thickness = 0;  //!< 0 is a hairline
    TColor Color = 0;
    std::uint8_t Style = 1;  //!< stroke style code; 0 draws no line
    bool ConnectPoints = true;
    std::uint8_t PointStyle = 0;  //!< symbol code, see PointSymbol
    double PointSize = 0;
};

//! A coloured background rectangle in data units. An invalid bound leaves that side
//! open: x1 at the left edge, x2 at the right, y1 at the bottom, y2 at the top.
struct ShadedRegion {
    Real x1, x2, y1, y2;
    TColor Color = 0;
};

struct OffAxisVariableInfo {
    String Name;
    String ValueText;
    Real Value;
};

//! Point symbol codes.
enum PointSymbol : std::uint8_t {
    symNone = 0,
    symHollowCircle = 1,
    symHollowSquare = 2,
    symHollowDiamond = 3,
    symHollowTriangle = 4,
    symSolidCircle = 5,
    symSolidSquare = 6,
    symSolidDiamond = 7,
    symSolidTriangle = 8,
};

//! Axis styles: open axes, a frame, a frame with tics on all sides, axes through zero.
enum AxisStyleCode : std::uint8_t { asOpen = 0, asFrame = 1, asFrameTics = 2, asThroughZero = 3 };
//! Tic styles: across the axis, inside the plot area, outside it.
enum TicStyleCode : std::uint8_t { tsBothSides = 0, tsInside = 1, tsOutside = 2 };

//! Object IDs of the parts of a plot's drawing, for the views that react to clicks.
enum PlotObjectID : std::uint32_t {
    poTitles = 1,
    poYAxis = 2,
    poXAxis = 3,
    poKeyTitle = 5,
    poLineBase = 1000,     //!< + line number (from 1)
    poOffAxisBase = 2000,  //!< + row number
    poCommentBase = 3000,  //!< + row number
};

struct ResolutionEntry {
    std::string_view sName;
    std::uint32_t uPoints;
};

class Plot {
public:
    //! The smallest ratio the layout uses: plots spaced for fewer than 20 points ask for
    //! less (even 0) and are drawn at this ratio.
    static constexpr double kSmallestRatio = 0.5;
    //! Most numbered values and tics between two numbers an axis takes.
    static constexpr std::uint32_t kMostAxisNumbers = 1000;
    static constexpr std::uint32_t kMostTicsBetween = 1000;

    //! Both arguments are 0 in every use; the plot starts with the defaults.
    explicit Plot(const void* pWorkspace = nullptr, std::uint32_t uResolution = 0);
    virtual ~Plot();
    Plot(const Plot&) = delete;
    Plot& operator=(const Plot&) = delete;

    // ----- Reading the settings
    const String& MainTitle() const { return m_sMainTitle; }
    double MainTitleSize() const { return m_dMainTitleSize; }
    TColor MainTitleColor() const { return m_MainTitleColor; }
    const String& SubTitle() const { return m_sSubTitle; }
    double SubTitleSize() const { return m_dSubTitleSize; }
    TColor SubTitleColor() const { return m_SubTitleColor; }
    const String& YAxisLabel() const { return m_sYAxisLabel; }
    double YAxisLabelSize() const { return m_dYAxisLabelSize; }
    bool YAxisLabelVertical() const { return m_bYAxisLabelVertical; }
    const Real& YMinimum() const { return m_YMinimum; }
    const Real& YMaximum() const { return m_YMaximum; }
    double YAxisScaleSize() const { return m_dYAxisScaleSize; }
    std::uint32_t YAxisNumberValues() const { return m_uYAxisNumberValues; }
    std::uint32_t YAxisNumberTics() const { return m_uYAxisNumberTics; }
    const String& XAxisLabel() const { return m_sXAxisLabel; }
    double XAxisLabelSize() const { return m_dXAxisLabelSize; }
    //! Number of x text labels; 0 for a numeric x axis.
    std::uint32_t XAxisLabelCount() const { return m_uLabelCount; }
    std::uint32_t FirstXLabel() const { return m_uFirstLabel; }
    std::uint32_t LastXLabel() const { return m_uLastLabel; }
    const String* XAxisLabels() const { return m_psLabels; }
    const Real* XAxisLabelPositions() const { return m_prLabelPositions; }
    std::uint32_t XAxisNumberLabels() const { return m_uXAxisNumberLabels; }
    const Real& XMinimum() const { return m_XMinimum; }
    const Real& XMaximum() const { return m_XMaximum; }
    std::uint32_t XAxisNumberValues() const { return m_uXAxisNumberValues; }
    std::uint32_t XAxisNumberTics() const { return m_uXAxisNumberTics; }
    double XAxisScaleSize() const { return m_dXAxisScaleSize; }
    std::uint8_t AxisStyle() const { return m_uAxisStyle; }
    std::uint8_t TicStyle() const { return m_uTicStyle; }
    double TicSizeNumber() const { return m_dTicSizeNumber; }
    double TicSizeBetween() const { return m_dTicSizeBetween; }
    double Ratio() const { return m_dRatio; }
    bool YAutoScale() const { return m_bYAutoScale; }
    bool AutoScalePending() const { return m_bAutoScalePending; }
    bool LinesDirty() const { return m_bLinesDirty; }
    std::uint32_t NumberOfLines() const { return static_cast<std::uint32_t>(m_lines.size()); }
    //! Line n (from 1), or null.
    const LineInfo* Line(std::uint32_t uLine) const;
    double KeySize() const { return m_dKeySize; }
    bool KeyValues() const { return m_bKeyValues; }
    bool KeyDisplay() const { return m_bKeyDisplay; }
    const String& KeyTitle() const { return m_sKeyTitle; }
    double KeyTitleSize() const { return m_dKeyTitleSize; }
    TColor KeyTitleColor() const { return m_KeyTitleColor; }
    std::uint32_t NumberOfOffAxisVariables() const { return static_cast<std::uint32_t>(m_offAxis.size()); }
    const OffAxisVariableInfo* OffAxisVariable(std::uint32_t uIndex) const;
    double OffAxisSize() const { return m_dOffAxisSize; }
    bool OffAxisDisplay() const { return m_bOffAxisDisplay; }
    std::uint32_t NumberOfComments() const { return static_cast<std::uint32_t>(m_comments.size()); }
    const String* Comment(std::uint32_t uIndex) const;
    double CommentsSize() const { return m_dCommentsSize; }
    bool CommentsDisplay() const { return m_bCommentsDisplay; }
    std::uint32_t NumberOfShadedRegions() const { return static_cast<std::uint32_t>(m_regions.size()); }
    const ShadedRegion* ShadedRegionAt(std::uint32_t uIndex) const;
    std::uint32_t Resolution() const { return m_uResolution; }
    //! The clipped runs: element 0 is the number of points n, element 1 the line number,
    //! then n (x, y) pairs with x on the 0-10 scale and y in plot units.
    std::uint32_t NumberOfClippedLines() const { return static_cast<std::uint32_t>(m_clipped.size()); }
    const std::vector<double>& ClippedLine(std::uint32_t uIndex) const { return m_clipped.at(uIndex - 1); }
    //! The drawing must be rebuilt.
    bool Changed() const { return m_bChanged; }
    //! The session holds unsaved changes of this plot.
    bool Modified() const { return m_bModified; }
    void ClearModified() { m_bModified = false; }

    // ----- Setters: a value equal to the stored one, or one the plot cannot use, is
    // ignored; any other marks the plot changed and modified.
    void SetMainTitle(std::string_view sText);
    void SetMainTitleSize(double dSize);
    void SetMainTitleColor(TColor color);
    void SetSubTitle(std::string_view sText);
    void SetSubTitleSize(double dSize);
    void SetSubTitleColor(TColor color);
    void SetYAxisLabel(std::string_view sText);
    void SetYAxisLabelSize(double dSize);
    void SetYAxisLabelVertical(bool bVertical);
    void SetYMinimum(const Real& value);
    void SetYMaximum(const Real& value);
    void SetYAxisScaleSize(double dSize);
    //! 2 .. kMostAxisNumbers.
    void SetYAxisNumberValues(std::uint32_t uNumber);
    //! 0 .. kMostTicsBetween.
    void SetYAxisNumberTics(std::uint32_t uNumber);
    void SetXAxisLabel(std::string_view sText);
    void SetXAxisLabelSize(double dSize);
    //! Puts text labels on the x axis at the given x values; the arrays are the caller's
    //! and must outlive the plot. The x range becomes the first to the last position.
    void SetXAxisTextLabels(std::uint32_t uCount, const String* psLabels, const Real* prPositions);
    void SetFirstXLabel(std::uint32_t uIndex);
    void SetLastXLabel(std::uint32_t uIndex);
    //! 2 .. the label count.
    void SetXAxisNumberLabels(std::uint32_t uNumber);
    void SetXMinimum(const Real& value);
    void SetXMaximum(const Real& value);
    void SetXAxisScaleSize(double dSize);
    void SetXAxisNumberValues(std::uint32_t uNumber);
    void SetXAxisNumberTics(std::uint32_t uNumber);
    void SetAxisStyle(std::uint8_t uStyle);
    void SetTicStyle(std::uint8_t uStyle);
    void SetTicSizeNumber(double dSize);
    void SetTicSizeBetween(double dSize);
    //! Any ratio of 0 or more is kept; the layout uses at least kSmallestRatio.
    void SetRatio(double dRatio);
    void SetYAutoScale(bool bOn);
    void SetKeySize(double dSize);
    void SetKeyValues(bool bOn);
    void SetKeyDisplay(bool bOn);
    void SetKeyTitle(std::string_view sText);
    void SetKeyTitleSize(double dSize);
    void SetKeyTitleColor(TColor color);
    void SetOffAxisSize(double dSize);
    void SetOffAxisDisplay(bool bOn);
    void SetOffAxisName(std::uint32_t uIndex, std::string_view sText);
    void SetOffAxisValue(std::uint32_t uIndex, std::string_view sText);
    void SetComment(std::uint32_t uIndex, std::string_view sText);
    void SetCommentsSize(double dSize);
    void SetCommentsDisplay(bool bOn);
    //! 0 .. 3, an index into ResolutionTable().
    void SetResolution(std::uint32_t uIndex);
    void SetLineLabel(std::uint32_t uLine, std::string_view sText);
    void SetLineThickness(std::uint32_t uLine, double dThickness);
    void SetLineColor(std::uint32_t uLine, TColor color);
    void SetLineStyle(std::uint32_t uLine, std::uint8_t uStyle);
    void SetLineConnectPoints(std::uint32_t uLine, bool bConnect);
    void SetLinePointStyle(std::uint32_t uLine, std::uint8_t uStyle);
    void SetLinePointSize(std::uint32_t uLine, double dSize);
    void SetLineValueText(std::uint32_t uLine, std::string_view sText);

    // ----- Lines, regions, off-axis variables and comments
    //! The x values are taken to be ascending. An empty value text leaves the line
    //! without a value.
    void AddDataLine(std::uint32_t uCount, const Real* prX, const Real* prY, std::string_view sLabel,
                     std::string_view sValueText, double dThickness, TColor color, std::uint8_t uStyle, bool bConnect,
                     std::uint8_t uPointStyle, double dPointSize);
    void AddValueLine(std::string_view sLabel, std::string_view sValueText, double dThickness, TColor color,
                      std::uint8_t uStyle);
    void RemoveLine(std::uint32_t uLine);
    void AddShadedRegion(const Real& x1, const Real& x2, const Real& y1, const Real& y2, TColor color);
    void RemoveShadedRegion(std::uint32_t uIndex);
    void AddOffAxisVariable(std::string_view sName, std::string_view sValueText);
    void AddComment(std::string_view sText);

    //! Marks the y range, the clipping, the drawing and the session as out of date.
    void MarkLinesChanged();

    // ----- Layout
    //! A new drawing of the plot, owned by the caller.
    std::unique_ptr<Drawing> BuildDrawing();

    // ----- Stored record (session files)
    //! Writes the settings (and with bWithPoints the clipped runs, brought up to date
    //! first) and clears modified.
    void Write(std::ostream& out, const Real& version, bool bWithPoints);
    //! Applies a stored record to this plot, whose lines were already rebuilt by their
    //! owner. A token that cannot be read, or a record that does not fit the plot, sets
    //! the read-failure flag and ends the reading; what was read before stays applied.
    //! Returns whether the whole record was read.
    bool Read(std::istream& in, const Real& version, bool bWithPoints);

    // ----- Sizes as the options dialog shows them
    //! "Normal" is 1; otherwise a number with an optional trailing "x". Not a positive
    //! number: -1.
    static double ParseSize(std::string_view sText);
    //! "Normal" for 1, "2.5 x" for 2.5, empty for 0 or less.
    static String FormatSize(double dSize);

    // ----- Plot kinds and the layout steps
    //! 0 for this ordinary plot; 1 and 2 are the interaction and contour plots.
    virtual int Kind() const { return 0; }
    virtual void AutoScaleY();
    virtual void ComputeLines();
    virtual std::span<const ResolutionEntry> ResolutionTable() const;

protected:
    virtual void DrawShadedRegions(Drawing& drawing) const;
    //! Titles, scales, axes and the key column.
    virtual void DrawFrame(Drawing& drawing) const;
    virtual void DrawLines(Drawing& drawing) const;
    virtual void DrawYAxisScale(Drawing& drawing) const;
    virtual void DrawYAxisLine(Drawing& drawing, double x, bool bPrimary) const;
    virtual void DrawXAxisScale(Drawing& drawing) const;
    virtual void DrawXAxisLine(Drawing& drawing, double y, bool bPrimary) const;

    //! Appends a value line as the stored-record reader and the plot kinds grow a plot.
    void AppendValueLine(std::string_view sLabel, std::string_view sValueText, double dThickness, TColor color);

private:
    //! A range of one axis as the layout uses it: never empty.
    struct AxisRange {
        double dLow;
        double dSpan;
        double fraction(double dValue) const { return (dValue - dLow) / dSpan; }
    };
    static AxisRange rangeOf(const Real& minimum, const Real& maximum);
    AxisRange xRange() const { return rangeOf(m_XMinimum, m_XMaximum); }
    AxisRange yRange() const { return rangeOf(m_YMinimum, m_YMaximum); }
    //! Width of the plot area, W = 10 x the ratio in use.
    double plotWidth() const;
    //! y of a data value in plot units.
    double yPlot(double dValue) const { return 10 - 10 * yRange().fraction(dValue); }
    //! The x labels shown, in order: their index and their place across the x range
    //! (0 to 1).
    std::vector<std::pair<std::uint32_t, double>> shownXLabels() const;
    void drawKey(Drawing& drawing) const;
    void markChanged() { m_bChanged = m_bModified = true; }
    LineInfo* line(std::uint32_t uLine) { return const_cast<LineInfo*>(Line(uLine)); }
    template <class T>
    bool update(T& field, const T& value);
    bool updateText(String& sField, std::string_view sText);
    bool updateSize(double& dField, double dValue);
    bool updateReal(Real& field, const Real& value);
    bool readRecord(std::istream& in, const Real& version, bool bWithPoints);
    //! Runs the pending automatic scaling and clipping.
    void bringLinesUpToDate();

    String m_sMainTitle;
    double m_dMainTitleSize = 2.0;
    TColor m_MainTitleColor = 0xFF0000;
    String m_sSubTitle;
    double m_dSubTitleSize = 1.5;
    TColor m_SubTitleColor = 0;
    String m_sYAxisLabel{std::string_view("Y-Axis")};
    double m_dYAxisLabelSize = 1.5;
    bool m_bYAxisLabelVertical = true;
    Real m_YMinimum{0.0};
    Real m_YMaximum{1.0};
    double m_dYAxisScaleSize = 1.0;
    std::uint32_t m_uYAxisNumberValues = 3;
    std::uint32_t m_uYAxisNumberTics = 4;
    String m_sXAxisLabel{std::string_view("X-Axis")};
    double m_dXAxisLabelSize = 1.5;
    std::uint32_t m_uLabelCount = 0;
    std::uint32_t m_uFirstLabel = 0;
    std::uint32_t m_uLastLabel = 0;
    const String* m_psLabels = nullptr;        //!< the caller's labels
    const Real* m_prLabelPositions = nullptr;  //!< the caller's x value of each label
    std::uint32_t m_uXAxisNumberLabels = 2;
    Real m_XMinimum{0.0};
    Real m_XMaximum{1.0};
    std::uint32_t m_uXAxisNumberValues = 3;
    std::uint32_t m_uXAxisNumberTics = 4;
    double m_dXAxisScaleSize = 1.0;
    std::uint8_t m_uAxisStyle = asFrame;
    std::uint8_t m_uTicStyle = tsOutside;
    double m_dTicSizeNumber = 0.4;
    double m_dTicSizeBetween = 0.2;
    double m_dRatio = 1.0;
    bool m_bYAutoScale = false;
    bool m_bAutoScalePending = false;  //!< the y range must be recomputed before drawing
    bool m_bLinesDirty = false;        //!< the clipped runs must be recomputed before drawing
    std::vector<std::unique_ptr<LineInfo>> m_lines;
    double m_dKeySize = 1.0;
    bool m_bKeyValues = false;  //!< the key shows each line's value after its label
    bool m_bKeyDisplay = true;
    String m_sKeyTitle;
    double m_dKeyTitleSize = 1.0;
    TColor m_KeyTitleColor = 0;
    std::vector<OffAxisVariableInfo> m_offAxis;
    double m_dOffAxisSize = 1.0;
    bool m_bOffAxisDisplay = true;
    std::vector<String> m_comments;
    double m_dCommentsSize = 1.0;
    bool m_bCommentsDisplay = true;
    std::vector<ShadedRegion> m_regions;
    std::uint32_t m_uResolution = 0;
    std::vector<std::vector<double>> m_clipped;
    bool m_bChanged = false;
    bool m_bModified = false;
};

}  // namespace HalvrennInc

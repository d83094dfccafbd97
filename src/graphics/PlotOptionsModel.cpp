// Ostrel-Vane Studio - the fields of the plot options dialog, their checks and their
// transfer into the plot.
#include "graphics/PlotOptionsModel.h"

#include <algorithm>
#include <cmath>

#include "foundation/Real.h"
#include "foundation/String.h"
#include "graphics/Plot.h"
#include "graphics/PlotKinds.h"
#include "platform/UserMessages.h"

namespace HalvrennInc {

namespace {

using Field = PlotOptionsField;
using Kind = PlotOptionsFieldKind;
using Page = PlotOptionsPage;

constexpr std::array<PlotOptionsColor, 17> kColors = {{
    {"Black", 0x000000},
    {"Blue", 0xFF0000},
    {"Blue - Dark", 0x800000},
    {"Cyan", 0xFFFF00},
    {"Gray - Light", 0xC0C0C0},
    {"Gray", 0x808080},
    {"Gray - Dark", 0x404040},
    {"Green", 0x00FF00},
    {"Green - Dark", 0x008000},
    {"Magenta", 0xFF00FF},
    {"Orange", 0x0040FF},
    {"Pink", 0x8080FF},
    {"Purple", 0xFF0080},
    {"Red", 0x0000FF},
    {"Red - Dark", 0x000080},
    {"Violet", 0x800080},
    {"Yellow", 0x00FFFF},
}};

constexpr std::array<std::string_view, 11> kSizes = {"4 x",    "3 x",   "2.5 x", "2 x",   "1.5 x", "1.2 x",
                                                     "Normal", "0.8 x", "0.6 x", "0.4 x", "0.2 x"};
constexpr std::array<std::string_view, 7> kThicknesses = {"Hairline", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6"};
constexpr std::array<std::string_view, 6> kLineStyles = {"Not Displayed", "Solid",    "Dash",
                                                         "Dot",           "Dash Dot", "Dash Dot Dot"};
constexpr std::array<std::string_view, 9> kPointStyles = {"None",           "Hollow Circle",   "Hollow Square",
                                                          "Hollow Diamond", "Hollow Triangle", "Solid Circle",
                                                          "Solid Square",   "Solid Diamond",   "Solid Triangle"};
constexpr std::array<std::string_view, 4> kResolutions = {
    "Low Resolution   (50 pts)", "Medium               (100 points)", "High                    (200 points)",
    "Extra High           (1000 points)"};
constexpr std::array<std::string_view, 4> kAxisStyles = {"&1", "&2", "&3", "&4"};
constexpr std::array<std::string_view, 3> kTicStyles = {"&Both Sides", "&Inside", "Out&side"};

// The thickness list's entries stand for tenths.
constexpr double kThicknessStep = 0.1;
// Style codes of the coupled line fields.
constexpr int kSolidStyle = 1;
constexpr int kHairline = 0;
constexpr int kNoPoints = symNone;
constexpr int kSolidCircle = symSolidCircle;
// The object ID that opens the axis-style page; the plot puts it on nothing, the dialog's
// own axis-style samples use 1 to 4.
constexpr std::uint32_t kAxisStyleID = 4;
// The most lines an interaction or contour plot is given from the dialog: each line is
// an entry of the key, and a few thousand would only stall the layout.
constexpr double kMostLines = 1000;

struct FieldTraits {
    Kind kind;
    Page page;
};

constexpr std::array<FieldTraits, kPlotOptionsFieldCount> kFieldTraits = {{
    {Kind::Text, Page::Title},       // MainTitleEditControl
    {Kind::Size, Page::Title},       // MainTitleSizeComboBox
    {Kind::Choice, Page::Title},     // MainTitleColorComboBox
    {Kind::Text, Page::Title},       // SubTitleEditControl
    {Kind::Size, Page::Title},       // SubTitleSizeComboBox
    {Kind::Choice, Page::Title},     // SubTitleColorComboBox
    {Kind::Radio, Page::AxisStyle},  // StyleAxisRadioGroup
    {Kind::Radio, Page::AxisStyle},  // StyleTicRadioGroup
    {Kind::Size, Page::AxisStyle},   // StyleTicSizeNumberComboBox
    {Kind::Size, Page::AxisStyle},   // StyleTicSizeBetweenComboBox
    {Kind::Text, Page::AxisStyle},   // StyleRatioEdit
    {Kind::Text, Page::YAxis},       // YAxisLabelTextEdit
    {Kind::Size, Page::YAxis},       // YAxisLabelSizeComboBox
    {Kind::Flag, Page::YAxis},       // YAxisLabelVerticalCheckBox
    {Kind::Text, Page::YAxis},       // YAxisScaleMinimumValueEdit
    {Kind::Text, Page::YAxis},       // YAxisScaleMaximumValueEdit
    {Kind::Size, Page::YAxis},       // YAxisScaleSizeComboBox
    {Kind::Text, Page::YAxis},       // YAxisLayoutNumberValuesEdit
    {Kind::Text, Page::YAxis},       // YAxisLayoutNumberTicsEdit
    {Kind::Text, Page::XAxis},       // XAxisScaleMinimumValueEdit
    {Kind::Text, Page::XAxis},       // XAxisScaleMaximumValueEdit
    {Kind::Size, Page::XAxis},       // XAxisScaleValueSizeComboBox
    {Kind::Text, Page::XAxis},       // XAxisLayoutNumberValuesEdit
    {Kind::Text, Page::XAxis},       // XAxisLayoutNumberTicsEdit
    {Kind::Choice, Page::XAxis},     // XAxisScaleMinimumLabelComboBox
    {Kind::Choice, Page::XAxis},     // XAxisScaleMaximumLabelComboBox
    {Kind::Size, Page::XAxis},       // XAxisScaleLabelSizeComboBox
    {Kind::Text, Page::XAxis},       // XAxisLayoutNumberLabelsEdit
    {Kind::Text, Page::XAxis},       // XAxisLabelTextEdit
    {Kind::Size, Page::XAxis},       // XAxisLabelSizeComboBox
    {Kind::Text, Page::Key},         // KeyTitleEdit
    {Kind::Size, Page::Key},         // KeySizeComboBox
    {Kind::Choice, Page::Key},       // KeyColorComboBox
    {Kind::Flag, Page::Key},         // KeyDisplayCheckBox
    {Kind::Size, Page::Key},         // LineSizeComboBox
    {Kind::Text, Page::Lines},       // LineLabelEdit
    {Kind::Choice, Page::Lines},     // LineColorComboBox
    {Kind::Choice, Page::Lines},     // LineInfoStyleComboBox
    {Kind::Choice, Page::Lines},     // LineThicknessComboBox
    {Kind::Text, Page::Lines},       // LineValueEdit
    {Kind::Choice, Page::Lines},     // LinePointStyleComboBox
    {Kind::Size, Page::Lines},       // LinePointSizeComboBox
    {Kind::Flag, Page::Lines},       // LinePointConnectPointsCheckBox
    {Kind::Size, Page::OffAxis},     // OffAxisSizeComboBox
    {Kind::Flag, Page::OffAxis},     // OffAxisDisplayCheckBox
    {Kind::Text, Page::OffAxis},     // OffAxisNameEdit
    {Kind::Text, Page::OffAxis},     // OffAxisValueEdit
    {Kind::Size, Page::Comments},    // CommentsSizeComboBox
    {Kind::Flag, Page::Comments},    // CommentsDisplayCheckBox
    {Kind::Text, Page::Comments},    // CommentsTextEdit
    {Kind::Flag, Page::Other},       // AutoScaleCheckBox
    {Kind::Choice, Page::Other},     // ResolutionComboBox
    {Kind::Text, Page::Other},       // NumberLinesEdit
}};

template <std::size_t N>
std::vector<std::string> texts(const std::array<std::string_view, N>& list)
{
    return {list.begin(), list.end()};
}

// Numbers as the dialog shows them: as many digits as needed, powers of ten written out.
std::string numberText(const Real& value)
{
    return value.toText(0, true).str();
}

std::string countText(std::uint32_t uCount)
{
    return numberText(Real(static_cast<double>(uCount)));
}

std::string sizeText(double dSize)
{
    return Plot::FormatSize(dSize).str();
}

// The last colour entry of the given value; Black when the list has none.
int colorIndex(TColor color)
{
    int iFound = 0;
    for (int i = 0; i < static_cast<int>(kColors.size()); ++i)
        if (kColors[i].color == color) iFound = i;
    return iFound;
}

// The first colour entry of the given value, or none.
std::optional<int> firstColorIndex(TColor color)
{
    for (int i = 0; i < static_cast<int>(kColors.size()); ++i)
        if (kColors[i].color == color) return i;
    return std::nullopt;
}

// The entry of the thickness list shown for a thickness: whole tenths, cut toward zero,
// so 0.25 shows as "0.2"; none for a thickness beyond the list.
int thicknessIndex(double dThickness)
{
    const double dTenths = std::trunc(dThickness / kThicknessStep);
    return (dTenths >= 0 && dTenths < static_cast<double>(kThicknesses.size())) ? static_cast<int>(dTenths) : -1;
}

std::optional<Real> readNumber(std::string_view sText)
{
    const Real value(trimBlanks(sText));
    if (!value.isValid()) return std::nullopt;
    return value;
}

// A whole number at least iLeast; the number as read, not yet limited.
std::optional<double> readCount(std::string_view sText, int iLeast)
{
    const std::optional<Real> value = readNumber(sText);
    if (!value) return std::nullopt;
    const Real whole(std::trunc(value->value()));
    if (!(*value == whole) || whole < Real(static_cast<double>(iLeast))) return std::nullopt;
    return whole.value();
}

bool isSize(std::string_view sText)
{
    return Plot::ParseSize(sText) > 0;
}

std::uint32_t toCount(double dCount)
{
    return static_cast<std::uint32_t>(std::clamp(dCount, 0.0, 4294967295.0));
}

std::string trimmed(std::string_view sText)
{
    return std::string(trimBlanks(sText));
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Lists and fields

std::span<const PlotOptionsColor> PlotOptionsModel::ColorList()
{
    return kColors;
}
std::span<const std::string_view> PlotOptionsModel::SizeList()
{
    return kSizes;
}
std::span<const std::string_view> PlotOptionsModel::ThicknessList()
{
    return kThicknesses;
}
std::span<const std::string_view> PlotOptionsModel::LineStyleList()
{
    return kLineStyles;
}
std::span<const std::string_view> PlotOptionsModel::PointStyleList()
{
    return kPointStyles;
}
std::span<const std::string_view> PlotOptionsModel::ResolutionList()
{
    return kResolutions;
}

PlotOptionsFieldKind PlotOptionsModel::KindOf(PlotOptionsField field)
{
    return kFieldTraits[static_cast<int>(field)].kind;
}

PlotOptionsPage PlotOptionsModel::PageOf(PlotOptionsField field)
{
    return kFieldTraits[static_cast<int>(field)].page;
}

std::vector<std::string> PlotOptionsModel::Choices(PlotOptionsField field) const
{
    switch (field) {
        case Field::MainTitleColorComboBox:
        case Field::SubTitleColorComboBox:
        case Field::KeyColorComboBox:
        case Field::LineColorComboBox: {
            std::vector<std::string> names;
            for (const PlotOptionsColor& entry : kColors) names.emplace_back(entry.sName);
            return names;
        }
        case Field::StyleAxisRadioGroup: return texts(kAxisStyles);
        case Field::StyleTicRadioGroup: return texts(kTicStyles);
        case Field::LineInfoStyleComboBox: return texts(kLineStyles);
        case Field::LineThicknessComboBox: return texts(kThicknesses);
        case Field::LinePointStyleComboBox: return texts(kPointStyles);
        case Field::ResolutionComboBox: return texts(kResolutions);
        case Field::XAxisScaleMinimumLabelComboBox:
        case Field::XAxisScaleMaximumLabelComboBox: {
            // "3:  March": the label's number from 1 and the label.
            std::vector<std::string> entries;
            for (std::uint32_t k = 0; k < m_uLabelCount; ++k)
                entries.push_back(std::to_string(k + 1) + ":  " + m_plot.XAxisLabels()[k].str());
            return entries;
        }
        default: return KindOf(field) == Kind::Size ? texts(kSizes) : std::vector<std::string>();
    }
}

// ---------------------------------------------------------------------------------------
// Filling the fields

PlotOptionsModel::PlotOptionsModel(Plot& plot, std::uint32_t uObjectID)
    : m_plot(plot),
      m_iKind(plot.Kind()),
      m_bKeyValues(plot.KeyValues()),
      m_bTextLabels(plot.XAxisLabelCount() >= 2 && plot.XAxisLabels() && plot.XAxisLabelPositions()),
      m_uLabelCount(m_bTextLabels ? plot.XAxisLabelCount() : 0)
{
    fill();
    chooseFirstPage(uObjectID);
}

void PlotOptionsModel::fill()
{
    const Plot& p = m_plot;
    SetText(Field::MainTitleEditControl, p.MainTitle().view());
    SetText(Field::MainTitleSizeComboBox, sizeText(p.MainTitleSize()));
    SetIndex(Field::MainTitleColorComboBox, colorIndex(p.MainTitleColor()));
    SetText(Field::SubTitleEditControl, p.SubTitle().view());
    SetText(Field::SubTitleSizeComboBox, sizeText(p.SubTitleSize()));
    SetIndex(Field::SubTitleColorComboBox, colorIndex(p.SubTitleColor()));

    SetIndex(Field::StyleAxisRadioGroup, p.AxisStyle() < kAxisStyles.size() ? p.AxisStyle() : -1);
    SetIndex(Field::StyleTicRadioGroup, p.TicStyle() < kTicStyles.size() ? p.TicStyle() : -1);
    SetText(Field::StyleTicSizeNumberComboBox, sizeText(p.TicSizeNumber()));
    SetText(Field::StyleTicSizeBetweenComboBox, sizeText(p.TicSizeBetween()));
    SetText(Field::StyleRatioEdit, numberText(Real(p.Ratio())));

    SetText(Field::YAxisLabelTextEdit, p.YAxisLabel().view());
    SetText(Field::YAxisLabelSizeComboBox, sizeText(p.YAxisLabelSize()));
    SetChecked(Field::YAxisLabelVerticalCheckBox, p.YAxisLabelVertical());
    SetText(Field::YAxisScaleMinimumValueEdit, numberText(p.YMinimum()));
    SetText(Field::YAxisScaleMaximumValueEdit, numberText(p.YMaximum()));
    SetText(Field::YAxisScaleSizeComboBox, sizeText(p.YAxisScaleSize()));
    SetText(Field::YAxisLayoutNumberValuesEdit, countText(p.YAxisNumberValues()));
    SetText(Field::YAxisLayoutNumberTicsEdit, countText(p.YAxisNumberTics()));

    SetText(Field::XAxisLabelTextEdit, p.XAxisLabel().view());
    SetText(Field::XAxisLabelSizeComboBox, sizeText(p.XAxisLabelSize()));
    if (m_bTextLabels) {
        SetIndex(Field::XAxisScaleMinimumLabelComboBox, static_cast<int>(p.FirstXLabel()));
        SetIndex(Field::XAxisScaleMaximumLabelComboBox, static_cast<int>(p.LastXLabel()));
        SetText(Field::XAxisScaleLabelSizeComboBox, sizeText(p.XAxisScaleSize()));
        SetText(Field::XAxisLayoutNumberLabelsEdit, countText(p.XAxisNumberLabels()));
    } else {
        SetText(Field::XAxisScaleMinimumValueEdit, numberText(p.XMinimum()));
        SetText(Field::XAxisScaleMaximumValueEdit, numberText(p.XMaximum()));
        SetText(Field::XAxisScaleValueSizeComboBox, sizeText(p.XAxisScaleSize()));
        SetText(Field::XAxisLayoutNumberValuesEdit, countText(p.XAxisNumberValues()));
        SetText(Field::XAxisLayoutNumberTicsEdit, countText(p.XAxisNumberTics()));
    }

    SetText(Field::KeyTitleEdit, p.KeyTitle().view());
    SetText(Field::KeySizeComboBox, sizeText(p.KeyTitleSize()));
    SetIndex(Field::KeyColorComboBox, colorIndex(p.KeyTitleColor()));
    SetChecked(Field::KeyDisplayCheckBox, p.KeyDisplay());
    SetText(Field::LineSizeComboBox, sizeText(p.KeySize()));

    for (std::uint32_t n = 1; n <= p.NumberOfLines(); ++n) {
        const LineInfo& line = *p.Line(n);
        LineCopy copy;
        copy.sLabel = line.Label.str();
        copy.color = line.Color;
        copy.iStyle = line.Style < kLineStyles.size() ? line.Style : -1;
        copy.dThickness = line.Thickness;
        copy.iThickness = thicknessIndex(line.Thickness);
        if (m_bKeyValues) copy.sValue = line.ValueText.str();
        copy.iPointStyle = line.PointStyle < kPointStyles.size() ? line.PointStyle : -1;
        copy.sPointSize = sizeText(line.PointSize);
        copy.bConnect = line.ConnectPoints;
        copy.bHasPoints = line.uNumber > 0;
        m_lines.push_back(std::move(copy));
    }
    loadLine();

    SetText(Field::OffAxisSizeComboBox, sizeText(p.OffAxisSize()));
    SetChecked(Field::OffAxisDisplayCheckBox, p.OffAxisDisplay());
    for (std::uint32_t k = 1; k <= p.NumberOfOffAxisVariables(); ++k) {
        const OffAxisVariableInfo& variable = *p.OffAxisVariable(k);
        m_offAxis.push_back({variable.Name.str(), variable.ValueText.str()});
    }
    loadOffAxis();

    SetText(Field::CommentsSizeComboBox, sizeText(p.CommentsSize()));
    SetChecked(Field::CommentsDisplayCheckBox, p.CommentsDisplay());
    for (std::uint32_t k = 1; k <= p.NumberOfComments(); ++k) m_comments.push_back(p.Comment(k)->str());
    loadComment();

    SetChecked(Field::AutoScaleCheckBox, p.YAutoScale());
    SetIndex(Field::ResolutionComboBox, p.Resolution() < kResolutions.size() ? static_cast<int>(p.Resolution()) : 0);
    SetText(Field::NumberLinesEdit, countText(p.NumberOfLines()));
}

void PlotOptionsModel::chooseFirstPage(std::uint32_t uObjectID)
{
    // An ID of a part the plot no longer has opens the first page.
    auto openTab = [this](PlotOptionsPage page, PlotOptionsStrip strip, std::uint32_t uTab) {
        if (!PageVisible(page) || uTab >= static_cast<std::uint32_t>(TabCount(strip))) return;
        m_page = page;
        SelectTab(strip, static_cast<int>(uTab));
    };
    m_page = PlotOptionsPage::Title;
    if (uObjectID == poYAxis)
        m_page = PlotOptionsPage::YAxis;
    else if (uObjectID == poXAxis)
        m_page = PlotOptionsPage::XAxis;
    else if (uObjectID == kAxisStyleID)
        m_page = PlotOptionsPage::AxisStyle;
    else if (uObjectID == poKeyTitle)
        m_page = PlotOptionsPage::Key;
    else if (uObjectID > poLineBase && uObjectID < poOffAxisBase)
        openTab(PlotOptionsPage::Lines, PlotOptionsStrip::Lines, uObjectID - poLineBase - 1);
    else if (uObjectID > poOffAxisBase && uObjectID < poCommentBase)
        openTab(PlotOptionsPage::OffAxis, PlotOptionsStrip::OffAxis, uObjectID - poOffAxisBase - 1);
    else if (uObjectID > poCommentBase)
        openTab(PlotOptionsPage::Comments, PlotOptionsStrip::Comments, uObjectID - poCommentBase - 1);
}

// ---------------------------------------------------------------------------------------
// Pages and tab strips

bool PlotOptionsModel::PageVisible(PlotOptionsPage page) const
{
    switch (page) {
        case PlotOptionsPage::Lines: return !m_lines.empty();
        case PlotOptionsPage::OffAxis: return !m_offAxis.empty();
        case PlotOptionsPage::Comments: return !m_comments.empty();
        default: return true;
    }
}

bool PlotOptionsModel::LinePointsVisible() const
{
    return !m_lines.empty() && m_lines[m_iLineTab].bHasPoints;
}

std::string_view PlotOptionsModel::NumberLinesCaption() const
{
    return m_iKind == 2 ? "Number of Contours" : "Number of Lines";
}

std::string_view PlotOptionsModel::NumberLinesLabel() const
{
    return m_iKind == 2 ? "&Number of Contours:" : "&Number of Lines:";
}

int PlotOptionsModel::TabCount(PlotOptionsStrip strip) const
{
    switch (strip) {
        case PlotOptionsStrip::Lines: return static_cast<int>(m_lines.size());
        case PlotOptionsStrip::OffAxis: return static_cast<int>(m_offAxis.size());
        case PlotOptionsStrip::Comments: return static_cast<int>(m_comments.size());
    }
    return 0;
}

int PlotOptionsModel::Tab(PlotOptionsStrip strip) const
{
    switch (strip) {
        case PlotOptionsStrip::Lines: return m_iLineTab;
        case PlotOptionsStrip::OffAxis: return m_iOffAxisTab;
        case PlotOptionsStrip::Comments: return m_iCommentTab;
    }
    return 0;
}

void PlotOptionsModel::SelectTab(PlotOptionsStrip strip, int iTab)
{
    if (iTab < 0 || iTab >= TabCount(strip)) return;
    switch (strip) {
        case PlotOptionsStrip::Lines:
            storeLine();
            m_iLineTab = iTab;
            loadLine();
            break;
        case PlotOptionsStrip::OffAxis:
            storeOffAxis();
            m_iOffAxisTab = iTab;
            loadOffAxis();
            break;
        case PlotOptionsStrip::Comments:
            storeComment();
            m_iCommentTab = iTab;
            loadComment();
            break;
    }
}

void PlotOptionsModel::storeLine()
{
    if (m_lines.empty()) return;
    LineCopy& line = m_lines[m_iLineTab];
    line.sLabel = Text(Field::LineLabelEdit);
    const int iColor = Index(Field::LineColorComboBox);
    if (iColor >= 0 && iColor < static_cast<int>(kColors.size())) line.color = kColors[iColor].color;
    line.iStyle = Index(Field::LineInfoStyleComboBox);
    line.iThickness = Index(Field::LineThicknessComboBox);
    if (m_bKeyValues) line.sValue = Text(Field::LineValueEdit);
    line.iPointStyle = Index(Field::LinePointStyleComboBox);
    line.sPointSize = Text(Field::LinePointSizeComboBox);
    line.bConnect = Checked(Field::LinePointConnectPointsCheckBox);
}

void PlotOptionsModel::loadLine()
{
    if (m_lines.empty()) return;
    const LineCopy& line = m_lines[m_iLineTab];
    SetText(Field::LineLabelEdit, line.sLabel);
    // A colour the list does not have leaves the list where it was.
    if (const std::optional<int> iColor = firstColorIndex(line.color)) SetIndex(Field::LineColorComboBox, *iColor);
    SetIndex(Field::LineInfoStyleComboBox, line.iStyle);
    SetIndex(Field::LineThicknessComboBox, line.iThickness);
    SetText(Field::LineValueEdit, line.sValue);
    SetIndex(Field::LinePointStyleComboBox, line.iPointStyle);
    SetText(Field::LinePointSizeComboBox, line.sPointSize);
    SetChecked(Field::LinePointConnectPointsCheckBox, line.bConnect);
}

void PlotOptionsModel::storeOffAxis()
{
    if (m_offAxis.empty()) return;
    m_offAxis[m_iOffAxisTab] = {Text(Field::OffAxisNameEdit), Text(Field::OffAxisValueEdit)};
}

void PlotOptionsModel::loadOffAxis()
{
    if (m_offAxis.empty()) return;
    SetText(Field::OffAxisNameEdit, m_offAxis[m_iOffAxisTab].sName);
    SetText(Field::OffAxisValueEdit, m_offAxis[m_iOffAxisTab].sValue);
}

void PlotOptionsModel::storeComment()
{
    if (!m_comments.empty()) m_comments[m_iCommentTab] = Text(Field::CommentsTextEdit);
}

void PlotOptionsModel::loadComment()
{
    if (!m_comments.empty()) SetText(Field::CommentsTextEdit, m_comments[m_iCommentTab]);
}

void PlotOptionsModel::storeTabs()
{
    storeLine();
    storeOffAxis();
    storeComment();
}

// ---------------------------------------------------------------------------------------
// The user at work

void PlotOptionsModel::LeaveSizeField(PlotOptionsField field)
{
    const double dSize = Plot::ParseSize(Text(field));
    if (dSize > 0) SetText(field, sizeText(dSize));
}

void PlotOptionsModel::ChooseLineStyle(int iStyle)
{
    SetIndex(Field::LineInfoStyleComboBox, iStyle);
    // Broken styles are drawn one pixel wide.
    if (iStyle > kSolidStyle) SetIndex(Field::LineThicknessComboBox, kHairline);
}

void PlotOptionsModel::ChooseLineThickness(int iThickness)
{
    SetIndex(Field::LineThicknessComboBox, iThickness);
    if (iThickness > kHairline) SetIndex(Field::LineInfoStyleComboBox, kSolidStyle);
}

void PlotOptionsModel::ChoosePointStyle(int iPointStyle)
{
    SetIndex(Field::LinePointStyleComboBox, iPointStyle);
    if (iPointStyle == kNoPoints) SetChecked(Field::LinePointConnectPointsCheckBox, true);
}

void PlotOptionsModel::ClickConnectPoints(bool bChecked)
{
    SetChecked(Field::LinePointConnectPointsCheckBox, bChecked);
    if (!bChecked && Index(Field::LinePointStyleComboBox) == kNoPoints)
        SetIndex(Field::LinePointStyleComboBox, kSolidCircle);
}

void PlotOptionsModel::ClickAxisStyleSample(std::uint32_t uObjectID)
{
    if (uObjectID >= 1 && uObjectID <= kAxisStyles.size())
        SetIndex(Field::StyleAxisRadioGroup, static_cast<int>(uObjectID) - 1);
}

void PlotOptionsModel::ClickTicStyleSample(std::uint32_t uObjectID)
{
    if (uObjectID >= 5 && uObjectID < 5 + kTicStyles.size())
        SetIndex(Field::StyleTicRadioGroup, static_cast<int>(uObjectID) - 5);
}

std::optional<int> PlotOptionsModel::HelpTopic(int iHelpContextBase) const
{
    if (iHelpContextBase == 0) return std::nullopt;
    return iHelpContextBase + static_cast<int>(m_page) + 1;
}

// ---------------------------------------------------------------------------------------
// OK: the checks in order, then the transfer

std::optional<PlotOptionsError> PlotOptionsModel::failure(int iCheck, std::string_view sMessage, PlotOptionsField field)
{
    m_page = PageOf(field);
    return PlotOptionsError{iCheck, sMessage, field};
}

std::optional<PlotOptionsError> PlotOptionsModel::checkLine(int iLine)
{
    SelectTab(PlotOptionsStrip::Lines, iLine);
    const LineCopy& line = m_lines[iLine];
    if (trimBlanks(Text(Field::LineLabelEdit)).empty())
        return failure(22, "Must enter label for line.  Please correct.", Field::LineLabelEdit);
    if (m_bKeyValues && !readNumber(Text(Field::LineValueEdit)))
        return failure(23, "Illegal input for value.  Must be real number.  Please correct.", Field::LineValueEdit);
    if (line.bHasPoints && !isSize(Text(Field::LinePointSizeComboBox)))
        return failure(24, "Illegal size for point.  Must be number greater than 0.  Please correct.",
                       Field::LinePointSizeComboBox);
    return std::nullopt;
}

std::optional<PlotOptionsError> PlotOptionsModel::checkOffAxis(int iVariable)
{
    SelectTab(PlotOptionsStrip::OffAxis, iVariable);
    if (trimBlanks(Text(Field::OffAxisNameEdit)).empty())
        return failure(26, "Must enter name for off-axis variable.  Please correct.", Field::OffAxisNameEdit);
    if (!readNumber(Text(Field::OffAxisValueEdit)))
        return failure(27, "Illegal value for off-axis variable.  Must be real number.  Please correct.",
                       Field::OffAxisValueEdit);
    return std::nullopt;
}

std::optional<PlotOptionsError> PlotOptionsModel::Validate()
{
    storeTabs();
    auto size = [this](PlotOptionsField field) { return isSize(Text(field)); };
    // A whole number of at least iLeast. One larger than the plot takes is lowered to the
    // largest it takes, and the field shows what is used.
    auto count = [this](PlotOptionsField field, int iLeast, double dMost) {
        const std::optional<double> dCount = readCount(Text(field), iLeast);
        if (dCount && *dCount > dMost) SetText(field, countText(toCount(dMost)));
        return dCount.has_value();
    };
    constexpr auto kMostNumbers = static_cast<double>(Plot::kMostAxisNumbers);
    constexpr auto kMostTics = static_cast<double>(Plot::kMostTicsBetween);

    if (!size(Field::MainTitleSizeComboBox))
        return failure(1, "Illegal size for main title.  Must be number greater than 0.  Please correct.",
                       Field::MainTitleSizeComboBox);
    if (!size(Field::SubTitleSizeComboBox))
        return failure(2, "Illegal size for sub title.  Must be number greater than 0.  Please correct.",
                       Field::SubTitleSizeComboBox);
    if (!size(Field::StyleTicSizeNumberComboBox))
        return failure(3,
                       "Illegal size for tics next to numbers or labels.  Must be number greater than 0.  Please "
                       "correct.",
                       Field::StyleTicSizeNumberComboBox);
    if (!size(Field::StyleTicSizeBetweenComboBox))
        return failure(4,
                       "Illegal size for tics between numbers or labels.  Must be number greater than 0.  Please "
                       "correct.",
                       Field::StyleTicSizeBetweenComboBox);
    const std::optional<Real> ratio = readNumber(Text(Field::StyleRatioEdit));
    if (!ratio || *ratio < Real(Plot::kSmallestRatio))
        return failure(5, "Illegal value for ratio.  Must be real number greater than 0.5.  Please correct.",
                       Field::StyleRatioEdit);

    if (!size(Field::YAxisLabelSizeComboBox))
        return failure(6, "Illegal size for y-axis label.  Must be number greater than 0.  Please correct.",
                       Field::YAxisLabelSizeComboBox);
    const std::optional<Real> yMinimum = readNumber(Text(Field::YAxisScaleMinimumValueEdit));
    if (!yMinimum)
        return failure(7, "Illegal value for y-axis minimum value.  Must be real number.  Please correct.",
                       Field::YAxisScaleMinimumValueEdit);
    const std::optional<Real> yMaximum = readNumber(Text(Field::YAxisScaleMaximumValueEdit));
    if (!yMaximum)
        return failure(8, "Illegal value for y-axis maximum value.  Must be real number.  Please correct.",
                       Field::YAxisScaleMaximumValueEdit);
    if (!(*yMinimum < *yMaximum))
        return failure(9, "Y-axis minimum must be less than maximum.  Please correct.",
                       Field::YAxisScaleMinimumValueEdit);
    if (!size(Field::YAxisScaleSizeComboBox))
        return failure(10, "Illegal size for y-axis scale.  Must be number greater than 0.  Please correct.",
                       Field::YAxisScaleSizeComboBox);
    if (!count(Field::YAxisLayoutNumberValuesEdit, 2, kMostNumbers))
        return failure(11,
                       "Illegal value for y-axis number of values.  Must be integer of at least 2.  Please correct.",
                       Field::YAxisLayoutNumberValuesEdit);
    if (!count(Field::YAxisLayoutNumberTicsEdit, 0, kMostTics))
        return failure(12, "Illegal value for y-axis number of tics.  Must be integer of at least 0.  Please correct.",
                       Field::YAxisLayoutNumberTicsEdit);

    if (!size(Field::XAxisLabelSizeComboBox))
        return failure(13, "Illegal size for x-axis label.  Must be number greater than 0.  Please correct.",
                       Field::XAxisLabelSizeComboBox);
    if (m_bTextLabels) {
        if (!(Index(Field::XAxisScaleMinimumLabelComboBox) < Index(Field::XAxisScaleMaximumLabelComboBox)))
            return failure(14, "X-axis minimum label must be before maximum label.  Please correct.",
                           Field::XAxisScaleMinimumLabelComboBox);
        if (!size(Field::XAxisScaleLabelSizeComboBox))
            return failure(15, "Illegal size for x-axis scale.  Must be number greater than 0.  Please correct.",
                           Field::XAxisScaleLabelSizeComboBox);
        if (!count(Field::XAxisLayoutNumberLabelsEdit, 2, static_cast<double>(m_uLabelCount)))
            return failure(16,
                           "Illegal value for x-axis number of labels.  Must be integer of at least 2.  Please "
                           "correct.",
                           Field::XAxisLayoutNumberLabelsEdit);
    } else {
        const std::optional<Real> xMinimum = readNumber(Text(Field::XAxisScaleMinimumValueEdit));
        if (!xMinimum)
            return failure(14, "Illegal value for x-axis minimum value.  Must be real number.  Please correct.",
                           Field::XAxisScaleMinimumValueEdit);
        const std::optional<Real> xMaximum = readNumber(Text(Field::XAxisScaleMaximumValueEdit));
        if (!xMaximum)
            return failure(15, "Illegal value for x-axis maximum value.  Must be real number.  Please correct.",
                           Field::XAxisScaleMaximumValueEdit);
        if (!(*xMinimum < *xMaximum))
            return failure(16, "X-axis minimum must be less than maximum.  Please correct.",
                           Field::XAxisScaleMinimumValueEdit);
        if (!size(Field::XAxisScaleValueSizeComboBox))
            return failure(17, "Illegal size for x-axis scale.  Must be number greater than 0.  Please correct.",
                           Field::XAxisScaleValueSizeComboBox);
        if (!count(Field::XAxisLayoutNumberValuesEdit, 2, kMostNumbers))
            return failure(
                18, "Illegal value for x-axis number of values.  Must be integer of at least 2.  Please correct.",
                Field::XAxisLayoutNumberValuesEdit);
        if (!count(Field::XAxisLayoutNumberTicsEdit, 0, kMostTics))
            return failure(19,
                           "Illegal value for x-axis number of tics.  Must be integer of at least 0.  Please correct.",
                           Field::XAxisLayoutNumberTicsEdit);
    }

    if (!size(Field::KeySizeComboBox))
        return failure(20, "Illegal size for key title.  Must be number greater than 0.  Please correct.",
                       Field::KeySizeComboBox);
    if (!size(Field::LineSizeComboBox))
        return failure(21, "Illegal size for lines in key.  Must be number greater than 0.  Please correct.",
                       Field::LineSizeComboBox);
    for (int i = 0; i < static_cast<int>(m_lines.size()); ++i)
        if (auto error = checkLine(i)) return error;

    if (!m_offAxis.empty()) {
        if (!size(Field::OffAxisSizeComboBox))
            return failure(25, "Illegal size for off-axis variables.  Must be number greater than 0.  Please correct.",
                           Field::OffAxisSizeComboBox);
        for (int i = 0; i < static_cast<int>(m_offAxis.size()); ++i)
            if (auto error = checkOffAxis(i)) return error;
    }
    if (!m_comments.empty() && !size(Field::CommentsSizeComboBox))
        return failure(28, "Illegal size for comments.  Must be number greater than 0.  Please correct.",
                       Field::CommentsSizeComboBox);
    if (NumberLinesVisible() && !count(Field::NumberLinesEdit, 2, kMostLines))
        return failure(29, "On other tab, number of lines must be integer greater than or equal to 2.  Please correct.",
                       Field::NumberLinesEdit);
    return std::nullopt;
}

void PlotOptionsModel::Transfer()
{
    Plot& p = m_plot;
    auto size = [this](PlotOptionsField field) { return Plot::ParseSize(Text(field)); };
    auto number = [this](PlotOptionsField field) { return Real(trimBlanks(Text(field))); };
    auto count = [this](PlotOptionsField field) { return toCount(Real(trimBlanks(Text(field))).value()); };
    auto color = [this](PlotOptionsField field, auto setter) {
        const int i = Index(field);
        if (i >= 0 && i < static_cast<int>(kColors.size())) setter(kColors[i].color);
    };
    auto choice = [this](PlotOptionsField field, auto setter) {
        if (Index(field) >= 0) setter(static_cast<std::uint8_t>(Index(field)));
    };

    p.SetMainTitle(trimmed(Text(Field::MainTitleEditControl)));
    p.SetSubTitle(trimmed(Text(Field::SubTitleEditControl)));
    p.SetMainTitleSize(size(Field::MainTitleSizeComboBox));
    p.SetSubTitleSize(size(Field::SubTitleSizeComboBox));
    color(Field::MainTitleColorComboBox, [&p](TColor c) { p.SetMainTitleColor(c); });
    color(Field::SubTitleColorComboBox, [&p](TColor c) { p.SetSubTitleColor(c); });
    choice(Field::StyleAxisRadioGroup, [&p](std::uint8_t u) { p.SetAxisStyle(u); });
    choice(Field::StyleTicRadioGroup, [&p](std::uint8_t u) { p.SetTicStyle(u); });
    p.SetTicSizeNumber(size(Field::StyleTicSizeNumberComboBox));
    p.SetTicSizeBetween(size(Field::StyleTicSizeBetweenComboBox));
    p.SetRatio(number(Field::StyleRatioEdit).value());

    p.SetYAxisLabel(trimmed(Text(Field::YAxisLabelTextEdit)));
    p.SetYAxisLabelSize(size(Field::YAxisLabelSizeComboBox));
    p.SetYAxisLabelVertical(Checked(Field::YAxisLabelVerticalCheckBox));
    p.SetYMinimum(number(Field::YAxisScaleMinimumValueEdit));
    p.SetYMaximum(number(Field::YAxisScaleMaximumValueEdit));
    p.SetYAxisScaleSize(size(Field::YAxisScaleSizeComboBox));
    p.SetYAxisNumberValues(count(Field::YAxisLayoutNumberValuesEdit));
    p.SetYAxisNumberTics(count(Field::YAxisLayoutNumberTicsEdit));

    p.SetXAxisLabel(trimmed(Text(Field::XAxisLabelTextEdit)));
    p.SetXAxisLabelSize(size(Field::XAxisLabelSizeComboBox));
    if (m_bTextLabels) {
        p.SetFirstXLabel(static_cast<std::uint32_t>(Index(Field::XAxisScaleMinimumLabelComboBox)));
        p.SetLastXLabel(static_cast<std::uint32_t>(Index(Field::XAxisScaleMaximumLabelComboBox)));
        p.SetXAxisScaleSize(size(Field::XAxisScaleLabelSizeComboBox));
        p.SetXAxisNumberLabels(count(Field::XAxisLayoutNumberLabelsEdit));
    } else {
        p.SetXMinimum(number(Field::XAxisScaleMinimumValueEdit));
        p.SetXMaximum(number(Field::XAxisScaleMaximumValueEdit));
        p.SetXAxisScaleSize(size(Field::XAxisScaleValueSizeComboBox));
        p.SetXAxisNumberValues(count(Field::XAxisLayoutNumberValuesEdit));
        p.SetXAxisNumberTics(count(Field::XAxisLayoutNumberTicsEdit));
    }

    p.SetKeyTitle(trimmed(Text(Field::KeyTitleEdit)));
    p.SetKeyTitleSize(size(Field::KeySizeComboBox));
    p.SetKeySize(size(Field::LineSizeComboBox));
    color(Field::KeyColorComboBox, [&p](TColor c) { p.SetKeyTitleColor(c); });
    p.SetKeyDisplay(Checked(Field::KeyDisplayCheckBox));

    for (std::uint32_t n = 1; n <= m_lines.size(); ++n) {
        const LineCopy& line = m_lines[n - 1];
        p.SetLineLabel(n, line.sLabel);
        p.SetLineColor(n, line.color);
        if (line.iStyle >= 0) p.SetLineStyle(n, static_cast<std::uint8_t>(line.iStyle));
        p.SetLineThickness(n, line.iThickness >= 0 ? line.iThickness * kThicknessStep : line.dThickness);
        if (m_bKeyValues) p.SetLineValueText(n, trimBlanks(line.sValue));
        if (line.bHasPoints) {
            if (line.iPointStyle >= 0) p.SetLinePointStyle(n, static_cast<std::uint8_t>(line.iPointStyle));
            p.SetLinePointSize(n, Plot::ParseSize(line.sPointSize));
            p.SetLineConnectPoints(n, line.bConnect);
        }
    }
    if (!m_offAxis.empty()) {
        p.SetOffAxisSize(size(Field::OffAxisSizeComboBox));
        p.SetOffAxisDisplay(Checked(Field::OffAxisDisplayCheckBox));
        for (std::uint32_t k = 1; k <= m_offAxis.size(); ++k) {
            p.SetOffAxisName(k, m_offAxis[k - 1].sName);
            p.SetOffAxisValue(k, trimBlanks(m_offAxis[k - 1].sValue));
        }
    }
    if (!m_comments.empty()) {
        p.SetCommentsSize(size(Field::CommentsSizeComboBox));
        p.SetCommentsDisplay(Checked(Field::CommentsDisplayCheckBox));
        for (std::uint32_t k = 1; k <= m_comments.size(); ++k) p.SetComment(k, trimmed(m_comments[k - 1]));
    }
    p.SetYAutoScale(Checked(Field::AutoScaleCheckBox));
    if (Index(Field::ResolutionComboBox) >= 0)
        p.SetResolution(static_cast<std::uint32_t>(Index(Field::ResolutionComboBox)));
    if (m_iKind == 1) SetNumberOfLines(p, count(Field::NumberLinesEdit));
    if (m_iKind == 2) SetNumberOfContours(p, count(Field::NumberLinesEdit));
}

std::optional<PlotOptionsError> PlotOptionsModel::Ok(UserMessages& messages)
{
    const std::optional<PlotOptionsError> error = Validate();
    if (error)
        messages.show(kErrorCaption, error->sMessage, MessageIcon::Exclamation);
    else
        Transfer();
    return error;
}

}  // namespace HalvrennInc

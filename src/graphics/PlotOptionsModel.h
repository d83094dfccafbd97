// Ostrel-Vane Studio - what the plot options dialog edits, without the dialog: the value
// of every field, the working copies behind the tab strips of the lines, the off-axis
// variables and the comments, the coupled fields, the checks of OK in their order and
// the transfer into the plot. The dialog binds one control to each field and holds no
// logic of its own.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"

namespace HalvrennInc {

class Plot;
class UserMessages;

//! The pages of the dialog, in their order.
enum class PlotOptionsPage : int {
    Title,
    AxisStyle,
    YAxis,
    XAxis,
    Key,
    Lines,
    OffAxis,
    Comments,
    Other,
};
inline constexpr int kPlotOptionsPageCount = 9;

//! Every field of the dialog, named after its control.
enum class PlotOptionsField : int {
    // Title
    MainTitleEditControl,
    MainTitleSizeComboBox,
    MainTitleColorComboBox,
    SubTitleEditControl,
    SubTitleSizeComboBox,
    SubTitleColorComboBox,
    // Axis style
    StyleAxisRadioGroup,
    StyleTicRadioGroup,
    StyleTicSizeNumberComboBox,
    StyleTicSizeBetweenComboBox,
    StyleRatioEdit,
    // Y axis
    YAxisLabelTextEdit,
    YAxisLabelSizeComboBox,
    YAxisLabelVerticalCheckBox,
    YAxisScaleMinimumValueEdit,
    YAxisScaleMaximumValueEdit,
    YAxisScaleSizeComboBox,
    YAxisLayoutNumberValuesEdit,
    YAxisLayoutNumberTicsEdit,
    // X axis: the numeric scale, the text labels, and the label of the axis
    XAxisScaleMinimumValueEdit,
    XAxisScaleMaximumValueEdit,
    XAxisScaleValueSizeComboBox,
    XAxisLayoutNumberValuesEdit,
    XAxisLayoutNumberTicsEdit,
    XAxisScaleMinimumLabelComboBox,
    XAxisScaleMaximumLabelComboBox,
    XAxisScaleLabelSizeComboBox,
    XAxisLayoutNumberLabelsEdit,
    XAxisLabelTextEdit,
    XAxisLabelSizeComboBox,
    // Key
    KeyTitleEdit,
    KeySizeComboBox,
    KeyColorComboBox,
    KeyDisplayCheckBox,
    LineSizeComboBox,
    // Lines: the fields of the line whose tab is shown
    LineLabelEdit,
    LineColorComboBox,
    LineInfoStyleComboBox,
    LineThicknessComboBox,
    LineValueEdit,
    LinePointStyleComboBox,
    LinePointSizeComboBox,
    LinePointConnectPointsCheckBox,
    // Off-axis variables
    OffAxisSizeComboBox,
    OffAxisDisplayCheckBox,
    OffAxisNameEdit,
    OffAxisValueEdit,
    // Comments
    CommentsSizeComboBox,
    CommentsDisplayCheckBox,
    CommentsTextEdit,
    // Other
    AutoScaleCheckBox,
    ResolutionComboBox,
    NumberLinesEdit,
};
inline constexpr int kPlotOptionsFieldCount = static_cast<int>(PlotOptionsField::NumberLinesEdit) + 1;

//! What kind of control a field is.
enum class PlotOptionsFieldKind {
    Text,    //!< an edit
    Size,    //!< an editable list of sizes
    Choice,  //!< a list to choose one entry from
    Radio,   //!< a group of radio buttons
    Flag,    //!< a check box
};

//! The three tab strips that show one entry at a time.
enum class PlotOptionsStrip { Lines, OffAxis, Comments };

struct PlotOptionsColor {
    std::string_view sName;
    TColor color;
};

//! The first failed check of OK.
struct PlotOptionsError {
    int iCheck;  //!< 1 .. 29 as the checks are numbered
    std::string_view sMessage;
    PlotOptionsField field;  //!< the field that takes the focus
};

class PlotOptionsModel {
public:
    //! The texts of the message boxes of the dialog.
    static constexpr std::string_view kErrorCaption = "ERROR";

    //! Fills every field from the plot and chooses the first page (and tab) from the ID of
    //! the object clicked: 0 or 1 the titles, 2 the y axis, 3 the x axis, 4 the axis
    //! style, 5 the key, 1001.. a line, 2001.. an off-axis variable, 3001.. a comment.
    PlotOptionsModel(Plot& plot, std::uint32_t uObjectID);
    PlotOptionsModel(const PlotOptionsModel&) = delete;
    PlotOptionsModel& operator=(const PlotOptionsModel&) = delete;

    // ----- The lists of the dialog
    static std::span<const PlotOptionsColor> ColorList();
    static std::span<const std::string_view> SizeList();
    static std::span<const std::string_view> ThicknessList();
    static std::span<const std::string_view> LineStyleList();
    static std::span<const std::string_view> PointStyleList();
    static std::span<const std::string_view> ResolutionList();
    //! The entries of a choice or radio field (the x label lists are the plot's labels).
    std::vector<std::string> Choices(PlotOptionsField field) const;
    static PlotOptionsFieldKind KindOf(PlotOptionsField field);
    static PlotOptionsPage PageOf(PlotOptionsField field);

    // ----- Field values: the text of text and size fields, the chosen entry (-1: none)
    // of choice and radio fields, the state of flags.
    const std::string& Text(PlotOptionsField field) const { return value(field).sText; }
    void SetText(PlotOptionsField field, std::string_view sText) { value(field).sText = sText; }
    int Index(PlotOptionsField field) const { return value(field).iIndex; }
    void SetIndex(PlotOptionsField field, int iIndex) { value(field).iIndex = iIndex; }
    bool Checked(PlotOptionsField field) const { return value(field).bChecked; }
    void SetChecked(PlotOptionsField field, bool bChecked) { value(field).bChecked = bChecked; }

    // ----- Pages and what they show
    PlotOptionsPage Page() const { return m_page; }
    void SetPage(PlotOptionsPage page) { m_page = page; }
    bool PageVisible(PlotOptionsPage page) const;
    //! The x axis has text labels: the label fields are shown instead of the numeric ones.
    bool TextLabels() const { return m_bTextLabels; }
    //! The value of the shown line is edited (the key shows the lines' values).
    bool LineValueVisible() const { return m_bKeyValues; }
    //! The point fields are shown: the shown line has data points.
    bool LinePointsVisible() const;
    //! The number of lines is edited (interaction and contour plots only).
    bool NumberLinesVisible() const { return m_iKind == 1 || m_iKind == 2; }
    std::string_view NumberLinesCaption() const;
    std::string_view NumberLinesLabel() const;

    // ----- Tab strips
    int TabCount(PlotOptionsStrip strip) const;
    int Tab(PlotOptionsStrip strip) const;
    //! Stores the shown fields into the working copy of the tab left and shows the entry
    //! of the new tab.
    void SelectTab(PlotOptionsStrip strip, int iTab);

    // ----- What the dialog does as the user works
    //! Leaving a size field: a positive size is written as the plot writes sizes ("2.5x"
    //! becomes "2.5 x", "1" becomes "Normal"); anything else stays as typed.
    void LeaveSizeField(PlotOptionsField field);
    //! A line style chosen: a broken style makes the line a hairline.
    void ChooseLineStyle(int iStyle);
    //! A thickness chosen: anything thicker than a hairline is drawn solid.
    void ChooseLineThickness(int iThickness);
    //! A point style chosen: without symbols the points are connected.
    void ChoosePointStyle(int iPointStyle);
    //! The connect box clicked: a line without symbols keeps its connecting line, so
    //! unchecking it gives the points solid circles.
    void ClickConnectPoints(bool bChecked);
    //! A sample of the axis-style preview clicked (object IDs 1 to 4).
    void ClickAxisStyleSample(std::uint32_t uObjectID);
    //! A sample of the tic-style preview clicked (object IDs 5 to 7).
    void ClickTicStyleSample(std::uint32_t uObjectID);
    //! The help topic of the page shown: the base + the page's index + 1; none without a
    //! base.
    std::optional<int> HelpTopic(int iHelpContextBase) const;

    // ----- OK
    //! Stores the shown tabs and runs the checks in order. At the first failure the
    //! page (and tab) of the field is shown and the failure returned.
    std::optional<PlotOptionsError> Validate();
    //! Writes every field into the plot through its setters; only after Validate passed.
    void Transfer();
    //! Validate, then either the message box of the failure or the transfer. Returns the
    //! failure; none when the plot has taken the values.
    std::optional<PlotOptionsError> Ok(UserMessages& messages);

private:
    struct FieldValue {
        std::string sText;
        int iIndex = -1;
        bool bChecked = false;
    };
    //! One line as the dialog edits it.
    struct LineCopy {
        std::string sLabel;
        TColor color = 0;
        int iStyle = -1;  //!< style code, -1 for a style the list does not offer
        double dThickness = 0;
        int iThickness = -1;  //!< entry of the thickness list, -1 for none
        std::string sValue;
        int iPointStyle = 0;
        std::string sPointSize;
        bool bConnect = true;
        bool bHasPoints = false;
    };
    struct OffAxisCopy {
        std::string sName;
        std::string sValue;
    };

    FieldValue& value(PlotOptionsField field) { return m_fields[static_cast<int>(field)]; }
    const FieldValue& value(PlotOptionsField field) const { return m_fields[static_cast<int>(field)]; }
    void fill();
    void chooseFirstPage(std::uint32_t uObjectID);
    void storeLine();
    void loadLine();
    void storeOffAxis();
    void loadOffAxis();
    void storeComment();
    void loadComment();
    void storeTabs();
    //! The check of one line or variable, with its tab shown.
    std::optional<PlotOptionsError> checkLine(int iLine);
    std::optional<PlotOptionsError> checkOffAxis(int iVariable);
    std::optional<PlotOptionsError> failure(int iCheck, std::string_view sMessage, PlotOptionsField field);

    Plot& m_plot;
    int m_iKind;
    bool m_bKeyValues;
    bool m_bTextLabels;
    std::uint32_t m_uLabelCount;
    std::array<FieldValue, kPlotOptionsFieldCount> m_fields;
    PlotOptionsPage m_page = PlotOptionsPage::Title;
    std::vector<LineCopy> m_lines;
    std::vector<OffAxisCopy> m_offAxis;
    std::vector<std::string> m_comments;
    int m_iLineTab = 0;
    int m_iOffAxisTab = 0;
    int m_iCommentTab = 0;
};

}  // namespace HalvrennInc

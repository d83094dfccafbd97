// Ostrel-Vane Studio - the texts of the "Custom Analysis" dialog: its fixed captions, the
// captions and item lists that follow the orientation of the data, and the page and
// control that each extraction error sends the user to.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace HalvrennInc {

//! Where the values of one period lie. Columns: every sheet row is a period and its values
//! stand side by side in adjacent columns. Rows: every sheet column is a period and its
//! values stand one above the other. The value is the index of the "Data is In:" choice.
enum class Orientation : int { Columns = 0, Rows = 1 };

//! How the periods go into the series: the index of the radio group that handles a
//! violation of the independent-errors assumption.
enum class GroupingMode : int {
    Individual = 0,  //!< every period is one point
    Group = 1,       //!< n consecutive points are averaged into one
    EveryNth = 2,    //!< only every n-th point is kept
};

//! Captions that change with the orientation.
struct OrientationCaptions {
    std::string_view sStartLabel;
    std::string_view sEndLabel;
    std::string_view sValuesLabel;
    std::string_view sLabelsComboBoxLabel;
    std::string_view sNoteLabel3;
    std::array<std::string_view, 3> psGroupingItems;  //!< indexed by GroupingMode
};
const OrientationCaptions& CaptionsFor(Orientation orientation);

//! Items of the start combo: "A" to "IV" for columns, "1" to "300" for rows.
const std::vector<std::string>& ValueItems(Orientation orientation);
//! Items of the first and last period combos: "1" to "300" for columns, "A" to "IV" for rows.
const std::vector<std::string>& PeriodItems(Orientation orientation);
//! Items of the labels combo: one empty item, then what the start combo offers.
const std::vector<std::string>& LabelItems(Orientation orientation);
//! "1" to "10", the proposals for the number of values per period.
const std::vector<std::string>& NumberValuesItems();
//! "2" to "10", the proposals for the group size.
const std::vector<std::string>& NumberGroupsItems();

//! The captions that never change.
namespace SelectionCaption {
inline constexpr std::string_view kDialog = "Custom Analysis";
inline constexpr std::string_view kTimeRadioGroup = "Data is In:";
inline constexpr std::array<std::string_view, 2> kOrientationItems = {"&Columns", "&Rows"};
inline constexpr std::string_view kNumberValuesLabel = "N&umber Values:";
inline constexpr std::string_view kTimePeriodNote = "Time Period to Analyze:";
inline constexpr std::string_view kNameLabel = "&Name:";
inline constexpr std::string_view kNameNote = "(appears in title and on y-axis)";
inline constexpr std::string_view kHeadersNote = "headers as labels.)";
inline constexpr std::string_view kLabelNameLabel = "&Name for Labels:";
inline constexpr std::string_view kLabelNameNote = "(appears on x-axis)";
inline constexpr std::string_view kRanksCheckBox = "Analyze &Ranks";
inline constexpr std::string_view kOutliersGroup = "Outliers";
inline constexpr std::string_view kSerialCorrelationGroup = "Violation of Independent Errors Assumption";
inline constexpr std::string_view kOptionsButton = "Advanc&ed";
inline constexpr int kHelpContext = 40;
}  // namespace SelectionCaption

//! The tab pages of the dialog, in tab order.
enum class SelectionPage : int { Data = 0, Labels = 1, Assumptions = 2 };
std::string_view PageCaption(SelectionPage page);

//! The controls that the dialog sends the focus to.
enum class SelectionControl : int {
    PageControl,
    OkButton,
    ValueComboBox,
    NumberValuesComboBox,
    StartComboBox,
    EndComboBox,
    LabelsComboBox,
    NumberGroupsComboBox,
};

struct SelectionFocus {
    SelectionPage page = SelectionPage::Data;
    SelectionControl control = SelectionControl::PageControl;
    friend bool operator==(const SelectionFocus&, const SelectionFocus&) = default;
};

//! Where an extraction code sends the user: none for 0 (the dialog closes) and for codes
//! outside 1..6.
std::optional<SelectionFocus> FocusForCode(int iCode);

}  // namespace HalvrennInc

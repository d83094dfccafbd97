// Ostrel-Vane Studio - the data selection's handlers.
#include "selection/DataSelection.h"

#include <cmath>
#include <utility>

#include "foundation/Real.h"
#include "selection/OrientationRules.h"

namespace HalvrennInc {

Orientation OrientationForSelection(const CellRange& selection)
{
    const std::int64_t iHeight = std::int64_t{selection.uBottom} - selection.uTop;
    const std::int64_t iWidth = std::int64_t{selection.uRight} - selection.uLeft;
    return iHeight < iWidth ? Orientation::Rows : Orientation::Columns;
}

void DataSelection::resetAssumptionChoices()
{
    m_fields.bRanks = false;
    m_fields.mode = GroupingMode::Individual;
    m_fields.sGroupSize = std::string_view();
}

int DataSelection::FastAnalysisButtonClick(const Sheet& sheet, UserMessages& messages)
{
    resetAssumptionChoices();
    m_fields.orientation = OrientationForSelection(sheet.selection());
    TimeRadioGroupClick(sheet);
    return ExtractSeries(sheet, messages);
}

void DataSelection::CustomAnalysisButtonClick(const Sheet& sheet)
{
    m_fields.orientation = OrientationForSelection(sheet.selection());
}

void DataSelection::FormShow(const Sheet& sheet)
{
    TimeRadioGroupClick(sheet);
    resetAssumptionChoices();
    m_focus = SelectionFocus{SelectionPage::Data, SelectionControl::PageControl};
}

void DataSelection::TimeRadioGroupClick(const Sheet& sheet)
{
    const OrientationRules& rules = RulesFor(m_fields.orientation);
    m_listsOrientation = m_fields.orientation;
    const Span locations = rules.locations(sheet.selection());
    m_fields.sValue = rules.locationDesignator(locations.uLow);
    m_fields.sNumberValues = WholeNumberText(std::uint64_t{locations.uHigh} - locations.uLow + 1);
    ValueComboBoxChange(sheet);
    m_fields.sLabels = std::string_view();
    LabelsComboBoxChange(sheet);
}

void DataSelection::ValueComboBoxChange(const Sheet& sheet)
{
    const OrientationRules& rules = RulesFor(m_fields.orientation);
    const std::uint64_t uStart = rules.parseLocation(m_fields.sValue.view());
    if (uStart == 0 || uStart > rules.uLocationLimit) {
        m_fields.sStart = std::string_view();
        m_fields.sEnd = std::string_view();
        m_fields.sName = std::string_view();
        return;
    }

    // A start inside a selection of several periods proposes those periods; anything else
    // proposes the whole sheet, which the extraction trims to the periods with numbers.
    const Span locations = rules.locations(sheet.selection());
    Span periods = rules.periods(sheet.selection());
    if (uStart < locations.uLow || uStart > locations.uHigh || periods.uLow == periods.uHigh)
        periods = Span{1, rules.uPeriodLimit};
    m_fields.sStart = rules.periodDesignator(periods.uLow);
    m_fields.sEnd = rules.periodDesignator(periods.uHigh);

    // The number of values must be a whole number exactly (not merely close to one) that
    // keeps the block within the sheet; compared as doubles, so no size can wrap.
    const Real number(m_fields.sNumberValues.view());
    const double dWhole = std::trunc(number.value());
    if (number.isValid() && dWhole == number.value() && dWhole >= 1 &&
        dWhole <= static_cast<double>(rules.uLocationLimit - uStart + 1)) {
        m_fields.sName =
            SeriesName(rules, sheet, static_cast<std::uint32_t>(uStart), static_cast<std::uint32_t>(dWhole));
    } else {
        m_fields.sName = std::string_view();
    }
}

void DataSelection::LabelsComboBoxChange(const Sheet& sheet)
{
    const OrientationRules& rules = RulesFor(m_fields.orientation);
    if (trimBlanks(m_fields.sLabels.view()).empty()) {
        m_fields.sLabelName = rules.sPeriod;
        return;
    }
    // A location beyond the sheet names nothing, like one that does not parse.
    const std::uint64_t uLabel = rules.parseLocation(m_fields.sLabels.view());
    if (uLabel == 0 || uLabel > rules.uLocationLimit) {
        m_fields.sLabelName = std::string_view();
        return;
    }
    m_fields.sLabelName = SeriesName(rules, sheet, static_cast<std::uint32_t>(uLabel), 1);
}

int DataSelection::OkButtonClick(const Sheet& sheet, UserMessages& messages)
{
    m_focus.control = SelectionControl::OkButton;  // so that a combo being edited commits its text
    const int iCode = ExtractSeries(sheet, messages);
    if (const std::optional<SelectionFocus> focus = FocusForCode(iCode)) m_focus = *focus;
    return iCode;
}

int DataSelection::ExtractSeries(const Sheet& sheet, UserMessages& messages)
{
    return ExtractSelectedSeries(m_fields, sheet, messages, m_series);
}

SelectedSeries DataSelection::TakeSeries()
{
    return std::exchange(m_series, SelectedSeries());
}

}  // namespace HalvrennInc

// Ostrel-Vane Studio - the data selection: the model behind the "Custom Analysis" dialog
// and the fast analysis. It proposes the fields from the grid selection of the active
// sheet, keeps the dependent fields in step as the user edits, and extracts the series.
// The dialog binds its controls to the fields and calls the handlers on their events.
#pragma once

#include <string>
#include <vector>

#include "analysis/SelectedSeries.h"
#include "platform/UserMessages.h"
#include "selection/SelectionTexts.h"
#include "selection/SeriesExtraction.h"
#include "workbook/CellRange.h"
#include "workbook/Sheet.h"

namespace HalvrennInc {

//! A selection wider than it is tall holds its periods in columns (Rows); a square or tall
//! one holds them in rows (Columns).
Orientation OrientationForSelection(const CellRange& selection);

//! One object serves every custom and fast analysis of the run: the fields keep their
//! texts between uses, and each use starts again from the grid selection.
class DataSelection {
public:
    SelectionFields& fields() { return m_fields; }
    const SelectionFields& fields() const { return m_fields; }

    //! The captions and item lists as the last orientation switch set them.
    const OrientationCaptions& captions() const { return CaptionsFor(m_listsOrientation); }
    const std::vector<std::string>& valueItems() const { return ValueItems(m_listsOrientation); }
    const std::vector<std::string>& periodItems() const { return PeriodItems(m_listsOrientation); }
    const std::vector<std::string>& labelItems() const { return LabelItems(m_listsOrientation); }

    //! Where the dialog puts the user: the page control of the first page when it opens,
    //! the field at fault after a refused OK.
    const SelectionFocus& focus() const { return m_focus; }

    //! Fast analysis: ranks off, individual periods, no group size, the orientation from the
    //! shape of the grid selection, the fields proposed from it, and the extraction. Returns
    //! the extraction's code; on 0 the caller runs the analysis on series().
    int FastAnalysisButtonClick(const Sheet& sheet, UserMessages& messages);
    //! Custom analysis, before the dialog opens: the orientation from the selection's shape.
    void CustomAnalysisButtonClick(const Sheet& sheet);
    //! The dialog opens: fields proposed from the selection, ranks off, individual periods,
    //! no group size, the first page.
    void FormShow(const Sheet& sheet);
    //! The orientation was set or changed: captions and lists follow it, and the start,
    //! number of values, range, names and labels are proposed again from the selection.
    void TimeRadioGroupClick(const Sheet& sheet);
    //! The start or the number of values changed: the range and the series name follow.
    void ValueComboBoxChange(const Sheet& sheet);
    //! The labels field (or the group size) changed: the label name follows.
    void LabelsComboBoxChange(const Sheet& sheet);
    //! OK: extracts; on a refusal the focus goes to the field at fault (see focus()). The
    //! dialog closes when the code is 0.
    int OkButtonClick(const Sheet& sheet, UserMessages& messages);
    //! Extracts the series from the sheet with the current fields; see ExtractSelectedSeries.
    int ExtractSeries(const Sheet& sheet, UserMessages& messages);

    //! The result of the last successful extraction; emptied when the data are refused (a
    //! refused field leaves it as it was).
    const SelectedSeries& series() const { return m_series; }
    //! Hands the result on; the selection keeps no claim on it.
    SelectedSeries TakeSeries();

private:
    void resetAssumptionChoices();

    SelectionFields m_fields;
    Orientation m_listsOrientation = Orientation::Columns;
    SelectionFocus m_focus;
    SelectedSeries m_series;
};

}  // namespace HalvrennInc

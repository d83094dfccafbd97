// Ostrel-Vane Studio - the analysis of a data file without the desktop.
#include "app/cli/BatchAnalysis.h"

#include <cctype>
#include <cmath>
#include <ostream>
#include <utility>

#include "analysis/AnalysisOptions.h"
#include "analysis/SeriesAnalysis.h"
#include "platform/UserMessages.h"
#include "selection/DataSelection.h"
#include "workbook/DelimitedText.h"
#include "workbook/Designators.h"
#include "workbook/SessionFile.h"
#include "workbook/SpreadsheetImport.h"
#include "workbook/Workbook.h"

namespace HalvrennInc {

bool BatchRequest::IsCustom() const
{
    return orientation || sStart || sValues || sFirst || sLast || sLabels || sName || sLabelName || bRanks || sGroup ||
           sEvery;
}

namespace {

// The sheet a request names: a sheet of exactly that name first, else the number of a
// sheet counted from 1.
std::optional<std::uint32_t> FindSheet(const Workbook& workbook, std::string_view sSheet)
{
    for (std::uint32_t u = 1; u <= workbook.sheetCount(); ++u)
        if (workbook.sheet(u).name() == sSheet) return u;
    const std::uint64_t uNumber = ParseRowNumber(sSheet);
    if (uNumber >= 1 && uNumber <= workbook.sheetCount()) return static_cast<std::uint32_t>(uNumber);
    return std::nullopt;
}

// Makes the sheet named by --sheet the active one; sSource ("session", "file") names what
// lacks it in the message.
int ChooseSheet(Workbook& workbook, const BatchRequest& request, std::string_view sSource, UserMessages& messages)
{
    if (!request.sSheet) return bsSuccess;
    const auto uSheet = FindSheet(workbook, *request.sSheet);
    if (!uSheet) {
        messages.show("Error", "The " + std::string(sSource) + " has no sheet \"" + *request.sSheet + "\".",
                      MessageIcon::Exclamation);
        return bsRefused;
    }
    workbook.setActiveSheet(*uSheet);
    return bsSuccess;
}

int LoadSessionSheet(Workbook& workbook, const BatchRequest& request, UserMessages& messages)
{
    SessionDocument document(workbook);
    if (ReadSession(request.sFile, document, SessionHooks(), messages) != SessionReadResult::Read) return bsRefused;
    return ChooseSheet(workbook, request, "session", messages);
}

}  // namespace

bool IsSessionFileName(std::string_view sFile)
{
    if (sFile.size() < 4) return false;
    std::string sExtension(sFile.substr(sFile.size() - 4));
    for (char& c : sExtension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return sExtension == ".ovs";
}

int LoadDataFile(Workbook& workbook, const BatchRequest& request, UserMessages& messages)
{
    if (IsSessionFileName(request.sFile)) return LoadSessionSheet(workbook, request, messages);
    ImportNotes notes;
    if (!ImportDataFile(workbook, request.sFile, messages, &notes)) return bsRefused;
    if (notes.bDecimalComma) messages.show("Note", kDecimalCommaNote, MessageIcon::Information);
    return ChooseSheet(workbook, request, "file", messages);
}

bool SaveBatchSession(const std::string& sFile, const Workbook& workbook, std::shared_ptr<AnalysisResults> pResults,
                      UserMessages& messages)
{
    Workbook saved(workbook.gridGeometry());
    saved.sheet(1) = workbook.activeSheet();
    saved.setDataWindowGeometry(kSavedDataWindowLayout);
    SessionDocument document(saved);
    SessionWindow window;
    window.type = SessionWindowType::ResultsWindow;
    window.geometry = kSavedResultsWindowLayout;
    window.pResults = std::move(pResults);
    document.windows.push_back(std::move(window));
    return WriteSession(sFile, document, messages);
}

namespace {

// Fills the dialog's fields in the order a user would: the orientation first (it proposes
// everything again), then the location, then the names, then the handling of violations.
void FillCustomFields(const BatchRequest& request, DataSelection& selection, const Sheet& sheet)
{
    SelectionFields& fields = selection.fields();
    selection.CustomAnalysisButtonClick(sheet);
    selection.FormShow(sheet);
    if (request.orientation && *request.orientation != fields.orientation) {
        fields.orientation = *request.orientation;
        selection.TimeRadioGroupClick(sheet);
    }
    if (request.sStart) {
        fields.sValue = *request.sStart;
        selection.ValueComboBoxChange(sheet);
    }
    if (request.sValues) {
        fields.sNumberValues = *request.sValues;
        selection.ValueComboBoxChange(sheet);
    }
    if (request.sFirst) fields.sStart = *request.sFirst;
    if (request.sLast) fields.sEnd = *request.sLast;
    if (request.sLabels) {
        fields.sLabels = *request.sLabels;
        selection.LabelsComboBoxChange(sheet);
    }
    if (request.sName) fields.sName = *request.sName;
    if (request.sLabelName) fields.sLabelName = *request.sLabelName;
    fields.bRanks = request.bRanks;
    if (request.sGroup) {
        fields.mode = GroupingMode::Group;
        fields.sGroupSize = *request.sGroup;
    } else if (request.sEvery) {
        fields.mode = GroupingMode::EveryNth;
        fields.sGroupSize = *request.sEvery;
    }
}

}  // namespace

std::optional<String> SetBatchOptions(const BatchRequest& request, AnalysisOptions& options)
{
    const AnalysisOptions defaults;
    return options.Set(request.sTrials.value_or(defaults.sTrials.str()), request.sLevel.value_or(defaults.sLevel.str()),
                       request.sInterval.value_or(defaults.sInterval.str()), request.bWithReplacement);
}

int PrepareBatchSeries(const BatchRequest& request, Workbook& workbook, UserMessages& messages, SelectedSeries& series,
                       AnalysisOptions& options)
{
    if (request.sSelect) {
        const auto range = ParseCellRange(*request.sSelect);
        if (!range) {
            messages.show("Error", "The selection \"" + *request.sSelect + "\" does not name cells of the sheet.",
                          MessageIcon::Exclamation);
            return bsUsage;
        }
        workbook.SetSelection(*range);
        workbook.SetCurrentCell(range->uLeft, range->uTop);
    }

    if (const auto sMessage = SetBatchOptions(request, options)) {
        messages.show("Error", sMessage->view(), MessageIcon::Exclamation);
        return bsRefused;
    }

    DataSelection selection;
    const Sheet& sheet = workbook.activeSheet();
    int iCode;
    if (request.IsCustom()) {
        FillCustomFields(request, selection, sheet);
        iCode = selection.OkButtonClick(sheet, messages);
    } else {
        iCode = selection.FastAnalysisButtonClick(sheet, messages);
    }
    if (iCode != ecSuccess) return bsRefused;
    series = selection.TakeSeries();
    return bsSuccess;
}

int RunBatchAnalysis(const BatchRequest& request, Workbook& workbook, UserMessages& messages, StatusCallback pCallback,
                     void* pContext, std::unique_ptr<ChangePointAnalysis>& analysis)
{
    SelectedSeries series;
    AnalysisOptions options;
    if (const int iStatus = PrepareBatchSeries(request, workbook, messages, series, options); iStatus != bsSuccess)
        return iStatus;
    analysis = AnalyzeSeries(std::move(series), options, {request.uSeed, pCallback, pContext, request.uThreads});
    return analysis->Halted() ? bsHalted : bsSuccess;
}

// ---------------------------------------------------------------------------------------

ConsoleProgress::ConsoleProgress(std::ostream& out, bool bShowLine, const std::atomic<bool>& halt)
    : m_out(out), m_bShowLine(bShowLine), m_halt(halt)
{
}

ConsoleProgress::~ConsoleProgress()
{
    Finish();
}

bool ConsoleProgress::Callback(void* pContext, int iCode, const char* psText, double dNumber)
{
    return static_cast<ConsoleProgress*>(pContext)->Update(iCode, psText, dNumber);
}

bool ConsoleProgress::Update(int iCode, const char* psText, double dNumber)
{
    const std::string sText = psText ? psText : "";
    switch (iCode) {
        case scTitle: break;
        case scHeading: m_sHeading = sText; break;
        case scFirstLabel: m_sFirstLabel = sText; break;
        case scSecondLabel: m_sSecondLabel = sText; break;
        case scFirstCounter: m_sFirstValue = sText; break;
        case scSecondCounter: m_sSecondValue = sText; break;
        case scProgress: m_iPercent = static_cast<int>(dNumber); break;
        case scSerialCorrelation:
            Finish();
            m_out << SerialCorrelationWarning(dNumber).view() << '\n' << std::flush;
            break;
        case scOutliers:
            Finish();
            m_out << kOutlierWarning << '\n' << std::flush;
            break;
        default: break;
    }
    if (iCode <= scProgress) Draw();
    return !m_halt.load();
}

void ConsoleProgress::Draw()
{
    if (!m_bShowLine) return;
    std::string sLine = m_sHeading + "  " + m_sFirstLabel + " " + m_sFirstValue + "  " + m_sSecondLabel + " " +
                        m_sSecondValue + "  " + std::to_string(m_iPercent) + "%";
    const std::size_t uWidth = sLine.size();
    if (uWidth < m_uLastWidth) sLine.append(m_uLastWidth - uWidth, ' ');
    m_uLastWidth = uWidth;
    m_out << '\r' << sLine << std::flush;
}

void ConsoleProgress::Finish()
{
    if (!m_bShowLine || m_uLastWidth == 0) return;
    m_out << '\r' << std::string(m_uLastWidth, ' ') << '\r' << std::flush;
    m_uLastWidth = 0;
}

}  // namespace HalvrennInc

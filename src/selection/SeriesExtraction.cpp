// Ostrel-Vane Studio - the extraction of a series from the cells of a sheet.
#include "selection/SeriesExtraction.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <vector>

#include "analysis/MagnitudeScale.h"
#include "foundation/Real.h"
#include "selection/OrientationRules.h"
#include "workbook/Designators.h"

namespace HalvrennInc {

namespace {

constexpr std::string_view kErrorCaption = "Error";
constexpr std::string_view kTooFewPeriods = "At least four data points are required.  Correct and try again.";
constexpr std::string_view kTooFewPoints = "Not enough data to perform analysis.";
//! A series needs this many points after invalid periods, grouping and thinning.
constexpr std::size_t kMinimumPoints = 5;

//! The code that each of the twelve field checks returns.
constexpr std::array<int, 12> kCheckCodes = {ecStart,  ecStart,  ecNumberValues, ecNumberValues,
                                             ecFirst,  ecLast,   ecLast,         ecLast,
                                             ecLabels, ecLabels, ecGroupSize,    ecGroupSize};

//! The fields once they have passed their checks: all within the sheet.
struct CheckedFields {
    std::uint32_t uStart = 0;   //!< first data location
    std::uint32_t uValues = 0;  //!< m
    std::uint32_t uFirst = 0;   //!< first period
    std::uint32_t uLast = 0;    //!< last period
    bool bLabels = false;
    std::uint32_t uLabel = 0;      //!< location of the labels when bLabels
    std::uint64_t uGroupSize = 0;  //!< n (0 when not a whole number of at least 1)
    GroupingMode mode = GroupingMode::Individual;
};

//! Runs the field checks in their order; returns the index of the first that fails, or -1
//! with 'checked' filled in. Every field may hold any size of number, so no sum is formed
//! that could wrap around.
int firstFailedCheck(const OrientationRules& rules, const SelectionFields& fields, CheckedFields& checked)
{
    const std::uint64_t uStart = rules.parseLocation(fields.sValue.view());
    const std::uint64_t uValues = ParseRowNumber(fields.sNumberValues.view());
    const std::uint64_t uFirst = rules.parsePeriod(fields.sStart.view());
    const std::uint64_t uLast = rules.parsePeriod(fields.sEnd.view());
    const bool bLabels = !trimBlanks(fields.sLabels.view()).empty();
    const std::uint64_t uLabel = rules.parseLocation(fields.sLabels.view());
    const std::uint64_t uGroupSize = ParseRowNumber(fields.sGroupSize.view());

    if (uStart == 0) return 0;
    if (uStart > rules.uLocationLimit) return 1;
    if (uValues == 0) return 2;
    if (uValues > rules.uLocationLimit - uStart + 1) return 3;  // start + m - 1 beyond the sheet
    if (uFirst == 0) return 4;
    if (uLast == 0) return 5;
    if (uLast < uFirst) return 6;
    if (uLast > rules.uPeriodLimit) return 7;
    // A label location beyond the sheet is no more a place to read than one that does not parse.
    if (bLabels && (uLabel == 0 || uLabel > rules.uLocationLimit)) return 8;
    if (bLabels && uLabel >= uStart && uLabel - uStart < uValues) return 9;
    if (fields.mode == GroupingMode::Group && uGroupSize < 2) return 10;
    if (fields.mode == GroupingMode::EveryNth && uGroupSize < 2) return 11;

    checked.uStart = static_cast<std::uint32_t>(uStart);
    checked.uValues = static_cast<std::uint32_t>(uValues);
    checked.uFirst = static_cast<std::uint32_t>(uFirst);
    checked.uLast = static_cast<std::uint32_t>(uLast);
    checked.bLabels = bLabels;
    checked.uLabel = static_cast<std::uint32_t>(uLabel);
    checked.uGroupSize = uGroupSize;
    checked.mode = fields.mode;
    return -1;
}

//! A number nearer to 0 than the number type holds reads as 0; such a cell is no more a
//! number the analysis can use than one beyond the largest ("Overflow").
bool FlushedToZero(const Real& value, std::string_view sText)
{
    if (value.value() != 0) return false;
    for (const char c : sText) {
        if (c == 'e' || c == 'E' || c == '^') break;
        if (c >= '1' && c <= '9') return true;
    }
    return false;
}

//! Reads the cells of one period's data locations.
class PeriodReader {
public:
    PeriodReader(const OrientationRules& rules, const Sheet& sheet, const CheckedFields& checked)
        : m_rules(rules),
          m_sheet(sheet),
          m_uStart(checked.uStart),
          // Locations beyond the used extent are blank: no need to look at them.
          m_uLastRead(std::min(checked.uStart + checked.uValues - 1, rules.lastUsedLocation(sheet)))
    {
    }

    bool holdsNumber(std::uint32_t uPeriod) const
    {
        for (std::uint32_t uLocation = m_uStart; uLocation <= m_uLastRead; ++uLocation)
            if (CellHoldsNumber(m_rules.cell(m_sheet, uLocation, uPeriod))) return true;
        return false;
    }

    //! The numbers of a period in location order; false when a cell is neither blank nor a
    //! number. Blank cells are left out, so fewer values than locations means blanks.
    bool read(std::uint32_t uPeriod, std::vector<Real>& prValues) const
    {
        prValues.clear();
        for (std::uint32_t uLocation = m_uStart; uLocation <= m_uLastRead; ++uLocation) {
            const std::string_view sText = m_rules.cell(m_sheet, uLocation, uPeriod);
            if (isBlankText(sText)) continue;
            Real value(sText);
            if (!value.isValid() || FlushedToZero(value, sText)) return false;
            prValues.push_back(std::move(value));
        }
        return true;
    }

private:
    const OrientationRules& m_rules;
    const Sheet& m_sheet;
    std::uint32_t m_uStart;
    std::uint32_t m_uLastRead;  //!< the last data location, or the last used one when that is less
};

//! Narrows first..last to the first and last periods with a number in a data cell; false
//! when no period has one. The sheet's used extent bounds the search.
bool trimToNumbers(const PeriodReader& reader, std::uint32_t uLastUsed, std::uint32_t& uFirst, std::uint32_t& uLast)
{
    uLast = std::min(uLast, uLastUsed);
    while (uFirst <= uLast && !reader.holdsNumber(uFirst)) ++uFirst;
    if (uFirst > uLast) return false;
    while (!reader.holdsNumber(uLast)) --uLast;
    return true;
}

Real sumOf(const std::vector<Real>& prValues)
{
    Real sum = 0;
    for (const Real& value : prValues) sum += value;
    return sum;
}

//! The sample standard deviation of a period's values. The deviations are measured from
//! the first value before the mean is taken, so that equal values give differences of
//! exactly 0 and a deviation of exactly 0 (the mean of the raw values need not equal them
//! after rounding); the radicand is a sum of squares and so never comes out negative.
Real standardDeviationInBand(const std::vector<Real>& prValues)
{
    const Real& origin = prValues.front();
    Real shiftedSum = 0;
    for (const Real& value : prValues) shiftedSum += value - origin;
    const Real shiftedMean = shiftedSum / Real(static_cast<double>(prValues.size()));
    Real squares = 0;
    for (const Real& value : prValues) {
        const Real deviation = (value - origin) - shiftedMean;
        squares += deviation * deviation;
    }
    Real result = squares / Real(static_cast<double>(prValues.size() - 1));
    result.squareRoot();
    return result;
}

//! The squares leave the number type's range for large or tiny values: they are taken of
//! the values moved into the procedure's band, and the result moved back.
Real standardDeviation(const std::vector<Real>& prValues)
{
    const int iExponent = ProcedureScaleExponent(prValues).value_or(0);
    if (iExponent == 0) return standardDeviationInBand(prValues);
    return ScaledValue(standardDeviationInBand(ScaledValues(prValues, iExponent)), -iExponent);
}

}  // namespace

void GroupPoints(SelectedSeries& series, std::uint64_t uGroupSize)
{
    const Real divisor(static_cast<double>(uGroupSize));
    std::size_t uGroups = 0;
    std::uint64_t uInGroup = 0;
    Real sum = 0;
    for (std::size_t i = 0; i < series.prPointValues.size(); ++i) {
        if (uInGroup == 0) series.prPointPeriods[uGroups] = series.prPointPeriods[i];
        sum += series.prPointValues[i];
        if (++uInGroup == uGroupSize) {
            series.prPointValues[uGroups++] = sum / divisor;
            sum = 0;
            uInGroup = 0;
        }
    }
    series.prPointPeriods.resize(uGroups);
    series.prPointValues.resize(uGroups);
}

void KeepEveryNthPoint(SelectedSeries& series, std::uint64_t uStep)
{
    const std::size_t uCount = series.prPointValues.size();
    // A step beyond the list keeps point 0 alone; clamping it keeps i + step from wrapping.
    const std::size_t uClampedStep = static_cast<std::size_t>(std::clamp<std::uint64_t>(uStep, 1, uCount + 1));
    std::size_t uKept = 0;
    for (std::size_t i = 0; i < uCount; i += uClampedStep) {
        series.prPointPeriods[uKept] = series.prPointPeriods[i];
        series.prPointValues[uKept] = series.prPointValues[i];
        ++uKept;
    }
    series.prPointPeriods.resize(uKept);
    series.prPointValues.resize(uKept);
}

namespace {

std::string ordinalSuffix(std::uint64_t uNumber)
{
    if (uNumber == 2) return "nd ";
    if (uNumber == 3) return "rd ";
    return "th ";
}

//! "Data: Sheet 1, Column B, Rows 2 - 61" and the grouping when there is one.
std::string dataSource(const OrientationRules& rules, const Sheet& sheet, const CheckedFields& checked,
                       const SelectedSeries& series)
{
    const std::string_view sCaption = trimBlanks(sheet.name().view());
    std::string sSource = "Data: ";
    sSource += sCaption;
    if (!sCaption.starts_with("Sheet")) sSource += " Sheet";
    sSource += ", ";
    sSource += LocationDescription(rules, checked.uStart, checked.uValues);
    sSource += rules.sPeriodRange;
    sSource += series.sFirstPeriod.view();
    sSource += " - ";
    sSource += series.sLastPeriod.view();
    if (checked.mode == GroupingMode::Group) {
        sSource += ", " + WholeNumberText(checked.uGroupSize) + " " + std::string(rules.sPeriods) + " combined";
    } else if (checked.mode == GroupingMode::EveryNth) {
        sSource += ", every " + WholeNumberText(checked.uGroupSize) + ordinalSuffix(checked.uGroupSize) +
                   std::string(rules.sPeriodWord);
    }
    return sSource;
}

//! Asks whether to go on without the periods whose data is invalid or incomplete.
bool agreesToLeaveOut(const OrientationRules& rules, const std::vector<std::uint32_t>& puInvalid,
                      UserMessages& messages)
{
    std::string sText = "Invalid data in " + std::string(rules.sPeriods) + ": ";
    for (std::size_t i = 0; i < puInvalid.size(); ++i) {
        if (i > 0) sText += ", ";
        sText += rules.periodDesignator(puInvalid[i]);
    }
    sText += ".  Do you want to perform analysis without these " + std::string(rules.sPeriods) + "?";
    return messages.ask(kErrorCaption, sText, MessageButtons::YesNo, MessageIcon::None) == MessageAnswer::Yes;
}

//! Reads the periods first..last into points, variation points, positions and labels;
//! the periods with invalid or incomplete data go to 'puInvalid', once each.
void collectPeriods(const OrientationRules& rules, const Sheet& sheet, const CheckedFields& checked,
                    const PeriodReader& reader, std::uint32_t uFirst, std::uint32_t uLast, SelectedSeries& series,
                    std::vector<std::uint32_t>& puInvalid)
{
    const std::size_t uPeriods = uLast - uFirst + 1;
    const bool bVariation = checked.uValues >= 2;
    series.prPointPeriods.reserve(uPeriods);
    series.prPointValues.reserve(uPeriods);
    series.prPeriodPositions.reserve(uPeriods);
    series.psPeriodLabels.reserve(uPeriods);
    if (bVariation) {
        series.prVariationPeriods.reserve(uPeriods);
        series.prVariationValues.reserve(uPeriods);
    }
    const Real valueCount(static_cast<double>(checked.uValues));
    std::vector<Real> prValues;
    prValues.reserve(checked.uValues);

    for (std::uint32_t uPeriod = uFirst; uPeriod <= uLast; ++uPeriod) {
        const Real index(static_cast<double>(uPeriod - uFirst));
        series.prPeriodPositions.push_back(index);
        series.psPeriodLabels.emplace_back(checked.bLabels ? std::string(rules.cell(sheet, checked.uLabel, uPeriod))
                                                           : rules.periodDesignator(uPeriod));

        const bool bValid = reader.read(uPeriod, prValues);
        if (bValid && prValues.empty() && !bVariation) continue;  // a blank cell is left out silently
        if (!bValid || prValues.size() < checked.uValues) {
            puInvalid.push_back(uPeriod);
            continue;
        }
        series.prPointPeriods.push_back(index);
        series.prPointValues.push_back(sumOf(prValues) / valueCount);
        if (bVariation) {
            series.prVariationPeriods.push_back(index);
            series.prVariationValues.push_back(standardDeviation(prValues));
        }
    }
}

//! Data cells that hold text but no number: says so and shows the first few, so that a
//! file read with the wrong separator or decimal mark is recognised at once. Empty when
//! the data cells are all blank.
std::string NoNumbersMessage(const OrientationRules& rules, const Sheet& sheet, const CheckedFields& checked)
{
    constexpr std::size_t kShown = 3;
    constexpr std::size_t kShownLength = 20;
    std::vector<std::string> psFirst;
    const std::uint32_t uLastLocation = std::min(checked.uStart + checked.uValues - 1, rules.lastUsedLocation(sheet));
    const std::uint32_t uLastPeriod = std::min(checked.uLast, rules.lastUsedPeriod(sheet));
    for (std::uint32_t uPeriod = checked.uFirst; uPeriod <= uLastPeriod && psFirst.size() < kShown; ++uPeriod) {
        for (std::uint32_t uLocation = checked.uStart; uLocation <= uLastLocation && psFirst.size() < kShown;
             ++uLocation) {
            const std::string_view sText = rules.cell(sheet, uLocation, uPeriod);
            if (isBlankText(sText)) continue;
            std::string sShown(sText.substr(0, kShownLength));
            for (char& c : sShown)
                if (static_cast<unsigned char>(c) < ' ') c = '?';
            if (sText.size() > kShownLength) sShown += "...";
            psFirst.push_back("\"" + sShown + "\"");
        }
    }
    if (psFirst.empty()) return {};
    std::string sMessage;
    if (checked.uValues == 1) {
        sMessage = std::string(rules.sLocation) + " " + rules.locationDesignator(checked.uStart) + " holds no numbers";
    } else {
        sMessage = std::string(rules.sLocations) + " " + rules.locationDesignator(checked.uStart) + " to " +
                   rules.locationDesignator(checked.uStart + checked.uValues - 1) + " hold no numbers";
    }
    sMessage += " (first cells: ";
    for (std::size_t u = 0; u < psFirst.size(); ++u) sMessage += (u ? ", " : "") + psFirst[u];
    return sMessage + ").";
}

int refuse(UserMessages& messages, std::string_view sText, SelectedSeries& series)
{
    messages.show(kErrorCaption, sText, MessageIcon::Exclamation);
    series = SelectedSeries();
    return ecStart;
}

}  // namespace

int ExtractSelectedSeries(const SelectionFields& fields, const Sheet& sheet, UserMessages& messages,
                          SelectedSeries& series)
{
    const OrientationRules& rules = RulesFor(fields.orientation);
    CheckedFields checked;
    const int iFailed = firstFailedCheck(rules, fields, checked);
    if (iFailed >= 0) {
        messages.show(kErrorCaption, rules.psFieldMessages[iFailed], MessageIcon::Exclamation);
        return kCheckCodes[iFailed];
    }

    const PeriodReader reader(rules, sheet, checked);
    std::uint32_t uFirst = checked.uFirst;
    std::uint32_t uLast = checked.uLast;
    if (!trimToNumbers(reader, rules.lastUsedPeriod(sheet), uFirst, uLast)) {
        const std::string sNoNumbers = NoNumbersMessage(rules, sheet, checked);
        return refuse(messages, sNoNumbers.empty() ? kTooFewPeriods : std::string_view(sNoNumbers), series);
    }
    if (uLast - uFirst < 3) return refuse(messages, kTooFewPeriods, series);

    SelectedSeries result;
    result.bRanks = fields.bRanks;
    result.uValuesPerPeriod = checked.uValues;
    result.uGroupSize = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(checked.uGroupSize, std::numeric_limits<std::uint32_t>::max()));
    result.sFirstPeriod = rules.periodDesignator(uFirst);
    result.sLastPeriod = rules.periodDesignator(uLast);
    std::vector<std::uint32_t> puInvalid;
    collectPeriods(rules, sheet, checked, reader, uFirst, uLast, result, puInvalid);
    if (!puInvalid.empty() && !agreesToLeaveOut(rules, puInvalid, messages)) {
        series = SelectedSeries();
        return ecStart;
    }

    if (!result.prPointValues.empty() && checked.mode != GroupingMode::Individual) {
        if (checked.mode == GroupingMode::Group) {
            GroupPoints(result, checked.uGroupSize);
        } else {
            KeepEveryNthPoint(result, checked.uGroupSize);
        }
        // A grouped or thinned series has no variation points.
        result.prVariationPeriods = std::vector<Real>();
        result.prVariationValues = std::vector<Real>();
    }
    if (result.prPointValues.size() < kMinimumPoints) return refuse(messages, kTooFewPoints, series);

    const std::string sDescription = LocationDescription(rules, checked.uStart, checked.uValues);
    if (const auto sRefusal = MagnitudeRefusal(result.prPointValues, sDescription))
        return refuse(messages, *sRefusal, series);
    const std::string_view sName = trimBlanks(fields.sName.view());
    result.sName = sName.empty() ? std::string_view(sDescription) : sName;
    const std::string_view sLabelName = trimBlanks(fields.sLabelName.view());
    result.sLabelName = sLabelName.empty() ? rules.sPeriod : sLabelName;
    result.sDataSource = dataSource(rules, sheet, checked, result);
    series = std::move(result);
    return ecSuccess;
}

}  // namespace HalvrennInc

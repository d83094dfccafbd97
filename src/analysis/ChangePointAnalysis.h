// Ostrel-Vane Studio - one analysis of one series: it adopts the series the data selection
// extracted and a copy of the analysis options, forms the variation series when the
// selection gave none, tests the assumptions, runs the change-point procedure on the
// values (or their ranks) and on the variation, and keeps everything the results need.
//
// The tables and charts of an analysis are built by the results library right after a
// completed run or a session read; this object only holds the settings they depend on.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/AnalysisOptions.h"
#include "analysis/ChangePointFunctions.h"
#include "analysis/SelectedSeries.h"
#include "foundation/ListPointers.h"
#include "foundation/Real.h"
#include "foundation/String.h"

namespace HalvrennInc {

//! The square root of 2 to twelve decimals: a pair of values gives |x1 - x0| / this as an
//! estimate of the standard deviation with one degree of freedom.
inline constexpr double kSquareRootTwo = 1.414213562373;

//! A serial-correlation result that violates the assumption of independent errors: at
//! most 2.5 (positive correlation) or at least 97.5 (negative); -1 means not tested.
inline bool IndependenceViolated(double dResult)
{
    return (dResult >= 0 && dResult <= 2.5) || dResult >= 97.5;
}

//! The warning of a serial-correlation result that violates independence: "errors" for a
//! live analysis, "data" when the test is rerun on stored data.
String SerialCorrelationWarning(double dResult, bool bStoredData = false);
//! The warning of a series with outliers.
inline constexpr std::string_view kOutlierWarning =
    "Data contains outliers.  See assumption tab when analysis is completed!";

//! Display settings of the results, kept with the analysis and stored with it.
struct DisplaySettings {
    bool bUseAverage = false;            //!< sigma from the average (set) or median (clear) variation
    std::uint8_t uValuesBackground = 3;  //!< 0 none, 1 level changes, 2 variation changes, 3 all changes
    bool bValuesLimits = true;           //!< UCL and LCL shown in the values plot
    bool bValuesConnect = true;          //!< values joined by a line (else shown as markers)
    bool bValuesCusumBackground = true;  //!< level changes shaded in the values CUSUM chart
    bool bVariationBackground = true;    //!< variation changes shaded in the variation plot
    bool bVariationLimits = true;        //!< UCL and LCL shown in the variation plot
    bool bVariationConnect = true;
    bool bVariationCusumBackground = true;
    friend bool operator==(const DisplaySettings&, const DisplaySettings&) = default;
};

class ChangePointAnalysis {
public:
    //! Runs the whole analysis before it returns; Halted() then tells whether the callback
    //! stopped it. The series' vectors are moved into the analysis. The settings say where
    //! the trials draw from and on how many threads; the results are the same for all.
    ChangePointAnalysis(SelectedSeries series, const AnalysisOptions& options, StatusCallback pCallback, void* pContext,
                        const TrialSettings& settings = TrialSettings());
    //! An empty analysis, filled by the session reader.
    ChangePointAnalysis();
    ~ChangePointAnalysis();
    ChangePointAnalysis(const ChangePointAnalysis&) = delete;
    ChangePointAnalysis& operator=(const ChangePointAnalysis&) = delete;

    bool Halted() const { return m_bHalted; }
    //! The largest level of any change in the list (0 when it is empty).
    std::uint32_t MaxLevelValues() const;
    std::uint32_t MaxLevelVariation() const;

    std::uint32_t uNumberPoints() const { return static_cast<std::uint32_t>(prPointValues.size()); }
    std::uint32_t uNumberVariation() const { return static_cast<std::uint32_t>(prVariationValues.size()); }
    std::uint32_t uNumberPeriods() const { return static_cast<std::uint32_t>(prPeriodPositions.size()); }
    const ChangeStructure& ValuesChange(std::uint32_t uPosition) const
    {
        return *valuesChanges.itemAs<ChangeStructure>(uPosition);
    }
    const ChangeStructure& VariationChange(std::uint32_t uPosition) const
    {
        return *variationChanges.itemAs<ChangeStructure>(uPosition);
    }

    //! The values the procedure ran on: the ranks of the values when ranks are analysed.
    std::vector<Real> AnalysedValues() const;
    //! The variation series the procedure ran on (its ranks when ranks are analysed).
    std::vector<Real> AnalysedVariation() const;

    //! Reruns the two assumption tests on the analysed values (a session record of the
    //! first file version does not store their results).
    void RerunAssumptionTests();
    //! The default display settings for the variation's mean and median.
    static DisplaySettings DefaultDisplaySettings(const Real& rMeanVariation, const Real& rMedianVariation);
    //! Recomputes the two CUSUM series from the data (after a session record is read they
    //! come from the file instead).
    void ComputeCusums();

    // The data of the analysis. Readers (results, session file) read them directly.
    String sName;        //!< series name
    String sLabelName;   //!< x-axis title
    String sDataSource;  //!< where the data came from
    String sCaption;     //!< "Analysis Results - " + name (+ " Ranks")

    String sTrials;  //!< the options as the user typed them, and their numbers
    std::uint32_t uTrials = 1000;
    String sLevel;
    double dLevel = 90;
    String sInterval;
    double dInterval = 95;
    bool bWithReplacement = false;
    bool bRanks = false;

    std::uint32_t uValuesPerPeriod = 1;  //!< m
    std::vector<Real> prPointPeriods;    //!< n: period index of each data point
    std::vector<Real> prPointValues;     //!< n: value of each data point
    std::vector<Real> prVariationPeriods;
    std::vector<Real> prVariationValues;
    std::vector<Real> prPeriodPositions;  //!< p: position k = k
    std::vector<String> psPeriodLabels;   //!< p

    ListPointers valuesChanges;     //!< ChangeStructure records, ascending position (owned)
    ListPointers variationChanges;  //!< ChangeStructure records (owned)

    double dSerialCorrelation = -1;  //!< -1 when not tested, else 0..100
    bool bOutliers = false;
    Real rMeanValues;     //!< over all n values, never the ranks
    Real rMeanVariation;  //!< over all v variation values
    Real rMedianVariation;

    std::vector<Real> prValuesUCL, prValuesLCL;              //!< one per period
    std::vector<Real> prValuesUpper, prValuesLower;          //!< bounds, one per data point
    std::vector<Real> prVariationUCL, prVariationLCL;        //!< one per period
    std::vector<Real> prValuesCusumX, prValuesCusumY;        //!< n + 1 points
    std::vector<Real> prVariationCusumX, prVariationCusumY;  //!< v + 1 points

    DisplaySettings display;

private:
    void ComputeCusums(const std::vector<Real>& prValues, const std::vector<Real>& prVariation);
    void FormVariationSeries();
    void ComputeSummaries();
    void Run();
    bool Report(int iCode, double dNumber);

    StatusCallback m_pCallback = nullptr;  //!< given at construction; not stored in files
    void* m_pContext = nullptr;
    TrialSettings m_settings;  //!< given at construction; not stored in files
    bool m_bHalted = false;
};

//! The change list's records in order (for readers that prefer a loop).
std::vector<const ChangeStructure*> ChangeList(const ListPointers& changes);

}  // namespace HalvrennInc

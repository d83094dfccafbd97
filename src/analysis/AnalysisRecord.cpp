// Ostrel-Vane Studio - the stored form of one analysis in a session file.
#include "analysis/AnalysisRecord.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <limits>
#include <ostream>
#include <vector>

#include "analysis/AnalysisOptions.h"
#include "analysis/ChangePointAnalysis.h"
#include "analysis/SessionTokens.h"
#include "platform/UserMessages.h"

namespace HalvrennInc {

namespace {

constexpr std::int64_t kMostCount = std::numeric_limits<std::uint32_t>::max();

// ---------------------------------------------------------------------------------------
// Writing

void WriteTexts(std::ostream& out, std::initializer_list<const String*> texts)
{
    // Each text token ends with its own space; one more separates it from the next.
    bool bFirst = true;
    for (const String* pText : texts) {
        if (!bFirst) out.put(' ');
        pText->writeQuoted(out);
        bFirst = false;
    }
    out.put('\n');
}

void WritePair(std::ostream& out, const Real& first, const Real& second)
{
    first.writeToken(out);
    out.put(' ');
    second.writeToken(out);
    out.put('\n');
}

void WritePairList(std::ostream& out, const std::vector<Real>& prX, const std::vector<Real>& prY)
{
    const std::size_t uCount = std::min(prX.size(), prY.size());
    WriteInteger(out, static_cast<std::int64_t>(uCount));
    out.put('\n');
    for (std::size_t i = 0; i < uCount; ++i) WritePair(out, prX[i], prY[i]);
}

void WriteChanges(std::ostream& out, const ListPointers& changes)
{
    WriteInteger(out, changes.count());
    out.put('\n');
    for (const ChangeStructure* change : ChangeList(changes)) {
        WriteInteger(out, change->uPosition);
        out.put(' ');
        change->rConfidence.writeToken(out);
        out.put(' ');
        WriteInteger(out, change->uLevel);
        out.put(' ');
        WriteInteger(out, change->uIntervalUpper);
        out.put(' ');
        WriteInteger(out, change->uIntervalLower);
        out.put('\n');
    }
}

void WriteDisplaySettings(std::ostream& out, const DisplaySettings& display)
{
    WriteInteger(out, display.uValuesBackground);
    for (bool bFlag : {display.bUseAverage, display.bValuesLimits, display.bValuesConnect,
                       display.bValuesCusumBackground, display.bVariationBackground, display.bVariationLimits,
                       display.bVariationConnect, display.bVariationCusumBackground}) {
        out.put(' ');
        WriteFlag(out, bFlag);
    }
    out.put('\n');
}

// ---------------------------------------------------------------------------------------
// Reading

//! A period index that names one of p periods: a whole number from 0 to p - 1.
bool NamesAPeriod(const Real& rPeriod, std::size_t p)
{
    const double d = rPeriod.value();
    return rPeriod.isValid() && d == std::trunc(d) && d >= 0 && d < static_cast<double>(p);
}

//! The tables and charts cut the series into segments at the changes: positions must
//! ascend and leave at least one point after each change, and the interval ends must lie
//! in the series.
bool ChangesFitSeries(const ListPointers& changes, std::size_t uCount)
{
    std::uint64_t uNextAllowed = 0;
    for (const ChangeStructure* change : ChangeList(changes)) {
        if (change->uPosition < uNextAllowed || std::uint64_t{change->uPosition} + 1 >= uCount) return false;
        if (change->uIntervalLower >= uCount || change->uIntervalUpper >= uCount) return false;
        uNextAllowed = std::uint64_t{change->uPosition} + 1;
    }
    return true;
}

class RecordReader {
public:
    RecordReader(std::istream& in, const Real& version, ChangePointAnalysis& analysis, UserMessages& messages)
        : m_r(in), m_bFirstVersion(IsFirstFileVersion(version)), m_analysis(analysis), m_messages(messages)
    {
    }

    bool Read()
    {
        ChangePointAnalysis& a = m_analysis;
        if (m_bFirstVersion && !(m_r.skipReal() && m_r.skipText() && m_r.skipText() && m_r.skipText())) return false;
        if (!(m_r.text(a.sName) && m_r.text(a.sLabelName) && m_r.text(a.sDataSource) && m_r.text(a.sCaption)))
            return false;
        if (!ReadOptions() || !ReadSeries()) return false;
        if (!ReadChanges(a.valuesChanges) || !ReadChanges(a.variationChanges)) return false;
        if (!ReadTestResults() || !ReadSummaries()) return false;
        if (!ReadPairList(a.prVariationPeriods, a.prVariationValues, true)) return false;
        if (!ReadPairList(a.prValuesCusumX, a.prValuesCusumY, false)) return false;
        if (!ReadPairList(a.prVariationCusumX, a.prVariationCusumY, true)) return false;
        if (!ReadDisplaySettings()) return false;
        const bool bFits = ChangesFitSeries(a.valuesChanges, a.prPointValues.size()) &&
                           ChangesFitSeries(a.variationChanges, a.prVariationValues.size());
        return bFits || SessionTokenReader::fail();
    }

private:
    bool ReadOptions()
    {
        ChangePointAnalysis& a = m_analysis;
        if (!(m_r.text(a.sTrials) && m_r.text(a.sLevel) && m_r.text(a.sInterval) && m_r.flag(a.bWithReplacement) &&
              m_r.flag(a.bRanks)))
            return false;
        // The same checks as the advanced options: the analysis holds nothing they refuse.
        AnalysisOptions options;
        if (options.Set(a.sTrials.view(), a.sLevel.view(), a.sInterval.view(), a.bWithReplacement))
            return SessionTokenReader::fail();
        a.uTrials = options.uTrials;
        a.dLevel = options.dLevel;
        a.dInterval = options.dInterval;
        return true;
    }

    // Values per period, the counts, the data points and the periods.
    bool ReadSeries()
    {
        ChangePointAnalysis& a = m_analysis;
        a.uValuesPerPeriod = 1;
        if (!m_bFirstVersion && !m_r.integer(a.uValuesPerPeriod, 1, kMostValuesPerPeriod)) return false;
        std::uint32_t n = 0;
        if (!m_r.integer(n, 4, kMostCount)) return false;
        std::uint32_t p = n;
        if (!m_bFirstVersion && !m_r.integer(p, n, kMostCount)) return false;

        // The arrays grow as the points arrive: a count the file cannot hold ends in a
        // failed token, never in a huge allocation.
        for (std::uint32_t i = 0; i < n; ++i) {
            Real rIndex, rValue;
            if (!m_r.number(rIndex) || !m_r.number(rValue)) return false;
            if (m_bFirstVersion) {
                if (i == 0) m_rFirstIndex = rIndex;
                rIndex = Shifted(rIndex);
                String sLabel;
                if (!m_r.text(sLabel)) return false;
                for (int k = 0; k < 4; ++k)
                    if (!m_r.skipReal()) return false;
                a.prPeriodPositions.push_back(rIndex);
                a.psPeriodLabels.push_back(std::move(sLabel));
            }
            a.prPointPeriods.push_back(rIndex);
            a.prPointValues.push_back(rValue);
        }
        if (!m_bFirstVersion) {
            for (std::uint32_t k = 0; k < p; ++k) {
                Real rPosition;
                String sLabel;
                if (!m_r.number(rPosition) || !m_r.text(sLabel)) return false;
                a.prPeriodPositions.push_back(rPosition);
                a.psPeriodLabels.push_back(std::move(sLabel));
            }
        }
        for (const Real& rPeriod : a.prPointPeriods)
            if (!NamesAPeriod(rPeriod, a.prPeriodPositions.size())) return SessionTokenReader::fail();
        return true;
    }

    bool ReadChanges(ListPointers& changes)
    {
        std::uint32_t uCount = 0;
        if (!m_r.integer(uCount, 0, kMostCount)) return false;
        for (std::uint32_t k = 0; k < uCount; ++k) {
            ChangeStructure change;
            if (!(m_r.integer(change.uPosition) && m_r.real(change.rConfidence) && m_r.integer(change.uLevel) &&
                  m_r.integer(change.uIntervalUpper) && m_r.integer(change.uIntervalLower)))
                return false;
            changes.append(new ChangeStructure(std::move(change)));
        }
        return true;
    }

    bool ReadTestResults()
    {
        ChangePointAnalysis& a = m_analysis;
        if (m_bFirstVersion) {
            RerunAssumptionTests();
            return true;
        }
        double dResult = 0;
        if (!m_r.number(dResult) || !m_r.flag(a.bOutliers)) return false;
        if (dResult != -1 && !(dResult >= 0 && dResult <= 100)) return SessionTokenReader::fail();
        a.dSerialCorrelation = dResult;
        return true;
    }

    // The first version stores no test results: the tests run again on the stored data
    // and warn as a live analysis does, worded for data rather than errors.
    void RerunAssumptionTests()
    {
        ChangePointAnalysis& a = m_analysis;
        a.RerunAssumptionTests();
        if (IndependenceViolated(a.dSerialCorrelation))
            m_messages.show("Warning", SerialCorrelationWarning(a.dSerialCorrelation, true).view(),
                            MessageIcon::Exclamation);
        if (a.bOutliers) m_messages.show("Warning", kOutlierWarning, MessageIcon::Exclamation);
    }

    bool ReadSummaries()
    {
        ChangePointAnalysis& a = m_analysis;
        if (!m_r.number(a.rMeanValues) || !m_r.number(a.rMeanVariation) || !m_r.number(a.rMedianVariation))
            return false;
        if (a.rMeanVariation < Real(0) || a.rMedianVariation < Real(0)) return SessionTokenReader::fail();
        a.rMeanVariation = Unscaled(a.rMeanVariation);
        a.rMedianVariation = Unscaled(a.rMedianVariation);
        return true;
    }

    // A pair list of at least one pair; the first version's indexes are shifted, and
    // its variation values (bScaled) unscaled.
    bool ReadPairList(std::vector<Real>& prX, std::vector<Real>& prY, bool bScaled)
    {
        std::uint32_t uCount = 0;
        if (!m_r.integer(uCount, 1, kMostCount)) return false;
        for (std::uint32_t i = 0; i < uCount; ++i) {
            Real rIndex, rValue;
            if (!m_r.number(rIndex) || !m_r.number(rValue)) return false;
            prX.push_back(Shifted(rIndex));
            prY.push_back(bScaled ? Unscaled(rValue) : rValue);
        }
        return true;
    }

    bool ReadDisplaySettings()
    {
        DisplaySettings& d = m_analysis.display;
        if (!m_r.integer(d.uValuesBackground, 0, 3)) return false;
        if (m_bFirstVersion) {
            if (!(m_r.flag(d.bUseAverage) && m_r.flag(d.bValuesLimits) && m_r.flag(d.bValuesConnect) &&
                  m_r.flag(d.bValuesCusumBackground) && m_r.flag(d.bVariationCusumBackground)))
                return false;
            // The settings the first version did not have start as a new analysis would.
            d.bVariationBackground = true;
            d.bVariationConnect = true;
            d.bVariationLimits =
                ChangePointAnalysis::DefaultDisplaySettings(m_analysis.rMeanVariation, m_analysis.rMedianVariation)
                    .bVariationLimits;
            return m_r.skipReal();
        }
        return m_r.flag(d.bUseAverage) && m_r.flag(d.bValuesLimits) && m_r.flag(d.bValuesConnect) &&
               m_r.flag(d.bValuesCusumBackground) && m_r.flag(d.bVariationBackground) && m_r.flag(d.bVariationLimits) &&
               m_r.flag(d.bVariationConnect) && m_r.flag(d.bVariationCusumBackground);
    }

    // The first version counts indexes from its first data point's index.
    Real Shifted(const Real& rIndex) const { return m_bFirstVersion ? rIndex - m_rFirstIndex : rIndex; }
    // The first version stores the variation as sqrt(2) times the standard deviation.
    Real Unscaled(const Real& rValue) const { return m_bFirstVersion ? rValue / Real(kSquareRootTwo) : rValue; }

    SessionTokenReader m_r;
    bool m_bFirstVersion;
    ChangePointAnalysis& m_analysis;
    UserMessages& m_messages;
    Real m_rFirstIndex{0.0};
};

}  // namespace

bool IsFirstFileVersion(const Real& version)
{
    return version < Real(2.0);
}

void WriteAnalysisRecord(std::ostream& out, const ChangePointAnalysis& a)
{
    WriteTexts(out, {&a.sName, &a.sLabelName, &a.sDataSource, &a.sCaption});

    a.sTrials.writeQuoted(out);
    a.sLevel.writeQuoted(out);
    a.sInterval.writeQuoted(out);
    out.put(' ');
    WriteFlag(out, a.bWithReplacement);
    out.put(' ');
    WriteFlag(out, a.bRanks);
    out.put('\n');

    WriteInteger(out, a.uValuesPerPeriod);
    out.put('\n');
    const std::size_t n = std::min(a.prPointPeriods.size(), a.prPointValues.size());
    const std::size_t p = std::min(a.prPeriodPositions.size(), a.psPeriodLabels.size());
    WriteInteger(out, static_cast<std::int64_t>(n));
    out.put(' ');
    WriteInteger(out, static_cast<std::int64_t>(p));
    out.put('\n');
    for (std::size_t i = 0; i < n; ++i) WritePair(out, a.prPointPeriods[i], a.prPointValues[i]);
    for (std::size_t k = 0; k < p; ++k) {
        a.prPeriodPositions[k].writeToken(out);
        out.put(' ');
        a.psPeriodLabels[k].writeQuoted(out);
        out.put('\n');
    }

    WriteChanges(out, a.valuesChanges);
    WriteChanges(out, a.variationChanges);

    WritePlainNumber(out, a.dSerialCorrelation);
    out.put(' ');
    WriteFlag(out, a.bOutliers);
    out.put('\n');
    a.rMeanValues.writeToken(out);
    out.put(' ');
    a.rMeanVariation.writeToken(out);
    out.put(' ');
    a.rMedianVariation.writeToken(out);
    out.put('\n');

    WritePairList(out, a.prVariationPeriods, a.prVariationValues);
    WritePairList(out, a.prValuesCusumX, a.prValuesCusumY);
    WritePairList(out, a.prVariationCusumX, a.prVariationCusumY);
    WriteDisplaySettings(out, a.display);
}

bool ReadAnalysisRecord(std::istream& in, const Real& version, ChangePointAnalysis& analysis, UserMessages& messages)
{
    return RecordReader(in, version, analysis, messages).Read();
}

}  // namespace HalvrennInc

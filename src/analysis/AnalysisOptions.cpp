// Ostrel-Vane Studio - the analysis options, their checks and their stored form.
#include "analysis/AnalysisOptions.h"

#include <cmath>

#include "foundation/Real.h"
#include "platform/Settings.h"

namespace HalvrennInc {

namespace {

// The check of a confidence text: a number from 50 up to, but not including, 100.
std::optional<String> CheckConfidence(std::string_view sText, std::string_view sWhat, double& dValue)
{
    const Real value(sText);
    if (!value.isValid()) return String(std::string(sWhat) + " is not a valid number.  Correct and try again.");
    if (value >= Real(100)) return String(std::string(sWhat) + " must be less than 100%.  Correct and try again.");
    if (value < Real(50)) return String(std::string(sWhat) + " must be at least 50%.  Correct and try again.");
    dValue = value.value();
    return std::nullopt;
}

}  // namespace

std::optional<String> AnalysisOptions::Set(std::string_view sTrialsText, std::string_view sLevelText,
                                           std::string_view sIntervalText, bool bReplacement)
{
    if (sTrialsText == sTrials.view() && sLevelText == sLevel.view() && sIntervalText == sInterval.view() &&
        bReplacement == bWithReplacement)
        return std::nullopt;

    // Trials: a whole number; fractions and negative numbers are not.
    const Real trials(sTrialsText);
    const double dWhole = std::trunc(trials.value());
    if (!trials.isValid() || dWhole < 0 || !(trials == Real(dWhole)))
        return String("Number of Bootstrap Trials is not a valid integer.  Correct and try again.");
    if (trials < Real(100)) return String("Number of Bootstrap Trials must be at least 100.  Correct and try again.");
    if (trials > Real(1000000))
        return String("Number of Bootstrap Trials cannot exceed 1 million.  Correct and try again.");

    double dNewLevel = 0;
    double dNewInterval = 0;
    if (auto sMessage = CheckConfidence(sLevelText, "Confidence Level for Change", dNewLevel)) return sMessage;
    if (auto sMessage = CheckConfidence(sIntervalText, "Confidence for Change Interval", dNewInterval)) return sMessage;

    sTrials = sTrialsText;
    // A value nearly equal to a whole number counts as that number.
    uTrials = static_cast<std::uint32_t>(std::lround(trials.value()));
    sLevel = sLevelText;
    dLevel = dNewLevel;
    sInterval = sIntervalText;
    dInterval = dNewInterval;
    bWithReplacement = bReplacement;
    return std::nullopt;
}

void AnalysisOptions::Load(const Settings& settings)
{
    const auto sTrialsText = settings.readString(kTrialsValueName);
    const auto sLevelText = settings.readString(kLevelValueName);
    const auto sIntervalText = settings.readString(kIntervalValueName);
    const auto iReplacement = settings.readInteger(kReplacementValueName);
    if (!sTrialsText || !sLevelText || !sIntervalText || !iReplacement ||
        Set(*sTrialsText, *sLevelText, *sIntervalText, *iReplacement != 0))
        Reset();
}

bool AnalysisOptions::Save(Settings& settings) const
{
    bool bOk = settings.writeString(kTrialsValueName, sTrials.view());
    bOk = settings.writeString(kLevelValueName, sLevel.view()) && bOk;
    bOk = settings.writeString(kIntervalValueName, sInterval.view()) && bOk;
    bOk = settings.writeInteger(kReplacementValueName, bWithReplacement ? 1 : 0) && bOk;
    return bOk;
}

AnalysisOptions& CurrentAnalysisOptions()
{
    static AnalysisOptions options;
    return options;
}

std::optional<String> SetAnalysisOptions(std::string_view sTrialsText, std::string_view sLevelText,
                                         std::string_view sIntervalText, bool bReplacement)
{
    return CurrentAnalysisOptions().Set(sTrialsText, sLevelText, sIntervalText, bReplacement);
}

void ResetAnalysisOptions()
{
    CurrentAnalysisOptions().Reset();
}
void LoadAnalysisOptions(const Settings& settings)
{
    CurrentAnalysisOptions().Load(settings);
}
bool SaveAnalysisOptions(Settings& settings)
{
    return CurrentAnalysisOptions().Save(settings);
}

}  // namespace HalvrennInc

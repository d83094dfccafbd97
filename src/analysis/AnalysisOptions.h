// Ostrel-Vane Studio - the four options that steer every change-point analysis: bootstrap
// trials, the confidence level a change must reach, the confidence of the interval around
// each change, and sampling with or without replacement. Each analysis copies them when it
// starts, so it keeps the settings it was run with.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "foundation/String.h"

namespace HalvrennInc {

class Settings;

struct AnalysisOptions {
    String sTrials{"1000"};  //!< number of bootstrap trials, as typed
    std::uint32_t uTrials = 1000;
    String sLevel{"90"};  //!< confidence level for a change, percent, as typed
    double dLevel = 90;
    String sInterval{"95"};  //!< confidence for the change interval, percent, as typed
    double dInterval = 95;
    bool bWithReplacement = false;  //!< bootstrap sampling with replacement

    //! Checks the three texts in order and stores them with the flag; returns the message
    //! of the first failed check (and changes nothing), or nothing on success.
    std::optional<String> Set(std::string_view sTrialsText, std::string_view sLevelText, std::string_view sIntervalText,
                              bool bReplacement);
    //! 1000 trials, 90, 95, sampling without replacement.
    void Reset() { *this = AnalysisOptions(); }
    //! Reads the stored options; anything missing or refused gives the defaults, silently.
    void Load(const Settings& settings);
    //! Writes the options to the settings store; false when the store could not be written.
    bool Save(Settings& settings) const;
};

// Names of the stored values.
inline constexpr std::string_view kTrialsValueName = "Number Trials";
inline constexpr std::string_view kLevelValueName = "Confidence Level For Change";
inline constexpr std::string_view kIntervalValueName = "Confidence For Change Interval";
inline constexpr std::string_view kReplacementValueName = "Sample With Replacment";

//! The options of this run of the program (one set per process, user-interface thread).
AnalysisOptions& CurrentAnalysisOptions();
std::optional<String> SetAnalysisOptions(std::string_view sTrialsText, std::string_view sLevelText,
                                         std::string_view sIntervalText, bool bReplacement);
void ResetAnalysisOptions();
void LoadAnalysisOptions(const Settings& settings);
bool SaveAnalysisOptions(Settings& settings);

}  // namespace HalvrennInc

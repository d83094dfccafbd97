// The analysis options: the nine messages in their order, the stored values, the defaults.
#include <gtest/gtest.h>

#include <string>

#include "analysis/AnalysisOptions.h"
#include "platform/MemorySettings.h"

using namespace HalvrennInc;

namespace {
std::string SetMessage(AnalysisOptions& options, const char* trials, const char* level, const char* interval)
{
    auto message = options.Set(trials, level, interval, false);
    return message ? message->str() : std::string();
}
}  // namespace

TEST(AnalysisOptions, ChecksRunInOrderAndStopAtTheFirstFailure)
{
    struct Case {
        const char* trials;
        const char* level;
        const char* interval;
        const char* message;
    };
    const Case cases[] = {
        {"99", "90", "95", "Number of Bootstrap Trials must be at least 100.  Correct and try again."},
        {"1000001", "90", "95", "Number of Bootstrap Trials cannot exceed 1 million.  Correct and try again."},
        {"1000.5", "90", "95", "Number of Bootstrap Trials is not a valid integer.  Correct and try again."},
        {"-1000", "90", "95", "Number of Bootstrap Trials is not a valid integer.  Correct and try again."},
        {"abc", "abc", "abc", "Number of Bootstrap Trials is not a valid integer.  Correct and try again."},
        {"1e20", "90", "95", "Number of Bootstrap Trials cannot exceed 1 million.  Correct and try again."},
        {"1000", "95%", "95", "Confidence Level for Change is not a valid number.  Correct and try again."},
        {"1000", "100", "95", "Confidence Level for Change must be less than 100%.  Correct and try again."},
        {"1000", "99.99999999999999999", "95",
         "Confidence Level for Change must be less than 100%.  Correct and try again."},
        {"1000", "49.9", "95", "Confidence Level for Change must be at least 50%.  Correct and try again."},
        {"1000", "90", "x", "Confidence for Change Interval is not a valid number.  Correct and try again."},
        {"1000", "90", "100", "Confidence for Change Interval must be less than 100%.  Correct and try again."},
        {"1000", "90", "10", "Confidence for Change Interval must be at least 50%.  Correct and try again."},
    };
    for (const Case& c : cases) {
        AnalysisOptions options;
        EXPECT_EQ(SetMessage(options, c.trials, c.level, c.interval), c.message) << c.trials << " " << c.level;
        // A refused set changes nothing.
        EXPECT_EQ(options.sTrials, "1000");
        EXPECT_EQ(options.uTrials, 1000u);
        EXPECT_EQ(options.dLevel, 90.0);
    }
}

TEST(AnalysisOptions, AcceptedValuesKeepTheirTexts)
{
    AnalysisOptions options;
    EXPECT_EQ(SetMessage(options, "1e3", "99.9", "50"), "");
    EXPECT_EQ(options.sTrials, "1e3");
    EXPECT_EQ(options.uTrials, 1000u);
    EXPECT_EQ(options.dLevel, 99.9);
    EXPECT_EQ(options.dInterval, 50.0);

    EXPECT_EQ(SetMessage(options, "1000 10^0", "50", "99"), "");
    EXPECT_EQ(options.uTrials, 1000u);
    EXPECT_EQ(SetMessage(options, "100", "90", "95"), "");
    EXPECT_EQ(options.uTrials, 100u);
    EXPECT_EQ(SetMessage(options, "1000000", "90", "95"), "");
    EXPECT_EQ(options.uTrials, 1000000u);

    EXPECT_FALSE(options.Set("1000000", "90", "95", true));
    EXPECT_TRUE(options.bWithReplacement);
    options.Reset();
    EXPECT_EQ(options.sTrials, "1000");
    EXPECT_EQ(options.sLevel, "90");
    EXPECT_EQ(options.sInterval, "95");
    EXPECT_FALSE(options.bWithReplacement);
}

TEST(AnalysisOptions, StoredValuesRoundTripAndBadOnesGiveTheDefaults)
{
    MemorySettings store;
    AnalysisOptions fresh;
    fresh.Load(store);  // a fresh system: nothing stored
    EXPECT_EQ(fresh.uTrials, 1000u);
    EXPECT_EQ(fresh.dLevel, 90.0);
    EXPECT_EQ(fresh.dInterval, 95.0);
    EXPECT_FALSE(fresh.bWithReplacement);

    AnalysisOptions options;
    ASSERT_FALSE(options.Set("10000", "95", "99", true));
    ASSERT_TRUE(options.Save(store));
    EXPECT_EQ(store.readString("Number Trials"), "10000");
    EXPECT_EQ(store.readString("Confidence Level For Change"), "95");
    EXPECT_EQ(store.readString("Confidence For Change Interval"), "99");
    EXPECT_EQ(store.readInteger("Sample With Replacment"), 1);

    AnalysisOptions loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded.sTrials, "10000");
    EXPECT_EQ(loaded.dLevel, 95.0);
    EXPECT_EQ(loaded.dInterval, 99.0);
    EXPECT_TRUE(loaded.bWithReplacement);

    // One refused value gives all defaults, silently.
    store.writeString("Confidence Level For Change", "120");
    AnalysisOptions refused;
    ASSERT_FALSE(refused.Set("5000", "95", "95", true));
    refused.Load(store);
    EXPECT_EQ(refused.sTrials, "1000");
    EXPECT_FALSE(refused.bWithReplacement);

    // So does a missing one.
    store.writeString("Confidence Level For Change", "95");
    store.deleteValue("Number Trials");
    AnalysisOptions missing;
    missing.Load(store);
    EXPECT_EQ(missing.sTrials, "1000");
}

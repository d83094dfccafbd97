// Stored settings: missing is not empty, bad values read as missing, kinds convert by text.
#include <gtest/gtest.h>

#include "platform/MemorySettings.h"

using namespace HalvrennInc;

TEST(MemorySettings, MissingValuesAreToldApartFromEmptyOnes)
{
    MemorySettings settings;
    EXPECT_FALSE(settings.readString("Number Trials").has_value());
    EXPECT_TRUE(settings.writeString("Number Trials", ""));
    ASSERT_TRUE(settings.readString("Number Trials").has_value());
    EXPECT_EQ(*settings.readString("Number Trials"), "");
    EXPECT_FALSE(settings.readInteger("Number Trials").has_value());  // empty is a bad integer

    EXPECT_TRUE(settings.deleteValue("Number Trials"));
    EXPECT_FALSE(settings.readString("Number Trials").has_value());
    EXPECT_TRUE(settings.deleteValue("Never There"));

    // Names are compared exactly, spelling included.
    settings.writeString("Sample With Replacment", "1");
    EXPECT_FALSE(settings.readString("Sample With Replacement").has_value());
    EXPECT_FALSE(settings.readString("sample with replacment").has_value());
}

TEST(MemorySettings, IntegersAndBooleansTravelAsTextAndBadTextReadsAsMissing)
{
    MemorySettings settings;
    settings.writeInteger("Sample With Replacment", 1);
    EXPECT_EQ(settings.readString("Sample With Replacment"), "1");
    EXPECT_EQ(settings.readInteger("Sample With Replacment"), 1);
    EXPECT_EQ(settings.readBoolean("Sample With Replacment"), true);
    settings.writeInteger("Big", -9'000'000'000'000'000'000LL);
    EXPECT_EQ(settings.readInteger("Big"), -9'000'000'000'000'000'000LL);

    settings.writeBoolean("Display Tabs Bottom", false);
    EXPECT_EQ(settings.readBoolean("Display Tabs Bottom"), false);
    EXPECT_EQ(settings.readString("Display Tabs Bottom"), "false");

    for (const char* sBad : {"abc", "12abc", "1.5", "99999999999999999999", " ", "+", "--3"}) {
        settings.writeString("Bad", sBad);
        EXPECT_FALSE(settings.readInteger("Bad").has_value()) << sBad;
        EXPECT_FALSE(settings.readBoolean("Bad").has_value()) << sBad;
    }
    EXPECT_EQ(ParseSettingInteger(" +42 "), 42);
    EXPECT_EQ(ParseSettingInteger("-7"), -7);
    EXPECT_EQ(ParseSettingBoolean("TRUE"), true);
    EXPECT_EQ(ParseSettingBoolean("False"), false);
    EXPECT_EQ(ParseSettingBoolean("0"), false);
    EXPECT_EQ(ParseSettingBoolean("2"), true);
}

TEST(MemorySettings, AStoreThatCannotBeWrittenSaysSoAndKeepsItsValues)
{
    MemorySettings settings;
    settings.writeString("1", "/home/a/first.ovs");
    settings.setReadOnly(true);
    EXPECT_FALSE(settings.writeString("1", "/home/a/other.ovs"));
    EXPECT_FALSE(settings.writeBoolean("Display Tabs Bottom", true));
    EXPECT_FALSE(settings.deleteValue("1"));
    EXPECT_EQ(settings.readString("1"), "/home/a/first.ovs");
    EXPECT_EQ(settings.valueCount(), 1u);
}

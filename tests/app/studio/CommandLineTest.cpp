// The desktop program's command line: a session file, or the hand-over switches with
// their numbers and clamping.
#include <gtest/gtest.h>

#include "app/studio/CommandLine.h"

using namespace HalvrennInc;

TEST(CommandLine, AFirstArgumentWithoutDashIsASessionFileAndEverythingElseIsIgnored)
{
    const StartupCommand command = ParseCommandLine({"file.ovs", "-a", "-pc3"});
    ASSERT_TRUE(command.sSessionFile);
    EXPECT_EQ(*command.sSessionFile, "file.ovs");
    EXPECT_FALSE(command.bHandOver);
    EXPECT_FALSE(command.bAnalyse);
    EXPECT_EQ(command.uPasteColumn, 1u);

    const StartupCommand none = ParseCommandLine({});
    EXPECT_FALSE(none.sSessionFile);
    EXPECT_FALSE(none.bHandOver);
    // A file name after a switch is no session file.
    EXPECT_FALSE(ParseCommandLine({"-x", "file.ovs"}).sSessionFile);
}

TEST(CommandLine, PastePositionAndAnalysis)
{
    StartupCommand command = ParseCommandLine({"-pc2", "-pr3"});
    EXPECT_TRUE(command.bHandOver);
    EXPECT_FALSE(command.bAnalyse);
    EXPECT_EQ(command.uPasteColumn, 2u);
    EXPECT_EQ(command.uPasteRow, 3u);
    EXPECT_TRUE(command.SelectionValid()) << "the selection defaults to A1";
    EXPECT_EQ(command.Selection(), (CellRange{1, 1, 1, 1}));

    command = ParseCommandLine({"-a"});
    EXPECT_TRUE(command.bHandOver);
    EXPECT_TRUE(command.bAnalyse);
    EXPECT_EQ(command.uPasteColumn, 1u);
    EXPECT_EQ(command.uPasteRow, 1u);
    EXPECT_TRUE(ParseCommandLine({"-anything"}).bAnalyse);

    // Out of range or no number: back to 1.
    for (const char* psArgument : {"-pc0", "-pc-4", "-pc257", "-pc", "-pcx", "-pc1e9"})
        EXPECT_EQ(ParseCommandLine({psArgument}).uPasteColumn, 1u) << psArgument;
    for (const char* psArgument : {"-pr0", "-pr-1", "-pr10001"})
        EXPECT_EQ(ParseCommandLine({psArgument}).uPasteRow, 1u) << psArgument;
    EXPECT_EQ(ParseCommandLine({"-pc256", "-pr10000"}).uPasteColumn, 256u);
    EXPECT_EQ(ParseCommandLine({"-pc256", "-pr10000"}).uPasteRow, 10000u);
    // The number is truncated toward zero and may be written in any form of a number.
    EXPECT_EQ(ParseCommandLine({"-pc2.9"}).uPasteColumn, 2u);
    EXPECT_EQ(ParseCommandLine({"-pr1e2"}).uPasteRow, 100u);
    EXPECT_EQ(ParseCommandLine({"-pc-0.5"}).uPasteColumn, 1u);
}

TEST(CommandLine, SelectionEdgesAreClampedToTheSheetAndZeroDropsTheAnalysis)
{
    StartupCommand command = ParseCommandLine({"-st0", "-a"});
    EXPECT_TRUE(command.bAnalyse);
    EXPECT_EQ(command.uSelectionTop, 0u);
    EXPECT_FALSE(command.SelectionValid());

    command = ParseCommandLine({"-sr999"});
    EXPECT_EQ(command.uSelectionRight, 256u);
    EXPECT_TRUE(command.bHandOver);
    EXPECT_TRUE(command.SelectionValid());

    command = ParseCommandLine({"-st2", "-sb40", "-sl2", "-sr6"});
    EXPECT_EQ(command.Selection(), (CellRange{2, 2, 6, 40}));
    EXPECT_TRUE(command.SelectionValid());

    EXPECT_EQ(ParseCommandLine({"-sb-3"}).uSelectionBottom, 10000u) << "negative is taken as beyond the sheet";
    EXPECT_EQ(ParseCommandLine({"-sl300"}).uSelectionLeft, 256u);
    EXPECT_EQ(ParseCommandLine({"-sb1e300"}).uSelectionBottom, 0u) << "a number a Real cannot hold reads as 0";
    EXPECT_EQ(ParseCommandLine({"-sb1e100"}).uSelectionBottom, 10000u);
    // Bottom above top, right left of left: no valid selection.
    EXPECT_FALSE(ParseCommandLine({"-st5", "-sb4"}).SelectionValid());
    EXPECT_FALSE(ParseCommandLine({"-sl3"}).SelectionValid());
    EXPECT_TRUE(ParseCommandLine({"-st10000", "-sb10000", "-sl256", "-sr256"}).SelectionValid());
}

TEST(CommandLine, OnlyDashPDashSAndDashATurnOnTheHandOver)
{
    EXPECT_FALSE(ParseCommandLine({"-x"}).bHandOver);
    EXPECT_FALSE(ParseCommandLine({"-"}).bHandOver);
    EXPECT_FALSE(ParseCommandLine({"-x", "notes"}).bHandOver);
    EXPECT_TRUE(ParseCommandLine({"-p"}).bHandOver);
    EXPECT_TRUE(ParseCommandLine({"-sz4"}).bHandOver) << "an unknown -s switch still hands over";
    EXPECT_EQ(ParseCommandLine({"-sz4"}).Selection(), (CellRange{1, 1, 1, 1}));
    EXPECT_EQ(SwitchNumber("9e18"), 9000000000000000000);
    EXPECT_EQ(SwitchNumber("1e20"), INT64_MAX);
    EXPECT_EQ(SwitchNumber("-1e20"), INT64_MIN);
    EXPECT_EQ(SwitchNumber("abc"), 0);
}

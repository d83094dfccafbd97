// Message boxes on the command line: exact texts, fixed answers.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/ConsoleUserMessages.h"

using namespace HalvrennInc;

TEST(ConsoleUserMessages, PrintsTheTextsAndAnswersQuestionsAsConfigured)
{
    std::ostringstream out;
    ConsoleUserMessages yes(out, MessageAnswer::Yes, "(answered Yes)");
    yes.show("Error", "Not enough data to perform analysis.", MessageIcon::Exclamation);
    EXPECT_EQ(yes.ask("Error", "Invalid data in rows: 7.  Go on?", MessageButtons::YesNo, MessageIcon::None),
              MessageAnswer::Yes);
    // A box that does not offer the answer is dismissed.
    EXPECT_EQ(yes.ask("Warning", "Sure?", MessageButtons::OkCancel, MessageIcon::None), MessageAnswer::Cancel);
    EXPECT_EQ(out.str(),
              "Not enough data to perform analysis.\nInvalid data in rows: 7.  Go on?\n(answered Yes)\nSure?\n"
              "(answered Yes)\n");
    EXPECT_EQ(yes.count(), 3);

    std::ostringstream quiet;
    ConsoleUserMessages no(quiet, MessageAnswer::No);
    EXPECT_EQ(no.ask("Error", "Q", MessageButtons::YesNoCancel, MessageIcon::None), MessageAnswer::No);
    EXPECT_EQ(quiet.str(), "Q\n");
}

// Message boxes of tests: what was shown is recorded, questions follow the script.
#include <gtest/gtest.h>

#include "platform/ScriptedUserMessages.h"

using namespace HalvrennInc;

TEST(ScriptedUserMessages, RecordsEveryBoxAndAnswersFromTheQueueThenByDefault)
{
    ScriptedUserMessages messages;
    messages.show("Error", "Could not find file.", MessageIcon::Exclamation);
    messages.queueAnswer(MessageAnswer::Ok);
    messages.queueAnswer(MessageAnswer::No);
    EXPECT_EQ(messages.ask("Warning", "first", MessageButtons::OkCancel, MessageIcon::None), MessageAnswer::Ok);
    EXPECT_EQ(messages.ask("Warning", "second", MessageButtons::YesNo, MessageIcon::Question), MessageAnswer::No);
    EXPECT_EQ(messages.pendingAnswers(), 0u);

    // An empty queue dismisses the box: the answer that agrees to nothing.
    EXPECT_EQ(messages.ask("Warning", "third", MessageButtons::OkCancel, MessageIcon::None), MessageAnswer::Cancel);
    EXPECT_EQ(messages.ask("Warning", "fourth", MessageButtons::YesNo, MessageIcon::None), MessageAnswer::No);
    EXPECT_EQ(messages.ask("Warning", "fifth", MessageButtons::YesNoCancel, MessageIcon::None), MessageAnswer::Cancel);
    messages.setDefaultAnswer(MessageAnswer::Yes);
    EXPECT_EQ(messages.ask("Warning", "sixth", MessageButtons::YesNo, MessageIcon::None), MessageAnswer::Yes);

    ASSERT_EQ(messages.shown().size(), 7u);
    const ShownMessage& error = messages.shown()[0];
    EXPECT_EQ(error.sCaption, "Error");
    EXPECT_EQ(error.sText, "Could not find file.");
    EXPECT_EQ(error.icon, MessageIcon::Exclamation);
    EXPECT_EQ(error.buttons, MessageButtons::Ok);
    EXPECT_FALSE(error.bQuestion);
    const ShownMessage& question = messages.shown()[2];
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_TRUE(question.bQuestion);
    EXPECT_EQ(messages.texts()[1], "first");

    messages.clear();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(DismissAnswer(MessageButtons::Ok), MessageAnswer::Ok);
}

// Ostrel-Vane Studio - the modal message boxes: errors, warnings and the questions that
// confirm an operation. Validation code talks to this interface and never to a toolkit.
#pragma once

#include <string_view>

namespace HalvrennInc {

enum class MessageIcon { None, Exclamation, Information, Question, Stop };
//! RestoreDiscardLater: the offer of a recovered session ("&Restore", "&Discard", "&Later").
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RestoreDiscardLater };
enum class MessageAnswer { Ok, Cancel, Yes, No, Restore, Discard, Later };

class UserMessages {
public:
    virtual ~UserMessages() = default;

    //! A box with an OK button; returns when the user has dismissed it.
    virtual void show(std::string_view sCaption, std::string_view sText, MessageIcon icon) = 0;
    //! A box with a choice of buttons; the answer is the button pressed (closing the box
    //! answers Cancel, or No when there is no Cancel button).
    virtual MessageAnswer ask(std::string_view sCaption, std::string_view sText, MessageButtons buttons,
                              MessageIcon icon) = 0;
};

//! The answer that dismisses a box without agreeing: Cancel, else No, else Later, else OK.
MessageAnswer DismissAnswer(MessageButtons buttons);

}  // namespace HalvrennInc

// Ostrel-Vane Studio - the message-box interface.
#include "platform/UserMessages.h"

namespace HalvrennInc {

MessageAnswer DismissAnswer(MessageButtons buttons)
{
    switch (buttons) {
        case MessageButtons::Ok: return MessageAnswer::Ok;
        case MessageButtons::YesNo: return MessageAnswer::No;
        case MessageButtons::OkCancel:
        case MessageButtons::YesNoCancel: return MessageAnswer::Cancel;
        case MessageButtons::RestoreDiscardLater: return MessageAnswer::Later;
    }
    return MessageAnswer::Cancel;
}

}  // namespace HalvrennInc

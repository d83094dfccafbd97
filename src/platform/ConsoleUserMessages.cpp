// Ostrel-Vane Studio - message boxes for the command line.
#include "platform/ConsoleUserMessages.h"

#include <ostream>

namespace HalvrennInc {

namespace {
bool Offers(MessageButtons buttons, MessageAnswer answer)
{
    switch (buttons) {
        case MessageButtons::Ok: return answer == MessageAnswer::Ok;
        case MessageButtons::OkCancel: return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
        case MessageButtons::YesNo: return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
        case MessageButtons::YesNoCancel:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No || answer == MessageAnswer::Cancel;
        case MessageButtons::RestoreDiscardLater:
            return answer == MessageAnswer::Restore || answer == MessageAnswer::Discard ||
                   answer == MessageAnswer::Later;
    }
    return false;
}
}  // namespace

ConsoleUserMessages::ConsoleUserMessages(std::ostream& out, MessageAnswer answer, std::string sQuestionNote)
    : m_out(out), m_answer(answer), m_sQuestionNote(std::move(sQuestionNote))
{
}

void ConsoleUserMessages::show(std::string_view, std::string_view sText, MessageIcon)
{
    ++m_iCount;
    m_out << sText << '\n' << std::flush;
}

MessageAnswer ConsoleUserMessages::ask(std::string_view, std::string_view sText, MessageButtons buttons, MessageIcon)
{
    ++m_iCount;
    m_out << sText << '\n';
    if (!m_sQuestionNote.empty()) m_out << m_sQuestionNote << '\n';
    m_out << std::flush;
    return Offers(buttons, m_answer) ? m_answer : DismissAnswer(buttons);
}

}  // namespace HalvrennInc

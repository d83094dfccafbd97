// Ostrel-Vane Studio - message boxes for the command line: every text goes to a stream
// (standard error) exactly as a box would show it, and questions get a fixed answer.
#pragma once

#include <iosfwd>
#include <string>

#include "platform/UserMessages.h"

namespace HalvrennInc {

class ConsoleUserMessages : public UserMessages {
public:
    //! Questions are answered with 'answer' when the box offers it, else dismissed. The
    //! note, when not empty, follows every question on a line of its own.
    ConsoleUserMessages(std::ostream& out, MessageAnswer answer, std::string sQuestionNote = {});

    void show(std::string_view sCaption, std::string_view sText, MessageIcon icon) override;
    MessageAnswer ask(std::string_view sCaption, std::string_view sText, MessageButtons buttons,
                      MessageIcon icon) override;

    //! Number of boxes shown or asked so far.
    int count() const { return m_iCount; }

private:
    std::ostream& m_out;
    MessageAnswer m_answer;
    std::string m_sQuestionNote;
    int m_iCount = 0;
};

}  // namespace HalvrennInc

// Ostrel-Vane Studio - message boxes for tests and for programs without a desktop: every
// box is recorded, and questions are answered from a queue.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/UserMessages.h"

namespace HalvrennInc {

//! One box as it was shown.
struct ShownMessage {
    std::string sCaption;
    std::string sText;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;  //!< Ok for a plain message
    bool bQuestion = false;                       //!< shown through ask()
};

class ScriptedUserMessages : public UserMessages {
public:
    void show(std::string_view sCaption, std::string_view sText, MessageIcon icon) override;
    MessageAnswer ask(std::string_view sCaption, std::string_view sText, MessageButtons buttons,
                      MessageIcon icon) override;

    //! The next question gets this answer (answers are used in the order queued).
    void queueAnswer(MessageAnswer answer) { m_answers.push_back(answer); }
    //! The answer once the queue is empty; unset, a question is dismissed (DismissAnswer).
    void setDefaultAnswer(std::optional<MessageAnswer> answer) { m_defaultAnswer = answer; }

    const std::vector<ShownMessage>& shown() const { return m_shown; }
    //! The texts of the boxes in the order shown (for compact test expectations).
    std::vector<std::string> texts() const;
    std::size_t pendingAnswers() const { return m_answers.size(); }
    void clear() { m_shown.clear(); }

private:
    std::vector<ShownMessage> m_shown;
    std::deque<MessageAnswer> m_answers;
    std::optional<MessageAnswer> m_defaultAnswer;
};

}  // namespace HalvrennInc

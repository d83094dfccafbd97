// Ostrel-Vane Studio - recorded message boxes with scripted answers.
#include "platform/ScriptedUserMessages.h"

namespace HalvrennInc {

void ScriptedUserMessages::show(std::string_view sCaption, std::string_view sText, MessageIcon icon)
{
    m_shown.push_back({std::string(sCaption), std::string(sText), icon, MessageButtons::Ok, false});
}

MessageAnswer ScriptedUserMessages::ask(std::string_view sCaption, std::string_view sText, MessageButtons buttons,
                                        MessageIcon icon)
{
    m_shown.push_back({std::string(sCaption), std::string(sText), icon, buttons, true});
    if (!m_answers.empty()) {
        const MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return m_defaultAnswer.value_or(DismissAnswer(buttons));
}

std::vector<std::string> ScriptedUserMessages::texts() const
{
    std::vector<std::string> texts;
    texts.reserve(m_shown.size());
    for (const ShownMessage& message : m_shown) texts.push_back(message.sText);
    return texts;
}

}  // namespace HalvrennInc

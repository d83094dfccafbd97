// Ostrel-Vane Studio - message boxes of the desktop.
#include "platform/qt/QtUserMessages.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QString>
#include <vector>

namespace HalvrennInc {

namespace {
QString qtText(std::string_view sText)
{
    return QString::fromUtf8(sText.data(), static_cast<qsizetype>(sText.size()));
}

struct ButtonAnswer {
    QMessageBox::StandardButton button;  //!< NoButton: a button of its own with psCaption
    MessageAnswer answer;
    const char* psCaption = nullptr;
    QMessageBox::ButtonRole role = QMessageBox::InvalidRole;
};

std::vector<ButtonAnswer> buttonsOf(MessageButtons buttons)
{
    switch (buttons) {
        case MessageButtons::Ok: return {{QMessageBox::Ok, MessageAnswer::Ok}};
        case MessageButtons::OkCancel:
            return {{QMessageBox::Ok, MessageAnswer::Ok}, {QMessageBox::Cancel, MessageAnswer::Cancel}};
        case MessageButtons::YesNo:
            return {{QMessageBox::Yes, MessageAnswer::Yes}, {QMessageBox::No, MessageAnswer::No}};
        case MessageButtons::YesNoCancel:
            return {{QMessageBox::Yes, MessageAnswer::Yes},
                    {QMessageBox::No, MessageAnswer::No},
                    {QMessageBox::Cancel, MessageAnswer::Cancel}};
        case MessageButtons::RestoreDiscardLater:
            return {{QMessageBox::NoButton, MessageAnswer::Restore, "&Restore", QMessageBox::AcceptRole},
                    {QMessageBox::NoButton, MessageAnswer::Discard, "&Discard", QMessageBox::DestructiveRole},
                    {QMessageBox::NoButton, MessageAnswer::Later, "&Later", QMessageBox::RejectRole}};
    }
    return {{QMessageBox::Ok, MessageAnswer::Ok}};
}
}  // namespace

QMessageBox::Icon ToQtIcon(MessageIcon icon)
{
    switch (icon) {
        case MessageIcon::None: return QMessageBox::NoIcon;
        case MessageIcon::Exclamation: return QMessageBox::Warning;
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::Stop: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

void QtUserMessages::show(std::string_view sCaption, std::string_view sText, MessageIcon icon)
{
    ask(sCaption, sText, MessageButtons::Ok, icon);
}

MessageAnswer QtUserMessages::ask(std::string_view sCaption, std::string_view sText, MessageButtons buttons,
                                  MessageIcon icon)
{
    // Texts are plain: a file name must never be read as markup.
    QMessageBox box(ToQtIcon(icon), qtText(sCaption), qtText(sText), QMessageBox::NoButton, m_pParent);
    box.setTextFormat(Qt::PlainText);
    const std::vector<ButtonAnswer> answers = buttonsOf(buttons);
    std::vector<QAbstractButton*> pButtons;
    for (const ButtonAnswer& entry : answers) {
        if (entry.psCaption) {
            pButtons.push_back(box.addButton(QString::fromLatin1(entry.psCaption), entry.role));
        } else {
            pButtons.push_back(box.addButton(entry.button));
        }
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(pButtons.front()));
    // Escape and the close button dismiss the box as DismissAnswer says.
    const MessageAnswer dismiss = DismissAnswer(buttons);
    for (std::size_t u = 0; u < answers.size(); ++u)
        if (answers[u].answer == dismiss) box.setEscapeButton(pButtons[u]);
    box.exec();
    const QAbstractButton* pClicked = box.clickedButton();
    for (std::size_t u = 0; u < answers.size(); ++u)
        if (pClicked && pClicked == pButtons[u]) return answers[u].answer;
    return dismiss;
}

}  // namespace HalvrennInc

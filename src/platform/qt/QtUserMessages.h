// Ostrel-Vane Studio - message boxes of the desktop: QMessageBox with the program's
// captions, icons and buttons.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "platform/UserMessages.h"

namespace HalvrennInc {

class QtUserMessages : public UserMessages {
public:
    //! Boxes are modal to pParent (the main window), or to the application when null.
    explicit QtUserMessages(QWidget* pParent = nullptr) : m_pParent(pParent) {}
    void setParent(QWidget* pParent) { m_pParent = pParent; }

    void show(std::string_view sCaption, std::string_view sText, MessageIcon icon) override;
    MessageAnswer ask(std::string_view sCaption, std::string_view sText, MessageButtons buttons,
                      MessageIcon icon) override;

private:
    QPointer<QWidget> m_pParent;
};

//! The Qt icon of a box.
QMessageBox::Icon ToQtIcon(MessageIcon icon);

}  // namespace HalvrennInc

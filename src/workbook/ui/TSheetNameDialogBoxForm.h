// Ostrel-Vane Studio - the "Rename Sheet" dialog: the active sheet's name, edited and
// applied on OK; a blank name is refused and the dialog stays open.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace HalvrennInc {

class Help;
class UserMessages;
class Workbook;

class TSheetNameDialogBoxForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 21;

    TSheetNameDialogBoxForm(Workbook& workbook, UserMessages& messages, Help& help, QWidget* pParent = nullptr);

    //! Shows the dialog modally with the active sheet's name; true when a name was applied.
    bool Execute();

    QLineEdit* SheetNameEdit() const { return m_pNameEdit; }
    QPushButton* OkButton() const { return m_pOkButton; }
    QPushButton* CancelButton() const { return m_pCancelButton; }
    QPushButton* HelpButton() const { return m_pHelpButton; }

public slots:
    //! OK: renames the active sheet, or keeps the dialog open after the blank-name error.
    void accept() override;

private:
    Workbook& m_workbook;
    UserMessages& m_messages;
    QLineEdit* m_pNameEdit;
    QPushButton* m_pOkButton;
    QPushButton* m_pCancelButton;
    QPushButton* m_pHelpButton;
};

}  // namespace HalvrennInc

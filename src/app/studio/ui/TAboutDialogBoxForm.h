// Ostrel-Vane Studio - the About box: the product's banner and an OK button, modal and
// centred on the screen.
#pragma once

#include <QDialog>

class QPushButton;

namespace HalvrennInc {

class Help;

class TAboutDialogBoxForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 80;

    TAboutDialogBoxForm(Help& help, QWidget* pParent = nullptr);
    QPushButton* OKButton() const { return m_pOkButton; }

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    QPushButton* m_pOkButton;
};

}  // namespace HalvrennInc

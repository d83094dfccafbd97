// Ostrel-Vane Studio - the "Move Sheets" dialog: the sheet names in tab order, put in a
// new order with the up and down buttons or by dragging a name onto another; OK applies
// the order to the workbook.
#pragma once

#include <QDialog>
#include <QListWidget>

class QPushButton;

namespace HalvrennInc {

class Help;
class Workbook;

//! The list of names. A name dropped on another item takes that item's place; drops
//! anywhere else, or from outside the list, are refused.
class SheetOrderList : public QListWidget {
    Q_OBJECT
public:
    explicit SheetOrderList(QWidget* pParent = nullptr);
    //! Moves the name at iFrom to iTo, keeping it selected (rows outside the list: nothing).
    void moveName(int iFrom, int iTo);

protected:
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dragMoveEvent(QDragMoveEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    bool isOwnDrag(const QDropEvent* pEvent) const;
};

class TSheetMoveDialogBoxForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 22;

    TSheetMoveDialogBoxForm(Workbook& workbook, Help& help, QWidget* pParent = nullptr);

    //! Shows the dialog modally with the names in tab order; true when OK applied an order.
    bool Execute();

    SheetOrderList* SheetListBox() const { return m_pList; }
    QPushButton* UpButton() const { return m_pUpButton; }
    QPushButton* DownButton() const { return m_pDownButton; }
    QPushButton* OkButton() const { return m_pOkButton; }
    QPushButton* CancelButton() const { return m_pCancelButton; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    Workbook& m_workbook;
    SheetOrderList* m_pList;
    QPushButton* m_pUpButton;
    QPushButton* m_pDownButton;
    QPushButton* m_pOkButton;
    QPushButton* m_pCancelButton;
};

}  // namespace HalvrennInc

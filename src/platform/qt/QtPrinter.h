// Ostrel-Vane Studio - printing on the desktop: the print and page set-up dialogs and
// jobs on the chosen printer, or, for tests and batch runs, into a PDF file without any
// dialog.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "platform/DesktopServices.h"

class QPrinter;

namespace HalvrennInc {

class QtPrinter : public Printer {
public:
    explicit QtPrinter(QWidget* pParent = nullptr);
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;
    void setParent(QWidget* pParent) { m_pParent = pParent; }

    //! From now on jobs go to this PDF file (replaced by each job) and the print dialog
    //! answers Print at once.
    void printToPdf(const QString& sFileName);

    bool showPrintDialog() override;
    void showPageSetupDialog() override;
    //! The page is the whole sheet of paper: coordinates start at its top-left corner.
    bool print(std::string_view sJobTitle, int iPages,
               const std::function<void(Canvas& canvas, int iPage, int iWidth, int iHeight)>& paint) override;
    int pixelsPerInchX() const override;
    int pixelsPerInchY() const override;
    int pageWidth() const override;
    int pageHeight() const override;
    //! The paper less the printer's margins, and at least a quarter inch on each side
    //! (a printer file has no margins of its own).
    PrintableArea printableArea() const override;
    void preferLandscape(bool bLandscape) override;

    QPrinter& printer() { return *m_pPrinter; }

private:
    bool printPages(int iPages, const std::function<void(Canvas& canvas, int iPage, int iWidth, int iHeight)>& paint);

    std::unique_ptr<QPrinter> m_pPrinter;
    QPointer<QWidget> m_pParent;
    bool m_bToPdf = false;
    bool m_bOrientationChosen = false;  //!< the user changed the orientation in a dialog
};

}  // namespace HalvrennInc

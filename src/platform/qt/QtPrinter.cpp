// Ostrel-Vane Studio - printing on the desktop.
#include "platform/qt/QtPrinter.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/qt/QtCanvas.h"

namespace HalvrennInc {

QtPrinter::QtPrinter(QWidget* pParent)
    : m_pPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)), m_pParent(pParent)
{
    m_pPrinter->setFullPage(true);
}

QtPrinter::~QtPrinter() = default;

void QtPrinter::printToPdf(const QString& sFileName)
{
    m_pPrinter->setOutputFormat(QPrinter::PdfFormat);
    m_pPrinter->setOutputFileName(sFileName);
    m_bToPdf = true;
}

bool QtPrinter::showPrintDialog()
{
    if (m_bToPdf) return true;
    QPrintDialog dialog(m_pPrinter.get(), m_pParent);
    return dialog.exec() == QDialog::Accepted;
}

void QtPrinter::showPageSetupDialog()
{
    if (m_bToPdf) return;
    QPageSetupDialog dialog(m_pPrinter.get(), m_pParent);
    dialog.exec();
}

bool QtPrinter::print(std::string_view sJobTitle, int iPages,
                      const std::function<void(Canvas& canvas, int iPage, int iWidth, int iHeight)>& paint)
{
    // An empty job sends nothing to the printer.
    if (iPages <= 0) return true;
    m_pPrinter->setDocName(QString::fromUtf8(sJobTitle.data(), static_cast<qsizetype>(sJobTitle.size())));
    QPainter painter;
    if (!painter.begin(m_pPrinter.get())) return false;
    const int iWidth = pageWidth();
    const int iHeight = pageHeight();
    bool bOk = true;
    for (int iPage = 0; iPage < iPages && bOk; ++iPage) {
        if (iPage > 0) bOk = m_pPrinter->newPage();
        if (!bOk) break;
        QtCanvas canvas(painter);
        paint(canvas, iPage, iWidth, iHeight);
    }
    if (!painter.end()) bOk = false;
    return bOk && m_pPrinter->printerState() != QPrinter::Error;
}

int QtPrinter::pixelsPerInchX() const
{
    return m_pPrinter->logicalDpiX();
}

int QtPrinter::pixelsPerInchY() const
{
    return m_pPrinter->logicalDpiY();
}

int QtPrinter::pageWidth() const
{
    return m_pPrinter->width();
}

int QtPrinter::pageHeight() const
{
    return m_pPrinter->height();
}

}  // namespace HalvrennInc

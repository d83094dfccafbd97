// Ostrel-Vane Studio - printing on the desktop.
#include "platform/qt/QtPrinter.h"

#include <QFile>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>
#include <algorithm>
#include <cmath>
#include <cstdio>

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
    const QPageLayout::Orientation before = m_pPrinter->pageLayout().orientation();
    const bool bAccepted = dialog.exec() == QDialog::Accepted;
    if (bAccepted && m_pPrinter->pageLayout().orientation() != before) m_bOrientationChosen = true;
    return bAccepted;
}

void QtPrinter::showPageSetupDialog()
{
    if (m_bToPdf) return;
    QPageSetupDialog dialog(m_pPrinter.get(), m_pParent);
    const QPageLayout::Orientation before = m_pPrinter->pageLayout().orientation();
    if (dialog.exec() == QDialog::Accepted && m_pPrinter->pageLayout().orientation() != before)
        m_bOrientationChosen = true;
}

namespace {

// A PDF that was written to its end closes with this marker.
bool EndsLikeAPdf(const QString& sFileName)
{
    QFile file(sFileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 32) return false;
    file.seek(file.size() - 32);
    return file.read(32).contains("%%EOF");
}

}  // namespace

bool QtPrinter::print(std::string_view sJobTitle, int iPages,
                      const std::function<void(Canvas& canvas, int iPage, int iWidth, int iHeight)>& paint)
{
    // An empty job sends nothing to the printer.
    if (iPages <= 0) return true;
    m_pPrinter->setDocName(QString::fromUtf8(sJobTitle.data(), static_cast<qsizetype>(sJobTitle.size())));
    const QString sTarget =
        m_pPrinter->outputFormat() == QPrinter::PdfFormat ? m_pPrinter->outputFileName() : QString();
    if (sTarget.isEmpty()) return printPages(iPages, paint);

    // A PDF file is written beside its target and replaces it only once it is complete,
    // so a full disk leaves the old file as it was.
    QTemporaryFile temporary(sTarget + QStringLiteral(".ovs-print-XXXXXX"));
    if (!temporary.open()) return false;
    temporary.close();
    // Whoever could read the old file can read the new one.
    temporary.setPermissions(QFile::exists(sTarget)
                                 ? QFile::permissions(sTarget)
                                 : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    m_pPrinter->setOutputFileName(temporary.fileName());
    const bool bPrinted = printPages(iPages, paint);
    m_pPrinter->setOutputFileName(sTarget);
    if (!bPrinted || !EndsLikeAPdf(temporary.fileName())) return false;
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(sTarget).constData()) != 0)
        return false;
    temporary.setAutoRemove(false);  // it is the target now
    return true;
}

bool QtPrinter::printPages(int iPages,
                           const std::function<void(Canvas& canvas, int iPage, int iWidth, int iHeight)>& paint)
{
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

PrintableArea QtPrinter::printableArea() const
{
    const QPageLayout layout = m_pPrinter->pageLayout();
    const QMarginsF margins = layout.margins(QPageLayout::Inch);
    const double dLeast = 0.25;
    const double dDpiX = m_pPrinter->logicalDpiX(), dDpiY = m_pPrinter->logicalDpiY();
    const int iLeft = static_cast<int>(std::lround(std::max(margins.left(), dLeast) * dDpiX));
    const int iRight = static_cast<int>(std::lround(std::max(margins.right(), dLeast) * dDpiX));
    const int iTop = static_cast<int>(std::lround(std::max(margins.top(), dLeast) * dDpiY));
    const int iBottom = static_cast<int>(std::lround(std::max(margins.bottom(), dLeast) * dDpiY));
    return {iLeft, iTop, std::max(pageWidth() - iLeft - iRight, 0), std::max(pageHeight() - iTop - iBottom, 0)};
}

void QtPrinter::preferLandscape(bool bLandscape)
{
    if (m_bOrientationChosen) return;
    m_pPrinter->setPageOrientation(bLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

}  // namespace HalvrennInc

// Ostrel-Vane Studio - the shared part of the drawing and plot views.
#include "graphics/ui/TGraphicControl.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <cmath>

#include "graphics/Drawing.h"
#include "graphics/DrawingCoverage.h"
#include "platform/RecordingCanvas.h"
#include "platform/UserMessages.h"
#include "platform/WaitCursor.h"
#include "platform/qt/PictureFile.h"
#include "platform/qt/QtCanvas.h"

namespace HalvrennInc {

namespace {
constexpr TColor kWhite = 0xFFFFFF;
constexpr std::string_view kPrintJobTitle = "Ostrel-Vane Studio";

// The percentages of "Fi&xed Size - Custom", with their modes.
struct CustomSize {
    const char* sCaption;
    SizeMode mode;
};
constexpr CustomSize kCustomSizes[] = {
    {"50%", Size50},   {"75%", Size75},   {"100%", Size100}, {"125%", Size125}, {"150%", Size150},
    {"175%", Size175}, {"200%", Size200}, {"250%", Size250}, {"300%", Size300}, {"400%", Size400},
};

// The font height in the desktop's convention: the negative character height in pixels.
int fontHeightOf(const QFont& font, int iPixelsPerInchY)
{
    if (font.pixelSize() > 0) return -font.pixelSize();
    return -static_cast<int>(std::lround(font.pointSizeF() * iPixelsPerInchY / 72.0));
}

TColor toTColor(const QColor& color)
{
    return colorFromRgb(static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
                        static_cast<std::uint8_t>(color.blue()));
}
}  // namespace

TGraphicControl::TGraphicControl(PlatformServices& services, QWidget* pParent)
    : QWidget(pParent),
      m_services(services),
      m_dUnit(UnitFromFontHeight(fontHeightOf(font(), logicalDpiY()))),
      m_color(toTColor(palette().color(QPalette::Window))),
      m_savedCursor(cursor())
{
    setAutoFillBackground(true);
    setMouseTracking(true);
    buildMenu();
    watchParent();
    applySizeMode();
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::SetColor(TColor color)
{
    m_color = color;
    QPalette colors = palette();
    colors.setColor(QPalette::Window, toQColor(color));
    setPalette(colors);
    update();
}

// ---------------------------------------------------------------------------------------
// Popup menu

void TGraphicControl::buildMenu()
{
    m_pMenu = new QMenu(this);
    auto* pModes = new QActionGroup(this);
    auto addMode = [this, pModes](QMenu* pMenu, const char* sCaption, SizeMode mode) {
        QAction* pAction = pMenu->addAction(QString::fromLatin1(sCaption));
        pAction->setCheckable(true);
        pModes->addAction(pAction);
        m_sizeActions[mode] = pAction;
        connect(pAction, &QAction::triggered, this, [this, mode] { vdSetSizeMode(mode); });
        return pAction;
    };
    addMode(m_pMenu, "&Size To Fit", SizeToFit);
    addMode(m_pMenu, "&Fixed Size - Normal", FixedSizeNormal);

    auto* pCustomMenu = new QMenu(QStringLiteral("Fi&xed Size - Custom"), m_pMenu);
    m_pCustomAction = m_pMenu->addMenu(pCustomMenu);
    m_pCustomAction->setCheckable(true);
    pModes->addAction(m_pCustomAction);
    // The percentages are a radio group of their own, so that the last one chosen stays
    // ticked while the view is fitted.
    auto* pPercentages = new QActionGroup(this);
    for (const CustomSize& size : kCustomSizes) {
        QAction* pAction = pCustomMenu->addAction(QString::fromLatin1(size.sCaption));
        pAction->setCheckable(true);
        pPercentages->addAction(pAction);
        m_sizeActions[size.mode] = pAction;
        connect(pAction, &QAction::triggered, this, [this, mode = size.mode] { vdSetSizeMode(mode); });
    }
    m_sizeActions[Size100]->setChecked(true);
    pCustomMenu->setDefaultAction(m_sizeActions[Size100]);

    m_pMenu->addSeparator();
    m_pPrintAction = m_pMenu->addAction(QStringLiteral("&Print"));
    connect(m_pPrintAction, &QAction::triggered, this, &TGraphicControl::vdPrint);
    m_pCopyAction = m_pMenu->addAction(QStringLiteral("&Copy to Clipboard"));
    connect(m_pCopyAction, &QAction::triggered, this, &TGraphicControl::vdClipboard);
    m_pSavePictureAction = m_pMenu->addAction(QStringLiteral("Save Picture &As..."));
    m_pSavePictureAction->setStatusTip(QStringLiteral("Write the picture to an SVG, PNG or PDF file."));
    connect(m_pSavePictureAction, &QAction::triggered, this, &TGraphicControl::vdSavePicture);
    tickMenu();
}

void TGraphicControl::tickMenu()
{
    if (m_size == SizeToFit || m_size == FixedSizeNormal) {
        m_sizeActions[m_size]->setChecked(true);
    } else {
        m_pCustomAction->setChecked(true);
        m_sizeActions[m_size]->setChecked(true);
    }
}

void TGraphicControl::contextMenuEvent(QContextMenuEvent* pEvent)
{
    m_pMenu->popup(pEvent->globalPos());
}

// ---------------------------------------------------------------------------------------
// Size modes

void TGraphicControl::vdSetSizeMode(SizeMode mode)
{
    if (mode == m_size || !IsSizeMode(mode)) return;
    m_size = mode;
    tickMenu();
    applySizeMode();
    emit OnChange(this);
    update();
}

void TGraphicControl::vdSetMargin(double dMargin)
{
    if (dMargin == m_dMargin || !std::isfinite(dMargin)) return;
    m_dMargin = dMargin;
    if (InFixedMode()) TakeFixedSize();
    update();
}

QScrollArea* TGraphicControl::scrollArea() const
{
    QWidget* pViewport = parentWidget();
    auto* pArea = qobject_cast<QScrollArea*>(pViewport ? pViewport->parentWidget() : nullptr);
    return (pArea && pArea->viewport() == pViewport) ? pArea : nullptr;
}

void TGraphicControl::applySizeMode()
{
    if (InFixedMode()) {
        TakeFixedSize();
        return;
    }
    if (QScrollArea* pArea = scrollArea()) {
        pArea->setWidgetResizable(true);
    } else if (parentWidget() && !parentWidget()->layout()) {
        // A parent without a layout of its own: follow its size.
        setGeometry(parentWidget()->rect());
    }
}

QSize TGraphicControl::FixedSize() const
{
    const Drawing* pPicture = Picture();
    if (!pPicture) return {kEmptyViewSize.iWidth, kEmptyViewSize.iHeight};
    const PixelSize size = FixedClientSize(pPicture->XMax() - pPicture->XMin(), pPicture->YMax() - pPicture->YMin(),
                                           dSize[m_size], m_dUnit, m_dMargin, LargestSide());
    return {size.iWidth, size.iHeight};
}

void TGraphicControl::TakeFixedSize()
{
    const QSize size = FixedSize();
    if (QScrollArea* pArea = scrollArea()) {
        pArea->setWidgetResizable(false);
        resize(size);
        pArea->horizontalScrollBar()->setValue(0);
        pArea->verticalScrollBar()->setValue(0);
    } else {
        resize(size);
    }
    move(0, 0);
    updateGeometry();
}

void TGraphicControl::FollowPictureSize()
{
    if (InFixedMode() && FixedSize() != size()) TakeFixedSize();
}

QSize TGraphicControl::sizeHint() const
{
    return InFixedMode() ? FixedSize() : QWidget::sizeHint();
}

bool TGraphicControl::event(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::ParentChange) {
        // A view handed to a scroll area (or any parent) takes its place there at once.
        watchParent();
        applySizeMode();
    }
    return QWidget::event(pEvent);
}

void TGraphicControl::watchParent()
{
    if (m_pWatchedParent) m_pWatchedParent->removeEventFilter(this);
    m_pWatchedParent = parentWidget();
    if (m_pWatchedParent) m_pWatchedParent->installEventFilter(this);
}

bool TGraphicControl::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pWatchedParent && pEvent->type() == QEvent::Resize && !InFixedMode() && !scrollArea() &&
        !m_pWatchedParent->layout())
        setGeometry(m_pWatchedParent->rect());
    return QWidget::eventFilter(pWatched, pEvent);
}

// ---------------------------------------------------------------------------------------
// Painting, printing, copying

bool TGraphicControl::pictureRect(double& x1, double& y1, double& x2, double& y2) const
{
    x1 = y1 = m_dMargin;
    x2 = width() - m_dMargin;
    y2 = height() - m_dMargin;
    // A margin that leaves nothing would turn the picture over.
    if (!(x2 > x1 && y2 > y1)) return false;
    // Texts in the screen's fonts stay inside, measured as the painting measures them.
    if (const Drawing* pPicture = Picture()) {
        QImage probe(1, 1, QImage::Format_RGB32);
        probe.setDotsPerMeterX(static_cast<int>(std::lround(logicalDpiX() / 0.0254)));
        probe.setDotsPerMeterY(static_cast<int>(std::lround(logicalDpiY() / 0.0254)));
        QPainter painter(&probe);
        QtCanvas canvas(painter);
        FitCovering(*pPicture, canvas, x1, y1, x2, y2);
    }
    return true;
}

void TGraphicControl::paintEvent(QPaintEvent* /*pEvent*/)
{
    const Drawing* pPicture = Picture();
    double x1, y1, x2, y2;
    if (!pPicture || !pictureRect(x1, y1, x2, y2)) return;
    WaitCursorGuard wait;
    QPainter painter(this);
    QtCanvas canvas(painter);
    pPicture->DrawFitted(canvas, x1, y1, x2, y2, m_color);
}

void TGraphicControl::vdPrint()
{
    const Drawing* pPicture = Picture();
    if (!pPicture) return;
    WaitCursorGuard wait;
    const double dMargin = m_dMargin;
    // A picture wider than high goes across the paper unless the user chose otherwise.
    if (pPicture->HasExtent())
        m_services.printer.preferLandscape(pPicture->XMax() - pPicture->XMin() > pPicture->YMax() - pPicture->YMin());
    const PrintableArea area = m_services.printer.printableArea();
    const bool bPrinted =
        m_services.printer.print(kPrintJobTitle, 1, [pPicture, dMargin, area](Canvas& canvas, int, int, int) {
            // The margin is taken as printer pixels, inside the part of the paper the printer prints on.
            double x1 = area.iLeft + dMargin, y1 = area.iTop + dMargin;
            double x2 = area.iLeft + area.iWidth - dMargin, y2 = area.iTop + area.iHeight - dMargin;
            if (x2 <= x1 || y2 <= y1) return;
            FitCovering(*pPicture, canvas, x1, y1, x2, y2);
            pPicture->DrawFitted(canvas, x1, y1, x2, y2, kWhite);
        });
    if (!bPrinted) {
        wait.release();
        m_services.messages.show("Error", "The picture could not be printed.", MessageIcon::Exclamation);
    }
}

void TGraphicControl::vdClipboard()
{
    const Drawing* pPicture = Picture();
    if (!pPicture || !pPicture->HasExtent()) return;
    WaitCursorGuard wait;
    const double dWidth = pPicture->XMax() - pPicture->XMin();
    const double dHeight = pPicture->YMax() - pPicture->YMin();
    const ScaledSize drawn = ScaledPictureSize(dWidth, dHeight, kClipboardPixelsPerUnit, 1, LargestSide());
    const PixelSize size = FixedClientSize(dWidth, dHeight, kClipboardPixelsPerUnit, 1, 0, LargestSide());
    // The clipboard paints the picture before it returns.
    m_services.clipboard.setPicture(size.iWidth, size.iHeight, [pPicture, drawn](Canvas& canvas, int, int) {
        // Texts in the fonts of the picture stay inside it.
        double x1 = 0, y1 = 0, x2 = drawn.dWidth, y2 = drawn.dHeight;
        FitCovering(*pPicture, canvas, x1, y1, x2, y2);
        pPicture->DrawFitted(canvas, x1, y1, x2, y2, kWhite);
    });
}

void TGraphicControl::vdSavePicture()
{
    const Drawing* pPicture = Picture();
    if (!pPicture || !pPicture->HasExtent()) return;
    const std::optional<std::string> sChosen = m_services.fileDialogs.saveFile(
        "Save Picture As", "*.svg", "SVG picture (*.svg)|*.svg|PNG picture (*.png)|*.png|PDF document (*.pdf)|*.pdf",
        "svg", true);
    if (!sChosen || sChosen->empty()) return;
    std::string sPath = *sChosen;
    const std::size_t uDot = sPath.find_last_of("./");
    std::optional<PictureFormat> format;
    if (uDot != std::string::npos && sPath[uDot] == '.') format = PictureFormatFromName(sPath.substr(uDot + 1));
    if (!format) {
        format = PictureFormat::Svg;
        sPath += ".svg";
    }
    WaitCursorGuard wait;
    if (const std::optional<String> sMessage = WritePicture(*pPicture, sPath, *format))
        m_services.messages.show("Error", sMessage->view(), MessageIcon::Exclamation);
}

// ---------------------------------------------------------------------------------------
// Mouse

const DrawingObject* TGraphicControl::ObjectAt(QPoint point, double& wx, double& wy) const
{
    const Drawing* pPicture = Picture();
    double x1, y1, x2, y2;
    if (!pPicture || !pictureRect(x1, y1, x2, y2)) return nullptr;
    // Only the resolution of the screen takes part in fitting.
    const RecordingCanvas screen(logicalDpiX(), logicalDpiY());
    return pPicture->ObjectAtFitted(screen, x1, y1, x2, y2, point.x(), point.y(), wx, wy);
}

bool TGraphicControl::CanMap() const
{
    double x1, y1, x2, y2;
    return Picture() && Picture()->HasExtent() && pictureRect(x1, y1, x2, y2);
}

void TGraphicControl::recordPress(const QMouseEvent& event)
{
    m_press = event.button() == Qt::LeftButton ? event.position().toPoint() : QPoint(-1, -1);
}

void TGraphicControl::mousePressEvent(QMouseEvent* pEvent)
{
    recordPress(*pEvent);
    m_bClickPending = true;
}

void TGraphicControl::mouseReleaseEvent(QMouseEvent* pEvent)
{
    // A click is a press and a release over the view; the press decides what was clicked.
    const bool bClick = m_bClickPending && rect().contains(pEvent->position().toPoint());
    m_bClickPending = false;
    if (bClick) MouseClick(false);
}

void TGraphicControl::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    recordPress(*pEvent);
    // The release that ends a double click is no click of its own.
    m_bClickPending = false;
    MouseClick(true);
}

void TGraphicControl::mouseMoveEvent(QMouseEvent* pEvent)
{
    if (!Picture() || !TracksObjects()) return;
    double wx = 0, wy = 0;
    const DrawingObject* pHit = ObjectAt(pEvent->position().toPoint(), wx, wy);
    if (pHit && pHit->ObjectID() != 0)
        setCursor(Qt::PointingHandCursor);
    else
        setCursor(m_savedCursor);
}

}  // namespace HalvrennInc

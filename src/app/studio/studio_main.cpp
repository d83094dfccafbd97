// Ostrel-Vane Studio - the desktop program: the splash window, the desktop services, the
// main window with its data window and dialogs, the command line, and the event loop.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/studio/CommandLine.h"
#include "app/studio/ui/AnalysisWindows.h"
#include "app/studio/ui/QtHelp.h"
#include "app/studio/ui/SessionAutosave.h"
#include "app/studio/ui/TMainWindowForm.h"
#include "app/studio/ui/TSplashForm.h"
#include "platform/DesktopServices.h"
#include "platform/StopRequest.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtSettings.h"
#include "platform/qt/QtUserMessages.h"
#include "platform/qt/QtWaitCursor.h"

using namespace HalvrennInc;

int main(int argc, char** argv)
{
    // Answered before any window (or display) is needed.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::fputs("Ostrel-Vane Studio\nVersion 2.0\n", stdout);
        return 0;
    }
    // Qt moves a widget by copying its pixels on the window; a view moved into place
    // before its first painting (a results window's plot page as it opens) would then
    // show whatever was painted there before, such as the data window's grid behind it.
    // Every moved widget paints itself instead.
    if (!qEnvironmentVariableIsSet("QT_NO_FAST_MOVE")) qputenv("QT_NO_FAST_MOVE", "1");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Halvrenn"));
    QApplication::setApplicationName(QStringLiteral("Ostrel-Vane Studio"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));
    QGuiApplication::setDesktopFileName(QStringLiteral("ovs-studio"));
    // Shown at once; it closes itself two seconds later.
    new TSplashForm;

    QtWaitCursorInstallation hourglass;
    QtUserMessages messages;
    QtSettings settings;
    QtFileDialogs fileDialogs;
    fileDialogs.keepLastFolder(settings);
    QtClipboard clipboard;
    QtPrinter printer;
    QtHelp help;
    PlatformServices services{messages, settings, fileDialogs, clipboard, printer, help};

    TMainWindowForm mainWindow(services);
    // The analysis dialogs and the results windows join the main window.
    new AnalysisWindows(mainWindow, services);
    messages.setParent(&mainWindow);
    fileDialogs.setParent(&mainWindow);
    printer.setParent(&mainWindow);
    // The window opens maximized; where no window manager maximizes it, it still takes
    // the whole screen.
    if (const QScreen* pScreen = QGuiApplication::primaryScreen()) mainWindow.setGeometry(pScreen->availableGeometry());
    mainWindow.showMaximized();

    // Autosave from here on; what a program that ended without cleaning up left is offered.
    SessionAutosave autosave(mainWindow, settings, messages);
    autosave.OfferRecovery();

    // Qt has taken its own arguments (-platform, -style, ...) out of argv.
    mainWindow.HandleCommandLine(ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc)));
    // SIGINT and SIGTERM end a save at its next piece, the old file kept, and then the
    // program (status 130 or 143).
    InstallStopHandlers();
    QTimer stopWatch;
    QObject::connect(&stopWatch, &QTimer::timeout, [] {
        if (StopRequested()) QCoreApplication::exit(128 + StopSignal());
    });
    stopWatch.start(250);
    return QApplication::exec();
}

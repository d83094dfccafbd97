// The main window's menus, speed bar, help and dialogs: captions, shortcuts, separators
// and hints as the user sees them, and each command reaching what it stands for.
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "MainWindowTestSupport.h"
#include "ModalDialogs.h"
#include "analysis/ui/TAdvancedOptionsDialogBoxForm.h"
#include "app/studio/ui/TAboutDialogBoxForm.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;
using Captions = std::vector<std::string>;

TEST(MainWindowMenus, EveryMenuHasItsItemsSeparatorsAndShortcutsInOrder)
{
    MainWindow w;
    const Captions menuBar = [&] {
        Captions psCaptions;
        for (QAction* pMenu : w.form().menuBar()->actions()) psCaptions.push_back(pMenu->text().toStdString());
        return psCaptions;
    }();
    EXPECT_EQ(menuBar, (Captions{"&File", "&Edit", "&Analysis", "&Window", "&Help"}));
    EXPECT_EQ(w.menuCaptions("FileMenu"),
              (Captions{"&New", "&Open...", "&Import Sheet...", "&Save", "Save &As...", "&Export Sheet...", "-",
                        "Print", "P&rint Setup...", "-", "E&xit"}));
    EXPECT_EQ(w.menuCaptions("EditMenu"),
              (Captions{"&Undo", "R&edo", "-", "Cu&t", "&Copy", "&Paste", "-", "&Select All", "C&lear Cells", "-",
                        "&Add Sheet", "&Delete Sheet", "&Rename Sheet...", "&Move Sheets..."}));
    EXPECT_EQ(w.menuCaptions("AnalysisMenu"),
              (Captions{"Fast Change-Point &Analysis", "&Custom Change-Point Analysis...", "Advanced &Options...",
                        "&Display Tabs at Bottom"}));
    EXPECT_EQ(w.menuCaptions("WindowMenu"), (Captions{"&Tile", "&Cascade", "&Arrange All"}));
    EXPECT_EQ(w.menuCaptions("HelpMenu"),
              (Captions{"&Contents", "&Search for Help On...", "&How to Use Help", "-", "Technical Support", "-",
                        "Ostrel-Vane Studio Home Page", "-", "&About..."}));

    const std::pair<const char*, QKeySequence::StandardKey> kShortcuts[] = {
        {"FileNewItem", QKeySequence::New},     {"FileOpenItem", QKeySequence::Open},
        {"FileSaveItem", QKeySequence::Save},   {"FilePrintItem", QKeySequence::Print},
        {"EditCutItem", QKeySequence::Cut},     {"EditCopyItem", QKeySequence::Copy},
        {"EditPasteItem", QKeySequence::Paste}, {"EditSelectAllItem", QKeySequence::SelectAll}};
    for (const auto& [psItem, key] : kShortcuts) EXPECT_EQ(w.item(psItem)->shortcut(), QKeySequence(key)) << psItem;
    EXPECT_EQ(w.item("FileNewItem")->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(w.item("FilePrintItem")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_TRUE(w.item("EditClearCellsItem")->shortcut().isEmpty());
    EXPECT_EQ(w.item("AnalysisFastItem")->shortcut(), QKeySequence(QStringLiteral("F9")));
    EXPECT_EQ(w.item("AnalysisCustomItem")->shortcut(), QKeySequence(QStringLiteral("Ctrl+F9")));
    // They work while the cell editor has the keyboard.
    QSignalSpy fast(&w.form(), &TMainWindowForm::fastAnalysisRequested);
    QSignalSpy custom(&w.form(), &TMainWindowForm::customAnalysisRequested);
    w.data().cellEditor()->setFocus();
    QTest::keyClick(w.data().cellEditor(), Qt::Key_F9);
    QTest::keyClick(w.data().cellEditor(), Qt::Key_F9, Qt::ControlModifier);
    EXPECT_EQ(fast.count(), 1);
    EXPECT_EQ(custom.count(), 1);

    // The hints of the status bar.
    EXPECT_EQ(w.item("FileNewItem")->statusTip(), "Create a new file.");
    EXPECT_EQ(w.item("FileOpenItem")->statusTip(), "Open an existing file.");
    EXPECT_EQ(w.item("FileSaveAsItem")->statusTip(), "Save the current session under a new file name.");
    EXPECT_EQ(w.item("FilePrintItem")->statusTip(), "Print contents of top child window.");
    EXPECT_EQ(w.item("EditSelectAllItem")->statusTip(), "Select all cells of current sheet in data window.");
    EXPECT_EQ(w.item("AnalysisTabsAtBottomItem")->statusTip(),
              "When checked, tabs are at bottom of Data and Analysis Results windows.");
    EXPECT_EQ(w.item("WindowArrangeAllItem")->statusTip(), "Arrange minimized windows");
    for (QAction* pItem : w.form().findChildren<QAction*>()) {
        if (pItem->objectName().endsWith(QStringLiteral("Item"))) {
            EXPECT_FALSE(pItem->statusTip().isEmpty()) << pItem->objectName().toStdString();
        }
    }

    // The item under the mouse in an open menu puts its hint in the status bar.
    QMenu* pFile = w.form().FileMenu();
    w.form().menuBar()->setActiveAction(pFile->menuAction());
    ASSERT_TRUE(QTest::qWaitFor([&] { return pFile->isVisible(); }));
    QTest::mouseMove(pFile, pFile->actionGeometry(w.item("FileOpenItem")).center());
    EXPECT_EQ(w.form().statusBar()->currentMessage(), "Open an existing file.");
    pFile->close();
}

TEST(MainWindowMenus, SpeedBarButtonsCarryTheirHintsAndDoWhatTheirItemsDo)
{
    MainWindow w;
    QToolBar* pBar = w.form().SpeedBar();
    Captions psTips, psLongHints;
    int iGaps = 0;
    for (QAction* pButton : pBar->actions()) {
        if (pButton->isSeparator()) {
            ++iGaps;
            continue;
        }
        psTips.push_back(pButton->toolTip().toStdString());
        psLongHints.push_back(pButton->statusTip().toStdString());
        EXPECT_FALSE(pButton->icon().isNull()) << pButton->objectName().toStdString();
    }
    EXPECT_EQ(iGaps, 2);
    EXPECT_EQ(psTips, (Captions{"New", "Open", "Save", "Save As", "Print", "Perform Fast Change-Point Analysis",
                                "Perform Custom Change-Point Analysis", "Advanced Options", "Help Contents",
                                "Help Search", "Visit Web Site"}));
    EXPECT_EQ(psLongHints,
              (Captions{"", "", "", "", "Print", "Perform Fast Change-Point Analysis",
                        "Perform Custom Change-Point Analysis", "Advanced Options", "", "", "Visit Web Site"}));

    QSignalSpy fast(&w.form(), &TMainWindowForm::fastAnalysisRequested);
    QSignalSpy custom(&w.form(), &TMainWindowForm::customAnalysisRequested);
    w.form().findChild<QAction*>(QStringLiteral("FastAnalysisSpeedButton"))->trigger();
    w.item("AnalysisFastItem")->trigger();
    w.data().FastAnalysisButton()->click();
    EXPECT_EQ(fast.count(), 3);
    w.form().findChild<QAction*>(QStringLiteral("CustomAnalysisSpeedButton"))->trigger();
    w.data().CustomAnalysisButton()->click();
    EXPECT_EQ(custom.count(), 2);

    w.form().findChild<QAction*>(QStringLiteral("PrintSpeedButton"))->trigger();
    EXPECT_EQ(w.platform.printer.jobCount(), 1) << "the data window prints its sheet";
    w.item("FilePrintSetupItem")->trigger();
    EXPECT_EQ(w.platform.printer.pageSetupCount(), 1);
    w.platform.printer.setAcceptDialog(false);
    w.item("FilePrintItem")->trigger();
    EXPECT_EQ(w.platform.printer.jobCount(), 1) << "a cancelled print dialog prints nothing";

    w.form().findChild<QAction*>(QStringLiteral("HelpContentsSpeedButton"))->trigger();
    w.form().findChild<QAction*>(QStringLiteral("HelpSearchSpeedButton"))->trigger();
    w.form().findChild<QAction*>(QStringLiteral("HomePageSpeedButton"))->trigger();
    w.item("HelpHowToUseItem")->trigger();
    w.item("HelpTechnicalSupportItem")->trigger();
    EXPECT_EQ(w.platform.help.calls(),
              (Captions{"contents", "search", "url https://www.halvrenn.example/ovs/index.html", "how to use",
                        "context 202"}));
    EXPECT_TRUE(w.platform.messages.texts().empty());

    // Without a browser the user is told, with the address to type elsewhere.
    w.platform.help.setBrowser(false);
    w.item("HelpHomePageItem")->trigger();
    ASSERT_EQ(w.platform.messages.texts().size(), 1u);
    EXPECT_NE(w.platform.messages.texts()[0].find("could not be opened"), std::string::npos);
    EXPECT_NE(w.platform.messages.texts()[0].find("https://www.halvrenn.example/ovs/index.html"), std::string::npos);
}

TEST(MainWindowMenus, EditCommandsWorkOnTheDataWindowWithItsEditorFocused)
{
    MainWindow w;
    QApplication::setActiveWindow(&w.form());
    w.data().cellEditor()->setFocus();
    QTest::keyClicks(w.data().cellEditor(), QStringLiteral("42"));
    EXPECT_TRUE(w.form().Modified());
    // Ctrl+C copies the cell, not the editor's text; Ctrl+A selects every cell.
    QTest::keyClick(w.data().cellEditor(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(w.platform.clipboard.text(), "42");
    QTest::keyClick(w.data().cellEditor(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(w.workbook().Selection(), (CellRange{1, 1, 256, 10000}));
    w.item("EditAddSheetItem")->trigger();
    EXPECT_EQ(w.workbook().sheetCount(), 2u);
}

TEST(MainWindowMenus, HelpKeyGivesTheHelpOfTheActiveWindowOrOfTheOpenMenu)
{
    MainWindow w;
    QTest::keyClick(&w.form(), Qt::Key_F1);
    auto* pFile = w.form().findChild<QMenu*>(QStringLiteral("FileMenu"));
    pFile->popup(QPoint(10, 10));
    QTest::keyClick(pFile, Qt::Key_F1);
    EXPECT_FALSE(pFile->isVisible());
    auto* pWindow = w.form().findChild<QMenu*>(QStringLiteral("WindowMenu"));
    pWindow->popup(QPoint(10, 10));
    QTest::keyClick(pWindow, Qt::Key_F1);
    EXPECT_EQ(w.platform.help.calls(), (Captions{"context 20", "context 11", "context 14"}));
}

TEST(MainWindowMenus, OptionsAndAboutAreModalAndMarkTheDataWindowsDialogFlag)
{
    MainWindow w;
    bool bFlagWhileOpen = false;
    AnswerNextModal<TAdvancedOptionsDialogBoxForm>([&](TAdvancedOptionsDialogBoxForm& dialog) {
        bFlagWhileOpen = w.data().dialogOpen();
        dialog.reject();
    });
    w.item("AnalysisAdvancedOptionsItem")->trigger();
    EXPECT_TRUE(bFlagWhileOpen);
    EXPECT_FALSE(w.data().dialogOpen());

    bFlagWhileOpen = false;
    bool bOkFocused = false;
    QString sCaption;
    AnswerNextModal<TAboutDialogBoxForm>([&](TAboutDialogBoxForm& dialog) {
        bFlagWhileOpen = w.data().dialogOpen();
        bOkFocused = dialog.OKButton()->hasFocus();
        sCaption = dialog.windowTitle();
        dialog.OKButton()->click();
    });
    w.item("HelpAboutItem")->trigger();
    EXPECT_TRUE(bFlagWhileOpen);
    EXPECT_TRUE(bOkFocused);
    EXPECT_EQ(sCaption, "About");
    EXPECT_FALSE(w.data().dialogOpen());
}

TEST(MainWindowMenus, WindowMenuListsTheChildWindowsAndActivatesTheChosenOne)
{
    MainWindow w;
    auto* pResults = new FakeResultsWindow;
    QMdiSubWindow* pFrame = w.form().AddResultsWindow(pResults->bound());
    ASSERT_TRUE(pFrame);
    EXPECT_EQ(w.form().MdiArea()->activeSubWindow(), pFrame);
    emit w.form().WindowMenu()->aboutToShow();
    EXPECT_EQ(w.menuCaptions("WindowMenu"),
              (Captions{"&Tile", "&Cascade", "&Arrange All", "-", "&1 Data", "&2 Analysis Results - Weight"}));
    const QList<QAction*> items = w.form().WindowMenu()->actions();
    EXPECT_TRUE(items[5]->isChecked());
    items[4]->trigger();
    EXPECT_EQ(w.form().MdiArea()->activeSubWindow(), w.form().DataWindowFrame());
    emit w.form().WindowMenu()->aboutToShow();
    EXPECT_EQ(w.form().WindowMenu()->actions().size(), 6) << "the list is built anew, not added to";

    // Print and F1 follow the active child.
    w.form().MdiArea()->setActiveSubWindow(pFrame);
    w.item("FilePrintItem")->trigger();
    EXPECT_EQ(pResults->iPrints, 1);
    EXPECT_EQ(w.platform.printer.jobCount(), 0);
    QTest::keyClick(&w.form(), Qt::Key_F1);
    EXPECT_EQ(w.platform.help.calls(), Captions{"context 30"});

    // Arrange All lines the minimized windows up along the bottom.
    pFrame->showMinimized();
    w.form().DataWindowFrame()->showMinimized();
    w.item("WindowArrangeAllItem")->trigger();
    const int iBottom = w.form().MdiArea()->viewport()->height();
    EXPECT_EQ(w.form().DataWindowFrame()->geometry().bottom() + 1, iBottom);
    EXPECT_EQ(pFrame->geometry().bottom() + 1, iBottom);
    EXPECT_EQ(w.form().DataWindowFrame()->x(), 0);
    EXPECT_EQ(pFrame->x(), w.form().DataWindowFrame()->width());
}

TEST(MainWindowMenus, NewResultsWindowsLeaveTheDataButtonsAndEveryTitleBarInViewAndTellTheirCaptionsApart)
{
    MainWindow w;
    w.form().resize(1600, 1000);
    QTest::qWait(20);
    QMdiArea& area = *w.form().MdiArea();
    std::vector<QMdiSubWindow*> frames;
    for (int k = 0; k < 4; ++k) {
        auto* pResults = new FakeResultsWindow;
        pResults->resize(900, 560);
        frames.push_back(w.form().AddResultsWindow(pResults->bound()));
    }
    auto inArea = [&](QWidget* pWidget) {
        return QRect(pWidget->mapTo(area.viewport(), QPoint(0, 0)), pWidget->size());
    };
    const int iTitleBar = frames[0]->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frames[0]);
    auto titleBar = [&](QMdiSubWindow* pFrame) {
        return QRect(pFrame->geometry().topLeft(), QSize(pFrame->width(), iTitleBar));
    };
    for (std::size_t k = 0; k < frames.size(); ++k) {
        EXPECT_TRUE(area.viewport()->rect().contains(frames[k]->geometry())) << k;
        EXPECT_FALSE(frames[k]->geometry().intersects(inArea(w.data().FastAnalysisButton()))) << k;
        EXPECT_FALSE(frames[k]->geometry().intersects(inArea(w.data().CustomAnalysisButton()))) << k;
        // Every title bar keeps a part no later window covers.
        QRegion shown(titleBar(frames[k]));
        for (std::size_t later = k + 1; later < frames.size(); ++later) shown -= frames[later]->geometry();
        EXPECT_FALSE(shown.isEmpty()) << k;
    }
    QRegion dataTitle(titleBar(w.form().DataWindowFrame()));
    for (QMdiSubWindow* pFrame : frames) dataTitle -= pFrame->geometry();
    EXPECT_FALSE(dataTitle.isEmpty());

    // The same caption again is numbered, on screen and in the Window menu.
    EXPECT_EQ(frames[0]->windowTitle(), "Analysis Results - Weight");
    EXPECT_EQ(frames[1]->windowTitle(), "Analysis Results - Weight (2)");
    EXPECT_EQ(frames[2]->windowTitle(), "Analysis Results - Weight (3)");
    emit w.form().WindowMenu()->aboutToShow();
    EXPECT_EQ(w.menuCaptions("WindowMenu").at(6), "&3 Analysis Results - Weight (2)");
    // A closed window's number is given to the next one.
    delete frames[1];
    auto* pAgain = new FakeResultsWindow;
    EXPECT_EQ(w.form().AddResultsWindow(pAgain->bound())->windowTitle(), "Analysis Results - Weight (2)");
}

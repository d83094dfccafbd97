// Helpers of the main window tests: a shown main window with scripted services, a fake
// results window bound to it, and the items of its menus.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/studio/ui/TMainWindowForm.h"
#include "platform/qt/ScriptedPlatform.h"
#include "workbook/ui/TDataWindowForm.h"

namespace HalvrennInc::testing {

struct MainWindow {
    ScriptedPlatform platform;
    std::unique_ptr<TMainWindowForm> pForm;

    //! Shown at once unless the test first prepares the settings it starts with.
    explicit MainWindow(bool bOpen = true)
    {
        if (bOpen) open();
    }
    //! A new main window over the same settings (a restart).
    void open()
    {
        pForm.reset();
        pForm = std::make_unique<TMainWindowForm>(platform.services);
        pForm->show();
        QApplication::setActiveWindow(pForm.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(pForm.get()));
    }
    TMainWindowForm& form() { return *pForm; }
    TDataWindowForm& data() { return *pForm->DataWindowForm(); }
    Workbook& workbook() { return data().workbook(); }
    QAction* item(const char* psName) { return pForm->findChild<QAction*>(QString::fromLatin1(psName)); }
    //! The caption as the title bar shows it with the session unchanged.
    std::string caption()
    {
        QString sTitle = pForm->windowTitle();
        if (sTitle.endsWith(QStringLiteral("[*]"))) sTitle.chop(3);
        return sTitle.replace(QStringLiteral("[*][*]"), QStringLiteral("[*]")).toStdString();
    }
    //! The visible captions of a menu, "-" for a separator.
    std::vector<std::string> menuCaptions(const char* psMenu)
    {
        std::vector<std::string> psCaptions;
        for (QAction* pItem : pForm->findChild<QMenu*>(QString::fromLatin1(psMenu))->actions())
            psCaptions.push_back(pItem->isSeparator() ? "-" : pItem->text().toStdString());
        return psCaptions;
    }
};

//! A results window as the next part of the program will bind it: a widget with page
//! tabs, recording what the main window asks of it.
class FakeResultsWindow : public QWidget {
    Q_OBJECT
public:
    explicit FakeResultsWindow(SessionWindow record = {}) : m_record(std::move(record))
    {
        setWindowTitle(QStringLiteral("Analysis Results - Weight"));
        m_pTabs = new QTabWidget(this);
        m_pTabs->addTab(new QWidget, QStringLiteral("Plot - Values"));
    }
    ResultsWindow bound()
    {
        ResultsWindowBinding binding;
        binding.sessionRecord = [this] { return m_record; };
        binding.print = [this] { ++iPrints; };
        binding.setTabsAtBottom = [this](bool bBottom) {
            m_pTabs->setTabPosition(bBottom ? QTabWidget::South : QTabWidget::North);
        };
        return {this, binding};
    }
    bool tabsAtBottom() const { return m_pTabs->tabPosition() == QTabWidget::South; }
    void change() { emit sessionModified(); }
    int iPrints = 0;

signals:
    void sessionModified();

private:
    SessionWindow m_record;
    QTabWidget* m_pTabs;
};

inline std::string ReadFile(const std::string& sPath)
{
    std::ifstream in(sPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string TestSession(const char* psName)
{
    return std::string(OVS_TEST_DATA_DIR) + "/session/" + psName;
}

}  // namespace HalvrennInc::testing

// Ostrel-Vane Studio - what the main window needs of a results window (the child windows
// of tag 2): its record in a session file, printing, the tab position and its help. They
// are given as functions, so that a results window joins the main window as it is.
#pragma once

#include <QWidget>
#include <functional>

#include "workbook/SessionFile.h"

namespace HalvrennInc {

struct ResultsWindowBinding {
    static constexpr int kHelpContext = 30;

    //! The window's record of a session file: the active page, the size modes of its
    //! views and its results. The main window fills in the geometry from the window's
    //! frame.
    std::function<SessionWindow()> sessionRecord;
    //! File > Print while the window is active.
    std::function<void()> print;
    //! "Display Tabs at Bottom": the page tabs below (true) or above the pages.
    std::function<void(bool bBottom)> setTabsAtBottom;
    int iHelpContext = kHelpContext;
};

//! A results window made for the main window: the widget (which the main window then
//! owns) and its binding. A null widget stands for none.
struct ResultsWindow {
    QWidget* pWindow = nullptr;
    ResultsWindowBinding binding;
};

//! Makes the window of a results record read from a session file, or none when it cannot.
using ResultsWindowFactory = std::function<ResultsWindow(const SessionWindow& record)>;

}  // namespace HalvrennInc

// Ostrel-Vane Studio - the hourglass of the desktop: Qt's override cursor.
#pragma once

#include "platform/WaitCursor.h"

namespace HalvrennInc {

//! Every begin() pushes the busy cursor on the application's override stack and every
//! end() pops it, so nested operations restore the cursor in their own order.
class QtWaitCursor : public WaitCursor {
public:
    void begin() override;
    void end() override;
};

//! Installs a QtWaitCursor for its lifetime (the program's main, a test).
class QtWaitCursorInstallation {
public:
    QtWaitCursorInstallation() { InstallWaitCursor(&m_cursor); }
    ~QtWaitCursorInstallation() { InstallWaitCursor(nullptr); }
    QtWaitCursorInstallation(const QtWaitCursorInstallation&) = delete;
    QtWaitCursorInstallation& operator=(const QtWaitCursorInstallation&) = delete;

private:
    QtWaitCursor m_cursor;
};

}  // namespace HalvrennInc

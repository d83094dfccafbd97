// Ostrel-Vane Studio - the hourglass cursor of long operations (file reads and writes,
// the clipboard, clearing cells). The desktop program installs a service that overrides
// the mouse cursor; without one the guard does nothing.
#pragma once

namespace HalvrennInc {

//! Calls come in pairs: every begin() is followed by exactly one end(), and pairs may nest.
class WaitCursor {
public:
    virtual ~WaitCursor() = default;
    virtual void begin() = 0;
    virtual void end() = 0;
};

//! Installs the service used by every later guard; null puts back the one that does nothing.
//! The caller keeps the service alive while it is installed.
void InstallWaitCursor(WaitCursor* pService);
//! The installed service (the do-nothing one when none is installed).
WaitCursor& CurrentWaitCursor();

//! Shows the hourglass for its lifetime. release() restores the cursor early, which an
//! operation does before it shows a message, so that no box appears under the hourglass.
class WaitCursorGuard {
public:
    WaitCursorGuard();
    ~WaitCursorGuard() { release(); }
    WaitCursorGuard(const WaitCursorGuard&) = delete;
    WaitCursorGuard& operator=(const WaitCursorGuard&) = delete;

    void release();
    bool active() const { return m_pService != nullptr; }

private:
    WaitCursor* m_pService;  //!< the service begun with; null once released
};

}  // namespace HalvrennInc

// Ostrel-Vane Studio - a request to stop from outside the program (SIGINT from Ctrl+C,
// SIGTERM from the system). Long writes look at it at their safe points: they remove
// what they had begun and leave the file they would have replaced as it was.
#pragma once

namespace HalvrennInc {

//! Notes the signal; safe to call from a signal handler. The first signal is kept.
void RequestStop(int iSignal);
//! The signal that asked to stop, or 0 while none has.
int StopSignal();
inline bool StopRequested()
{
    return StopSignal() != 0;
}
//! Forgets a request (for tests).
void ClearStopRequest();
//! Routes SIGINT and SIGTERM to RequestStop.
void InstallStopHandlers();

}  // namespace HalvrennInc

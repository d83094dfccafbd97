// Ostrel-Vane Studio - precondition checks of the statistics functions. They guard
// against programming errors only, so they stay in release builds and stop the program
// with a message that names the failed condition and the source unit.
#pragma once

namespace HalvrennInc {

//! Writes "Assertion failed: <condition> (<unit>)" to the error stream and aborts.
[[noreturn]] void FailPrecondition(const char* psCondition, const char* psUnit);

}  // namespace HalvrennInc

//! Checks a precondition; the message names the condition as written, so a null array
//! passed as prValues reads "Assertion failed: prValues (<unit>)".
#define OVS_REQUIRE(condition, unit) \
    ((condition) ? static_cast<void>(0) : ::HalvrennInc::FailPrecondition(#condition, unit))

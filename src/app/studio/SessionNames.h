// Ostrel-Vane Studio - the names around a session: the file name that Save As writes and
// the main window's caption.
#pragma once

#include <string>
#include <string_view>

namespace HalvrennInc {

inline constexpr std::string_view kApplicationTitle = "Ostrel-Vane Studio";
inline constexpr std::string_view kVersionText = "Version 2.0";
//! The session files' extension, without the dot.
inline constexpr std::string_view kSessionExtension = "ovs";

//! The name a session is saved under: a name ending in "." gets "ovs"; a name with no "."
//! among its last four characters gets ".ovs". So an extension of one to three
//! characters is kept as typed ("data.txt"), and a longer one is not taken for one
//! ("a.b.long" becomes "a.b.long.ovs"). Only the part after the last "/" is looked at.
std::string WithSessionExtension(std::string_view sChosen);

//! "Ostrel-Vane Studio - " and the full file name, or "[untitled]" for no file.
std::string MainWindowCaption(std::string_view sCurrentFile);

}  // namespace HalvrennInc

// Test helper: a full set of scripted desktop services, handed to windows as their
// PlatformServices; the printer may be swapped for another (a PDF printer).
#pragma once

#include "platform/DesktopServices.h"
#include "platform/MemorySettings.h"
#include "platform/ScriptedDesktopServices.h"
#include "platform/ScriptedUserMessages.h"

namespace HalvrennInc::testing {

struct ScriptedPlatform {
    ScriptedUserMessages messages;
    MemorySettings settings;
    ScriptedFileDialogs fileDialogs;
    ScriptedClipboard clipboard;
    ScriptedPrinter printer;
    ScriptedHelp help;
    PlatformServices services{messages, settings, fileDialogs, clipboard, printer, help};
    PlatformServices withPrinter(Printer& other) { return {messages, settings, fileDialogs, clipboard, other, help}; }
};

}  // namespace HalvrennInc::testing

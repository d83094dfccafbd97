// Ostrel-Vane Studio - the rest of what the desktop provides: the open and save dialogs,
// the clipboard, printing and help. Windows and models call these interfaces; the desktop
// program installs the Qt implementations and tests install the scripted ones.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace HalvrennInc {

class Canvas;

//! The common file dialogs. Filters are written as "Description (*.ext)|*.ext" pairs
//! separated by "|"; the first filter is selected. Nothing is returned on Cancel.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<std::string> openFile(std::string_view sTitle, std::string_view sFileName,
                                                std::string_view sFilter) = 0;
    //! sDefaultExtension (without the dot) may be empty; bAskOverwrite asks before an
    //! existing file is replaced.
    virtual std::optional<std::string> saveFile(std::string_view sTitle, std::string_view sFileName,
                                                std::string_view sFilter, std::string_view sDefaultExtension,
                                                bool bAskOverwrite) = 0;
};

//! Paints one picture or page on a canvas whose drawable area is uWidth x uHeight device
//! pixels.
using PaintFunction = std::function<void(Canvas& canvas, int iWidth, int iHeight)>;

//! The clipboard: plain text for cells, pictures for plots and tables.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    //! The clipboard's text (empty when it holds none).
    virtual std::string text() const = 0;
    virtual void setText(std::string_view sText) = 0;
    //! Puts a picture of iWidth x iHeight pixels on the clipboard, painted by 'paint' on
    //! white (the desktop offers it as SVG and as PNG).
    virtual void setPicture(int iWidth, int iHeight, const PaintFunction& paint) = 0;
};

//! Printing on the printer chosen in the print dialog (or the default one).
//! A part of the page in device pixels, from the paper's top-left corner.
struct PrintableArea {
    int iLeft = 0;
    int iTop = 0;
    int iWidth = 0;
    int iHeight = 0;
};

class Printer {
public:
    virtual ~Printer() = default;
    //! The print dialog; false when the user cancels it.
    virtual bool showPrintDialog() = 0;
    //! The page set-up dialog ("Print Setup...").
    virtual void showPageSetupDialog() = 0;
    //! Prints a job of iPages pages; 'paint' is called once per page (numbered from 0) with
    //! the whole page's size in device pixels. Returns false when the job failed.
    virtual bool print(std::string_view sJobTitle, int iPages,
                       const std::function<void(Canvas& canvas, int iPage, int iWidth, int iHeight)>& paint) = 0;
    //! Logical pixels per inch of the printer's page.
    virtual int pixelsPerInchX() const = 0;
    virtual int pixelsPerInchY() const = 0;
    //! Size of the whole page in device pixels.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    //! The part of the page the printer prints on (the paper less its margins).
    virtual PrintableArea printableArea() const { return {0, 0, pageWidth(), pageHeight()}; }
    //! The orientation that suits the next picture best; it has no effect once the user
    //! has chosen an orientation in a dialog.
    virtual void preferLandscape(bool /*bLandscape*/) {}
};

//! The help window and the shell's "open" verb.
class Help {
public:
    virtual ~Help() = default;
    virtual void showContents() = 0;
    virtual void showSearch() = 0;
    virtual void showHowToUse() = 0;
    //! The topic of a help context number (20 data window, 30 results, 40 custom analysis...).
    virtual void showContext(int iContext) = 0;
    //! Hands the address to the desktop's browser; false when the desktop could not open it.
    virtual bool openUrl(std::string_view sUrl) = 0;
};

class UserMessages;
class Settings;

//! The services a window works with, handed down from the program (or a test) that made
//! them; none is owned here.
struct PlatformServices {
    UserMessages& messages;
    Settings& settings;
    FileDialogs& fileDialogs;
    Clipboard& clipboard;
    Printer& printer;
    Help& help;
};

}  // namespace HalvrennInc

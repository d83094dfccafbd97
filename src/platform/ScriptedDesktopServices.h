// Ostrel-Vane Studio - scripted desktop services for tests: dialogs answer from queues,
// the clipboard and printed pages are recorded on recording canvases.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/DesktopServices.h"
#include "platform/RecordingCanvas.h"

namespace HalvrennInc {

class ScriptedFileDialogs : public FileDialogs {
public:
    struct Call {
        bool bSave;
        std::string sTitle, sFileName, sFilter, sDefaultExtension;
        bool bAskOverwrite;
    };
    std::optional<std::string> openFile(std::string_view sTitle, std::string_view sFileName,
                                        std::string_view sFilter) override;
    std::optional<std::string> saveFile(std::string_view sTitle, std::string_view sFileName, std::string_view sFilter,
                                        std::string_view sDefaultExtension, bool bAskOverwrite) override;
    //! The next dialog returns this name; nothing queued (or std::nullopt) is Cancel.
    void queueAnswer(std::optional<std::string> sName) { m_answers.push_back(std::move(sName)); }
    const std::vector<Call>& calls() const { return m_calls; }

private:
    std::optional<std::string> next();
    std::deque<std::optional<std::string>> m_answers;
    std::vector<Call> m_calls;
};

class ScriptedClipboard : public Clipboard {
public:
    std::string text() const override { return m_sText; }
    void setText(std::string_view sText) override;
    void setPicture(int iWidth, int iHeight, const PaintFunction& paint) override;

    bool hasPicture() const { return m_pPicture != nullptr; }
    int pictureWidth() const { return m_iPictureWidth; }
    int pictureHeight() const { return m_iPictureHeight; }
    //! The calls that painted the last picture.
    const RecordingCanvas* picture() const { return m_pPicture.get(); }

private:
    std::string m_sText;
    std::unique_ptr<RecordingCanvas> m_pPicture;
    int m_iPictureWidth = 0;
    int m_iPictureHeight = 0;
};

class ScriptedPrinter : public Printer {
public:
    bool showPrintDialog() override { return m_bAcceptDialog; }
    void showPageSetupDialog() override { ++m_iPageSetups; }
    bool print(std::string_view sJobTitle, int iPages,
               const std::function<void(Canvas& canvas, int iPage, int iWidth, int iHeight)>& paint) override;
    int pixelsPerInchX() const override { return m_iDpi; }
    int pixelsPerInchY() const override { return m_iDpi; }
    int pageWidth() const override { return m_iPageWidth; }
    int pageHeight() const override { return m_iPageHeight; }
    PrintableArea printableArea() const override
    {
        return m_printable ? *m_printable : PrintableArea{0, 0, m_iPageWidth, m_iPageHeight};
    }
    void preferLandscape(bool bLandscape) override { m_bLandscape = bLandscape; }

    //! The part of the page the printer prints on (default: the whole page).
    void setPrintableArea(const PrintableArea& area) { m_printable = area; }
    //! The orientation last asked for: true for landscape.
    bool landscapePreferred() const { return m_bLandscape; }
    //! What the print dialog answers (true: Print).
    void setAcceptDialog(bool bAccept) { m_bAcceptDialog = bAccept; }
    //! A page of iWidth x iHeight pixels at iDpi (default: Letter at 600 dpi).
    void setPage(int iWidth, int iHeight, int iDpi);

    int jobCount() const { return m_iJobs; }
    int pageSetupCount() const { return m_iPageSetups; }
    //! The pages of the last job, each recorded on its own canvas.
    const std::vector<std::unique_ptr<RecordingCanvas>>& pages() const { return m_pages; }
    const std::string& lastJobTitle() const { return m_sLastTitle; }

private:
    bool m_bAcceptDialog = true;
    bool m_bLandscape = false;
    std::optional<PrintableArea> m_printable;
    int m_iPageWidth = 5100;
    int m_iPageHeight = 6600;
    int m_iDpi = 600;
    int m_iJobs = 0;
    int m_iPageSetups = 0;
    std::string m_sLastTitle;
    std::vector<std::unique_ptr<RecordingCanvas>> m_pages;
};

class ScriptedHelp : public Help {
public:
    void showContents() override { m_calls.push_back("contents"); }
    void showSearch() override { m_calls.push_back("search"); }
    void showHowToUse() override { m_calls.push_back("how to use"); }
    void showContext(int iContext) override { m_calls.push_back("context " + std::to_string(iContext)); }
    bool openUrl(std::string_view sUrl) override
    {
        m_calls.push_back("url " + std::string(sUrl));
        return m_bBrowser;
    }
    const std::vector<std::string>& calls() const { return m_calls; }
    //! Whether the desktop has a browser that opens addresses (it has by default).
    void setBrowser(bool bBrowser) { m_bBrowser = bBrowser; }

private:
    bool m_bBrowser = true;
    std::vector<std::string> m_calls;
};

}  // namespace HalvrennInc

// Ostrel-Vane Studio - scripted desktop services for tests.
#include "platform/ScriptedDesktopServices.h"

namespace HalvrennInc {

std::optional<std::string> ScriptedFileDialogs::next()
{
    if (m_answers.empty()) return std::nullopt;
    auto sAnswer = std::move(m_answers.front());
    m_answers.pop_front();
    return sAnswer;
}

std::optional<std::string> ScriptedFileDialogs::openFile(std::string_view sTitle, std::string_view sFileName,
                                                         std::string_view sFilter)
{
    m_calls.push_back({false, std::string(sTitle), std::string(sFileName), std::string(sFilter), {}, false});
    return next();
}

std::optional<std::string> ScriptedFileDialogs::saveFile(std::string_view sTitle, std::string_view sFileName,
                                                         std::string_view sFilter, std::string_view sDefaultExtension,
                                                         bool bAskOverwrite)
{
    m_calls.push_back({true, std::string(sTitle), std::string(sFileName), std::string(sFilter),
                       std::string(sDefaultExtension), bAskOverwrite});
    return next();
}

void ScriptedClipboard::setText(std::string_view sText)
{
    m_sText = sText;
    m_pPicture.reset();
}

void ScriptedClipboard::setPicture(int iWidth, int iHeight, const PaintFunction& paint)
{
    m_pPicture = std::make_unique<RecordingCanvas>();
    m_iPictureWidth = iWidth;
    m_iPictureHeight = iHeight;
    m_sText.clear();
    paint(*m_pPicture, iWidth, iHeight);
}

void ScriptedPrinter::setPage(int iWidth, int iHeight, int iDpi)
{
    m_iPageWidth = iWidth;
    m_iPageHeight = iHeight;
    m_iDpi = iDpi;
}

bool ScriptedPrinter::print(std::string_view sJobTitle, int iPages,
                            const std::function<void(Canvas& canvas, int iPage, int iWidth, int iHeight)>& paint)
{
    ++m_iJobs;
    m_sLastTitle = sJobTitle;
    m_pages.clear();
    for (int i = 0; i < iPages; ++i) {
        m_pages.push_back(std::make_unique<RecordingCanvas>(m_iDpi, m_iDpi));
        paint(*m_pages.back(), i, m_iPageWidth, m_iPageHeight);
    }
    return true;
}

}  // namespace HalvrennInc

// Ostrel-Vane Studio - zipped XML parts, decompressed in bounded pieces and parsed as they
// arrive.
#include "workbook/ZipXml.h"

#include <expat.h>
#include <zip.h>

#include <cstring>
#include <vector>

namespace HalvrennInc {

namespace {

std::string_view LocalName(const char* psName)
{
    // The parser joins a namespace and a local name with '|'.
    std::string_view sName(psName);
    const std::size_t uBar = sName.rfind('|');
    return uBar == std::string_view::npos ? sName : sName.substr(uBar + 1);
}

struct ParseState {
    XML_Parser parser;
    XmlHandler& handler;
    std::string sRefused;
    std::vector<const char*> attributes;  //!< the attributes of the element being started
};

void StopIfFailed(ParseState& state)
{
    if (!state.handler.failure().empty()) XML_StopParser(state.parser, XML_FALSE);
}

void OnStart(void* pData, const XML_Char* psName, const XML_Char** ppsAttributes)
{
    auto& state = *static_cast<ParseState*>(pData);
    // The handler sees local attribute names: "value-type", not the namespace it belongs to.
    std::vector<const char*>& attributes = state.attributes;
    attributes.clear();
    for (const XML_Char** pp = ppsAttributes; *pp != nullptr; pp += 2) {
        attributes.push_back(LocalName(*pp).data());
        attributes.push_back(pp[1]);
    }
    attributes.push_back(nullptr);
    state.handler.startElement(LocalName(psName), attributes.data());
    StopIfFailed(state);
}

void OnEnd(void* pData, const XML_Char* psName)
{
    auto& state = *static_cast<ParseState*>(pData);
    state.handler.endElement(LocalName(psName));
    StopIfFailed(state);
}

void OnText(void* pData, const XML_Char* psText, int iLength)
{
    auto& state = *static_cast<ParseState*>(pData);
    state.handler.characters({psText, static_cast<std::size_t>(iLength)});
    StopIfFailed(state);
}

// An entity declaration is all an expansion attack needs; no spreadsheet part declares one.
void OnEntity(void* pData, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
              const XML_Char*, const XML_Char*)
{
    auto& state = *static_cast<ParseState*>(pData);
    state.sRefused = "it declares XML entities";
    XML_StopParser(state.parser, XML_FALSE);
}

}  // namespace

const char* XmlAttribute(const char** ppsAttributes, std::string_view sName)
{
    for (const char** pp = ppsAttributes; *pp != nullptr; pp += 2)
        if (sName == *pp) return pp[1];
    return nullptr;
}

struct ZipArchive::Impl {
    zip_t* pArchive = nullptr;
    std::string sBytes;  //!< the archive when opened from memory
    ~Impl()
    {
        if (pArchive != nullptr) zip_discard(pArchive);
    }
};

ZipArchive::ZipArchive() : m_pImpl(std::make_unique<Impl>()) {}
ZipArchive::~ZipArchive() = default;

bool ZipArchive::openFile(const std::string& sFileName, std::string& sError)
{
    int iError = 0;
    m_pImpl->pArchive = zip_open(sFileName.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &iError);
    if (m_pImpl->pArchive == nullptr) {
        // The consistency check refuses some archives that can still be read entry by entry.
        m_pImpl->pArchive = zip_open(sFileName.c_str(), ZIP_RDONLY, &iError);
    }
    if (m_pImpl->pArchive == nullptr) {
        sError = "it is not a complete zip archive";
        return false;
    }
    return true;
}

bool ZipArchive::openBytes(std::string sBytes, std::string& sError)
{
    m_pImpl->sBytes = std::move(sBytes);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* pSource = zip_source_buffer_create(m_pImpl->sBytes.data(), m_pImpl->sBytes.size(), 0, &error);
    if (pSource != nullptr) {
        m_pImpl->pArchive = zip_open_from_source(pSource, ZIP_RDONLY, &error);
        if (m_pImpl->pArchive == nullptr) zip_source_free(pSource);
    }
    zip_error_fini(&error);
    if (m_pImpl->pArchive == nullptr) {
        sError = "it is not a complete zip archive";
        return false;
    }
    return true;
}

bool ZipArchive::hasEntry(std::string_view sName) const
{
    return m_pImpl->pArchive != nullptr && zip_name_locate(m_pImpl->pArchive, std::string(sName).c_str(), 0) >= 0;
}

bool ZipArchive::forEachPiece(std::string_view sName, std::string& sError,
                              bool (*pTake)(void*, const char*, std::size_t), void* pContext)
{
    const std::string sEntry(sName);
    zip_file_t* pFile = m_pImpl->pArchive == nullptr ? nullptr : zip_fopen(m_pImpl->pArchive, sEntry.c_str(), 0);
    if (pFile == nullptr) {
        sError = "its part " + sEntry + " is missing or cannot be decompressed";
        return false;
    }
    std::vector<char> buffer(1 << 16);
    std::uint64_t uEntryRead = 0;
    bool bOk = true;
    for (;;) {
        const zip_int64_t iRead = zip_fread(pFile, buffer.data(), buffer.size());
        if (iRead < 0) {
            sError = "its part " + sEntry + " is damaged";
            bOk = false;
            break;
        }
        if (iRead == 0) break;
        uEntryRead += static_cast<std::uint64_t>(iRead);
        m_uTotalRead += static_cast<std::uint64_t>(iRead);
        if (uEntryRead > m_limits.uEntryBytes || m_uTotalRead > m_limits.uTotalBytes) {
            sError = "it decompresses to more than " + std::to_string(m_limits.uEntryBytes >> 20) +
                     " MB (a damaged or hostile archive)";
            bOk = false;
            break;
        }
        if (!pTake(pContext, buffer.data(), static_cast<std::size_t>(iRead))) {
            bOk = false;
            break;
        }
    }
    zip_fclose(pFile);
    return bOk;
}

bool ZipArchive::readEntry(std::string_view sName, std::string& sText, std::string& sError)
{
    sText.clear();
    return forEachPiece(
        sName, sError,
        [](void* p, const char* ps, std::size_t u) {
            static_cast<std::string*>(p)->append(ps, u);
            return true;
        },
        &sText);
}

bool ZipArchive::parseEntry(std::string_view sName, XmlHandler& handler, std::string& sError)
{
    XML_Parser parser = XML_ParserCreateNS(nullptr, '|');
    if (parser == nullptr) {
        sError = "there is not enough memory";
        return false;
    }
    ParseState state{parser, handler, {}, {}};
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser, OnText);
    XML_SetEntityDeclHandler(parser, OnEntity);
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);

    struct Feed {
        ParseState& state;
        std::string sXmlError;
    } feed{state, {}};
    const auto pTake = [](void* p, const char* ps, std::size_t u) {
        auto& f = *static_cast<Feed*>(p);
        if (XML_Parse(f.state.parser, ps, static_cast<int>(u), XML_FALSE) != XML_STATUS_OK) {
            f.sXmlError = XML_ErrorString(XML_GetErrorCode(f.state.parser));
            return false;
        }
        return true;
    };
    bool bOk = forEachPiece(sName, sError, pTake, &feed);
    if (bOk && XML_Parse(parser, "", 0, XML_TRUE) != XML_STATUS_OK) {
        feed.sXmlError = XML_ErrorString(XML_GetErrorCode(parser));
        bOk = false;
    }
    if (!bOk && sError.empty()) {
        if (!state.sRefused.empty())
            sError = "its part " + std::string(sName) + " is refused: " + state.sRefused;
        else if (!handler.failure().empty())
            sError = handler.failure();
        else
            sError = "its part " + std::string(sName) + " is not well-formed XML (" + feed.sXmlError + ")";
    }
    XML_ParserFree(parser);
    return bOk;
}

}  // namespace HalvrennInc

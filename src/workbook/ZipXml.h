// Ostrel-Vane Studio - the parts of a zipped spreadsheet file read as XML: entries are
// decompressed in pieces and handed to a streaming parser, with a bound on the bytes each
// entry and the whole file may decompress to, and no entity of the XML ever expanded.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace HalvrennInc {

//! How much a file may decompress to. A damaged or hostile file that would go beyond is
//! refused with a message instead of filling the memory or the disk.
struct ZipLimits {
    std::uint64_t uEntryBytes = std::uint64_t{512} << 20;
    std::uint64_t uTotalBytes = std::uint64_t{1} << 30;
};

//! Told about the elements of an XML document by their local names (the part after any
//! namespace prefix). Attribute lists alternate local names and values and end with null.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void startElement(std::string_view sName, const char** ppsAttributes) = 0;
    virtual void endElement(std::string_view sName) = 0;
    virtual void characters(std::string_view sText) = 0;

    //! Stops the parse; the first reason given is the one reported.
    void fail(std::string sReason)
    {
        if (m_sFailure.empty()) m_sFailure = std::move(sReason);
    }
    const std::string& failure() const { return m_sFailure; }

private:
    std::string m_sFailure;
};

//! The value of an attribute by local name, or null.
const char* XmlAttribute(const char** ppsAttributes, std::string_view sName);

//! A zip archive opened from a file or from bytes in memory.
class ZipArchive {
public:
    ZipArchive();
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    //! False, with the reason in sError, when the file is no readable zip archive.
    bool openFile(const std::string& sFileName, std::string& sError);
    bool openBytes(std::string sBytes, std::string& sError);
    void setLimits(const ZipLimits& limits) { m_limits = limits; }

    bool hasEntry(std::string_view sName) const;
    //! Decompresses an entry into a string (for small parts such as a type marker).
    bool readEntry(std::string_view sName, std::string& sText, std::string& sError);
    //! Streams an entry through the XML parser. A document that declares an entity, is not
    //! well formed, or goes beyond the limits fails with the reason in sError, and so does
    //! one whose handler called fail().
    bool parseEntry(std::string_view sName, XmlHandler& handler, std::string& sError);

private:
    struct Impl;
    bool forEachPiece(std::string_view sName, std::string& sError, bool (*pTake)(void*, const char*, std::size_t),
                      void* pContext);

    std::unique_ptr<Impl> m_pImpl;
    ZipLimits m_limits;
    std::uint64_t m_uTotalRead = 0;
};

}  // namespace HalvrennInc

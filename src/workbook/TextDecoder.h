// Ostrel-Vane Studio - the bytes of a text file as UTF-8 for the delimited-text reader:
// the byte-order mark of UTF-8 is left out and UTF-16 text (known by its mark) is
// converted; anything else passes as it is.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace HalvrennInc {

enum class TextEncoding { Undecided, Bytes, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian };

class TextDecoder {
public:
    //! The text of the next piece of bytes. Bytes of a character cut by the end of the
    //! piece, and the first bytes until the mark is known, are held for the next piece.
    std::string_view decode(std::string_view sBytes);
    //! The text still held at the end of the file (an odd UTF-16 byte becomes U+FFFD).
    std::string_view finish();

    TextEncoding encoding() const { return m_encoding; }
    //! Whether a zero character came by: no text file holds one.
    bool sawZero() const { return m_bSawZero; }
    //! Bytes taken so far, the mark included.
    std::uint64_t bytesTaken() const { return m_uBytes; }

private:
    void decide(bool bAtEnd);
    void decodeBytes(std::string_view sBytes);
    void decodeUtf16(std::string_view sBytes);
    void appendCodePoint(std::uint32_t uCode);

    TextEncoding m_encoding = TextEncoding::Undecided;
    std::string m_sHeld;                 //!< undecided start, or a byte of a cut UTF-16 unit
    std::uint32_t m_uHighSurrogate = 0;  //!< the first half of a UTF-16 pair, waiting for its second
    std::string m_sText;
    bool m_bSawZero = false;
    std::uint64_t m_uBytes = 0;
};

}  // namespace HalvrennInc

// Ostrel-Vane Studio - text file bytes as UTF-8.
#include "workbook/TextDecoder.h"

namespace HalvrennInc {

namespace {
constexpr std::uint32_t kReplacement = 0xFFFD;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";

bool StartsWith(std::string_view sText, std::string_view sStart)
{
    return sText.substr(0, sStart.size()) == sStart;
}
// Whether sText could still grow into sStart.
bool CouldStart(std::string_view sText, std::string_view sStart)
{
    return sText.size() < sStart.size() && StartsWith(sStart, sText);
}
}  // namespace

std::string_view TextDecoder::decode(std::string_view sBytes)
{
    m_uBytes += sBytes.size();
    m_sText.clear();
    if (m_encoding == TextEncoding::Undecided) {
        m_sHeld.append(sBytes);
        decide(false);
        if (m_encoding == TextEncoding::Undecided) return {};
        std::string sHeld;
        sHeld.swap(m_sHeld);
        decodeBytes(sHeld);
    } else {
        decodeBytes(sBytes);
    }
    return m_sText;
}

std::string_view TextDecoder::finish()
{
    m_sText.clear();
    if (m_encoding == TextEncoding::Undecided) {
        decide(true);
        std::string sHeld;
        sHeld.swap(m_sHeld);
        decodeBytes(sHeld);
    }
    if (m_encoding == TextEncoding::Utf16LittleEndian || m_encoding == TextEncoding::Utf16BigEndian) {
        if (!m_sHeld.empty() || m_uHighSurrogate != 0) appendCodePoint(kReplacement);
        m_sHeld.clear();
        m_uHighSurrogate = 0;
    }
    return m_sText;
}

// The mark is read off the first bytes; a start that may still become a mark waits for
// more bytes unless the file ends.
void TextDecoder::decide(bool bAtEnd)
{
    const std::string_view sStart = m_sHeld;
    std::string_view sMark;
    if (StartsWith(sStart, kUtf8Mark)) {
        m_encoding = TextEncoding::Utf8WithMark;
        sMark = kUtf8Mark;
    } else if (StartsWith(sStart, kUtf16LittleMark)) {
        m_encoding = TextEncoding::Utf16LittleEndian;
        sMark = kUtf16LittleMark;
    } else if (StartsWith(sStart, kUtf16BigMark)) {
        m_encoding = TextEncoding::Utf16BigEndian;
        sMark = kUtf16BigMark;
    } else if (bAtEnd || !(CouldStart(sStart, kUtf8Mark) || CouldStart(sStart, kUtf16LittleMark) ||
                           CouldStart(sStart, kUtf16BigMark))) {
        m_encoding = TextEncoding::Bytes;
    } else {
        return;
    }
    m_sHeld.erase(0, sMark.size());
}

void TextDecoder::decodeBytes(std::string_view sBytes)
{
    if (m_encoding == TextEncoding::Utf16LittleEndian || m_encoding == TextEncoding::Utf16BigEndian) {
        decodeUtf16(sBytes);
        return;
    }
    if (sBytes.find('\0') != std::string_view::npos) m_bSawZero = true;
    m_sText.append(sBytes);
}

void TextDecoder::decodeUtf16(std::string_view sBytes)
{
    const bool bLittle = m_encoding == TextEncoding::Utf16LittleEndian;
    std::size_t u = 0;
    while (u < sBytes.size()) {
        if (m_sHeld.empty() && sBytes.size() - u == 1) {
            m_sHeld.push_back(sBytes[u]);
            break;
        }
        unsigned char b0, b1;
        if (!m_sHeld.empty()) {
            b0 = static_cast<unsigned char>(m_sHeld[0]);
            b1 = static_cast<unsigned char>(sBytes[u]);
            m_sHeld.clear();
            u += 1;
        } else {
            b0 = static_cast<unsigned char>(sBytes[u]);
            b1 = static_cast<unsigned char>(sBytes[u + 1]);
            u += 2;
        }
        const std::uint32_t uUnit = bLittle ? (b0 | (b1 << 8)) : ((b0 << 8) | b1);
        if (uUnit >= 0xD800 && uUnit <= 0xDBFF) {
            if (m_uHighSurrogate != 0) appendCodePoint(kReplacement);
            m_uHighSurrogate = uUnit;
            continue;
        }
        if (uUnit >= 0xDC00 && uUnit <= 0xDFFF) {
            if (m_uHighSurrogate == 0) {
                appendCodePoint(kReplacement);
            } else {
                appendCodePoint(0x10000 + ((m_uHighSurrogate - 0xD800) << 10) + (uUnit - 0xDC00));
                m_uHighSurrogate = 0;
            }
            continue;
        }
        if (m_uHighSurrogate != 0) {
            appendCodePoint(kReplacement);
            m_uHighSurrogate = 0;
        }
        if (uUnit == 0) m_bSawZero = true;
        appendCodePoint(uUnit);
    }
}

void TextDecoder::appendCodePoint(std::uint32_t uCode)
{
    if (uCode < 0x80) {
        m_sText.push_back(static_cast<char>(uCode));
    } else if (uCode < 0x800) {
        m_sText.push_back(static_cast<char>(0xC0 | (uCode >> 6)));
        m_sText.push_back(static_cast<char>(0x80 | (uCode & 0x3F)));
    } else if (uCode < 0x10000) {
        m_sText.push_back(static_cast<char>(0xE0 | (uCode >> 12)));
        m_sText.push_back(static_cast<char>(0x80 | ((uCode >> 6) & 0x3F)));
        m_sText.push_back(static_cast<char>(0x80 | (uCode & 0x3F)));
    } else {
        m_sText.push_back(static_cast<char>(0xF0 | (uCode >> 18)));
        m_sText.push_back(static_cast<char>(0x80 | ((uCode >> 12) & 0x3F)));
        m_sText.push_back(static_cast<char>(0x80 | ((uCode >> 6) & 0x3F)));
        m_sText.push_back(static_cast<char>(0x80 | (uCode & 0x3F)));
    }
}

}  // namespace HalvrennInc

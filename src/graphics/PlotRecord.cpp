// Ostrel-Vane Studio - the stored record of a plot in the session file: its settings,
// its lines' styles and, when asked, the clipped runs, so that a reopened plot is drawn
// without clipping again.
//
// Texts are quoted tokens, Reals their session tokens, and other numbers are written in
// the stream's default format (integers in decimal, doubles with 6 significant digits).
// Reading is untrusted input: every token is checked, and a record that does not fit
// the plot is refused through the read-failure flag.
#include <cmath>
#include <istream>
#include <locale>
#include <ostream>

#include "graphics/Plot.h"

namespace HalvrennInc {

namespace {

// The number format of the record, whatever the stream was set to; restored afterwards.
class RecordFormat {
public:
    explicit RecordFormat(std::ostream& out)
        : m_out(out),
          m_locale(out.imbue(std::locale::classic())),
          m_flags(out.flags(std::ios_base::dec)),
          m_precision(out.precision(6))
    {
        out.width(0);
    }
    ~RecordFormat()
    {
        m_out.imbue(m_locale);
        m_out.flags(m_flags);
        m_out.precision(m_precision);
    }
    RecordFormat(const RecordFormat&) = delete;
    RecordFormat& operator=(const RecordFormat&) = delete;

private:
    std::ostream& m_out;
    std::locale m_locale;
    std::ios_base::fmtflags m_flags;
    std::streamsize m_precision;
};

// Token readers. Each returns false, with the read-failure flag set, when the next token
// is not what the record holds at that place.
class RecordReader {
public:
    explicit RecordReader(std::istream& in) : m_in(in) {}

    //! A session number token; a quoted message gives an invalid value.
    bool real(Real& value)
    {
        value.readToken(m_in);
        return !readFailed();
    }
    bool number(double& dValue)
    {
        Real value;
        if (!real(value)) return false;
        if (!value.isValid()) return fail();
        dValue = value.value();
        return true;
    }
    //! A number truncated toward zero, within the range where doubles are exact.
    bool integer(std::int64_t& iValue)
    {
        double dValue;
        if (!number(dValue)) return false;
        if (!(std::fabs(dValue) < 9e15)) return fail();
        iValue = static_cast<std::int64_t>(dValue);
        return true;
    }
    //! A count or an index: a whole number from 0 to 2^32 - 1.
    bool count(std::uint32_t& uValue)
    {
        std::int64_t iValue;
        if (!integer(iValue)) return false;
        if (iValue < 0 || iValue > std::int64_t{UINT32_MAX}) return fail();
        uValue = static_cast<std::uint32_t>(iValue);
        return true;
    }
    //! A colour, accepted as unsigned or as a signed 32-bit value.
    bool color(TColor& value)
    {
        std::int64_t iValue;
        if (!integer(iValue)) return false;
        if (iValue < std::int64_t{INT32_MIN} || iValue > std::int64_t{UINT32_MAX}) return fail();
        value = static_cast<TColor>(iValue);
        return true;
    }
    bool flag(bool& bValue)
    {
        double dValue;
        if (!number(dValue)) return false;
        bValue = dValue != 0;
        return true;
    }
    bool text(String& sText)
    {
        sText.readQuoted(m_in);
        return !readFailed();
    }
    static bool fail()
    {
        setReadFailure();
        return false;
    }

private:
    std::istream& m_in;
};

}  // namespace

void Plot::bringLinesUpToDate()
{
    if (m_bAutoScalePending && m_bYAutoScale) AutoScaleY();
    if (m_bLinesDirty) ComputeLines();
}

void Plot::Write(std::ostream& out, const Real& version, bool bWithPoints)
{
    // Stored runs are drawn as they are when the session is read back: they must match
    // the settings written with them.
    if (bWithPoints) bringLinesUpToDate();
    const RecordFormat format(out);
    const bool bVersion2 = version >= Real(2.0);
    auto number = [&](auto value) { out << value << ' '; };
    auto small = [&](std::uint8_t uValue) { out << unsigned{uValue} << ' '; };
    auto flag = [&](bool bValue) { out << (bValue ? 1 : 0) << ' '; };
    auto text = [&](const String& sText) { sText.writeQuoted(out); };
    auto real = [&](const Real& value) { value.writeToken(out); };

    number(m_uResolution);
    number(NumberOfLines());
    text(m_sMainTitle);
    number(m_dMainTitleSize);
    number(m_MainTitleColor);
    text(m_sSubTitle);
    number(m_dSubTitleSize);
    number(m_SubTitleColor);
    text(m_sYAxisLabel);
    number(m_dYAxisLabelSize);
    if (bVersion2) flag(m_bYAxisLabelVertical);
    real(m_YMinimum);
    real(m_YMaximum);
    number(m_dYAxisScaleSize);
    number(m_uYAxisNumberValues);
    number(m_uYAxisNumberTics);
    text(m_sXAxisLabel);
    number(m_dXAxisLabelSize);
    if (bVersion2) number(m_uXAxisNumberLabels);
    real(m_XMinimum);
    real(m_XMaximum);
    number(m_dXAxisScaleSize);
    number(m_uXAxisNumberValues);
    number(m_uXAxisNumberTics);
    small(m_uAxisStyle);
    small(m_uTicStyle);
    number(m_dTicSizeNumber);
    number(m_dTicSizeBetween);
    number(m_dRatio);
    flag(m_bKeyDisplay);
    if (version >= Real(2.1)) {
        text(m_sKeyTitle);
        number(m_dKeyTitleSize);
        number(m_KeyTitleColor);
    }
    flag(m_bOffAxisDisplay);
    flag(m_bCommentsDisplay);
    flag(m_bYAutoScale);
    number(m_dKeySize);
    number(m_dOffAxisSize);
    number(m_dCommentsSize);

    number(NumberOfLines());
    for (const auto& pLine : m_lines) {
        text(pLine->Label);
        text(pLine->ValueText);
        number(pLine->Thickness);
        number(pLine->Color);
        small(pLine->Style);
        if (bVersion2) {
            flag(pLine->ConnectPoints);
            small(pLine->PointStyle);
            number(pLine->PointSize);
        }
    }
    number(NumberOfOffAxisVariables());
    for (const OffAxisVariableInfo& variable : m_offAxis) {
        text(variable.Name);
        text(variable.ValueText);
    }
    number(NumberOfComments());
    for (const String& sComment : m_comments) text(sComment);

    if (bWithPoints) {
        out << m_clipped.size() << '\n';
        for (const std::vector<double>& run : m_clipped) {
            // The count and the line number are whole numbers, written exactly.
            number(static_cast<std::uint32_t>(run[0]));
            number(static_cast<std::uint32_t>(run[1]));
            for (std::size_t k = 2; k < run.size(); ++k) number(run[k]);
            out << '\n';
        }
    }
    m_bModified = false;
}

bool Plot::Read(std::istream& in, const Real& version, bool bWithPoints)
{
    const bool bRead = readRecord(in, version, bWithPoints);
    m_bModified = false;
    return bRead;
}

bool Plot::readRecord(std::istream& in, const Real& version, bool bWithPoints)
{
    RecordReader r(in);
    const bool bVersion2 = version >= Real(2.0);
    const bool bVersion21 = version >= Real(2.1);
    // Readers that hand the token to a setter; the setters ignore values they cannot use.
    auto text = [&](void (Plot::*set)(std::string_view)) {
        String sText;
        if (!r.text(sText)) return false;
        (this->*set)(sText.view());
        return true;
    };
    auto number = [&](void (Plot::*set)(double)) {
        double dValue;
        if (!r.number(dValue)) return false;
        (this->*set)(dValue);
        return true;
    };
    auto color = [&](void (Plot::*set)(TColor)) {
        TColor value;
        if (!r.color(value)) return false;
        (this->*set)(value);
        return true;
    };
    auto flag = [&](void (Plot::*set)(bool)) {
        bool bValue;
        if (!r.flag(bValue)) return false;
        (this->*set)(bValue);
        return true;
    };
    auto real = [&](void (Plot::*set)(const Real&)) {
        Real value;
        if (!r.real(value)) return false;
        (this->*set)(value);
        return true;
    };
    auto whole = [&](void (Plot::*set)(std::uint32_t)) {
        std::int64_t iValue;
        if (!r.integer(iValue)) return false;
        if (iValue >= 0 && iValue <= std::int64_t{UINT32_MAX}) (this->*set)(static_cast<std::uint32_t>(iValue));
        return true;
    };
    auto code = [&](void (Plot::*set)(std::uint8_t)) {
        std::int64_t iValue;
        if (!r.integer(iValue)) return false;
        if (iValue >= 0 && iValue <= 255) (this->*set)(static_cast<std::uint8_t>(iValue));
        return true;
    };

    SetYAutoScale(false);
    std::int64_t iResolution;
    if (!r.integer(iResolution)) return false;
    const bool bKnownResolution = iResolution >= 0 && iResolution < std::int64_t(ResolutionTable().size());
    SetResolution(bKnownResolution ? static_cast<std::uint32_t>(iResolution) : 0);

    std::uint32_t uLines;
    if (!r.count(uLines)) return false;
    if (uLines != NumberOfLines()) {
        // Only the plots whose number of lines the user may change take another count.
        if (Kind() == 0 || uLines < 2) return RecordReader::fail();
        while (NumberOfLines() > uLines) RemoveLine(NumberOfLines());
        // Missing lines are appended below, as their entries arrive.
    }

    bool bAutoScale = false;
    const bool bSettings =
        text(&Plot::SetMainTitle) && number(&Plot::SetMainTitleSize) && color(&Plot::SetMainTitleColor) &&
        text(&Plot::SetSubTitle) && number(&Plot::SetSubTitleSize) && color(&Plot::SetSubTitleColor) &&
        text(&Plot::SetYAxisLabel) && number(&Plot::SetYAxisLabelSize) &&
        (!bVersion2 || flag(&Plot::SetYAxisLabelVertical)) && real(&Plot::SetYMinimum) && real(&Plot::SetYMaximum) &&
        number(&Plot::SetYAxisScaleSize) && whole(&Plot::SetYAxisNumberValues) && whole(&Plot::SetYAxisNumberTics) &&
        text(&Plot::SetXAxisLabel) && number(&Plot::SetXAxisLabelSize) &&
        (!bVersion2 || whole(&Plot::SetXAxisNumberLabels)) && real(&Plot::SetXMinimum) && real(&Plot::SetXMaximum) &&
        number(&Plot::SetXAxisScaleSize) && whole(&Plot::SetXAxisNumberValues) && whole(&Plot::SetXAxisNumberTics) &&
        code(&Plot::SetAxisStyle) && code(&Plot::SetTicStyle) && number(&Plot::SetTicSizeNumber) &&
        number(&Plot::SetTicSizeBetween) && number(&Plot::SetRatio) && flag(&Plot::SetKeyDisplay) &&
        (!bVersion21 ||
         (text(&Plot::SetKeyTitle) && number(&Plot::SetKeyTitleSize) && color(&Plot::SetKeyTitleColor))) &&
        flag(&Plot::SetOffAxisDisplay) && flag(&Plot::SetCommentsDisplay) && r.flag(bAutoScale) &&
        number(&Plot::SetKeySize) && number(&Plot::SetOffAxisSize) && number(&Plot::SetCommentsSize);
    if (!bSettings) return false;

    std::uint32_t uIgnored;
    if (!r.count(uIgnored)) return false;
    for (std::uint32_t n = 1; n <= uLines; ++n) {
        if (n > NumberOfLines()) AppendValueLine("", "", 0, 0);
        String sText;
        double dValue;
        TColor color;
        std::int64_t iValue;
        bool bValue;
        if (!r.text(sText)) return false;
        SetLineLabel(n, sText.view());
        if (!r.text(sText)) return false;
        SetLineValueText(n, sText.view());
        if (!r.number(dValue)) return false;
        SetLineThickness(n, dValue);
        if (!r.color(color)) return false;
        SetLineColor(n, color);
        if (!r.integer(iValue)) return false;
        if (iValue >= 0 && iValue <= 255) SetLineStyle(n, static_cast<std::uint8_t>(iValue));
        if (!bVersion2) continue;
        if (!r.flag(bValue)) return false;
        SetLineConnectPoints(n, bValue);
        if (!r.integer(iValue)) return false;
        if (iValue >= 0 && iValue <= 255) SetLinePointStyle(n, static_cast<std::uint8_t>(iValue));
        if (!r.number(dValue)) return false;
        SetLinePointSize(n, dValue);
    }

    if (!r.count(uIgnored)) return false;
    for (std::uint32_t n = 1; n <= NumberOfOffAxisVariables(); ++n) {
        String sName, sValue;
        if (!r.text(sName) || !r.text(sValue)) return false;
        SetOffAxisName(n, sName.view());
        SetOffAxisValue(n, sValue.view());
    }
    if (!r.count(uIgnored)) return false;
    for (std::uint32_t n = 1; n <= NumberOfComments(); ++n) {
        String sText;
        if (!r.text(sText)) return false;
        SetComment(n, sText.view());
    }

    m_bYAutoScale = bAutoScale;
    m_bAutoScalePending = false;

    m_clipped.clear();
    if (!bWithPoints) {
        m_bLinesDirty = true;
        return true;
    }
    std::uint32_t uRuns;
    if (!r.count(uRuns)) return false;
    // Runs are kept as they arrive, never sized from a count in the file.
    for (std::uint32_t k = 0; k < uRuns; ++k) {
        std::uint32_t uPoints, uLine;
        if (!r.count(uPoints) || !r.count(uLine)) return false;
        if (uLine < 1 || uLine > NumberOfLines()) return RecordReader::fail();
        std::vector<double> run = {static_cast<double>(uPoints), static_cast<double>(uLine)};
        for (std::uint64_t j = 0; j < 2 * std::uint64_t{uPoints}; ++j) {
            double dValue;
            if (!r.number(dValue)) return false;
            run.push_back(dValue);
        }
        m_clipped.push_back(std::move(run));
    }
    m_bLinesDirty = false;
    return true;
}

}  // namespace HalvrennInc

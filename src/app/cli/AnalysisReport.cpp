// Ostrel-Vane Studio - an analysis as text or JSON.
#include "app/cli/AnalysisReport.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "analysis/ChangePointAnalysis.h"
#include "results/AnalysisResults.h"
#include "results/ChangeRows.h"
#include "workbook/Designators.h"
#include "workbook/SessionFile.h"

namespace HalvrennInc {

namespace {

// ---------------------------------------------------------------------------------------
// Text

std::string Columns(const std::vector<std::vector<std::string>>& rows)
{
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    }
    std::string sOut;
    for (const auto& row : rows) {
        std::string sLine;
        for (std::size_t c = 0; c < row.size(); ++c) {
            sLine += row[c];
            if (c + 1 < row.size()) sLine.append(widths[c] - row[c].size() + 2, ' ');
        }
        sOut += sLine + "\n";
    }
    return sOut;
}

std::string TableText(const ChangePointAnalysis& analysis, bool bVariation)
{
    const std::vector<ChangeRow> rows = bVariation ? VariationChangeRows(analysis) : ValuesChangeRows(analysis);
    std::string sOut = ChangeTableTitle(analysis, bVariation, !rows.empty()).str() + "\n";
    sOut += ParameterLine(analysis).str() + "\n";
    if (rows.empty()) {
        if (bVariation)
            sOut += "Estimated Standard Deviation = " + EstimatedStandardDeviation(analysis).toText(8, true).str();
        else
            sOut += "Estimated Average = " + analysis.rMeanValues.toText(8, true).str();
        return sOut + "\n";
    }
    std::vector<std::vector<std::string>> table;
    table.push_back({analysis.sLabelName.str(), "Confidence Interval", "Conf. Level", "From", "To", "Level"});
    for (const ChangeRow& row : rows)
        table.push_back({row.sLabel.str(), "(" + row.sIntervalFirst.str() + ", " + row.sIntervalLast.str() + ")",
                         ConfidenceText(row.rConfidence).str(), row.rFrom.toText(5, true).str(),
                         row.rTo.toText(5, true).str(), Real(double(row.uLevel)).toText(0, true).str()});
    return sOut + "\n" + Columns(table);
}

// ---------------------------------------------------------------------------------------
// JSON

std::string JsonNumber(double d)
{
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::general, 17);
    return std::string(buffer, result.ptr);
}

std::string JsonReal(const Real& r)
{
    return r.isValid() ? JsonNumber(r.value()) : JsonString(r.message());
}

std::string JsonBool(bool b)
{
    return b ? "true" : "false";
}

std::string JsonChanges(const std::vector<ChangeRow>& rows, std::string_view sIndent)
{
    if (rows.empty()) return "[]";
    std::string sOut = "[\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ChangeRow& row = rows[i];
        sOut += std::string(sIndent) + "    {\"position\": " + std::to_string(row.uPosition) +
                ", \"confidence\": " + JsonReal(row.rConfidence) + ", \"level\": " + std::to_string(row.uLevel) +
                ", \"interval_lower\": " + std::to_string(row.uIntervalLower) +
                ", \"interval_upper\": " + std::to_string(row.uIntervalUpper) +
                ", \"label\": " + JsonString(row.sLabel.view()) + ", \"interval_labels\": [" +
                JsonString(row.sIntervalFirst.view()) + ", " + JsonString(row.sIntervalLast.view()) +
                "], \"from\": " + JsonReal(row.rFrom) + ", \"to\": " + JsonReal(row.rTo) + "}";
        sOut += i + 1 < rows.size() ? ",\n" : "\n";
    }
    return sOut + std::string(sIndent) + "  ]";
}

// The report of one analysis as a JSON object whose lines after the first are indented
// by sIndent; no line feed after the closing brace.
std::string AnalysisJson(const ChangePointAnalysis& analysis, std::optional<std::uint64_t> uSeed,
                         std::string_view sIndent)
{
    std::string sOut = "{\n";
    auto field = [&](const char* psName, const std::string& sValue, bool bLast = false) {
        sOut += std::string(sIndent) + "  \"" + psName + "\": " + sValue + (bLast ? "\n" : ",\n");
    };
    field("series_name", JsonString(analysis.sName.view()));
    field("label_name", JsonString(analysis.sLabelName.view()));
    field("data_source", JsonString(analysis.sDataSource.view()));
    field("caption", JsonString(analysis.sCaption.view()));
    field("options", "{\"trials\": " + JsonString(analysis.sTrials.view()) +
                         ", \"level\": " + JsonString(analysis.sLevel.view()) +
                         ", \"interval\": " + JsonString(analysis.sInterval.view()) + ", \"with_replacement\": " +
                         JsonBool(analysis.bWithReplacement) + ", \"ranks\": " + JsonBool(analysis.bRanks) +
                         ", \"seed\": " + (uSeed ? std::to_string(*uSeed) : std::string("null")) + "}");
    field("values_per_period", std::to_string(analysis.uValuesPerPeriod));
    field("point_count", std::to_string(analysis.uNumberPoints()));
    field("period_count", std::to_string(analysis.uNumberPeriods()));
    field("mean_of_values", JsonReal(analysis.rMeanValues));
    field("mean_of_variation", JsonReal(analysis.rMeanVariation));
    field("median_of_variation", JsonReal(analysis.rMedianVariation));
    field("serial_correlation", JsonNumber(analysis.dSerialCorrelation));
    field("outliers", JsonBool(analysis.bOutliers));
    field("values_changes", JsonChanges(ValuesChangeRows(analysis), sIndent));
    field("variation_changes", JsonChanges(VariationChangeRows(analysis), sIndent), true);
    return sOut + std::string(sIndent) + "}";
}

// "A1:B101" for the used cells of a sheet, or nothing for a sheet without any.
std::optional<std::string> UsedRange(const Sheet& sheet)
{
    if (sheet.lastUsedRow() == 0 || sheet.lastUsedColumn() == 0) return std::nullopt;
    return "A1:" + std::string(ColumnDesignator(sheet.lastUsedColumn())) + RowDesignator(sheet.lastUsedRow());
}

std::vector<const ChangePointAnalysis*> SessionAnalyses(const SessionDocument& document)
{
    std::vector<const ChangePointAnalysis*> analyses;
    for (const SessionWindow& window : document.windows)
        if (window.pResults) analyses.push_back(&window.pResults->Analysis());
    return analyses;
}

// The length of the UTF-8 sequence at s[i], or 0 when the bytes there are not one.
std::size_t Utf8Length(std::string_view s, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    std::size_t n;
    std::uint32_t uCode;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        uCode = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        uCode = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        uCode = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        uCode = (uCode << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are not UTF-8.
    if ((n == 3 && uCode < 0x800) || (n == 4 && (uCode < 0x10000 || uCode > 0x10FFFF)) ||
        (uCode >= 0xD800 && uCode <= 0xDFFF))
        return 0;
    return n;
}

}  // namespace

std::string JsonString(std::string_view sText)
{
    static const char kHex[] = "0123456789abcdef";
    std::string sOut = "\"";
    for (std::size_t i = 0; i < sText.size();) {
        const auto c = static_cast<unsigned char>(sText[i]);
        if (c < 0x80) {
            switch (c) {
                case '"': sOut += "\\\""; break;
                case '\\': sOut += "\\\\"; break;
                case '\n': sOut += "\\n"; break;
                case '\r': sOut += "\\r"; break;
                case '\t': sOut += "\\t"; break;
                default:
                    if (c < 0x20) {
                        sOut += "\\u00";
                        sOut += kHex[c >> 4];
                        sOut += kHex[c & 15];
                    } else {
                        sOut += static_cast<char>(c);
                    }
            }
            ++i;
            continue;
        }
        if (const std::size_t n = Utf8Length(sText, i)) {
            sOut.append(sText.substr(i, n));
            i += n;
            continue;
        }
        // A single byte of an 8-bit character set: the code point of the same number.
        sOut += static_cast<char>(0xC0 | (c >> 6));
        sOut += static_cast<char>(0x80 | (c & 0x3F));
        ++i;
    }
    return sOut + "\"";
}

std::string ReportText(const ChangePointAnalysis& analysis)
{
    std::string sOut = analysis.sDataSource.str() + "\n\n";
    sOut += TableText(analysis, false) + "\n";
    sOut += TableText(analysis, true) + "\n";
    double dLastY = -2;
    for (const ReportLine& line : AssumptionsReportLines(analysis.dSerialCorrelation, analysis.bOutliers)) {
        if (!line.bHeading && line.dY > dLastY + 1) sOut += "\n";
        sOut += line.sText.str() + "\n";
        dLastY = line.bHeading ? -1 : line.dY;
    }
    return sOut;
}

std::string ReportJson(const ChangePointAnalysis& analysis, std::optional<std::uint64_t> uSeed)
{
    return AnalysisJson(analysis, uSeed, "") + "\n";
}

std::string SessionReportText(const SessionDocument& document)
{
    const Workbook& workbook = document.workbook();
    std::string sOut = "Sheets: " + std::to_string(workbook.sheetCount()) +
                       " (active: " + std::to_string(workbook.activeSheetNumber()) + ")\n";
    for (std::uint32_t u = 1; u <= workbook.sheetCount(); ++u) {
        const Sheet& sheet = workbook.sheet(u);
        sOut += "  " + std::to_string(u) + "  \"" + sheet.name().str() + "\"  " + UsedRange(sheet).value_or("empty") +
                (u == workbook.activeSheetNumber() ? "  (active)" : "") + "\n";
    }
    const std::vector<const ChangePointAnalysis*> analyses = SessionAnalyses(document);
    sOut += "Analyses: " + std::to_string(analyses.size()) + "\n";
    for (const ChangePointAnalysis* pAnalysis : analyses)
        sOut += "\n" + pAnalysis->sCaption.str() + "\n" + ReportText(*pAnalysis);
    return sOut;
}

std::string SessionReportJson(const SessionDocument& document)
{
    const Workbook& workbook = document.workbook();
    std::string sOut = "{\n  \"active_sheet\": " + std::to_string(workbook.activeSheetNumber()) + ",\n";
    sOut += "  \"sheets\": [\n";
    for (std::uint32_t u = 1; u <= workbook.sheetCount(); ++u) {
        const Sheet& sheet = workbook.sheet(u);
        const auto sRange = UsedRange(sheet);
        sOut += "    {\"number\": " + std::to_string(u) + ", \"name\": " + JsonString(sheet.name().view()) +
                ", \"last_used_row\": " + std::to_string(sheet.lastUsedRow()) +
                ", \"last_used_column\": " + std::to_string(sheet.lastUsedColumn()) +
                ", \"used_range\": " + (sRange ? JsonString(*sRange) : std::string("null")) + "}";
        sOut += u < workbook.sheetCount() ? ",\n" : "\n";
    }
    sOut += "  ],\n  \"analyses\": [";
    const std::vector<const ChangePointAnalysis*> analyses = SessionAnalyses(document);
    for (std::size_t i = 0; i < analyses.size(); ++i)
        sOut += (i == 0 ? "\n    " : ",\n    ") + AnalysisJson(*analyses[i], std::nullopt, "    ");
    return sOut + (analyses.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace HalvrennInc

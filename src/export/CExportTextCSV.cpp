#include "export/CExportTextCSV.h"

#include "base/escape.h"

namespace nl {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

CExportTextCSV::CExportTextCSV(const ExportData& data, const ExportContext& context,
                               std::string_view separator)
    : CExportText(data, context), m_separator(separator) {}

void CExportTextCSV::NewParagraph(std::string& out) {
    out += kLineEnd;
}

std::string CExportTextCSV::Escape(std::string_view text) const {
    return EscapeCsv(text, m_separator);
}

void CExportTextCSV::EndHeaderCell(std::string& out, int) {
    out += m_separator;
}

void CExportTextCSV::EndHeaderRow(std::string& out) {
    EndLine(out);
}

void CExportTextCSV::EndCell(std::string& out, int, int) {
    out += m_separator;
}

void CExportTextCSV::EndRow(std::string& out, int) {
    EndLine(out);
}

void CExportTextCSV::EndLine(std::string& out) const {
    if (out.ends_with(m_separator)) out.resize(out.size() - m_separator.size());
    out += kLineEnd;
}

}  // namespace nl

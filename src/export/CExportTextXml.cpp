#include "export/CExportTextXml.h"

#include <array>
#include <cctype>

#include "base/StringTable.h"
#include "base/escape.h"

namespace nl {
namespace {

// The cell element names end with these suffixes, by column.
constexpr std::array<std::string_view, CExportText::kColumns> kColumnSuffixes = {"Num", "Col",
                                                                                 "Loc"};
// The header row is row 0; data row i is row i + 1.
constexpr int kHeaderRowNumber = 0;

std::string_view ColumnSuffix(int col) {
    return col >= 0 && col < CExportText::kColumns ? kColumnSuffixes[static_cast<std::size_t>(col)]
                                                   : std::string_view();
}

std::string ToLowerAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The root element's name: the application name in lower case.
std::string RootName() {
    return ToLowerAscii(LoadString(kIdsAppTitle));
}

void OpenRow(std::string& out, int number) {
    out += "<row" + std::to_string(number) + ">";
}

void CloseRow(std::string& out, int number) {
    out += "</row" + std::to_string(number) + ">";
}

}  // namespace

CExportTextXml::CExportTextXml(const ExportData& data, const ExportContext& context,
                               ExportDestination destination)
    : CExportText(data, context), m_destination(destination) {}

void CExportTextXml::NewParagraph(std::string& out) {
    out += "\r\n";
}

std::string CExportTextXml::Escape(std::string_view text) const {
    return EscapeMarkup(text);
}

void CExportTextXml::Head(std::string& out) {
    out += "<?xml version=\"1.0\" encoding=\"";
    out += m_destination == ExportDestination::kFile ? "UTF-16" : "UTF-8";
    out += "\" ?>\r\n";
    out += "<" + RootName() + " version=\"1.0\">\r\n";
    out += "<title>" + EscapeMarkup(Title()) + "</title>";
}

void CExportTextXml::BeginTable(std::string& out) {
    out += "<table>";
}

bool CExportTextXml::BeginHeader(std::string& out) {
    out += "<header>";
    return true;
}

void CExportTextXml::BeginHeaderRow(std::string& out) {
    OpenRow(out, kHeaderRowNumber);
}

void CExportTextXml::BeginHeaderCell(std::string& out, int col) {
    out += "<col";
    out += ColumnSuffix(col);
    out += ">";
}

void CExportTextXml::EndHeaderCell(std::string& out, int col) {
    out += "</col";
    out += ColumnSuffix(col);
    out += ">";
}

void CExportTextXml::EndHeaderRow(std::string& out) {
    CloseRow(out, kHeaderRowNumber);
}

void CExportTextXml::EndHeader(std::string& out) {
    out += "</header>";
}

void CExportTextXml::BeginBody(std::string& out) {
    out += "<body>";
}

void CExportTextXml::BeginRow(std::string& out, int row) {
    OpenRow(out, row + 1);
}

bool CExportTextXml::BeginCell(std::string& out, int, int col) {
    BeginHeaderCell(out, col);
    return true;
}

void CExportTextXml::EndCell(std::string& out, int, int col) {
    EndHeaderCell(out, col);
}

void CExportTextXml::EndRow(std::string& out, int row) {
    CloseRow(out, row + 1);
}

void CExportTextXml::EndBody(std::string& out) {
    out += "</body>";
}

void CExportTextXml::EndTable(std::string& out) {
    out += "</table>";
}

void CExportTextXml::Tail(std::string& out) {
    out += "</" + RootName() + ">";
}

}  // namespace nl

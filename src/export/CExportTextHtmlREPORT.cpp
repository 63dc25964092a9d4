#include "export/CExportTextHtmlREPORT.h"

namespace nl {
namespace {

// After the last text column comes the color swatch column.
constexpr int kLastTextColumn = CExportText::kColumns - 1;

}  // namespace

void CExportTextHtmlREPORT::BeginTable(std::string& out) {
    out += "<table style=\"border-collapse:";
    out += Context().gridlines ? "separate" : "collapse";
    out += ";\">";
}

bool CExportTextHtmlREPORT::BeginHeader(std::string& out) {
    out += "<thead>";
    return true;
}

void CExportTextHtmlREPORT::EndHeaderCell(std::string& out, int col) {
    out += "</th>";
    if (col == kLastTextColumn) out += "<th></th>";
}

void CExportTextHtmlREPORT::BeginBody(std::string& out) {
    out += "<tbody>";
}

void CExportTextHtmlREPORT::BeginRow(std::string& out, int) {
    out += "<tr>";
}

bool CExportTextHtmlREPORT::BeginCell(std::string& out, int, int) {
    out += "<td>";
    return true;
}

void CExportTextHtmlREPORT::EndCell(std::string& out, int row, int col) {
    out += "</td>";
    if (col == kLastTextColumn) {
        out +=
            "<td class=\"nlztdtile\" style=\"background-color:" + RowHtmlColor(row) + ";\"></td>";
    }
}

void CExportTextHtmlREPORT::EndRow(std::string& out, int) {
    out += "</tr>";
}

void CExportTextHtmlREPORT::EndBody(std::string& out) {
    out += "</tbody>";
}

void CExportTextHtmlREPORT::EndTable(std::string& out) {
    out += "</table>\r\n";
}

}  // namespace nl

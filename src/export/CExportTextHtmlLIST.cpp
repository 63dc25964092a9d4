#include "export/CExportTextHtmlLIST.h"

namespace nl {

bool CExportTextHtmlLIST::BeginHeader(std::string&) {
    return false;
}

void CExportTextHtmlLIST::BeginRow(std::string& out, int) {
    out += "<div class=\"nlzelem\">";
}

bool CExportTextHtmlLIST::BeginCell(std::string& out, int row, int col) {
    // A tile shows only the row number; the color is its background.
    if (col != 0) return false;
    out += "<div class=\"nlztile\" style=\"background-color:" + RowHtmlColor(row) +
           ";\"><div class=\"nlzindex\">";
    return true;
}

void CExportTextHtmlLIST::EndCell(std::string& out, int, int) {
    out += "</div></div>";
}

void CExportTextHtmlLIST::EndRow(std::string& out, int) {
    out += "</div>";
}

}  // namespace nl

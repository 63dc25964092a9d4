#include "export/CExportTextHtml.h"

#include "base/StringTable.h"
#include "base/escape.h"

namespace nl {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

void CExportTextHtml::NewParagraph(std::string& out) {
    out += "<p>&nbsp;</p>\r\n";
}

std::string CExportTextHtml::Escape(std::string_view text) const {
    return EscapeMarkup(text);
}

void CExportTextHtml::Head(std::string& out) {
    const std::string appName = EscapeMarkup(LoadString(kIdsAppTitle));
    // Tiles stand one pixel apart when grid lines are on.
    const std::string margin = Context().gridlines ? "1" : "0";
    out +=
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n";
    out += "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n";
    out += "<head>\r\n";
    out += "<title>" + EscapeMarkup(Title()) + "</title>";
    out += "<meta name=\"description\" content=\"" + appName + " - Color Palette\" />";
    out += "<meta http-equiv=\"Content-Type\" content=\"text/html;charset=utf-8\" />";
    out += "<meta name=\"author\" content=\"" + appName + " - " + EscapeMarkup(kMakerWebAddress) +
           "\" />\r\n";
    out += "<style type=\"text/css\"><!--\r\n";
    out += ".nlz { font-family: Tahoma,Arial,Helvetica; }\r\n";
    out += ".nlzelem {display:inline-block;width:6em;height:4em;text-align:center;;margin-right:" +
           margin + "px;margin-bottom:" + margin + "px;}\r\n";
    out += ".nlztile {display:inline-block;width:100%;height:100%;}\r\n";
    out +=
        ".nlzindex {display:inline-block;margin-top:2.8em;background-color:white;opacity:.5;}"
        "\r\n";
    out += ".nlz table {text-align:left;white-space:nowrap;width:100%;}\r\n";
    out += ".nlz td, .nlz th {padding-right:2em;}\r\n";
    out += ".nlztdtile {width:100%;}\r\n";
    out += "--></style>\r\n";
    out += "</head>\r\n";
    out += "<body>\r\n";
    out += "<div class=\"nlz\">\r\n";
    if (WithHeadAndTail() && !Header().empty()) {
        out += "<h5>" + EscapeMarkup(Header()) + "</h5><hr />\r\n";
    }
    out += "<h1>" + EscapeMarkup(Title()) + "</h1>\r\n";
}

void CExportTextHtml::BeginHeaderRow(std::string& out) {
    out += "<tr>";
}

void CExportTextHtml::BeginHeaderCell(std::string& out, int) {
    out += "<th>";
}

void CExportTextHtml::EndHeaderCell(std::string& out, int) {
    out += "</th>";
}

void CExportTextHtml::EndHeaderRow(std::string& out) {
    out += "</tr>";
}

void CExportTextHtml::EndHeader(std::string& out) {
    out += "</thead>";
}

void CExportTextHtml::Tail(std::string& out) {
    if (WithHeadAndTail() && !Footer().empty()) {
        out += "<hr /><h5>" + EscapeMarkup(Footer()) + "</h5>";
        out += kLineEnd;
    }
    out += "</div>\r\n";
    out += "</body>\r\n";
    out += "</html>\r\n";
}

}  // namespace nl

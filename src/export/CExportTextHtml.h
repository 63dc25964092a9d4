#pragma once
#include <string>

#include "export/CExportText.h"

namespace nl {

// What the two HTML forms share: an XHTML page with a style sheet, the title as heading, the
// header above and the footer below the table. Texts are written as markup-safe text.
class CExportTextHtml : public CExportText {
public:
    // The maker's web address, named in the page's author element.
    static constexpr std::string_view kMakerWebAddress = "https://nerimlens.example/";

    using CExportText::CExportText;

    void NewParagraph(std::string& out) override;
    std::string Escape(std::string_view text) const override;
    void Head(std::string& out) override;
    void BeginHeaderRow(std::string& out) override;
    void BeginHeaderCell(std::string& out, int col) override;
    void EndHeaderCell(std::string& out, int col) override;
    void EndHeaderRow(std::string& out) override;
    void EndHeader(std::string& out) override;
    void Tail(std::string& out) override;
};

}  // namespace nl

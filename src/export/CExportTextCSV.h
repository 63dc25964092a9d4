#pragma once
#include <string>

#include "export/CExportText.h"

namespace nl {

// Delimited text: tab-separated text or CSV with a comma or semicolon. One line per row,
// ended by a carriage return and line feed; no head, tail or export texts.
class CExportTextCSV : public CExportText {
public:
    static constexpr std::string_view kTab = "\t";
    static constexpr std::string_view kComma = ",";
    static constexpr std::string_view kSemicolon = ";";

    CExportTextCSV(const ExportData& data, const ExportContext& context,
                   std::string_view separator);

    const std::string& Separator() const { return m_separator; }

    void NewParagraph(std::string& out) override;
    std::string Escape(std::string_view text) const override;
    void EndHeaderCell(std::string& out, int col) override;
    void EndHeaderRow(std::string& out) override;
    void EndCell(std::string& out, int row, int col) override;
    void EndRow(std::string& out, int row) override;

private:
    // Replaces the separator after the row's last cell by the line end.
    void EndLine(std::string& out) const;

    std::string m_separator;
};

}  // namespace nl

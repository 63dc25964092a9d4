#pragma once
#include "export/CExportText.h"

namespace nl {

// XML: a root element named after the application with the title and the table; header and
// data rows are numbered elements "row0", "row1", ... with the cells "colNum", "colCol" and
// "colLoc". The declaration names the encoding of the destination: UTF-16 for files (written
// as UTF-16LE with a byte-order mark), UTF-8 for the clipboard.
class CExportTextXml : public CExportText {
public:
    CExportTextXml(const ExportData& data, const ExportContext& context,
                   ExportDestination destination);

    void NewParagraph(std::string& out) override;
    std::string Escape(std::string_view text) const override;
    void Head(std::string& out) override;
    void BeginTable(std::string& out) override;
    bool BeginHeader(std::string& out) override;
    void BeginHeaderRow(std::string& out) override;
    void BeginHeaderCell(std::string& out, int col) override;
    void EndHeaderCell(std::string& out, int col) override;
    void EndHeaderRow(std::string& out) override;
    void EndHeader(std::string& out) override;
    void BeginBody(std::string& out) override;
    void BeginRow(std::string& out, int row) override;
    bool BeginCell(std::string& out, int row, int col) override;
    void EndCell(std::string& out, int row, int col) override;
    void EndRow(std::string& out, int row) override;
    void EndBody(std::string& out) override;
    void EndTable(std::string& out) override;
    void Tail(std::string& out) override;

private:
    ExportDestination m_destination;
};

}  // namespace nl

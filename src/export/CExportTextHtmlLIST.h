#pragma once
#include "export/CExportTextHtml.h"

namespace nl {

// The HTML tile list: one colored tile per color with its number, no header row.
class CExportTextHtmlLIST : public CExportTextHtml {
public:
    using CExportTextHtml::CExportTextHtml;

    bool BeginHeader(std::string& out) override;
    void BeginRow(std::string& out, int row) override;
    bool BeginCell(std::string& out, int row, int col) override;
    void EndCell(std::string& out, int row, int col) override;
    void EndRow(std::string& out, int row) override;
};

}  // namespace nl

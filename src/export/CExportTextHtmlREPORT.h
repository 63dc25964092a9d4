#pragma once
#include "export/CExportTextHtml.h"

namespace nl {

// The HTML report: a table with a header row and one row per color, ending with a cell that
// shows the color.
class CExportTextHtmlREPORT : public CExportTextHtml {
public:
    using CExportTextHtml::CExportTextHtml;

    void BeginTable(std::string& out) override;
    bool BeginHeader(std::string& out) override;
    void EndHeaderCell(std::string& out, int col) override;
    void BeginBody(std::string& out) override;
    void BeginRow(std::string& out, int row) override;
    bool BeginCell(std::string& out, int row, int col) override;
    void EndCell(std::string& out, int row, int col) override;
    void EndRow(std::string& out, int row) override;
    void EndBody(std::string& out) override;
    void EndTable(std::string& out) override;
};

}  // namespace nl

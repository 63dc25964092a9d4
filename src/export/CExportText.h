#pragma once
#include <string>
#include <string_view>

#include "export/ExportContext.h"

namespace nl {

// Writes the exported color table. The driver (ExportColors) walks a header row and one row
// per color through these hooks; each form overrides the hooks it needs. The base class
// writes the escaped cell texts and nothing else.
//
// The table has three columns: the row number, the color in the current format and the
// color's screen position in the current unit.
class CExportText {
public:
    static constexpr int kColumns = 3;

    // Keeps references to `data` and `context`, which must outlive the exporter, and expands
    // the tags of the document's title, header and footer.
    CExportText(const ExportData& data, const ExportContext& context);
    virtual ~CExportText() = default;
    CExportText(const CExportText&) = delete;
    CExportText& operator=(const CExportText&) = delete;

    virtual void NewParagraph(std::string& out);
    // `text` prepared for the form.
    virtual std::string Escape(std::string_view text) const;
    virtual void BeginDocument(std::string& out);
    virtual void Head(std::string& out);
    virtual void BeginTable(std::string& out);
    // Whether a header row follows.
    virtual bool BeginHeader(std::string& out);
    virtual void BeginHeaderRow(std::string& out);
    virtual void BeginHeaderCell(std::string& out, int col);
    virtual void WriteHeaderCell(std::string& out, int col, std::string_view text);
    virtual void EndHeaderCell(std::string& out, int col);
    virtual void EndHeaderRow(std::string& out);
    virtual void EndHeader(std::string& out);
    virtual void BeginBody(std::string& out);
    virtual void BeginRow(std::string& out, int row);
    // Whether the cell is written.
    virtual bool BeginCell(std::string& out, int row, int col);
    virtual void WriteCell(std::string& out, int row, int col, std::string_view text);
    virtual void EndCell(std::string& out, int row, int col);
    virtual void EndRow(std::string& out, int row);
    virtual void EndBody(std::string& out);
    virtual void EndTable(std::string& out);
    virtual void Tail(std::string& out);
    virtual void EndDocument(std::string& out);

    // The head and tail are written only while this is set.
    bool WithHeadAndTail() const { return m_withHeadAndTail; }
    void SetWithHeadAndTail(bool on) { m_withHeadAndTail = on; }

    // The export texts with their tags expanded.
    const std::string& Title() const { return m_title; }
    const std::string& Header() const { return m_header; }
    const std::string& Footer() const { return m_footer; }

    int RowCount() const { return static_cast<int>(m_data.colors.size()); }
    // "#", "Color", "Location".
    static std::string_view HeaderText(int col);
    // The row number from 1, the color in the current format, the position in the unit.
    std::string CellText(int row, int col) const;
    // The row's color in the "#HTML" format, for tile styles.
    std::string RowHtmlColor(int row) const;

protected:
    const ExportData& Data() const { return m_data; }
    const ExportContext& Context() const { return m_context; }

private:
    const ExportData& m_data;
    const ExportContext& m_context;
    bool m_withHeadAndTail = true;
    std::string m_title;
    std::string m_header;
    std::string m_footer;
};

// The driver: writes the whole table through the exporter's hooks into `out` (appending).
// The head and tail come only while the exporter's head-and-tail flag is set.
void ExportColors(CExportText& exporter, std::string& out);

// The complete export text as the commands build it: the head, the table with the flag
// cleared, then the tail, so that each is written exactly once.
std::string BuildExportText(CExportText& exporter);

}  // namespace nl

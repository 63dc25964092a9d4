#include "export/CExportText.h"

#include <array>
#include <string>

#include "export/expand_tags.h"
#include "model/CUnitXY.h"
#include "model/CUnitsCol.h"

namespace nl {
namespace {

constexpr std::array<std::string_view, CExportText::kColumns> kHeaderTexts = {"#", "Color",
                                                                              "Location"};
enum Column { kNumberColumn = 0, kColorColumn = 1, kLocationColumn = 2 };

}  // namespace

CExportText::CExportText(const ExportData& data, const ExportContext& context)
    : m_data(data),
      m_context(context),
      m_title(ExpandTags(data.texts[ExportData::kTitle], data, context)),
      m_header(ExpandTags(data.texts[ExportData::kHeader], data, context)),
      m_footer(ExpandTags(data.texts[ExportData::kFooter], data, context)) {}

void CExportText::NewParagraph(std::string&) {}
std::string CExportText::Escape(std::string_view text) const {
    return std::string(text);
}
void CExportText::BeginDocument(std::string&) {}
void CExportText::Head(std::string&) {}
void CExportText::BeginTable(std::string&) {}
bool CExportText::BeginHeader(std::string&) {
    return true;
}
void CExportText::BeginHeaderRow(std::string&) {}
void CExportText::BeginHeaderCell(std::string&, int) {}
void CExportText::WriteHeaderCell(std::string& out, int, std::string_view text) {
    out += Escape(text);
}
void CExportText::EndHeaderCell(std::string&, int) {}
void CExportText::EndHeaderRow(std::string&) {}
void CExportText::EndHeader(std::string&) {}
void CExportText::BeginBody(std::string&) {}
void CExportText::BeginRow(std::string&, int) {}
bool CExportText::BeginCell(std::string&, int, int) {
    return true;
}
void CExportText::WriteCell(std::string& out, int, int, std::string_view text) {
    out += Escape(text);
}
void CExportText::EndCell(std::string&, int, int) {}
void CExportText::EndRow(std::string&, int) {}
void CExportText::EndBody(std::string&) {}
void CExportText::EndTable(std::string&) {}
void CExportText::Tail(std::string&) {}
void CExportText::EndDocument(std::string&) {}

std::string_view CExportText::HeaderText(int col) {
    return col >= 0 && col < kColumns ? kHeaderTexts[static_cast<std::size_t>(col)]
                                      : std::string_view();
}

std::string CExportText::CellText(int row, int col) const {
    const ExportColor& color = m_data.colors.at(static_cast<std::size_t>(row));
    switch (col) {
        case kNumberColumn:
            return std::to_string(row + 1);
        case kColorColumn:
            return m_context.colorFormats->FormatColor(color.color, m_context.colorFormat);
        case kLocationColumn:
            return m_context.unit->FormatPoint(color.position.x, color.position.y);
        default:
            return {};
    }
}

std::string CExportText::RowHtmlColor(int row) const {
    return m_context.colorFormats->FormatColor(
        m_data.colors.at(static_cast<std::size_t>(row)).color, CUnitsCol::kHashHtmlRow);
}

void ExportColors(CExportText& exporter, std::string& out) {
    exporter.BeginDocument(out);
    if (exporter.WithHeadAndTail()) exporter.Head(out);
    exporter.BeginTable(out);
    if (exporter.BeginHeader(out)) {
        exporter.BeginHeaderRow(out);
        for (int col = 0; col < CExportText::kColumns; ++col) {
            exporter.BeginHeaderCell(out, col);
            exporter.WriteHeaderCell(out, col, CExportText::HeaderText(col));
            exporter.EndHeaderCell(out, col);
        }
        exporter.EndHeaderRow(out);
        exporter.EndHeader(out);
    }
    exporter.BeginBody(out);
    const int rows = exporter.RowCount();
    for (int row = 0; row < rows; ++row) {
        exporter.BeginRow(out, row);
        for (int col = 0; col < CExportText::kColumns; ++col) {
            if (!exporter.BeginCell(out, row, col)) continue;
            exporter.WriteCell(out, row, col, exporter.CellText(row, col));
            exporter.EndCell(out, row, col);
        }
        exporter.EndRow(out, row);
    }
    exporter.EndBody(out);
    exporter.EndTable(out);
    if (exporter.WithHeadAndTail()) exporter.Tail(out);
    exporter.EndDocument(out);
}

std::string BuildExportText(CExportText& exporter) {
    std::string out;
    exporter.SetWithHeadAndTail(true);
    exporter.Head(out);
    exporter.SetWithHeadAndTail(false);
    ExportColors(exporter, out);
    exporter.SetWithHeadAndTail(true);
    exporter.Tail(out);
    return out;
}

}  // namespace nl

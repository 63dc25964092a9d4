#include "options/qt/CPPExport.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "document/CColorPicker.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/AppContext.h"
#include "options/option_rules.h"

namespace nl {
namespace {

// The tool tips of the three buttons are the strings of these ids.
constexpr std::uint32_t kTagButtonId = 5508;
constexpr std::uint32_t kClearButtonId = 5522;
constexpr std::uint32_t kResetButtonId = 5523;

// The template fields show this many average characters: the default footer whole.
constexpr int kFieldWidthChars = 56;

QString Text(std::size_t row) {
    return QString::fromStdString(LoadStringRow(kIdsExportPageTexts, row));
}

}  // namespace

CPPExport::CPPExport(AppContext& context, IViewHost& host, QWidget* parent)
    : CPPParent(context, host, parent),
      m_format(new QComboBox(this)),
      m_tagButton(new QPushButton(Text(kTagButton), this)) {
    m_format->setObjectName("clipboardFormat");
    for (std::size_t form = 0; form < kClipboardFormCount; ++form)
        m_format->addItem(Text(kFirstForm + form));
    auto* formatLabel = new QLabel(Text(kClipboard), this);
    formatLabel->setBuddy(m_format);
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(formatLabel);
    formatRow->addWidget(m_format, 1);

    auto* group = new QGroupBox(Text(kTemplates), this);
    auto* fields = new QFormLayout;
    constexpr TextRow kLabels[kTemplateCount] = {kTitle, kHeader, kFooter};
    for (int i = 0; i < kTemplateCount; ++i) {
        auto* field = new QLineEdit(group);
        field->setObjectName(QStringLiteral("template%1").arg(i));
        field->setMaxLength(kMaxExportTextLength);
        field->setMinimumWidth(field->fontMetrics().averageCharWidth() * kFieldWidthChars);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, [this] { OnControlChanged(); });
        m_fields[static_cast<std::size_t>(i)] = field;
        fields->addRow(Text(kLabels[i]), field);
    }
    auto* clear = new QPushButton(Text(kClearButton), group);
    auto* reset = new QPushButton(Text(kResetButton), group);
    m_tagButton->setObjectName("insertTag");
    clear->setObjectName("clearTemplates");
    reset->setObjectName("resetTemplates");
    AddToolTip(m_tagButton, kTagButtonId);
    AddToolTip(clear, kClearButtonId);
    AddToolTip(reset, kResetButtonId);
    connect(m_tagButton, &QPushButton::clicked, this, &CPPExport::ShowTagMenu);
    connect(clear, &QPushButton::clicked, this, &CPPExport::ClearTemplates);
    connect(reset, &QPushButton::clicked, this, &CPPExport::ResetTemplates);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {m_tagButton, clear, reset}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(fields);
    groupLayout->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(formatRow);
    layout->addWidget(group);
    layout->addStretch();
    connect(m_format, &QComboBox::currentIndexChanged, this, [this] { OnControlChanged(); });
}

void CPPExport::LoadData() {
    FillControls([this] {
        m_format->setCurrentIndex(m_context.prefs.Settings().exportOption);
        const CColorPicker& colors = m_context.doc.Colors();
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            m_fields[i]->setText(QString::fromStdString(
                colors.GetExportText(static_cast<CColorPicker::ExportText>(i))));
            m_loaded[i] = m_fields[i]->text();
        }
    });
}

bool CPPExport::SaveData() {
    m_context.prefs.SetExportOption(m_format->currentIndex());
    CColorPicker& colors = m_context.doc.Colors();
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        // A stored template longer than the field stays whole unless the user changed it.
        if (m_fields[i]->text() == m_loaded[i]) continue;
        colors.SetExportText(static_cast<CColorPicker::ExportText>(i),
                             m_fields[i]->text().toStdString());
        m_loaded[i] = m_fields[i]->text();
    }
    m_context.prefs.SetChanged();
    return true;
}

void CPPExport::OnViewNotify(int notification) {
    CPPParent::OnViewNotify(notification);
    if (notification == static_cast<int>(ViewNotify::kDocumentReplaced) && !IsModified())
        LoadData();
}

bool CPPExport::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (QLineEdit* field : m_fields)
            if (watched == field) m_lastField = field;
    }
    return CPPParent::eventFilter(watched, event);
}

void CPPExport::ShowTagMenu() {
    if (!m_lastField) {
        ShowWarning(LoadString(kIdsTagNeedsField));
        return;
    }
    QMenu menu(this);
    const std::vector<std::string> tags = ExportTags();
    for (std::size_t i = 0; i < tags.size(); ++i) {
        QAction* action = menu.addAction(QString::fromStdString(tags[i]));
        action->setData(kMenuChoiceFirst + static_cast<int>(i));
    }
    int chosen = 0;
    connect(&menu, &QMenu::triggered, this,
            [&chosen](QAction* action) { chosen = action->data().toInt(); });
    // The menu's top-right corner at the button's bottom-right corner.
    const QPoint corner = m_tagButton->mapToGlobal(m_tagButton->rect().bottomRight());
    menu.exec(QPoint(corner.x() - menu.sizeHint().width() + 1, corner.y() + 1));
    if (chosen >= kMenuChoiceFirst) InsertTag(chosen - kMenuChoiceFirst);
}

void CPPExport::InsertTag(int index) {
    const std::vector<std::string> tags = ExportTags();
    if (!m_lastField || index < 0 || index >= static_cast<int>(tags.size())) return;
    m_lastField->insert(QString::fromStdString(tags[static_cast<std::size_t>(index)]));
    m_lastField->setFocus();
}

void CPPExport::SetTemplates(const std::array<std::string, kTemplateCount>& texts) {
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setText(QString::fromStdString(texts[i]));
    OnControlChanged();
}

void CPPExport::ClearTemplates() {
    SetTemplates({});
}

void CPPExport::ResetTemplates() {
    SetTemplates(CColorPicker::DefaultExportTexts());
}

}  // namespace nl

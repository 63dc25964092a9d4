#include "contrast/qt/CDlgContrast.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/CSystemError.h"
#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/string_ids.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "framework/CWinState.h"
#include "framework/ViewNotifyHub.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/IViewHost.h"
#include "model/CUnitCol.h"
#include "model/color_input.h"
#include "model/css_color.h"
#include "platform/IClipboard.h"
#include "platform/IDesktop.h"
#include "platform/IDialogs.h"
#include "platform/qt/screen_pixels.h"
#include "ui/qt/CColorTile.h"

namespace nl {
namespace {

// The rows of the window's texts.
enum TextRow : std::size_t {
    kRowText,
    kRowBackground,
    kRowPick,
    kRowFromList,
    kRowSwap,
    kRowLive,
    kRowPointPrompt,
    kRowSampleText,
    kRowSimulations,
    kRowSuggestions,
    kRowUse,
    kRowCopy,
    kRowAddToList,
    kRowUnreachable,
    kRowBadColor,
    kRowCopyReport,
    kRowPickBackground,
    kRowFromListBackground,
};

QString Text(TextRow row) {
    return QString::fromStdString(LoadStringRow(kIdsContrastTexts, row));
}

// A caption without its mnemonic and colon, to use in a sentence: "Text", "Background".
QString PlainText(TextRow row) {
    return Text(row).remove(QLatin1Char('&')).remove(QLatin1Char(':'));
}

// The sample text drawn in the pair's colors at the two sizes the verdicts speak of: body
// text and large text, in device-independent pixels as CSS sizes them.
class CContrastSample : public QWidget {
public:
    static constexpr int kBodyPx = 14;
    static constexpr int kLargePx = 24;

    explicit CContrastSample(QWidget* parent) : QWidget(parent) {
        setMinimumHeight(kBodyPx + kLargePx + 24);
    }
    void SetPair(COLORREF text, COLORREF background, QString sample) {
        m_text = text;
        m_background = background;
        m_sampleText = std::move(sample);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), ToQColor(m_background));
        painter.setPen(ToQColor(m_text));
        QFont font = this->font();
        font.setPixelSize(kBodyPx);
        painter.setFont(font);
        painter.drawText(QRect(8, 6, width() - 16, kBodyPx + 6), Qt::AlignLeft | Qt::AlignVCenter,
                         m_sampleText + QStringLiteral(" (14 px)"));
        font.setPixelSize(kLargePx);
        painter.setFont(font);
        painter.drawText(QRect(8, kBodyPx + 12, width() - 16, kLargePx + 8),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         m_sampleText + QStringLiteral(" (24 px)"));
    }

private:
    COLORREF m_text = 0;
    COLORREF m_background = kRgbMask;
    QString m_sampleText;
};

// "Aa" in a pair of colors, small: one row of the simulations.
class CPairChip : public QWidget {
public:
    explicit CPairChip(QWidget* parent) : QWidget(parent) { setFixedSize(40, 22); }
    void SetPair(COLORREF text, COLORREF background) {
        m_text = text;
        m_background = background;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), ToQColor(m_background));
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setPen(ToQColor(m_text));
        QFont font = this->font();
        font.setPixelSize(14);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Aa"));
    }

private:
    COLORREF m_text = 0;
    COLORREF m_background = kRgbMask;
};

QString Hex(COLORREF color) {
    return QString::fromStdString(HashColor(color));
}

void ClearLayout(QGridLayout& grid) {
    while (QLayoutItem* item = grid.takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

}  // namespace

CDlgContrast::CDlgContrast(AppContext& context, IViewHost* host, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_context(context),
      m_host(host),
      m_setting(StoredContrast(context.prefs)) {
    setWindowTitle(QString::fromUtf8(kTitle));
    setObjectName(QStringLiteral("contrastWindow"));
    auto* layout = new QVBoxLayout(this);

    auto* colors = new QGridLayout;
    BuildRow(*colors, 0, Target::kText, Text(kRowText));
    BuildRow(*colors, 1, Target::kBackground, Text(kRowBackground));
    layout->addLayout(colors);

    auto* options = new QHBoxLayout;
    m_swap = new QPushButton(Text(kRowSwap), this);
    m_swap->setObjectName(QStringLiteral("contrastSwap"));
    connect(m_swap, &QPushButton::clicked, this, [this] { Swap(); });
    m_live = new QCheckBox(Text(kRowLive), this);
    m_live->setObjectName(QStringLiteral("contrastLive"));
    m_live->setChecked(m_setting.live);
    connect(m_live, &QCheckBox::toggled, this, [this](bool on) { SetLive(on); });
    auto* copyReport = new QPushButton(Text(kRowCopyReport), this);
    copyReport->setObjectName(QStringLiteral("contrastCopyReport"));
    copyReport->setAutoDefault(false);
    connect(copyReport, &QPushButton::clicked, this, [this] { CopyReport(); });
    options->addWidget(m_swap);
    options->addWidget(m_live, 1);
    options->addWidget(copyReport);
    layout->addLayout(options);

    m_prompt = new QLabel(this);
    m_prompt->setObjectName(QStringLiteral("contrastPrompt"));
    m_prompt->setWordWrap(true);
    m_prompt->hide();
    layout->addWidget(m_prompt);

    auto* figures = new QHBoxLayout;
    m_ratio = new QLabel(this);
    m_ratio->setObjectName(QStringLiteral("contrastRatio"));
    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 2.4);
    big.setBold(true);
    m_ratio->setFont(big);
    m_ratio->setTextInteractionFlags(Qt::TextSelectableByMouse);
    figures->addWidget(m_ratio);
    m_lc = new QLabel(this);
    m_lc->setObjectName(QStringLiteral("contrastLc"));
    m_lc->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lc->setWordWrap(true);
    figures->addWidget(m_lc, 1);
    layout->addLayout(figures);

    auto* verdicts = new QGridLayout;
    for (int i = 0; i < 5; ++i) {
        auto* badge = new QLabel(this);
        badge->setObjectName(QStringLiteral("contrastVerdict%1").arg(i));
        badge->setAlignment(Qt::AlignCenter);
        badge->setMargin(3);
        badge->setAutoFillBackground(true);
        verdicts->addWidget(badge, i / 3, i % 3);
        m_verdicts.push_back(badge);
    }
    layout->addLayout(verdicts);

    m_sample = new CContrastSample(this);
    m_sample->setObjectName(QStringLiteral("contrastSample"));
    layout->addWidget(m_sample);

    auto* simulations = new QGroupBox(Text(kRowSimulations), this);
    m_simulations = new QGridLayout(simulations);
    layout->addWidget(simulations);

    m_suggestionBox = new QGroupBox(Text(kRowSuggestions), this);
    m_suggestionBox->setObjectName(QStringLiteral("contrastSuggestions"));
    m_suggestions = new QGridLayout(m_suggestionBox);
    layout->addWidget(m_suggestionBox);
    layout->addStretch(1);

    // Where it was last, kept on the screen; centered the first time.
    CWinState record;
    if (m_setting.placement) record.Placement() = WindowPlacement::Normal(*m_setting.placement);
    const std::vector<MonitorInfo> monitors = m_context.desktop.Monitors();
    const RestoreResult where =
        RestoreRect(record, DeviceRect(QRect(QPoint(), sizeHint())), RestoreMode::kMoveAndSize,
                    monitors, m_context.desktop.VirtualScreen());
    setGeometry(LogicalRect(where.rect));

    m_context.notify.Register(this);
    // The list says which color it has selected.
    m_context.notify.Send(ViewNotify::kColorSelectionWanted);
    Refresh();
}

CDlgContrast::~CDlgContrast() {
    m_context.notify.Unregister(this);
}

void CDlgContrast::BuildRow(QGridLayout& grid, int row, Target target, const QString& caption) {
    ColorRow& r = RowOf(target);
    const QString which =
        target == Target::kText ? QStringLiteral("Text") : QStringLiteral("Background");
    auto* label = new QLabel(caption, this);
    grid.addWidget(label, row, 0);
    r.tile = new CColorTile(this);
    r.tile->setFixedSize(28, 22);
    grid.addWidget(r.tile, row, 1);
    r.edit = new QLineEdit(this);
    r.edit->setObjectName(QStringLiteral("contrast%1Edit").arg(which));
    r.edit->setMinimumWidth(150);
    connect(r.edit, &QLineEdit::textEdited, this, [this, target] { ReadTyped(target, false); });
    connect(r.edit, &QLineEdit::editingFinished, this, [this, target] { ReadTyped(target, true); });
    label->setBuddy(r.edit);
    grid.addWidget(r.edit, row, 2);
    r.name = new QLabel(this);
    r.name->setObjectName(QStringLiteral("contrast%1Name").arg(which));
    r.name->setMinimumWidth(110);
    grid.addWidget(r.name, row, 3);
    const bool text = target == Target::kText;
    r.pick = new QPushButton(Text(text ? kRowPick : kRowPickBackground), this);
    r.pick->setObjectName(QStringLiteral("contrastPick%1").arg(which));
    r.pick->setAutoDefault(false);
    connect(r.pick, &QPushButton::clicked, this, [this, target] { PickInto(target); });
    grid.addWidget(r.pick, row, 4);
    r.fromList = new QPushButton(Text(text ? kRowFromList : kRowFromListBackground), this);
    r.fromList->setObjectName(QStringLiteral("contrastFromList%1").arg(which));
    r.fromList->setAutoDefault(false);
    connect(r.fromList, &QPushButton::clicked, this, [this, target] { TakeFromList(target); });
    grid.addWidget(r.fromList, row, 5);
    grid.setColumnStretch(2, 1);
}

void CDlgContrast::SetColor(Target target, COLORREF color) {
    color &= kRgbMask;
    (target == Target::kText ? m_setting.text : m_setting.background) = color;
    Refresh();
}

void CDlgContrast::Swap() {
    std::swap(m_setting.text, m_setting.background);
    Refresh();
}

void CDlgContrast::SetLive(bool live) {
    m_setting.live = live;
    if (m_live->isChecked() != live) m_live->setChecked(live);
    if (live && !m_context.prefs.Settings().PickingStarted() && m_host)
        m_host->ExecuteCommand(cmd::kResumePicking);
}

void CDlgContrast::PickInto(Target target) {
    m_armed = target;
    SetPrompt(Text(kRowPointPrompt)
                  .arg(PlainText(target == Target::kText ? kRowText : kRowBackground).toLower()));
    if (!m_context.prefs.Settings().PickingStarted() && m_host)
        m_host->ExecuteCommand(cmd::kResumePicking);
    // Enter and Esc come here while the window waits for the pick.
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

bool CDlgContrast::TakeFromList(Target target) {
    const CColorPicker& colors = m_context.doc.Colors();
    if (m_selectedColor < 0 || m_selectedColor >= colors.GetCount()) return false;
    SetColor(target, colors.GetAt(m_selectedColor).Color());
    return true;
}

void CDlgContrast::ReadTyped(Target target, bool final) {
    ColorRow& row = RowOf(target);
    std::string why;
    const auto color = ReadColorInput(row.edit->text().toStdString(), &why);
    if (color) {
        const COLORREF current = target == Target::kText ? m_setting.text : m_setting.background;
        if (color->color != current) {
            (target == Target::kText ? m_setting.text : m_setting.background) = color->color;
            // While typing, the text stays as the user writes it.
            const QString typed = row.edit->text();
            Refresh();
            if (!final) row.edit->setText(typed);
        } else if (final) {
            Refresh();
        }
        SetPrompt(QString());
        return;
    }
    if (!final) return;
    SetPrompt(Text(kRowBadColor)
                  .arg(row.edit->text(),
                       QString::fromStdString(why.empty() ? std::string(kColorInputForms) : why)));
}

void CDlgContrast::SetPrompt(const QString& text) {
    m_prompt->setText(text);
    m_prompt->setVisible(!text.isEmpty());
}

void CDlgContrast::Refresh() {
    m_report = MakeContrastReport(m_setting.text, m_setting.background);
    for (const Target target : {Target::kText, Target::kBackground}) {
        ColorRow& row = RowOf(target);
        const COLORREF color = target == Target::kText ? m_report.text : m_report.background;
        row.tile->SetColor(color);
        if (!row.edit->hasFocus()) row.edit->setText(Hex(color));
        row.name->setText(QString::fromStdString(CssNameText(color)));
        row.fromList->setEnabled(m_selectedColor >= 0 &&
                                 m_selectedColor < m_context.doc.Colors().GetCount());
    }
    m_ratio->setText(QString::fromStdString(m_report.ratioText));
    m_lc->setText(QStringLiteral("APCA %1\n%2")
                      .arg(QString::fromStdString(m_report.lcText),
                           QString::fromStdString(m_report.levelText)));
    for (std::size_t i = 0; i < m_verdicts.size() && i < m_report.verdicts.size(); ++i) {
        const ContrastReport::Verdict& v = m_report.verdicts[i];
        QLabel* badge = m_verdicts[i];
        // A mark besides the color, so that the verdict does not rest on color alone.
        badge->setText(QStringLiteral("%1 %2 (%3:1)")
                           .arg(v.pass ? QStringLiteral("\u2713") : QStringLiteral("\u2717"),
                                QString::fromStdString(v.name), QString::number(v.threshold)));
        QPalette palette = badge->palette();
        palette.setColor(QPalette::Window,
                         v.pass ? QColor(0xD7, 0xF0, 0xDB) : QColor(0xF8, 0xD7, 0xDA));
        palette.setColor(QPalette::WindowText,
                         v.pass ? QColor(0x14, 0x53, 0x22) : QColor(0x72, 0x1C, 0x24));
        badge->setPalette(palette);
    }
    static_cast<CContrastSample*>(m_sample)->SetPair(m_report.text, m_report.background,
                                                     Text(kRowSampleText));

    ClearLayout(*m_simulations);
    int row = 0;
    for (const ContrastReport::Simulated& s : m_report.simulations) {
        auto* chip = new CPairChip(m_simulations->parentWidget());
        chip->SetPair(s.text, s.background);
        m_simulations->addWidget(chip, row, 0);
        m_simulations->addWidget(new QLabel(QString::fromStdString(s.name)), row, 1);
        auto* ratio = new QLabel(QString::fromStdString(s.ratio) +
                                 (s.aaNormal ? QString() : QStringLiteral("  \u2717 AA")));
        ratio->setObjectName(QStringLiteral("contrastSimulated%1").arg(static_cast<int>(s.vision)));
        m_simulations->addWidget(ratio, row, 2);
        ++row;
    }
    m_simulations->setColumnStretch(1, 1);

    ClearLayout(*m_suggestions);
    row = 0;
    for (const ContrastReport::Suggestion& s : m_report.suggestions) {
        const Target target = s.movesText ? Target::kText : Target::kBackground;
        m_suggestions->addWidget(new QLabel(QStringLiteral("%1 %2").arg(
                                     QString::fromStdString(s.level),
                                     PlainText(s.movesText ? kRowText : kRowBackground))),
                                 row, 0);
        if (!s.color) {
            m_suggestions->addWidget(
                new QLabel(Text(kRowUnreachable).arg(QString::fromStdString(s.level))), row, 1);
        } else {
            auto* button = new QToolButton(m_suggestionBox);
            button->setObjectName(
                QStringLiteral("contrastSuggest%1%2")
                    .arg(QString::fromStdString(s.level),
                         s.movesText ? QStringLiteral("Text") : QStringLiteral("Background")));
            QPixmap swatch(16, 16);
            swatch.fill(ToQColor(*s.color));
            button->setIcon(QIcon(swatch));
            button->setText(Hex(*s.color));
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            const COLORREF color = *s.color;
            connect(button, &QToolButton::clicked, this,
                    [this, button, color, target] { ShowSuggestionMenu(button, color, target); });
            m_suggestions->addWidget(button, row, 1);
        }
        ++row;
    }
    m_suggestions->setColumnStretch(2, 1);
    m_suggestionBox->setVisible(!m_report.suggestions.empty());
}

void CDlgContrast::ShowSuggestionMenu(QToolButton* button, COLORREF color, Target target) {
    QMenu menu(this);
    QAction* use = menu.addAction(Text(kRowUse));
    QAction* copy = menu.addAction(Text(kRowCopy));
    QAction* add = menu.addAction(Text(kRowAddToList));
    const QAction* chosen = menu.exec(button->mapToGlobal(QPoint(0, button->height())));
    if (chosen == use) {
        SetColor(target, color);
    } else if (chosen == copy) {
        const CUnitCol* format = m_context.prefs.CurrentColorFormat();
        m_context.clipboard.SetText(format ? format->FormatColor(color) : HashColor(color));
    } else if (chosen == add) {
        CColorPicker& colors = m_context.doc.Colors();
        CColPick record(CColPick::StampNow(m_context.clock));
        record.SetVersion(1);
        record.SetColor(color);
        record.SetFirstColor(color);
        record.SetSourceTitle(CColPick::kDesktopTitle);
        colors.InsertColor(colors.GetCount(), record);
    }
}

std::string CDlgContrast::ReportText() const {
    return "Text\t" + HashColor(m_report.text) + "\nBackground\t" + HashColor(m_report.background) +
           "\n" + ContrastFiguresText(m_report);
}

void CDlgContrast::CopyReport() {
    if (const std::uint32_t error = m_context.clipboard.SetText(ReportText()))
        m_context.dialogs.MessageBox(FormatSystemError(error), LoadString(kIdsAppTitle),
                                     MsgButtons::kOk, MsgIcon::kError);
}

void CDlgContrast::OnViewNotify(ViewNotify type, std::intptr_t argument) {
    switch (type) {
        case ViewNotify::kColorInserted:
            if (m_armed) {
                const CColorPicker& colors = m_context.doc.Colors();
                const int index = static_cast<int>(argument);
                if (index >= 0 && index < colors.GetCount()) {
                    const Target target = *m_armed;
                    m_armed.reset();
                    SetPrompt(QString());
                    SetColor(target, colors.GetAt(index).Color());
                }
            }
            break;
        case ViewNotify::kTimerTick:
            if (m_setting.live && !m_armed && m_context.prefs.Settings().PickingStarted()) {
                const COLORREF sample = m_context.doc.Colors().Sample().Color();
                if (sample != kNoColor && (sample & kRgbMask) != m_setting.text)
                    SetColor(Target::kText, sample);
            }
            break;
        case ViewNotify::kColorSelected:
            m_selectedColor = static_cast<int>(argument);
            Refresh();
            break;
        case ViewNotify::kColorRemoved:
        case ViewNotify::kAllColorsRemoved:
        case ViewNotify::kDocumentReplaced:
            Refresh();
            break;
        case ViewNotify::kSaveState:
            SaveState();
            break;
        default:
            break;
    }
}

void CDlgContrast::keyPressEvent(QKeyEvent* event) {
    if (m_armed && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // The pick at the pointer, as the pick key makes it anywhere else.
        if (m_host) m_host->ExecuteCommand(cmd::kPick);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        if (m_armed) {
            m_armed.reset();
            SetPrompt(QString());
        } else {
            close();
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

void CDlgContrast::SaveState() {
    if (isVisible()) m_setting.placement = DeviceRect(geometry());
    StoreContrast(m_context.prefs, m_setting);
}

void CDlgContrast::closeEvent(QCloseEvent* event) {
    SaveState();
    event->accept();
}

}  // namespace nl

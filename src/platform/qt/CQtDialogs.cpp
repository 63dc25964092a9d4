#include "platform/qt/CQtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

#include "platform/qt/qt_convert.h"

namespace nl {

namespace {

QWidget* ActiveParent() {
    return QApplication::activeWindow();
}

QMessageBox::Icon QtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::kNone:
            return QMessageBox::NoIcon;
        case MsgIcon::kInformation:
            return QMessageBox::Information;
        case MsgIcon::kQuestion:
            return QMessageBox::Question;
        case MsgIcon::kWarning:
            return QMessageBox::Warning;
        case MsgIcon::kError:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MsgAnswer CQtDialogs::MessageBox(const std::string& text, const std::string& caption,
                                 MsgButtons buttons, MsgIcon icon) {
    QMessageBox box(QtIcon(icon), ToQt(caption), RichMessageText(ToQt(text)), QMessageBox::NoButton,
                    ActiveParent());
    box.setTextFormat(Qt::RichText);
    QMessageBox::StandardButtons standard;
    QMessageBox::StandardButton escape = QMessageBox::Cancel;
    switch (buttons) {
        case MsgButtons::kOk:
            standard = QMessageBox::Ok;
            escape = QMessageBox::Ok;
            break;
        case MsgButtons::kOkCancel:
            standard = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case MsgButtons::kYesNo:
            standard = QMessageBox::Yes | QMessageBox::No;
            escape = QMessageBox::No;
            break;
        case MsgButtons::kYesNoCancel:
            standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            break;
    }
    box.setStandardButtons(standard);
    box.setEscapeButton(escape);
    box.setDefaultButton(buttons == MsgButtons::kYesNo || buttons == MsgButtons::kYesNoCancel
                             ? QMessageBox::Yes
                             : QMessageBox::Ok);
    switch (box.exec()) {
        case QMessageBox::Ok:
            return MsgAnswer::kOk;
        case QMessageBox::Yes:
            return MsgAnswer::kYes;
        case QMessageBox::No:
            return MsgAnswer::kNo;
        default:
            // Closing the box: Cancel where there is one, else No (or OK for a lone OK).
            if (buttons == MsgButtons::kYesNo) return MsgAnswer::kNo;
            if (buttons == MsgButtons::kOk) return MsgAnswer::kOk;
            return MsgAnswer::kCancel;
    }
}

std::optional<std::size_t> CQtDialogs::Choose(const std::string& text, const std::string& caption,
                                              const std::vector<std::string>& choices,
                                              MsgIcon icon) {
    QMessageBox box(QtIcon(icon), ToQt(caption), RichMessageText(ToQt(text)), QMessageBox::NoButton,
                    ActiveParent());
    box.setTextFormat(Qt::RichText);
    std::vector<QAbstractButton*> buttons;
    for (const std::string& choice : choices)
        buttons.push_back(box.addButton(ToQt(choice), QMessageBox::AcceptRole));
    box.setEscapeButton(box.addButton(QMessageBox::Cancel));
    if (!buttons.empty()) box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    if (chosen == buttons.end()) return std::nullopt;
    return static_cast<std::size_t>(chosen - buttons.begin());
}

QString CQtDialogs::RichMessageText(const QString& text) {
    QString html;
    for (const QString& line : text.split(u'\n')) {
        qsizetype tabs = 0;
        while (tabs < line.size() && line[tabs] == u'\t') ++tabs;
        const QString body = line.mid(tabs).toHtmlEscaped();
        // Qt's rich text drops an empty paragraph; a non-breaking space keeps the blank line.
        html += QStringLiteral("<p style=\"margin:0; margin-left:%1px\">%2</p>")
                    .arg(tabs * kTabIndentPixels)
                    .arg(body.isEmpty() ? QStringLiteral("&nbsp;") : body);
    }
    return html;
}

QStringList CQtDialogs::QtFilters(const std::string& filter) {
    const QStringList parts = ToQt(filter).split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (name.isEmpty() && patterns.isEmpty()) break;
        patterns.replace(';', ' ');
        // A name that already shows its patterns keeps them; Qt reads the parenthesis.
        if (name.contains('(') && name.endsWith(')'))
            out << name.left(name.lastIndexOf('(')).trimmed() + " (" + patterns + ")";
        else
            out << (name.isEmpty() ? patterns : name) + " (" + patterns + ")";
    }
    return out;
}

QString CQtDialogs::SuffixOf(const QString& qtFilter, const QString& fallback) {
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\s*\\*\\.([^\\s*?;)]+)"));
    const QRegularExpressionMatch match = firstPattern.match(qtFilter);
    return match.hasMatch() ? match.captured(1) : fallback;
}

std::optional<std::string> CQtDialogs::SaveFileDialog(const FileDialogRequest& request) {
    return RunFileDialog(request, FileDialogKind::kSave);
}

std::optional<std::string> CQtDialogs::OpenFileDialog(const FileDialogRequest& request) {
    return RunFileDialog(request, FileDialogKind::kOpen);
}

std::optional<std::string> CQtDialogs::RunFileDialog(const FileDialogRequest& request,
                                                     FileDialogKind kind) {
    QFileDialog dialog(ActiveParent());
    const QStringList filters = QtFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.initialFolder.empty()) dialog.setDirectory(ToQt(request.initialFolder));
    if (!request.fileName.empty()) dialog.selectFile(ToQt(request.fileName));
    if (kind == FileDialogKind::kSave) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // A name typed without an extension gets the one of the chosen filter.
        const QString fallback = ToQt(request.defaultExtension);
        dialog.setDefaultSuffix(filters.isEmpty() ? fallback : SuffixOf(filters.first(), fallback));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, fallback](const QString& chosen) {
                             dialog.setDefaultSuffix(SuffixOf(chosen, fallback));
                         });
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.first().toStdString();
}

}  // namespace nl

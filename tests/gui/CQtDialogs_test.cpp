#include "platform/qt/CQtDialogs.h"

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

#include "base/StringTable.h"
#include "base/string_ids.h"

namespace nl {
namespace {

// A settings path long enough to wrap several times in a message box.
constexpr const char* kLongPath =
    "/home/someone/.config/Nerim Rirideviz/NerimLens/a folder with a long name/"
    "another folder with a long name/and yet another folder/NerimLens settings.conf";
// A width that makes the path wrap.
constexpr int kNarrowWidth = 260;

// The left edges of the lines of the paragraphs holding `needle`, with `text` laid
// out as a message box label lays it out at `width`.
std::vector<qreal> LineStartsOf(const QString& text, const QString& needle, int width) {
    QTextDocument document;
    if (Qt::mightBeRichText(text))
        document.setHtml(text);
    else
        document.setPlainText(text);
    document.setTextWidth(width);
    std::vector<qreal> starts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!block.text().contains(needle)) continue;
        const QRectF box = document.documentLayout()->blockBoundingRect(block);
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i)
            starts.push_back(box.left() + layout->lineAt(i).naturalTextRect().left());
    }
    return starts;
}

TEST(QtDialogsTest, AWrappedPathKeepsItsIndentOnEveryLine) {
    const std::string message = FormatString(kIdsReadErrorAsk, {kLongPath, "Bad format."});
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        shown = label->text();
        box->done(QMessageBox::Cancel);
    });
    CQtDialogs dialogs;
    dialogs.MessageBox(message, "NerimLens", MsgButtons::kOkCancel, MsgIcon::kWarning);
    ASSERT_FALSE(shown.isEmpty());

    const std::vector<qreal> starts = LineStartsOf(shown, kLongPath, kNarrowWidth);
    ASSERT_GE(starts.size(), 2u) << "the path should wrap";
    for (const qreal x : starts) EXPECT_GE(x, CQtDialogs::kTabIndentPixels);
}

TEST(QtDialogsTest, RichMessageTextKeepsLinesIndentsAndMarkup) {
    struct Case {
        const char* text;
        std::vector<std::pair<int, QString>> paragraphs;  // indent in tabs, text
    };
    const Case cases[] = {
        {"One\n\n\tTwo", {{0, "One"}, {0, QString(QChar(0xA0))}, {1, "Two"}}},
        {"\t\t<b>&", {{2, "<b>&"}}},
        {"", {{0, QString(QChar(0xA0))}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QTextDocument document;
        document.setHtml(CQtDialogs::RichMessageText(QString::fromUtf8(c.text)));
        std::vector<std::pair<int, QString>> paragraphs;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            paragraphs.emplace_back(
                static_cast<int>(block.blockFormat().leftMargin()) / CQtDialogs::kTabIndentPixels,
                block.text());
        EXPECT_EQ(paragraphs, c.paragraphs);
    }
}

}  // namespace
}  // namespace nl

// The Screen Copier in the main window: the captured-image view fitted and at natural size,
// its commands' enabling, and the capture overlay fed with mouse and key events on the
// fake desktop, finishing or aborting.
#include "capture/qt/CViewCap.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "app/qt/CMainFrame.h"
#include "base/command_ids.h"
#include "capture/qt/CViewTBCap.h"
#include "gui_test_support.h"

namespace nl {
namespace {

using test::FrameRig;

constexpr COLORREF kPaint = MakeRgb(10, 20, 30);

struct CapRig : FrameRig {
    CapRig() {
        prefs.SetActiveTool(AppSettings::kToolScreenCopier);
        // The main window leaves the screen while a capture is open.
        prefs.SetOptions(OptionWord::kScreenCopier, 0);
        desktop.FillRect({100, 100, 300, 200}, kPaint);
        MakeFrame();
        frame->resize(400, 500);
        frame->ShowAtStartup();
        Toolbar()->SetBackdrop(OverlayBackdrop::kSnapshot);
    }
    CViewCap* View() const { return dynamic_cast<CViewCap*>(frame->MainView()); }
    CViewTBCap* Toolbar() const { return dynamic_cast<CViewTBCap*>(frame->ToolbarView()); }
    void SetImage(int width, int height) {
        capturedImage.Set(
            {width, height, nl::PixelVector(static_cast<std::size_t>(width * height))});
    }
    bool Enabled(int id) { return frame->UpdateCommand(id).Enabled(); }
};

TEST(CViewCapTest, FitsOrShowsTheImageAtNaturalSize) {
    struct Case {
        Size image;
        bool fit;
        QRect drawn;
        bool scrolls;
    };
    const Case cases[] = {
        {{100, 50}, true, {0, 100, 400, 200}, false},     // enlarged to the width, centred
        {{100, 50}, false, {0, 0, 100, 50}, false},       // one to one
        {{2000, 1500}, false, {0, 0, 2000, 1500}, true},  // larger than the view: scroll bars
        {{2000, 1500}, true, {0, 50, 400, 300}, false},   // reduced, no scroll bars
    };
    for (const Case& c : cases) {
        CapRig rig;
        ASSERT_NE(rig.View(), nullptr);
        rig.prefs.SetOptions(OptionWord::kScreenCopier, c.fit ? AppSettings::kCopierFitImages : 0);
        rig.SetImage(c.image.cx, c.image.cy);
        rig.View()->resize(400 + 2 * rig.View()->frameWidth(), 400 + 2 * rig.View()->frameWidth());
        EXPECT_EQ(rig.View()->ImageRect(), c.drawn) << c.image.cx;
        EXPECT_EQ(rig.View()->horizontalScrollBar()->maximum() > 0, c.scrolls) << c.image.cx;
        EXPECT_EQ(rig.View()->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff, c.fit);
    }
}

TEST(CViewCapTest, FitToWindowRemovesAndRestoresTheScrollBars) {
    CapRig rig;
    rig.SetImage(2000, 1500);
    EXPECT_GT(rig.View()->verticalScrollBar()->maximum(), 0);
    rig.frame->ExecuteCommand(cmd::kFitToWindow);
    EXPECT_TRUE(rig.View()->IsFitted());
    EXPECT_EQ(rig.View()->verticalScrollBar()->maximum(), 0);
    rig.frame->ExecuteCommand(cmd::kFitToWindow);
    EXPECT_GT(rig.View()->verticalScrollBar()->maximum(), 0);

    // A wheel notch scrolls three lines of 20 pixels, as scrolled views do; not 3 pixels.
    rig.View()->show();
    QWheelEvent notch(QPointF(50, 50), QPointF(50, 50), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(rig.View()->viewport(), &notch);
    EXPECT_EQ(rig.View()->verticalScrollBar()->value(), 3 * CViewCap::kScrollLine);
}

TEST(CViewCapTest, ImageCommandsNeedAnImage) {
    CapRig rig;
    for (int id : {cmd::kEditCopy, cmd::kEditDelete}) EXPECT_FALSE(rig.Enabled(id)) << id;
    rig.SetImage(30, 20);
    for (int id : {cmd::kEditCopy, cmd::kEditDelete}) EXPECT_TRUE(rig.Enabled(id)) << id;
    rig.frame->ExecuteCommand(cmd::kEditCopy);
    ASSERT_TRUE(rig.clipboard.Image().has_value());
    EXPECT_EQ(rig.clipboard.Image()->width, 30);
    rig.frame->ExecuteCommand(cmd::kEditDelete);
    EXPECT_FALSE(rig.capturedImage.HasImage());
    EXPECT_TRUE(rig.View()->ImageRect().isEmpty());
}

TEST(CViewCapTest, DragCopiesTheRectangleAndRestoresTheWindow) {
    CapRig rig;
    rig.frame->ExecuteCommand(cmd::kCaptureRectangle);
    CCaptureWnd* window = rig.Toolbar()->CaptureWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(rig.frame->isVisible());
    EXPECT_FALSE(rig.Enabled(cmd::kCaptureEllipse));
    // Shift and Ctrl alone do not abort.
    QTest::keyClick(window, Qt::Key_Shift);
    QTest::keyClick(window, Qt::Key_Control);
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(110, 110));
    QTest::mouseMove(window, QPoint(150, 140));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(159, 149));
    EXPECT_EQ(rig.Toolbar()->CaptureWindow(), nullptr);
    EXPECT_TRUE(rig.frame->isVisible());
    ASSERT_TRUE(rig.capturedImage.HasImage());
    EXPECT_EQ(rig.capturedImage.Image().width, 50);
    EXPECT_EQ(rig.capturedImage.Image().height, 40);
    EXPECT_EQ(rig.capturedImage.Image().pixels[0] & 0xFFFFFF, 0x0A141Eu);  // kPaint as 0xRRGGBB
    EXPECT_FALSE(rig.View()->ImageRect().isEmpty());
}

TEST(CViewCapTest, EveryAbortEndsTheCaptureWithItsReport) {
    struct Case {
        const char* name;
        std::function<void(CapRig&, CCaptureWnd*)> abort;
    };
    const Case cases[] = {
        {"right button",
         [](CapRig&, CCaptureWnd* w) {
             QTest::mouseClick(w, Qt::RightButton, {}, {5, 5});
         }},
        {"letter key", [](CapRig&, CCaptureWnd* w) { QTest::keyClick(w, Qt::Key_A); }},
        {"Esc command", [](CapRig& rig, CCaptureWnd*) { rig.frame->ExecuteCommand(cmd::kEscape); }},
    };
    for (const Case& c : cases) {
        CapRig rig;
        rig.frame->ExecuteCommand(cmd::kCaptureRectangle);
        CCaptureWnd* window = rig.Toolbar()->CaptureWindow();
        ASSERT_NE(window, nullptr) << c.name;
        QTest::mousePress(window, Qt::LeftButton, {}, QPoint(110, 110));
        c.abort(rig, window);
        EXPECT_EQ(rig.Toolbar()->CaptureWindow(), nullptr) << c.name;
        EXPECT_TRUE(rig.frame->isVisible()) << c.name;
        EXPECT_FALSE(rig.capturedImage.HasImage()) << c.name;
        // Reported once the overlay's event is over.
        QCoreApplication::processEvents();
        ASSERT_EQ(rig.dialogs.Messages().size(), 1u) << c.name;
        EXPECT_NE(rig.dialogs.Messages()[0].text.find("1235"), std::string::npos) << c.name;
    }
}

TEST(CViewCapTest, AnOpenCaptureEndsWithItsWindow) {
    CapRig rig;
    rig.frame->ExecuteCommand(cmd::kCaptureRectangle);
    QPointer<CCaptureWnd> window = rig.Toolbar()->CaptureWindow();
    ASSERT_NE(window, nullptr);
    rig.frame.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(COverlayWnd::Current(), nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(rig.dialogs.Messages().empty());
}

}  // namespace
}  // namespace nl

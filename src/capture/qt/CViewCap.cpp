#include "capture/qt/CViewCap.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "capture/CCapturedImageStore.h"
#include "capture/captured_image.h"
#include "capture/qt/CViewTBCap.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/CCommandBinder.h"
#include "framework/qt/IViewHost.h"
#include "framework/qt/view_notifications.h"
#include "platform/IClipboard.h"
#include "platform/qt/qt_image.h"

namespace nl {

CViewCap::CViewCap(AppContext& context, IViewHost& host, QWidget* parent)
    : QAbstractScrollArea(parent), m_context(context), m_host(host) {
    m_notifications = SubscribeView(context.notify, *this, *this);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);

    const auto hasImage = [this](CCmdUI& ui) { ui.Enable(m_context.capturedImage.HasImage()); };
    AddCommand(cmd::kEditCopy, [this] { Copy(); });
    AddUpdate(cmd::kEditCopy, hasImage);
    AddCommand(cmd::kEditDelete, [this] { m_context.capturedImage.Clear(); });
    AddUpdate(cmd::kEditDelete, hasImage);
    AddCommand(cmd::kFitToWindow, [this] {
        m_context.prefs.ToggleOption(OptionWord::kScreenCopier, AppSettings::kCopierFitImages);
        LayOut();
    });
    AddUpdate(cmd::kIndicatorHint, [this](CCmdUI& ui) {
        const bool started = m_context.prefs.Settings().PickingStarted();
        const CCapture* open = m_toolbar ? m_toolbar->OpenCapture() : nullptr;
        if (const std::uint32_t id = CapturePromptId(started, open)) ui.SetText(LoadString(id));
    });
    LayOut();
}

bool CViewCap::IsFitted() const {
    return m_context.prefs.Settings().HasOption(OptionWord::kScreenCopier,
                                                AppSettings::kCopierFitImages);
}

QRect CViewCap::ImageRect() const {
    if (m_picture.isNull()) return {};
    if (IsFitted()) {
        const QSize client = viewport()->size();
        const Rect r = FitImageRect({m_picture.width(), m_picture.height()},
                                    {client.width(), client.height()});
        return {r.left, r.top, r.Width(), r.Height()};
    }
    return {-horizontalScrollBar()->value(), -verticalScrollBar()->value(), m_picture.width(),
            m_picture.height()};
}

void CViewCap::LayOut() {
    m_picture = ToQImage(m_context.capturedImage.Image());
    const Qt::ScrollBarPolicy policy =
        IsFitted() || m_picture.isNull() ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
    UpdateScrollRanges();
    viewport()->update();
}

void CViewCap::UpdateScrollRanges() {
    const bool natural = !m_picture.isNull() && !IsFitted();
    const QSize client = viewport()->size();
    const int width = natural ? m_picture.width() : 0;
    const int height = natural ? m_picture.height() : 0;
    horizontalScrollBar()->setRange(0, std::max(0, width - client.width()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setRange(0, std::max(0, height - client.height()));
    verticalScrollBar()->setPageStep(client.height());
    // The usual line of a scrolled view (an arrow key; a wheel notch is three), not one pixel.
    horizontalScrollBar()->setSingleStep(kScrollLine);
    verticalScrollBar()->setSingleStep(kScrollLine);
}

void CViewCap::Copy() {
    const std::uint32_t error = m_context.clipboard.SetImage(m_context.capturedImage.Image());
    if (error != kErrorSuccess) ShowSystemError(m_context.dialogs, error);
}

void CViewCap::OnViewNotify(ViewNotify type, std::intptr_t) {
    switch (type) {
        case ViewNotify::kPickingApplied:
            if (m_context.prefs.Settings().PickingStarted()) viewport()->update();
            break;
        case ViewNotify::kCapturedImageChanged:
            LayOut();
            break;
        default:
            break;
    }
}

void CViewCap::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Button));
    if (m_picture.isNull()) return;
    if (IsFitted()) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(ImageRect(), m_picture);
}

void CViewCap::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void CViewCap::scrollContentsBy(int, int) {
    viewport()->update();
}

void CViewCap::contextMenuEvent(QContextMenuEvent* event) {
    m_host.SetActiveView(this);
    CCommandBinder* binder = m_host.Binder();
    if (!binder) return;
    QMenu menu(this);
    if (!binder->BuildPopupMenu(&menu, res::kMenuCapturedImageContext)) return;
    binder->UpdateMenu(&menu);
    menu.exec(event->globalPos());
}

void CViewCap::mousePressEvent(QMouseEvent* event) {
    m_host.SetActiveView(this);
    QAbstractScrollArea::mousePressEvent(event);
}

void CViewCap::focusInEvent(QFocusEvent* event) {
    m_host.SetActiveView(this);
    QAbstractScrollArea::focusInEvent(event);
}

}  // namespace nl

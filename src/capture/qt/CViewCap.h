#pragma once
#include <QAbstractScrollArea>
#include <QImage>
#include <QPointer>

#include "base/CSubscription.h"
#include "document/ViewNotification.h"
#include "framework/CCmdTarget.h"
#include "framework/qt/AppContext.h"

namespace nl {

class CViewTBCap;
class IViewHost;

// The Screen Copier's main view: the application's captured image at its natural size
// with scroll bars, or fitted into the view with smooth scaling (no scroll bars), on the
// button face. It copies and deletes the image, toggles fitting, has the image's context
// menu and gives the status bar the capture prompt.
class CViewCap : public QAbstractScrollArea, public CCmdTarget, public IViewNotifySink {
public:
    // Pixels a scroll-bar arrow or an arrow key moves the image; three of them a wheel notch.
    static constexpr int kScrollLine = 20;

    CViewCap(AppContext& context, IViewHost& host, QWidget* parent = nullptr);

    // The toolbar view whose open capture the prompt follows.
    void SetToolbar(CViewTBCap* toolbar) { m_toolbar = toolbar; }

    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

    // Whether the image is drawn fitted into the view.
    bool IsFitted() const;
    // Where the image is drawn in the viewport; empty without an image.
    QRect ImageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // Takes the image again and sets the scroll bars for the fit setting.
    void LayOut();
    void UpdateScrollRanges();
    void Copy();

    AppContext& m_context;
    IViewHost& m_host;
    QPointer<CViewTBCap> m_toolbar;
    QImage m_picture;
    CSubscription m_notifications;
};

}  // namespace nl

#pragma once
// Shared by the tests of the options pages: a main window to host a page, the page's
// notifications forwarded as the options sheet forwards them, and a way to answer the modal
// window or pop-up menu that a click opens.
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <functional>
#include <memory>

#include "gui_test_support.h"
#include "options/qt/CPPParent.h"

namespace nl::test {

// Passes every view notification to one page, as the sheet does.
class PageForwarder final : public IViewNotifySink {
public:
    PageForwarder(ViewNotifyHub& hub, CPPParent& page) : m_hub(hub), m_page(page) {
        m_hub.Register(this);
    }
    ~PageForwarder() override { m_hub.Unregister(this); }
    void OnViewNotify(ViewNotify type, std::intptr_t) override {
        m_page.OnViewNotify(static_cast<int>(type));
    }

private:
    ViewNotifyHub& m_hub;
    CPPParent& m_page;
};

// A main window (the pages' host) and page `Page` in it, with notifications forwarded.
template <typename Page>
struct PageRig : FrameRig {
    std::unique_ptr<Page> page;
    std::unique_ptr<PageForwarder> forwarder;
    NotifyCounter counter;

    void MakePage() {
        MakeFrame();
        page = std::make_unique<Page>(context, *frame, nullptr);
        forwarder = std::make_unique<PageForwarder>(notify, *page);
        notify.Register(&counter);
    }
    ~PageRig() {
        notify.Unregister(&counter);
        forwarder.reset();
        page.reset();
    }
};

// Runs `answer` on the modal dialog or pop-up menu of type T that the next event loop shows
// (checked every few milliseconds until one appears, at most for a few seconds).
template <typename T>
void WhenShown(std::function<void(T&)> answer) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    constexpr int kPollMs = 10;
    constexpr int kMaxTries = 300;
    QObject::connect(timer, &QTimer::timeout, [timer, tries, answer] {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown) shown = QApplication::activeModalWidget();
        if (auto* target = dynamic_cast<T*>(shown)) {
            timer->stop();
            timer->deleteLater();
            answer(*target);
        } else if (++*tries > kMaxTries) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(kPollMs);
}

}  // namespace nl::test

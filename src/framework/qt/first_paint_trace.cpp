#include "framework/qt/first_paint_trace.h"

#include <QEvent>
#include <QWidget>

#include "framework/latency_trace.h"

namespace nl {
namespace {

class FirstPaintWatch final : public QObject {
public:
    FirstPaintWatch(QWidget& widget, const char* stage) : QObject(&widget), m_stage(stage) {
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            TraceLatency(m_stage);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    const char* m_stage;
};

}  // namespace

void TraceFirstPaint(QWidget& widget, const char* stage) {
    if (LatencyTraceEnabled()) new FirstPaintWatch(widget, stage);
}

}  // namespace nl

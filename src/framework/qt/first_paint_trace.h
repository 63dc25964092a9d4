#pragma once
class QWidget;

namespace nl {

// Where the latency trace is on, marks `stage` when `widget` is first painted; the watch goes
// with that paint, so later paints pass no filter. Nothing where the trace is off.
void TraceFirstPaint(QWidget& widget, const char* stage);

}  // namespace nl

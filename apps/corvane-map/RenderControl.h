#pragma once
// What a render asks of whoever runs it: whether to stop, where to report
// slow preparation (an index being built), and a hook now and then so that
// the part drawn so far can be shown. Every member may be empty; the
// callbacks run on the thread that renders.

#include <QString>
#include <functional>

namespace corvane::map {

struct RenderControl {
    // True once a newer extent made this render stale: stop soon.
    std::function<bool()> stale;
    // True once nobody will ever want a picture again (the window closes):
    // stop even work that later renders would reuse, such as an index.
    std::function<bool()> abandoned;
    // A line for the status bar; an empty one clears it.
    std::function<void(const QString&)> status;
    // After each layer, and every few hundred shapes within one: the
    // picture holds whole shapes only, so it may be shown as it is.
    std::function<void()> drawnSoFar;

    [[nodiscard]] bool isStale() const { return (stale && stale()) || isAbandoned(); }
    [[nodiscard]] bool isAbandoned() const { return abandoned && abandoned(); }
    // Between two shapes: false when the render should stop; else offers
    // the part drawn so far.
    [[nodiscard]] bool keepDrawing() const
    {
        if (isStale()) return false;
        if (drawnSoFar) drawnSoFar();
        return true;
    }
    void report(const QString& text) const
    {
        if (status) status(text);
    }
};

} // namespace corvane::map

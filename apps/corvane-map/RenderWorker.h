#pragma once
// Draws the map off the user-interface thread. The canvas submits a request
// for each new extent or size; the worker renders the newest one into an
// image with MapRenderer::render and hands back the part drawn so far now
// and then, and the finished picture at the end. A submit makes any render
// still running stale: it stops at its next check and its picture is never
// delivered as finished. GDAL handles are not shared: every read on the
// worker leases datasets of its own from the layers' data sources.
//
// The delivery callbacks run on the worker thread; the owner posts them to
// its own thread. Destruction stops the render in progress and joins.
//
//   RenderWorker worker({[](RenderResult r) { post(r); }, [](QString s) { postStatus(s); }});
//   const auto generation = worker.submit({renderer, size, extent, Qt::white});

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "MapRenderer.h"

namespace corvane::map {

struct RenderRequest {
    MapRenderer renderer;  // drawn from a snapshot of its map's layer list
    QSize size;            // of the picture, in pixels
    gdal::Box extent;      // already fitted to `size`
    QColor background;
};

struct RenderResult {
    std::uint64_t generation = 0;
    QImage image;
    gdal::Box extent;
    RenderStats stats;
    bool complete = false;  // false: what was drawn so far
    QString problem;        // set when a layer could not be read
};

struct RenderDelivery {
    std::function<void(RenderResult)> picture;
    std::function<void(const QString&)> status;
};

class RenderWorker {
public:
    explicit RenderWorker(RenderDelivery delivery);
    ~RenderWorker();
    RenderWorker(const RenderWorker&) = delete;
    RenderWorker& operator=(const RenderWorker&) = delete;

    // Queues `request` in place of any not yet started and makes the one
    // running stale. Returns the request's generation (increasing).
    std::uint64_t submit(RenderRequest request);

private:
    void run();
    void render(const RenderRequest& request, std::uint64_t generation);

    RenderDelivery m_delivery;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<RenderRequest> m_pending;
    std::atomic<std::uint64_t> m_latest{0};
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

// A copy of `renderer` over a snapshot of its map (same layers, system and
// hand-out record), so that layers added or removed later on the user-
// interface thread do not change the list a worker is walking.
[[nodiscard]] MapRenderer withLayerSnapshot(const MapRenderer& renderer);

} // namespace corvane::map

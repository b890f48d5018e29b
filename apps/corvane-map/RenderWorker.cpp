#include "RenderWorker.h"

#include <QPainter>
#include <chrono>
#include <exception>

#include "host/HostError.h"

namespace corvane::map {

namespace {

using Clock = std::chrono::steady_clock;

// How often a render in progress shows what it has drawn: often enough to
// see a large layer fill in, seldom enough that copying the picture costs
// next to nothing.
constexpr auto kPreviewEvery = std::chrono::milliseconds(100);

} // namespace

MapRenderer withLayerSnapshot(const MapRenderer& renderer)
{
    MapRenderer copy = renderer;
    if (const auto& map = renderer.map()) copy.setMap(map->snapshot());
    return copy;
}

RenderWorker::RenderWorker(RenderDelivery delivery) : m_delivery(std::move(delivery))
{
    m_thread = std::thread([this] { run(); });
}

RenderWorker::~RenderWorker()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_pending.reset();
    }
    m_wake.notify_one();
    m_thread.join();
}

std::uint64_t RenderWorker::submit(RenderRequest request)
{
    std::uint64_t generation = 0;
    {
        const std::lock_guard lock(m_mutex);
        m_pending = std::move(request);
        generation = ++m_latest;
    }
    m_wake.notify_one();
    return generation;
}

void RenderWorker::run()
{
    while (true) {
        std::optional<RenderRequest> request;
        std::uint64_t generation = 0;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || m_pending.has_value(); });
            if (m_stopping) return;
            request.swap(m_pending);
            generation = m_latest;
        }
        render(*request, generation);
    }
}

void RenderWorker::render(const RenderRequest& request, std::uint64_t generation)
{
    RenderResult result;
    result.generation = generation;
    result.extent = request.extent;
    // On an opaque background the picture has no alpha: the canvas then
    // copies it to the window instead of blending every pixel.
    const QImage::Format format =
        request.background.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    result.image = QImage(request.size.expandedTo(QSize(1, 1)), format);
    result.image.fill(request.background);

    auto lastShown = Clock::now();
    RenderControl control;
    control.stale = [this, generation] { return m_latest != generation; };
    control.abandoned = [this] { return m_stopping.load(); };
    control.status = m_delivery.status;
    control.drawnSoFar = [&] {
        if (Clock::now() - lastShown < kPreviewEvery || control.isStale() || !m_delivery.picture) return;
        lastShown = Clock::now();
        // A deep copy: the painter keeps writing into the image's buffer.
        RenderResult part;
        part.generation = generation;
        part.extent = result.extent;
        part.image = result.image.copy();
        m_delivery.picture(std::move(part));
    };
    try {
        QPainter painter(&result.image);
        result.stats = request.renderer.render(painter, QRectF(result.image.rect()), request.extent, control);
    } catch (const host::HostError& e) {
        result.problem = QString::fromStdString(e.description());
    } catch (const std::exception& e) {
        result.problem = QString::fromUtf8(e.what());
    } catch (...) {
        // Nothing may end the worker: the canvas would wait for ever.
        result.problem = QStringLiteral("The map could not be drawn.");
    }
    // A stale picture is never handed over as finished; nobody waits for it.
    if (!result.stats.complete || control.isStale()) return;
    result.complete = true;
    if (m_delivery.picture) m_delivery.picture(std::move(result));
}

} // namespace corvane::map

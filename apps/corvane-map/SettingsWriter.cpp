#include "SettingsWriter.h"

namespace corvane::map {

SettingsWriter::SettingsWriter(std::function<std::unique_ptr<QSettings>()> open)
    : m_thread([this, open = std::move(open)] { run(open); })
{
}

SettingsWriter::~SettingsWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void SettingsWriter::post(std::function<void(QSettings&)> change)
{
    {
        const std::lock_guard lock(m_mutex);
        m_changes.push_back(std::move(change));
    }
    m_wake.notify_one();
}

void SettingsWriter::waitUntilWritten()
{
    std::unique_lock lock(m_mutex);
    m_written.wait(lock, [this] { return m_changes.empty() && !m_writing; });
}

void SettingsWriter::run(const std::function<std::unique_ptr<QSettings>()>& open)
{
    // Made here, so that it belongs to this thread (QSettings is reentrant,
    // not thread-safe) and is destroyed here.
    const std::unique_ptr<QSettings> settings = open();
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_stopping || !m_changes.empty(); });
        if (m_changes.empty()) return;  // stopping, and nothing left to write
        std::deque<std::function<void(QSettings&)>> changes;
        changes.swap(m_changes);
        m_writing = true;
        lock.unlock();
        for (const auto& change : changes) {
            try {
                change(*settings);
            } catch (...) {
                // A setting that cannot be written is not worth a crash.
            }
        }
        settings->sync();
        lock.lock();
        m_writing = false;
        if (m_changes.empty()) m_written.notify_all();
    }
}

} // namespace corvane::map

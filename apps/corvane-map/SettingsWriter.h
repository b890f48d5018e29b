#pragma once
// Writes the desktop settings on a thread of its own. Every QSettings write
// ends in a disk flush, which on a busy disk holds the caller for tens of
// milliseconds: on the user-interface thread, the window would freeze at
// each file opened and each layer toggled. DesktopSettings posts its
// changes here (from the UI thread) and reads through a QSettings of its own
// on the same file, which sees each change once the writer has made it
// (QSettings objects of one process share a file's contents).
//
//   SettingsWriter writer([] { return std::make_unique<QSettings>(file, QSettings::IniFormat); });
//   writer.post([](QSettings& s) { s.setValue("open/lastFolder", folder); });
//   // ~SettingsWriter writes whatever is still pending, then returns.

#include <QSettings>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace corvane::map {

class SettingsWriter {
public:
    // `open` runs on the writer's thread, which owns what it returns.
    explicit SettingsWriter(std::function<std::unique_ptr<QSettings>()> open);
    ~SettingsWriter();
    SettingsWriter(const SettingsWriter&) = delete;
    SettingsWriter& operator=(const SettingsWriter&) = delete;

    // Runs `change` on the writer's thread after every change posted
    // before it, then writes the file.
    void post(std::function<void(QSettings&)> change);
    // Returns once every change posted so far is in the file.
    void waitUntilWritten();

private:
    void run(const std::function<std::unique_ptr<QSettings>()>& open);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_written;
    std::deque<std::function<void(QSettings&)>> m_changes;
    bool m_writing = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace corvane::map

#pragma once
// One memory host for a test: the application with a document and its focus
// map, the status bar, the classes created by name, the frames made, the
// fault injector and the journal.
//
//   MemoryHost host;
//   auto& parcels = host.map().addFeatureLayer("Parcels", {{"STNAME", esriFieldTypeString},
//                                                          {"ADDNUM", esriFieldTypeInteger}});
//   parcels.addFeature(envelope(0, 0, 10, 10), {"OAK AVE", 12});
//   someRoutine(host.application());
//
// Constructing a MemoryHost makes its classes the host classes in force
// (host::hostClasses()); destroying it withdraws them if they still are.
// Objects handed out stay valid after the host is gone.

#include <memory>
#include <vector>

#include "memory/MemoryApplication.h"
#include "memory/MemoryHostClasses.h"
#include "memory/MemoryModelessFrame.h"

namespace corvane::memory {

class MemoryHost {
public:
    MemoryHost();
    ~MemoryHost();
    MemoryHost(const MemoryHost&) = delete;
    MemoryHost& operator=(const MemoryHost&) = delete;

    [[nodiscard]] MemoryApplication& app() const noexcept { return *m_app; }
    [[nodiscard]] host::Ref<host::IApplication> application() const { return host::Ref<host::IApplication>(m_app); }
    // The current document; throws std::logic_error when none is open.
    [[nodiscard]] MemoryDocument& document() const;
    // The current document's focus map.
    [[nodiscard]] MemoryMap& map() const { return document().map(); }
    // The user opens another map document: a new document with one empty
    // map "Layers" becomes the application's document.
    MemoryDocument& openDocument();
    // The user closes the document: Document becomes empty.
    void closeDocument() { m_app->setDocument(nullptr); }

    [[nodiscard]] MemoryProgressBar& progress() const noexcept { return m_app->statusBar().progress(); }
    [[nodiscard]] MemoryHostClasses& classes() noexcept { return *m_classes; }
    // Makes this host's classes the ones in force again (after another host took over).
    void installClasses() noexcept { host::setHostClasses(m_classes.get()); }
    // Every frame created through the host classes, in order of creation.
    [[nodiscard]] const std::vector<std::shared_ptr<MemoryModelessFrame>>& frames() const noexcept { return m_frames; }

    [[nodiscard]] FaultInjector& faults() const noexcept { return m_context->faults; }
    [[nodiscard]] Journal& journal() const noexcept { return m_context->journal; }
    [[nodiscard]] const ContextPtr& context() const noexcept { return m_context; }

private:
    ContextPtr m_context;
    std::shared_ptr<MemoryApplication> m_app;
    std::unique_ptr<MemoryHostClasses> m_classes;
    std::vector<std::shared_ptr<MemoryModelessFrame>> m_frames;
};

} // namespace corvane::memory

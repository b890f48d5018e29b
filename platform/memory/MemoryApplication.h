#pragma once
// The memory host application: its current document (which the user may
// replace or close) and its status bar.

#include <memory>

#include "host/Application.h"
#include "memory/MemoryDocument.h"
#include "memory/MemoryProgressBar.h"

namespace corvane::memory {

class MemoryApplication final : public host::IApplication {
public:
    explicit MemoryApplication(ContextPtr context)
        : m_context(context), m_statusBar(std::make_shared<MemoryStatusBar>(std::move(context)))
    {
    }

    // nullptr: no document is open (Document is empty).
    void setDocument(std::shared_ptr<MemoryDocument> document) { m_document = std::move(document); }
    [[nodiscard]] const std::shared_ptr<MemoryDocument>& document() const noexcept { return m_document; }
    [[nodiscard]] MemoryStatusBar& statusBar() const noexcept { return *m_statusBar; }

    host::Ref<host::IDocument> Document() override;
    host::Ref<host::IStatusBar> StatusBar() override;

private:
    ContextPtr m_context;
    std::shared_ptr<MemoryDocument> m_document;
    std::shared_ptr<MemoryStatusBar> m_statusBar;
};

} // namespace corvane::memory

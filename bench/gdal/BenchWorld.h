#pragma once
// The system's routines running on a GIS file: the headless toolkit for the
// lists and boxes, and a document over the file as the host's document.

#include <memory>
#include <string>

#include "gdal/GdalDocument.h"
#include "gdal/GdalHostClasses.h"
#include "headless/HeadlessToolkit.h"
#include "headless/ScopedToolkit.h"
#include "ui/Form.h"

namespace corvane::bench {

class BenchWorld {
public:
    explicit BenchWorld(const std::string& path);
    ~BenchWorld();
    BenchWorld(const BenchWorld&) = delete;
    BenchWorld& operator=(const BenchWorld&) = delete;

    // The search dialog's two lists: streets sorted, numbers sorted.
    ui::ListBox& streets() { return m_form->listBox("List1"); }
    ui::ListBox& numbers() { return m_form->listBox("List2"); }
    // Message boxes shown so far (error reports among them).
    [[nodiscard]] std::size_t messageCount() const { return m_toolkit.messagePrompts().size(); }
    [[nodiscard]] std::string lastMessage() const;
    [[nodiscard]] gdal::GdalDocument& document() const { return *m_document; }

private:
    headless::HeadlessToolkit m_toolkit;
    headless::ScopedToolkit m_installed{m_toolkit};
    std::shared_ptr<gdal::GdalDocument> m_document;
    std::unique_ptr<gdal::GdalHostClasses> m_classes;
    std::shared_ptr<ui::Form> m_form;
};

} // namespace corvane::bench

#include "headless/HeadlessToolkit.h"

#include "headless/HeadlessPeer.h"

namespace corvane::headless {

void Journal::clear()
{
    messageBoxes.clear();
    pointerChanges.clear();
    shellRequests.clear();
    formEvents.clear();
    modalRuns.clear();
    listChanges.clear();
    textChanges.clear();
    timeline.clear();
}

const char* pointerName(ui::MousePointer pointer)
{
    switch (pointer) {
    case ui::MousePointer::Default:
        return "Default";
    case ui::MousePointer::Hourglass:
        return "Hourglass";
    }
    return "Other";
}

HeadlessToolkit::HeadlessToolkit() : m_journal(std::make_shared<Journal>()) {}

HeadlessToolkit::~HeadlessToolkit() = default;

void HeadlessToolkit::whenModal(const std::string& formName, ModalScript script)
{
    m_modalScripts[formName].push_back(std::move(script));
}

std::size_t HeadlessToolkit::pendingModalScripts() const
{
    std::size_t count = 0;
    for (const auto& [name, queue] : m_modalScripts)
        count += queue.size();
    return count;
}

void HeadlessToolkit::setScreenPixels(int width, int height)
{
    m_screenWidth = width;
    m_screenHeight = height;
}

void HeadlessToolkit::setTwipsPerPixel(int x, int y)
{
    m_twipsPerPixelX = x;
    m_twipsPerPixelY = y;
}

std::vector<std::string> HeadlessToolkit::messagePrompts() const
{
    std::vector<std::string> prompts;
    for (const auto& box : m_journal->messageBoxes)
        prompts.push_back(box.prompt);
    return prompts;
}

std::vector<std::string> HeadlessToolkit::peersCreated() const
{
    std::vector<std::string> names;
    for (const auto& event : m_journal->formEvents)
        if (event.kind == FormEventKind::PeerCreated) names.push_back(event.form);
    return names;
}

int HeadlessToolkit::openWindows(const std::string& formName) const
{
    int count = 0;
    for (const auto& [handle, name] : m_journal->liveWindows)
        if (name == formName) ++count;
    return count;
}

std::string HeadlessToolkit::activeModalForm() const
{
    return m_journal->modalStack.empty() ? std::string() : m_journal->modalStack.back();
}

void HeadlessToolkit::clearRecords()
{
    m_journal->clear();
}

std::unique_ptr<ui::FormPeer> HeadlessToolkit::createPeer(ui::Form& form)
{
    const ui::WindowHandle handle = m_nextHandle;
    m_nextHandle += 0x10;
    return std::make_unique<HeadlessPeer>(m_journal, std::string(form.name()), handle);
}

void HeadlessToolkit::runModal(ui::Form& form)
{
    const std::string name(form.name());
    const std::size_t index = m_journal->modalRuns.size();
    m_journal->modalRuns.push_back({name, false, false, false, false});
    m_journal->timeline.push_back("modal: " + name);

    // Nested modal runs push their own records, so this one is updated by
    // index; the stack unwinds even if a script lets an exception through.
    struct StackEntry {
        Journal& journal;
        ~StackEntry() { journal.modalStack.pop_back(); }
    } entry{*m_journal};
    m_journal->modalStack.push_back(name);

    ModalScript script;
    if (auto found = m_modalScripts.find(name); found != m_modalScripts.end() && !found->second.empty()) {
        script = std::move(found->second.front());
        found->second.pop_front();
    }
    if (script) {
        m_journal->modalRuns[index].scripted = true;
        script(form);
    }
    if (form.Loaded() && form.Visible()) {
        m_journal->modalRuns[index].closedByCloseBox = true;
        m_journal->timeline.push_back("closeBox: " + name);
        form.userClose();
    }
    // A real modal loop would keep running; headless, the run ends here and
    // the record says the form never went away.
    m_journal->modalRuns[index].stillOpen = form.Loaded() && form.Visible();
    m_journal->timeline.push_back("modalEnd: " + name);
}

void HeadlessToolkit::messageBox(const std::string& prompt, const std::string& title)
{
    MessageBoxRecord box{prompt, title, activeModalForm()};
    m_journal->messageBoxes.push_back(box);
    m_journal->timeline.push_back("messageBox: " + prompt);
    if (m_messageBoxScript) m_messageBoxScript(box);
}

void HeadlessToolkit::setMousePointer(ui::MousePointer pointer)
{
    m_pointer = pointer;
    m_journal->pointerChanges.push_back(pointer);
    m_journal->timeline.push_back(std::string("pointer: ") + pointerName(pointer));
}

std::intptr_t HeadlessToolkit::shellExecute(ui::WindowHandle window, const std::string& operation,
                                            const std::string& file, const std::string& parameters,
                                            const std::string& directory, int showCommand)
{
    m_journal->shellRequests.push_back({window, operation, file, parameters, directory, showCommand});
    m_journal->timeline.push_back("shell: " + operation + " " + file);
    return m_shellResult;
}

} // namespace corvane::headless

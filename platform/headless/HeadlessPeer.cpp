#include "headless/HeadlessPeer.h"

#include "ui/Controls.h"

namespace corvane::headless {

HeadlessPeer::HeadlessPeer(std::shared_ptr<Journal> journal, std::string formName, ui::WindowHandle handle)
    : m_journal(std::move(journal)), m_formName(std::move(formName)), m_handle(handle)
{
    m_journal->liveWindows[m_handle] = m_formName;
    record(FormEventKind::PeerCreated, "create");
}

HeadlessPeer::~HeadlessPeer()
{
    m_journal->liveWindows.erase(m_handle);
    record(FormEventKind::Destroyed, "destroy");
}

void HeadlessPeer::show()
{
    m_shown = true;
    record(FormEventKind::Shown, "show");
}

void HeadlessPeer::hide()
{
    m_shown = false;
    record(FormEventKind::Hidden, "hide");
}

void HeadlessPeer::record(FormEventKind kind, const char* verb)
{
    m_journal->formEvents.push_back({kind, m_formName, m_handle});
    m_journal->timeline.push_back(std::string(verb) + ": " + m_formName);
}

void HeadlessPeer::listInserted(const ui::ListBox& list, int index, const std::string& text)
{
    m_journal->listChanges.push_back({m_formName, std::string(list.name()), ListChangeKind::Inserted, index, text});
}

void HeadlessPeer::listCleared(const ui::ListBox& list)
{
    m_journal->listChanges.push_back({m_formName, std::string(list.name()), ListChangeKind::Cleared, -1, {}});
}

void HeadlessPeer::listSelected(const ui::ListBox& list, int index)
{
    m_journal->listChanges.push_back({m_formName, std::string(list.name()), ListChangeKind::Selected, index, {}});
}

void HeadlessPeer::textChanged(const ui::Control& control, const std::string& text)
{
    m_journal->textChanges.push_back({m_formName, std::string(control.name()), text});
}

} // namespace corvane::headless

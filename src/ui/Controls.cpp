#include "ui/Controls.h"

#include <algorithm>

#include "host/HostError.h"
#include "ui/Form.h"
#include "ui/SortKey.h"

namespace corvane::ui {

namespace {
constexpr std::int32_t kInvalidPropertyArrayIndex = 381;
constexpr std::int32_t kInvalidPropertyValue = 380;
} // namespace

ListBox::ListBox(Form& form, const ControlSpec& spec) : Control(form, spec)
{
    // The locale's collation rules load with the first sorted list, not
    // with its first entry, as a native list box has them from the start.
    if (Sorted()) (void)listSortKey({});
}

void ListBox::AddItem(const std::string& text)
{
    changed();
    FormPeer* p = m_form.peer();
    if (!Sorted()) {
        m_entries.push_back({{}, text});
        m_order.push_back(static_cast<std::uint32_t>(m_entries.size() - 1));
        m_placed = m_entries.size();
        if (p != nullptr) p->listInserted(*this, ListCount() - 1, text);
        return;
    }
    std::string key = listSortKey(text);
    if (p == nullptr) {
        m_entries.push_back({std::move(key), text});  // placed at the next read
        return;
    }
    // A window shows the list as it grows: place the entry now.
    settle();
    const auto position = std::upper_bound(m_order.begin(), m_order.end(), key, [this](const std::string& k, std::uint32_t entry) {
        return k < m_entries[entry].key;
    });
    const auto index = position - m_order.begin();
    m_entries.push_back({std::move(key), text});
    m_order.insert(position, static_cast<std::uint32_t>(m_entries.size() - 1));
    m_placed = m_entries.size();
    if (m_listIndex >= index) ++m_listIndex;
    p->listInserted(*this, static_cast<int>(index), text);
}

void ListBox::settle() const
{
    if (m_placed == m_entries.size()) return;
    changed();
    // Equal keys keep the order they were added in, after the entries
    // already placed: one sort and one merge instead of a search and a
    // shift per entry. Entry numbers grow in the order of adding, so they
    // break ties.
    // Sorted by key beside the number, not through it: a comparison then
    // reaches only the two keys.
    std::vector<std::pair<std::string_view, std::uint32_t>> pending;
    pending.reserve(m_entries.size() - m_placed);
    for (std::size_t i = m_placed; i < m_entries.size(); ++i) pending.emplace_back(m_entries[i].key, static_cast<std::uint32_t>(i));
    std::sort(pending.begin(), pending.end());
    std::vector<std::uint32_t> order;
    order.reserve(m_entries.size());
    std::vector<std::size_t> insertedAt;
    insertedAt.reserve(pending.size());
    int selected = -1;
    std::size_t old = 0;
    const auto keepOld = [&] {
        if (static_cast<int>(old) == m_listIndex) selected = static_cast<int>(order.size());
        order.push_back(m_order[old++]);
    };
    for (const auto& [key, entry] : pending) {
        while (old < m_order.size() && !(key < m_entries[m_order[old]].key)) keepOld();
        insertedAt.push_back(order.size());
        order.push_back(entry);
    }
    while (old < m_order.size()) keepOld();
    m_order = std::move(order);
    m_placed = m_entries.size();
    m_listIndex = selected;
    // In ascending order, each index is right for the entries told so far.
    if (FormPeer* p = m_form.peer()) {
        for (const auto index : insertedAt) p->listInserted(*this, static_cast<int>(index), textAt(static_cast<int>(index)));
    }
}

const std::vector<std::string>& ListBox::items() const
{
    settle();
    if (m_itemsStale) {
        m_items.clear();
        m_items.reserve(m_order.size());
        for (const auto entry : m_order) m_items.push_back(m_entries[entry].text);
        m_itemsStale = false;
    }
    return m_items;
}

void ListBox::Clear()
{
    reset();
    if (FormPeer* p = m_form.peer()) p->listCleared(*this);
}

const std::string& ListBox::List(int index) const
{
    settle();
    if (index < 0 || index >= ListCount())
        host::raiseError(kInvalidPropertyArrayIndex, "Invalid property array index");
    return textAt(index);
}

void ListBox::ListIndex(int index)
{
    settle();
    if (index < -1 || index >= ListCount()) host::raiseError(kInvalidPropertyValue, "Invalid property value");
    // Setting the index raises Click even when it does not change, as the
    // runtime's list box does: "Go" twice re-lists the same street.
    m_listIndex = index;
    if (FormPeer* p = m_form.peer()) p->listSelected(*this, index);
    if (Click) Click();
}

bool ListBox::Selected(int index) const
{
    settle();
    if (index < 0 || index >= ListCount())
        host::raiseError(kInvalidPropertyArrayIndex, "Invalid property array index");
    return index == m_listIndex;
}

std::string ListBox::Text() const
{
    settle();
    return m_listIndex >= 0 ? textAt(m_listIndex) : std::string();
}

void ListBox::reset()
{
    m_entries.clear();
    m_order.clear();
    m_placed = 0;
    m_listIndex = -1;
    m_items.clear();
    m_itemsStale = false;
}

void TextBox::Text(const std::string& text)
{
    m_text = text;
    if (FormPeer* p = m_form.peer()) p->textChanged(*this, text);
}

void CaptionedControl::Caption(const std::string& text)
{
    m_caption = text;
    if (FormPeer* p = m_form.peer()) p->textChanged(*this, text);
}

} // namespace corvane::ui

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

void ListBox::AddItem(const std::string& text)
{
    if (Sorted()) {
        std::string key = listSortKey(text);
        FormPeer* p = m_form.peer();
        if (p == nullptr) {
            m_pending.push_back({std::move(key), text, m_pending.size()});
            return;
        }
        // A window shows the list as it grows: place the entry now.
        settle();
        const auto position = std::upper_bound(m_keys.begin(), m_keys.end(), key);
        const auto index = position - m_keys.begin();
        m_keys.insert(position, std::move(key));
        m_items.insert(m_items.begin() + index, text);
        if (m_listIndex >= index) ++m_listIndex;
        p->listInserted(*this, static_cast<int>(index), text);
        return;
    }
    m_items.push_back(text);
    if (FormPeer* p = m_form.peer()) p->listInserted(*this, ListCount() - 1, text);
}

void ListBox::settle() const
{
    if (m_pending.empty()) return;
    // Equal keys keep the order they were added in, after the entries
    // already placed: one sort and one merge instead of a search and a
    // shift per entry. (A plain sort with the order as the last word beats
    // a stable one: it moves entries in place instead of through a buffer.)
    std::sort(m_pending.begin(), m_pending.end(), [](const Pending& a, const Pending& b) {
        const int byKey = a.key.compare(b.key);
        return byKey < 0 || (byKey == 0 && a.order < b.order);
    });
    std::vector<std::string> items;
    std::vector<std::string> keys;
    items.reserve(m_items.size() + m_pending.size());
    keys.reserve(items.capacity());
    std::vector<std::size_t> insertedAt;
    insertedAt.reserve(m_pending.size());
    int selected = -1;
    std::size_t old = 0;
    for (auto& entry : m_pending) {
        while (old < m_items.size() && !(entry.key < m_keys[old])) {
            if (static_cast<int>(old) == m_listIndex) selected = static_cast<int>(items.size());
            items.push_back(std::move(m_items[old]));
            keys.push_back(std::move(m_keys[old]));
            ++old;
        }
        insertedAt.push_back(items.size());
        items.push_back(std::move(entry.text));
        keys.push_back(std::move(entry.key));
    }
    for (; old < m_items.size(); ++old) {
        if (static_cast<int>(old) == m_listIndex) selected = static_cast<int>(items.size());
        items.push_back(std::move(m_items[old]));
        keys.push_back(std::move(m_keys[old]));
    }
    m_items = std::move(items);
    m_keys = std::move(keys);
    m_pending.clear();
    m_listIndex = selected;
    // In ascending order, each index is right for the entries told so far.
    if (FormPeer* p = m_form.peer()) {
        for (const auto index : insertedAt) p->listInserted(*this, static_cast<int>(index), m_items[index]);
    }
}

void ListBox::Clear()
{
    m_items.clear();
    m_keys.clear();
    m_pending.clear();
    m_listIndex = -1;
    if (FormPeer* p = m_form.peer()) p->listCleared(*this);
}

const std::string& ListBox::List(int index) const
{
    settle();
    if (index < 0 || index >= ListCount())
        host::raiseError(kInvalidPropertyArrayIndex, "Invalid property array index");
    return m_items[static_cast<std::size_t>(index)];
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
    return m_listIndex >= 0 ? m_items[static_cast<std::size_t>(m_listIndex)] : std::string();
}

void ListBox::reset()
{
    m_items.clear();
    m_keys.clear();
    m_pending.clear();
    m_listIndex = -1;
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

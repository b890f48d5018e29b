#include "ui/Controls.h"

#include <algorithm>

#include "host/HostError.h"
#include "ui/Form.h"
#include "ui/Text.h"

namespace corvane::ui {

namespace {
constexpr std::int32_t kInvalidPropertyArrayIndex = 381;
constexpr std::int32_t kInvalidPropertyValue = 380;
} // namespace

void ListBox::AddItem(const std::string& text)
{
    auto position = m_items.end();
    if (Sorted()) {
        position = std::upper_bound(m_items.begin(), m_items.end(), text,
                                    [](const std::string& a, const std::string& b) {
                                        return compareIgnoringCase(a, b) < 0;
                                    });
    }
    const int index = static_cast<int>(position - m_items.begin());
    m_items.insert(position, text);
    if (m_listIndex >= index) ++m_listIndex;
    if (FormPeer* p = m_form.peer()) p->listInserted(*this, index, text);
}

void ListBox::Clear()
{
    m_items.clear();
    m_listIndex = -1;
    if (FormPeer* p = m_form.peer()) p->listCleared(*this);
}

const std::string& ListBox::List(int index) const
{
    if (index < 0 || index >= ListCount())
        host::raiseError(kInvalidPropertyArrayIndex, "Invalid property array index");
    return m_items[static_cast<std::size_t>(index)];
}

void ListBox::ListIndex(int index)
{
    if (index < -1 || index >= ListCount()) host::raiseError(kInvalidPropertyValue, "Invalid property value");
    // Setting the index raises Click even when it does not change, as the
    // runtime's list box does: "Go" twice re-lists the same street.
    m_listIndex = index;
    if (FormPeer* p = m_form.peer()) p->listSelected(*this, index);
    if (Click) Click();
}

bool ListBox::Selected(int index) const
{
    if (index < 0 || index >= ListCount())
        host::raiseError(kInvalidPropertyArrayIndex, "Invalid property array index");
    return index == m_listIndex;
}

std::string ListBox::Text() const
{
    return m_listIndex >= 0 ? m_items[static_cast<std::size_t>(m_listIndex)] : std::string();
}

void ListBox::reset()
{
    m_items.clear();
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

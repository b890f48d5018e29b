#pragma once
// The controls of a form. Each keeps its own state (entries, selection,
// text) so the system behaves the same on every toolkit; the form's peer is
// told of each change. Handlers are member functions of the form, bound in
// its constructor; an empty handler means the control has none.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Layout.h"

namespace corvane::ui {

class Form;

class Control {
public:
    Control(Form& form, const ControlSpec& spec) : m_form(form), m_spec(spec) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    [[nodiscard]] const ControlSpec& spec() const noexcept { return m_spec; }
    [[nodiscard]] std::string_view name() const noexcept { return m_spec.name; }
    [[nodiscard]] Form& form() const noexcept { return m_form; }

    // Back to the designer's state, as after unloading the form.
    virtual void reset() {}

    std::function<void()> Click;

protected:
    Form& m_form;
    const ControlSpec& m_spec;
};

class ListBox final : public Control {
public:
    ListBox(Form& form, const ControlSpec& spec);

    // Sorted lists insert in the locale's order ignoring case (see
    // SortKey.h), after equal entries. A list shown in a window places each
    // entry at once; one without a window (not loaded yet, or a model under
    // test) places them in a batch at its next read, one sort for all.
    void AddItem(const std::string& text);
    void Clear();
    [[nodiscard]] int ListCount() const noexcept { return static_cast<int>(m_entries.size()); }
    // Raises 381 (invalid property array index) out of range.
    [[nodiscard]] const std::string& List(int index) const;
    [[nodiscard]] int ListIndex() const
    {
        settle();
        return m_listIndex;
    }
    // Selecting in code raises Click at once, as a user's click does.
    void ListIndex(int index);
    [[nodiscard]] bool Selected(int index) const;
    // The selected entry's text, or empty.
    [[nodiscard]] std::string Text() const;
    [[nodiscard]] bool Sorted() const noexcept { return m_spec.sorted; }
    // Every entry's text in list order (a copy kept until the list changes).
    [[nodiscard]] const std::vector<std::string>& items() const;

    void reset() override;
    // Places the entries added since the last read.
    void settle() const;

private:
    struct Entry {
        std::string key;  // sorted lists: the entry's sort key
        std::string text;
    };
    [[nodiscard]] const std::string& textAt(int index) const { return m_entries[m_order[static_cast<std::size_t>(index)]].text; }
    void changed() const { m_itemsStale = true; }

    // Placing entries changes what the list shows, not what it holds, so
    // the reads that place them stay const. Entries stay where they were
    // added; the list's order is a list of their numbers, so placing one
    // among thousands moves 4-byte numbers, not strings.
    mutable std::vector<Entry> m_entries;       // in the order they were added
    mutable std::vector<std::uint32_t> m_order;  // placed entries, in list order
    mutable std::size_t m_placed = 0;            // entries before this one are placed
    mutable int m_listIndex = -1;
    mutable std::vector<std::string> m_items;    // what items() gave last
    mutable bool m_itemsStale = false;
};

class TextBox final : public Control {
public:
    TextBox(Form& form, const ControlSpec& spec) : Control(form, spec), m_text(spec.caption) {}
    [[nodiscard]] const std::string& Text() const noexcept { return m_text; }
    void Text(const std::string& text);
    void reset() override { m_text = std::string(m_spec.caption); }

private:
    std::string m_text;
};

// Labels, buttons, frames and images: a caption and a click.
class CaptionedControl final : public Control {
public:
    CaptionedControl(Form& form, const ControlSpec& spec) : Control(form, spec), m_caption(spec.caption) {}
    [[nodiscard]] const std::string& Caption() const noexcept { return m_caption; }
    void Caption(const std::string& text);
    void reset() override { m_caption = std::string(m_spec.caption); }

private:
    std::string m_caption;
};

using Label = CaptionedControl;
using CommandButton = CaptionedControl;
using FrameControl = CaptionedControl;
using Image = CaptionedControl;

} // namespace corvane::ui

#include "ui/Form.h"

#include "host/HostError.h"

namespace corvane::ui {

namespace {

UnhandledErrorHandler& unhandledErrorHandler()
{
    static UnhandledErrorHandler handler;
    return handler;
}

std::unique_ptr<Control> makeControl(Form& form, const ControlSpec& spec)
{
    switch (spec.kind) {
    case ControlKind::ListBox: return std::make_unique<ListBox>(form, spec);
    case ControlKind::TextBox: return std::make_unique<TextBox>(form, spec);
    case ControlKind::Frame:
    case ControlKind::Label:
    case ControlKind::CommandButton:
    case ControlKind::Image: return std::make_unique<CaptionedControl>(form, spec);
    }
    return std::make_unique<CaptionedControl>(form, spec);
}

} // namespace

void setUnhandledErrorHandler(UnhandledErrorHandler handler) { unhandledErrorHandler() = std::move(handler); }

Form::Form(const FormSpec& spec) : m_spec(spec)
{
    m_controls.reserve(spec.controls.size());
    for (const ControlSpec& controlSpec : spec.controls) m_controls.push_back(makeControl(*this, controlSpec));
}

Form::~Form() = default;

void Form::Load()
{
    if (m_peer || m_loading) return;
    m_loading = true;
    try {
        m_peer = toolkit().createPeer(*this);
        for (const auto& c : m_controls) c->reset();
    } catch (...) {
        m_loading = false;
        throw;
    }
    m_loading = false;
    // Form_Load is an event like any other: its errors stay inside it.
    raiseEvent([this] { Form_Load(); });
}

void Form::Unload()
{
    m_visible = false;
    m_peer.reset();
    for (const auto& c : m_controls) c->reset();
}

void Form::Show(int modal)
{
    Load();
    if (!m_peer) return;
    m_visible = true;
    if (modal == vbModal) {
        auto keepAlive = shared_from_this();
        toolkit().runModal(*this);
        return;
    }
    m_peer->show();
}

void Form::Hide()
{
    m_visible = false;
    if (m_peer) m_peer->hide();
}

WindowHandle Form::hWnd()
{
    Load();
    if (!m_peer) host::raiseError(host::errors::kObjectNotSet);
    return m_peer->handle();
}

template <class T>
T& Form::typed(std::string_view name) const
{
    if (auto* typedControl = dynamic_cast<T*>(&control(name))) return *typedControl;
    host::raiseError(host::errors::kTypeMismatch);
}

Control& Form::control(std::string_view name) const
{
    for (const auto& c : m_controls)
        if (c->name() == name) return *c;
    // The runtime's "Method or data member not found" has no number of its
    // own at run time; an unknown control is a programming error.
    host::raiseError(host::errors::kObjectNotSet, "Control not found: " + std::string(name));
}

ListBox& Form::listBox(std::string_view name) const { return typed<ListBox>(name); }
TextBox& Form::textBox(std::string_view name) const { return typed<TextBox>(name); }
CaptionedControl& Form::captioned(std::string_view name) const { return typed<CaptionedControl>(name); }

void Form::userClick(std::string_view controlName)
{
    raiseEvent([this, controlName] {
        Control& c = control(controlName);
        if (c.Click) c.Click();
    });
}

void Form::userSelect(std::string_view listName, int index)
{
    raiseEvent([this, listName, index] { listBox(listName).ListIndex(index); });
}

void Form::userType(std::string_view textBoxName, const std::string& text)
{
    raiseEvent([this, textBoxName, &text] { textBox(textBoxName).Text(text); });
}

void Form::userClose()
{
    raiseEvent([this] { Unload(); });
}

void Form::raiseEvent(const std::function<void()>& handler)
{
    std::shared_ptr<Form> keepAlive;
    try {
        keepAlive = shared_from_this();
    } catch (const std::bad_weak_ptr&) {
        // A form on the stack (tests only) has no owner to keep it alive.
    }
    try {
        handler();
    } catch (...) {
        const auto& report = unhandledErrorHandler();
        if (report) {
            try {
                report(*this, std::current_exception());
            } catch (...) {
                // The report itself failed; nothing may reach the toolkit.
            }
        }
    }
    // What the handler added to sorted lists is shown when it returns.
    try {
        for (const auto& control : m_controls) {
            if (const auto* list = dynamic_cast<const ListBox*>(control.get())) list->settle();
        }
    } catch (...) {
        // Out of memory while placing entries: they are placed at the next read.
    }
}

} // namespace corvane::ui

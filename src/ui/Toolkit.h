#pragma once
// The windowing layer's boundary. The system's forms and controls (Form,
// ListBox...) keep their own state and tell a FormPeer what changed; a peer
// is the toolkit's window for one loaded form and reports the user's actions
// back through Form::user*(). Everything runs on the UI thread.

#include <cstdint>
#include <memory>
#include <string>

#include "host/ModelessFrame.h"

namespace corvane::ui {

class Form;
class Control;
class ListBox;

using WindowHandle = host::WindowHandle;

enum class MousePointer { Default = 0, Hourglass = 11 };

class FormPeer {
public:
    FormPeer() = default;
    FormPeer(const FormPeer&) = delete;
    FormPeer& operator=(const FormPeer&) = delete;
    virtual ~FormPeer() = default;  // the window goes away with the peer

    virtual WindowHandle handle() = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void listInserted(const ListBox& list, int index, const std::string& text) = 0;
    virtual void listCleared(const ListBox& list) = 0;
    // index -1: no selection. Scrolls the entry into view.
    virtual void listSelected(const ListBox& list, int index) = 0;
    // Text of a text box, caption of a label or button.
    virtual void textChanged(const Control& control, const std::string& text) = 0;
};

class Toolkit {
public:
    Toolkit() = default;
    Toolkit(const Toolkit&) = delete;
    Toolkit& operator=(const Toolkit&) = delete;
    virtual ~Toolkit() = default;

    // Builds the window and its controls from form.spec(); never null.
    virtual std::unique_ptr<FormPeer> createPeer(Form& form) = 0;
    // Shows the loaded form modally; returns when it is hidden or unloaded.
    virtual void runModal(Form& form) = 0;
    // A modal message box with an OK button only.
    virtual void messageBox(const std::string& prompt, const std::string& title) = 0;
    // Application-wide pointer: set-and-restore, not a stack.
    virtual void setMousePointer(MousePointer pointer) = 0;
    [[nodiscard]] virtual MousePointer mousePointer() = 0;
    [[nodiscard]] virtual int screenWidthTwips() = 0;
    [[nodiscard]] virtual int screenHeightTwips() = 0;
    [[nodiscard]] virtual int twipsPerPixelX() = 0;
    [[nodiscard]] virtual int twipsPerPixelY() = 0;
    // Opens a web or mail address with the user's programs. The result is
    // the shell's (greater than 32 on success) and callers may ignore it.
    virtual std::intptr_t shellExecute(WindowHandle window, const std::string& operation,
                                       const std::string& file, const std::string& parameters,
                                       const std::string& directory, int showCommand) = 0;
};

// The toolkit in force; set by the host at start-up (and by each test).
Toolkit& toolkit();
void setToolkit(Toolkit* toolkit);

} // namespace corvane::ui

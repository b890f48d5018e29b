#pragma once
// What the headless toolkit saw, in the order it happened. Shared between
// the toolkit and its peers so that a form outliving the toolkit (a public
// variable still holding a dialog) never writes through a dangling pointer.

#include "ui/Toolkit.h"

#include <map>
#include <string>
#include <vector>

namespace corvane::headless {

struct MessageBoxRecord {
    std::string prompt;
    std::string title;
    // The modal form in front when the box came up; empty outside any.
    std::string modalForm;
};

struct ShellRequest {
    ui::WindowHandle window = 0;
    std::string operation;
    std::string file;
    std::string parameters;
    std::string directory;
    int showCommand = 0;
};

enum class FormEventKind { PeerCreated, Shown, Hidden, Destroyed };

struct FormEvent {
    FormEventKind kind = FormEventKind::PeerCreated;
    std::string form;
    ui::WindowHandle window = 0;
};

struct ModalRun {
    std::string form;
    // The layer's runModal takes no owner: every modal run is unowned.
    bool hadOwner = false;
    bool scripted = false;
    // The form was still up after the script, so the user closed it by its close box.
    bool closedByCloseBox = false;
    // Still loaded and visible at the end: the form refused to close.
    bool stillOpen = false;
};

enum class ListChangeKind { Inserted, Cleared, Selected };

struct ListChange {
    std::string form;
    std::string list;
    ListChangeKind kind = ListChangeKind::Inserted;
    int index = -1;   // Inserted, Selected
    std::string text; // Inserted
};

struct TextChange {
    std::string form;
    std::string control;
    std::string text;
};

struct Journal {
    std::vector<MessageBoxRecord> messageBoxes;
    std::vector<ui::MousePointer> pointerChanges;
    std::vector<ShellRequest> shellRequests;
    std::vector<FormEvent> formEvents;
    std::vector<ModalRun> modalRuns;
    std::vector<ListChange> listChanges;
    std::vector<TextChange> textChanges;
    // One readable line per event above, for checks on their order
    // ("messageBox: ...", "pointer: Hourglass", "modal: frmConfig"...).
    std::vector<std::string> timeline;
    // Windows that exist now: handle -> form name.
    std::map<ui::WindowHandle, std::string> liveWindows;
    std::vector<std::string> modalStack;

    void clear();
};

} // namespace corvane::headless

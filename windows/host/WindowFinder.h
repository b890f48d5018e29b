#pragma once
// Finding the command's windows the way a user's eye does: by window class,
// caption and the text or position of their controls. For the journey
// driver of the Windows test host; UI thread only.

#include <string>
#include <vector>
#include <windows.h>

namespace corvane::testhost {

[[nodiscard]] std::wstring classOf(HWND window);
[[nodiscard]] std::wstring textOf(HWND window);

// Visible top-level windows of this thread with the class (and, when not
// empty, the caption).
[[nodiscard]] std::vector<HWND> topLevelWindows(const wchar_t* className, const std::wstring& caption = {});
// The visible modeless frame whose form has this caption, or null.
[[nodiscard]] HWND frameHolding(const std::wstring& formCaption);
// The frame's form window, or null.
[[nodiscard]] HWND formIn(HWND frame);

// Child windows of the class, left to right (then top to bottom).
[[nodiscard]] std::vector<HWND> childrenOf(HWND parent, const wchar_t* className);
// The child button with this caption, or null.
[[nodiscard]] HWND buttonCaptioned(HWND parent, const std::wstring& caption);

// The longest static text of a message box: its prompt.
[[nodiscard]] std::wstring messageBoxText(HWND box);

// Selects the entry with exactly this text as a user's click does: the
// list's selection moves and its owner is told, through the message queue.
// False when the list has no such entry.
bool pickListEntry(HWND list, const std::wstring& text);
// The selected entry's text, or empty.
[[nodiscard]] std::wstring selectedEntry(HWND list);
[[nodiscard]] int entryCount(HWND list);

} // namespace corvane::testhost

// The street search behind "Go".

#include <cstdint>
#include <string>

#include "errors/ErrorHandling.h"
#include "search/frmMain.h"
#include "shared/Runtime.h"
#include "ui/Text.h"

void frmMain::Command4_Click()
{
    std::int32_t line = 0;
    try {
        line = 1;
        corvane::setScreenMousePointer(corvane::vbHourglass);
        line = 2;
        const std::string searchText = Text1.Text();
        line = 3;
        if (searchText.empty()) {
            corvane::setScreenMousePointer(corvane::vbDefault);
            corvane::MsgBox("Please enter text to search for");
            return;
        }
        line = 4;
        const std::size_t length = corvane::ui::characterCount(searchText);
        const std::string wanted = corvane::ui::upperCase(searchText);
        // The whole list is searched, however long it is.
        line = 5;
        for (int i = 0; i < List1.ListCount(); ++i) {
            if (corvane::ui::upperCase(corvane::ui::leftCharacters(List1.List(i), length)) == wanted) {
                line = 6;
                // Selecting raises List1_Click at once, which lists the numbers.
                List1.ListIndex(i);
                line = 7;
                corvane::setScreenMousePointer(corvane::vbDefault);
                return;
            }
        }
        line = 8;
        corvane::setScreenMousePointer(corvane::vbDefault);
        corvane::MsgBox("No matching feature found");
    } catch (...) {
        try {
            corvane::setScreenMousePointer(corvane::vbDefault);
        } catch (...) {
        }
        corvane::errors::reportTrappedError("Command4_Click ", "frmMain", line);
    }
}

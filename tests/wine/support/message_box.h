// The program's message boxes, found and answered from outside as a user would.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "wait.h"

namespace harness {

// Every box of the program has this caption (CP936 bytes, as GetWindowTextA gives them).
inline const std::string kMessageBoxCaption = "信息：";

enum class BoxIcon { none, information, error, warning, question, unknown };
const char* nameOf(BoxIcon icon);

class MessageBoxWindow {
public:
    explicit MessageBoxWindow(HWND box) : box_(box) {}
    HWND handle() const { return box_; }
    bool exists() const { return IsWindow(box_) != FALSE; }

    std::string caption() const;
    // The message, read from the box's text control (id 0xFFFF).
    std::string text() const;
    HWND owner() const { return GetWindow(box_, GW_OWNER); }

    struct Button {
        int id;
        std::string text;
        bool operator==(const Button&) const = default;
    };
    // The push buttons, left to right.
    std::vector<Button> buttons() const;
    std::vector<int> buttonIds() const;
    // Which system icon the box shows, told from its pixels on the screen.
    BoxIcon icon() const;

    // Answers as the button with that id would (IDOK, IDCANCEL, …), by a posted WM_COMMAND.
    void answer(int commandId) const;
    void postClose() const;
    // Real input: activates the box if needed, then presses Escape.
    void pressEscape() const;
    // Real input: a click on the close box of the caption.
    void clickCloseBox() const;
    // Waits until the box has been destroyed.
    bool waitUntilGone(Timeout timeout = kDefaultTimeout) const;

private:
    HWND box_;
};

// The program's visible boxes ("#32770" windows captioned kMessageBoxCaption) of one process.
std::vector<MessageBoxWindow> messageBoxesOf(DWORD processId);
std::optional<MessageBoxWindow> waitForMessageBox(DWORD processId, Timeout timeout = kDefaultTimeout);

}  // namespace harness

// The thin GUI toolkit the program is written against: a control base whose one window procedure
// hands every message to the control it belongs to, and the toolkit's services (message boxes, the
// event loop, ending the program).
#pragma once
#include <windows.h>

#include <string>

#include "platform/window.h"

namespace platform {

// Where a control sits, what it says and the styles it has beyond those its kind always has.
struct ControlArgs {
    HWND parent = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    const char* text = "";
    DWORD style = 0;
    DWORD exStyle = 0;
};

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    Window window() const { return window_; }
    HWND handle() const { return window_.handle(); }

protected:
    // A window of one of the toolkit's own classes: its messages reach onMessage from the start.
    void createOwn(const char* className, const ControlArgs& args, DWORD style, DWORD exStyle);
    // A standard control, subclassed so that its messages reach onMessage too.
    void createStandard(const char* className, const ControlArgs& args, DWORD style, DWORD exStyle);
    // Registers a class of the toolkit's own, once per process.
    static void registerClass(const char* name, UINT classStyle, HCURSOR cursor, HBRUSH background);

    // A message for this control's window. The default gives it to the window's usual procedure.
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT callDefault(UINT message, WPARAM wParam, LPARAM lParam);

    // What the parent window is told about this control, handed back to the control itself, so
    // that a control inside a group box behaves the same as one on the main window.
    virtual void onCommand(WORD /*notification*/) {}
    virtual HBRUSH onColor(HDC /*dc*/) { return nullptr; }  // null: the default colours

    // A key message for a window of this top-level window, before the window with the focus gets
    // it. True when the key was handled.
    virtual bool preTranslate(const MSG& /*message*/) { return false; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static Control* fromHandle(HWND window);
    void bind(HWND window);
    friend void dispatch(MSG& message);

    Window window_;
    WNDPROC standardProc_ = nullptr;
};

// Ctrl (1), Shift (2) and Alt (4) at the time of a mouse message with these wParam flags.
int modifierKeys(WPARAM mouseFlags);

// Dispatches one message taken from the queue, giving its top-level window the first look at keys.
void dispatch(MSG& message);

// MessageBoxA with no owner window, the caption "信息：" and task modality. 0 for OK, 1 otherwise
// (Cancel, Escape, the close button).
int messageBox(const std::string& text, UINT style);

inline HWND nativeHandleOf(const Control& control) { return control.handle(); }

// Runs the handlers of every message already queued, stopping before WM_QUIT, which stays queued.
void processEvents();

// Runs the event loop until WM_QUIT; its code is the exit code.
int runEventLoop();

// Ends the process at once: no window is destroyed and no further event is raised.
[[noreturn]] void endProgram(UINT exitCode);

}  // namespace platform

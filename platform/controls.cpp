#include "platform/controls.h"

namespace platform {

namespace {
HBRUSH blackOnButtonFace(HDC dc, bool transparent) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    if (transparent) SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
}
}  // namespace

void Label::create(const ControlArgs& args) { createStandard("STATIC", args, WS_CHILD, 0); }

HBRUSH Label::onColor(HDC dc) { return blackOnButtonFace(dc, true); }

void GroupBox::create(const ControlArgs& args) {
    // WS_CLIPCHILDREN: the box repaints its frame without painting over the controls inside it.
    createStandard("BUTTON", args, WS_CHILD | WS_CLIPCHILDREN | BS_GROUPBOX | BS_LEFT, 0);
}

HBRUSH GroupBox::onColor(HDC dc) { return blackOnButtonFace(dc, false); }

LRESULT GroupBox::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // A group box leaves its inside to the window behind it; as a parent it must paint it itself.
    if (message == WM_ERASEBKGND) {
        RECT client{};
        GetClientRect(handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return TRUE;
    }
    return callDefault(message, wParam, lParam);
}

void EditBox::create(const ControlArgs& args) {
    createStandard("EDIT", args, WS_CHILD | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE);
    window().send(EM_LIMITTEXT, 0);
}

HBRUSH EditBox::onColor(HDC dc) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

void RadioButton::create(const ControlArgs& args) {
    createStandard("BUTTON", args, WS_CHILD | WS_TABSTOP | BS_AUTORADIOBUTTON | BS_MULTILINE | BS_LEFT | BS_VCENTER, 0);
}

HBRUSH RadioButton::onColor(HDC dc) { return blackOnButtonFace(dc, false); }

void PushButton::create(const ControlArgs& args) {
    createStandard("BUTTON", args, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER, 0);
}

void PushButton::onCommand(WORD notification) {
    if (notification == BN_CLICKED && onClicked) onClicked();
}

}  // namespace platform

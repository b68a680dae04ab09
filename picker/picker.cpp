#include "picker/picker.h"

#include <algorithm>

#include "picker/window_frame.h"
#include "platform/handle_text.h"
#include "resources/images.h"

namespace picker {

int dragActive = 0;
HWND highlightedWindow = nullptr;

HWND windowUnderCursor() {
    POINT point{0, 0};
    GetCursorPos(&point);
    return WindowFromPoint(point);
}

HWND rootOwnerOf(HWND window) { return window ? GetAncestor(window, GA_ROOTOWNER) : nullptr; }

std::string windowTitleOf(HWND window) {
    char buffer[256];
    std::fill(buffer, buffer + 255, ' ');
    buffer[255] = '\0';
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

void onLeftPressed(const PickerView& view) {
    dragActive = 1;
    view.图片框1.setMousePointer(resources::crosshairCursor);
    // The crosshair becomes the visible cursor here, before the capture freezes the shape.
    platform::processEvents();
    // A release already handled in there ended the drag: no capture, and the crosshair stays.
    if (dragActive == 0) return;
    SetCapture(platform::nativeHandleOf(view.图片框1));
    view.图片框1.setPicture(resources::emptyPicture);
}

void onMouseMoved(const PickerView& view) {
    DWORD pid = 0;
    if (dragActive == 0) return;
    HWND window = rootOwnerOf(windowUnderCursor());
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId()) return;
    if (window == highlightedWindow || window == nullptr) return;
    view.编辑框2.setText(platform::handleToText(window));
    view.编辑框1.setText(windowTitleOf(window));
    view.编辑框3.setText(platform::intToText(static_cast<std::int32_t>(pid)));
    if (highlightedWindow) drawWindowFrame(highlightedWindow);
    drawWindowFrame(window);
    highlightedWindow = window;
}

void onLeftReleased(const PickerView& view) {
    ReleaseCapture();
    view.图片框1.setMousePointer(resources::defaultPointer);
    if (highlightedWindow) drawWindowFrame(highlightedWindow);
    dragActive = 0;
    highlightedWindow = nullptr;
    view.图片框1.setPicture(resources::crosshairCursor);
}

void onCaptureLost(const PickerView& view) {
    if (dragActive == 1) onLeftReleased(view);
}

}  // namespace picker

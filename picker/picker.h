// Drag-to-pick: the user drags the crosshair from the picture box over another program's window;
// the root-owner window under the cursor is framed and its title, handle and process id are written
// into the three fields.
#pragma once
#include <windows.h>

#include <string>

#include "platform/controls.h"
#include "platform/picture_box.h"

namespace picker {

// The whole state of the picker.
extern int dragActive;          // 1 from a left press on the picture box until the next release
extern HWND highlightedWindow;  // the window carrying the frame now; null when none does

// The controls the picker works with.
struct PickerView {
    platform::PictureBox& 图片框1;
    platform::EditBox& 编辑框1;  // title
    platform::EditBox& 编辑框2;  // handle
    platform::EditBox& 编辑框3;  // process id
};

HWND windowUnderCursor();
HWND rootOwnerOf(HWND window);
// The title in the ANSI code page, cut to its first 255 bytes.
std::string windowTitleOf(HWND window);

void onLeftPressed(const PickerView& view);
void onMouseMoved(const PickerView& view);
void onLeftReleased(const PickerView& view);
// The picture box lost the capture without a release: the drag ends as if released.
void onCaptureLost(const PickerView& view);

}  // namespace picker

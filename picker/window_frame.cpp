#include "picker/window_frame.h"

#include "platform/scoped.h"

namespace picker {

void drawWindowFrame(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    // Declared in this order so that the pen is deleted before the device context is released.
    platform::ScopedWindowDC dc(window, GetWindowDC(window));
    platform::ScopedGdiObject pen(CreatePen(PS_SOLID, 4, RGB(0, 0, 0)));
    HGDIOBJ oldPen = SelectObject(dc.get(), pen.get());
    HGDIOBJ oldBrush = SelectObject(dc.get(), GetStockObject(NULL_BRUSH));
    const int oldMode = SetROP2(dc.get(), R2_NOT);
    Rectangle(dc.get(), 2, 2, (rect.right - rect.left) - 2, (rect.bottom - rect.top) - 2);
    SelectObject(dc.get(), oldPen);
    SelectObject(dc.get(), oldBrush);
    SetROP2(dc.get(), oldMode);
}

}  // namespace picker

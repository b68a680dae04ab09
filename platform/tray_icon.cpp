#include "platform/tray_icon.h"

#include <shellapi.h>

#include <cstring>

namespace platform {

namespace {
constexpr std::size_t tipLength = 62;
}

bool TrayIcon::add(HWND window, Bytes iconFile, const std::string& tip) {
    remove();
    window_ = window;
    tip_ = tip.substr(0, tipLength);
    icon_.reset();
    if (auto file = readIconFile(iconFile)) {
        const int chosen = chooseTrayImage(file->images);
        if (chosen >= 0) {
            const IconImage& image = file->images[static_cast<std::size_t>(chosen)];
            icon_.reset(CreateIconFromResourceEx(const_cast<BYTE*>(image.data.data()),
                                                 static_cast<DWORD>(image.data.size()), TRUE, 0x00030000, image.width,
                                                 image.height, LR_DEFAULTCOLOR));
        }
    }
    return addAgain();
}

bool TrayIcon::addAgain() {
    if (!window_) return false;
    // An add of an icon the shell still has fails; then it is there all the same.
    present_ = notify(NIM_ADD) || notify(NIM_MODIFY);
    return present_;
}

void TrayIcon::remove() {
    if (present_) notify(NIM_DELETE);
    present_ = false;
}

bool TrayIcon::notify(DWORD action) const {
    // The first layout of the structure: the shell then reports plain mouse messages.
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window_;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = icon_.get();
    std::memcpy(data.szTip, tip_.data(), tip_.size());
    return Shell_NotifyIconA(action, &data) != FALSE;
}

int trayEventCode(UINT mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONUP: return 1;
        case WM_LBUTTONDBLCLK: return 2;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU: return 3;
        default: return 0;
    }
}

}  // namespace platform

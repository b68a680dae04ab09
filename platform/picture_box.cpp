#include "platform/picture_box.h"

#include <optional>
#include <vector>

#include "platform/geometry.h"

namespace platform {

namespace {
// Capture loss is acted on from the queue, not inside WM_CAPTURECHANGED: the release handler's own
// ReleaseCapture also sends WM_CAPTURECHANGED, and by the time this message is handled it has
// finished, so the loss can be told apart from the release.
constexpr UINT captureLostMessage = WM_APP + 0x10;

constexpr DWORD iconVersion = 0x00030000;

std::optional<IconImage> firstImage(Bytes file) {
    auto parsed = readIconFile(file);
    if (!parsed || parsed->images.empty()) return std::nullopt;
    return parsed->images.front();
}
}  // namespace

void PictureBox::create(const ControlArgs& args) {
    registerClass(className, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, LoadCursorA(nullptr, IDC_ARROW),
                  static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    createOwn(className, args, WS_CHILD, WS_EX_CLIENTEDGE);
}

void PictureBox::setPicture(Bytes file) {
    picture_.reset();
    if (auto image = firstImage(file)) {
        auto* bits = const_cast<BYTE*>(image->data.data());
        picture_.reset(CreateIconFromResourceEx(bits, static_cast<DWORD>(image->data.size()), TRUE, iconVersion,
                                                image->width, image->height, LR_DEFAULTCOLOR));
        pictureWidth_ = image->width;
        pictureHeight_ = image->height;
    }
    InvalidateRect(handle(), nullptr, TRUE);
}

void PictureBox::setMousePointer(Bytes file) {
    ScopedCursor cursor;
    if (auto image = firstImage(file)) {
        // A cursor resource is the image preceded by its hotspot, two 16-bit words.
        std::vector<BYTE> resource{static_cast<BYTE>(image->wordA), static_cast<BYTE>(image->wordA >> 8),
                                   static_cast<BYTE>(image->wordB), static_cast<BYTE>(image->wordB >> 8)};
        resource.insert(resource.end(), image->data.begin(), image->data.end());
        cursor.reset(CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), FALSE, iconVersion,
                                              image->width, image->height, LR_DEFAULTCOLOR));
    }
    pointer_ = std::move(cursor);
    // Moving the cursor onto itself makes Windows ask for its shape again (not while captured).
    POINT point{};
    GetCursorPos(&point);
    SetCursorPos(point.x, point.y);
}

void PictureBox::paint() {
    ScopedPaint paint(handle());
    RECT client{};
    GetClientRect(handle(), &client);
    FillRect(paint.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    if (!picture_) return;
    const Placement place = placeCentredPicture(client.right, client.bottom, pictureWidth_, pictureHeight_);
    DrawIconEx(paint.get(), place.x, place.y, picture_.get(), place.width, place.height, 0, nullptr, DI_NORMAL);
}

void PictureBox::raiseMouse(const MouseHandler& handler, WPARAM wParam, LPARAM lParam) {
    if (!handler) return;
    handler(LOWORD(lParam), HIWORD(lParam), modifierKeys(wParam));
}

LRESULT PictureBox::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: paint(); return 0;
        case WM_SETCURSOR:
            if (pointer_) {
                SetCursor(pointer_.get());
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN: raiseMouse(onLeftPressed, wParam, lParam); break;
        case WM_MOUSEMOVE: raiseMouse(onMouseMoved, wParam, lParam); break;
        case WM_LBUTTONUP: raiseMouse(onLeftReleased, wParam, lParam); break;
        case WM_CAPTURECHANGED: PostMessageA(handle(), captureLostMessage, 0, 0); break;
        case captureLostMessage:
            if (GetCapture() != handle() && onCaptureLost) onCaptureLost();
            return 0;
        default: break;
    }
    return callDefault(message, wParam, lParam);
}

}  // namespace platform

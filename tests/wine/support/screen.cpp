#include "screen.h"

#include <stdexcept>

#include "handles.h"
#include "wait.h"

namespace harness {

COLORREF ScreenPixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) throw std::out_of_range("pixel outside the capture");
    const uint32_t pixel = pixels_[static_cast<size_t>(y) * width() + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

namespace {

// What `paint` draws into a 32-bit top-down DIB section the size of `area`, as 0x00RRGGBB (the unused
// byte is not part of the colour).
template <typename Paint>
ScreenPixels paintedPixels(const RECT& area, Paint paint) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) throw std::invalid_argument("empty area");
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    UniqueMemoryDC memory(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    UniqueGdiObject bitmap(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits) throw std::runtime_error("cannot make a bitmap");
    HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    const bool painted = paint(memory.get(), width, height);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    const auto* source = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = source[i] & 0x00FFFFFF;
    SelectObject(memory.get(), previous);
    if (!painted) throw std::runtime_error("drawing into a bitmap failed");
    return ScreenPixels(area, std::move(pixels));
}

}  // namespace

ScreenPixels drawnIcon(HICON icon, SIZE iconSize, const RECT& area, COLORREF background) {
    return paintedPixels(area, [&](HDC dc, int width, int height) {
        UniqueGdiObject brush(CreateSolidBrush(background));
        const RECT whole{0, 0, width, height};
        FillRect(dc, &whole, static_cast<HBRUSH>(brush.get()));
        return DrawIconEx(dc, 0, 0, icon, iconSize.cx, iconSize.cy, 0, nullptr, DI_NORMAL) != FALSE;
    });
}

std::optional<POINT> findIcon(const ScreenPixels& pixels, HICON icon, int width, int height) {
    // A pixel that comes out the same over black and over white is opaque.
    const RECT area{0, 0, width, height};
    const ScreenPixels overBlack = drawnIcon(icon, {width, height}, area, RGB(0, 0, 0));
    const ScreenPixels overWhite = drawnIcon(icon, {width, height}, area, RGB(255, 255, 255));
    std::vector<std::pair<POINT, COLORREF>> opaque;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (overBlack.at(x, y) == overWhite.at(x, y)) opaque.push_back({{x, y}, overBlack.at(x, y)});
    if (opaque.empty()) return std::nullopt;
    for (int top = 0; top + height <= pixels.height(); ++top)
        for (int left = 0; left + width <= pixels.width(); ++left) {
            bool all = true;
            for (const auto& [point, colour] : opaque)
                if (pixels.at(left + point.x, top + point.y) != colour) {
                    all = false;
                    break;
                }
            if (all) return POINT{left, top};
        }
    return std::nullopt;
}

bool ScreenPixels::operator==(const ScreenPixels& other) const {
    return EqualRect(&area_, &other.area_) && pixels_ == other.pixels_;
}

ScreenPixels captureScreen(const RECT& area) {
    WindowDC screen(nullptr);
    return paintedPixels(area, [&](HDC dc, int width, int height) {
        return BitBlt(dc, 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY) != FALSE;
    });
}

ScreenPixels settledCapture(const RECT& area) {
    ScreenPixels last = captureScreen(area);
    waitUntilHeld(
        [&] {
            ScreenPixels now = captureScreen(area);
            const bool same = now == last;
            last = std::move(now);
            return same;
        },
        300_ms, 5_s);
    return last;
}

}  // namespace harness

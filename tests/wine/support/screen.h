// What is on the screen, read back pixel by pixel.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace harness {

class ScreenPixels {
public:
    ScreenPixels(RECT area, std::vector<uint32_t> pixels) : area_(area), pixels_(std::move(pixels)) {}
    int width() const { return area_.right - area_.left; }
    int height() const { return area_.bottom - area_.top; }
    const RECT& area() const { return area_; }
    // The colour at (x, y) relative to the captured area's top-left corner.
    COLORREF at(int x, int y) const;
    // The colour at a screen point inside the captured area.
    COLORREF atScreen(POINT point) const { return at(point.x - area_.left, point.y - area_.top); }
    bool operator==(const ScreenPixels& other) const;

private:
    RECT area_;
    std::vector<uint32_t> pixels_;  // top-down rows of 0x00RRGGBB
};

// `icon` drawn at iconSize at the top-left of a bitmap the size of `area` filled with `background`, as if
// captured from `area`.
ScreenPixels drawnIcon(HICON icon, SIZE iconSize, const RECT& area, COLORREF background);

// Where `icon`, drawn at width x height, shows inside `pixels` (the top-left corner of it, relative to
// the capture), judged by its opaque pixels only, so that any background may show through the rest.
std::optional<POINT> findIcon(const ScreenPixels& pixels, HICON icon, int width, int height);

// GetDC(NULL) + BitBlt into a 32-bit top-down DIB section. The mouse pointer is never in it.
ScreenPixels captureScreen(const RECT& area);

// What the screen shows of `area` once it has stopped changing for 300 ms, or the last capture after 5 s:
// Wine puts what a window drew on the screen a little later, so one capture may still show the old picture.
ScreenPixels settledCapture(const RECT& area);

}  // namespace harness

// Placement arithmetic of the main window and the picture box. Pure code: no windows.h.
#pragma once

namespace platform {

// Where a window of `size` starts so that it is centred on a screen of `screen`: (screen - size) / 2,
// the quotient truncated toward zero (negative when the window is larger than the screen).
int centredOrigin(int screen, int size);

struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Placement&) const = default;
};

// A picture of w x h in a client area of W x H, display mode "centred": natural size when it fits,
// otherwise scaled by min(W / w, H / h) with each side truncated; centred either way.
Placement placeCentredPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);

}  // namespace platform

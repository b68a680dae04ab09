// A box that shows a picture centred in it and can carry a mouse pointer of its own, both given as
// the bytes of a cursor or icon file. Its mouse events are those the window picker needs.
#pragma once
#include <functional>

#include "platform/icon_file.h"
#include "platform/scoped.h"
#include "platform/toolkit.h"

namespace platform {

class PictureBox : public Control {
public:
    static constexpr const char* className = "OmbrixPictureBox";

    void create(const ControlArgs& args);

    // The first image of a cursor or icon file, shown at its own size (scaled down only when it does
    // not fit) in the middle of the box. An empty byte string removes the picture.
    void setPicture(Bytes file);
    // The first image of a cursor file becomes the pointer over the box; the one-byte value 0 gives
    // the box's class cursor back. Applied at once, except while the mouse is captured.
    void setMousePointer(Bytes file);

    // Cursor position in client coordinates, and Ctrl (1), Shift (2) and Alt (4).
    using MouseHandler = std::function<void(int x, int y, int keys)>;
    MouseHandler onLeftPressed;
    MouseHandler onMouseMoved;
    MouseHandler onLeftReleased;
    // The box lost the mouse capture to something other than a release it was told of.
    std::function<void()> onCaptureLost;

private:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void paint();
    void raiseMouse(const MouseHandler& handler, WPARAM wParam, LPARAM lParam);

    ScopedIcon picture_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    ScopedCursor pointer_;
};

}  // namespace platform

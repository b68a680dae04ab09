// The byte strings the program hands to its controls: the files under resources/ are compiled in
// as they are.
#pragma once
#include <cstdint>

#include "platform/icon_file.h"

namespace resources {

extern const platform::Bytes crosshairCursor;  // crosshair.cur: the picker's picture and pointer
extern const platform::Bytes applicationIcon;  // ombrix.ico: the tray icon's images
extern const platform::Bytes defaultPointer;   // one byte 0: the picture box's own class cursor
extern const platform::Bytes emptyPicture;     // no bytes: no picture

}  // namespace resources

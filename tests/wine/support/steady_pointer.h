// Moving the pointer so that it stays where it was sent.
#pragma once
#include <windows.h>

namespace harness {

// moveMouseTo, made to last. Under Wine's virtual desktop an injected move warps the X pointer with a pointer
// grab around the warp; the desktop's process turns the crossing event of that grab, which carries the old
// position, into a move back there some milliseconds later, after which mouse messages and button presses
// go to the old place. So the move is repeated until the pointer has stayed where it was sent for a while:
// once the X pointer is there, a repeated move's echo lands where the pointer is. Throws
// std::runtime_error if the pointer never settles.
void movePointerSteadilyTo(POINT screenPoint);

}  // namespace harness

// Window handles travel as 32-bit signed decimal text, in the fields and in the list. A 64-bit
// handle's upper half is the sign extension of its lower half, so the text rebuilds it exactly.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/text.h"

namespace platform {

inline std::string handleToText(HWND window) {
    return intToText(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window)));
}

inline HWND handleFromText(std::string_view text) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(textToInt(text)));
}

}  // namespace platform

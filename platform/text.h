// Text <-> integer conversion for window handles and process ids, which travel as 32-bit signed
// decimal text. Pure code: no windows.h, tested natively.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Signed decimal text of a 32-bit value: "0", "-1", "2147483647".
std::string intToText(std::int32_t value);

// Skips leading white space, takes one optional sign and the decimal digits up to the first other
// character, and wraps modulo 2^32; no digits gives 0. Never reads past the view.
std::int32_t textToInt(std::string_view text);

}  // namespace platform

// libFuzzer target for the text -> integer conversion that reads handles and process ids back from
// the list: any bytes, never a read past the text, and the same value as a plain reference reading.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/text.h"

namespace {

// Reference: whitespace, one sign, digits, reduced modulo 2^32 as each digit comes.
std::int32_t referenceReading(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::strchr(" \t\n\v\f\r", text[i]) && text[i] != '\0') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = (value * 10 + static_cast<std::uint64_t>(text[i] - '0')) % (std::uint64_t{1} << 32);
    if (negative) value = ((std::uint64_t{1} << 32) - value) % (std::uint64_t{1} << 32);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that AddressSanitizer catches any read past the text.
    auto* copy = static_cast<char*>(std::malloc(size ? size : 1));
    if (size) std::memcpy(copy, data, size);
    const std::string_view text(copy, size);
    if (platform::textToInt(text) != referenceReading(text)) std::abort();
    if (size >= 4) {
        std::int32_t value = 0;
        std::memcpy(&value, data, 4);
        if (platform::textToInt(platform::intToText(value)) != value) std::abort();
    }
    std::free(copy);
    return 0;
}

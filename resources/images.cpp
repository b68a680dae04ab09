#include "resources/images.h"

namespace resources {

namespace {
const std::uint8_t defaultPointerByte[1] = {0};
}

const platform::Bytes defaultPointer{defaultPointerByte, 1};
const platform::Bytes emptyPicture{};

}  // namespace resources

#include "platform/icon_file.h"

namespace platform {

namespace {
std::uint32_t readLe(Bytes data, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | data[at + static_cast<std::size_t>(i)];
    return value;
}
}  // namespace

std::optional<IconFile> readIconFile(Bytes file) {
    constexpr std::size_t headerSize = 6;
    constexpr std::size_t entrySize = 16;
    if (file.size() < headerSize || readLe(file, 0, 2) != 0) return std::nullopt;
    IconFile result;
    result.type = static_cast<int>(readLe(file, 2, 2));
    if (result.type != 1 && result.type != 2) return std::nullopt;
    const std::size_t count = readLe(file, 4, 2);
    if (file.size() < headerSize + count * entrySize) return std::nullopt;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = headerSize + i * entrySize;
        IconImage image;
        image.width = file[at] ? file[at] : 256;
        image.height = file[at + 1] ? file[at + 1] : 256;
        image.colorCount = file[at + 2];
        image.wordA = static_cast<int>(readLe(file, at + 4, 2));
        image.wordB = static_cast<int>(readLe(file, at + 6, 2));
        const std::uint32_t size = readLe(file, at + 8, 4);
        const std::uint32_t offset = readLe(file, at + 12, 4);
        if (offset > file.size() || size > file.size() - offset) return std::nullopt;
        image.data = file.subspan(offset, size);
        result.images.push_back(image);
    }
    return result;
}

int chooseTrayImage(const std::vector<IconImage>& images) {
    for (std::size_t i = 0; i < images.size(); ++i)
        if (images[i].width == 16 && images[i].colorCount >= 16) return static_cast<int>(i);
    return static_cast<int>(images.size()) - 1;
}

}  // namespace platform

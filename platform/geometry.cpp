#include "platform/geometry.h"

#include <cstdint>

namespace platform {

int centredOrigin(int screen, int size) { return (screen - size) / 2; }

Placement placeCentredPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) {
    int width = pictureWidth;
    int height = pictureHeight;
    if (pictureWidth > areaWidth || pictureHeight > areaHeight) {
        // min(W / w, H / h) compared exactly in integers: W / w < H / h  <=>  W * h < H * w.
        const std::int64_t byWidth = std::int64_t{areaWidth} * pictureHeight;
        const std::int64_t byHeight = std::int64_t{areaHeight} * pictureWidth;
        if (byWidth <= byHeight) {
            width = areaWidth;
            height = static_cast<int>(std::int64_t{pictureHeight} * areaWidth / pictureWidth);
        } else {
            height = areaHeight;
            width = static_cast<int>(std::int64_t{pictureWidth} * areaHeight / pictureHeight);
        }
    }
    return {(areaWidth - width) / 2, (areaHeight - height) / 2, width, height};
}

}  // namespace platform

#include "platform/geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(CentredOrigin, TruncatesTowardZero) {
    struct Case {
        int screen, size, origin;
    } cases[] = {
        {1024, 445, 289}, {768, 295, 236}, {1920, 445, 737}, {1080, 295, 392},
        {445, 445, 0},    {446, 445, 0},   {400, 445, -22},  {444, 445, 0},  // -0.5 truncates to 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::centredOrigin(c.screen, c.size), c.origin) << c.screen << "," << c.size;
}

TEST(PlaceCentredPicture, NaturalSizeWhenItFitsScaledOtherwise) {
    struct Case {
        int areaW, areaH, w, h;
        platform::Placement expected;
    } cases[] = {
        {36, 36, 32, 32, {2, 2, 32, 32}},  // the crosshair in the picture box
        {36, 36, 36, 36, {0, 0, 36, 36}}, {36, 36, 16, 16, {10, 10, 16, 16}},
        {36, 36, 31, 31, {2, 2, 31, 31}},                                    // halves truncate
        {36, 36, 64, 64, {0, 0, 36, 36}}, {36, 36, 72, 36, {0, 9, 36, 18}},  // wide: width limits
        {36, 36, 36, 72, {9, 0, 18, 36}},                                    // tall: height limits
        {36, 20, 48, 48, {8, 0, 20, 20}}, {36, 36, 37, 10, {0, 13, 36, 9}},  // 10 * 36 / 37 = 9.7 truncates to 9
        {0, 0, 32, 32, {0, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::placeCentredPicture(c.areaW, c.areaH, c.w, c.h), c.expected)
            << c.areaW << "x" << c.areaH << " " << c.w << "x" << c.h;
}

}  // namespace

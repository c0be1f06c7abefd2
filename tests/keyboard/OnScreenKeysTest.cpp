// The on-screen keyboard's hit test: the gap after a key belongs to that key.
#include "keyboard/OnScreenKeys.h"

#include <gtest/gtest.h>

namespace {

TEST(OnScreenKeysTest, HitTestGivesTheGapAfterAKeyToThatKey) {
    struct Case {
        int x, y;
        int row, column;
    };
    const Case cases[] = {
        {0, 0, 0, 0},     {19, 5, 0, 0},    {20, 5, 0, 0},    {21, 5, 0, 1},    {36, 15, 0, 1},
        {37, 15, 0, 1},   {38, 16, 1, 1},   {239, 0, 0, 13},  {239, 20, 1, 12}, {229, 40, 2, 12},
        {228, 40, 2, 11}, {238, 50, 3, 11}, {22, 64, 4, 0},   {24, 64, 4, 1},   {100, 79, 4, 4},
        {239, 79, 4, 8},  {-1, 10, -1, 0},  {240, 10, -1, 0}, {10, -1, -1, 0},  {10, 80, -1, 0},
    };
    for (const auto& c : cases) {
        KeyPosition hit = HitTestKeyboard(c.x, c.y);
        EXPECT_EQ(hit.row, c.row) << c.x << "," << c.y;
        if (c.row >= 0) {
            EXPECT_EQ(hit.column, c.column) << c.x << "," << c.y;
        }
    }
}

} // namespace

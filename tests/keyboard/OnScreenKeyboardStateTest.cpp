// The on-screen keyboard's own state: faces, the locks on the face keys, and the view switch.
#include "keyboard/OnScreenKeyboardState.h"

#include "keyboard/VirtualKeys.h"

#include <gtest/gtest.h>

namespace {

// Presses and releases a key as a click would.
std::vector<KeyboardSend> Click(OnScreenKeyboardState& keyboard, int row, int column) {
    keyboard.m_nPressedRow = row;
    keyboard.m_nPressedColumn = column;
    std::vector<KeyboardSend> sends = keyboard.KeyAction(true);
    for (const KeyboardSend& send : keyboard.KeyAction(false))
        sends.push_back(send);
    return sends;
}

TEST(OnScreenKeyboardStateTest, SelectFaceTakesOnlyTheFacesSet) {
    OnScreenKeyboardState keyboard;
    EXPECT_EQ(keyboard.Table(), KeyboardTable::Latin);
    EXPECT_EQ(keyboard.SelectFace(kFaceRussian, 1), 0);
    keyboard.SetFaces(kFaceLatin, kFaceRussian);
    EXPECT_EQ(keyboard.SelectFace(2, 1), 0);
    EXPECT_EQ(keyboard.m_nFaceIndex, 1);

    struct Case {
        int face, standard;
        int faceIndex;
        KeyboardTable table;
    };
    const Case cases[] = {
        {kFaceRussian, 1, 1, KeyboardTable::RussianStandard},
        {kFaceRussian, 0, 1, KeyboardTable::RussianTypewriter},
        {kFaceLatin, 0, 0, KeyboardTable::LatinAccented},
        {kFaceLatin, 1, 0, KeyboardTable::Latin},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keyboard.SelectFace(c.face, c.standard), 1);
        EXPECT_EQ(keyboard.m_nFaceIndex, c.faceIndex);
        EXPECT_EQ(keyboard.Table(), c.table);
    }
}

TEST(OnScreenKeyboardStateTest, FaceKeyWaitsForTheUnlockAndFaceOneHasNoAlternateTable) {
    OnScreenKeyboardState keyboard;
    keyboard.SetFaces(kFaceLatin, kFaceRussian);
    Click(keyboard, 4, 0);
    EXPECT_EQ(keyboard.m_nFaceIndex, 1) << "locked until the main window has set its logo";
    keyboard.m_bFaceLocked = 0;
    std::vector<KeyboardSend> sends = Click(keyboard, 4, 0);
    EXPECT_EQ(keyboard.m_nFaceIndex, 0);
    // The face key is a Ctrl key for the window as well.
    EXPECT_EQ(sends,
              (std::vector<KeyboardSend>{{KeyboardSend::KeyDown, VK_CONTROL}, {KeyboardSend::KeyUp, VK_CONTROL}}));

    OnScreenKeyboardState faceOne;
    faceOne.SelectFace(kFaceOne, 1);
    Click(faceOne, 4, 1);
    EXPECT_EQ(faceOne.m_bAltTable, 0);
    EXPECT_EQ(faceOne.Table(), KeyboardTable::Latin);
}

TEST(OnScreenKeyboardStateTest, ShiftHoldsForOneKeyAndTheStateKeysDoNotEndIt) {
    OnScreenKeyboardState keyboard;
    keyboard.SetFaces(kFaceLatin, kFaceRussian);
    keyboard.SelectFace(kFaceLatin, 1);
    Click(keyboard, 3, 0);
    Click(keyboard, 2, 0); // Caps
    Click(keyboard, 4, 1); // alternate table
    EXPECT_EQ(keyboard.m_bShift, 1);
    EXPECT_FALSE(keyboard.Upper());
    Click(keyboard, 4, 4); // space
    EXPECT_EQ(keyboard.m_bShift, 0);
    EXPECT_TRUE(keyboard.Upper());
}

TEST(OnScreenKeyboardStateTest, TheSqueezeCountsDownAndCatchesUp) {
    OnScreenKeyboardState keyboard;
    EXPECT_FALSE(keyboard.BeginToggleView(false)) << "nothing to show instead of the keyboard";
    ASSERT_TRUE(keyboard.BeginToggleView(true));
    EXPECT_EQ(keyboard.m_nView, kViewToLogo);
    EXPECT_EQ(keyboard.m_nAnim, 80);
    EXPECT_FALSE(keyboard.BeginToggleView(true)) << "no second start while animating";
    for (int tick = 0; tick < 5; ++tick)
        EXPECT_FALSE(keyboard.AnimationTick(1)) << tick;
    EXPECT_EQ(keyboard.m_nAnim, 5);
    EXPECT_TRUE(keyboard.AnimationTick(1));
    keyboard.FinishAnimation();
    EXPECT_EQ(keyboard.m_nView, kViewLogo);
    EXPECT_EQ(keyboard.m_nAnim, 0);

    ASSERT_TRUE(keyboard.BeginToggleView(true));
    EXPECT_EQ(keyboard.m_nView, kViewToKeyboard);
    EXPECT_TRUE(keyboard.AnimationTick(6)) << "a late tick counts the ticks it missed";
    keyboard.FinishAnimation();
    EXPECT_EQ(keyboard.m_nView, kViewKeyboard);
}

} // namespace

// Every icon a button asks for exists, at the size asked, and its looks differ.
#include "res/Icons.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>

namespace {

QImage Image(int id, int size = 32) {
    return LoadIconPixmap(id, size, size).toImage();
}

TEST(IconsTest, EveryButtonOfTheProgramHasItsIcons) {
    // The main window's buttons as their add operations take them, then the Data page's.
    const int wanted[] = {306,
                          307,
                          308,
                          303,
                          304,
                          305,
                          220,
                          221,
                          204,
                          205,
                          147,
                          146,
                          145,
                          144,
                          IDI_SAVE,
                          IDI_NEW,
                          IDI_DELETE,
                          IDI_UNDO,
                          IDI_VIEW_EDITOR,
                          IDI_VIEW_CHOICE,
                          IDI_LOCK_OPEN,
                          IDI_LOCK_CLOSED};
    for (int id : wanted) {
        QImage image = Image(id);
        ASSERT_FALSE(image.isNull()) << id;
        EXPECT_EQ(image.size(), QSize(32, 32)) << id;
    }
    EXPECT_TRUE(LoadIconPixmap(999).isNull());
    EXPECT_TRUE(LoadIconPixmap(IDI_SAVE, 0, 32).isNull());
    EXPECT_EQ(IconIds().size(), 38u);
}

TEST(IconsTest, LooksOfAPictureDifferAndPicturesDifferFromEachOther) {
    std::set<QByteArray> seen;
    for (int id : IconIds()) {
        QImage image = Image(id).convertToFormat(QImage::Format_ARGB32);
        QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        EXPECT_TRUE(seen.insert(bytes).second) << id << " looks like another icon";
        // Something is drawn, and it leaves a transparent margin for the button's frame.
        int opaque = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                opaque += qAlpha(image.pixel(x, y)) > 128;
        EXPECT_GT(opaque, 32 * 32 / 8) << id;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << id;
    }
}

TEST(IconsTest, LookOfEveryId) {
    EXPECT_EQ(IconLook(IDI_SIDE_LATIN), kIconLookNormal);
    EXPECT_EQ(IconLook(IDI_SIDE_LATIN + 1), kIconLookHot);
    EXPECT_EQ(IconLook(IDI_SIDE_LATIN + 2), kIconLookDisabled);
    EXPECT_EQ(IconLook(IDI_EXIT_HOT), kIconLookHot);
    EXPECT_EQ(IconLook(IDI_ABOUT), kIconLookNormal);
    EXPECT_EQ(IconLook(1), -1);
}

TEST(IconsTest, ScalesToTheSizeAsked) {
    EXPECT_EQ(Image(IDI_HELP, 16).size(), QSize(16, 16));
    EXPECT_EQ(LoadIconPixmap(IDI_HELP, 48, 24).size(), QSize(48, 24));
}

} // namespace

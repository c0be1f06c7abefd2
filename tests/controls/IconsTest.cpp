// Every icon is drawn at the size asked, and its looks differ.
#include "res/Icons.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(IconsTest, EveryIconIsDrawnAndUnlikeAnyOther) {
    EXPECT_EQ(LoadIconPixmap(IDI_HELP, 48, 24).size(), QSize(48, 24));
    EXPECT_TRUE(LoadIconPixmap(999).isNull());
    std::set<QByteArray> seen;
    for (int id : IconIds()) {
        QImage image = LoadIconPixmap(id).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_TRUE(
            seen.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes())).second)
            << id << " looks like another icon";
        // Something is drawn, and it leaves a transparent margin for the button's frame.
        int opaque = 0;
        for (int i = 0; i < 32 * 32; ++i)
            opaque += qAlpha(image.pixel(i % 32, i / 32)) > 128;
        EXPECT_GT(opaque, 32 * 32 / 8) << id;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << id;
    }
}

} // namespace

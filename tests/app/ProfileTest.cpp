// The program's settings, its text lookup and the delivered profile.
#include "app/Profile.h"

#include "app/TextKeys.h"
#include "keyboard/CodePages.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using ProfileTest = TempHomeTest;

TEST_F(ProfileTest, WithoutProfileEverySettingHasItsDefaultAndEveryTextReadsError) {
    EXPECT_EQ(ReadSetting(kSettingComPort), 0);
    EXPECT_EQ(ReadSetting(kSettingHandheldTable), "!");
    EXPECT_EQ(ReadSetting(kSettingPcTable), "!");
    for (const TextKey& key : TextKeys())
        EXPECT_EQ(LookupText(kGermanSection, key.key), "error") << key.key;
}

// The delivered profile as the build made it: every key in both languages, no
// "error" anywhere, the Russian texts in Cyrillic bytes, the German ones
// without the lower-case umlauts the interface font lacks.
TEST_F(ProfileTest, DeliveredProfileHoldsEveryKeyInBothLanguages) {
    m_temp.InstallDeliveredProfile();
    for (const char* section : {kGermanSection, kRussianSection}) {
        for (const TextKey& key : TextKeys()) {
            SCOPED_TRACE(std::string(section) + "/" + key.key);
            std::string text = LookupText(section, key.key);
            EXPECT_NE(text, "error");
            EXPECT_FALSE(text.empty());
        }
    }
    EXPECT_EQ(PcToUtf8(LookupText(kRussianSection, "15")), "Настройки");
    EXPECT_EQ(PcToUtf8(LookupText(kGermanSection, "24")), "Übernehmen");
    EXPECT_EQ(LookupText(kGermanSection, "24")[0], '\x82');
}

TEST_F(ProfileTest, DeliveredConversionTableIsOneToOne) {
    m_temp.InstallDeliveredProfile();
    std::string handheld = ReadSetting(kSettingHandheldTable);
    std::string pc = ReadSetting(kSettingPcTable);
    ASSERT_EQ(handheld.size(), pc.size());
    EXPECT_EQ(std::set<char>(handheld.begin(), handheld.end()).size(), handheld.size());
    EXPECT_EQ(PcToUtf8(pc), "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯЁÄÖÜß");
    EXPECT_EQ(handheld.substr(0, 2), "\x80\x81");
}

} // namespace

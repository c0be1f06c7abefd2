// The first start puts the delivered profile in place, and never over anything.
#include "app/DeliveredProfile.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

struct PlacementCase {
    const char* name;
    // What lies in the profile's place before: "", "file", "folder" or "dangling link".
    std::string there;
    bool delivered;
    ProfilePlacement expected;
};

void PrintTo(const PlacementCase& c, std::ostream* out) { *out << c.name; }

class DeliveredProfileTest : public TempHomeTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(DeliveredProfileTest, CopiesOnlyIntoAnEmptyPlace) {
    const PlacementCase& c = GetParam();
    const fs::path delivered = m_temp.Data() / "share" / "kl840t-link.ini";
    if (c.delivered) {
        fs::create_directories(delivered.parent_path());
        WriteFileBytes(delivered, "[interface]\r\ncom=0\r\n");
    }
    // A folder of the configuration that does not exist yet.
    const fs::path profile = m_temp.Home() / "config" / "kl840t" / "kl840t-link.ini";
    fs::create_directories(profile.parent_path());
    if (c.there == "file")
        WriteFileBytes(profile, "user's own");
    else if (c.there == "folder")
        fs::create_directory(profile);
    else if (c.there == "dangling link")
        fs::create_symlink(m_temp.Home() / "elsewhere.ini", profile);
    else
        fs::remove(profile.parent_path());

    std::string error;
    EXPECT_EQ(PutDeliveredProfileInPlace(delivered, profile, error), c.expected) << error;

    const char* expectedBytes = c.expected == ProfilePlacement::kPutInPlace ? "[interface]\r\ncom=0\r\n"
                                : c.there == "file"                         ? "user's own"
                                                                            : "";
    EXPECT_EQ(ReadFileBytes(profile), expectedBytes);
    EXPECT_FALSE(fs::exists(m_temp.Home() / "elsewhere.ini")) << "written through the link";
    EXPECT_EQ(fs::exists(fs::symlink_status(profile)), !c.there.empty() || c.delivered);
    // Nothing half-done is left beside the profile.
    for (const auto& entry : fs::recursive_directory_iterator(m_temp.Home() / "config"))
        EXPECT_TRUE(entry.path() == profile || entry.is_directory()) << entry.path();
}

INSTANTIATE_TEST_SUITE_P(
    Places, DeliveredProfileTest,
    ::testing::Values(PlacementCase{"NothingThere", "", true, ProfilePlacement::kPutInPlace},
                      PlacementCase{"UsersProfile", "file", true, ProfilePlacement::kAlreadyThere},
                      PlacementCase{"AFolder", "folder", true, ProfilePlacement::kAlreadyThere},
                      PlacementCase{"DanglingLink", "dangling link", true, ProfilePlacement::kAlreadyThere},
                      PlacementCase{"NotInstalled", "", false, ProfilePlacement::kNoDeliveredProfile}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

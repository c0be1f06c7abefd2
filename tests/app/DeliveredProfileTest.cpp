// The first start puts the delivered profile in place, and never over anything.
#include "app/DeliveredProfile.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// What lies in the profile's place before: "", "file", "folder" or "link" (dangling).
struct PlacementCase {
    std::string there;
    bool delivered;
    ProfilePlacement expected;
};

TEST(DeliveredProfileTest, CopiesOnlyIntoAnEmptyPlace) {
    const PlacementCase cases[] = {{"", true, ProfilePlacement::kPutInPlace},
                                   {"file", true, ProfilePlacement::kAlreadyThere},
                                   {"folder", true, ProfilePlacement::kAlreadyThere},
                                   {"link", true, ProfilePlacement::kAlreadyThere},
                                   {"", false, ProfilePlacement::kNoDeliveredProfile}};
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.there + (c.delivered ? " delivered" : ""));
        TempHome temp;
        const fs::path delivered = temp.Data() / "kl840t-link.ini", folder = temp.Home() / "config" / "kl840t";
        const fs::path profile = folder / "kl840t-link.ini"; // in a folder that is not there yet
        if (c.delivered)
            WriteFileBytes(delivered, "[interface]\r\n");
        if (!c.there.empty())
            fs::create_directories(folder);
        if (c.there == "file")
            WriteFileBytes(profile, "user's own");
        if (c.there == "folder")
            fs::create_directory(profile);
        if (c.there == "link")
            fs::create_symlink(folder / "elsewhere.ini", profile);

        std::string error;
        EXPECT_EQ(PutDeliveredProfileInPlace(delivered, profile, error), c.expected) << error;
        EXPECT_EQ(ReadFileBytes(profile), c.there == "file"                ? "user's own"
                                          : c.there.empty() && c.delivered ? "[interface]\r\n"
                                                                           : "");
        EXPECT_EQ(fs::exists(fs::symlink_status(profile)), c.delivered || !c.there.empty());
        // Nothing written through the link, nothing half-done left beside the profile.
        for (const auto& entry : fs::recursive_directory_iterator(temp.Home()))
            EXPECT_TRUE(entry.path() == profile || entry.is_directory()) << entry.path();
    }
}

} // namespace

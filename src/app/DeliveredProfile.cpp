// The first start of an installed program: the delivered profile becomes the user's.
#include "app/DeliveredProfile.h"

#include "app/FileBytes.h"
#include "app/ProgramPaths.h"

#include <fstream>
#include <iostream>
#include <system_error>

ProfilePlacement PutDeliveredProfileInPlace(const std::filesystem::path& delivered,
                                            const std::filesystem::path& profile, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code status;
    // symlink_status: a dangling link counts as something in the place.
    const fs::file_type there = fs::symlink_status(profile, status).type();
    if (there == fs::file_type::none) {
        error = profile.string() + ": " + status.message();
        return ProfilePlacement::kFailed;
    }
    if (there != fs::file_type::not_found)
        return ProfilePlacement::kAlreadyThere;
    std::optional<std::string> bytes = ReadFileBytes(delivered);
    if (!bytes)
        return ProfilePlacement::kNoDeliveredProfile;

    fs::create_directories(profile.parent_path(), status);
    // The whole copy is written first and then linked into place: linking
    // fails when something appeared there meanwhile, and a half-written
    // profile is never left where it would stop the next start from copying.
    fs::path copy = profile;
    copy += ".delivered";
    {
        std::ofstream out(copy, std::ios::binary | std::ios::trunc);
        out << *bytes;
        out.close();
        if (!out) {
            fs::remove(copy, status);
            error = copy.string() + ": cannot be written";
            return ProfilePlacement::kFailed;
        }
    }
    std::error_code linked;
    fs::create_hard_link(copy, profile, linked);
    fs::remove(copy, status);
    if (linked == std::errc::file_exists)
        return ProfilePlacement::kAlreadyThere;
    if (linked) {
        error = profile.string() + ": " + linked.message();
        return ProfilePlacement::kFailed;
    }
    return ProfilePlacement::kPutInPlace;
}

void PutDeliveredProfileInPlace(const char* programName) {
    std::string error;
    if (PutDeliveredProfileInPlace(DeliveredProfilePath(), ProfilePath(), error) == ProfilePlacement::kFailed)
        std::cerr << programName << ": the delivered profile could not be put in place: " << error << '\n';
}

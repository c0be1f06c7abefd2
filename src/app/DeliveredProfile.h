// The first start of an installed program: the delivered profile becomes the user's.
#pragma once

#include <filesystem>
#include <string>

enum class ProfilePlacement {
    kAlreadyThere,       // something is in the profile's place: it is left alone
    kNoDeliveredProfile, // nothing to copy (the program runs from its build folder)
    kPutInPlace,
    kFailed, // the reason is in `error`; the program runs on without a profile
};

// Copies the delivered profile into the profile's place when nothing is there,
// creating the folder. Never writes over anything: a file, a folder or a link
// in that place, even one that cannot be read, stays as it is.
ProfilePlacement PutDeliveredProfileInPlace(const std::filesystem::path& delivered,
                                            const std::filesystem::path& profile, std::string& error);

// The same for the running program's own profile; a failure is reported on
// standard error under the program's name.
void PutDeliveredProfileInPlace(const char* programName);

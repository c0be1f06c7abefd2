// Fuzz target: the profile reader and writer must take any bytes without a
// fault, a write must be read back, and it must leave the rest of the file as
// it was.
#include "app/ProfileFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view data(reinterpret_cast<const char*>(bytes), size);
    // Names that the delivered profile uses, in other spellings too.
    static constexpr std::string_view kSections[] = {"interface", "INTERFACE", "germanbased", "russian", "x"};
    static constexpr std::string_view kKeys[] = {"com", "Kbdstate", "OVGeRuTable", "56ru", "130geruge"};
    for (std::string_view section : kSections) {
        for (std::string_view key : kKeys) {
            ProfileFile::Lookup(data, section, key, "error");
            ProfileFile::LookupInt(data, section, key, 7);
            const std::string updated = ProfileFile::Update(data, section, key, "41");
            if (ProfileFile::LookupInt(updated, section, key, 0) != 41)
                std::abort();
            // Writing the value it already has changes nothing.
            if (ProfileFile::Update(updated, section, key, "41") != updated)
                std::abort();
        }
    }
    return 0;
}

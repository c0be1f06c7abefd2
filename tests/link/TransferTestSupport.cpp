// Transfers against the in-process simulated handheld.
#include "TransferTestSupport.h"

std::string PacketsOfLengths(char letter, const std::vector<int>& lengths) {
    std::string file;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        int length = lengths[i];
        file += letter;
        file += static_cast<char>(i);
        file += static_cast<char>(length & 0xFF);
        file += static_cast<char>(length >> 8);
        file += i + 1 == lengths.size() ? 'L' : 'N';
        for (int k = 5; k < length; ++k)
            file += static_cast<char>(k * 13 + static_cast<int>(i));
    }
    return file;
}

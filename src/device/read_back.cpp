#include "device/read_back.h"

#include <array>

namespace novu {

namespace {
constexpr std::size_t kStatusProfileByte = 6;
constexpr std::uint16_t kDpiLevelAddress = 0x18;
}  // namespace

int ReadActiveProfile(FeatureTransport& transport) {
    return (transport.ReadStatus()[kStatusProfileByte] >> 2) & 3;
}

int ReadDpiLevel(FeatureTransport& transport) {
    // The whole chunk is read although only its first byte is used: the mouse has always been
    // asked this way.
    std::array<std::uint8_t, 8> chunk{};
    transport.ReadBlock(kDpiLevelAddress, chunk);
    return chunk[0] & 7;
}

}  // namespace novu

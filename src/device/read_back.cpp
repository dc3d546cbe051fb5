#include "device/read_back.h"

#include <array>

#include "device/memory_image.h"
#include "device/report_layout.h"

namespace novu {

int ReadActiveProfile(FeatureTransport& transport) {
    return (transport.ReadStatus()[report_byte::kAnswerStatus] >> 2) & 3;
}

int ReadDpiLevel(FeatureTransport& transport) {
    // The whole chunk is read although only its first byte is used: the mouse has always been
    // asked this way.
    std::array<std::uint8_t, 8> chunk{};
    transport.ReadBlock(memory_address::kDpiLevel, chunk);
    return chunk[0] & 7;
}

}  // namespace novu

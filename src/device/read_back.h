#pragma once

#include "device/feature_transport.h"

namespace novu {

// The two pieces of live state read back from the mouse, which can change both by itself.
// Neither read retries or checks the answer: with no mouse the buffer keeps the request.

// The profile active on the mouse, 0..3: bits 2..3 of byte 6 of the status answer.
int ReadActiveProfile(FeatureTransport& transport);

// The mouse's current DPI level, 0..7: the low three bits of the memory byte at 0x18, read
// as one 8-byte block. Without a mouse the read yields the command code 0x18, i.e. level 0.
int ReadDpiLevel(FeatureTransport& transport);

}  // namespace novu

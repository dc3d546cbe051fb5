#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"

namespace novu {

// One top-level collection of a HID report descriptor, with the report lengths the way HID
// capabilities state them: the largest report of the kind in the collection, plus one byte
// for the report ID when the descriptor uses report IDs; 0 when it has no report of the kind.
struct TopLevelCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::size_t inputReportLength = 0;
    std::size_t featureReportLength = 0;

    bool operator==(const TopLevelCollection&) const = default;
};

// Parses a report descriptor (Device Class Definition for HID 1.11, section 6.2.2) into its
// top-level collections, in order. A malformed descriptor (an item running past the end,
// unbalanced collections or push/pop, out-of-range report sizes) is an error.
Result<std::vector<TopLevelCollection>> ParseReportDescriptor(
    std::span<const std::uint8_t> descriptor);

}  // namespace novu

#pragma once

#include <cstddef>

namespace novu::report_byte {

// Byte offsets of a feature report: what the utility sends and the mouse reads.
constexpr std::size_t kReportId = 0;
constexpr std::size_t kCommand = 1;
constexpr std::size_t kArg0 = 2;  // arguments occupy bytes 2..7

// Byte offsets of a MemoryAccess report.
constexpr std::size_t kStepFlags = 2;
constexpr std::size_t kChunkIndex = 3;
constexpr std::size_t kAddressLow = 4;
constexpr std::size_t kAddressHigh = 5;
constexpr std::size_t kData = 6;
constexpr std::size_t kLengthMinusOne = 7;

// The mouse's answer to a get-feature request: the byte of a memory read, and the status
// byte of a status read.
constexpr std::size_t kAnswerData = 1;
constexpr std::size_t kAnswerStatus = 6;

}  // namespace novu::report_byte

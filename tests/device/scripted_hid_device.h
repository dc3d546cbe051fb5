#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "base/clock.h"
#include "device/hid.h"

namespace novu::test {

// A feature interface that records every report and answers get reports from a script. With
// no scripted answer left, a get report fails and leaves the caller's buffer untouched, as a
// missing mouse does.
class ScriptedHidDevice final : public HidDevice {
public:
    struct Exchange {
        bool answer = false;                 // a get report
        std::array<std::uint8_t, 8> head{};  // bytes 0..7 (after the call for a get)
        std::size_t length = 0;
        TimePoint at{};
    };

    explicit ScriptedHidDevice(const Clock* clock = nullptr) : clock_(clock) {}

    void QueueAnswer(std::array<std::uint8_t, 8> answer) {
        std::lock_guard lock(mutex_);
        answers_.push_back(answer);
    }
    std::vector<Exchange> Exchanges() const {
        std::lock_guard lock(mutex_);
        return exchanges_;
    }
    // Bytes 0..7 of every set report, in order.
    std::vector<std::array<std::uint8_t, 8>> Sent() const {
        std::lock_guard lock(mutex_);
        std::vector<std::array<std::uint8_t, 8>> sent;
        for (const Exchange& e : exchanges_) {
            if (!e.answer) {
                sent.push_back(e.head);
            }
        }
        return sent;
    }

    Result<void> SetFeature(std::span<const std::uint8_t> report) override {
        std::lock_guard lock(mutex_);
        exchanges_.push_back({false, Head(report), report.size(), Now()});
        return Ok();
    }
    Result<void> GetFeature(std::span<std::uint8_t> report) override {
        std::lock_guard lock(mutex_);
        if (answers_.empty()) {
            exchanges_.push_back({true, Head(report), report.size(), Now()});
            return MakeError(Fault::Device, "no answer");
        }
        std::fill(report.begin(), report.end(), std::uint8_t{0});
        std::copy(answers_.front().begin(), answers_.front().end(), report.begin());
        answers_.pop_front();
        exchanges_.push_back({true, Head(report), report.size(), Now()});
        return Ok();
    }
    Result<std::size_t> ReadInput(std::span<std::uint8_t>) override { return std::size_t{0}; }
    void Interrupt() override {}

private:
    static std::array<std::uint8_t, 8> Head(std::span<const std::uint8_t> report) {
        std::array<std::uint8_t, 8> head{};
        std::copy_n(report.begin(), std::min(report.size(), head.size()), head.begin());
        return head;
    }
    TimePoint Now() const { return clock_ != nullptr ? clock_->Now() : TimePoint{}; }

    const Clock* clock_;
    mutable std::mutex mutex_;
    std::deque<std::array<std::uint8_t, 8>> answers_;
    std::vector<Exchange> exchanges_;
};

}  // namespace novu::test

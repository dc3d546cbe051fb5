#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "base/virtual_clock.h"
#include "device/feature_transport.h"
#include "emulator/virtual_mouse.h"

namespace novu::test {

using ReportHead = std::array<std::uint8_t, 8>;

// A feature interface that tells a callback about every set report before passing it on:
// the place where a test plays the user's hand (a release, a second press) at a given
// moment of the playback.
class WatchedDevice final : public HidDevice {
public:
    WatchedDevice(HidDevice& inner, std::function<void()> onSet)
        : inner_(inner), onSet_(std::move(onSet)) {}
    Result<void> SetFeature(std::span<const std::uint8_t> report) override {
        onSet_();
        return inner_.SetFeature(report);
    }
    Result<void> GetFeature(std::span<std::uint8_t> report) override {
        return inner_.GetFeature(report);
    }
    Result<std::size_t> ReadInput(std::span<std::uint8_t> report) override {
        return inner_.ReadInput(report);
    }
    void Interrupt() override { inner_.Interrupt(); }

private:
    HidDevice& inner_;
    std::function<void()> onSet_;
};

// The virtual mouse on a virtual clock with the transport attached to its feature
// interface.
struct MouseRig {
    explicit MouseRig(int variant = 1) : mouse(clock, variant) {
        transport.Attach(feature.get(), VirtualMouse::kFeatureReportLength);
    }

    // Routes the transport through a WatchedDevice.
    void Watch(std::function<void()> onSet) {
        watched = std::make_unique<WatchedDevice>(*feature, std::move(onSet));
        transport.Attach(watched.get(), VirtualMouse::kFeatureReportLength);
    }

    // Set reports only, bytes 0..7, with their times.
    struct Sent {
        TimePoint time;
        ReportHead head;
    };
    std::vector<Sent> SetReports() const {
        std::vector<Sent> sent;
        for (const FeatureExchange& exchange : mouse.Exchanges()) {
            if (!exchange.answer) {
                ReportHead head{};
                std::copy_n(exchange.bytes.begin(), std::min<std::size_t>(8, exchange.bytes.size()),
                            head.begin());
                sent.push_back({exchange.time, head});
            }
        }
        return sent;
    }

    VirtualClock clock;
    VirtualMouse mouse;
    std::unique_ptr<HidDevice> feature = mouse.Open(MouseInterface::Feature, HidAccess::Write);
    std::unique_ptr<HidDevice> watched;
    FeatureTransport transport{clock};
};

}  // namespace novu::test

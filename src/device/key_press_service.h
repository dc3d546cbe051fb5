#pragma once

#include <atomic>
#include <functional>

#include "base/clock.h"
#include "device/device_thread_context.h"
#include "device/playback.h"
#include "device/playback_state.h"
#include "device/press_queue.h"

namespace novu {

// The key-press service thread: serves the presses the device event thread records. For
// every press of a mapped button it follows the DPI level the press reported (the store,
// config.ini, the window and the sound window's starting level); the press that claimed the
// trigger is then served: a multimedia key as a consumer key, and in software macro mode the
// button's macro, played step by step. Playing keeps the thread busy for the macro's whole
// duration; presses recorded meanwhile are followed afterwards but not served.
class KeyPressService {
public:
    KeyPressService(const DeviceThreadContext& context, std::function<void()> repaint,
                    PressState& press, PressQueue& queue, RandomSource& random);
    KeyPressService(const KeyPressService&) = delete;
    KeyPressService& operator=(const KeyPressService&) = delete;

    // The thread's body, until Stop.
    void Run();
    // From any other thread: closes the queue and ends a playing macro at its next pause,
    // releasing what it holds.
    void Stop();

    // Raised after every press the service is done with.
    void SetSettledEvent(ClockEvent* settled) { settled_ = settled; }

private:
    // The clock the player sleeps on: the thread's clock until Stop, after which the
    // playing macro's next pause unwinds the playback (once) and every later pause is
    // skipped, so the release that follows goes out at once.
    class PlaybackClock final : public Clock {
    public:
        struct Cancelled {};

        explicit PlaybackClock(Clock& base) : base_(base) {}
        TimePoint Now() const override { return base_.Now(); }
        void SleepUntil(TimePoint deadline) override;
        bool WaitFor(ClockEvent& event, std::optional<TimePoint> deadline) override {
            return base_.WaitFor(event, deadline);
        }
        void Raise(ClockEvent& event) override { base_.Raise(event); }
        void Join() override { base_.Join(); }
        void Leave() override { base_.Leave(); }

        void Cancel();

    private:
        Clock& base_;
        ClockEvent cancel_;
        std::atomic<bool> cancelled_{false};
        bool unwound_ = false;  // used by the playing thread only
    };

    void FollowDpi(const RecordedPress& press);
    void Serve();

    DeviceThreadContext context_;
    std::function<void()> repaint_;
    PressState& press_;
    PressQueue& queue_;
    PlaybackClock playbackClock_;
    MacroPlayer player_;
    ClockEvent* settled_ = nullptr;
};

}  // namespace novu

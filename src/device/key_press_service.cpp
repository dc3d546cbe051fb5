#include "device/key_press_service.h"

#include <algorithm>
#include <utility>

#include "device/device_event_thread.h"

namespace novu {

namespace {
// A pause waits for the cancel event until this long before its deadline and sleeps the rest
// on the clock itself, which keeps the protocol's pauses exact (an event wait wakes later
// than a sleep).
constexpr Duration kCancelMargin = Ms(1);
}  // namespace

void KeyPressService::PlaybackClock::SleepUntil(TimePoint deadline) {
    // Cancel raises the event, so a pause in progress ends at once.
    if (!cancelled_.load() && !base_.WaitFor(cancel_, deadline - kCancelMargin) &&
        !cancelled_.load()) {
        base_.SleepUntil(deadline);
    }
    if (cancelled_.load() && !unwound_) {
        unwound_ = true;
        throw Cancelled{};
    }
}

void KeyPressService::PlaybackClock::Cancel() {
    cancelled_.store(true);
    base_.Raise(cancel_);
}

KeyPressService::KeyPressService(const DeviceThreadContext& context, std::function<void()> repaint,
                                 PressState& press, PressQueue& queue, RandomSource& random)
    : context_(context),
      repaint_(std::move(repaint)),
      press_(press),
      queue_(queue),
      playbackClock_(context.clock),
      player_(context.transport, playbackClock_, context.store, context.macros, press, random) {}

void KeyPressService::Run() {
    while (const std::optional<RecordedPress> press = queue_.Next()) {
        FollowDpi(*press);
        if (queue_.TakeClaim(*press)) {
            Serve();
            queue_.FinishServing();
        }
        queue_.Done();
        if (settled_ != nullptr) {
            context_.clock.Raise(*settled_);
        }
    }
}

void KeyPressService::Serve() {
    try {
        player_.ServePress();
    } catch (const PlaybackClock::Cancelled&) {
        // Stopped in the middle of a macro: nothing stays pressed on the mouse.
        player_.ReleaseAll();
    }
}

void KeyPressService::Stop() {
    queue_.Close();
    playbackClock_.Cancel();
}

void KeyPressService::FollowDpi(const RecordedPress& press) {
    const DeviceDescription device = context_.store.Device();
    const int slots = std::clamp(device.KEYNUM, 0, kButtonSlots);
    const bool mapped =
        std::any_of(device.KEYMAP.begin(), device.KEYMAP.begin() + slots, [&](std::uint8_t key) {
            return key != 0 && key + input_report::kButtonBase == press.keyCode;
        });
    if (mapped) {
        context_.store.Update([&](Settings& s) { s.shared.DPI_LEVEL = press.dpiLevel; });
        if (repaint_) {
            repaint_();
        }
        // Every click of a mapped button reports the level, and the press waits for this
        // before it is served; writing a value the file already holds leaves the file
        // untouched. A failed write is deliberately not reported: the level is followed in
        // memory, and the next save-all writes it again.
        static_cast<void>(context_.config.SaveDpiLevel(context_.config.Folder().ConfigIni()));
        if (context_.soundStartLevel != nullptr) {
            context_.soundStartLevel->store(press.dpiLevel);
        }
    }
    press_.keyPending.store(false);
}

}  // namespace novu

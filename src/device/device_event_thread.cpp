#include "device/device_event_thread.h"

#include <algorithm>
#include <array>

#include "device/device_link.h"
#include "device/device_session.h"
#include "device/live_commands.h"
#include "device/memory_image.h"
#include "device/read_back.h"

namespace novu {

namespace {

namespace fc = function_code;

constexpr std::int32_t kFirstLoadedBuiltin = 41;  // built-in macros 41..49 are loaded on a press
constexpr std::int32_t kFirstMacroFunction = 41;  // presses of lower codes reset the toggle
constexpr std::int32_t kLeftClick = 1;
constexpr std::uint8_t kLeftButtonKey = 1;  // hardware key of the left button

// The lighting that shows an armed left-button macro: the macro's colour alone, steady.
LightingArgs ArmedLighting(std::int32_t macroColour, std::uint8_t lightingMode) {
    LightingArgs args;
    args.colourMask =
        macroColour >= 0 && macroColour < 8 ? static_cast<std::uint8_t>(1u << macroColour) : 0;
    args.on = 0;
    args.effect = 1;
    args.flag = 0;
    args.speed = 4;
    args.mode = lightingMode;
    args.word = kNormalLightingWord;
    return args;
}

// The stored lighting, restored when the armed macro is disarmed: the colour-cycle byte as
// stored, the stored effect and speed.
LightingArgs StoredLighting(const SharedSettings& shared, std::uint8_t lightingMode) {
    LightingArgs args = NormalLightingArgs(shared, lightingMode);
    args.colourMask = shared.CYC_7COL_EN;
    return args;
}

bool IsProfileSwitch(std::uint8_t type) {
    return type >= device_key_type::kProfileSwitch0 && type <= device_key_type::kProfileSwitch3;
}

std::size_t Index(int value) {
    return static_cast<std::size_t>(value);
}

}  // namespace

InputSource InputOf(const DeviceLink& link) {
    return [&link] { return InputInterface{link.InputDevice(), link.InputReportLength()}; };
}

DeviceEventThread::DeviceEventThread(const DeviceThreadContext& context,
                                     DeviceThreadCallbacks callbacks, InputSource input,
                                     PressState& press, PressQueue& queue, CurrentMacro& macro)
    : context_(context),
      callbacks_(std::move(callbacks)),
      input_(std::move(input)),
      press_(press),
      queue_(queue),
      macro_(macro) {}

// --- Reading ------------------------------------------------------------------------------

void DeviceEventThread::Run() {
    const MacroSources& macros = context_.macros;
    macro_.LoadUserMacro(macros.ReadMacroEntry(0, 0), 0, 0,
                         macros.GroupCount() > 0 && macros.MacroCount(0) > 0);

    std::array<std::uint8_t, input_report::kLargest> buffer{};
    for (;;) {
        const InputInterface input = input_();
        {
            std::lock_guard lock(readerMutex_);
            if (stopping_) {
                return;
            }
            reading_ = input.device;
        }
        if (!input.device) {
            WaitForInput(nullptr);
            continue;
        }
        const std::size_t length =
            input.reportLength == 0 ? buffer.size() : std::min(input.reportLength, buffer.size());
        // A short report must not show bytes of the one before it.
        buffer.fill(0);
        const Result<std::size_t> read = input.device->ReadInput(std::span(buffer.data(), length));
        if (!read || *read == 0) {
            // The mouse is gone (a removed device fails every read at once) or the read was
            // interrupted: wait to be told about another interface rather than spin.
            WaitForInput(input.device);
            continue;
        }
        Handle(std::span(buffer.data(), std::min(*read, length)));
        Settled();
        context_.clock.SleepFor(kEventPause);
    }
}

void DeviceEventThread::WaitForInput(const std::shared_ptr<HidDevice>& failed) {
    for (;;) {
        {
            std::lock_guard lock(readerMutex_);
            if (stopping_) {
                return;
            }
        }
        if (input_().device != failed) {
            return;
        }
        context_.clock.WaitFor(inputChanged_, std::nullopt);
    }
}

void DeviceEventThread::Stop() {
    std::shared_ptr<HidDevice> reading;
    {
        std::lock_guard lock(readerMutex_);
        stopping_ = true;
        reading = reading_;
    }
    if (reading) {
        reading->Interrupt();
    }
    context_.clock.Raise(inputChanged_);
}

void DeviceEventThread::InputChanged() {
    context_.clock.Raise(inputChanged_);
}

void DeviceEventThread::Settled() {
    handled_.fetch_add(1);
    if (settled_ != nullptr) {
        context_.clock.Raise(*settled_);
    }
}

// --- Events -------------------------------------------------------------------------------

void DeviceEventThread::Handle(std::span<const std::uint8_t> report) {
    if (report.size() < 2 || report[0] != input_report::kId) {
        return;
    }
    const std::uint8_t code = report[1];
    if (code > input_report::kButtonBase) {
        ButtonEvent(code, report.size() > 2 ? report[2] : 0);
        return;
    }
    if (context_.store.Read([](const Settings& s) { return s.shared.SOFT_HARD_MAC; }) != 1) {
        return;
    }
    switch (code) {
        case input_report::kProfileChanged:
            FollowProfile(/*switchButton=*/false);
            break;
        case input_report::kOffsetUp:
            macro_.RaiseYOffset();
            break;
        case input_report::kOffsetDown:
            macro_.LowerYOffset();
            break;
        default:
            break;
    }
}

void DeviceEventThread::ButtonEvent(std::uint8_t code, std::uint8_t state) {
    const DeviceDescription device = context_.store.Device();
    // A hardware key that no slot maps to acts as slot 0.
    const int slot = std::max(device.SlotOfHardwareKey(code - input_report::kButtonBase), 0);
    const auto [profile, function] = context_.store.Read([&](const Settings& s) {
        const int p = s.CurConfig & 3;
        return std::pair{p, s.profiles[Index(p)].K[Index(slot)]};
    });

    LoadMacroOf(function);
    if (IsProfileSwitch(context_.uploads.Keys().slotType[Index(profile)][Index(slot)])) {
        // On press and on release alike: the mouse has switched by itself.
        FollowProfile(/*switchButton=*/true);
    }
    if ((state & input_report::kReleased) == 0) {
        press_.keyPending.store(true);
        Press(slot, code, state & input_report::kDpiLevelMask, function);
    } else {
        press_.keyPending.store(false);
        Release(slot);
    }
}

void DeviceEventThread::LoadMacroOf(std::int32_t code) {
    const MacroSources& macros = context_.macros;
    if (code >= fc::kFirstUserMacro) {
        const int group = code / 256 - 1;
        const int index = code % 256;
        const bool exists = group < macros.GroupCount() && index < macros.MacroCount(group);
        macro_.LoadUserMacro(macros.ReadMacroEntry(group, index), group, index, exists);
    } else if (code >= fc::kFirstPreset) {
        if (code - fc::kFirstPreset < macros.PresetCount()) {
            macro_.LoadOther(macros.Preset(code - fc::kFirstPreset));
        }
    } else if (code >= kFirstLoadedBuiltin) {
        macro_.LoadOther(macros.Builtin(code - fc::kFirstBuiltin));
    }
}

void DeviceEventThread::FollowProfile(bool switchButton) {
    const int profile = ReadActiveProfile(context_.transport);
    context_.store.Update([&](Settings& s) { s.CurConfig = profile; });
    // Deliberately not reported: the profile is followed in memory even when config.ini
    // cannot be written, and the next save-all writes CurConfig again.
    static_cast<void>(context_.config.WriteCurConfig());
    context_.config.LoadProfile(profile, /*fromFactory=*/false);
    if (callbacks_.repaint) {
        callbacks_.repaint();
    }
    if (switchButton) {
        SendHostFunctionKeys(context_.transport, context_.store);
        press_.armed.store(false);
        queue_.CancelClaim();
    }
}

void DeviceEventThread::Press(int slot, std::uint8_t code, std::uint8_t dpiLevel,
                              std::int32_t function) {
    const Settings settings = context_.store.Snapshot();
    const int profile = settings.CurConfig & 3;
    const ProfileSettings& current = settings.profiles[Index(profile)];

    if (context_.uploads.Keys().holdSignal[Index(profile)][Index(slot)]) {
        context_.transport.HoldSignal(2);
        macro_.EnableYOffset();
    }
    // The toggle flag is worked out first and stored once: a playing macro reads it.
    bool toggle = !press_.toggle.load();
    press_.held.store(true);
    if (function < kFirstMacroFunction && !(function == kLeftClick && press_.armed.load())) {
        toggle = false;
    }
    const bool leftMacro = current.LEFT_MAC[Index(slot)] != 0;
    if (leftMacro) {
        toggle = false;
    }
    press_.toggle.store(toggle);
    if (leftMacro && settings.shared.SOFT_HARD_MAC == 1) {
        ArmingPress(slot, settings);
    }
    queue_.Record(code, dpiLevel);
}

void DeviceEventThread::ArmingPress(int slot, const Settings& settings) {
    const SharedSettings& shared = settings.shared;
    const std::uint8_t mode = context_.lightingMode.load();
    FeatureTransport& transport = context_.transport;
    if (!press_.armed.load()) {
        // The slot first: the service reads the flag, then the slot.
        press_.armedSlot.store(slot);
        press_.armed.store(true);
        transport.SetKeyFunction(kLeftButtonKey, 0);
        transport.LightingEffect(shared, ArmedLighting(shared.MAC_COR[Index(slot)], mode));
    } else if (press_.armedSlot.load() == slot) {
        press_.armed.store(false);
        const std::int32_t leftFunction = settings.profiles[Index(settings.CurConfig & 3)].K[0];
        transport.SetKeyFunction(kLeftButtonKey, static_cast<std::uint8_t>(leftFunction & 0xFF));
        transport.LightingEffect(shared, StoredLighting(shared, mode));
    } else {
        press_.armedSlot.store(slot);
        transport.LightingEffect(shared, ArmedLighting(shared.MAC_COR[Index(slot)], mode));
    }
}

void DeviceEventThread::Release(int slot) {
    press_.held.store(false);
    const auto [soft, profile] = context_.store.Read([](const Settings& s) {
        return std::pair{s.shared.SOFT_HARD_MAC == 1, s.CurConfig & 3};
    });
    if (!soft || !context_.uploads.Keys().holdSignal[Index(profile)][Index(slot)]) {
        return;
    }
    context_.transport.HoldSignal(0);
    // The offset set while the hold-signal button was held goes back into the macro's group
    // file. Only a user macro is written, and only when its offset changed: a preset or
    // built-in macro held as the current macro must never land on the user macro the
    // macro position still names.
    const std::optional<CurrentMacro::State> pending = macro_.PendingWrite();
    if (!pending || !callbacks_.writeMacroEntry) {
        return;
    }
    // A failed write is not reported (nothing is, from this thread); the change stays
    // pending and is written with the next release.
    if (callbacks_.writeMacroEntry(pending->record, pending->group, pending->index)) {
        macro_.Written(*pending);
    }
}

}  // namespace novu

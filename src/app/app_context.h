#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "app/command_line.h"
#include "base/clock.h"
#include "base/ini_files.h"
#include "config/config_files.h"
#include "config/data_folder.h"
#include "config/profile_management.h"
#include "config/settings_store.h"
#include "device/device_link.h"
#include "device/device_session.h"
#include "device/device_threads.h"
#include "device/feature_transport.h"
#include "device/pointer_settings.h"
#include "device/upload.h"
#include "emulator/virtual_bus.h"
#include "emulator/virtual_mouse.h"
#include "i18n/font_rules.h"
#include "i18n/language_selection.h"
#include "i18n/language_texts.h"
#include "macro/builtin_macros.h"
#include "macro/macro_files.h"
#include "macro/macro_library.h"
#include "macro/macro_tables.h"
#include "macro/recoil_presets.h"
#include "ui/file_picker.h"
#include "ui/ui_dispatcher.h"
#include "ui/window_notices.h"
#include "ui/window_services.h"

namespace novu {

// Seams the tests replace; each one left null gets the program's own.
struct AppSeams {
    Clock* clock = nullptr;          // the real clock
    HidBus* bus = nullptr;           // the system's hidraw bus, or with --emulate the virtual one
    UserNotices* notices = nullptr;  // the warning dialog and message boxes
    FilePicker* files = nullptr;     // the system's file dialogs
    bool watchPower = true;          // listen for the system's sleep and wake-up on D-Bus
};

// The composition root of the window program: every service, built once, in the order they
// depend on each other, and torn down in reverse. One instance per process; nothing here is
// global.
class AppContext {
public:
    AppContext(const AppOptions& options, DataFolder data, AppSeams seams);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    UiDispatcher& Dispatcher() { return dispatcher_; }
    IniFiles& Ini() { return ini_; }
    SettingsStore& Store() { return store_; }
    ConfigFiles& Config() { return config_; }
    LanguageTexts& Texts() { return texts_; }
    LanguageSelection& Language() { return language_; }
    UserNotices& Notices() { return notices_; }
    WindowNotices& OwnNotices() { return ownNotices_; }
    MacroLibrary& Library() { return library_; }
    RecoilPresets& Presets() { return presets_; }
    BuiltinMacros& Builtins() { return builtins_; }
    DeviceLink& Link() { return link_; }
    DeviceSession& Session() { return session_; }
    FeatureTransport& Transport() { return transport_; }
    UploadState& Uploads() { return uploadState_; }
    // The uploader for the mouse that was found: the product variant decides how much of the
    // header the image writes. Built once the mouse is open.
    Uploader& MakeUploader(int productVariant);
    ProfileManagement& Profiles() { return profiles_; }
    DeviceThreads& Threads() { return threads_; }
    WindowServices& Services() { return services_; }
    DialogFilePicker& OwnFiles() { return ownFiles_; }

    // Who hears of the mouse's removal (called on the bus's thread).
    void SetRemovedHandler(std::function<void()> handler) { removed_ = std::move(handler); }
    // Who repaints the window when a device thread changed the settings (any thread).
    void SetRepaintHandler(std::function<void()> handler) { repaint_ = std::move(handler); }

private:
    // First built, last gone: every thread that hands work to the window is over by then.
    UiDispatcher dispatcher_;
    std::unique_ptr<Clock> ownClock_;
    Clock& clock_;
    IniFiles ini_;  // before the emulated mouse, which reads its product string through it
    std::unique_ptr<VirtualMouse> mouse_;
    std::unique_ptr<VirtualBus> virtualBus_;
    std::unique_ptr<HidBus> systemBus_;
    HidBus& bus_;

    SettingsStore store_;
    LanguageTexts texts_;
    WindowNotices ownNotices_;
    UserNotices& notices_;
    ConfigFiles config_;
    FontState fonts_;
    LanguageSelection language_;

    MacroFiles macroFiles_;
    MacroLibrary library_;
    RecoilPresets presets_;
    BuiltinMacros builtins_;
    MacroTables tables_;

    std::function<void()> removed_;
    std::function<void()> repaint_;
    FeatureTransport transport_;
    DeviceLink link_;
    DeviceSession session_;
    UploadState uploadState_;
    // The DPI level the sound-reactive lighting starts from: the last level uploaded or
    // reported by the mouse.
    std::atomic<int> soundStartLevel_{0};
    NoPointerSettings pointer_;
    std::optional<Uploader> uploader_;
    ProfileManagement profiles_;
    DeviceThreads threads_;

    DialogFilePicker ownFiles_;
    WindowServices services_;
};

}  // namespace novu

#include "app/app_context.h"

#include "base/real_clock.h"
#include "platform/linux/linux_hid_bus.h"

namespace novu {

namespace {

// The emulated mouse answers to the product string the device description expects, so
// discovery matches it as it would match the real mouse.
std::unique_ptr<VirtualMouse> MakeMouse(const AppOptions& options, Clock& clock,
                                        const IniFiles& ini,
                                        const std::filesystem::path& configIni) {
    if (!options.emulate) {
        return nullptr;
    }
    const std::string devString = ini.GetString(configIni, "PRODUCTNAME", "DevString", "", 260);
    return devString.empty()
               ? std::make_unique<VirtualMouse>(clock, options.emulateVariant)
               : std::make_unique<VirtualMouse>(clock, options.emulateVariant, devString);
}

}  // namespace

AppContext::AppContext(const AppOptions& options, DataFolder data, AppSeams seams)
    : ownClock_(seams.clock == nullptr ? std::make_unique<RealClock>() : nullptr),
      clock_(seams.clock != nullptr ? *seams.clock : *ownClock_),
      mouse_(seams.bus == nullptr ? MakeMouse(options, clock_, ini_, data.ConfigIni()) : nullptr),
      virtualBus_(mouse_ ? std::make_unique<VirtualBus>(*mouse_) : nullptr),
      systemBus_(seams.bus == nullptr && !mouse_ ? std::make_unique<LinuxHidBus>() : nullptr),
      bus_(seams.bus != nullptr ? *seams.bus
           : virtualBus_        ? static_cast<HidBus&>(*virtualBus_)
                                : *systemBus_),
      texts_(data, ini_, seams.notices != nullptr ? *seams.notices : ownNotices_),
      ownNotices_(texts_, dispatcher_),
      notices_(seams.notices != nullptr ? *seams.notices : ownNotices_),
      config_(data, ini_, store_, notices_),
      language_(store_, config_, texts_, fonts_),
      macroFiles_(ini_, MacVkAndText([this] { return store_.LanguageIndex(); }, &texts_)),
      library_(macroFiles_, notices_, texts_, clock_),
      presets_(macroFiles_, notices_),
      builtins_(macroFiles_, notices_),
      tables_(library_, presets_, builtins_),
      transport_(clock_),
      link_(bus_,
            [this] {
                if (removed_) {
                    removed_();
                }
            }),
      session_(link_, transport_),
      uploadState_(clock_),
      profiles_(config_, ini_, store_, notices_),
      threads_(DeviceThreadContext{clock_, transport_, store_, config_, tables_, uploadState_,
                                   session_.LightingMode(), &soundStartLevel_},
               DeviceThreadCallbacks{[this] {
                                         if (repaint_) {
                                             repaint_();
                                         }
                                     },
                                     [this](const MacroRecord& record, int group, int index) {
                                         return library_.WriteMacroEntry(record, group, index);
                                     }},
               InputOf(link_)),
      services_{data,
                ini_,
                store_,
                config_,
                texts_,
                language_,
                fonts_,
                notices_,
                library_,
                presets_,
                profiles_,
                transport_,
                clock_,
                session_.LightingMode(),
                seams.files != nullptr ? *seams.files : ownFiles_,
                dispatcher_} {
    library_.ConnectSaveAll(config_);
}

Uploader& AppContext::MakeUploader(int productVariant) {
    uploader_.emplace(UploadContext{transport_, store_, tables_, pointer_, notices_, clock_,
                                    uploadState_, productVariant, kLightingModeFound,
                                    &threads_.Press(), &soundStartLevel_});
    return *uploader_;
}

AppContext::~AppContext() {
    // The threads and the bus watcher end before the services they use go away.
    threads_.Stop();
    link_.StopWatching();
}

}  // namespace novu

#include "config/config_files.h"

#include <algorithm>

#include "base/text.h"

namespace novu {

namespace {

std::string Key(std::string_view name, int index) {
    return std::string(name) + FormatDecimal(index);
}

std::string ProfileSection(int profile) {
    return Key("Config", profile);
}

std::string LeftMacKey(int profile, int slot) {
    return "LEFT_MAC" + FormatDecimal(profile) + FormatDecimal(slot);
}

std::string DpiColourKey(int level, char channel) {
    return "DPI" + FormatDecimal(level) + "_" + channel;
}

std::string UserColourKey(int colour, char channel) {
    return "LED_USER" + FormatDecimal(colour) + "_" + channel;
}

// Reads numbers from one parsed file with the platform's buffer rule.
class NumberReader {
public:
    NumberReader(const ProfileDocument& document, std::string section)
        : document_(document), section_(std::move(section)) {}

    std::int32_t operator()(std::string_view key, std::size_t bufferChars) const {
        const auto value = document_.Find(section_, key);
        return value ? ParseDecimal(TruncateToUtf16Units(*value, bufferChars - 1)) : 0;
    }

private:
    const ProfileDocument& document_;
    std::string section_;
};

std::uint8_t LowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

// The keys of one profile section and of ShareData, in the saver's order.
void WriteProfile(IniFiles::Batch& batch, const Settings& settings, int profile) {
    const ProfileSettings& ps = settings.profiles[static_cast<std::size_t>(profile)];
    const SharedSettings& s = settings.shared;
    const std::string section = ProfileSection(profile);
    for (int n = 0; n < kButtonSlots; ++n) {
        const auto i = static_cast<std::size_t>(n);
        batch.SetNumber(section, Key("K", n), ps.K[i]);
        batch.SetNumber(section, Key("LED_REACT_EN", n), ps.LED_REACT_EN[i]);
        batch.SetNumber(section, LeftMacKey(profile, n), ps.LEFT_MAC[i]);
        batch.SetNumber(section, Key("MAC_COR", n), s.MAC_COR[i]);
        batch.SetNumber(section, Key("LED_REACT_TYPE", n), ps.LED_REACT_TYPE[i]);
    }
    batch.SetNumber(section, "WHEEL_STATUS", 0);

    const std::string share = "ShareData";
    batch.SetNumber(share, "DPI_LEVEL", s.DPI_LEVEL);
    batch.SetNumber(share, "LED_USER_COLER_EN", 1);
    batch.SetNumber(share, "CYC_7COL_EN", CycleMaskFromFlags(s));
    for (int n = 0; n < kDpiLevels; ++n) {
        const auto i = static_cast<std::size_t>(n);
        batch.SetNumber(share, Key("DPI_SET", n), s.DPI_SET[i]);
        batch.SetNumber(share, Key("DPI_SET_EN", n), s.DPI_SET_EN[i] ? 1 : 0);
        batch.SetNumber(share, DpiColourKey(n, 'R'), s.DPI_R[i]);
        batch.SetNumber(share, DpiColourKey(n, 'G'), s.DPI_G[i]);
        batch.SetNumber(share, DpiColourKey(n, 'B'), s.DPI_B[i]);
    }
    for (int n = 0; n < kUserColours; ++n) {
        const auto i = static_cast<std::size_t>(n);
        batch.SetNumber(share, UserColourKey(n, 'R'), s.LED_USER_R[i]);
        batch.SetNumber(share, UserColourKey(n, 'G'), s.LED_USER_G[i]);
        batch.SetNumber(share, UserColourKey(n, 'B'), s.LED_USER_B[i]);
    }
    batch.SetNumber(share, "LED_TYPE", s.LED_TYPE);
    for (int n = 0; n < kEffectSwitches; ++n) {
        batch.SetNumber(share, Key("LED_TYPE_SW_EN", n),
                        s.LED_TYPE_SW_EN[static_cast<std::size_t>(n)]);
    }
    batch.SetNumber(share, "LED_CYC_TIME", s.LED_CYCTIME);
    batch.SetNumber(share, "LED_FEATURE_SCOLOR", s.LED_FEATURE_SCOLOR);
    batch.SetNumber(share, "LED_FEATURE_SYMMETRY", s.LED_FEATURE_SYMMETRY);
    batch.SetNumber(share, "LED_FEATURE_DIREC", s.LED_FEATURE_DIREC);
    batch.SetNumber(share, "LED_BRIGHT", s.LED_BRIGHT);
    batch.SetNumber(share, "LED_CYCTIME", s.LED_CYCTIME);
    batch.SetNumber(share, "DPI_SPEED", s.DPI_SPEED);
    batch.SetNumber(share, "WHEEL_SPEED", s.WHEEL_SPEED);
    batch.SetNumber(share, "USB_SPEED", s.USB_SPEED);
    batch.SetNumber(share, "FIRE_TIME", s.FIRE_TIME);
    batch.SetNumber(share, "MODE_LIGHT", s.MODE_LIGHT);
    batch.SetNumber(share, "SOFT_HARD_MAC", s.SOFT_HARD_MAC);
}

// Saving pins the same two values the loader pins.
void PinSavedValues(SettingsStore& store) {
    store.Update([](Settings& s) {
        s.shared.WHEEL_STATUS = 0;
        s.shared.LED_USER_COLER_EN = 1;
    });
}

}  // namespace

ConfigFiles::ConfigFiles(DataFolder folder, IniFiles& ini, SettingsStore& store,
                         UserNotices& notices)
    : folder_(std::move(folder)), ini_(ini), store_(store), notices_(notices) {}

void ConfigFiles::ReadStartup() {
    ReadDeviceDescription();
    const auto file = folder_.ConfigIni();
    const std::int32_t curConfig = ini_.GetNumber(file, "Init", "CurConfig", 5);
    const std::int32_t verSel = ini_.GetNumber(file, "Init", "VER_SEL", 5);
    store_.Update([&](Settings& s) {
        // Only profiles 0..3 exist; any other stored value starts on the first profile.
        s.CurConfig = (curConfig >= 0 && curConfig < kProfileCount) ? curConfig : 0;
        s.VER_SEL = verSel & 0xFF;
    });
    for (int p = 0; p < kProfileCount; ++p) {
        LoadProfile(p, false);
    }
    configNum_ = ini_.GetString(file, "Init", "ConfigNum", "", 5);
}

DeviceDescription ConfigFiles::ReadDeviceDescription() {
    const auto file = folder_.ConfigIni();
    DeviceDescription device;
    device.PRODUCTNAME_CN = ini_.GetString(file, "PRODUCTNAME", "PRODUCTNAME_CN", "", 50);
    device.PRODUCTNAME_EN = ini_.GetString(file, "PRODUCTNAME", "PRODUCTNAME_EN", "", 50);
    device.DevString = ini_.GetString(file, "PRODUCTNAME", "DevString", "", 30);
    const std::int32_t keyNum = ini_.GetNumber(file, "KEYNUM", "KeyNum", 15);
    device.KEYNUM = std::clamp(keyNum, 0, kButtonSlots);
    if (keyNum > kButtonSlots) {
        notices_.ShowWarningText("config.ini: KeyNum " + FormatDecimal(keyNum) +
                                 " is more than the 12 buttons the product supports; the first "
                                 "12 are used.");
    }
    for (int i = 1; i <= device.KEYNUM; ++i) {
        const auto slot = static_cast<std::size_t>(i - 1);
        const std::int32_t key = ini_.GetNumber(file, "KEYMAP", Key("K", i) + "_MAP", 15);
        if (key >= 1 && key <= kHardwareKeys) {
            device.KEYMAP[slot] = static_cast<std::uint8_t>(key);
        } else {
            notices_.ShowWarningText("config.ini: K" + FormatDecimal(i) + "_MAP is " +
                                     FormatDecimal(key) + ", not a key number 1..14; button " +
                                     FormatDecimal(i) + " is left without a key.");
        }
        device.KEY_UIFC[slot] =
            LowByte(ini_.GetNumber(file, "KEY_UIFC", Key("K", i) + "_INIT_VAL", 15));
    }
    device.BuildReverseMap();
    store_.SetDevice(device);
    return device;
}

bool ConfigFiles::LoadProfile(int profile, bool fromFactory) {
    const auto file = fromFactory ? folder_.ConfigResetIni() : folder_.ConfigIni();
    const IniFiles::Document document = ini_.Open(file);
    if (!document) {
        notices_.ShowTip(kTipFileMissing);
        return false;
    }
    const NumberReader config(*document, ProfileSection(profile));
    const NumberReader share(*document, "ShareData");
    store_.Update([&](Settings& s) {
        ProfileSettings& ps = s.profiles[static_cast<std::size_t>(profile)];
        SharedSettings& sh = s.shared;
        // LED_REACT_EN, WHEEL_STATUS, LED_USER_COLER_EN and LED_FEATURE_SCOLOR are stored but
        // their loaded values are pinned, so they are not read.
        for (int n = 0; n < kButtonSlots; ++n) {
            const auto i = static_cast<std::size_t>(n);
            ps.K[i] = config(Key("K", n), 10);
            ps.LEFT_MAC[i] = config(LeftMacKey(profile, n), 5);
            sh.MAC_COR[i] = std::clamp(config(Key("MAC_COR", n), 5), 0, 6);
            ps.LED_REACT_EN[i] = 1;
            ps.LED_REACT_TYPE[i] = config(Key("LED_REACT_TYPE", n), 5);
        }
        sh.WHEEL_STATUS = 0;

        sh.DPI_LEVEL = share("DPI_LEVEL", 5);
        for (int n = 0; n < kDpiLevels; ++n) {
            const auto i = static_cast<std::size_t>(n);
            sh.DPI_SET[i] = LowByte(share(Key("DPI_SET", n), 10));
            sh.DPI_SET_EN[i] = share(Key("DPI_SET_EN", n), 10) != 0;
            sh.DPI_R[i] = share(DpiColourKey(n, 'R'), 10);
            sh.DPI_G[i] = share(DpiColourKey(n, 'G'), 10);
            sh.DPI_B[i] = share(DpiColourKey(n, 'B'), 10);
        }
        sh.LED_TYPE = LowByte(share("LED_TYPE", 5));
        for (int n = 0; n < kEffectSwitches; ++n) {
            sh.LED_TYPE_SW_EN[static_cast<std::size_t>(n)] = share(Key("LED_TYPE_SW_EN", n), 5);
        }
        // The speed is read from LED_CYCTIME only; LED_CYC_TIME is written but never read.
        sh.LED_CYCTIME = LowByte(share("LED_CYCTIME", 5));
        sh.LED_USER_COLER_EN = 1;
        sh.LED_FEATURE_DIREC = share("LED_FEATURE_DIREC", 5);
        sh.LED_FEATURE_SYMMETRY = share("LED_FEATURE_SYMMETRY", 5);
        sh.LED_BRIGHT = share("LED_BRIGHT", 5);
        sh.MODE_LIGHT = share("MODE_LIGHT", 5);
        sh.SOFT_HARD_MAC = share("SOFT_HARD_MAC", 5);
        for (int n = 0; n < kUserColours; ++n) {
            const auto i = static_cast<std::size_t>(n);
            sh.LED_USER_R[i] = share(UserColourKey(n, 'R'), 10);
            sh.LED_USER_G[i] = share(UserColourKey(n, 'G'), 10);
            sh.LED_USER_B[i] = share(UserColourKey(n, 'B'), 10);
        }
        RefreshDisplayColours(sh);
        SetCycleMask(sh, LowByte(share("CYC_7COL_EN", 5)));
        sh.DPI_SPEED = LowByte(share("DPI_SPEED", 5));
        sh.WHEEL_SPEED = LowByte(share("WHEEL_SPEED", 5));
        SetUsbSpeed(sh, share("USB_SPEED", 5));
        sh.FIRE_TIME = share("FIRE_TIME", 5);
    });
    return true;
}

Result<void> ConfigFiles::SaveProfile(const std::filesystem::path& file, int profile) {
    PinSavedValues(store_);
    const Settings settings = store_.Snapshot();
    return ini_.Update(file,
                       [&](IniFiles::Batch& batch) { WriteProfile(batch, settings, profile); });
}

Result<void> ConfigFiles::SaveDpiLevel(const std::filesystem::path& file) {
    const std::int32_t level = store_.Read([](const Settings& s) { return s.shared.DPI_LEVEL; });
    return ini_.WriteNumber(file, "ShareData", "DPI_LEVEL", level);
}

Result<void> ConfigFiles::SaveAll() {
    return SaveAll(folder_.ConfigIni());
}

Result<void> ConfigFiles::SaveAll(const std::filesystem::path& file) {
    if (openGroupSaver_) {
        openGroupSaver_();
    }
    PinSavedValues(store_);
    const Settings settings = store_.Snapshot();
    return ini_.Update(file, [&](IniFiles::Batch& batch) {
        batch.SetNumber("Init", "CurConfig", settings.CurConfig);
        for (int p = 0; p < kProfileCount; ++p) {
            WriteProfile(batch, settings, p);
        }
    });
}

Result<void> ConfigFiles::WriteCurConfig() {
    const std::int32_t current = store_.Read([](const Settings& s) { return s.CurConfig; });
    return ini_.WriteNumber(folder_.ConfigIni(), "Init", "CurConfig", current);
}

Result<void> ConfigFiles::WriteLanguage() {
    const std::int32_t language = store_.Read([](const Settings& s) { return s.VER_SEL; });
    return ini_.WriteNumber(folder_.ConfigIni(), "Init", "VER_SEL", language);
}

}  // namespace novu

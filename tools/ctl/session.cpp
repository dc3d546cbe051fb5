#include "session.h"

#include <iostream>

#include "i18n/languages.h"

namespace novu::ctl {

Session::Session(const GlobalOptions& options, std::filesystem::path executableFolder)
    : options_(options), executableFolder_(std::move(executableFolder)) {}

void PrintError(const std::string& message) {
    std::cerr << "novu-gmousectl: " << message << '\n';
}

const DataFolder* Session::Data(bool quiet) {
    if (!data_) {
        auto resolved =
            ResolveDataFolder(DataFolderSourcesFor(executableFolder_, options_.dataDir));
        if (!resolved) {
            if (!quiet) {
                PrintError(resolved.error().message);
            }
            return nullptr;
        }
        data_ = *resolved;
    }
    return &*data_;
}

ConfigFiles* Session::Config() {
    if (!config_) {
        const DataFolder* data = Data();
        if (data == nullptr) {
            return nullptr;
        }
        config_ = std::make_unique<ConfigFiles>(*data, ini_, store_, notices_);
    }
    return config_.get();
}

ConfigFiles* Session::ExistingConfig() {
    ConfigFiles* config = Config();
    if (config != nullptr && !ini_.Exists(config->Folder().ConfigIni())) {
        PrintError(config->Folder().ConfigIni().string() + " does not exist");
        return nullptr;
    }
    return config;
}

const LanguageTexts& Session::Texts() {
    if (!texts_) {
        const DataFolder* data = Data(/*quiet=*/true);
        const DataFolder folder = data != nullptr ? *data : DataFolder{};
        texts_ = std::make_unique<LanguageTexts>(folder, ini_, notices_);
        const int language = store_.LanguageIndex();
        if (data != nullptr && ini_.Exists(LanguageTextFile(*data, language))) {
            texts_->Load(language);
            notices_.SetTexts(texts_.get());
        }
    }
    return *texts_;
}

int Session::Layout() {
    if (options_.layout) {
        return *options_.layout;
    }
    const DataFolder* data = Data(/*quiet=*/true);
    return data == nullptr ? 0 : ini_.GetNumber(data->ConfigIni(), "Init", "VER_SEL", 5) & 0xFF;
}

}  // namespace novu::ctl

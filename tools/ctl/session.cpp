#include "session.h"

#include <iostream>

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

int Session::Layout() {
    if (options_.layout) {
        return *options_.layout;
    }
    const DataFolder* data = Data(/*quiet=*/true);
    return data == nullptr ? 0 : ini_.GetNumber(data->ConfigIni(), "Init", "VER_SEL", 5) & 0xFF;
}

}  // namespace novu::ctl

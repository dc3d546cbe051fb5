#include "upload_macros.h"

#include "macro/builtin_macros.h"
#include "macro/macro_files.h"
#include "macro/macro_library.h"
#include "macro/macro_tables.h"
#include "macro/recoil_presets.h"

namespace novu::ctl {

namespace {

class LoadedMacros final : public UploadMacros {
public:
    LoadedMacros(int languageIndex, IniFiles& ini, UserNotices& notices, const TextSource& texts,
                 Clock& clock)
        : files_(ini, MacVkAndText([languageIndex] { return languageIndex; })),
          library_(files_, notices, texts, clock),
          presets_(files_, notices),
          builtins_(files_, notices),
          tables_(library_, presets_, builtins_) {}

    void Load(const std::filesystem::path& dataFolder, std::string_view languageFolderName) {
        const LibraryFolders folders = LibraryFolders::For(dataFolder, languageFolderName);
        library_.Load(folders);
        presets_.Load(RecoilPresetFile(dataFolder / languageFolderName));
        builtins_.Load(BuiltinMacroFile(dataFolder));
    }

    const MacroSources& Sources() const override { return tables_; }

private:
    MacroFiles files_;
    MacroLibrary library_;
    RecoilPresets presets_;
    BuiltinMacros builtins_;
    MacroTables tables_;
};

}  // namespace

std::unique_ptr<UploadMacros> LoadUploadMacros(const std::filesystem::path& dataFolder,
                                               std::string_view languageFolderName,
                                               int languageIndex, IniFiles& ini,
                                               UserNotices& notices, const TextSource& texts,
                                               Clock& clock) {
    auto macros = std::make_unique<LoadedMacros>(languageIndex, ini, notices, texts, clock);
    macros->Load(dataFolder, languageFolderName);
    return macros;
}

}  // namespace novu::ctl

#include "upload_macros.h"

namespace novu::ctl {

UploadMacros::UploadMacros(const std::filesystem::path& dataFolder,
                           std::string_view languageFolderName, int layout, IniFiles& ini,
                           UserNotices& notices, const TextSource& texts, Clock& clock)
    : files_(ini, MacVkAndText([layout] { return layout; })),
      library_(files_, notices, texts, clock),
      presets_(files_, notices),
      builtins_(files_, notices),
      tables_(library_, presets_, builtins_) {
    library_.Load(LibraryFolders::For(dataFolder, languageFolderName));
    presets_.Load(RecoilPresetFile(dataFolder / languageFolderName));
    builtins_.Load(BuiltinMacroFile(dataFolder));
}

}  // namespace novu::ctl

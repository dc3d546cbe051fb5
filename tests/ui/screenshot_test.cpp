#include <gtest/gtest.h>

#include <QDir>

#include "ui/mask.h"
#include "ui_rig.h"

namespace novu::test {
namespace {

// One picture per page and dialog, as the shaped windows show on screen, for a person to
// review: build/<preset>/screenshots/*.png.
std::filesystem::path ShotFolder() {
    const std::filesystem::path folder = NOVU_SCREENSHOTS;
    std::filesystem::create_directories(folder);
    return folder;
}

// Grabbing a widget ignores its shape: the mask is applied to the picture.
void Save(QWidget& widget, const std::string& name) {
    QPixmap shot = widget.grab();
    if (!widget.mask().isEmpty()) {
        shot = MaskedPixmap(shot, widget.mask());
    }
    const std::filesystem::path file = ShotFolder() / (name + ".png");
    ASSERT_TRUE(shot.save(QString::fromStdString(file.string())));
    EXPECT_FALSE(shot.toImage().isNull());
}

// Selects the library's first macro, opening its group when the tree shows none.
void ShowFirstMacro(AppRig& rig) {
    const auto firstMacro = [&rig] {
        const auto& rows = rig.Context().Library().Rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!rows[i].isGroup) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    if (firstMacro() < 0 && !rig.Context().Library().Rows().empty()) {
        rig.Window().MacroPage().ClickTreeRow(0);
    }
    if (const int row = firstMacro(); row >= 0) {
        rig.Window().MacroPage().ClickTreeRow(row);
    }
}

TEST(Screenshots, EveryPageAndTheWarningDialog) {
    for (int language : {1, 0}) {
        AppRig rig;
        rig.Make();
        ASSERT_TRUE(
            rig.Context().Ini().WriteNumber(rig.data.ConfigIni(), "Init", "VER_SEL", language));
        ASSERT_TRUE(rig.app->Start());
        rig.FinishUploads();
        CNOVU_GMouseDlg& window = rig.Window();
        const std::string suffix = language == 1 ? "" : "_cn";
        const SkinLayout& header = window.Layouts()[kButtonPage];

        // The button page with a slot hovered, so its highlight shows too.
        MoveTo(window, CentreOf(header, 21));
        Save(window, "page_buttons" + suffix);
        const char* const names[] = {"page_buttons", "page_advanced", "page_macros",
                                     "page_lighting"};
        for (int page = 1; page < 4; ++page) {
            Click(window, CentreOf(header, kMainPages[static_cast<std::size_t>(page)].tabEntry));
            if (page == kMacroPage) {
                ShowFirstMacro(rig);
            }
            MoveTo(window, QPoint(5, 300));
            Save(window, names[page] + suffix);
        }
        if (language == 1) {
            rig.Context().Store().Update([](Settings& s) { s.shared.MODE_LIGHT = 1; });
            window.Repaint();
            Save(window, "page_lighting_off");
        }

        auto warning = window.Warnings().Create(rig.Context().Texts().Text(TextTable::TipText, 7));
        warning->show();
        MoveTo(*warning, CentreOf(window.Warnings().Layout(), kWarningSecondButton));
        Save(*warning, "warning" + suffix);

        Click(window, CentreOf(header, header_entry::kLanguageButton));
        if (LanguageMenu* menu = window.OpenLanguageMenu()) {
            MoveTo(*menu, QPoint(5, menu->ItemHeight() / 2));
            Save(*menu, "language_menu" + suffix);
            menu->close();
        }
    }
}

}  // namespace
}  // namespace novu::test

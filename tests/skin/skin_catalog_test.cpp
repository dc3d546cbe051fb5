#include "skin/skin_catalog.h"

#include <gtest/gtest.h>

#include <set>

namespace novu {
namespace {

TEST(SkinCatalog, ImageNamesFollowTheBaseAndVariantScheme) {
    const auto keyset = SkinImages("keyset");
    EXPECT_EQ(keyset.mask, "keyset_mask.jpg");
    EXPECT_EQ(keyset.normal, "keyset_normal.jpg");
    EXPECT_EQ(keyset.over, "keyset_over.jpg");
    EXPECT_EQ(keyset.down, "keyset_down.jpg");

    const auto steps = MenuImages(kMacroStepMenuSkin, kMacroStepMenuVariant);
    EXPECT_EQ(steps.mask, "MacMenu/MacR_mask2.jpg");
    EXPECT_EQ(steps.down, "MacMenu/MacR_down2.jpg");
    EXPECT_EQ(ImageVariant("plain", "2"), "plain2.jpg");

    const auto lighting = PageImages(kMainPages[kLightingPage]);
    EXPECT_EQ(lighting.mask, "main_mask.jpg");
    EXPECT_EQ(lighting.over, "led_over.jpg");

    EXPECT_EQ(RecoilPicture(0), "Gun/1.jpg");
    EXPECT_EQ(RecoilPicture(11), "Gun/12.jpg");
    EXPECT_EQ(HighResolution("icons/macro.png"), "icons/macro@2x.png");
    EXPECT_EQ(HighResolution("MacMenu/MacR_over2.jpg"), "MacMenu/MacR_over2@2x.jpg");
    EXPECT_FALSE(HasHighResolution("MacMenu/MacR_mask2.jpg"));
    EXPECT_FALSE(HasHighResolution("icons/novu-gmouse-16.png"));
    EXPECT_FALSE(HasHighResolution("icons/macro@2x.png"));
    EXPECT_TRUE(HasHighResolution("icons/macro.png"));
    EXPECT_TRUE(HasHighResolution("Gun/3.jpg"));
}

TEST(SkinCatalog, EveryLoadedImageIsListedOnce) {
    const auto images = DataFolderImages();
    const std::set<std::string> unique(images.begin(), images.end());
    EXPECT_EQ(unique.size(), images.size());
    for (const char* name : {"main_mask.jpg", "advanced_down.jpg", "warning_over.jpg", "Gun/12.jpg",
                             "menu2_normal.jpg", "MacMenu/Insert3th_down.jpg", "moveRect.png",
                             "icons/step_dpi@2x.png"}) {
        EXPECT_TRUE(unique.contains(name)) << name;
    }
    EXPECT_FALSE(unique.contains("warning_down.jpg"));  // the warning dialog has none
}

}  // namespace
}  // namespace novu

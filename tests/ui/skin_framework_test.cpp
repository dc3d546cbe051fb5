#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>

#include "base/recorded_notices.h"
#include "i18n/font_rules.h"
#include "skin/skin_catalog.h"
#include "ui/mask.h"
#include "ui/skin_fonts.h"
#include "ui/skin_image_cache.h"
#include "ui/skin_paint.h"
#include "ui_rig.h"

namespace novu::test {
namespace {

TEST(SkinFramework, MaskPixelsAbove100InEveryChannelAreCutAway) {
    QImage mask(4, 1, QImage::Format_RGB32);
    mask.setPixel(0, 0, qRgb(101, 101, 101));  // transparent
    mask.setPixel(1, 0, qRgb(100, 255, 255));  // opaque
    mask.setPixel(2, 0, qRgb(255, 255, 100));  // opaque
    mask.setPixel(3, 0, qRgb(0, 0, 0));        // opaque
    QWidget window;
    EXPECT_EQ(ApplyMaskRegion(window, mask), QSize(4, 1));
    EXPECT_EQ(window.size(), QSize(4, 1));
    const QRegion region = window.mask();
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_TRUE(region.contains(QPoint(1, 0)));
    EXPECT_TRUE(region.contains(QPoint(2, 0)));
    EXPECT_TRUE(region.contains(QPoint(3, 0)));

    QWidget unshaped;
    EXPECT_TRUE(ApplyMaskRegion(unshaped, QImage()).isEmpty());
    EXPECT_TRUE(unshaped.mask().isEmpty());
}

TEST(SkinFramework, TheMainMaskShapesTheWindow) {
    SkinImageCache images(BuiltData());
    QWidget window;
    EXPECT_EQ(ApplyMaskRegion(window, images.Mask(kMainMaskImage)), QSize(1000, 640));
    EXPECT_TRUE(window.mask().contains(QPoint(500, 320)));
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));  // a rounded corner
}

TEST(SkinFramework, HighResolutionImagesKeepTheirWindowSize) {
    SkinImageCache images(BuiltData());
    const QPixmap normal = images.Get("main_normal.jpg");
    EXPECT_EQ(normal.devicePixelRatio(), 1.0);
    images.SetDevicePixelRatio(2.0);
    const QPixmap sharp = images.Get("main_normal.jpg");
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_EQ(sharp.size(), QSize(2000, 1280));
    EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(1000, 640));
    EXPECT_EQ(images.Mask(kMainMaskImage).size(), QSize(1000, 640));  // shapes stay 1x
    EXPECT_TRUE(images.Get("no_such_image.jpg").isNull());

    // A control copied out of the @2x image lands on the same window rectangle.
    QImage canvas(1000, 640, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        CopyRect(painter, sharp, QRect(840, 592, 140, 36));
    }
    const QImage source = normal.toImage();
    EXPECT_NEAR(qBlue(canvas.pixel(910, 610)), qBlue(source.pixel(910, 610)), 24);
    EXPECT_EQ(canvas.pixel(830, 610), qRgb(0, 0, 0));
}

TEST(SkinFramework, CaptionsAreCentredAndOverflowEvenly) {
    QImage canvas(200, 40, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    SkinLayout layout;
    layout.controls = {{80, 10, 40, 20, "A rather long caption"}, {0, 0, 0, 0, ""}};
    {
        QPainter painter(&canvas);
        DrawCaptions(painter, layout, 0, 5, kCaptionWhite);
    }
    int left = canvas.width();
    int right = -1;
    for (int x = 0; x < canvas.width(); ++x) {
        for (int y = 0; y < canvas.height(); ++y) {
            if (qRed(canvas.pixel(x, y)) > 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    ASSERT_GE(right, 0);
    EXPECT_LT(left, 80);    // wider than its control: out on the left
    EXPECT_GE(right, 120);  // and on the right
    EXPECT_NEAR((left + right) / 2.0, 100.0, 3.0);
}

TEST(SkinFramework, FontsFollowTheLanguageAndTheDisplayScale) {
    FontState state;
    RecordedNotices notices;
    SkinFonts fonts(state, notices);
    fonts.CreateFonts(96.0, 1, FontKeys{});
    EXPECT_TRUE(notices.Notices().empty());  // the embedded face registered
    const QFont caption = fonts.SelectFont(2, 1);
    EXPECT_EQ(QFontInfo(caption).family(), QStringLiteral("Roboto"));
    EXPECT_EQ(caption.pixelSize(), 12);                 // 9.2 points at 96 dpi
    EXPECT_EQ(fonts.SelectFont(3, 1).pixelSize(), 13);  // 9.7 points
    EXPECT_EQ(SkinFonts::PixelSize(92, 192.0), 25);
    EXPECT_EQ(fonts.SelectFont(0, 1), QGuiApplication::font());
    EXPECT_FALSE(fonts.ControlFont(11));  // Korean keeps the system's own font
    EXPECT_TRUE(fonts.ControlFont(1));
}

}  // namespace
}  // namespace novu::test

#include "ui/skin_image_cache.h"

#include <QFileInfo>
#include <QPixmapCache>

#include "skin/skin_catalog.h"

namespace novu {

namespace {

// Four pages of three window-sized images, at twice the size on a high-resolution display,
// plus the dialogs and menus: enough for every image to stay decoded.
constexpr int kCacheLimitKiB = 160 * 1024;

}  // namespace

QString ToQPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

SkinImageCache::SkinImageCache(std::filesystem::path dataFolder) : folder_(std::move(dataFolder)) {
    if (QPixmapCache::cacheLimit() < kCacheLimitKiB) {
        QPixmapCache::setCacheLimit(kCacheLimitKiB);
    }
}

QPixmap SkinImageCache::Get(std::string_view relative) {
    return Load(folder_, relative);
}

QPixmap SkinImageCache::GetIn(const std::filesystem::path& folder, std::string_view name) {
    return Load(folder, name);
}

QImage SkinImageCache::Mask(std::string_view relative) const {
    return QImage(ToQPath(folder_ / std::string(relative)));
}

QPixmap SkinImageCache::Load(const std::filesystem::path& folder, std::string_view name) {
    const bool high = ratio_ > 1.0 && HasHighResolution(name);
    std::filesystem::path file = folder / std::string(name);
    if (high) {
        const std::filesystem::path highFile = folder / HighResolution(name);
        if (QFileInfo::exists(ToQPath(highFile))) {
            file = highFile;
        }
    }
    const QString key = ToQPath(file);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) {
        return pixmap;
    }
    if (missing_.contains(key)) {
        return {};
    }
    if (!pixmap.load(key)) {
        missing_.insert(key);
        return {};
    }
    if (file.filename().string().find("@2x") != std::string::npos) {
        pixmap.setDevicePixelRatio(2.0);
    }
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

}  // namespace novu

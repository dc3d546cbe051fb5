#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <filesystem>
#include <set>
#include <string_view>

namespace novu {

// The decoded skin images of the data folder. Pixmaps are kept in Qt's pixmap cache keyed by
// their path, so a repaint copies from decoded images instead of decoding JPEG files again.
// On a display scaled above 100 % the "@2x" file of an image is used where it exists; its
// pixmap carries a device pixel ratio of 2, so it still measures the 1x size in the window's
// coordinates and stays sharp.
//
// Used on the user-interface thread only.
class SkinImageCache {
public:
    explicit SkinImageCache(std::filesystem::path dataFolder);

    const std::filesystem::path& Folder() const { return folder_; }

    // The device pixel ratio of the screen the window is on.
    void SetDevicePixelRatio(qreal ratio) { ratio_ = ratio; }

    // An image of the data folder by its relative path ("main_normal.jpg",
    // "MacMenu/MacG_over.jpg"); a null pixmap when the file is missing or cannot be decoded.
    QPixmap Get(std::string_view relative);
    // An image inside another folder (a language folder).
    QPixmap GetIn(const std::filesystem::path& folder, std::string_view name);

    // A mask image, always at 1x: window shapes are defined in 1x pixels.
    QImage Mask(std::string_view relative) const;

private:
    QPixmap Load(const std::filesystem::path& folder, std::string_view name);

    std::filesystem::path folder_;
    qreal ratio_ = 1.0;
    std::set<QString> missing_;  // files already found missing, not looked for again
};

// Qt path text of a filesystem path.
QString ToQPath(const std::filesystem::path& path);

}  // namespace novu

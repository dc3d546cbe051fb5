#include "image_files.h"

#include <QImageWriter>
#include <iostream>

#include "skin/skin_catalog.h"

namespace novu::skingen {

namespace {
constexpr int kPictureQuality = 95;
constexpr int kMaskQuality = 100;
}  // namespace

void ImageFolder::Jpeg(std::string_view relative, const Render& render) {
    Write(relative, render, "jpg", kPictureQuality);
}

void ImageFolder::Png(std::string_view relative, const Render& render) {
    Write(relative, render, "png", 0);
}

void ImageFolder::Mask(std::string_view relative, const QImage& image) {
    Save(relative, image, "jpg", kMaskQuality);
}

void ImageFolder::Write(std::string_view relative, const Render& render, const char* format,
                        int quality) {
    Save(relative, render(1.0), format, quality);
    if (HasHighResolution(relative)) {
        Save(HighResolution(relative), render(2.0), format, quality);
    }
}

void ImageFolder::Save(std::string_view relative, const QImage& image, const char* format,
                       int quality) {
    const auto path = root_ / std::filesystem::path(std::string(relative));
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    QImageWriter writer(QString::fromStdString(path.string()), format);
    // JPEG has no alpha channel: flatten onto opaque pixels first.
    const bool jpeg = std::string_view(format) == "jpg";
    const QImage out = jpeg ? image.convertToFormat(QImage::Format_RGB32) : image;
    if (jpeg) {
        writer.setQuality(quality);
    }
    if (ec || !writer.write(out)) {
        std::cerr << "skingen: cannot write " << path << ": "
                  << (ec ? ec.message() : writer.errorString().toStdString()) << "\n";
        failed_ = true;
        return;
    }
    ++written_;
}

}  // namespace novu::skingen

#pragma once

#include <QImage>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace novu::skingen {

// Writes the generated images under one folder and remembers whether any write failed.
class ImageFolder {
public:
    explicit ImageFolder(std::filesystem::path root) : root_(std::move(root)) {}

    // Draws an image at a given scale (1 for the image itself, 2 for its @2x file).
    using Render = std::function<QImage(qreal scale)>;

    // Pictures, written at 1x and, where the program has a @2x file, at 2x. JPEGs are of high
    // quality so that rectangles copied between the normal, over and down images of a window
    // meet without visible seams.
    void Jpeg(std::string_view relative, const Render& render);
    void Png(std::string_view relative, const Render& render);
    // Masks: black and white, 1x only, at the highest quality so no compression noise crosses
    // the transparency threshold.
    void Mask(std::string_view relative, const QImage& image);

    int Written() const { return written_; }
    bool Failed() const { return failed_; }

private:
    void Write(std::string_view relative, const Render& render, const char* format, int quality);
    void Save(std::string_view relative, const QImage& image, const char* format, int quality);

    std::filesystem::path root_;
    int written_ = 0;
    bool failed_ = false;
};

}  // namespace novu::skingen

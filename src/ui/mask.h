#pragma once

#include <QBitmap>
#include <QImage>
#include <QSize>
#include <QWidget>

namespace novu {

// The window shape of a mask image as a bitmap: set bits (opaque) where a pixel has at least
// one channel at 100 or below, clear bits where all three channels exceed 100.
QBitmap MaskBitmap(const QImage& mask);

// ApplyMaskRegion: shapes `window` by the mask image and returns the mask's size (the
// window's size). A mask that cannot be decoded leaves the window unshaped and returns an
// empty size.
QSize ApplyMaskRegion(QWidget& window, const QImage& mask);

// The pixmap with everything outside the mask made transparent, as the shaped window shows
// on screen (for screenshots: grabbing a widget ignores its mask).
QPixmap MaskedPixmap(const QPixmap& pixmap, const QRegion& mask);

}  // namespace novu

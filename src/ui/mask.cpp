#include "ui/mask.h"

#include <QPainter>

#include "skin/mask_region.h"

namespace novu {

QBitmap MaskBitmap(const QImage& mask) {
    if (mask.isNull()) {
        return {};
    }
    const QImage rgb = mask.convertToFormat(QImage::Format_RGB32);
    QImage bits(rgb.size(), QImage::Format_MonoLSB);
    // Index 1 is black, Qt's colour of the set (opaque) bits of a bitmap.
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    bits.fill(0);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = bits.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = line[x];
            if (!IsMaskTransparent(static_cast<std::uint8_t>(qRed(pixel)),
                                   static_cast<std::uint8_t>(qGreen(pixel)),
                                   static_cast<std::uint8_t>(qBlue(pixel)))) {
                out[x >> 3] |= static_cast<uchar>(1u << (x & 7));
            }
        }
    }
    return QBitmap::fromImage(bits, Qt::MonoOnly);
}

QSize ApplyMaskRegion(QWidget& window, const QImage& mask) {
    if (mask.isNull()) {
        return {};
    }
    window.setFixedSize(mask.size());
    window.setMask(MaskBitmap(mask));
    return mask.size();
}

QPixmap MaskedPixmap(const QPixmap& pixmap, const QRegion& mask) {
    QPixmap out(pixmap.size());
    out.setDevicePixelRatio(pixmap.devicePixelRatio());
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setClipRegion(mask);
    painter.drawPixmap(0, 0, pixmap);
    return out;
}

}  // namespace novu

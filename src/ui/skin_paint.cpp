#include "ui/skin_paint.h"

#include <QFontMetrics>

namespace novu {

QColor ColourOf(std::uint32_t colorRef) {
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

QRect QRectOf(const SkinControl& control) {
    return QRect(control.x, control.y, control.width, control.height);
}

QString ToQString(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void CopyRect(QPainter& painter, const QPixmap& image, const QRect& rect) {
    if (image.isNull() || rect.isEmpty()) {
        return;
    }
    const qreal ratio = image.devicePixelRatio();
    const QRectF source(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio,
                        rect.height() * ratio);
    painter.drawPixmap(QRectF(rect), image, source);
}

void CopyControl(QPainter& painter, const QPixmap& image, const SkinControl& control) {
    CopyRect(painter, image, QRectOf(control));
}

void CopyEntry(QPainter& painter, const QPixmap& image, const SkinLayout& layout, int entry) {
    if (entry >= 0 && entry < static_cast<int>(layout.controls.size())) {
        CopyControl(painter, image, layout.controls[static_cast<std::size_t>(entry)]);
    }
}

void FillEntry(QPainter& painter, const SkinLayout& layout, int entry, std::uint32_t colorRef) {
    if (entry >= 0 && entry < static_cast<int>(layout.controls.size())) {
        painter.fillRect(QRectOf(layout.controls[static_cast<std::size_t>(entry)]),
                         ColourOf(colorRef));
    }
}

void DrawCentred(QPainter& painter, const QRect& rect, const QString& text,
                 std::uint32_t colorRef) {
    if (text.isEmpty()) {
        return;
    }
    const QFontMetrics metrics(painter.font());
    const SkinControl control{rect.x(), rect.y(), rect.width(), rect.height(), {}};
    const SkinPoint origin =
        CaptionOrigin(control, metrics.horizontalAdvance(text), metrics.height());
    painter.setPen(ColourOf(colorRef));
    painter.drawText(origin.x, origin.y + metrics.ascent(), text);
}

void DrawRightAligned(QPainter& painter, const QRect& rect, const QString& text,
                      std::uint32_t colorRef) {
    if (text.isEmpty()) {
        return;
    }
    const QFontMetrics metrics(painter.font());
    const int x = rect.right() + 1 - metrics.horizontalAdvance(text);
    const int y = rect.y() + (rect.height() - metrics.height()) / 2;
    painter.setPen(ColourOf(colorRef));
    painter.drawText(x, y + metrics.ascent(), text);
}

void PaintSkinned(QPainter& painter, const QSize& size, const SkinStateImages& images,
                  const SkinLayout& layout, int hovered, bool pressed) {
    if (images.normal.isNull()) {
        painter.fillRect(QRect(QPoint(0, 0), size), QColor(0x10, 0x14, 0x1A));
    } else {
        painter.drawPixmap(0, 0, images.normal);
    }
    if (hovered != kNoControl) {
        CopyEntry(painter, pressed ? images.down : images.over, layout, hovered);
    }
}

void DrawCaptions(QPainter& painter, const SkinLayout& layout, int first, int last,
                  std::uint32_t colorRef) {
    const int end = std::min(last, static_cast<int>(layout.controls.size()) - 1);
    for (int i = std::max(first, 0); i <= end; ++i) {
        const SkinControl& control = layout.controls[static_cast<std::size_t>(i)];
        DrawCentred(painter, QRectOf(control), ToQString(control.caption), colorRef);
    }
}

}  // namespace novu

#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <cstdint>
#include <string>

#include "skin/skin_layout.h"

namespace novu {

// Drawing steps shared by the skinned windows.

// A Windows colour value 0x00BBGGRR.
QColor ColourOf(std::uint32_t colorRef);
inline constexpr std::uint32_t kCaptionWhite = 0x00FFFFFF;

QRect QRectOf(const SkinControl& control);
QString ToQString(const std::string& utf8);

// Copies the rectangle `rect` (window coordinates) from a state image that covers the whole
// window into the same place. A @2x image is read at twice the coordinates.
void CopyRect(QPainter& painter, const QPixmap& image, const QRect& rect);
void CopyControl(QPainter& painter, const QPixmap& image, const SkinControl& control);
void CopyEntry(QPainter& painter, const QPixmap& image, const SkinLayout& layout, int entry);

// Fills a control with a colour.
void FillEntry(QPainter& painter, const SkinLayout& layout, int entry, std::uint32_t colorRef);

// Draws `text` centred in `rect` by the caption placement rule (a text wider than its box
// overflows both sides evenly).
void DrawCentred(QPainter& painter, const QRect& rect, const QString& text, std::uint32_t colorRef);
// Draws `text` right-aligned and vertically centred in `rect`.
void DrawRightAligned(QPainter& painter, const QRect& rect, const QString& text,
                      std::uint32_t colorRef);

// The state images of a skinned window, each the size of the window.
struct SkinStateImages {
    QPixmap normal;
    QPixmap over;
    QPixmap down;
};

// PaintSkinned: the normal image is the canvas (a dark fill where it is missing); the hovered
// control is copied from the down image while pressed, from the over image otherwise.
void PaintSkinned(QPainter& painter, const QSize& size, const SkinStateImages& images,
                  const SkinLayout& layout, int hovered, bool pressed);

// DrawCaptions: the captions of controls first..last, centred in their controls, in the
// painter's font and `colorRef`. Empty captions and controls outside the layout are skipped.
void DrawCaptions(QPainter& painter, const SkinLayout& layout, int first, int last,
                  std::uint32_t colorRef);

}  // namespace novu

#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>

#include "skin/skin_layout.h"

namespace novu::skingen {

// The look every state image is drawn in: a dark interface with a sky-blue accent (the
// colour the program also uses for highlighted numbers and key names).
namespace palette {
inline const QColor kWindow{0x0B, 0x0E, 0x13};
inline const QColor kHeader{0x10, 0x14, 0x1B};
inline const QColor kCard{0x13, 0x18, 0x20};
inline const QColor kCardBorder{0x22, 0x2A, 0x36};
inline const QColor kControl{0x1A, 0x21, 0x2C};
inline const QColor kControlBorder{0x2C, 0x36, 0x45};
inline const QColor kHover{0x22, 0x2F, 0x41};
inline const QColor kHoverBorder{0x3F, 0x6A, 0x8F};
inline const QColor kSelected{0x0B, 0x38, 0x55};
inline const QColor kAccent{0x07, 0xBC, 0xFF};
inline const QColor kAccentDeep{0x24, 0x6B, 0xF5};
inline const QColor kDanger{0xE5, 0x48, 0x4D};
inline const QColor kRecord{0xF0, 0x3E, 0x4A};
inline const QColor kGreen{0x00, 0xC6, 0x64};
inline const QColor kIcon{0xA9, 0xB4, 0xC4};
inline const QColor kIconDim{0x5C, 0x68, 0x7A};
inline const QColor kTrack{0x25, 0x2D, 0x3A};
inline const QColor kListBackground{0x16, 0x16, 0x16};  // the lists paint their own rows
}  // namespace palette

// Which state image is being drawn: every control of a window is drawn in that state, and
// the program copies single controls out of the image it needs.
enum class State { Normal, Over, Down };

QRectF Box(const SkinControl& control);

// A painter on a fresh image of `size` logical pixels times `scale`, antialiased and scaled
// so that drawing code works in logical pixels.
class Canvas {
public:
    Canvas(QSize size, qreal scale, QColor fill = palette::kWindow);
    QPainter& Painter() { return painter_; }
    QImage Finish();

private:
    QImage image_;
    QPainter painter_;
};

enum class Icon {
    Close,
    Minimise,
    Tray,
    Globe,
    Help,
    ChevronDown,
    ChevronRight,
    Back,
    Record,
    Plus,
    Palette,
    Power,
    Wave,
    Check,
    Warning,
    Keyboard,
    ArrowRight,
    ArrowLeft,
    ArrowsOut,
    ArrowsIn,
    Crosshair,
    Monitor,
    FolderClosed,
    FolderOpen,
    Macro,
    Clock,
    KeyPress,
    KeyRelease,
    Move,
    Bulb,
    Gauge,
    Bars,
    Flash,
    Pulse,
};

// A line icon centred in `box`, drawn with `colour`.
void DrawIcon(QPainter& p, Icon icon, const QRectF& box, const QColor& colour);

enum class ButtonStyle {
    Plain,    // dark button, accent border when hovered
    Accent,   // the primary action
    Outline,  // secondary header actions
    Tab,      // page tabs: selected is an accent underline
    Segment,  // one choice of a segmented row
};
void DrawButton(QPainter& p, const QRectF& r, State s, ButtonStyle style);

// A square-ish button that holds only an icon.
void DrawIconButton(QPainter& p, const QRectF& r, Icon icon, State s, bool danger = false);

// Switch-style toggle: Down is "on".
void DrawToggle(QPainter& p, const QRectF& r, State s);
// Check box centred in r: Down is "checked".
void DrawCheckbox(QPainter& p, const QRectF& r, State s);
// A row with a round radio mark at its left: Down is "selected".
void DrawRadioRow(QPainter& p, const QRectF& r, State s);
// A drop-down field with a chevron at its right.
void DrawDropdown(QPainter& p, const QRectF& r, State s);

// A slider track across `r`, centred on `centreY`: Down draws it filled.
void DrawSliderTrack(QPainter& p, const QRectF& r, qreal centreY, State s);

// A rounded panel grouping related controls.
void DrawCard(QPainter& p, const QRectF& r, qreal radius = 10);
// The frame around a child window (list or edit box) that paints its own inside.
void DrawWell(QPainter& p, const QRectF& inner);
// A swatch frame drawn just outside the rectangle the program fills with a colour.
void DrawSwatchFrame(QPainter& p, const QRectF& r, State s);

// A short accent bar centred under a section title (captions are drawn centred).
void DrawSectionMark(QPainter& p, const QRectF& captionRect);

// The black-and-white mask of a rounded rectangle filling `size` (black = window).
QImage RoundedMask(QSize size, int radius);

}  // namespace novu::skingen

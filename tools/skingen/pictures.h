#pragma once

#include <QImage>
#include <QString>

#include "art.h"

namespace novu::skingen {

// The product's mark: a rounded tile with a mouse outline.
void DrawBrandMark(QPainter& p, const QRectF& box);

// The mouse seen from above, filling `box` (decoration of the button page).
void DrawMouseTopView(QPainter& p, const QRectF& box);

// The picture of recoil preset `index` (0-based): its spray pattern on a range grid.
QImage RenderRecoilPicture(int index, QSize size, qreal scale);

// The application and tray icon, `size` pixels square, with transparency.
QImage RenderAppIcon(int size);

// A row icon of the macro lists, `size` pixels square, with transparency.
QImage RenderListIcon(Icon icon, const QColor& colour, int size);

// The slider knob, with transparency.
QImage RenderSliderKnob(qreal scale);

// The badge the button page shows for a button whose macro the computer plays: the macro
// symbol, an arrow and a screen, without words.
QImage RenderHostMacroBadge(qreal scale);

// One item band of the language menu showing a language's own name.
QImage RenderLanguageItem(const QString& name, const QString& family, bool hovered, QSize size,
                          qreal scale);

}  // namespace novu::skingen

#include "pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "skin/skin_catalog.h"

namespace novu::skingen {

namespace {

QPainterPath MouseOutline(const QRectF& b) {
    const qreal cx = b.center().x();
    QPainterPath path;
    path.moveTo(cx, b.top());
    path.cubicTo(b.right() - b.width() * 0.05, b.top(), b.right(), b.top() + b.height() * 0.18,
                 b.right(), b.top() + b.height() * 0.38);
    path.cubicTo(b.right(), b.top() + b.height() * 0.62, b.right() - b.width() * 0.02,
                 b.bottom() - b.height() * 0.12, b.right() - b.width() * 0.16,
                 b.bottom() - b.height() * 0.04);
    path.cubicTo(b.right() - b.width() * 0.3, b.bottom(), b.left() + b.width() * 0.3, b.bottom(),
                 b.left() + b.width() * 0.16, b.bottom() - b.height() * 0.04);
    path.cubicTo(b.left() + b.width() * 0.02, b.bottom() - b.height() * 0.12, b.left(),
                 b.top() + b.height() * 0.62, b.left(), b.top() + b.height() * 0.38);
    path.cubicTo(b.left(), b.top() + b.height() * 0.18, b.left() + b.width() * 0.05, b.top(), cx,
                 b.top());
    path.closeSubpath();
    return path;
}

}  // namespace

void DrawBrandMark(QPainter& p, const QRectF& box) {
    p.save();
    QLinearGradient g(box.topLeft(), box.bottomRight());
    g.setColorAt(0, palette::kAccent);
    g.setColorAt(1, palette::kAccentDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(box, box.width() * 0.26, box.width() * 0.26);
    const QRectF body = box.adjusted(box.width() * 0.3, box.height() * 0.18, -box.width() * 0.3,
                                     -box.height() * 0.18);
    p.setPen(QPen(Qt::white, std::max<qreal>(1.2, box.width() / 16)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(MouseOutline(body));
    p.drawLine(QPointF(body.center().x(), body.top() + body.height() * 0.12),
               QPointF(body.center().x(), body.top() + body.height() * 0.32));
    p.restore();
}

void DrawMouseTopView(QPainter& p, const QRectF& box) {
    p.save();
    const qreal cx = box.center().x();
    const QPainterPath outline = MouseOutline(box);

    // Underglow: an elliptical halo that fades out completely above the footer.
    p.save();
    p.translate(cx, box.bottom() - 24);
    p.scale(1.0, 0.35);
    const qreal haloRadius = box.width() * 0.95;
    QRadialGradient under(QPointF(0, 0), haloRadius);
    under.setColorAt(0, QColor(7, 188, 255, 60));
    under.setColorAt(1, QColor(7, 188, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(under);
    p.drawEllipse(QPointF(0, 0), haloRadius, haloRadius);
    p.restore();

    QLinearGradient shell(box.topLeft(), box.topRight());
    shell.setColorAt(0, QColor(0x1C, 0x22, 0x2C));
    shell.setColorAt(0.5, QColor(0x2A, 0x32, 0x3F));
    shell.setColorAt(1, QColor(0x1A, 0x20, 0x29));
    p.setBrush(shell);
    p.setPen(QPen(QColor(0x3A, 0x46, 0x58), 1.5));
    p.drawPath(outline);

    // Button split and the seam between buttons and palm rest.
    const qreal seamY = box.top() + box.height() * 0.4;
    p.setPen(QPen(QColor(0x0C, 0x10, 0x16), 2));
    p.drawLine(QPointF(cx, box.top() + 2), QPointF(cx, seamY));
    QPainterPath seam;
    seam.moveTo(box.left() + 3, seamY + 18);
    seam.quadTo(QPointF(cx, seamY - 14), QPointF(box.right() - 3, seamY + 18));
    p.drawPath(seam);

    // Wheel.
    const QRectF wheel(cx - 9, box.top() + 18, 18, 44);
    QLinearGradient wg(wheel.topLeft(), wheel.bottomLeft());
    wg.setColorAt(0, QColor(0x44, 0x4F, 0x60));
    wg.setColorAt(0.5, QColor(0x6A, 0x77, 0x8A));
    wg.setColorAt(1, QColor(0x44, 0x4F, 0x60));
    p.setPen(QPen(QColor(0x0C, 0x10, 0x16), 1.5));
    p.setBrush(wg);
    p.drawRoundedRect(wheel, 7, 7);
    p.setPen(QPen(QColor(0x2A, 0x32, 0x3F), 1));
    for (int i = 1; i < 8; ++i) {
        const qreal y = wheel.top() + i * wheel.height() / 8;
        p.drawLine(QPointF(wheel.left() + 3, y), QPointF(wheel.right() - 3, y));
    }

    // DPI buttons behind the wheel, side buttons on the left flank, the profile button on the
    // palm rest.
    p.setPen(QPen(QColor(0x0C, 0x10, 0x16), 1.2));
    p.setBrush(QColor(0x36, 0x40, 0x4F));
    p.drawRoundedRect(QRectF(cx - 7, box.top() + 96, 14, 20), 5, 5);
    p.drawRoundedRect(QRectF(cx - 7, box.top() + 130, 14, 20), 5, 5);
    p.drawRoundedRect(QRectF(box.left() - 2, box.top() + 160, 10, 36), 4, 4);
    p.drawRoundedRect(QRectF(box.left() - 2, box.top() + 204, 10, 36), 4, 4);
    p.drawEllipse(QPointF(cx, box.top() + 290), 8, 8);

    // The light bar along the rear and the logo on the palm.
    QPainterPath lightBar;
    lightBar.moveTo(box.left() + box.width() * 0.2, box.bottom() - box.height() * 0.07);
    lightBar.quadTo(QPointF(cx, box.bottom() + 6),
                    QPointF(box.right() - box.width() * 0.2, box.bottom() - box.height() * 0.07));
    for (int i = 4; i >= 1; --i) {
        QColor c = palette::kAccent;
        c.setAlphaF(i == 1 ? 0.95 : 0.12);
        p.setPen(QPen(c, i == 1 ? 3 : 3 + i * 3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(lightBar);
    }
    DrawBrandMark(p, QRectF(cx - 14, box.top() + 240, 28, 28));

    // A soft highlight along the shell.
    QLinearGradient shine(box.topLeft(), box.bottomLeft());
    shine.setColorAt(0, QColor(255, 255, 255, 28));
    shine.setColorAt(0.5, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawPath(outline);
    p.restore();
}

QImage RenderRecoilPicture(int index, QSize size, qreal scale) {
    Canvas canvas(size, scale, QColor(0x10, 0x14, 0x1A));
    QPainter& p = canvas.Painter();
    const QRectF all(QPointF(0, 0), QSizeF(size));
    // Range grid.
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    for (int x = 0; x <= size.width(); x += 20) {
        p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, size.height()));
    }
    for (int y = 0; y <= size.height(); y += 20) {
        p.drawLine(QPointF(0, y + 0.5), QPointF(size.width(), y + 0.5));
    }
    // The spray pattern: every preset climbs and drifts its own way. The pattern is a
    // deterministic function of the index so rebuilt pictures are identical.
    const int shots = 24 + (index % 4) * 3;
    const qreal climb = (size.height() - 70.0) / shots;
    const qreal drift = ((index % 5) - 2) * 1.6;
    const qreal sway = 6 + (index % 3) * 4;
    const qreal phase = index * 0.7;
    QPointF at(size.width() / 2.0, size.height() - 34.0);
    QPolygonF trail;
    for (int shot = 0; shot < shots; ++shot) {
        trail << at;
        const qreal t = shot + 1;
        at = QPointF(size.width() / 2.0 + drift * t + sway * std::sin(t * 0.45 + phase),
                     size.height() - 34.0 - climb * t * (1.0 - 0.012 * t));
    }
    p.setPen(QPen(QColor(7, 188, 255, 70), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(trail);
    for (int shot = 0; shot < trail.size(); ++shot) {
        const qreal f = static_cast<qreal>(shot) / std::max<qsizetype>(1, trail.size() - 1);
        QColor c = QColor::fromRgbF(0.03 + 0.9 * f, 0.74 - 0.5 * f, 1.0 - 0.7 * f);
        p.setPen(Qt::NoPen);
        c.setAlphaF(0.25);
        p.setBrush(c);
        p.drawEllipse(trail[shot], 6, 6);
        c.setAlphaF(1.0);
        p.setBrush(c);
        p.drawEllipse(trail[shot], 2.6, 2.6);
    }
    // The aim point where the spray starts.
    DrawIcon(p, Icon::Crosshair, QRectF(size.width() / 2.0 - 22, size.height() - 56, 44, 44),
             QColor(0xFF, 0xFF, 0xFF, 200));
    // Vignette.
    QRadialGradient vignette(all.center(), std::max(size.width(), size.height()) * 0.75);
    vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
    vignette.setColorAt(1, QColor(0, 0, 0, 120));
    p.fillRect(all, vignette);
    return canvas.Finish();
}

QImage RenderAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QRectF tile(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
    QLinearGradient g(tile.topLeft(), tile.bottomRight());
    g.setColorAt(0, QColor(0x14, 0x1B, 0x26));
    g.setColorAt(1, QColor(0x07, 0x0A, 0x0F));
    p.setPen(QPen(palette::kAccent, std::max<qreal>(1.0, s / 40)));
    p.setBrush(g);
    p.drawRoundedRect(tile, s * 0.22, s * 0.22);
    const QRectF body(s * 0.3, s * 0.16, s * 0.4, s * 0.68);
    QLinearGradient shell(body.topLeft(), body.bottomRight());
    shell.setColorAt(0, palette::kAccent);
    shell.setColorAt(1, palette::kAccentDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(shell);
    p.drawPath(MouseOutline(body));
    p.setPen(
        QPen(QColor(0x07, 0x0A, 0x0F), std::max<qreal>(1.0, s / 28), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s / 2, body.top() + s * 0.02),
               QPointF(s / 2, body.top() + body.height() * 0.36));
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(
        QRectF(s / 2 - s * 0.035, body.top() + body.height() * 0.1, s * 0.07, s * 0.13), s * 0.035,
        s * 0.035);
    p.end();
    return image;
}

QImage RenderListIcon(Icon icon, const QColor& colour, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // DrawIcon uses about 62 % of its box; widen the box so the symbol fills the icon.
    const qreal box = size / 0.62 * 0.92;
    DrawIcon(p, icon, QRectF((size - box) / 2, (size - box) / 2, box, box), colour);
    p.end();
    return image;
}

QImage RenderSliderKnob(qreal scale) {
    const QSize size(kSliderKnobSize.width, kSliderKnobSize.height);
    Canvas canvas(size, scale, Qt::transparent);
    QPainter& p = canvas.Painter();
    const QRectF knob(0.75, 0.75, size.width() - 1.5, size.height() - 1.5);
    QLinearGradient g(knob.topLeft(), knob.bottomLeft());
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(0xC8, 0xD4, 0xE2));
    p.setPen(QPen(palette::kAccent, 1.5));
    p.setBrush(g);
    p.drawRoundedRect(knob, 4, 4);
    p.setPen(QPen(QColor(0x7A, 0x8A, 0x9E), 1));
    p.drawLine(QPointF(size.width() / 2.0, 5), QPointF(size.width() / 2.0, size.height() - 5));
    return canvas.Finish();
}

QImage RenderHostMacroBadge(qreal scale) {
    const QSize size(kHostMacroBadgeSize.width, kHostMacroBadgeSize.height);
    Canvas canvas(size, scale, Qt::transparent);
    QPainter& p = canvas.Painter();
    const QRectF pill(1, 1, size.width() - 2, size.height() - 2);
    p.setPen(QPen(palette::kAccent, 1.2));
    p.setBrush(QColor(0x0B, 0x2A, 0x3E, 235));
    p.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
    const qreal h = pill.height();
    const qreal cx = pill.center().x();
    DrawIcon(p, Icon::Macro, QRectF(cx - 70, pill.top(), h + 8, h), palette::kAccent);
    DrawIcon(p, Icon::ArrowRight, QRectF(cx - 22, pill.top(), 44, h), Qt::white);
    DrawIcon(p, Icon::Monitor, QRectF(cx + 30, pill.top(), h + 8, h), palette::kAccent);
    return canvas.Finish();
}

QImage RenderLanguageItem(const QString& name, const QString& family, bool hovered, QSize size,
                          qreal scale) {
    Canvas canvas(size, scale, hovered ? palette::kHover : QColor(0x15, 0x1B, 0x24));
    QPainter& p = canvas.Painter();
    const QRectF band(QPointF(0, 0), QSizeF(size));
    if (hovered) {
        p.fillRect(QRectF(1, 3, 3, size.height() - 6), palette::kAccent);
    }
    p.fillRect(QRectF(10, size.height() - 1, size.width() - 20, 1), QColor(255, 255, 255, 12));
    QFont font(family);
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(hovered ? QColor(Qt::white) : QColor(0xD0, 0xD8, 0xE2));
    p.drawText(band, Qt::AlignCenter, name);
    return canvas.Finish();
}

}  // namespace novu::skingen

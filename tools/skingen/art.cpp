#include "art.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace novu::skingen {

namespace {

QPen Stroke(const QColor& colour, qreal width) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// The largest centred square of `box` shrunk by a fraction, for icon geometry.
QRectF IconSquare(const QRectF& box, qreal fraction) {
    const qreal side = std::min(box.width(), box.height()) * fraction;
    return QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
}

void Glow(QPainter& p, const QRectF& r, qreal radius, const QColor& colour, int layers) {
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = layers; i >= 1; --i) {
        QColor c = colour;
        c.setAlphaF(0.10 * (layers - i + 1) / layers);
        p.setPen(QPen(c, 2.0 * i));
        p.drawRoundedRect(r, radius, radius);
    }
    p.restore();
}

void Arrow(QPainter& p, QPointF from, QPointF to, qreal head) {
    p.drawLine(from, to);
    const qreal angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const qreal spread = 0.6;
    p.drawLine(to, to - QPointF(head * std::cos(angle - spread), head * std::sin(angle - spread)));
    p.drawLine(to, to - QPointF(head * std::cos(angle + spread), head * std::sin(angle + spread)));
}

}  // namespace

QRectF Box(const SkinControl& control) {
    return QRectF(control.x, control.y, control.width, control.height);
}

Canvas::Canvas(QSize size, qreal scale, QColor fill)
    : image_(QSize(qRound(size.width() * scale), qRound(size.height() * scale)),
             QImage::Format_ARGB32_Premultiplied) {
    image_.fill(fill);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    painter_.scale(scale, scale);
}

QImage Canvas::Finish() {
    painter_.end();
    return image_;
}

void DrawIcon(QPainter& p, Icon icon, const QRectF& box, const QColor& colour) {
    p.save();
    const QRectF s = IconSquare(box, 0.62);
    const qreal w = std::max<qreal>(1.4, s.width() / 9.0);
    p.setPen(Stroke(colour, w));
    p.setBrush(Qt::NoBrush);
    const QPointF c = s.center();
    const qreal u = s.width() / 2;  // half size
    switch (icon) {
        case Icon::Close:
            p.drawLine(c + QPointF(-u * 0.6, -u * 0.6), c + QPointF(u * 0.6, u * 0.6));
            p.drawLine(c + QPointF(u * 0.6, -u * 0.6), c + QPointF(-u * 0.6, u * 0.6));
            break;
        case Icon::Minimise:
            p.drawLine(c + QPointF(-u * 0.65, 0), c + QPointF(u * 0.65, 0));
            break;
        case Icon::Tray:
            p.drawLine(c + QPointF(-u * 0.8, u * 0.75), c + QPointF(u * 0.8, u * 0.75));
            Arrow(p, c + QPointF(0, -u * 0.8), c + QPointF(0, u * 0.35), u * 0.45);
            break;
        case Icon::Globe: {
            p.drawEllipse(c, u * 0.85, u * 0.85);
            p.drawEllipse(c, u * 0.38, u * 0.85);
            p.drawLine(c + QPointF(-u * 0.85, 0), c + QPointF(u * 0.85, 0));
            break;
        }
        case Icon::Help: {
            p.drawEllipse(c, u * 0.9, u * 0.9);
            QPainterPath q;
            q.moveTo(c + QPointF(-u * 0.32, -u * 0.28));
            q.cubicTo(c + QPointF(-u * 0.32, -u * 0.62), c + QPointF(u * 0.36, -u * 0.62),
                      c + QPointF(u * 0.34, -u * 0.26));
            q.cubicTo(c + QPointF(u * 0.32, -u * 0.02), c + QPointF(0, 0), c + QPointF(0, u * 0.2));
            p.drawPath(q);
            p.setBrush(colour);
            p.drawEllipse(c + QPointF(0, u * 0.52), w * 0.6, w * 0.6);
            break;
        }
        case Icon::ChevronDown:
            p.drawPolyline(QPolygonF({c + QPointF(-u * 0.45, -u * 0.2), c + QPointF(0, u * 0.25),
                                      c + QPointF(u * 0.45, -u * 0.2)}));
            break;
        case Icon::ChevronRight:
            p.drawPolyline(QPolygonF({c + QPointF(-u * 0.2, -u * 0.45), c + QPointF(u * 0.25, 0),
                                      c + QPointF(-u * 0.2, u * 0.45)}));
            break;
        case Icon::Back:
            p.drawPolyline(QPolygonF({c + QPointF(u * 0.2, -u * 0.5), c + QPointF(-u * 0.3, 0),
                                      c + QPointF(u * 0.2, u * 0.5)}));
            break;
        case Icon::Record:
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawEllipse(c, u * 0.55, u * 0.55);
            break;
        case Icon::Plus:
            p.drawLine(c + QPointF(-u * 0.6, 0), c + QPointF(u * 0.6, 0));
            p.drawLine(c + QPointF(0, -u * 0.6), c + QPointF(0, u * 0.6));
            break;
        case Icon::Palette: {
            p.drawEllipse(c, u * 0.85, u * 0.75);
            p.setBrush(colour);
            p.setPen(Qt::NoPen);
            const qreal dot = u * 0.14;
            p.drawEllipse(c + QPointF(-u * 0.4, -u * 0.2), dot, dot);
            p.drawEllipse(c + QPointF(0, -u * 0.4), dot, dot);
            p.drawEllipse(c + QPointF(u * 0.4, -u * 0.2), dot, dot);
            p.drawEllipse(c + QPointF(u * 0.3, u * 0.3), dot, dot);
            break;
        }
        case Icon::Power: {
            const QRectF ring(c.x() - u * 0.75, c.y() - u * 0.7, u * 1.5, u * 1.5);
            p.drawArc(ring, 120 * 16, -240 * 16 - 60 * 16);
            p.drawLine(c + QPointF(0, -u * 0.95), c + QPointF(0, -u * 0.1));
            break;
        }
        case Icon::Wave:
        case Icon::Bars: {
            const qreal heights[] = {0.35, 0.75, 1.0, 0.55, 0.85, 0.4};
            const int n = icon == Icon::Wave ? 6 : 4;
            const qreal step = 1.7 * u / (n - 1);
            for (int i = 0; i < n; ++i) {
                const qreal x = c.x() - 0.85 * u + i * step;
                const qreal h = heights[i] * u * 0.9;
                p.drawLine(QPointF(x, c.y() - h), QPointF(x, c.y() + h));
            }
            break;
        }
        case Icon::Flash: {
            QPolygonF bolt({c + QPointF(u * 0.15, -u * 0.95), c + QPointF(-u * 0.45, u * 0.1),
                            c + QPointF(0, u * 0.1), c + QPointF(-u * 0.15, u * 0.95),
                            c + QPointF(u * 0.45, -u * 0.1), c + QPointF(0, -u * 0.1)});
            p.drawPolygon(bolt);
            break;
        }
        case Icon::Pulse: {
            QPainterPath path;
            path.moveTo(c + QPointF(-u, 0));
            path.lineTo(c + QPointF(-u * 0.45, 0));
            path.lineTo(c + QPointF(-u * 0.25, -u * 0.7));
            path.lineTo(c + QPointF(u * 0.05, u * 0.7));
            path.lineTo(c + QPointF(u * 0.3, -u * 0.3));
            path.lineTo(c + QPointF(u * 0.45, 0));
            path.lineTo(c + QPointF(u, 0));
            p.drawPath(path);
            break;
        }
        case Icon::Check:
            p.drawPolyline(QPolygonF({c + QPointF(-u * 0.6, 0), c + QPointF(-u * 0.15, u * 0.45),
                                      c + QPointF(u * 0.65, -u * 0.45)}));
            break;
        case Icon::Warning: {
            QPolygonF tri({c + QPointF(0, -u * 0.9), c + QPointF(u * 0.95, u * 0.75),
                           c + QPointF(-u * 0.95, u * 0.75)});
            p.drawPolygon(tri);
            p.drawLine(c + QPointF(0, -u * 0.3), c + QPointF(0, u * 0.2));
            p.setBrush(colour);
            p.drawEllipse(c + QPointF(0, u * 0.48), w * 0.5, w * 0.5);
            break;
        }
        case Icon::Keyboard: {
            const QRectF body(c.x() - u, c.y() - u * 0.6, 2 * u, 1.2 * u);
            p.drawRoundedRect(body, u * 0.15, u * 0.15);
            p.setPen(Stroke(colour, w * 0.9));
            for (int row = 0; row < 2; ++row) {
                for (int i = 0; i < 5; ++i) {
                    const QPointF k =
                        body.topLeft() + QPointF(u * (0.3 + i * 0.35), u * (0.35 + row * 0.3));
                    p.drawPoint(k);
                }
            }
            p.drawLine(body.bottomLeft() + QPointF(u * 0.5, -u * 0.25),
                       body.bottomRight() + QPointF(-u * 0.5, -u * 0.25));
            break;
        }
        case Icon::ArrowRight:
            Arrow(p, c + QPointF(-u * 0.8, 0), c + QPointF(u * 0.8, 0), u * 0.45);
            break;
        case Icon::ArrowLeft:
            Arrow(p, c + QPointF(u * 0.8, 0), c + QPointF(-u * 0.8, 0), u * 0.45);
            break;
        case Icon::ArrowsOut:
            Arrow(p, c + QPointF(-u * 0.1, 0), c + QPointF(-u * 0.95, 0), u * 0.4);
            Arrow(p, c + QPointF(u * 0.1, 0), c + QPointF(u * 0.95, 0), u * 0.4);
            break;
        case Icon::ArrowsIn:
            Arrow(p, c + QPointF(-u * 0.95, 0), c + QPointF(-u * 0.12, 0), u * 0.4);
            Arrow(p, c + QPointF(u * 0.95, 0), c + QPointF(u * 0.12, 0), u * 0.4);
            break;
        case Icon::Crosshair:
            p.drawEllipse(c, u * 0.6, u * 0.6);
            p.drawLine(c + QPointF(-u, 0), c + QPointF(-u * 0.3, 0));
            p.drawLine(c + QPointF(u, 0), c + QPointF(u * 0.3, 0));
            p.drawLine(c + QPointF(0, -u), c + QPointF(0, -u * 0.3));
            p.drawLine(c + QPointF(0, u), c + QPointF(0, u * 0.3));
            break;
        case Icon::Monitor: {
            const QRectF screen(c.x() - u * 0.9, c.y() - u * 0.75, u * 1.8, u * 1.2);
            p.drawRoundedRect(screen, u * 0.1, u * 0.1);
            p.drawLine(c + QPointF(0, u * 0.45), c + QPointF(0, u * 0.75));
            p.drawLine(c + QPointF(-u * 0.4, u * 0.8), c + QPointF(u * 0.4, u * 0.8));
            break;
        }
        case Icon::FolderClosed:
        case Icon::FolderOpen: {
            QPainterPath path;
            path.moveTo(c + QPointF(-u * 0.9, -u * 0.55));
            path.lineTo(c + QPointF(-u * 0.3, -u * 0.55));
            path.lineTo(c + QPointF(-u * 0.15, -u * 0.35));
            path.lineTo(c + QPointF(u * 0.9, -u * 0.35));
            path.lineTo(c + QPointF(u * 0.9, u * 0.7));
            path.lineTo(c + QPointF(-u * 0.9, u * 0.7));
            path.closeSubpath();
            QColor fill = colour;
            fill.setAlphaF(icon == Icon::FolderOpen ? 0.55 : 0.3);
            p.setBrush(fill);
            p.drawPath(path);
            if (icon == Icon::FolderOpen) {
                p.drawLine(c + QPointF(-u * 0.9, -u * 0.05), c + QPointF(u * 0.9, -u * 0.05));
            }
            break;
        }
        case Icon::Macro: {
            p.drawRoundedRect(QRectF(c.x() - u * 0.8, c.y() - u * 0.8, u * 1.6, u * 1.6), u * 0.3,
                              u * 0.3);
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            QPolygonF play({c + QPointF(-u * 0.25, -u * 0.4), c + QPointF(u * 0.45, 0),
                            c + QPointF(-u * 0.25, u * 0.4)});
            p.drawPolygon(play);
            break;
        }
        case Icon::Clock:
            p.drawEllipse(c, u * 0.85, u * 0.85);
            p.drawLine(c, c + QPointF(0, -u * 0.5));
            p.drawLine(c, c + QPointF(u * 0.38, u * 0.2));
            break;
        case Icon::KeyPress:
        case Icon::KeyRelease: {
            p.drawRoundedRect(QRectF(c.x() - u * 0.85, c.y() - u * 0.1, u * 1.7, u * 0.9), u * 0.2,
                              u * 0.2);
            if (icon == Icon::KeyPress) {
                Arrow(p, c + QPointF(0, -u * 0.95), c + QPointF(0, -u * 0.2), u * 0.35);
            } else {
                Arrow(p, c + QPointF(0, -u * 0.25), c + QPointF(0, -u * 0.98), u * 0.35);
            }
            break;
        }
        case Icon::Move:
            Arrow(p, c, c + QPointF(0, -u * 0.9), u * 0.3);
            Arrow(p, c, c + QPointF(0, u * 0.9), u * 0.3);
            Arrow(p, c, c + QPointF(-u * 0.9, 0), u * 0.3);
            Arrow(p, c, c + QPointF(u * 0.9, 0), u * 0.3);
            break;
        case Icon::Bulb: {
            p.drawEllipse(c + QPointF(0, -u * 0.2), u * 0.55, u * 0.55);
            p.drawLine(c + QPointF(-u * 0.25, u * 0.55), c + QPointF(u * 0.25, u * 0.55));
            p.drawLine(c + QPointF(-u * 0.18, u * 0.8), c + QPointF(u * 0.18, u * 0.8));
            break;
        }
        case Icon::Gauge: {
            const QRectF arc(c.x() - u * 0.9, c.y() - u * 0.7, u * 1.8, u * 1.8);
            p.drawArc(arc, 0, 180 * 16);
            p.drawLine(c + QPointF(0, u * 0.2), c + QPointF(u * 0.45, -u * 0.35));
            p.setBrush(colour);
            p.drawEllipse(c + QPointF(0, u * 0.2), w * 0.7, w * 0.7);
            break;
        }
    }
    p.restore();
}

void DrawButton(QPainter& p, const QRectF& r, State s, ButtonStyle style) {
    p.save();
    const QRectF b = r.adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min<qreal>(8, r.height() / 2);
    switch (style) {
        case ButtonStyle::Tab: {
            if (s != State::Normal) {
                QLinearGradient g(r.topLeft(), r.bottomLeft());
                g.setColorAt(0, QColor(0, 0, 0, 0));
                g.setColorAt(
                    1, s == State::Down ? QColor(7, 188, 255, 46) : QColor(255, 255, 255, 14));
                p.fillRect(r, g);
            }
            if (s == State::Down) {
                QRectF bar(r.left() + 18, r.bottom() - 3, r.width() - 36, 3);
                p.setPen(Qt::NoPen);
                p.setBrush(palette::kAccent);
                p.drawRoundedRect(bar, 1.5, 1.5);
            } else if (s == State::Over) {
                QRectF bar(r.left() + 30, r.bottom() - 2, r.width() - 60, 2);
                p.fillRect(bar, palette::kHoverBorder);
            }
            break;
        }
        case ButtonStyle::Accent: {
            QLinearGradient g(r.topLeft(), r.topRight());
            QColor from =
                palette::kAccent.darker(s == State::Down ? 165 : (s == State::Over ? 115 : 135));
            QColor to = palette::kAccentDeep.darker(
                s == State::Down ? 165 : (s == State::Over ? 105 : 125));
            g.setColorAt(0, from);
            g.setColorAt(1, to);
            p.setPen(QPen(s == State::Over ? palette::kAccent.lighter(130) : palette::kAccent, 1));
            p.setBrush(g);
            p.drawRoundedRect(b, radius, radius);
            if (s == State::Over) {
                Glow(p, b, radius, palette::kAccent, 3);
            }
            break;
        }
        case ButtonStyle::Outline:
        case ButtonStyle::Plain:
        case ButtonStyle::Segment: {
            QColor fill = style == ButtonStyle::Outline ? palette::kHeader : palette::kControl;
            QColor border = palette::kControlBorder;
            if (s == State::Over) {
                fill = palette::kHover;
                border = palette::kHoverBorder;
            } else if (s == State::Down) {
                fill = palette::kSelected;
                border = palette::kAccent;
            }
            QLinearGradient g(r.topLeft(), r.bottomLeft());
            g.setColorAt(0, fill.lighter(112));
            g.setColorAt(1, fill);
            p.setPen(QPen(border, 1));
            p.setBrush(g);
            p.drawRoundedRect(b, radius, radius);
            if (s == State::Down) {
                Glow(p, b, radius, palette::kAccent, 2);
            }
            break;
        }
    }
    p.restore();
}

void DrawIconButton(QPainter& p, const QRectF& r, Icon icon, State s, bool danger) {
    p.save();
    const QRectF b = r.adjusted(1, 1, -1, -1);
    if (s != State::Normal) {
        QColor fill = danger ? palette::kDanger : palette::kHover;
        if (s == State::Down) {
            fill = danger ? palette::kDanger.darker(130) : palette::kSelected;
        }
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(b, 6, 6);
    }
    const QColor colour = s == State::Normal ? palette::kIcon : QColor(Qt::white);
    DrawIcon(p, icon, r, colour);
    p.restore();
}

void DrawToggle(QPainter& p, const QRectF& r, State s) {
    p.save();
    const qreal h = std::min<qreal>(r.height(), 24);
    const qreal w = std::min<qreal>(r.width(), h * 1.9);
    const QRectF track(r.center().x() - w / 2, r.center().y() - h / 2, w, h);
    const bool on = s == State::Down;
    if (on) {
        QLinearGradient g(track.topLeft(), track.topRight());
        g.setColorAt(0, palette::kAccent.darker(115));
        g.setColorAt(1, palette::kAccentDeep);
        p.setBrush(g);
        p.setPen(QPen(palette::kAccent, 1));
    } else {
        p.setBrush(s == State::Over ? palette::kHover : palette::kTrack);
        p.setPen(QPen(s == State::Over ? palette::kHoverBorder : palette::kControlBorder, 1));
    }
    p.drawRoundedRect(track.adjusted(0.5, 0.5, -0.5, -0.5), h / 2, h / 2);
    const qreal knob = h - 6;
    const qreal kx = on ? track.right() - 3 - knob : track.left() + 3;
    p.setPen(Qt::NoPen);
    p.setBrush(on ? QColor(Qt::white) : palette::kIcon);
    p.drawEllipse(QRectF(kx, track.top() + 3, knob, knob));
    p.restore();
}

void DrawCheckbox(QPainter& p, const QRectF& r, State s) {
    p.save();
    const qreal side = std::min<qreal>(18, std::min(r.width(), r.height()) - 2);
    const QRectF box(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    const bool on = s == State::Down;
    p.setPen(QPen(on ? palette::kAccent
                     : (s == State::Over ? palette::kHoverBorder : palette::kControlBorder),
                  1.2));
    p.setBrush(on ? palette::kAccent.darker(140)
                  : (s == State::Over ? palette::kHover : palette::kControl));
    p.drawRoundedRect(box, 4, 4);
    if (on) {
        DrawIcon(p, Icon::Check, box.adjusted(-2, -2, 2, 2), Qt::white);
    }
    p.restore();
}

void DrawRadioRow(QPainter& p, const QRectF& r, State s) {
    p.save();
    DrawButton(p, r, s == State::Down ? State::Normal : s, ButtonStyle::Plain);
    if (s == State::Down) {
        p.setPen(QPen(palette::kAccent, 1));
        p.setBrush(QColor(7, 188, 255, 28));
        const qreal radius = std::min<qreal>(8, r.height() / 2);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }
    const qreal d = 14;
    const QPointF c(r.left() + 18, r.center().y());
    p.setPen(QPen(s == State::Down ? palette::kAccent : palette::kIcon, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, d / 2, d / 2);
    if (s == State::Down) {
        p.setPen(Qt::NoPen);
        p.setBrush(palette::kAccent);
        p.drawEllipse(c, d / 4, d / 4);
    }
    p.restore();
}

void DrawDropdown(QPainter& p, const QRectF& r, State s) {
    DrawButton(p, r, s, ButtonStyle::Plain);
    const qreal side = std::min<qreal>(r.height(), 28);
    DrawIcon(p, Icon::ChevronDown,
             QRectF(r.right() - side - 4, r.center().y() - side / 2, side, side),
             s == State::Normal ? palette::kIcon : QColor(Qt::white));
}

void DrawSliderTrack(QPainter& p, const QRectF& r, qreal centreY, State s) {
    p.save();
    const qreal h = 6;
    const QRectF track(r.left(), centreY - h / 2, r.width(), h);
    p.setPen(Qt::NoPen);
    if (s == State::Down) {
        QLinearGradient g(track.topLeft(), track.topRight());
        g.setColorAt(0, palette::kAccentDeep);
        g.setColorAt(1, palette::kAccent);
        p.setBrush(g);
    } else {
        p.setBrush(s == State::Over ? palette::kHover.lighter(130) : palette::kTrack);
    }
    p.drawRoundedRect(track, h / 2, h / 2);
    p.restore();
}

void DrawCard(QPainter& p, const QRectF& r, qreal radius) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, palette::kCard.lighter(108));
    g.setColorAt(1, palette::kCard);
    p.setPen(QPen(palette::kCardBorder, 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

void DrawWell(QPainter& p, const QRectF& inner) {
    p.save();
    const QRectF frame = inner.adjusted(-2, -2, 2, 2);
    p.setPen(QPen(palette::kControlBorder, 1));
    p.setBrush(palette::kListBackground);
    p.drawRoundedRect(frame.adjusted(-0.5, -0.5, 0.5, 0.5), 5, 5);
    p.fillRect(inner, palette::kListBackground);
    p.restore();
}

void DrawSwatchFrame(QPainter& p, const QRectF& r, State s) {
    p.save();
    p.setPen(QPen(s == State::Normal ? palette::kControlBorder : palette::kAccent, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(-3, -3, 3, 3), 5, 5);
    p.fillRect(r, palette::kControl);
    p.restore();
}

void DrawSectionMark(QPainter& p, const QRectF& captionRect) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kAccent);
    p.drawRoundedRect(QRectF(captionRect.center().x() - 12, captionRect.bottom() + 1, 24, 2), 1, 1);
    p.restore();
}

QImage RoundedMask(QSize size, int radius) {
    QImage mask(size, QImage::Format_RGB32);
    mask.fill(Qt::white);
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRect(QPoint(0, 0), size), radius, radius);
    p.end();
    return mask;
}

}  // namespace novu::skingen

#include <QLinearGradient>
#include <QRadialGradient>

#include "window_art.h"

namespace novu::skingen {

namespace {

QRectF Entry(const SkinLayout& layout, int i) {
    return Box(layout.controls.at(static_cast<std::size_t>(i)));
}

QSize SizeOf(SkinSize size) {
    return QSize(size.width, size.height);
}

// A dialog's background: a dark body with a slightly lighter title band.
void DrawDialogBody(QPainter& p, SkinSize size, qreal titleHeight) {
    const QRectF all(0, 0, size.width, size.height);
    QLinearGradient body(all.topLeft(), all.bottomLeft());
    body.setColorAt(0, palette::kCard.lighter(112));
    body.setColorAt(1, palette::kWindow);
    p.fillRect(all, body);
    if (titleHeight > 0) {
        p.fillRect(QRectF(0, 0, size.width, titleHeight), palette::kHeader.lighter(108));
        p.fillRect(QRectF(0, titleHeight, size.width, 1), palette::kCardBorder);
    }
    p.save();
    p.setPen(QPen(QColor(0x2E, 0x38, 0x48), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(all.adjusted(0.5, 0.5, -0.5, -0.5), kWindowRadius, kWindowRadius);
    p.restore();
}

}  // namespace

QImage RenderKeyCapture(const Layouts& layouts, State state, qreal scale) {
    const auto& keys = layouts.keyCapture;
    Canvas canvas(SizeOf(kKeyCaptureSkin.designSize), scale);
    QPainter& p = canvas.Painter();
    DrawDialogBody(p, kKeyCaptureSkin.designSize, 0);
    DrawIcon(p, Icon::Keyboard, QRectF(14, 10, 36, 36), palette::kIconDim);

    // The key display looks like a large key cap; the program writes the key's name in it.
    const QRectF key = Entry(keys, 0);
    p.save();
    const qreal press = state == State::Down ? 2 : 0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawRoundedRect(key.adjusted(0, 4, 0, 4), 10, 10);
    QLinearGradient cap(key.topLeft(), key.bottomLeft());
    cap.setColorAt(
        0, state == State::Over ? palette::kHover.lighter(120) : palette::kControl.lighter(125));
    cap.setColorAt(1, state == State::Over ? palette::kHover : palette::kControl);
    p.setPen(QPen(state == State::Normal ? palette::kControlBorder : palette::kAccent, 1.2));
    p.setBrush(cap);
    p.drawRoundedRect(key.adjusted(0.5, 0.5 + press, -0.5, -0.5 + press), 10, 10);
    p.restore();

    DrawButton(p, Entry(keys, 1), state, ButtonStyle::Accent);
    DrawButton(p, Entry(keys, 2), state, ButtonStyle::Plain);
    return canvas.Finish();
}

QImage RenderWarning(const Layouts& layouts, State state, qreal scale) {
    const auto& warning = layouts.main.warning;
    Canvas canvas(SizeOf(kWarningSkin.designSize), scale);
    QPainter& p = canvas.Painter();
    DrawDialogBody(p, kWarningSkin.designSize, 52);
    DrawIcon(p, Icon::Warning, QRectF(20, 12, 30, 30), QColor(0xFF, 0xB4, 0x3A));
    // The program draws no caption but the message: both buttons are symbols.
    DrawIconButton(p, Entry(warning, 1), Icon::Close, state, true);
    const QRectF ok = Entry(warning, 0);
    DrawButton(p, ok, state, ButtonStyle::Accent);
    DrawIcon(p, Icon::Check, ok, Qt::white);
    return canvas.Finish();
}

QImage RenderRecoil(const Layouts& layouts, State state, qreal scale) {
    const auto& gun = layouts.recoil;
    Canvas canvas(SizeOf(kRecoilSkin.designSize), scale);
    QPainter& p = canvas.Painter();
    DrawDialogBody(p, kRecoilSkin.designSize, 46);
    DrawIconButton(p, Entry(gun, 0), Icon::Back, state);
    DrawIconButton(p, Entry(gun, 1), Icon::Close, state, true);
    DrawSectionMark(p, Entry(gun, 10));

    // The picture of the preset fills control 4; a frame surrounds it.
    DrawWell(p, Entry(gun, 4));
    DrawButton(p, Entry(gun, 5), state, ButtonStyle::Plain);
    const QRectF arrow = Entry(gun, 6);
    DrawButton(p, arrow, state, ButtonStyle::Plain);
    DrawIcon(p, Icon::ChevronDown, arrow,
             state == State::Normal ? palette::kIcon : QColor(Qt::white));
    DrawButton(p, Entry(gun, 8), state, ButtonStyle::Segment);
    DrawButton(p, Entry(gun, 9), state, ButtonStyle::Segment);
    for (const auto& edit : layouts.recoilEdits) {
        DrawWell(p, QRectF(edit.left, edit.top, edit.right - edit.left, edit.bottom - edit.top));
    }
    DrawButton(p, Entry(gun, 2), state, ButtonStyle::Accent);
    DrawButton(p, Entry(gun, 3), state, ButtonStyle::Plain);
    return canvas.Finish();
}

QImage RenderSound(const Layouts& layouts, State state, qreal scale) {
    const auto& sound = layouts.sound;
    Canvas canvas(SizeOf(kSoundSkin.designSize), scale);
    QPainter& p = canvas.Painter();
    const QRectF title = Entry(sound, 11);
    DrawDialogBody(p, kSoundSkin.designSize, title.height());
    DrawIcon(p, Icon::Wave, Entry(sound, 0), palette::kGreen);
    DrawIconButton(p, Entry(sound, 10), Icon::Close, state, true);
    // The wave switch is drawn from the over image while off and from the down image while
    // on, so only the down image shows it on.
    DrawToggle(p, Entry(sound, 9), state == State::Down ? State::Down : State::Normal);

    // The level graph: faint empty columns; the down image holds the full-height bars the
    // program cuts to the measured level.
    const QRectF graph = Entry(sound, 1);
    DrawWell(p, graph.adjusted(2, 2, -2, -2));
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 12), 1));
    for (int i = 1; i < 4; ++i) {
        const qreal y = graph.top() + graph.height() * i / 4;
        p.drawLine(QPointF(graph.left() + 4, y), QPointF(graph.right() - 4, y));
    }
    for (int bar = 13; bar <= 48; ++bar) {
        const QRectF r = Entry(sound, bar);
        if (state == State::Down) {
            QLinearGradient g(r.topLeft(), r.bottomLeft());
            g.setColorAt(0, palette::kAccent);
            g.setColorAt(0.5, palette::kGreen);
            g.setColorAt(1, palette::kAccent);
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawRoundedRect(r, 2, 2);
        } else {
            p.fillRect(r, QColor(255, 255, 255, 10));
        }
    }
    p.restore();

    // Mode tiles: the caption sits in the lower band of each tile (its top is the tile's y
    // plus its width). Idle captions are drawn nearly black, hovered ones white and the
    // chosen one green, so the band is light when idle and dark otherwise.
    const Icon icons[] = {Icon::Bars, Icon::Flash, Icon::Pulse};
    for (int mode = 0; mode < 3; ++mode) {
        const QRectF tile = Entry(sound, 2 + mode);
        const QRectF art(tile.left(), tile.top(), tile.width(), tile.width());
        p.save();
        QColor fill = QColor(0xD9, 0xDF, 0xE7);
        QColor border = QColor(0xB8, 0xC2, 0xCF);
        QColor icon = QColor(0x2A, 0x33, 0x40);
        if (state == State::Over) {
            fill = QColor(0x2A, 0x36, 0x47);
            border = palette::kHoverBorder;
            icon = Qt::white;
        } else if (state == State::Down) {
            fill = QColor(0x0E, 0x2A, 0x20);
            border = palette::kGreen;
            icon = palette::kGreen;
        }
        p.setPen(QPen(border, 1.5));
        p.setBrush(fill);
        p.drawRoundedRect(tile.adjusted(0.75, 0.75, -0.75, -0.75), 10, 10);
        if (state == State::Down) {
            QRadialGradient glow(art.center(), art.width() * 0.6);
            glow.setColorAt(0, QColor(0, 198, 100, 60));
            glow.setColorAt(1, QColor(0, 198, 100, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawEllipse(art.center(), art.width() * 0.6, art.width() * 0.6);
        }
        p.restore();
        DrawIcon(p, icons[mode], art.adjusted(18, 12, -18, -24), icon);
    }
    return canvas.Finish();
}

}  // namespace novu::skingen

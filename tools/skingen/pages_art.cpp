#include <QLinearGradient>
#include <utility>

#include "window_art.h"

namespace novu::skingen {

namespace {

QRectF Entry(const SkinLayout& layout, int i) {
    return Box(layout.controls.at(static_cast<std::size_t>(i)));
}

QRectF FromSkinRect(const SkinRect& r) {
    return QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// A button with an icon at its left; the caption the program draws stays centred.
void DrawButtonWithIcon(QPainter& p, const QRectF& r, State s, Icon icon, const QColor& colour) {
    DrawButton(p, r, s, ButtonStyle::Plain);
    DrawIcon(p, icon, QRectF(r.left() + 8, r.top(), r.height(), r.height()),
             s == State::Normal ? colour : colour.lighter(125));
}

}  // namespace

// --- Macro page --------------------------------------------------------------------------

void DrawMacroPage(QPainter& p, const Layouts& layouts, State state) {
    const auto& mac = layouts.Page(kMacroPage);
    const auto& rects = layouts.main.macroRects;
    for (int title : {0, 1, 2, 3, 10}) {
        DrawSectionMark(p, Entry(mac, title));
    }
    // The three lists and the repeat-count box paint their own insides.
    DrawWell(p, FromSkinRect(rects.MacroTree()));
    DrawWell(p, FromSkinRect(rects.StepList()));
    DrawWell(p, FromSkinRect(rects.LightingStepList()));
    DrawWell(p, FromSkinRect(rects.RepeatCountBox()));

    const QRectF record = Entry(mac, 4);
    DrawButton(p, record, state, ButtonStyle::Plain);
    if (state == State::Down) {
        // Recording: the whole control glows red.
        p.save();
        p.setPen(QPen(palette::kRecord, 1.5));
        p.setBrush(QColor(240, 62, 74, 40));
        p.drawRoundedRect(record.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        p.restore();
    }
    DrawIcon(p, Icon::Record,
             QRectF(record.left() + 8, record.top(), record.height(), record.height()),
             state == State::Normal ? palette::kRecord.darker(115) : palette::kRecord);
    DrawButtonWithIcon(p, Entry(mac, 5), state, Icon::Plus, palette::kIcon);
    for (int mode : {6, 7, 8}) {
        DrawRadioRow(p, Entry(mac, mode), state);
    }
    DrawButtonWithIcon(p, Entry(mac, 13), state, Icon::Crosshair, palette::kAccent);
    DrawToggle(p, Entry(mac, 15), state);
}

// --- Lighting page -----------------------------------------------------------------------

void DrawLightingPage(QPainter& p, const Layouts& layouts, State state) {
    const auto& led = layouts.Page(kLightingPage);
    const auto entry = [&](int i) { return Entry(led, i); };

    DrawCard(p, QRectF(20, 164, 460, 404));
    DrawCard(p, QRectF(500, 164, 480, 404));
    for (int title : {20, 26, 27, 15}) {
        DrawSectionMark(p, entry(title));
    }

    // The lighting switch. While the lighting is off the program shows no caption on either
    // button, so each carries a symbol as well: a bulb to switch on, the power sign to switch
    // off.
    const std::pair<int, Icon> switches[] = {{17, Icon::Bulb}, {19, Icon::Power}};
    for (const auto& [button, icon] : switches) {
        const QRectF r = entry(button);
        DrawButton(p, r, state, ButtonStyle::Segment);
        DrawIcon(p, icon, QRectF(r.left() + 4, r.top(), r.height(), r.height()),
                 state == State::Normal ? palette::kIcon : QColor(Qt::white));
    }

    DrawDropdown(p, entry(35), state);

    // Sliders 40 and 41 are 6 pixels high; their knobs reach 5 pixels above and below.
    for (int slider : {40, 41}) {
        const QRectF r = entry(slider);
        DrawSliderTrack(p, r, r.center().y(), state);
    }

    const Icon directions[] = {Icon::ArrowRight, Icon::ArrowLeft, Icon::ArrowsOut, Icon::ArrowsIn};
    for (int d = 0; d < 4; ++d) {
        const QRectF r = entry(47 + d);
        DrawButton(p, r, state, ButtonStyle::Segment);
        DrawIcon(p, directions[d], r, state == State::Normal ? palette::kIcon : QColor(Qt::white));
    }
    DrawToggle(p, entry(45), state);

    const QRectF custom = entry(14);
    DrawButton(p, custom, state, ButtonStyle::Segment);
    DrawIcon(p, Icon::Palette, custom, state == State::Normal ? palette::kIcon : QColor(Qt::white));
    for (int c = 0; c < 7; ++c) {
        DrawSwatchFrame(p, entry(c), state);
        DrawCheckbox(p, entry(7 + c), state);
    }

    for (int n = 0; n < 8; ++n) {
        DrawToggle(p, entry(51 + n), state);
        DrawDropdown(p, entry(61 + n), state);
    }
}

QImage RenderLightingNull(const Layouts& layouts, qreal scale) {
    Canvas canvas(QSize(kMainWindowDesignSize.width, kMainWindowDesignSize.height), scale);
    QPainter& p = canvas.Painter();
    DrawMainFrame(p, layouts, State::Normal);
    DrawLightingPage(p, layouts, State::Normal);
    // Unavailable controls: veiled and crossed by faint diagonal lines.
    const QRectF content(0, 0, kMainWindowDesignSize.width, kMainWindowDesignSize.height);
    p.fillRect(content, QColor(11, 14, 19, 170));
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 10), 1));
    for (int x = -kMainWindowDesignSize.height; x < kMainWindowDesignSize.width; x += 8) {
        p.drawLine(QPointF(x, kMainWindowDesignSize.height),
                   QPointF(x + kMainWindowDesignSize.height, 0));
    }
    p.restore();
    return canvas.Finish();
}

QImage RenderLightingOff(const Layouts& layouts, qreal scale) {
    Canvas canvas(QSize(kMainWindowDesignSize.width, kMainWindowDesignSize.height), scale);
    QPainter& p = canvas.Painter();
    DrawMainFrame(p, layouts, State::Normal);
    DrawLightingPage(p, layouts, State::Normal);
    const QRectF overlay = Entry(layouts.Page(kLightingPage), 78);
    p.save();
    p.setPen(QPen(palette::kCardBorder, 1));
    QLinearGradient veil(overlay.topLeft(), overlay.bottomLeft());
    veil.setColorAt(0, QColor(14, 18, 25, 246));
    veil.setColorAt(1, QColor(10, 13, 18, 250));
    p.setBrush(veil);
    p.drawRoundedRect(overlay.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    // A large power symbol in the middle; the program writes the explanation beside the
    // switch above the overlay.
    const QRectF ring(overlay.center().x() - 48, overlay.center().y() - 48, 96, 96);
    p.setPen(QPen(palette::kControlBorder, 2));
    p.setBrush(palette::kControl);
    p.drawEllipse(ring);
    p.restore();
    DrawIcon(p, Icon::Power, ring, palette::kIconDim);
    return canvas.Finish();
}

}  // namespace novu::skingen

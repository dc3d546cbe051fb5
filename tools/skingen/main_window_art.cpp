#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "pictures.h"
#include "window_art.h"

namespace novu::skingen {

namespace {

// Header and footer geometry of the shipped main window.
constexpr qreal kTitleBarBottom = 56;
constexpr qreal kProfileBarBottom = 112;
constexpr qreal kFooterTop = 580;

void DrawBands(QPainter& p, QSizeF size) {
    QLinearGradient header(0, 0, 0, kProfileBarBottom);
    header.setColorAt(0, palette::kHeader.lighter(112));
    header.setColorAt(1, palette::kHeader);
    p.fillRect(QRectF(0, 0, size.width(), kProfileBarBottom), header);
    p.fillRect(QRectF(0, kTitleBarBottom, size.width(), 1), palette::kCardBorder);
    p.fillRect(QRectF(0, kProfileBarBottom, size.width(), 1), palette::kCardBorder);
    // A thin accent line under the title bar that fades out at both ends.
    QLinearGradient line(0, 0, size.width(), 0);
    line.setColorAt(0, QColor(7, 188, 255, 0));
    line.setColorAt(0.5, QColor(7, 188, 255, 90));
    line.setColorAt(1, QColor(7, 188, 255, 0));
    p.fillRect(QRectF(0, kTitleBarBottom, size.width(), 1), line);

    QRadialGradient glow(QPointF(size.width() / 2, kProfileBarBottom), size.width() * 0.6);
    glow.setColorAt(0, QColor(7, 120, 200, 26));
    glow.setColorAt(1, QColor(7, 120, 200, 0));
    p.fillRect(QRectF(0, kProfileBarBottom + 1, size.width(), kFooterTop - kProfileBarBottom - 1),
               glow);

    p.fillRect(QRectF(0, kFooterTop, size.width(), size.height() - kFooterTop), palette::kHeader);
    p.fillRect(QRectF(0, kFooterTop, size.width(), 1), palette::kCardBorder);
}

void DrawWindowBorder(QPainter& p, QSizeF size) {
    p.save();
    p.setPen(QPen(QColor(0x2A, 0x33, 0x42), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), kWindowRadius,
                      kWindowRadius);
    p.restore();
}

}  // namespace

void DrawMainFrame(QPainter& p, const Layouts& layouts, State state) {
    const QSizeF size(kMainWindowDesignSize.width, kMainWindowDesignSize.height);
    DrawBands(p, size);

    // The brand mark left of the product name (entry 5 carries the name).
    const QRectF brand = Box(layouts.Main(5));
    DrawBrandMark(p, QRectF(brand.left() - 36, brand.center().y() - 14, 28, 28));

    for (int tab = 6; tab <= 9; ++tab) {
        DrawButton(p, Box(layouts.Main(tab)), state, ButtonStyle::Tab);
    }
    for (int profile = 10; profile <= 13; ++profile) {
        DrawButton(p, Box(layouts.Main(profile)), state, ButtonStyle::Segment);
    }
    for (int action = 14; action <= 16; ++action) {
        DrawButton(p, Box(layouts.Main(action)), state, ButtonStyle::Outline);
    }
    DrawButton(p, Box(layouts.Main(3)), state, ButtonStyle::Accent);
    DrawDropdown(p, Box(layouts.Main(4)), state);
    DrawIconButton(p, Box(layouts.Main(17)), Icon::Globe, state);
    DrawIconButton(p, Box(layouts.Main(2)), Icon::Tray, state);
    DrawIconButton(p, Box(layouts.Main(0)), Icon::Minimise, state);
    DrawIconButton(p, Box(layouts.Main(1)), Icon::Close, state, true);
    DrawIconButton(p, Box(layouts.Main(19)), Icon::Help, state);
    DrawWindowBorder(p, size);
}

QImage RenderMainPage(const Layouts& layouts, int page, State state, qreal scale) {
    Canvas canvas(QSize(kMainWindowDesignSize.width, kMainWindowDesignSize.height), scale);
    QPainter& p = canvas.Painter();
    DrawMainFrame(p, layouts, state);
    switch (page) {
        case kButtonPage:
            DrawButtonPage(p, layouts, state);
            break;
        case kAdvancedPage:
            DrawAdvancedPage(p, layouts, state);
            break;
        case kMacroPage:
            DrawMacroPage(p, layouts, state);
            break;
        default:
            DrawLightingPage(p, layouts, state);
            break;
    }
    return canvas.Finish();
}

// --- Button page -------------------------------------------------------------------------

void DrawButtonPage(QPainter& p, const Layouts& layouts, State state) {
    const auto& main = layouts.Page(kButtonPage);
    const auto entry = [&](int i) { return Box(main.controls.at(static_cast<std::size_t>(i))); };

    DrawSectionMark(p, entry(53));
    DrawSectionMark(p, entry(54));

    const QRectF mouse(405, 140, 190, 380);
    DrawMouseTopView(p, mouse);

    // Leader lines from every button slot to its marker on the mouse.
    p.save();
    for (int n = 0; n < 12; ++n) {
        const QRectF slot = entry(20 + n);
        const QRectF marker = entry(35 + n);
        if (slot.isEmpty() || marker.isEmpty()) {
            continue;
        }
        const bool left = slot.center().x() < marker.center().x();
        const QPointF from(left ? slot.right() + 4 : slot.left() - 4, slot.center().y());
        const QPointF elbow(left ? mouse.left() - 40 : mouse.right() + 40, slot.center().y());
        const QPointF to = marker.center();
        QPainterPath path(from);
        path.lineTo(elbow);
        path.lineTo(to);
        QPen pen(QColor(0x3A, 0x4A, 0x60), 1.2);
        pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3A, 0x4A, 0x60));
        p.drawEllipse(from, 2.5, 2.5);
    }
    p.restore();

    for (int n = 0; n < 12; ++n) {
        const QRectF slot = entry(20 + n);
        if (slot.isEmpty()) {
            continue;
        }
        DrawButton(p, slot, state, ButtonStyle::Plain);
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(state == State::Normal ? palette::kAccent.darker(170) : palette::kAccent);
        p.drawRoundedRect(QRectF(slot.left() + 6, slot.top() + 10, 3, slot.height() - 20), 1.5,
                          1.5);
        p.restore();
        DrawIcon(p, Icon::ChevronDown, QRectF(slot.right() - 30, slot.top(), 26, slot.height()),
                 state == State::Normal ? palette::kIconDim : QColor(Qt::white));
    }
    for (int n = 0; n < 12; ++n) {
        const QRectF marker = entry(35 + n);
        if (marker.isEmpty()) {
            continue;
        }
        p.save();
        const QRectF disc = marker.adjusted(1, 1, -1, -1);
        if (state != State::Normal) {
            QRadialGradient glow(marker.center(), marker.width());
            glow.setColorAt(0, QColor(7, 188, 255, 110));
            glow.setColorAt(1, QColor(7, 188, 255, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawEllipse(marker.center(), marker.width(), marker.width());
        }
        p.setPen(QPen(state == State::Normal ? palette::kHoverBorder : palette::kAccent, 1.5));
        p.setBrush(state == State::Down
                       ? palette::kAccent.darker(150)
                       : (state == State::Over ? palette::kSelected : palette::kControl));
        p.drawEllipse(disc);
        p.restore();
    }

    const QRectF sound = entry(46);
    DrawButton(p, sound, state, ButtonStyle::Plain);
    DrawIcon(p, Icon::Wave, QRectF(sound.center().x() - 40, sound.top(), 80, sound.height()),
             state == State::Normal ? palette::kGreen.darker(115) : palette::kGreen.lighter(120));
}

// --- Advanced page -----------------------------------------------------------------------

void DrawAdvancedPage(QPainter& p, const Layouts& layouts, State state) {
    const auto& adv = layouts.Page(kAdvancedPage);
    const auto entry = [&](int i) { return Box(adv.controls.at(static_cast<std::size_t>(i))); };

    DrawCard(p, QRectF(20, 124, 470, 444));
    DrawCard(p, QRectF(510, 124, 470, 444));
    for (int title : {0, 17, 30, 42, 59}) {
        DrawSectionMark(p, entry(title));
    }
    p.fillRect(QRectF(34, 188, 442, 1), palette::kCardBorder);

    for (int level = 0; level < 6; ++level) {
        DrawToggle(p, entry(47 + level), state);
        DrawButton(p, entry(60 + level), state, ButtonStyle::Segment);
        DrawSwatchFrame(p, entry(77 + level), state);
    }

    // The DPI slider draws its knob 13 pixels below its top: its track runs through the
    // middle of its 42-pixel rectangle. The other sliders are as tall as the knob.
    const QRectF dpi = entry(66);
    DrawSliderTrack(p, dpi, dpi.top() + 13 + kSliderKnobSize.height / 2.0, state);
    for (int slider : {1, 18, 31}) {
        const QRectF r = entry(slider);
        DrawSliderTrack(p, r, r.top() + kSliderKnobSize.height / 2.0, state);
    }
    p.save();
    for (int tick = 83; tick <= 137; ++tick) {
        p.fillRect(entry(tick), palette::kIconDim);
    }
    p.restore();
    for (int value : {2, 19, 32}) {
        p.save();
        p.setPen(QPen(palette::kControlBorder, 1));
        p.setBrush(palette::kControl);
        p.drawRoundedRect(entry(value).adjusted(0.5, 2.5, -0.5, -2.5), 6, 6);
        p.restore();
    }

    for (int rate = 0; rate < 4; ++rate) {
        DrawButton(p, entry(34 + rate), state, ButtonStyle::Segment);
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(state == State::Down ? palette::kAccent : palette::kTrack);
        p.drawRoundedRect(entry(38 + rate), 2, 2);
        p.restore();
    }
}

}  // namespace novu::skingen

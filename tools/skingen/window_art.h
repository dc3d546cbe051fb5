#pragma once

#include <QImage>

#include "art.h"
#include "layouts.h"

namespace novu::skingen {

// The main window's page images: header and footer (shared by every page) and the page's
// own controls, all drawn in `state`.
QImage RenderMainPage(const Layouts& layouts, int page, State state, qreal scale);
// Header and footer, drawn on every page.
void DrawMainFrame(QPainter& p, const Layouts& layouts, State state);

// Page contents (main_window_art.cpp, pages_art.cpp).
void DrawButtonPage(QPainter& p, const Layouts& layouts, State state);
void DrawAdvancedPage(QPainter& p, const Layouts& layouts, State state);
void DrawMacroPage(QPainter& p, const Layouts& layouts, State state);
void DrawLightingPage(QPainter& p, const Layouts& layouts, State state);

// The lighting page as the greyed areas show it, and with the lighting-off overlay.
QImage RenderLightingNull(const Layouts& layouts, qreal scale);
QImage RenderLightingOff(const Layouts& layouts, qreal scale);

// The skinned dialogs (dialog_art.cpp).
QImage RenderKeyCapture(const Layouts& layouts, State state, qreal scale);
QImage RenderWarning(const Layouts& layouts, State state, qreal scale);
QImage RenderRecoil(const Layouts& layouts, State state, qreal scale);
QImage RenderSound(const Layouts& layouts, State state, qreal scale);

// The corner radius of every window outline.
inline constexpr int kWindowRadius = 12;

}  // namespace novu::skingen

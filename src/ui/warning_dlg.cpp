#include "ui/warning_dlg.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "skin/popup_position.h"
#include "skin/skin_catalog.h"
#include "ui/mask.h"
#include "ui/skin_fonts.h"
#include "ui/skin_image_cache.h"
#include "ui/skin_paint.h"

namespace novu {

namespace {

SkinPoint ToSkin(const QPoint& p) {
    return {p.x(), p.y()};
}

}  // namespace

WarningDlg::WarningDlg(WarningSetup setup, SkinImageCache& images, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      setup_(std::move(setup)),
      images_(images) {
    setModal(true);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const SkinImageNames names = SkinImages(kWarningSkin.imageBase);
    const QSize size = ApplyMaskRegion(*this, images_.Mask(names.mask));
    if (size.isEmpty()) {
        setFixedSize(kWarningSkin.designSize.width, kWarningSkin.designSize.height);
    }
    move(setup_.position);
}

void WarningDlg::accept() {
    // Return does nothing: only the buttons end the dialog.
}

void WarningDlg::reject() {
    done(2);
}

void WarningDlg::paintEvent(QPaintEvent*) {
    const SkinImageNames names = SkinImages(kWarningSkin.imageBase);
    QPainter painter(this);
    // The dialog has no down image: its buttons act on release and show only their hover.
    const int hovered = hover_ == 1   ? kWarningFirstButton
                        : hover_ == 2 ? kWarningSecondButton
                                      : kNoControl;
    PaintSkinned(painter, size(), {images_.Get(names.normal), images_.Get(names.over), {}},
                 setup_.layout, hovered, false);
    if (setup_.slot >= 0 && setup_.slot < static_cast<int>(setup_.layout.controls.size())) {
        painter.setFont(setup_.font);
        DrawCentred(painter, QRectOf(setup_.layout.controls[static_cast<std::size_t>(setup_.slot)]),
                    ToQString(setup_.text), kCaptionWhite);
    }
}

void WarningDlg::mouseMoveEvent(QMouseEvent* event) {
    hover_ = WarningHover(setup_.layout, ToSkin(event->position().toPoint()));
    if (hover_ != lastHover_) {
        lastHover_ = hover_;
        ++repaints_;
        update();
    }
}

void WarningDlg::mouseReleaseEvent(QMouseEvent* event) {
    QDialog::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (const int result = WarningResultOnRelease(hover_); result != 0) {
        done(result);
    }
}

void WarningDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            reject();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

WarningPresenter::WarningPresenter(SkinImageCache& images, SkinFonts& fonts,
                                   std::function<int()> languageIndex)
    : images_(images), fonts_(fonts), languageIndex_(std::move(languageIndex)) {}

bool WarningPresenter::Ready() const {
    return static_cast<int>(layout_.controls.size()) > kWarningMessageSlot &&
           !images_.Get(SkinImages(kWarningSkin.imageBase).normal).isNull();
}

QPoint WarningPresenter::PopupPosition() const {
    SkinPoint centre{};
    if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
        centre = ToSkin(screen->geometry().center());
    }
    const SkinPoint origin = mainWindow_ != nullptr ? ToSkin(mainWindow_->pos()) : SkinPoint{};
    const SkinPoint at = WarningPopupPosition(startupPhase_, centre, origin);
    return {at.x, at.y};
}

std::unique_ptr<WarningDlg> WarningPresenter::Create(std::string_view text) const {
    WarningSetup setup;
    setup.layout = layout_;
    setup.text = std::string(text);
    setup.position = PopupPosition();
    setup.font = fonts_.SelectFont(2, languageIndex_());
    return std::make_unique<WarningDlg>(std::move(setup), images_);
}

int WarningPresenter::ShowWarning(std::string_view text) const {
    const std::unique_ptr<WarningDlg> dialog = Create(text);
    const int result = dialog->exec();
    return result == 1 ? 1 : 2;
}

}  // namespace novu

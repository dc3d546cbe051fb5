#include "ui/language_menu.h"

#include <QMouseEvent>
#include <QPainter>

#include "i18n/languages.h"
#include "skin/skin_catalog.h"
#include "skin/skin_layout.h"
#include "ui/skin_image_cache.h"
#include "ui/skin_paint.h"

namespace novu {

namespace {

// A menu without languages still shows two (empty) bands.
constexpr int kRowsWithoutList = 2;

}  // namespace

LanguageMenu::LanguageMenu(SkinImageCache& images, DataFolder data, std::vector<int> languages,
                           int width, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint),
      images_(images),
      data_(std::move(data)),
      languages_(std::move(languages)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    const SkinImageNames names = MenuImages(kListMenuSkin);
    const QImage mask = images_.Mask(names.mask);
    const int maskHeight = mask.isNull() ? kListMenuSkin.designSize.height : mask.height();
    itemHeight_ = std::max(1, maskHeight / kMenuBandCount);
    rows_ = languages_.empty() ? kRowsWithoutList : static_cast<int>(languages_.size());
    setFixedSize(width, rows_ * itemHeight_);
}

int LanguageMenu::RowAt(const QPoint& point) const {
    if (point.x() < 0 || point.x() >= width() || point.y() < 0) {
        return kNoControl;
    }
    const int row = point.y() / itemHeight_ + 1;
    return row <= rows_ ? row : kNoControl;
}

void LanguageMenu::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const SkinImageNames names = MenuImages(kListMenuSkin);
    const QPixmap normal = images_.Get(names.normal);
    if (normal.isNull()) {
        painter.fillRect(rect(), QColor(0x14, 0x18, 0x20));
    } else {
        CopyRect(painter, normal, rect());
    }
    for (int row = 1; row <= static_cast<int>(languages_.size()); ++row) {
        const int language = languages_[static_cast<std::size_t>(row - 1)];
        const QPixmap band =
            images_.GetIn(LanguageFolder(data_, language),
                          row == hovered_ ? kLanguageItemHoverImage : kLanguageItemImage);
        if (band.isNull()) {
            continue;
        }
        const qreal ratio = band.devicePixelRatio();
        const QRect target(0, (row - 1) * itemHeight_, width(), itemHeight_);
        painter.drawPixmap(QRectF(target), band,
                           QRectF(0, 0, target.width() * ratio, target.height() * ratio));
    }
}

void LanguageMenu::mouseMoveEvent(QMouseEvent* event) {
    const int row = RowAt(event->position().toPoint());
    if (row != hovered_) {
        hovered_ = row;
        update();
    }
}

void LanguageMenu::mousePressEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) {
        close();  // a press outside a popup ends it
        return;
    }
    pressed_ = true;
    update();
}

void LanguageMenu::mouseReleaseEvent(QMouseEvent* event) {
    pressed_ = false;
    hovered_ = RowAt(event->position().toPoint());
    if (hovered_ == kNoControl) {
        update();
        return;
    }
    const int row = hovered_;
    close();
    emit rowChosen(row);
}

}  // namespace novu

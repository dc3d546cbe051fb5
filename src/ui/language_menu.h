#pragma once

#include <QWidget>
#include <filesystem>
#include <vector>

#include "config/data_folder.h"

namespace novu {

class SkinImageCache;

// The language menu: a small skinned popup with one band per language, each drawn from its
// language folder's own images (hovered or not). Choosing a band reports its 1-based row
// and closes the menu; releasing the button off the bands changes nothing.
class LanguageMenu : public QWidget {
    Q_OBJECT

public:
    LanguageMenu(SkinImageCache& images, DataFolder data, std::vector<int> languages, int width,
                 QWidget* parent = nullptr);

    int Rows() const { return rows_; }
    int ItemHeight() const { return itemHeight_; }

signals:
    void rowChosen(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int RowAt(const QPoint& point) const;

    SkinImageCache& images_;
    DataFolder data_;
    std::vector<int> languages_;
    int rows_ = 0;
    int itemHeight_ = 0;
    int hovered_ = 255;
    bool pressed_ = false;
};

}  // namespace novu

#include "ui_rig.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <fstream>

namespace novu::test {

std::filesystem::path BuiltData() {
    return NOVU_BUILT_DATA;
}

DataFolder MakeDataFolder(const std::filesystem::path& target) {
    namespace fs = std::filesystem;
    const fs::path source = BuiltData();
    fs::create_directories(target);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
        const fs::path relative = fs::relative(entry.path(), source);
        const fs::path to = target / relative;
        if (entry.is_directory()) {
            fs::create_directories(to);
            continue;
        }
        const std::string extension = entry.path().extension().string();
        if (extension == ".jpg" || extension == ".png") {
            fs::create_symlink(entry.path(), to);
        } else {
            fs::copy_file(entry.path(), to);
        }
    }
    return DataFolder{target};
}

AppRig::AppRig(int variant, AppOptions appOptions)
    : data(MakeDataFolder(temp / "skins")),
      mouse(clock, variant),
      bus(mouse),
      options(appOptions) {}

AppRig::~AppRig() {
    if (app) {
        app->Window().Uploads().WaitForAll();
    }
    app.reset();
}

CNOVU_GMouseApp& AppRig::Make() {
    app = std::make_unique<CNOVU_GMouseApp>(
        options, data, AppSeams{&clock, &bus, &notices, &files, /*watchPower=*/false});
    return *app;
}

CNOVU_GMouseApp& AppRig::Started() {
    Make();
    const bool started = app->Start();
    EXPECT_TRUE(started);
    FinishUploads();
    return *app;
}

void AppRig::FinishUploads() {
    app->Window().Uploads().WaitForAll();
    Settle();
}

std::vector<std::array<std::uint8_t, 8>> AppRig::SetReports() const {
    std::vector<std::array<std::uint8_t, 8>> reports;
    for (const FeatureExchange& exchange : mouse.Exchanges()) {
        if (!exchange.answer) {
            std::array<std::uint8_t, 8> head{};
            std::copy_n(exchange.bytes.begin(), std::min<std::size_t>(8, exchange.bytes.size()),
                        head.begin());
            reports.push_back(head);
        }
    }
    return reports;
}

namespace {

void Send(QWidget& window, QEvent::Type type, QPoint point, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(point), QPointF(window.mapToGlobal(point)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &event);
}

}  // namespace

void MoveTo(QWidget& window, QPoint point) {
    Send(window, QEvent::MouseMove, point, Qt::NoButton, Qt::NoButton);
}

void Press(QWidget& window, QPoint point) {
    Send(window, QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
}

void Release(QWidget& window, QPoint point) {
    Send(window, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
}

void Click(QWidget& window, QPoint point) {
    MoveTo(window, point);
    Press(window, point);
    Release(window, point);
}

QPoint CentreOf(const SkinLayout& layout, int entry) {
    const SkinControl& c = layout.controls.at(static_cast<std::size_t>(entry));
    return {c.x + c.width / 2, c.y + c.height / 2};
}

}  // namespace novu::test

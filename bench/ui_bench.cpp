// Figures of the window:
// - a cold start of the program in demo mode (offscreen) until its first painted frame: the
//   time from starting the process until it reports the frame, dynamic loading, Qt's start,
//   reading the configuration and skins, opening the virtual mouse and the first paint
//   included;
// - the cost of one hover change: the hit-test of the four layouts and the repaint of the
//   whole window it causes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/application.h"
#include "base/recorded_notices.h"
#include "base/virtual_clock.h"
#include "emulator/virtual_bus.h"
#include "emulator/virtual_mouse.h"

namespace novu {
namespace {

void ColdStartToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        QProcess process;
        process.setProgram(QStringLiteral(NOVU_GMOUSE_PROGRAM));
        process.setArguments({QStringLiteral("--emulate"), QStringLiteral("--first-frame-exit")});
        QElapsedTimer timer;
        timer.start();
        process.start();
        bool framed = false;
        while (!framed && process.waitForReadyRead(10000)) {
            framed = process.readAllStandardOutput().contains("first frame");
        }
        const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        process.kill();
        process.waitForFinished();
        if (!framed) {
            state.SkipWithError("the program painted no frame");
            return;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(ColdStartToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

void MoveTo(QWidget& window, QPoint point) {
    QMouseEvent event(QEvent::MouseMove, QPointF(point), QPointF(window.mapToGlobal(point)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &event);
}

void HoverRepaint(benchmark::State& state) {
    VirtualClock clock;
    VirtualMouse mouse(clock, 1);
    VirtualBus bus(mouse);
    RecordedNotices notices;
    CNOVU_GMouseApp app(AppOptions{}, DataFolder{NOVU_BUILT_DATA},
                        AppSeams{&clock, &bus, &notices, nullptr, false});
    if (!app.Start()) {
        state.SkipWithError("the program did not start");
        return;
    }
    app.Window().Uploads().WaitForAll();
    CNOVU_GMouseDlg& window = app.Window();
    window.ShowPage(static_cast<int>(state.range(0)));
    QCoreApplication::processEvents();
    // Two header controls present on every page: each move changes the hovered entry.
    const SkinLayout& header = window.Layouts()[kButtonPage];
    const auto centre = [&header](int entry) {
        const SkinControl& c = header.controls[static_cast<std::size_t>(entry)];
        return QPoint(c.x + c.width / 2, c.y + c.height / 2);
    };
    const QPoint points[] = {centre(header_entry::kImport), centre(header_entry::kExport)};
    int i = 0;
    for (auto _ : state) {
        MoveTo(window, points[i ^= 1]);
        window.repaint();
    }
    app.RunClosingSequence();
}
BENCHMARK(HoverRepaint)
    ->ArgName("page")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

}  // namespace
}  // namespace novu

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

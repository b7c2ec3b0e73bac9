// The tray icon's redraw, which runs each time the percent it shows changes (every memory sample
// while the dashboard is closed, on a machine whose memory moves): the whole icon set the tray
// item hands over, against the floor of one plain image of the same largest side filled and
// handed over the same way.
#include "StatusIconPainter.h"
#include "status/StatusItemLook.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

namespace {

corvane::StatusItemLook lookAt(int percent) {
    corvane::StatusInputs inputs;
    inputs.level = corvane::PressureLevel::elevated;
    inputs.percent = percent;
    inputs.waiting = 1;
    return corvane::statusItemLook(inputs);
}

void CorvaneTrayIcon(benchmark::State& state) {
    const corvane::StatusIconPainter painter;
    int percent = 60;
    for (auto _ : state) {
        benchmark::DoNotOptimize(painter.icon(lookAt(percent), Qt::white).cacheKey());
        percent = percent == 99 ? 60 : percent + 1;
    }
}
BENCHMARK(CorvaneTrayIcon)->Unit(benchmark::kMicrosecond);

void OnePlainImageFloor(benchmark::State& state) {
    for (auto _ : state) {
        QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QIcon icon;
        icon.addPixmap(QPixmap::fromImage(image));
        benchmark::DoNotOptimize(icon.cacheKey());
    }
}
BENCHMARK(OnePlainImageFloor)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

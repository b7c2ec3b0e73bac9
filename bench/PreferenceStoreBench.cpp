// Reads and writes of the preference store against QSettings used directly, in the same run:
// opening the file per call (the simple thread-safe use) and one shared instance.
#include "SettingsPreferenceStore.h"

#include "prefs/Prefs.h"

#include <QSettings>
#include <QString>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace corvane;

const std::string& benchFile() {
    static const std::string path = [] {
        char folder[] = "/tmp/corvane-prefs-bench-XXXXXX";
        const std::string made = ::mkdtemp(folder) ? folder : "/tmp";
        return made + "/Corvane.conf";
    }();
    return path;
}

QString benchFileQ() {
    return QString::fromStdString(benchFile());
}

void seedFile() {
    QSettings file(benchFileQ(), QSettings::IniFormat);
    for (const BoolPref& pref : Prefs::boolPrefs)
        file.setValue(QString::fromUtf8(pref.key.data(), static_cast<qsizetype>(pref.key.size())),
                      QStringLiteral("false"));
    file.setValue(QStringLiteral("pausedUntil"), QStringLiteral("1765200000.5"));
    file.sync();
}

void StoreRead(benchmark::State& state) {
    seedFile();
    SettingsPreferenceStore store(benchFile());
    Prefs::registerDefaults(store);
    for (auto _ : state)
        benchmark::DoNotOptimize(Prefs::value(store, Prefs::showPercent));
}
BENCHMARK(StoreRead);

void QSettingsOpenedPerRead(benchmark::State& state) {
    seedFile();
    for (auto _ : state) {
        const QSettings file(benchFileQ(), QSettings::IniFormat);
        benchmark::DoNotOptimize(file.value(QStringLiteral("showPercent")).toString());
    }
}
BENCHMARK(QSettingsOpenedPerRead);

void QSettingsSharedRead(benchmark::State& state) {
    seedFile();
    const QSettings file(benchFileQ(), QSettings::IniFormat);
    for (auto _ : state)
        benchmark::DoNotOptimize(file.value(QStringLiteral("showPercent")).toString());
}
BENCHMARK(QSettingsSharedRead);

// The caller's cost of a write: the store returns before the file is written.
void StoreWrite(benchmark::State& state) {
    seedFile();
    SettingsPreferenceStore store(benchFile());
    Prefs::registerDefaults(store);
    double seconds = 0;
    for (auto _ : state)
        Prefs::set(store, Prefs::pausedUntil, ++seconds);
}
BENCHMARK(StoreWrite);

void QSettingsWriteAndSync(benchmark::State& state) {
    seedFile();
    double seconds = 0;
    for (auto _ : state) {
        QSettings file(benchFileQ(), QSettings::IniFormat);
        file.setValue(QStringLiteral("pausedUntil"), QString::number(++seconds));
        file.sync();
    }
}
BENCHMARK(QSettingsWriteAndSync);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(std::filesystem::path(benchFile()).parent_path());
    return 0;
}

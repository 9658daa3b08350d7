// Benchmark entry point with a Qt application object (ZOV_BENCH_APPLICATION: fonts need
// a QGuiApplication, widgets a QApplication), offscreen by default.
#include ZOV_BENCH_APPLICATION_HEADER
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ZOV_BENCH_APPLICATION app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

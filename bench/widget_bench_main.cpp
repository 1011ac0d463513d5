// The main of the benchmarks that need widgets: an application on the
// offscreen platform, so they run without a display.
#include <QApplication>

#include "bench_runner.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return plexion::RunBenchmarks(argc, argv);
}

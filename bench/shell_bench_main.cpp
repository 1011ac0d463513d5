// The main of the benchmarks over the editor's panels: an application on the
// offscreen platform, so they run without a display, and every resource
// kind registered, as the editor has them.
#include <QApplication>

#include "all_kinds.h"
#include "bench_runner.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    plexion::RegisterAllResourceKinds();
    return plexion::RunBenchmarks(argc, argv);
}

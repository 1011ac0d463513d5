#pragma once

#include <benchmark/benchmark.h>

namespace plexion {

// Runs the benchmarks a program registered, as Google Benchmark's own main
// does; the exit code of the program. Mains set up what their benchmarks
// share first and clean up after.
inline int RunBenchmarks(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace plexion

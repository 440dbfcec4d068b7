#pragma once

#include <benchmark/benchmark.h>

#include "temp_folder.h"

// The main of a benchmark program that needs a Qt application object (offscreen, and never
// the real home).
template <typename TAplicacion>
int EjecutaBancosQt(int argc, char** argv) {
    const TCasaTemporal casa;
    TAplicacion aplicacion(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

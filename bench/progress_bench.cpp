// The learner's progress file of a 10,000-question set: its bytes made and read back, saved
// through the atomic writer and loaded; and the review walk's Next beside it.
#include <benchmark/benchmark.h>

#include <ctime>

#include "core/base/atomic_write.h"
#include "core/learning/progress.h"
#include "core/learning/review_schedule.h"
#include "temp_folder.h"

namespace {

constexpr int kPreguntas = 10000;

// Every question answered once, a third of them with a wrong gap.
TProgreso ProgresoCompleto(int64_t ahora) {
    TProgreso progreso;
    for (int n = 1; n <= kPreguntas; ++n)
        AnotaRespuesta(progreso, static_cast<uint16_t>(n), HuellaRegistro(std::to_string(n)),
                       n % 3 == 0 ? std::vector<uint8_t>{1, 4} : std::vector<uint8_t>{},
                       ahora - 86400);
    for (int s = 0; s < 200; ++s)
        CierraSesionProgreso(progreso, ahora - 86400 * (200 - s), 40, 31);
    return progreso;
}

void BM_BytesProgreso10000(benchmark::State& estado) {
    const TProgreso progreso = ProgresoCompleto(std::time(nullptr));
    for (auto _ : estado)
        benchmark::DoNotOptimize(BytesProgreso(progreso));
}
BENCHMARK(BM_BytesProgreso10000)->Unit(benchmark::kMillisecond);

void BM_GuardaProgreso10000(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("set.prg");
    const TProgreso progreso = ProgresoCompleto(std::time(nullptr));
    for (auto _ : estado)
        GuardaProgreso(ruta, progreso, EscribeFichero);
}
BENCHMARK(BM_GuardaProgreso10000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_CargaProgreso10000(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("set.prg");
    GuardaProgreso(ruta, ProgresoCompleto(std::time(nullptr)), EscribeFichero);
    std::vector<uint64_t> huellas;
    for (int n = 1; n <= kPreguntas; ++n)
        huellas.push_back(HuellaRegistro(std::to_string(n)));
    for (auto _ : estado) {
        TCargaProgreso carga = CargaProgreso(ruta);
        ConciliaProgreso(carga.Progreso, huellas);
        benchmark::DoNotOptimize(carga);
    }
}
BENCHMARK(BM_CargaProgreso10000)->Unit(benchmark::kMillisecond);

// The review walk's choice of the next question, over 10,000 entries within a topic filter.
void BM_SiguientePendiente10000(benchmark::State& estado) {
    const int64_t ahora = std::time(nullptr);
    const TProgreso progreso = ProgresoCompleto(ahora);
    const TFiltroPreguntas filtro = [](uint16_t n) { return n % 2 == 0; };
    uint16_t actual = 0;
    for (auto _ : estado) {
        actual = SiguientePendiente(progreso, ahora, actual, filtro);
        benchmark::DoNotOptimize(actual);
    }
}
BENCHMARK(BM_SiguientePendiente10000)->Unit(benchmark::kMicrosecond);

void BM_CuentaPendientes10000(benchmark::State& estado) {
    const int64_t ahora = std::time(nullptr);
    const TProgreso progreso = ProgresoCompleto(ahora);
    for (auto _ : estado)
        benchmark::DoNotOptimize(CuentaPendientes(progreso, ahora));
}
BENCHMARK(BM_CuentaPendientes10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <ostream>
#include <streambuf>

#include "commands.h"
#include "core/base/binary_file.h"
#include "core/set/writer.h"
#include "realistic_set.h"
#include "temp_folder.h"

namespace {

// Counts what is written and keeps none of it.
class TCuentaBytes : public std::streambuf {
  public:
    int64_t Bytes = 0;

  protected:
    int overflow(int c) override {
        ++Bytes;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        Bytes += n;
        return n;
    }
};

int64_t PicoResidenteKb() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
}

// tildora-tool history on a 100 MB history: its peak memory must not follow the file's size.
void BM_HistoriaLarga(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    setenv("XDG_DATA_HOME", carpeta.Ruta().c_str(), 1);
    CreaCarpeta(carpeta.En("Tildora"));
    {
        TFichero historia;
        historia.Abre(carpeta.En("Tildora/largo.his"), TFichero::TModo::Anadir);
        std::string bloque(1 << 20, '\0');
        for (size_t i = 0; i < bloque.size(); ++i)
            bloque[i] = static_cast<char>(i % 255);
        for (int mb = 0; mb < 100; ++mb)
            historia.EscribeBloque(bloque.data(), bloque.size());
    }
    const int64_t antes = PicoResidenteKb();
    TCuentaBytes cuenta;
    std::ostream salida(&cuenta), errores(&cuenta);
    for (auto _ : estado)
        if (EjecutaHerramienta({"history", "largo.preg"}, salida, errores) != kSalidaBien)
            estado.SkipWithError("history failed");
    estado.counters["peak_growth_kb"] = static_cast<double>(PicoResidenteKb() - antes);
    estado.counters["output_mb"] =
        static_cast<double>(cuenta.Bytes) / static_cast<double>(estado.iterations()) / 1e6;
}
BENCHMARK(BM_HistoriaLarga)->Unit(benchmark::kMillisecond)->Iterations(1);

// Saving a 10,000-question set as one pair, journal and syncs included.
void BM_EscribeConjunto(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const auto preguntas = ConjuntoRealista(10000);
    for (auto _ : estado)
        EscribeConjunto(carpeta.En("grande.preg"), preguntas);
}
BENCHMARK(BM_EscribeConjunto)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

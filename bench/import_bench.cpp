#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <fstream>
#include <string>

#include "moodle_import.h"
#include "temp_folder.h"

// Moodle imports of hostile files: time must follow the file's size, and the peak memory stay
// within a small multiple of it. Peaks are the process's, so run one case at a time
// (--benchmark_filter) to read a case's own.

namespace {

int64_t PicoResidenteKb() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
}

const char kCabecera[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n<question type=\"cloze\"><name><text>q"
    "</text></name><questiontext format=\"html\"><text>x {1:SA:=a} ";
const char kPie[] = "</text></questiontext></question>\n</quiz>\n";

// The question text's middle: `veces` copies of `trozo`, then `final`.
void Importa(benchmark::State& estado, const std::string& trozo, const std::string& final) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("hostil.xml");
    const int64_t veces = estado.range(0) * (1 << 20) / static_cast<int64_t>(trozo.size());
    {
        std::ofstream fichero(ruta, std::ios::binary);
        fichero << kCabecera;
        for (int64_t i = 0; i < veces; ++i)
            fichero << trozo;
        fichero << final << kPie;
    }
    const int64_t antes = PicoResidenteKb();
    for (auto _ : estado) {
        const TImportacionMoodle importacion = ImportaFicheroMoodle(ruta);
        if (importacion.Error || importacion.Preguntas.size() + importacion.Notas.size() == 0)
            estado.SkipWithError("the question did not come in");
    }
    estado.counters["input_mb"] = static_cast<double>(estado.range(0));
    estado.counters["peak_growth_mb"] = static_cast<double>(PicoResidenteKb() - antes) / 1024;
    estado.SetBytesProcessed(estado.iterations() * estado.range(0) * (1 << 20));
}

// Text before a script whose end tag lacks its ">": once it never returned.
void BM_GuionSinCerrar(benchmark::State& estado) {
    Importa(estado, "texto ", "&lt;script&gt;x&lt;/script");
}
// Ampersands alone: once each was searched to the next ";", 6.3 s for 1 MB.
void BM_Ampersands(benchmark::State& estado) {
    Importa(estado, "&amp;", "");
}
// Empty elements inside the text: once 932 MB for 20 MB.
void BM_ElementosVacios(benchmark::State& estado) {
    Importa(estado, "<b/>", "");
}
// Tags of HTML in the text, each read and dropped.
void BM_EtiquetasHtml(benchmark::State& estado) {
    Importa(estado, "&lt;br&gt;", "");
}

}  // namespace

BENCHMARK(BM_GuionSinCerrar)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Ampersands)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_EtiquetasHtml)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ElementosVacios)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();

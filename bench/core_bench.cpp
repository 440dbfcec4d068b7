#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "core/base/atomic_write.h"
#include "core/learning/next_question.h"
#include "core/set/checksum.h"
#include "core/set/question_files.h"
#include "core/set/topic_scan.h"
#include "core/set/writer.h"
#include "core/text/layout.h"
#include "hostile_sets.h"
#include "realistic_set.h"
#include "temp_folder.h"

namespace {

void BM_SumaBytes(benchmark::State& estado) {
    std::vector<unsigned char> datos(64u << 20);
    std::mt19937 generador(1);
    for (auto& b : datos)
        b = static_cast<unsigned char>(generador());
    for (auto _ : estado)
        benchmark::DoNotOptimize(SumaBytes(datos.data(), 0u, datos.size()));
    estado.SetBytesProcessed(static_cast<int64_t>(estado.iterations()) *
                             static_cast<int64_t>(datos.size()));
}
BENCHMARK(BM_SumaBytes)->Unit(benchmark::kMillisecond);

void BM_LeeTodasLasPreguntas(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("grande.preg");
    EscribeConjunto(nombre, ConjuntoRealista(10000));
    for (auto _ : estado) {
        TFicherosPreguntas ficheros;
        ficheros.Abre(nombre);
        for (int n = 1; n <= ficheros.NumPreguntas(); ++n)
            benchmark::DoNotOptimize(ficheros.LeePregunta(static_cast<uint16_t>(n)));
    }
}
BENCHMARK(BM_LeeTodasLasPreguntas)->Unit(benchmark::kMillisecond);

// What opening a set costs before the window shows it: both checksums, the key, the count
// and the topic scan.
void BM_AbreConjunto(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("grande.preg");
    EscribeConjunto(nombre, ConjuntoRealista(10000));
    TLista lista;
    TTemasDePregunta temas;
    for (auto _ : estado) {
        TAviso aviso;
        if (!CompruebaFicheros(nombre, kClave, &aviso))
            estado.SkipWithError("refused");
        TFicherosPreguntas ficheros;
        ficheros.Abre(nombre);
        benchmark::DoNotOptimize(LeeTemas(ficheros, lista, temas));
    }
}
BENCHMARK(BM_AbreConjunto)->Unit(benchmark::kMillisecond);

// The same for a 294 KB set that repeats one record with a 32000-byte topic through 65535
// index entries: time and memory stay proportional to the files, not to topic × questions.
void BM_AbreConjuntoDeTemaRepetido(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("repetido.preg");
    const TConjuntoEscrito conjunto = ConjuntoDeTemaRepetido();
    EscribeFichero(nombre, conjunto.Preguntas);
    EscribeFichero(NombreIndice(nombre), conjunto.Indice);
    TLista lista;
    TTemasDePregunta temas;
    for (auto _ : estado) {
        TAviso aviso;
        if (!CompruebaFicheros(nombre, kClave, &aviso))
            estado.SkipWithError("refused");
        TFicherosPreguntas ficheros;
        ficheros.Abre(nombre);
        benchmark::DoNotOptimize(LeeTemas(ficheros, lista, temas));
    }
}
BENCHMARK(BM_AbreConjuntoDeTemaRepetido)->Unit(benchmark::kMillisecond);

TMetricas MetricasFijas() {
    TMetricas metricas;
    metricas.AnchoTexto = [](std::string_view texto) { return 8 * static_cast<int>(texto.size()); };
    return metricas;
}

void BM_PlanificaPregunta200Huecos(benchmark::State& estado) {
    TPregunta pregunta{1, 4, "Acentos", ""};
    for (int i = 0; i < 200; ++i)
        pregunta.Texto += "pal@abr\xE1@s ";
    const TMetricas metricas = MetricasFijas();
    for (auto _ : estado)
        benchmark::DoNotOptimize(PlanificaPregunta(pregunta, 1, metricas));
}
BENCHMARK(BM_PlanificaPregunta200Huecos)->Unit(benchmark::kMicrosecond);

void BM_PlanificaPreguntaTipica(benchmark::State& estado) {
    const TPregunta pregunta = ConjuntoRealista(1).front();
    const TMetricas metricas = MetricasFijas();
    for (auto _ : estado)
        benchmark::DoNotOptimize(PlanificaPregunta(pregunta, 1, metricas));
}
BENCHMARK(BM_PlanificaPreguntaTipica)->Unit(benchmark::kMicrosecond);

// Next over 10000 questions when a single one has a selected topic, in random order.
void BM_EligeSiguienteRaro(benchmark::State& estado) {
    TTemasDePregunta TemaDePregunta;
    TemaDePregunta.Referencias.assign(10001, 1);
    TemaDePregunta.Referencias[5000] = 2;
    TLista ListaTemas;
    ListaTemas.Anade("otro");
    ListaTemas.Anade("raro");
    ListaTemas.Marca(2);
    uint16_t PreguntaActual = 1;
    std::mt19937 generador(3);
    for (auto _ : estado)
        benchmark::DoNotOptimize(
            EligeSiguiente({false, PreguntaActual, 10000, TemaDePregunta, ListaTemas, generador}));
}
BENCHMARK(BM_EligeSiguienteRaro)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

#include <benchmark/benchmark.h>

#include <string>

#include "core/authoring/gap_rules.h"
#include "core/authoring/source_format.h"
#include "core/authoring/text_import.h"
#include "core/authoring/words.h"
#include "core/base/win1252.h"
#include "core/spelling/spelling.h"
#include "realistic_set.h"

// The system's own dictionaries (hunspell-es, hunspell-ca), as the editor and the tool use them.

namespace {

const std::string kParrafoCastellano =
    "Si una herej\xC3\xAD"
    "a cient\xC3\xAD"
    "fica es ignorada o denunciada por el p\xC3\xBA"
    "blico en general, hay alguna posibilidad de que sea correcta. Siempre seremos una "
    "minor\xC3\xAD"
    "a diminuta, pero no debemos cansarnos de presentar nuestro punto de vista.";
const std::string kParrafoValenciano =
    "Dissabte passat vam anar amb l'\xC3\xA0via al mercat del poble. Ella sempre compra "
    "taronges, ametles i una barra de pa de llenya, i despr\xC3\xA9s ens convida a un got "
    "d'orxata a la pla\xC3\xA7"
    "a.";

void BM_CargaDiccionarios(benchmark::State& estado) {
    for (auto _ : estado) {
        TOrtografia ortografia;
        benchmark::DoNotOptimize(ortografia.Disponible(TIdioma::Castellano));
        benchmark::DoNotOptimize(ortografia.Disponible(TIdioma::Valenciano));
    }
}
BENCHMARK(BM_CargaDiccionarios)->Unit(benchmark::kMillisecond);

// What the checks panel and 'tildora-tool spell' do: each question's language, then its
// answers, with suggestions for the unknown ones.
void BM_DeletreaRespuestasConjunto(benchmark::State& estado) {
    const std::vector<TPregunta> preguntas = ConjuntoRealista(10000);
    TOrtografia ortografia;
    if (!ortografia.Disponible(TIdioma::Castellano) || !ortografia.Disponible(TIdioma::Valenciano))
        estado.SkipWithError("the dictionaries are not installed");
    for (auto _ : estado) {
        size_t desconocidas = 0;
        for (const TPregunta& p : preguntas) {
            const TIdioma idioma = ortografia.IdiomaDe(QuitaMarcas(p.Texto));
            desconocidas += ortografia.RespuestasDesconocidas(idioma, p.Texto, 3).size();
        }
        benchmark::DoNotOptimize(desconocidas);
    }
}
BENCHMARK(BM_DeletreaRespuestasConjunto)->Unit(benchmark::kMillisecond);

// The underlining of one edited paragraph: its unknown words, without suggestions.
void BM_SubrayaParrafo(benchmark::State& estado) {
    TOrtografia ortografia;
    const std::string parrafo = *Windows1252DeUtf8(kParrafoCastellano + " " + kParrafoCastellano);
    ortografia.Disponible(TIdioma::Castellano);
    for (auto _ : estado)
        benchmark::DoNotOptimize(ortografia.Desconocidas(TIdioma::Castellano, parrafo, 0));
}
BENCHMARK(BM_SubrayaParrafo)->Unit(benchmark::kMicrosecond);

// 'tildora-tool gaps' over a text of 1 MB: import, gaps by two rules with distractors, source.
void BM_HuecosTextoDeUnMega(benchmark::State& estado) {
    std::string texto;
    while (texto.size() < (1u << 20))
        texto += kParrafoCastellano + "\n\n" + kParrafoValenciano + "\n\n";
    const std::vector<TReglaHuecos> reglas = {TReglaHuecos::Acentos, TReglaHuecos::BV};
    for (auto _ : estado) {
        const TTextoImportado importado = ImportaTexto(texto, TPregunta{});
        std::vector<TPregunta> preguntas;
        for (const TPregunta& p : importado.Preguntas)
            for (TPregunta& hecha : AplicaHuecos(p, ProponHuecos(p.Texto, reglas, 2)))
                preguntas.push_back(std::move(hecha));
        benchmark::DoNotOptimize(EscribeFuente(preguntas, "texto"));
    }
    estado.SetBytesProcessed(static_cast<int64_t>(estado.iterations() * texto.size()));
}
BENCHMARK(BM_HuecosTextoDeUnMega)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

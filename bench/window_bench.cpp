// The main window's own handlers, timed under Qt's offscreen platform: Next with the layout of
// a question of 200 gaps and of a typical one, with and without the repaint that follows,
// opening the 10,000-question set through File, New, the window's creation, and one step of
// the text size on a question of 200 gaps with its answers shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

#include "core/set/writer.h"
#include "main_window.h"
#include "qt_bench_main.h"
#include "realistic_set.h"
#include "temp_folder.h"
#include "text_zoom.h"

namespace {

// Every topic but the first question's, as the topic dialog ticks them.
void QuitaPrimera(TfrmTildora& ventana) {
    std::vector<bool> marcas(static_cast<size_t>(ventana.Sesion.ListaTemas().Cuenta()), true);
    marcas[static_cast<size_t>(ventana.Sesion.ListaTemas().Busca("Primera") - 1)] = false;
    ventana.Sesion.SeleccionaTemas(marcas);
}

// File, New with the open dialog answering ruta.
void Abre(TfrmTildora& ventana, const std::string& ruta) {
    ventana.AbrePreguntas = [ruta](const QString&) { return QString::fromStdString(ruta); };
    ventana.btnNuevo->click();
}

// A window shown with the set open, its events handled.
std::unique_ptr<TfrmTildora> VentanaConConjunto(const std::string& ruta) {
    auto ventana = std::make_unique<TfrmTildora>();
    ventana->show();
    QCoreApplication::processEvents();
    Abre(*ventana, ruta);
    QCoreApplication::processEvents();
    return ventana;
}

// Accent practice on 200 words: every gap, text label and answer label of the pool in use.
std::vector<TPregunta> Conjunto200Huecos() {
    TPregunta pregunta{1, 4, "Acentos", ""};
    for (int i = 0; i < 200; ++i)
        pregunta.Texto += i % 20 == 19 ? "cami@\xF3@n\r" : "cami@\xF3@n ";
    // Record 1 must pass the key check, which wants mostly plain letters.
    std::vector<TPregunta> preguntas = ConjuntoRealista(1);
    preguntas.front().Tema = "Primera";
    preguntas.insert(preguntas.end(), 20, pregunta);
    return preguntas;
}

void MideSiguiente(benchmark::State& estado, const std::vector<TPregunta>& preguntas,
                   bool conRepintado, int huecosEsperados) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("set.preg");
    EscribeConjunto(ruta, preguntas);
    const std::unique_ptr<TfrmTildora> ventana = VentanaConConjunto(ruta);
    if (!ventana->Sesion.FicherosAbiertos()) {
        estado.SkipWithError("the set did not open");
        return;
    }
    if (huecosEsperados > 0) {
        // Only the 200-gap questions: the first one is there for the key check.
        QuitaPrimera(*ventana);
    }
    int huecos = 0;
    for (auto _ : estado) {
        ventana->btnSiguiente->click();
        if (conRepintado)
            QCoreApplication::processEvents();
        huecos += ventana->NumHuecos;
    }
    if (huecosEsperados > 0 && huecos != huecosEsperados * static_cast<int>(estado.iterations()))
        estado.SkipWithError("a question did not use every gap of the pool");
    estado.counters["gaps"] = benchmark::Counter(huecos, benchmark::Counter::kAvgIterations);
}

void BM_Siguiente200Huecos(benchmark::State& estado) {
    MideSiguiente(estado, Conjunto200Huecos(), estado.range(0) != 0, 200);
}
BENCHMARK(BM_Siguiente200Huecos)->Arg(0)->Arg(1)->ArgName("repaint")->Unit(benchmark::kMillisecond);

void BM_SiguienteTipica(benchmark::State& estado) {
    MideSiguiente(estado, ConjuntoRealista(10000), estado.range(0) != 0, 0);
}
BENCHMARK(BM_SiguienteTipica)->Arg(0)->Arg(1)->ArgName("repaint")->Unit(benchmark::kMillisecond);

// Ctrl+plus and Ctrl+minus in turn: every control of the pool gets its font, the question is
// laid out again and its entries, answers and colours put back.
void BM_PasoDeZoom200Huecos(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("set.preg");
    EscribeConjunto(ruta, Conjunto200Huecos());
    const std::unique_ptr<TfrmTildora> ventana = VentanaConConjunto(ruta);
    QuitaPrimera(*ventana);
    ventana->btnSiguiente->click();
    ventana->btnCorregir->click();
    if (ventana->NumHuecos != 200) {
        estado.SkipWithError("the question did not use every gap of the pool");
        return;
    }
    for (auto _ : estado) {
        if (ventana->ZoomTexto->PorCiento() == 100)
            ventana->ZoomTexto->Amplia();
        else
            ventana->ZoomTexto->Reduce();
    }
}
BENCHMARK(BM_PasoDeZoom200Huecos)->Unit(benchmark::kMillisecond);

// File, New on the 10,000-question set: closing the open one, the checks, the wait notice,
// the topic scan and the settings, as the learner waits for them.
void BM_AbreConjuntoEnVentana(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("grande.preg");
    EscribeConjunto(ruta, ConjuntoRealista(10000));
    TfrmTildora ventana;
    ventana.show();
    QCoreApplication::processEvents();
    for (auto _ : estado) {
        Abre(ventana, ruta);
        if (!ventana.Sesion.FicherosAbiertos())
            estado.SkipWithError("the set did not open");
    }
}
BENCHMARK(BM_AbreConjuntoEnVentana)->Unit(benchmark::kMillisecond);

// The main window's creation with its 600 pooled controls, the start-up's own share.
void BM_CreaVentana(benchmark::State& estado) {
    for (auto _ : estado) {
        TfrmTildora ventana;
        benchmark::DoNotOptimize(ventana.Huecos[kTamanoPool]);
    }
}
BENCHMARK(BM_CreaVentana)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return EjecutaBancosQt<QApplication>(argc, argv);
}

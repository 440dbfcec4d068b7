// The editor's window, timed under Qt's offscreen platform: one keystroke in the text of a
// question of 200 gaps, from the key to the preview laid out again, with and without the
// repaint that follows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

#include <string>
#include <vector>

#include "checks_panel.h"
#include "core/set/writer.h"
#include "editor_window.h"
#include "held_memory.h"
#include "hostile_sets.h"
#include "preview_panel.h"
#include "qt_bench_main.h"
#include "question_form.h"
#include "question_list.h"
#include "realistic_set.h"
#include "temp_folder.h"
#include "topics_panel.h"

namespace {

void BM_TeclaVistaPrevia200Huecos(benchmark::State& estado) {
    const bool conRepintado = estado.range(0) != 0;
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("huecos.preg");
    // Record 1 must pass the key check; the question of 200 gaps comes second.
    std::vector<TPregunta> preguntas = ConjuntoRealista(1);
    TPregunta huecos{1, 4, "Acentos", ""};
    for (int i = 0; i < 200; ++i)
        huecos.Texto += i % 20 == 19 ? "cami@\xF3@n\r" : "cami@\xF3@n ";
    huecos.Texto += "fin";
    preguntas.push_back(huecos);
    EscribeConjunto(ruta, preguntas);

    TfrmEditor ventana;
    ventana.Ficheros->PreguntaCambios = [] { return QMessageBox::Discard; };
    ventana.show();
    QCoreApplication::processEvents();
    if (!ventana.Ficheros->Abre(QString::fromStdString(ruta))) {
        estado.SkipWithError("the set did not open");
        return;
    }
    ventana.SeleccionaFila(1);
    QPlainTextEdit* texto = ventana.Formulario->edTexto;
    texto->setFocus();
    texto->moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();
    int huecosMostrados = 0;
    bool escribe = true;
    for (auto _ : estado) {
        // A letter at the end of the text, then its deletion: each one keystroke.
        if (escribe) {
            QTest::keyClick(texto, Qt::Key_S);
        } else {
            QTest::keyClick(texto, Qt::Key_Backspace);
        }
        escribe = !escribe;
        if (conRepintado)
            QCoreApplication::processEvents();
        huecosMostrados += ventana.VistaPrevia->NumHuecos();
    }
    if (huecosMostrados != 200 * static_cast<int>(estado.iterations()))
        estado.SkipWithError("the preview did not show every gap");
}
BENCHMARK(BM_TeclaVistaPrevia200Huecos)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("repaint")
    ->Unit(benchmark::kMillisecond);

// The hostile set of 65535 entries at one record whose topic is 32,000 bytes long, in the
// window: opened and painted, then one keystroke with everything the panels redo after it
// (checks, topic lists) and the repaint. Memory: the process's, window included.
void BM_VentanaConjuntoTemaRepetido(benchmark::State& estado) {
    const bool tecla = estado.range(0) != 0;
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("repetido.preg");
    EscribeConjuntoEscrito(ruta, ConjuntoDeTemaRepetido());
    TfrmEditor ventana;
    ventana.Ficheros->PreguntaCambios = [] { return QMessageBox::Discard; };
    ventana.show();
    QCoreApplication::processEvents();
    const auto abre = [&] {
        if (!ventana.Ficheros->Abre(QString::fromStdString(ruta)))
            estado.SkipWithError("the set did not open");
        QCoreApplication::processEvents();
    };
    if (!tecla) {
        for (auto _ : estado)
            abre();
    } else {
        abre();
        QPlainTextEdit* texto = ventana.Formulario->edTexto;
        texto->setFocus();
        texto->moveCursor(QTextCursor::End);
        QCoreApplication::processEvents();
        bool escribe = true;
        for (auto _ : estado) {
            QTest::keyClick(texto, escribe ? Qt::Key_S : Qt::Key_Backspace);
            escribe = !escribe;
            ventana.Problemas->Actualiza();
            ventana.Temas->Actualiza();
            QCoreApplication::processEvents();
        }
    }
    const TMemoriaResidente memoria = MemoriaResidente();
    estado.counters["rss_MB"] = memoria.Actual;
    estado.counters["peak_MB"] = memoria.Pico;
}
BENCHMARK(BM_VentanaConjuntoTemaRepetido)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("keystroke")
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return EjecutaBancosQt<QApplication>(argc, argv);
}

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "core/set/writer.h"
#include "document.h"
#include "held_memory.h"
#include "hostile_sets.h"
#include "qt_bench_main.h"
#include "realistic_set.h"
#include "temp_folder.h"

namespace {

// Opening a 10,000-question set in the editor: the program's checks, every question read and
// turned into Unicode, the checks of every row.
void BM_AbreConjuntoEditor(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("grande.preg");
    EscribeConjunto(nombre, ConjuntoRealista(10000));
    TDocumento documento;
    for (auto _ : estado) {
        QStringList aviso;
        QString error;
        if (!documento.AbreConjunto(QString::fromStdString(nombre), &aviso, &error))
            estado.SkipWithError("refused");
    }
}
BENCHMARK(BM_AbreConjuntoEditor)->Unit(benchmark::kMillisecond);

// Saving it: the checks that refuse, every question back to Windows-1252, both files written
// through temporary files and renamed.
void BM_GuardaConjuntoEditor(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("grande.preg");
    EscribeConjunto(nombre, ConjuntoRealista(10000));
    TDocumento documento;
    QStringList aviso;
    QString error;
    documento.AbreConjunto(QString::fromStdString(nombre), &aviso, &error);
    const QString copia = QString::fromStdString(carpeta.En("copia.preg"));
    for (auto _ : estado) {
        if (!documento.GuardaConjunto(copia, &error))
            estado.SkipWithError("not saved");
    }
}
BENCHMARK(BM_GuardaConjuntoEditor)->Unit(benchmark::kMillisecond);

// One keystroke in a question of a 10,000-question set: the undo command, the row's checks
// and the model's signal.
void BM_TeclaEnConjuntoGrande(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("grande.preg");
    EscribeConjunto(nombre, ConjuntoRealista(10000));
    TDocumento documento;
    QStringList aviso;
    QString error;
    documento.AbreConjunto(QString::fromStdString(nombre), &aviso, &error);
    QString texto = documento.Pregunta(5000).Texto;
    for (auto _ : estado) {
        texto += QLatin1Char('a');
        documento.CambiaTexto(5000, texto);
        benchmark::DoNotOptimize(documento.Problemas());
    }
}
BENCHMARK(BM_TeclaEnConjuntoGrande)->Unit(benchmark::kMicrosecond);

// The same in a question of some 32,000 bytes, the most a record holds: its checks walk the
// whole text word by word as the layout does.
void BM_TeclaEnPreguntaLarga(benchmark::State& estado) {
    TDocumento documento;
    documento.Nuevo();
    QString texto;
    while (texto.size() < 32000)
        texto += QStringLiteral("la c@a@sa de mi abuela tiene un jard@í@n con flores ");
    documento.Inserta(-1, {0, 0, QStringLiteral("Tema"), texto});
    for (auto _ : estado) {
        texto += QLatin1Char('a');
        documento.CambiaTexto(0, texto);
        benchmark::DoNotOptimize(documento.Problemas());
    }
}
BENCHMARK(BM_TeclaEnPreguntaLarga)->Unit(benchmark::kMicrosecond);

// The hostile set of 65535 entries at one record of 32 KB (294 KB on disk): opened, with the
// memory the document holds afterwards and the process's peak.
void BM_AbreConjuntoTemaRepetido(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("repetido.preg");
    EscribeConjuntoEscrito(nombre, ConjuntoDeTemaRepetido());
    const double antes = MemoriaResidente().Actual;
    TDocumento documento;
    for (auto _ : estado) {
        QStringList aviso;
        QString error;
        documento.Nuevo();
        if (!documento.AbreConjunto(QString::fromStdString(nombre), &aviso, &error))
            estado.SkipWithError("refused");
    }
    const TMemoriaResidente despues = MemoriaResidente();
    estado.counters["held_MB"] = despues.Actual - antes;
    estado.counters["peak_MB"] = despues.Pico;
}
BENCHMARK(BM_AbreConjuntoTemaRepetido)->Unit(benchmark::kMillisecond);

// The hostile set of 65535 overlapping records, each a topic of its own of 32 KB (3.4 MB on
// disk): how soon it is refused.
void BM_RechazaTemasDistintos(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("distintos.preg");
    EscribeConjuntoEscrito(nombre, ConjuntoDeTemasDistintos());
    TDocumento documento;
    for (auto _ : estado) {
        QStringList aviso;
        QString error;
        if (documento.AbreConjunto(QString::fromStdString(nombre), &aviso, &error))
            estado.SkipWithError("opened");
    }
    estado.counters["peak_MB"] = MemoriaResidente().Pico;
}
BENCHMARK(BM_RechazaTemasDistintos)->Unit(benchmark::kMillisecond);

// One keystroke in one copy of the repeated record, with every check of the set gathered
// again as the panel does after it.
void BM_TeclaEnConjuntoTemaRepetido(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("repetido.preg");
    EscribeConjuntoEscrito(nombre, ConjuntoDeTemaRepetido());
    TDocumento documento;
    QStringList aviso;
    QString error;
    documento.AbreConjunto(QString::fromStdString(nombre), &aviso, &error);
    QString texto = documento.Pregunta(0).Texto;
    for (auto _ : estado) {
        texto += QLatin1Char('a');
        documento.CambiaTexto(0, texto);
        benchmark::DoNotOptimize(documento.Problemas());
        benchmark::DoNotOptimize(documento.Temas());
    }
}
BENCHMARK(BM_TeclaEnConjuntoTemaRepetido)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return EjecutaBancosQt<QGuiApplication>(argc, argv);
}

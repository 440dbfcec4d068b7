// The history window on a history of 100 MB (a sparse file): reading its tail, and the window
// shown with its chart drawn.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>

#include "core/learning/history.h"
#include "history_window.h"
#include "qt_bench_main.h"
#include "temp_folder.h"

namespace {

std::string HistoriaLarga(const TCarpetaTemporal& carpeta) {
    const std::string ruta = carpeta.En("larga.his");
    QFile fichero(QString::fromStdString(ruta));
    if (!fichero.open(QIODevice::WriteOnly) || !fichero.resize(qint64{100} << 20))
        return {};
    return ruta;
}

void BM_LeeColaHistoria100MB(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string ruta = HistoriaLarga(carpeta);
    for (auto _ : estado)
        benchmark::DoNotOptimize(LeeColaHistoria(ruta, TfrmHistorial::kSesionesDibujadas));
}
BENCHMARK(BM_LeeColaHistoria100MB)->Unit(benchmark::kMicrosecond);

void BM_AbreHistorial100MB(benchmark::State& estado) {
    TCarpetaTemporal carpeta;
    const std::string ruta = HistoriaLarga(carpeta);
    for (auto _ : estado) {
        TfrmHistorial ventana;
        ventana.NombreConjunto = QStringLiteral("larga");
        ventana.Historia = LeeColaHistoria(ruta, TfrmHistorial::kSesionesDibujadas);
        ventana.PuntuacionActual = 200;
        ventana.show();
        ventana.repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_AbreHistorial100MB)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return EjecutaBancosQt<QApplication>(argc, argv);
}

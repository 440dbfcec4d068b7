// Start-up to the main window shown (its 600 pooled controls built) beside a bare QMainWindow
// with a menu, each started the same way in a fresh process, and the peak memory of each, the
// main window also with the 10,000-question set open and a question shown. Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/startup_bench [runs]
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "about_box.h"
#include "core/set/writer.h"
#include "dedication_window.h"
#include "go_to_dialog.h"
#include "main_window.h"
#include "realistic_set.h"
#include "temp_folder.h"
#include "topics_dialog.h"
#include "wait_notice.h"

extern char** environ;

namespace {

int64_t Ahora() {
    // steady_clock is the system's monotonic clock: comparable between processes.
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Peak resident memory of this process in kB.
long PicoMemoria() {
    std::ifstream estado("/proc/self/status");
    std::string linea;
    while (std::getline(estado, linea))
        if (linea.rfind("VmHWM:", 0) == 0)
            return std::strtol(linea.c_str() + 6, nullptr, 10);
    return -1;
}

// Calls hecho once, right after the first paint of the window or of any control in it: the
// whole window is painted and flushed in that one pass.
class TPrimerPintado : public QObject {
  public:
    TPrimerPintado(QWidget* ventana, std::function<void()> hecho)
        : QObject(ventana), ventana_(ventana), hecho_(std::move(hecho)) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Paint && hecho_ && objeto->isWidgetType() &&
            static_cast<QWidget*>(objeto)->window() == ventana_) {
            QTimer::singleShot(0, this, std::exchange(hecho_, nullptr));
        }
        return QObject::eventFilter(objeto, evento);
    }

  private:
    QWidget* ventana_;
    std::function<void()> hecho_;
};

// The child: starts one kind of window and prints "entry paint peak [peak-with-set]"
// (microseconds on the monotonic clock, kB).
int Hijo(const std::string& tipo, const char* conjunto) {
    const int64_t entrada = Ahora();
    int argc = 1;
    char nombre[] = "startup_bench";
    char* argv[] = {nombre, nullptr};
    QApplication aplicacion(argc, argv);
    std::unique_ptr<QMainWindow> ventana;
    // The start-up instances of the secondary windows, as the program creates them.
    std::vector<std::unique_ptr<QWidget>> ocultas;
    if (tipo == "bare") {
        ventana = std::make_unique<QMainWindow>();
        ventana->resize(750, 550);
        ventana->menuBar()
            ->addMenu(QStringLiteral("&Fichero"))
            ->addAction(QStringLiteral("&Nuevo..."));
    } else {
        auto tildora = std::make_unique<TfrmTildora>();
        ocultas.push_back(std::make_unique<TfrmAviso>());
        ocultas.push_back(std::make_unique<TfrmSobreElPrograma>());
        ocultas.push_back(std::make_unique<TfrmLeeInicial>());
        ocultas.push_back(std::make_unique<TfrmTemas>());
        ocultas.push_back(std::make_unique<TfrmDedicatoria>());
        ventana = std::move(tildora);
    }
    new TPrimerPintado(ventana.get(), [&] {
        const int64_t pintado = Ahora();
        const long pico = PicoMemoria();
        long picoConConjunto = -1;
        if (auto* tildora = dynamic_cast<TfrmTildora*>(ventana.get()); tildora && conjunto) {
            const QString ruta = QString::fromUtf8(conjunto);
            tildora->AbrePreguntas = [ruta](const QString&) { return ruta; };
            tildora->btnNuevo->click();
            for (int i = 0; i < 20; ++i) {
                tildora->btnSiguiente->click();
                QCoreApplication::processEvents();
            }
            picoConConjunto = tildora->Sesion.NumPreguntas() == 10000 ? PicoMemoria() : -2;
        }
        std::printf("%lld %lld %ld %ld %s\n", static_cast<long long>(entrada),
                    static_cast<long long>(pintado), pico, picoConConjunto,
                    qPrintable(QGuiApplication::platformName()));
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    ventana->show();
    return aplicacion.exec();
}

struct TMedida {
    double desdeArranque = 0;  // ms from the spawn to the first paint
    double desdeMain = 0;      // ms from main() to the first paint
    long pico = 0;
    long picoConConjunto = 0;
    std::string plataforma;
};

// Spawns this program as a child and reads its line.
TMedida Lanza(const char* programa, const std::string& tipo, const std::string& conjunto) {
    int tubo[2];
    if (pipe(tubo) != 0)
        std::exit(1);
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_adddup2(&acciones, tubo[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&acciones, tubo[0]);
    std::vector<std::string> argumentos = {programa, "--child", tipo};
    if (!conjunto.empty())
        argumentos.push_back(conjunto);
    std::vector<char*> argv;
    for (std::string& a : argumentos)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t hijo = 0;
    const int64_t lanzado = Ahora();
    if (posix_spawn(&hijo, programa, &acciones, nullptr, argv.data(), environ) != 0)
        std::exit(1);
    close(tubo[1]);
    std::string salida;
    char bloque[256];
    for (ssize_t n; (n = read(tubo[0], bloque, sizeof bloque)) > 0;)
        salida.append(bloque, n);
    close(tubo[0]);
    int estado = 0;
    waitpid(hijo, &estado, 0);
    posix_spawn_file_actions_destroy(&acciones);
    long long entrada = 0, pintado = 0;
    char plataforma[64] = {};
    TMedida medida;
    if (std::sscanf(salida.c_str(), "%lld %lld %ld %ld %63s", &entrada, &pintado, &medida.pico,
                    &medida.picoConConjunto, plataforma) != 5) {
        std::fprintf(stderr, "child %s gave no measure: %s\n", tipo.c_str(), salida.c_str());
        std::exit(1);
    }
    medida.desdeArranque = static_cast<double>(pintado - lanzado) / 1000.0;
    medida.desdeMain = static_cast<double>(pintado - entrada) / 1000.0;
    medida.plataforma = plataforma;
    return medida;
}

template <typename T>
T Mediana(std::vector<T> valores) {
    std::sort(valores.begin(), valores.end());
    return valores[valores.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return Hijo(argv[2], argc >= 4 ? argv[3] : nullptr);

    const int veces = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    // Never the real home: history files go to a temporary folder.
    TCarpetaTemporal datos, conjuntos;
    setenv("XDG_DATA_HOME", datos.Ruta().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", datos.Ruta().c_str(), 0);
    const std::string conjunto = conjuntos.En("grande.preg");
    EscribeConjunto(conjunto, ConjuntoRealista(10000));
    const std::string programa = "/proc/self/exe";
    char real[4096] = {};
    if (readlink(programa.c_str(), real, sizeof real - 1) < 0)
        return 1;

    struct TFila {
        const char* tipo;
        const char* descripcion;
        std::string conjunto;
        std::vector<TMedida> medidas;
    };
    std::vector<TFila> filas = {{"bare", "bare QMainWindow with a menu", "", {}},
                                {"tildora", "TfrmTildora (600 pooled controls)", conjunto, {}}};
    // Interleaved, so that a slow moment of the machine weighs on every kind alike.
    for (int i = 0; i < veces; ++i)
        for (TFila& fila : filas)
            fila.medidas.push_back(Lanza(real, fila.tipo, fila.conjunto));

    std::printf("platform %s, %d runs each; medians (fastest-slowest)\n",
                filas[0].medidas[0].plataforma.c_str(), veces);
    std::vector<double> arranques, desdeMains;
    for (const TFila& fila : filas) {
        std::vector<double> desdeArranque, desdeMain;
        std::vector<long> picos, picosConConjunto;
        for (const TMedida& m : fila.medidas) {
            desdeArranque.push_back(m.desdeArranque);
            desdeMain.push_back(m.desdeMain);
            picos.push_back(m.pico);
            picosConConjunto.push_back(m.picoConConjunto);
        }
        const auto [rapido, lento] =
            std::minmax_element(desdeArranque.begin(), desdeArranque.end());
        arranques.push_back(Mediana(desdeArranque));
        desdeMains.push_back(Mediana(desdeMain));
        std::printf(
            "%s\n  spawn to first paint %.1f ms (%.1f-%.1f), main() to first paint %.1f ms\n",
            fila.descripcion, arranques.back(), *rapido, *lento, desdeMains.back());
        std::printf("  peak memory (VmHWM) at first paint %.1f MB", Mediana(picos) / 1024.0);
        if (!fila.conjunto.empty())
            std::printf(", with the 10,000-question set open and 20 questions shown %.1f MB",
                        Mediana(picosConConjunto) / 1024.0);
        std::printf("\n");
    }
    std::printf("start-up ratio TfrmTildora / bare window: %.2f (from spawn), %.2f (from main)\n",
                arranques[1] / arranques[0], desdeMains[1] / desdeMains[0]);
    return 0;
}

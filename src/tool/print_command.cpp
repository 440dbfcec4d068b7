#include "print_command.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "command_support.h"
#include "commands.h"
#include "core/base/atomic_write.h"
#include "core/base/binary_file.h"
#include "core/set/topic_list.h"
#include "tool_language.h"
#include "worksheet_painter.h"

namespace {

// Fonts need a GUI application; the tool runs without a display, so Qt's offscreen platform.
// None when the caller has one already; it ends with the command, and its fonts with it.
std::unique_ptr<QGuiApplication> AseguraAplicacion() {
    if (QCoreApplication::instance())
        return nullptr;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char nombre[] = "tildora-tool";
    static char* argv[] = {nombre, nullptr};
    // Qt's own warnings (a missing runtime folder) are no news for the tool's user.
    qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
        if (tipo == QtCriticalMsg || tipo == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(texto));
    });
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int ImprimeOrden(const std::vector<std::string>& argumentos, std::ostream& salida,
                 std::ostream& errores) {
    std::string nombre, destino, lista, lengua, ancho;
    bool respuestas = false;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        const bool valor = i + 1 < argumentos.size();
        if (argumentos[i] == "-o" && valor && destino.empty()) {
            destino = argumentos[++i];
        } else if (argumentos[i] == "--topics" && valor && lista.empty()) {
            lista = argumentos[++i];
        } else if (argumentos[i] == "--language" && valor && lengua.empty()) {
            lengua = argumentos[++i];
        } else if (argumentos[i] == "--gap-width" && valor && ancho.empty()) {
            ancho = argumentos[++i];
        } else if (argumentos[i] == "--answers" && !respuestas) {
            respuestas = true;
        } else if (!argumentos[i].starts_with("-") && nombre.empty()) {
            nombre = argumentos[i];
        } else {
            throw TErrorUso(Rellena(Tr("unexpected argument '%1'"), {argumentos[i]}), "print");
        }
    }
    if (nombre.empty() || destino.empty())
        throw TErrorUso(Rellena(Tr("'%1' takes %2"), {"print", Tr("SET.preg and -o FILE.pdf")}),
                        "print");
    if (!lengua.empty() && lengua != "valenciano" && lengua != "castellano")
        throw TErrorUso(Rellena(Tr("the language is valenciano or castellano, not '%1'"), {lengua}),
                        "print");

    double milimetros = kMilimetrosPorLetra;
    if (!ancho.empty()) {
        const bool cifras =
            ancho.size() <= 2 &&
            std::all_of(ancho.begin(), ancho.end(), [](char c) { return c >= '0' && c <= '9'; });
        milimetros = cifras ? std::stoi(ancho) : 0;
        if (milimetros < 3 || milimetros > 30)
            throw TErrorUso("--gap-width takes millimetres per letter, from 3 to 30", "print");
    }

    std::vector<TPregunta> preguntas = LeePreguntasConjunto(nombre, errores);
    if (!lista.empty()) {
        // Topics numbered as the program lists them: in the order they first come.
        std::vector<std::string> temas;
        for (const TPregunta& pregunta : preguntas)
            if (std::find(temas.begin(), temas.end(), pregunta.Tema) == temas.end())
                temas.push_back(pregunta.Tema);
        const int32_t listados =
            std::min<int32_t>(static_cast<int32_t>(temas.size()), TLista::kCapacidad);
        std::vector<std::string> elegidos;
        for (const int n : LeeSeleccion(lista, listados, "print"))
            elegidos.push_back(temas[static_cast<size_t>(n) - 1]);
        std::erase_if(preguntas, [&](const TPregunta& p) {
            return std::find(elegidos.begin(), elegidos.end(), p.Tema) == elegidos.end();
        });
    }
    TOpcionesHoja opciones;
    opciones.Titulo = NombreSinExtension(nombre);
    opciones.ConRespuestas = respuestas;
    opciones.Idioma = lengua == "castellano" ? TIdioma::Castellano : TIdioma::Valenciano;
    opciones.MilimetrosPorLetra = milimetros;
    const auto aplicacion = AseguraAplicacion();
    EscribeFichero(destino, PdfDeHoja(preguntas, opciones));
    salida << Rellena(Tr(respuestas ? N_("Wrote %1: %2 questions and their answer key.")
                                    : N_("Wrote %1: %2 questions.")),
                      {destino, std::to_string(preguntas.size())})
           << "\n";
    return kSalidaBien;
}

#include "commands.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>

#include "command_support.h"
#include "core/authoring/set_checks.h"
#include "core/authoring/source_format.h"
#include "core/base/atomic_write.h"
#include "core/base/binary_file.h"
#include "core/base/data_folder.h"
#include "core/base/io_error.h"
#include "core/base/win1252.h"
#include "core/learning/history.h"
#include "core/learning/progress.h"
#include "core/set/checksum.h"
#include "core/set/pair_journal.h"
#include "core/set/question_files.h"
#include "core/set/settings.h"
#include "core/set/topic_list.h"
#include "core/set/topic_scan.h"
#include "core/set/writer.h"
#include "moodle_commands.h"
#include "print_command.h"
#include "review_command.h"
#include "tool_language.h"
#include "version.h"

namespace {

constexpr const char* kAyuda = N_(
    "Usage: tildora-tool COMMAND [ARGUMENTS]\n"
    "Prepares question file sets for Tildora.\n"
    "\n"
    "Commands:\n"
    "  pack SOURCE -o SET.preg   build SET.preg and SET.ind from a question source\n"
    "  unpack SET.preg           write the set's questions as a source to standard output\n"
    "  check SET.preg            validate the set as the program does and summarise it\n"
    "  config SET.preg --select LIST | --all\n"
    "                            write the set's settings file: the topics a learner starts with\n"
    "  history SET.preg          show the set's scores, oldest first\n"
    "  gaps --rule RULE TEXT     make a question source of a plain text, gapped by rule\n"
    "  spell SET.preg|SOURCE     list the gap answers the dictionaries do not know\n"
    "  review SET.preg           list the questions due for review now\n"
    "  speak SET.preg -o FILE.wav|FILE.ogg|FOLDER\n"
    "                            read the questions aloud into sound files\n"
    "  export SET.preg --format moodle -o FILE.xml\n"
    "                            write the set as a Moodle quiz file\n"
    "  import FILE.xml -o SET.preg\n"
    "                            bring a Moodle quiz file's gap-fill questions into a set\n"
    "  print SET.preg -o FILE.pdf [--answers] [--topics LIST] [--gap-width MM]\n"
    "                            lay the set out as a worksheet on A4\n"
    "\n"
    "Run 'tildora-tool COMMAND --help' for one command, 'tildora-tool --version' for the\n"
    "version. Exit status: 0 success, 1 failure, 2 wrong usage.\n");

const std::map<std::string, const char*> kAyudaOrden = {
    {"export", kAyudaExportar},
    {"import", kAyudaImportar},
    {"print", kAyudaImprimir},
    {"pack",
     N_("Usage: tildora-tool pack SOURCE -o SET.preg\n"
        "Reads the UTF-8 question source SOURCE, validates the set as the program does on\n"
        "opening, and only then writes SET.preg and SET.ind beside it, replacing an old pair as\n"
        "one: if anything fails, or the command is killed, the old pair stays as it was. The\n"
        "first question's record must be at least 81 per cent unaccented letters, digits, blanks,\n"
        "commas and points.\n"
        "The source format is described in docs/question-source-format.md.\n")},
    {"unpack",
     N_("Usage: tildora-tool unpack SET.preg\n"
        "Writes the set's questions to standard output as a UTF-8 question source; packing it\n"
        "again gives the same bytes.\n")},
    {"check",
     N_("Usage: tildora-tool check SET.preg\n"
        "Validates the set as the program does on opening. Valid: a summary and exit status 0,\n"
        "with warnings on standard error for what the program handles badly. Invalid: the\n"
        "program's notice on standard error and exit status 1.\n")},
    {"config",
     N_("Usage: tildora-tool config SET.preg --select LIST\n"
        "       tildora-tool config SET.preg --all\n"
        "Writes the set's settings file into the program data folder, so that the program starts\n"
        "with the given topics selected. LIST holds topic numbers and ranges as 'check' numbers\n"
        "them, e.g. 1,3-5. The folder is $XDG_DATA_HOME/Tildora, or ~/.local/share/Tildora.\n")},
    {"history",
     N_("Usage: tildora-tool history SET.preg\n"
        "Shows the scores of the set's history file in the program data folder, one per closed\n"
        "session, oldest first, as per cent of right answers.\n")},
    {"review", kAyudaRepaso},
};

// A folder of its own under the system's temporary folder, removed with its contents.
struct TCarpetaBorrador {
    TCarpetaBorrador() {
        std::string plantilla =
            (std::filesystem::temp_directory_path() / "tildora-XXXXXX").string();
        if (!mkdtemp(plantilla.data())) {
            const int codigo = errno;
            throw IoError("crear la carpeta", plantilla, codigo);
        }
        Ruta = plantilla;
    }
    ~TCarpetaBorrador() {
        std::error_code error;
        std::filesystem::remove_all(Ruta, error);
    }
    TCarpetaBorrador(const TCarpetaBorrador&) = delete;
    TCarpetaBorrador& operator=(const TCarpetaBorrador&) = delete;
    std::string Ruta;
};

bool PideAyuda(const std::vector<std::string>& argumentos) {
    return std::find(argumentos.begin(), argumentos.end(), "--help") != argumentos.end() ||
           std::find(argumentos.begin(), argumentos.end(), "-h") != argumentos.end();
}

std::string UneAviso(const TAviso& aviso) {
    std::string texto;
    for (const std::string& parte : aviso) {
        if (parte.empty())
            continue;
        texto += (texto.empty() ? "" : " ") + parte;
    }
    return texto;
}

}  // namespace

void ValidaConjunto(const std::string& nombre, std::ostream& errores) {
    TAviso aviso;
    if (CompruebaFicheros(nombre, kClave, &aviso))
        return;
    errores << UneAviso(aviso) << "\n";
    throw TFallo("");
}

namespace {

// The set as the program opens it. Its questions are read one at a time from Ficheros, never
// all held at once: a small set may repeat a long record through a long index.
struct TConjuntoLeido {
    TFicherosPreguntas Ficheros;
    TLista Temas;  // the program's topic list and numbering
    TTemasDePregunta TemaDePregunta;

    explicit TConjuntoLeido(const std::string& nombre) {
        Ficheros.Abre(nombre);
        LeeTemas(Ficheros, Temas, TemaDePregunta);
    }
    int32_t NumPreguntas() const { return Ficheros.NumPreguntas(); }
    // The questions the program uses, 1 to this.
    int32_t Usadas() const { return std::clamp(NumPreguntas(), 0, kMaximoPreguntas); }
};

// Each record's length as the index places the records, back to back.
std::vector<int64_t> LongitudesRegistros(const std::string& nombre, size_t cuantas) {
    const std::string indice = LeeFicheroCompleto(NombreIndice(nombre));
    TFichero preguntas;
    preguntas.Abre(nombre, TFichero::TModo::Lectura);
    const int64_t finRegistros = preguntas.Tamano() - kLongitudCola;
    const auto* entradas = reinterpret_cast<const unsigned char*>(indice.data());
    std::vector<int64_t> longitudes;
    for (size_t i = 0; i < cuantas && (i + 1) * 4 <= indice.size(); ++i) {
        const bool ultima = (i + 2) * 4 > indice.size() - kLongitudCola;
        const int64_t fin = ultima ? finRegistros : LeeEntero32(entradas + (i + 1) * 4);
        longitudes.push_back(fin - LeeEntero32(entradas + i * 4));
    }
    return longitudes;
}

std::map<std::string, int> CuentaTemas(const std::vector<TPregunta>& preguntas) {
    std::map<std::string, int> cuentas;
    for (const TPregunta& pregunta : preguntas)
        ++cuentas[pregunta.Tema];
    return cuentas;
}

// Warnings about what the program would handle badly; the set stays usable.
using TAvisador = std::function<void(const std::string& texto)>;

TAvisador Avisador(const std::string& nombre, std::ostream& errores) {
    return [nombre, &errores](const std::string& texto) {
        errores << Rellena(Tr("warning: %1: %2"), {nombre, texto}) << "\n";
    };
}

// The core's own words for a set's problems, in the user's language where it has them.
void Avisa(const TAvisador& aviso, const std::vector<TProblemaConjunto>& problemas) {
    const std::optional<TIdioma> idioma = IdiomaHerramienta();
    for (const TProblemaConjunto& problema : problemas)
        if (const std::string mensaje = problema.MensajeIngles(); !mensaje.empty())
            aviso(idioma ? problema.Mensaje(*idioma) : mensaje);
}

// Why the program refuses the key of a set whose first question is this one.
std::string ExplicaClave(const TPregunta& primera, int linea) {
    return Rellena(Tr("The program accepts a set only when the record of its first question "
                      "(line %1) is at least %2 per cent unaccented letters, digits, blanks, "
                      "commas and points (modo and ancho count as one byte each, readable when "
                      "0); it is %3 per cent. Put a longer, plainer question first: accents, gap "
                      "marks, line breaks and other signs lower the share."),
                   {std::to_string(linea), std::to_string(kPorcentajeLegibleMinimo),
                    std::to_string(PorcentajeLegible(primera))}) +
           "\n";
}

std::string ArgumentoUnico(const std::vector<std::string>& argumentos, const std::string& orden) {
    if (argumentos.size() != 1 || argumentos[0].starts_with("-"))
        throw TErrorUso(Rellena(Tr("'%1' takes one question file (SET.preg)"), {orden}), orden);
    return argumentos[0];
}

int Empaqueta(const std::vector<std::string>& argumentos, std::ostream& salida,
              std::ostream& errores) {
    const auto [fuenteRuta, destino] =
        LeeOrigenYConjunto(argumentos, "pack", Tr("a source and -o SET.preg"));

    const TFuenteLeida fuente = LeeFuente(LeeFicheroCompleto(fuenteRuta));
    if (fuente.Error) {
        errores << fuenteRuta << ":" << fuente.Error->Linea << ": " << fuente.Error->Mensaje
                << "\n";
        return kSalidaFallo;
    }
    const TAvisador aviso = Avisador(fuenteRuta, errores);
    Avisa(aviso,
          CompruebaTotales(static_cast<int64_t>(fuente.Preguntas.size()),
                           static_cast<int64_t>(CuentaTemas(fuente.Preguntas).size()), nullptr));
    for (size_t i = 0; i < fuente.Preguntas.size(); ++i) {
        const TPregunta& pregunta = fuente.Preguntas[i];
        Avisa(aviso, CompruebaPregunta(pregunta, static_cast<int>(i), LongitudRegistro(pregunta)));
        Avisa(aviso, CompruebaRedaccion(pregunta, static_cast<int>(i)));
    }

    // The program's own checks on a scratch copy, so that a set that fails them never
    // replaces the one at the destination.
    const TConjuntoEscrito conjunto = ConstruyeConjunto(fuente.Preguntas);
    {
        const TCarpetaBorrador borrador;
        const std::string prueba = borrador.Ruta + "/" + NombreDesnudo(destino);
        EscribePar(prueba, conjunto.Preguntas, conjunto.Indice);
        TAviso rechazo;
        if (!CompruebaFicheros(prueba, kClave, &rechazo)) {
            errores << UneAviso(rechazo) << "\n";
            if (!CompruebaClave(prueba, kClave, nullptr))
                errores << ExplicaClave(fuente.Preguntas.front(), fuente.Lineas.front());
            return kSalidaFallo;
        }
    }
    EscribePar(destino, conjunto.Preguntas, conjunto.Indice);
    salida << Rellena(Tr("Wrote %1 and %2: %3 questions, %4 topics."),
                      {destino, NombreIndice(destino), std::to_string(fuente.Preguntas.size()),
                       std::to_string(CuentaTemas(fuente.Preguntas).size())})
           << "\n";
    return kSalidaBien;
}

int Desempaqueta(const std::vector<std::string>& argumentos, std::ostream& salida,
                 std::ostream& errores) {
    const std::string nombre = ArgumentoUnico(argumentos, "unpack");
    ValidaConjunto(nombre, errores);
    TConjuntoLeido conjunto(nombre);
    std::vector<TPregunta> preguntas;
    for (int32_t n = 1; n <= conjunto.Usadas(); ++n)
        preguntas.push_back(conjunto.Ficheros.LeePregunta(static_cast<uint16_t>(n)));
    for (size_t i = 0; i < preguntas.size(); ++i) {
        if (const int byte = ByteNoEscribible(preguntas[i]); byte >= 0) {
            char hexadecimal[16];
            std::snprintf(hexadecimal, sizeof hexadecimal, "0x%02X", static_cast<unsigned>(byte));
            errores << Rellena(Tr("%1: question %2 holds the control byte %3, which a question "
                                  "source cannot carry"),
                               {nombre, std::to_string(i + 1), hexadecimal})
                    << "\n";
            return kSalidaFallo;
        }
    }
    salida << EscribeFuente(preguntas, NombreDesnudo(nombre));
    return kSalidaBien;
}

int Comprueba(const std::vector<std::string>& argumentos, std::ostream& salida,
              std::ostream& errores) {
    const std::string nombre = ArgumentoUnico(argumentos, "check");
    ValidaConjunto(nombre, errores);
    TConjuntoLeido conjunto(nombre);
    const int32_t usadas = conjunto.Usadas();
    const std::vector<int64_t> longitudes =
        LongitudesRegistros(nombre, static_cast<size_t>(usadas));
    const TAvisador aviso = Avisador(nombre, errores);
    const TTemasDePregunta& temaDePregunta = conjunto.TemaDePregunta;
    const int32_t listados = conjunto.Temas.Cuenta();
    Avisa(aviso, CompruebaTotales(conjunto.NumPreguntas(), listados + temaDePregunta.FueraDeLista,
                                  nullptr));

    // One question at a time: its warnings, its topic's count, the accents and the gaps.
    std::vector<int> cuentas(static_cast<size_t>(listados) + 1, 0);
    int acentos = 0, mayor = 0;
    size_t cual = 0;
    for (int32_t n = 1; n <= usadas; ++n) {
        const size_t i = static_cast<size_t>(n);
        const TPregunta pregunta = conjunto.Ficheros.LeePregunta(static_cast<uint16_t>(n));
        Avisa(aviso,
              CompruebaPregunta(pregunta, n - 1, i <= longitudes.size() ? longitudes[i - 1] : 0));
        if (const int32_t t = temaDePregunta.IndiceEnLista(i); t != -1)
            ++cuentas[static_cast<size_t>(t)];
        acentos += pregunta.Modo == 1 ? 1 : 0;
        if (const int huecos = CuentaHuecos(pregunta.Texto); huecos > mayor) {
            mayor = huecos;
            cual = i;
        }
    }

    salida << Rellena(Tr("%1: valid, %2 questions, %3 topics"),
                      {NombreDesnudo(nombre), std::to_string(conjunto.NumPreguntas()),
                       std::to_string(listados + temaDePregunta.FueraDeLista)})
           << "\n";
    for (int32_t t = 1; t <= listados; ++t) {
        const std::string tema = conjunto.Temas.Nombre(t);
        const int cuenta = cuentas[static_cast<size_t>(t)];
        salida << "  " << t << ". " << (tema.empty() ? Tr("(no topic)") : Utf8DeWindows1252(tema))
               << ": "
               << Rellena(Tr(cuenta == 1 ? N_("%1 question") : N_("%1 questions")),
                          {std::to_string(cuenta)})
               << "\n";
    }
    if (temaDePregunta.FueraDeLista > 0)
        salida << "  "
               << Rellena(Tr("and %1 more topics that the program does not list"),
                          {std::to_string(temaDePregunta.FueraDeLista)})
               << "\n";
    salida << Rellena(Tr("Accent-practice questions (modo acentos): %1"), {std::to_string(acentos)})
           << "\n";
    salida << Rellena(Tr("Most gaps in one question: %1"), {std::to_string(mayor)});
    if (cual > 0)
        salida << " " << Rellena(Tr("(question %1)"), {std::to_string(cual)});
    salida << "\n";
    return kSalidaBien;
}

}  // namespace

std::vector<int> LeeSeleccion(const std::string& lista, int32_t cuenta, const std::string& orden) {
    std::vector<int> temas;
    size_t inicio = 0;
    while (inicio <= lista.size()) {
        const size_t fin = std::min(lista.find(',', inicio), lista.size());
        const std::string elemento = lista.substr(inicio, fin - inicio);
        const size_t guion = elemento.find('-');
        const auto numero = [&](const std::string& texto) {
            if (texto.empty() || texto.size() > 6 ||
                !std::all_of(texto.begin(), texto.end(),
                             [](char c) { return c >= '0' && c <= '9'; }))
                throw TErrorUso(
                    Rellena(Tr("'%1' is no topic number or range (as in 1,3-5)"), {elemento}),
                    orden);
            const int n = std::stoi(texto);
            if (n < 1 || n > cuenta)
                throw TErrorUso(Rellena(Tr("there is no topic %1: the set has %2 (see "
                                           "tildora-tool check)"),
                                        {texto, std::to_string(cuenta)}),
                                orden);
            return n;
        };
        const int desde = numero(elemento.substr(0, guion));
        const int hasta = guion == std::string::npos ? desde : numero(elemento.substr(guion + 1));
        if (hasta < desde)
            throw TErrorUso(Rellena(Tr("the range '%1' runs backwards"), {elemento}), orden);
        for (int n = desde; n <= hasta; ++n)
            temas.push_back(n);
        inicio = fin + 1;
    }
    return temas;
}

namespace {

std::string CarpetaDatosExigida() {
    const std::string carpeta = CarpetaDatosPrograma();
    if (carpeta.empty())
        throw TFallo(
            Tr("cannot find the program data folder: neither XDG_DATA_HOME nor a home is known"));
    return carpeta;
}

int Configura(const std::vector<std::string>& argumentos, std::ostream& salida,
              std::ostream& errores) {
    std::string nombre, lista;
    bool todos = false;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        if (argumentos[i] == "--all" && !todos && lista.empty()) {
            todos = true;
        } else if (argumentos[i] == "--select" && i + 1 < argumentos.size() && !todos &&
                   lista.empty()) {
            lista = argumentos[++i];
        } else if (!argumentos[i].starts_with("-") && nombre.empty()) {
            nombre = argumentos[i];
        } else {
            throw TErrorUso(Rellena(Tr("unexpected argument '%1'"), {argumentos[i]}), "config");
        }
    }
    if (nombre.empty() || (!todos && lista.empty()))
        throw TErrorUso(Tr("'config' takes SET.preg and either --select LIST or --all"), "config");

    ValidaConjunto(nombre, errores);
    const TLista temas = TConjuntoLeido(nombre).Temas;
    std::vector<int> elegidos;
    if (todos) {
        for (int32_t i = 1; i <= temas.Cuenta(); ++i)
            elegidos.push_back(i);
    } else {
        elegidos = LeeSeleccion(lista, temas.Cuenta(), "config");
    }

    std::vector<bool> marcas(static_cast<size_t>(temas.Cuenta()), false);
    for (const int i : elegidos)
        marcas[static_cast<size_t>(i) - 1] = true;

    const std::string carpeta = CarpetaDatosExigida();
    if (!ExisteCarpeta(carpeta))
        CreaCarpeta(carpeta);
    const std::string ruta = carpeta + "/" + NombreConfiguracion(nombre);
    EscribeFichero(ruta, ConstruyeConfiguracion(marcas));
    salida << Rellena(Tr("Wrote %1; selected topics:"), {ruta}) << "\n";
    for (int32_t i = 1; i <= temas.Cuenta(); ++i)
        if (marcas[static_cast<size_t>(i) - 1])
            salida << "  " << i << ". " << Utf8DeWindows1252(temas.Nombre(i)) << "\n";
    return kSalidaBien;
}

int MuestraHistoria(const std::vector<std::string>& argumentos, std::ostream& salida,
                    std::ostream&) {
    const std::string nombre = ArgumentoUnico(argumentos, "history");
    const std::string ruta = CarpetaDatosExigida() + "/" + NombreHistoria(nombre);
    std::error_code error;
    // A folder in its place is an error that the open names, not an empty history.
    if (!std::filesystem::exists(ruta, error)) {
        salida << Rellena(Tr("No history for %1 yet (%2)."), {NombreDesnudo(nombre), ruta}) << "\n";
        return kSalidaBien;
    }
    // A block at a time: a history gains a byte a session and may have grown huge. Bytes the
    // program appends meanwhile wait for the next run.
    TFichero fichero;
    fichero.Abre(ruta, TFichero::TModo::Lectura);
    const int64_t sesiones = fichero.Tamano();
    // The dates of the last sessions, where the progress file is readable.
    TProgreso progreso;
    LeeProgreso(CarpetaDatosExigida() + "/" + NombreProgreso(nombre), progreso);
    salida << Rellena(Tr(sesiones == 1 ? N_("%1: %2 session, oldest first")
                                       : N_("%1: %2 sessions, oldest first")),
                      {ruta, std::to_string(sesiones)})
           << "\n";
    std::vector<unsigned char> bloque(65536);
    std::string lineas;
    for (int64_t n = 0; n < sesiones;) {
        const size_t pedidos = static_cast<size_t>(
            std::min<int64_t>(sesiones - n, static_cast<int64_t>(bloque.size())));
        const size_t leidos = fichero.LeeBloque(bloque.data(), pedidos);
        if (leidos == 0)
            break;
        lineas.clear();
        for (size_t i = 0; i < leidos; ++i) {
            lineas += "  " + std::to_string(++n) + ". " +
                      std::to_string(PorCientoHistoria(bloque[i])) + "%";
            const std::string fecha = FechaSesionHistoria(progreso.Sesiones, n, sesiones);
            lineas += (fecha.empty() ? "" : "  " + fecha) + "\n";
        }
        salida << lineas;
    }
    return kSalidaBien;
}

using TOrden = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);
const std::map<std::string, TOrden> kOrdenes = {
    {"pack", Empaqueta},      {"unpack", Desempaqueta},     {"check", Comprueba},
    {"config", Configura},    {"history", MuestraHistoria}, {"review", MuestraRepaso},
    {"export", ExportaOrden}, {"import", ImportaOrden},     {"print", ImprimeOrden}};

}  // namespace

int EjecutaHerramienta(const std::vector<std::string>& argumentos, std::ostream& salida,
                       std::ostream& errores) {
    if (argumentos.empty()) {
        errores << Tr(kAyuda);
        return kSalidaUsoErroneo;
    }
    const std::string& orden = argumentos.front();
    if (orden == "--help" || orden == "-h" || orden == "help") {
        salida << Tr(kAyuda);
        return kSalidaBien;
    }
    if (orden == "--version") {
        salida << "tildora-tool " TILDORA_VERSION "\n";
        return kSalidaBien;
    }
    const auto it = kOrdenes.find(orden);
    if (it == kOrdenes.end()) {
        errores << "tildora-tool: " << Rellena(Tr("unknown command '%1'"), {orden}) << "\n"
                << Tr("Run 'tildora-tool --help' for the commands.") << "\n";
        return kSalidaUsoErroneo;
    }
    const std::vector<std::string> resto(argumentos.begin() + 1, argumentos.end());
    if (PideAyuda(resto)) {
        salida << Tr(kAyudaOrden.at(orden));
        return kSalidaBien;
    }
    return EjecutaConErrores([&] { return it->second(resto, salida, errores); }, errores);
}

#include "spelling_commands.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "commands.h"
#include "core/authoring/gap_rules.h"
#include "core/authoring/source_format.h"
#include "core/authoring/text_import.h"
#include "core/base/binary_file.h"
#include "core/base/io_error.h"
#include "core/base/win1252.h"
#include "core/spelling/spelling.h"
#include "tool_language.h"

namespace {

struct TUsoErroneo : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string NombresReglas() {
    std::string nombres;
    for (const TDescripcionRegla& d : DescripcionesReglas())
        nombres += std::string(nombres.empty() ? "" : ", ") + d.Nombre;
    return nombres;
}

// The rules' names go where %1 stands in the gaps help.
const std::map<std::string, const char*> kAyudas = {
    {"gaps",
     N_("Usage: tildora-tool gaps --rule RULE [--rule RULE...] [--distractors N] [--topic T]\n"
        "                         TEXT [-o SOURCE]\n"
        "Turns the plain UTF-8 text TEXT into a question source, one question per paragraph (a\n"
        "blank line ends one), with gaps by the spelling rules given, earlier rules first. RULE\n"
        "is one of: %1.\n"
        "'accents' gaps every word bearing an accent or a diaeresis and makes the question\n"
        "accent practice. --distractors N adds, per question and rule, N gaps on words spelt\n"
        "without the rule's letter (for accents: unaccented words), where the rule allows it.\n"
        "Words already holding a gap mark are left as they are. Characters a question cannot\n"
        "hold are replaced by a plain form where there is one, or listed and nothing is\n"
        "written. The source goes to SOURCE, or to standard output.\n")},
    {"spell",
     N_("Usage: tildora-tool spell SET.preg|SOURCE [--language castellano|valenciano] [--words]\n"
        "Checks the spelling of every gap answer (the word that holds the gap, filled in) with\n"
        "the Hunspell dictionaries es_ES and ca_ES-valencia, and prints each unknown one with its\n"
        "question number and suggestions. Each question is checked in the language whose\n"
        "dictionary knows more of its words, unless --language is given. --words lists the\n"
        "unknown words of the texts too. Exit status 1 when a word is unknown, 0 when none; a\n"
        "dictionary that is not installed is reported and its questions are not checked.\n")},
};

std::string Lee(const std::string& ruta) {
    std::ifstream fichero(ruta, std::ios::binary);
    if (!fichero)
        throw std::runtime_error(Rellena(Tr("cannot read %1"), {ruta}));
    std::ostringstream contenido;
    contenido << fichero.rdbuf();
    return contenido.str();
}

int HazHuecos(const std::vector<std::string>& argumentos, std::ostream& salida,
              std::ostream& errores) {
    std::vector<TReglaHuecos> reglas;
    int distractores = 0;
    std::string tema, texto, destino;
    bool conDestino = false;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        const bool conValor = i + 1 < argumentos.size();
        if (a == "--rule" && conValor) {
            const auto regla = ReglaDeNombre(argumentos[++i]);
            if (!regla)
                throw TUsoErroneo(Rellena(Tr("unknown rule '%1'; the rules are %2"),
                                          {argumentos[i], NombresReglas()}));
            reglas.push_back(*regla);
        } else if (a == "--distractors" && conValor) {
            const std::string& n = argumentos[++i];
            if (n.empty() || n.size() > 4 || !std::all_of(n.begin(), n.end(), ::isdigit))
                throw TUsoErroneo(Tr("--distractors takes a number from 0 to 9999"));
            distractores = std::stoi(n);
        } else if (a == "--topic" && conValor) {
            const auto bytes = Windows1252DeUtf8(argumentos[++i]);
            if (!bytes || ByteNoEscribible(TPregunta{0, 0, *bytes, ""}) >= 0)
                throw TUsoErroneo(Tr("the topic holds a character a question cannot hold"));
            tema = *bytes;
        } else if (a == "-o" && conValor && !conDestino) {
            destino = argumentos[++i];
            conDestino = true;
        } else if (!a.starts_with("-") && texto.empty()) {
            texto = a;
        } else {
            throw TUsoErroneo(Rellena(Tr("unexpected argument '%1'"), {a}));
        }
    }
    if (reglas.empty() || texto.empty())
        throw TUsoErroneo(Tr("'gaps' takes at least one --rule and a text"));

    const TTextoImportado importado = ImportaTexto(Lee(texto), TPregunta{0, 0, tema, ""});
    for (const TCaracterRechazado& r : importado.Rechazados)
        errores << texto << ":" << r.Linea << ": "
                << Rellena(Tr("column %1: the character \"%2\" cannot be kept in a question; "
                              "replace it"),
                           {std::to_string(r.Columna), r.Caracter})
                << "\n";
    if (!importado.Rechazados.empty())
        return kSalidaFallo;
    if (importado.Sustituidos > 0)
        errores << texto << ": "
                << Rellena(Tr("%1 characters replaced by a plain form (dashes, blanks, signs)"),
                           {std::to_string(importado.Sustituidos)})
                << "\n";

    std::vector<TPregunta> preguntas;
    for (const TPregunta& pregunta : importado.Preguntas)
        preguntas.push_back(
            AplicaHuecos(pregunta, ProponHuecos(pregunta.Texto, reglas, distractores)));
    const std::string fuente = EscribeFuente(preguntas, NombreDesnudo(texto));
    if (!conDestino) {
        salida << fuente;
        return kSalidaBien;
    }
    std::ofstream fichero(destino, std::ios::binary);
    fichero << fuente;
    if (!fichero.flush())
        throw std::runtime_error(Rellena(Tr("cannot write %1"), {destino}));
    salida << Rellena(Tr("Wrote %1: %2 questions."), {destino, std::to_string(preguntas.size())})
           << "\n";
    return kSalidaBien;
}

// The questions of a set, as 'unpack' reads them, or of a source.
std::vector<TPregunta> LeePreguntas(const std::string& nombre, std::ostream& errores) {
    std::string fuente;
    if (nombre.ends_with(".preg")) {
        std::ostringstream desempaquetada;
        if (EjecutaHerramienta({"unpack", nombre}, desempaquetada, errores) != kSalidaBien)
            throw std::runtime_error("");
        fuente = desempaquetada.str();
    } else {
        fuente = Lee(nombre);
    }
    TFuenteLeida leida = LeeFuente(fuente);
    if (leida.Error)
        throw std::runtime_error(nombre + ":" + std::to_string(leida.Error->Linea) + ": " +
                                 leida.Error->Mensaje);
    return std::move(leida.Preguntas);
}

int Deletrea(const std::vector<std::string>& argumentos, std::ostream& salida,
             std::ostream& errores) {
    std::string nombre;
    std::optional<TIdioma> forzado;
    bool palabras = false;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        if (a == "--language" && i + 1 < argumentos.size()) {
            const std::string& idioma = argumentos[++i];
            if (idioma != "castellano" && idioma != "valenciano")
                throw TUsoErroneo(Tr("--language takes castellano or valenciano"));
            forzado = idioma == "castellano" ? TIdioma::Castellano : TIdioma::Valenciano;
        } else if (a == "--words") {
            palabras = true;
        } else if (!a.starts_with("-") && nombre.empty()) {
            nombre = a;
        } else {
            throw TUsoErroneo(Rellena(Tr("unexpected argument '%1'"), {a}));
        }
    }
    if (nombre.empty())
        throw TUsoErroneo(Tr("'spell' takes a set (SET.preg) or a question source"));
    const std::vector<TPregunta> preguntas = LeePreguntas(nombre, errores);

    TOrtografia ortografia;
    bool avisado[2] = {false, false};
    int desconocidas = 0;
    for (size_t i = 0; i < preguntas.size(); ++i) {
        const std::string& texto = preguntas[i].Texto;
        const TIdioma idioma = forzado ? *forzado : ortografia.IdiomaDe(QuitaMarcas(texto));
        const char* nombreIdioma = Elige(idioma, "castellano", "valenciano");
        if (!ortografia.Disponible(idioma)) {
            bool& dicho = avisado[idioma == TIdioma::Castellano ? 0 : 1];
            if (!dicho)
                errores << "tildora-tool spell: "
                        << Rellena(Tr("no %1 dictionary (%2.dic) is installed; its questions are "
                                      "not checked (install %3)"),
                                   {nombreIdioma, NombreDiccionario(idioma),
                                    PaqueteDiccionario(idioma)})
                        << "\n";
            dicho = true;
            continue;
        }
        std::vector<TPalabraDesconocida> halladas =
            palabras ? ortografia.Desconocidas(idioma, texto, 3)
                     : ortografia.RespuestasDesconocidas(idioma, texto, 3);
        for (const TPalabraDesconocida& d : halladas) {
            salida << Rellena(Tr("question %1 (%2): %3:"),
                              {std::to_string(i + 1), nombreIdioma, Utf8DeWindows1252(d.Palabra)});
            for (size_t k = 0; k < d.Sugerencias.size(); ++k)
                salida << (k == 0 ? " " : ", ") << Utf8DeWindows1252(d.Sugerencias[k]);
            salida << (d.Sugerencias.empty() ? std::string(" ") + Tr("no suggestion") : "") << "\n";
        }
        desconocidas += static_cast<int>(halladas.size());
    }
    return desconocidas > 0 ? kSalidaFallo : kSalidaBien;
}

}  // namespace

std::optional<int> EjecutaOrdenOrtografia(const std::vector<std::string>& argumentos,
                                          std::ostream& salida, std::ostream& errores) {
    if (argumentos.empty() || !kAyudas.contains(argumentos.front()))
        return std::nullopt;
    const std::string& orden = argumentos.front();
    const std::vector<std::string> resto(argumentos.begin() + 1, argumentos.end());
    if (std::find(resto.begin(), resto.end(), "--help") != resto.end()) {
        salida << Rellena(Tr(kAyudas.at(orden)), {NombresReglas()});
        return kSalidaBien;
    }
    try {
        return orden == "gaps" ? HazHuecos(resto, salida, errores)
                               : Deletrea(resto, salida, errores);
    } catch (const TUsoErroneo& e) {
        errores << "tildora-tool " << orden << ": " << e.what() << "\n"
                << Rellena(Tr("Run 'tildora-tool %1 --help' for its usage."), {orden}) << "\n";
        return kSalidaUsoErroneo;
    } catch (const std::exception& e) {
        if (*e.what() != 0)
            errores << "tildora-tool: " << e.what() << "\n";
        return kSalidaFallo;
    }
}

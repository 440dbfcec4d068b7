#include "spelling_commands.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <stdexcept>

#include "command_support.h"
#include "commands.h"
#include "core/authoring/gap_rules.h"
#include "core/authoring/set_checks.h"
#include "core/authoring/source_format.h"
#include "core/authoring/text_import.h"
#include "core/base/atomic_write.h"
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
        "accent practice; with letter rules too, a paragraph makes two questions, accent\n"
        "practice and then letters, since accent practice starts every gap filled with its\n"
        "answer. Where the first question would fail the program's key check, the plainest\n"
        "one comes first. See docs/gap-rules.md for where each rule gaps.\n"
        "--distractors N adds, per question and rule, N gaps on words spelt\n"
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

// A rejected character as a message can show it: a control character or a byte that is not
// UTF-8 by its code, never raw.
std::string Muestra(const std::string& caracter) {
    size_t i = 0;
    const std::optional<char32_t> codigo = LeeUtf8(caracter, i);
    char cifras[16];
    if (!codigo || i != caracter.size()) {
        std::snprintf(cifras, sizeof cifras, "0x%02X",
                      static_cast<unsigned>(static_cast<unsigned char>(caracter.front())));
        return std::string("the byte ") + cifras + ", which is not UTF-8,";
    }
    if (*codigo < 0x20 || (*codigo >= 0x7F && *codigo < 0xA0)) {
        std::snprintf(cifras, sizeof cifras, "U+%04X", static_cast<unsigned>(*codigo));
        return std::string("the control character ") + cifras;
    }
    return "the character \"" + caracter + "\"";
}

// Lines past these are only counted: a binary file would give a message for each of its lines.
constexpr size_t kLineasMostradas = 20;

// One message for each line that holds characters a question cannot keep, the first of them.
void ListaRechazados(const std::string& texto, const std::vector<TCaracterRechazado>& rechazados,
                     std::ostream& errores) {
    size_t lineas = 0;
    for (size_t i = 0; i < rechazados.size();) {
        size_t fin = i + 1;
        while (fin < rechazados.size() && rechazados[fin].Linea == rechazados[i].Linea)
            ++fin;
        if (++lineas <= kLineasMostradas) {
            errores << texto << ":" << rechazados[i].Linea << ": column " << rechazados[i].Columna
                    << ": " << Muestra(rechazados[i].Caracter)
                    << " cannot be kept in a question; replace it";
            if (fin - i > 1)
                errores << " (and " << fin - i - 1 << " more on this line)";
            errores << "\n";
        }
        i = fin;
    }
    if (lineas > kLineasMostradas)
        errores << texto << ": " << lineas - kLineasMostradas
                << " more lines hold such characters; is it a UTF-8 text?\n";
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

    const TTextoImportado importado = ImportaTexto(LeeEntrada(texto), TPregunta{0, 0, tema, ""});
    ListaRechazados(texto, importado.Rechazados, errores);
    if (!importado.Rechazados.empty())
        return kSalidaFallo;
    if (importado.Preguntas.size() > static_cast<size_t>(kMaximoPreguntas)) {
        errores << texto << ": the text makes " << importado.Preguntas.size()
                << " questions, and a set holds at most " << kMaximoPreguntas
                << "; nothing written\n";
        return kSalidaFallo;
    }
    if (importado.Sustituidos > 0)
        errores << texto << ": "
                << Rellena(Tr("%1 characters replaced by a plain form (dashes, blanks, signs)"),
                           {std::to_string(importado.Sustituidos)})
                << "\n";

    std::vector<TPregunta> preguntas;
    for (size_t p = 0; p < importado.Preguntas.size(); ++p) {
        const TPregunta& pregunta = importado.Preguntas[p];
        const std::vector<TPregunta> hechas =
            AplicaHuecos(pregunta, ProponHuecos(pregunta.Texto, reglas, distractores));
        if (hechas.size() > 1)
            errores << texto << ": paragraph " << p + 1 << " makes questions "
                    << preguntas.size() + 1 << " (accent practice) and " << preguntas.size() + 2
                    << " (letters): a letter gap would start filled with its answer in accent "
                       "practice\n";
        preguntas.insert(preguntas.end(), hechas.begin(), hechas.end());
    }
    for (size_t i = 0; i < preguntas.size(); ++i)
        for (const TProblemaConjunto& problema :
             CompruebaRedaccion(preguntas[i], static_cast<int>(i)))
            if (problema.Tipo == TProblemaConjunto::TTipo::SinHuecos)
                errores << texto << ": warning: " << problema.MensajeIngles() << "\n";
    // pack refuses a set whose first question fails the key check.
    if (!preguntas.empty() && PorcentajeLegible(preguntas.front()) < kPorcentajeLegibleMinimo) {
        const int plana = MasLegible(preguntas);
        if (plana > 0) {
            std::rotate(preguntas.begin(), preguntas.begin() + plana,
                        preguntas.begin() + plana + 1);
            errores << texto << ": question " << plana + 1
                    << ", the plainest, comes first so that the set passes the program's key "
                       "check\n";
        } else if (plana < 0) {
            errores << texto
                    << ": warning: no question is plain enough to come first; pack "
                       "will refuse the set: put a longer, plainer paragraph first\n";
        }
    }
    const std::string fuente = EscribeFuente(preguntas, NombreDesnudo(texto));
    if (!conDestino) {
        salida << fuente;
        return kSalidaBien;
    }
    try {
        EscribeFichero(destino, fuente);
    } catch (const IoError& e) {
        throw std::runtime_error(destino + ": cannot be written" +
                                 (e.Motivo().empty() ? "" : ": " + e.Motivo()));
    }
    salida << Rellena(Tr("Wrote %1: %2 questions."), {destino, std::to_string(preguntas.size())})
           << "\n";
    return kSalidaBien;
}

// The questions of a set, as 'unpack' reads them, or of a source.
std::vector<TPregunta> LeePreguntas(const std::string& nombre, std::ostream& errores) {
    CompruebaEntrada(nombre);
    std::string fuente;
    if (nombre.ends_with(".preg")) {
        std::ostringstream desempaquetada;
        if (EjecutaHerramienta({"unpack", nombre}, desempaquetada, errores) != kSalidaBien)
            throw std::runtime_error("");
        fuente = desempaquetada.str();
    } else {
        fuente = LeeEntrada(nombre);
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

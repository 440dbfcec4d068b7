#include "moodle_commands.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "command_support.h"
#include "commands.h"
#include "core/authoring/set_checks.h"
#include "core/base/atomic_write.h"
#include "core/base/binary_file.h"
#include "core/base/language.h"
#include "core/base/win1252.h"
#include "core/set/writer.h"
#include "moodle_export.h"
#include "moodle_import.h"

namespace {

using TPerdida = TPerdidaMoodle::TTipo;
using TNota = TNotaImportacion::TTipo;

// What Moodle does with each kind of loss, after the count of its gaps or questions.
const std::map<TPerdida, const char*> kPerdidas = {
    {TPerdida::PreRelleno,
     "the accent-practice pre-fill, which Moodle cannot show: told in the question's hint and "
     "general feedback"},
    {TPerdida::AnchoMinimo,
     "a minimum gap width wider than an answer, which Moodle cannot keep: told in the general "
     "feedback"},
    {TPerdida::RespuestaVacia,
     "gaps to be left empty, which Moodle cannot mark right: written as text"},
    {TPerdida::RespuestaConTilde,
     "gaps whose answer holds a \"~\", which ends a Moodle answer: written as text"},
    {TPerdida::RespuestaConBarra,
     "gaps whose answer ends in \"\\\", which would escape the gap's end: written as text"},
    {TPerdida::BlancosEnRespuesta, "answers with blanks at their ends, which Moodle trims"},
    {TPerdida::TemaCambiado,
     "topics no Moodle category holds as they are (empty, blanks at the ends, \"<\", over 255 "
     "characters)"},
    {TPerdida::CaracterDeControl, "questions with control characters, left out of the file"},
};

bool PorPregunta(TPerdida tipo) {
    return tipo == TPerdida::PreRelleno || tipo == TPerdida::AnchoMinimo ||
           tipo == TPerdida::TemaCambiado || tipo == TPerdida::CaracterDeControl;
}

std::string Lista(const std::set<int>& preguntas) {
    std::string lista;
    int puestas = 0;
    for (const int p : preguntas) {
        if (++puestas > 10) {
            lista += ", ...";
            break;
        }
        lista += (lista.empty() ? "" : ", ") + std::to_string(p + 1);
    }
    return lista;
}

std::string DescribeNota(const TNotaImportacion& nota) {
    switch (nota.Tipo) {
        case TNota::TipoSinUso:
            return "left out: a question of type '" + nota.Detalle + "', which Tildora cannot ask";
        case TNota::SinRespuestaCorrecta:
            return "left out: a gap has no answer worth any marks";
        case TNota::CaracterImposible:
            return "left out: it holds '" + nota.Detalle +
                   "', a character that Tildora's files (Windows-1252) cannot hold";
        case TNota::MarcaDeHueco:
            return "left out: it holds \"@\", Tildora's gap mark";
        case TNota::HuecoAnidado:
            return "left out: a gap's answer holds the start of another gap (\"{\" with no "
                   "\"}\" before it); close the first gap";
        case TNota::HuecoSinCerrar:
            return "left out: a gap never closes (is its last \"}\" missing, or escaped as "
                   "\"\\}\"?)";
        case TNota::CorteQuitaHuecos:
            return "left out: its text exceeds a question record, and a cut to it would drop " +
                   std::to_string(nota.Cifra) + (nota.Cifra == 1 ? " gap" : " gaps");
        case TNota::HuecoComoTexto:
            return "a " + nota.Detalle + " gap becomes its right answer as plain text";
        case TNota::RespuestasDescartadas:
            return std::to_string(nota.Cifra) + " other answers of its gaps left out";
        case TNota::Comodin:
            return "an answer holds Moodle's wildcard \"*\", kept as a plain \"*\"";
        case TNota::MayusculasIgnoradas:
            return "a case-sensitive gap; Tildora ignores case";
        case TNota::TextoCortado:
            return "its text exceeds a question record: cut at a sentence's end to " +
                   std::to_string(nota.Cifra) + " bytes";
        case TNota::TemaCortado:
            return "its category's name cut to " + std::to_string(nota.Cifra) + " bytes";
        case TNota::PracticaAcentos:
            return "comes back as accent practice";
        case TNota::AnchoMinimo:
            return "comes back with its minimum gap width, " + std::to_string(nota.Cifra);
        case TNota::SinTema:
            return "comes back without a topic";
    }
    return "";
}

}  // namespace

int ExportaOrden(const std::vector<std::string>& argumentos, std::ostream& salida,
                 std::ostream& errores) {
    std::string nombre, destino, formato, lengua;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        const bool valor = i + 1 < argumentos.size();
        if (argumentos[i] == "-o" && valor && destino.empty()) {
            destino = argumentos[++i];
        } else if (argumentos[i] == "--format" && valor && formato.empty()) {
            formato = argumentos[++i];
        } else if (argumentos[i] == "--language" && valor && lengua.empty()) {
            lengua = argumentos[++i];
        } else if (!argumentos[i].starts_with("-") && nombre.empty()) {
            nombre = argumentos[i];
        } else {
            throw TErrorUso("unexpected argument '" + argumentos[i] + "'", "export");
        }
    }
    if (nombre.empty() || destino.empty() || formato.empty())
        throw TErrorUso("'export' takes SET.preg, --format moodle and -o FILE.xml", "export");
    if (formato != "moodle")
        throw TErrorUso("the only format is 'moodle', not '" + formato + "'", "export");
    if (!lengua.empty() && lengua != "valenciano" && lengua != "castellano")
        throw TErrorUso("the language is valenciano or castellano, not '" + lengua + "'", "export");
    const TIdioma idioma = lengua == "castellano" ? TIdioma::Castellano : TIdioma::Valenciano;

    const std::vector<TPregunta> preguntas = LeePreguntasConjunto(nombre, errores);
    const TExportacionMoodle exportacion =
        ExportaMoodle(preguntas, Utf8DeWindows1252(NombreSinExtension(nombre)), idioma);
    EscribeFichero(destino, exportacion.Xml);

    std::set<std::string> temas;
    for (const TPregunta& pregunta : preguntas)
        temas.insert(pregunta.Tema);
    salida << "Wrote " << destino << ": " << preguntas.size() << " questions in " << temas.size()
           << " topics, for Moodle's question import (format Moodle XML).\n";
    std::map<TPerdida, std::pair<int, std::set<int>>> cuentas;
    for (const TPerdidaMoodle& perdida : exportacion.Perdidas) {
        ++cuentas[perdida.Tipo].first;
        cuentas[perdida.Tipo].second.insert(perdida.Pregunta);
    }
    if (!cuentas.empty())
        salida << "What Moodle cannot hold as it is:\n";
    for (const auto& [tipo, cuenta] : cuentas) {
        const int veces = PorPregunta(tipo) ? static_cast<int>(cuenta.second.size()) : cuenta.first;
        const char* cosa = PorPregunta(tipo) ? (veces == 1 ? "question" : "questions")
                                             : (veces == 1 ? "gap" : "gaps");
        salida << "  " << veces << " " << cosa << ": " << kPerdidas.at(tipo) << " (question"
               << (cuenta.second.size() == 1 ? " " : "s ") << Lista(cuenta.second) << ")\n";
    }
    return kSalidaBien;
}

int ImportaOrden(const std::vector<std::string>& argumentos, std::ostream& salida,
                 std::ostream& errores) {
    const auto [origen, destino] =
        LeeOrigenYConjunto(argumentos, "import", "FILE.xml and -o SET.preg");

    CompruebaEntrada(origen);
    TImportacionMoodle importacion = ImportaFicheroMoodle(origen);
    if (importacion.Error) {
        errores << origen << ":" << importacion.Error->Linea << ":" << importacion.Error->Columna
                << ": " << importacion.Error->Mensaje << "; nothing written\n";
        return kSalidaFallo;
    }
    std::vector<TPregunta>& preguntas = importacion.Preguntas;
    int omitidas = 0;
    for (const TNotaImportacion& nota : importacion.Notas) {
        omitidas += nota.Omite() ? 1 : 0;
        salida << "  question " << nota.Numero << " \"" << nota.Nombre
               << "\": " << DescribeNota(nota) << "\n";
    }
    if (preguntas.empty()) {
        errores << origen << ": no cloze or short-answer question to bring in; nothing written\n";
        return kSalidaFallo;
    }
    // The program opens a set only when its first record is mostly plain letters.
    if (PorcentajeLegible(preguntas.front()) < kPorcentajeLegibleMinimo) {
        const int legible = MasLegible(preguntas);
        if (legible < 0) {
            errores << origen << ": no question is plain enough to stand first, as the program "
                    << "needs (" << kPorcentajeLegibleMinimo
                    << " per cent unaccented letters, digits, blanks, commas and points); "
                    << "nothing written\n";
            return kSalidaFallo;
        }
        std::rotate(preguntas.begin(), preguntas.begin() + legible,
                    preguntas.begin() + legible + 1);
        salida << "  question " << legible + 1
               << " of the set goes first: the program needs a plain first question\n";
    }
    EscribeConjunto(destino, preguntas);
    std::set<std::string> temas;
    for (const TPregunta& pregunta : preguntas)
        temas.insert(pregunta.Tema);
    salida << "Wrote " << destino << " and " << NombreIndice(destino) << ": " << preguntas.size()
           << " questions, " << temas.size() << " topics; " << omitidas
           << " questions of the file left out.\n";
    // The same warnings as for any set: what the program would handle badly.
    std::ostringstream resumen;
    return EjecutaHerramienta({"check", destino}, resumen, errores);
}

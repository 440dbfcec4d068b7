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
     N_("the accent-practice pre-fill, which Moodle cannot show: told in the question's hint and "
        "general feedback")},
    {TPerdida::AnchoMinimo,
     N_("a minimum gap width wider than an answer, which Moodle cannot keep: told in the general "
        "feedback")},
    {TPerdida::RespuestaVacia,
     N_("gaps to be left empty, which Moodle cannot mark right: written as text")},
    {TPerdida::RespuestaConTilde,
     N_("gaps whose answer holds a \"~\", which ends a Moodle answer: written as text")},
    {TPerdida::RespuestaConBarra,
     N_("gaps whose answer ends in \"\\\", which would escape the gap's end: written as text")},
    {TPerdida::BlancosEnRespuesta, N_("answers with blanks at their ends, which Moodle trims")},
    {TPerdida::TemaCambiado,
     N_("topics no Moodle category holds as they are (empty, blanks at the ends, \"<\", over 255 "
        "characters)")},
    {TPerdida::CaracterDeControl, N_("questions with control characters, left out of the file")},
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
            return Rellena(Tr("left out: a question of type '%1', which Tildora cannot ask"),
                           {nota.Detalle});
        case TNota::SinRespuestaCorrecta:
            return Tr("left out: a gap has no answer worth any marks");
        case TNota::CaracterImposible:
            return Rellena(Tr("left out: it holds '%1', a character that Tildora's files "
                              "(Windows-1252) cannot hold"),
                           {nota.Detalle});
        case TNota::MarcaDeHueco:
            return Tr("left out: it holds \"@\", Tildora's gap mark");
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
            return Rellena(Tr("a %1 gap becomes its right answer as plain text"), {nota.Detalle});
        case TNota::RespuestasDescartadas:
            return Rellena(Tr("%1 other answers of its gaps left out"),
                           {std::to_string(nota.Cifra)});
        case TNota::Comodin:
            return Tr("an answer holds Moodle's wildcard \"*\", kept as a plain \"*\"");
        case TNota::MayusculasIgnoradas:
            return Tr("a case-sensitive gap; Tildora ignores case");
        case TNota::TextoCortado:
            return Rellena(Tr("its text exceeds a question record: cut at a sentence's end to %1 "
                              "bytes"),
                           {std::to_string(nota.Cifra)});
        case TNota::TemaCortado:
            return Rellena(Tr("its category's name cut to %1 bytes"), {std::to_string(nota.Cifra)});
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
            throw TErrorUso(Rellena(Tr("unexpected argument '%1'"), {argumentos[i]}), "export");
        }
    }
    if (nombre.empty() || destino.empty() || formato.empty())
        throw TErrorUso(Tr("'export' takes SET.preg, --format moodle and -o FILE.xml"), "export");
    if (formato != "moodle")
        throw TErrorUso(Rellena(Tr("the only format is 'moodle', not '%1'"), {formato}), "export");
    if (!lengua.empty() && lengua != "valenciano" && lengua != "castellano")
        throw TErrorUso(Rellena(Tr("the language is valenciano or castellano, not '%1'"), {lengua}),
                        "export");
    const TIdioma idioma = lengua == "castellano" ? TIdioma::Castellano : TIdioma::Valenciano;

    const std::vector<TPregunta> preguntas = LeePreguntasConjunto(nombre, errores);
    const TExportacionMoodle exportacion =
        ExportaMoodle(preguntas, Utf8DeWindows1252(NombreSinExtension(nombre)), idioma);
    EscribeFichero(destino, exportacion.Xml);

    std::set<std::string> temas;
    for (const TPregunta& pregunta : preguntas)
        temas.insert(pregunta.Tema);
    salida << Rellena(Tr("Wrote %1: %2 questions in %3 topics, for Moodle's question import "
                         "(format Moodle XML)."),
                      {destino, std::to_string(preguntas.size()), std::to_string(temas.size())})
           << "\n";
    std::map<TPerdida, std::pair<int, std::set<int>>> cuentas;
    for (const TPerdidaMoodle& perdida : exportacion.Perdidas) {
        ++cuentas[perdida.Tipo].first;
        cuentas[perdida.Tipo].second.insert(perdida.Pregunta);
    }
    if (!cuentas.empty())
        salida << Tr("What Moodle cannot hold as it is:") << "\n";
    for (const auto& [tipo, cuenta] : cuentas) {
        const int veces = PorPregunta(tipo) ? static_cast<int>(cuenta.second.size()) : cuenta.first;
        const char* cosa = PorPregunta(tipo) ? (veces == 1 ? N_("%1 question") : N_("%1 questions"))
                                             : (veces == 1 ? N_("%1 gap") : N_("%1 gaps"));
        const char* cuales = cuenta.second.size() == 1 ? N_("(question %1)") : N_("(questions %1)");
        salida << "  " << Rellena(Tr(cosa), {std::to_string(veces)}) << ": "
               << Tr(kPerdidas.at(tipo)) << " " << Rellena(Tr(cuales), {Lista(cuenta.second)})
               << "\n";
    }
    return kSalidaBien;
}

int ImportaOrden(const std::vector<std::string>& argumentos, std::ostream& salida,
                 std::ostream& errores) {
    const auto [origen, destino] =
        LeeOrigenYConjunto(argumentos, "import", Tr("FILE.xml and -o SET.preg"));

    CompruebaEntrada(origen);
    TImportacionMoodle importacion = ImportaFicheroMoodle(origen);
    if (importacion.Error) {
        errores << origen << ":" << importacion.Error->Linea << ":" << importacion.Error->Columna
                << ": " << importacion.Error->Mensaje << "; " << Tr("nothing written") << "\n";
        return kSalidaFallo;
    }
    std::vector<TPregunta>& preguntas = importacion.Preguntas;
    int omitidas = 0;
    for (const TNotaImportacion& nota : importacion.Notas) {
        omitidas += nota.Omite() ? 1 : 0;
        salida << "  "
               << Rellena(Tr("question %1 \"%2\": %3"),
                          {std::to_string(nota.Numero), nota.Nombre, DescribeNota(nota)})
               << "\n";
    }
    if (preguntas.empty()) {
        errores << origen << ": "
                << Tr("no cloze or short-answer question to bring in; nothing written") << "\n";
        return kSalidaFallo;
    }
    // The program opens a set only when its first record is mostly plain letters.
    if (PorcentajeLegible(preguntas.front()) < kPorcentajeLegibleMinimo) {
        const int legible = MasLegible(preguntas);
        if (legible < 0) {
            errores << origen << ": "
                    << Rellena(Tr("no question is plain enough to stand first, as the program "
                                  "needs (%1 per cent unaccented letters, digits, blanks, commas "
                                  "and points); nothing written"),
                               {std::to_string(kPorcentajeLegibleMinimo)})
                    << "\n";
            return kSalidaFallo;
        }
        std::rotate(preguntas.begin(), preguntas.begin() + legible,
                    preguntas.begin() + legible + 1);
        salida << "  "
               << Rellena(Tr("question %1 of the set goes first: the program needs a plain "
                             "first question"),
                          {std::to_string(legible + 1)})
               << "\n";
    }
    EscribeConjunto(destino, preguntas);
    std::set<std::string> temas;
    for (const TPregunta& pregunta : preguntas)
        temas.insert(pregunta.Tema);
    salida << Rellena(Tr("Wrote %1 and %2: %3 questions, %4 topics; %5 questions of the file "
                         "left out."),
                      {destino, NombreIndice(destino), std::to_string(preguntas.size()),
                       std::to_string(temas.size()), std::to_string(omitidas)})
           << "\n";
    // The same warnings as for any set: what the program would handle badly.
    std::ostringstream resumen;
    return EjecutaHerramienta({"check", destino}, resumen, errores);
}

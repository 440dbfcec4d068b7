#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/set/question_files.h"

class QIODevice;

// Cloze and short-answer questions of a Moodle quiz file as Tildora questions.

struct TNotaImportacion {
    enum class TTipo {
        // The question is left out:
        TipoSinUso,            // Detalle: its type (essay, matching, true/false...)
        SinRespuestaCorrecta,  // a gap with no answer worth any marks
        CaracterImposible,     // Detalle: a character Windows-1252 cannot hold
        MarcaDeHueco,          // an "@" in its text or an answer, Tildora's gap mark
        HuecoAnidado,          // a gap's answers hold the start of another gap
        HuecoSinCerrar,        // a gap never closes: its markup would stand as text
        CorteQuitaHuecos,      // Cifra: the gaps that a cut to a record's size would drop
        // The question comes in, changed:
        HuecoComoTexto,         // Detalle: the gap's type; its right answer is plain text
        RespuestasDescartadas,  // Cifra: the other answers of its gaps
        Comodin,                // an answer with Moodle's wildcard "*", kept as a "*"
        MayusculasIgnoradas,    // a case-sensitive gap; Tildora ignores case
        TextoCortado,           // Cifra: the bytes kept, to a sentence's end
        TemaCortado,            // Cifra: the bytes kept of its category's name
        // What Tildora's tags gave back (the export writes them):
        PracticaAcentos,  // accent practice (Cifra: the Modo)
        AnchoMinimo,      // Cifra: the minimum gap width
        SinTema,          // no topic, although its category is the set's
    };
    TTipo Tipo;
    int Numero = 0;       // 1-based among the file's questions, categories left aside
    std::string Nombre;   // the question's name, UTF-8
    std::string Detalle;  // UTF-8
    int64_t Cifra = 0;

    bool Omite() const { return Tipo <= TTipo::CorteQuitaHuecos; }
    bool Devuelve() const { return Tipo >= TTipo::PracticaAcentos; }
};

struct TErrorXml {
    int64_t Linea = 0;
    int64_t Columna = 0;
    std::string Mensaje;
};

struct TImportacionMoodle {
    std::vector<TPregunta> Preguntas;  // Windows-1252; none when Error is set
    std::vector<TNotaImportacion> Notas;
    std::optional<TErrorXml> Error;
};

// A file with a DOCTYPE is refused before anything of it is read: no entity is ever expanded
// and nothing outside the file is opened.
TImportacionMoodle ImportaMoodle(QIODevice& entrada);
// Throws IoError when the file cannot be opened.
TImportacionMoodle ImportaFicheroMoodle(const std::string& ruta);

// The longest topic an import keeps: Moodle's longest category name.
inline constexpr size_t kLargoTemaImportado = 255;

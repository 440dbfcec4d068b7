#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/language.h"
#include "core/set/question_files.h"
#include "core/set/topic_list.h"
#include "core/text/layout.h"
#include "core/text/question_text.h"

// What makes the exercise program refuse a set or show its questions badly, on the questions'
// Windows-1252 bytes. The authoring tool and the editor both check through these.

inline constexpr int kMaximoTemas = TLista::kCapacidad;
inline constexpr int kMaximoHuecos = kTamanoPool;
inline constexpr int kMaximoPiezas = kTamanoPool;
// The key check accepts record 1 when at least this share of its bytes is readable.
inline constexpr int kPorcentajeLegibleMinimo = 81;

// The gaps the layout makes of the text: a mark opens a gap and the next one in the same word
// closes it; a mark left open makes a gap of the rest of its word.
int CuentaHuecos(const std::string& texto);
// The text labels the layout fills when no line wraps (each wrap takes one more): a piece of
// text beside a gap takes a label of its own, a line break starts the next one.
int CuentaPiezas(const std::string& texto);
int CuentaMarcas(const std::string& texto);
// Record 1 as the key check examines it when this question is first: the per cent of readable
// bytes, without its final NUL and at most the first 32768 bytes.
int PorcentajeLegible(const TPregunta& primera);
// The question the key check reads best as record 1 (the first of equals), or -1 when none
// passes.
int MasLegible(const std::vector<TPregunta>& preguntas);
// The same over the questions' PorcentajeLegible.
int MasLegible(const std::vector<int>& porcentajes);

struct TProblemaConjunto {
    enum class TTipo {
        ConjuntoVacio,        // refused: the key check finds no record
        DemasiadasPreguntas,  // Cifra questions: the numbers end at 65535
        DemasiadosTemas,      // Cifra topics: only the first 200 are listed and asked
        ClaveIlegible,        // refused: Cifra per cent of record 1 is readable
        MarcasImpares,        // Cifra gap marks; Posicion: the mark left open
        DemasiadosHuecos,     // Cifra gaps
        DemasiadasPiezas,     // Cifra text pieces
        RegistroLargo,        // a record of Cifra bytes: the end would be lost
        // A character the files cannot hold (code point Cifra) at Posicion of the text, or in
        // the topic (Posicion -1).
        CaracterNoGuardable,
        MasCaracteresNoGuardables,  // Cifra more of them beyond those listed
        SinHuecos,                  // a question with nothing to fill in
        RespuestaConBlancos,        // the gap opened at Posicion starts or ends with a blank
        RespuestaLarga,             // the gap opened at Posicion holds Cifra words
        PreguntaRepetida,           // the same text as question Cifra (0-based)
        RespuestaDesconocida,       // a gap answer the dictionary does not know: Detalle
        // A gap opened at Posicion, its answer Detalle, takes part of a word in an
        // accent-practice question, where it starts filled with its own answer.
        LetrasEnAcentos,
        PalabraDesconocida,  // a word of the text, no gap's, the dictionary does not know: Detalle
    };
    TTipo Tipo;
    int Pregunta = -1;  // 0-based; -1 for the set as a whole
    int64_t Cifra = 0;
    // In characters of the text, where the problem can be pointed at; -1 otherwise.
    int Posicion = -1;
    std::string Detalle{};  // RespuestaDesconocida: the word and its suggestions, UTF-8

    // True when the set cannot be written with it: the program would refuse the set, or a part
    // of it would be lost.
    bool Bloquea() const;
    // What the teacher reads, in UTF-8.
    std::string Mensaje(TIdioma idioma) const;
    // What tildora-tool prints; empty for the problems it explains in its own words.
    std::string MensajeIngles() const;

    bool operator==(const TProblemaConjunto&) const = default;
};

// The one rule for the characters of a question, whatever reads or writes it (the editor's
// checks and saving, a source's export and unpack): printable characters of the files' code
// page, and in a text the paragraph break.
bool CaracterGuardable(char32_t codigo, bool enTexto);
// The problems listed of one question; the rest are counted in one MasCaracteresNoGuardables.
inline constexpr int kMaximoCaracteresListados = 20;
// Every character of the question that CaracterGuardable refuses, with its place.
std::vector<TProblemaConjunto> CompruebaCaracteres(std::u32string_view tema,
                                                   std::u32string_view texto, int fila);
// What a teacher most likely did not mean: no gap, a gap answer with a blank at either end,
// or with more words than an answer has (a forgotten mark).
inline constexpr int kMaximoPalabrasRespuesta = 3;
std::vector<TProblemaConjunto> CompruebaRedaccion(const TPregunta& pregunta, int fila);

// True when the gap (a closed one of PiezasDeTexto) takes part of a word, a letter touching
// one of its marks, as a letter rule's gaps do; an accent gap takes whole words.
bool HuecoDeLetras(std::string_view texto, const TPiezaTexto& hueco);

// The set-wide problems of a set of numPreguntas questions holding numTemas distinct topics
// and whose first question is primera (nullptr when there is none).
std::vector<TProblemaConjunto> CompruebaTotales(int64_t numPreguntas, int64_t numTemas,
                                                const TPregunta* primera);
// The problems of question fila (0-based) whose record takes longitudRegistro bytes.
std::vector<TProblemaConjunto> CompruebaPregunta(const TPregunta& pregunta, int fila,
                                                 int64_t longitudRegistro);
// Every problem, set-wide ones first; longitudes gives each record's bytes as the files hold
// them, and numPreguntas the count of the index, which may exceed the questions given.
std::vector<TProblemaConjunto> CompruebaConjunto(const std::vector<TPregunta>& preguntas,
                                                 const std::vector<int64_t>& longitudes,
                                                 int64_t numPreguntas);
// The record bytes of a question: Modo, AnchoMinimo, topic, NUL, text, NUL.
int64_t LongitudRegistro(const TPregunta& pregunta);

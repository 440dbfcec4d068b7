#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/set/question_files.h"

// A question's text (Windows-1252) read as the program lays it out: its words, and in each word
// the runs of text and the gaps, each with its place in the text. Every reader of a question's
// text walks it here, so that no two of them pair the gap marks differently.

inline constexpr char kMarcaHueco = '@';
inline constexpr char kRetorno = '\r';

struct TPiezaTexto {
    enum class TTipo { Texto, Hueco, Parrafo };
    TPiezaTexto(TTipo tipo, std::string texto, size_t inicio)
        : Tipo(tipo), Texto(std::move(texto)), Inicio(inicio) {}

    TTipo Tipo = TTipo::Texto;
    std::string Texto;  // the run, or the gap's answer, blanks included; empty for Parrafo
    size_t Inicio = 0;  // where Texto starts in the text; the carriage return's place for Parrafo
    // Texto ends in the blank the layout gives the text's last word, which the text does not hold.
    bool BlancoAnadido = false;
    // Gaps only.
    size_t Marca = 0;      // the mark that opens it
    bool Cerrado = false;  // closed by a second mark; an open gap takes the rest of its word
    int Ancho = 0;         // in characters: its answer's length or the question's minimum, the greater
    std::string Relleno;   // its text at first: in accent practice, the answer without accents

    // Texto as the text holds it, without the added blank.
    std::string_view EnTexto() const {
        return std::string_view(Texto).substr(0, Texto.size() - (BlancoAnadido ? 1 : 0));
    }

    bool operator==(const TPiezaTexto&) const = default;
};

// One word of the layout: up to a blank outside a gap, which it takes as its last character, or
// up to a carriage return; or a lone carriage return.
struct TPalabraTexto {
    size_t Inicio = 0;
    size_t Longitud = 0;     // bytes of the text it takes, the blank that ends it left out
    bool ConBlanco = false;  // ends in a blank, the text's or, after the last word, an added one
    bool Retorno = false;    // a lone carriage return: a new paragraph
    bool ConMarcas = false;  // holds a gap mark: each piece beside a gap takes a label of its own
    size_t MarcaAbierta = std::string::npos;  // the mark that no other closes, if any
    std::vector<TPiezaTexto> Piezas;          // outside gaps only runs that are not empty

    // Its length as the line break measures it: marks and the blank included.
    size_t Largo() const { return Longitud + (ConBlanco ? 1 : 0); }
};

// Reads a text word by word. Marks pair within a word, so within a paragraph: a mark opens a gap,
// the next one closes it, and a gap left open takes the rest of its word; a mark that ends a word
// before a carriage return opens nothing.
class TLectorTexto {
  public:
    explicit TLectorTexto(std::string_view texto, uint8_t modo = 0, uint8_t anchoMinimo = 0)
        : texto_(texto), modo_(modo), anchoMinimo_(anchoMinimo) {}
    explicit TLectorTexto(const TPregunta& pregunta)
        : TLectorTexto(pregunta.Texto, pregunta.Modo, pregunta.AnchoMinimo) {}

    bool Terminado() const { return siguiente_ >= texto_.size(); }
    // The next word; an empty one when the text is read.
    void Siguiente(TPalabraTexto& palabra);

  private:
    std::string_view texto_;
    uint8_t modo_;
    uint8_t anchoMinimo_;
    size_t siguiente_ = 0;
};

// The pieces of the whole text in order, as a page or a list shows the text. The blank the
// layout adds after the last word stands in no line of the text, so a run of text leaves it out;
// an open gap at the end keeps it in its answer, since the program checks the entry against it.
std::vector<TPiezaTexto> PiezasDeTexto(std::string_view texto, uint8_t modo = 0,
                                       uint8_t anchoMinimo = 0);
std::vector<TPiezaTexto> PiezasDeTexto(const TPregunta& pregunta);

// Cuts the next word off the front of resto, its blank given as its last character, or a lone
// carriage return.
void SiguientePalabra(std::string& resto, std::string& palabra);

// A question's text on one line with its answers hidden: each gap reads "___" and each line
// end a blank, as a list of questions names them.
std::string TextoSinRespuestas(std::string_view texto);

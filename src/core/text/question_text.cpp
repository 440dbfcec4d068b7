#include "core/text/question_text.h"

#include <algorithm>

#include "core/base/folding.h"

namespace {

constexpr char kBlanco = ' ';

// Where the word at desde ends: the first character is always taken, even a blank or a mark;
// then up to a blank outside a gap, a carriage return (inside a gap too) or the text's end.
size_t FinPalabra(std::string_view texto, size_t desde) {
    bool dentro = false;
    size_t i = desde;
    do {
        if (texto[i] == kMarcaHueco)
            dentro = !dentro;
        ++i;
    } while (i < texto.size() && !(texto[i] == kBlanco && !dentro) && texto[i] != kRetorno);
    return i;
}

}  // namespace

void TLectorTexto::Siguiente(TPalabraTexto& palabra) {
    palabra.Inicio = siguiente_;
    palabra.Longitud = 0;
    palabra.ConBlanco = false;
    palabra.Retorno = false;
    palabra.ConMarcas = false;
    palabra.MarcaAbierta = std::string::npos;
    palabra.Piezas.clear();
    if (Terminado())
        return;
    using TTipo = TPiezaTexto::TTipo;
    if (texto_[siguiente_] == kRetorno) {
        palabra.Longitud = 1;
        palabra.Retorno = true;
        palabra.Piezas.push_back({TTipo::Parrafo, "", siguiente_});
        ++siguiente_;
        return;
    }
    const size_t fin = FinPalabra(texto_, siguiente_);
    palabra.Longitud = fin - siguiente_;
    palabra.ConBlanco = fin >= texto_.size() || texto_[fin] != kRetorno;
    const bool anadido = fin >= texto_.size();
    // The word with its blank; its byte k stands at Inicio + k of the text.
    std::string entera(texto_.substr(siguiente_, palabra.Longitud));
    if (palabra.ConBlanco)
        entera += kBlanco;
    siguiente_ = std::min(fin + (palabra.ConBlanco ? 1 : 0), texto_.size());

    bool dentro = false;
    size_t k = 0;
    while (k < entera.size()) {
        const size_t marca = entera.find(kMarcaHueco, k);
        const size_t finPieza = marca == std::string::npos ? entera.size() : marca;
        TPiezaTexto pieza{dentro ? TTipo::Hueco : TTipo::Texto, entera.substr(k, finPieza - k),
                          palabra.Inicio + k};
        pieza.BlancoAnadido = anadido && finPieza == entera.size();
        if (dentro) {
            pieza.Marca = pieza.Inicio - 1;
            pieza.Cerrado = marca != std::string::npos;
            pieza.Ancho = std::max(static_cast<int>(pieza.Texto.size()), int{anchoMinimo_});
            if (modo_ == 1)
                pieza.Relleno = QuitaAcentos(pieza.Texto);
        }
        if (dentro || !pieza.Texto.empty())
            palabra.Piezas.push_back(std::move(pieza));
        if (marca == std::string::npos)
            break;
        palabra.ConMarcas = true;
        palabra.MarcaAbierta = dentro ? std::string::npos : palabra.Inicio + marca;
        k = marca + 1;
        dentro = !dentro;
    }
}

std::vector<TPiezaTexto> PiezasDeTexto(std::string_view texto, uint8_t modo, uint8_t anchoMinimo) {
    std::vector<TPiezaTexto> piezas;
    TLectorTexto lector(texto, modo, anchoMinimo);
    TPalabraTexto palabra;
    while (!lector.Terminado()) {
        lector.Siguiente(palabra);
        for (TPiezaTexto& pieza : palabra.Piezas) {
            if (pieza.BlancoAnadido && pieza.Tipo == TPiezaTexto::TTipo::Texto) {
                pieza.Texto.pop_back();
                pieza.BlancoAnadido = false;
                if (pieza.Texto.empty())
                    continue;
            }
            piezas.push_back(std::move(pieza));
        }
    }
    return piezas;
}

std::vector<TPiezaTexto> PiezasDeTexto(const TPregunta& pregunta) {
    return PiezasDeTexto(pregunta.Texto, pregunta.Modo, pregunta.AnchoMinimo);
}

void SiguientePalabra(std::string& resto, std::string& palabra) {
    TLectorTexto lector(resto);
    TPalabraTexto leida;
    lector.Siguiente(leida);
    palabra = resto.substr(0, leida.Longitud);
    if (leida.ConBlanco)
        palabra += kBlanco;
    resto.erase(0, leida.Longitud + (leida.ConBlanco ? 1 : 0));
}

std::string TextoSinRespuestas(std::string_view texto) {
    std::string linea;
    linea.reserve(texto.size());
    for (const TPiezaTexto& pieza : PiezasDeTexto(texto)) {
        switch (pieza.Tipo) {
            case TPiezaTexto::TTipo::Texto:
                for (const char c : pieza.Texto)
                    linea += c == '\n' ? kBlanco : c;
                break;
            case TPiezaTexto::TTipo::Hueco:
                linea += "___";
                break;
            case TPiezaTexto::TTipo::Parrafo:
                linea += kBlanco;
                break;
        }
    }
    return linea;
}

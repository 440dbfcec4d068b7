#include "core/authoring/words.h"

#include "core/text/question_text.h"

namespace {

constexpr unsigned char kPuntoVolado = 0xB7;

bool EsEle(unsigned char byte) {
    return byte == 'l' || byte == 'L';
}

}  // namespace

std::vector<TTramo> Palabras(std::string_view texto) {
    std::vector<TTramo> palabras;
    const auto byte = [&texto](size_t i) { return static_cast<unsigned char>(texto[i]); };
    size_t i = 0;
    while (i < texto.size()) {
        if (!EsLetra(byte(i))) {
            ++i;
            continue;
        }
        const size_t inicio = i;
        while (i < texto.size() &&
               (EsLetra(byte(i)) || (byte(i) == kPuntoVolado && i > inicio && EsEle(byte(i - 1)) &&
                                     i + 1 < texto.size() && EsEle(byte(i + 1)))))
            ++i;
        palabras.push_back({inicio, i - inicio});
    }
    return palabras;
}

std::string QuitaMarcas(std::string_view texto, std::vector<TTramo>* huecos,
                        std::vector<size_t>* origen) {
    std::string limpio;
    limpio.reserve(texto.size());
    for (const TPiezaTexto& pieza : PiezasDeTexto(texto)) {
        const bool parrafo = pieza.Tipo == TPiezaTexto::TTipo::Parrafo;
        const std::string_view bytes = parrafo ? texto.substr(pieza.Inicio, 1) : pieza.EnTexto();
        if (huecos && pieza.Tipo == TPiezaTexto::TTipo::Hueco)
            huecos->push_back({limpio.size(), bytes.size()});
        limpio += bytes;
        for (size_t i = 0; origen && i < bytes.size(); ++i)
            origen->push_back(pieza.Inicio + i);
    }
    return limpio;
}

std::vector<TTramo> PalabrasConMarcas(std::string_view texto) {
    std::vector<TTramo> marcadas;
    TLectorTexto lector(texto);
    TPalabraTexto palabra;
    while (!lector.Terminado()) {
        lector.Siguiente(palabra);
        if (palabra.ConMarcas)
            marcadas.push_back({palabra.Inicio, palabra.Longitud});
    }
    return marcadas;
}

#include "core/authoring/words.h"

namespace {

constexpr char kMarcaHueco = '@';
constexpr char kBlanco = ' ';
constexpr char kRetorno = '\r';
constexpr unsigned char kPuntoVolado = 0xB7;

bool EsEle(unsigned char byte) {
    return byte == 'l' || byte == 'L';
}

// The layout's words: up to a blank outside a gap or a carriage return.
template <typename Accion>
void RecorrePalabrasMaquetadas(std::string_view texto, Accion accion) {
    size_t i = 0;
    while (i < texto.size()) {
        if (texto[i] == kBlanco || texto[i] == kRetorno) {
            ++i;
            continue;
        }
        const size_t inicio = i;
        bool dentro = false;
        while (i < texto.size() && !(texto[i] == kBlanco && !dentro) && texto[i] != kRetorno) {
            if (texto[i] == kMarcaHueco)
                dentro = !dentro;
            ++i;
        }
        accion(TTramo{inicio, i - inicio});
    }
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
    const auto copia = [&](size_t desde, size_t hasta) {
        limpio.append(texto.substr(desde, hasta - desde));
        for (size_t i = desde; origen && i < hasta; ++i)
            origen->push_back(i);
    };
    size_t ultima = 0;
    RecorrePalabrasMaquetadas(texto, [&](TTramo palabra) {
        copia(ultima, palabra.Inicio);
        bool dentro = false;
        size_t abierto = 0;
        for (size_t i = palabra.Inicio; i < palabra.Fin(); ++i) {
            if (texto[i] != kMarcaHueco) {
                copia(i, i + 1);
                continue;
            }
            if (dentro && huecos)
                huecos->push_back({abierto, limpio.size() - abierto});
            dentro = !dentro;
            abierto = limpio.size();
        }
        if (dentro && huecos)
            huecos->push_back({abierto, limpio.size() - abierto});
        ultima = palabra.Fin();
    });
    copia(ultima, texto.size());
    return limpio;
}

std::vector<TTramo> PalabrasConMarcas(std::string_view texto) {
    std::vector<TTramo> marcadas;
    RecorrePalabrasMaquetadas(texto, [&](TTramo palabra) {
        if (texto.substr(palabra.Inicio, palabra.Longitud).find(kMarcaHueco) !=
            std::string_view::npos)
            marcadas.push_back(palabra);
    });
    return marcadas;
}

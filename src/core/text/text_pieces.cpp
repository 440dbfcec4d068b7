#include "core/text/text_pieces.h"

#include "core/text/layout.h"

namespace {

constexpr char kMarcaHueco = '@';

void AnadeTexto(std::vector<TTrozo>& trozos, const std::string& texto) {
    if (texto.empty())
        return;
    if (!trozos.empty() && trozos.back().Tipo == TTrozo::TTipo::Texto)
        trozos.back().Texto += texto;
    else
        trozos.push_back({TTrozo::TTipo::Texto, texto});
}

}  // namespace

std::vector<TTrozo> TrozosDeTexto(const std::string& texto) {
    std::vector<TTrozo> trozos;
    std::string resto = texto;
    std::string palabra;
    size_t leidos = 0;
    while (!resto.empty()) {
        SiguientePalabra(resto, palabra);
        leidos += palabra.size();
        if (palabra == "\r") {
            trozos.push_back({TTrozo::TTipo::Parrafo, ""});
            continue;
        }
        // The tokenizer ends the text's last word with a blank that the text does not hold.
        if (leidos > texto.size())
            palabra.pop_back();
        bool dentro = false;
        size_t inicio = 0;
        // A mark that ends its word opens nothing.
        while (inicio < palabra.size()) {
            const size_t marca = std::min(palabra.find(kMarcaHueco, inicio), palabra.size());
            const std::string pieza = palabra.substr(inicio, marca - inicio);
            if (dentro)
                trozos.push_back({TTrozo::TTipo::Hueco, pieza});
            else
                AnadeTexto(trozos, pieza);
            inicio = marca + 1;
            dentro = !dentro;
        }
    }
    return trozos;
}

std::string TextoDeTrozos(const std::vector<TTrozo>& trozos) {
    std::string texto;
    for (const TTrozo& trozo : trozos) {
        switch (trozo.Tipo) {
            case TTrozo::TTipo::Texto:
                texto += trozo.Texto;
                break;
            case TTrozo::TTipo::Hueco:
                texto += kMarcaHueco + trozo.Texto + kMarcaHueco;
                break;
            case TTrozo::TTipo::Parrafo:
                texto += '\r';
                break;
        }
    }
    return texto;
}

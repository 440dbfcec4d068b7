#include "core/text/text_pieces.h"

#include "core/text/question_text.h"

std::vector<TTrozo> TrozosDeTexto(const std::string& texto) {
    std::vector<TTrozo> trozos;
    for (const TPiezaTexto& pieza : PiezasDeTexto(texto)) {
        switch (pieza.Tipo) {
            case TPiezaTexto::TTipo::Texto:
                if (!trozos.empty() && trozos.back().Tipo == TTrozo::TTipo::Texto)
                    trozos.back().Texto += pieza.Texto;
                else
                    trozos.push_back({TTrozo::TTipo::Texto, pieza.Texto});
                break;
            case TPiezaTexto::TTipo::Hueco:
                trozos.push_back({TTrozo::TTipo::Hueco, pieza.Texto});
                break;
            case TPiezaTexto::TTipo::Parrafo:
                trozos.push_back({TTrozo::TTipo::Parrafo, ""});
                break;
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
                texto += kRetorno;
                break;
        }
    }
    return texto;
}

#include "core/learning/mistake.h"

#include <string>

#include "core/base/folding.h"

TTipoFallo TipoDeFallo(std::string_view respuesta, std::string_view entrada) {
    if (Mayusculas(respuesta) == Mayusculas(entrada))
        return TTipoFallo::Ninguno;
    if (entrada.empty())
        return TTipoFallo::SinRellenar;
    if (respuesta.empty())
        return TTipoFallo::SobraTexto;
    // Accents first: the upper-case table leaves ý and ÿ alone, their plain y it does not.
    const auto pliega = [](std::string_view texto) { return Mayusculas(QuitaAcentos(texto)); };
    return pliega(respuesta) == pliega(entrada) ? TTipoFallo::Acentos : TTipoFallo::Letras;
}

#include "core/learning/mistake.h"

#include "core/base/folding.h"

size_t LongitudRecortada(std::string_view entrada) {
    size_t fin = entrada.size();
    while (fin > 0 && static_cast<unsigned char>(entrada[fin - 1]) <= 32)
        --fin;
    return fin;
}

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

TTipoFallo Juzga(std::string_view respuesta, const std::optional<std::string>& entrada) {
    // A letter the code page cannot hold is no letter of the answer.
    return entrada ? TipoDeFallo(respuesta, *entrada) : TTipoFallo::Letras;
}

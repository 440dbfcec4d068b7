#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/authoring/set_checks.h"
#include "core/authoring/words.h"
#include "core/text/layout.h"
#include "core/text/question_text.h"
#include "core/text/text_pieces.h"

namespace {

void Comprueba(bool cierto) {
    if (!cierto)
        __builtin_trap();
}

}  // namespace

// Every reader of a question's text must see the gaps the walker sees.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    FuzzedDataProvider entrada(datos, n);
    TPregunta pregunta;
    pregunta.Modo = entrada.ConsumeIntegral<uint8_t>();
    pregunta.AnchoMinimo = entrada.ConsumeIntegral<uint8_t>();
    TMetricas metricas;
    metricas.AnchoVentana = entrada.ConsumeIntegralInRange(0, 4000);
    pregunta.Tema = entrada.ConsumeRandomLengthString(64);
    pregunta.Texto = entrada.ConsumeRemainingBytesAsString();
    metricas.AnchoTexto = [](std::string_view t) { return static_cast<int>(t.size()) * 7; };
    const std::string& texto = pregunta.Texto;

    // The walker's words cover the text, each shortening what is left, as the tokens do.
    std::vector<TPiezaTexto> huecos;
    std::string resto = texto, token;
    TLectorTexto lector(pregunta);
    TPalabraTexto palabra;
    while (!lector.Terminado()) {
        const size_t antes = resto.size();
        SiguientePalabra(resto, token);
        Comprueba(resto.size() < antes);
        lector.Siguiente(palabra);
        Comprueba(token.size() == palabra.Largo());
        Comprueba(token.compare(0, palabra.Longitud, texto, palabra.Inicio, palabra.Longitud) == 0);
        for (const TPiezaTexto& pieza : palabra.Piezas) {
            Comprueba(texto.compare(pieza.Inicio, pieza.EnTexto().size(), pieza.EnTexto()) == 0);
            if (pieza.Tipo == TPiezaTexto::TTipo::Hueco)
                huecos.push_back(pieza);
        }
    }
    Comprueba(resto.empty());

    const TPlanPregunta plan = PlanificaPregunta(pregunta, 1, metricas);
    Comprueba(plan.Huecos.size() == std::min(huecos.size(), size_t{kTamanoPool}));
    for (size_t i = 0; i < plan.Huecos.size(); ++i) {
        Comprueba(plan.Huecos[i].Respuesta == huecos[i].Texto);
        Comprueba(plan.Huecos[i].LongitudMaxima == huecos[i].Ancho);
        Comprueba(plan.Huecos[i].Relleno == huecos[i].Relleno);
    }
    Comprueba(plan.Textos.size() <= kTamanoPool);
    for (const TEtiquetaPlan& etiqueta : plan.Textos)
        Comprueba(etiqueta.Indice >= 1 && etiqueta.Indice <= kTamanoPool);

    Comprueba(CuentaHuecos(texto) == static_cast<int>(huecos.size()));
    std::vector<std::string> respuestas;
    for (const TTrozo& trozo : TrozosDeTexto(texto))
        if (trozo.Tipo == TTrozo::TTipo::Hueco)
            respuestas.push_back(trozo.Texto);
    Comprueba(respuestas.size() == huecos.size());
    for (size_t i = 0; i < huecos.size(); ++i)
        Comprueba(respuestas[i] == huecos[i].Texto);

    std::vector<TTramo> tramos;
    const std::string limpio = QuitaMarcas(texto, &tramos);
    Comprueba(limpio.size() + static_cast<size_t>(CuentaMarcas(texto)) == texto.size());
    Comprueba(tramos.size() == huecos.size());
    for (size_t i = 0; i < huecos.size(); ++i)
        Comprueba(limpio.compare(tramos[i].Inicio, tramos[i].Longitud, huecos[i].EnTexto()) == 0);

    const std::string linea = TextoSinRespuestas(texto);
    size_t huecosEnLinea = 0;
    for (size_t i = linea.find("___"); i != std::string::npos; i = linea.find("___", i + 3))
        ++huecosEnLinea;
    Comprueba(huecosEnLinea >= huecos.size());
    return 0;
}

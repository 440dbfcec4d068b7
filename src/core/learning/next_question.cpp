#include "core/learning/next_question.h"

#include <algorithm>
#include <vector>

#include "core/set/question_files.h"

namespace {

// Failed random draws after which Next looks at every question once.
constexpr int kSorteosAntesDeRepasar = 64;

}  // namespace

uint16_t EligeSiguiente(TEstadoSiguiente estado) {
    const int32_t usables = std::min(estado.NumPreguntas, kMaximoPreguntas);
    if (usables <= 0 || estado.ListaTemas.Cuenta() == 0)
        return 0;
    // Nothing inside the loop changes the selection, so the empty-selection test of every
    // attempt gives the same result as this one.
    if (estado.ListaTemas.CuentaMarcados() <= 0)
        estado.ListaTemas.MarcaTodos();
    const auto califica = [&](int32_t n) {
        return n >= 1 && n <= usables &&
               estado.ListaTemas.Marcado(
                   estado.TemaDePregunta.IndiceEnLista(static_cast<size_t>(n)));
    };

    if (estado.Secuencial) {
        const uint16_t inicial = estado.PreguntaActual;
        // From any pointer, a 0 and a value above the set are passed within two attempts.
        for (int32_t intento = 0; intento < usables + 2; ++intento) {
            const uint16_t n = estado.PreguntaActual;
            ++estado.PreguntaActual;
            if (estado.PreguntaActual > estado.NumPreguntas)
                estado.PreguntaActual = 1;
            if (califica(n))
                return n;
        }
        estado.PreguntaActual = inicial;  // nothing shown, nothing changed
        return 0;
    }

    std::uniform_int_distribution<int32_t> sorteo(1, usables);
    for (int i = 0; i < kSorteosAntesDeRepasar; ++i) {
        const int32_t n = sorteo(estado.Generador);
        if (califica(n))
            return static_cast<uint16_t>(n);
    }
    // Drawing among the qualifying questions alone gives the distribution that further draws
    // would give, and ends.
    std::vector<uint16_t> candidatas;
    for (int32_t n = 1; n <= usables; ++n)
        if (califica(n))
            candidatas.push_back(static_cast<uint16_t>(n));
    if (candidatas.empty())
        return 0;
    std::uniform_int_distribution<size_t> eleccion(0, candidatas.size() - 1);
    return candidatas[eleccion(estado.Generador)];
}

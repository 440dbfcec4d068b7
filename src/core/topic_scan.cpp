#include "topic_scan.h"

#include <algorithm>

int32_t LeeTemas(TFicherosPreguntas& ficheros, TLista& ListaTemas,
                 std::vector<std::string>& TemaDePregunta) {
    const int32_t usables = std::clamp(ficheros.NumPreguntas(), 0, kMaximoPreguntas);
    TemaDePregunta.assign(std::max(kRanurasTemaDePregunta, static_cast<size_t>(usables)) + 1,
                          std::string());
    ListaTemas.Vacia();
    for (int32_t n = 1; n <= usables; ++n) {
        TPregunta pregunta = ficheros.LeePregunta(static_cast<uint16_t>(n));
        ListaTemas.Anade(pregunta.Tema);
        TemaDePregunta[static_cast<size_t>(n)] = std::move(pregunta.Tema);
    }
    ListaTemas.MarcaTodos();
    return ListaTemas.Cuenta();
}

#include "core/set/topic_scan.h"

#include <algorithm>
#include <functional>
#include <string>
#include <unordered_map>

int32_t TTemasDePregunta::IndiceEnLista(size_t n) const {
    const int32_t referencia = n < Referencias.size() ? Referencias[n] : kVacio;
    return referencia >= 1 && referencia <= TLista::kCapacidad ? referencia : -1;
}

int32_t LeeTemas(TFicherosPreguntas& ficheros, TLista& ListaTemas,
                 TTemasDePregunta& TemaDePregunta) {
    const int32_t usables = std::clamp(ficheros.NumPreguntas(), 0, kMaximoPreguntas);
    TemaDePregunta.Referencias.assign(
        std::max(kRanurasTemaDePregunta, static_cast<size_t>(usables)) + 1,
        TTemasDePregunta::kVacio);
    ListaTemas.Vacia();
    // Fingerprint of each topic beyond the list, and its reference.
    std::unordered_map<size_t, int32_t> fueraDeLista;
    for (int32_t n = 1; n <= usables; ++n) {
        const TPregunta pregunta = ficheros.LeePregunta(static_cast<uint16_t>(n));
        // Anade's own search, done once for both the list and the cache.
        int32_t referencia = ListaTemas.Busca(pregunta.Tema);
        if (referencia == -1 && ListaTemas.Cuenta() < TLista::kCapacidad) {
            ListaTemas.Anade(pregunta.Tema);
            referencia = ListaTemas.Cuenta();
        }
        if (referencia == -1) {
            const int32_t nueva =
                TLista::kCapacidad + 1 + static_cast<int32_t>(fueraDeLista.size());
            referencia = fueraDeLista.try_emplace(std::hash<std::string>{}(pregunta.Tema), nueva)
                             .first->second;
        }
        TemaDePregunta.Referencias[static_cast<size_t>(n)] = referencia;
    }
    TemaDePregunta.FueraDeLista = static_cast<int32_t>(fueraDeLista.size());
    ListaTemas.MarcaTodos();
    return ListaTemas.Cuenta();
}

#include "core/dictation/dictation.h"

#include <algorithm>

#include "core/authoring/words.h"
#include "core/base/folding.h"

namespace {

std::vector<std::string> Trocea(std::string_view texto) {
    std::vector<std::string> palabras;
    for (const TTramo& t : Palabras(texto))
        palabras.emplace_back(texto.substr(t.Inicio, t.Longitud));
    return palabras;
}

}  // namespace

std::vector<TPalabraDictada> ComparaDictado(std::string_view texto, std::string_view escrito) {
    using TEstado = TPalabraDictada::TEstado;
    const std::vector<std::string> esperadas = Trocea(texto);
    const std::vector<std::string> escritas = Trocea(escrito);
    std::vector<std::string> esperadasMayusculas, escritasMayusculas;
    for (const std::string& p : esperadas)
        esperadasMayusculas.push_back(Mayusculas(p));
    for (const std::string& p : escritas)
        escritasMayusculas.push_back(Mayusculas(p));

    // The fewest words wrong, missing or extra, from each pair of tails on.
    const size_t n = esperadas.size(), m = escritas.size();
    std::vector<std::vector<size_t>> coste(n + 1, std::vector<size_t>(m + 1, 0));
    for (size_t i = n + 1; i-- > 0;)
        for (size_t j = m + 1; j-- > 0;) {
            if (i == n || j == m) {
                coste[i][j] = (n - i) + (m - j);
                continue;
            }
            const size_t distinta = esperadasMayusculas[i] == escritasMayusculas[j] ? 0 : 1;
            coste[i][j] = std::min(
                {coste[i + 1][j + 1] + distinta, coste[i + 1][j] + 1, coste[i][j + 1] + 1});
        }

    std::vector<TPalabraDictada> palabras;
    size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m) {
            const bool igual = esperadasMayusculas[i] == escritasMayusculas[j];
            if (coste[i][j] == coste[i + 1][j + 1] + (igual ? 0 : 1)) {
                palabras.push_back(
                    {igual ? TEstado::Bien : TEstado::Mal, esperadas[i], escritas[j]});
                ++i;
                ++j;
                continue;
            }
        }
        if (i < n && (j == m || coste[i][j] == coste[i + 1][j] + 1)) {
            palabras.push_back({TEstado::Falta, esperadas[i], {}});
            ++i;
        } else {
            palabras.push_back({TEstado::Sobra, {}, escritas[j]});
            ++j;
        }
    }
    return palabras;
}

TRecuentoDictado CuentaDictado(const std::vector<TPalabraDictada>& palabras) {
    TRecuentoDictado recuento;
    for (const TPalabraDictada& p : palabras) {
        switch (p.Estado) {
            case TPalabraDictada::TEstado::Bien:
                ++recuento.Bien;
                break;
            case TPalabraDictada::TEstado::Mal:
                ++recuento.Mal;
                break;
            case TPalabraDictada::TEstado::Falta:
                ++recuento.Faltan;
                break;
            case TPalabraDictada::TEstado::Sobra:
                ++recuento.Sobran;
                break;
        }
    }
    return recuento;
}

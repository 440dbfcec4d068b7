#include "core/learning/history.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "core/base/binary_file.h"

namespace {

// a / b rounded to the nearest integer, halves up; both positive.
int64_t DivideRedondeando(int64_t a, int64_t b) {
    return (2 * a + b) / (2 * b);
}

}  // namespace

int PorCientoHistoria(uint8_t puntuacion) {
    return static_cast<int>(DivideRedondeando(int64_t{puntuacion} * 100, 254));
}

TResumenHistoria ResumeHistoria(std::string_view bytes) {
    TResumenHistoria resumen;
    int64_t suma = 0;
    uint8_t mejor = 0;
    for (const char c : bytes) {
        const auto puntuacion = static_cast<uint8_t>(c);
        resumen.PorCientos.push_back(PorCientoHistoria(puntuacion));
        suma += puntuacion;
        mejor = std::max(mejor, puntuacion);
    }
    resumen.Sesiones = static_cast<int>(bytes.size());
    if (resumen.Sesiones > 0) {
        resumen.Media =
            static_cast<int>(DivideRedondeando(suma * 100, 254 * int64_t{resumen.Sesiones}));
        resumen.Mejor = PorCientoHistoria(mejor);
    }
    return resumen;
}

TColaHistoria LeeColaHistoria(const std::string& ruta, size_t maximo) {
    std::error_code error;
    // A folder in its place is an error that the open names, not an empty history.
    if (!std::filesystem::exists(ruta, error))
        return {};
    TFichero fichero;
    fichero.Abre(ruta, TFichero::TModo::Lectura);
    const int64_t tamano = fichero.Tamano();
    const int64_t leidos =
        std::min(tamano, static_cast<int64_t>(std::min<size_t>(maximo, INT64_MAX)));
    TColaHistoria cola;
    cola.Anteriores = tamano - leidos;
    fichero.Posiciona(cola.Anteriores);
    cola.Puntuaciones.resize(static_cast<size_t>(leidos));
    cola.Puntuaciones.resize(fichero.LeeBloque(cola.Puntuaciones.data(), cola.Puntuaciones.size()));
    fichero.Cierra();
    return cola;
}

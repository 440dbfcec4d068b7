#include "core/set/writer.h"

#include "core/set/checksum.h"
#include "core/set/settings.h"

namespace {

void AnadeEntero(std::string& bytes, uint32_t valor) {
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((valor >> (8 * i)) & 0xFF);
}

}  // namespace

std::string ConCheckSum(std::string bytes) {
    const uint32_t suma =
        SumaBytes(reinterpret_cast<const unsigned char*>(bytes.data()), 0u, bytes.size());
    bytes.append(reinterpret_cast<const char*>(kMagiaCheckSum.data()), kMagiaCheckSum.size());
    AnadeEntero(bytes, suma);
    return bytes;
}

std::string EmpaquetaPregunta(const TPregunta& pregunta) {
    std::string registro;
    registro += static_cast<char>(pregunta.Modo);
    registro += static_cast<char>(pregunta.AnchoMinimo);
    registro += pregunta.Tema;
    registro += '\0';
    registro += pregunta.Texto;
    registro += '\0';
    return registro;
}

TConjuntoEscrito ConstruyeConjunto(const std::vector<TPregunta>& preguntas,
                                   std::string_view clave) {
    TConjuntoEscrito conjunto;
    for (const TPregunta& pregunta : preguntas) {
        AnadeEntero(conjunto.Indice, static_cast<uint32_t>(conjunto.Preguntas.size()));
        std::string registro = EmpaquetaPregunta(pregunta);
        AplicaClave(reinterpret_cast<unsigned char*>(registro.data()), clave, registro.size());
        conjunto.Preguntas += registro;
    }
    conjunto.Preguntas = ConCheckSum(std::move(conjunto.Preguntas));
    conjunto.Indice = ConCheckSum(std::move(conjunto.Indice));
    return conjunto;
}

void EscribeConjunto(const std::string& nombre, const std::vector<TPregunta>& preguntas,
                     std::string_view clave) {
    const TConjuntoEscrito conjunto = ConstruyeConjunto(preguntas, clave);
    EscribePar(nombre, conjunto.Preguntas, conjunto.Indice);
}

std::string ConstruyeConfiguracion(const std::vector<bool>& marcas) {
    TConfiguracion configuracion;
    ConfiguracionDefecto(configuracion);
    for (size_t i = 1; i < configuracion.TemasMarcados.size(); ++i)
        configuracion.TemasMarcados[i] = i <= marcas.size() && marcas[i - 1] ? 1 : 0;
    return ConCheckSum(BytesConfiguracion(configuracion));
}

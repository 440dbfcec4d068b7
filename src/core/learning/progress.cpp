#include "core/learning/progress.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "core/base/binary_file.h"
#include "core/base/io_error.h"
#include "core/set/writer.h"

namespace {

constexpr std::string_view kCabecera = "Tildora progreso ";
constexpr std::string_view kFin = "Fin";
// Far more than 65535 entries of 200 gaps each: anything larger is not ours.
constexpr int64_t kTamanoMaximo = 64 << 20;

// Reads one line's fields in order, each after a single blank; one pass over the line.
struct TLector {
    const char* p;
    const char* fin;

    explicit TLector(std::string_view linea) : p(linea.data()), fin(linea.data() + linea.size()) {}

    bool Caracter(char c) {
        if (p == fin || *p != c)
            return false;
        ++p;
        return true;
    }
    // A number of digitos digits exactly, when digitos is not 0.
    template <typename T>
    bool Numero(T& valor, int base = 10, ptrdiff_t digitos = 0) {
        const auto [final, error] = std::from_chars(p, fin, valor, base);
        if (error != std::errc() || final == p || (digitos != 0 && final - p != digitos))
            return false;
        p = final;
        return true;
    }
    template <typename T>
    bool Campo(T& valor, int base = 10, ptrdiff_t digitos = 0) {
        return Caracter(' ') && Numero(valor, base, digitos);
    }
    bool Terminado() const { return p == fin; }
};

bool LeeHuecos(TLector& lector, std::vector<uint8_t>& huecos) {
    if (!lector.Caracter(' '))
        return false;
    if (lector.Caracter('-'))
        return true;
    do {
        unsigned numero = 0;
        if (!lector.Numero(numero) || numero < 1 || numero > 255)
            return false;
        huecos.push_back(static_cast<uint8_t>(numero));
    } while (lector.Caracter(','));
    return true;
}

bool LeePregunta(TLector& lector, TProgreso& progreso) {
    unsigned numero = 0;
    TResultadoPregunta resultado;
    unsigned caja = 0;
    if (!lector.Campo(numero) || numero < 1 || numero > 65535 ||
        !lector.Campo(resultado.Huella, 16, 16) || !lector.Campo(caja) || caja > kCajasRepaso ||
        !lector.Campo(resultado.Vence) || !lector.Campo(resultado.Fallos) ||
        !lector.Campo(resultado.Aciertos) || !LeeHuecos(lector, resultado.HuecosErroneos) ||
        !lector.Terminado())
        return false;
    resultado.Caja = static_cast<uint8_t>(caja);
    // Written in ascending order: each entry goes at the end, and one out of order is refused.
    auto& preguntas = progreso.Preguntas;
    if (!preguntas.empty() && preguntas.rbegin()->first >= numero)
        return false;
    preguntas.emplace_hint(preguntas.end(), static_cast<uint16_t>(numero), std::move(resultado));
    return true;
}

bool LeeSesion(TLector& lector, TProgreso& progreso) {
    TSesionProgreso sesion;
    if (!lector.Campo(sesion.Fecha) || !lector.Campo(sesion.Contestadas) ||
        !lector.Campo(sesion.Acertadas) || !lector.Terminado() || sesion.Contestadas < 0 ||
        sesion.Acertadas < 0 || sesion.Acertadas > sesion.Contestadas)
        return false;
    progreso.Sesiones.push_back(sesion);
    return true;
}

bool Interpreta(std::string_view bytes, TProgreso& progreso) {
    size_t inicio = 0;
    bool cabecera = false;
    while (inicio < bytes.size()) {
        const size_t salto = bytes.find('\n', inicio);
        if (salto == std::string_view::npos)
            return false;  // cut inside a line
        const std::string_view linea = bytes.substr(inicio, salto - inicio);
        inicio = salto + 1;
        if (!cabecera) {
            int version = 0;
            TLector lector(linea.substr(std::min(linea.size(), kCabecera.size())));
            if (!linea.starts_with(kCabecera) || !lector.Numero(version) || !lector.Terminado() ||
                version != kVersionProgreso)
                return false;
            cabecera = true;
            continue;
        }
        if (linea == kFin)
            return inicio == bytes.size();
        TLector lector(linea);
        const bool bien = lector.Caracter('P')   ? LeePregunta(lector, progreso)
                          : lector.Caracter('S') ? LeeSesion(lector, progreso)
                                                 : false;
        if (!bien)
            return false;
    }
    return false;  // no end line: cut short
}

// A name beside ruta that holds nothing yet, for a damaged file kept aside.
std::string NombreApartado(const std::string& ruta) {
    for (int i = 1;; ++i) {
        const std::string nombre = ruta + ".danado" + (i == 1 ? "" : std::to_string(i));
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(nombre, error)))
            return nombre;
    }
}

}  // namespace

std::string NombreProgreso(const std::string& nombreFichero) {
    return CambiaExtension(NombreDesnudo(nombreFichero), ".prg");
}

uint64_t HuellaRegistro(std::string_view registro) {
    uint64_t huella = 0xcbf29ce484222325ULL;
    for (const char c : registro) {
        huella ^= static_cast<unsigned char>(c);
        huella *= 0x100000001b3ULL;
    }
    return huella;
}

uint64_t HuellaPregunta(const TPregunta& pregunta) {
    return HuellaRegistro(EmpaquetaPregunta(pregunta));
}

std::vector<uint64_t> HuellasPreguntas(TFicherosPreguntas& ficheros) {
    const int32_t usadas = std::clamp(ficheros.NumPreguntas(), 0, kMaximoPreguntas);
    std::vector<uint64_t> huellas;
    huellas.reserve(static_cast<size_t>(usadas));
    for (int32_t n = 1; n <= usadas; ++n)
        huellas.push_back(HuellaPregunta(ficheros.LeePregunta(static_cast<uint16_t>(n))));
    return huellas;
}

void ConciliaProgreso(TProgreso& progreso, const std::vector<uint64_t>& huellas) {
    std::erase_if(progreso.Preguntas, [&](const auto& entrada) {
        const auto& [numero, resultado] = entrada;
        return numero > huellas.size() || huellas[numero - 1u] != resultado.Huella;
    });
}

int64_t DiaLocal(int64_t segundos) {
    const std::time_t t = static_cast<std::time_t>(segundos);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return segundos / 86400;
    // Days from the civil date (Howard Hinnant's algorithm).
    const int64_t y = int64_t{local.tm_year} + 1900 - (local.tm_mon < 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t anoEra = y - era * 400;
    const int64_t mes = local.tm_mon + 1;
    const int64_t diaAno = (153 * (mes + (mes > 2 ? -3 : 9)) + 2) / 5 + local.tm_mday - 1;
    const int64_t diaEra = anoEra * 365 + anoEra / 4 - anoEra / 100 + diaAno;
    return era * 146097 + diaEra - 719468;
}

std::string FechaDia(int64_t dia) {
    const std::chrono::year_month_day fecha{std::chrono::sys_days{std::chrono::days{dia}}};
    char texto[16] = "";
    std::snprintf(texto, sizeof texto, "%04d-%02u-%02u", static_cast<int>(fecha.year()),
                  static_cast<unsigned>(fecha.month()), static_cast<unsigned>(fecha.day()));
    return texto;
}

std::string FechaSesion(int64_t segundos) {
    const std::time_t t = static_cast<std::time_t>(segundos);
    std::tm local{};
    char texto[64] = "";
    if (localtime_r(&t, &local))
        std::strftime(texto, sizeof texto, "%Y-%m-%d %H:%M", &local);
    return texto;
}

std::string FechaSesionHistoria(const std::vector<TSesionProgreso>& sesiones, int64_t sesion,
                                int64_t total) {
    const int64_t primera = total - static_cast<int64_t>(sesiones.size());
    if (sesion <= primera || sesion > total)
        return "";
    return FechaSesion(sesiones[static_cast<size_t>(sesion - primera - 1)].Fecha);
}

std::vector<uint16_t> PreguntasMasFalladas(const std::map<uint16_t, TResultadoPregunta>& preguntas,
                                           size_t maximo) {
    std::vector<std::pair<uint32_t, uint16_t>> falladas;
    for (const auto& [numero, resultado] : preguntas)
        if (resultado.Fallos > 0)
            falladas.emplace_back(resultado.Fallos, numero);
    const size_t cuantas = std::min(maximo, falladas.size());
    std::partial_sort(falladas.begin(), falladas.begin() + static_cast<ptrdiff_t>(cuantas),
                      falladas.end(), [](const auto& a, const auto& b) {
                          return a.first != b.first ? a.first > b.first : a.second < b.second;
                      });
    std::vector<uint16_t> numeros;
    numeros.reserve(cuantas);
    for (size_t i = 0; i < cuantas; ++i)
        numeros.push_back(falladas[i].second);
    return numeros;
}

std::string BytesProgreso(const TProgreso& progreso) {
    std::string bytes = std::string(kCabecera) + std::to_string(kVersionProgreso) + "\n";
    bytes.reserve(bytes.size() + progreso.Preguntas.size() * 48 + progreso.Sesiones.size() * 24);
    char linea[96];
    for (const auto& [numero, resultado] : progreso.Preguntas) {
        const int n =
            std::snprintf(linea, sizeof linea, "P %u %016" PRIx64 " %u %" PRId64 " %u %u ",
                          unsigned{numero}, resultado.Huella, unsigned{resultado.Caja},
                          resultado.Vence, resultado.Fallos, resultado.Aciertos);
        bytes.append(linea, static_cast<size_t>(n));
        if (resultado.HuecosErroneos.empty())
            bytes += '-';
        for (size_t i = 0; i < resultado.HuecosErroneos.size(); ++i) {
            if (i > 0)
                bytes += ',';
            bytes += std::to_string(resultado.HuecosErroneos[i]);
        }
        bytes += '\n';
    }
    for (const TSesionProgreso& sesion : progreso.Sesiones) {
        const int n = std::snprintf(linea, sizeof linea, "S %" PRId64 " %d %d\n", sesion.Fecha,
                                    sesion.Contestadas, sesion.Acertadas);
        bytes.append(linea, static_cast<size_t>(n));
    }
    bytes += kFin;
    bytes += '\n';
    return bytes;
}

bool LeeBytesProgreso(std::string_view bytes, TProgreso& progreso) {
    progreso = {};
    if (Interpreta(bytes, progreso))
        return true;
    progreso = {};
    return false;
}

TEstadoProgreso LeeProgreso(const std::string& ruta, TProgreso& progreso) {
    progreso = {};
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(ruta, error)))
        return TEstadoProgreso::Nuevo;
    try {
        TFichero fichero;
        fichero.Abre(ruta, TFichero::TModo::Lectura);
        const int64_t tamano = fichero.Tamano();
        if (tamano > kTamanoMaximo)
            return TEstadoProgreso::Danado;
        std::string bytes(static_cast<size_t>(tamano), '\0');
        bytes.resize(fichero.LeeBloque(bytes.data(), bytes.size()));
        return LeeBytesProgreso(bytes, progreso) ? TEstadoProgreso::Leido : TEstadoProgreso::Danado;
    } catch (const IoError&) {
        return TEstadoProgreso::Danado;
    }
}

TCargaProgreso CargaProgreso(const std::string& ruta) {
    TCargaProgreso carga;
    carga.Estado = LeeProgreso(ruta, carga.Progreso);
    std::error_code error;
    // A folder in the file's place stays where it is: it is not ours to move.
    if (carga.Estado == TEstadoProgreso::Danado && std::filesystem::is_regular_file(ruta, error)) {
        const std::string apartado = NombreApartado(ruta);
        std::filesystem::rename(ruta, apartado, error);
        if (!error)
            carga.Apartado = apartado;
    }
    return carga;
}

void GuardaProgreso(const std::string& ruta, const TProgreso& progreso,
                    const TEscrituraFichero& escribe) {
    escribe(ruta, BytesProgreso(progreso));
}

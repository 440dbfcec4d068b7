#include "progress.h"

#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "binary_file.h"
#include "io_error.h"
#include "review_schedule.h"

namespace {

constexpr std::string_view kCabecera = "Tildora progreso ";
constexpr std::string_view kFin = "Fin";
// Far more than 65535 entries of 200 gaps each: anything larger is not ours.
constexpr int64_t kTamanoMaximo = 64 << 20;

// The fields of one line, split at single blanks.
std::vector<std::string_view> Campos(std::string_view linea) {
    std::vector<std::string_view> campos;
    size_t inicio = 0;
    while (true) {
        const size_t blanco = linea.find(' ', inicio);
        campos.push_back(linea.substr(inicio, blanco - inicio));
        if (blanco == std::string_view::npos)
            return campos;
        inicio = blanco + 1;
    }
}

template <typename T>
bool LeeNumero(std::string_view texto, T& valor, int base = 10) {
    const char* fin = texto.data() + texto.size();
    const auto [ptr, error] = std::from_chars(texto.data(), fin, valor, base);
    return !texto.empty() && error == std::errc() && ptr == fin;
}

bool LeeHuecos(std::string_view texto, std::vector<uint8_t>& huecos) {
    if (texto == "-")
        return true;
    size_t inicio = 0;
    while (true) {
        const size_t coma = texto.find(',', inicio);
        unsigned numero = 0;
        if (!LeeNumero(texto.substr(inicio, coma - inicio), numero) || numero < 1 || numero > 255)
            return false;
        huecos.push_back(static_cast<uint8_t>(numero));
        if (coma == std::string_view::npos)
            return true;
        inicio = coma + 1;
    }
}

bool LeePregunta(const std::vector<std::string_view>& campos, TProgreso& progreso) {
    unsigned numero = 0;
    TResultadoPregunta resultado;
    unsigned caja = 0;
    if (campos.size() != 8 || !LeeNumero(campos[1], numero) || numero < 1 || numero > 65535 ||
        campos[2].size() != 16 || !LeeNumero(campos[2], resultado.Huella, 16) ||
        !LeeNumero(campos[3], caja) || caja > kCajasRepaso ||
        !LeeNumero(campos[4], resultado.Vence) || !LeeNumero(campos[5], resultado.Fallos) ||
        !LeeNumero(campos[6], resultado.Aciertos) ||
        !LeeHuecos(campos[7], resultado.HuecosErroneos))
        return false;
    resultado.Caja = static_cast<uint8_t>(caja);
    return progreso.Preguntas.emplace(static_cast<uint16_t>(numero), std::move(resultado)).second;
}

bool LeeSesion(const std::vector<std::string_view>& campos, TProgreso& progreso) {
    TSesionProgreso sesion;
    if (campos.size() != 4 || !LeeNumero(campos[1], sesion.Fecha) ||
        !LeeNumero(campos[2], sesion.Contestadas) || !LeeNumero(campos[3], sesion.Acertadas) ||
        sesion.Contestadas < 0 || sesion.Acertadas < 0 || sesion.Acertadas > sesion.Contestadas)
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
            if (!linea.starts_with(kCabecera) ||
                !LeeNumero(linea.substr(kCabecera.size()), version) || version != kVersionProgreso)
                return false;
            cabecera = true;
            continue;
        }
        if (linea == kFin)
            return inicio == bytes.size();
        const std::vector<std::string_view> campos = Campos(linea);
        const bool bien = campos[0] == "P"   ? LeePregunta(campos, progreso)
                          : campos[0] == "S" ? LeeSesion(campos, progreso)
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

std::string FechaSesion(int64_t segundos) {
    const std::time_t t = static_cast<std::time_t>(segundos);
    std::tm local{};
    char texto[64] = "";
    if (localtime_r(&t, &local))
        std::strftime(texto, sizeof texto, "%Y-%m-%d %H:%M", &local);
    return texto;
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

TCargaProgreso CargaProgreso(const std::string& ruta) {
    TCargaProgreso carga;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(ruta, error)))
        return carga;
    std::string bytes;
    bool leido = false;
    try {
        TFichero fichero;
        fichero.Abre(ruta, TFichero::TModo::Lectura);
        const int64_t tamano = fichero.Tamano();
        if (tamano <= kTamanoMaximo) {
            bytes.resize(static_cast<size_t>(tamano));
            bytes.resize(fichero.LeeBloque(bytes.data(), bytes.size()));
            leido = true;
        }
    } catch (const IoError&) {
    }
    if (leido && LeeBytesProgreso(bytes, carga.Progreso)) {
        carga.Estado = TEstadoProgreso::Leido;
        return carga;
    }
    carga.Estado = TEstadoProgreso::Danado;
    // A folder in the file's place stays where it is: it is not ours to move.
    if (std::filesystem::is_regular_file(ruta, error)) {
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

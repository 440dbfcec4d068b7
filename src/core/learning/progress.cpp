#include "core/learning/progress.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <unordered_map>

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

// Comma-separated counts: the first ones go to cuentas, any beyond them (a later version's) are
// passed over; fewer than minimo is damage.
template <size_t N>
bool LeeCuentas(std::string_view valor, std::array<uint32_t, N>& cuentas, size_t minimo) {
    TLector lector(valor);
    size_t n = 0;
    do {
        uint32_t cuenta = 0;
        if (!lector.Numero(cuenta))
            return false;
        if (n < N)
            cuentas[n] = cuenta;
        ++n;
    } while (lector.Caracter(','));
    return lector.Terminado() && n >= minimo;
}

// Version 2's named fields after the fixed ones: "name=value", one blank before each. A name this
// version does not know is kept as it came, so that a later version's fields survive this one.
bool LeeCampos(TLector& lector, TFallosPorRegla& reglas, std::optional<TDictado>* dictado,
               int64_t* visto, std::string& ajenos) {
    while (lector.Caracter(' ')) {
        const char* inicio = lector.p;
        while (lector.p != lector.fin && *lector.p != ' ')
            ++lector.p;
        const std::string_view campo(inicio, static_cast<size_t>(lector.p - inicio));
        const size_t igual = campo.find('=');
        const std::string_view nombre = campo.substr(0, igual);
        const std::string_view valor =
            igual == std::string_view::npos ? std::string_view() : campo.substr(igual + 1);
        if (campo.empty())
            return false;
        if (nombre == "reglas") {
            if (!LeeCuentas(valor, reglas, 1))
                return false;
        } else if (nombre == "dictado" && dictado) {
            std::array<uint32_t, 4> palabras{};
            if (!LeeCuentas(valor, palabras, palabras.size()))
                return false;
            *dictado = TDictado{palabras[0], palabras[1], palabras[2], palabras[3]};
        } else if (nombre == "visto" && visto) {
            TLector numero(valor);
            if (!numero.Numero(*visto) || !numero.Terminado())
                return false;
        } else {
            ajenos += (ajenos.empty() ? "" : " ") + std::string(campo);
        }
    }
    return lector.Terminado();
}

bool LeePregunta(TLector& lector, TProgreso& progreso, int version) {
    unsigned numero = 0;
    TResultadoPregunta resultado;
    unsigned caja = 0;
    if (!lector.Campo(numero) || numero < 1 || numero > 65535 ||
        !lector.Campo(resultado.Huella, 16, 16) || !lector.Campo(caja) || caja > kCajasRepaso ||
        !lector.Campo(resultado.Vence) || !lector.Campo(resultado.Fallos) ||
        !lector.Campo(resultado.Aciertos) || !LeeHuecos(lector, resultado.HuecosErroneos))
        return false;
    resultado.Caja = static_cast<uint8_t>(caja);
    auto& preguntas = progreso.Preguntas;
    if (version == 1) {
        // Written in ascending order: each entry goes at the end, and one out of order is refused.
        if (!lector.Terminado() || (!preguntas.empty() && preguntas.rbegin()->first >= numero))
            return false;
        preguntas.emplace_hint(preguntas.end(), static_cast<uint16_t>(numero),
                               std::move(resultado));
        return true;
    }
    if (!LeeCampos(lector, resultado.FallosRegla, &resultado.Dictado, &resultado.Visto,
                   resultado.CamposAjenos))
        return false;
    // Sets of one name in two folders share the file: one number may come more than once.
    const auto [sitio, nueva] = preguntas.try_emplace(static_cast<uint16_t>(numero), resultado);
    if (!nueva)
        progreso.Ajenas.push_back({static_cast<uint16_t>(numero), std::move(resultado)});
    return true;
}

bool LeeSesion(TLector& lector, TProgreso& progreso, int version) {
    TSesionProgreso sesion;
    if (!lector.Campo(sesion.Fecha) || !lector.Campo(sesion.Contestadas) ||
        !lector.Campo(sesion.Acertadas) || sesion.Contestadas < 0 || sesion.Acertadas < 0 ||
        sesion.Acertadas > sesion.Contestadas)
        return false;
    if (version == 1
            ? !lector.Terminado()
            : !LeeCampos(lector, sesion.FallosRegla, nullptr, nullptr, sesion.CamposAjenos))
        return false;
    progreso.Sesiones.push_back(std::move(sesion));
    return true;
}

bool Interpreta(std::string_view bytes, TProgreso& progreso) {
    size_t inicio = 0;
    int version = 0;
    while (inicio < bytes.size()) {
        const size_t salto = bytes.find('\n', inicio);
        if (salto == std::string_view::npos)
            return false;  // cut inside a line
        const std::string_view linea = bytes.substr(inicio, salto - inicio);
        inicio = salto + 1;
        if (version == 0) {
            TLector lector(linea.substr(std::min(linea.size(), kCabecera.size())));
            if (!linea.starts_with(kCabecera) || !lector.Numero(version) || !lector.Terminado() ||
                version < 1 || version > kVersionProgreso)
                return false;
            continue;
        }
        if (linea == kFin)
            return inicio == bytes.size();
        TLector lector(linea);
        if (lector.Caracter('P')) {
            if (!LeePregunta(lector, progreso, version))
                return false;
        } else if (lector.Caracter('S')) {
            if (!LeeSesion(lector, progreso, version))
                return false;
        } else if (version == 1 || linea.empty()) {
            return false;
        } else {
            progreso.LineasAjenas.emplace_back(linea);
        }
    }
    return false;  // no end line: cut short
}

// The named fields of version 2, each after a blank; none when it holds nothing.
void AnadeCampos(std::string& bytes, const TFallosPorRegla& reglas,
                 const std::optional<TDictado>& dictado, int64_t visto, const std::string& ajenos) {
    if (visto != 0)
        bytes += " visto=" + std::to_string(visto);
    if (std::any_of(reglas.begin(), reglas.end(), [](uint32_t n) { return n != 0; })) {
        bytes += " reglas=";
        for (size_t i = 0; i < reglas.size(); ++i)
            bytes += (i == 0 ? "" : ",") + std::to_string(reglas[i]);
    }
    if (dictado)
        bytes += " dictado=" + std::to_string(dictado->Bien) + "," +
                 std::to_string(dictado->MalEscritas) + "," + std::to_string(dictado->Faltan) +
                 "," + std::to_string(dictado->Sobran);
    if (!ajenos.empty())
        bytes += " " + ajenos;
}

void AnadePregunta(std::string& bytes, uint16_t numero, const TResultadoPregunta& resultado) {
    char linea[96];
    const int n = std::snprintf(linea, sizeof linea, "P %u %016" PRIx64 " %u %" PRId64 " %u %u ",
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
    AnadeCampos(bytes, resultado.FallosRegla, resultado.Dictado, resultado.Visto,
                resultado.CamposAjenos);
    bytes += '\n';
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
    std::vector<TEntradaAjena> todas;
    todas.reserve(progreso.Preguntas.size() + progreso.Ajenas.size());
    for (auto& [numero, resultado] : progreso.Preguntas)
        todas.push_back({numero, std::move(resultado)});
    std::move(progreso.Ajenas.begin(), progreso.Ajenas.end(), std::back_inserter(todas));
    progreso.Preguntas.clear();
    progreso.Ajenas.clear();
    // An entry stays at its number while the record there is the same; one whose question moved
    // follows it to a number that has no past of its own yet.
    std::vector<TEntradaAjena*> sinSitio;
    for (TEntradaAjena& entrada : todas) {
        const size_t n = entrada.Numero;
        if (n > huellas.size() || huellas[n - 1] != entrada.Resultado.Huella ||
            !progreso.Preguntas.try_emplace(entrada.Numero, entrada.Resultado).second)
            sinSitio.push_back(&entrada);
    }
    std::unordered_multimap<uint64_t, uint16_t> numeros;
    if (!sinSitio.empty())
        for (size_t i = 0; i < huellas.size(); ++i)
            numeros.emplace(huellas[i], static_cast<uint16_t>(i + 1));
    for (TEntradaAjena* entrada : sinSitio) {
        bool colocada = false;
        const auto [desde, hasta] = numeros.equal_range(entrada->Resultado.Huella);
        for (auto sitio = desde; sitio != hasta && !colocada; ++sitio)
            colocada = progreso.Preguntas.try_emplace(sitio->second, entrada->Resultado).second;
        if (!colocada)
            progreso.Ajenas.push_back(std::move(*entrada));
    }
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
    bytes.reserve(bytes.size() + (progreso.Preguntas.size() + progreso.Ajenas.size()) * 48 +
                  progreso.Sesiones.size() * 24);
    // By number, and one number's entries by fingerprint; each pair of them once.
    std::vector<std::pair<uint16_t, const TResultadoPregunta*>> entradas;
    entradas.reserve(progreso.Preguntas.size() + progreso.Ajenas.size());
    for (const auto& [numero, resultado] : progreso.Preguntas)
        entradas.emplace_back(numero, &resultado);
    for (const TEntradaAjena& entrada : progreso.Ajenas)
        entradas.emplace_back(entrada.Numero, &entrada.Resultado);
    std::stable_sort(entradas.begin(), entradas.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second->Huella < b.second->Huella;
    });
    for (size_t i = 0; i < entradas.size(); ++i)
        if (i == 0 || entradas[i].first != entradas[i - 1].first ||
            entradas[i].second->Huella != entradas[i - 1].second->Huella)
            AnadePregunta(bytes, entradas[i].first, *entradas[i].second);
    char linea[96];
    for (const TSesionProgreso& sesion : progreso.Sesiones) {
        const int n = std::snprintf(linea, sizeof linea, "S %" PRId64 " %d %d", sesion.Fecha,
                                    sesion.Contestadas, sesion.Acertadas);
        bytes.append(linea, static_cast<size_t>(n));
        AnadeCampos(bytes, sesion.FallosRegla, std::nullopt, 0, sesion.CamposAjenos);
        bytes += '\n';
    }
    for (const std::string& ajena : progreso.LineasAjenas)
        bytes += ajena + "\n";
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

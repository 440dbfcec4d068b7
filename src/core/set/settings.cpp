#include "core/set/settings.h"

#include <algorithm>

#include "core/base/binary_file.h"
#include "core/set/checksum.h"

namespace {

constexpr int kTemasPorDefecto = 100;
constexpr const char* kConsejo = "Se aconseja configurar el programa y guardar la configuración.";

void ColocaBytes(TConfiguracion& configuracion, const unsigned char* bytes, size_t n) {
    if (n == 0)
        return;
    configuracion.Cabecera = bytes[0];
    std::copy(bytes + 1, bytes + n, configuracion.TemasMarcados.begin());
}

// Returns the notice of the first check that fails, after applying the defaults.
std::optional<TAviso> CargaConfiguracion(const std::string& ruta, const std::string& nombreFichero,
                                         TConfiguracion& Configuracion) {
    if (!ExisteFichero(ruta)) {
        ConfiguracionDefecto(Configuracion);
        return std::nullopt;
    }
    TCheckSum comprobacion;
    comprobacion.Abre(ruta);
    std::optional<TAviso> aviso;
    if (!comprobacion.TieneCheckSum()) {
        aviso = TAviso{"Fichero de configuración sin CheckSum:", NombreDesnudo(ruta), kConsejo};
    } else if (comprobacion.CheckSumGuardado() != comprobacion.CheckSumCalculado()) {
        aviso = TAviso{"Fichero de configuración con CheckSum erróneo:",
                       "\"" + CambiaExtension(NombreDesnudo(nombreFichero), "") + "\"", kConsejo};
    }
    comprobacion.Cierra();
    if (aviso) {
        ConfiguracionDefecto(Configuracion);
        return aviso;
    }

    unsigned char bytes[kTamanoConfiguracion];
    TFichero fichero;
    fichero.Abre(ruta, TFichero::TModo::Lectura);
    const size_t leidos = fichero.LeeBloque(bytes, kTamanoConfiguracion);
    fichero.Cierra();
    // The defaults go over what was read, so bytes beyond the default flags stay.
    ColocaBytes(Configuracion, bytes, leidos);
    if (leidos < kTamanoConfiguracion) {
        ConfiguracionDefecto(Configuracion);
        return TAviso{"Error en el fichero con la configuración."};
    }
    return std::nullopt;
}

}  // namespace

std::string NombreConfiguracion(const std::string& nombreFichero) {
    return CambiaExtension(NombreDesnudo(nombreFichero), ".cfg");
}

std::string NombreHistoria(const std::string& nombreFichero) {
    return CambiaExtension(NombreDesnudo(nombreFichero), ".his");
}

void ConfiguracionDefecto(TConfiguracion& configuracion) {
    configuracion.Cabecera = 50;
    configuracion.TemasMarcados[0] = 0;
    std::fill_n(configuracion.TemasMarcados.begin() + 1, kTemasPorDefecto, uint8_t{1});
}

std::string BytesConfiguracion(const TConfiguracion& configuracion) {
    std::string bytes(1, static_cast<char>(configuracion.Cabecera));
    bytes.append(configuracion.TemasMarcados.begin(), configuracion.TemasMarcados.end());
    return bytes;
}

std::optional<TAviso> RestauraConfiguracion(const std::string& ruta,
                                            const std::string& carpetaDatos,
                                            const std::string& nombreFichero,
                                            TConfiguracion& Configuracion, TLista& ListaTemas) {
    if (!carpetaDatos.empty() && !ExisteCarpeta(carpetaDatos))
        CreaCarpeta(carpetaDatos);
    std::optional<TAviso> aviso = CargaConfiguracion(ruta, nombreFichero, Configuracion);
    for (int32_t i = 1; i <= ListaTemas.Cuenta(); ++i) {
        if (Configuracion.TemasMarcados[static_cast<size_t>(i)] != 0) {
            ListaTemas.Marca(i);
        } else {
            ListaTemas.Desmarca(i);
        }
    }
    return aviso;
}

void AplicaSeleccion(const std::vector<bool>& marcas, TLista& ListaTemas,
                     TConfiguracion& Configuracion) {
    const size_t n = std::min(marcas.size(), Configuracion.TemasMarcados.size() - 1);
    for (size_t i = 1; i <= n; ++i) {
        const bool marcado = marcas[i - 1];
        if (marcado) {
            ListaTemas.Marca(static_cast<int32_t>(i));
        } else {
            ListaTemas.Desmarca(static_cast<int32_t>(i));
        }
        Configuracion.TemasMarcados[i] = marcado ? 1 : 0;
    }
}

uint8_t PuntuacionHistoria(int32_t Acertadas, int32_t Contestadas) {
    if (Contestadas == 0)
        return 0;
    const int64_t puntuacion = int64_t{Acertadas} * 254 / Contestadas;
    return static_cast<uint8_t>(puntuacion & 0xFF);
}

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/base/notice.h"
#include "core/set/topic_list.h"

// The first 222 bytes of a settings file: a header byte and one flag byte per topic.
struct TConfiguracion {
    uint8_t Cabecera = 0;
    std::array<uint8_t, 221> TemasMarcados{};  // [0] belongs to no topic
};
inline constexpr size_t kTamanoConfiguracion = 222;

void ConfiguracionDefecto(TConfiguracion& configuracion);
// The settings file's name in the program data folder: the question file's bare name with
// the extension ".cfg".
std::string NombreConfiguracion(const std::string& nombreFichero);
// The history file's name in the program data folder, with the extension ".his".
std::string NombreHistoria(const std::string& nombreFichero);
std::string BytesConfiguracion(const TConfiguracion& configuracion);

// Loads the settings file at ruta (or the defaults) and applies its flags to the list.
// carpetaDatos is created when missing; nombreFichero is the open question file, named by
// the wrong-sum notice. Returns the notice to show, if any.
std::optional<TAviso> RestauraConfiguracion(const std::string& ruta,
                                            const std::string& carpetaDatos,
                                            const std::string& nombreFichero,
                                            TConfiguracion& Configuracion, TLista& ListaTemas);

// The topic dialog's OK: every tick to the list and to TemasMarcados[1..n], in memory.
void AplicaSeleccion(const std::vector<bool>& marcas, TLista& ListaTemas,
                     TConfiguracion& Configuracion);

// The history byte of a session: (Acertadas * 254) div Contestadas; Contestadas must not be 0.
uint8_t PuntuacionHistoria(int32_t Acertadas, int32_t Contestadas);

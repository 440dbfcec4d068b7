#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Sound files through libsndfile: WAV, Ogg Vorbis and, where the installed libsndfile has it,
// MP3.

enum class TFormatoSonido { Wav, Ogg, Mp3 };

// The format a file name's extension asks for (case ignored), or none.
std::optional<TFormatoSonido> FormatoDeNombre(std::string_view nombre);
const char* ExtensionSonido(TFormatoSonido formato);  // "wav", "ogg", "mp3"
// Whether the installed libsndfile can write the format.
bool FormatoDisponible(TFormatoSonido formato);
// MP3 where it can be written, for players that take no Ogg; else WAV.
TFormatoSonido FormatoParaNavegadores();

// A file's bytes of 16-bit mono samples; std::runtime_error when libsndfile refuses.
std::string CodificaSonido(const std::vector<int16_t>& muestras, int muestrasPorSegundo,
                           TFormatoSonido formato);

// The name of question n's sound file beside the others of its set: "tema1-007.ogg".
std::string NombreSonidoPregunta(const std::string& conjunto, int numero, TFormatoSonido formato);

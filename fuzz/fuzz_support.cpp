#include "fuzz_support.h"

#include "core/base/atomic_write.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "core/set/question_files.h"
#include "core/set/writer.h"

namespace fs = std::filesystem;

namespace {

std::string CarpetaDeTrabajo() {
    const char* shm = "/dev/shm";
    std::string plantilla =
        (fs::is_directory(shm) ? std::string(shm) : fs::temp_directory_path().string()) +
        "/tildora-fuzz-XXXXXX";
    if (!mkdtemp(plantilla.data()))
        std::abort();
    return plantilla;
}

}  // namespace

TFicheroFuzz::TFicheroFuzz(const std::string& nombre)
    : carpeta_(CarpetaDeTrabajo()), ruta_(carpeta_ + "/" + nombre) {}

TFicheroFuzz::~TFicheroFuzz() {
    std::error_code error;
    fs::remove_all(carpeta_, error);
}

void TFicheroFuzz::Escribe(const uint8_t* datos, size_t n) const {
    EscribeFichero(ruta_, std::string_view(reinterpret_cast<const char*>(datos), n));
}

void TFicheroFuzz::Escribe(const std::string& bytes) const {
    EscribeFichero(ruta_, bytes);
}

uint8_t EscribeConjuntoFuzz(const uint8_t* datos, size_t n, const TFicheroFuzz& preguntas) {
    FuzzedDataProvider entrada(datos, n);
    const uint8_t banderas = entrada.ConsumeIntegral<uint8_t>();
    std::string indice = entrada.ConsumeRandomLengthString(1 << 19);
    std::string registros = entrada.ConsumeRemainingBytesAsString();
    if (banderas & 1)
        AplicaClave(reinterpret_cast<unsigned char*>(registros.data()), kClave, registros.size());
    if (banderas & 2) {
        registros = ConCheckSum(std::move(registros));
        indice = ConCheckSum(std::move(indice));
    }
    preguntas.Escribe(registros);
    EscribeFichero(NombreIndice(preguntas.Ruta()), indice);
    return banderas;
}

#include "core/set/question_files.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "core/set/checksum.h"
#include "core/set/pair_journal.h"

namespace {

// Bytes before the trailer, or the whole file when it has none.
int64_t BytesAntesDeCola(TFichero& fichero, int64_t tamano) {
    if (tamano < kLongitudCola)
        return tamano;
    unsigned char cola[kLongitudCola];
    fichero.Posiciona(tamano - kLongitudCola);
    if (fichero.LeeBloque(cola, kLongitudCola) < kLongitudCola)
        return tamano;
    const bool conCola = std::equal(kMagiaCheckSum.begin(), kMagiaCheckSum.end(), cola);
    return conCola ? tamano - kLongitudCola : tamano;
}

}  // namespace

void AplicaClave(unsigned char* buffer, std::string_view clave, size_t n) {
    if (clave.empty())
        return;
    size_t j = 0;
    for (size_t i = 0; i < n; ++i) {
        buffer[i] ^= static_cast<unsigned char>(clave[j]);
        if (++j == clave.size())
            j = 0;
    }
}

bool CaracterLegible(unsigned char b) {
    return b == 0x00 || b == ' ' || b == ',' || b == '.' || (b >= '0' && b <= '9') ||
           (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

int32_t CuentaPreguntas(int64_t tamanoIndice) {
    const int64_t n = (tamanoIndice - kLongitudCola) / 4;
    return static_cast<int32_t>(std::clamp<int64_t>(n, INT32_MIN, INT32_MAX));
}

std::string NombreIndice(const std::string& nombre) {
    const std::string minusculas = CambiaExtension(nombre, ".ind");
    if (ExisteFichero(minusculas))
        return minusculas;
    // Sets copied from Windows: TEMA1.PREG with TEMA1.IND, or with any other case.
    const std::string desnudo = NombreDesnudo(nombre);
    const std::string suya = desnudo.substr(NombreSinExtension(nombre).size());
    std::string extension = ".ind";
    for (size_t i = 1; i < extension.size() && i < suya.size(); ++i)
        if (std::isupper(static_cast<unsigned char>(suya[i])))
            extension[i] =
                static_cast<char>(std::toupper(static_cast<unsigned char>(extension[i])));
    if (const std::string enSuCaso = CambiaExtension(nombre, extension); ExisteFichero(enSuCaso))
        return enSuCaso;
    const std::string carpeta = nombre.substr(0, nombre.size() - desnudo.size());
    const std::string base = NombreSinExtension(nombre);
    std::vector<std::string> candidatos;
    std::error_code error;
    for (const auto& entrada :
         std::filesystem::directory_iterator(carpeta.empty() ? "." : carpeta, error)) {
        const std::string otro = entrada.path().filename().string();
        if (NombreSinExtension(otro) == base && otro.size() == base.size() + 4 &&
            std::equal(
                otro.begin() + static_cast<std::ptrdiff_t>(base.size()), otro.end(), ".ind",
                [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }) &&
            ExisteFichero(carpeta + otro))
            candidatos.push_back(otro);
    }
    if (candidatos.empty())
        return minusculas;
    // The same choice on every run, whatever order the folder lists its files in.
    return carpeta + *std::min_element(candidatos.begin(), candidatos.end());
}

bool CompruebaClave(const std::string& nombre, std::string_view clave, TAviso* aviso) {
    TFichero indice;
    indice.Abre(NombreIndice(nombre), TFichero::TModo::Lectura);
    const int64_t tamanoIndice = indice.Tamano();
    unsigned char entrada[4] = {};
    int64_t segunda = -1;
    if (CuentaPreguntas(tamanoIndice) >= 2) {
        indice.Posiciona(4);
        if (indice.LeeBloque(entrada, 4) == 4)
            segunda = LeeEntero32(entrada);
    }
    indice.Cierra();

    TFichero preguntas;
    preguntas.Abre(nombre, TFichero::TModo::Lectura);
    const int64_t disponibles = BytesAntesDeCola(preguntas, preguntas.Tamano());
    // Record 1 without its final NUL; a set of one question runs to the trailer.
    int64_t longitud = (segunda >= 0 ? segunda : disponibles) - 1;
    longitud = std::clamp<int64_t>(longitud, 0, std::min<int64_t>(kLongitudRegistro, disponibles));
    std::array<unsigned char, kLongitudRegistro> buffer{};
    if (longitud > 0) {
        preguntas.Posiciona(0);
        preguntas.LeeBloque(buffer.data(), static_cast<size_t>(longitud));
    }
    preguntas.Cierra();

    AplicaClave(buffer.data(), clave, static_cast<size_t>(longitud));
    const auto legibles = std::count_if(buffer.begin(), buffer.begin() + longitud, CaracterLegible);
    const bool correcta = longitud > 0 && legibles * 100 / longitud > 80;
    if (!correcta && aviso)
        *aviso = {"Fichero con clave desconocida:", NombreDesnudo(nombre)};
    return correcta;
}

bool CompruebaFicheros(const std::string& nombre, std::string_view clave, TAviso* aviso) {
    // Whoever meets a set first puts back the pair that an interrupted save left half written.
    CompletaEscrituraPendiente(nombre);
    return CompruebaCheckSum(nombre, aviso) && CompruebaCheckSum(NombreIndice(nombre), aviso) &&
           CompruebaClave(nombre, clave, aviso);
}

TPregunta DesempaquetaPregunta(const unsigned char* registro, size_t longitud) {
    TPregunta pregunta;
    if (longitud > 0)
        pregunta.Modo = registro[0];
    if (longitud > 1)
        pregunta.AnchoMinimo = registro[1];
    const auto* fin = registro + longitud;
    // The NUL that ends a field, or the end of the bytes.
    const auto finCampo = [fin](const unsigned char* desde) {
        const void* nul = std::memchr(desde, 0, static_cast<size_t>(fin - desde));
        return nul ? static_cast<const unsigned char*>(nul) : fin;
    };
    const auto* tema = registro + std::min<size_t>(2, longitud);
    const auto* finTema = finCampo(tema);
    pregunta.Tema.assign(reinterpret_cast<const char*>(tema), finTema - tema);
    if (finTema != fin) {
        const auto* texto = finTema + 1;
        const auto* finTexto = finCampo(texto);
        pregunta.Texto.assign(reinterpret_cast<const char*>(texto), finTexto - texto);
    }
    return pregunta;
}

TFicherosPreguntas::TFicherosPreguntas(std::string_view clave) {
    AplicaClave(flujoClave_.data(), clave, flujoClave_.size());
}

void TFicherosPreguntas::Abre(const std::string& nombre) {
    Cierra();
    ventana_.resize(kVentana);
    FicheroPreguntas.Abre(nombre, TFichero::TModo::Lectura);
    FicheroIndice.Abre(NombreIndice(nombre), TFichero::TModo::Lectura);
    numPreguntas_ = CuentaPreguntas(FicheroIndice.Tamano());
    finRegistros_ = BytesAntesDeCola(FicheroPreguntas, FicheroPreguntas.Tamano());

    const int32_t usadas = std::clamp(numPreguntas_, 0, kMaximoPreguntas);
    std::vector<unsigned char> bytes(static_cast<size_t>(usadas) * 4);
    FicheroIndice.Posiciona(0);
    const size_t leidos = bytes.empty() ? 0 : FicheroIndice.LeeBloque(bytes.data(), bytes.size());
    entradas_.assign(leidos / 4, 0);
    for (size_t i = 0; i < entradas_.size(); ++i)
        entradas_[i] = LeeEntero32(&bytes[i * 4]);
}

void TFicherosPreguntas::Cierra() {
    entradas_.clear();
    ultima_.reset();
    inicioVentana_ = 0;
    bytesVentana_ = 0;
    numPreguntas_ = 0;
    finRegistros_ = 0;
    if (FicheroPreguntas.Abierto())
        FicheroPreguntas.Cierra();
    if (FicheroIndice.Abierto())
        FicheroIndice.Cierra();
}

TPregunta TFicherosPreguntas::LeePregunta(uint16_t n) {
    const size_t entrada = static_cast<uint16_t>(n - 1);
    if (entrada >= entradas_.size())
        return {};
    const int64_t posicion = entradas_[entrada];
    if (posicion >= finRegistros_)
        return {};
    // Entries that repeat one position, however many, read and unscramble its record once.
    if (ultima_ && ultima_->Posicion == posicion)
        return ultima_->Pregunta;
    const size_t disponibles =
        static_cast<size_t>(std::min<int64_t>(kLongitudRegistro, finRegistros_ - posicion));

    // Most records are short: take a first piece and the rest only when both NULs are not in it.
    constexpr size_t kPrimeraLectura = 1024;
    size_t leidos = CopiaRegistro(posicion, 0, std::min(kPrimeraLectura, disponibles));
    const unsigned char* inicio = BufferPregunta.data() + std::min<size_t>(2, leidos);
    const unsigned char* fin = BufferPregunta.data() + leidos;
    if (leidos < disponibles && std::count(inicio, fin, 0) < 2)
        leidos += CopiaRegistro(posicion, leidos, disponibles - leidos);
    ultima_ = {posicion, DesempaquetaPregunta(BufferPregunta.data(), leidos)};
    return ultima_->Pregunta;
}

int64_t TFicherosPreguntas::PosicionRegistro(uint16_t n) const {
    const size_t entrada = static_cast<uint16_t>(n - 1);
    if (entrada >= entradas_.size() || entradas_[entrada] >= finRegistros_)
        return -1;
    return entradas_[entrada];
}

size_t TFicherosPreguntas::CopiaRegistro(int64_t posicion, size_t desde, size_t n) {
    const int64_t inicio = posicion + static_cast<int64_t>(desde);
    const int64_t finVentana = inicioVentana_ + static_cast<int64_t>(bytesVentana_);
    if (inicio < inicioVentana_ || inicio + static_cast<int64_t>(n) > finVentana) {
        FicheroPreguntas.Posiciona(inicio);
        const auto pedidos = std::min<int64_t>(kVentana, finRegistros_ - inicio);
        bytesVentana_ = FicheroPreguntas.LeeBloque(ventana_.data(), static_cast<size_t>(pedidos));
        inicioVentana_ = inicio;
    }
    const auto desplazamiento = static_cast<size_t>(inicio - inicioVentana_);
    const size_t copiados = std::min(n, bytesVentana_ - std::min(bytesVentana_, desplazamiento));
    // The key starts again at the record's first byte. Eight bytes at a time: opening a set
    // spends most of its time here.
    const unsigned char* origen = ventana_.data() + desplazamiento;
    unsigned char* destino = BufferPregunta.data() + desde;
    const unsigned char* clave = flujoClave_.data() + desde;
    size_t k = 0;
    for (; k + 8 <= copiados; k += 8) {
        uint64_t dato, mascara;
        std::memcpy(&dato, origen + k, 8);
        std::memcpy(&mascara, clave + k, 8);
        dato ^= mascara;
        std::memcpy(destino + k, &dato, 8);
    }
    for (; k < copiados; ++k)
        destino[k] = origen[k] ^ clave[k];
    return copiados;
}

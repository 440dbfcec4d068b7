#include "core/speech/sound_file.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "core/base/binary_file.h"
#include "core/base/folding.h"

namespace {

int FormatoLibreria(TFormatoSonido formato) {
    switch (formato) {
        case TFormatoSonido::Wav:
            return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        case TFormatoSonido::Ogg:
            return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
        case TFormatoSonido::Mp3:
#ifdef SF_FORMAT_MPEG
            return SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
#else
            return 0;
#endif
    }
    return 0;
}

// libsndfile writes into memory, so that the caller writes the file whole or not at all.
struct TMemoria {
    std::string Bytes;
    sf_count_t Posicion = 0;
};

sf_count_t Longitud(void* datos) {
    return static_cast<sf_count_t>(static_cast<TMemoria*>(datos)->Bytes.size());
}
sf_count_t Busca(sf_count_t desplazamiento, int desde, void* datos) {
    auto* m = static_cast<TMemoria*>(datos);
    const sf_count_t base = desde == SEEK_SET   ? 0
                            : desde == SEEK_CUR ? m->Posicion
                                                : static_cast<sf_count_t>(m->Bytes.size());
    m->Posicion = std::max<sf_count_t>(0, base + desplazamiento);
    return m->Posicion;
}
sf_count_t Lee(void* destino, sf_count_t cuantos, void* datos) {
    auto* m = static_cast<TMemoria*>(datos);
    const sf_count_t hay = std::max<sf_count_t>(
        0, std::min<sf_count_t>(cuantos, static_cast<sf_count_t>(m->Bytes.size()) - m->Posicion));
    if (hay > 0)
        std::memcpy(destino, m->Bytes.data() + m->Posicion, static_cast<size_t>(hay));
    m->Posicion += hay;
    return hay;
}
sf_count_t Escribe(const void* origen, sf_count_t cuantos, void* datos) {
    auto* m = static_cast<TMemoria*>(datos);
    const size_t fin = static_cast<size_t>(m->Posicion + cuantos);
    if (m->Bytes.size() < fin)
        m->Bytes.resize(fin);
    std::memcpy(m->Bytes.data() + m->Posicion, origen, static_cast<size_t>(cuantos));
    m->Posicion += cuantos;
    return cuantos;
}
sf_count_t Dice(void* datos) {
    return static_cast<TMemoria*>(datos)->Posicion;
}

}  // namespace

std::optional<TFormatoSonido> FormatoDeNombre(std::string_view nombre) {
    const size_t punto = nombre.rfind('.');
    if (punto == std::string_view::npos)
        return std::nullopt;
    const std::string extension = Mayusculas(nombre.substr(punto + 1));
    for (TFormatoSonido f : {TFormatoSonido::Wav, TFormatoSonido::Ogg, TFormatoSonido::Mp3})
        if (extension == Mayusculas(ExtensionSonido(f)))
            return f;
    return std::nullopt;
}

const char* ExtensionSonido(TFormatoSonido formato) {
    return formato == TFormatoSonido::Wav ? "wav" : formato == TFormatoSonido::Ogg ? "ogg" : "mp3";
}

bool FormatoDisponible(TFormatoSonido formato) {
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = FormatoLibreria(formato);
    return info.format != 0 && sf_format_check(&info);
}

TFormatoSonido FormatoParaNavegadores() {
    return FormatoDisponible(TFormatoSonido::Mp3) ? TFormatoSonido::Mp3 : TFormatoSonido::Wav;
}

std::string CodificaSonido(const std::vector<int16_t>& muestras, int muestrasPorSegundo,
                           TFormatoSonido formato) {
    if (!FormatoDisponible(formato))
        throw std::runtime_error(std::string("this libsndfile cannot write ") +
                                 ExtensionSonido(formato) + " files");
    SF_VIRTUAL_IO io{Longitud, Busca, Lee, Escribe, Dice};
    TMemoria memoria;
    SF_INFO info{};
    info.samplerate = muestrasPorSegundo;
    info.channels = 1;
    info.format = FormatoLibreria(formato);
    SNDFILE* fichero = sf_open_virtual(&io, SFM_WRITE, &info, &memoria);
    if (!fichero)
        throw std::runtime_error(std::string("libsndfile: ") + sf_strerror(nullptr));
    const sf_count_t escritas =
        sf_write_short(fichero, muestras.data(), static_cast<sf_count_t>(muestras.size()));
    const std::string error = sf_strerror(fichero);
    sf_close(fichero);
    if (escritas != static_cast<sf_count_t>(muestras.size()))
        throw std::runtime_error("libsndfile: " + error);
    return std::move(memoria.Bytes);
}

std::string NombreSonidoPregunta(const std::string& conjunto, int numero, TFormatoSonido formato) {
    std::string cifras = std::to_string(numero);
    if (cifras.size() < 3)
        cifras.insert(0, 3 - cifras.size(), '0');
    return NombreSinExtension(conjunto) + "-" + cifras + "." + ExtensionSonido(formato);
}

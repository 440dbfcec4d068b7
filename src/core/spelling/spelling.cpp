#include "core/spelling/spelling.h"

#include <hunspell.hxx>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "core/base/win1252.h"

namespace {

std::vector<std::string> Separa(const std::string& lista) {
    std::vector<std::string> partes;
    size_t inicio = 0;
    while (inicio <= lista.size()) {
        const size_t fin = std::min(lista.find(':', inicio), lista.size());
        if (fin > inicio)
            partes.push_back(lista.substr(inicio, fin - inicio));
        inicio = fin + 1;
    }
    return partes;
}

std::string Variable(const char* nombre) {
    const char* valor = std::getenv(nombre);
    return valor ? valor : "";
}

std::string FicheroPalabras(const std::string& carpeta, TIdioma idioma) {
    return carpeta +
           Elige<const char*>(idioma, "/my-words-castellano.txt", "/my-words-valenciano.txt");
}

}  // namespace

std::vector<std::string> CarpetasDiccionarios() {
    if (std::getenv("DICPATH"))
        return Separa(Variable("DICPATH"));
    std::vector<std::string> carpetas;
    std::string datos = Variable("XDG_DATA_DIRS");
    if (datos.empty())
        datos = "/usr/local/share:/usr/share";
    for (const std::string& carpeta : Separa(datos))
        carpetas.push_back(carpeta + "/hunspell");
    return carpetas;
}

const char* NombreDiccionario(TIdioma idioma) {
    return Elige<const char*>(idioma, "es_ES", "ca_ES-valencia");
}

const char* PaqueteDiccionario(TIdioma idioma) {
    return Elige<const char*>(idioma, "hunspell-es", "hunspell-ca");
}

struct TOrtografia::TDiccionario {
    std::once_flag Carga;
    std::atomic<bool> Listo = false;
    std::unique_ptr<Hunspell> Hunspell_;
    std::mutex Uso;  // Hunspell is not safe for two threads at once
};

struct TOrtografia::TCarga {
    std::thread Hilo;
    ~TCarga() {
        if (Hilo.joinable())
            Hilo.join();
    }
};

TOrtografia::TOrtografia(std::vector<std::string> carpetasDiccionarios, std::string carpetaPalabras)
    : carpetas_(std::move(carpetasDiccionarios)), carpetaPalabras_(std::move(carpetaPalabras)) {
    for (auto& diccionario : diccionarios_)
        diccionario = std::make_unique<TDiccionario>();
}

TOrtografia::~TOrtografia() = default;

void TOrtografia::CargaEnSegundoPlano(std::function<void()> alTerminar) {
    if (carga_)
        return;
    carga_ = std::make_unique<TCarga>();
    carga_->Hilo = std::thread([this, alTerminar = std::move(alTerminar)] {
        Cargada(TIdioma::Castellano);
        Cargada(TIdioma::Valenciano);
        if (alTerminar)
            alTerminar();
    });
}

TOrtografia::TDiccionario& TOrtografia::Diccionario(TIdioma idioma) {
    return *diccionarios_[idioma == TIdioma::Castellano ? 0 : 1];
}

bool TOrtografia::Cargado(TIdioma idioma) const {
    return diccionarios_[idioma == TIdioma::Castellano ? 0 : 1]->Listo;
}

TOrtografia::TDiccionario& TOrtografia::Cargada(TIdioma idioma) {
    TDiccionario& diccionario = Diccionario(idioma);
    std::call_once(diccionario.Carga, [&] {
        const std::string nombre = NombreDiccionario(idioma);
        for (const std::string& carpeta : carpetas_) {
            const std::string base = carpeta + "/" + nombre;
            std::error_code error;
            if (std::filesystem::is_regular_file(base + ".aff", error) &&
                std::filesystem::is_regular_file(base + ".dic", error)) {
                diccionario.Hunspell_ =
                    std::make_unique<Hunspell>((base + ".aff").c_str(), (base + ".dic").c_str());
                break;
            }
        }
        if (diccionario.Hunspell_ && !carpetaPalabras_.empty()) {
            std::ifstream propias(FicheroPalabras(carpetaPalabras_, idioma));
            for (std::string linea; std::getline(propias, linea);)
                if (!linea.empty())
                    diccionario.Hunspell_->add(linea);
        }
        diccionario.Listo = true;
    });
    return diccionario;
}

bool TOrtografia::Disponible(TIdioma idioma) {
    return Cargada(idioma).Hunspell_ != nullptr;
}

bool TOrtografia::Conoce(TIdioma idioma, std::string_view palabra) {
    TDiccionario& diccionario = Cargada(idioma);
    if (!diccionario.Hunspell_)
        return true;
    const std::lock_guard cerrojo(diccionario.Uso);
    return diccionario.Hunspell_->spell(Utf8DeWindows1252(palabra));
}

std::vector<std::string> TOrtografia::Sugiere(TIdioma idioma, std::string_view palabra,
                                              size_t cuantas) {
    TDiccionario& diccionario = Cargada(idioma);
    std::vector<std::string> sugerencias;
    if (!diccionario.Hunspell_ || cuantas == 0)
        return sugerencias;
    std::vector<std::string> utf8;
    {
        const std::lock_guard cerrojo(diccionario.Uso);
        utf8 = diccionario.Hunspell_->suggest(Utf8DeWindows1252(palabra));
    }
    for (const std::string& sugerencia : utf8) {
        if (sugerencias.size() == cuantas)
            break;
        // A suggestion the question files cannot hold is of no use to the teacher.
        if (auto bytes = Windows1252DeUtf8(sugerencia))
            sugerencias.push_back(std::move(*bytes));
    }
    return sugerencias;
}

void TOrtografia::AnadePalabra(TIdioma idioma, std::string_view palabra) {
    const std::string utf8 = Utf8DeWindows1252(palabra);
    TDiccionario& diccionario = Cargada(idioma);
    if (diccionario.Hunspell_) {
        const std::lock_guard cerrojo(diccionario.Uso);
        diccionario.Hunspell_->add(utf8);
    }
    if (carpetaPalabras_.empty())
        return;
    std::error_code error;
    std::filesystem::create_directories(carpetaPalabras_, error);
    std::ofstream(FicheroPalabras(carpetaPalabras_, idioma), std::ios::app) << utf8 << "\n";
}

TIdioma TOrtografia::IdiomaDe(std::string_view texto, TIdioma empate) {
    // A missing dictionary knows every word: no guess without both.
    if (!Disponible(TIdioma::Castellano) || !Disponible(TIdioma::Valenciano))
        return empate;
    int castellano = 0, valenciano = 0;
    for (const TTramo& tramo : Palabras(texto)) {
        const std::string_view palabra = texto.substr(tramo.Inicio, tramo.Longitud);
        castellano += Conoce(TIdioma::Castellano, palabra);
        valenciano += Conoce(TIdioma::Valenciano, palabra);
    }
    return castellano == valenciano  ? empate
           : castellano > valenciano ? TIdioma::Castellano
                                     : TIdioma::Valenciano;
}

// The unknown words of a text without gap marks.
std::vector<TPalabraDesconocida> TOrtografia::DesconocidasSinMarcas(TIdioma idioma,
                                                                    std::string_view texto) {
    std::vector<TPalabraDesconocida> desconocidas;
    for (const TTramo& tramo : Palabras(texto)) {
        const std::string palabra(texto.substr(tramo.Inicio, tramo.Longitud));
        if (palabra.size() >= 2 && !Conoce(idioma, palabra))
            desconocidas.push_back({tramo, palabra, {}});
    }
    return desconocidas;
}

std::vector<TPalabraDesconocida> TOrtografia::Desconocidas(TIdioma idioma, std::string_view texto,
                                                           size_t sugerencias) {
    std::vector<size_t> origen;
    const std::string limpio = QuitaMarcas(texto, nullptr, &origen);
    std::vector<TPalabraDesconocida> desconocidas = DesconocidasSinMarcas(idioma, limpio);
    for (TPalabraDesconocida& d : desconocidas) {
        const size_t inicio = origen[d.Tramo.Inicio];
        d.Tramo = {inicio, origen[d.Tramo.Fin() - 1] + 1 - inicio};
        d.Sugerencias = Sugiere(idioma, d.Palabra, sugerencias);
    }
    return desconocidas;
}

std::vector<TPalabraDesconocida> TOrtografia::RespuestasDesconocidas(TIdioma idioma,
                                                                     std::string_view texto,
                                                                     size_t sugerencias) {
    std::vector<TTramo> huecos;
    const std::string limpio = QuitaMarcas(texto, &huecos);
    std::vector<TPalabraDesconocida> desconocidas = DesconocidasSinMarcas(idioma, limpio);
    std::erase_if(desconocidas, [&huecos](const TPalabraDesconocida& d) {
        return std::none_of(huecos.begin(), huecos.end(), [&d](const TTramo& h) {
            // A gap left empty belongs to the word it stands in or before.
            return h.Longitud == 0 ? d.Tramo.Inicio <= h.Inicio && h.Inicio <= d.Tramo.Fin()
                                   : h.Inicio < d.Tramo.Fin() && d.Tramo.Inicio < h.Fin();
        });
    });
    for (TPalabraDesconocida& d : desconocidas)
        d.Sugerencias = Sugiere(idioma, d.Palabra, sugerencias);
    return desconocidas;
}

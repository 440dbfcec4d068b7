#include "speech_commands.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "commands.h"
#include "core/authoring/words.h"
#include "core/base/win1252.h"
#include "core/speech/sound_file.h"
#include "core/speech/speech.h"
#include "temp_folder.h"

namespace {

struct TResultado {
    int Estado = -1;
    std::string Salida;
    std::string Errores;
};

struct TSonidoLeido {
    int Canales = 0;
    int MuestrasPorSegundo = 0;
    int64_t Muestras = 0;
};

// espeak-ng's sound of one text varies by a few milliseconds from one run to the next.
void EsperaDuracion(int64_t leidas, int64_t esperadas) {
    EXPECT_NEAR(static_cast<double>(leidas), static_cast<double>(esperadas), 22050 * 0.05);
}

TSonidoLeido LeeSonido(const std::string& ruta) {
    SF_INFO info{};
    SNDFILE* fichero = sf_open(ruta.c_str(), SFM_READ, &info);
    if (!fichero)
        return {};
    // Counted by decoding, not from the header.
    std::vector<short> bloque(4096);
    int64_t leidas = 0;
    for (sf_count_t n; (n = sf_read_short(fichero, bloque.data(), 4096)) > 0;)
        leidas += n;
    sf_close(fichero);
    return {info.channels, info.samplerate, leidas};
}

const char* kCastellano = "El barco de la canción fue largo.";
const char* kValenciano = "L'àvia és llarga i el viatge de la cançó.";

// A set of a Castellano question and a Valenciano one, and dictionaries that tell them apart.
class OrdenHablar : public ::testing::Test {
  protected:
    OrdenHablar() {
        setenv("DICPATH", diccionarios_.Ruta().c_str(), 1);
        Diccionario("es_ES", {"el", "barco", "de", "la", "canción", "fue", "largo"});
        Diccionario("ca_ES-valencia",
                    {"l", "àvia", "és", "llarga", "i", "el", "viatge", "de", "la", "cançó"});
        const std::string fuente = carpeta_.En("fuente.txt");
        std::ofstream(fuente) << "tema: A\nancho: 1\n> El barco de la @canción@ fue largo.\n\n"
                              << "tema: A\nancho: 1\n> L'àvia és llarga i el viatge de la "
                                 "@cançó@.\n";
        std::ostringstream salida, errores;
        EXPECT_EQ(EjecutaHerramienta({"pack", fuente, "-o", Conjunto}, salida, errores),
                  kSalidaBien)
            << errores.str();
    }
    void Diccionario(const std::string& nombre, const std::vector<std::string>& palabras) {
        std::ofstream(diccionarios_.En(nombre + ".aff")) << "SET UTF-8\n";
        std::ofstream dic(diccionarios_.En(nombre + ".dic"));
        dic << palabras.size() << "\n";
        for (const std::string& p : palabras)
            dic << p << "\n";
    }
    static TResultado Ejecuta(const std::vector<std::string>& argumentos) {
        std::ostringstream salida, errores;
        TResultado r;
        r.Estado = EjecutaOrdenVoz(argumentos, salida, errores).value_or(-1);
        r.Salida = salida.str();
        r.Errores = errores.str();
        return r;
    }
    static int64_t Esperadas(const char* utf8, TIdioma idioma, bool lento = false) {
        return static_cast<int64_t>(
            TVoz::DelProceso().Sintetiza(*Windows1252DeUtf8(utf8), idioma, lento).Muestras.size());
    }

    TCasaTemporal casa_;
    TCarpetaTemporal carpeta_, diccionarios_;
    std::string Conjunto = carpeta_.En("tema.preg");
};

TEST_F(OrdenHablar, OneFileHoldsEveryQuestionWithASecondBetween) {
    for (const char* nombre : {"todo.wav", "todo.ogg"}) {
        const TResultado r = Ejecuta({"speak", Conjunto, "-o", carpeta_.En(nombre)});
        ASSERT_EQ(r.Estado, kSalidaBien) << r.Errores;
        EXPECT_NE(r.Salida.find("voice ca es"), std::string::npos) << r.Salida;
        const TSonidoLeido leido = LeeSonido(carpeta_.En(nombre));
        EXPECT_EQ(leido.Canales, 1);
        EXPECT_EQ(leido.MuestrasPorSegundo, 22050);
        EsperaDuracion(leido.Muestras, Esperadas(kCastellano, TIdioma::Castellano) + 22050 +
                                           Esperadas(kValenciano, TIdioma::Valenciano));
    }
}

TEST_F(OrdenHablar, AFolderGetsOneFilePerQuestionInItsLanguagesVoice) {
    const std::string carpeta = carpeta_.En("sonidos");
    const TResultado r = Ejecuta({"speak", Conjunto, "--format", "ogg", "-o", carpeta});
    ASSERT_EQ(r.Estado, kSalidaBien) << r.Errores;
    EXPECT_NE(r.Salida.find("tema-001.ogg: "), std::string::npos) << r.Salida;
    EXPECT_NE(r.Salida.find("voice es\n"), std::string::npos) << r.Salida;
    EXPECT_NE(r.Salida.find("voice " + TVoz::DelProceso().Voz(TIdioma::Valenciano) + "\n"),
              std::string::npos)
        << r.Salida;
    EsperaDuracion(LeeSonido(carpeta + "/tema-001.ogg").Muestras,
                   Esperadas(kCastellano, TIdioma::Castellano));
    EsperaDuracion(LeeSonido(carpeta + "/tema-002.ogg").Muestras,
                   Esperadas(kValenciano, TIdioma::Valenciano));
}

TEST_F(OrdenHablar, OneQuestionAtDictationSpeed) {
    const TResultado r =
        Ejecuta({"speak", Conjunto, "--question", "2", "--slow", "-o", carpeta_.En("dos.wav")});
    ASSERT_EQ(r.Estado, kSalidaBien) << r.Errores;
    EsperaDuracion(LeeSonido(carpeta_.En("dos.wav")).Muestras,
                   Esperadas(kValenciano, TIdioma::Valenciano, true));
}

TEST_F(OrdenHablar, WrongUseIsExplainedAndWritesNothing) {
    const struct {
        std::vector<std::string> Argumentos;
        int Estado;
        const char* Mensaje;
    } casos[] = {
        {{"speak", "-o", "x.wav"}, kSalidaUsoErroneo, "takes a set"},
        {{"speak", "SET", "-o", "x.flac"}, kSalidaUsoErroneo, "must end in .wav, .ogg or .mp3"},
        {{"speak", "SET", "--question", "3", "-o", "x.wav"},
         kSalidaUsoErroneo,
         "the set has 2 questions"},
        {{"speak", "SET", "--format", "au", "-o", "x"}, kSalidaUsoErroneo, "--format takes"},
    };
    for (const auto& caso : casos) {
        std::vector<std::string> argumentos = caso.Argumentos;
        for (std::string& a : argumentos)
            a = a == "SET" ? Conjunto : a.find('x') == 0 ? carpeta_.En(a) : a;
        const TResultado r = Ejecuta(argumentos);
        EXPECT_EQ(r.Estado, caso.Estado) << caso.Mensaje;
        EXPECT_NE(r.Errores.find(caso.Mensaje), std::string::npos) << r.Errores;
    }
    for (const auto& e : std::filesystem::directory_iterator(carpeta_.Ruta()))
        EXPECT_FALSE(e.path().filename().string().starts_with("x")) << e.path();
}

TEST_F(OrdenHablar, Mp3WhereLibsndfileWritesIt) {
    const TResultado r =
        Ejecuta({"speak", Conjunto, "--question", "1", "-o", carpeta_.En("a.mp3")});
    if (FormatoDisponible(TFormatoSonido::Mp3)) {
        ASSERT_EQ(r.Estado, kSalidaBien) << r.Errores;
        EXPECT_GT(LeeSonido(carpeta_.En("a.mp3")).Muestras, 0);
    } else {
        EXPECT_EQ(r.Estado, kSalidaFallo);
        EXPECT_NE(r.Errores.find("cannot write mp3 files"), std::string::npos) << r.Errores;
        EXPECT_FALSE(std::filesystem::exists(carpeta_.En("a.mp3")));
    }
}

}  // namespace

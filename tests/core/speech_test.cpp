#include "core/speech/speech.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "core/base/win1252.h"

namespace {

std::string Bytes(const char* utf8) {
    return *Windows1252DeUtf8(utf8);
}

std::vector<std::string> Trozos(const std::string& texto, const std::vector<TFrase>& frases) {
    std::vector<std::string> trozos;
    for (const TFrase& f : frases)
        trozos.push_back(texto.substr(f.Inicio, f.Longitud));
    return trozos;
}

TEST(Frases, EndAtTheirSignsAndLineEnds) {
    const struct {
        std::string Texto;
        std::vector<std::string> Esperadas;
    } casos[] = {
        {"Hola. Adiós.", {"Hola. ", "Adiós."}},
        {"¿Vienes? ¡Ya voy!  Bien", {"¿Vienes? ", "¡Ya voy!  ", "Bien"}},
        {"Espera... \"Sí.\" Fin", {"Espera... \"", "Sí.\" ", "Fin"}},
        {"Primera línea\r\nsegunda", {"Primera línea\r\n", "segunda"}},
        {"  \r\n . ", {}},
        {"", {}},
    };
    for (const auto& caso : casos) {
        const std::string texto = Bytes(caso.Texto.c_str());
        std::vector<std::string> esperadas;
        for (const std::string& e : caso.Esperadas)
            esperadas.push_back(Bytes(e.c_str()));
        EXPECT_EQ(Trozos(texto, Frases(texto)), esperadas) << caso.Texto;
    }
}

TEST(VozPara, CastellanoIsEsAndValencianoPrefersCaVa) {
    EXPECT_EQ(VozPara(TIdioma::Castellano, {"es", "ca", "ca-va"}), "es");
    EXPECT_EQ(VozPara(TIdioma::Valenciano, {"es", "ca", "ca-va"}), "ca-va");
    EXPECT_EQ(VozPara(TIdioma::Valenciano, {"es", "ca"}), "ca");
    EXPECT_EQ(VozPara(TIdioma::Valenciano, {}), "ca");
}

TEST(TVoz, OffersTheVoicesOfBothLanguages) {
    TVoz& voz = TVoz::DelProceso();
    ASSERT_TRUE(voz.Disponible());
    EXPECT_EQ(voz.MuestrasPorSegundo(), 22050);
    const std::vector<std::string> idiomas = voz.IdiomasOfrecidos();
    EXPECT_NE(std::find(idiomas.begin(), idiomas.end(), "es"), idiomas.end());
    EXPECT_NE(std::find(idiomas.begin(), idiomas.end(), "ca"), idiomas.end());
    EXPECT_EQ(voz.Voz(TIdioma::Valenciano), VozPara(TIdioma::Valenciano, idiomas));
}

// Every word gets one mark at its own characters, in order, the later ones later in the sound.
TEST(TVoz, SpeaksEachLanguageWithAMarkForEveryWord) {
    const struct {
        TIdioma Idioma;
        const char* Texto;
        std::vector<std::string> Palabras;
    } casos[] = {
        {TIdioma::Castellano,
         "El niño está aquí. ¿Quién vendrá mañana?",
         {"El", "niño", "está", "aquí", "Quién", "vendrá", "mañana"}},
        {TIdioma::Valenciano,
         "La xiqueta menja pomes. Després, cançons!",
         {"La", "xiqueta", "menja", "pomes", "Després", "cançons"}},
    };
    for (const auto& caso : casos) {
        const std::string texto = Bytes(caso.Texto);
        for (const bool lento : {false, true}) {
            const TLocucion locucion = TVoz::DelProceso().Sintetiza(texto, caso.Idioma, lento);
            EXPECT_EQ(locucion.Voz, TVoz::DelProceso().Voz(caso.Idioma));
            // At least a fifth of a second per word.
            EXPECT_GT(locucion.Muestras.size(), caso.Palabras.size() * 22050 / 5) << caso.Texto;
            std::vector<std::string> marcadas;
            int64_t anterior = -1;
            for (const TMarcaPalabra& m : locucion.Marcas) {
                marcadas.push_back(Utf8DeWindows1252(texto.substr(m.Inicio, m.Longitud)));
                EXPECT_GT(m.Muestra, anterior);
                EXPECT_LT(m.Muestra, static_cast<int64_t>(locucion.Muestras.size()));
                anterior = m.Muestra;
            }
            EXPECT_EQ(marcadas, caso.Palabras) << caso.Texto;
        }
    }
}

TEST(TVoz, DictationSpeedIsSlower) {
    const std::string texto = Bytes("Las palabras se dicen despacio para escribirlas.");
    const size_t normal =
        TVoz::DelProceso().Sintetiza(texto, TIdioma::Castellano, false).Muestras.size();
    const size_t lento =
        TVoz::DelProceso().Sintetiza(texto, TIdioma::Castellano, true).Muestras.size();
    EXPECT_GT(lento, normal * 5 / 4);
}

TEST(TVoz, HandsOverSentenceBySentence) {
    const std::string texto = Bytes("Una frase. Otra frase. La tercera frase.");
    std::vector<TTrozoVoz> trozos;
    std::mutex cerrojo;
    std::condition_variable aviso;
    TVoz::DelProceso().Habla(texto, TIdioma::Castellano, false, [&](TTrozoVoz&& trozo) {
        std::lock_guard<std::mutex> guarda(cerrojo);
        trozos.push_back(std::move(trozo));
        aviso.notify_one();
    });
    std::unique_lock<std::mutex> espera(cerrojo);
    aviso.wait(espera, [&] { return !trozos.empty() && trozos.back().Ultimo; });
    ASSERT_EQ(trozos.size(), 3u);
    EXPECT_EQ(texto.substr(trozos[1].Frase.Inicio, trozos[1].Frase.Longitud), "Otra frase. ");
    EXPECT_EQ(trozos[1].Marcas.front().Inicio, trozos[1].Frase.Inicio);
    EXPECT_EQ(trozos[1].Marcas.front().Muestra, static_cast<int64_t>(trozos[0].Muestras.size()));
}

TEST(TVoz, NothingMoreComesOnceSilenced) {
    std::string largo;
    for (int i = 0; i < 30; ++i)
        largo += "Esta es una frase larga que no termina pronto. ";
    std::mutex cerrojo;
    std::condition_variable aviso;
    int recibidos = 0;
    bool ultimo = false;
    TVoz::DelProceso().Habla(largo, TIdioma::Castellano, false, [&](TTrozoVoz&& trozo) {
        std::lock_guard<std::mutex> guarda(cerrojo);
        ++recibidos;
        ultimo = ultimo || trozo.Ultimo;
        aviso.notify_one();
    });
    {
        std::unique_lock<std::mutex> espera(cerrojo);
        aviso.wait(espera, [&] { return recibidos > 0; });
    }
    TVoz::DelProceso().Calla();
    int alCallar = 0;
    {
        std::lock_guard<std::mutex> guarda(cerrojo);
        alCallar = recibidos;
    }
    // The worker serves one request at a time: when this one is done, the other one is over.
    TVoz::DelProceso().Sintetiza("Hola.", TIdioma::Castellano, false);
    std::lock_guard<std::mutex> guarda(cerrojo);
    EXPECT_FALSE(ultimo);
    EXPECT_LE(recibidos, alCallar + 1);
}

}  // namespace

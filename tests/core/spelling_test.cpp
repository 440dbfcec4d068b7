#include "core/spelling/spelling.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "core/base/win1252.h"
#include "temp_folder.h"

namespace {

// A dictionary of a few words (UTF-8), in Hunspell's format.
void EscribeDiccionario(const std::string& carpeta, const std::string& nombre,
                        const std::vector<std::string>& palabras) {
    std::ofstream(carpeta + "/" + nombre + ".aff")
        << "SET UTF-8\nTRY aeiouáéíóúàèòïüçnrstlcdmpbvgjhfzqxy\n";
    std::ofstream dic(carpeta + "/" + nombre + ".dic");
    dic << palabras.size() << "\n";
    for (const std::string& palabra : palabras)
        dic << palabra << "\n";
}

std::string B(const char* utf8) {
    return *Windows1252DeUtf8(utf8);
}

class Spelling : public ::testing::Test {
  protected:
    Spelling() {
        EscribeDiccionario(diccionarios_.Ruta(), "es_ES",
                           {"el", "la", "canción", "de", "barco", "vaca", "agua", "niño", "casa"});
        EscribeDiccionario(
            diccionarios_.Ruta(), "ca_ES-valencia",
            {"la", "cançó", "de", "àvia", "vaca", "aigua", "xiquet", "casa", "col·legi", "és"});
    }
    TOrtografia Nueva() {
        return TOrtografia({vacia_.Ruta(), diccionarios_.Ruta()}, palabras_.Ruta());
    }

    TCarpetaTemporal vacia_, diccionarios_, palabras_;
};

}  // namespace

TEST_F(Spelling, UnknownWordsComeWithSuggestions) {
    TOrtografia ortografia = Nueva();
    ASSERT_TRUE(ortografia.Disponible(TIdioma::Castellano));
    ASSERT_TRUE(ortografia.Disponible(TIdioma::Valenciano));
    struct Caso {
        TIdioma idioma;
        const char* texto;
        std::vector<std::string> palabras, primeras;
    };
    const Caso casos[] = {
        {TIdioma::Castellano,
         "La cancion de el barko, 3 y",
         {"cancion", "barko"},
         {"canción", "barco"}},
        {TIdioma::Castellano, "El niño, la casa.", {}, {}},
        {TIdioma::Valenciano, "La canço de l'àvia al col·legi", {"canço", "al"}, {"cançó", ""}},
        {TIdioma::Valenciano, "Ell és xiquet", {"Ell"}, {""}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.texto);
        const std::string texto = B(caso.texto);
        std::vector<std::string> palabras, primeras;
        for (const TPalabraDesconocida& d : ortografia.Desconocidas(caso.idioma, texto, 3)) {
            EXPECT_EQ(texto.substr(d.Tramo.Inicio, d.Tramo.Longitud), d.Palabra);
            palabras.push_back(Utf8DeWindows1252(d.Palabra));
            primeras.push_back(d.Sugerencias.empty() ? "" : Utf8DeWindows1252(d.Sugerencias[0]));
            EXPECT_LE(d.Sugerencias.size(), 3u);
        }
        EXPECT_EQ(palabras, caso.palabras);
        for (size_t i = 0; i < primeras.size() && i < caso.primeras.size(); ++i) {
            if (!caso.primeras[i].empty()) {
                EXPECT_EQ(primeras[i], caso.primeras[i]);
            }
        }
    }
}

TEST_F(Spelling, OnlyWordsHoldingAGapAreAnswers) {
    TOrtografia ortografia = Nueva();
    const auto respuestas = ortografia.RespuestasDesconocidas(
        TIdioma::Castellano, B("La @cancion@ de mi @b@arko y @@aua, xx"), 1);
    std::vector<std::string> palabras;
    for (const TPalabraDesconocida& d : respuestas)
        palabras.push_back(d.Palabra);
    EXPECT_EQ(palabras, (std::vector<std::string>{"cancion", "barko", "aua"}));
    ASSERT_FALSE(respuestas.empty());
    EXPECT_EQ(respuestas[0].Sugerencias, (std::vector<std::string>{B("canción")}));

    // Every word, read without the marks and placed in the marked text.
    const std::string marcado = B("mi @b@arko, c@a@ncion@@");
    std::vector<std::string> tramos;
    for (const TPalabraDesconocida& d : ortografia.Desconocidas(TIdioma::Castellano, marcado, 0))
        tramos.push_back(d.Palabra + "=" + marcado.substr(d.Tramo.Inicio, d.Tramo.Longitud));
    EXPECT_EQ(tramos, (std::vector<std::string>{"mi=mi", "barko=b@arko", "cancion=c@a@ncion"}));
}

TEST_F(Spelling, TheLanguageIsTheOneThatKnowsMoreWords) {
    TOrtografia ortografia = Nueva();
    EXPECT_EQ(ortografia.IdiomaDe(B("La canción de el niño")), TIdioma::Castellano);
    EXPECT_EQ(ortografia.IdiomaDe(B("La cançó de l'àvia és")), TIdioma::Valenciano);
    EXPECT_EQ(ortografia.IdiomaDe(B("la casa"), TIdioma::Valenciano), TIdioma::Valenciano);
    EXPECT_EQ(ortografia.IdiomaDe(B("la casa"), TIdioma::Castellano), TIdioma::Castellano);
}

TEST_F(Spelling, TheTeachersOwnWordsAreKeptPerLanguage) {
    {
        TOrtografia ortografia = Nueva();
        EXPECT_FALSE(ortografia.Conoce(TIdioma::Castellano, B("Tildora")));
        ortografia.AnadePalabra(TIdioma::Castellano, B("Tildora"));
        ortografia.AnadePalabra(TIdioma::Castellano, B("acentuación"));
        EXPECT_TRUE(ortografia.Conoce(TIdioma::Castellano, B("Tildora")));
    }
    EXPECT_EQ(LeeFicheroEntero(palabras_.En("my-words-castellano.txt")), "Tildora\nacentuación\n");
    TOrtografia despues = Nueva();
    EXPECT_TRUE(despues.Conoce(TIdioma::Castellano, B("acentuación")));
    EXPECT_FALSE(despues.Conoce(TIdioma::Valenciano, B("acentuación")));
}

TEST_F(Spelling, AMissingDictionaryStandsAside) {
    TOrtografia ortografia({vacia_.Ruta()}, palabras_.Ruta());
    EXPECT_FALSE(ortografia.Disponible(TIdioma::Castellano));
    EXPECT_TRUE(ortografia.Cargado(TIdioma::Castellano));
    EXPECT_TRUE(ortografia.Conoce(TIdioma::Castellano, "xyzzy"));
    EXPECT_TRUE(ortografia.Desconocidas(TIdioma::Castellano, "xyzzy plugh", 3).empty());
    EXPECT_TRUE(ortografia.Sugiere(TIdioma::Castellano, "xyzzy", 3).empty());
    EXPECT_EQ(ortografia.IdiomaDe("xyzzy", TIdioma::Valenciano), TIdioma::Valenciano);
    // The word is kept for when the dictionary is there.
    ortografia.AnadePalabra(TIdioma::Valenciano, "xyzzy");
    EXPECT_EQ(LeeFicheroEntero(palabras_.En("my-words-valenciano.txt")), "xyzzy\n");
}

TEST_F(Spelling, LoadsOnAThreadOfItsOwnWhenAsked) {
    TOrtografia ortografia = Nueva();
    std::atomic<bool> terminado = false;
    ortografia.CargaEnSegundoPlano([&terminado] { terminado = true; });
    EXPECT_FALSE(ortografia.Conoce(TIdioma::Valenciano, B("cancion")));
    EXPECT_TRUE(ortografia.Conoce(TIdioma::Valenciano, B("cançó")));
    EXPECT_TRUE(ortografia.Cargado(TIdioma::Valenciano));
    while (!terminado)
        std::this_thread::yield();
    EXPECT_TRUE(ortografia.Cargado(TIdioma::Castellano));
}

TEST(SpellingFolders, DictionariesAreLookedForWhereHunspellAndTheSystemKeepThem) {
    struct Caso {
        const char* dicpath;
        const char* datos;
        std::vector<std::string> carpetas;
    };
    const Caso casos[] = {
        {nullptr, nullptr, {"/usr/local/share/hunspell", "/usr/share/hunspell"}},
        {nullptr, "", {"/usr/local/share/hunspell", "/usr/share/hunspell"}},
        // Set, even empty, it is the only place: so tests keep clear of the system's.
        {"/a:/b", "/c", {"/a", "/b"}},
        {"", "/c", {}},
        {nullptr, "/x::/y", {"/x/hunspell", "/y/hunspell"}},
    };
    for (const Caso& caso : casos) {
        caso.dicpath ? setenv("DICPATH", caso.dicpath, 1) : unsetenv("DICPATH");
        caso.datos ? setenv("XDG_DATA_DIRS", caso.datos, 1) : unsetenv("XDG_DATA_DIRS");
        EXPECT_EQ(CarpetasDiccionarios(), caso.carpetas);
    }
    TCasaTemporal casa;
    EXPECT_EQ(CarpetaConfiguracionPrograma(),
              std::string(std::getenv("XDG_CONFIG_HOME")) + "/Tildora");
}

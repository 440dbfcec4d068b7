#include "spelling_commands.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "commands.h"
#include "core/authoring/source_format.h"
#include "core/authoring/words.h"
#include "core/base/win1252.h"
#include "temp_folder.h"

namespace {

struct TResultado {
    int Estado = -1;
    std::string Salida;
    std::string Errores;
};

bool Contiene(const std::string& texto, const std::string& parte) {
    return texto.find(parte) != std::string::npos;
}

// Dictionaries of a few words under a temporary data folder; nothing reads the system's.
class OrdenesOrtografia : public ::testing::Test {
  protected:
    OrdenesOrtografia() {
        setenv("DICPATH", datosSistema_.En("hunspell").c_str(), 1);
        std::filesystem::create_directories(datosSistema_.En("hunspell"));
        Diccionario("es_ES", {"la", "canción", "de", "el", "barco", "viaje", "fue", "largo"});
        Diccionario("ca_ES-valencia",
                    {"la", "cançó", "de", "àvia", "és", "llarga", "el", "viatge"});
    }
    void Diccionario(const std::string& nombre, const std::vector<std::string>& palabras) {
        const std::string base = datosSistema_.En("hunspell/" + nombre);
        std::ofstream(base + ".aff") << "SET UTF-8\nTRY aeiouáéíóúàèòçnrstlcdgb\n";
        std::ofstream dic(base + ".dic");
        dic << palabras.size() << "\n";
        for (const std::string& p : palabras)
            dic << p << "\n";
    }
    std::string Escribe(const std::string& nombre, const std::string& contenido) {
        std::ofstream(carpeta_.En(nombre), std::ios::binary) << contenido;
        return carpeta_.En(nombre);
    }
    TResultado Ejecuta(const std::vector<std::string>& argumentos) {
        std::ostringstream salida, errores;
        TResultado r;
        const std::optional<int> estado = EjecutaOrdenOrtografia(argumentos, salida, errores);
        r.Estado = estado.value_or(-1);
        r.Salida = salida.str();
        r.Errores = errores.str();
        return r;
    }

    TCasaTemporal casa_;
    TCarpetaTemporal carpeta_, datosSistema_;
};

}  // namespace

TEST_F(OrdenesOrtografia, AccentGapsAreExactlyTheAccentedWordsOfTheText) {
    const std::string parrafos[] = {
        "El camión llegó tarde, pero aquí están todos: Lucía, Raúl y el pingüino.",
        "L'àvia diu que la cançó és molt llarga i que el xiquet no l'ha après.",
        "Sin acentos en esta frase."};
    const std::string texto =
        Escribe("texto.txt", parrafos[0] + "\n\n" + parrafos[1] + "\n\n" + parrafos[2] + "\n");
    const TResultado r = Ejecuta({"gaps", "--rule", "accents", "--topic", "Acentos", texto, "-o",
                                  carpeta_.En("fuente.txt")});
    ASSERT_EQ(r.Estado, kSalidaBien) << r.Errores;
    const TFuenteLeida fuente = LeeFuente(LeeFicheroEntero(carpeta_.En("fuente.txt")));
    ASSERT_FALSE(fuente.Error);
    ASSERT_EQ(fuente.Preguntas.size(), 3u);
    // The first paragraph's accents fail the key check: the plain one comes first.
    EXPECT_TRUE(Contiene(r.Errores, "question 3, the plainest, comes first")) << r.Errores;
    const size_t orden[] = {2, 0, 1};
    const std::vector<std::vector<std::string>> esperadas = {
        {},
        {"camión", "llegó", "aquí", "están", "Lucía", "Raúl", "pingüino"},
        {"àvia", "cançó", "és", "après"}};
    for (size_t i = 0; i < 3; ++i) {
        const TPregunta& p = fuente.Preguntas[i];
        EXPECT_EQ(p.Tema, "Acentos");
        EXPECT_EQ(p.Modo, esperadas[i].empty() ? 0 : 1);
        std::vector<TTramo> huecos;
        const std::string limpio = QuitaMarcas(p.Texto, &huecos);
        EXPECT_EQ(Utf8DeWindows1252(limpio), parrafos[orden[i]]);
        std::vector<std::string> respuestas;
        for (const TTramo& h : huecos)
            respuestas.push_back(Utf8DeWindows1252(limpio.substr(h.Inicio, h.Longitud)));
        // "cançó" bears an accent; "ç" alone would not make a gap.
        EXPECT_EQ(respuestas, esperadas[i]);
    }
}

// Accent practice starts every gap filled with its answer: letters go to a question of their
// own. And what gaps writes, pack takes.
TEST_F(OrdenesOrtografia, AccentsWithLettersMakeTwoQuestionsAndTheSourcePacks) {
    const std::string texto = Escribe(
        "t.txt", "Vivim a València, la ciutat més bonica del món.\n\nEl xiquet va a casa.\n");
    const std::string fuente = carpeta_.En("fuente.txt");
    const TResultado r = Ejecuta(
        {"gaps", "--rule", "accents", "--rule", "b/v", "--rule", "s/ss/z/c", texto, "-o", fuente});
    ASSERT_EQ(r.Estado, kSalidaBien) << r.Errores;
    EXPECT_TRUE(Contiene(r.Errores,
                         "paragraph 1 makes questions 1 (accent practice) and 2 "
                         "(letters)"))
        << r.Errores;
    const TFuenteLeida leida = LeeFuente(LeeFicheroEntero(fuente));
    ASSERT_EQ(leida.Preguntas.size(), 3u);
    std::vector<std::string> textos;
    for (const TPregunta& p : leida.Preguntas)
        textos.push_back(Utf8DeWindows1252(p.Texto) + (p.Modo == 1 ? " [1]" : ""));
    EXPECT_EQ(textos[0], "Vivim a @València@, la ciutat @més@ bonica del @món@. [1]");
    EXPECT_EQ(textos[1], "@V@i@v@im a València, la @c@iutat més @b@onica del món.");
    EXPECT_EQ(textos[2], "El xiquet @v@a a ca@s@a.");
    std::ostringstream salida, errores;
    EXPECT_EQ(EjecutaHerramienta({"pack", fuente, "-o", carpeta_.En("c.preg")}, salida, errores),
              kSalidaBien)
        << errores.str();
}

TEST_F(OrdenesOrtografia, GapsByLetterWithDistractorsToStandardOutput) {
    const std::string texto = Escribe("t.txt", "Hola amigo, el humo sube.\n");
    const TResultado r = Ejecuta({"gaps", "--rule", "h", "--distractors", "1", texto});
    ASSERT_EQ(r.Estado, kSalidaBien) << r.Errores;
    EXPECT_TRUE(Contiene(r.Salida, "> @H@ola @@amigo, el @h@umo sube.\n")) << r.Salida;
    EXPECT_TRUE(Contiene(r.Salida, "tema: \n")) << r.Salida;
}

TEST_F(OrdenesOrtografia, GapsListsEveryCharacterItCannotKeepAndWritesNothing) {
    const std::string texto = Escribe(
        "t.txt", "Uno \xE2\x80\x94 dos \xF0\x9F\x98\x80\n\ntres \xE2\x99\xA5 \xE2\x89\xA4\n");
    const TResultado r = Ejecuta({"gaps", "--rule", "b/v", texto, "-o", carpeta_.En("fuente.txt")});
    EXPECT_EQ(r.Estado, kSalidaFallo);
    EXPECT_TRUE(Contiene(r.Errores, texto + ":1: column 11: the character \"\xF0\x9F\x98\x80\""))
        << r.Errores;
    EXPECT_TRUE(Contiene(r.Errores, texto + ":3: column 6: the character \"\xE2\x99\xA5\""))
        << r.Errores;
    EXPECT_FALSE(std::filesystem::exists(carpeta_.En("fuente.txt")));

    // What has a plain form is replaced, and the teacher is told how many.
    const TResultado llano =
        Ejecuta({"gaps", "--rule", "b/v", Escribe("u.txt", "a \xE2\x89\xA4 bo\xE2\x80\x91va")});
    ASSERT_EQ(llano.Estado, kSalidaBien);
    EXPECT_TRUE(Contiene(llano.Salida, "> a <= @b@o-@v@a\n")) << llano.Salida;
    EXPECT_TRUE(Contiene(llano.Errores, "2 characters replaced")) << llano.Errores;
}

// A folder once gave an empty source over the old one, and a FIFO waited for ever.
TEST_F(OrdenesOrtografia, WhatIsNoFileIsRefusedBeforeItIsRead) {
    std::filesystem::create_directory(carpeta_.En("carpeta"));
    ASSERT_EQ(mkfifo(carpeta_.En("fifo").c_str(), 0600), 0);
    const std::string destino = Escribe("fuente.txt", "la fuente de antes");
    for (const std::string& origen :
         {carpeta_.En("carpeta"), carpeta_.En("fifo"), std::string("/dev/zero")}) {
        for (const std::vector<std::string>& orden :
             {std::vector<std::string>{"gaps", "--rule", "h", origen, "-o", destino},
              std::vector<std::string>{"spell", origen}}) {
            SCOPED_TRACE(orden.front() + " " + origen);
            const TResultado r = Ejecuta(orden);
            EXPECT_EQ(r.Estado, kSalidaFallo);
            EXPECT_TRUE(Contiene(r.Errores, origen + ": ")) << r.Errores;
            EXPECT_TRUE(Contiene(r.Errores, "nothing read")) << r.Errores;
        }
    }
    std::ifstream leido(destino);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(leido), {}), "la fuente de antes");
}

// A binary once gave a message for each of its bad bytes, NULs and all: millions of lines.
TEST_F(OrdenesOrtografia, TextThatIsNotUtf8GivesOneMessageALineAtMost) {
    std::string binario;
    for (int linea = 0; linea < 500; ++linea)
        binario += std::string("ab\0\xFF\xFE\x01 c\x80", 9) + "\n";
    const std::string destino = Escribe("fuente.txt", "la fuente de antes");
    const TResultado r = Ejecuta({"gaps", "--rule", "h", Escribe("b.bin", binario), "-o", destino});
    EXPECT_EQ(r.Estado, kSalidaFallo);
    EXPECT_EQ(r.Errores.find('\0'), std::string::npos);
    EXPECT_EQ(std::count(r.Errores.begin(), r.Errores.end(), '\n'), 21) << r.Errores;
    EXPECT_TRUE(Contiene(r.Errores,
                         ":1: column 3: the control character U+0000 cannot be kept "
                         "in a question; replace it (and 4 more on this line)\n"))
        << r.Errores;
    EXPECT_TRUE(Contiene(r.Errores, ": 480 more lines hold such characters")) << r.Errores;
    const TResultado byte = Ejecuta({"gaps", "--rule", "h", Escribe("c.txt", "hola \xE9 y")});
    EXPECT_TRUE(Contiene(byte.Errores, ":1: column 6: the byte 0xE9, which is not UTF-8,"))
        << byte.Errores;
    std::ifstream leido(destino);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(leido), {}), "la fuente de antes");
}

// A source of more questions than a set holds was once written, for 'pack' to refuse.
TEST_F(OrdenesOrtografia, MoreQuestionsThanASetHoldsAreRefusedWithTheirCount) {
    std::string texto;
    for (int i = 0; i <= kMaximoPreguntas; ++i)
        texto += "hola\n\n";
    const TResultado huecos =
        Ejecuta({"gaps", "--rule", "h", Escribe("t.txt", texto), "-o", carpeta_.En("f.txt")});
    EXPECT_EQ(huecos.Estado, kSalidaFallo);
    EXPECT_TRUE(Contiene(huecos.Errores, "makes 65536 questions")) << huecos.Errores;
    EXPECT_TRUE(Contiene(huecos.Errores, "at most 65535")) << huecos.Errores;
    EXPECT_FALSE(std::filesystem::exists(carpeta_.En("f.txt")));

    const std::vector<TPregunta> preguntas(kMaximoPreguntas + 1, TPregunta{0, 0, "", "@h@ola"});
    const TResultado ortografia =
        Ejecuta({"spell", Escribe("f.txt", EscribeFuente(preguntas, "t"))});
    EXPECT_EQ(ortografia.Estado, kSalidaFallo);
    EXPECT_TRUE(Contiene(ortografia.Errores, "question 65536 of 65536")) << ortografia.Errores;
    EXPECT_TRUE(Contiene(ortografia.Errores, "at most 65535")) << ortografia.Errores;
    EXPECT_TRUE(ortografia.Salida.empty());
}

TEST_F(OrdenesOrtografia, WrongUsageIsTold) {
    const std::string texto = Escribe("t.txt", "x");
    const std::vector<std::vector<std::string>> casos = {
        {"gaps", texto},
        {"gaps", "--rule", "q", texto},
        {"gaps", "--rule", "h"},
        {"gaps", "--rule", "h", "--distractors", "-1", texto},
        {"gaps", "--rule", "h", "--topic", "\xE2\x99\xA5", texto},
        {"spell"},
        {"spell", texto, "--language", "frances"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.size() > 1 ? caso[1] : caso[0]);
        const TResultado r = Ejecuta(caso);
        EXPECT_EQ(r.Estado, kSalidaUsoErroneo);
        EXPECT_TRUE(Contiene(r.Errores, "--help")) << r.Errores;
    }
    // Not one of these commands: left to the others.
    EXPECT_EQ(Ejecuta({"pack"}).Estado, -1);
    EXPECT_EQ(Ejecuta({"gaps", "--help"}).Estado, kSalidaBien);
}

TEST_F(OrdenesOrtografia, SpellListsUnknownAnswersWithTheirSuggestions) {
    const std::string fuente = Escribe("f.txt",
                                       "tema: a\n> El viaje fue larguisimo.\n\n"
                                       "tema: a\n> La @cancion@ de el @b@arko, viaje\n\n"
                                       "tema: b\n> La @canço@ de l'@àvia@ és llarga\n");
    const TResultado r = Ejecuta({"spell", fuente});
    EXPECT_EQ(r.Estado, kSalidaFallo) << r.Errores;
    EXPECT_EQ(r.Salida,
              "question 2 (castellano): cancion: canción\n"
              "question 2 (castellano): barko: barco\n"
              "question 3 (valenciano): canço: cançó\n");

    // A set gives the same as its source.
    std::ostringstream nada;
    ASSERT_EQ(EjecutaHerramienta({"pack", fuente, "-o", carpeta_.En("s.preg")}, nada, nada),
              kSalidaBien);
    EXPECT_EQ(Ejecuta({"spell", carpeta_.En("s.preg")}).Salida, r.Salida);

    // One language for all; words of the texts too.
    const TResultado castellano = Ejecuta({"spell", fuente, "--language", "castellano"});
    EXPECT_TRUE(Contiene(castellano.Salida, "question 3 (castellano): canço:"))
        << castellano.Salida;
    const TResultado palabras = Ejecuta({"spell", fuente, "--words"});
    EXPECT_TRUE(Contiene(palabras.Salida, "question 1 (castellano): larguisimo:"))
        << palabras.Salida;
    EXPECT_TRUE(Contiene(palabras.Salida, "question 2 (castellano): barko: barco\n"));

    const TResultado bien =
        Ejecuta({"spell", Escribe("g.txt", "tema: a\n> La @canción@ de el barco\n")});
    EXPECT_EQ(bien.Estado, kSalidaBien);
    EXPECT_EQ(bien.Salida, "");
}

TEST_F(OrdenesOrtografia, SpellSaysOnceThatADictionaryIsMissing) {
    std::filesystem::remove(datosSistema_.En("hunspell/ca_ES-valencia.dic"));
    const std::string fuente = Escribe(
        "f.txt", "tema: a\n> La @cançó@\n\ntema: a\n> La @canço@\n\ntema: a\n> La @cancion@\n");
    const TResultado r = Ejecuta({"spell", fuente, "--language", "valenciano"});
    EXPECT_EQ(r.Estado, kSalidaBien);
    EXPECT_EQ(r.Salida, "");
    EXPECT_EQ(r.Errores,
              "tildora-tool spell: no valenciano dictionary (ca_ES-valencia.dic) is installed; "
              "its questions are not checked (install hunspell-ca)\n");
    // The other language still checks.
    EXPECT_EQ(Ejecuta({"spell", fuente, "--language", "castellano"}).Estado, kSalidaFallo);
}

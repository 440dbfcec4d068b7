#include "commands.h"
#include "core/base/atomic_write.h"
#include "core/base/win1252.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>

#include "core/authoring/source_format.h"
#include "core/learning/history.h"
#include "core/set/question_files.h"
#include "core/set/settings.h"
#include "core/set/topic_scan.h"
#include "core/set/writer.h"
#include "hostile_sets.h"
#include "run_tool.h"
#include "small_disk.h"
#include "temp_folder.h"
#include "version.h"

namespace {

TPregunta P(std::string tema, std::string texto, uint8_t modo = 0, uint8_t ancho = 0) {
    return {modo, ancho, std::move(tema), std::move(texto)};
}

// A first question that passes the key check, so that any question may follow.
const TPregunta kPrimera = P("Primera", "Una pregunta sencilla, con letras y puntos. Nada mas.");

bool Contiene(const std::string& texto, const std::string& parte) {
    return texto.find(parte) != std::string::npos;
}

// Every test gets its own folder and program data folder; nothing reaches the real home.
class Herramienta : public ::testing::Test {
  protected:
    void SetUp() override { setenv("XDG_DATA_HOME", carpeta_.En("datos").c_str(), 1); }
    std::string En(const std::string& nombre) const { return carpeta_.En(nombre); }
    std::string Datos(const std::string& nombre) const {
        return carpeta_.En("datos/Tildora/" + nombre);
    }

    TCarpetaTemporal carpeta_;
};

std::vector<TPregunta> Aleatorias(uint32_t semilla) {
    std::mt19937 azar(semilla);
    std::string imprimibles;
    for (int b = 0x20; b <= 0xFF; ++b)
        if (ByteEscribible(static_cast<unsigned char>(b)))
            imprimibles += static_cast<char>(b);
    const auto texto = [&](bool conRetornos) {
        std::string t;
        const int largo = static_cast<int>(azar() % 60);
        for (int i = 0; i < largo; ++i)
            t += conRetornos && azar() % 8 == 0 ? '\r' : imprimibles[azar() % imprimibles.size()];
        return t;
    };
    std::vector<TPregunta> preguntas{kPrimera};
    for (int i = 0; i < 60; ++i)
        preguntas.push_back(P(texto(false), texto(true), static_cast<uint8_t>(azar()),
                              static_cast<uint8_t>(azar())));
    return preguntas;
}

}  // namespace

TEST_F(Herramienta, UnpackThenPackGivesTheSameBytes) {
    std::string todos;
    for (int b = 0x20; b <= 0xFF; ++b)
        if (ByteEscribible(static_cast<unsigned char>(b)))
            todos += static_cast<char>(b);
    const std::vector<std::vector<TPregunta>> conjuntos = {
        {kPrimera},
        {kPrimera, P("", ""), P("", "", 255, 255), P("t", "", 2), P("", "x", 200, 1)},
        {kPrimera, P(" blancos ", "  dos\r\r\rtres  "), P("\"citado\"", "\rempieza"),
         P("\"", "acaba\r"), P("t", "\r"), P("t", "\r\r")},
        {kPrimera, P("tema: raro", "tema: x\r> y\r# z\rmodo: 3\r>"), P(todos, todos, 1, 4)},
        Aleatorias(1),
        Aleatorias(2),
    };
    for (size_t i = 0; i < conjuntos.size(); ++i) {
        const std::string original = En("original.preg");
        EscribeConjunto(original, conjuntos[i]);
        const TResultado fuera = Ejecuta({"unpack", original});
        ASSERT_EQ(fuera.Estado, kSalidaBien) << i << fuera.Errores;
        EscribeFichero(En("fuente.txt"), fuera.Salida);
        const TResultado dentro = Ejecuta({"pack", En("fuente.txt"), "-o", En("copia.preg")});
        ASSERT_EQ(dentro.Estado, kSalidaBien) << i << dentro.Errores;
        EXPECT_EQ(LeeFicheroEntero(En("copia.preg")), LeeFicheroEntero(original)) << i;
        EXPECT_EQ(LeeFicheroEntero(En("copia.ind")), LeeFicheroEntero(NombreIndice(original))) << i;
    }
}

TEST_F(Herramienta, PackWritesWhatTheCoreWriterWrites) {
    const TConjuntoEscrito esperado =
        ConstruyeConjunto({P("Uso de la h", "Mi @h@ermano no @h@a venido.\rSegunda linea.", 0, 1),
                           P("Acentos", "@cami\xF3n@", 1, 0)});
    // Whichever line ends the teacher's editor saves.
    for (const std::string fin : {"\n", "\r\n", "\r"}) {
        EscribeFichero(En("f.txt"), "tema: Uso de la h" + fin + "ancho: 1" + fin +
                                        "> Mi @h@ermano no @h@a venido." + fin +
                                        "> Segunda linea." + fin + fin + "tema: Acentos" + fin +
                                        "modo: acentos" + fin + "> @cami\xC3\xB3n@" + fin);
        const TResultado r = Ejecuta({"pack", En("f.txt"), "-o", En("s.preg")});
        ASSERT_EQ(r.Estado, kSalidaBien) << r.Errores;
        EXPECT_EQ(r.Errores, "");
        EXPECT_EQ(LeeFicheroEntero(En("s.preg")), esperado.Preguntas);
        EXPECT_EQ(LeeFicheroEntero(En("s.ind")), esperado.Indice);
    }
}

TEST_F(Herramienta, PackErrorsNameFileAndLine) {
    std::string muchas;
    for (int i = 0; i <= kMaximoPreguntas; ++i)
        muchas += "tema: t\n";
    struct Caso {
        std::string fuente;
        std::string error;
    };
    const Caso casos[] = {
        {"tema: a\n> bien\n> caf\xE9\n", ":3: column 6: the bytes are not valid UTF-8"},
        {"tema: a\n> \xE2\x86\x92\n", ":2: column 3: the character U+2192"},
        {"tema: a\n\ntema: b\n> " + std::string(kLongitudRegistro, 'a') + "\n",
         ":3: the question starting here takes 32773 bytes once packed; a question may take at "
         "most 32768 (topic and text plus 4)\n"},
        {"# solo comentarios\n", ":1: the source holds no question"},
        {muchas, ":65536: question 65536 of 65536 starts here; a set holds at most 65535\n"},
    };
    for (const Caso& c : casos) {
        EscribeFichero(En("mal.txt"), c.fuente);
        const TResultado r = Ejecuta({"pack", En("mal.txt"), "-o", En("mal.preg")});
        EXPECT_EQ(r.Estado, kSalidaFallo);
        EXPECT_EQ(r.Errores.rfind(En("mal.txt") + c.error, 0), 0u) << r.Errores;
        EXPECT_FALSE(ExisteFichero(En("mal.preg")));
    }
    const TResultado falta = Ejecuta({"pack", En("no.txt"), "-o", En("no.preg")});
    EXPECT_EQ(falta.Estado, kSalidaFallo);
    EXPECT_EQ(falta.Errores,
              "tildora-tool: cannot open " + En("no.txt") + ": No such file or directory\n");
}

TEST_F(Herramienta, PackExplainsTheKeyRuleAndLeavesNoSet) {
    // Record 1 without its final NUL: 13 bytes, of which ancho 0, the topic's NUL and the blank
    // are readable.
    EscribeFichero(En("k.txt"),
                   "\n# primero\ntema: \xC3\xA1\xC3\xA9\nmodo: acentos\n"
                   "> @\xC3\xA1@ @\xC3\xA9@\n>\ntema: b\n> @b@ien\n");
    const TResultado r = Ejecuta({"pack", En("k.txt"), "-o", En("k.preg")});
    EXPECT_EQ(r.Estado, kSalidaFallo);
    EXPECT_TRUE(r.Errores.starts_with("Fichero con clave desconocida: k.preg\n")) << r.Errores;
    EXPECT_TRUE(Contiene(r.Errores, "first question (line 3)")) << r.Errores;
    EXPECT_TRUE(Contiene(r.Errores, "at least 81 per cent")) << r.Errores;
    EXPECT_TRUE(Contiene(r.Errores, "it is 23 per cent")) << r.Errores;
    EXPECT_FALSE(ExisteFichero(En("k.preg")));
    EXPECT_FALSE(ExisteFichero(En("k.ind")));
}

TEST_F(Herramienta, CheckGivesTheProgramsNoticeForEachFailure) {
    const std::vector<TPregunta> preguntas = {kPrimera, P("t", "@a@")};
    const auto estropea = [&](const std::string& fichero, auto cambio) {
        EscribeConjunto(En("s.preg"), preguntas);
        std::string bytes = LeeFicheroEntero(En(fichero));
        cambio(bytes);
        EscribeFichero(En(fichero), bytes);
    };
    struct Caso {
        std::function<void()> prepara;
        std::string aviso;
    };
    const Caso casos[] = {
        {[&] { std::remove(En("s.ind").c_str()); }, "Fichero no encontrado: s.ind"},
        {[&] { std::remove(En("s.preg").c_str()); }, "Fichero no encontrado: s.preg"},
        {[&] { estropea("s.preg", [](std::string& b) { b.resize(b.size() - 12); }); },
         "Fichero sin CheckSum: s.preg"},
        {[&] { estropea("s.ind", [](std::string& b) { b[b.size() - 9] = 'c'; }); },
         "Fichero sin CheckSum: s.ind"},
        {[&] { estropea("s.preg", [](std::string& b) { b[0] ^= 1; }); },
         "Fichero con CheckSum err\xC3\xB3neo: s.preg"},
        {[&] { estropea("s.ind", [](std::string& b) { b[4] ^= 1; }); },
         "Fichero con CheckSum err\xC3\xB3neo: s.ind"},
        {[&] { EscribeConjunto(En("s.preg"), preguntas, "Otra clave cualquiera"); },
         "Fichero con clave desconocida: s.preg"},
    };
    for (const Caso& c : casos) {
        EscribeConjunto(En("s.preg"), preguntas);
        c.prepara();
        for (const char* orden : {"check", "unpack", "config"}) {
            std::vector<std::string> argumentos = {orden, En("s.preg")};
            if (std::string(orden) == "config")
                argumentos.push_back("--all");
            const TResultado r = Ejecuta(argumentos);
            EXPECT_EQ(r.Estado, kSalidaFallo) << orden << " " << c.aviso;
            EXPECT_EQ(r.Errores, c.aviso + "\n") << orden;
            EXPECT_EQ(r.Salida, "") << orden;
        }
    }
}

TEST_F(Herramienta, CheckSummarisesAValidSet) {
    EscribeConjunto(En("s.preg"), {kPrimera, P("b o v", "@b@ @v@ @b@", 0, 1),
                                   P("Acentos", "@cami\xF3n@", 1), P("b o v", "")});
    const TResultado r = Ejecuta({"check", En("s.preg")});
    EXPECT_EQ(r.Estado, kSalidaBien);
    EXPECT_EQ(r.Errores, "");
    EXPECT_EQ(r.Salida,
              "s.preg: valid, 4 questions, 3 topics\n"
              "  1. Primera: 1 question\n"
              "  2. b o v: 2 questions\n"
              "  3. Acentos: 1 question\n"
              "Accent-practice questions (modo acentos): 1\n"
              "Most gaps in one question: 3 (question 2)\n");
}

TEST_F(Herramienta, CheckWarnsOfWhatTheProgramHandlesBadly) {
    std::string muchosHuecos, muchasPiezas;
    for (int i = 0; i < 201; ++i)
        muchosHuecos += "@a@";
    for (int i = 0; i < 201; ++i)
        muchasPiezas += "x\r";
    std::vector<TPregunta> preguntas = {kPrimera, P("t", "@impar"), P("t", muchosHuecos),
                                        P("t", muchasPiezas),
                                        P("t", std::string(kLongitudRegistro, 'a'))};
    for (int i = 0; i < 200; ++i)
        preguntas.push_back(P("tema " + std::to_string(i), "x"));
    EscribeConjunto(En("s.preg"), preguntas);
    const TResultado r = Ejecuta({"check", En("s.preg")});
    EXPECT_EQ(r.Estado, kSalidaBien);
    const std::string prefijo = "warning: " + En("s.preg") + ": ";
    for (const std::string aviso :
         {"202 topics; the program lists only the first 200",
          "question 2: an odd number of gap marks (\"@\"): 1", "question 3: 201 gaps",
          "question 4: 201 text pieces", "question 5: a record of 32773 bytes"})
        EXPECT_TRUE(Contiene(r.Errores, prefijo + aviso)) << aviso << "\n" << r.Errores;
    EXPECT_TRUE(Contiene(r.Salida, "  and 2 more topics that the program does not list\n"));
}

TEST_F(Herramienta, ConfigWritesTheSettingsTheProgramRestores) {
    EscribeConjunto(En("cuaderno.preg"),
                    {kPrimera, P("b", "x"), P("c", "x"), P("b", "y"), P("d", "x"), P("e", "x")});
    struct Caso {
        std::vector<std::string> eleccion;
        std::vector<bool> marcados;  // topics 1 to 5
    };
    const Caso casos[] = {{{"--select", "1,3-4"}, {true, false, true, true, false}},
                          {{"--select", "5,2-2"}, {false, true, false, false, true}},
                          {{"--all"}, {true, true, true, true, true}}};
    for (const Caso& c : casos) {
        std::vector<std::string> argumentos = {"config", En("cuaderno.preg")};
        argumentos.insert(argumentos.end(), c.eleccion.begin(), c.eleccion.end());
        const TResultado r = Ejecuta(argumentos);
        ASSERT_EQ(r.Estado, kSalidaBien) << r.Errores;

        TFicherosPreguntas ficheros;
        ficheros.Abre(En("cuaderno.preg"));
        TLista temas;
        TTemasDePregunta temaDePregunta;
        ASSERT_EQ(LeeTemas(ficheros, temas, temaDePregunta), 5);
        TConfiguracion configuracion;
        const auto aviso = RestauraConfiguracion(Datos("cuaderno.cfg"), En("datos/Tildora"),
                                                 En("cuaderno.preg"), configuracion, temas);
        EXPECT_FALSE(aviso.has_value());
        for (int32_t i = 1; i <= 5; ++i)
            EXPECT_EQ(temas.Marcado(i), c.marcados[static_cast<size_t>(i - 1)]) << i;
        EXPECT_EQ(LeeFicheroEntero(Datos("cuaderno.cfg")).size(), kTamanoConfiguracion + 12);
    }
}

TEST_F(Herramienta, ConfigRefusesWrongSelections) {
    EscribeConjunto(En("s.preg"), {kPrimera, P("b", "x")});
    for (const std::vector<std::string>& argumentos : std::vector<std::vector<std::string>>{
             {"config", En("s.preg")},
             {"config", En("s.preg"), "--select", "3"},
             {"config", En("s.preg"), "--select", "0"},
             {"config", En("s.preg"), "--select", "1-"},
             {"config", En("s.preg"), "--select", "2-1"},
             {"config", En("s.preg"), "--select", "1,,2"},
             {"config", En("s.preg"), "--select", "uno"},
             {"config", En("s.preg"), "--select", "1", "--all"},
             {"config", En("s.preg"), "--select"},
         }) {
        const TResultado r = Ejecuta(argumentos);
        EXPECT_EQ(r.Estado, kSalidaUsoErroneo) << argumentos.back();
        EXPECT_FALSE(ExisteFichero(Datos("s.cfg")));
    }
}

TEST_F(Herramienta, HistoryShowsScoresAsPerCent) {
    const TResultado vacio = Ejecuta({"history", En("cuaderno.preg")});
    EXPECT_EQ(vacio.Estado, kSalidaBien);
    EXPECT_TRUE(vacio.Salida.starts_with("No history for cuaderno.preg yet")) << vacio.Salida;

    CreaCarpeta(En("datos/Tildora"));
    const std::string puntuaciones = {static_cast<char>(254), static_cast<char>(127), 0,
                                      static_cast<char>(PuntuacionHistoria(3, 4))};
    EscribeFichero(Datos("cuaderno.his"), puntuaciones);
    const TResultado r = Ejecuta({"history", "otra/carpeta/cuaderno.preg"});
    EXPECT_EQ(r.Estado, kSalidaBien);
    EXPECT_EQ(r.Salida, Datos("cuaderno.his") +
                            ": 4 sessions, oldest first\n  1. 100%\n  2. 50%\n  3. 0%\n  4. 75%\n");

    // Every score byte reads as the history window reads it.
    std::string todas, esperado;
    for (int b = 0; b < 256; ++b) {
        todas += static_cast<char>(b);
        esperado += "  " + std::to_string(b + 1) + ". " +
                    std::to_string(PorCientoHistoria(static_cast<uint8_t>(b))) + "%\n";
    }
    EscribeFichero(Datos("cuaderno.his"), todas);
    EXPECT_TRUE(Ejecuta({"history", "cuaderno.preg"}).Salida.ends_with(esperado));

    std::filesystem::remove(Datos("cuaderno.his"));
    CreaCarpeta(Datos("cuaderno.his"));
    const TResultado carpeta = Ejecuta({"history", "cuaderno.preg"});
    EXPECT_EQ(carpeta.Estado, kSalidaFallo);
    EXPECT_EQ(carpeta.Errores,
              "tildora-tool: cannot open " + Datos("cuaderno.his") + ": Is a directory\n");
}

TEST_F(Herramienta, WrongUsageExitsWithTwo) {
    for (const std::vector<std::string>& argumentos : std::vector<std::vector<std::string>>{
             {},
             {"frob"},
             {"pack"},
             {"pack", "a.txt"},
             {"pack", "a.txt", "-o"},
             {"pack", "a.txt", "-o", "a.ind"},
             {"pack", "a.txt", "b.txt", "-o", "a.preg"},
             {"unpack"},
             {"check", "a.preg", "b.preg"},
             {"check", "--verbose"},
             {"history"},
         }) {
        const TResultado r = Ejecuta(argumentos);
        EXPECT_EQ(r.Estado, kSalidaUsoErroneo) << (argumentos.empty() ? "" : argumentos.back());
        EXPECT_NE(r.Errores, "");
    }
    for (const char* orden : {"--help", "pack", "unpack", "check", "config", "history"}) {
        std::vector<std::string> argumentos = {orden};
        if (std::string(orden) != "--help")
            argumentos.push_back("--help");
        const TResultado r = Ejecuta(argumentos);
        EXPECT_EQ(r.Estado, kSalidaBien) << orden;
        EXPECT_TRUE(r.Salida.starts_with("Usage: tildora-tool")) << orden;
    }
}

TEST_F(Herramienta, VersionIsTheProjects) {
    const TResultado r = Ejecuta({"--version"});
    EXPECT_EQ(r.Estado, kSalidaBien);
    EXPECT_EQ(r.Salida, "tildora-tool " TILDORA_VERSION "\n");
    EXPECT_EQ(r.Errores, "");
}

TEST_F(Herramienta, SampleSetsAreValidAndRoundTrip) {
    for (const std::string muestra : {"castellano", "valenciano"}) {
        const std::string nombre = std::string(TILDORA_SAMPLE_FOLDER) + "/" + muestra + ".preg";
        const TResultado r = Ejecuta({"check", nombre});
        EXPECT_EQ(r.Estado, kSalidaBien) << muestra << r.Errores;
        EXPECT_EQ(r.Errores, "") << muestra;

        TFicherosPreguntas ficheros;
        ficheros.Abre(nombre);
        TLista temas;
        TTemasDePregunta temaDePregunta;
        EXPECT_GE(LeeTemas(ficheros, temas, temaDePregunta), 5) << muestra;
        EXPECT_GE(ficheros.NumPreguntas(), 40) << muestra;
        int acentos = 0, varios = 0;
        for (int32_t n = 1; n <= ficheros.NumPreguntas(); ++n) {
            const TPregunta p = ficheros.LeePregunta(static_cast<uint16_t>(n));
            acentos += p.Modo == 1;
            varios += p.Texto.find('\r') != std::string::npos;
        }
        EXPECT_GT(acentos, 0) << muestra;
        EXPECT_GT(varios, 0) << muestra;

        const TResultado fuera = Ejecuta({"unpack", nombre});
        EscribeFichero(En("copia.txt"), fuera.Salida);
        ASSERT_EQ(Ejecuta({"pack", En("copia.txt"), "-o", En("copia.preg")}).Estado, kSalidaBien);
        EXPECT_EQ(LeeFicheroEntero(En("copia.preg")), LeeFicheroEntero(nombre)) << muestra;
    }
}

TEST_F(Herramienta, SetsNamedOnWindowsAndOddNamesFollowTheProgramsRule) {
    const TConjuntoEscrito conjunto = ConstruyeConjunto({kPrimera, P("Otro", "Y un @hueco@")});
    EscribeFichero(En("TEMA1.PREG"), conjunto.Preguntas);
    EscribeFichero(En("TEMA1.IND"), conjunto.Indice);
    const TResultado r = Ejecuta({"check", En("TEMA1.PREG")});
    EXPECT_EQ(r.Estado, kSalidaBien) << r.Errores;
    EXPECT_TRUE(r.Salida.starts_with("TEMA1.PREG: valid, 2 questions")) << r.Salida;

    // The settings and history files of ".preg" and "a.b.preg" are named as the program names them.
    EscribeConjunto(En(".preg"), {kPrimera});
    EscribeConjunto(En("a.b.preg"), {kPrimera});
    for (const auto& [nombre, base] :
         std::vector<std::pair<std::string, std::string>>{{".preg", ""}, {"a.b.preg", "a.b"}}) {
        SCOPED_TRACE(nombre);
        ASSERT_EQ(Ejecuta({"check", En(nombre)}).Estado, kSalidaBien);
        ASSERT_EQ(Ejecuta({"config", En(nombre), "--all"}).Estado, kSalidaBien);
        EXPECT_TRUE(ExisteFichero(Datos(base + ".cfg")));
        EscribeFichero(Datos(base + ".his"), "\x7F");
        EXPECT_TRUE(Contiene(Ejecuta({"history", En(nombre)}).Salida, "1 session"));
    }
}

TEST_F(Herramienta, CheckReadsAHostileSetOneQuestionAtATime) {
    const TConjuntoEscrito conjunto = ConjuntoDeTemaRepetido();
    EscribeFichero(En("repetido.preg"), conjunto.Preguntas);
    EscribeFichero(En("repetido.ind"), conjunto.Indice);
    const TResultado r = Ejecuta({"check", En("repetido.preg")});
    EXPECT_EQ(r.Estado, kSalidaBien) << r.Errores;
    EXPECT_TRUE(r.Salida.starts_with("repetido.preg: valid, 65535 questions, 2 topics"))
        << r.Salida;
    EXPECT_TRUE(Contiene(r.Salida, ": 65534 questions\n")) << r.Salida;
    EXPECT_TRUE(Contiene(r.Salida, "(no topic): 1 question\n")) << r.Salida;
}

namespace {

const char* const kFuenteBuena =
    "tema: Primera\n> Una pregunta sencilla, con letras y puntos. Nada mas.\n"
    "tema: Otra\n> Con un @hueco@.\n";

std::map<std::string, std::string> Ficheros(const std::string& carpeta) {
    std::map<std::string, std::string> ficheros;
    for (const auto& entrada : std::filesystem::directory_iterator(carpeta))
        ficheros[entrada.path().filename().string()] =
            entrada.is_directory() ? "<folder>" : LeeFicheroEntero(entrada.path().string());
    return ficheros;
}

}  // namespace

TEST_F(Herramienta, PackNeverHarmsTheSetItWouldReplace) {
    CreaCarpeta(En("s"));
    EscribeConjunto(En("s/s.preg"), {kPrimera, P("vieja", "La pregunta @vieja@.")});
    const auto antes = Ficheros(En("s"));
    struct Caso {
        std::string fuente;  // empty: no source file at all
        std::string error;
    };
    const Caso casos[] = {
        {"tema: \xC3\xA1\xC3\xA9\nmodo: acentos\n> @\xC3\xA1@ @\xC3\xA9@\n",
         "Fichero con clave desconocida: s.preg\n"},
        {"tema: a\n> caf\xE9\n", En("f.txt") + ":2: column 6: the bytes are not valid UTF-8"},
        {"", "tildora-tool: cannot open " + En("f.txt") + ": No such file or directory\n"},
    };
    for (const Caso& c : casos) {
        std::filesystem::remove(En("f.txt"));
        if (!c.fuente.empty())
            EscribeFichero(En("f.txt"), c.fuente);
        const TResultado r = Ejecuta({"pack", En("f.txt"), "-o", En("s/s.preg")});
        EXPECT_EQ(r.Estado, kSalidaFallo) << c.error;
        EXPECT_TRUE(r.Errores.starts_with(c.error)) << r.Errores;
        EXPECT_EQ(Ficheros(En("s")), antes) << c.error;
    }

    // A folder where the index goes: named with its reason, and the question file stays.
    std::filesystem::remove(En("s/s.ind"));
    CreaCarpeta(En("s/s.ind"));
    EscribeFichero(En("f.txt"), kFuenteBuena);
    const auto conCarpeta = Ficheros(En("s"));
    const TResultado r = Ejecuta({"pack", En("f.txt"), "-o", En("s/s.preg")});
    EXPECT_EQ(r.Estado, kSalidaFallo);
    // After the warnings, such as a question without a gap.
    EXPECT_TRUE(
        r.Errores.ends_with("\ntildora-tool: cannot write " + En("s/s.ind") + ": Is a directory\n"))
        << r.Errores;
    EXPECT_EQ(Ficheros(En("s")), conCarpeta);
}

TEST_F(Herramienta, PackThroughASymbolicLinkWritesThePairBesideItsTarget) {
    CreaCarpeta(En("otra"));
    EscribeConjunto(En("otra/real.preg"), {kPrimera});
    std::filesystem::create_symlink("otra/real.preg", En("enlace.preg"));
    EscribeFichero(En("f.txt"), kFuenteBuena);
    const TResultado r = Ejecuta({"pack", En("f.txt"), "-o", En("enlace.preg")});
    ASSERT_EQ(r.Estado, kSalidaBien) << r.Errores;
    EXPECT_FALSE(ExisteFichero(En("enlace.ind")));
    EXPECT_TRUE(std::filesystem::is_symlink(En("enlace.preg")));
    const TResultado check = Ejecuta({"check", En("otra/real.preg")});
    EXPECT_TRUE(check.Salida.starts_with("real.preg: valid, 2 questions")) << check.Salida;
}

TEST_F(Herramienta, PackOnAFullDiskGivesTheReasonAndKeepsTheOldSet) {
    TDiscoPequeno disco(64);
    if (!disco.Montado())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    EscribeConjunto(disco.En("s.preg"), {kPrimera});
    const std::string preg = LeeFicheroEntero(disco.En("s.preg"));
    const std::string ind = LeeFicheroEntero(disco.En("s.ind"));
    std::string fuente = kFuenteBuena;
    for (int i = 0; i < 8; ++i)
        fuente += "tema: t\n> " + std::string(20000, 'a') + "\n";
    EscribeFichero(En("f.txt"), fuente);
    const TResultado r = Ejecuta({"pack", En("f.txt"), "-o", disco.En("s.preg")});
    EXPECT_EQ(r.Estado, kSalidaFallo);
    EXPECT_TRUE(Contiene(r.Errores, "tildora-tool: cannot write " + disco.En("s.preg") +
                                        ": No space left on device\n"))
        << r.Errores;
    EXPECT_EQ(Ficheros(disco.En("")),
              (std::map<std::string, std::string>{{"s.preg", preg}, {"s.ind", ind}}));
}

TEST_F(Herramienta, CommandsMeetingAnInterruptedSaveUndoItFirst) {
    EscribeConjunto(En("s.preg"), {kPrimera});
    const TCarpetaTemporal copia;
    // The disk as a kill leaves it when the new question file is in and the new index not yet.
    bool copiado = false;
    PonTestigoEscritura([&](TPasoEscritura paso, const std::string& fichero) {
        if (!copiado && paso == TPasoEscritura::Aparta && fichero == En("s.ind")) {
            std::filesystem::copy(carpeta_.Ruta(), copia.Ruta(),
                                  std::filesystem::copy_options::recursive);
            copiado = true;
        }
    });
    EscribeConjunto(En("s.preg"), {kPrimera, P("t", "x"), P("u", "y")});
    PonTestigoEscritura(nullptr);
    ASSERT_TRUE(copiado);
    ASSERT_TRUE(ExisteFichero(copia.En("s.preg-journal")));
    const TResultado r = Ejecuta({"check", copia.En("s.preg")});
    EXPECT_EQ(r.Estado, kSalidaBien) << r.Errores;
    EXPECT_TRUE(r.Salida.starts_with("s.preg: valid, 1 questions")) << r.Salida;
    EXPECT_FALSE(ExisteFichero(copia.En("s.preg-journal")));
}

TEST_F(Herramienta, ConfigNamesTheFileAndTheReason) {
    EscribeConjunto(En("s.preg"), {kPrimera});
    CreaCarpeta(Datos("s.cfg"));
    const TResultado r = Ejecuta({"config", En("s.preg"), "--all"});
    EXPECT_EQ(r.Estado, kSalidaFallo);
    EXPECT_EQ(r.Errores, "tildora-tool: cannot write " + Datos("s.cfg") + ": Is a directory\n");
}

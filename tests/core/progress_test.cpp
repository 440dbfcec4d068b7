#include "core/learning/progress.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "core/base/io_error.h"
#include "core/learning/review_schedule.h"
#include "core/set/writer.h"
#include "temp_folder.h"

namespace {

TResultadoPregunta Resultado(uint64_t huella, uint8_t caja, int64_t vence, uint32_t fallos,
                             uint32_t aciertos, std::vector<uint8_t> huecos) {
    TResultadoPregunta resultado;
    resultado.Huella = huella;
    resultado.Caja = caja;
    resultado.Vence = vence;
    resultado.Fallos = fallos;
    resultado.Aciertos = aciertos;
    resultado.HuecosErroneos = std::move(huecos);
    return resultado;
}

TProgreso Ejemplo() {
    TProgreso progreso;
    progreso.Preguntas[1] = Resultado(0x0123456789abcdefULL, 0, 0, 0, 3, {});
    progreso.Preguntas[7] = Resultado(0xffffffffffffffffULL, 1, 20000, 2, 0, {1, 3, 200});
    progreso.Preguntas[65535] = Resultado(1, 4, 20010, 1, 4, {2});
    progreso.Sesiones = {{1700000000, 10, 7}, {1600000000, 4, 4}};  // the second dated earlier
    return progreso;
}

void EscribeBytes(const std::string& ruta, std::string_view bytes) {
    std::ofstream(ruta, std::ios::binary) << bytes;
}

}  // namespace

TEST(Progress, BytesReadBackAsWritten) {
    const TProgreso progreso = Ejemplo();
    const std::string bytes = BytesProgreso(progreso);
    EXPECT_EQ(bytes,
              "Tildora progreso 2\n"
              "P 1 0123456789abcdef 0 0 0 3 -\n"
              "P 7 ffffffffffffffff 1 20000 2 0 1,3,200\n"
              "P 65535 0000000000000001 4 20010 1 4 2\n"
              "S 1700000000 10 7\n"
              "S 1600000000 4 4\n"
              "Fin\n");
    TProgreso leido;
    ASSERT_TRUE(LeeBytesProgreso(bytes, leido));
    EXPECT_EQ(BytesProgreso(leido), bytes);
    EXPECT_EQ(leido.Preguntas.at(7).HuecosErroneos, (std::vector<uint8_t>{1, 3, 200}));
    EXPECT_EQ(leido.Preguntas.at(7).TurnoFallo, -1);
    EXPECT_EQ(leido.Sesiones.size(), 2u);
    EXPECT_EQ(leido.Sesiones[1].Fecha, 1600000000);

    TProgreso vacio;
    ASSERT_TRUE(LeeBytesProgreso(BytesProgreso({}), vacio));
    EXPECT_TRUE(vacio.Preguntas.empty());

    // A version 1 file reads as before and is written again as version 2.
    std::string version1 = bytes;
    version1.replace(0, 18, "Tildora progreso 1");
    TProgreso antiguo;
    ASSERT_TRUE(LeeBytesProgreso(version1, antiguo));
    EXPECT_EQ(BytesProgreso(antiguo), bytes);
}

TEST(Progress, VersionTwoFieldsAndALaterVersionsFieldsSurvive) {
    TProgreso progreso = Ejemplo();
    TResultadoPregunta& septima = progreso.Preguntas.at(7);
    septima.Visto = 1700000000;
    septima.FallosRegla[static_cast<size_t>(TReglaOrtografica::Acento)] = 3;
    septima.FallosRegla[static_cast<size_t>(TReglaOrtografica::Otra)] = 1;
    septima.Dictado = TDictado{12, 2, 1, 0};
    progreso.Sesiones[0].FallosRegla[static_cast<size_t>(TReglaOrtografica::BV)] = 2;
    // Another set of the same name keeps its question 7 in the same file.
    progreso.Ajenas.push_back({7, Resultado(5, 2, 19000, 1, 1, {})});
    const std::string bytes = BytesProgreso(progreso);
    EXPECT_NE(bytes.find("P 7 0000000000000005 2 19000 1 1 -\n"
                         "P 7 ffffffffffffffff 1 20000 2 0 1,3,200 visto=1700000000 "
                         "reglas=3,0,0,0,0,0,0,0,0,0,0,1 dictado=12,2,1,0\n"),
              std::string::npos)
        << bytes;
    EXPECT_NE(bytes.find("S 1700000000 10 7 reglas=0,2,0,0,0,0,0,0,0,0,0,0\n"), std::string::npos);
    TProgreso leido;
    ASSERT_TRUE(LeeBytesProgreso(bytes, leido));
    EXPECT_EQ(BytesProgreso(leido), bytes);
    EXPECT_EQ(leido.Ajenas.size(), 1u);

    // What a later version adds: more rules, fields and lines unknown here. They are read past
    // and written back as they came.
    const std::string posterior =
        "Tildora progreso 2\n"
        "P 3 0000000000000009 0 0 0 1 - reglas=1,0,0,0,0,0,0,0,0,0,0,0,7 nuevo=a,b x\n"
        "S 1 2 1 sesion=3\n"
        "Q lo que sea\n"
        "Fin\n";
    ASSERT_TRUE(LeeBytesProgreso(posterior, leido));
    EXPECT_EQ(leido.Preguntas.at(3).FallosRegla[0], 1u);
    EXPECT_EQ(BytesProgreso(leido),
              "Tildora progreso 2\n"
              "P 3 0000000000000009 0 0 0 1 - reglas=1,0,0,0,0,0,0,0,0,0,0,0 nuevo=a,b x\n"
              "S 1 2 1 sesion=3\n"
              "Q lo que sea\n"
              "Fin\n");
}

TEST(Progress, RefusesWhatIsNotAWholeFileOfThisVersion) {
    const std::string bueno = BytesProgreso(Ejemplo());
    const std::pair<const char*, std::string> casos[] = {
        {"empty", ""},
        {"cut inside a line", bueno.substr(0, bueno.size() - 20)},
        {"cut at a line's end", bueno.substr(0, bueno.find("S 16"))},
        {"end line without its line feed", bueno.substr(0, bueno.size() - 1)},
        {"bytes after the end", bueno + "P 2 0000000000000001 0 0 0 1 -\n"},
        {"a later version", "Tildora progreso 3\nFin\n"},
        {"version with trailing text", "Tildora progreso 1x\nFin\n"},
        {"foreign", "\x89PNG\r\n\x1a\n"},
        {"question 0", "Tildora progreso 1\nP 0 0000000000000001 0 0 0 1 -\nFin\n"},
        {"question beyond 16 bits",
         "Tildora progreso 1\nP 65536 0000000000000001 0 0 0 1 -\nFin\n"},
        {"twice the same question",
         "Tildora progreso 1\nP 2 0000000000000001 0 0 0 1 -\nP 2 0000000000000002 0 0 0 1 "
         "-\nFin\n"},
        {"out of order",
         "Tildora progreso 1\nP 3 0000000000000001 0 0 0 1 -\nP 2 0000000000000002 0 0 0 1 "
         "-\nFin\n"},
        {"a field too many", "Tildora progreso 1\nP 2 0000000000000001 0 0 0 1 - x\nFin\n"},
        {"short fingerprint", "Tildora progreso 1\nP 2 01 0 0 0 1 -\nFin\n"},
        {"box beyond the last", "Tildora progreso 1\nP 2 0000000000000001 5 0 0 1 -\nFin\n"},
        {"gap 0", "Tildora progreso 1\nP 2 0000000000000001 1 0 1 0 0\nFin\n"},
        {"empty gap list", "Tildora progreso 1\nP 2 0000000000000001 1 0 1 0 \nFin\n"},
        {"missing field", "Tildora progreso 1\nP 2 0000000000000001 1 0 1 0\nFin\n"},
        {"negative count", "Tildora progreso 1\nS 1 -1 0\nFin\n"},
        {"more right than answered", "Tildora progreso 1\nS 1 3 4\nFin\n"},
        {"unknown line", "Tildora progreso 1\nX\nFin\n"},
        {"carriage returns", "Tildora progreso 1\r\nFin\r\n"},
        {"2: empty line", "Tildora progreso 2\n\nFin\n"},
        {"2: moment not a number",
         "Tildora progreso 2\nP 2 0000000000000001 0 0 0 1 - visto=x\nFin\n"},
        {"2: rule count not a number",
         "Tildora progreso 2\nP 2 0000000000000001 0 0 0 1 - reglas=1,,2\nFin\n"},
        {"2: dictation short of a count",
         "Tildora progreso 2\nP 2 0000000000000001 0 0 0 1 - dictado=1,2,3\nFin\n"},
        {"2: two blanks", "Tildora progreso 2\nS 1 3 2  x=1\nFin\n"},
        {"2: a fixed field missing", "Tildora progreso 2\nS 1 3 visto=1\nFin\n"},
    };
    for (const auto& [caso, bytes] : casos) {
        TProgreso progreso = Ejemplo();
        EXPECT_FALSE(LeeBytesProgreso(bytes, progreso)) << caso;
        EXPECT_TRUE(progreso.Preguntas.empty() && progreso.Sesiones.empty()) << caso;
    }
}

TEST(Progress, ADamagedFileIsKeptAsideAndTheLearnerStartsAfresh) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("set.prg");

    EXPECT_EQ(CargaProgreso(ruta).Estado, TEstadoProgreso::Nuevo);

    const std::string bueno = BytesProgreso(Ejemplo());
    EscribeBytes(ruta, bueno);
    const TCargaProgreso leida = CargaProgreso(ruta);
    EXPECT_EQ(leida.Estado, TEstadoProgreso::Leido);
    EXPECT_EQ(leida.Progreso.Preguntas.size(), 3u);
    EXPECT_EQ(LeeFicheroEntero(ruta), bueno);

    for (const std::string& danado : {std::string(), bueno.substr(0, 30)}) {
        EscribeBytes(ruta, danado);
        const TCargaProgreso carga = CargaProgreso(ruta);
        EXPECT_EQ(carga.Estado, TEstadoProgreso::Danado);
        EXPECT_TRUE(carga.Progreso.Preguntas.empty());
        EXPECT_FALSE(std::filesystem::exists(ruta));
        ASSERT_FALSE(carga.Apartado.empty());
        EXPECT_EQ(LeeFicheroEntero(carga.Apartado), danado);
    }
    // The second damaged file did not overwrite the first one kept aside.
    EXPECT_EQ(LeeFicheroEntero(ruta + ".danado"), "");
    EXPECT_EQ(LeeFicheroEntero(ruta + ".danado2"), bueno.substr(0, 30));

    // A folder in its place cannot be read, and stays.
    std::filesystem::create_directory(ruta);
    const TCargaProgreso carpetaEnSuLugar = CargaProgreso(ruta);
    EXPECT_EQ(carpetaEnSuLugar.Estado, TEstadoProgreso::Danado);
    EXPECT_TRUE(carpetaEnSuLugar.Apartado.empty());
    EXPECT_TRUE(std::filesystem::is_directory(ruta));
}

TEST(Progress, SavedThroughTheWriterHandedIn) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("set.prg");
    std::string escrito;
    GuardaProgreso(ruta, Ejemplo(), [&](const std::string& r, std::string_view bytes) {
        EXPECT_EQ(r, ruta);
        escrito = bytes;
    });
    EXPECT_EQ(escrito, BytesProgreso(Ejemplo()));
    GuardaProgreso(ruta, Ejemplo());
    EXPECT_EQ(CargaProgreso(ruta).Estado, TEstadoProgreso::Leido);

    // Where nothing can be written the caller hears of it, and what was there stays.
    const std::string enCarpeta = carpeta.En("carpeta.prg");
    std::filesystem::create_directory(enCarpeta);
    EXPECT_THROW(GuardaProgreso(enCarpeta, Ejemplo()), IoError);
    EXPECT_TRUE(std::filesystem::is_directory(enCarpeta));
    EXPECT_THROW(GuardaProgreso(carpeta.En("falta/set.prg"), Ejemplo()), IoError);
}

TEST(Progress, EditedMovedOrVanishedQuestionsStartAfresh) {
    TProgreso progreso = Ejemplo();
    std::vector<uint64_t> huellas(10, 99);
    huellas[0] = 0x0123456789abcdefULL;  // question 1 as it was
    // Question 7 was edited; 65535 lies beyond the set.
    ConciliaProgreso(progreso, huellas);
    EXPECT_EQ(progreso.Preguntas.size(), 1u);
    EXPECT_TRUE(progreso.Preguntas.contains(1));
    EXPECT_EQ(progreso.Sesiones.size(), 2u);
    // Their past is kept for whoever still holds those records.
    ASSERT_EQ(progreso.Ajenas.size(), 2u);
    EXPECT_EQ(progreso.Ajenas[0].Numero, 7);
    EXPECT_EQ(progreso.Ajenas[1].Numero, 65535);

    // A question moved to another number takes its past with it.
    huellas[2] = 0xffffffffffffffffULL;
    ConciliaProgreso(progreso, huellas);
    EXPECT_EQ(progreso.Preguntas.at(3).Fallos, 2u);
    EXPECT_EQ(progreso.Ajenas.size(), 1u);

    // Two questions with the same record (the same fingerprint) keep separate pasts.
    TProgreso gemelas;
    const uint64_t h = HuellaRegistro("tema\0texto");
    AnotaRespuesta(gemelas, 2, h, {1}, 0);
    AnotaRespuesta(gemelas, 5, h, {}, 0);
    ConciliaProgreso(gemelas, {0, h, 0, 0, h});
    EXPECT_EQ(gemelas.Preguntas.at(2).Caja, 1);
    EXPECT_EQ(gemelas.Preguntas.at(5).Caja, 0);
}

TEST(Progress, FingerprintsTellRecordsApart) {
    const std::string_view registros[] = {"",
                                          std::string_view("\0", 1),
                                          "a",
                                          "b",
                                          "ab",
                                          "ba",
                                          std::string_view("a\0b", 3),
                                          std::string_view("a\0c", 3)};
    for (const auto& a : registros)
        for (const auto& b : registros)
            EXPECT_EQ(HuellaRegistro(a) == HuellaRegistro(b), a == b);
}

TEST(Progress, DatesInLocalTime) {
    const char* antes = std::getenv("TZ");
    const std::string guardado = antes ? antes : "";
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(FechaSesion(0), "1970-01-01 00:00");
    EXPECT_EQ(FechaSesion(1700000000), "2023-11-14 22:13");
    EXPECT_EQ(DiaLocal(0), 0);
    EXPECT_EQ(DiaLocal(86399), 0);
    EXPECT_EQ(DiaLocal(86400), 1);
    EXPECT_EQ(DiaLocal(-1), -1);
    EXPECT_EQ(DiaLocal(1700000000), 19675);
    setenv("TZ", "UTC-10", 1);  // ten hours east: 22:13 UTC is the next day
    tzset();
    EXPECT_EQ(DiaLocal(1700000000), 19676);
    if (antes)
        setenv("TZ", guardado.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(Progress, NamedAfterTheQuestionFile) {
    EXPECT_EQ(NombreProgreso("/x/tema1.preg"), "tema1.prg");
    EXPECT_EQ(NombreProgreso("a.b.preg"), "a.b.prg");
}

TEST(Progress, MostOftenWrongFirstTiesByNumber) {
    const auto con = [](std::initializer_list<std::pair<uint16_t, uint32_t>> fallos) {
        std::map<uint16_t, TResultadoPregunta> preguntas;
        for (const auto& [numero, veces] : fallos) {
            preguntas[numero].Fallos = veces;
            preguntas[numero].Aciertos = 3;
        }
        return preguntas;
    };
    const struct {
        const char* caso;
        std::map<uint16_t, TResultadoPregunta> preguntas;
        size_t maximo;
        std::vector<uint16_t> esperadas;
    } casos[] = {
        {"none answered", {}, 10, {}},
        {"never wrong is left out", con({{4, 0}, {9, 2}}), 10, {9}},
        {"most wrong first", con({{1, 1}, {2, 5}, {3, 3}}), 10, {2, 3, 1}},
        {"ties by lower number", con({{65535, 2}, {7, 2}, {300, 2}}), 10, {7, 300, 65535}},
        {"cut at the most, keeping the top",
         con({{1, 1}, {2, 4}, {3, 4}, {4, 9}, {5, 2}}),
         3,
         {4, 2, 3}},
        {"no room", con({{1, 1}}), 0, {}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(PreguntasMasFalladas(c.preguntas, c.maximo), c.esperadas) << c.caso;
}

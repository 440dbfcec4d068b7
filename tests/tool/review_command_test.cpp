#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "commands.h"
#include "core/learning/progress.h"
#include "core/learning/review_schedule.h"
#include "core/set/writer.h"
#include "run_tool.h"
#include "temp_folder.h"

namespace {

const std::vector<TPregunta> kPreguntas = {
    {0, 0, "Primera", "Una pregunta sencilla, con letras y puntos. Nada mas."},
    {0, 0, "T", "El @cami\xF3@n"},
    {1, 0, "T", "La @pla\xE7@a"},
    {0, 0, "U", "La @col\xB7lecci\xF3@"},
    {0, 0, "U", "Un @\xE1rbol@"},
};

class Repaso : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("XDG_DATA_HOME", carpeta_.En("datos").c_str(), 1);
        std::filesystem::create_directories(Datos(""));
        EscribeConjunto(Conjunto(), kPreguntas);
    }
    std::string Conjunto() const { return carpeta_.En("repaso.preg"); }
    std::string Datos(const std::string& nombre) const {
        return carpeta_.En("datos/Tildora/" + nombre);
    }
    static uint64_t Huella(int n) { return HuellaPregunta(kPreguntas[static_cast<size_t>(n) - 1]); }

    TCarpetaTemporal carpeta_;
};

}  // namespace

TEST_F(Repaso, PrintsTheDueQuestionsInOrderAndNothingElse) {
    EXPECT_EQ(Ejecuta({"review", Conjunto()}).Salida, "");

    const int64_t ahora = std::time(nullptr);
    const int64_t ayer = ahora - 86400;
    TProgreso progreso;
    AnotaRespuesta(progreso, 3, Huella(3), {1}, ayer);  // wrong: due
    AnotaRespuesta(progreso, 2, Huella(2), {}, ayer);   // never wrong
    AnotaRespuesta(progreso, 1, Huella(1), {2}, ayer);
    AnotaRespuesta(progreso, 4, Huella(4), {1}, ayer - 400 * 86400);
    AnotaRespuesta(progreso, 4, Huella(4), {}, ayer - 400 * 86400);  // box 2, long overdue
    AnotaRespuesta(progreso, 5, Huella(5) + 1, {1}, ayer);           // since edited
    AnotaRespuesta(progreso, 99, 7, {1}, ayer);                      // beyond the set
    GuardaProgreso(Datos("repaso.prg"), progreso);

    const TResultado r = Ejecuta({"review", Conjunto()});
    EXPECT_EQ(r.Estado, 0);
    EXPECT_EQ(r.Salida, "1\n3\n4\n");
    EXPECT_EQ(r.Errores, "");
    // The tool reads; the file stays as it was, its stale entries included.
    EXPECT_EQ(LeeFicheroEntero(Datos("repaso.prg")), BytesProgreso(progreso));
}

TEST_F(Repaso, ADamagedProgressFileLeavesNothingDueAndStaysWhereItIs) {
    const std::pair<const char*, std::string> casos[] = {
        {"empty", ""},
        {"cut", "Tildora progreso 1\nP 3 0000000000000001 1 0 1 0 1\n"},
        {"another version", "Tildora progreso 9\nFin\n"},
    };
    for (const auto& [caso, bytes] : casos) {
        SCOPED_TRACE(caso);
        { std::ofstream(Datos("repaso.prg"), std::ios::binary) << bytes; }
        const TResultado r = Ejecuta({"review", Conjunto()});
        EXPECT_EQ(r.Estado, 0);
        EXPECT_EQ(r.Salida, "");
        EXPECT_NE(r.Errores.find("damaged"), std::string::npos) << r.Errores;
        EXPECT_EQ(LeeFicheroEntero(Datos("repaso.prg")), bytes);
    }
}

TEST_F(Repaso, WrongUsageAndBadSets) {
    EXPECT_EQ(Ejecuta({"review"}).Estado, 2);
    EXPECT_EQ(Ejecuta({"review", Conjunto(), Conjunto()}).Estado, 2);
    EXPECT_EQ(Ejecuta({"review", "--todo"}).Estado, 2);
    const TResultado ayuda = Ejecuta({"review", "--help"});
    EXPECT_EQ(ayuda.Estado, 0);
    EXPECT_TRUE(ayuda.Salida.starts_with("Usage: tildora-tool review SET.preg")) << ayuda.Salida;

    const TResultado falta = Ejecuta({"review", carpeta_.En("no.preg")});
    EXPECT_EQ(falta.Estado, 1);
    EXPECT_EQ(falta.Salida, "");
    EXPECT_EQ(falta.Errores, "Fichero no encontrado: no.preg\n");
}

TEST_F(Repaso, HistoryGivesTheDateOfEachDatedSession) {
    const char* antes = std::getenv("TZ");
    const std::string guardado = antes ? antes : "";
    setenv("TZ", "UTC", 1);
    tzset();
    { std::ofstream(Datos("repaso.his"), std::ios::binary) << std::string("\x7F\xFE\x00", 3); }
    TProgreso progreso;
    CierraSesionProgreso(progreso, 1700000000, 4, 4);
    CierraSesionProgreso(progreso, 1600000000, 4, 0);  // a clock set back: kept as written
    GuardaProgreso(Datos("repaso.prg"), progreso);
    const TResultado r = Ejecuta({"history", Conjunto()});
    EXPECT_EQ(r.Estado, 0);
    EXPECT_TRUE(
        r.Salida.ends_with("  1. 50%\n"
                           "  2. 100%  2023-11-14 22:13\n"
                           "  3. 0%  2020-09-13 12:26\n"))
        << r.Salida;
    if (antes)
        setenv("TZ", guardado.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

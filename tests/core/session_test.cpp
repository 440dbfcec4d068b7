#include "core/learning/session.h"
#include "core/base/atomic_write.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/base/io_error.h"
#include "core/learning/history.h"
#include "core/learning/progress.h"
#include "core/set/settings_lookup.h"
#include "core/set/writer.h"
#include "temp_folder.h"
#include "test_questions.h"

namespace fs = std::filesystem;

namespace {

// One topic ticked or not, the others as they are, as the topic dialog gives them.
void MarcaTema(TSesion& sesion, const std::string& tema, bool marcado) {
    const TLista& temas = sesion.ListaTemas();
    std::vector<bool> marcas;
    for (int32_t i = 1; i <= temas.Cuenta(); ++i)
        marcas.push_back(i == temas.Busca(tema) ? marcado : temas.Marcado(i));
    sesion.SeleccionaTemas(marcas);
}

// Points XDG_DATA_DIRS at the given value for as long as it lives.
class TCarpetasSistemaTemporales {
  public:
    explicit TCarpetasSistemaTemporales(const std::string& valor) {
        if (const char* antes = std::getenv("XDG_DATA_DIRS"))
            antes_ = antes;
        setenv("XDG_DATA_DIRS", valor.c_str(), 1);
    }
    ~TCarpetasSistemaTemporales() {
        if (antes_)
            setenv("XDG_DATA_DIRS", antes_->c_str(), 1);
        else
            unsetenv("XDG_DATA_DIRS");
    }

  private:
    std::optional<std::string> antes_;
};

class SesionTest : public testing::Test {
  protected:
    void SetUp() override { sesion.PonCarpetaDatos(carpeta.En("datos/")); }

    // A set of the given topics, one question each, with one gap.
    std::string EscribeSet(const std::string& nombre, const std::vector<std::string>& temas) {
        std::vector<TPregunta> preguntas;
        for (const std::string& tema : temas)
            preguntas.push_back(Legible(tema));
        const std::string ruta = carpeta.En(nombre);
        EscribeConjunto(ruta, preguntas);
        return ruta;
    }

    TAvisosApertura Abre(const std::string& ruta) {
        TAviso aviso;
        EXPECT_TRUE(sesion.CompruebaConjunto(ruta, &aviso));
        return sesion.AbreConjunto();
    }

    std::string Historia(const std::string& nombre) const {
        return LeeFicheroEntero(carpeta.En("datos/" + nombre));
    }

    TCarpetaTemporal carpeta;
    TSesion sesion;
};

}  // namespace

TEST_F(SesionTest, OpeningReadsTheSetAndCreatesItsHistory) {
    const std::string ruta = EscribeSet("tema.preg", {"a", "b", "a"});
    const TAvisosApertura avisos = Abre(ruta);
    EXPECT_FALSE(avisos.Configuracion);
    EXPECT_FALSE(avisos.SinHistoria);
    EXPECT_TRUE(sesion.FicherosAbiertos());
    EXPECT_EQ(sesion.NumPreguntas(), 3);
    EXPECT_EQ(sesion.NumTemas(), 2);
    EXPECT_EQ(sesion.ListaTemas().CuentaMarcados(), 2);
    EXPECT_TRUE(fs::is_regular_file(carpeta.En("datos/tema.his")));
    EXPECT_EQ(Historia("tema.his"), "");
}

TEST_F(SesionTest, ASetThatFailsItsChecksLeavesNoSetOpen) {
    const std::string bueno = EscribeSet("bueno.preg", {"a"});
    Abre(bueno);
    const std::string roto = carpeta.En("roto.preg");
    EscribeFichero(roto, "no es un conjunto");
    TAviso aviso;
    EXPECT_FALSE(sesion.CompruebaConjunto(roto, &aviso));
    EXPECT_FALSE(aviso.empty());
    EXPECT_FALSE(sesion.FicherosAbiertos());
    EXPECT_FALSE(sesion.FicherosPreguntas().Abiertos());
    EXPECT_FALSE(sesion.HistoriaAbierta());
    EXPECT_EQ(sesion.NumPreguntas(), 0);
    EXPECT_EQ(sesion.NumTemas(), 0);
}

TEST_F(SesionTest, NextWalksInOrderWithinTheSelectedTopicsAndFromTheGoToNumber) {
    Abre(EscribeSet("orden.preg", {"a", "b", "a", "b"}));
    std::vector<int> vistas;
    for (int i = 0; i < 5; ++i)
        vistas.push_back(sesion.Siguiente());
    EXPECT_EQ(vistas, (std::vector<int>{1, 2, 3, 4, 1}));
    EXPECT_EQ(sesion.Pregunta().Tema, "a");

    MarcaTema(sesion, "a", false);
    sesion.ContinuaDesde(1);
    EXPECT_EQ(sesion.Siguiente(), 2);
    EXPECT_EQ(sesion.Siguiente(), 4);
    EXPECT_EQ(sesion.Pregunta().Tema, "b");

    sesion.CambiaOrden(false);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(sesion.Siguiente() % 2, 0);
}

TEST_F(SesionTest, NextWithoutASetShowsNothing) {
    EXPECT_EQ(sesion.Siguiente(), 0);
}

TEST_F(SesionTest, OnlyTheFirstRevealOfAQuestionShownCounts) {
    Abre(EscribeSet("cuenta.preg", {"a", "a"}));
    const struct {
        std::vector<bool> huecos;
        bool nuevaPregunta;
        int contestadas, acertadas;
    } pasos[] = {
        {{true, false, true}, true, 3, 2},
        {{true, true, true}, false, 3, 2},  // the same question revealed again
        {{false}, true, 4, 2},
        {{}, true, 4, 2},  // a question without gaps
        {{true, true}, true, 6, 4},
    };
    EXPECT_FALSE(sesion.PuntuacionActual());
    for (const auto& paso : pasos) {
        if (paso.nuevaPregunta)
            sesion.EmpiezaPregunta(1);
        sesion.PuntuaPregunta(paso.huecos);
        EXPECT_EQ(sesion.Contestadas(), paso.contestadas);
        EXPECT_EQ(sesion.Acertadas(), paso.acertadas);
    }
    EXPECT_EQ(sesion.PuntuacionActual(), PuntuacionHistoria(4, 6));
}

TEST_F(SesionTest, ClosingAppendsOneScoreOnlyWhenSomethingWasAnswered) {
    const std::string ruta = EscribeSet("notas.preg", {"a"});
    Abre(ruta);
    sesion.CierraFicheros();
    EXPECT_EQ(Historia("notas.his"), "");
    EXPECT_FALSE(sesion.FicherosAbiertos());

    Abre(ruta);
    sesion.EmpiezaPregunta(1);
    sesion.PuntuaPregunta({true, false});
    // Reopening the open set closes it first, with its score.
    Abre(ruta);
    EXPECT_EQ(sesion.Contestadas(), 0);
    EXPECT_EQ(Historia("notas.his"), std::string(1, static_cast<char>(127)));
    sesion.EmpiezaPregunta(1);
    sesion.PuntuaPregunta({true});
    sesion.CierraFicheros();
    EXPECT_EQ(Historia("notas.his"), std::string(1, static_cast<char>(127)) + "\xFE");
    EXPECT_EQ(sesion.NumPreguntas(), 0);
    // A second close does nothing.
    sesion.CierraFicheros();
    EXPECT_EQ(Historia("notas.his").size(), 2u);
}

TEST_F(SesionTest, WhereTheHistoryCannotBeWrittenTheSetStillOpens) {
    struct Caso {
        const char* nombre;
        std::string carpetaDatos;
        std::function<void()> bloquea;
    };
    const std::vector<Caso> casos = {
        {"a folder where the history file goes", carpeta.En("d1/"),
         [&] { fs::create_directories(carpeta.En("d1/set.his")); }},
        {"a file where the data folder goes", carpeta.En("d2/"),
         [&] { EscribeFichero(carpeta.En("d2"), "x"); }},
        {"a file where a parent of the data folder goes", carpeta.En("d3/sub/"),
         [&] { EscribeFichero(carpeta.En("d3"), "x"); }},
    };
    const std::string ruta = EscribeSet("set.preg", {"a", "b"});
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        caso.bloquea();
        sesion.PonCarpetaDatos(caso.carpetaDatos);
        const TAvisosApertura avisos = Abre(ruta);
        EXPECT_TRUE(avisos.SinHistoria);
        EXPECT_FALSE(avisos.Configuracion);
        EXPECT_TRUE(sesion.FicherosAbiertos());
        EXPECT_EQ(sesion.NumPreguntas(), 2);
        EXPECT_NE(sesion.Siguiente(), 0);
        sesion.EmpiezaPregunta(1);
        sesion.PuntuaPregunta({true});
        EXPECT_NO_THROW(sesion.CierraFicheros());
        EXPECT_FALSE(sesion.FicherosAbiertos());
    }
}

TEST(CarpetasSistema, FollowTheBaseDirectoryRules) {
    const struct {
        const char* valor;
        std::vector<std::string> carpetas;
    } casos[] = {
        {"", {"/usr/local/share/Tildora/", "/usr/share/Tildora/"}},
        {"/opt/a:/opt/b/", {"/opt/a/Tildora/", "/opt/b/Tildora/"}},
        {"relativa:/opt/c::", {"/opt/c/Tildora/"}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.valor);
        const TCarpetasSistemaTemporales sistema(caso.valor);
        EXPECT_EQ(CarpetasSistema(), caso.carpetas);
    }
}

TEST(BuscaConfiguracion, TakesTheFirstOfTheLearnersTheSystemsAndTheSetsOwn) {
    const TCarpetaTemporal raiz;
    const std::string datos = raiz.En("datos/");
    const std::string sistema1 = raiz.En("sis1"), sistema2 = raiz.En("sis2");
    const std::string conjunto = raiz.En("conjunto/x.y.preg");
    const TCarpetasSistemaTemporales variable(sistema1 + ":" + sistema2);
    const std::string propia = datos + "x.y.cfg";
    const std::string primera = sistema1 + "/Tildora/x.y.cfg";
    const std::string segunda = sistema2 + "/Tildora/x.y.cfg";
    const std::string junto = raiz.En("conjunto/x.y.cfg");
    for (const std::string& carpeta :
         {datos, sistema1 + "/Tildora", sistema2 + "/Tildora", raiz.En("conjunto")})
        fs::create_directories(carpeta);

    // Removed one by one from the first: each time the next one in the order is taken.
    const std::vector<std::string> orden = {propia, primera, segunda, junto};
    for (const std::string& ruta : orden)
        EscribeFichero(ruta, "c");
    for (const std::string& esperada : orden) {
        EXPECT_EQ(BuscaConfiguracion(conjunto, datos), esperada);
        fs::remove(esperada);
    }
    // None: the learner's own, which gives the defaults.
    EXPECT_EQ(BuscaConfiguracion(conjunto, datos), propia);
    // A folder of that name is no settings file.
    fs::create_directories(segunda);
    EXPECT_EQ(BuscaConfiguracion(conjunto, datos), propia);
}

TEST_F(SesionTest, TheSelectionComesFromTheSettingsBesideTheSet) {
    const TCarpetasSistemaTemporales sistema(carpeta.En("sistema"));
    const std::string ruta = EscribeSet("marcas.preg", {"a", "b", "c"});
    EscribeFichero(carpeta.En("marcas.cfg"), ConstruyeConfiguracion({false, true, false}));
    const TAvisosApertura avisos = Abre(ruta);
    EXPECT_FALSE(avisos.Configuracion);
    EXPECT_EQ(sesion.ListaTemas().CuentaMarcados(), 1);
    EXPECT_TRUE(sesion.ListaTemas().Marcado(2));
    EXPECT_EQ(sesion.Siguiente(), 2);
    EXPECT_EQ(sesion.Siguiente(), 2);

    // A damaged one gives its notice, as in the data folder.
    EscribeFichero(carpeta.En("marcas.cfg"), "sin suma");
    const TAvisosApertura danada = Abre(ruta);
    ASSERT_TRUE(danada.Configuracion);
    EXPECT_EQ(danada.Configuracion->at(0), "Fichero de configuración sin CheckSum:");
    EXPECT_EQ(sesion.ListaTemas().CuentaMarcados(), 3);
}

namespace {

constexpr int64_t kDia = 24 * 3600;

// Shows the next question and reveals it with the given gaps right or wrong.
uint16_t Contesta(TSesion& sesion, const std::vector<bool>& huecos) {
    const uint16_t numero = sesion.Siguiente();
    sesion.EmpiezaPregunta(numero);
    sesion.PuntuaPregunta(huecos);
    return numero;
}

}  // namespace

TEST_F(SesionTest, MistakesComeBackInTheNextSessionUntilAnsweredRight) {
    int64_t ahora = 1'800'000'000;
    sesion.PonReloj([&ahora] { return ahora; });
    const std::string ruta = EscribeSet("repaso.preg", {"a", "b", "a", "b", "a"});
    Abre(ruta);
    // Questions 1 to 3: the second answered with a wrong gap.
    EXPECT_EQ(Contesta(sesion, {true}), 1);
    EXPECT_EQ(Contesta(sesion, {false}), 2);
    EXPECT_EQ(Contesta(sesion, {true}), 3);
    sesion.CierraFicheros();
    ASSERT_TRUE(fs::is_regular_file(carpeta.En("datos/" + NombreProgreso(ruta))));
    EXPECT_EQ(Historia("repaso.his").size(), 1u);

    ahora += kDia;
    Abre(ruta);
    EXPECT_EQ(sesion.CuentaPendientes(), 1);
    EXPECT_TRUE(sesion.EmpiezaRepaso());
    EXPECT_EQ(sesion.Siguiente(), 2);
    EXPECT_TRUE(sesion.Repaso());
    // Only within the selected topics.
    MarcaTema(sesion, "b", false);
    EXPECT_EQ(sesion.CuentaPendientes(), 0);
    MarcaTema(sesion, "b", true);
    sesion.EmpiezaPregunta(2);
    sesion.PuntuaPregunta({true});
    EXPECT_EQ(sesion.CuentaPendientes(), 0);
    // Nothing left: the walk goes back to its order.
    const uint16_t siguiente = sesion.Siguiente();
    EXPECT_FALSE(sesion.Repaso());
    EXPECT_NE(siguiente, 0);
    sesion.CierraFicheros();
}

TEST_F(SesionTest, AnEditedQuestionStartsAfresh) {
    int64_t ahora = 1'800'000'000;
    sesion.PonReloj([&ahora] { return ahora; });
    const std::string ruta = EscribeSet("editada.preg", {"a", "b"});
    Abre(ruta);
    Contesta(sesion, {false});
    Contesta(sesion, {false});
    sesion.CierraFicheros();
    // The teacher edits question 1 and leaves question 2 alone.
    EscribeConjunto(ruta, {Legible("a", "Otro texto con un @hueco@ y algo normal"), Legible("b")});
    ahora += kDia;
    Abre(ruta);
    EXPECT_TRUE(sesion.EmpiezaRepaso());
    EXPECT_EQ(sesion.CuentaPendientes(), 1);
    EXPECT_EQ(sesion.Siguiente(), 2);
}

TEST_F(SesionTest, ADamagedProgressFileIsPutAsideAndTheSetOpens) {
    const std::string ruta = EscribeSet("danado.preg", {"a", "b"});
    fs::create_directories(carpeta.En("datos"));
    const std::string progreso = carpeta.En("datos/" + NombreProgreso(ruta));
    EscribeFichero(progreso, "no es un progreso");
    const TAvisosApertura avisos = Abre(ruta);
    EXPECT_TRUE(avisos.ProgresoDanado);
    EXPECT_TRUE(sesion.FicherosAbiertos());
    EXPECT_EQ(sesion.CuentaPendientes(), 0);
    Contesta(sesion, {false});
    sesion.CierraFicheros();
    // Saved afresh, the damaged one kept under another name.
    EXPECT_NE(LeeFicheroEntero(progreso), "no es un progreso");
    int apartados = 0;
    for (const auto& entrada : fs::directory_iterator(carpeta.En("datos")))
        if (LeeFicheroEntero(entrada.path().string()) == "no es un progreso")
            ++apartados;
    EXPECT_EQ(apartados, 1);
    EXPECT_FALSE(Abre(ruta).ProgresoDanado);
}

TEST_F(SesionTest, AProgressFileThatCannotBeSavedCostsNoHistoryByte) {
    const std::string ruta = EscribeSet("sinprogreso.preg", {"a"});
    Abre(ruta);
    Contesta(sesion, {true});
    fs::create_directories(carpeta.En("datos/" + NombreProgreso(ruta)) + "/dentro");
    EXPECT_THROW(sesion.CierraFicheros(), IoError);
    EXPECT_FALSE(sesion.FicherosAbiertos());
    EXPECT_EQ(Historia("sinprogreso.his"), "\xFE");
}

// Correct on the question on screen, without a window: entries trimmed at their end, then
// compared folding case; the second run hides the answers.
TEST(Correccion, EntriesAreComparedFoldingCaseAfterTrimmingTheirEnd) {
    const struct {
        const char* respuesta;
        std::optional<std::string> entrada;  // none: the code page cannot hold it
        const char* recortada;
        TTipoFallo fallo;
    } casos[] = {
        {"también", W("tambien"), "tambien", TTipoFallo::Acentos},
        {"también", W("TAMBIÉN"), "TAMBIÉN", TTipoFallo::Ninguno},
        {"también", W("También"), "También", TTipoFallo::Ninguno},
        {"también", W("también   "), "también", TTipoFallo::Ninguno},
        {"también", W("también\t\r\x01"), "también", TTipoFallo::Ninguno},
        {"también", W(" también"), " también", TTipoFallo::Letras},
        {"plaça", W("PLAÇA"), "PLAÇA", TTipoFallo::Letras},  // ç is not upper-cased
        {"plaça", W("PLAçA"), "PLAçA", TTipoFallo::Ninguno},
        {"también", W(""), "", TTipoFallo::SinRellenar},
        {"", W(""), "", TTipoFallo::Ninguno},
        {"", W("   "), "", TTipoFallo::Ninguno},
        {"a ", W("a "), "a", TTipoFallo::Letras},  // an answer ending in a blank never matches
        {"€uro", W("€URO"), "€URO", TTipoFallo::Ninguno},
        {"euro", std::nullopt, "", TTipoFallo::Letras},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.respuesta + std::string(" / ") + caso.recortada);
        if (caso.entrada) {
            const std::string recortada = caso.entrada->substr(0, LongitudRecortada(*caso.entrada));
            EXPECT_EQ(recortada, W(caso.recortada));
        }
        TSesion sesion;
        sesion.PonPregunta({0, 12, "T", "Palabra @" + W(caso.respuesta) + "@ final"});
        sesion.EmpiezaPregunta(1);
        EXPECT_FALSE(sesion.RespuestasVisibles());
        ASSERT_TRUE(sesion.AlternaRespuestas());
        std::optional<std::string> entrada = caso.entrada;
        if (entrada)
            entrada->resize(LongitudRecortada(*entrada));
        const TSesion::TCorreccion correccion = sesion.Corrige({entrada});
        EXPECT_EQ(correccion.Fallos, std::vector<TTipoFallo>{caso.fallo});
        EXPECT_EQ(correccion.Aciertos, caso.fallo == TTipoFallo::Ninguno ? 1 : 0);
        EXPECT_FALSE(sesion.AlternaRespuestas());
    }
}

TEST(Correccion, AnAccentPracticeGapLeftPrefilledIsWrongOnlyWhereAnAccentWasStripped) {
    TSesion sesion;
    sesion.PonPregunta({1, 0, "Acentos", W("El @camión@ y la @casa@ de @Pingüino@")});
    sesion.EmpiezaPregunta(1);
    sesion.AlternaRespuestas();
    EXPECT_EQ(
        sesion.Corrige({W("camion"), W("casa"), W("Pinguino")}).Fallos,
        (std::vector<TTipoFallo>{TTipoFallo::Acentos, TTipoFallo::Ninguno, TTipoFallo::Acentos}));
}

// The session's per cent is the history's: 1 of 8 right is 12 %, not 13 %.
TEST(Correccion, TheSessionsPerCentIsTheOneTheHistoryStores) {
    TSesion sesion;
    sesion.PonPregunta({0, 0, "T", "@a@ @b@ @c@ @d@ @e@ @f@ @g@ @h@"});
    sesion.EmpiezaPregunta(1);
    sesion.AlternaRespuestas();
    EXPECT_EQ(sesion.Corrige({"a", "", "", "", "", "", "", ""}).Aciertos, 1);
    EXPECT_EQ(sesion.Contestadas(), 8);
    EXPECT_EQ(sesion.Acertadas(), 1);
    EXPECT_EQ(sesion.PorCiento(), 12);
    EXPECT_EQ(sesion.PorCiento(), PorCientoHistoria(*sesion.PuntuacionActual()));
}

namespace {

// Noon: a day on is a calendar day on in any time zone.
constexpr int64_t kMediodia = 20000 * kDia + 12 * 3600;

}  // namespace

TEST_F(SesionTest, AnAnswerCopiedFromTheAnswersJustShownDoesNotLeaveTheReview) {
    int64_t ahora = kMediodia;
    sesion.PonReloj([&ahora] { return ahora; });
    const std::string ruta = EscribeSet("una.preg", {"a"});
    Abre(ruta);
    EXPECT_EQ(Contesta(sesion, {false}), 1);
    // The same question at once, its answer still above the gap: the tallies count it, the
    // review does not.
    for (int vez = 0; vez < 5; ++vez)
        EXPECT_EQ(Contesta(sesion, {true}), 1);
    EXPECT_EQ(sesion.Contestadas(), 6);
    EXPECT_EQ(sesion.Acertadas(), 5);
    EXPECT_EQ(sesion.Progreso().Preguntas.at(1).Caja, 1);
    sesion.CierraFicheros();
    ahora += kDia;
    Abre(ruta);
    EXPECT_EQ(sesion.CuentaPendientes(), 1);
    EXPECT_EQ(Contesta(sesion, {true}), 1);
    EXPECT_EQ(sesion.Progreso().Preguntas.at(1).Caja, 2);
}

TEST_F(SesionTest, AQuestionShownAgainAfterThreeOthersCountsForTheReview) {
    sesion.PonReloj([] { return kMediodia; });
    Abre(EscribeSet("cinco.preg", {"a", "a", "a", "a"}));
    EXPECT_EQ(Contesta(sesion, {false}), 1);
    for (int otra = 2; otra <= 4; ++otra)
        EXPECT_EQ(Contesta(sesion, {true}), otra);
    EXPECT_EQ(Contesta(sesion, {true}), 1);
    EXPECT_EQ(sesion.Progreso().Preguntas.at(1).Caja, 2);
}

TEST_F(SesionTest, AReviewRoundShowsEachQuestionDueOnceAndSaysWhatIsLeft) {
    int64_t ahora = kMediodia;
    sesion.PonReloj([&ahora] { return ahora; });
    const std::string ruta = EscribeSet("ronda.preg", {"a", "a", "a", "a", "a", "a"});
    Abre(ruta);
    for (int i = 1; i <= 6; ++i)
        Contesta(sesion, {i % 2 == 1});  // 2, 4 and 6 wrong
    sesion.CierraFicheros();
    ahora += kDia;
    Abre(ruta);
    ASSERT_TRUE(sesion.EmpiezaRepaso());
    EXPECT_EQ(sesion.RondaRepaso(), (std::vector<uint16_t>{2, 4, 6}));
    EXPECT_EQ(Contesta(sesion, {false}), 2);
    EXPECT_EQ(Contesta(sesion, {true}), 4);
    EXPECT_EQ(Contesta(sesion, {false}), 6);
    EXPECT_TRUE(sesion.Repaso());
    // The round is over although two were wrong again: they wait, and the walk goes on.
    EXPECT_EQ(sesion.Siguiente(), 1);
    EXPECT_FALSE(sesion.Repaso());
    const TFinRepaso fin = sesion.FinRepaso();
    EXPECT_EQ(fin.Pendientes, 0);
    EXPECT_EQ(fin.EnEspera, 2);
    EXPECT_EQ(fin.ProximoDia, DiaLocal(ahora) + 1);
    EXPECT_FALSE(sesion.EmpiezaRepaso());
}

TEST_F(SesionTest, MixingTheReviewBringsADueQuestionEveryFourthNext) {
    int64_t ahora = kMediodia;
    sesion.PonReloj([&ahora] { return ahora; });
    const std::string ruta = EscribeSet("mezcla.preg", {"a", "a", "a", "a", "a", "a", "a", "a"});
    Abre(ruta);
    Contesta(sesion, {true});
    Contesta(sesion, {false});  // 2 is due from tomorrow
    sesion.CierraFicheros();
    ahora += kDia;
    Abre(ruta);
    ASSERT_EQ(sesion.PreguntaActual(), 3);
    sesion.MezclaRepaso(true);
    std::vector<int> vistas;
    for (int i = 0; i < 8; ++i)
        vistas.push_back(Contesta(sesion, {true}));
    // The due question fourth, the order untouched by it; then nothing due is left.
    EXPECT_EQ(vistas, (std::vector<int>{3, 4, 5, 2, 6, 7, 8, 1}));
    EXPECT_EQ(sesion.PreguntaActual(), 2);
}

TEST_F(SesionTest, WithoutMixingNextNeverBringsADueQuestion) {
    int64_t ahora = kMediodia;
    sesion.PonReloj([&ahora] { return ahora; });
    const std::string ruta = EscribeSet("orden2.preg", {"a", "a", "a", "a"});
    Abre(ruta);
    Contesta(sesion, {false});
    sesion.CierraFicheros();
    ahora += kDia;
    Abre(ruta);
    std::vector<int> vistas;
    for (int i = 0; i < 4; ++i)
        vistas.push_back(sesion.Siguiente());
    EXPECT_EQ(vistas, (std::vector<int>{2, 3, 4, 1}));
}

TEST_F(SesionTest, AScriptedLearnerOverThreeDays) {
    int64_t ahora = kMediodia;
    sesion.PonReloj([&ahora] { return ahora; });
    const std::string ruta = EscribeSet("tres_dias.preg", {"a", "a", "a", "a", "a", "a", "a", "a"});
    // Day 1: the even questions wrong.
    Abre(ruta);
    for (int i = 1; i <= 8; ++i)
        Contesta(sesion, {i % 2 == 1});
    sesion.CierraFicheros();
    // Day 2: exactly those are due; 2 and 4 right, 6 and 8 wrong again.
    ahora += kDia;
    Abre(ruta);
    ASSERT_TRUE(sesion.EmpiezaRepaso());
    EXPECT_EQ(sesion.RondaRepaso(), (std::vector<uint16_t>{2, 4, 6, 8}));
    for (const bool bien : {true, true, false, false})
        Contesta(sesion, {bien});
    sesion.CierraFicheros();
    // Day 3: the two still wrong, and the two learnt on day 2, whose box falls due a day on;
    // none of those right on day 1.
    ahora += kDia;
    Abre(ruta);
    EXPECT_EQ(PreguntasPendientes(sesion.Progreso(), ahora), (std::vector<uint16_t>{2, 4, 6, 8}));
    EXPECT_EQ(sesion.Progreso().Preguntas.at(6).Caja, 1);
    EXPECT_EQ(sesion.Progreso().Preguntas.at(2).Caja, 2);
}

#include "core/learning/review_schedule.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t kDia = 86400;
// Noon of a day: a few days on is as many calendar days on in any time zone.
constexpr int64_t kHoy = 20000 * kDia + 12 * 3600;
constexpr uint64_t kHuella = 0xabcdef;

bool Pendiente(const TProgreso& progreso, uint16_t numero, int64_t ahora) {
    return PreguntaPendiente(progreso, progreso.Preguntas.at(numero), ahora);
}

// What a progress file read back in a new session holds.
TProgreso NuevaSesion(const TProgreso& progreso) {
    TProgreso leido;
    EXPECT_TRUE(LeeBytesProgreso(BytesProgreso(progreso), leido));
    return leido;
}

}  // namespace

TEST(ReviewSchedule, QuestionsNeverAnsweredWrongAreNeverDue) {
    TProgreso progreso;
    AnotaRespuesta(progreso, 3, kHuella, {}, kHoy);
    AnotaRespuesta(progreso, 3, kHuella, {}, kHoy + kDia);
    for (const int64_t cuando : {kHoy, kHoy + 30 * kDia, kHoy + 3650 * kDia, kHoy - 3650 * kDia})
        EXPECT_FALSE(Pendiente(NuevaSesion(progreso), 3, cuando));
    EXPECT_EQ(progreso.Preguntas.at(3).Aciertos, 2u);
    EXPECT_EQ(progreso.Preguntas.at(3).Caja, 0);
}

TEST(ReviewSchedule, AWrongAnswerComesBackAfterAFewOthersAndInEveryLaterSession) {
    TProgreso progreso;
    AnotaRespuesta(progreso, 5, kHuella, {2, 4}, kHoy);
    EXPECT_EQ(progreso.Preguntas.at(5).Caja, 1);
    EXPECT_EQ(progreso.Preguntas.at(5).HuecosErroneos, (std::vector<uint8_t>{2, 4}));
    for (int otras = 0; otras < kSeparacionRepaso; ++otras) {
        EXPECT_FALSE(Pendiente(progreso, 5, kHoy)) << otras;
        AnotaRespuesta(progreso, static_cast<uint16_t>(10 + otras), kHuella, {}, kHoy);
    }
    EXPECT_TRUE(Pendiente(progreso, 5, kHoy));

    // Not answered again: due at once in the next session, the same day or years on.
    for (const int64_t cuando : {kHoy, kHoy + kDia, kHoy + 3650 * kDia})
        EXPECT_TRUE(Pendiente(NuevaSesion(progreso), 5, cuando));
    // Wrong again in the next session: due again after a few others, not at once.
    TProgreso siguiente = NuevaSesion(progreso);
    AnotaRespuesta(siguiente, 5, kHuella, {1}, kHoy + kDia);
    EXPECT_FALSE(Pendiente(siguiente, 5, kHoy + kDia));
    EXPECT_EQ(siguiente.Preguntas.at(5).Fallos, 2u);
    EXPECT_EQ(siguiente.Preguntas.at(5).HuecosErroneos, (std::vector<uint8_t>{1}));
}

TEST(ReviewSchedule, BoxesGrowWithRightAnswersAndAWrongOneStartsAgain) {
    struct TPaso {
        int64_t dia;      // days after the first answer
        bool bien;        // the answer wholly right
        int caja;         // box afterwards
        int64_t venceEn;  // first day on which it is due again, -1 never
    };
    const TPaso pasos[] = {
        {0, false, 1, 0},    // wrong: due at once
        {0, true, 2, 1},     // right: tomorrow
        {0, true, 2, 1},     // right again before its day: nothing changes
        {1, true, 3, 4},     // three days on
        {3, true, 3, 4},     // early: nothing changes
        {5, true, 4, 12},    // late is still due: seven days on from the answer
        {12, false, 1, 12},  // wrong in the last box: back to the start
        {12, true, 2, 13},  {13, true, 3, 16},
        {16, true, 4, 23},  {23, true, 0, -1},  // right in the last box: learnt, out of the review
        {40, true, 0, -1},
    };
    TProgreso progreso;
    for (const TPaso& paso : pasos) {
        progreso = NuevaSesion(progreso);
        AnotaRespuesta(progreso, 9, kHuella,
                       paso.bien ? std::vector<uint8_t>{} : std::vector<uint8_t>{1},
                       kHoy + paso.dia * kDia);
        const TProgreso despues = NuevaSesion(progreso);
        SCOPED_TRACE(paso.dia);
        EXPECT_EQ(despues.Preguntas.at(9).Caja, paso.caja);
        for (int64_t dia = paso.dia; dia < paso.dia + 10; ++dia)
            EXPECT_EQ(Pendiente(despues, 9, kHoy + dia * kDia),
                      paso.venceEn >= 0 && dia >= paso.venceEn)
                << dia;
    }
}

TEST(ReviewSchedule, AClockSetBackLeavesNothingStuck) {
    TProgreso progreso;
    AnotaRespuesta(progreso, 1, kHuella, {1}, kHoy);
    AnotaRespuesta(progreso, 1, kHuella, {}, kHoy);  // box 2, due tomorrow
    // The clock goes back a year: a due day 366 days off is no day the schedule gives.
    const TProgreso leido = NuevaSesion(progreso);
    EXPECT_TRUE(Pendiente(leido, 1, kHoy - 365 * kDia));
    // Back only a day: due tomorrow is two days off, within the schedule, and waits.
    EXPECT_FALSE(Pendiente(leido, 1, kHoy - kDia));

    // A due day written years ahead, as a wrong clock leaves it.
    TProgreso futuro;
    ASSERT_TRUE(
        LeeBytesProgreso("Tildora progreso 1\nP 4 0000000000abcdef 3 9000000 1 1 1\n"
                         "S 4000000000 2 1\nS 1000 2 2\nFin\n",
                         futuro));
    EXPECT_EQ(PreguntasPendientes(futuro, kHoy), (std::vector<uint16_t>{4}));
    AnotaRespuesta(futuro, 4, kHuella, {}, kHoy);
    EXPECT_EQ(futuro.Preguntas.at(4).Caja, 4);
    EXPECT_FALSE(Pendiente(futuro, 4, kHoy));
    EXPECT_TRUE(Pendiente(futuro, 4, kHoy + 7 * kDia));
}

TEST(ReviewSchedule, DueQuestionsInOrderWithinTheTopics) {
    TProgreso progreso;
    for (const uint16_t numero : {40, 3, 17, 8})
        AnotaRespuesta(progreso, numero, kHuella, {1}, kHoy - kDia);
    AnotaRespuesta(progreso, 5, kHuella, {}, kHoy - kDia);
    progreso = NuevaSesion(progreso);
    const auto impares = [](uint16_t n) { return n % 2 == 1; };

    EXPECT_EQ(PreguntasPendientes(progreso, kHoy), (std::vector<uint16_t>{3, 8, 17, 40}));
    EXPECT_EQ(PreguntasPendientes(progreso, kHoy, impares), (std::vector<uint16_t>{3, 17}));
    EXPECT_EQ(CuentaPendientes(progreso, kHoy), 4);
    EXPECT_EQ(CuentaPendientes(progreso, kHoy, impares), 2);

    const std::tuple<uint16_t, bool, uint16_t> siguientes[] = {
        {0, false, 3},     {3, false, 8}, {8, false, 17}, {39, false, 40}, {40, false, 3},
        {65535, false, 3}, {3, true, 17}, {17, true, 3},  {4, true, 17},
    };
    for (const auto& [actual, soloImpares, esperada] : siguientes)
        EXPECT_EQ(SiguientePendiente(progreso, kHoy, actual,
                                     soloImpares ? TFiltroPreguntas(impares) : TFiltroPreguntas()),
                  esperada)
            << actual;
    // The one question due is given again; with none due, 0.
    EXPECT_EQ(SiguientePendiente(progreso, kHoy, 17, [](uint16_t n) { return n == 17; }), 17);
    EXPECT_EQ(SiguientePendiente(progreso, kHoy, 17, [](uint16_t) { return false; }), 0);
    EXPECT_EQ(SiguientePendiente(TProgreso{}, kHoy, 0), 0);
}

TEST(ReviewSchedule, ASetOf65535QuestionsAllDue) {
    TProgreso progreso;
    for (uint32_t n = 1; n <= 65535; ++n)
        AnotaRespuesta(progreso, static_cast<uint16_t>(n), n, {1}, kHoy - kDia);
    progreso = NuevaSesion(progreso);
    EXPECT_EQ(CuentaPendientes(progreso, kHoy), 65535);
    EXPECT_EQ(SiguientePendiente(progreso, kHoy, 65535), 1);
    EXPECT_EQ(SiguientePendiente(progreso, kHoy, 65534), 65535);
    EXPECT_EQ(PreguntasPendientes(progreso, kHoy).back(), 65535);
}

TEST(ReviewSchedule, AnEditedQuestionForgetsItsPast) {
    TProgreso progreso;
    AnotaRespuesta(progreso, 2, kHuella, {1}, kHoy);
    AnotaRespuesta(progreso, 2, kHuella + 1, {}, kHoy);
    EXPECT_EQ(progreso.Preguntas.at(2).Caja, 0);
    EXPECT_EQ(progreso.Preguntas.at(2).Fallos, 0u);
    EXPECT_EQ(progreso.Preguntas.at(2).Huella, kHuella + 1);
}

TEST(ReviewSchedule, SessionLinesKeepTheirOrder) {
    TProgreso progreso;
    CierraSesionProgreso(progreso, kHoy, 12, 9);
    CierraSesionProgreso(progreso, kHoy - 400 * kDia, 3, 3);  // a clock set back
    const TProgreso leido = NuevaSesion(progreso);
    ASSERT_EQ(leido.Sesiones.size(), 2u);
    EXPECT_EQ(leido.Sesiones[0].Fecha, kHoy);
    EXPECT_EQ(leido.Sesiones[0].Contestadas, 12);
    EXPECT_EQ(leido.Sesiones[1].Fecha, kHoy - 400 * kDia);
}

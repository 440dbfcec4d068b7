#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/learning/progress.h"

// The review schedule is a Leitner system of boxes. It was chosen over SM-2 because a child's
// sets are short and a box is a state a teacher can read in the progress file: no ease factor
// drifting from answer to answer, and the same answers always give the same schedule.
//
// Box 0: out of the review (never answered wrong, or learnt).
// Box 1: answered with a wrong gap; due at once, in this session once a few other questions
//        have been answered, and in every later session until it is answered wholly right.
// Boxes 2 to 4: due 1, 3 and 7 days after the right answer that put it there; a right answer
//        when due moves it one box on, and out of the review after box 4.
// A wrong answer in any box puts it back in box 1. A right answer before its day changes nothing.

inline constexpr std::array<int64_t, kCajasRepaso + 1> kDiasCaja = {0, 0, 1, 3, 7};
// Other questions answered before a question just answered wrong comes back in the session.
inline constexpr int64_t kSeparacionRepaso = 3;

// Records the answer to question numero, whose record now has the fingerprint huella, at the
// moment ahora (seconds since 1970-01-01 UTC); huecosErroneos empty means wholly right.
void AnotaRespuesta(TProgreso& progreso, uint16_t numero, uint64_t huella,
                    const std::vector<uint8_t>& huecosErroneos, int64_t ahora);

bool PreguntaPendiente(const TProgreso& progreso, const TResultadoPregunta& resultado,
                       int64_t ahora);

// Whether question n lies within the selected topics; empty means every question.
using TFiltroPreguntas = std::function<bool(uint16_t)>;

// The questions due now, in ascending number.
std::vector<uint16_t> PreguntasPendientes(const TProgreso& progreso, int64_t ahora,
                                          const TFiltroPreguntas& filtro = {});
int CuentaPendientes(const TProgreso& progreso, int64_t ahora, const TFiltroPreguntas& filtro = {});
// The first question due after actual, wrapping round to the lowest; 0 when none is due.
// actual itself is given only when it is the one question due.
uint16_t SiguientePendiente(const TProgreso& progreso, int64_t ahora, uint16_t actual,
                            const TFiltroPreguntas& filtro = {});

// What is left when a review round ends, within the selected topics.
struct TFinRepaso {
    int Pendientes = 0;  // due now
    // Answered wrong in this session: due again once kSeparacionRepaso other questions were
    // answered, and in the next session.
    int EnEspera = 0;
    // The first later day on which a question answered right falls due; 0 for none.
    int64_t ProximoDia = 0;
};
TFinRepaso ResumeFinRepaso(const TProgreso& progreso, int64_t ahora,
                           const TFiltroPreguntas& filtro = {});

// The session line written when a set is closed with a score.
void CierraSesionProgreso(TProgreso& progreso, int64_t ahora, int32_t contestadas,
                          int32_t acertadas);

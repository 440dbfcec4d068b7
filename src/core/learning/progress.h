#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/atomic_write.h"
#include "core/set/question_files.h"

// A learner's past on one set, kept beside the settings and history files: each question ever
// answered, known by its number and its record's fingerprint, and one line per closed session.
// The format is described in docs/progress-file-format.md.

inline constexpr int kVersionProgreso = 2;
// Review boxes 1 to kCajasRepaso; review_schedule.h says what each means.
inline constexpr int kCajasRepaso = 4;

// The spelling rules a wrong gap is counted under, in the order the file writes their counts.
enum class TReglaOrtografica : uint8_t {
    Acento,
    BV,
    H,
    GJ,
    LlY,
    CZS,
    XCh,
    CTrencada,  // ç
    LGeminada,  // l·l
    TzTsIgTx,
    SSsZC,  // s, ss, z, c
    Otra,
};
inline constexpr size_t kReglasOrtograficas = 12;
// Wrong gaps per rule, indexed by TReglaOrtografica.
using TFallosPorRegla = std::array<uint32_t, kReglasOrtograficas>;

// The words of a question's last dictation.
struct TDictado {
    uint32_t Bien = 0;
    uint32_t MalEscritas = 0;
    uint32_t Faltan = 0;
    uint32_t Sobran = 0;
};

struct TResultadoPregunta {
    uint64_t Huella = 0;    // of the question's record when it was last answered
    uint8_t Caja = 0;       // review box, see review_schedule.h; 0 is out of the review
    int64_t Vence = 0;      // local day (days since 1970-01-01) from which a boxed question is due
    uint32_t Fallos = 0;    // answers with a wrong gap
    uint32_t Aciertos = 0;  // answers wholly right
    std::vector<uint8_t> HuecosErroneos;  // 1-based gaps wrong at the last wrong answer
    // Seconds since 1970-01-01 UTC when it was last answered; 0 when a version 1 file did not say.
    int64_t Visto = 0;
    TFallosPorRegla FallosRegla{};  // over every answer
    std::optional<TDictado> Dictado;
    std::string CamposAjenos;  // fields of a later version, written back as they came
    // Not saved: the session's answer count when it was answered wrong in this session, or -1.
    int64_t TurnoFallo = -1;
};

// An entry of a question the open set does not hold (another set of the same name, or a question
// since edited), kept for those who still answer it.
struct TEntradaAjena {
    uint16_t Numero = 0;  // where it was last answered
    TResultadoPregunta Resultado;
};

struct TSesionProgreso {
    TSesionProgreso(int64_t fecha = 0, int32_t contestadas = 0, int32_t acertadas = 0)
        : Fecha(fecha), Contestadas(contestadas), Acertadas(acertadas) {}
    int64_t Fecha = 0;  // seconds since 1970-01-01 UTC when the session ended
    int32_t Contestadas = 0;
    int32_t Acertadas = 0;
    TFallosPorRegla FallosRegla{};
    std::string CamposAjenos;
};

struct TProgreso {
    std::map<uint16_t, TResultadoPregunta> Preguntas;
    std::vector<TEntradaAjena> Ajenas;
    std::vector<TSesionProgreso> Sesiones;  // oldest first, as they were written
    std::vector<std::string> LineasAjenas;  // lines of a later version, written back as they came
    int64_t TurnosSesion = 0;               // not saved: questions answered in this session
};

// The progress file's name in the program data folder, with the extension ".prg".
std::string NombreProgreso(const std::string& nombreFichero);

// 64-bit FNV-1a of a question's record bytes: an edited question gets another fingerprint.
uint64_t HuellaRegistro(std::string_view registro);
// The fingerprint of a question as read: its record, unscrambled.
uint64_t HuellaPregunta(const TPregunta& pregunta);
// Each question's fingerprint, question n at [n - 1], for the questions the program uses.
std::vector<uint64_t> HuellasPreguntas(TFicherosPreguntas& ficheros);

// huellas[n - 1] is question n's fingerprint in the set as it is now: each entry goes to the
// number that now holds its question; entries of questions the set does not hold (edited,
// removed, or another set's) go to Ajenas, and those questions start afresh.
void ConciliaProgreso(TProgreso& progreso, const std::vector<uint64_t>& huellas);

// The day of the local calendar that a moment falls on, as days since 1970-01-01.
int64_t DiaLocal(int64_t segundos);
// "AAAA-MM-DD" of a day counted as DiaLocal counts it.
std::string FechaDia(int64_t dia);
// "AAAA-MM-DD HH:MM" in local time.
std::string FechaSesion(int64_t segundos);
// The date of session number sesion (1-based) of a history of total sessions: the session lines
// are the history's last ones; an older session, or one beyond them, has no date ("").
std::string FechaSesionHistoria(const std::vector<TSesionProgreso>& sesiones, int64_t sesion,
                                int64_t total);

// The questions answered wrong at least once: the most often wrong first, and among those as
// often wrong, the lower number first; at most maximo of them.
std::vector<uint16_t> PreguntasMasFalladas(const std::map<uint16_t, TResultadoPregunta>& preguntas,
                                           size_t maximo);

std::string BytesProgreso(const TProgreso& progreso);
// False, leaving progreso empty, when the bytes are not a whole progress file of version 1 or 2.
// Before ConciliaProgreso, Preguntas holds the first entry of each number and Ajenas the rest.
bool LeeBytesProgreso(std::string_view bytes, TProgreso& progreso);

enum class TEstadoProgreso {
    Nuevo,  // no file yet
    Leido,
    Danado  // damaged, cut short, foreign, another version or unreadable: started afresh
};

struct TCargaProgreso {
    TProgreso Progreso;
    TEstadoProgreso Estado = TEstadoProgreso::Nuevo;
    std::string Apartado;  // where a damaged file was kept aside; empty when it could not be moved
};

// Reads the file at ruta and changes nothing on disk; never throws.
TEstadoProgreso LeeProgreso(const std::string& ruta, TProgreso& progreso);

// Never throws: whatever is at ruta, the caller gets a progress to go on with, and is told
// (Danado) when it should say once that the learner's past was lost; a damaged file is moved
// aside so that the next save does not destroy it.
TCargaProgreso CargaProgreso(const std::string& ruta);

// Writes the whole file; the writer is handed in so that the program's one atomic writer does it.
using TEscrituraFichero = std::function<void(const std::string& ruta, std::string_view bytes)>;
void GuardaProgreso(const std::string& ruta, const TProgreso& progreso,
                    const TEscrituraFichero& escribe = EscribeFichero);

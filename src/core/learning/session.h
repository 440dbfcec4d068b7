#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/base/binary_file.h"
#include "core/base/notice.h"
#include "core/learning/progress.h"
#include "core/learning/review_schedule.h"
#include "core/set/question_files.h"
#include "core/set/settings.h"
#include "core/set/topic_list.h"
#include "core/set/topic_scan.h"

// What opening a set had to tell the learner besides the set's own checks.
struct TAvisosApertura {
    std::optional<TAviso> Configuracion;  // the settings file's notice, if any
    // The history file could not be opened for writing: this session's score is not kept.
    bool SinHistoria = false;
    // The progress file could not be read as one: it was put aside and the past starts afresh.
    bool ProgresoDanado = false;
};

// The exercise session: the open question file set, its topics and settings, the order of
// Next and the tallies of the learner's answers. The window shows what it holds.
class TSesion {
  public:
    TSesion();

    bool Secuencial = true;
    std::string Clave{kClave};
    TLista ListaTemas;
    TTemasDePregunta TemaDePregunta;
    int32_t NumPreguntas = 0;
    int32_t NumTemas = 0;
    std::string NombreFichero;
    // FicheroPreguntas and FicheroIndice, with BufferPregunta.
    TFicherosPreguntas FicherosPreguntas{Clave};
    TFichero FicheroHistoria;
    bool FicherosAbiertos = false;
    int32_t Contestadas = 0;
    int32_t Acertadas = 0;
    TConfiguracion Configuracion;
    TPregunta Pregunta;
    uint16_t PreguntaActual = 1;
    std::mt19937 Generador;
    // The tallies count only the first reveal of each question shown.
    bool PreguntaPuntuada = false;
    // The program data folder, with its trailing separator, in file-name bytes; empty when
    // there is none, and then nothing is kept.
    std::string CarpetaDatos;
    // Each answered question's past on this set and its review schedule.
    TProgreso Progreso;
    // Next walks a round of the questions that were due for review when it began, within the
    // selected topics; it ends by itself after the last of them.
    bool Repaso = false;
    std::vector<uint16_t> RondaRepaso;
    size_t PasoRepaso = 0;  // questions of the round shown so far
    // Outside a review every fourth Next brings back a question due, without moving
    // PreguntaActual.
    bool BarrejaRepaso = false;
    int SiguientesFueraDeRepaso = 0;
    // Questions shown in this session, and the count when each one's answers were last shown:
    // an answer copied from them does not move the review boxes.
    int64_t PreguntasMostradas = 0;
    std::map<uint16_t, int64_t> RespuestasVistas;
    // The number of the question on screen, 0 for none.
    uint16_t PreguntaMostrada = 0;
    // Seconds since 1970-01-01 UTC; tests set the clock.
    std::function<int64_t()> Ahora;

    // Closes the open set, then checks the chosen one; false (with its notice) leaves no set
    // open.
    bool CompruebaConjunto(const std::string& nombre, TAviso* aviso);
    // Opens the checked set, reads its topics and activates it. A failure leaves no set open.
    TAvisosApertura AbreConjunto();
    void AbreFicheros(const std::string& nombre);
    // Appends the session's history byte and saves the progress, when something was answered,
    // and closes the set.
    void CierraFicheros();
    // Closes whatever a failed file operation left open, without a score.
    void DescartaFicheros();

    // Next: reads the chosen question into Pregunta; 0 when none can be shown.
    uint16_t Siguiente();
    // Starts a review round of the questions due now; false when none is.
    bool EmpiezaRepaso();
    // Reads question numero into Pregunta for the learner to see, the order left as it was.
    void LeeElegida(uint16_t numero);
    // The ordered walk continues from numero.
    void ContinuaDesde(uint16_t numero);

    // Question numero is on screen; its first reveal is still to come.
    void EmpiezaPregunta(uint16_t numero);
    // The answers of the question on screen are revealed: whether each gap was right, in
    // order. Only the first reveal of a question shown counts.
    void PuntuaPregunta(const std::vector<bool>& huecosCorrectos);
    // The history byte the session would append now, if anything was answered.
    std::optional<uint8_t> PuntuacionActual() const;

    // The questions due for review now, within the selected topics.
    int CuentaPendientes() const;
    TFinRepaso FinRepaso() const;

    std::string RutaHistoria() const;
    std::string RutaProgreso() const;
    void SiembraGenerador();

  private:
    // Clears the tallies and restores the topic selection from the settings file.
    std::optional<TAviso> ActivaTest();
    bool CreaCarpetaDatos();
    void AbreHistoria();
    // Loads the progress file; false when it was damaged.
    bool CargaProgresoConjunto();
    bool TemaSeleccionado(uint16_t numero) const;
};

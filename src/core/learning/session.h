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
#include "core/learning/mistake.h"
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
// Next, the question on screen with its correction, and the tallies of the learner's answers.
// The window shows what it holds and changes it only through its operations.
class TSesion {
  public:
    TSesion();

    // Where the history and progress files go: the program data folder, with its trailing
    // separator, in file-name bytes; empty when there is none, and then nothing is kept.
    void PonCarpetaDatos(std::string carpeta) { carpetaDatos_ = std::move(carpeta); }
    // Seconds since 1970-01-01 UTC; tests set the clock.
    void PonReloj(std::function<int64_t()> ahora) { ahora_ = std::move(ahora); }

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

    // Next: reads the chosen question; 0 when none can be shown.
    uint16_t Siguiente();
    // The ordered walk continues from numero.
    void ContinuaDesde(uint16_t numero);
    // In order or at random; either ends a review.
    void CambiaOrden(bool secuencial);
    // Starts a review: Next walks a round of the questions due now, within the selected topics,
    // and the walk ends by itself after the last of them; false when none is due.
    bool EmpiezaRepaso();
    // Outside a review every fourth Next brings back a question due, without moving
    // PreguntaActual.
    void MezclaRepaso(bool mezcla) { barrejaRepaso_ = mezcla; }
    // Reads question numero for the learner to see, the order left as it was.
    void LeeElegida(uint16_t numero);
    // The topics ticked in the topic dialog, in list order.
    void SeleccionaTemas(const std::vector<bool>& marcas);
    // A question read elsewhere, as Next reads one: what a window lays out without a set.
    void PonPregunta(const TPregunta& pregunta) { pregunta_ = pregunta; }

    // Question numero is on screen with its answers hidden; its first reveal is still to come.
    void EmpiezaPregunta(uint16_t numero);
    // Correct: shows the answers when hidden, hides them when shown; true when now shown.
    bool AlternaRespuestas();
    bool RespuestasVisibles() const { return respuestasVisibles_; }
    // The answers just shown: each gap's verdict on its entry, trimmed as Correct trims it
    // (none: the code page cannot hold it), in order, and how many were right. Only the first
    // reveal of a question shown counts in the tallies.
    struct TCorreccion {
        std::vector<TTipoFallo> Fallos;
        int Aciertos = 0;
    };
    TCorreccion Corrige(const std::vector<std::optional<std::string>>& entradas);
    // Whether each gap was right, in order: the tallies and the progress.
    void PuntuaPregunta(const std::vector<bool>& huecosCorrectos);
    // The history byte the session would append now, if anything was answered.
    std::optional<uint8_t> PuntuacionActual() const;
    // The session's right answers in per cent as the history will store them.
    int PorCiento() const;

    // The questions due for review now, within the selected topics.
    int CuentaPendientes() const;
    TFinRepaso FinRepaso() const;
    // The review round: questions of it shown so far, and how many it holds.
    size_t PasoRepaso() const { return pasoRepaso_; }
    const std::vector<uint16_t>& RondaRepaso() const { return rondaRepaso_; }
    bool BarrejaRepaso() const { return barrejaRepaso_; }

    std::string RutaHistoria() const;
    std::string RutaProgreso() const;
    void SiembraGenerador();

    bool Secuencial() const { return secuencial_; }
    bool Repaso() const { return repaso_; }
    const std::string& Clave() const { return clave_; }
    const TLista& ListaTemas() const { return listaTemas_; }
    const TTemasDePregunta& TemaDePregunta() const { return temaDePregunta_; }
    int32_t NumPreguntas() const { return numPreguntas_; }
    int32_t NumTemas() const { return numTemas_; }
    const std::string& NombreFichero() const { return nombreFichero_; }
    // The open question and index files, to read questions from.
    TFicherosPreguntas& FicherosPreguntas() { return ficherosPreguntas_; }
    const TFicherosPreguntas& FicherosPreguntas() const { return ficherosPreguntas_; }
    bool HistoriaAbierta() const { return ficheroHistoria_.Abierto(); }
    bool FicherosAbiertos() const { return ficherosAbiertos_; }
    int32_t Contestadas() const { return contestadas_; }
    int32_t Acertadas() const { return acertadas_; }
    const TConfiguracion& Configuracion() const { return configuracion_; }
    const TPregunta& Pregunta() const { return pregunta_; }
    uint16_t PreguntaActual() const { return preguntaActual_; }
    uint16_t PreguntaMostrada() const { return preguntaMostrada_; }
    const TProgreso& Progreso() const { return progreso_; }

  private:
    // Clears the tallies and restores the topic selection from the settings file.
    std::optional<TAviso> ActivaTest();
    bool CreaCarpetaDatos();
    void AbreHistoria();
    // Loads the progress file; false when it was damaged.
    bool CargaProgresoConjunto();
    bool TemaSeleccionado(uint16_t numero) const;

    bool secuencial_ = true;
    std::string clave_{kClave};
    TLista listaTemas_;
    TTemasDePregunta temaDePregunta_;
    int32_t numPreguntas_ = 0;
    int32_t numTemas_ = 0;
    std::string nombreFichero_;
    // FicheroPreguntas and FicheroIndice, with BufferPregunta.
    TFicherosPreguntas ficherosPreguntas_{clave_};
    TFichero ficheroHistoria_;
    bool ficherosAbiertos_ = false;
    int32_t contestadas_ = 0;
    int32_t acertadas_ = 0;
    TConfiguracion configuracion_;
    TPregunta pregunta_;
    uint16_t preguntaActual_ = 1;
    std::mt19937 generador_;
    // The tallies count only the first reveal of each question shown.
    bool preguntaPuntuada_ = false;
    std::string carpetaDatos_;
    // Each answered question's past on this set and its review schedule.
    TProgreso progreso_;
    bool repaso_ = false;
    std::vector<uint16_t> rondaRepaso_;
    size_t pasoRepaso_ = 0;
    bool barrejaRepaso_ = false;
    int siguientesFueraDeRepaso_ = 0;
    // Questions shown in this session, and the count when each one's answers were last shown:
    // an answer copied from them does not move the review boxes.
    int64_t preguntasMostradas_ = 0;
    std::map<uint16_t, int64_t> respuestasVistas_;
    // The number of the question on screen, 0 for none.
    uint16_t preguntaMostrada_ = 0;
    // The answers of its gaps, and whether Correct shows them.
    std::vector<std::string> respuestas_;
    bool respuestasVisibles_ = false;
    std::function<int64_t()> ahora_;
};

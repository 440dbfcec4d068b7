#include "core/learning/session.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "core/base/io_error.h"
#include "core/learning/history.h"
#include "core/learning/next_question.h"
#include "core/learning/review_schedule.h"
#include "core/set/settings_lookup.h"
#include "core/text/layout.h"

TSesion::TSesion() : ahora_([] { return static_cast<int64_t>(std::time(nullptr)); }) {
    SiembraGenerador();
    temaDePregunta_.Referencias.assign(kRanurasTemaDePregunta + 1, TTemasDePregunta::kVacio);
}

void TSesion::SiembraGenerador() {
    const auto ahora = std::chrono::system_clock::now().time_since_epoch();
    const auto milisegundos = std::chrono::duration_cast<std::chrono::milliseconds>(ahora).count();
    generador_.seed(static_cast<std::mt19937::result_type>(milisegundos % (24 * 3600 * 1000)));
}

std::string TSesion::RutaHistoria() const {
    return carpetaDatos_ + NombreHistoria(nombreFichero_);
}

std::string TSesion::RutaProgreso() const {
    return carpetaDatos_ + NombreProgreso(nombreFichero_);
}

bool TSesion::CompruebaConjunto(const std::string& nombre, TAviso* aviso) {
    CreaCarpetaDatos();
    CierraFicheros();
    nombreFichero_ = nombre;
    if (CompruebaFicheros(nombreFichero_, clave_, aviso))
        return true;
    ficherosAbiertos_ = false;
    return false;
}

TAvisosApertura TSesion::AbreConjunto() {
    TAvisosApertura avisos;
    try {
        AbreFicheros(nombreFichero_);
        avisos.SinHistoria = !ficheroHistoria_.Abierto();
        numTemas_ = LeeTemas(ficherosPreguntas_, listaTemas_, temaDePregunta_);
        avisos.ProgresoDanado = !CargaProgresoConjunto();
        avisos.Configuracion = ActivaTest();
    } catch (...) {
        DescartaFicheros();
        throw;
    }
    return avisos;
}

void TSesion::AbreFicheros(const std::string& nombre) {
    ficherosPreguntas_.Abre(nombre);
    AbreHistoria();
    ficherosAbiertos_ = true;
    numPreguntas_ = ficherosPreguntas_.NumPreguntas();
}

// Where nothing can be written the learner still practises; only the score is not kept.
bool TSesion::CreaCarpetaDatos() {
    if (carpetaDatos_.empty())
        return false;
    try {
        if (!ExisteCarpeta(carpetaDatos_))
            CreaCarpeta(carpetaDatos_);
        return true;
    } catch (const IoError&) {
        return false;
    }
}

void TSesion::AbreHistoria() {
    if (!CreaCarpetaDatos())
        return;
    try {
        ficheroHistoria_.Abre(RutaHistoria(), TFichero::TModo::Anadir);
    } catch (const IoError&) {
        ficheroHistoria_.Cierra();
    }
}

bool TSesion::CargaProgresoConjunto() {
    progreso_ = TProgreso{};
    repaso_ = false;
    rondaRepaso_.clear();
    siguientesFueraDeRepaso_ = 0;
    preguntasMostradas_ = 0;
    respuestasVistas_.clear();
    // Where the score cannot be kept, neither can the past.
    if (!ficheroHistoria_.Abierto())
        return true;
    TCargaProgreso carga = CargaProgreso(RutaProgreso());
    progreso_ = std::move(carga.Progreso);
    // Only a past needs the fingerprints: a set met for the first time opens as fast as ever.
    if (!progreso_.Preguntas.empty())
        ConciliaProgreso(progreso_, HuellasPreguntas(ficherosPreguntas_));
    return carga.Estado != TEstadoProgreso::Danado;
}

std::optional<TAviso> TSesion::ActivaTest() {
    acertadas_ = 0;
    contestadas_ = 0;
    const std::string ruta =
        ficherosAbiertos_ ? BuscaConfiguracion(nombreFichero_, carpetaDatos_) : std::string();
    // The data folder was created, where it could be, with the history file.
    return RestauraConfiguracion(ruta, std::string(), nombreFichero_, configuracion_, listaTemas_);
}

void TSesion::CierraFicheros() {
    if (!ficherosAbiertos_)
        return;
    // The score byte first: a progress file that cannot be saved costs no history.
    const bool guardaProgreso = contestadas_ != 0 && ficheroHistoria_.Abierto();
    const std::string rutaProgreso = RutaProgreso();
    try {
        nombreFichero_.clear();
        ficherosPreguntas_.Cierra();
        if (contestadas_ != 0 && ficheroHistoria_.Abierto()) {
            const uint8_t puntuacion = PuntuacionHistoria(acertadas_, contestadas_);
            ficheroHistoria_.Posiciona(ficheroHistoria_.Tamano());
            ficheroHistoria_.EscribeBloque(&puntuacion, 1);
        }
        ficheroHistoria_.Cierra();
        if (guardaProgreso) {
            CierraSesionProgreso(progreso_, ahora_(), contestadas_, acertadas_);
            GuardaProgreso(rutaProgreso, progreso_);
        }
    } catch (...) {
        DescartaFicheros();
        throw;
    }
    ficherosAbiertos_ = false;
    numPreguntas_ = 0;
    numTemas_ = 0;
    repaso_ = false;
}

void TSesion::DescartaFicheros() {
    // The state first: a close that fails still leaves no set open.
    nombreFichero_.clear();
    ficherosAbiertos_ = false;
    numPreguntas_ = 0;
    numTemas_ = 0;
    repaso_ = false;
    ficherosPreguntas_.Cierra();
    ficheroHistoria_.Cierra();
}

bool TSesion::TemaSeleccionado(uint16_t numero) const {
    // As Next reads it: an empty selection stands for every topic.
    return listaTemas_.CuentaMarcados() <= 0 ||
           listaTemas_.Marcado(temaDePregunta_.IndiceEnLista(numero));
}

int TSesion::CuentaPendientes() const {
    if (!ficherosAbiertos_)
        return 0;
    return ::CuentaPendientes(progreso_, ahora_(),
                              [this](uint16_t numero) { return TemaSeleccionado(numero); });
}

TFinRepaso TSesion::FinRepaso() const {
    return ResumeFinRepaso(progreso_, ahora_(),
                           [this](uint16_t numero) { return TemaSeleccionado(numero); });
}

bool TSesion::EmpiezaRepaso() {
    rondaRepaso_.clear();
    if (ficherosAbiertos_)
        rondaRepaso_ = PreguntasPendientes(
            progreso_, ahora_(), [this](uint16_t numero) { return TemaSeleccionado(numero); });
    pasoRepaso_ = 0;
    repaso_ = !rondaRepaso_.empty();
    return repaso_;
}

void TSesion::LeeElegida(uint16_t numero) {
    pregunta_ = ficherosPreguntas_.LeePregunta(numero);
}

uint16_t TSesion::Siguiente() {
    if (repaso_) {
        while (pasoRepaso_ < rondaRepaso_.size()) {
            const uint16_t pendiente = rondaRepaso_[pasoRepaso_++];
            // A topic unselected since the round began drops out of it.
            if (TemaSeleccionado(pendiente)) {
                pregunta_ = ficherosPreguntas_.LeePregunta(pendiente);
                return pendiente;
            }
        }
        // The round is over: back to the order the walk came from.
        repaso_ = false;
    } else if (barrejaRepaso_ && ficherosAbiertos_ && ++siguientesFueraDeRepaso_ % 4 == 0) {
        const uint16_t pendiente =
            SiguientePendiente(progreso_, ahora_(), preguntaMostrada_,
                               [this](uint16_t numero) { return TemaSeleccionado(numero); });
        if (pendiente != 0) {
            pregunta_ = ficherosPreguntas_.LeePregunta(pendiente);
            return pendiente;
        }
    }
    const uint16_t numero = EligeSiguiente(
        {secuencial_, preguntaActual_, numPreguntas_, temaDePregunta_, listaTemas_, generador_});
    if (numero != 0)
        pregunta_ = ficherosPreguntas_.LeePregunta(numero);
    return numero;
}

void TSesion::ContinuaDesde(uint16_t numero) {
    preguntaActual_ = numero;
    secuencial_ = true;
    repaso_ = false;
}

void TSesion::CambiaOrden(bool secuencial) {
    secuencial_ = secuencial;
    repaso_ = false;
}

void TSesion::SeleccionaTemas(const std::vector<bool>& marcas) {
    AplicaSeleccion(marcas, listaTemas_, configuracion_);
}

void TSesion::EmpiezaPregunta(uint16_t numero) {
    preguntaMostrada_ = numero;
    preguntaPuntuada_ = false;
    ++preguntasMostradas_;
    respuestas_ = RespuestasPregunta(pregunta_);
    respuestasVisibles_ = false;
}

bool TSesion::AlternaRespuestas() {
    respuestasVisibles_ = !respuestasVisibles_;
    return respuestasVisibles_;
}

TSesion::TCorreccion TSesion::Corrige(const std::vector<std::optional<std::string>>& entradas) {
    TCorreccion correccion;
    std::vector<bool> correctos;
    for (size_t i = 0; i < entradas.size() && i < respuestas_.size(); ++i) {
        correccion.Fallos.push_back(Juzga(respuestas_[i], entradas[i]));
        correctos.push_back(correccion.Fallos.back() == TTipoFallo::Ninguno);
        correccion.Aciertos += correctos.back();
    }
    PuntuaPregunta(correctos);
    return correccion;
}

void TSesion::PuntuaPregunta(const std::vector<bool>& huecosCorrectos) {
    if (preguntaPuntuada_ || huecosCorrectos.empty())
        return;
    std::vector<uint8_t> erroneos;
    for (size_t i = 0; i < huecosCorrectos.size(); ++i) {
        ++contestadas_;
        if (huecosCorrectos[i])
            ++acertadas_;
        else
            erroneos.push_back(static_cast<uint8_t>(std::min<size_t>(i + 1, 255)));
    }
    preguntaPuntuada_ = true;
    if (!ficherosAbiertos_ || preguntaMostrada_ == 0)
        return;
    // Shown again before kSeparacionRepaso others: its answers may still be in mind.
    const auto vistas = respuestasVistas_.find(preguntaMostrada_);
    const bool copiada = vistas != respuestasVistas_.end() &&
                         preguntasMostradas_ - vistas->second <= kSeparacionRepaso;
    respuestasVistas_[preguntaMostrada_] = preguntasMostradas_;
    if (!copiada)
        AnotaRespuesta(progreso_, preguntaMostrada_, HuellaPregunta(pregunta_), erroneos, ahora_());
}

int TSesion::PorCiento() const {
    return PorCientoHistoria(PuntuacionHistoria(acertadas_, contestadas_));
}

std::optional<uint8_t> TSesion::PuntuacionActual() const {
    if (contestadas_ == 0)
        return std::nullopt;
    return PuntuacionHistoria(acertadas_, contestadas_);
}

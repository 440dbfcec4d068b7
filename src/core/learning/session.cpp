#include "core/learning/session.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "core/base/io_error.h"
#include "core/learning/next_question.h"
#include "core/learning/review_schedule.h"
#include "core/set/settings_lookup.h"

TSesion::TSesion() : Ahora([] { return static_cast<int64_t>(std::time(nullptr)); }) {
    SiembraGenerador();
}

void TSesion::SiembraGenerador() {
    const auto ahora = std::chrono::system_clock::now().time_since_epoch();
    const auto milisegundos = std::chrono::duration_cast<std::chrono::milliseconds>(ahora).count();
    Generador.seed(static_cast<std::mt19937::result_type>(milisegundos % (24 * 3600 * 1000)));
}

std::string TSesion::RutaHistoria() const {
    return CarpetaDatos + NombreHistoria(NombreFichero);
}

std::string TSesion::RutaProgreso() const {
    return CarpetaDatos + NombreProgreso(NombreFichero);
}

bool TSesion::CompruebaConjunto(const std::string& nombre, TAviso* aviso) {
    CreaCarpetaDatos();
    CierraFicheros();
    NombreFichero = nombre;
    if (CompruebaFicheros(NombreFichero, Clave, aviso))
        return true;
    FicherosAbiertos = false;
    return false;
}

TAvisosApertura TSesion::AbreConjunto() {
    TAvisosApertura avisos;
    try {
        AbreFicheros(NombreFichero);
        avisos.SinHistoria = !FicheroHistoria.Abierto();
        NumTemas = LeeTemas(FicherosPreguntas, ListaTemas, TemaDePregunta);
        avisos.ProgresoDanado = !CargaProgresoConjunto();
        avisos.Configuracion = ActivaTest();
    } catch (...) {
        DescartaFicheros();
        throw;
    }
    return avisos;
}

void TSesion::AbreFicheros(const std::string& nombre) {
    FicherosPreguntas.Abre(nombre);
    AbreHistoria();
    FicherosAbiertos = true;
    NumPreguntas = FicherosPreguntas.NumPreguntas();
}

// Where nothing can be written the learner still practises; only the score is not kept.
bool TSesion::CreaCarpetaDatos() {
    if (CarpetaDatos.empty())
        return false;
    try {
        if (!ExisteCarpeta(CarpetaDatos))
            CreaCarpeta(CarpetaDatos);
        return true;
    } catch (const IoError&) {
        return false;
    }
}

void TSesion::AbreHistoria() {
    if (!CreaCarpetaDatos())
        return;
    try {
        FicheroHistoria.Abre(RutaHistoria(), TFichero::TModo::Anadir);
    } catch (const IoError&) {
        FicheroHistoria.Cierra();
    }
}

bool TSesion::CargaProgresoConjunto() {
    Progreso = TProgreso{};
    Repaso = false;
    // Where the score cannot be kept, neither can the past.
    if (!FicheroHistoria.Abierto())
        return true;
    TCargaProgreso carga = CargaProgreso(RutaProgreso());
    Progreso = std::move(carga.Progreso);
    // Only a past needs the fingerprints: a set met for the first time opens as fast as ever.
    if (!Progreso.Preguntas.empty())
        ConciliaProgreso(Progreso, HuellasPreguntas(FicherosPreguntas));
    return carga.Estado != TEstadoProgreso::Danado;
}

std::optional<TAviso> TSesion::ActivaTest() {
    Acertadas = 0;
    Contestadas = 0;
    const std::string ruta =
        FicherosAbiertos ? BuscaConfiguracion(NombreFichero, CarpetaDatos) : std::string();
    // The data folder was created, where it could be, with the history file.
    return RestauraConfiguracion(ruta, std::string(), NombreFichero, Configuracion, ListaTemas);
}

void TSesion::CierraFicheros() {
    if (!FicherosAbiertos)
        return;
    // The score byte first: a progress file that cannot be saved costs no history.
    const bool guardaProgreso = Contestadas != 0 && FicheroHistoria.Abierto();
    const std::string rutaProgreso = RutaProgreso();
    try {
        NombreFichero.clear();
        FicherosPreguntas.Cierra();
        if (Contestadas != 0 && FicheroHistoria.Abierto()) {
            const uint8_t puntuacion = PuntuacionHistoria(Acertadas, Contestadas);
            FicheroHistoria.Posiciona(FicheroHistoria.Tamano());
            FicheroHistoria.EscribeBloque(&puntuacion, 1);
        }
        FicheroHistoria.Cierra();
        if (guardaProgreso) {
            CierraSesionProgreso(Progreso, Ahora(), Contestadas, Acertadas);
            GuardaProgreso(rutaProgreso, Progreso);
        }
    } catch (...) {
        DescartaFicheros();
        throw;
    }
    FicherosAbiertos = false;
    NumPreguntas = 0;
    NumTemas = 0;
    Repaso = false;
}

void TSesion::DescartaFicheros() {
    // The state first: a close that fails still leaves no set open.
    NombreFichero.clear();
    FicherosAbiertos = false;
    NumPreguntas = 0;
    NumTemas = 0;
    Repaso = false;
    FicherosPreguntas.Cierra();
    FicheroHistoria.Cierra();
}

bool TSesion::TemaSeleccionado(uint16_t numero) const {
    // As Next reads it: an empty selection stands for every topic.
    return ListaTemas.CuentaMarcados() <= 0 ||
           ListaTemas.Marcado(TemaDePregunta.IndiceEnLista(numero));
}

int TSesion::CuentaPendientes() const {
    if (!FicherosAbiertos)
        return 0;
    return ::CuentaPendientes(Progreso, Ahora(),
                              [this](uint16_t numero) { return TemaSeleccionado(numero); });
}

uint16_t TSesion::Siguiente() {
    if (Repaso) {
        const uint16_t pendiente =
            SiguientePendiente(Progreso, Ahora(), PreguntaMostrada,
                               [this](uint16_t numero) { return TemaSeleccionado(numero); });
        if (pendiente != 0) {
            Pregunta = FicherosPreguntas.LeePregunta(pendiente);
            return pendiente;
        }
        // Nothing left to review: back to the order the walk came from.
        Repaso = false;
    }
    const uint16_t numero = EligeSiguiente(
        {Secuencial, PreguntaActual, NumPreguntas, TemaDePregunta, ListaTemas, Generador});
    if (numero != 0)
        Pregunta = FicherosPreguntas.LeePregunta(numero);
    return numero;
}

void TSesion::ContinuaDesde(uint16_t numero) {
    PreguntaActual = numero;
    Secuencial = true;
    Repaso = false;
}

void TSesion::EmpiezaPregunta(uint16_t numero) {
    PreguntaMostrada = numero;
    PreguntaPuntuada = false;
}

void TSesion::PuntuaPregunta(const std::vector<bool>& huecosCorrectos) {
    if (PreguntaPuntuada || huecosCorrectos.empty())
        return;
    std::vector<uint8_t> erroneos;
    for (size_t i = 0; i < huecosCorrectos.size(); ++i) {
        ++Contestadas;
        if (huecosCorrectos[i])
            ++Acertadas;
        else
            erroneos.push_back(static_cast<uint8_t>(std::min<size_t>(i + 1, 255)));
    }
    PreguntaPuntuada = true;
    if (FicherosAbiertos && PreguntaMostrada != 0)
        AnotaRespuesta(Progreso, PreguntaMostrada, HuellaPregunta(Pregunta), erroneos, Ahora());
}

std::optional<uint8_t> TSesion::PuntuacionActual() const {
    if (Contestadas == 0)
        return std::nullopt;
    return PuntuacionHistoria(Acertadas, Contestadas);
}

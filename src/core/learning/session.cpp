#include "core/learning/session.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "core/base/io_error.h"
#include "core/learning/next_question.h"
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
    RondaRepaso.clear();
    SiguientesFueraDeRepaso = 0;
    PreguntasMostradas = 0;
    RespuestasVistas.clear();
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

TFinRepaso TSesion::FinRepaso() const {
    return ResumeFinRepaso(Progreso, Ahora(),
                           [this](uint16_t numero) { return TemaSeleccionado(numero); });
}

bool TSesion::EmpiezaRepaso() {
    RondaRepaso.clear();
    if (FicherosAbiertos)
        RondaRepaso = PreguntasPendientes(
            Progreso, Ahora(), [this](uint16_t numero) { return TemaSeleccionado(numero); });
    PasoRepaso = 0;
    Repaso = !RondaRepaso.empty();
    return Repaso;
}

void TSesion::LeeElegida(uint16_t numero) {
    Pregunta = FicherosPreguntas.LeePregunta(numero);
}

uint16_t TSesion::Siguiente() {
    if (Repaso) {
        while (PasoRepaso < RondaRepaso.size()) {
            const uint16_t pendiente = RondaRepaso[PasoRepaso++];
            // A topic unselected since the round began drops out of it.
            if (TemaSeleccionado(pendiente)) {
                Pregunta = FicherosPreguntas.LeePregunta(pendiente);
                return pendiente;
            }
        }
        // The round is over: back to the order the walk came from.
        Repaso = false;
    } else if (BarrejaRepaso && FicherosAbiertos && ++SiguientesFueraDeRepaso % 4 == 0) {
        const uint16_t pendiente =
            SiguientePendiente(Progreso, Ahora(), PreguntaMostrada,
                               [this](uint16_t numero) { return TemaSeleccionado(numero); });
        if (pendiente != 0) {
            Pregunta = FicherosPreguntas.LeePregunta(pendiente);
            return pendiente;
        }
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
    ++PreguntasMostradas;
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
    if (!FicherosAbiertos || PreguntaMostrada == 0)
        return;
    // Shown again before kSeparacionRepaso others: its answers may still be in mind.
    const auto vistas = RespuestasVistas.find(PreguntaMostrada);
    const bool copiada = vistas != RespuestasVistas.end() &&
                         PreguntasMostradas - vistas->second <= kSeparacionRepaso;
    RespuestasVistas[PreguntaMostrada] = PreguntasMostradas;
    if (!copiada)
        AnotaRespuesta(Progreso, PreguntaMostrada, HuellaPregunta(Pregunta), erroneos, Ahora());
}

std::optional<uint8_t> TSesion::PuntuacionActual() const {
    if (Contestadas == 0)
        return std::nullopt;
    return PuntuacionHistoria(Acertadas, Contestadas);
}

#include "session.h"

#include <chrono>

#include "io_error.h"
#include "next_question.h"
#include "settings_lookup.h"

TSesion::TSesion() {
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
    try {
        NombreFichero.clear();
        FicherosPreguntas.Cierra();
        if (Contestadas != 0 && FicheroHistoria.Abierto()) {
            const uint8_t puntuacion = PuntuacionHistoria(Acertadas, Contestadas);
            FicheroHistoria.Posiciona(FicheroHistoria.Tamano());
            FicheroHistoria.EscribeBloque(&puntuacion, 1);
        }
        FicheroHistoria.Cierra();
    } catch (...) {
        DescartaFicheros();
        throw;
    }
    FicherosAbiertos = false;
    NumPreguntas = 0;
    NumTemas = 0;
}

void TSesion::DescartaFicheros() {
    // The state first: a close that fails still leaves no set open.
    NombreFichero.clear();
    FicherosAbiertos = false;
    NumPreguntas = 0;
    NumTemas = 0;
    FicherosPreguntas.Cierra();
    FicheroHistoria.Cierra();
}

uint16_t TSesion::Siguiente() {
    const uint16_t numero = EligeSiguiente(
        {Secuencial, PreguntaActual, NumPreguntas, TemaDePregunta, ListaTemas, Generador});
    if (numero != 0)
        Pregunta = FicherosPreguntas.LeePregunta(numero);
    return numero;
}

void TSesion::ContinuaDesde(uint16_t numero) {
    PreguntaActual = numero;
    Secuencial = true;
}

void TSesion::EmpiezaPregunta() {
    PreguntaPuntuada = false;
}

void TSesion::PuntuaPregunta(const std::vector<bool>& huecosCorrectos) {
    if (PreguntaPuntuada || huecosCorrectos.empty())
        return;
    for (const bool correcto : huecosCorrectos) {
        ++Contestadas;
        if (correcto)
            ++Acertadas;
    }
    PreguntaPuntuada = true;
}

std::optional<uint8_t> TSesion::PuntuacionActual() const {
    if (Contestadas == 0)
        return std::nullopt;
    return PuntuacionHistoria(Acertadas, Contestadas);
}

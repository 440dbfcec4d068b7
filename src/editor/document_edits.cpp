// The document's edits: each an undoable command, and the primitive changes the commands make.
#include "document.h"

#include <algorithm>
#include <utility>

#include "document_commands.h"

void TDocumento::Empuja(TComandoDocumento* comando, const char* castellano,
                        const char* valenciano) {
    comando->PonNombres(castellano, valenciano);
    comando->Nombra(idioma_);
    pila_.push(comando);
}

void TDocumento::CambiaPregunta(int fila, const TPreguntaEditada& pregunta, bool esTexto,
                                const char* castellano, const char* valenciano) {
    if (fila < 0 || fila >= Cuenta() || Pregunta(fila) == pregunta)
        return;
    Empuja(new TComandoCambia(*this, fila, pregunta, esTexto ? escritura_ : -1), castellano,
           valenciano);
}

void TDocumento::CambiaTema(int fila, const QString& tema) {
    if (fila < 0 || fila >= Cuenta())
        return;
    TPreguntaEditada pregunta = Pregunta(fila);
    pregunta.Tema = tema;
    CambiaPregunta(fila, pregunta, false, "cambiar el tema", "canviar el tema");
}

void TDocumento::CambiaModo(int fila, uint8_t modo) {
    if (fila < 0 || fila >= Cuenta())
        return;
    TPreguntaEditada pregunta = Pregunta(fila);
    pregunta.Modo = modo;
    CambiaPregunta(fila, pregunta, false, "cambiar la práctica de acentos",
                   "canviar la pràctica d'accents");
}

void TDocumento::CambiaAnchoMinimo(int fila, uint8_t ancho) {
    if (fila < 0 || fila >= Cuenta())
        return;
    TPreguntaEditada pregunta = Pregunta(fila);
    pregunta.AnchoMinimo = ancho;
    CambiaPregunta(fila, pregunta, false, "cambiar el ancho mínimo", "canviar l'amplària mínima");
}

void TDocumento::CambiaTexto(int fila, const QString& texto) {
    if (fila < 0 || fila >= Cuenta())
        return;
    TPreguntaEditada pregunta = Pregunta(fila);
    pregunta.Texto = texto;
    CambiaPregunta(fila, pregunta, true, "escribir", "escriure");
}

int TDocumento::Inserta(int despuesDe, const TPreguntaEditada& pregunta) {
    const int fila = std::clamp(despuesDe + 1, 0, Cuenta());
    Empuja(new TComandoInserta(*this, fila, pregunta), "añadir una pregunta",
           "afegir una pregunta");
    return fila;
}

int TDocumento::Duplica(int fila) {
    if (fila < 0 || fila >= Cuenta())
        return -1;
    const int nueva = std::min(fila + 1, Cuenta());
    Empuja(new TComandoInserta(*this, nueva, Pregunta(fila)), "duplicar la pregunta",
           "duplicar la pregunta");
    return nueva;
}

void TDocumento::Borra(int fila) {
    if (fila < 0 || fila >= Cuenta())
        return;
    Empuja(new TComandoBorra(*this, fila), "borrar la pregunta", "esborrar la pregunta");
}

void TDocumento::Mueve(int desde, int hasta) {
    if (desde == hasta || desde < 0 || hasta < 0 || desde >= Cuenta() || hasta >= Cuenta())
        return;
    Empuja(new TComandoMueve(*this, desde, hasta), "mover la pregunta", "moure la pregunta");
}

void TDocumento::RenombraTema(const QString& viejo, const QString& nuevo) {
    if (viejo == nuevo)
        return;
    std::vector<int> filas;
    for (int fila = 0; fila < Cuenta(); ++fila)
        if (preguntas_[static_cast<size_t>(fila)].Tema == viejo)
            filas.push_back(fila);
    if (!filas.empty())
        Empuja(new TComandoRenombraTema(*this, std::move(filas), viejo, nuevo),
               "cambiar el nombre del tema", "canviar el nom del tema");
}

bool TDocumento::AdelantaMasLegible() {
    const int fila = MasLegible();
    if (fila <= 0)
        return false;
    Mueve(fila, 0);
    return true;
}

// The primitive changes

void TDocumento::PonPregunta(int fila, const TPreguntaEditada& pregunta) {
    CuentaTema(Pregunta(fila).Tema, -1);
    CuentaTema(pregunta.Tema, 1);
    preguntas_[static_cast<size_t>(fila)] = pregunta;
    Comprueba(fila);
    emit dataChanged(index(fila, 0), index(fila, NumColumnas - 1));
    emit PreguntaCambiada(fila);
}

void TDocumento::PonTema(const std::vector<int>& filas, const QString& tema) {
    int anterior = -1;
    for (const int fila : filas) {
        CuentaTema(Pregunta(fila).Tema, -1);
        CuentaTema(tema, 1);
        TPreguntaEditada& pregunta = preguntas_[static_cast<size_t>(fila)];
        pregunta.Tema = tema;
        // Copies of one record (shared text) are checked once.
        if (anterior >= 0 && Pregunta(anterior) == pregunta) {
            pregunta = Pregunta(anterior);
            revisiones_[static_cast<size_t>(fila)] = revisiones_[static_cast<size_t>(anterior)];
        } else {
            Comprueba(fila);
        }
        anterior = fila;
    }
    if (filas.empty())
        return;
    emit dataChanged(index(filas.front(), 0), index(filas.back(), NumColumnas - 1));
    for (const int fila : filas)
        emit PreguntaCambiada(fila);
}

void TDocumento::InsertaFila(int fila, const TPreguntaEditada& pregunta) {
    beginInsertRows({}, fila, fila);
    preguntas_.insert(preguntas_.begin() + fila, pregunta);
    revisiones_.insert(revisiones_.begin() + fila, TRevision());
    Comprueba(fila);
    CuentaTema(pregunta.Tema, 1);
    endInsertRows();
    // The rows below have new numbers, and the first row may have changed.
    if (fila + 1 < Cuenta())
        emit dataChanged(index(fila + 1, 0), index(Cuenta() - 1, NumColumnas - 1));
}

void TDocumento::QuitaFila(int fila) {
    beginRemoveRows({}, fila, fila);
    CuentaTema(Pregunta(fila).Tema, -1);
    preguntas_.erase(preguntas_.begin() + fila);
    revisiones_.erase(revisiones_.begin() + fila);
    endRemoveRows();
    if (fila < Cuenta())
        emit dataChanged(index(fila, 0), index(Cuenta() - 1, NumColumnas - 1));
}

void TDocumento::MueveFila(int desde, int hasta) {
    // Qt names the row before which the moved one lands, counted before the move.
    beginMoveRows({}, desde, desde, {}, hasta > desde ? hasta + 1 : hasta);
    const auto mueve = [desde, hasta](auto& filas) {
        const auto origen = filas.begin() + desde;
        const auto destino = filas.begin() + hasta;
        if (hasta > desde)
            std::rotate(origen, origen + 1, destino + 1);
        else
            std::rotate(destino, origen, origen + 1);
    };
    mueve(preguntas_);
    mueve(revisiones_);
    endMoveRows();
    emit dataChanged(index(std::min(desde, hasta), 0),
                     index(std::max(desde, hasta), NumColumnas - 1));
}

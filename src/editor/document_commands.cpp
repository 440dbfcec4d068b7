#include "document_commands.h"

#include <utility>

TComandoCambia::TComandoCambia(TDocumento& documento, int fila, TPreguntaEditada despues,
                               int escritura)
    : TComandoDocumento(documento),
      fila_(fila),
      antes_(Pregunta(fila)),
      despues_(std::move(despues)),
      escritura_(escritura) {}

void TComandoCambia::redo() {
    PonPregunta(fila_, despues_);
}

void TComandoCambia::undo() {
    PonPregunta(fila_, antes_);
}

bool TComandoCambia::mergeWith(const QUndoCommand* otro) {
    const auto* cambio = static_cast<const TComandoCambia*>(otro);
    if (cambio->fila_ != fila_ || cambio->escritura_ != escritura_)
        return false;
    despues_ = cambio->despues_;
    // Typing that ends where it began leaves no step behind.
    setObsolete(despues_ == antes_);
    return true;
}

TComandoInserta::TComandoInserta(TDocumento& documento, int fila, TPreguntaEditada pregunta)
    : TComandoDocumento(documento), fila_(fila), pregunta_(std::move(pregunta)) {}

TComandoBorra::TComandoBorra(TDocumento& documento, int fila)
    : TComandoDocumento(documento), fila_(fila), pregunta_(Pregunta(fila)) {}

TComandoMueve::TComandoMueve(TDocumento& documento, int desde, int hasta, QUndoCommand* padre)
    : TComandoDocumento(documento, padre), desde_(desde), hasta_(hasta) {}

TComandoRenombraTema::TComandoRenombraTema(TDocumento& documento, std::vector<int> filas,
                                           QString viejo, QString nuevo)
    : TComandoDocumento(documento),
      filas_(std::move(filas)),
      viejo_(std::move(viejo)),
      nuevo_(std::move(nuevo)) {}

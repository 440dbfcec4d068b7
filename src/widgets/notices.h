#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "core/base/notice.h"

class QWidget;

// The system's default beep; it precedes every notice about a file of the set.
void Pitido();
// Up to five parts in one message box with one OK button, separated by blank lines: a notice
// about a set's files, Castellano in both interface languages, its button "Aceptar" included.
void MuestraAviso(const QStringList& partes);
void MuestraAviso(const TAviso& aviso);
// The application's error dialog for a file operation that failed inside a handler.
void MuestraError(const QString& texto);

// Tests replace the boxes with sinks that record the composed texts.
struct TReceptorAvisos {
    std::function<void(const QString& texto)> Aviso;
    std::function<void(const QString& texto)> Error;
};
void EstableceReceptorAvisos(TReceptorAvisos receptor);
// Tests count the beeps instead of hearing them; an empty sink beeps again.
void EstableceReceptorPitidos(std::function<void()> receptor);

// The composed text: the non-empty parts joined by blank lines.
QString TextoAviso(const QStringList& partes);

// Runs a handler's body; an input/output error ends it and is reported by the error dialog.
void ProtegeManejador(const std::function<void()>& cuerpo);

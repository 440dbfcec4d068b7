#include "notices.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <exception>

namespace {

TReceptorAvisos& Receptor() {
    static TReceptorAvisos receptor;
    return receptor;
}

QWidget* Ventana() {
    return QApplication::activeWindow();
}

std::function<void()>& ReceptorPitidos() {
    static std::function<void()> receptor;
    return receptor;
}

}  // namespace

void Pitido() {
    if (ReceptorPitidos())
        ReceptorPitidos()();
    else
        QApplication::beep();
}

void EstableceReceptorPitidos(std::function<void()> receptor) {
    ReceptorPitidos() = std::move(receptor);
}

QString TextoAviso(const QStringList& partes) {
    QStringList presentes;
    for (const QString& parte : partes.mid(0, 5))
        if (!parte.isEmpty())
            presentes << parte;
    return presentes.join(QStringLiteral("\n\n"));
}

void MuestraAviso(const QStringList& partes) {
    const QString texto = TextoAviso(partes);
    if (Receptor().Aviso) {
        Receptor().Aviso(texto);
        return;
    }
    QMessageBox caja(QMessageBox::NoIcon, QApplication::applicationDisplayName(), texto,
                     QMessageBox::Ok, Ventana());
    // Castellano whole, whatever language Qt's own buttons are translated into.
    caja.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    caja.exec();
}

void MuestraAviso(const TAviso& aviso) {
    QStringList partes;
    for (const std::string& parte : aviso)
        partes << QString::fromStdString(parte);
    MuestraAviso(partes);
}

void MuestraError(const QString& texto) {
    if (Receptor().Error) {
        Receptor().Error(texto);
        return;
    }
    QMessageBox::critical(Ventana(), QApplication::applicationDisplayName(), texto);
}

void EstableceReceptorAvisos(TReceptorAvisos receptor) {
    Receptor() = std::move(receptor);
}

void ProtegeManejador(const std::function<void()>& cuerpo) {
    try {
        cuerpo();
    } catch (const std::exception& error) {
        MuestraError(QString::fromStdString(error.what()));
    }
}

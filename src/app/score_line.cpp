#include "score_line.h"

#include <QLabel>

TLineaPuntuacion::TLineaPuntuacion(QWidget* parent) : QStatusBar(parent) {
    lblPuntuacion = new QLabel(this);
    lblPuntuacion->setTextFormat(Qt::PlainText);
    addWidget(lblPuntuacion, 1);
}

void TLineaPuntuacion::PonResultado(int aciertos, int huecos, int32_t Acertadas,
                                    int32_t Contestadas) {
    Pregunta = TCuenta{aciertos, huecos};
    Sesion = TCuenta{Acertadas, Contestadas};
    Escribe();
}

void TLineaPuntuacion::QuitaPregunta() {
    Pregunta.reset();
    Escribe();
}

void TLineaPuntuacion::Limpia() {
    Pregunta.reset();
    Sesion.reset();
    Escribe();
}

void TLineaPuntuacion::CambiaIdioma(uint16_t idioma) {
    Idioma = idioma;
    Escribe();
}

void TLineaPuntuacion::Escribe() {
    if (Idioma != 0 && Idioma != 1)
        return;
    const bool castellano = Idioma == 0;
    QStringList partes;
    if (Pregunta) {
        const bool uno = Pregunta->Aciertos == 1;
        const QString aciertos =
            castellano ? (uno ? QStringLiteral(" acierto de ") : QStringLiteral(" aciertos de "))
                       : (uno ? QStringLiteral(" encert de ") : QStringLiteral(" encerts de "));
        partes << (castellano ? QStringLiteral("Esta pregunta: ")
                              : QStringLiteral("Aquesta pregunta: ")) +
                      QString::number(Pregunta->Aciertos) + aciertos +
                      QString::number(Pregunta->Total);
    }
    if (Sesion && Sesion->Total > 0) {
        const int64_t porCiento =
            (int64_t{Sesion->Aciertos} * 200 + Sesion->Total) / (int64_t{Sesion->Total} * 2);
        partes << (castellano ? QStringLiteral("Sesión: ") : QStringLiteral("Sessió: ")) +
                      QString::number(Sesion->Aciertos) + QStringLiteral(" de ") +
                      QString::number(Sesion->Total) + QStringLiteral(" (") +
                      QString::number(porCiento) + QStringLiteral(" %)");
    }
    lblPuntuacion->setText(partes.join(QStringLiteral(" · ")));
}

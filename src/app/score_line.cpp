#include "score_line.h"

#include <QLabel>
#include <QPushButton>

#include "interface_text.h"

TLineaPuntuacion::TLineaPuntuacion(QWidget* parent) : QStatusBar(parent) {
    lblPuntuacion = new QLabel(this);
    lblPuntuacion->setTextFormat(Qt::PlainText);
    addWidget(lblPuntuacion, 1);
    btnRepasar = new QPushButton(this);
    btnRepasar->setFocusPolicy(Qt::NoFocus);
    btnRepasar->hide();
    addPermanentWidget(btnRepasar);
}

void TLineaPuntuacion::PonResultado(int aciertos, int huecos, int32_t Acertadas,
                                    int32_t Contestadas, int porCiento) {
    Pregunta = TCuenta{aciertos, huecos, 0};
    Sesion = TCuenta{Acertadas, Contestadas, porCiento};
    Escribe();
}

void TLineaPuntuacion::QuitaPregunta() {
    Pregunta.reset();
    Escribe();
}

void TLineaPuntuacion::Limpia() {
    Pregunta.reset();
    Sesion.reset();
    Pendientes = 0;
    PasoRepaso = 0;
    Escribe();
}

void TLineaPuntuacion::PonRepaso(size_t paso, size_t total) {
    PasoRepaso = paso;
    TotalRepaso = total;
    Escribe();
}

void TLineaPuntuacion::PonPendientes(int pendientes) {
    Pendientes = pendientes;
    Escribe();
}

void TLineaPuntuacion::PonSinConjunto(bool sinConjunto) {
    SinConjunto = sinConjunto;
    Escribe();
}

void TLineaPuntuacion::CambiaIdioma(TIdioma idioma) {
    Idioma = idioma;
    Escribe();
}

void TLineaPuntuacion::Escribe() {
    if (!IdiomaConocido(Idioma))
        return;
    btnRepasar->setVisible(!SinConjunto && PasoRepaso == 0 && Pendientes > 0);
    btnRepasar->setText(Texto(Idioma, "Repasar %1 ahora", "Repassar %1 ara").arg(Pendientes));
    if (SinConjunto) {
        lblPuntuacion->setText(
            Texto(Idioma, "Para empezar, abra un conjunto de preguntas con Fichero, Nuevo...",
                  "Per a començar, obriu un conjunt de preguntes amb Fitxer, Nou..."));
        return;
    }
    QStringList partes;
    if (PasoRepaso > 0)
        partes
            << Texto(Idioma, "Repaso %1 de %2", "Repàs %1 de %2").arg(PasoRepaso).arg(TotalRepaso);
    if (Pregunta) {
        const QString aciertos = Pregunta->Aciertos == 1
                                     ? Texto(Idioma, " acierto de ", " encert de ")
                                     : Texto(Idioma, " aciertos de ", " encerts de ");
        partes << Texto(Idioma, "Esta pregunta: ", "Aquesta pregunta: ") +
                      QString::number(Pregunta->Aciertos) + aciertos +
                      QString::number(Pregunta->Total);
    }
    if (Sesion && Sesion->Total > 0) {
        partes << Texto(Idioma, "Sesión: ", "Sessió: ") + QString::number(Sesion->Aciertos) +
                      QStringLiteral(" de ") + QString::number(Sesion->Total) +
                      QStringLiteral(" (") + QString::number(Sesion->PorCiento) +
                      QStringLiteral(" %)");
    }
    lblPuntuacion->setText(partes.join(QStringLiteral(" · ")));
}

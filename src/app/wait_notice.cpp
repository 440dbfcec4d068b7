#include "wait_notice.h"

#include <QLabel>

#include "dialog_setup.h"
#include "interface_text.h"
#include "svg_picture.h"

TfrmAviso::TfrmAviso(QWidget* parent) : QDialog(parent) {
    PreparaDialogo(this, 404, 116);
    setWindowTitle(QStringLiteral("Aviso"));

    imgAviso = new QLabel(this);
    imgAviso->setGeometry(16, 24, 73, 65);
    imgAviso->setAlignment(Qt::AlignCenter);
    imgAviso->setPixmap(
        IconoSvg(QStringLiteral(":/icons/aviso.svg"), QSize(67, 61)).pixmap(67, 61));

    lblAviso = new QLabel(QStringLiteral("lblAviso"), this);
    lblAviso->setGeometry(96, 24, 289, 73);
    lblAviso->setAlignment(Qt::AlignCenter);
    lblAviso->setWordWrap(true);

    Idioma = TIdioma::Castellano;
    CentraEnPantalla(this);
}

void TfrmAviso::FormActivate() {
    if (!IdiomaConocido(Idioma))
        return;
    setWindowTitle(Texto(Idioma, "Atención", "Atenció"));
    QString texto = Texto(
        Idioma, "Espere un momento mientras se comprueba \r\rel fichero con las preguntas. . .",
        "Espere un moment mentre es comprova \r\rel fitxer amb les preguntes. . .");
    // A label breaks lines at '\n' only.
    lblAviso->setText(texto.replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void TfrmAviso::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FormActivate();
}

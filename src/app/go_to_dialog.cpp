#include "go_to_dialog.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialog_setup.h"
#include "interface_text.h"

namespace {

bool SobreMaximo(const QString& texto, int maximo) {
    bool numero = false;
    const int valor = texto.trimmed().toInt(&numero);
    return numero && valor > maximo;
}

}  // namespace

QValidator::State TCampoNumero::validate(QString& texto, int& posicion) const {
    if (SobreMaximo(texto, maximum()))
        return QValidator::Acceptable;
    return QSpinBox::validate(texto, posicion);
}

int TCampoNumero::valueFromText(const QString& texto) const {
    if (SobreMaximo(texto, maximum()))
        return maximum();
    return QSpinBox::valueFromText(texto);
}

void TCampoNumero::fixup(QString& texto) const {
    // Only a text that is not acceptable comes here: above the maximum was taken by validate.
    texto = QString::number(minimum());
}

TfrmLeeInicial::TfrmLeeInicial(QWidget* parent) : QDialog(parent) {
    PreparaDialogo(this, 306, 133);
    setWindowTitle(QStringLiteral("Pregunta inicial"));

    NumInicial = new TCampoNumero(this);
    NumInicial->setGeometry(192, 16, 73, 22);
    NumInicial->setRange(1, 1);
    NumInicial->setValue(1);
    CampoNumero()->setMaxLength(5);

    lblTexto = new QLabel(QStringLiteral("&Número de pregunta inicial:"), this);
    lblTexto->setGeometry(40, 22, 153, 16);
    lblTexto->setBuddy(NumInicial);

    lblMaximo = new QLabel(this);
    lblMaximo->setGeometry(8, 56, 289, 16);
    lblMaximo->setAlignment(Qt::AlignCenter);

    btnOk = new QPushButton(QStringLiteral("&OK"), this);
    btnOk->setGeometry(40, 88, 89, 33);
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

    btnCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    btnCancelar->setGeometry(168, 88, 89, 33);
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);

    Idioma = TIdioma::Castellano;
    CentraEnPantalla(this);
}

QLineEdit* TfrmLeeInicial::CampoNumero() const {
    return NumInicial->findChild<QLineEdit*>();
}

void TfrmLeeInicial::FormActivate() {
    const QString maximo = QString::number(NumInicial->maximum());
    CampoNumero()->setMaxLength(static_cast<int>(maximo.size()));
    if (IdiomaConocido(Idioma)) {
        setWindowTitle(QStringLiteral("Pregunta inicial"));
        lblTexto->setText(QStringLiteral("&Número de la pregunta inicial:"));
        btnOk->setText(QStringLiteral("&Ok"));
        btnCancelar->setText(Texto(Idioma, "&Cancelar", "&Cancel·lar"));
        InicioMaximo = Texto(Idioma, "(Desde 1 hasta ", "(Des de 1 fins ");
    }
    // Built from the kept start, so a second activation does not repeat the number.
    lblMaximo->setText(InicioMaximo + maximo + QLatin1Char(')'));
    // What the learner types replaces the number instead of joining it.
    CampoNumero()->selectAll();
}

void TfrmLeeInicial::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FormActivate();
}

bool TfrmLeeInicial::event(QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(evento);
}

#include "topics_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

#include "dialog_setup.h"
#include "interface_text.h"

namespace {

constexpr int AltoElemento = 13;

QPushButton* CreaBoton(const QString& texto, int arriba, QWidget* dialogo) {
    auto* boton = new QPushButton(texto, dialogo);
    boton->setGeometry(450, arriba, 110, 33);
    return boton;
}

}  // namespace

TfrmTemas::TfrmTemas(QWidget* parent) : QDialog(parent) {
    PreparaDialogo(this, 575, 337);
    setWindowTitle(QStringLiteral("Lista de temas"));
    move(155, 93);

    // Created in tab order: the buttons first, the list last.
    btnAceptar = CreaBoton(QStringLiteral("&Aceptar"), 40, this);
    btnAceptar->setDefault(true);
    connect(btnAceptar, &QPushButton::clicked, this, &QDialog::accept);
    btnCancelar = CreaBoton(QStringLiteral("&Cancelar"), 90, this);
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    btnTodo = CreaBoton(QStringLiteral("&Seleccionar Todo"), 140, this);
    connect(btnTodo, &QPushButton::clicked, this, &TfrmTemas::btnTodoClick);
    btnInvertir = CreaBoton(QStringLiteral("&Invertir selección"), 190, this);
    connect(btnInvertir, &QPushButton::clicked, this, &TfrmTemas::btnInvertirClick);

    chkLista = new QListWidget(this);
    chkLista->setGeometry(16, 40, 401, 265);
    chkLista->setUniformItemSizes(true);
    // Mouse, space bar and program all change a tick through the item's data.
    connect(chkLista, &QListWidget::itemChanged, this, &TfrmTemas::ActualizaAceptar);

    lblTemas = new QLabel(QStringLiteral("Temas disponibles:"), this);
    lblTemas->setGeometry(16, 16, 385, 17);

    Idioma = TIdioma::Castellano;
    ActualizaAceptar();
}

void TfrmTemas::AnadeTema(const QString& nombre, bool marcado) {
    auto* elemento = new QListWidgetItem(nombre, chkLista);
    elemento->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    elemento->setSizeHint(QSize(0, AltoElemento));
    elemento->setCheckState(marcado ? Qt::Checked : Qt::Unchecked);
}

std::vector<bool> TfrmTemas::Marcas() const {
    std::vector<bool> marcas;
    for (int k = 0; k < chkLista->count(); ++k) {
        marcas.push_back(chkLista->item(k)->checkState() == Qt::Checked);
    }
    return marcas;
}

void TfrmTemas::ActualizaAceptar() {
    const std::vector<bool> marcas = Marcas();
    btnAceptar->setEnabled(std::find(marcas.begin(), marcas.end(), true) != marcas.end());
}

void TfrmTemas::btnTodoClick() {
    {
        const QSignalBlocker bloqueo(chkLista);
        for (int k = 0; k < chkLista->count(); ++k) {
            chkLista->item(k)->setCheckState(Qt::Checked);
        }
    }
    ActualizaAceptar();
}

void TfrmTemas::btnInvertirClick() {
    {
        const QSignalBlocker bloqueo(chkLista);
        for (int k = 0; k < chkLista->count(); ++k) {
            QListWidgetItem* elemento = chkLista->item(k);
            elemento->setCheckState(elemento->checkState() == Qt::Checked ? Qt::Unchecked
                                                                          : Qt::Checked);
        }
    }
    ActualizaAceptar();
}

void TfrmTemas::FormActivate() {
    if (IdiomaConocido(Idioma)) {
        setWindowTitle(Texto(Idioma, "Lista de temas", "Llista de temes"));
        btnAceptar->setText(QStringLiteral("&Aceptar"));
        btnCancelar->setText(Texto(Idioma, "&Cancelar", "&Cancel·lar"));
        btnInvertir->setText(Texto(Idioma, "&Invertir selección", "&Invertir selecció"));
        btnTodo->setText(Texto(Idioma, "&Seleccionar todo", "&Seleccionar tot"));
        lblTemas->setText(Texto(Idioma, "Temas disponibles:", "Temes disponibles:"));
    }
    ActualizaAceptar();
}

void TfrmTemas::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FormActivate();
}

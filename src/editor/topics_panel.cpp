#include "topics_panel.h"

#include "interface_text.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

#include "notices.h"

TPanelTemas::TPanelTemas(TDocumento& documento, QWidget* parent)
    : QWidget(parent), documento_(documento) {
    lstTemas = new QTreeWidget(this);
    lstTemas->setColumnCount(2);
    lstTemas->setRootIsDecorated(false);
    lstTemas->setUniformRowHeights(true);
    lstTemas->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    lstTemas->header()->setStretchLastSection(false);
    lstTemas->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lstTemas->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    btnRenombrar = new QPushButton(this);
    btnConfiguracion = new QPushButton(this);
    lblConfiguracion = new QLabel(this);
    lblConfiguracion->setWordWrap(true);
    lblGuardada = new QLabel(this);
    lblGuardada->setWordWrap(true);
    lblGuardada->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblGuardada->hide();

    auto* botones = new QHBoxLayout;
    botones->addWidget(btnRenombrar);
    botones->addStretch();
    botones->addWidget(btnConfiguracion);
    auto* disposicion = new QVBoxLayout(this);
    disposicion->setContentsMargins(4, 4, 4, 4);
    disposicion->addWidget(lblConfiguracion);
    disposicion->addWidget(lstTemas);
    disposicion->addLayout(botones);
    disposicion->addWidget(lblGuardada);

    connect(lstTemas, &QTreeWidget::itemChanged, this, &TPanelTemas::lstTemasChange);
    connect(btnRenombrar, &QPushButton::clicked, this, [this] {
        if (QTreeWidgetItem* elemento = lstTemas->currentItem())
            lstTemas->editItem(elemento, 0);
    });
    connect(btnConfiguracion, &QPushButton::clicked, this,
            [this] { ProtegeManejador([this] { btnConfiguracionClick(); }); });

    pendiente_ = new QTimer(this);
    pendiente_->setSingleShot(true);
    pendiente_->setInterval(200);
    connect(pendiente_, &QTimer::timeout, this, &TPanelTemas::Actualiza);
    connect(documento_.Pila(), &QUndoStack::indexChanged, pendiente_, qOverload<>(&QTimer::start));
    connect(&documento_, &TDocumento::DocumentoReemplazado, this, [this] {
        desmarcados_.clear();
        Actualiza();
    });

    EligeRutaConfiguracion = [this](const QString& propuesta) {
        QFileDialog dialogo(this, btnConfiguracion->text().remove(QLatin1Char('&')), propuesta,
                            QStringLiteral("*.cfg"));
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        dialogo.setDefaultSuffix(QStringLiteral("cfg"));
        return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
    };
    CambiaIdioma(TIdioma::Valenciano);
}

void TPanelTemas::Actualiza() {
    pendiente_->stop();
    const int fila =
        lstTemas->currentItem() ? lstTemas->indexOfTopLevelItem(lstTemas->currentItem()) : -1;
    const QString actual = nombres_.value(fila);
    rellenando_ = true;
    lstTemas->clear();
    nombres_.clear();
    for (const TDocumento::TTemaContado& tema : documento_.Temas()) {
        // The program lists no more; the settings file ticks no more.
        if (nombres_.size() == TDocumento::kTemasOfrecidos)
            break;
        auto* elemento = new QTreeWidgetItem(lstTemas);
        elemento->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable |
                           Qt::ItemIsUserCheckable);
        elemento->setText(0, TDocumento::TemaMostrado(tema.Nombre));
        elemento->setCheckState(0,
                                desmarcados_.contains(tema.Nombre) ? Qt::Unchecked : Qt::Checked);
        elemento->setText(1, QString::number(tema.Preguntas));
        elemento->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        nombres_ << tema.Nombre;
        if (tema.Nombre == actual)
            lstTemas->setCurrentItem(elemento);
    }
    rellenando_ = false;
    btnRenombrar->setEnabled(!nombres_.isEmpty());
    btnConfiguracion->setEnabled(!nombres_.isEmpty() && documento_.EsConjunto());
}

void TPanelTemas::lstTemasChange(QTreeWidgetItem* elemento, int columna) {
    if (rellenando_ || columna != 0)
        return;
    const int indice = lstTemas->indexOfTopLevelItem(elemento);
    if (indice < 0 || indice >= nombres_.size())
        return;
    const QString viejo = nombres_[indice];
    if (elemento->text(0) != TDocumento::TemaMostrado(viejo)) {
        // The renamed topic keeps its tick.
        if (desmarcados_.removeAll(viejo) > 0)
            desmarcados_ << elemento->text(0);
        nombres_[indice] = elemento->text(0);
        documento_.RenombraTema(viejo, elemento->text(0));
        // Not while the list's editor is still handing its text over.
        QTimer::singleShot(0, this, &TPanelTemas::Actualiza);
        return;
    }
    desmarcados_.removeAll(viejo);
    if (elemento->checkState(0) == Qt::Unchecked)
        desmarcados_ << viejo;
}

void TPanelTemas::btnConfiguracionClick() {
    std::vector<bool> marcas;
    for (int i = 0; i < lstTemas->topLevelItemCount(); ++i)
        marcas.push_back(lstTemas->topLevelItem(i)->checkState(0) == Qt::Checked);
    const QString ruta =
        EligeRutaConfiguracion(TDocumento::RutaConfiguracionDefecto(documento_.Ruta()));
    if (ruta.isEmpty())
        return;
    QString error;
    if (!documento_.EscribeConfiguracion(ruta, marcas, &error)) {
        MuestraError(error);
        return;
    }
    guardada_ = QDir::toNativeSeparators(ruta);
    CambiaIdioma(idioma_);
    lblGuardada->show();
}

void TPanelTemas::CambiaIdioma(TIdioma idioma) {
    idioma_ = idioma;
    lblGuardada->setText(
        Texto(idioma,
              "Configuración guardada en «%1». Tildora la usa si el alumno no tiene una propia; "
              "cópiela con el conjunto.",
              "Configuració guardada en «%1». Tildora la usa si l'alumne no en té una de pròpia; "
              "copieu-la amb el conjunt.")
            .arg(guardada_));
    lstTemas->setHeaderLabels(
        {Texto(idioma, "Tema", "Tema"), Texto(idioma, "Preguntas", "Preguntes")});
    btnRenombrar->setText(Texto(idioma, "&Renombrar", "&Reanomenar"));
    btnConfiguracion->setText(
        Texto(idioma, "&Guardar configuración...", "&Guardar configuració..."));
    lblConfiguracion->setText(
        Texto(idioma,
              "Los temas marcados son los que el alumno tiene elegidos al abrir el conjunto; el "
              "conjunto ha de estar guardado.",
              "Els temes marcats són els que l'alumne té triats en obrir el conjunt; el conjunt "
              "ha d'estar guardat."));
}

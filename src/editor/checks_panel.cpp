#include "checks_panel.h"

#include "interface_text.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

TPanelProblemas::TPanelProblemas(TDocumento& documento, QWidget* parent)
    : QWidget(parent), documento_(documento) {
    lstProblemas = new QListWidget(this);
    lstProblemas->setWordWrap(true);
    lstProblemas->setIconSize(QSize(16, 16));
    btnAdelanta = new QPushButton(this);
    btnAdelanta->hide();
    auto* disposicion = new QVBoxLayout(this);
    disposicion->setContentsMargins(4, 4, 4, 4);
    disposicion->addWidget(lstProblemas);
    disposicion->addWidget(btnAdelanta, 0, Qt::AlignLeft);

    connect(lstProblemas, &QListWidget::itemActivated, this, &TPanelProblemas::lstProblemasClick);
    connect(lstProblemas, &QListWidget::itemClicked, this, &TPanelProblemas::lstProblemasClick);
    connect(btnAdelanta, &QPushButton::clicked, this, &TPanelProblemas::btnAdelantaClick);

    // Checking ten thousand questions on every keystroke would make typing lag.
    pendiente_ = new QTimer(this);
    pendiente_->setSingleShot(true);
    pendiente_->setInterval(150);
    connect(pendiente_, &QTimer::timeout, this, &TPanelProblemas::Actualiza);
    connect(documento_.Pila(), &QUndoStack::indexChanged, pendiente_, qOverload<>(&QTimer::start));
    connect(&documento_, &TDocumento::DocumentoReemplazado, this, &TPanelProblemas::Actualiza);
    CambiaIdioma(idioma_);
}

void TPanelProblemas::Actualiza() {
    pendiente_->stop();
    problemas_ = documento_.Problemas();
    lstProblemas->clear();
    const QIcon refusa = QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon avisa = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    bool claveIlegible = false;
    for (const TProblema& problema : problemas_) {
        claveIlegible = claveIlegible || problema.Tipo == TProblema::TTipo::ClaveIlegible;
        if (lstProblemas->count() == kMostrados)
            continue;
        auto* elemento = new QListWidgetItem(problema.Bloquea() ? refusa : avisa,
                                             documento_.Mensaje(problema), lstProblemas);
        elemento->setToolTip(elemento->text());
    }
    if (NumProblemas() > kMostrados) {
        auto* resto =
            new QListWidgetItem(Texto(idioma_, "Y %1 problemas más: corrija primero estos.",
                                      "I %1 problemes més: corregiu primer aquests.")
                                    .arg(NumProblemas() - kMostrados),
                                lstProblemas);
        resto->setFlags(Qt::NoItemFlags);
    }
    if (problemas_.empty()) {
        auto* ninguno =
            new QListWidgetItem(Texto(idioma_, "Ningún problema: Tildora puede usar este conjunto.",
                                      "Cap problema: Tildora pot usar aquest conjunt."),
                                lstProblemas);
        ninguno->setFlags(Qt::NoItemFlags);
    }
    btnAdelanta->setVisible(claveIlegible && documento_.MasLegible() > 0);
    emit Contados(NumProblemas());
}

void TPanelProblemas::lstProblemasClick() {
    const int fila = lstProblemas->currentRow();
    if (fila < 0 || fila >= std::min(NumProblemas(), kMostrados))
        return;
    const TProblema& problema = problemas_[static_cast<size_t>(fila)];
    if (problema.Pregunta >= 0)
        emit ProblemaElegido(problema.Pregunta, problema.Posicion);
}

void TPanelProblemas::btnAdelantaClick() {
    if (documento_.AdelantaMasLegible()) {
        Actualiza();
        emit ProblemaElegido(0, -1);
    }
}

void TPanelProblemas::CambiaIdioma(TIdioma idioma) {
    idioma_ = idioma;
    btnAdelanta->setText(Texto(idioma, "Poner primero la pregunta más legible",
                               "Posar primer la pregunta més llegible"));
    btnAdelanta->setToolTip(Texto(
        idioma,
        "Tildora reconoce el conjunto por la primera pregunta: debe tener más letras normales",
        "Tildora reconeix el conjunt per la primera pregunta: ha de tindre més lletres "
        "normals"));
    Actualiza();
}

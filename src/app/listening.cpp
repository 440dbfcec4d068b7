#include "listening.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>

#include "dictation_view.h"
#include "interface_text.h"
#include "letter_strip.h"
#include "main_window.h"
#include "text_bytes.h"

TEscucha::TEscucha(TfrmTildora* ventana, std::unique_ptr<TSalidaSonido> salida)
    : QObject(ventana), ventana_(ventana) {
    Lector = new TLectorVoz(this, std::move(salida));
    ortografia_.CargaEnSegundoPlano();
    AvisaSinVoz = [ventana](const QString& texto) {
        auto* aviso = new QMessageBox(QMessageBox::Information, QStringLiteral("Tildora"), texto,
                                      QMessageBox::Ok, ventana);
        aviso->setAttribute(Qt::WA_DeleteOnClose);
        aviso->setModal(false);
        aviso->show();
    };
}

void TEscucha::CreaControles() {
    QMenu* menu = ventana_->menuPreguntas;
    menu->setToolTipsVisible(true);
    menu->addSeparator();
    menuEscuchar = menu->addAction(QStringLiteral("&Escuchar"));
    connect(menuEscuchar, &QAction::triggered, this, &TEscucha::LeePregunta);
    menuLento = menu->addAction(QStringLiteral("&Lento"));
    menuLento->setCheckable(true);
    menuDictado = menu->addAction(QStringLiteral("&Dictado"));
    menuDictado->setCheckable(true);
    connect(menuDictado, &QAction::triggered, this, &TEscucha::menuDictadoClick);
    pausa_ = new QTimer(this);
    pausa_->setSingleShot(true);
    connect(pausa_, &QTimer::timeout, this, [this] {
        if (++frase_ < frases_.size())
            LeeFraseDictado();
    });

    btnEscuchar = new QToolButton(ventana_->BarraLetras);
    btnEscuchar->setFocusPolicy(Qt::NoFocus);
    ventana_->BarraLetras->addSeparator();
    ventana_->BarraLetras->addWidget(btnEscuchar);
    connect(btnEscuchar, &QToolButton::clicked, this, &TEscucha::LeePregunta);

    const auto atajo = [this](QKeySequence teclas, void (TEscucha::*manejador)()) {
        auto* a = new QShortcut(teclas, ventana_, this, manejador, Qt::WindowShortcut);
        return a;
    };
    AtajoPregunta = atajo(QKeySequence(Qt::Key_F4), &TEscucha::Repite);
    AtajoTodo = atajo(QKeySequence(Qt::CTRL | Qt::Key_F4), &TEscucha::LeeTodo);
    AtajoFrase = atajo(QKeySequence(Qt::Key_F3), &TEscucha::LeeFraseDelHueco);
    ConectaLector();
    Habilita(false);
}

void TEscucha::ConectaLector() {
    connect(Lector, &TLectorVoz::Palabra, this, [this](qsizetype inicio, qsizetype longitud) {
        Lectura.Ilumina(static_cast<size_t>(inicio), static_cast<size_t>(longitud));
    });
    connect(Lector, &TLectorVoz::Terminado, this, [this](bool hastaElFinal) {
        Lectura.Apaga();
        // Time to write what was heard, about a second and a half a word.
        if (hastaElFinal && Dictando() && frase_ < frases_.size())
            pausa_->start(1500 + 100 * static_cast<int>(frases_[frase_].Longitud));
    });
}

void TEscucha::PonSalida(std::unique_ptr<TSalidaSonido> salida) {
    Calla();
    delete Lector;
    Lector = new TLectorVoz(this, std::move(salida));
    ConectaLector();
    Habilita(conPregunta_);
}

QString TEscucha::PorQueSinVoz() const {
    const TIdioma idioma = ventana_->Idioma;
    if (!TVoz::DelProceso().Disponible())
        return Texto(idioma, "No se puede escuchar: la voz (espeak-ng) no está instalada.",
                     "No es pot escoltar: la veu (espeak-ng) no està instal·lada.");
    if (!Lector->Disponible())
        return Texto(idioma, "No se puede escuchar: no hay ningún dispositivo de sonido.",
                     "No es pot escoltar: no hi ha cap dispositiu de so.");
    return {};
}

void TEscucha::CambiaIdioma(TIdioma idioma) {
    Calla();
    menuEscuchar->setText(Texto(idioma, "&Escuchar", "&Escoltar"));
    menuLento->setText(Texto(idioma, "&Lento", "&Lent"));
    menuDictado->setText(Texto(idioma, "&Dictado", "&Dictat"));
    if (Dictado)
        Dictado->CambiaIdioma(idioma);
    btnEscuchar->setText(Texto(idioma, "Escuchar", "Escoltar"));
    Habilita(conPregunta_);
}

void TEscucha::Habilita(bool conPregunta) {
    conPregunta_ = conPregunta;
    const QString porQue = PorQueSinVoz();
    const QString pista = porQue.isEmpty() ? Texto(ventana_->Idioma, "Escuchar la pregunta (F4)",
                                                   "Escoltar la pregunta (F4)")
                                           : porQue;
    for (QAction* accion : {menuEscuchar, menuLento, menuDictado}) {
        accion->setEnabled(porQue.isEmpty() && (conPregunta || accion == menuLento));
        accion->setToolTip(porQue.isEmpty() ? QString() : porQue);
    }
    btnEscuchar->setEnabled(porQue.isEmpty() && conPregunta);
    btnEscuchar->setToolTip(pista);
    if (!conPregunta)
        Calla();
}

void TEscucha::Calla() {
    TerminaDictado();
    Lector->Calla();
    Lectura.Apaga();
}

bool TEscucha::PuedeLeer() {
    const QString porQue = PorQueSinVoz();
    if (!porQue.isEmpty()) {
        if (!avisado_ && AvisaSinVoz)
            AvisaSinVoz(porQue);
        avisado_ = true;
        return false;
    }
    return conPregunta_;
}

TIdioma TEscucha::IdiomaDe(const std::string& texto) {
    const TIdioma interfaz = ventana_->Idioma;
    if (!ortografia_.Cargado(TIdioma::Castellano) || !ortografia_.Cargado(TIdioma::Valenciano))
        return interfaz;
    return ortografia_.IdiomaDe(texto, interfaz);
}

void TEscucha::Lee(const std::string& texto) {
    Lector->Lee(texto, IdiomaDe(Lectura.Texto()), menuLento->isChecked());
}

void TEscucha::LeePregunta() {
    if (!PuedeLeer())
        return;
    Lectura.Prepara(ventana_->Pool, ventana_->NumHuecos);
    Lee(Lectura.Texto());
}

void TEscucha::LeeFraseDelHueco() {
    if (!PuedeLeer())
        return;
    const QLineEdit* hueco = HuecoConFoco(ventana_);
    int indice = 0;
    for (int i = 1; i <= ventana_->NumHuecos; ++i)
        if (ventana_->Huecos[i] == hueco)
            indice = i;
    if (indice == 0)
        return;
    Lectura.Prepara(ventana_->Pool, ventana_->NumHuecos);
    if (const std::optional<TFrase> frase = Lectura.FraseDeHueco(indice))
        Lee(SoloFrase(*frase));
}

std::string TEscucha::SoloFrase(const TFrase& frase) const {
    std::string texto(Lectura.Texto().size(), ' ');
    texto.replace(frase.Inicio, frase.Longitud,
                  Lectura.Texto().substr(frase.Inicio, frase.Longitud));
    return texto;
}

bool TEscucha::Dictando() const {
    return menuDictado->isChecked();
}

void TEscucha::Repite() {
    if (!Dictando()) {
        LeePregunta();
    } else if (PuedeLeer()) {
        LeeFraseDictado();
    }
}

void TEscucha::LeeTodo() {
    if (!Dictando()) {
        LeePregunta();
    } else if (PuedeLeer()) {
        pausa_->stop();
        Lee(Lectura.Texto());
    }
}

void TEscucha::menuDictadoClick() {
    if (!Dictando()) {
        TerminaDictado();
        Lector->Calla();
        return;
    }
    Lector->Calla();
    Lectura.Prepara(ventana_->Pool, ventana_->NumHuecos);
    frases_ = Frases(Lectura.Texto());
    frase_ = 0;
    // Made on first use: its controls join the window's tab order only then.
    if (!Dictado) {
        Dictado = new TVistaDictado(ventana_);
        Dictado->CambiaIdioma(ventana_->Idioma);
        connect(Dictado->btnComprobar, &QPushButton::clicked, this, &TEscucha::Comprueba);
    }
    // Over the question, which must not be seen.
    Dictado->setGeometry(ventana_->centralWidget()->geometry());
    Dictado->Empieza();
    Dictado->show();
    Dictado->raise();
    Dictado->Entrada->setFocus();
    if (!frases_.empty())
        LeeFraseDictado();
}

void TEscucha::LeeFraseDictado() {
    pausa_->stop();
    if (frase_ < frases_.size())
        Lee(SoloFrase(frases_[frase_]));
}

void TEscucha::TerminaDictado() {
    if (!menuDictado)
        return;
    pausa_->stop();
    menuDictado->setChecked(false);
    if (Dictado)
        Dictado->hide();
}

void TEscucha::Comprueba() {
    pausa_->stop();
    Lector->Calla();
    Dictado->Correccion->Muestra(
        ComparaDictado(Lectura.Texto(), BytesDeTexto(Dictado->Entrada->toPlainText())));
}

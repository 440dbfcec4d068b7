#include "letter_strip.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

#include <optional>

#include "core/learning/accented_letters.h"
#include "interface_text.h"
#include "notices.h"

namespace {

std::u32string Letras32(const QString& texto) {
    return texto.toStdU32String();
}

}  // namespace

TTiraLetras::TTiraLetras(QWidget* parent) : QWidget(parent) {
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(4, 2, 4, 2);
    fila->setSpacing(2);
    for (int i = 0; i < Letras().size(); ++i) {
        auto* boton = new QToolButton(this);
        // The focus stays in the gap the letter goes to.
        boton->setFocusPolicy(Qt::NoFocus);
        boton->setMinimumWidth(28);
        connect(boton, &QToolButton::clicked, this, [this, i] { Pulsa(i); });
        fila->addWidget(boton);
        Botones.push_back(boton);
    }
    fila->addStretch();
    PonMayusculas(false);
    PonIdioma(TIdioma::Valenciano);
    // Shift is pressed in the gap, not here: watch the keys on their way to any widget.
    qApp->installEventFilter(this);
}

TTiraLetras::~TTiraLetras() {
    qApp->removeEventFilter(this);
}

const QStringList& TTiraLetras::Letras() {
    static const QStringList letras = {
        QStringLiteral("á"),   QStringLiteral("é"), QStringLiteral("í"), QStringLiteral("ó"),
        QStringLiteral("ú"),   QStringLiteral("ü"), QStringLiteral("ñ"), QStringLiteral("à"),
        QStringLiteral("è"),   QStringLiteral("ò"), QStringLiteral("ï"), QStringLiteral("ç"),
        QStringLiteral("l·l"), QStringLiteral("¿"), QStringLiteral("¡")};
    return letras;
}

void TTiraLetras::PonIdioma(TIdioma idioma) {
    const QString consejo =
        Texto(idioma,
              "Escribe la letra en el hueco (Mayús: mayúscula; F2 cambia la letra antes "
              "del cursor)",
              "Escriu la lletra en el buit (Maj: majúscula; F2 canvia la lletra abans del "
              "cursor)");
    for (QToolButton* boton : Botones)
        boton->setToolTip(consejo);
}

QToolButton* TTiraLetras::Boton(const QString& letra) const {
    const qsizetype i = Letras().indexOf(letra.toLower());
    return i < 0 ? nullptr : Botones[static_cast<size_t>(i)];
}

bool TTiraLetras::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress || evento->type() == QEvent::KeyRelease) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->key() == Qt::Key_Shift)
            PonMayusculas(evento->type() == QEvent::KeyPress);
    } else if (evento->type() == QEvent::ApplicationDeactivate) {
        // A Shift released in another program never comes back here.
        PonMayusculas(false);
    }
    return QWidget::eventFilter(objeto, evento);
}

void TTiraLetras::PonMayusculas(bool mayusculas) {
    Mayusculas_ = mayusculas;
    for (size_t i = 0; i < Botones.size(); ++i) {
        const QString& letra = Letras()[static_cast<qsizetype>(i)];
        Botones[i]->setText(mayusculas ? letra.toUpper() : letra);
    }
}

void TTiraLetras::Pulsa(int indice) {
    // The click's own Shift counts, whatever the strip last saw.
    const bool mayusculas = QApplication::keyboardModifiers() & Qt::ShiftModifier;
    const QString& letra = Letras()[indice];
    QLineEdit* hueco = HuecoConFoco(window());
    if (hueco == nullptr) {
        Pitido();
        return;
    }
    PonLetraEnHueco(hueco, mayusculas ? letra.toUpper() : letra);
}

QLineEdit* HuecoConFoco(const QWidget* ventana) {
    auto* hueco = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (hueco == nullptr || hueco->isReadOnly() || !hueco->isEnabled() ||
        !ventana->isAncestorOf(hueco))
        return nullptr;
    return hueco;
}

void PonLetraEnHueco(QLineEdit* hueco, const QString& letra) {
    const std::u32string texto = Letras32(hueco->text());
    // Positions in UTF-16 units and in characters agree: every letter here is one unit.
    const auto cursor = static_cast<size_t>(hueco->cursorPosition());
    const auto seleccionados = static_cast<size_t>(hueco->selectedText().size());
    const auto maximo = static_cast<size_t>(hueco->maxLength());
    switch (ColocaLetra(texto, cursor, seleccionados, maximo, Letras32(letra))) {
        case TColocacion::Inserta:
            hueco->insert(letra);
            break;
        case TColocacion::SustituyeAnterior:
            hueco->setSelection(static_cast<int>(cursor) - 1, 1);
            hueco->insert(letra);
            break;
        case TColocacion::Rechaza:
            Pitido();
            break;
    }
}

void CambiaAcento(QLineEdit* hueco, bool practicaAcentos) {
    const std::optional<TCambioForma> cambio =
        SiguienteForma(Letras32(hueco->text()), static_cast<size_t>(hueco->cursorPosition()),
                       static_cast<size_t>(hueco->maxLength()), practicaAcentos);
    if (!cambio) {
        Pitido();
        return;
    }
    // As typing would: one step of the gap's undo, its caret where the letter ends.
    hueco->selectAll();
    hueco->insert(QString::fromStdU32String(cambio->Texto));
    hueco->setCursorPosition(static_cast<int>(cambio->Cursor));
}

QShortcut* InstalaAtajoAcento(QWidget* ventana, std::function<bool()> practicaAcentos) {
    auto* atajo = new QShortcut(QKeySequence(kAtajoAcento), ventana);
    QObject::connect(atajo, &QShortcut::activated, ventana,
                     [ventana, practicaAcentos = std::move(practicaAcentos)] {
                         if (QLineEdit* hueco = HuecoConFoco(ventana))
                             CambiaAcento(hueco, practicaAcentos && practicaAcentos());
                         else
                             Pitido();
                     });
    return atajo;
}

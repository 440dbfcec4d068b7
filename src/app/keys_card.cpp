#include "keys_card.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>

#include "dialog_setup.h"
#include "interface_text.h"

namespace {

struct TTecla {
    const char* TeclaCastellano;
    const char* TeclaValenciano;
    const char* Castellano;
    const char* Valenciano;
};

// In the order a learner meets them. The Escuchar keys read aloud where the voice is installed.
constexpr TTecla kTeclas[] = {
    {"Tab", "Tab", "Pasa al hueco siguiente, con el cursor al final",
     "Passa al buit següent, amb el cursor al final"},
    {"Mayús+Tab", "Maj+Tab", "Vuelve al hueco anterior", "Torna al buit anterior"},
    {"F2", "F2",
     "Cambia la letra antes del cursor: a → á → à, e → é → è, i → í → ï, o → ó → ò, u → ú → ü, "
     "c → ç, n → ñ, l → l·l, ? → ¿, ! → ¡ (en un hueco de acentos, la última vocal)",
     "Canvia la lletra abans del cursor: a → á → à, e → é → è, i → í → ï, o → ó → ò, u → ú → ü, "
     "c → ç, n → ñ, l → l·l, ? → ¿, ! → ¡ (en un buit d'accents, l'última vocal)"},
    {"Mayús + clic en una letra", "Maj + clic en una lletra",
     "Escribe la mayúscula de la tira de letras", "Escriu la majúscula de la tira de lletres"},
    {"Retorno", "Retorn", "Pasa al hueco siguiente; en el último, corrige",
     "Passa al buit següent; en l'últim, corregeix"},
    {"Ctrl+Retorno", "Ctrl+Retorn", "Corregir; pulsada otra vez, Siguiente",
     "Corregir; premuda una altra vegada, Següent"},
    {"Retorno o Espacio en Siguiente", "Retorn o Espai en Següent", "Siguiente texto",
     "Següent text"},
    {"Ctrl++", "Ctrl++", "Texto más grande", "Text més gran"},
    {"Ctrl+-", "Ctrl+-", "Texto más pequeño", "Text més menut"},
    {"Ctrl+0", "Ctrl+0", "Texto a su tamaño", "Text a la seua mida"},
    {"F3", "F3", "Escuchar: la frase del hueco", "Escoltar: la frase del buit"},
    {"F4", "F4", "Escuchar: la pregunta; en un dictado, la frase otra vez",
     "Escoltar: la pregunta; en un dictat, la frase una altra vegada"},
    {"Ctrl+F4", "Ctrl+F4", "Escuchar: todo el dictado", "Escoltar: tot el dictat"},
    {"Retorno en la lista del historial", "Retorn en la llista de l'historial",
     "Muestra la pregunta elegida", "Mostra la pregunta triada"},
    {"Alt + letra subrayada", "Alt + lletra subratllada", "Abre el menú o la orden",
     "Obri el menú o l'orde"},
};

}  // namespace

TfrmTeclas::TfrmTeclas(QWidget* parent) : QDialog(parent) {
    PreparaDialogo(this, 620, 440);
    tblTeclas = new QTableWidget(static_cast<int>(std::size(kTeclas)), 2, this);
    tblTeclas->setGeometry(8, 8, 604, 376);
    tblTeclas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblTeclas->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblTeclas->setWordWrap(true);
    tblTeclas->verticalHeader()->hide();
    tblTeclas->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tblTeclas->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (int fila = 0; fila < tblTeclas->rowCount(); ++fila)
        for (int columna = 0; columna < 2; ++columna)
            tblTeclas->setItem(fila, columna, new QTableWidgetItem);
    btnCerrar = new QPushButton(this);
    btnCerrar->setGeometry(262, 396, 96, 30);
    btnCerrar->setDefault(true);
    connect(btnCerrar, &QPushButton::clicked, this, &QDialog::accept);
    CentraEnPantalla(this);
}

void TfrmTeclas::FormActivate() {
    if (!IdiomaConocido(Idioma))
        return;
    setWindowTitle(Texto(Idioma, "Teclas", "Tecles"));
    tblTeclas->setHorizontalHeaderLabels(
        {Texto(Idioma, "Tecla", "Tecla"), Texto(Idioma, "Qué hace", "Què fa")});
    for (int fila = 0; fila < tblTeclas->rowCount(); ++fila) {
        const TTecla& tecla = kTeclas[fila];
        tblTeclas->item(fila, 0)->setText(
            Texto(Idioma, tecla.TeclaCastellano, tecla.TeclaValenciano));
        tblTeclas->item(fila, 1)->setText(Texto(Idioma, tecla.Castellano, tecla.Valenciano));
    }
    tblTeclas->resizeRowsToContents();
    btnCerrar->setText(Texto(Idioma, "&Cerrar", "&Tancar"));
}

void TfrmTeclas::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FormActivate();
}

void TfrmTeclas::keyPressEvent(QKeyEvent* evento) {
    if (!PulsaConEscape(evento, btnCerrar))
        QDialog::keyPressEvent(evento);
}

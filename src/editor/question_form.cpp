#include "question_form.h"

#include "interface_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QSyntaxHighlighter>
#include <QTextCursor>

#include "core/text/question_text.h"
#include "question_pool.h"
#include "text_bytes.h"

namespace {

// A line feed is an ordinary character of a question: the edit shows it as this symbol, so
// that it is neither taken for a paragraph nor lost.
constexpr QChar kSimboloSaltoLinea = QChar(0x240A);

// Each gap's marks and answer are tinted as the program reads them, and a mark left without its
// partner is flagged in red where it stands.
class TResaltadorHuecos : public QSyntaxHighlighter {
  public:
    TResaltadorHuecos(QTextDocument* texto, const TFormularioPregunta& formulario)
        : QSyntaxHighlighter(texto), formulario_(formulario) {
        marca_.setForeground(QColor(0x1a, 0x4f, 0xa8));
        marca_.setFontWeight(QFont::Bold);
        respuesta_.setBackground(QColor(0xdd, 0xe8, 0xfb));
        sinPareja_.setForeground(Qt::white);
        sinPareja_.setBackground(QColor(0xd0, 0x10, 0x10));
        sinPareja_.setFontWeight(QFont::Bold);
    }

  protected:
    void highlightBlock(const QString& linea) override {
        Huecos(linea);
        if (!formulario_.Desconocidas)
            return;
        for (const auto& [inicio, largo] : formulario_.Desconocidas(linea)) {
            for (int i = inicio; i < inicio + largo; ++i) {
                QTextCharFormat formato = format(i);
                formato.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
                formato.setUnderlineColor(Qt::red);
                setFormat(i, 1, formato);
            }
        }
    }

  private:
    // A block is one paragraph, and marks pair within a paragraph, so the block alone is read.
    void Huecos(const QString& linea) {
        const std::string bytes = BytesPorUnidad(linea);
        TLectorTexto lector(bytes);
        TPalabraTexto palabra;
        while (!lector.Terminado()) {
            lector.Siguiente(palabra);
            if (palabra.MarcaAbierta != std::string::npos)
                setFormat(static_cast<int>(palabra.MarcaAbierta), 1, sinPareja_);
            for (const TPiezaTexto& hueco : palabra.Piezas) {
                if (hueco.Tipo != TPiezaTexto::TTipo::Hueco || !hueco.Cerrado)
                    continue;
                const int inicio = static_cast<int>(hueco.Inicio);
                const int largo = static_cast<int>(hueco.Texto.size());
                setFormat(inicio - 1, 1, marca_);
                setFormat(inicio, largo, respuesta_);
                setFormat(inicio + largo, 1, marca_);
            }
        }
    }

    const TFormularioPregunta& formulario_;
    QTextCharFormat marca_;
    QTextCharFormat respuesta_;
    QTextCharFormat sinPareja_;
};

}  // namespace

TFormularioPregunta::TFormularioPregunta(TDocumento& documento, QWidget* parent)
    : QWidget(parent), documento_(documento) {
    lblTema = new QLabel(this);
    cbTema = new QComboBox(this);
    cbTema->setEditable(true);
    cbTema->setInsertPolicy(QComboBox::NoInsert);
    cbTema->setMinimumContentsLength(24);
    lblTema->setBuddy(cbTema);

    chkAcentos = new QCheckBox(this);
    lblModo = new QLabel(this);
    lblModo->hide();
    lblAncho = new QLabel(this);
    spAncho = new QSpinBox(this);
    spAncho->setRange(0, 255);
    lblAncho->setBuddy(spAncho);

    lblTexto = new QLabel(this);
    edTexto = new QPlainTextEdit(this);
    edTexto->setFont(FuenteFija());
    edTexto->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edTexto->setTabChangesFocus(true);
    // Undo and redo belong to the document: the edit's own history would split them.
    edTexto->setUndoRedoEnabled(false);
    edTexto->installEventFilter(this);
    resaltador_ = new TResaltadorHuecos(edTexto->document(), *this);
    lblTexto->setBuddy(edTexto);

    auto* fila = new QHBoxLayout;
    fila->addWidget(cbTema, 1);
    fila->addSpacing(12);
    fila->addWidget(chkAcentos);
    fila->addWidget(lblModo);
    fila->addSpacing(12);
    fila->addWidget(lblAncho);
    fila->addWidget(spAncho);
    auto* disposicion = new QFormLayout(this);
    disposicion->setContentsMargins(4, 4, 4, 4);
    disposicion->addRow(lblTema, fila);
    disposicion->addRow(lblTexto, edTexto);

    connect(cbTema->lineEdit(), &QLineEdit::editingFinished, this,
            &TFormularioPregunta::ConfirmaTema);
    connect(cbTema, &QComboBox::activated, this, &TFormularioPregunta::cbTemaElegido);
    connect(chkAcentos, &QCheckBox::clicked, this, &TFormularioPregunta::chkAcentosClick);
    connect(spAncho, &QSpinBox::valueChanged, this, &TFormularioPregunta::spAnchoChange);
    connect(edTexto, &QPlainTextEdit::textChanged, this, &TFormularioPregunta::edTextoChange);

    CambiaIdioma(TIdioma::Valenciano);
    MuestraFila(-1);
}

void TFormularioPregunta::RevisaDeNuevo() {
    resaltador_->rehighlight();
}

QString TFormularioPregunta::TextoEnEdicion(const QString& texto) {
    QString enEdicion = texto;
    enEdicion.replace(QLatin1Char('\n'), kSimboloSaltoLinea);
    enEdicion.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return enEdicion;
}

QString TFormularioPregunta::TextoDeEdicion(const QString& texto) {
    QString deEdicion = texto;
    deEdicion.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    deEdicion.replace(kSimboloSaltoLinea, QLatin1Char('\n'));
    return deEdicion;
}

void TFormularioPregunta::MuestraFila(int fila) {
    fila_ = fila >= 0 && fila < documento_.Cuenta() ? fila : -1;
    for (QWidget* campo : std::initializer_list<QWidget*>{cbTema, chkAcentos, spAncho, edTexto})
        campo->setEnabled(fila_ >= 0);
    Refresca();
}

void TFormularioPregunta::Refresca() {
    refrescando_ = true;
    if (fila_ >= documento_.Cuenta())
        fila_ = -1;
    const TPreguntaEditada pregunta = fila_ >= 0 ? documento_.Pregunta(fila_) : TPreguntaEditada();
    OfreceTemas();
    if (cbTema->currentText() != pregunta.Tema)
        cbTema->setEditText(pregunta.Tema);
    chkAcentos->setChecked(pregunta.Modo == 1);
    lblModo->setVisible(pregunta.Modo > 1);
    lblModo->setText(QStringLiteral("(Modo %1)").arg(pregunta.Modo));
    spAncho->setValue(pregunta.AnchoMinimo);
    const QString enEdicion = TextoEnEdicion(pregunta.Texto);
    if (edTexto->toPlainText() != enEdicion) {
        // Only a change from elsewhere lands here; the cursor stays about where it was.
        const int posicion = edTexto->textCursor().position();
        edTexto->setPlainText(enEdicion);
        QTextCursor cursor = edTexto->textCursor();
        cursor.setPosition(std::min(posicion, static_cast<int>(enEdicion.size())));
        edTexto->setTextCursor(cursor);
    }
    refrescando_ = false;
}

void TFormularioPregunta::OfreceTemas() {
    QStringList temas;
    for (const TDocumento::TTemaContado& tema : documento_.Temas()) {
        if (temas.size() == TDocumento::kTemasOfrecidos)
            break;
        temas << tema.Nombre;
    }
    if (temas == temas_)
        return;
    temas_ = temas;
    const QString escrito = cbTema->currentText();
    cbTema->clear();
    for (const QString& tema : temas)
        cbTema->addItem(TDocumento::TemaMostrado(tema));
    cbTema->setEditText(escrito);
}

void TFormularioPregunta::cbTemaElegido(int indice) {
    // The list shows the start of a long topic; the question takes it whole.
    if (indice >= 0 && indice < temas_.size())
        cbTema->setEditText(temas_[indice]);
    ConfirmaTema();
}

void TFormularioPregunta::ConfirmaTema() {
    if (refrescando_ || fila_ < 0)
        return;
    const QString tema = cbTema->currentText();
    if (tema != documento_.Pregunta(fila_).Tema)
        documento_.CambiaTema(fila_, tema);
}

void TFormularioPregunta::chkAcentosClick() {
    if (refrescando_ || fila_ < 0)
        return;
    documento_.CambiaModo(fila_, chkAcentos->isChecked() ? 1 : 0);
}

void TFormularioPregunta::spAnchoChange() {
    if (refrescando_ || fila_ < 0 || spAncho->value() == documento_.Pregunta(fila_).AnchoMinimo)
        return;
    documento_.CambiaAnchoMinimo(fila_, static_cast<uint8_t>(spAncho->value()));
}

void TFormularioPregunta::edTextoChange() {
    if (refrescando_ || fila_ < 0)
        return;
    const QString texto = TextoDeEdicion(edTexto->toPlainText());
    if (texto != documento_.Pregunta(fila_).Texto)
        documento_.CambiaTexto(fila_, texto);
}

void TFormularioPregunta::HazHueco() {
    if (fila_ < 0)
        return;
    QTextCursor cursor = edTexto->textCursor();
    const QString elegido = cursor.selectedText();
    // A selection across paragraphs would make two unpaired marks.
    if (elegido.contains(QChar::ParagraphSeparator)) {
        QApplication::beep();
        return;
    }
    // The gap is an undo step of its own, apart from the typing around it.
    documento_.CierraEscritura();
    const QChar marca = QLatin1Char(kMarcaHueco);
    cursor.insertText(marca + elegido + marca);
    documento_.CierraEscritura();
    if (elegido.isEmpty()) {
        // An empty gap: the cursor between the marks, ready for the answer.
        cursor.movePosition(QTextCursor::PreviousCharacter);
        edTexto->setTextCursor(cursor);
    }
    edTexto->setFocus();
}

void TFormularioPregunta::VeAPosicion(int posicion) {
    if (fila_ < 0)
        return;
    QTextCursor cursor = edTexto->textCursor();
    cursor.setPosition(std::clamp(posicion, 0, static_cast<int>(edTexto->toPlainText().size())));
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    edTexto->setTextCursor(cursor);
    edTexto->setFocus();
}

bool TFormularioPregunta::eventFilter(QObject* objeto, QEvent* evento) {
    // Typing after coming back to the text is a new undo step.
    if (objeto == edTexto && evento->type() == QEvent::FocusOut)
        documento_.CierraEscritura();
    // The edit would take Undo and Redo for itself; leave them to the window's actions.
    if (objeto == edTexto && evento->type() == QEvent::ShortcutOverride) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->matches(QKeySequence::Undo) || tecla->matches(QKeySequence::Redo) ||
            tecla->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
            evento->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void TFormularioPregunta::CambiaIdioma(TIdioma idioma) {
    lblTema->setText(Texto(idioma, "&Tema:", "&Tema:"));
    chkAcentos->setText(Texto(idioma, "Práctica de &acentos", "Pràctica d'&accents"));
    chkAcentos->setToolTip(Texto(idioma, "Los huecos empiezan con la respuesta sin acentos",
                                 "Els buits comencen amb la resposta sense accents"));
    lblAncho->setText(
        Texto(idioma, "Ancho &mínimo de los huecos:", "Amplària &mínima dels buits:"));
    lblTexto->setText(Texto(idioma, "Te&xto:", "Te&xt:"));
    edTexto->setPlaceholderText(
        Texto(idioma,
              "Un párrafo por línea; la respuesta de cada hueco entre arrobas: El @árbol@ da "
              "sombra. Ctrl+G hace un hueco.",
              "Un paràgraf per línia; la resposta de cada buit entre arroves: L'@arbre@ fa "
              "ombra. Ctrl+G fa un buit."));
}

#include "dictation_view.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "interface_text.h"
#include "text_bytes.h"

namespace {

using TEstado = TPalabraDictada::TEstado;

constexpr int kSeparacion = 8;

QString Mostrada(const TPalabraDictada& p) {
    switch (p.Estado) {
        case TEstado::Falta:
            return QLatin1Char('[') + TextoDeBytes(p.Esperada) + QLatin1Char(']');
        case TEstado::Bien:
        case TEstado::Mal:
        case TEstado::Sobra:
            break;
    }
    return TextoDeBytes(p.Escrita);
}

}  // namespace

QColor ColorDictado(TEstado estado) {
    switch (estado) {
        case TEstado::Bien:
            return QColor(0, 110, 0);
        case TEstado::Mal:
            return QColor(200, 0, 0);
        case TEstado::Falta:
            return QColor(170, 100, 0);
        case TEstado::Sobra:
            return QColor(110, 110, 110);
    }
    return {};
}

TCorreccionDictado::TCorreccionDictado(QWidget* parent) : QWidget(parent) {
    QSizePolicy politica(QSizePolicy::Preferred, QSizePolicy::Preferred);
    politica.setHeightForWidth(true);
    setSizePolicy(politica);
}

void TCorreccionDictado::Muestra(std::vector<TPalabraDictada> palabras) {
    palabras_ = std::move(palabras);
    updateGeometry();
    update();
}

int TCorreccionDictado::Coloca(int ancho, std::vector<QRect>* cajas) const {
    const QFontMetrics medidas(font());
    // Two lines a word: the right spelling above, the word written below.
    const int alto = 2 * medidas.height() + kSeparacion / 2;
    int x = 0, y = 0;
    for (const TPalabraDictada& p : palabras_) {
        const int w = std::max(
            medidas.horizontalAdvance(Mostrada(p)),
            p.Estado == TEstado::Mal ? medidas.horizontalAdvance(TextoDeBytes(p.Esperada)) : 0);
        if (x > 0 && x + w > ancho) {
            x = 0;
            y += alto;
        }
        if (cajas)
            cajas->push_back(QRect(x, y, w, alto));
        x += w + kSeparacion;
    }
    return palabras_.empty() ? 0 : y + alto;
}

int TCorreccionDictado::heightForWidth(int ancho) const {
    return Coloca(ancho, nullptr);
}

QSize TCorreccionDictado::sizeHint() const {
    return QSize(400, heightForWidth(400));
}

void TCorreccionDictado::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    std::vector<QRect> cajas;
    Coloca(width(), &cajas);
    const QFontMetrics medidas(font());
    for (size_t i = 0; i < palabras_.size(); ++i) {
        const TPalabraDictada& p = palabras_[i];
        const QRect& caja = cajas[i];
        const int base = caja.top() + 2 * medidas.height();
        if (p.Estado == TEstado::Mal) {
            pintor.setPen(ColorDictado(TEstado::Bien));
            pintor.drawText(caja.left(), caja.top() + medidas.ascent(), TextoDeBytes(p.Esperada));
        }
        QFont fuente = font();
        fuente.setStrikeOut(p.Estado == TEstado::Sobra);
        pintor.setFont(fuente);
        pintor.setPen(p.Estado == TEstado::Bien ? palette().color(QPalette::WindowText)
                                                : ColorDictado(p.Estado));
        pintor.drawText(caja.left(), base - medidas.descent(), Mostrada(p));
        pintor.setFont(font());
    }
}

TVistaDictado::TVistaDictado(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    auto* disposicion = new QVBoxLayout(this);
    lblInstrucciones = new QLabel(this);
    lblInstrucciones->setWordWrap(true);
    Entrada = new QPlainTextEdit(this);
    Entrada->setTabChangesFocus(true);
    btnComprobar = new QPushButton(this);
    Correccion = new TCorreccionDictado(this);
    disposicion->addWidget(lblInstrucciones);
    disposicion->addWidget(Entrada, 1);
    disposicion->addWidget(btnComprobar, 0, Qt::AlignLeft);
    disposicion->addWidget(Correccion, 1);
}

void TVistaDictado::CambiaIdioma(TIdioma idioma) {
    lblInstrucciones->setText(Texto(idioma,
                                    "Escribe lo que oyes. F4 repite la frase; Ctrl+F4, todo el "
                                    "texto.",
                                    "Escriu el que sents. F4 repeteix la frase; Ctrl+F4, tot el "
                                    "text."));
    btnComprobar->setText(Texto(idioma, "Co&mprobar", "Co&mprovar"));
}

void TVistaDictado::Empieza() {
    Entrada->clear();
    Correccion->Muestra({});
    Entrada->setFocus();
}

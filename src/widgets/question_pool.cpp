#include "question_pool.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <vector>

#include "core/base/win1252.h"

namespace {

// QLineEdit's own convention for an edit without a length limit.
constexpr int kSinLimite = 32767;
// Height of the templates, and so of every line of text, at the normal size.
constexpr int kAltoPlantilla = 14;

int Escalado(int medida, int porCiento) {
    return (medida * porCiento + 50) / 100;
}

void PonTexto(QLabel* etiqueta, const QString& texto) {
    if (etiqueta->text() != texto)
        etiqueta->setText(texto);
}

void PonSitio(QWidget* control, const QRect& sitio) {
    if (control->geometry() != sitio)
        control->setGeometry(sitio);
}

void Oculta(QLabel* etiqueta) {
    if (!etiqueta->isHidden())
        etiqueta->hide();
    if (!etiqueta->text().isEmpty())
        etiqueta->clear();
}

}  // namespace

QFont FuenteFija() {
    QFont fuente(QStringLiteral("Courier New"), 8);
    fuente.setStyleHint(QFont::TypeWriter);
    fuente.setFixedPitch(true);
    return fuente;
}

QColor ColorVentana() {
    return QGuiApplication::palette().color(QPalette::Base);
}

void PintaHueco(QLineEdit* hueco, const QColor& color) {
    // Setting a palette is costly, and clearing the question touches every gap of the pool.
    if (hueco->palette().color(QPalette::Base) == color)
        return;
    QPalette colores = hueco->palette();
    colores.setColor(QPalette::Base, color);
    hueco->setPalette(colores);
}

void TPoolPregunta::CreaPlantillas(QWidget* cliente) {
    Cliente = cliente;
    lblTema = new QLabel(Cliente);
    lblTema->setGeometry(0, 32, 742, 13);
    lblTema->setAlignment(Qt::AlignCenter);
    lblTema->setTextFormat(Qt::PlainText);

    Texto1 = new QLabel(QStringLiteral("Texto1"), Cliente);
    Texto1->setFont(FuenteFija());
    Texto1->setGeometry(0, 80, 42, kAltoPlantilla);
    Texto1->hide();
    Hueco1 = new QLineEdit(QStringLiteral("Hueco1"), Cliente);
    Hueco1->setFont(FuenteFija());
    Hueco1->setFrame(false);
    // A gap is 8 pixels per letter: without Qt's 2-pixel inner margins a letter fits whole.
    Hueco1->setTextMargins(-2, 0, -2, 0);
    Hueco1->setGeometry(50, 80, 137, kAltoPlantilla);
    Hueco1->hide();
}

void TPoolPregunta::CreaPool() {
    // Given their parent in index order, the gaps follow Hueco1 in the tab order.
    for (int i = 1; i <= kTamanoPool; ++i) {
        const QString s = QString::number(i);
        auto* texto = new QLabel(Cliente);
        texto->setObjectName(QStringLiteral("Texto_") + s);
        texto->hide();
        texto->setTextFormat(Qt::PlainText);
        Textos[i] = texto;

        auto* hueco = new QLineEdit(Cliente);
        hueco->setObjectName(QStringLiteral("Hueco_") + s);
        hueco->hide();
        hueco->setFrame(Hueco1->hasFrame());
        hueco->setTextMargins(Hueco1->textMargins());
        Huecos[i] = hueco;

        auto* respuesta = new QLabel(Cliente);
        respuesta->setObjectName(QStringLiteral("Respuesta_") + s);
        respuesta->hide();
        respuesta->setTextFormat(Qt::PlainText);
        Respuestas[i] = respuesta;
    }
    CopiaPlantillas();
}

void TPoolPregunta::CopiaPlantillas() {
    QFont negrita = Texto1->font();
    negrita.setBold(true);
    for (int i = 1; i <= kTamanoPool; ++i) {
        Textos[i]->setFont(Texto1->font());
        Textos[i]->resize(Textos[i]->width(), Texto1->height());
        Huecos[i]->setFont(Hueco1->font());
        Huecos[i]->resize(Huecos[i]->width(), Hueco1->height());
        Respuestas[i]->setFont(negrita);
        Respuestas[i]->resize(Respuestas[i]->width(), Texto1->height());
    }
}

void TPoolPregunta::Limpia() {
    Mostrada.reset();
    HuecosMostrados = 0;
    lblTema->clear();
    const QColor ventana = ColorVentana();
    for (int i = 1; i <= kTamanoPool; ++i) {
        Textos[i]->hide();
        Textos[i]->clear();
        Huecos[i]->hide();
        Huecos[i]->clear();
        PintaHueco(Huecos[i], ventana);
        Respuestas[i]->hide();
        Respuestas[i]->clear();
    }
}

uint16_t TPoolPregunta::Muestra(const TPregunta& pregunta, uint16_t numero, int anchoVentana,
                                bool respuestasVisibles) {
    const QFontMetrics medidas = Texto1->fontMetrics();
    const QFontMetrics medidasRespuesta = Respuestas[1]->fontMetrics();
    TMetricas metricas;
    metricas.P = Texto1->font().pointSize();
    metricas.H = Texto1->height();
    metricas.AltoRespuesta = Respuestas[1]->height();
    metricas.TopeTema = lblTema->y();
    metricas.AltoTema = lblTema->height();
    metricas.AnchoVentana = anchoVentana;
    AnchoMostrado = anchoVentana;
    metricas.PuntosHueco = Hueco1->font().pointSize();
    metricas.AnchoTexto = [&medidas](std::string_view texto) {
        return medidas.horizontalAdvance(TextoDeBytes(texto));
    };
    const TPlanPregunta plan = PlanificaPregunta(pregunta, numero, metricas);

    // Only what differs from the question shown before is touched: hiding and showing hundreds
    // of controls is most of the cost, and the editor's preview lays a question out again on
    // every keystroke.
    lblTema->setText(TextoDeBytes(plan.Cabecera));
    std::array<bool, kTamanoPool + 1> usado{};
    for (const TEtiquetaPlan& etiqueta : plan.Textos) {
        const auto i = static_cast<size_t>(etiqueta.Indice);
        usado[i] = true;
        const QString caption = TextoDeBytes(etiqueta.Texto);
        PonTexto(Textos[i], caption);
        PonSitio(Textos[i],
                 {etiqueta.X, etiqueta.Y, medidas.horizontalAdvance(caption), metricas.H});
        Textos[i]->show();
    }
    for (size_t i = 1; i <= kTamanoPool; ++i)
        if (!usado[i])
            Oculta(Textos[i]);

    const QColor ventana = ColorVentana();
    for (size_t g = 1; g <= kTamanoPool; ++g) {
        QLabel* respuesta = Respuestas[g];
        QLineEdit* hueco = Huecos[g];
        PintaHueco(hueco, ventana);
        if (g > plan.Huecos.size()) {
            Oculta(respuesta);
            if (!hueco->isHidden() || !hueco->text().isEmpty()) {
                hueco->hide();
                hueco->clear();
            }
            continue;
        }
        const THuecoPlan& paso = plan.Huecos[g - 1];
        const QString caption = TextoDeBytes(paso.Respuesta);
        PonTexto(respuesta, caption);
        PonSitio(respuesta, {paso.X, paso.YRespuesta, medidasRespuesta.horizontalAdvance(caption),
                             metricas.AltoRespuesta});
        respuesta->setVisible(respuestasVisibles);
        PonSitio(hueco, {paso.X, paso.Y, paso.Ancho, Hueco1->height()});
        const int longitud = paso.LongitudMaxima == 0 ? kSinLimite : paso.LongitudMaxima;
        if (hueco->maxLength() != longitud)
            hueco->setMaxLength(longitud);
        const QString relleno = TextoDeBytes(paso.Relleno);
        // A learner's earlier entry must not come back through the gap's own undo.
        if (hueco->text() != relleno || hueco->isUndoAvailable() || hueco->isRedoAvailable())
            hueco->setText(relleno);
        hueco->show();
    }
    Mostrada = pregunta;
    NumeroMostrado = numero;
    HuecosMostrados = static_cast<uint16_t>(plan.Huecos.size());
    return HuecosMostrados;
}

QSize TPoolPregunta::Ocupado() const {
    QSize ocupado(0, 0);
    for (int i = 1; i <= kTamanoPool; ++i)
        for (QWidget* control :
             std::initializer_list<QWidget*>{Textos[i], Huecos[i], Respuestas[i]})
            if (!control->isHidden())
                ocupado = ocupado.expandedTo(
                    {control->x() + control->width(), control->y() + control->height()});
    return ocupado;
}

void TPoolPregunta::Escala(int porCiento) {
    QFont fija = FuenteFija();
    fija.setPointSize(Escalado(fija.pointSize(), porCiento));
    const int alto = Escalado(kAltoPlantilla, porCiento);
    Texto1->setFont(fija);
    Texto1->resize(Texto1->width(), alto);
    Hueco1->setFont(fija);
    Hueco1->resize(Hueco1->width(), alto);
    CopiaPlantillas();
    if (!Mostrada)
        return;

    struct TEstadoHueco {
        QString Entrada;
        bool RespuestaVisible;
        QColor Color;
    };
    std::vector<TEstadoHueco> estados;
    for (int g = 1; g <= HuecosMostrados; ++g)
        estados.push_back({Huecos[g]->text(), !Respuestas[g]->isHidden(),
                           Huecos[g]->palette().color(QPalette::Base)});
    // Off the gap while the pool is hidden, or the focus would wander through the question.
    QWidget* foco = QApplication::focusWidget();
    const bool focoEnHueco = foco != nullptr && foco->parentWidget() == Cliente;
    if (focoEnHueco)
        foco->clearFocus();

    const TPregunta pregunta = *Mostrada;
    Muestra(pregunta, NumeroMostrado, AnchoMostrado);
    for (size_t i = 0; i < estados.size(); ++i) {
        Huecos[i + 1]->setText(estados[i].Entrada);
        PintaHueco(Huecos[i + 1], estados[i].Color);
        Respuestas[i + 1]->setVisible(estados[i].RespuestaVisible);
    }
    if (focoEnHueco && foco->isVisible())
        foco->setFocus();
}

#include "worksheet_painter.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <map>

#include "core/base/win1252.h"

namespace {

// Liberation Sans is the stand-in for Arial that the setup installs; its TrueType files embed.
QFont Fuente(TEstiloHoja estilo) {
    QFont fuente(QStringLiteral("Liberation Sans"));
    fuente.setStyleHint(QFont::SansSerif);
    switch (estilo) {
        case TEstiloHoja::Titulo:
            fuente.setPointSizeF(16);
            fuente.setBold(true);
            break;
        case TEstiloHoja::Tema:
            fuente.setPointSizeF(12.5);
            fuente.setBold(true);
            break;
        case TEstiloHoja::Numero:
            fuente.setPointSizeF(11);
            fuente.setBold(true);
            break;
        case TEstiloHoja::Texto:
            fuente.setPointSizeF(11);
            break;
        case TEstiloHoja::Respuesta:
            fuente.setPointSizeF(10.5);
            break;
        case TEstiloHoja::Pie:
            fuente.setPointSizeF(8);
            break;
    }
    return fuente;
}

QString Q(std::string_view bytes) {
    return QString::fromStdString(Utf8DeWindows1252(bytes));
}

// The device's units per point: the plan is in points.
double Escala(const QPaintDevice& dispositivo) {
    return dispositivo.logicalDpiY() / 72.0;
}

TMedidasHoja Medidas(QPaintDevice& dispositivo) {
    const double escala = Escala(dispositivo);
    auto metricas = std::make_shared<std::map<TEstiloHoja, QFontMetricsF>>();
    for (const TEstiloHoja estilo : {TEstiloHoja::Titulo, TEstiloHoja::Tema, TEstiloHoja::Texto,
                                     TEstiloHoja::Numero, TEstiloHoja::Respuesta, TEstiloHoja::Pie})
        metricas->emplace(estilo, QFontMetricsF(Fuente(estilo), &dispositivo));
    TMedidasHoja medidas;
    // Text lines leave room to write in the gaps by hand.
    medidas.AltoLinea = [metricas, escala](TEstiloHoja estilo) {
        const double factor =
            estilo == TEstiloHoja::Texto || estilo == TEstiloHoja::Numero ? 2.0 : 1.4;
        return metricas->at(estilo).lineSpacing() * factor / escala;
    };
    medidas.Base = [metricas, escala, medidas](TEstiloHoja estilo) {
        return medidas.AltoLinea(estilo) - metricas->at(estilo).descent() / escala - 2;
    };
    medidas.AnchoTexto = [metricas, escala](std::string_view texto, TEstiloHoja estilo) {
        return metricas->at(estilo).horizontalAdvance(Q(texto)) / escala;
    };
    return medidas;
}

}  // namespace

void PintaHoja(const std::vector<TPregunta>& preguntas, const TOpcionesHoja& opciones,
               QPagedPaintDevice& dispositivo) {
    dispositivo.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    const std::vector<TPaginaHoja> paginas =
        PlanificaHoja(preguntas, opciones, Medidas(dispositivo));
    QPainter pintor(&dispositivo);
    // Fonts take their points in the device's units, so places are scaled and fonts are not.
    const double e = Escala(dispositivo);
    pintor.setPen(QPen(Qt::black, 0.6 * e));
    for (size_t i = 0; i < paginas.size(); ++i) {
        if (i > 0)
            dispositivo.newPage();
        for (const TPiezaHoja& pieza : paginas[i].Piezas) {
            if (pieza.Tipo == TPiezaHoja::TTipo::Raya) {
                pintor.drawLine(QPointF(pieza.X * e, pieza.Y * e),
                                QPointF((pieza.X + pieza.Ancho) * e, pieza.Y * e));
            } else {
                pintor.setFont(Fuente(pieza.Estilo));
                pintor.drawText(QPointF(pieza.X * e, pieza.Y * e), Q(pieza.Texto));
            }
        }
    }
}

std::string PdfDeHoja(const std::vector<TPregunta>& preguntas, const TOpcionesHoja& opciones) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setTitle(Q(opciones.Titulo));
        pdf.setCreator(QStringLiteral("Tildora"));
        pdf.setResolution(600);
        PintaHoja(preguntas, opciones, pdf);
    }
    return bytes.toStdString();
}

#include "question_reading.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

#include "question_pool.h"
#include "text_bytes.h"

QColor ColorPalabraDicha() {
    return QColor(255, 236, 140);
}

void TLecturaPregunta::Prepara(const TPoolPregunta& pool, uint16_t huecos) {
    Apaga();
    texto_.clear();
    piezas_.clear();
    for (int i = 1; i <= kTamanoPool; ++i) {
        if (!pool.Textos[i]->isHidden() && !pool.Textos[i]->text().isEmpty())
            piezas_.push_back({0, 0, pool.Textos[i], 0, pool.Textos[i]->text(), {}});
        if (i <= huecos)
            piezas_.push_back({0, 0, pool.Huecos[i], i, pool.Respuestas[i]->text(), {}});
    }
    std::stable_sort(piezas_.begin(), piezas_.end(), [](const TPieza& a, const TPieza& b) {
        return std::pair(a.Control->y(), a.Control->x()) <
               std::pair(b.Control->y(), b.Control->x());
    });
    int linea = piezas_.empty() ? 0 : piezas_.front().Control->y();
    for (TPieza& pieza : piezas_) {
        // A line's last word keeps no blank before a paragraph's first.
        if (pieza.Control->y() != linea && !texto_.empty() && texto_.back() != ' ')
            texto_ += ' ';
        linea = pieza.Control->y();
        const std::string bytes = BytesDeTexto(pieza.Texto);
        pieza.Inicio = texto_.size();
        pieza.Longitud = bytes.size();
        texto_ += bytes;
    }
}

std::optional<TFrase> TLecturaPregunta::FraseDeHueco(int hueco) const {
    const auto pieza = std::find_if(piezas_.begin(), piezas_.end(),
                                    [hueco](const TPieza& p) { return p.Hueco == hueco; });
    if (pieza == piezas_.end())
        return std::nullopt;
    for (const TFrase& frase : Frases(texto_))
        if (pieza->Inicio >= frase.Inicio && pieza->Inicio < frase.Inicio + frase.Longitud)
            return frase;
    return std::nullopt;
}

void TLecturaPregunta::Ilumina(size_t inicio, size_t longitud) {
    Apaga();
    const size_t fin = inicio + longitud;
    for (size_t i = 0; i < piezas_.size(); ++i) {
        TPieza& pieza = piezas_[i];
        if (!pieza.Control || pieza.Inicio >= fin || pieza.Inicio + pieza.Longitud <= inicio)
            continue;
        encendidas_.push_back(i);
        if (auto* hueco = qobject_cast<QLineEdit*>(pieza.Control.data())) {
            pieza.Color = hueco->palette().color(QPalette::Base);
            PintaHueco(hueco, ColorPalabraDicha());
            continue;
        }
        // The word alone is lit within its label; blanks kept as they are.
        const qsizetype desde =
            static_cast<qsizetype>(std::max(inicio, pieza.Inicio) - pieza.Inicio);
        const qsizetype hasta =
            static_cast<qsizetype>(std::min(fin, pieza.Inicio + pieza.Longitud) - pieza.Inicio);
        auto* etiqueta = static_cast<QLabel*>(pieza.Control.data());
        etiqueta->setTextFormat(Qt::RichText);
        etiqueta->setText(QStringLiteral("<span style=\"white-space:pre\">%1<span "
                                         "style=\"background-color:%2\">%3</span>%4</span>")
                              .arg(pieza.Texto.left(desde).toHtmlEscaped(),
                                   ColorPalabraDicha().name(),
                                   pieza.Texto.mid(desde, hasta - desde).toHtmlEscaped(),
                                   pieza.Texto.mid(hasta).toHtmlEscaped()));
    }
}

void TLecturaPregunta::Apaga() {
    for (const size_t i : encendidas_) {
        TPieza& pieza = piezas_[i];
        if (!pieza.Control)
            continue;
        if (auto* hueco = qobject_cast<QLineEdit*>(pieza.Control.data())) {
            PintaHueco(hueco, pieza.Color);
        } else {
            auto* etiqueta = static_cast<QLabel*>(pieza.Control.data());
            etiqueta->setTextFormat(Qt::PlainText);
            etiqueta->setText(pieza.Texto);
        }
    }
    encendidas_.clear();
}

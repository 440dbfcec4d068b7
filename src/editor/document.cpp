// The document itself: its questions in bytes, its topics and its language. The files, the
// edits, the checks and the table model each have a file of their own (document_*.cpp).
#include "document.h"

#include <QHash>

#include "document_commands.h"
#include "interface_text.h"
#include "text_bytes.h"

TDocumento::TDocumento(QObject* parent) : QAbstractTableModel(parent) {}

QString TDocumento::Traduce(const char* castellano, const char* valenciano) const {
    return Texto(idioma_, castellano, valenciano);
}

TPregunta TDocumento::EnBytes(const TPreguntaEditada& pregunta) {
    return {pregunta.Modo, pregunta.AnchoMinimo, BytesDeTexto(pregunta.Tema),
            BytesDeTexto(pregunta.Texto)};
}

QString TDocumento::TemaMostrado(const QString& tema) {
    return tema.size() > kLargoTemaMostrado ? tema.left(kLargoTemaMostrado) + QStringLiteral("…")
                                            : tema;
}

std::vector<TDocumento::TTemaContado> TDocumento::Temas() const {
    std::vector<TTemaContado> temas;
    QHash<QString, size_t> posicion;
    size_t anterior = 0;
    for (size_t fila = 0; fila < preguntas_.size(); ++fila) {
        const QString& tema = preguntas_[fila].Tema;
        // Rows that share one record share its topic too: no need to look it up again.
        if (fila > 0 && tema.constData() == preguntas_[fila - 1].Tema.constData() &&
            tema.size() == preguntas_[fila - 1].Tema.size()) {
            ++temas[anterior].Preguntas;
            continue;
        }
        auto it = posicion.find(tema);
        if (it == posicion.end()) {
            it = posicion.insert(tema, temas.size());
            temas.push_back({tema, 0});
        }
        anterior = it.value();
        ++temas[anterior].Preguntas;
    }
    return temas;
}

void TDocumento::CuentaTema(const QString& tema, int cambio) {
    int& cuenta = cuentaTemas_[tema];
    cuenta += cambio;
    if (cuenta == 0)
        cuentaTemas_.remove(tema);
}

void TDocumento::CambiaIdioma(TIdioma idioma) {
    idioma_ = idioma;
    // The undo steps already taken are named anew; the stack hands them out only as const.
    for (int i = 0; i < pila_.count(); ++i)
        if (const auto* comando = dynamic_cast<const TComandoDocumento*>(pila_.command(i)))
            const_cast<TComandoDocumento*>(comando)->Nombra(idioma);
    emit headerDataChanged(Qt::Horizontal, 0, NumColumnas - 1);
}

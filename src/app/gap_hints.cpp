#include "gap_hints.h"

#include <QLabel>
#include <QLineEdit>

#include "interface_text.h"
#include "question_pool.h"

namespace {

// The reason in the language, empty for a right gap.
QString TextoFallo(TTipoFallo fallo, TIdioma idioma) {
    switch (fallo) {
        case TTipoFallo::Ninguno:
            return {};
        case TTipoFallo::SinRellenar:
            return Texto(idioma, "Hueco sin rellenar", "Buit sense omplir");
        case TTipoFallo::SobraTexto:
            return Texto(idioma, "Este hueco debe quedar vacío: bórralo",
                         "Este buit ha de quedar sense res: esborra'l");
        case TTipoFallo::Acentos:
            return Texto(idioma, "Revisa los acentos", "Revisa els accents");
        case TTipoFallo::Letras:
            return Texto(idioma, "Revisa las letras", "Revisa les lletres");
    }
    return {};
}

}  // namespace

void TPistasHuecos::Olvida() {
    Fallos.fill(TTipoFallo::Ninguno);
}

void TPistasHuecos::Juzga(int g, TTipoFallo fallo) {
    Fallos[static_cast<size_t>(g)] = fallo;
}

void TPistasHuecos::Aplica(uint16_t numHuecos, TIdioma idioma, bool respuestasVisibles) const {
    if (!IdiomaConocido(idioma))
        return;
    const QString nombre = Texto(idioma, "Hueco %1 de %2", "Buit %1 de %2");
    for (int g = 1; g <= numHuecos; ++g) {
        QLineEdit* hueco = Pool.Huecos[static_cast<size_t>(g)];
        const QLabel* respuesta = Pool.Respuestas[static_cast<size_t>(g)];
        hueco->setAccessibleName(nombre.arg(g).arg(numHuecos));
        QString fallo;
        QStringList descripcion;
        if (respuestasVisibles) {
            fallo = TextoFallo(Fallos[static_cast<size_t>(g)], idioma);
            for (const QString& parte : {respuesta->text(), fallo})
                if (!parte.isEmpty())
                    descripcion << parte;
        }
        hueco->setToolTip(fallo);
        hueco->setAccessibleDescription(descripcion.join(QStringLiteral(". ")));
    }
}

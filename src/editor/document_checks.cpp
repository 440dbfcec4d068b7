// The document's checks: each row's, kept as the rows change, and the set's, gathered from them.
#include "document.h"

#include <QHash>

#include "text_bytes.h"

namespace {

// Where the code point numbered enCaracteres stands in the text's UTF-16.
int PosicionEnTexto(const QString& texto, int enCaracteres) {
    qsizetype i = 0;
    for (int n = 0; n < enCaracteres && i < texto.size(); ++n)
        i += texto[i].isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate()
                 ? 2
                 : 1;
    return static_cast<int>(i);
}

}  // namespace

TDocumento::TRevision TDocumento::Revisa(const TPreguntaEditada& pregunta,
                                         const TPregunta& enBytes) {
    TRevision revision;
    const int fila = -1;  // set when the problems are handed out
    revision.Problemas =
        CompruebaCaracteres(pregunta.Tema.toStdU32String(), pregunta.Texto.toStdU32String(), fila);
    for (TProblema& problema : revision.Problemas)
        if (problema.Posicion >= 0)
            problema.Posicion = PosicionEnTexto(pregunta.Texto, problema.Posicion);
    for (std::vector<TProblema> encontrados :
         {CompruebaPregunta(enBytes, fila, LongitudRegistro(enBytes)),
          CompruebaRedaccion(enBytes, fila)})
        for (TProblema& problema : encontrados)
            revision.Problemas.push_back(std::move(problema));
    revision.Porcentaje = PorcentajeLegible(enBytes);
    revision.Huella = qHash(pregunta.Texto);
    return revision;
}

void TDocumento::Comprueba(int fila) {
    const TPreguntaEditada& pregunta = Pregunta(fila);
    TRevision& revision = revisiones_[static_cast<size_t>(fila)];
    revision = Revisa(pregunta, EnBytes(pregunta));
    if (RevisaOrtografia)
        for (TProblema& problema : RevisaOrtografia(pregunta))
            revision.Problemas.push_back(std::move(problema));
}

void TDocumento::CompruebaDeNuevo() {
    for (int fila = 0; fila < Cuenta(); ++fila)
        Comprueba(fila);
    if (Cuenta() > 0)
        emit dataChanged(index(0, 0), index(Cuenta() - 1, NumColumnas - 1));
}

bool TDocumento::ClaveFalla() const {
    return !revisiones_.empty() && revisiones_.front().Porcentaje < kPorcentajeLegibleMinimo;
}

std::vector<TProblema> TDocumento::Problemas() const {
    std::vector<TProblema> problemas = CompruebaTotales(Cuenta(), cuentaTemas_.size(), nullptr);
    // The first row of each text, by its fingerprint, to name the same question twice.
    QHash<size_t, int> primeras;
    for (int fila = 0; fila < Cuenta(); ++fila) {
        const TRevision& revision = revisiones_[static_cast<size_t>(fila)];
        if (fila == 0 || !revision.Problemas.empty())
            for (TProblema& problema : ProblemasDe(fila))
                problemas.push_back(std::move(problema));
        if (Pregunta(fila).Texto.isEmpty())
            continue;
        const auto primera = primeras.constFind(revision.Huella);
        if (primera == primeras.cend())
            primeras.insert(revision.Huella, fila);
        else if (Pregunta(*primera).Texto == Pregunta(fila).Texto)
            problemas.push_back({TProblema::TTipo::PreguntaRepetida, fila, *primera});
    }
    return problemas;
}

std::vector<TProblema> TDocumento::ProblemasDe(int fila) const {
    std::vector<TProblema> problemas;
    if (fila == 0 && ClaveFalla())
        problemas.push_back({TProblema::TTipo::ClaveIlegible, 0, revisiones_.front().Porcentaje});
    for (TProblema problema : revisiones_.at(static_cast<size_t>(fila)).Problemas) {
        problema.Pregunta = fila;
        problemas.push_back(problema);
    }
    return problemas;
}

int TDocumento::MasLegible() const {
    std::vector<int> porcentajes;
    porcentajes.reserve(revisiones_.size());
    for (const TRevision& revision : revisiones_)
        porcentajes.push_back(revision.Porcentaje);
    return ::MasLegible(porcentajes);
}

QString TDocumento::Mensaje(const TProblema& problema) const {
    return QString::fromStdString(problema.Mensaje(idioma_));
}

QString TDocumento::AvisoFaltas() const {
    int faltas = 0;
    for (const TProblema& problema : Problemas())
        faltas += problema.Tipo == TProblema::TTipo::RespuestaDesconocida ||
                  problema.Tipo == TProblema::TTipo::PalabraDesconocida;
    if (faltas == 0)
        return {};
    return Traduce("Quedan %1 faltas de ortografía por revisar en Problemas.",
                   "Queden %1 faltes d'ortografia per revisar en Problemes.")
        .arg(faltas);
}

// Questions that come from another program's file, as a document of their own.
#include "document.h"
#include "text_bytes.h"

void TDocumento::AbreImportadas(const std::vector<TPregunta>& preguntas) {
    std::vector<TPreguntaEditada> editadas;
    editadas.reserve(preguntas.size());
    for (const TPregunta& pregunta : preguntas)
        editadas.push_back({pregunta.Modo, pregunta.AnchoMinimo, TextoDeBytes(pregunta.Tema),
                            TextoDeBytes(pregunta.Texto)});
    Reemplaza(std::move(editadas), preguntas, {}, {}, false);
    // Not saved anywhere yet: closing asks about it.
    pila_.resetClean();
}

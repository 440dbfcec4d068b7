// Writes a small seed corpus for every fuzz target, made by the core's writer.
#include <filesystem>
#include <string>
#include <vector>

#include "core/authoring/source_format.h"
#include "core/base/atomic_write.h"
#include "core/set/settings.h"
#include "core/set/writer.h"
#include "hostile_sets.h"

namespace fs = std::filesystem;

namespace {

void Semilla(const fs::path& carpeta, const std::string& nombre, const std::string& bytes) {
    fs::create_directories(carpeta);
    EscribeFichero((carpeta / nombre).string(), bytes);
}

// The index as FuzzedDataProvider's length-prefixed-by-escape string.
std::string Escapa(const std::string& bytes) {
    std::string salida;
    for (const char c : bytes) {
        salida += c;
        if (c == '\\')
            salida += '\\';
    }
    return salida + "\\E";
}

std::vector<TPregunta> Muestra() {
    return {{0, 4, "Plurales", "La casa@s@ es grande y las flores son bonitas."},
            {1, 0, "Acentos", "El cami\xF3n @lleg\xF3@ tarde.\rOtra l\xEDnea con @m\xE1s@ huecos."},
            {2, 3, "", "@@ @de la@ casa\r\r@fin"},
            {0, 0, "Plurales", ""}};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const fs::path raiz = argv[1];
    const TConjuntoEscrito conjunto = ConstruyeConjunto(Muestra());
    Semilla(raiz / "checksum", "set.preg", conjunto.Preguntas);
    Semilla(raiz / "checksum", "set.ind", conjunto.Indice);
    Semilla(raiz / "checksum", "abc", ConCheckSum("abc"));
    // The editor's document reads its set from the same input. FuzzedDataProvider takes the
    // flags from the end: none, for the writer's files are whole.
    const TConjuntoEscrito repetido = ConjuntoDeTemaRepetido();
    for (const char* objetivo : {"question_set", "editor_document"}) {
        Semilla(raiz / objetivo, "valid",
                Escapa(conjunto.Indice) + conjunto.Preguntas + std::string(1, '\0'));
        Semilla(raiz / objetivo, "repeated_topic",
                Escapa(repetido.Indice) + repetido.Preguntas + std::string(1, '\0'));
    }
    TConfiguracion configuracion;
    ConfiguracionDefecto(configuracion);
    Semilla(raiz / "settings", "defaults", ConCheckSum(BytesConfiguracion(configuracion)));
    Semilla(raiz / "settings", "short", ConCheckSum(std::string(100, '\1')));
    const std::vector<TPregunta> muestra = Muestra();
    for (size_t i = 0; i < muestra.size(); ++i) {
        const TPregunta& p = muestra[i];
        Semilla(raiz / "layout", "q" + std::to_string(i),
                std::string{static_cast<char>(p.Modo), static_cast<char>(p.AnchoMinimo), '\x02',
                            '\xEE'} +
                    p.Tema + "\\E" + p.Texto);
    }
    Semilla(raiz / "source_format", "written", EscribeFuente(muestra, "seeds"));
    Semilla(
        raiz / "source_format", "by_hand",
        "\xEF\xBB\xBF# comentario\r\ntema: \" Acentos \"\r\nmodo: acentos\r\n  ANCHO : 6\r\n"
        "> El cami@\xC3\xB3@n\r\n>\r\n>  dos @blancos@\r\n\ntema: b\nmodo: 7\n> \xE2\x82\xAC\n");
    Semilla(raiz / "source_format", "error", "tema: a\n> mal \xFF\nmodo: x\n");
    return 0;
}

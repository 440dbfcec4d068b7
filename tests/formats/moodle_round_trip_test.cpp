#include <gtest/gtest.h>

#include <QBuffer>

#include <random>

#include "core/authoring/source_format.h"
#include "core/base/win1252.h"
#include "core/text/text_pieces.h"
#include "moodle_cloze.h"
#include "moodle_export.h"
#include "moodle_import.h"
#include "temp_folder.h"

namespace {

TImportacionMoodle Importa(const std::string& xml) {
    QByteArray bytes = QByteArray::fromStdString(xml);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ImportaMoodle(buffer);
}

// The question as it comes back from Moodle: a gap Moodle cannot hold is its answer as text,
// an answer is trimmed, a topic too, and one that trims to nothing lands in the set's category;
// accent practice, the minimum width and no topic at all come back from the tags.
TPregunta Esperada(const TPregunta& original, const std::string& conjunto) {
    std::vector<TTrozo> trozos;
    for (TTrozo trozo : TrozosDeTexto(original.Texto)) {
        if (trozo.Tipo == TTrozo::TTipo::Hueco) {
            const std::string recortada = RecortaComoMoodle(trozo.Texto);
            if (RespuestaImposible(recortada) == TRespuestaImposible::Ninguna)
                trozo.Texto = recortada;
            else
                trozo.Tipo = TTrozo::TTipo::Texto;
        }
        if (trozo.Tipo == TTrozo::TTipo::Texto && !trozos.empty() &&
            trozos.back().Tipo == TTrozo::TTipo::Texto)
            trozos.back().Texto += trozo.Texto;
        else
            trozos.push_back(trozo);
    }
    const std::string tema = RecortaComoMoodle(original.Tema);
    return {original.Modo, original.AnchoMinimo,
            original.Tema.empty() ? ""
            : tema.empty()        ? conjunto
                                  : tema,
            TextoDeTrozos(trozos)};
}

void CompruebaIdaYVuelta(const std::vector<TPregunta>& preguntas, const char* nombre) {
    const TExportacionMoodle exportacion =
        ExportaMoodle(preguntas, "Conjunto", TIdioma::Valenciano);
    const TImportacionMoodle importacion = Importa(exportacion.Xml);
    ASSERT_FALSE(importacion.Error) << nombre << ": " << importacion.Error->Mensaje;
    ASSERT_EQ(importacion.Preguntas.size(), preguntas.size()) << nombre;
    for (size_t i = 0; i < preguntas.size(); ++i) {
        const TPregunta esperada = Esperada(preguntas[i], "Conjunto");
        EXPECT_EQ(importacion.Preguntas[i].Tema, esperada.Tema) << nombre << " " << i;
        EXPECT_EQ(importacion.Preguntas[i].Modo, esperada.Modo) << nombre << " " << i;
        EXPECT_EQ(importacion.Preguntas[i].AnchoMinimo, esperada.AnchoMinimo) << nombre << " " << i;
        EXPECT_EQ(TrozosDeTexto(importacion.Preguntas[i].Texto), TrozosDeTexto(esperada.Texto))
            << nombre << " " << i << ": " << preguntas[i].Texto;
    }
}

}  // namespace

TEST(MoodleRoundTrip, TheSampleSetsComeBackGapByGap) {
    for (const char* muestra : {"castellano", "valenciano"}) {
        const TFuenteLeida fuente = LeeFuente(
            LeeFicheroEntero(std::string(TILDORA_SAMPLE_SOURCES) + "/" + muestra + ".txt"));
        ASSERT_FALSE(fuente.Error) << muestra;
        ASSERT_FALSE(fuente.Preguntas.empty());
        CompruebaIdaYVuelta(fuente.Preguntas, muestra);
    }
}

// Every character a question can hold, in topics, texts and answers, with blanks and breaks
// anywhere.
TEST(MoodleRoundTrip, GeneratedSetsWithEveryCharacterComeBack) {
    std::string caracteres;
    for (int b = 0x20; b <= 0xFF; ++b)
        if (ByteEscribible(static_cast<unsigned char>(b)) && b != '@')
            caracteres += static_cast<char>(b);
    std::mt19937 azar(2026);
    const auto trozo = [&](size_t largo, const std::string& extra) {
        std::string t;
        for (size_t i = 0; i < largo; ++i) {
            const size_t n = azar() % (caracteres.size() + extra.size());
            t += n < caracteres.size() ? caracteres[n] : extra[n - caracteres.size()];
        }
        return t;
    };
    for (int conjunto = 0; conjunto < 20; ++conjunto) {
        std::vector<TPregunta> preguntas;
        for (int p = 0; p < 40; ++p) {
            std::string texto;
            const int piezas = static_cast<int>(azar() % 12);
            for (int i = 0; i < piezas; ++i) {
                switch (azar() % 4) {
                    case 0:
                        texto += "\r";
                        break;
                    case 1:
                        texto += "@" + trozo(azar() % 6, "  ~\\*}#{&") + "@";
                        break;
                    default:
                        texto += trozo(azar() % 20, "      {}&<>\\");
                }
            }
            preguntas.push_back({static_cast<uint8_t>(azar() % 3), static_cast<uint8_t>(azar()),
                                 trozo(azar() % 12, "  /"), texto});
        }
        CompruebaIdaYVuelta(preguntas, "generated");
    }
    // Every character at least once, in each place.
    CompruebaIdaYVuelta({{0, 0, caracteres, caracteres + "@" + caracteres + "@" + caracteres}},
                        "all");
}

// A set's own settings, which Moodle has no field for, and the report of what came back.
TEST(MoodleRoundTrip, AccentPracticeMinimumWidthAndNoTopicComeBackAndAreReported) {
    const std::vector<TPregunta> preguntas = {{1, 4, "", "La @cami\xF3n@ azul"},
                                              {0, 0, "Tema", "otra @b@ota"}};
    const TExportacionMoodle exportacion = ExportaMoodle(preguntas, "escola", TIdioma::Valenciano);
    EXPECT_NE(exportacion.Xml.find("<text>tildora-modo-1</text>"), std::string::npos);
    const TImportacionMoodle importacion = Importa(exportacion.Xml);
    ASSERT_EQ(importacion.Preguntas.size(), 2u);
    EXPECT_EQ(importacion.Preguntas[0], preguntas[0]);
    EXPECT_EQ(importacion.Preguntas[1], preguntas[1]);
    std::vector<TNotaImportacion::TTipo> devueltas;
    for (const TNotaImportacion& nota : importacion.Notas) {
        EXPECT_EQ(nota.Numero, 1);
        EXPECT_TRUE(nota.Devuelve());
        devueltas.push_back(nota.Tipo);
    }
    EXPECT_EQ(devueltas,
              (std::vector<TNotaImportacion::TTipo>{TNotaImportacion::TTipo::PracticaAcentos,
                                                    TNotaImportacion::TTipo::AnchoMinimo,
                                                    TNotaImportacion::TTipo::SinTema}));
    // Tags of another origin, or out of range, change nothing.
    TPregunta pregunta{0, 0, "t", "x"};
    EXPECT_FALSE(
        AplicaEtiquetasTildora({"ortografia", "tildora-ancho-300", "tildora-modo-"}, pregunta));
    EXPECT_EQ(pregunta, (TPregunta{0, 0, "t", "x"}));
}

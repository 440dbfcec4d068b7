#include "core/set/question_files.h"
#include "core/base/atomic_write.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/base/io_error.h"
#include "core/set/checksum.h"
#include "core/set/writer.h"
#include "temp_folder.h"

namespace {

TPregunta P(std::string tema, std::string texto, uint8_t modo = 0, uint8_t ancho = 0) {
    return {modo, ancho, std::move(tema), std::move(texto)};
}

// A record 1 of n bytes in total whose readable share is exactly `legibles` of n - 1.
TPregunta PrimeraConLegibles(int legibles, int examinados) {
    // Modo 'a' and AnchoMinimo 'a' and the topic NUL are readable; '@' is not.
    std::string texto(static_cast<size_t>(examinados - 3), '@');
    for (int i = 0; i < legibles - 3; ++i)
        texto[static_cast<size_t>(i)] = 'x';
    return P("", texto, 'a', 'a');
}

}  // namespace

TEST(Key, ScramblingRoundTrip) {
    std::string datos =
        "Una pregunta con @hueco@ y acentos \xE1\xE9\xED\xF3\xFA, m\xE1s larga que la clave.";
    const std::string original = datos;
    auto* p = reinterpret_cast<unsigned char*>(datos.data());
    AplicaClave(p, kClave, datos.size());
    EXPECT_NE(datos, original);
    EXPECT_EQ(static_cast<unsigned char>(datos[0]), 'U' ^ 'C');
    EXPECT_EQ(static_cast<unsigned char>(datos[52]),
              static_cast<unsigned char>(original[52]) ^ 'C');
    AplicaClave(p, kClave, datos.size());
    EXPECT_EQ(datos, original);
    AplicaClave(p, kClave, 0);
    EXPECT_EQ(datos, original);
    EXPECT_EQ(kClave.size(), 52u);
}

TEST(Key, ThresholdOnRecordOne) {
    struct Caso {
        int legibles;
        int examinados;
        bool acepta;
    };
    // 80 per cent fails, 81 passes; integer division decides 80.9.
    const Caso casos[] = {
        {80, 100, false}, {81, 100, true}, {809, 1000, false}, {810, 1000, true}, {100, 100, true}};
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("clave.preg");
    for (const Caso& c : casos) {
        EscribeConjunto(nombre, {PrimeraConLegibles(c.legibles, c.examinados), P("t", "@@@@@@")});
        TAviso aviso;
        EXPECT_EQ(CompruebaFicheros(nombre, kClave, &aviso), c.acepta) << c.legibles;
        if (!c.acepta) {
            EXPECT_EQ(aviso, (TAviso{"Fichero con clave desconocida:", "clave.preg"}));
        }
    }
}

TEST(Key, ForeignKeyAndShortSets) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("x.y.preg");
    const std::vector<TPregunta> buenas = {P("Tema", "Una frase normal con @hueco@."), P("T", "b")};
    TAviso aviso;

    EscribeConjunto(nombre, buenas, "Otra clave distinta por completo, de prueba 12345.");
    EXPECT_FALSE(CompruebaFicheros(nombre, kClave, &aviso));
    EXPECT_EQ(aviso, (TAviso{"Fichero con clave desconocida:", "x.y.preg"}));

    // One question: record 1 runs to the trailer.
    EscribeConjunto(nombre, {P("Tema", "Una frase normal")});
    EXPECT_TRUE(CompruebaFicheros(nombre, kClave, &aviso));
    // No question at all: nothing to examine, refused without dividing by zero.
    EscribeConjunto(nombre, {});
    EXPECT_FALSE(CompruebaFicheros(nombre, kClave, &aviso));
    EXPECT_EQ(aviso[0], "Fichero con clave desconocida:");
}

TEST(Key, OnlyTheFirstFailingCheckIsReported) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("tema1.preg");
    const TConjuntoEscrito bueno = ConstruyeConjunto({P("T", "Texto legible"), P("T", "b")});
    std::string preguntaMala = bueno.Preguntas;
    preguntaMala[0] ^= 1;
    std::string indiceMalo = bueno.Indice;
    indiceMalo[0] ^= 1;
    const TConjuntoEscrito ajeno =
        ConstruyeConjunto({P("T", "Texto legible"), P("T", "b")}, "ZZZZ");
    struct Caso {
        std::string preguntas;
        std::string indice;  // empty: missing
        TAviso aviso;
    };
    const Caso casos[] = {
        {preguntaMala, indiceMalo, {"Fichero con CheckSum erróneo:", "tema1.preg"}},
        {bueno.Preguntas, "", {"Fichero no encontrado:", "tema1.ind"}},
        {bueno.Preguntas, indiceMalo, {"Fichero con CheckSum erróneo:", "tema1.ind"}},
        {bueno.Preguntas, bueno.Indice.substr(0, 5), {"Fichero sin CheckSum:", "tema1.ind"}},
        {ajeno.Preguntas, bueno.Indice, {"Fichero con clave desconocida:", "tema1.preg"}},
        {bueno.Preguntas, bueno.Indice, {}},
    };
    for (const Caso& c : casos) {
        EscribeFichero(nombre, c.preguntas);
        std::remove(NombreIndice(nombre).c_str());
        if (!c.indice.empty())
            EscribeFichero(NombreIndice(nombre), c.indice);
        TAviso aviso;
        EXPECT_EQ(CompruebaFicheros(nombre, kClave, &aviso), c.aviso.empty());
        EXPECT_EQ(aviso, c.aviso);
    }
}

TEST(QuestionFiles, ReadsEveryRecordBack) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("tema1.preg");
    const std::vector<TPregunta> preguntas = {
        P("Acentos", "El cami\xF3n @lleg\xF3@ tarde.", 1, 4),
        P("", "Sin tema"),
        P("Vac\xEDo", ""),
        P("Modo 2", "La @b@ola", 2, 255),
        P("Larga", std::string(5000, 'a') + "@b@" + std::string(20000, 'c')),
        P("\x80\x81\x8D\xFF", "\r\r@\r@", 0xFF, 0),
        P("\xDAltima", "La \xFAltima pregunta."),
    };
    EscribeConjunto(nombre, preguntas);
    TFicherosPreguntas ficheros;
    ficheros.Abre(nombre);
    ASSERT_EQ(ficheros.NumPreguntas(), static_cast<int32_t>(preguntas.size()));
    for (size_t i = 0; i < preguntas.size(); ++i)
        EXPECT_EQ(ficheros.LeePregunta(static_cast<uint16_t>(i + 1)), preguntas[i]) << i + 1;
    // Read again in another order: nothing of an earlier read leaks in.
    EXPECT_EQ(ficheros.LeePregunta(3), preguntas[2]);
    EXPECT_EQ(ficheros.LeePregunta(5), preguntas[4]);
    EXPECT_EQ(ficheros.LeePregunta(2), preguntas[1]);
    ficheros.Cierra();
    EXPECT_FALSE(ficheros.Abiertos());
}

TEST(QuestionFiles, IndexCountRule) {
    struct Caso {
        int64_t tamano;
        int32_t n;
    };
    const Caso casos[] = {{12, 0}, {16, 1}, {12 + 4 * 7 + 3, 7}, {11, 0}, {0, -3}};
    for (const Caso& c : casos)
        EXPECT_EQ(CuentaPreguntas(c.tamano), c.n) << c.tamano;

    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("t.preg");
    const TConjuntoEscrito conjunto = ConstruyeConjunto({P("A", "uno"), P("B", "dos")});
    EscribeFichero(nombre, conjunto.Preguntas);
    std::string indice = conjunto.Indice.substr(0, 8) + "xyz";
    EscribeFichero(NombreIndice(nombre), ConCheckSum(indice));
    TFicherosPreguntas ficheros;
    ficheros.Abre(nombre);
    EXPECT_EQ(ficheros.NumPreguntas(), 2);
    EXPECT_EQ(ficheros.LeePregunta(2), P("B", "dos"));
}

TEST(QuestionFiles, DamagedRecordsAreBounded) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("d.preg");
    // Record 1 without terminators, followed directly by the trailer.
    std::string registro = std::string("\x01\x02") + "TemaSinFin";
    AplicaClave(reinterpret_cast<unsigned char*>(registro.data()), kClave, registro.size());
    EscribeFichero(nombre, ConCheckSum(registro));
    std::string indice;
    for (uint32_t entrada : {0u, 9999u, 12u, 5u}) {
        for (int i = 0; i < 4; ++i)
            indice += static_cast<char>(entrada >> (8 * i));
    }
    EscribeFichero(NombreIndice(nombre), ConCheckSum(indice));
    TFicherosPreguntas ficheros;
    ficheros.Abre(nombre);
    ASSERT_EQ(ficheros.NumPreguntas(), 4);
    EXPECT_EQ(ficheros.LeePregunta(1), P("TemaSinFin", "", 1, 2));
    EXPECT_EQ(ficheros.LeePregunta(2), TPregunta{});  // beyond the end
    EXPECT_EQ(ficheros.LeePregunta(3), TPregunta{});  // at the end: the trailer is no record
    EXPECT_EQ(ficheros.LeePregunta(4).Modo, static_cast<uint8_t>('a' ^ kClave[5] ^ 'C'));
    EXPECT_EQ(ficheros.LeePregunta(0), TPregunta{});  // wraps to entry 65535, beyond the index
}

TEST(QuestionFiles, AFifoOrAFolderIsRefusedWithoutWaiting) {
    TCarpetaTemporal carpeta;
    const std::string fifo = carpeta.En("f.preg");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string carpetaComoFichero = carpeta.En("d.preg");
    std::filesystem::create_directory(carpetaComoFichero);
    for (const std::string& ruta : {fifo, carpetaComoFichero}) {
        TFichero fichero;
        EXPECT_THROW(fichero.Abre(ruta, TFichero::TModo::Lectura), IoError) << ruta;
        EXPECT_THROW(fichero.Abre(ruta, TFichero::TModo::Anadir), IoError) << ruta;
    }
    TAviso aviso;
    EXPECT_THROW(CompruebaFicheros(fifo, kClave, &aviso), IoError);
}

TEST(QuestionFiles, OneRuleForTheExtensionOfEveryName) {
    const struct {
        const char* ruta;
        const char* sinExtension;
        const char* indice;
    } casos[] = {
        {"/c/tema1.preg", "tema1", "/c/tema1.ind"},
        {"/c/x.y.preg", "x.y", "/c/x.y.ind"},
        {"/c/.preg", "", "/c/.ind"},
        {"/c/a.b.preg", "a.b", "/c/a.b.ind"},
        {"/c.d/sin", "sin", "/c.d/sin.ind"},
        {"/c/final.", "final", "/c/final.ind"},
        {"suelto.preg", "suelto", "suelto.ind"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.ruta);
        EXPECT_EQ(NombreSinExtension(caso.ruta), caso.sinExtension);
        EXPECT_EQ(CambiaExtension(caso.ruta, ".ind"), caso.indice);
    }
}

TEST(QuestionFiles, TheIndexOfASetMadeOnWindowsIsFoundInAnyCase) {
    const struct {
        const char* preguntas;
        std::vector<std::string> indices;  // the files beside it
        const char* hallado;
    } casos[] = {
        {"TEMA1.PREG", {"TEMA1.IND"}, "TEMA1.IND"},
        {"Tema1.Preg", {"Tema1.Ind", "Tema1.IND"}, "Tema1.Ind"},
        {"tema1.PREG", {"tema1.iNd"}, "tema1.iNd"},
        {"tema1.preg", {"tema1.IND"}, "tema1.IND"},
        {"TEMA1.PREG", {"TEMA1.ind", "TEMA1.IND"}, "TEMA1.ind"},  // the lower case first
        {"TEMA1.PREG", {"TEMA1.IN", "TEMA1.INDX", "TEMA2.IND"}, "TEMA1.ind"},  // none: reported
        {".PREG", {".IND"}, ".IND"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.preguntas);
        TCarpetaTemporal carpeta;
        const std::string nombre = carpeta.En(caso.preguntas);
        const TConjuntoEscrito conjunto =
            ConstruyeConjunto({P("Uno", "Una pregunta normal con un @hueco@"), P("Dos", "x")});
        EscribeFichero(nombre, conjunto.Preguntas);
        for (const std::string& indice : caso.indices)
            EscribeFichero(carpeta.En(indice), conjunto.Indice);
        EXPECT_EQ(NombreIndice(nombre), carpeta.En(caso.hallado));
        TAviso aviso;
        EXPECT_EQ(CompruebaFicheros(nombre, kClave, &aviso),
                  ExisteFichero(carpeta.En(caso.hallado)));
    }
}

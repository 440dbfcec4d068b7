#include "core/set/topic_scan.h"
#include "core/base/atomic_write.h"

#include <gtest/gtest.h>

#include "core/set/writer.h"
#include "hostile_sets.h"
#include "temp_folder.h"

namespace {

struct TEscaneo {
    TCarpetaTemporal Carpeta;
    TFicherosPreguntas Ficheros;
    TLista ListaTemas;
    TTemasDePregunta TemaDePregunta{{3, 1, 250, 2}, 7};  // what another set left
    int32_t NumTemas = 0;

    explicit TEscaneo(const std::vector<std::string>& temas) {
        std::vector<TPregunta> preguntas;
        for (const auto& tema : temas)
            preguntas.push_back({0, 0, tema, "Texto de @prueba@."});
        const std::string nombre = Carpeta.En("conjunto.preg");
        EscribeConjunto(nombre, preguntas);
        ListaTemas.Anade("anterior");
        Ficheros.Abre(nombre);
        NumTemas = LeeTemas(Ficheros, ListaTemas, TemaDePregunta);
    }

    std::vector<std::string> Nombres() const {
        std::vector<std::string> nombres;
        for (int i = 1; i <= ListaTemas.Cuenta(); ++i)
            nombres.push_back(ListaTemas.Nombre(i));
        return nombres;
    }
};

}  // namespace

TEST(LeeTemas, CollectsDistinctTopicsAllSelected) {
    const struct {
        const char* nombre;
        std::vector<std::string> temas;
        std::vector<std::string> lista;
    } casos[] = {
        {"one shared topic", {"Acentos", "Acentos", "Acentos"}, {"Acentos"}},
        {"case counts", {"b/v", "B/v", "b/v"}, {"b/v", "B/v"}},
        {"accent counts", {"Acentuaci\xF3n", "Acentuacion"}, {"Acentuaci\xF3n", "Acentuacion"}},
        {"first occurrence order", {"c", "a", "c", "b", "a"}, {"c", "a", "b"}},
        {"empty topic name", {"", "x", ""}, {"", "x"}},
        {"no questions", {}, {}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        TEscaneo escaneo(caso.temas);
        EXPECT_EQ(escaneo.Nombres(), caso.lista);
        EXPECT_EQ(escaneo.NumTemas, static_cast<int32_t>(caso.lista.size()));
        EXPECT_EQ(escaneo.ListaTemas.CuentaMarcados(), escaneo.NumTemas);
        ASSERT_EQ(escaneo.TemaDePregunta.size(), kRanurasTemaDePregunta + 1);
        EXPECT_EQ(escaneo.TemaDePregunta.FueraDeLista, 0);
        for (size_t n = 0; n < escaneo.TemaDePregunta.size(); ++n) {
            const bool pregunta = n >= 1 && n <= caso.temas.size();
            const int32_t esperado = pregunta ? escaneo.ListaTemas.Busca(caso.temas[n - 1]) : -1;
            ASSERT_EQ(escaneo.TemaDePregunta.IndiceEnLista(n), esperado) << n;
            if (!pregunta) {
                ASSERT_EQ(escaneo.TemaDePregunta.Referencias[n], TTemasDePregunta::kVacio) << n;
            }
        }
    }
}

TEST(LeeTemas, MoreThan200TopicsKeepTheFirst200) {
    std::vector<std::string> temas;
    for (int i = 1; i <= 230; ++i)
        temas.push_back("tema " + std::to_string(i));
    temas.push_back("tema 3");
    TEscaneo escaneo(temas);
    EXPECT_EQ(escaneo.NumTemas, 200);
    EXPECT_EQ(escaneo.ListaTemas.Nombre(1), "tema 1");
    EXPECT_EQ(escaneo.ListaTemas.Nombre(200), "tema 200");
    const TTemasDePregunta& cache = escaneo.TemaDePregunta;
    EXPECT_EQ(cache.IndiceEnLista(200), 200);
    EXPECT_EQ(cache.IndiceEnLista(215), -1);
    EXPECT_EQ(cache.IndiceEnLista(231), 3);
    // The 30 topics beyond the list stay apart from each other.
    EXPECT_EQ(cache.FueraDeLista, 30);
    EXPECT_GT(cache.Referencias[201], TLista::kCapacidad);
    EXPECT_NE(cache.Referencias[201], cache.Referencias[230]);
}

TEST(LeeTemas, ATopicBeyondTheListIsOneReferenceForAllItsQuestions) {
    std::vector<std::string> temas;
    for (int i = 1; i <= 200; ++i)
        temas.push_back("tema " + std::to_string(i));
    for (const char* tema : {"fuera a", "fuera b", "fuera a", "tema 7", "fuera b", "fuera a"})
        temas.push_back(tema);
    TEscaneo escaneo(temas);
    const TTemasDePregunta& cache = escaneo.TemaDePregunta;
    EXPECT_EQ(cache.FueraDeLista, 2);
    EXPECT_EQ(cache.Referencias[201], cache.Referencias[203]);
    EXPECT_EQ(cache.Referencias[201], cache.Referencias[206]);
    EXPECT_EQ(cache.Referencias[202], cache.Referencias[205]);
    EXPECT_NE(cache.Referencias[201], cache.Referencias[202]);
    EXPECT_EQ(cache.IndiceEnLista(204), 7);
}

TEST(LeeTemas, ALongTopicRepeatedThroughTheWholeIndexIsStoredOnce) {
    TCarpetaTemporal carpeta;
    const std::string nombre = carpeta.En("repetido.preg");
    const TConjuntoEscrito conjunto = ConjuntoDeTemaRepetido();
    EXPECT_LT(conjunto.Preguntas.size() + conjunto.Indice.size(), 300'000u);
    EscribeFichero(nombre, conjunto.Preguntas);
    EscribeFichero(NombreIndice(nombre), conjunto.Indice);
    ASSERT_TRUE(CompruebaFicheros(nombre, kClave, nullptr));

    TFicherosPreguntas ficheros;
    ficheros.Abre(nombre);
    ASSERT_EQ(ficheros.NumPreguntas(), kMaximoPreguntas);
    TLista lista;
    TTemasDePregunta cache;
    // The record's long topic, and the empty one of the entry that points at the trailer.
    ASSERT_EQ(LeeTemas(ficheros, lista, cache), 2);
    EXPECT_EQ(lista.Nombre(1), std::string(32000, 't'));
    EXPECT_EQ(lista.Nombre(2), "");
    EXPECT_EQ(cache.FueraDeLista, 0);
    for (size_t n = 1; n <= static_cast<size_t>(kMaximoPreguntas); ++n)
        ASSERT_EQ(cache.IndiceEnLista(n), n == 2 ? 2 : 1) << n;
}

TEST(LeeTemas, LargeSetGrowsTheCache) {
    std::vector<std::string> temas(10050, "comun");
    temas.back() = "ultimo";
    TEscaneo escaneo(temas);
    ASSERT_EQ(escaneo.TemaDePregunta.size(), 10051u);
    EXPECT_EQ(escaneo.TemaDePregunta.IndiceEnLista(10050), 2);
    EXPECT_EQ(escaneo.TemaDePregunta.IndiceEnLista(10049), 1);
    EXPECT_EQ(escaneo.NumTemas, 2);
}

TEST(LeeTemas, OnlyThe16BitQuestionNumbersAreRead) {
    std::vector<std::string> temas(65536, "t");
    temas.back() = "inalcanzable";
    TEscaneo escaneo(temas);
    EXPECT_EQ(escaneo.Ficheros.NumPreguntas(), 65536);
    ASSERT_EQ(escaneo.TemaDePregunta.size(), 65536u);
    EXPECT_EQ(escaneo.TemaDePregunta.IndiceEnLista(65535), 1);
    EXPECT_EQ(escaneo.NumTemas, 1);
}

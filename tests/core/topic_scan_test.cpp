#include "topic_scan.h"

#include <gtest/gtest.h>

#include "temp_folder.h"
#include "writer.h"

namespace {

struct TEscaneo {
    TCarpetaTemporal Carpeta;
    TFicherosPreguntas Ficheros;
    TLista ListaTemas;
    std::vector<std::string> TemaDePregunta{"resto", "de", "otro", "conjunto"};
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
        for (size_t n = 0; n < escaneo.TemaDePregunta.size(); ++n) {
            const std::string esperado = n >= 1 && n <= caso.temas.size() ? caso.temas[n - 1] : "";
            ASSERT_EQ(escaneo.TemaDePregunta[n], esperado) << n;
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
    EXPECT_EQ(escaneo.TemaDePregunta[215], "tema 215");
    EXPECT_EQ(escaneo.ListaTemas.Busca(escaneo.TemaDePregunta[215]), -1);
    EXPECT_EQ(escaneo.ListaTemas.Busca(escaneo.TemaDePregunta[231]), 3);
}

TEST(LeeTemas, LargeSetGrowsTheCache) {
    std::vector<std::string> temas(10050, "comun");
    temas.back() = "ultimo";
    TEscaneo escaneo(temas);
    ASSERT_EQ(escaneo.TemaDePregunta.size(), 10051u);
    EXPECT_EQ(escaneo.TemaDePregunta[10050], "ultimo");
    EXPECT_EQ(escaneo.TemaDePregunta[10049], "comun");
    EXPECT_EQ(escaneo.NumTemas, 2);
}

TEST(LeeTemas, OnlyThe16BitQuestionNumbersAreRead) {
    std::vector<std::string> temas(65536, "t");
    temas.back() = "inalcanzable";
    TEscaneo escaneo(temas);
    EXPECT_EQ(escaneo.Ficheros.NumPreguntas(), 65536);
    ASSERT_EQ(escaneo.TemaDePregunta.size(), 65536u);
    EXPECT_EQ(escaneo.TemaDePregunta[65535], "t");
    EXPECT_EQ(escaneo.NumTemas, 1);
}

#include "core/learning/next_question.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

// A set of questions whose topics are given in order, and the list built from them.
struct TConjunto {
    std::vector<std::string> Temas{""};  // 1-based
    TLista ListaTemas;
    uint16_t PreguntaActual = 1;
    std::mt19937 Generador{12345};

    explicit TConjunto(const std::vector<std::string>& temas) {
        for (const auto& tema : temas) {
            Temas.push_back(tema);
            ListaTemas.Anade(tema);
        }
        ListaTemas.MarcaTodos();
    }
    int32_t NumPreguntas() const { return static_cast<int32_t>(Temas.size()) - 1; }

    // The cache as the topic scan fills it: the list's index, or a number beyond the list.
    TTemasDePregunta TemaDePregunta() const {
        TTemasDePregunta cache;
        cache.Referencias.push_back(TTemasDePregunta::kVacio);
        for (size_t n = 1; n < Temas.size(); ++n) {
            const int32_t indice = ListaTemas.Busca(Temas[n]);
            cache.Referencias.push_back(indice != -1 ? indice : TLista::kCapacidad + 1);
        }
        return cache;
    }

    uint16_t Siguiente(bool secuencial, std::optional<int32_t> numPreguntas = std::nullopt) {
        const TTemasDePregunta cache = TemaDePregunta();
        return EligeSiguiente({secuencial, PreguntaActual, numPreguntas.value_or(NumPreguntas()),
                               cache, ListaTemas, Generador});
    }
    std::vector<int> Secuencia(bool secuencial, int veces) {
        std::vector<int> mostradas;
        for (int i = 0; i < veces; ++i)
            mostradas.push_back(Siguiente(secuencial));
        return mostradas;
    }
};

std::vector<std::string> Temas(int n, const std::string& tema = "t") {
    return std::vector<std::string>(static_cast<size_t>(n), tema);
}

}  // namespace

TEST(EligeSiguiente, SequentialWalksAndWraps) {
    TConjunto conjunto({"a", "b", "c"});
    EXPECT_EQ(conjunto.Secuencia(true, 5), (std::vector<int>{1, 2, 3, 1, 2}));
    EXPECT_EQ(conjunto.PreguntaActual, 3);
}

TEST(EligeSiguiente, SequentialSkipsUnselectedTopics) {
    TConjunto conjunto({"a", "b", "c"});
    conjunto.ListaTemas.Desmarca(2);
    EXPECT_EQ(conjunto.Siguiente(true), 1);
    EXPECT_EQ(conjunto.PreguntaActual, 2);
    EXPECT_EQ(conjunto.Siguiente(true), 3);
    EXPECT_EQ(conjunto.PreguntaActual, 1);  // passed 2, then wrapped after 3
    EXPECT_EQ(conjunto.Secuencia(true, 3), (std::vector<int>{1, 3, 1}));
}

TEST(EligeSiguiente, PointerLeftByAnotherSet) {
    const struct {
        int preguntas;
        uint16_t puntero;
        int esperada;
        uint16_t despues;
    } casos[] = {
        {50, 80, 1, 2},           {200, 80, 80, 81},
        {80, 80, 80, 1},          {3, 0, 1, 2},  // a pointer at 0 is no question
        {3, 65535, 1, 2},                        // advancing in 16 bits passes 0
        {70000, 65535, 65535, 0},                // 0 is then passed like any non-question
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.preguntas);
        TConjunto conjunto(Temas(caso.preguntas));
        conjunto.PreguntaActual = caso.puntero;
        EXPECT_EQ(conjunto.Siguiente(true), caso.esperada);
        EXPECT_EQ(conjunto.PreguntaActual, caso.despues);
    }
}

TEST(EligeSiguiente, OnlyTheFirst65535QuestionsAreUsed) {
    TConjunto conjunto(Temas(65535, "viejo"));
    conjunto.Temas.push_back("nuevo");
    conjunto.ListaTemas.Anade("nuevo");
    conjunto.ListaTemas.Marca(2);
    conjunto.ListaTemas.Desmarca(1);
    // Question 65536 has the only selected topic, but no 16-bit number reaches it.
    EXPECT_EQ(conjunto.Siguiente(true, 65536), 0);
    EXPECT_EQ(conjunto.Siguiente(false, 65536), 0);
}

TEST(EligeSiguiente, RandomWithOneQuestion) {
    TConjunto conjunto({"a"});
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(conjunto.Siguiente(false), 1);
    EXPECT_EQ(conjunto.PreguntaActual, 1);  // the random order leaves the pointer alone
}

TEST(EligeSiguiente, RandomDrawsUniformlyFromSelectedTopics) {
    TConjunto conjunto({"a", "b", "a", "c", "b", "a"});
    conjunto.ListaTemas.Desmarca(1);  // "a": questions 1, 3 and 6
    std::map<int, int> veces;
    for (int i = 0; i < 3000; ++i)
        ++veces[conjunto.Siguiente(false)];
    ASSERT_EQ(veces.size(), 3u);
    for (int n : {2, 4, 5}) {
        EXPECT_GT(veces[n], 850) << n;
        EXPECT_LT(veces[n], 1150) << n;
    }
}

TEST(EligeSiguiente, RandomStaysUniformAmongRareQualifyingQuestions) {
    TConjunto conjunto(Temas(10000, "otro"));
    for (size_t n : {7, 5000, 10000})
        conjunto.Temas[n] = "raro";
    conjunto.ListaTemas.Anade("raro");
    conjunto.ListaTemas.Desmarca(1);
    conjunto.ListaTemas.Marca(2);
    std::map<int, int> veces;
    for (int i = 0; i < 3000; ++i)
        ++veces[conjunto.Siguiente(false)];
    ASSERT_EQ(veces.size(), 3u);
    for (int n : {7, 5000, 10000}) {
        EXPECT_GT(veces[n], 850) << n;
        EXPECT_LT(veces[n], 1150) << n;
    }
}

TEST(EligeSiguiente, EmptySelectionSelectsAll) {
    for (bool secuencial : {true, false}) {
        SCOPED_TRACE(secuencial);
        TConjunto conjunto({"a", "b"});
        conjunto.ListaTemas.Desmarca(1);
        conjunto.ListaTemas.Desmarca(2);
        const int n = conjunto.Siguiente(secuencial);
        EXPECT_TRUE(n == 1 || n == 2);
        EXPECT_EQ(conjunto.ListaTemas.CuentaMarcados(), 2);
    }
}

TEST(EligeSiguiente, NoQualifyingQuestionReturnsZero) {
    const auto sinListar = [] {
        // More than 200 topics: none of the questions' topics made it into the list.
        TConjunto conjunto(Temas(0));
        for (int i = 1; i <= 250; ++i)
            conjunto.ListaTemas.Anade("listado " + std::to_string(i));
        conjunto.ListaTemas.MarcaTodos();
        for (int i = 1; i <= 300; ++i)
            conjunto.Temas.push_back("fuera " + std::to_string(i));
        return conjunto;
    };
    for (bool secuencial : {true, false}) {
        SCOPED_TRACE(secuencial);
        TConjunto vacio(Temas(0));
        EXPECT_EQ(vacio.Siguiente(secuencial), 0);
        EXPECT_EQ(vacio.PreguntaActual, 1);

        TConjunto sinTemas(Temas(5));
        sinTemas.ListaTemas.Vacia();
        EXPECT_EQ(sinTemas.Siguiente(secuencial), 0);

        TConjunto negativo({"a"});
        EXPECT_EQ(negativo.Siguiente(secuencial, -3), 0);

        TConjunto fuera = sinListar();
        fuera.PreguntaActual = 17;
        EXPECT_EQ(fuera.Siguiente(secuencial), 0);
        EXPECT_EQ(fuera.PreguntaActual, 17);
    }
}

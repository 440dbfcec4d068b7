#include "core/set/topic_list.h"

#include <gtest/gtest.h>

TEST(TopicList, AddsDistinctNamesInOrder) {
    TLista lista;
    for (const char* nombre : {"Acentos", "b/v", "Acentos", "acentos", "Acent\xF3s", ""})
        lista.Anade(nombre);
    ASSERT_EQ(lista.Cuenta(), 5);  // case and accent make two names; the empty name is one
    EXPECT_EQ(lista.Nombre(1), "Acentos");
    EXPECT_EQ(lista.Nombre(3), "acentos");
    EXPECT_EQ(lista.Nombre(5), "");
    EXPECT_EQ(lista.Busca("b/v"), 2);
    EXPECT_EQ(lista.Busca(""), 5);
    EXPECT_EQ(lista.Busca("nada"), -1);
    EXPECT_EQ(lista.CuentaMarcados(), 0);
}

TEST(TopicList, CapacityOf200) {
    TLista lista;
    for (int i = 1; i <= 201; ++i)
        lista.Anade("tema " + std::to_string(i));
    EXPECT_EQ(lista.Cuenta(), 200);
    EXPECT_EQ(lista.Busca("tema 201"), -1);
    EXPECT_EQ(lista.Nombre(200), "tema 200");
}

TEST(TopicList, FlagsAndIndicesOutOfRange) {
    TLista lista;
    EXPECT_EQ(lista.CuentaMarcados(), 0);
    lista.MarcaTodos();
    EXPECT_EQ(lista.CuentaMarcados(), 0);
    lista.Anade("a");
    lista.Anade("b");
    lista.Anade("c");
    for (int i : {-1, 0, 4, 201}) {
        lista.Marca(i);
        EXPECT_FALSE(lista.Marcado(i)) << i;
        EXPECT_EQ(lista.Nombre(i), "") << i;
    }
    EXPECT_EQ(lista.CuentaMarcados(), 0);
    lista.Marca(2);
    EXPECT_TRUE(lista.Marcado(2));
    lista.MarcaTodos();
    EXPECT_EQ(lista.CuentaMarcados(), 3);
    lista.Desmarca(1);
    lista.Desmarca(4);
    EXPECT_EQ(lista.CuentaMarcados(), 2);
    EXPECT_FALSE(lista.Marcado(1));

    lista.Vacia();
    EXPECT_EQ(lista.Cuenta(), 0);
    lista.Anade("b");
    EXPECT_FALSE(lista.Marcado(1));  // a name added again starts cleared
    EXPECT_EQ(lista.Nombre(2), "");
}

#include "core/set/settings.h"
#include "core/base/atomic_write.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/base/binary_file.h"
#include "core/set/writer.h"
#include "temp_folder.h"

namespace {

const std::string kConsejo = "Se aconseja configurar el programa y guardar la configuración.";

TLista ListaDe(int temas) {
    TLista lista;
    for (int i = 1; i <= temas; ++i)
        lista.Anade("tema " + std::to_string(i));
    return lista;
}

// Settings bytes: a header of 50, then the given flag bytes from TemasMarcados[0] on, then
// zeros up to n bytes.
std::string Registro(size_t n, const std::vector<uint8_t>& marcas) {
    std::string bytes(n, '\0');
    if (n > 0)
        bytes[0] = 50;
    for (size_t i = 0; i < marcas.size() && i + 1 < n; ++i)
        bytes[i + 1] = static_cast<char>(marcas[i]);
    return bytes;
}

TConfiguracion Defecto() {
    TConfiguracion configuracion;
    ConfiguracionDefecto(configuracion);
    return configuracion;
}

std::vector<int> Marcados(const TLista& lista) {
    std::vector<int> marcados;
    for (int i = 1; i <= lista.Cuenta(); ++i)
        if (lista.Marcado(i))
            marcados.push_back(i);
    return marcados;
}

// The topics of a list of 200 that a record selects.
std::vector<int> MarcadosSegun(const TConfiguracion& configuracion) {
    std::vector<int> marcados;
    for (int i = 1; i <= 200; ++i)
        if (configuracion.TemasMarcados[static_cast<size_t>(i)] != 0)
            marcados.push_back(i);
    return marcados;
}

std::vector<int> Rango(int desde, int hasta) {
    std::vector<int> v;
    for (int i = desde; i <= hasta; ++i)
        v.push_back(i);
    return v;
}

}  // namespace

TEST(Configuracion, Defaults) {
    TConfiguracion configuracion;
    configuracion.TemasMarcados.fill(7);
    ConfiguracionDefecto(configuracion);
    EXPECT_EQ(configuracion.Cabecera, 50);
    EXPECT_EQ(configuracion.TemasMarcados[0], 0);
    for (int i = 1; i <= 100; ++i)
        EXPECT_EQ(configuracion.TemasMarcados[i], 1) << i;
    for (int i = 101; i <= 220; ++i)
        EXPECT_EQ(configuracion.TemasMarcados[i], 7) << i;
}

TEST(Configuracion, Bytes) {
    TConfiguracion configuracion;
    configuracion.Cabecera = 9;
    configuracion.TemasMarcados[0] = 1;
    configuracion.TemasMarcados[220] = 3;
    const std::string bytes = BytesConfiguracion(configuracion);
    ASSERT_EQ(bytes.size(), kTamanoConfiguracion);
    EXPECT_EQ(bytes[0], 9);
    EXPECT_EQ(bytes[1], 1);
    EXPECT_EQ(bytes[2], 0);
    EXPECT_EQ(bytes[221], 3);
}

TEST(RestauraConfiguracion, Files) {
    std::vector<uint8_t> alternas(221);  // [0] = 0, then topics 2, 4, 6... set, one as 2
    for (size_t i = 2; i < alternas.size(); i += 2)
        alternas[i] = 1;
    alternas[10] = 2;
    std::vector<int> pares;
    for (int i = 2; i <= 200; i += 2)
        pares.push_back(i);

    const std::string cuerpoCorto = Registro(100, alternas);
    const std::string corto = ConCheckSum(cuerpoCorto);
    TConfiguracion tras_corto = Defecto();  // the bytes read beyond the defaults stay
    for (size_t offset = 102; offset < corto.size(); ++offset)
        tras_corto.TemasMarcados[offset - 1] = static_cast<uint8_t>(corto[offset]);
    TConfiguracion tras_completo;
    tras_completo.Cabecera = 50;
    std::copy(alternas.begin(), alternas.end(), tras_completo.TemasMarcados.begin());
    std::string sumaErronea = ConCheckSum(Registro(222, alternas));
    sumaErronea.back() = static_cast<char>(sumaErronea.back() + 1);

    const struct {
        const char* nombre;
        std::optional<std::string> contenido;  // none: no settings file
        std::optional<TAviso> aviso;
        TConfiguracion configuracion;
        std::vector<int> marcados;
    } casos[] = {
        {"no file", std::nullopt, std::nullopt, Defecto(), Rango(1, 100)},
        {"222 bytes and a right trailer", ConCheckSum(Registro(222, alternas)), std::nullopt,
         tras_completo, pares},
        {"300 bytes and a right trailer", ConCheckSum(Registro(300, alternas)), std::nullopt,
         tras_completo, pares},
        {"100 bytes and a right trailer", corto,
         TAviso{"Error en el fichero con la configuración."}, tras_corto,
         MarcadosSegun(tras_corto)},
        {"no trailer", Registro(222, alternas),
         TAviso{"Fichero de configuración sin CheckSum:", "cuaderno.cfg", kConsejo}, Defecto(),
         Rango(1, 100)},
        {"empty file", std::string(),
         TAviso{"Fichero de configuración sin CheckSum:", "cuaderno.cfg", kConsejo}, Defecto(),
         Rango(1, 100)},
        {"wrong sum", sumaErronea,
         TAviso{"Fichero de configuración con CheckSum erróneo:", "\"cuaderno\"", kConsejo},
         Defecto(), Rango(1, 100)},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        TCarpetaTemporal carpeta;
        const std::string datos = carpeta.En("datos/Tildora");
        const std::string ruta = datos + "/cuaderno.cfg";
        if (caso.contenido) {
            CreaCarpeta(datos);
            EscribeFichero(ruta, *caso.contenido);
        }
        TConfiguracion configuracion;
        TLista lista = ListaDe(200);
        lista.MarcaTodos();
        const auto aviso =
            RestauraConfiguracion(ruta, datos, "/some/dir/cuaderno.preg", configuracion, lista);
        EXPECT_EQ(aviso, caso.aviso);
        EXPECT_EQ(BytesConfiguracion(configuracion), BytesConfiguracion(caso.configuracion));
        EXPECT_EQ(Marcados(lista), caso.marcados);
        EXPECT_TRUE(ExisteCarpeta(datos));
    }
}

TEST(RestauraConfiguracion, ShortReadKeepsLaterFlagsOfTheRecord) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("corto.cfg");
    EscribeFichero(ruta, ConCheckSum(Registro(100, {})));  // 112 bytes in all
    TConfiguracion configuracion;
    configuracion.TemasMarcados.fill(5);
    TLista lista = ListaDe(3);
    const auto aviso = RestauraConfiguracion(ruta, carpeta.Ruta(), "x.preg", configuracion, lista);
    ASSERT_TRUE(aviso);
    EXPECT_EQ(configuracion.Cabecera, 50);
    EXPECT_EQ(configuracion.TemasMarcados[100], 1);
    // Bytes 102 to 111 of the file (its trailer) were read into the flags and stay.
    EXPECT_EQ(configuracion.TemasMarcados[101], 'h');
    EXPECT_EQ(configuracion.TemasMarcados[107], 50);  // the sum's low byte
    EXPECT_EQ(configuracion.TemasMarcados[110], 0);
    EXPECT_EQ(configuracion.TemasMarcados[111], 5);  // beyond the file: untouched
    EXPECT_EQ(configuracion.TemasMarcados[220], 5);
}

TEST(RestauraConfiguracion, FlagsOnlyForListedTopics) {
    TCarpetaTemporal carpeta;
    TConfiguracion configuracion;
    configuracion.TemasMarcados[150] = 9;
    TLista lista = ListaDe(2);
    lista.Desmarca(1);
    const auto aviso = RestauraConfiguracion(carpeta.En("falta.cfg"), carpeta.Ruta(), "x.preg",
                                             configuracion, lista);
    EXPECT_FALSE(aviso);
    EXPECT_EQ(Marcados(lista), (std::vector<int>{1, 2}));
    EXPECT_EQ(lista.Cuenta(), 2);
    EXPECT_EQ(configuracion.TemasMarcados[150], 9);
}

TEST(RestauraConfiguracion, WrongSumNamesTheQuestionFileWithoutItsLastExtension) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("x.y.cfg");
    std::string bytes = ConCheckSum(Registro(222, {}));
    bytes[0] = 51;  // the trailer no longer matches
    EscribeFichero(ruta, bytes);
    TConfiguracion configuracion;
    TLista lista;
    const auto aviso =
        RestauraConfiguracion(ruta, carpeta.Ruta(), "/a/b.c/x.y.preg", configuracion, lista);
    ASSERT_TRUE(aviso);
    EXPECT_EQ(aviso->at(1), "\"x.y\"");
}

TEST(AplicaSeleccion, WritesTicksToTheListAndTheRecord) {
    TLista lista = ListaDe(5);
    lista.Marca(1);
    lista.Marca(5);
    TConfiguracion configuracion;
    configuracion.TemasMarcados.fill(7);
    AplicaSeleccion({false, true, true, false}, lista, configuracion);
    EXPECT_EQ(Marcados(lista), (std::vector<int>{2, 3, 5}));
    const std::vector<uint8_t> esperados = {7, 0, 1, 1, 0, 7, 7};
    for (size_t i = 0; i < esperados.size(); ++i)
        EXPECT_EQ(configuracion.TemasMarcados[i], esperados[i]) << i;
    EXPECT_EQ(configuracion.Cabecera, 0);

    AplicaSeleccion({}, lista, configuracion);
    EXPECT_EQ(Marcados(lista), (std::vector<int>{2, 3, 5}));
}

TEST(PuntuacionHistoria, Values) {
    const struct {
        int32_t acertadas;
        int32_t contestadas;
        int puntuacion;
    } casos[] = {
        {0, 10, 0},
        {10, 10, 254},
        {1, 2, 127},
        {2, 3, 169},
        {1, 255, 0},
        {1000000000, 2000000000, 127},
        {2147483647, 2147483647, 254},
        {3, 0, 0},  // no answers: no division
    };
    for (const auto& caso : casos)
        EXPECT_EQ(PuntuacionHistoria(caso.acertadas, caso.contestadas), caso.puntuacion)
            << caso.acertadas << "/" << caso.contestadas;
}

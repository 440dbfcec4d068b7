#include "set_checks.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace {

constexpr char kMarcaHueco = '@';
constexpr char kRetorno = '\r';

// CaracterLegible of every byte, looked up: the editor counts every keystroke's question.
const std::array<uint8_t, 256> kLegibles = [] {
    std::array<uint8_t, 256> tabla{};
    for (int b = 0; b < 256; ++b)
        tabla[static_cast<size_t>(b)] = CaracterLegible(static_cast<unsigned char>(b));
    return tabla;
}();

// Walks the text word by word as the layout does, counting its gaps and the text labels it
// fills when no line wraps.
struct TCuentaMaquetacion {
    int Huecos = 0;
    int Piezas = 0;  // the highest label that holds text
};

TCuentaMaquetacion CuentaMaquetacion(const std::string& texto) {
    TCuentaMaquetacion cuenta;
    int etiqueta = 1;
    bool conTexto = false;  // the current label holds text already
    std::string resto = texto;
    std::string palabra;
    while (!resto.empty()) {
        SiguientePalabra(resto, palabra);
        if (palabra.size() == 1 && palabra.front() == kRetorno) {
            ++etiqueta;
            conTexto = false;
        } else if (palabra.find(kMarcaHueco) == std::string::npos) {
            // Words without gaps join the current label.
            conTexto = true;
            cuenta.Piezas = etiqueta;
        } else {
            // Pieces beside gaps take a label each.
            bool dentro = false;
            size_t inicio = 0;
            while (inicio < palabra.size()) {
                const size_t marca = std::min(palabra.find(kMarcaHueco, inicio), palabra.size());
                if (dentro) {
                    ++cuenta.Huecos;
                } else if (marca > inicio) {
                    if (conTexto)
                        ++etiqueta;
                    cuenta.Piezas = etiqueta;
                    ++etiqueta;
                    conTexto = false;
                }
                inicio = marca + 1;
                dentro = !dentro;
            }
        }
    }
    return cuenta;
}

}  // namespace

int CuentaHuecos(const std::string& texto) {
    return CuentaMaquetacion(texto).Huecos;
}

int CuentaPiezas(const std::string& texto) {
    return CuentaMaquetacion(texto).Piezas;
}

int CuentaMarcas(const std::string& texto) {
    return static_cast<int>(std::count(texto.begin(), texto.end(), kMarcaHueco));
}

int64_t LongitudRegistro(const TPregunta& pregunta) {
    return static_cast<int64_t>(pregunta.Tema.size() + pregunta.Texto.size()) + 4;
}

int PorcentajeLegible(const TPregunta& primera) {
    // Modo, AnchoMinimo, topic, NUL, text: the record without its final NUL.
    const size_t longitud =
        std::min<size_t>(static_cast<size_t>(LongitudRegistro(primera)) - 1, kLongitudRegistro);
    size_t legibles = CaracterLegible(primera.Modo) + CaracterLegible(primera.AnchoMinimo);
    size_t examinados = 2;
    const auto cuenta = [&](std::string_view bytes) {
        bytes = bytes.substr(0, longitud - std::min(examinados, longitud));
        for (const char c : bytes)
            legibles += kLegibles[static_cast<unsigned char>(c)];
        examinados += bytes.size();
    };
    cuenta(primera.Tema);
    cuenta(std::string_view("\0", 1));
    cuenta(primera.Texto);
    return static_cast<int>(legibles * 100 / longitud);
}

int MasLegible(const std::vector<TPregunta>& preguntas) {
    std::vector<int> porcentajes;
    porcentajes.reserve(preguntas.size());
    for (const TPregunta& pregunta : preguntas)
        porcentajes.push_back(PorcentajeLegible(pregunta));
    return MasLegible(porcentajes);
}

int MasLegible(const std::vector<int>& porcentajes) {
    const auto mejor = std::max_element(porcentajes.begin(), porcentajes.end());
    return mejor == porcentajes.end() || *mejor < kPorcentajeLegibleMinimo
               ? -1
               : static_cast<int>(mejor - porcentajes.begin());
}

std::vector<TProblemaConjunto> CompruebaTotales(int64_t numPreguntas, int64_t numTemas,
                                                const TPregunta* primera) {
    using TTipo = TProblemaConjunto::TTipo;
    std::vector<TProblemaConjunto> problemas;
    if (numPreguntas == 0)
        problemas.push_back({TTipo::ConjuntoVacio, -1, 0});
    if (numPreguntas > kMaximoPreguntas)
        problemas.push_back({TTipo::DemasiadasPreguntas, -1, numPreguntas});
    if (numTemas > kMaximoTemas)
        problemas.push_back({TTipo::DemasiadosTemas, -1, numTemas});
    if (primera) {
        if (const int porcentaje = PorcentajeLegible(*primera);
            porcentaje < kPorcentajeLegibleMinimo)
            problemas.push_back({TTipo::ClaveIlegible, 0, porcentaje});
    }
    return problemas;
}

std::vector<TProblemaConjunto> CompruebaPregunta(const TPregunta& pregunta, int fila,
                                                 int64_t longitudRegistro) {
    using TTipo = TProblemaConjunto::TTipo;
    std::vector<TProblemaConjunto> problemas;
    if (const int marcas = CuentaMarcas(pregunta.Texto); marcas % 2 != 0)
        problemas.push_back({TTipo::MarcasImpares, fila, marcas});
    const TCuentaMaquetacion cuenta = CuentaMaquetacion(pregunta.Texto);
    if (cuenta.Huecos > kMaximoHuecos)
        problemas.push_back({TTipo::DemasiadosHuecos, fila, cuenta.Huecos});
    if (cuenta.Piezas > kMaximoPiezas)
        problemas.push_back({TTipo::DemasiadasPiezas, fila, cuenta.Piezas});
    if (longitudRegistro > static_cast<int64_t>(kLongitudRegistro))
        problemas.push_back({TTipo::RegistroLargo, fila, longitudRegistro});
    return problemas;
}

std::vector<TProblemaConjunto> CompruebaConjunto(const std::vector<TPregunta>& preguntas,
                                                 const std::vector<int64_t>& longitudes,
                                                 int64_t numPreguntas) {
    std::unordered_set<std::string> temas;
    for (const TPregunta& pregunta : preguntas)
        temas.insert(pregunta.Tema);
    std::vector<TProblemaConjunto> problemas =
        CompruebaTotales(numPreguntas, static_cast<int64_t>(temas.size()),
                         preguntas.empty() ? nullptr : &preguntas.front());
    for (size_t i = 0; i < preguntas.size(); ++i) {
        const int64_t longitud = i < longitudes.size() ? longitudes[i] : 0;
        for (TProblemaConjunto& problema :
             CompruebaPregunta(preguntas[i], static_cast<int>(i), longitud))
            problemas.push_back(problema);
    }
    return problemas;
}

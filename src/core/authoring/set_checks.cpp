#include "core/authoring/set_checks.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <unordered_set>

#include "core/authoring/source_format.h"
#include "core/base/win1252.h"

namespace {

// CaracterLegible of every byte, looked up: the editor counts every keystroke's question.
const std::array<uint8_t, 256> kLegibles = [] {
    std::array<uint8_t, 256> tabla{};
    for (int b = 0; b < 256; ++b)
        tabla[static_cast<size_t>(b)] = CaracterLegible(static_cast<unsigned char>(b));
    return tabla;
}();

// The mark that no other closes: the first word's that holds one.
int MarcaAbierta(const std::string& texto) {
    TLectorTexto lector(texto);
    TPalabraTexto palabra;
    while (!lector.Terminado()) {
        lector.Siguiente(palabra);
        if (palabra.MarcaAbierta != std::string::npos)
            return static_cast<int>(palabra.MarcaAbierta);
    }
    return -1;
}

// The template with %1, %2... replaced by the figures, in order.
std::string Rellena(std::string plantilla, std::initializer_list<std::string> cifras) {
    int n = 1;
    for (const std::string& cifra : cifras) {
        const std::string marca = "%" + std::to_string(n++);
        if (const size_t donde = plantilla.find(marca); donde != std::string::npos)
            plantilla.replace(donde, marca.size(), cifra);
    }
    return plantilla;
}

std::string Numero(int64_t n) {
    return std::to_string(n);
}

std::string Utf8De(char32_t codigo) {
    std::string bytes;
    AnadeUtf8(bytes, codigo);
    return bytes;
}

// The character as the teacher can find it: itself where it shows, and its number.
std::string NombraCaracter(char32_t codigo) {
    char numero[16];
    std::snprintf(numero, sizeof numero, "U+%04X", static_cast<unsigned>(codigo));
    const bool invisible = codigo < 0x20 || (codigo >= 0x7F && codigo < 0xA0);
    return invisible ? std::string(numero) : "\u00AB" + Utf8De(codigo) + "\u00BB (" + numero + ")";
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
        problemas.push_back({TTipo::MarcasImpares, fila, marcas, MarcaAbierta(pregunta.Texto)});
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

bool CaracterGuardable(char32_t codigo, bool enTexto) {
    if (enTexto && codigo == U'\r')
        return true;
    const int byte = ByteDeUnicode(codigo);
    return byte >= 0 && ByteEscribible(static_cast<unsigned char>(byte));
}

std::vector<TProblemaConjunto> CompruebaCaracteres(std::u32string_view tema,
                                                   std::u32string_view texto, int fila) {
    using TTipo = TProblemaConjunto::TTipo;
    std::vector<TProblemaConjunto> problemas;
    int64_t deMas = 0;
    const auto revisa = [&](std::u32string_view campo, bool enTexto) {
        for (size_t i = 0; i < campo.size(); ++i) {
            if (CaracterGuardable(campo[i], enTexto))
                continue;
            if (problemas.size() < kMaximoCaracteresListados)
                problemas.push_back({TTipo::CaracterNoGuardable, fila, campo[i],
                                     enTexto ? static_cast<int>(i) : -1});
            else
                ++deMas;
        }
    };
    revisa(tema, false);
    revisa(texto, true);
    if (deMas > 0)
        problemas.push_back({TTipo::MasCaracteresNoGuardables, fila, deMas});
    return problemas;
}

std::vector<TProblemaConjunto> CompruebaRedaccion(const TPregunta& pregunta, int fila) {
    using TTipo = TProblemaConjunto::TTipo;
    std::vector<TProblemaConjunto> problemas;
    const std::string& texto = pregunta.Texto;
    if (!texto.empty() && CuentaHuecos(texto) == 0)
        problemas.push_back({TTipo::SinHuecos, fila});
    for (const TPiezaTexto& hueco : PiezasDeTexto(texto)) {
        if (hueco.Tipo != TPiezaTexto::TTipo::Hueco || !hueco.Cerrado)
            continue;
        const std::string_view respuesta = hueco.Texto;
        const int donde = static_cast<int>(hueco.Marca);
        if (!respuesta.empty() && (respuesta.front() == ' ' || respuesta.back() == ' '))
            problemas.push_back({TTipo::RespuestaConBlancos, fila, 0, donde});
        int palabras = 0;
        for (size_t j = 0; j < respuesta.size(); ++j)
            palabras += respuesta[j] != ' ' && (j == 0 || respuesta[j - 1] == ' ');
        if (palabras > kMaximoPalabrasRespuesta)
            problemas.push_back({TTipo::RespuestaLarga, fila, palabras, donde});
    }
    return problemas;
}

bool TProblemaConjunto::Bloquea() const {
    switch (Tipo) {
        case TTipo::ConjuntoVacio:
        case TTipo::ClaveIlegible:
        case TTipo::DemasiadasPreguntas:
        case TTipo::RegistroLargo:
        case TTipo::CaracterNoGuardable:
        case TTipo::MasCaracteresNoGuardables:
            return true;
        default:
            return false;
    }
}

std::string TProblemaConjunto::Mensaje(TIdioma idioma) const {
    const auto texto = [idioma](const char* castellano, const char* valenciano) {
        return std::string(Elige(idioma, castellano, valenciano));
    };
    const std::string cual =
        Rellena(texto("Pregunta %1: ", "Pregunta %1: "), {Numero(Pregunta + 1)});
    const std::string posicion = Numero(Posicion + 1);
    switch (Tipo) {
        case TTipo::ConjuntoVacio:
            return texto("El conjunto no tiene ninguna pregunta: añada al menos una.",
                         "El conjunt no té cap pregunta: afegiu-ne almenys una.");
        case TTipo::DemasiadasPreguntas:
            return Rellena(texto("El conjunto tiene %1 preguntas y no puede tener más de %2: "
                                 "repártalas en dos conjuntos.",
                                 "El conjunt té %1 preguntes i no en pot tindre més de %2: "
                                 "repartiu-les en dos conjunts."),
                           {Numero(Cifra), Numero(kMaximoPreguntas)});
        case TTipo::DemasiadosTemas:
            return Rellena(texto("El conjunto tiene %1 temas; Tildora solo lista los primeros %2 "
                                 "y nunca pregunta los demás.",
                                 "El conjunt té %1 temes; Tildora només llista els primers %2 i "
                                 "mai no pregunta els altres."),
                           {Numero(Cifra), Numero(kMaximoTemas)});
        case TTipo::ClaveIlegible:
            return cual + Rellena(texto("Tildora reconoce el conjunto por la primera pregunta: "
                                        "debe tener más letras normales. Ahora las letras sin "
                                        "acento, cifras, espacios, comas y puntos son el %1 % y "
                                        "hacen falta al menos el %2 %: ponga primero una "
                                        "pregunta más larga y sencilla.",
                                        "Tildora reconeix el conjunt per la primera pregunta: ha "
                                        "de tindre més lletres normals. Ara les lletres sense "
                                        "accent, xifres, espais, comes i punts en són el %1 % i "
                                        "en calen almenys el %2 %: poseu primer una pregunta "
                                        "més llarga i senzilla."),
                                  {Numero(Cifra), Numero(kPorcentajeLegibleMinimo)});
        case TTipo::CaracterNoGuardable: {
            const std::string donde =
                Posicion < 0
                    ? texto("en el tema", "en el tema")
                    : Rellena(texto("en la posición %1 del texto", "en la posició %1 del text"),
                              {posicion});
            return cual + Rellena(texto("%1 %2. Este carácter no se puede guardar: sustitúyalo.",
                                        "%1 %2. Aquest caràcter no es pot guardar: substituïx-lo."),
                                  {NombraCaracter(static_cast<char32_t>(Cifra)), donde});
        }
        case TTipo::MasCaracteresNoGuardables:
            return cual + Rellena(texto("y %1 caracteres más que no se pueden guardar: "
                                        "sustitúyalos.",
                                        "i %1 caràcters més que no es poden guardar: "
                                        "substituïx-los."),
                                  {Numero(Cifra)});
        case TTipo::RegistroLargo:
            return cual +
                   Rellena(
                       texto("es demasiado larga: el tema y el texto tienen %1 caracteres y "
                             "solo caben %2. Acórtela o pártala en dos.",
                             "és massa llarga: el tema i el text tenen %1 caràcters i només "
                             "n'hi caben %2. Escurceu-la o partiu-la en dues."),
                       {Numero(Cifra - 4), Numero(static_cast<int64_t>(kLongitudRegistro) - 4)});
        case TTipo::DemasiadosHuecos:
            return cual + Rellena(texto("tiene %1 huecos y Tildora solo muestra los primeros %2.",
                                        "té %1 buits i Tildora només mostra els primers %2."),
                                  {Numero(Cifra), Numero(kMaximoHuecos)});
        case TTipo::DemasiadasPiezas:
            return cual + Rellena(texto("tiene %1 trozos de texto y Tildora solo muestra %2 (cada "
                                        "línea y cada trozo junto a un hueco ocupa uno).",
                                        "té %1 trossos de text i Tildora només en mostra %2 (cada "
                                        "línia i cada tros al costat d'un buit n'ocupa un)."),
                                  {Numero(Cifra), Numero(kMaximoPiezas)});
        case TTipo::MarcasImpares:
            return cual + Rellena(texto("el número de marcas de hueco («@») es impar (%1); la de "
                                        "la posición %2 no se cierra.",
                                        "el nombre de marques de buit («@») és senar (%1); la de "
                                        "la posició %2 no es tanca."),
                                  {Numero(Cifra), posicion});
        case TTipo::SinHuecos:
            return cual + texto("no tiene ningún hueco: ponga la respuesta entre dos «@».",
                                "no té cap buit: poseu la resposta entre dues «@».");
        case TTipo::RespuestaConBlancos:
            return cual + Rellena(texto("la respuesta del hueco de la posición %1 empieza o acaba "
                                        "con un espacio: quítelo.",
                                        "la resposta del buit de la posició %1 comença o acaba "
                                        "amb un espai: lleveu-lo."),
                                  {posicion});
        case TTipo::RespuestaLarga:
            return cual + Rellena(texto("el hueco de la posición %1 tiene %2 palabras: ¿falta "
                                        "una «@»?",
                                        "el buit de la posició %1 té %2 paraules: hi falta una "
                                        "«@»?"),
                                  {posicion, Numero(Cifra)});
        case TTipo::PreguntaRepetida:
            return cual +
                   Rellena(texto("es igual que la pregunta %1.", "és igual que la pregunta %1."),
                           {Numero(Cifra + 1)});
        case TTipo::RespuestaDesconocida:
            return cual + texto("ortografía: ", "ortografia: ") + Detalle;
    }
    return {};
}

std::string TProblemaConjunto::MensajeIngles() const {
    const std::string cifra = Numero(Cifra);
    const std::string cual = "question " + Numero(Pregunta + 1) + ": ";
    switch (Tipo) {
        case TTipo::ConjuntoVacio:
        case TTipo::ClaveIlegible:
            // The program's key notice and the tool's own explanation tell these.
            return {};
        case TTipo::DemasiadasPreguntas:
            return cifra + " questions; the program uses only the first " +
                   Numero(kMaximoPreguntas);
        case TTipo::DemasiadosTemas:
            return cifra + " topics; the program lists only the first " + Numero(kMaximoTemas) +
                   " and never asks questions of the others";
        case TTipo::MarcasImpares:
            return cual + "an odd number of gap marks (\"@\"): " + cifra;
        case TTipo::DemasiadosHuecos:
            return cual + cifra + " gaps; the program shows the first " + Numero(kMaximoHuecos);
        case TTipo::DemasiadasPiezas:
            return cual + cifra + " text pieces; the program shows at most " +
                   Numero(kMaximoPiezas) + " (each line and each piece beside a gap takes one)";
        case TTipo::RegistroLargo:
            return cual + "a record of " + cifra + " bytes; the program reads at most " +
                   Numero(static_cast<int64_t>(kLongitudRegistro));
        case TTipo::CaracterNoGuardable:
            return cual + "the character " + NombraCaracter(static_cast<char32_t>(Cifra)) +
                   (Posicion < 0 ? " in the topic" : " at " + Numero(Posicion + 1)) +
                   " cannot be stored";
        case TTipo::MasCaracteresNoGuardables:
            return cual + cifra + " more characters that cannot be stored";
        case TTipo::SinHuecos:
            return cual + "no gap";
        case TTipo::RespuestaConBlancos:
            return cual + "the gap at " + Numero(Posicion + 1) + " starts or ends with a blank";
        case TTipo::RespuestaLarga:
            return cual + "the gap at " + Numero(Posicion + 1) + " holds " + cifra + " words";
        case TTipo::PreguntaRepetida:
            return cual + "the same text as question " + Numero(Cifra + 1);
        case TTipo::RespuestaDesconocida:
            return cual + "spelling: " + Detalle;
    }
    return {};
}

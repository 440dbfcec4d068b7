#include "core/authoring/gap_rules.h"

#include <algorithm>
#include <array>

#include "core/text/question_text.h"

namespace {

// Unaccented words a learner is most tempted to accent: those that have an accented twin.
constexpr std::array<std::string_view, 44> kTildesDiacriticas = {
    "el",   "tu",     "mi",    "si",    "se",   "te",     "de",   "mas",  "aun", "solo",  "que",
    "como", "cuando", "donde", "quien", "cual", "cuanto", "este", "esta", "ese", "esa",   "o",
    "be",   "deu",    "dona",  "es",    "feu",  "fora",   "mes",  "mon",  "net", "ous",   "pel",
    "sol",  "son",    "ma",    "sec",   "seu",  "sou",    "vos",  "cos",  "nos", "venen", "vens"};

struct TCandidato {
    TTramo Tramo;
    int Rango = 0;  // lower: a likelier mistake
};

// Distractor candidates of one word, lower case, at inicio of the text: places where a
// learner might wrongly put the rule's letters.
class TPalabraRegla {
  public:
    TPalabraRegla(const std::string& palabra, size_t inicio) : p_(palabra), inicio_(inicio) {}

    void Candidatos(TReglaHuecos regla, std::vector<TCandidato>& candidatos) const {
        candidatos_ = &candidatos;
        switch (regla) {
            case TReglaHuecos::Acentos:
                return Acentos();
            case TReglaHuecos::H:
                if (EsVocal(Byte(0)))
                    Candidato(0, 0, 0);
                return;
            case TReglaHuecos::Cedilla:
                for (size_t i = 0; i < p_.size(); ++i)
                    if (Es(i, 'c') && EsEoI(Byte(i + 1)))
                        Candidato(i, 1, 0);
                return;
            case TReglaHuecos::LGeminada:
                for (size_t i = 1; i < p_.size(); ++i)
                    if (Es(i, 'l') && !Es(i + 1, 'l') && !Es(i - 1, 'l') && EsVocal(Byte(i - 1)) &&
                        EsVocal(Byte(i + 1)))
                        Candidato(i, 1, 0);
                return;
            default:
                return;
        }
    }

  private:
    unsigned char Byte(size_t i) const {
        return i < p_.size() ? static_cast<unsigned char>(p_[i]) : 0;
    }
    bool Es(size_t i, char c) const { return i < p_.size() && p_[i] == c; }
    void Candidato(size_t i, size_t n, int rango) const {
        candidatos_->push_back({{inicio_ + i, n}, rango});
    }

    // Only words without an accent come here: an accent gap on one is a distractor.
    void Acentos() const {
        int grupos = 0;
        for (size_t i = 0; i < p_.size(); ++i)
            grupos += EsVocal(Byte(i)) && !(i > 0 && EsVocal(Byte(i - 1)));
        if (grupos == 0)
            return;
        const bool diacritica = std::find(kTildesDiacriticas.begin(), kTildesDiacriticas.end(),
                                          p_) != kTildesDiacriticas.end();
        const unsigned char ultima = Byte(p_.size() - 1);
        const bool llana = grupos >= 2 && (EsVocal(ultima) || ultima == 'n' || ultima == 's');
        if (diacritica)
            Candidato(0, p_.size(), 0);
        else if (llana)
            Candidato(0, p_.size(), 1);
        else if (p_.size() >= 2)
            Candidato(0, p_.size(), 2);
    }

    const std::string& p_;
    size_t inicio_;
    mutable std::vector<TCandidato>* candidatos_ = nullptr;
};

// A capital there starts a sentence rather than a name.
bool InicioDeFrase(std::string_view texto, size_t inicio) {
    constexpr std::string_view kAperturas = " \"'(\xAB\xBF\xA1\x93\x91-\n";
    size_t i = inicio;
    while (i > 0 && kAperturas.find(texto[i - 1]) != std::string_view::npos)
        --i;
    if (i == 0)
        return true;
    constexpr std::string_view kFinales = ".!?:\r";
    return kFinales.find(texto[i - 1]) != std::string_view::npos;
}

bool Solapan(const TTramo& a, const TTramo& b) {
    if (a.Longitud == 0 && b.Longitud == 0)
        return a.Inicio == b.Inicio;
    if (a.Longitud == 0)
        return b.Inicio <= a.Inicio && a.Inicio < b.Fin();
    if (b.Longitud == 0)
        return a.Inicio <= b.Inicio && b.Inicio < a.Fin();
    return a.Inicio < b.Fin() && b.Inicio < a.Fin();
}

}  // namespace

std::vector<TPropuestaHueco> ProponHuecos(std::string_view texto,
                                          const std::vector<TReglaHuecos>& reglas,
                                          int distractores) {
    const std::vector<TTramo> marcadas = PalabrasConMarcas(texto);
    struct TPalabra {
        TTramo Tramo;
        std::string Minusculas;
        bool InicioFrase;
    };
    std::vector<TPalabra> palabras;
    for (const TTramo& tramo : Palabras(texto)) {
        const bool marcada = std::any_of(marcadas.begin(), marcadas.end(), [&](const TTramo& m) {
            return m.Inicio <= tramo.Inicio && tramo.Fin() <= m.Fin();
        });
        if (marcada)
            continue;
        std::string minusculas(texto.substr(tramo.Inicio, tramo.Longitud));
        for (char& c : minusculas)
            c = static_cast<char>(Minuscula(static_cast<unsigned char>(c)));
        palabras.push_back({tramo, std::move(minusculas), InicioDeFrase(texto, tramo.Inicio)});
    }

    std::vector<TPropuestaHueco> propuestas;
    const auto libre = [&propuestas](const TTramo& tramo) {
        return std::none_of(propuestas.begin(), propuestas.end(),
                            [&](const TPropuestaHueco& p) { return Solapan(p.Tramo, tramo); });
    };
    for (const TReglaHuecos regla : reglas) {
        std::vector<TCandidato> candidatos;
        for (const TPalabra& palabra : palabras) {
            const std::string_view escrita =
                texto.substr(palabra.Tramo.Inicio, palabra.Tramo.Longitud);
            const std::vector<TTramo> posiciones =
                PosicionesRegla(regla, escrita, palabra.InicioFrase);
            for (const TTramo& posicion : posiciones) {
                const TTramo hueco{palabra.Tramo.Inicio + posicion.Inicio, posicion.Longitud};
                if (libre(hueco))
                    propuestas.push_back({hueco, regla, false, true});
            }
            if (posiciones.empty() || regla != TReglaHuecos::Acentos)
                TPalabraRegla(palabra.Minusculas, palabra.Tramo.Inicio)
                    .Candidatos(regla, candidatos);
        }
        if (!Descripcion(regla).ConDistractores)
            continue;
        std::stable_sort(
            candidatos.begin(), candidatos.end(),
            [](const TCandidato& a, const TCandidato& b) { return a.Rango < b.Rango; });
        int puestos = 0;
        for (const TCandidato& candidato : candidatos) {
            if (puestos >= distractores)
                break;
            if (!libre(candidato.Tramo))
                continue;
            propuestas.push_back({candidato.Tramo, regla, true, true});
            ++puestos;
        }
    }
    std::sort(propuestas.begin(), propuestas.end(),
              [](const TPropuestaHueco& a, const TPropuestaHueco& b) {
                  return a.Tramo.Inicio != b.Tramo.Inicio ? a.Tramo.Inicio < b.Tramo.Inicio
                                                          : a.Tramo.Longitud < b.Tramo.Longitud;
              });
    return propuestas;
}

uint8_t PonHuecos(const std::vector<TPropuestaHueco>& propuestas, uint8_t modo,
                  const std::function<void(size_t)>& ponMarca) {
    for (auto it = propuestas.rbegin(); it != propuestas.rend(); ++it) {
        if (!it->Marcada)
            continue;
        ponMarca(it->Tramo.Fin());
        ponMarca(it->Tramo.Inicio);
        if (it->Regla == TReglaHuecos::Acentos)
            modo = 1;
    }
    return modo;
}

TPregunta AplicaHuecos(const TPregunta& pregunta, const std::vector<TPropuestaHueco>& propuestas) {
    TPregunta resultado = pregunta;
    resultado.Modo = PonHuecos(propuestas, pregunta.Modo, [&resultado](size_t donde) {
        resultado.Texto.insert(donde, 1, kMarcaHueco);
    });
    return resultado;
}

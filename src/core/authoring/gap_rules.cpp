#include "core/authoring/gap_rules.h"

#include <algorithm>
#include <array>

#include "core/text/question_text.h"

namespace {

const std::vector<TDescripcionRegla> kReglas = {
    {TReglaHuecos::Acentos, "accents", true, true, true},
    {TReglaHuecos::BV, "b/v", true, true, false},
    {TReglaHuecos::H, "h", true, false, true},
    {TReglaHuecos::GJ, "g/j", true, true, false},
    {TReglaHuecos::LlY, "ll/y", true, false, false},
    {TReglaHuecos::CZS, "c/z/s", true, false, false},
    {TReglaHuecos::XCh, "x/ch", true, false, false},
    {TReglaHuecos::Cedilla, "\xC3\xA7", false, true, true},
    {TReglaHuecos::LGeminada, "l\xC2\xB7l", false, true, true},
    {TReglaHuecos::TzTsIgTx, "tz/ts/ig/tx", false, true, false},
    {TReglaHuecos::SSsZC, "s/ss/z/c", false, true, false},
};

// Unaccented words a learner is most tempted to accent: those that have an accented twin.
constexpr std::array<std::string_view, 44> kTildesDiacriticas = {
    "el",   "tu",     "mi",    "si",    "se",   "te",     "de",   "mas",  "aun", "solo",  "que",
    "como", "cuando", "donde", "quien", "cual", "cuanto", "este", "esta", "ese", "esa",   "o",
    "be",   "deu",    "dona",  "es",    "feu",  "fora",   "mes",  "mon",  "net", "ous",   "pel",
    "sol",  "son",    "ma",    "sec",   "seu",  "sou",    "vos",  "cos",  "nos", "venen", "vens"};

bool EsVocal(unsigned char c) {
    constexpr std::string_view kVocales =
        "aeiou\xE0\xE1\xE2\xE3\xE4\xE5\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF2\xF3\xF4\xF5\xF6\xF9\xFA"
        "\xFB\xFC";
    return kVocales.find(static_cast<char>(c)) != std::string_view::npos;
}

bool EsVocalSuave(unsigned char c) {
    constexpr std::string_view kSuaves = "ei\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF";
    return kSuaves.find(static_cast<char>(c)) != std::string_view::npos;
}

bool LlevaAcento(unsigned char c) {
    constexpr std::string_view kAcentuadas = "\xE1\xE9\xED\xF3\xFA\xE0\xE8\xF2\xEF\xFC";
    return kAcentuadas.find(static_cast<char>(c)) != std::string_view::npos;
}

struct TCandidato {
    TTramo Tramo;
    int Rango = 0;  // lower: a likelier mistake
};

// One word, lower case, at inicio of the text: the rule's gaps and its distractor candidates.
class TPalabraRegla {
  public:
    TPalabraRegla(const std::string& palabra, size_t inicio) : p_(palabra), inicio_(inicio) {}

    void Busca(TReglaHuecos regla, std::vector<TTramo>& huecos,
               std::vector<TCandidato>& candidatos) const {
        huecos_ = &huecos;
        candidatos_ = &candidatos;
        switch (regla) {
            case TReglaHuecos::Acentos:
                return Acentos();
            case TReglaHuecos::BV:
                return Letras([this](size_t i) { return Es(i, 'b') || Es(i, 'v'); });
            case TReglaHuecos::H:
                Letras([this](size_t i) { return Es(i, 'h') && !(i > 0 && Es(i - 1, 'c')); });
                if (EsVocal(Byte(0)))
                    Candidato(0, 0, 0);
                return;
            case TReglaHuecos::GJ:
                return Letras(
                    [this](size_t i) { return (Es(i, 'g') && Suave(i + 1)) || Es(i, 'j'); });
            case TReglaHuecos::LlY:
                for (size_t i = 0; i < p_.size(); ++i) {
                    if (Es(i, 'l') && Es(i + 1, 'l'))
                        Hueco(i++, 2);
                    else if (Es(i, 'y') && i + 1 < p_.size() && EsVocal(Byte(i + 1)))
                        Hueco(i, 1);
                }
                return;
            case TReglaHuecos::CZS:
                return Letras([this](size_t i) {
                    return (Es(i, 'c') && Suave(i + 1)) || Es(i, 'z') || Es(i, 's');
                });
            case TReglaHuecos::XCh:
                for (size_t i = 0; i < p_.size(); ++i) {
                    if (Es(i, 'c') && Es(i + 1, 'h'))
                        Hueco(i++, 2);
                    else if (Es(i, 'x'))
                        Hueco(i, 1);
                }
                return;
            case TReglaHuecos::Cedilla:
                for (size_t i = 0; i < p_.size(); ++i) {
                    if (Byte(i) == 0xE7)
                        Hueco(i, 1);
                    else if (Es(i, 'c') && Suave(i + 1))
                        Candidato(i, 1, 0);
                }
                return;
            case TReglaHuecos::LGeminada:
                for (size_t i = 0; i < p_.size(); ++i) {
                    if (Es(i, 'l') && Byte(i + 1) == 0xB7) {
                        Hueco(i, 3);
                        i += 2;
                    } else if (Es(i, 'l') && !Es(i + 1, 'l') && i > 0 && !Es(i - 1, 'l') &&
                               EsVocal(Byte(i - 1)) && EsVocal(Byte(i + 1))) {
                        Candidato(i, 1, 0);
                    }
                }
                return;
            case TReglaHuecos::TzTsIgTx:
                for (size_t i = 0; i + 1 < p_.size(); ++i) {
                    const bool final = i + 2 == p_.size() || (i + 3 == p_.size() && Es(i + 2, 's'));
                    if ((Es(i, 't') && (Es(i + 1, 'z') || Es(i + 1, 's') || Es(i + 1, 'x'))) ||
                        (Es(i, 'i') && Es(i + 1, 'g') && final && i > 0))
                        Hueco(i++, 2);
                }
                return;
            case TReglaHuecos::SSsZC:
                for (size_t i = 0; i < p_.size(); ++i) {
                    if (Es(i, 's') && Es(i + 1, 's'))
                        Hueco(i++, 2);
                    else if (Es(i, 's') || Es(i, 'z') || (Es(i, 'c') && Suave(i + 1)))
                        Hueco(i, 1);
                }
                return;
        }
    }

  private:
    unsigned char Byte(size_t i) const {
        return i < p_.size() ? static_cast<unsigned char>(p_[i]) : 0;
    }
    bool Es(size_t i, char c) const { return i < p_.size() && p_[i] == c; }
    bool Suave(size_t i) const { return EsVocalSuave(Byte(i)); }
    void Hueco(size_t i, size_t n) const { huecos_->push_back({inicio_ + i, n}); }
    void Candidato(size_t i, size_t n, int rango) const {
        candidatos_->push_back({{inicio_ + i, n}, rango});
    }
    template <typename Condicion>
    void Letras(Condicion condicion) const {
        for (size_t i = 0; i < p_.size(); ++i)
            if (condicion(i))
                Hueco(i, 1);
    }

    void Acentos() const {
        if (std::any_of(p_.begin(), p_.end(), [](char c) { return LlevaAcento(c); })) {
            Hueco(0, p_.size());
            return;
        }
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
    mutable std::vector<TTramo>* huecos_ = nullptr;
    mutable std::vector<TCandidato>* candidatos_ = nullptr;
};

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

const std::vector<TDescripcionRegla>& DescripcionesReglas() {
    return kReglas;
}

const TDescripcionRegla& Descripcion(TReglaHuecos regla) {
    return *std::find_if(kReglas.begin(), kReglas.end(),
                         [regla](const TDescripcionRegla& d) { return d.Regla == regla; });
}

std::optional<TReglaHuecos> ReglaDeNombre(std::string_view nombre) {
    for (const TDescripcionRegla& d : kReglas)
        if (nombre == d.Nombre)
            return d.Regla;
    return std::nullopt;
}

std::vector<TPropuestaHueco> ProponHuecos(std::string_view texto,
                                          const std::vector<TReglaHuecos>& reglas,
                                          int distractores) {
    const std::vector<TTramo> marcadas = PalabrasConMarcas(texto);
    std::vector<std::pair<TTramo, std::string>> palabras;
    for (const TTramo& tramo : Palabras(texto)) {
        const bool marcada = std::any_of(marcadas.begin(), marcadas.end(), [&](const TTramo& m) {
            return m.Inicio <= tramo.Inicio && tramo.Fin() <= m.Fin();
        });
        if (marcada)
            continue;
        std::string minusculas(texto.substr(tramo.Inicio, tramo.Longitud));
        for (char& c : minusculas)
            c = static_cast<char>(Minuscula(static_cast<unsigned char>(c)));
        palabras.emplace_back(tramo, std::move(minusculas));
    }

    std::vector<TPropuestaHueco> propuestas;
    const auto libre = [&propuestas](const TTramo& tramo) {
        return std::none_of(propuestas.begin(), propuestas.end(),
                            [&](const TPropuestaHueco& p) { return Solapan(p.Tramo, tramo); });
    };
    for (const TReglaHuecos regla : reglas) {
        std::vector<TTramo> huecos;
        std::vector<TCandidato> candidatos;
        for (const auto& [tramo, minusculas] : palabras)
            TPalabraRegla(minusculas, tramo.Inicio).Busca(regla, huecos, candidatos);
        for (const TTramo& hueco : huecos)
            if (libre(hueco))
                propuestas.push_back({hueco, regla, false, true});
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

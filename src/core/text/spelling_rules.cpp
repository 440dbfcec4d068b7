#include "core/text/spelling_rules.h"

#include <algorithm>
#include <string>

#include "core/base/folding.h"

namespace {

const std::vector<TDescripcionRegla> kReglas = {
    {TReglaHuecos::Acentos, "accents", true, true, true},
    {TReglaHuecos::BV, "b/v", true, true, false},
    {TReglaHuecos::H, "h", true, true, true},
    {TReglaHuecos::GJ, "g/j", true, true, false},
    {TReglaHuecos::LlY, "ll/y", true, false, false},
    {TReglaHuecos::CZS, "c/z/s", true, false, false},
    {TReglaHuecos::XCh, "x/ch", true, true, false},
    {TReglaHuecos::Cedilla, "\xC3\xA7", false, true, true},
    {TReglaHuecos::LGeminada, "l\xC2\xB7l", false, true, true},
    {TReglaHuecos::TzTsIgTx, "tz/ts/ig/tx", false, true, false},
    {TReglaHuecos::SSsZC, "s/ss/z/c", false, true, false},
};

using R = TReglaHuecos;
using A = TAntes;
using D = TDespues;
constexpr bool C = true;  // the row holds in Castellano, in Valenciano
constexpr bool V = true;
constexpr bool N = false;

// A plural "-s" or "-ts", an "s" before a consonant and a "b" after "m" are left out: grammar
// or the neighbouring letter fixes them, so the learner has no choice to make there.
const std::vector<TFilaRegla> kFilas = {
    {R::Acentos, "\xE1\xE9\xED\xF3\xFA\xE0\xE8\xF2\xEF\xFC", A::Cualquiera, D::Cualquiera, {}, C,
     V, "@canción@ @pingüino@ @Ítaca@", "@càrrec@ @veïna@ @així@", "cancion casa", "casa"},
    {R::BV, "b", A::NoTrasM, D::Vocal, {"v"}, C, V, "@b@e@b@er", "@b@eure a@b@ans",
     "hombre blanco obtener", "ambient blau"},
    {R::BV, "v", A::Cualquiera, D::Vocal, {"b"}, C, V, "@v@aso in@v@ierno", "@v@aca a@v@ui", "",
     ""},
    {R::H, "h", A::NoTrasC, D::Vocal, {""}, C, V, "@h@ola a@h@ora des@h@acer", "@h@ome a@h@ir",
     "chico", ""},
    {R::GJ, "g", A::Cualquiera, D::EoI, {"j"}, C, V, "@g@ente", "@g@ent met@g@e", "gato guerra",
     "gat"},
    {R::GJ, "j", A::Cualquiera, D::EoI, {"g"}, C, V, "@j@efe", "@j@ersei", "jugar", "jove"},
    {R::LlY, "ll", A::Cualquiera, D::Vocal, {"y"}, C, N, "ca@ll@e @ll@ueve", "", "", ""},
    {R::LlY, "y", A::Cualquiera, D::Vocal, {"ll"}, C, N, "ma@y@o @y@a", "", "hoy y rey", ""},
    {R::CZS, "c", A::Cualquiera, D::EoI, {"z", "s"}, C, N, "@c@ena na@c@i", "", "coche", ""},
    {R::CZS, "z", A::Cualquiera, D::Cualquiera, {"c", "s"}, C, N, "@z@apato lu@z@", "", "", ""},
    {R::CZS, "s", A::Cualquiera, D::Vocal, {"c", "z"}, C, N, "ca@s@a @s@ol", "",
     "ca@s@as este mes", ""},
    {R::XCh, "ch", A::Cualquiera, D::Cualquiera, {"x"}, C, N, "@ch@ico", "", "", ""},
    {R::XCh, "x", A::NoTrasT, D::Cualquiera, {"ch", "s"}, C, V, "e@x@amen", "@x@iquet cai@x@a", "",
     "cotxe"},
    {R::Cedilla, "\xE7", A::Cualquiera, D::Cualquiera, {"c", "s", "ss"}, N, V, "",
     "for@ç@a bra@ç@", "", "cel"},
    {R::LGeminada, "l\xB7l", A::Cualquiera, D::Cualquiera, {"l", "ll"}, N, V, "",
     "co@l·l@egi i@l·l@usió", "", "vela"},
    {R::TzTsIgTx, "tz", A::Cualquiera, D::Vocal, {"ts", "z"}, N, V, "", "do@tz@e", "", ""},
    {R::TzTsIgTx, "ts", A::Cualquiera, D::Vocal, {"tz"}, N, V, "", "po@ts@er", "",
     "xiquets fets"},
    {R::TzTsIgTx, "tx", A::Cualquiera, D::Cualquiera, {"ig", "x", "ch"}, N, V, "",
     "co@tx@e despa@tx@", "", ""},
    {R::TzTsIgTx, "ig", A::TrasLetra, D::FinOS, {"tx", "ch"}, N, V, "", "ro@ig@ passe@ig@s", "",
     "igual"},
    {R::SSsZC, "ss", A::TrasVocal, D::Vocal, {"s", "\xE7", "c"}, N, V, "", "pa@ss@ar", "", ""},
    {R::SSsZC, "s", A::Cualquiera, D::Vocal, {"ss", "z", "c", "\xE7"}, N, V, "", "ca@s@a @s@ol",
     "", "ca@s@es escola més"},
    {R::SSsZC, "z", A::Cualquiera, D::Cualquiera, {"s", "ss"}, N, V, "", "@z@ero", "", ""},
    {R::SSsZC, "c", A::Cualquiera, D::EoI, {"s", "ss", "\xE7"}, N, V, "", "@c@el pa@c@ièn@c@ia", "",
     ""},
};

std::string MinusculasDe(std::string_view palabra) {
    std::string minusculas(palabra);
    for (char& c : minusculas)
        c = static_cast<char>(Minuscula(static_cast<unsigned char>(c)));
    return minusculas;
}

// Lower case without accents: what is left once an accent mistake is set aside.
std::string Plana(std::string_view palabra) {
    return MinusculasDe(QuitaAcentos(palabra));
}

bool Encaja(const TFilaRegla& fila, const std::string& p, size_t i) {
    const std::string_view letras = fila.Letras;
    if (std::string_view(p).substr(i, letras.size()) != letras)
        return false;
    const auto byte = [&p](size_t k) { return k < p.size() ? static_cast<unsigned char>(p[k]) : 0; };
    const unsigned char antes = i > 0 ? byte(i - 1) : 0;
    const size_t fin = i + letras.size();
    bool antesVale = true;
    switch (fila.Antes) {
        case A::Cualquiera:
            break;
        case A::NoTrasM:
            antesVale = antes != 'm';
            break;
        case A::NoTrasC:
            antesVale = antes != 'c';
            break;
        case A::NoTrasT:
            antesVale = antes != 't';
            break;
        case A::TrasVocal:
            antesVale = EsVocal(antes);
            break;
        case A::TrasLetra:
            antesVale = i > 0;
            break;
    }
    switch (fila.Despues) {
        case D::Cualquiera:
            return antesVale;
        case D::Vocal:
            return antesVale && EsVocal(byte(fin));
        case D::EoI:
            return antesVale && EsEoI(byte(fin));
        case D::FinOS:
            return antesVale && (fin == p.size() || (fin + 1 == p.size() && p[fin] == 's'));
    }
    return false;
}

bool Solapa(const std::vector<TTramo>& tramos, const TTramo& t) {
    return std::any_of(tramos.begin(), tramos.end(), [&t](const TTramo& o) {
        return o.Inicio < t.Fin() && t.Inicio < o.Fin();
    });
}

bool DeLengua(const TFilaRegla& fila, std::optional<TIdioma> lengua) {
    return !lengua || (*lengua == TIdioma::Castellano ? fila.Castellano : fila.Valenciano);
}

// A row whose letters in desde, written another of its ways once, give hasta; longer letters
// first, so that "tz" written "ts" is not taken for a "z" written "s".
std::optional<TReglaHuecos> ReglaDelCambio(const std::string& desde, const std::string& hasta,
                                           std::optional<TIdioma> lengua) {
    std::vector<const TFilaRegla*> filas;
    for (const TFilaRegla& fila : kFilas)
        if (fila.Regla != R::Acentos && DeLengua(fila, lengua))
            filas.push_back(&fila);
    std::stable_sort(filas.begin(), filas.end(), [](const TFilaRegla* a, const TFilaRegla* b) {
        return std::string_view(a->Letras).size() > std::string_view(b->Letras).size();
    });
    for (const TFilaRegla* fila : filas) {
        const std::string_view letras = fila->Letras;
        for (size_t i = desde.find(letras); i != std::string::npos;
             i = desde.find(letras, i + 1)) {
            for (const char* otra : fila->Otras)
                if (desde.substr(0, i) + otra + desde.substr(i + letras.size()) == hasta)
                    return fila->Regla;
        }
    }
    return std::nullopt;
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

const std::vector<TFilaRegla>& FilasReglas() {
    return kFilas;
}

std::vector<TTramo> PosicionesRegla(TReglaHuecos regla, std::string_view palabra,
                                    bool inicioFrase) {
    const std::string p = MinusculasDe(palabra);
    std::vector<TTramo> posiciones;
    if (regla == R::Acentos) {
        const std::string_view acentuadas = kFilas.front().Letras;
        if (p.find_first_of(acentuadas) != std::string::npos)
            posiciones.push_back({0, p.size()});
        return posiciones;
    }
    for (const TFilaRegla& fila : kFilas) {
        if (fila.Regla != regla)
            continue;
        for (size_t i = 0; i < p.size(); ++i) {
            const TTramo tramo{i, std::string_view(fila.Letras).size()};
            const bool mayuscula = static_cast<unsigned char>(palabra[i]) != Minuscula(palabra[i]);
            if (Encaja(fila, p, i) && !(mayuscula && !inicioFrase) && !Solapa(posiciones, tramo))
                posiciones.push_back(tramo);
        }
    }
    std::sort(posiciones.begin(), posiciones.end(),
              [](const TTramo& a, const TTramo& b) { return a.Inicio < b.Inicio; });
    return posiciones;
}

std::optional<TReglaHuecos> ReglaDelError(std::string_view respuesta, std::string_view entrada,
                                          std::optional<TIdioma> lengua) {
    if (Mayusculas(respuesta) == Mayusculas(entrada))
        return std::nullopt;
    const std::string a = Plana(respuesta);
    const std::string e = Plana(entrada);
    if (a == e)
        return R::Acentos;
    if (const auto regla = ReglaDelCambio(a, e, lengua))
        return regla;
    return ReglaDelCambio(e, a, lengua);
}

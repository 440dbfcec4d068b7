#include "core/authoring/worksheet.h"

#include <algorithm>
#include <map>

#include "core/text/question_text.h"

namespace {

using TTipo = TPiezaHoja::TTipo;

// Room between the number and the text, and before each question and topic.
constexpr double kSangria = 22;
constexpr double kPuntosPorMilimetro = 72 / 25.4;
constexpr double kEntrePreguntas = 10;
constexpr double kAntesDeTema = 14;
// The shortest piece of a gap's line at a line's end; a shorter one starts on the next line.
constexpr double kTramoMinimo = 12;

// One word of the flowing text: pieces with no blank between them.
struct TParte {
    bool Hueco = false;
    std::string Texto;  // the text, or the gap's pre-fill
    double Ancho = 0;
    bool NumeroHueco = false;  // the small number before a gap
};
struct TPalabra {
    std::vector<TParte> Partes;
    double Ancho = 0;
    int BlancosDetras = 0;
    bool Parrafo = false;  // a paragraph break, no word
};

// The pieces of one block (a question or an answer) laid out in lines from y = 0, before they
// find their page.
struct TLineas {
    std::vector<std::vector<TPiezaHoja>> Lineas;
    std::vector<double> Altos;
};

class TMaquetador {
  public:
    TMaquetador(const TOpcionesHoja& opciones, const TMedidasHoja& medidas)
        : opciones_(opciones), medidas_(medidas) {
        paginas_.emplace_back();
        y_ = medidas_.Margen;
    }

    void Cabecera() {
        Titulo(opciones_.Titulo);
        y_ += 6;
        // The pupil's name and the date, each on a line to write on.
        const std::string nombre = Elige<std::string>(opciones_.Idioma, "Nombre:", "Nom:");
        const std::string fecha = Elige<std::string>(opciones_.Idioma, "Fecha:", "Data:");
        const double derecha = medidas_.Ancho - medidas_.Margen;
        const double xFecha = derecha - 150;
        const double anchoNombre = Ancho(nombre + " ", TEstiloHoja::Texto);
        const double anchoFecha = Ancho(fecha + " ", TEstiloHoja::Texto);
        const double base = medidas_.Base(TEstiloHoja::Texto);
        Linea(TEstiloHoja::Texto,
              {{TTipo::Texto, medidas_.Margen, 0, 0, nombre, TEstiloHoja::Texto},
               {TTipo::Raya, medidas_.Margen + anchoNombre, base + 2,
                xFecha - 20 - medidas_.Margen - anchoNombre, "", TEstiloHoja::Texto},
               {TTipo::Texto, xFecha, 0, 0, fecha, TEstiloHoja::Texto},
               {TTipo::Raya, xFecha + anchoFecha, base + 2, derecha - xFecha - anchoFecha, "",
                TEstiloHoja::Texto}});
        y_ += 10;
    }

    void Preguntas(const std::vector<TPregunta>& preguntas) {
        // Topics in the order they first come, each with its questions in set order.
        std::vector<std::string> temas;
        std::map<std::string, std::vector<size_t>> deTema;
        for (size_t i = 0; i < preguntas.size(); ++i) {
            if (!deTema.contains(preguntas[i].Tema))
                temas.push_back(preguntas[i].Tema);
            deTema[preguntas[i].Tema].push_back(i);
        }
        int numero = 0;
        for (const std::string& tema : temas) {
            bool primera = true;
            for (const size_t i : deTema[tema]) {
                TLineas bloque = Pregunta(preguntas[i], ++numero);
                if (primera && !tema.empty()) {
                    // The topic's heading stays with its first question.
                    const double alto = medidas_.AltoLinea(TEstiloHoja::Tema);
                    const std::vector<std::string> renglones = Renglones(tema, TEstiloHoja::Tema);
                    for (size_t r = renglones.size(); r-- > 0;) {
                        const double antes = r == 0 ? kAntesDeTema : 0;
                        bloque.Lineas.insert(bloque.Lineas.begin(),
                                             {{TTipo::Texto, medidas_.Margen,
                                               medidas_.Base(TEstiloHoja::Tema) + antes, 0,
                                               renglones[r], TEstiloHoja::Tema}});
                        bloque.Altos.insert(bloque.Altos.begin(), alto + antes);
                    }
                }
                primera = false;
                ColocaBloque(bloque, kEntrePreguntas);
            }
        }
        preguntas_ = preguntas;
    }

    void Respuestas() {
        paginas_.emplace_back();
        y_ = medidas_.Margen;
        Titulo(opciones_.Titulo + " \x97 " +
               Elige<std::string>(opciones_.Idioma, "Soluciones", "Solucions"));
        y_ += 6;
        int numero = 0;
        const std::string vacia = Elige<std::string>(opciones_.Idioma, "(en blanco)", "(en blanc)");
        for (const TPregunta& pregunta : Agrupadas()) {
            std::vector<TPalabra> palabras;
            const std::vector<TPiezaTexto> huecos = Huecos(pregunta);
            // The separator ends an answer, so that no line of the key starts with one.
            for (size_t i = 0; i < huecos.size(); ++i) {
                TPalabra palabra = Palabra(NumeroHueco(static_cast<int>(i) + 1) + " " +
                                           (huecos[i].Texto.empty() ? vacia : huecos[i].Texto) +
                                           (i + 1 < huecos.size() ? ";" : ""));
                palabra.BlancosDetras = 1;
                palabras.push_back(palabra);
            }
            ColocaBloque(Fluye(palabras, ++numero, TEstiloHoja::Respuesta), 2);
        }
    }

    std::vector<TPaginaHoja> Termina() {
        // Page numbers at the foot, once the count is known.
        const std::string de = Elige<std::string>(opciones_.Idioma, " de ", " de ");
        const std::string pagina = Elige<std::string>(opciones_.Idioma, "P\xE1gina ", "P\xE0gina ");
        for (size_t i = 0; i < paginas_.size(); ++i) {
            const std::string pie =
                pagina + std::to_string(i + 1) + de + std::to_string(paginas_.size());
            paginas_[i].Piezas.push_back(
                {TTipo::Texto, medidas_.Ancho - medidas_.Margen - Ancho(pie, TEstiloHoja::Pie),
                 medidas_.Alto - medidas_.Margen / 2, 0, pie, TEstiloHoja::Pie});
        }
        return paginas_;
    }

  private:
    double Ancho(const std::string& texto, TEstiloHoja estilo) const {
        return medidas_.AnchoTexto(texto, estilo);
    }
    double Fondo() const { return medidas_.Alto - medidas_.Margen; }

    // The questions in the order the sheet numbers them.
    std::vector<TPregunta> Agrupadas() const {
        std::vector<std::string> temas;
        for (const TPregunta& p : preguntas_)
            if (std::find(temas.begin(), temas.end(), p.Tema) == temas.end())
                temas.push_back(p.Tema);
        std::vector<TPregunta> agrupadas;
        for (const std::string& tema : temas)
            for (const TPregunta& p : preguntas_)
                if (p.Tema == tema)
                    agrupadas.push_back(p);
        return agrupadas;
    }

    void Titulo(const std::string& titulo) {
        for (std::string& renglon : Renglones(titulo, TEstiloHoja::Titulo))
            Linea(TEstiloHoja::Titulo,
                  {{TTipo::Texto, medidas_.Margen, 0, 0, std::move(renglon), TEstiloHoja::Titulo}});
    }

    // A heading in lines from margin to margin: broken at blanks, and a word wider than that
    // at the margin, a hyphen saying so.
    std::vector<std::string> Renglones(std::string_view texto, TEstiloHoja estilo) const {
        const double ancho = medidas_.Ancho - 2 * medidas_.Margen;
        std::vector<std::string> renglones;
        while (renglones.empty() || !texto.empty()) {
            const size_t caben = Caben(texto, ancho, estilo);
            size_t corte = texto.size();
            std::string guion;
            if (caben < texto.size()) {
                corte = texto.rfind(' ', caben);
                if (corte == std::string_view::npos || corte == 0) {
                    corte = std::min(Caben(texto, ancho - Ancho("-", estilo), estilo),
                                     texto.size() - 1);
                    guion = "-";
                }
            }
            renglones.push_back(std::string(texto.substr(0, corte)) + guion);
            texto.remove_prefix(corte);
            if (guion.empty() && !texto.empty())
                texto.remove_prefix(1);
        }
        return renglones;
    }

    // A line of pieces whose Y is relative to the line's top; Texto pieces get the baseline.
    void Linea(TEstiloHoja estilo, std::vector<TPiezaHoja> piezas) {
        const double alto = medidas_.AltoLinea(estilo);
        if (y_ + alto > Fondo()) {
            paginas_.emplace_back();
            y_ = medidas_.Margen;
        }
        for (TPiezaHoja& pieza : piezas) {
            pieza.Y += y_ + (pieza.Tipo == TTipo::Texto ? medidas_.Base(pieza.Estilo) : 0);
            paginas_.back().Piezas.push_back(std::move(pieza));
        }
        y_ += alto;
    }

    TPalabra Palabra(const std::string& texto) const {
        TPalabra palabra;
        palabra.Partes.push_back({false, texto, Ancho(texto, TEstiloHoja::Respuesta)});
        palabra.Ancho = palabra.Partes.back().Ancho;
        return palabra;
    }

    // The gaps of a question as the program shows them, in order.
    static std::vector<TPiezaTexto> Huecos(const TPregunta& pregunta) {
        std::vector<TPiezaTexto> huecos = PiezasDeTexto(pregunta);
        std::erase_if(huecos,
                      [](const TPiezaTexto& p) { return p.Tipo != TPiezaTexto::TTipo::Hueco; });
        return huecos;
    }

    // A gap's line has a hand-written letter's room for each of the program's gap letters, one
    // at least, and never lets its pre-fill overflow.
    double AnchoHueco(const TPiezaTexto& hueco) const {
        const double anchoLetra = opciones_.MilimetrosPorLetra * kPuntosPorMilimetro;
        return std::max(static_cast<double>(std::max(hueco.Ancho, 1)) * anchoLetra,
                        Ancho(hueco.Relleno, TEstiloHoja::Texto) + 4);
    }

    // Gaps are numbered within their question on the sheet and in the key alike.
    static std::string NumeroHueco(int n) { return "(" + std::to_string(n) + ")"; }

    TLineas Pregunta(const TPregunta& pregunta, int numero) const {
        std::vector<TPalabra> palabras(1);
        int huecos = 0;
        const auto cierraPalabra = [&](int blancos) {
            palabras.back().BlancosDetras = blancos;
            palabras.emplace_back();
        };
        for (const TPiezaTexto& trozo : PiezasDeTexto(pregunta)) {
            if (trozo.Tipo == TPiezaTexto::TTipo::Parrafo) {
                palabras.emplace_back().Parrafo = true;
                palabras.emplace_back();
                continue;
            }
            if (trozo.Tipo == TPiezaTexto::TTipo::Hueco) {
                const std::string numeroHueco = NumeroHueco(++huecos);
                const double anchoNumero = Ancho(numeroHueco, TEstiloHoja::Pie) + 1;
                palabras.back().Partes.push_back({false, numeroHueco, anchoNumero, true});
                const double ancho = AnchoHueco(trozo);
                palabras.back().Partes.push_back({true, trozo.Relleno, ancho});
                palabras.back().Ancho += anchoNumero + ancho;
                continue;
            }
            for (size_t i = 0; i < trozo.Texto.size();) {
                if (trozo.Texto[i] == ' ') {
                    size_t fin = trozo.Texto.find_first_not_of(' ', i);
                    fin = fin == std::string::npos ? trozo.Texto.size() : fin;
                    cierraPalabra(static_cast<int>(fin - i));
                    i = fin;
                    continue;
                }
                size_t fin = trozo.Texto.find(' ', i);
                fin = fin == std::string::npos ? trozo.Texto.size() : fin;
                const std::string parte = trozo.Texto.substr(i, fin - i);
                const double ancho = Ancho(parte, TEstiloHoja::Texto);
                palabras.back().Partes.push_back({false, parte, ancho});
                palabras.back().Ancho += ancho;
                i = fin;
            }
        }
        return Fluye(palabras, numero, TEstiloHoja::Texto);
    }

    // How many bytes of texto fit in ancho; at least one, so that every line takes some.
    size_t Caben(std::string_view texto, double ancho, TEstiloHoja estilo) const {
        // Widths nearly add up: the sum finds the length, the measure of the whole confirms it.
        size_t n = 0;
        for (double suma = 0; n < texto.size(); ++n) {
            suma += medidas_.AnchoTexto(texto.substr(n, 1), estilo);
            if (suma > ancho)
                break;
        }
        while (n > 1 && medidas_.AnchoTexto(texto.substr(0, n), estilo) > ancho)
            --n;
        return std::max<size_t>(n, 1);
    }

    // The words in lines after the question's number. A word wider than the column starts a
    // line and breaks at the margin, a hyphen saying so; a gap goes on in the next line.
    TLineas Fluye(const std::vector<TPalabra>& palabras, int numero, TEstiloHoja estilo) const {
        TLineas lineas;
        const double izquierda = medidas_.Margen + kSangria;
        const double derecha = medidas_.Ancho - medidas_.Margen;
        const double alto = medidas_.AltoLinea(estilo);
        const double base = medidas_.Base(estilo);
        const double blanco = Ancho(" ", estilo);
        const double guion = Ancho("-", estilo);
        lineas.Lineas.push_back({{TTipo::Texto, medidas_.Margen, base, 0,
                                  std::to_string(numero) + ".", TEstiloHoja::Numero}});
        lineas.Altos.push_back(alto);
        double x = izquierda;
        const auto nuevaLinea = [&] {
            lineas.Lineas.emplace_back();
            lineas.Altos.push_back(alto);
            x = izquierda;
        };
        const auto texto = [&](std::string pieza, TEstiloHoja suyo) {
            if (!pieza.empty())
                lineas.Lineas.back().push_back({TTipo::Texto, x, base, 0, std::move(pieza), suyo});
        };
        for (const TPalabra& palabra : palabras) {
            if (palabra.Parrafo) {
                nuevaLinea();
                continue;
            }
            if (x > izquierda && x + palabra.Ancho > derecha)
                nuevaLinea();
            for (const TParte& parte : palabra.Partes) {
                if (parte.Hueco) {
                    std::string_view relleno = parte.Texto;
                    for (double falta = parte.Ancho; falta > 0;) {
                        if (x > izquierda && derecha - x < kTramoMinimo)
                            nuevaLinea();
                        const double tramo = std::min(falta, derecha - x);
                        lineas.Lineas.back().push_back(
                            {TTipo::Raya, x, base + 2, tramo, "", TEstiloHoja::Texto});
                        const double dentro = tramo - 4;
                        const size_t n =
                            relleno.empty() || dentro <= 0
                                ? 0
                                : std::min(relleno.size(), tramo < falta
                                                               ? Caben(relleno, dentro, estilo)
                                                               : relleno.size());
                        x += 2;
                        texto(std::string(relleno.substr(0, n)), estilo);
                        relleno.remove_prefix(n);
                        x += tramo - 2;
                        falta -= tramo;
                    }
                    continue;
                }
                // A gap's number is printed small beside it.
                const TEstiloHoja suyo = parte.NumeroHueco ? TEstiloHoja::Pie : estilo;
                std::string_view resto = parte.Texto;
                double ancho = parte.Ancho;
                while (x + ancho > derecha && resto.size() > 1) {
                    if (x > izquierda &&
                        derecha - x < guion + Ancho(std::string(1, resto[0]), estilo)) {
                        nuevaLinea();
                        continue;
                    }
                    const size_t n =
                        std::min(Caben(resto, derecha - x - guion, estilo), resto.size() - 1);
                    texto(std::string(resto.substr(0, n)) + "-", suyo);
                    resto.remove_prefix(n);
                    nuevaLinea();
                    ancho = medidas_.AnchoTexto(resto, estilo);
                }
                if (x > izquierda && x + ancho > derecha)
                    nuevaLinea();
                texto(std::string(resto), suyo);
                x += ancho;
            }
            x += blanco * palabra.BlancosDetras;
        }
        return lineas;
    }

    // The block on the current page when it fits, else on the next; a block longer than a page
    // runs on line by line.
    void ColocaBloque(const TLineas& bloque, double antes) {
        double alto = antes;
        for (const double a : bloque.Altos)
            alto += a;
        const double pagina = Fondo() - medidas_.Margen;
        if (y_ + alto > Fondo() && alto <= pagina) {
            paginas_.emplace_back();
            y_ = medidas_.Margen;
        } else {
            y_ += antes;
        }
        for (size_t i = 0; i < bloque.Lineas.size(); ++i) {
            if (y_ + bloque.Altos[i] > Fondo()) {
                paginas_.emplace_back();
                y_ = medidas_.Margen;
            }
            for (TPiezaHoja pieza : bloque.Lineas[i]) {
                pieza.Y += y_;
                paginas_.back().Piezas.push_back(std::move(pieza));
            }
            y_ += bloque.Altos[i];
        }
    }

    const TOpcionesHoja& opciones_;
    const TMedidasHoja& medidas_;
    std::vector<TPaginaHoja> paginas_;
    std::vector<TPregunta> preguntas_;
    double y_ = 0;
};

}  // namespace

std::vector<TPaginaHoja> PlanificaHoja(const std::vector<TPregunta>& preguntas,
                                       const TOpcionesHoja& opciones, const TMedidasHoja& medidas) {
    TMaquetador maquetador(opciones, medidas);
    maquetador.Cabecera();
    maquetador.Preguntas(preguntas);
    if (opciones.ConRespuestas)
        maquetador.Respuestas();
    return maquetador.Termina();
}

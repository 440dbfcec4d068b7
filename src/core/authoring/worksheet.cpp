#include "core/authoring/worksheet.h"

#include <algorithm>
#include <map>

#include "core/text/question_text.h"

namespace {

using TTipo = TPiezaHoja::TTipo;

// Room between the number and the text, and before each question and topic.
constexpr double kSangria = 22;
// A gap's room per character of its answer, in widths of an "n": enough to write by hand.
constexpr double kLetrasHueco = 1.5;
constexpr double kEntrePreguntas = 10;
constexpr double kAntesDeTema = 14;

// One word of the flowing text: pieces with no blank between them.
struct TParte {
    bool Hueco = false;
    std::string Texto;  // the text, or the gap's pre-fill
    double Ancho = 0;
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
        Linea(TEstiloHoja::Titulo,
              {{TTipo::Texto, medidas_.Margen, 0, 0, opciones_.Titulo, TEstiloHoja::Titulo}});
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
                    bloque.Lineas.insert(bloque.Lineas.begin(), {{TTipo::Texto, medidas_.Margen,
                                                                  medidas_.Base(TEstiloHoja::Tema),
                                                                  0, tema, TEstiloHoja::Tema}});
                    bloque.Altos.insert(bloque.Altos.begin(), alto + kAntesDeTema);
                    for (TPiezaHoja& pieza : bloque.Lineas.front())
                        pieza.Y += kAntesDeTema;
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
        Linea(TEstiloHoja::Titulo,
              {{TTipo::Texto, medidas_.Margen, 0, 0,
                opciones_.Titulo + " \x97 " +
                    Elige<std::string>(opciones_.Idioma, "Soluciones", "Solucions"),
                TEstiloHoja::Titulo}});
        y_ += 6;
        int numero = 0;
        for (const TPregunta& pregunta : Agrupadas()) {
            std::vector<TPalabra> palabras;
            bool primera = true;
            for (const TPiezaTexto& hueco : Huecos(pregunta)) {
                const std::string vacia =
                    Elige<std::string>(opciones_.Idioma, "(en blanco)", "(en blanc)");
                TPalabra palabra =
                    Palabra((primera ? "" : "; ") + (hueco.Texto.empty() ? vacia : hueco.Texto));
                palabras.push_back(palabra);
                primera = false;
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
        std::erase_if(huecos, [](const TPiezaTexto& p) { return p.Tipo != TPiezaTexto::TTipo::Hueco; });
        return huecos;
    }

    // A gap's line is as wide as the program's gap, in letters written by hand, and never so
    // narrow that there is nothing to write on or that its pre-fill overflows it.
    double AnchoHueco(const TPiezaTexto& hueco) const {
        const double anchoLetra = kLetrasHueco * Ancho("n", TEstiloHoja::Texto);
        return std::max(static_cast<double>(std::max(hueco.Ancho, 1)) * anchoLetra,
                        Ancho(hueco.Relleno, TEstiloHoja::Texto) + 4);
    }

    TLineas Pregunta(const TPregunta& pregunta, int numero) const {
        std::vector<TPalabra> palabras(1);
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
                const double ancho = AnchoHueco(trozo);
                palabras.back().Partes.push_back({true, trozo.Relleno, ancho});
                palabras.back().Ancho += ancho;
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

    // The words in lines after the question's number; a word wider than the column stands alone.
    TLineas Fluye(const std::vector<TPalabra>& palabras, int numero, TEstiloHoja estilo) const {
        TLineas lineas;
        const double izquierda = medidas_.Margen + kSangria;
        const double derecha = medidas_.Ancho - medidas_.Margen;
        const double alto = medidas_.AltoLinea(estilo);
        const double base = medidas_.Base(estilo);
        const double blanco = Ancho(" ", estilo);
        lineas.Lineas.push_back({{TTipo::Texto, medidas_.Margen, base, 0,
                                  std::to_string(numero) + ".", TEstiloHoja::Numero}});
        lineas.Altos.push_back(alto);
        double x = izquierda;
        const auto nuevaLinea = [&] {
            lineas.Lineas.emplace_back();
            lineas.Altos.push_back(alto);
            x = izquierda;
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
                    lineas.Lineas.back().push_back(
                        {TTipo::Raya, x, base + 2, parte.Ancho, "", TEstiloHoja::Texto});
                    if (!parte.Texto.empty())
                        lineas.Lineas.back().push_back(
                            {TTipo::Texto, x + 2, base, 0, parte.Texto, estilo});
                } else if (!parte.Texto.empty()) {
                    lineas.Lineas.back().push_back({TTipo::Texto, x, base, 0, parte.Texto, estilo});
                }
                x += parte.Ancho;
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

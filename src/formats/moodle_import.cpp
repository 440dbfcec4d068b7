#include "moodle_import.h"

#include <QFile>
#include <QXmlStreamReader>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/authoring/source_format.h"
#include "core/base/io_error.h"
#include "core/base/win1252.h"
#include "core/text/text_pieces.h"
#include "html_entities.h"
#include "moodle_cloze.h"
#include "moodle_export.h"

namespace {

using TTipoNota = TNotaImportacion::TTipo;

// Deeper nesting than any quiz file holds is refused rather than followed.
constexpr int kProfundidadMaxima = 64;

// An answer worth most marks, the first of equals; none while no answer is worth any.
template <class T>
struct TMejorRespuesta {
    std::optional<T> Mejor;
    double Fraccion = 0;
    int64_t Cuantas = 0;

    void Anade(double fraccion, T respuesta) {
        ++Cuantas;
        if (fraccion > 0 && (!Mejor || fraccion > Fraccion)) {
            Mejor = std::move(respuesta);
            Fraccion = fraccion;
        }
    }
};

// What the import takes of a <question>, the first of each element as Moodle reads it; the
// rest is read past and kept nowhere, so memory stays with what is used.
struct TPreguntaLeida {
    std::string Tipo;
    std::string Nombre;
    std::string Formato;  // the question text's
    std::string Enunciado;
    std::string Categoria;
    bool Mayusculas = false;
    TMejorRespuesta<std::string> Respuestas;  // a short answer's
    std::vector<std::string> Etiquetas;       // Tildora's own tags only
};

void CompruebaProfundidad(QXmlStreamReader& xml, int profundidad) {
    if (profundidad > kProfundidadMaxima)
        xml.raiseError(QStringLiteral("elements nested deeper than %1").arg(kProfundidadMaxima));
}

// What of an element is read to its end: nothing, its own text, or that and its first <text>
// child's own text.
enum class TLectura { Nada, Propio, ConTexto };
struct TTextos {
    QString Propio;
    std::optional<QString> DeTexto;
};

TTextos LeeTextos(QXmlStreamReader& xml, int profundidad, TLectura lectura) {
    TTextos textos;
    CompruebaProfundidad(xml, profundidad);
    while (!xml.atEnd() && !xml.hasError()) {
        switch (xml.readNext()) {
            case QXmlStreamReader::StartElement:
                if (lectura == TLectura::ConTexto && !textos.DeTexto &&
                    xml.name() == QLatin1String("text"))
                    textos.DeTexto = LeeTextos(xml, profundidad + 1, TLectura::Propio).Propio;
                else
                    LeeTextos(xml, profundidad + 1, TLectura::Nada);
                break;
            case QXmlStreamReader::Characters:
                if (lectura != TLectura::Nada)
                    textos.Propio += xml.text();
                break;
            case QXmlStreamReader::EndElement:
                return textos;
            default:
                break;
        }
    }
    return textos;
}

std::string Recortado(const std::optional<QString>& texto) {
    return texto ? RecortaComoMoodle(texto->toStdString()) : std::string();
}

// Keeps the tags Tildora wrote, and no other, so a file of many tags costs nothing.
void LeeEtiquetas(QXmlStreamReader& xml, std::vector<std::string>& etiquetas) {
    while (!xml.atEnd() && !xml.hasError()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement)
            return;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const bool etiqueta = xml.name() == QLatin1String("tag");
        const std::string texto =
            Recortado(LeeTextos(xml, 2, etiqueta ? TLectura::ConTexto : TLectura::Nada).DeTexto);
        if (etiqueta && texto.starts_with("tildora-"))
            etiquetas.push_back(texto);
    }
}

TPreguntaLeida LeePregunta(QXmlStreamReader& xml) {
    TPreguntaLeida pregunta;
    pregunta.Tipo = xml.attributes().value(QLatin1String("type")).toString().toStdString();
    bool nombre = false, enunciado = false, categoria = false, usecase = false;
    while (!xml.atEnd() && !xml.hasError()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement)
            break;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringView hijo = xml.name();
        if (hijo == QLatin1String("name") && !std::exchange(nombre, true)) {
            pregunta.Nombre = Recortado(LeeTextos(xml, 1, TLectura::ConTexto).DeTexto);
        } else if (hijo == QLatin1String("questiontext") && !std::exchange(enunciado, true)) {
            pregunta.Formato =
                xml.attributes().value(QLatin1String("format")).toString().toStdString();
            pregunta.Enunciado = Recortado(LeeTextos(xml, 1, TLectura::ConTexto).DeTexto);
        } else if (hijo == QLatin1String("category") && !std::exchange(categoria, true)) {
            pregunta.Categoria = Recortado(LeeTextos(xml, 1, TLectura::ConTexto).DeTexto);
        } else if (hijo == QLatin1String("usecase") && !std::exchange(usecase, true)) {
            pregunta.Mayusculas = Recortado(LeeTextos(xml, 1, TLectura::Propio).Propio) == "1";
        } else if (hijo == QLatin1String("tags")) {
            LeeEtiquetas(xml, pregunta.Etiquetas);
        } else if (hijo == QLatin1String("answer")) {
            const double fraccion =
                xml.attributes().value(QLatin1String("fraction")).toDouble() / 100;
            TTextos textos = LeeTextos(xml, 1, TLectura::ConTexto);
            pregunta.Respuestas.Anade(
                fraccion, (textos.DeTexto ? *textos.DeTexto : textos.Propio).toStdString());
        } else {
            LeeTextos(xml, 1, TLectura::Nada);
        }
    }
    return pregunta;
}

bool EsBlancoHtml(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// UTF-8 takes at most three bytes for a character Windows-1252 holds.
constexpr size_t kBytesGuardados = 3 * kLongitudRegistro;

// HTML into paragraphs of plain text. Line ends and tabs of the HTML are layout, one blank at
// most; plain blanks and every character an entity gives are the text's own.
class TLectorHtml {
  public:
    TLectorHtml(bool lineasSonParrafos, bool literal)
        : lineasSonParrafos_(lineasSonParrafos), literal_(literal) {}

    void Lee(const std::string& html) {
        for (size_t i = 0; i < html.size();) {
            const char c = html[i];
            if (EsBlancoHtml(c)) {
                size_t fin = i;
                bool maquetacion = false;
                while (fin < html.size() && EsBlancoHtml(html[fin])) {
                    if (lineasSonParrafos_ && html[fin] == '\n')
                        break;
                    maquetacion = maquetacion || html[fin] != ' ';
                    ++fin;
                }
                if (fin == i) {
                    Salto();
                    ++i;
                } else if (maquetacion) {
                    if (HayTextoAbierto())
                        blancoPendiente_ = true;
                    i = fin;
                } else {
                    if (parrafoAbierto_ && !cerrado_)
                        Contenido(html.substr(i, fin - i));
                    i = fin;
                }
            } else if (c == '<' && !literal_ && i + 1 < html.size() &&
                       (std::isalpha(static_cast<unsigned char>(html[i + 1])) ||
                        html[i + 1] == '/' || html[i + 1] == '!' || html[i + 1] == '?')) {
                i = LeeEtiqueta(html, i);
            } else if (c == '&' && !literal_) {
                size_t j = i;
                if (const auto entidad = LeeEntidad(html, j)) {
                    std::string texto;
                    AnadeUtf8(texto, *entidad);
                    Contenido(texto);
                    i = j;
                } else {
                    Contenido("&");
                    ++i;
                }
            } else {
                size_t fin = i;
                while (fin < html.size() && !EsBlancoHtml(html[fin]) &&
                       (literal_ || (html[fin] != '<' && html[fin] != '&')))
                    ++fin;
                Contenido(html.substr(i, std::max(fin, i + 1) - i));
                i = std::max(fin, i + 1);
            }
        }
    }

    void Hueco(const std::string& respuesta) {
        Abre();
        if (Lleno()) {
            ++huecosFuera_;
        } else {
            trozos_.push_back({TTrozo::TTipo::Hueco, respuesta});
            bytes_ += respuesta.size() + 2;
        }
        vacio_ = false;
    }
    void Contenido(const std::string& texto) {
        Abre();
        AnadeTexto(texto);
        vacio_ = false;
    }

    std::vector<TTrozo>& Trozos() { return trozos_; }
    // Past the bytes any record could keep, the text is no longer kept, and its gaps only
    // counted.
    bool Lleno() const { return bytes_ > kBytesGuardados; }
    int64_t HuecosFuera() const { return huecosFuera_; }

  private:
    bool HayTextoAbierto() const { return parrafoAbierto_ && !cerrado_ && !vacio_; }

    void Abre() {
        if (!parrafoAbierto_) {
            parrafoAbierto_ = true;
        } else if (cerrado_) {
            NuevoParrafo();
        }
        if (blancoPendiente_ && !vacio_)
            AnadeTexto(" ");
        blancoPendiente_ = false;
    }
    void NuevoParrafo() {
        if (!Lleno()) {
            trozos_.push_back({TTrozo::TTipo::Parrafo, ""});
            bytes_ += 2;
        }
        vacio_ = true;
        cerrado_ = false;
        blancoPendiente_ = false;
    }
    void AbreBloque() {
        if (!parrafoAbierto_) {
            parrafoAbierto_ = true;
            vacio_ = true;
            cerrado_ = false;
        } else if (!(vacio_ && !cerrado_)) {
            NuevoParrafo();
        }
        blancoPendiente_ = false;
    }
    void CierraBloque() {
        cerrado_ = true;
        blancoPendiente_ = false;
    }
    void Salto() {
        if (!parrafoAbierto_)
            parrafoAbierto_ = true;
        NuevoParrafo();
    }
    void AnadeTexto(const std::string& texto) {
        if (Lleno())
            return;
        bytes_ += texto.size();
        if (!trozos_.empty() && trozos_.back().Tipo == TTrozo::TTipo::Texto)
            trozos_.back().Texto += texto;
        else
            trozos_.push_back({TTrozo::TTipo::Texto, texto});
    }

    size_t LeeEtiqueta(const std::string& html, size_t i) {
        if (html.compare(i, 4, "<!--") == 0) {
            const size_t fin = html.find("-->", i + 4);
            return fin == std::string::npos ? html.size() : fin + 3;
        }
        const size_t fin = html.find('>', i);
        if (fin == std::string::npos)
            return html.size();
        const bool cierre = html[i + 1] == '/';
        size_t j = i + (cierre ? 2 : 1);
        std::string nombre;
        while (j < fin && std::isalnum(static_cast<unsigned char>(html[j])))
            nombre += static_cast<char>(std::tolower(static_cast<unsigned char>(html[j++])));
        if (!cierre && (nombre == "script" || nombre == "style")) {
            const size_t final = html.find("</" + nombre, fin);
            const size_t cierre = final == std::string::npos ? final : html.find('>', final);
            return cierre == std::string::npos ? html.size() : cierre + 1;
        }
        static const char* const kBloques[] = {
            "p",  "div", "li", "ul",         "ol",  "h1",      "h2",     "h3",
            "h4", "h5",  "h6", "blockquote", "pre", "table",   "tr",     "td",
            "th", "dl",  "dt", "dd",         "hr",  "section", "article"};
        if (nombre == "br") {
            Salto();
        } else if (std::any_of(std::begin(kBloques), std::end(kBloques),
                               [&](const char* b) { return nombre == b; })) {
            if (cierre)
                CierraBloque();
            else
                AbreBloque();
        }
        return fin + 1;
    }

    bool lineasSonParrafos_;
    bool literal_;
    std::vector<TTrozo> trozos_;
    bool parrafoAbierto_ = false;
    bool vacio_ = true;
    bool cerrado_ = false;
    bool blancoPendiente_ = false;
    size_t bytes_ = 0;
    int64_t huecosFuera_ = 0;
};

// A text of an answer as one line: its layout blanks as blanks, trimmed as Moodle trims.
std::string UnaLinea(const std::string& texto) {
    std::string linea = texto;
    for (char& c : linea)
        c = EsBlancoHtml(c) ? ' ' : c;
    return RecortaComoMoodle(linea);
}

// An answer written in HTML (a multiple choice's), as plain text.
std::string TextoDeHtml(const std::string& html) {
    TLectorHtml lector(false, false);
    lector.Lee(html);
    std::string texto;
    for (const TTrozo& trozo : lector.Trozos())
        texto += trozo.Tipo == TTrozo::TTipo::Parrafo ? " " : trozo.Texto;
    return UnaLinea(texto);
}

struct TCorte {
    std::string Texto;
    bool Cortado = false;
    int64_t HuecosQuitados = 0;
};

// Cuts the text to at most maximo bytes, at the end of a sentence where one fits, never inside
// a gap.
TCorte CortaTexto(const std::vector<TTrozo>& trozos, size_t maximo) {
    std::string texto;
    std::vector<std::pair<size_t, size_t>> huecos;  // the bytes of each gap, marks included
    for (const TTrozo& trozo : trozos) {
        const size_t inicio = texto.size();
        texto += TextoDeTrozos({trozo});
        if (trozo.Tipo == TTrozo::TTipo::Hueco)
            huecos.emplace_back(inicio, texto.size());
    }
    if (texto.size() <= maximo)
        return {texto};
    const auto fuera = [&](size_t p) {
        const auto it = std::upper_bound(huecos.begin(), huecos.end(), std::make_pair(p, p));
        return it == huecos.begin() || std::prev(it)->second <= p || std::prev(it)->first == p;
    };
    const auto finDeFrase = [&](size_t p) {
        if (texto[p] == '\r')
            return true;
        return p > 0 && std::strchr(".!?\x85", texto[p - 1]) && (texto[p] == ' ');
    };
    size_t corte = std::string::npos, blanco = std::string::npos, libre = 0;
    for (size_t p = maximo; p > 0 && corte == std::string::npos; --p) {
        if (!fuera(p))
            continue;
        if (finDeFrase(p))
            corte = p;
        else if (blanco == std::string::npos && texto[p] == ' ')
            blanco = p;
        if (libre == 0)
            libre = p;
    }
    if (corte == std::string::npos)
        corte = blanco != std::string::npos ? blanco : libre;
    texto.resize(corte);
    while (!texto.empty() && (texto.back() == ' ' || texto.back() == '\r'))
        texto.pop_back();
    const auto quitados = std::count_if(huecos.begin(), huecos.end(),
                                        [&](const auto& hueco) { return hueco.second > corte; });
    return {texto, true, quitados};
}

class TImportador {
  public:
    explicit TImportador(TImportacionMoodle& importacion) : importacion_(importacion) {}

    void Procesa(const TPreguntaLeida& pregunta) {
        if (pregunta.Tipo == "category") {
            const std::vector<std::string> ruta = DivideRutaCategoria(pregunta.Categoria);
            // A path of its context alone, or with Moodle's top category, names no topic.
            const bool raiz = ruta.size() == 1 || (ruta.size() == 2 && ruta[1] == "top");
            tema_ = raiz ? "" : ruta.back();
            return;
        }
        ++numero_;
        notas_.clear();
        nombre_ = pregunta.Nombre;
        const std::string& tipo = pregunta.Tipo;
        etiquetas_ = std::move(pregunta.Etiquetas);
        if (tipo != "cloze" && tipo != "multianswer" && tipo != "shortanswer") {
            Nota(TTipoNota::TipoSinUso, tipo);
            Cierra(std::nullopt);
            return;
        }
        const std::string& formato = pregunta.Formato;
        const std::string& html = pregunta.Enunciado;
        TLectorHtml lector(formato == "moodle_auto_format" || formato == "plain_text",
                           formato == "plain_text");
        bool bien = true;
        if (tipo == "shortanswer") {
            lector.Lee(html);
            bien = PonHuecoCorto(pregunta, lector);
        } else {
            TDefectoCloze defecto = TDefectoCloze::Ninguno;
            size_t desde = 0;
            for (const THuecoCloze& hueco : BuscaHuecosCloze(html, &defecto)) {
                lector.Lee(html.substr(desde, hueco.Inicio - desde));
                bien = bien && PonHuecoCloze(hueco, lector);
                desde = hueco.Fin;
            }
            lector.Lee(html.substr(desde));
            if (bien && defecto != TDefectoCloze::Ninguno) {
                Nota(defecto == TDefectoCloze::Anidado ? TTipoNota::HuecoAnidado
                                                       : TTipoNota::HuecoSinCerrar);
                bien = false;
            }
        }
        Cierra(bien ? std::optional(std::move(lector)) : std::nullopt);
    }

  private:
    void Nota(TTipoNota tipo, std::string detalle = "", int64_t cifra = 0) {
        notas_.push_back({tipo, numero_, nombre_, std::move(detalle), cifra});
    }

    // The answer worth most marks, or none after the note that leaves the question out.
    template <class T>
    const std::optional<T>& Correcta(const TMejorRespuesta<T>& respuestas) {
        if (!respuestas.Mejor)
            Nota(TTipoNota::SinRespuestaCorrecta);
        else
            descartadas_ += respuestas.Cuantas - 1;
        return respuestas.Mejor;
    }

    std::string RespuestaCorta(std::string respuesta) {
        if (TieneComodin(respuesta))
            Nota(TTipoNota::Comodin);
        return UnaLinea(QuitaEscapesComodin(respuesta));
    }

    bool PonHuecoCloze(const THuecoCloze& hueco, TLectorHtml& lector) {
        TMejorRespuesta<size_t> alternativas;
        for (size_t i = 0; i < hueco.Alternativas.size(); ++i)
            alternativas.Anade(hueco.Alternativas[i].Fraccion, i);
        const std::optional<size_t> correcta = Correcta(alternativas);
        if (!correcta)
            return false;
        const std::string escrita =
            DesescapaRespuestaCloze(DecodificaEntidades(hueco.Alternativas[*correcta].Respuesta));
        if (EsTipoRespuestaCorta(hueco.Tipo)) {
            if (hueco.Tipo.find('C') != std::string::npos && hueco.Tipo != "MW")
                Nota(TTipoNota::MayusculasIgnoradas);
            lector.Hueco(RespuestaCorta(escrita));
        } else {
            Nota(TTipoNota::HuecoComoTexto, hueco.Tipo);
            std::string respuesta = TextoDeHtml(escrita);
            // A numerical answer's tolerance follows a colon.
            if (hueco.Tipo == "NUMERICAL" || hueco.Tipo == "NM")
                respuesta = respuesta.substr(0, respuesta.find(':'));
            lector.Contenido(respuesta);
        }
        return true;
    }

    // A short-answer question's one gap: at its blank (a run of "___") or at the end.
    bool PonHuecoCorto(const TPreguntaLeida& pregunta, TLectorHtml& lector) {
        const std::optional<std::string>& correcta = Correcta(pregunta.Respuestas);
        if (!correcta)
            return false;
        if (pregunta.Mayusculas)
            Nota(TTipoNota::MayusculasIgnoradas);
        const TTrozo hueco{TTrozo::TTipo::Hueco, RespuestaCorta(*correcta)};
        std::vector<TTrozo>& trozos = lector.Trozos();
        for (size_t i = 0; i < trozos.size(); ++i) {
            if (trozos[i].Tipo != TTrozo::TTipo::Texto)
                continue;
            const size_t raya = trozos[i].Texto.find("___");
            if (raya == std::string::npos)
                continue;
            const size_t fin = trozos[i].Texto.find_first_not_of('_', raya);
            const std::string antes = trozos[i].Texto.substr(0, raya);
            const std::string despues = fin == std::string::npos ? "" : trozos[i].Texto.substr(fin);
            std::vector<TTrozo> puestos;
            if (!antes.empty())
                puestos.push_back({TTrozo::TTipo::Texto, antes});
            puestos.push_back(hueco);
            if (!despues.empty())
                puestos.push_back({TTrozo::TTipo::Texto, despues});
            trozos.erase(trozos.begin() + static_cast<std::ptrdiff_t>(i));
            trozos.insert(trozos.begin() + static_cast<std::ptrdiff_t>(i), puestos.begin(),
                          puestos.end());
            return true;
        }
        if (!trozos.empty() && trozos.back().Tipo == TTrozo::TTipo::Texto &&
            !trozos.back().Texto.ends_with(' '))
            trozos.back().Texto += ' ';
        trozos.push_back(hueco);
        return true;
    }

    // Bytes of the question, or none after the note that leaves it out.
    std::optional<std::string> Bytes(const std::string& utf8, bool esTexto) {
        std::string bytes;
        const QString texto = QString::fromStdString(utf8);
        for (const char32_t c : texto.toUcs4()) {
            const int byte = ByteDeUnicode(c);
            if (byte < 0) {
                std::string caracter;
                AnadeUtf8(caracter, c);
                Nota(TTipoNota::CaracterImposible, caracter);
                return std::nullopt;
            }
            if (byte == '@' && esTexto) {
                Nota(TTipoNota::MarcaDeHueco);
                return std::nullopt;
            }
            // Control characters that an entity gave stand as blanks.
            bytes +=
                ByteEscribible(static_cast<unsigned char>(byte)) ? static_cast<char>(byte) : ' ';
        }
        return bytes;
    }

    // The question as the lector read it, or none when it is left out.
    void Cierra(std::optional<TLectorHtml> lector) {
        std::optional<TPregunta> pregunta;
        if (lector) {
            std::vector<TTrozo>& trozos = lector->Trozos();
            pregunta = TPregunta{};
            for (TTrozo& trozo : trozos) {
                if (trozo.Tipo == TTrozo::TTipo::Parrafo)
                    continue;
                const auto bytes = Bytes(trozo.Texto, true);
                if (!bytes) {
                    pregunta.reset();
                    break;
                }
                trozo.Texto = *bytes;
            }
            const auto tema = pregunta ? Bytes(tema_, false) : std::nullopt;
            if (tema) {
                pregunta->Tema = *tema;
                if (pregunta->Tema.size() > kLargoTemaImportado) {
                    pregunta->Tema.resize(kLargoTemaImportado);
                    Nota(TTipoNota::TemaCortado, "", kLargoTemaImportado);
                }
                const size_t maximo = kLongitudRegistro - 4 - pregunta->Tema.size();
                TCorte corte = CortaTexto(trozos, maximo);
                const int64_t quitados = corte.HuecosQuitados + lector->HuecosFuera();
                if (quitados > 0) {
                    Nota(TTipoNota::CorteQuitaHuecos, "", quitados);
                    pregunta.reset();
                } else {
                    pregunta->Texto = std::move(corte.Texto);
                    if (corte.Cortado)
                        Nota(TTipoNota::TextoCortado, "",
                             static_cast<int64_t>(pregunta->Texto.size()));
                }
            } else {
                pregunta.reset();
            }
        }
        if (pregunta && AplicaEtiquetasTildora(etiquetas_, *pregunta)) {
            if (pregunta->Modo != 0)
                Nota(TTipoNota::PracticaAcentos, "", pregunta->Modo);
            if (pregunta->AnchoMinimo != 0)
                Nota(TTipoNota::AnchoMinimo, "", pregunta->AnchoMinimo);
            if (pregunta->Tema.empty())
                Nota(TTipoNota::SinTema);
        }
        if (pregunta) {
            if (descartadas_ > 0)
                Nota(TTipoNota::RespuestasDescartadas, "", descartadas_);
            importacion_.Preguntas.push_back(std::move(*pregunta));
        }
        descartadas_ = 0;
        // A question left out keeps only the note that says why.
        for (TNotaImportacion& nota : notas_)
            if (pregunta || nota.Omite())
                importacion_.Notas.push_back(std::move(nota));
    }

    TImportacionMoodle& importacion_;
    std::string tema_;
    int numero_ = 0;
    std::string nombre_;
    std::vector<TNotaImportacion> notas_;
    std::vector<std::string> etiquetas_;
    int64_t descartadas_ = 0;
};

}  // namespace

TImportacionMoodle ImportaMoodle(QIODevice& entrada) {
    TImportacionMoodle importacion;
    TImportador importador(importacion);
    QXmlStreamReader xml(&entrada);
    bool raiz = false;
    while (!xml.atEnd() && !xml.hasError()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            xml.raiseError(QStringLiteral("a DOCTYPE is refused: a quiz file needs none"));
        } else if (token == QXmlStreamReader::StartElement && !raiz) {
            raiz = true;
            if (xml.name() != QLatin1String("quiz"))
                xml.raiseError(QStringLiteral("not a Moodle quiz file: its first element is <%1>, "
                                              "not <quiz>")
                                   .arg(xml.name()));
        } else if (token == QXmlStreamReader::StartElement &&
                   xml.name() == QLatin1String("question")) {
            const TPreguntaLeida pregunta = LeePregunta(xml);
            if (!xml.hasError())
                importador.Procesa(pregunta);
        } else if (token == QXmlStreamReader::StartElement) {
            LeeTextos(xml, 0, TLectura::Nada);
        }
    }
    if (!xml.hasError() && !raiz)
        xml.raiseError(QStringLiteral("no <quiz> element"));
    if (xml.hasError()) {
        importacion.Preguntas.clear();
        importacion.Notas.clear();
        std::string mensaje = xml.errorString().toStdString();
        // Qt's messages end with a point; the reports go on after them.
        if (mensaje.ends_with('.'))
            mensaje.pop_back();
        importacion.Error = TErrorXml{xml.lineNumber(), xml.columnNumber(), mensaje};
    }
    return importacion;
}

TImportacionMoodle ImportaFicheroMoodle(const std::string& ruta) {
    // A FIFO or a device would never end, or never begin.
    std::error_code error;
    const std::filesystem::file_status estado = std::filesystem::status(ruta, error);
    if (std::filesystem::is_directory(estado))
        throw IoError("abrir", ruta, EISDIR);
    if (std::filesystem::exists(estado) && !std::filesystem::is_regular_file(estado))
        throw IoError("abrir", ruta);
    QFile fichero(QString::fromLocal8Bit(ruta.c_str()));
    if (!fichero.open(QIODevice::ReadOnly))
        throw IoError("abrir", ruta);
    return ImportaMoodle(fichero);
}

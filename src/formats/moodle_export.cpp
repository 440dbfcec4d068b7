#include "moodle_export.h"

#include <QBuffer>
#include <QXmlStreamWriter>

#include <algorithm>

#include "core/authoring/source_format.h"
#include "core/base/win1252.h"
#include "core/text/question_text.h"
#include "moodle_cloze.h"

namespace {

using TTipo = TPerdidaMoodle::TTipo;

// The longest category name Moodle stores.
constexpr qsizetype kLargoCategoria = 255;

QString Q(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The question's bytes that XML can carry, in UTF-8; anotaControl is called when some are not.
template <typename Anota>
std::string Utf8Limpio(const std::string& bytes, Anota&& anotaControl) {
    std::string limpio;
    for (const char c : bytes) {
        if (ByteEscribible(static_cast<unsigned char>(c)))
            limpio += c;
        else
            anotaControl();
    }
    return Utf8DeWindows1252(limpio);
}

// Text for the HTML of a question. A "{" of the text is written as a reference, so that the
// cloze parser never takes the text for a gap.
std::string HtmlDeTexto(const std::string& utf8, bool protegeLlaves) {
    std::string html;
    for (const char c : utf8) {
        switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '{':
                html += protegeLlaves ? "&#123;" : "{";
                break;
            default:
                html += c;
        }
    }
    return html;
}

class TEscritor {
  public:
    TEscritor(const std::string& nombreConjunto, TIdioma idioma, TExportacionMoodle& exportacion)
        : nombreConjunto_(nombreConjunto), idioma_(idioma), exportacion_(exportacion) {
        buffer_.open(QIODevice::WriteOnly);
        xml_.setDevice(&buffer_);
        xml_.setAutoFormatting(true);
        xml_.setAutoFormattingIndent(2);
        xml_.writeStartDocument();
        xml_.writeStartElement("quiz");
        EscribeCategoria({});
    }

    void EscribePregunta(const TPregunta& pregunta, int fila) {
        fila_ = fila;
        controlAnotado_ = false;
        const auto control = [this] { AnotaControlUnaVez(); };
        const std::string tema = Utf8Limpio(pregunta.Tema, control);
        // The set's own category is the current one at first: it takes the questions without
        // a topic.
        if (tema != temaActual_)
            EscribeCategoria(tema);
        temaActual_ = tema;
        if (tema.empty() || RecortaComoMoodle(tema) != tema ||
            tema.find('<') != std::string::npos || Q(tema).size() > kLargoCategoria)
            Anota(TTipo::TemaCambiado);

        std::string html = "<p>";
        std::vector<std::string> rellenos;
        bool anchoPerdido = false;
        for (const TPiezaTexto& pieza : PiezasDeTexto(pregunta)) {
            const std::string utf8 = Utf8Limpio(pieza.Texto, control);
            switch (pieza.Tipo) {
                case TPiezaTexto::TTipo::Parrafo:
                    html += "</p><p>";
                    break;
                case TPiezaTexto::TTipo::Texto:
                    html += HtmlDeTexto(utf8, true);
                    break;
                case TPiezaTexto::TTipo::Hueco: {
                    const bool comoHueco = EscribeHueco(utf8, html);
                    rellenos.push_back(Utf8Limpio(pieza.Relleno, [] {}));
                    anchoPerdido = anchoPerdido ||
                                   (comoHueco && pieza.Ancho > static_cast<int>(pieza.Texto.size()));
                    break;
                }
            }
        }
        html += "</p>";

        const bool preRelleno = pregunta.Modo == 1 && !rellenos.empty();
        std::string comentario;
        if (preRelleno) {
            Anota(TTipo::PreRelleno);
            comentario += Elige<std::string>(
                idioma_,
                "<p>En Tildora, los huecos de esta pregunta empiezan con la respuesta sin "
                "tildes: hay que ponerle las que le falten.</p>",
                "<p>En Tildora, els buits d'esta pregunta comencen amb la resposta sense "
                "accents: cal posar-li els que li falten.</p>");
        }
        if (anchoPerdido) {
            Anota(TTipo::AnchoMinimo);
            const std::string ancho = std::to_string(pregunta.AnchoMinimo);
            comentario += Elige<std::string>(
                idioma_,
                "<p>En Tildora, cada hueco de esta pregunta mide al menos " + ancho +
                    " letras, para que su ancho no delate la respuesta.</p>",
                "<p>En Tildora, cada buit d'esta pregunta fa almenys " + ancho +
                    " lletres, perqu\xC3\xA8 la seua ampl\xC3\xA0ria no delate la resposta.</p>");
        }

        xml_.writeStartElement("question");
        xml_.writeAttribute("type", "cloze");
        EscribeTexto("name", "", (tema.empty() ? "" : tema + " ") + std::to_string(fila + 1));
        EscribeTexto("questiontext", "html", html);
        EscribeTexto("generalfeedback", "html", comentario);
        xml_.writeTextElement("penalty", "0.3333333");
        xml_.writeTextElement("hidden", "0");
        if (preRelleno) {
            std::string pista = Elige<std::string>(
                idioma_, "<p>Las respuestas, sin tildes: ", "<p>Les respostes, sense accents: ");
            for (size_t i = 0; i < rellenos.size(); ++i)
                pista += (i == 0 ? "" : "; ") + std::to_string(i + 1) + ". " +
                         HtmlDeTexto(rellenos[i], true);
            EscribeTexto("hint", "html", pista + "</p>");
        }
        xml_.writeEndElement();
    }

    std::string Termina() {
        xml_.writeEndElement();
        xml_.writeEndDocument();
        return buffer_.data().toStdString();
    }

  private:
    void Anota(TTipo tipo) { exportacion_.Perdidas.push_back({tipo, fila_}); }
    void AnotaControlUnaVez() {
        if (!controlAnotado_)
            Anota(TTipo::CaracterDeControl);
        controlAnotado_ = true;
    }

    // The gap as a short answer, or its answer as plain text when Moodle cannot hold it;
    // true for a short answer.
    bool EscribeHueco(const std::string& respuesta, std::string& html) {
        const std::string recortada = RecortaComoMoodle(respuesta);
        const TRespuestaImposible imposible = RespuestaImposible(recortada);
        if (imposible != TRespuestaImposible::Ninguna) {
            Anota(imposible == TRespuestaImposible::Vacia   ? TTipo::RespuestaVacia
                  : imposible == TRespuestaImposible::Tilde ? TTipo::RespuestaConTilde
                                                            : TTipo::RespuestaConBarra);
            html += HtmlDeTexto(respuesta, true);
            return false;
        }
        if (recortada != respuesta)
            Anota(TTipo::BlancosEnRespuesta);
        // Entities in an answer never use "#", which would start its feedback.
        html += "{1:SHORTANSWER:=" + HtmlDeTexto(EscapaRespuestaCloze(recortada), false) + "}";
        return true;
    }

    void EscribeCategoria(const std::string& tema) {
        std::vector<std::string> ruta = {"$course$", "top", nombreConjunto_};
        if (!tema.empty())
            ruta.push_back(tema);
        xml_.writeStartElement("question");
        xml_.writeAttribute("type", "category");
        EscribeTexto("category", "", UneRutaCategoria(ruta));
        xml_.writeEndElement();
    }

    void EscribeTexto(const char* elemento, const char* formato, const std::string& utf8) {
        xml_.writeStartElement(elemento);
        if (*formato)
            xml_.writeAttribute("format", formato);
        xml_.writeTextElement("text", Q(utf8));
        xml_.writeEndElement();
    }

    std::string nombreConjunto_;
    TIdioma idioma_;
    TExportacionMoodle& exportacion_;
    QBuffer buffer_;
    QXmlStreamWriter xml_;
    std::string temaActual_;
    int fila_ = 0;
    bool controlAnotado_ = false;
};

}  // namespace

TExportacionMoodle ExportaMoodle(const std::vector<TPregunta>& preguntas,
                                 const std::string& nombreConjunto, TIdioma idioma) {
    TExportacionMoodle exportacion;
    TEscritor escritor(nombreConjunto, idioma, exportacion);
    for (size_t i = 0; i < preguntas.size(); ++i)
        escritor.EscribePregunta(preguntas[i], static_cast<int>(i));
    exportacion.Xml = escritor.Termina();
    return exportacion;
}

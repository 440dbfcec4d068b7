#include "core/authoring/source_format.h"

#include <algorithm>
#include <cstdio>

#include "core/base/win1252.h"
#include "core/set/writer.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool EsBlanco(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Recorta(std::string_view s) {
    while (!s.empty() && EsBlanco(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && EsBlanco(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string Minusculas(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return r;
}

std::string Hexadecimal(char32_t codigo) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(codigo));
    return buffer;
}

// Converts one UTF-8 line; on failure says what is wrong and in which column.
std::optional<std::string> ConvierteLinea(std::string_view linea, std::string& error) {
    if (auto convertida = Windows1252DeUtf8(linea))
        return convertida;
    size_t i = 0;
    for (int columna = 1; i < linea.size(); ++columna) {
        const auto b = static_cast<unsigned char>(linea[i]);
        const size_t largo = b < 0x80             ? 1
                             : (b & 0xE0) == 0xC0 ? 2
                             : (b & 0xF0) == 0xE0 ? 3
                             : (b & 0xF8) == 0xF0 ? 4
                                                  : 0;
        const std::string_view caracter = linea.substr(i, largo);
        if (largo == 0 || caracter.size() < largo || !Windows1252DeUtf8(caracter)) {
            // A well-formed character that the code page lacks, or bytes that are not UTF-8.
            char32_t codigo = largo == 1 ? b : b & (0x7F >> largo);
            bool bienFormado = largo > 1 && caracter.size() == largo;
            for (size_t k = 1; bienFormado && k < largo; ++k) {
                const auto s = static_cast<unsigned char>(caracter[k]);
                bienFormado = (s & 0xC0) == 0x80;
                codigo = (codigo << 6) | (s & 0x3F);
            }
            constexpr char32_t kMinimo[] = {0, 0, 0x80, 0x800, 0x10000};
            bienFormado = bienFormado && codigo >= kMinimo[largo] && codigo <= 0x10FFFF &&
                          (codigo < 0xD800 || codigo > 0xDFFF);
            error = "column " + std::to_string(columna) + ": ";
            error += bienFormado ? "the character " + Hexadecimal(codigo) + " \"" +
                                       std::string(caracter) + "\" has no Windows-1252 form"
                                 : std::string("the bytes are not valid UTF-8");
            return std::nullopt;
        }
        i += largo;
    }
    error = "the line is not valid UTF-8";
    return std::nullopt;
}

// The column of the first byte that may not stand in a source line, or 0.
int ColumnaNoEscribible(std::string_view linea) {
    for (size_t i = 0; i < linea.size(); ++i)
        if (!ByteEscribible(static_cast<unsigned char>(linea[i])))
            return static_cast<int>(i) + 1;
    return 0;
}

std::optional<int> LeeByte(std::string_view valor) {
    if (valor.empty() || valor.size() > 3)
        return std::nullopt;
    int n = 0;
    for (const char c : valor) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n > 255)
        return std::nullopt;
    return n;
}

bool NecesitaComillas(const std::string& tema) {
    if (tema.empty())
        return false;
    const bool comillas = tema.size() >= 2 && tema.front() == '"' && tema.back() == '"';
    return comillas || EsBlanco(tema.front()) || EsBlanco(tema.back());
}

}  // namespace

int ByteNoEscribible(const TPregunta& pregunta) {
    for (const char c : pregunta.Tema)
        if (!ByteEscribible(static_cast<unsigned char>(c)))
            return static_cast<unsigned char>(c);
    for (const char c : pregunta.Texto)
        if (c != '\r' && !ByteEscribible(static_cast<unsigned char>(c)))
            return static_cast<unsigned char>(c);
    return -1;
}

TFuenteLeida LeeFuente(std::string_view texto) {
    TFuenteLeida fuente;
    if (texto.starts_with(kBom))
        texto.remove_prefix(kBom.size());
    const auto falla = [&fuente](int linea, std::string mensaje) {
        fuente.Preguntas.clear();
        fuente.Lineas.clear();
        fuente.Error = TErrorFuente{linea, std::move(mensaje)};
        return fuente;
    };
    // Per open question: whether its text, modo and ancho have been given.
    bool conTexto = false, conModo = false, conAncho = false;
    const auto cabe = [&fuente] {
        return fuente.Preguntas.empty() ||
               EmpaquetaPregunta(fuente.Preguntas.back()).size() <= kLongitudRegistro;
    };
    const auto registroLargo = [&fuente] {
        return "the question starting here takes " +
               std::to_string(EmpaquetaPregunta(fuente.Preguntas.back()).size()) +
               " bytes once packed; a question may take at most " +
               std::to_string(kLongitudRegistro) + " (topic and text plus 4)";
    };

    int numero = 0;
    while (!texto.empty()) {
        ++numero;
        // Lines end in LF, CR LF, or CR alone as old Mac editors save them.
        const size_t fin = texto.find_first_of("\r\n");
        const std::string_view bruta = texto.substr(0, fin);
        const size_t largoFin = fin == std::string_view::npos           ? 0
                                : texto.substr(fin).starts_with("\r\n") ? 2
                                                                        : 1;
        texto.remove_prefix(bruta.size() + largoFin);

        std::string error;
        const std::optional<std::string> convertida = ConvierteLinea(bruta, error);
        if (!convertida)
            return falla(numero, error);
        std::string_view linea = *convertida;
        while (!linea.empty() && EsBlanco(linea.front()))
            linea.remove_prefix(1);
        if (linea.empty() || linea.front() == '#')
            continue;

        if (linea.front() == '>') {
            if (fuente.Preguntas.empty())
                return falla(numero, "a text line before the first question (\"tema:\")");
            linea.remove_prefix(1);
            if (!linea.empty() && linea.front() == ' ')
                linea.remove_prefix(1);
            if (const int columna = ColumnaNoEscribible(linea))
                return falla(numero,
                             "column " +
                                 std::to_string(linea.data() - convertida->data() + columna) +
                                 ": a tab or control character in the text; write "
                                 "blanks instead");
            std::string& destino = fuente.Preguntas.back().Texto;
            if (conTexto)
                destino += '\r';
            destino += linea;
            conTexto = true;
            continue;
        }

        const size_t dosPuntos = linea.find(':');
        const std::string clave = dosPuntos == std::string_view::npos
                                      ? ""
                                      : Minusculas(Recorta(linea.substr(0, dosPuntos)));
        const std::string_view valor =
            dosPuntos == std::string_view::npos ? "" : Recorta(linea.substr(dosPuntos + 1));
        if (clave == "tema") {
            if (!cabe())
                return falla(fuente.Lineas.back(), registroLargo());
            std::string_view tema = valor;
            if (tema.size() >= 2 && tema.front() == '"' && tema.back() == '"')
                tema = tema.substr(1, tema.size() - 2);
            if (const int columna = ColumnaNoEscribible(tema))
                return falla(
                    numero, "column " + std::to_string(tema.data() - convertida->data() + columna) +
                                ": a tab or control character in the topic");
            fuente.Preguntas.push_back(TPregunta{0, 0, std::string(tema), ""});
            fuente.Lineas.push_back(numero);
            conTexto = conModo = conAncho = false;
        } else if (clave == "modo" || clave == "ancho") {
            if (fuente.Preguntas.empty())
                return falla(numero, "\"" + clave + ":\" before the first question (\"tema:\")");
            bool& dado = clave == "modo" ? conModo : conAncho;
            if (dado)
                return falla(numero, "\"" + clave + ":\" given twice for one question");
            dado = true;
            const std::string palabra = Minusculas(valor);
            std::optional<int> byte = LeeByte(palabra);
            if (clave == "modo" && palabra == "acentos")
                byte = 1;
            if (clave == "modo" && palabra == "normal")
                byte = 0;
            if (!byte)
                return falla(numero, clave == "modo"
                                         ? "\"modo:\" takes \"acentos\", \"normal\" or a number "
                                           "from 0 to 255"
                                         : "\"ancho:\" takes a number from 0 to 255");
            TPregunta& pregunta = fuente.Preguntas.back();
            (clave == "modo" ? pregunta.Modo : pregunta.AnchoMinimo) = static_cast<uint8_t>(*byte);
        } else {
            return falla(numero,
                         "expected \"tema:\", \"modo:\", \"ancho:\", a text line starting "
                         "with \">\" or a comment starting with \"#\"");
        }
    }
    if (!cabe())
        return falla(fuente.Lineas.back(), registroLargo());
    if (fuente.Preguntas.empty())
        return falla(std::max(numero, 1),
                     "the source holds no question; each question starts with a \"tema:\" line");
    // Question numbers are 16-bit: the program could not reach the others.
    if (fuente.Preguntas.size() > static_cast<size_t>(kMaximoPreguntas))
        return falla(fuente.Lineas[kMaximoPreguntas],
                     "question " + std::to_string(kMaximoPreguntas + 1) + " of " +
                         std::to_string(fuente.Preguntas.size()) +
                         " starts here; a set holds at most " + std::to_string(kMaximoPreguntas));
    return fuente;
}

std::string EscribeFuente(const std::vector<TPregunta>& preguntas, const std::string& origen) {
    std::string fuente = "# Tildora question source, UTF-8. From " + origen + ": " +
                         std::to_string(preguntas.size()) + " questions.\n";
    for (const TPregunta& pregunta : preguntas) {
        const std::string tema = Utf8DeWindows1252(pregunta.Tema);
        fuente += "\ntema: " + (NecesitaComillas(pregunta.Tema) ? "\"" + tema + "\"" : tema) + "\n";
        if (pregunta.Modo == 1) {
            fuente += "modo: acentos\n";
        } else if (pregunta.Modo != 0) {
            fuente += "modo: " + std::to_string(pregunta.Modo) + "\n";
        }
        fuente += "ancho: " + std::to_string(pregunta.AnchoMinimo) + "\n";
        if (pregunta.Texto.empty())
            continue;
        std::string_view resto = pregunta.Texto;
        while (true) {
            const size_t fin = resto.find('\r');
            const std::string linea = Utf8DeWindows1252(resto.substr(0, fin));
            fuente += linea.empty() ? ">\n" : "> " + linea + "\n";
            if (fin == std::string_view::npos)
                break;
            resto.remove_prefix(fin + 1);
        }
    }
    return fuente;
}

#include "text_bytes.h"

#include <QFile>

#include "win1252.h"

QString TextoDeBytes(std::string_view bytes) {
    return QString::fromStdString(Utf8DeWindows1252(bytes));
}

std::string BytesDeTexto(const QString& texto) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(texto.size()));
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate())
            ++i;
        const char16_t u = c.unicode();
        const int byte = (u > 0 && u < 0x80) || (u >= 0xA0 && u <= 0xFF) ? u
                         : u == 0                                        ? -1
                                                                         : ByteDeUnicode(u);
        bytes += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return bytes;
}

std::optional<std::string> BytesDeEntrada(const QString& entrada) {
    return Windows1252DeUtf8(entrada.normalized(QString::NormalizationForm_C).toStdString());
}

std::string RutaLocal(const QString& ruta) {
    return QFile::encodeName(ruta).toStdString();
}

QString RutaDeBytes(const std::string& ruta) {
    return QFile::decodeName(QByteArray::fromStdString(ruta));
}

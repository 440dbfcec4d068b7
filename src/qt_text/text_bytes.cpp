#include "text_bytes.h"

#include <QFile>

#include "win1252.h"

QString TextoDeBytes(std::string_view bytes) {
    return QString::fromStdString(Utf8DeWindows1252(bytes));
}

std::optional<std::string> BytesDeEntrada(const QString& entrada) {
    return Windows1252DeUtf8(entrada.normalized(QString::NormalizationForm_C).toStdString());
}

std::string BytesPorUnidad(const QString& texto) {
    std::string bytes(static_cast<size_t>(texto.size()), '?');
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const int byte = texto[i].isSurrogate() ? -1 : ByteDeUnicode(texto[i].unicode());
        if (byte > 0)
            bytes[static_cast<size_t>(i)] = static_cast<char>(byte);
    }
    return bytes;
}

std::string RutaLocal(const QString& ruta) {
    return QFile::encodeName(ruta).toStdString();
}

QString RutaDeBytes(const std::string& ruta) {
    return QFile::decodeName(QByteArray::fromStdString(ruta));
}

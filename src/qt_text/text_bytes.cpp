#include "text_bytes.h"

#include <QFile>

#include "core/base/win1252.h"

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
    // Only a character followed by combining marks is composed: NFC also turns lone signs into
    // letters (the Kelvin sign into K, the Greek ano teleia into the middle dot of "l·l"), and
    // those must stay what was typed, which never matches.
    const QList<uint> codigos = entrada.toUcs4();
    QString compuesta;
    for (qsizetype inicio = 0; inicio < codigos.size();) {
        qsizetype fin = inicio + 1;
        while (fin < codigos.size() && QChar::isMark(codigos[fin]))
            ++fin;
        const auto* primero = reinterpret_cast<const char32_t*>(codigos.data() + inicio);
        const QString base = QString::fromUcs4(primero, 1);
        const QString tramo = QString::fromUcs4(primero, fin - inicio);
        compuesta += base.normalized(QString::NormalizationForm_C) == base
                         ? tramo.normalized(QString::NormalizationForm_C)
                         : tramo;
        inicio = fin;
    }
    return Windows1252DeUtf8(compuesta.toStdString());
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

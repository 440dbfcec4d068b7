#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// Between Qt's text and the bytes the files and the core hold.

// Windows-1252 bytes as text.
QString TextoDeBytes(std::string_view bytes);
// Text as Windows-1252 bytes, each character the code page cannot hold (and a NUL, which
// would end a field early) as one "?".
std::string BytesDeTexto(const QString& texto);
// A learner's entry as Windows-1252 bytes, a letter typed or pasted with a combining accent
// composed into the accented letter and nothing else changed; none when the code page cannot
// hold it.
std::optional<std::string> BytesDeEntrada(const QString& entrada);
// A path as the file system's bytes, and back.
std::string RutaLocal(const QString& ruta);
QString RutaDeBytes(const std::string& ruta);

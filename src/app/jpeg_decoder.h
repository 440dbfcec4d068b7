#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a JPEG with libjpeg; a null image when the bytes do not decode.
QImage DecodificaJpeg(const QByteArray& bytes);

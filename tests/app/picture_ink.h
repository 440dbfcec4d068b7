#pragma once

#include <QImage>

// True when some pixel of the picture is not wholly transparent: a picture that was drawn.
inline bool TieneTinta(const QImage& imagen) {
    for (int y = 0; y < imagen.height(); ++y)
        for (int x = 0; x < imagen.width(); ++x)
            if (qAlpha(imagen.pixel(x, y)) != 0)
                return true;
    return false;
}

#pragma once

#include <QIcon>
#include <QSize>
#include <QString>

// An SVG picture drawn by Qt Svg itself, at `tamano` and at twice it for dense screens, so that
// no picture depends on an image plugin that a system may package apart. The default size suits
// window icons. Null when the picture cannot be read.
QIcon IconoSvg(const QString& ruta, QSize tamano = QSize(64, 64));

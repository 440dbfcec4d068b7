#include "svg_picture.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QIcon IconoSvg(const QString& ruta, QSize tamano) {
    QSvgRenderer dibujo(ruta);
    QIcon icono;
    if (!dibujo.isValid())
        return icono;
    for (const int escala : {1, 2}) {
        // Within the size and with the picture's own proportions, as Qt's icon engine draws it.
        QPixmap imagen(dibujo.defaultSize().scaled(tamano * escala, Qt::KeepAspectRatio));
        imagen.fill(Qt::transparent);
        QPainter pintor(&imagen);
        dibujo.render(&pintor);
        pintor.end();
        icono.addPixmap(imagen);
    }
    return icono;
}

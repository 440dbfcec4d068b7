#include "recent_files.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "editor_settings.h"

namespace {

const QString kClave = QStringLiteral("recientes");

}  // namespace

TRecientes::TRecientes(QMenu* menu, QObject* parent) : QObject(parent), menu_(menu) {
    Actualiza();
}

void TRecientes::Anade(const QString& ruta) {
    QSettings ajustes = AjustesEditor();
    QStringList recientes = ajustes.value(kClave).toStringList();
    const QString absoluta = QFileInfo(ruta).absoluteFilePath();
    recientes.removeAll(absoluta);
    recientes.prepend(absoluta);
    ajustes.setValue(kClave, recientes.mid(0, kMaximo));
    Actualiza();
}

void TRecientes::Actualiza() {
    menu_->clear();
    const QStringList recientes = AjustesEditor().value(kClave).toStringList();
    for (qsizetype i = 0; i < recientes.size(); ++i) {
        const QString ruta = recientes[i];
        QAction* accion =
            menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(ruta).fileName()));
        accion->setToolTip(ruta);
        connect(accion, &QAction::triggered, this, [this, ruta] { emit Elegido(ruta); });
    }
    menu_->setEnabled(!recientes.isEmpty());
}

#include "command_table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include "interface_text.h"
#include "svg_picture.h"

namespace {

QAbstractButton* BotonDe(const TOrden& orden) {
    return std::visit(
        [](auto miembro) -> QAbstractButton* {
            if constexpr (std::is_same_v<decltype(miembro), std::monostate>)
                return nullptr;
            else
                return *miembro;
        },
        orden.Boton);
}

}  // namespace

QString TDosTextos::En(TIdioma idioma) const {
    return Texto(idioma, Castellano, Valenciano);
}

TTablaOrdenes::TTablaOrdenes(QWidget& ventana, std::vector<TMenuOrdenes> menus,
                             std::vector<TOrden> ordenes, TAtajos atajos, TEjecuta ejecuta)
    : ventana_(ventana),
      menus_(std::move(menus)),
      ordenes_(std::move(ordenes)),
      atajos_(atajos),
      ejecuta_(std::move(ejecuta)) {}

void TTablaOrdenes::CreaMenus(QMenuBar* barra) {
    for (const TMenuOrdenes& menu : menus_)
        *menu.Menu = barra->addMenu(QString());
    for (const TOrden& orden : ordenes_) {
        if (orden.Menu != nullptr)
            CreaItem(orden);
        if (!orden.Atajos.isEmpty() && (orden.Menu == nullptr || atajos_ == TAtajos::EnVentana))
            CreaAtajo(orden);
    }
}

void TTablaOrdenes::CreaBotones(QWidget* panel, int arriba, int alto) {
    for (const TOrden& orden : ordenes_) {
        std::visit(
            [panel](auto miembro) {
                if constexpr (!std::is_same_v<decltype(miembro), std::monostate>)
                    *miembro =
                        new std::remove_pointer_t<std::remove_pointer_t<decltype(miembro)>>(panel);
            },
            orden.Boton);
        QAbstractButton* boton = BotonDe(orden);
        if (boton == nullptr)
            continue;
        boton->setGeometry(orden.Izquierda, arriba, orden.Ancho, alto);
        if (qobject_cast<QToolButton*>(boton) != nullptr)
            boton->setFocusPolicy(Qt::NoFocus);
        if (orden.Dibujo != nullptr) {
            boton->setIcon(IconoSvg(QStringLiteral(":/icons/") + QLatin1String(orden.Dibujo),
                                    orden.TamanoDibujo));
            boton->setIconSize(orden.TamanoDibujo);
        }
        Conecta(boton, &QAbstractButton::clicked, orden);
    }
}

void TTablaOrdenes::CambiaIdioma(TIdioma idioma) {
    for (const TMenuOrdenes& menu : menus_)
        (*menu.Menu)->setTitle(menu.Titulo.En(idioma));
    for (const TOrden& orden : ordenes_) {
        if (orden.Submenu != nullptr)
            (*orden.Submenu)->setTitle(orden.Texto.En(idioma));
        else if (orden.Item != nullptr && orden.Texto.Hay())
            (*orden.Item)->setText(orden.Texto.En(idioma));
        if (QAbstractButton* boton = BotonDe(orden)) {
            if (orden.Pista.Hay())
                boton->setToolTip(orden.Pista.En(idioma));
            if (orden.Rotulo.Hay())
                boton->setText(orden.Rotulo.En(idioma));
        }
    }
}

void TTablaOrdenes::CreaItem(const TOrden& orden) {
    QMenu* menu = *orden.Menu;
    if (orden.Submenu != nullptr) {
        *orden.Submenu = menu->addMenu(QString());
        return;
    }
    QAction* item = orden.Texto.Hay() ? menu->addAction(QString()) : menu->addSeparator();
    if (orden.Item != nullptr)
        *orden.Item = item;
    if (!orden.Texto.Hay())
        return;
    if (atajos_ == TAtajos::EnItems)
        item->setShortcuts(orden.Atajos);
    Conecta(item, &QAction::triggered, orden);
}

void TTablaOrdenes::CreaAtajo(const TOrden& orden) {
    auto* atajo = new QAction(&ventana_);
    atajo->setShortcuts(orden.Atajos);
    ventana_.addAction(atajo);
    Conecta(atajo, &QAction::triggered, orden);
}

template <typename Emisor, typename Senal>
void TTablaOrdenes::Conecta(Emisor* emisor, Senal senal, const TOrden& orden) {
    QObject::connect(emisor, senal, &ventana_,
                     [this, manejador = orden.Manejador] { ejecuta_(manejador); });
}

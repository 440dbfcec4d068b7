#pragma once

#include <QKeySequence>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>
#include <variant>
#include <vector>

#include "core/base/language.h"

class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class QToolButton;
class QWidget;

// A text of the interface in both languages; a command without one has both null.
struct TDosTextos {
    const char* Castellano = nullptr;
    const char* Valenciano = nullptr;

    bool Hay() const { return Castellano != nullptr; }
    QString En(TIdioma idioma) const;
};

// A menu of a window's menu bar, in the bar's order, and the window's member that keeps it.
struct TMenuOrdenes {
    QMenu** Menu = nullptr;
    TDosTextos Titulo = {};
};

// One command of a window, one row of its table. Its menu item and its toolbar button are two
// controls that run the same handler; each keeps its own state. The pointers name the
// window's members that keep what the table makes.
struct TOrden {
    using TBoton = std::variant<std::monostate, QToolButton**, QPushButton**>;

    // The menu its item goes into, after the rows before it; none for a button or a shortcut
    // alone. A row with a menu and no caption is a separator.
    QMenu** Menu = nullptr;
    QAction** Item = nullptr;
    // A submenu in the place of the item, titled with the caption.
    QMenu** Submenu = nullptr;
    TDosTextos Texto = {};
    TBoton Boton = {};
    int Izquierda = 0;
    int Ancho = 0;
    TDosTextos Pista = {};
    TDosTextos Rotulo = {};        // the button's own caption, where it has one in both languages
    const char* Dibujo = nullptr;  // in :/icons
    QSize TamanoDibujo = {};
    QList<QKeySequence> Atajos = {};
    std::function<void()> Manejador = {};
};

// Where a table's shortcuts go: onto the menu items, or onto the window apart from them, so
// that no menu item shows one.
enum class TAtajos { EnItems, EnVentana };

// Makes a window's menus, menu items, toolbar buttons and shortcuts from its table, and
// captions them all again in a new language.
class TTablaOrdenes {
  public:
    // ejecuta runs a handler as the window runs its event handlers.
    using TEjecuta = std::function<void(const std::function<void()>& manejador)>;

    TTablaOrdenes(QWidget& ventana, std::vector<TMenuOrdenes> menus, std::vector<TOrden> ordenes,
                  TAtajos atajos, TEjecuta ejecuta);

    void CreaMenus(QMenuBar* barra);
    // The buttons at their left and width, at the given top and height.
    void CreaBotones(QWidget* panel, int arriba, int alto);
    void CambiaIdioma(TIdioma idioma);

  private:
    void CreaItem(const TOrden& orden);
    void CreaAtajo(const TOrden& orden);
    template <typename Emisor, typename Senal>
    void Conecta(Emisor* emisor, Senal senal, const TOrden& orden);

    QWidget& ventana_;
    std::vector<TMenuOrdenes> menus_;
    std::vector<TOrden> ordenes_;
    TAtajos atajos_;
    TEjecuta ejecuta_;
};

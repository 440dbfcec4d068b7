#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "core/base/language.h"

class QLineEdit;
class QShortcut;
class QToolButton;

// A strip of buttons for the letters the sets need, for a learner whose keyboard has no dead
// keys: a click puts its letter into the focused gap of the strip's window, without taking the
// focus from it. The buttons show capitals, and give them, while Shift is held.
class TTiraLetras : public QWidget {
    Q_OBJECT
  public:
    explicit TTiraLetras(QWidget* parent = nullptr);
    ~TTiraLetras() override;

    // The letters in their lower-case forms, in the strip's order.
    static const QStringList& Letras();

    void PonIdioma(TIdioma idioma);
    QToolButton* Boton(const QString& letra) const;
    bool Mayusculas() const { return Mayusculas_; }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void PonMayusculas(bool mayusculas);
    void Pulsa(int indice);

    std::vector<QToolButton*> Botones;
    bool Mayusculas_ = false;
};

// The gap of ventana that has the focus and takes letters, or none.
QLineEdit* HuecoConFoco(const QWidget* ventana);

// letra into the gap as the strip puts it: at the caret when there is room; in a full gap an
// accented vowel in place of its plain vowel just before the caret; otherwise nothing but a beep.
void PonLetraEnHueco(QLineEdit* hueco, const QString& letra);

// Turns the character before the caret of hueco into its next form (o → ó → ò → o, c → ç,
// l → l·l), in a gap of accent practice the last vowel before the caret; a beep where there is
// none or no room.
void CambiaAcento(QLineEdit* hueco, bool practicaAcentos = false);

// The shortcut that runs CambiaAcento on the focused gap of ventana; practicaAcentos tells
// whether the question on screen practises accents.
inline constexpr auto kAtajoAcento = Qt::Key_F2;
QShortcut* InstalaAtajoAcento(QWidget* ventana, std::function<bool()> practicaAcentos = {});

#pragma once

#include <QScrollArea>

// The main window's scrolled client area with its toolbar standing over the top: with nothing
// scrolled the client coordinates are the window's, and a long question scrolls beneath the
// toolbar, which stays in view.
class TAreaCliente : public QScrollArea {
    Q_OBJECT
  public:
    explicit TAreaCliente(QWidget* parent = nullptr);

    // The toolbar, a child of this area at its top left; the vertical scroll bar starts below it.
    void FijaBarra(QWidget* barra);

  protected:
    // Tab brings the next control into view, and not under the toolbar.
    bool focusNextPrevChild(bool next) override;

  private:
    QWidget* Barra = nullptr;
};

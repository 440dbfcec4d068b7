#pragma once

#include <QUndoCommand>

#include <vector>

#include "document.h"
#include "interface_text.h"

// The undoable changes of a TDocumento. Each reaches the document only through its primitive
// changes, which keep the caches and tell the views, in redo and undo alike.
class TComandoDocumento : public QUndoCommand {
  public:
    // The step's name for the undo menu in both languages; Nombra shows one of them.
    void PonNombres(const char* castellano, const char* valenciano) {
        castellano_ = castellano;
        valenciano_ = valenciano;
    }
    void Nombra(TIdioma idioma) { setText(Texto(idioma, castellano_, valenciano_)); }

  protected:
    explicit TComandoDocumento(TDocumento& documento, QUndoCommand* padre = nullptr)
        : QUndoCommand(padre), documento_(documento) {}

    void PonPregunta(int fila, const TPreguntaEditada& pregunta) {
        documento_.PonPregunta(fila, pregunta);
    }
    void PonTema(const std::vector<int>& filas, const QString& tema) {
        documento_.PonTema(filas, tema);
    }
    void InsertaFila(int fila, const TPreguntaEditada& pregunta) {
        documento_.InsertaFila(fila, pregunta);
    }
    void QuitaFila(int fila) { documento_.QuitaFila(fila); }
    void MueveFila(int desde, int hasta) { documento_.MueveFila(desde, hasta); }
    const TPreguntaEditada& Pregunta(int fila) const { return documento_.Pregunta(fila); }

  private:
    TDocumento& documento_;
    const char* castellano_ = "";
    const char* valenciano_ = "";
};

// Steps done and undone as one: its children, in order and back.
class TComandoGrupo : public TComandoDocumento {
  public:
    explicit TComandoGrupo(TDocumento& documento) : TComandoDocumento(documento) {}
};

// A change of one question's fields: topic, mode, minimum width or text.
class TComandoCambia : public TComandoDocumento {
  public:
    // Typing merges: consecutive text changes of one question are one step.
    enum { kIdTexto = 1 };

    // escritura: the typing session of a text change (only one session merges), or -1.
    TComandoCambia(TDocumento& documento, int fila, TPreguntaEditada despues, int escritura);
    void redo() override;
    void undo() override;
    int id() const override { return escritura_ >= 0 ? kIdTexto : -1; }
    bool mergeWith(const QUndoCommand* otro) override;

  private:
    int fila_;
    TPreguntaEditada antes_;
    TPreguntaEditada despues_;
    int escritura_;
};

class TComandoInserta : public TComandoDocumento {
  public:
    TComandoInserta(TDocumento& documento, int fila, TPreguntaEditada pregunta);
    void redo() override { InsertaFila(fila_, pregunta_); }
    void undo() override { QuitaFila(fila_); }

  private:
    int fila_;
    TPreguntaEditada pregunta_;
};

class TComandoBorra : public TComandoDocumento {
  public:
    TComandoBorra(TDocumento& documento, int fila);
    void redo() override { QuitaFila(fila_); }
    void undo() override { InsertaFila(fila_, pregunta_); }

  private:
    int fila_;
    TPreguntaEditada pregunta_;
};

class TComandoMueve : public TComandoDocumento {
  public:
    TComandoMueve(TDocumento& documento, int desde, int hasta, QUndoCommand* padre = nullptr);
    void redo() override { MueveFila(desde_, hasta_); }
    void undo() override { MueveFila(hasta_, desde_); }

  private:
    int desde_;
    int hasta_;
};

// A topic renamed in every question that has it.
class TComandoRenombraTema : public TComandoDocumento {
  public:
    TComandoRenombraTema(TDocumento& documento, std::vector<int> filas, QString viejo,
                         QString nuevo);
    void redo() override { PonTema(filas_, nuevo_); }
    void undo() override { PonTema(filas_, viejo_); }

  private:
    std::vector<int> filas_;
    QString viejo_;
    QString nuevo_;
};

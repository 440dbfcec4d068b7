#pragma once

#include <QSortFilterProxyModel>
#include <QWidget>

#include <cstdint>

#include "core/base/language.h"
#include "document.h"

class QComboBox;
class QLineEdit;
class QTableView;
class QTimer;

// Which questions the list shows: those whose text holds the words searched for and whose topic
// is the one chosen; rows with a problem carry a mark.
class TFiltroPreguntas : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void PonBusqueda(const QString& texto);
    void PonTema(const QString& tema);
    void QuitaTema();

    QVariant data(const QModelIndex& indice, int rol) const override;

  protected:
    bool filterAcceptsRow(int fila, const QModelIndex& padre) const override;

  private:
    QString busqueda_;
    bool filtraTema_ = false;
    QString tema_;
};

// The questions of the document, one row each, with a search field and a topic filter above.
class TListaPreguntas : public QWidget {
    Q_OBJECT
  public:
    TListaPreguntas(TDocumento& documento, QWidget* parent = nullptr);

    QLineEdit* edBuscar = nullptr;
    QComboBox* cbFiltroTema = nullptr;
    QTableView* Tabla = nullptr;
    TFiltroPreguntas* Filtro = nullptr;

    // The document row of the current question, or -1.
    int FilaActual() const;
    // Selects the document row, dropping the filters when they hide it.
    void SeleccionaFila(int fila);
    void CambiaIdioma(TIdioma idioma);

  signals:
    void FilaCambiada(int fila);

  private:
    void OfreceTemas();
    void cbFiltroTemaChange();

    TDocumento& documento_;
    QTimer* temasPendientes_ = nullptr;
    QStringList temas_;  // the topics offered, in full, after "every topic"
};

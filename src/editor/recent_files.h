#pragma once

#include <QObject>
#include <QString>

class QMenu;

// The files opened or saved lately, kept in the editor's settings, and the menu that offers
// them.
class TRecientes : public QObject {
    Q_OBJECT
  public:
    explicit TRecientes(QMenu* menu, QObject* parent = nullptr);
    void Anade(const QString& ruta);

  signals:
    void Elegido(const QString& ruta);

  private:
    void Actualiza();

    static constexpr int kMaximo = 8;
    QMenu* menu_;
};

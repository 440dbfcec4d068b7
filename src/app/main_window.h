#pragma once

#include <QMainWindow>

class TfrmTildora : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmTildora(QWidget* parent = nullptr);
};

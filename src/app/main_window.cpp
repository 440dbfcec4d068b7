#include "main_window.h"

TfrmTildora::TfrmTildora(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Tildora"));
    resize(750, 550);
}

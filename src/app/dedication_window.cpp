#include "dedication_window.h"

TfrmDedicatoria::TfrmDedicatoria(QWidget* parent) : QDialog(parent) {}
const QString TfrmDedicatoria::Titulo = QStringLiteral("Dedicatoria");
void TfrmDedicatoria::lblTexto1DblClick() {}
void TfrmDedicatoria::btnOKClick() { accept(); }

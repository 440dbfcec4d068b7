#include "go_to_dialog.h"

TfrmLeeInicial::TfrmLeeInicial(QWidget* parent) : QDialog(parent) {}
void TfrmLeeInicial::FormActivate() {}
void TfrmLeeInicial::showEvent(QShowEvent* evento) { QDialog::showEvent(evento); FormActivate(); }

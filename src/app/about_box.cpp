#include "about_box.h"

TfrmSobreElPrograma::TfrmSobreElPrograma(QWidget* parent) : QDialog(parent) {}
void TfrmSobreElPrograma::FormActivate() {}
void TfrmSobreElPrograma::showEvent(QShowEvent* evento) { QDialog::showEvent(evento); FormActivate(); }

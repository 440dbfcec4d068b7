#include "wait_notice.h"

TfrmAviso::TfrmAviso(QWidget* parent) : QDialog(parent) {}
void TfrmAviso::FormActivate() {}
void TfrmAviso::showEvent(QShowEvent* evento) { QDialog::showEvent(evento); FormActivate(); }

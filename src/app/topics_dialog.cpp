#include "topics_dialog.h"

TfrmTemas::TfrmTemas(QWidget* parent) : QDialog(parent) {}
void TfrmTemas::AnadeTema(const QString&, bool) {}
std::vector<bool> TfrmTemas::Marcas() const { return {}; }
void TfrmTemas::ActualizaAceptar() {}
void TfrmTemas::FormActivate() {}
void TfrmTemas::showEvent(QShowEvent* evento) { QDialog::showEvent(evento); FormActivate(); }

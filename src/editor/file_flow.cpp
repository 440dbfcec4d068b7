#include "file_flow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "document.h"
#include "interface_text.h"
#include "notices.h"
#include "recent_files.h"

namespace {

QString ConExtension(const QString& ruta, const QString& extension) {
    const QFileInfo fichero(ruta);
    return fichero.path() + QLatin1Char('/') + fichero.completeBaseName() + extension;
}

}  // namespace

TFlujoFicheros::TFlujoFicheros(TDocumento& documento, QMenu* menuRecientes, QWidget* ventana)
    : QObject(ventana),
      documento_(documento),
      recientes_(new TRecientes(menuRecientes, this)),
      ventana_(ventana) {
    EligeFichero = [this](TDialogo tipo, const QString& propuesta) {
        return DialogoFichero(tipo, propuesta);
    };
    connect(&documento_, &TDocumento::DocumentoReemplazado, this,
            [this] { textoImportado_.clear(); });
    PreguntaCambios = [this] {
        const TIdioma idioma = documento_.Idioma();
        // The program's name reads the same in both languages.
        QMessageBox caja(QMessageBox::Warning, QStringLiteral("Editor de Tildora"),
                         Texto(idioma, "«%1» tiene cambios sin guardar. ¿Quiere guardarlos?",
                               "«%1» té canvis sense guardar. Voleu guardar-los?")
                             .arg(NombreDocumento()),
                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, ventana_);
        caja.setDefaultButton(QMessageBox::Save);
        return static_cast<QMessageBox::StandardButton>(caja.exec());
    };
    connect(recientes_, &TRecientes::Elegido, this, [this](const QString& ruta) {
        ProtegeManejador([this, ruta] {
            if (ConfirmaCambios())
                Abre(ruta);
        });
    });
}

QString TFlujoFicheros::DialogoFichero(TDialogo tipo, const QString& propuesta) {
    const TIdioma idioma = documento_.Idioma();
    // Qt's own dialog, so that every caption follows the interface language.
    QFileDialog dialogo(ventana_);
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setDirectory(QFileInfo(propuesta).path());
    dialogo.setLabelText(QFileDialog::LookIn, Texto(idioma, "Buscar en:", "Busca en:"));
    dialogo.setLabelText(QFileDialog::FileName, Texto(idioma, "Nombre:", "Nom:"));
    dialogo.setLabelText(QFileDialog::FileType, Texto(idioma, "Tipo:", "Tipus:"));
    dialogo.setLabelText(QFileDialog::Reject, Texto(idioma, "Cancelar", "Cancel·la"));
    if (tipo == TDialogo::Abrir) {
        dialogo.setWindowTitle(Texto(idioma, "Abrir", "Obrir"));
        dialogo.setLabelText(QFileDialog::Accept, Texto(idioma, "&Abrir", "&Obri"));
        dialogo.setNameFilters({Texto(idioma, "Preguntas y textos fuente (*.preg *.txt)",
                                      "Preguntes i textos font (*.preg *.txt)"),
                                Texto(idioma, "Todos los ficheros (*)", "Tots els fitxers (*)")});
        dialogo.setAcceptMode(QFileDialog::AcceptOpen);
        dialogo.setFileMode(QFileDialog::ExistingFile);
    } else {
        const bool conjunto = tipo == TDialogo::GuardarConjunto;
        dialogo.setWindowTitle(conjunto
                                   ? Texto(idioma, "Guardar como", "Guardar com")
                                   : Texto(idioma, "Exportar texto fuente", "Exportar text font"));
        dialogo.setLabelText(QFileDialog::Accept, Texto(idioma, "&Guardar", "&Guarda"));
        dialogo.setNameFilter(
            conjunto
                ? Texto(idioma, "Ficheros de preguntas (*.preg)", "Fitxers de preguntes (*.preg)")
                : Texto(idioma, "Texto fuente (*.txt)", "Text font (*.txt)"));
        dialogo.setDefaultSuffix(conjunto ? QStringLiteral("preg") : QStringLiteral("txt"));
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        dialogo.selectFile(QFileInfo(propuesta).fileName());
    }
    return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
}

QString TFlujoFicheros::NombreDocumento() const {
    return documento_.Ruta().isEmpty() ? Texto(documento_.Idioma(), "Sin título", "Sense títol")
                                       : QFileInfo(documento_.Ruta()).fileName();
}

QString TFlujoFicheros::NombreConjunto() const {
    if (!documento_.Ruta().isEmpty())
        return QFileInfo(documento_.Ruta()).completeBaseName();
    if (!textoImportado_.isEmpty())
        return QFileInfo(textoImportado_).completeBaseName();
    return NombreDocumento();
}

void TFlujoFicheros::TextoImportado(const QString& ruta) {
    if (documento_.Ruta().isEmpty())
        textoImportado_ = ruta;
}

bool TFlujoFicheros::ConfirmaCambios() {
    ConfirmaEdicion();
    if (!documento_.Modificado())
        return true;
    switch (PreguntaCambios()) {
        case QMessageBox::Save:
            return Guarda();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

QString TFlujoFicheros::CarpetaDialogos() const {
    if (!documento_.Ruta().isEmpty())
        return QFileInfo(documento_.Ruta()).absolutePath();
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documentos).isDir() ? documentos : QDir::homePath();
}

QString TFlujoFicheros::Propuesta(const char* castellano, const char* valenciano,
                                  const QString& extension) const {
    if (!documento_.Ruta().isEmpty())
        return ConExtension(documento_.Ruta(), extension);
    if (!textoImportado_.isEmpty())
        return ConExtension(QFileInfo(textoImportado_).absoluteFilePath(), extension);
    return CarpetaDialogos() + QLatin1Char('/') +
           Texto(documento_.Idioma(), castellano, valenciano) + extension;
}

bool TFlujoFicheros::Abre(const QString& ruta) {
    const bool esConjunto =
        QFileInfo(ruta).suffix().compare(QStringLiteral("preg"), Qt::CaseInsensitive) == 0;
    QStringList aviso;
    QString error;
    const bool abierto = esConjunto ? documento_.AbreConjunto(ruta, &aviso, &error)
                                    : documento_.AbreFuente(ruta, &error);
    if (!abierto) {
        if (!aviso.isEmpty()) {
            Pitido();
            MuestraAviso(aviso);
        } else {
            MuestraError(error);
        }
        return false;
    }
    recientes_->Anade(ruta);
    return true;
}

void TFlujoFicheros::EligeYAbre() {
    if (!ConfirmaCambios())
        return;
    const QString ruta = EligeFichero(TDialogo::Abrir, CarpetaDialogos() + QLatin1Char('/'));
    if (!ruta.isEmpty())
        Abre(ruta);
}

bool TFlujoFicheros::Guarda() {
    ConfirmaEdicion();
    return documento_.EsConjunto() ? GuardaEn(documento_.Ruta()) : GuardaComo();
}

bool TFlujoFicheros::GuardaComo() {
    ConfirmaEdicion();
    QString ruta = EligeFichero(TDialogo::GuardarConjunto,
                                Propuesta("preguntas", "preguntes", QStringLiteral(".preg")));
    if (ruta.isEmpty())
        return false;
    if (QFileInfo(ruta).suffix().isEmpty())
        ruta += QStringLiteral(".preg");
    return GuardaEn(ruta);
}

bool TFlujoFicheros::GuardaEn(const QString& ruta) {
    QString error;
    if (!documento_.GuardaConjunto(ruta, &error)) {
        MuestraError(error);
        return false;
    }
    recientes_->Anade(ruta);
    emit Guardado();
    return true;
}

void TFlujoFicheros::Exporta() {
    const QString ruta = EligeFichero(TDialogo::ExportarFuente,
                                      Propuesta("preguntas", "preguntes", QStringLiteral(".txt")));
    if (ruta.isEmpty())
        return;
    QString error;
    if (!documento_.ExportaFuente(ruta, &error))
        MuestraError(error);
}

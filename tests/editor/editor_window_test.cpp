#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QSpinBox>
#include <QUndoStack>

#include "core/set/question_files.h"
#include "editor_fixture.h"

namespace {

std::vector<TPregunta> DosTemas() {
    return {Legible("Plurales", "La casa@s@ es blanca y las casas son grandes"),
            Legible("Acentos", W("El cami@ó@n va por el camino de la sierra")),
            Legible("Plurales", "Los perro@s@ ladran")};
}

std::string Bytes(const QString& ruta) {
    return LeeFicheroEntero(ruta.toStdString());
}

}  // namespace

TEST_F(Editor, StartsWithOneEmptyQuestionSelectedInTheFocusedList) {
    EXPECT_EQ(ventana->Documento.Cuenta(), 1);
    EXPECT_EQ(ventana->FilaActual(), 0);
    EXPECT_EQ(QApplication::focusWidget(), ventana->Lista->Tabla);
    EXPECT_FALSE(ventana->isWindowModified());
    EXPECT_EQ(ventana->windowTitle(), QStringLiteral("Sense títol[*] - Editor de Tildora"));
    EXPECT_TRUE(ventana->Formulario->edTexto->isEnabled());
    EXPECT_EQ(Pool().lblTema->text(), QStringLiteral(" (Pregunta nº 1)"));
}

TEST_F(Editor, OpensASetWithItsFirstQuestionInTheFormAndThePreview) {
    Abre(EscribeSet("tema1.preg", DosTemas()));
    ASSERT_TRUE(errores.isEmpty() && avisos.isEmpty()) << errores.join(' ').toStdString();
    EXPECT_EQ(ventana->Lista->Tabla->model()->rowCount(), 3);
    EXPECT_EQ(ventana->FilaActual(), 0);
    EXPECT_EQ(ventana->windowTitle(), QStringLiteral("tema1.preg[*] - Editor de Tildora"));
    EXPECT_EQ(ventana->Formulario->cbTema->currentText(), QStringLiteral("Plurales"));
    EXPECT_EQ(Texto()->toPlainText(),
              QStringLiteral("La casa@s@ es blanca y las casas son grandes"));
    EXPECT_EQ(Pool().lblTema->text(), QStringLiteral("Plurales (Pregunta nº 1)"));
    EXPECT_EQ(RespuestasPrevia(), QStringList{QStringLiteral("s")});
    // The gaps are the exercise window's, but nothing can be typed into them here.
    EXPECT_TRUE(Pool().Huecos[1]->isReadOnly());

    // The recent files live in the configuration folder, never in the real home.
    const QStringList recientes =
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tildora"),
                  QStringLiteral("tildora-editor"))
            .value(QStringLiteral("recientes"))
            .toStringList();
    ASSERT_FALSE(recientes.isEmpty());
    EXPECT_EQ(recientes.first(), Ruta("tema1.preg"));
    EXPECT_TRUE(QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tildora"),
                          QStringLiteral("tildora-editor"))
                    .fileName()
                    .startsWith(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"))));
    ASSERT_TRUE(ventana->menuRecientes->isEnabled());
    EXPECT_EQ(ventana->menuRecientes->actions().first()->text(), QStringLiteral("&1 tema1.preg"));
}

TEST_F(Editor, ASetThatTheProgramRefusesShowsItsNoticeAndOpensNothing) {
    const QString ruta = EscribeSet("roto.preg", DosTemas());
    {
        QFile fichero(ruta);
        ASSERT_TRUE(fichero.open(QIODevice::ReadWrite));
        fichero.seek(3);
        fichero.write("X");
    }
    Abre(ruta);
    // The exercise program's own notice, word for word.
    TAviso esperado;
    ASSERT_FALSE(CompruebaFicheros(ruta.toStdString(), kClave, &esperado));
    QStringList partes;
    for (const std::string& parte : esperado)
        partes << QString::fromStdString(parte);
    EXPECT_EQ(avisos, QStringList{TextoAviso(partes)});
    EXPECT_EQ(ventana->Documento.Cuenta(), 1);
    EXPECT_TRUE(ventana->Documento.Ruta().isEmpty());
}

TEST_F(Editor, SaveWritesTheSetInPlaceAndSaveAsAsksForAName) {
    const QString ruta = EscribeSet("tema1.preg", DosTemas());
    Abre(ruta);
    ventana->Lista->Tabla->setFocus();
    Pulsa(Qt::ALT | Qt::Key_Down);
    ASSERT_TRUE(ventana->isWindowModified());
    dialogos.clear();
    Pulsa(Qt::CTRL | Qt::Key_S);
    EXPECT_TRUE(dialogos.isEmpty()) << "a set opened from a .preg saves in place";
    EXPECT_FALSE(ventana->isWindowModified());
    std::vector<TPregunta> esperadas = DosTemas();
    std::swap(esperadas[0], esperadas[1]);
    const TConjuntoEscrito escrito = ConstruyeConjunto(esperadas);
    EXPECT_EQ(Bytes(ruta), escrito.Preguntas);
    EXPECT_EQ(Bytes(Ruta("tema1.ind")), escrito.Indice);

    // Save As: the dialog proposes the set's name, and a name without extension gets ".preg".
    eleccion = Ruta("copia");
    Pulsa(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    ASSERT_EQ(dialogos, QList{TFlujoFicheros::TDialogo::GuardarConjunto});
    EXPECT_EQ(propuestas.last(), ruta);
    EXPECT_EQ(Bytes(Ruta("copia.preg")), escrito.Preguntas);
    EXPECT_EQ(ventana->windowTitle(), QStringLiteral("copia.preg[*] - Editor de Tildora"));
}

TEST_F(Editor, SavingANewDocumentAsksForANameAndCancellingKeepsItUnsaved) {
    ventana->Formulario->cbTema->setFocus();
    Escribe(QStringLiteral("Uso de la b"));
    Texto()->setFocus();
    Escribe(QStringLiteral("Una pregunta con un @hueco@ y un texto normal"));
    ASSERT_TRUE(ventana->isWindowModified());

    eleccion.clear();
    Pulsa(Qt::CTRL | Qt::Key_S);
    ASSERT_EQ(dialogos, QList{TFlujoFicheros::TDialogo::GuardarConjunto});
    EXPECT_TRUE(ventana->isWindowModified());
    EXPECT_TRUE(errores.isEmpty());

    eleccion = Ruta("nuevo.preg");
    Pulsa(Qt::CTRL | Qt::Key_S);
    EXPECT_FALSE(ventana->isWindowModified());
    EXPECT_EQ(Bytes(eleccion), ConstruyeConjunto({{0, 0, "Uso de la b",
                                                   "Una pregunta con un @hueco@ y un texto "
                                                   "normal"}})
                                   .Preguntas);
    // Now a set: the next Save writes in place without asking.
    dialogos.clear();
    Texto()->setFocus();
    Escribe(QStringLiteral("."));
    Pulsa(Qt::CTRL | Qt::Key_S);
    EXPECT_TRUE(dialogos.isEmpty());
    EXPECT_FALSE(ventana->isWindowModified());
}

TEST_F(Editor, ASaveThatTheProgramWouldRefuseSaysWhyAndKeepsTheChanges) {
    Texto()->setFocus();
    Escribe(QStringLiteral("@@@"));
    eleccion = Ruta("malo.preg");
    Pulsa(Qt::CTRL | Qt::Key_S);
    ASSERT_EQ(errores.size(), 1);
    EXPECT_TRUE(ventana->isWindowModified());
    EXPECT_FALSE(QFile::exists(eleccion));
}

TEST_F(Editor, UnsavedChangesAskBeforeTheyAreLost) {
    const QString ruta = EscribeSet("tema1.preg", DosTemas());
    Abre(ruta);
    Texto()->setFocus();
    Escribe(QStringLiteral("xyz"));
    ASSERT_TRUE(ventana->isWindowModified());

    // Cancel keeps the window and the changes.
    respuestaCambios = QMessageBox::Cancel;
    EXPECT_FALSE(ventana->close());
    EXPECT_TRUE(ventana->isVisible());
    EXPECT_EQ(preguntasCambios, 1);
    Pulsa(Qt::CTRL | Qt::Key_N);
    EXPECT_EQ(preguntasCambios, 2);
    EXPECT_EQ(ventana->Documento.Cuenta(), 3);
    EXPECT_TRUE(ventana->isWindowModified());

    // Discard drops them: the new document replaces the set, which is as it was on disk.
    respuestaCambios = QMessageBox::Discard;
    Pulsa(Qt::CTRL | Qt::Key_N);
    EXPECT_EQ(ventana->Documento.Cuenta(), 1);
    EXPECT_FALSE(ventana->isWindowModified());
    EXPECT_EQ(Bytes(ruta), ConstruyeConjunto(DosTemas()).Preguntas);

    // Save writes them before the window closes.
    Abre(ruta);
    Texto()->setFocus();
    Pulsa(Qt::Key_End);
    Escribe(QStringLiteral(" bien"));
    respuestaCambios = QMessageBox::Save;
    EXPECT_TRUE(ventana->close());
    std::vector<TPregunta> esperadas = DosTemas();
    esperadas[0].Texto += " bien";
    EXPECT_EQ(Bytes(ruta), ConstruyeConjunto(esperadas).Preguntas);
}

TEST_F(Editor, OpeningASourceTextSavesAsANewSet) {
    const QString fuente = Ruta("fuente.txt");
    {
        QFile fichero(fuente);
        ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
        fichero.write("tema: Acentos\nmodo: 1\n> El cami@\xC3\xB3@n\n");
    }
    Abre(fuente);
    ASSERT_TRUE(errores.isEmpty()) << errores.join(' ').toStdString();
    EXPECT_EQ(Texto()->toPlainText(), QStringLiteral("El cami@ó@n"));
    EXPECT_TRUE(ventana->Formulario->chkAcentos->isChecked());
    // The accent question starts with its answer stripped of accents, as the learner sees it.
    EXPECT_EQ(Pool().Huecos[1]->text(), QStringLiteral("o"));
    dialogos.clear();
    eleccion.clear();
    Pulsa(Qt::CTRL | Qt::Key_S);
    ASSERT_EQ(dialogos, QList{TFlujoFicheros::TDialogo::GuardarConjunto});
    EXPECT_EQ(propuestas.last(), Ruta("fuente.preg"));
}

TEST_F(Editor, ALanguageSwitchChangesEveryCaptionAtOnce) {
    struct TCaso {
        std::function<QString(TfrmEditor&)> Texto;
        QString Valenciano;
        QString Castellano;
    };
    const std::vector<TCaso> casos = {
        {[](TfrmEditor& v) { return v.menuFichero->title(); }, "&Fitxer", "&Fichero"},
        {[](TfrmEditor& v) { return v.menuAbrir->text(); }, "&Obrir...", "&Abrir..."},
        {[](TfrmEditor& v) { return v.menuEdicion->title(); }, "&Edició", "&Edición"},
        {[](TfrmEditor& v) { return v.menuDeshacer->text(); }, "&Desfer", "&Deshacer"},
        {[](TfrmEditor& v) { return v.menuHueco->text(); }, "&Fer un buit", "&Hacer un hueco"},
        {[](TfrmEditor& v) { return v.Formulario->chkAcentos->text(); }, "Pràctica d'&accents",
         "Práctica de &acentos"},
        {[](TfrmEditor& v) { return v.Lista->cbFiltroTema->itemText(0); }, "Tots els temes",
         "Todos los temas"},
        {[](TfrmEditor& v) { return v.Pestanas->tabText(1); }, "Temes", "Temas"},
        {[](TfrmEditor& v) {
             return v.Documento.headerData(TDocumento::ColTema, Qt::Horizontal, Qt::DisplayRole)
                 .toString();
         },
         "Tema", "Tema"},
        {[](TfrmEditor& v) { return v.windowTitle(); }, "Sense títol[*] - Editor de Tildora",
         "Sin título[*] - Editor de Tildora"},
    };
    EXPECT_FALSE(ventana->menuValenciano->isEnabled());
    for (const TCaso& caso : casos)
        EXPECT_EQ(caso.Texto(*ventana), caso.Valenciano);
    ventana->menuCastellano->trigger();
    EXPECT_FALSE(ventana->menuCastellano->isEnabled());
    EXPECT_TRUE(ventana->menuValenciano->isEnabled());
    for (const TCaso& caso : casos)
        EXPECT_EQ(caso.Texto(*ventana), caso.Castellano);
    // Undo keeps working with its caption made again.
    Texto()->setFocus();
    Escribe(QStringLiteral("abc"));
    const QString pasoCastellano = ventana->Documento.Pila()->undoText();
    ventana->menuValenciano->trigger();
    EXPECT_EQ(ventana->menuFichero->title(), QStringLiteral("&Fitxer"));
    // The step already taken is named in the new language too.
    EXPECT_NE(ventana->Documento.Pila()->undoText(), pasoCastellano);
    EXPECT_EQ(ventana->menuDeshacer->text(),
              QStringLiteral("&Desfer ") + ventana->Documento.Pila()->undoText());
    Texto()->setFocus();
    Pulsa(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(Texto()->toPlainText(), QString());
}

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextLayout>
#include <QTreeWidget>

#include "checks_panel.h"
#include "core/set/settings.h"
#include "editor_fixture.h"
#include "hostile_sets.h"
#include "topics_panel.h"

namespace {

std::vector<TPregunta> TresPreguntas() {
    return {Legible("Plurales", "La casa@s@ es blanca"), Legible("Acentos", W("El cami@ó@n")),
            Legible("Plurales", "Los perro@s@ ladran")};
}

}  // namespace

class Edicion : public Editor {
  protected:
    void SetUp() override {
        Editor::SetUp();
        Abre(EscribeSet("tema1.preg", TresPreguntas()));
        ASSERT_EQ(ventana->Documento.Cuenta(), 3);
    }
};

TEST_F(Edicion, TypingChangesThePreviewAtOnceAndUndoesInOneStep) {
    Texto()->setFocus();
    Texto()->selectAll();
    Escribe(QStringLiteral("Las casa@s@ y "));
    Pulsa(Qt::Key_Return);
    Escribe(QStringLiteral("lo@s@ perros"));
    EXPECT_EQ(Preguntas()[0].Texto, QStringLiteral("Las casa@s@ y \rlo@s@ perros"));
    EXPECT_EQ(TextosPrevia(),
              (QStringList{QStringLiteral("Las "), QStringLiteral("casa"), QStringLiteral(" "),
                           QStringLiteral("y "), QStringLiteral("lo"), QStringLiteral(" "),
                           QStringLiteral("perros ")}));
    EXPECT_EQ(RespuestasPrevia(), (QStringList{QStringLiteral("s"), QStringLiteral("s")}));
    // The second paragraph starts a line lower, at the paragraph indent.
    EXPECT_EQ(Pool().Textos[5]->x(), 32);
    EXPECT_GT(Pool().Textos[5]->y(), Pool().Textos[1]->y());
    EXPECT_TRUE(ventana->isWindowModified());
    EXPECT_TRUE(ventana->Lista->Tabla->model()
                    ->index(0, TDocumento::ColTexto)
                    .data()
                    .toString()
                    .startsWith(QStringLiteral("Las casa")));

    Pulsa(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(Texto()->toPlainText(), QStringLiteral("La casa@s@ es blanca"));
    EXPECT_EQ(TextosPrevia().first(), QStringLiteral("La "));
    EXPECT_FALSE(ventana->isWindowModified());
    Pulsa(Qt::CTRL | Qt::Key_Y);
    EXPECT_EQ(Preguntas()[0].Texto, QStringLiteral("Las casa@s@ y \rlo@s@ perros"));
    Pulsa(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    EXPECT_EQ(Preguntas()[0].Texto, QStringLiteral("Las casa@s@ y \rlo@s@ perros"));
    Pulsa(Qt::CTRL | Qt::Key_Z);
    // Nothing more to undo after the first step: the set is as opened.
    Pulsa(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(Preguntas()[0].Texto, QStringLiteral("La casa@s@ es blanca"));
    EXPECT_EQ(ventana->Documento.Pila()->index(), 0);
}

TEST_F(Edicion, MakeAGapWrapsTheSelectionInGapMarks) {
    Texto()->setFocus();
    Pulsa(Qt::Key_End);
    Escribe(QStringLiteral(" ya"));
    QTextCursor cursor = Texto()->textCursor();
    cursor.setPosition(14);  // "blanca"
    cursor.setPosition(20, QTextCursor::KeepAnchor);
    Texto()->setTextCursor(cursor);
    Pulsa(Qt::CTRL | Qt::Key_G);
    EXPECT_EQ(Preguntas()[0].Texto, QStringLiteral("La casa@s@ es @blanca@ ya"));
    EXPECT_EQ(RespuestasPrevia(), (QStringList{QStringLiteral("s"), QStringLiteral("blanca")}));
    // The gap is an undo step of its own, apart from the typing before it.
    Pulsa(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(Preguntas()[0].Texto, QStringLiteral("La casa@s@ es blanca ya"));
    Pulsa(Qt::CTRL | Qt::Key_Y);
    EXPECT_EQ(Preguntas()[0].Texto, QStringLiteral("La casa@s@ es @blanca@ ya"));

    // Without a selection: an empty gap with the cursor inside it, ready for the answer.
    Pulsa(Qt::Key_End);
    Escribe(QStringLiteral(" y "));
    Pulsa(Qt::CTRL | Qt::Key_G);
    Escribe(QStringLiteral("limpia"));
    EXPECT_EQ(Preguntas()[0].Texto, QStringLiteral("La casa@s@ es @blanca@ ya y @limpia@"));
    EXPECT_EQ(RespuestasPrevia().last(), QStringLiteral("limpia"));
}

TEST_F(Edicion, GapMarksAreTintedAndAnUnpairedOneIsRedWhereItStands) {
    Texto()->setFocus();
    Texto()->selectAll();
    Escribe(QStringLiteral("La @casa@ y @roto"));
    Pulsa(Qt::Key_Return);
    Escribe(QStringLiteral("x@y@"));
    const auto fondo = [this](int linea, int posicion) {
        const QTextBlock bloque = Texto()->document()->findBlockByNumber(linea);
        for (const QTextLayout::FormatRange& tramo : bloque.layout()->formats())
            if (tramo.start <= posicion && posicion < tramo.start + tramo.length)
                return tramo.format.background().color();
        return QColor();
    };
    const QColor rojo(0xd0, 0x10, 0x10);
    EXPECT_EQ(fondo(0, 12), rojo);
    EXPECT_NE(fondo(0, 3), rojo);
    EXPECT_TRUE(fondo(0, 5).isValid()) << "an answer is tinted";
    EXPECT_FALSE(fondo(0, 10).isValid()) << "text outside the gaps is not";
    // Marks pair within their paragraph only, as the layout reads them.
    EXPECT_NE(fondo(1, 1), rojo);
    EXPECT_TRUE(fondo(1, 2).isValid());
}

TEST_F(Edicion, AltUpAndDownMoveTheQuestionAndTheSelectionFollows) {
    ventana->Lista->Tabla->setFocus();
    Pulsa(Qt::ALT | Qt::Key_Down);
    EXPECT_EQ(Preguntas()[0].Tema, QStringLiteral("Acentos"));
    EXPECT_EQ(Preguntas()[1].Tema, QStringLiteral("Plurales"));
    EXPECT_EQ(ventana->FilaActual(), 1);
    EXPECT_EQ(Pool().lblTema->text(), QStringLiteral("Plurales (Pregunta nº 2)"));
    Pulsa(Qt::ALT | Qt::Key_Down);
    EXPECT_EQ(ventana->FilaActual(), 2);
    EXPECT_FALSE(ventana->menuBajar->isEnabled());
    Pulsa(Qt::ALT | Qt::Key_Down);
    EXPECT_EQ(ventana->FilaActual(), 2);
    EXPECT_EQ(Preguntas()[2].Texto, QStringLiteral("La casa@s@ es blanca"));

    // Also from the text, and undone step by step.
    Texto()->setFocus();
    Pulsa(Qt::ALT | Qt::Key_Up);
    EXPECT_EQ(ventana->FilaActual(), 1);
    EXPECT_EQ(Preguntas()[1].Texto, QStringLiteral("La casa@s@ es blanca"));
    Pulsa(Qt::CTRL | Qt::Key_Z);
    Pulsa(Qt::CTRL | Qt::Key_Z);
    Pulsa(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(Preguntas()[0].Texto, QStringLiteral("La casa@s@ es blanca"));
    EXPECT_FALSE(ventana->isWindowModified());
}

TEST_F(Edicion, ARowDroppedInTheListMovesItsQuestion) {
    // What the list's drag and drop hands the model, through the filter in between.
    QAbstractItemModel* modelo = ventana->Lista->Tabla->model();
    QMimeData* datos = modelo->mimeData({modelo->index(0, TDocumento::ColNumero)});
    ASSERT_NE(datos, nullptr);
    EXPECT_TRUE(modelo->dropMimeData(datos, Qt::MoveAction, 3, 0, {}));
    delete datos;
    EXPECT_EQ(Preguntas()[2].Texto, QStringLiteral("La casa@s@ es blanca"));
    EXPECT_EQ(Preguntas()[0].Tema, QStringLiteral("Acentos"));
    Pulsa(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(Preguntas()[0].Texto, QStringLiteral("La casa@s@ es blanca"));
}

TEST_F(Edicion, AddDuplicateAndDeleteQuestions) {
    ventana->Lista->Tabla->setFocus();
    Pulsa(Qt::CTRL | Qt::Key_Return);
    ASSERT_EQ(ventana->Documento.Cuenta(), 4);
    EXPECT_EQ(ventana->FilaActual(), 1);
    // The new question goes on with the topic of the one before; the text takes the keys.
    EXPECT_EQ(Preguntas()[1].Tema, QStringLiteral("Plurales"));
    EXPECT_EQ(QApplication::focusWidget(), Texto());
    Escribe(QStringLiteral("Nueva @pregunta@"));
    EXPECT_EQ(Preguntas()[1].Texto, QStringLiteral("Nueva @pregunta@"));
    EXPECT_EQ(Pool().lblTema->text(), QStringLiteral("Plurales (Pregunta nº 2)"));

    ventana->menuDuplicar->trigger();
    ASSERT_EQ(ventana->Documento.Cuenta(), 5);
    EXPECT_EQ(ventana->FilaActual(), 2);
    EXPECT_EQ(Preguntas()[2].Texto, QStringLiteral("Nueva @pregunta@"));

    // The question after the deleted one takes its place.
    ventana->menuBorrar->trigger();
    EXPECT_EQ(ventana->Documento.Cuenta(), 4);
    EXPECT_EQ(ventana->FilaActual(), 2);
    EXPECT_EQ(Texto()->toPlainText(), QStringLiteral("El cami@ó@n"));
    ventana->SeleccionaFila(3);
    ventana->menuBorrar->trigger();
    EXPECT_EQ(ventana->FilaActual(), 2) << "the last question deleted: the one before it";
    Pulsa(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(Preguntas()[3].Texto, QStringLiteral("Los perro@s@ ladran"));
}

TEST_F(Edicion, TheFormKeepsAnOddModoAndEditsTheOtherFields) {
    Abre(EscribeSet("raro.preg",
                    {{3, 255, "Raro", "Una pregunta con un @hueco@ y un texto normal"}}));
    EXPECT_TRUE(ventana->Formulario->lblModo->isVisible());
    EXPECT_TRUE(ventana->Formulario->lblModo->text().contains(QStringLiteral("3")));
    EXPECT_FALSE(ventana->Formulario->chkAcentos->isChecked());
    EXPECT_EQ(ventana->Formulario->spAncho->value(), 255);
    Texto()->setFocus();
    Pulsa(Qt::Key_End);
    Escribe(QStringLiteral("."));
    EXPECT_EQ(Preguntas()[0].Modo, 3);

    ventana->Formulario->chkAcentos->click();
    EXPECT_EQ(Preguntas()[0].Modo, 1);
    EXPECT_FALSE(ventana->Formulario->lblModo->isVisible());
    Pulsa(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(Preguntas()[0].Modo, 3);
    EXPECT_TRUE(ventana->Formulario->lblModo->isVisible());

    ventana->Formulario->spAncho->setValue(6);
    EXPECT_EQ(Preguntas()[0].AnchoMinimo, 6);
    EXPECT_EQ(Pool().Huecos[1]->maxLength(), 6);

    // A topic typed in the form reaches the document, and the list's topic filter offers it.
    ventana->Formulario->cbTema->setFocus();
    ventana->Formulario->cbTema->lineEdit()->selectAll();
    Escribe(QStringLiteral("Nuevo"));
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Preguntas()[0].Tema, QStringLiteral("Nuevo"));
    EXPECT_EQ(Pool().lblTema->text(), QStringLiteral("Nuevo (Pregunta nº 1)"));
}

TEST_F(Edicion, FindAndTopicFilterNarrowTheList) {
    QTableView* tabla = ventana->Lista->Tabla;
    Pulsa(Qt::CTRL | Qt::Key_F);
    EXPECT_EQ(QApplication::focusWidget(), ventana->Lista->edBuscar);
    Escribe(QStringLiteral("PERRO"));
    ASSERT_EQ(tabla->model()->rowCount(), 1);
    EXPECT_EQ(tabla->model()->index(0, TDocumento::ColNumero).data().toString(),
              QStringLiteral("3"));
    ventana->Lista->edBuscar->clear();

    QComboBox* filtro = ventana->Lista->cbFiltroTema;
    ASSERT_EQ(filtro->count(), 3);
    filtro->setCurrentIndex(filtro->findText(QStringLiteral("Plurales")));
    EXPECT_EQ(tabla->model()->rowCount(), 2);
    // Selecting a hidden question drops the filters.
    ventana->SeleccionaFila(1);
    EXPECT_EQ(tabla->model()->rowCount(), 3);
    EXPECT_EQ(ventana->FilaActual(), 1);
}

TEST_F(Edicion, TheChecksListProblemsAndLeadToThem) {
    TPanelProblemas* panel = ventana->Problemas;
    EXPECT_EQ(panel->NumProblemas(), 0);
    EXPECT_EQ(ventana->Pestanas->tabText(0), QStringLiteral("Problemes"));
    ventana->SeleccionaFila(2);
    Texto()->setFocus();
    Pulsa(Qt::Key_End);
    Escribe(QStringLiteral(" @mucho"));
    panel->Actualiza();
    ASSERT_EQ(panel->NumProblemas(), 1);
    EXPECT_EQ(ventana->Pestanas->tabText(0), QStringLiteral("Problemes (1)"));
    EXPECT_EQ(panel->lstProblemas->item(0)->text(),
              ventana->Documento.Mensaje(ventana->Documento.Problemas().front()));
    EXPECT_TRUE(ventana->Lista->Tabla->model()
                    ->index(2, TDocumento::ColNumero)
                    .data(Qt::DecorationRole)
                    .isValid());
    EXPECT_FALSE(ventana->Lista->Tabla->model()
                     ->index(1, TDocumento::ColNumero)
                     .data(Qt::DecorationRole)
                     .isValid());

    ventana->SeleccionaFila(0);
    panel->lstProblemas->setCurrentRow(0);
    emit panel->lstProblemas->itemClicked(panel->lstProblemas->item(0));
    EXPECT_EQ(ventana->FilaActual(), 2);
    EXPECT_EQ(QApplication::focusWidget(), Texto());
    EXPECT_EQ(Texto()->textCursor().selectedText(), QStringLiteral("@"));
}

TEST_F(Edicion, TheKeyRuleFixMovesTheMostReadableQuestionToTheFront) {
    Abre(EscribeSet("clave.preg", TresPreguntas()));
    Texto()->setFocus();
    Texto()->selectAll();
    Escribe(QStringLiteral("@1@ @2@ @3@ @4@ @5@ @6@ @7@ @8@"));
    ventana->Problemas->Actualiza();
    ASSERT_TRUE(ventana->Problemas->btnAdelanta->isVisible());
    ventana->Problemas->btnAdelanta->click();
    EXPECT_EQ(Preguntas()[1].Texto, QStringLiteral("@1@ @2@ @3@ @4@ @5@ @6@ @7@ @8@"));
    EXPECT_EQ(ventana->FilaActual(), 0);
    EXPECT_FALSE(ventana->Problemas->btnAdelanta->isVisible());
    Pulsa(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(Preguntas()[0].Texto, QStringLiteral("@1@ @2@ @3@ @4@ @5@ @6@ @7@ @8@"));
}

TEST_F(Edicion, RenamingATopicRenamesEveryQuestionInOneStep) {
    TPanelTemas* panel = ventana->Temas;
    panel->Actualiza();
    ASSERT_EQ(panel->lstTemas->topLevelItemCount(), 2);
    QTreeWidgetItem* plurales = panel->lstTemas->topLevelItem(0);
    EXPECT_EQ(plurales->text(0), QStringLiteral("Plurales"));
    EXPECT_EQ(plurales->text(1), QStringLiteral("2"));
    plurales->setText(0, QStringLiteral("Plural"));
    EXPECT_EQ(Preguntas()[0].Tema, QStringLiteral("Plural"));
    EXPECT_EQ(Preguntas()[2].Tema, QStringLiteral("Plural"));
    EXPECT_EQ(ventana->Formulario->cbTema->currentText(), QStringLiteral("Plural"));
    EXPECT_EQ(Pool().lblTema->text(), QStringLiteral("Plural (Pregunta nº 1)"));
    Pulsa(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(Preguntas()[2].Tema, QStringLiteral("Plurales"));
}

TEST_F(Edicion, TheTickedTopicsAreWrittenAsTheSetsSettingsFile) {
    TPanelTemas* panel = ventana->Temas;
    panel->Actualiza();
    QString propuesta;
    const QString ruta = Ruta("elegidos.cfg");
    panel->EligeRutaConfiguracion = [&](const QString& p) {
        propuesta = p;
        return ruta;
    };
    panel->lstTemas->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    panel->btnConfiguracion->click();
    // The proposal is beside the set, where the exercise program finds it, and the panel says
    // where it went.
    EXPECT_EQ(propuesta, TDocumento::RutaConfiguracionDefecto(ventana->Documento.Ruta()));
    EXPECT_TRUE(panel->lblGuardada->isVisibleTo(panel));
    EXPECT_TRUE(panel->lblGuardada->text().contains(QDir::toNativeSeparators(ruta)));
    TConfiguracion configuracion;
    ConfiguracionDefecto(configuracion);
    configuracion.TemasMarcados.fill(0);
    configuracion.TemasMarcados[2] = 1;
    EXPECT_EQ(LeeFicheroEntero(ruta.toStdString()), ConCheckSum(BytesConfiguracion(configuracion)));
    EXPECT_TRUE(errores.isEmpty());
}

TEST_F(Edicion, CtrlDeleteDeletesAQuestionOnlyFromTheList) {
    Texto()->setFocus();
    Texto()->moveCursor(QTextCursor::Start);
    Pulsa(Qt::CTRL | Qt::Key_Delete);
    // In the text it is the next word that goes.
    EXPECT_EQ(ventana->Documento.Cuenta(), 3);
    EXPECT_EQ(Preguntas()[0].Texto, QStringLiteral("casa@s@ es blanca"));
    ventana->Lista->Tabla->setFocus();
    Pulsa(Qt::CTRL | Qt::Key_Delete);
    EXPECT_EQ(ventana->Documento.Cuenta(), 2);
    EXPECT_EQ(Preguntas()[0].Tema, QStringLiteral("Acentos"));
}

namespace {

QStringList mensajesQt;

void GuardaMensajeQt(QtMsgType, const QMessageLogContext&, const QString& mensaje) {
    mensajesQt << mensaje;
}

}  // namespace

TEST_F(Edicion, RenamingATopicInTheListPrintsNoWarning) {
    mensajesQt.clear();
    const QtMessageHandler antes = qInstallMessageHandler(GuardaMensajeQt);
    ventana->Pestanas->setCurrentWidget(ventana->Temas);
    TPanelTemas* panel = ventana->Temas;
    panel->Actualiza();
    panel->lstTemas->setCurrentItem(panel->lstTemas->topLevelItem(0));
    panel->btnRenombrar->click();
    ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
    QApplication::focusWidget()->metaObject()->invokeMethod(QApplication::focusWidget(),
                                                            "selectAll");
    Escribe(QStringLiteral("Plural"));
    Pulsa(Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return panel->lstTemas->topLevelItem(0)->text(0) == QStringLiteral("Plural"); }));
    QTest::qWait(10);
    qInstallMessageHandler(antes);
    EXPECT_EQ(Preguntas()[2].Tema, QStringLiteral("Plural"));
    EXPECT_TRUE(mensajesQt.isEmpty()) << mensajesQt.join('\n').toStdString();
}

TEST_F(Editor, ALongTopicIsShownByItsStartAndKeptWhole) {
    const std::string largo = "Tema " + std::string(5000, 't');
    Abre(EscribeSet("largo.preg", {Legible(largo, "Una pregunta con un @hueco@"),
                                   Legible("Corto", "Otro @hueco@")}));
    ASSERT_EQ(ventana->Documento.Cuenta(), 2);
    const QString mostrado = TDocumento::TemaMostrado(QString::fromStdString(largo));
    EXPECT_EQ(mostrado.size(), TDocumento::kLargoTemaMostrado + 1);
    EXPECT_TRUE(mostrado.endsWith(QStringLiteral("…")));
    EXPECT_EQ(ventana->Lista->cbFiltroTema->itemText(1), mostrado);
    EXPECT_EQ(ventana->Formulario->cbTema->itemText(0), mostrado);
    EXPECT_EQ(ventana->Lista->Tabla->model()->index(0, TDocumento::ColTema).data().toString(),
              mostrado);

    // Chosen from the list, the question gets the whole topic; the filter finds it.
    ventana->SeleccionaFila(1);
    emit ventana->Formulario->cbTema->activated(0);
    EXPECT_EQ(Preguntas()[1].Tema, QString::fromStdString(largo));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ventana->Lista->cbFiltroTema->count() == 2; }));
    ventana->Lista->cbFiltroTema->setCurrentIndex(1);
    EXPECT_EQ(ventana->Lista->Tabla->model()->rowCount(), 2);
}

TEST_F(Editor, TheLanguageIsKeptForTheNextRun) {
    ventana->menuCastellano->trigger();
    {
        TfrmEditor siguiente;
        EXPECT_EQ(siguiente.Idioma, TIdioma::Castellano);
        EXPECT_EQ(siguiente.menuFichero->title(), QStringLiteral("&Fichero"));
    }
    ventana->menuValenciano->trigger();
    TfrmEditor siguiente;
    EXPECT_EQ(siguiente.Idioma, TIdioma::Valenciano);
    EXPECT_EQ(siguiente.menuFichero->title(), QStringLiteral("&Fitxer"));
}

TEST_F(Editor, TheChecksListShowsTheFirstProblemsAndCountsTheRest) {
    EscribeConjuntoEscrito(carpeta.En("repetido.preg"), ConjuntoDeTemaRepetido());
    Abre(Ruta("repetido.preg"));
    ASSERT_EQ(ventana->Documento.Cuenta(), kMaximoPreguntas);
    TPanelProblemas* panel = ventana->Problemas;
    panel->Actualiza();
    // Every copy of the first question but the first is the same question again.
    const int problemas = kMaximoPreguntas - 2;
    EXPECT_EQ(panel->NumProblemas(), problemas);
    EXPECT_EQ(ventana->Pestanas->tabText(0), QStringLiteral("Problemes (%1)").arg(problemas));
    ASSERT_EQ(panel->lstProblemas->count(), 501);
    EXPECT_EQ(panel->lstProblemas->item(0)->text(),
              QStringLiteral("Pregunta 3: és igual que la pregunta 1."));
    EXPECT_EQ(panel->lstProblemas->item(500)->text(),
              QStringLiteral("I %1 problemes més: corregiu primer aquests.").arg(problemas - 500));
    EXPECT_EQ(panel->lstProblemas->item(500)->flags(), Qt::NoItemFlags);
}

#include "exchange_flow.h"
#include "core/base/atomic_write.h"

#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

#include "editor_fixture.h"

namespace {

class Intercambio : public Editor {
  protected:
    void SetUp() override {
        Editor::SetUp();
        TFlujoIntercambio* flujo = ventana->Intercambio;
        flujo->EligeFichero = [this](TFlujoIntercambio::TDialogo dialogo, const QString&) {
            dialogosIntercambio << dialogo;
            return eleccion;
        };
        flujo->PreguntaSoluciones = [this] { return soluciones; };
    }

    QList<TFlujoIntercambio::TDialogo> dialogosIntercambio;
    std::optional<bool> soluciones = false;
    const QString muestra_ = QString::fromUtf8(TILDORA_SAMPLE_FOLDER "/castellano.preg");
};

QStringList Captions(const QMenu* menu) {
    QStringList textos;
    for (const QAction* accion : menu->actions())
        textos << accion->text();
    return textos;
}

}  // namespace

TEST_F(Intercambio, TheFileMenuHoldsTheNewItemsBesideTheExportInBothLanguages) {
    const QMenu* fichero = ventana->menuBar()->actions().front()->menu();
    for (const auto& [idioma, fuente] :
         {std::pair{0, "&Exportar texto fuente..."}, std::pair{1, "&Exportar text font..."}}) {
        (idioma == 0 ? ventana->menuCastellano : ventana->menuValenciano)->trigger();
        const QStringList textos = Captions(fichero);
        const qsizetype i = textos.indexOf(QString::fromUtf8(fuente));
        ASSERT_GE(i, 0) << textos.join("|").toStdString();
        EXPECT_EQ(textos.mid(i + 1, 4), (QStringList{"E&xportar", "Exportar &PDF...",
                                                     "&Importar Moodle XML...", "I&mprimir..."}));
        EXPECT_EQ(Captions(ventana->Intercambio->menuExportarA), QStringList{"&Moodle XML..."});
    }
}

TEST_F(Intercambio, ASetGoesToMoodleAndComesBack) {
    Abre(muestra_);
    ASSERT_EQ(ventana->Documento.Cuenta(), 43);
    ventana->menuCastellano->trigger();
    eleccion = Ruta("c.xml");
    ventana->Intercambio->menuMoodle->trigger();
    ASSERT_TRUE(errores.isEmpty()) << errores.join("|").toStdString();
    EXPECT_TRUE(LeeFicheroEntero(carpeta.En("c.xml")).find("<question type=\"cloze\">") !=
                std::string::npos);
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].startsWith(QString::fromUtf8("Exportadas 43 preguntas a «")))
        << avisos[0].toStdString();
    EXPECT_TRUE(avisos[0].contains(QString::fromUtf8("• 4 huecos que hay que dejar en blanco")))
        << avisos[0].toStdString();

    eleccion = Ruta("c.xml");
    ventana->Intercambio->menuImportar->trigger();
    ASSERT_TRUE(errores.isEmpty()) << errores.join("|").toStdString();
    ASSERT_EQ(ventana->Documento.Cuenta(), 43);
    EXPECT_TRUE(ventana->Documento.Modificado());
    EXPECT_TRUE(ventana->Documento.Ruta().isEmpty());
    EXPECT_EQ(ventana->Documento.Pregunta(0).Tema, "Uso de la h");
    EXPECT_TRUE(avisos.back().startsWith(QString::fromUtf8("Importadas 43 preguntas de «")))
        << avisos.back().toStdString();
}

TEST_F(Intercambio, AnImportReportsWhatItLeftOutAndABadFileChangesNothing) {
    ventana->menuValenciano->trigger();
    Abre(muestra_);
    EscribeFichero(
        carpeta.En("q.xml"),
        "<?xml version=\"1.0\"?>\n<quiz><question type=\"essay\"><name><text>ensayo</text></name>"
        "</question><question type=\"cloze\"><name><text>b</text></name><questiontext "
        "format=\"html\"><text>Un {1:SA:=hueco} y ya</text></questiontext></question></quiz>");
    EscribeFichero(carpeta.En("mal.xml"), "<?xml version=\"1.0\"?>\n<quiz>\n<question>\n</quiz>");
    eleccion = Ruta("mal.xml");
    ventana->Intercambio->menuImportar->trigger();
    ASSERT_EQ(errores.size(), 1);
    EXPECT_TRUE(errores[0].contains(QString::fromUtf8("línia 4"))) << errores[0].toStdString();
    EXPECT_EQ(ventana->Documento.Cuenta(), 43);

    eleccion = Ruta("q.xml");
    ventana->Intercambio->menuImportar->trigger();
    ASSERT_EQ(ventana->Documento.Cuenta(), 1);
    EXPECT_EQ(ventana->Documento.Pregunta(0).Texto, "Un @hueco@ y ya");
    EXPECT_TRUE(
        avisos.back().contains(QString::fromUtf8("\n1 «ensayo»: no entra: és de tipus «essay»")))
        << avisos.back().toStdString();
}

TEST_F(Intercambio, PrintShowsThePreviewOfTheSheetAndExportPdfWritesIt) {
    Abre(muestra_);
    int paginas = 0;
    ventana->Intercambio->MuestraVistaPrevia = [&](QPrintPreviewDialog& dialogo) {
        dialogo.show();
        QPrintPreviewWidget* vista = dialogo.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(vista, nullptr);
        vista->updatePreview();
        paginas = vista->pageCount();
        dialogo.reject();
    };
    ventana->Intercambio->menuImprimir->trigger();
    const int sinSoluciones = paginas;
    EXPECT_GT(sinSoluciones, 1);
    soluciones = true;
    ventana->Intercambio->menuImprimir->trigger();
    EXPECT_GT(paginas, sinSoluciones);

    soluciones = std::nullopt;
    paginas = 0;
    ventana->Intercambio->menuImprimir->trigger();
    EXPECT_EQ(paginas, 0);

    soluciones = false;
    eleccion = Ruta("hoja.pdf");
    ventana->Intercambio->menuExportarPdf->trigger();
    EXPECT_TRUE(LeeFicheroEntero(carpeta.En("hoja.pdf")).starts_with("%PDF-"));
    EXPECT_TRUE(errores.isEmpty());
}

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPlainTextEdit>

#include "about_box.h"
#include "core/base/atomic_write.h"
#include "dedication_window.h"
#include "main_window_fixture.h"
#include "wait_notice.h"

namespace {

// Closes the modal window that opens next, if any, and says what it was.
void CierraModalSiSeAbre(QString* titulo) {
    QTimer::singleShot(0, qApp, [titulo] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            *titulo = modal->windowTitle();
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
}

}  // namespace

TEST_F(VentanaTest, AboutBoxOpensInTheLanguageInForce) {
    struct Caso {
        std::function<void()> abre;
        bool castellano;
        QString linea4;
    };
    const std::vector<Caso> casos = {
        {[this] { ventana->menuSobreProg->trigger(); }, false,
         "   En aquestos moments el programa disposa de els següents idiomes:"},
        {[this] { ventana->btnSobreProg->click(); }, true,
         "   En estos momentos el programa dispone de los siguientes idiomas:"},
    };
    for (const Caso& caso : casos) {
        if (caso.castellano)
            ventana->menuCastellano->trigger();
        bool visto = false;
        AlAbrirseModal([&](QWidget* modal) {
            auto* caja = qobject_cast<TfrmSobreElPrograma*>(modal);
            ASSERT_NE(caja, nullptr);
            visto = true;
            EXPECT_EQ(caja->parentWidget(), ventana.get());
            EXPECT_EQ(caja->Idioma, ventana->Idioma);
            EXPECT_EQ(caja->windowTitle(), "Sobre el programa...");
            EXPECT_EQ(caja->Memo->toPlainText().split('\n').value(3), caso.linea4);
            QTest::keyClick(caja, Qt::Key_Return);
        });
        caso.abre();
        EXPECT_TRUE(visto);
        EXPECT_TRUE(ventana->findChildren<TfrmSobreElPrograma*>().isEmpty());
    }
}

TEST_F(VentanaTest, OnlyRightButtonWithShiftCtrlAndAltOpensTheDedication) {
    const Qt::KeyboardModifiers tres = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    struct Caso {
        Qt::MouseButton boton;
        Qt::KeyboardModifiers teclas;
        bool abre;
    };
    const std::vector<Caso> casos = {
        {Qt::RightButton, tres, true},
        {Qt::RightButton, tres | Qt::MetaModifier, true},
        {Qt::LeftButton, tres, false},
        {Qt::MiddleButton, tres, false},
        {Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, false},
        {Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier, false},
        {Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, false},
        {Qt::RightButton, Qt::NoModifier, false},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::to_string(caso.boton) + " " + std::to_string(caso.teclas.toInt()));
        QString titulo;
        CierraModalSiSeAbre(&titulo);
        QTest::mousePress(ventana->lblNumPreguntas, caso.boton, caso.teclas);
        QTest::mouseRelease(ventana->lblNumPreguntas, caso.boton, caso.teclas);
        QCoreApplication::processEvents();
        EXPECT_EQ(titulo, caso.abre ? TfrmDedicatoria::Titulo : QString());
        EXPECT_TRUE(ventana->findChildren<TfrmDedicatoria*>().isEmpty());
    }
    // The second press of a double click counts as a press too.
    QString titulo;
    CierraModalSiSeAbre(&titulo);
    QTest::mouseDClick(ventana->lblNumPreguntas, Qt::RightButton, tres);
    QCoreApplication::processEvents();
    EXPECT_EQ(titulo, TfrmDedicatoria::Titulo);
}

TEST_F(VentanaTest, WaitNoticeStandsInTheLanguageWhileTheSetOpens) {
    for (const TIdioma idioma : {TIdioma::Valenciano, TIdioma::Castellano}) {
        const std::string nombre = "espera" + std::to_string(static_cast<int>(idioma));
        SCOPED_TRACE(nombre);
        ventana->CambiaIdioma(idioma);
        QDir().mkpath(TfrmTildora::CarpetaDatos());
        // A settings notice comes while the wait notice is still up.
        EscribeFichero(
            (TfrmTildora::CarpetaDatos() + QString::fromStdString(nombre + ".cfg")).toStdString(),
            "sin cola");
        std::vector<std::pair<TIdioma, bool>> vistas;  // language and visibility
        EstableceReceptorAvisos({[&](const QString&) {
                                     for (TfrmAviso* aviso : ventana->findChildren<TfrmAviso*>())
                                         vistas.emplace_back(aviso->Idioma, aviso->isVisible());
                                 },
                                 {}});
        Abre(EscribeSet(nombre + ".preg", {Legible("T")}));
        EXPECT_EQ(vistas, (std::vector<std::pair<TIdioma, bool>>{{idioma, true}}));
        EXPECT_TRUE(ventana->findChildren<TfrmAviso*>().isEmpty());
    }
}

// The open dialog as a learner sees it: its title and filter in Castellano in both languages,
// Qt's own texts in Catalan or Spanish with the interface, and the sets made on Windows listed.
TEST_F(VentanaTest, TheOpenDialogListsWindowsNamesAndSpeaksTheInterfaceLanguage) {
    for (const char* fichero : {"a.preg", "TEMA1.PREG", "TEMA1.IND", "notas.txt"})
        EscribeFichero(Ruta(fichero), "");
    const struct {
        const char* idioma;
        QString abrir, cancelar, etiqueta;
    } casos[] = {
        {"Valenciano", "Obre", "Cancel·la", "&Nom de fitxer:"},
        {"Castellano", "Abrir", "Cancelar", "&Nombre de fichero:"},
        {"Valenciano again", "Obre", "Cancel·la", "&Nom de fitxer:"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.idioma);
        (QString(caso.idioma) == "Castellano" ? ventana->menuCastellano : ventana->menuValenciano)
            ->trigger();
        QStringList listados;
        AlAbrirseModal([&](QWidget* modal) {
            auto* dialogo = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialogo, nullptr);
            EXPECT_EQ(dialogo->windowTitle(), "Abrir ficheros con preguntas");
            EXPECT_EQ(dialogo->nameFilters(), QStringList{"Ficheros de test (*.preg)"});
            auto* botones = dialogo->findChild<QDialogButtonBox*>();
            ASSERT_NE(botones, nullptr);
            EXPECT_EQ(botones->button(QDialogButtonBox::Open)->text().remove(u'&'), caso.abrir);
            EXPECT_EQ(botones->button(QDialogButtonBox::Cancel)->text(), caso.cancelar);
            QStringList etiquetas;
            for (const QLabel* etiqueta : dialogo->findChildren<QLabel*>())
                etiquetas << etiqueta->text();
            EXPECT_TRUE(etiquetas.contains(caso.etiqueta)) << etiquetas.join(" | ").toStdString();
            // What the dialog lists is what its model keeps of the folder, read in the background.
            auto* modelo = dialogo->findChild<QFileSystemModel*>();
            ASSERT_NE(modelo, nullptr);
            const QModelIndex raiz = modelo->index(dialogo->directory().absolutePath());
            EXPECT_TRUE(QTest::qWaitFor([&] { return modelo->rowCount(raiz) >= 2; }, 2000));
            for (int fila = 0; fila < modelo->rowCount(raiz); ++fila)
                listados << modelo->index(fila, 0, raiz).data().toString();
            dialogo->reject();
        });
        EXPECT_EQ(ventana->AbrePreguntas(QString::fromStdString(carpeta.Ruta())), "");
        listados.sort();
        EXPECT_EQ(listados, (QStringList{"TEMA1.PREG", "a.preg"}));
    }
}

TEST_F(VentanaTest, StandardButtonsFollowTheLanguage) {
    for (const auto& [castellano, texto] :
         std::vector<std::pair<bool, QString>>{{true, "Cancelar"}, {false, "Cancel·la"}}) {
        (castellano ? ventana->menuCastellano : ventana->menuValenciano)->trigger();
        QMessageBox caja(QMessageBox::Information, "", "", QMessageBox::Cancel, ventana.get());
        EXPECT_EQ(caja.button(QMessageBox::Cancel)->text(), texto);
    }
}

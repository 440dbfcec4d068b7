#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextLayout>

#include <cstdlib>
#include <fstream>

#include "checks_panel.h"
#include "editor_fixture.h"
#include "gaps_dialog.h"
#include "import_dialog.h"
#include "text_tools.h"

namespace {

// Dictionaries of a few words, in Hunspell's format, where DICPATH points.
void EscribeDiccionario(const std::string& base, const std::vector<std::string>& palabras) {
    std::ofstream(base + ".aff") << "SET UTF-8\nTRY aeiouáéíóúàèòçnrstlcdmpbvgjhfzqxy\n";
    std::ofstream dic(base + ".dic");
    dic << palabras.size() << "\n";
    for (const std::string& palabra : palabras)
        dic << palabra << "\n";
}

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

// The editor with dictionaries of its own, loaded before each test goes on.
class Herramientas : public Editor {
  protected:
    void SetUp() override {
        EscribeDiccionario(diccionarios.En("es_ES"),
                           {"el", "la", "canción", "de", "barco", "viaje", "fue", "largo", "una",
                            "casa", "blanca", "tiene", "camión", "mi", "es"});
        EscribeDiccionario(diccionarios.En("ca_ES-valencia"),
                           {"la", "cançó", "de", "àvia", "és", "llarga", "el", "viatge", "una",
                            "casa", "blanca", "té"});
        sinDiccionarios_ = std::getenv("DICPATH");
        setenv("DICPATH", diccionarios.Ruta().c_str(), 1);
        Editor::SetUp();
        ASSERT_TRUE(QTest::qWaitFor([this] { return Cargados(); }, 5000));
    }
    void TearDown() override {
        Editor::TearDown();
        setenv("DICPATH", sinDiccionarios_.c_str(), 1);
    }
    bool Cargados() {
        TOrtografia& o = H().Ortografia;
        if (!o.Cargado(TIdioma::Castellano) || !o.Cargado(TIdioma::Valenciano))
            return false;
        // The notice of the thread reaches the window through its event queue.
        QCoreApplication::processEvents();
        return true;
    }
    THerramientasTexto& H() const { return *ventana->HerramientasTexto; }
    // The one question of a new set, with this text.
    void PonTexto(const QString& texto) {
        ventana->Documento.CambiaTexto(0, texto);
        ventana->Problemas->Actualiza();
    }
    QStringList Problemas() const {
        QStringList textos;
        for (int i = 0; i < ventana->Problemas->lstProblemas->count(); ++i)
            textos << ventana->Problemas->lstProblemas->item(i)->text();
        return textos;
    }
    // The underlined stretches of the text's first paragraph.
    QStringList Subrayados() const {
        const QTextBlock bloque = Texto()->document()->firstBlock();
        QStringList subrayados;
        int fin = -1;
        for (const QTextLayout::FormatRange& f : bloque.layout()->formats()) {
            if (f.format.underlineStyle() != QTextCharFormat::SpellCheckUnderline)
                continue;
            // The highlighter formats letter by letter: neighbouring stretches are one word.
            if (f.start == fin)
                subrayados.back() += bloque.text().mid(f.start, f.length);
            else
                subrayados << bloque.text().mid(f.start, f.length);
            fin = f.start + f.length;
        }
        return subrayados;
    }

    TCarpetaTemporal diccionarios;
    std::string sinDiccionarios_;
};

TEST_F(Herramientas, ImportingATextMakesAQuestionPerParagraphInOneUndoStep) {
    const QString ruta = Ruta("texto.txt");
    {
        QFile fichero(ruta);
        ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
        fichero.write(
            U("El viaje fue\nlargo.\n\n\tLa casa blanca\xE2\x80\x89tiene\n\n\nMi cami\xC3\xB3n.\n")
                .toUtf8());
    }
    H().EligeTexto = [ruta] { return ruta; };
    QStringList resumen;
    H().Ejecuta = [&resumen](QDialog& dialogo) {
        auto& importar = dynamic_cast<TDialogoImportar&>(dialogo);
        resumen << importar.lblResumen->text();
        EXPECT_FALSE(importar.lstRechazados->isVisibleTo(&importar));
        importar.cbTema->setCurrentText(U("Lectura"));
        importar.chkAcentos->setChecked(true);
        return static_cast<int>(QDialog::Accepted);
    };
    H().menuImportar->trigger();

    ASSERT_EQ(ventana->Documento.Cuenta(), 3) << "the new set's empty question gives way";
    const QStringList esperados = {U("El viaje fue largo."), U("La casa blanca tiene"),
                                   U("Mi camión.")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Preguntas()[static_cast<size_t>(i)].Texto, esperados[i]);
        EXPECT_EQ(Preguntas()[static_cast<size_t>(i)].Tema, U("Lectura"));
        EXPECT_EQ(Preguntas()[static_cast<size_t>(i)].Modo, 1);
    }
    ASSERT_EQ(resumen.size(), 1);
    EXPECT_TRUE(resumen[0].contains(U("3 preguntes"))) << resumen[0].toStdString();
    EXPECT_TRUE(resumen[0].contains(U("1 caràcters es canvien"))) << resumen[0].toStdString();

    ventana->Documento.Pila()->undo();
    ASSERT_EQ(ventana->Documento.Cuenta(), 1);
    EXPECT_EQ(Preguntas()[0], TPreguntaEditada{});
}

TEST_F(Herramientas, ImportingListsEveryCharacterThatCannotBeKeptAndCancelChangesNothing) {
    QStringList rechazados;
    H().Ejecuta = [&rechazados](QDialog& dialogo) {
        auto& importar = dynamic_cast<TDialogoImportar&>(dialogo);
        EXPECT_TRUE(importar.lstRechazados->isVisibleTo(&importar));
        for (int i = 0; i < importar.lstRechazados->count(); ++i)
            rechazados << importar.lstRechazados->item(i)->text();
        return static_cast<int>(QDialog::Rejected);
    };
    H().Importa(U("Uno \xE2\x99\xA5\n\nDos \xF0\x9F\x98\x80 y \xE2\x99\xA5"));
    EXPECT_EQ(rechazados, (QStringList{U("Línia 1, columna 5: «♥»"), U("Línia 3, columna 5: «😀»"),
                                       U("Línia 3, columna 9: «♥»")}));
    EXPECT_EQ(ventana->Documento.Cuenta(), 1);
    EXPECT_FALSE(ventana->Documento.Modificado());
}

TEST_F(Herramientas, GapsByRuleAreProposedShownUntickedAndAppliedInOneUndoStep) {
    PonTexto(U("El camión es de mi tía Lucía"));
    ventana->Documento.Pila()->clear();
    QStringList propuestas;
    H().Ejecuta = [&propuestas](QDialog& dialogo) {
        auto& huecos = dynamic_cast<TDialogoHuecos&>(dialogo);
        EXPECT_TRUE(huecos.rbPregunta->isChecked());
        EXPECT_FALSE(huecos.rbSeleccion->isEnabled());
        EXPECT_FALSE(huecos.botones->button(QDialogButtonBox::Ok)->isEnabled());
        huecos.chkReglas[0]->click();  // accents
        for (int i = 0; i < huecos.lstPropuestas->count(); ++i)
            propuestas << huecos.lstPropuestas->item(i)->text();
        // The teacher leaves "tía" as it is.
        huecos.lstPropuestas->item(1)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(huecos.edResultado->toPlainText(), U("El @camión@ es de mi tía @Lucía@"));
        EXPECT_EQ(huecos.VistaPrevia->NumHuecos(), 2);
        return static_cast<int>(QDialog::Accepted);
    };
    H().menuHacerHuecos->trigger();
    EXPECT_EQ(propuestas, (QStringList{U("Pregunta 1: [camión]"), U("Pregunta 1: [tía]"),
                                       U("Pregunta 1: [Lucía]")}));
    EXPECT_EQ(Preguntas()[0].Texto, U("El @camión@ es de mi tía @Lucía@"));
    EXPECT_EQ(Preguntas()[0].Modo, 1);
    EXPECT_EQ(ventana->VistaPrevia->NumHuecos(), 2);

    ventana->Documento.Pila()->undo();
    EXPECT_EQ(Preguntas()[0].Texto, U("El camión es de mi tía Lucía"));
    EXPECT_EQ(Preguntas()[0].Modo, 0);
}

// An accent-practice question starts every gap filled with its answer, so the "V" of a letter
// gap there would be handed over: the letters go to a question of their own.
TEST_F(Herramientas, AccentsWithLettersMakeTwoQuestionsAndProposalsUntickByWordRuleOrAll) {
    PonTexto(U("Viu a València i viu bé"));
    ventana->Documento.Pila()->clear();
    H().Ejecuta = [](QDialog& dialogo) {
        auto& huecos = dynamic_cast<TDialogoHuecos&>(dialogo);
        huecos.chkReglas[0]->click();  // accents
        huecos.chkReglas[1]->click();  // b/v
        EXPECT_TRUE(huecos.lblSeparadas->isVisibleTo(&huecos));
        EXPECT_EQ(huecos.edResultado->toPlainText(),
                  U("Viu a @València@ i viu @bé@\n\n@V@iu a València i @v@iu bé"));
        const auto marcadas = [&huecos] {
            QStringList lista;
            for (int i = 0; i < huecos.lstPropuestas->count(); ++i)
                if (huecos.lstPropuestas->item(i)->checkState() == Qt::Checked)
                    lista << huecos.lstPropuestas->item(i)->text();
            return lista;
        };
        // "viu", both of them, whatever the case.
        huecos.lstPropuestas->setCurrentRow(0);
        huecos.btnDesmarcaPalabra->click();
        EXPECT_EQ(marcadas(), (QStringList{U("Pregunta 1: [València]"), U("Pregunta 1: [bé]")}));
        huecos.lstPropuestas->setCurrentRow(1);
        huecos.btnDesmarcaRegla->click();
        EXPECT_EQ(marcadas(), QStringList{});
        EXPECT_FALSE(huecos.lblSeparadas->isVisibleTo(&huecos));
        for (int i = 0; i < huecos.lstPropuestas->count(); ++i)
            huecos.lstPropuestas->item(i)->setCheckState(Qt::Checked);
        huecos.spAnchoMinimo->setValue(3);
        return static_cast<int>(QDialog::Accepted);
    };
    H().menuHacerHuecos->trigger();
    ASSERT_EQ(ventana->Documento.Cuenta(), 2);
    EXPECT_EQ(Preguntas()[0].Texto, U("Viu a @València@ i viu @bé@"));
    EXPECT_EQ(Preguntas()[0].Modo, 1);
    EXPECT_EQ(Preguntas()[1].Texto, U("@V@iu a València i @v@iu bé"));
    EXPECT_EQ(Preguntas()[1].Modo, 0);
    EXPECT_EQ(Preguntas()[1].AnchoMinimo, 3);
    ventana->Documento.Pila()->undo();
    ASSERT_EQ(ventana->Documento.Cuenta(), 1);
    EXPECT_EQ(Preguntas()[0].Texto, U("Viu a València i viu bé"));

    H().Ejecuta = [](QDialog& dialogo) {
        auto& huecos = dynamic_cast<TDialogoHuecos&>(dialogo);
        huecos.chkReglas[1]->click();
        huecos.btnDesmarcaTodas->click();
        EXPECT_FALSE(huecos.lblSeparadas->isVisibleTo(&huecos));
        EXPECT_EQ(huecos.edResultado->toPlainText(), U("Viu a València i viu bé"));
        return static_cast<int>(QDialog::Rejected);
    };
    H().menuHacerHuecos->trigger();
}

TEST_F(Herramientas, GapsKeepToTheSelectedTextAndDistractorsAreOffered) {
    PonTexto(U("vaca bota, hola amigo y humo"));
    QTextCursor cursor = Texto()->textCursor();
    cursor.setPosition(10);
    cursor.setPosition(28, QTextCursor::KeepAnchor);
    Texto()->setTextCursor(cursor);
    H().Ejecuta = [](QDialog& dialogo) {
        auto& huecos = dynamic_cast<TDialogoHuecos&>(dialogo);
        EXPECT_TRUE(huecos.rbSeleccion->isChecked());
        huecos.chkReglas[1]->click();  // b/v
        huecos.chkReglas[2]->click();  // h
        huecos.spDistractores->setValue(1);
        EXPECT_EQ(huecos.lstPropuestas->count(), 3);
        EXPECT_TRUE(huecos.lstPropuestas->item(1)->text().endsWith(U("(distractor)")));
        return static_cast<int>(QDialog::Accepted);
    };
    H().menuHacerHuecos->trigger();
    EXPECT_EQ(Preguntas()[0].Texto, U("vaca bota, @h@ola @@amigo y @h@umo"));
    EXPECT_EQ(Preguntas()[0].Modo, 0);
}

TEST_F(Herramientas, AnUnknownAnswerIsAProblemWithItsSuggestionThatDoesNotBlockSaving) {
    PonTexto(U("La @cancion@ de el @b@arko fue largo"));
    EXPECT_EQ(Problemas(), (QStringList{U("Pregunta 1: ortografia: cancion: ¿canción?"),
                                        U("Pregunta 1: ortografia: barko: ¿barco?")}));
    EXPECT_TRUE(
        ventana->Documento.data(ventana->Documento.index(0, 0), TDocumento::RolProblema).toBool());
    ventana->Documento.CambiaTema(0, U("Lectura"));
    // The set is saved all the same.
    eleccion = Ruta("con-faltas.preg");
    ventana->menuGuardarComo->trigger();
    EXPECT_TRUE(QFile::exists(eleccion));
    EXPECT_TRUE(errores.isEmpty()) << errores.join(U("\n")).toStdString();

    // The text underlines both, whatever the marks.
    EXPECT_EQ(Subrayados(), (QStringList{U("cancion"), U("b@arko")}));
}

TEST_F(Herramientas, TheContextMenuFixesAWordOrKeepsItAsTheTeachersOwn) {
    PonTexto(U("El viaje fue largo: la @cancion@ de Tildora"));
    const QTextBlock bloque = Texto()->document()->firstBlock();
    const auto menuEn = [this, &bloque](int posicion) {
        QTextCursor cursor(bloque);
        cursor.setPosition(bloque.position() + posicion);
        return std::unique_ptr<QMenu>(H().MenuTexto(Texto()->cursorRect(cursor).center()));
    };
    {
        const std::unique_ptr<QMenu> menu = menuEn(26);
        ASSERT_FALSE(menu->actions().isEmpty());
        EXPECT_EQ(menu->actions()[0]->text(), U("canción"));
        menu->actions()[0]->trigger();
    }
    EXPECT_EQ(Preguntas()[0].Texto, U("El viaje fue largo: la @canción@ de Tildora"));
    ventana->Problemas->Actualiza();
    // The answer is right now; the text's own unknown word is listed too.
    EXPECT_EQ(Problemas().filter(U("ortografia")).size(), 1);
    EXPECT_TRUE(Problemas().filter(U("ortografia"))[0].startsWith(
        U("Pregunta 1: ortografia del text: Tildora: ")))
        << Problemas().join(U("|")).toStdString();
    EXPECT_EQ(Subrayados(), QStringList{U("Tildora")});
    {
        const std::unique_ptr<QMenu> menu = menuEn(40);
        QAction* anade = nullptr;
        for (QAction* accion : menu->actions())
            if (accion->text() == U("Afegir «Tildora» a les meues paraules"))
                anade = accion;
        ASSERT_NE(anade, nullptr);
        anade->trigger();
    }
    EXPECT_EQ(Subrayados(), QStringList{});
    EXPECT_EQ(Problemas().filter(U("ortografia")), QStringList{});
    EXPECT_EQ(LeeFicheroEntero(std::string(std::getenv("XDG_CONFIG_HOME")) +
                               "/Tildora/my-words-castellano.txt"),
              "Tildora\n");
}

TEST_F(Herramientas, TheQuestionsLanguageIsGuessedShownAndFixable) {
    PonTexto(U("La @canço@ de l'àvia és llarga"));
    QComboBox* idioma = H().cbIdioma;
    EXPECT_EQ(idioma->currentIndex(), 0);
    EXPECT_EQ(idioma->currentText(), U("Automàtic (valencià)"));
    // A Valenciano question asks without the Castellano opening mark.
    EXPECT_EQ(Problemas(), (QStringList{U("Pregunta 1: ortografia: canço: cançó?")}));

    idioma->setCurrentIndex(1);
    emit idioma->activated(1);
    EXPECT_EQ(Preguntas()[0].IdiomaTexto, TIdioma::Castellano);
    ventana->Problemas->Actualiza();
    // Read as Castellano, the text's own words are unknown too.
    EXPECT_FALSE(Problemas().filter(U("ortografia del text: àvia")).isEmpty());
    EXPECT_TRUE(Problemas()[0].startsWith(U("Pregunta 1: ortografia: canço:")));
    EXPECT_TRUE(Subrayados().contains(U("llarga")));

    ventana->Documento.Pila()->undo();
    EXPECT_EQ(Preguntas()[0].IdiomaTexto, std::nullopt);
    ventana->menuCastellano->trigger();
    EXPECT_EQ(idioma->currentText(), U("Automático (valenciano)"));
    EXPECT_EQ(H().lblIdioma->text(), U("&Idioma:"));
}

TEST_F(Editor, AMissingDictionaryIsToldOnceAndTheRestWorks) {
    THerramientasTexto& h = *ventana->HerramientasTexto;
    ASSERT_TRUE(QTest::qWaitFor(
        [&h] {
            QCoreApplication::processEvents();
            return !h.lblDiccionarios->text().isEmpty();
        },
        5000));
    EXPECT_EQ(h.lblDiccionarios->text(),
              U("Sense correcció ortogràfica: falta el diccionari es_ES (castellà), "
                "ca_ES-valencia (valencià); instal·leu hunspell-es i hunspell-ca"));
    ventana->Documento.CambiaTexto(0, U("La @cancion@"));
    ventana->Problemas->Actualiza();
    EXPECT_EQ(ventana->Problemas->lstProblemas->count(), 1);
    EXPECT_FALSE(ventana->Problemas->lstProblemas->item(0)->text().contains(U("ortografia")));
}

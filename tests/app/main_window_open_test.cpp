#include <QButtonGroup>
#include <QFile>
#include <QFrame>
#include <QMenu>

#include <sys/stat.h>

#include <filesystem>

#include "core/base/atomic_write.h"
#include "core/set/checksum.h"
#include "core/set/settings.h"
#include "main_window_fixture.h"
#include "wait_notice.h"

namespace {

std::vector<QWidget*> ControlesTest(const TfrmTildora& v) {
    return {v.btnIrA, v.btnSecuencial, v.btnAleatorio, v.btnTemas, v.btnCorregir, v.btnSiguiente};
}

std::vector<QAction*> MenusTest(const TfrmTildora& v) {
    return {v.menuIrA,   v.menuSecuencial, v.menuAleatorio,
            v.menuTemas, v.menuCorregir,   v.menuSiguiente};
}

void EsperaControlesTest(const TfrmTildora& v, bool habilitados) {
    for (QWidget* control : ControlesTest(v))
        EXPECT_EQ(control->isEnabled(), habilitados) << control->toolTip().toStdString();
    for (QAction* item : MenusTest(v))
        EXPECT_EQ(item->isEnabled(), habilitados) << item->text().toStdString();
}

std::vector<TPregunta> TresPreguntasDosTemas() {
    return {Legible("Uno"), Legible("Dos"), Legible("Uno")};
}

}  // namespace

TEST_F(VentanaTest, StartsInValencianoWithNoSetOpen) {
    EXPECT_EQ(ventana->windowTitle(), "Tildora");
    EXPECT_EQ(ventana->size(), QSize(750, 550));
    EXPECT_EQ(ventana->lblNumPreguntas->text(), "0 preguntes");
    EXPECT_EQ(ventana->lblNumTemas->text(), "0 temes");
    EsperaControlesTest(*ventana, false);
    for (QWidget* control :
         {static_cast<QWidget*>(ventana->btnNuevo), static_cast<QWidget*>(ventana->btnTerminar),
          static_cast<QWidget*>(ventana->btnSobreProg)})
        EXPECT_TRUE(control->isEnabled());
    for (QAction* item : {ventana->menuNuevo, ventana->menuTerminar, ventana->menuSobreProg,
                          ventana->menuCastellano})
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    EXPECT_FALSE(ventana->menuValenciano->isEnabled());
    EXPECT_EQ(ventana->menuValenciano->text(), "&Valencià");
    EXPECT_TRUE(ventana->btnSecuencial->isChecked());
    EXPECT_FALSE(ventana->btnAleatorio->isChecked());
    EXPECT_TRUE(ventana->menuSecuencial->isChecked());
    EXPECT_FALSE(ventana->menuAleatorio->isChecked());
    EXPECT_FALSE(ventana->btnCorregir->isChecked());
    EXPECT_EQ(ventana->btnCorregir->text(), "Corregir");
    EXPECT_EQ(ventana->btnCorregir->toolTip(), "Corregir el texte");
    EXPECT_EQ(ventana->Idioma, TIdioma::Valenciano);
    EXPECT_TRUE(ventana->Sesion.Secuencial);
    EXPECT_EQ(ventana->Sesion.PreguntaActual, 1);
    EXPECT_FALSE(ventana->Sesion.FicherosAbiertos);
    EXPECT_EQ(ventana->UltimaCarpeta, QCoreApplication::applicationDirPath() + "/");
    EXPECT_EQ(ventana->Sesion.Clave, kClave);
    EXPECT_EQ(ventana->lblTema->text(), "");
}

TEST_F(VentanaTest, ToolbarControlsStandAtTheirDesignPlaces) {
    struct Caso {
        QWidget* control;
        QRect lugar;
    };
    const std::vector<Caso> casos = {
        {ventana->PanelSuperior, {0, 0, 742, 27}},
        {ventana->btnNuevo, {1, 1, 25, 25}},
        {ventana->btnIrA, {27, 1, 25, 25}},
        {ventana->btnSecuencial, {52, 1, 25, 25}},
        {ventana->btnAleatorio, {78, 1, 25, 25}},
        {ventana->btnTemas, {104, 1, 25, 25}},
        {ventana->btnTerminar, {130, 1, 25, 25}},
        {ventana->btnSobreProg, {156, 1, 25, 25}},
        {ventana->btnCorregir, {230, 1, 100, 25}},
        {ventana->btnSiguiente, {355, 1, 100, 25}},
        {ventana->lblNumPreguntas, {550, 5, 100, 15}},
        {ventana->lblNumTemas, {650, 5, 70, 15}},
        {ventana->lblTema, {0, 32, 742, 13}},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(caso.control->geometry(), caso.lugar) << caso.control->toolTip().toStdString();
    // The client area starts under the menu: the toolbar is at its top left.
    EXPECT_EQ(ventana->PanelSuperior->mapTo(ventana->centralWidget(), QPoint(0, 0)), QPoint(0, 0));

    for (QToolButton* boton :
         {ventana->btnNuevo, ventana->btnIrA, ventana->btnSecuencial, ventana->btnAleatorio,
          ventana->btnTemas, ventana->btnTerminar, ventana->btnSobreProg, ventana->btnCorregir}) {
        EXPECT_EQ(boton->focusPolicy(), Qt::NoFocus);
        EXPECT_EQ(boton->icon().isNull(), boton == ventana->btnSobreProg);
    }
    EXPECT_EQ(ventana->btnSobreProg->text(), "?");
    EXPECT_TRUE(ventana->btnSobreProg->font().bold());
    EXPECT_EQ(ventana->btnSobreProg->font().pointSize(), 10);
    EXPECT_TRUE(ventana->Grupo1->exclusive());
    EXPECT_EQ(ventana->Grupo1->buttons().size(), 2);
    EXPECT_TRUE(ventana->btnCorregir->isCheckable());
    EXPECT_EQ(ventana->btnCorregir->group(), nullptr);
    EXPECT_EQ(ventana->lblNumPreguntas->alignment() & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(ventana->lblNumTemas->alignment() & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(ventana->lblTema->alignment(), Qt::AlignCenter);
    EXPECT_EQ(ventana->btnSiguiente->text(), "Següent   >>");
}

TEST_F(VentanaTest, MenuHoldsEveryItemInOrder) {
    const auto textos = [](QMenu* menu) {
        QStringList lista;
        for (QAction* item : menu->actions())
            lista << (item->isSeparator() ? "-" : item->text());
        return lista;
    };
    EXPECT_EQ(textos(ventana->menuFichero),
              (QStringList{"&Nou...", "&Anar a...", "&Seqüencial", "&Aleatori", "&Repassar errades",
                           "T&emes...", "&Historial...", "-", "&Terminar"}));
    EXPECT_EQ(textos(ventana->menuPreguntas),
              (QStringList{"&Corregir", "&Següent", "-", "Mostrar &lletres"}));
    EXPECT_EQ(textos(ventana->menuIdioma), (QStringList{"&Castellà", "&Valencià"}));
    EXPECT_EQ(textos(ventana->menuAyuda), (QStringList{"&Sobre el programa..."}));
    EXPECT_EQ(ventana->menuLinea, ventana->menuFichero->actions().at(7));
    // No item has a keyboard shortcut: the window's own shortcuts stand apart from the menu.
    for (QMenu* menu :
         {ventana->menuFichero, ventana->menuPreguntas, ventana->menuIdioma, ventana->menuAyuda})
        for (QAction* item : menu->actions())
            EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
}

TEST_F(VentanaTest, PoolIsBuiltHiddenWithTheTemplatesFontsAndHeights) {
    EXPECT_TRUE(ventana->Texto1->isHidden());
    EXPECT_TRUE(ventana->Hueco1->isHidden());
    const QFont fija = ventana->Texto1->font();
    EXPECT_EQ(fija.family(), "Courier New");
    EXPECT_EQ(fija.pointSize(), 8);
    EXPECT_TRUE(fija.fixedPitch());
    EXPECT_EQ(fija.styleHint(), QFont::TypeWriter);
    EXPECT_EQ(ventana->Texto1->height(), 14);
    EXPECT_EQ(ventana->Hueco1->height(), 14);
    EXPECT_FALSE(ventana->Hueco1->hasFrame());
    for (int i = 1; i <= kTamanoPool; ++i) {
        const QString s = QString::number(i);
        QLabel* texto = ventana->Textos[i];
        QLineEdit* hueco = ventana->Huecos[i];
        QLabel* respuesta = ventana->Respuestas[i];
        ASSERT_EQ(texto->objectName(), "Texto_" + s);
        ASSERT_EQ(hueco->objectName(), "Hueco_" + s);
        ASSERT_EQ(respuesta->objectName(), "Respuesta_" + s);
        for (QWidget* control : std::initializer_list<QWidget*>{texto, hueco, respuesta}) {
            ASSERT_TRUE(control->isHidden());
            ASSERT_EQ(control->height(), 14);
            ASSERT_EQ(control->parentWidget(), ventana->Texto1->parentWidget());
            ASSERT_EQ(control->font().family(), fija.family());
            ASSERT_EQ(control->font().pointSize(), 8);
        }
        ASSERT_FALSE(texto->font().bold());
        ASSERT_TRUE(respuesta->font().bold());
        ASSERT_FALSE(hueco->hasFrame());
    }
}

TEST_F(VentanaTest, TabOrderIsNextButtonThenTheGapsInPoolOrder) {
    std::vector<QWidget*> orden;
    QWidget* control = ventana->btnSiguiente;
    do {
        if (control->focusPolicy() & Qt::TabFocus)
            orden.push_back(control);
        control = control->nextInFocusChain();
    } while (control != ventana->btnSiguiente);
    ASSERT_EQ(orden.size(), 2u + kTamanoPool);
    EXPECT_EQ(orden[0], ventana->btnSiguiente);
    EXPECT_EQ(orden[1], ventana->Hueco1);
    for (int i = 1; i <= kTamanoPool; ++i)
        EXPECT_EQ(orden[1 + i], ventana->Huecos[i]);
}

TEST_F(VentanaTest, OpeningAValidSetNamesItAndCreatesItsHistoryEmpty) {
    struct Caso {
        std::string fichero;
        QString caption;
        std::string historia;
    };
    for (const Caso& caso :
         {Caso{"tema1.preg", "Tildora: tema1", "tema1.his"},
          Caso{"x.y.preg", "Tildora: x.y", "x.y.his"}, Caso{".preg", "Tildora: ", ".his"}}) {
        SCOPED_TRACE(caso.fichero);
        const std::string ruta = EscribeSet(caso.fichero, TresPreguntasDosTemas());
        Abre(ruta);
        EXPECT_TRUE(avisos.isEmpty());
        EXPECT_TRUE(errores.isEmpty());
        EXPECT_EQ(ventana->windowTitle(), caso.caption);
        EXPECT_TRUE(ventana->Sesion.FicherosAbiertos);
        EXPECT_EQ(ventana->Sesion.NombreFichero, ruta);
        EXPECT_EQ(ventana->Sesion.NumPreguntas, 3);
        EXPECT_EQ(ventana->lblNumPreguntas->text(), "3 preguntes");
        EXPECT_EQ(ventana->lblNumTemas->text(), "2 temes");
        EsperaControlesTest(*ventana, true);
        EXPECT_EQ(ventana->UltimaCarpeta, QString::fromStdString(carpeta.Ruta()) + "/");
        const QString historia =
            TfrmTildora::CarpetaDatos() + QString::fromStdString(caso.historia);
        EXPECT_TRUE(QFile::exists(historia));
        EXPECT_EQ(Historia(caso.historia), "");
        // The wait notice lives only inside the flow.
        EXPECT_TRUE(ventana->findChildren<TfrmAviso*>().isEmpty());
    }
}

TEST_F(VentanaTest, ASetCopiedFromWindowsOpensWithItsUpperCaseIndex) {
    const TConjuntoEscrito conjunto = ConstruyeConjunto(TresPreguntasDosTemas());
    EscribeFichero(Ruta("TEMA1.PREG"), conjunto.Preguntas);
    EscribeFichero(Ruta("TEMA1.IND"), conjunto.Indice);
    QDir().mkpath(TfrmTildora::CarpetaDatos());
    // Its settings file keeps the name the program builds: ".cfg" in lower case.
    TConfiguracion soloElSegundo{};
    soloElSegundo.TemasMarcados[2] = 1;
    EscribeFichero((TfrmTildora::CarpetaDatos() + "TEMA1.cfg").toStdString(),
                   ConCheckSum(BytesConfiguracion(soloElSegundo)));
    Abre(Ruta("TEMA1.PREG"));
    EXPECT_TRUE(avisos.isEmpty()) << avisos.join("; ").toStdString();
    ASSERT_TRUE(ventana->Sesion.FicherosAbiertos);
    EXPECT_EQ(ventana->windowTitle(), "Tildora: TEMA1");
    EXPECT_EQ(ventana->Sesion.NumPreguntas, 3);
    EXPECT_FALSE(ventana->Sesion.ListaTemas.Marcado(1));
    EXPECT_TRUE(ventana->Sesion.ListaTemas.Marcado(2));
    EXPECT_TRUE(QFile::exists(TfrmTildora::CarpetaDatos() + "TEMA1.his"));
}

TEST_F(VentanaTest, OpeningASetAgainKeepsItsHistory) {
    const std::string ruta = EscribeSet("guardado.preg", TresPreguntasDosTemas());
    QDir().mkpath(TfrmTildora::CarpetaDatos());
    EscribeFichero((TfrmTildora::CarpetaDatos() + "guardado.his").toStdString(), "\x7F\x10");
    Abre(ruta);
    Abre(ruta);
    EXPECT_TRUE(ventana->Sesion.FicherosAbiertos);
    EXPECT_EQ(Historia("guardado.his"), "\x7F\x10");
}

TEST_F(VentanaTest, AFailingCheckWhileASetIsOpenLeavesNoSetOpen) {
    const TConjuntoEscrito bueno = ConstruyeConjunto(TresPreguntasDosTemas());
    const auto conSumaErronea = [](std::string bytes) {
        bytes[0] = static_cast<char>(bytes[0] ^ 1);
        return bytes;
    };
    const auto sinCola = [](const std::string& bytes) {
        return bytes.substr(0, bytes.size() - kLongitudCola);
    };
    struct Caso {
        const char* nombre;
        std::function<void(const std::string& ruta)> prepara;
        QString aviso;
    };
    const std::vector<Caso> casos = {
        {"no question file", [](const std::string&) {}, "Fichero no encontrado:\n\nroto.preg"},
        {"question file without trailer",
         [&](const std::string& ruta) {
             EscribeFichero(ruta, sinCola(bueno.Preguntas));
             EscribeFichero(NombreIndice(ruta), bueno.Indice);
         },
         "Fichero sin CheckSum:\n\nroto.preg"},
        {"question file with a wrong sum",
         [&](const std::string& ruta) {
             EscribeFichero(ruta, conSumaErronea(bueno.Preguntas));
             EscribeFichero(NombreIndice(ruta), bueno.Indice);
         },
         "Fichero con CheckSum erróneo:\n\nroto.preg"},
        {"no index file", [&](const std::string& ruta) { EscribeFichero(ruta, bueno.Preguntas); },
         "Fichero no encontrado:\n\nroto.ind"},
        {"index without trailer",
         [&](const std::string& ruta) {
             EscribeFichero(ruta, bueno.Preguntas);
             EscribeFichero(NombreIndice(ruta), sinCola(bueno.Indice));
         },
         "Fichero sin CheckSum:\n\nroto.ind"},
        {"index with a wrong sum",
         [&](const std::string& ruta) {
             EscribeFichero(ruta, bueno.Preguntas);
             EscribeFichero(NombreIndice(ruta), conSumaErronea(bueno.Indice));
         },
         "Fichero con CheckSum erróneo:\n\nroto.ind"},
        {"unknown key",
         [](const std::string& ruta) {
             EscribeConjunto(ruta, TresPreguntasDosTemas(),
                             "Otra clave que no es la del programa, con mas letras!");
         },
         "Fichero con clave desconocida:\n\nroto.preg"},
    };
    const std::string bien = EscribeSet("bueno.preg", TresPreguntasDosTemas());
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        const std::string ruta = Ruta("roto.preg");
        std::filesystem::remove(ruta);
        std::filesystem::remove(NombreIndice(ruta));
        caso.prepara(ruta);
        Abre(bien);
        ASSERT_TRUE(ventana->Sesion.FicherosAbiertos);
        avisos.clear();

        Abre(ruta);
        EXPECT_EQ(avisos, QStringList{caso.aviso});
        EXPECT_TRUE(errores.isEmpty());
        EXPECT_FALSE(ventana->Sesion.FicherosAbiertos);
        EXPECT_FALSE(ventana->Sesion.FicherosPreguntas.Abiertos());
        EXPECT_EQ(ventana->windowTitle(), "Tildora: bueno");
        EsperaControlesTest(*ventana, false);
        EXPECT_EQ(ventana->lblNumPreguntas->text(), "0 preguntes");
        EXPECT_EQ(ventana->lblNumTemas->text(), "0 temes");
        EXPECT_TRUE(ventana->findChildren<TfrmAviso*>().isEmpty());
    }
}

TEST_F(VentanaTest, AFileErrorInTheMiddleOfOpeningClosesWhatWasOpened) {
    // A file that cannot be opened: a fifo where the settings file goes fails after the caption
    // changes.
    const struct {
        const char* fichero;
        std::function<void(const QString& ruta)> bloquea;
    } casos[] = {
        {"bloqueado.cfg",
         [](const QString& ruta) { ASSERT_EQ(mkfifo(ruta.toLocal8Bit().constData(), 0600), 0); }},
    };
    const std::string ruta = EscribeSet("bloqueado.preg", TresPreguntasDosTemas());
    const std::string bien = EscribeSet("bueno.preg", TresPreguntasDosTemas());
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.fichero);
        const QString bloqueo = TfrmTildora::CarpetaDatos() + caso.fichero;
        QDir().mkpath(TfrmTildora::CarpetaDatos());
        caso.bloquea(bloqueo);
        Abre(bien);
        ASSERT_TRUE(ventana->Sesion.FicherosAbiertos);
        errores.clear();

        Abre(ruta);
        EXPECT_TRUE(avisos.isEmpty());
        ASSERT_EQ(errores.size(), 1);
        EXPECT_TRUE(errores[0].contains(caso.fichero));
        EXPECT_FALSE(ventana->Sesion.FicherosAbiertos);
        EXPECT_FALSE(ventana->Sesion.FicherosPreguntas.Abiertos());
        EXPECT_FALSE(ventana->Sesion.FicheroHistoria.Abierto());
        EXPECT_TRUE(ventana->findChildren<TfrmAviso*>().isEmpty());
        EsperaControlesTest(*ventana, false);
        EXPECT_EQ(ventana->lblNumPreguntas->text(), "0 preguntes");
        // The caption it had before the flow changed it.
        EXPECT_EQ(ventana->windowTitle(), "Tildora: bueno");

        // The program goes on: the same set opens once the way is clear.
        QDir(bloqueo).removeRecursively();
        QFile::remove(bloqueo);
        errores.clear();
        Abre(ruta);
        EXPECT_TRUE(errores.isEmpty());
        EXPECT_TRUE(ventana->Sesion.FicherosAbiertos);
        EXPECT_EQ(ventana->windowTitle(), "Tildora: bloqueado");
    }
}

TEST_F(VentanaTest, CancellingKeepsTheSetButClearsTheQuestion) {
    Abre(EscribeSet("abierto.preg", TresPreguntasDosTemas()));
    Siguiente();
    ASSERT_FALSE(ventana->Textos[1]->isHidden());
    ASSERT_GT(ventana->NumHuecos, 0);
    ventana->menuCastellano->trigger();

    Abre("");
    EXPECT_TRUE(ventana->Sesion.FicherosAbiertos);
    EsperaControlesTest(*ventana, true);
    EXPECT_EQ(ventana->windowTitle(), "Tildora: abierto");
    EXPECT_EQ(ventana->lblNumPreguntas->text(), "3 preguntas");
    EXPECT_EQ(ventana->lblNumTemas->text(), "2 temas");
    EXPECT_EQ(ventana->lblTema->text(), "");
    EXPECT_TRUE(ventana->Textos[1]->isHidden());
    EXPECT_TRUE(ventana->Huecos[1]->isHidden());
    EXPECT_EQ(ventana->NumHuecos, 0);
    EXPECT_TRUE(avisos.isEmpty());
}

TEST_F(VentanaTest, TheOpenDialogStartsInTheLastFolderOrInTheProgramFolder) {
    QStringList primeras;
    const std::string ruta = EscribeSet("carpeta.preg", TresPreguntasDosTemas());
    ventana->AbrePreguntas = [&](const QString& primera) {
        primeras << primera;
        return QString::fromStdString(ruta);
    };
    ventana->menuNuevo->trigger();
    ventana->menuNuevo->trigger();
    ventana->UltimaCarpeta = QString::fromStdString(carpeta.En("borrada/"));
    ventana->menuNuevo->trigger();
    const QString programa = QCoreApplication::applicationDirPath() + "/";
    const QString elegida = QString::fromStdString(carpeta.Ruta()) + "/";
    EXPECT_EQ(primeras, (QStringList{programa, elegida, programa}));
    EXPECT_EQ(ventana->UltimaCarpeta, elegida);
}

TEST(CarpetaProgramaDe, AnInstalledProgramStartsInItsSampleSets) {
    TCarpetaTemporal prefijos;
    for (const char* carpeta :
         {"instalado/bin", "instalado/share/tildora/samples", "sin_muestras/bin", "arbol/src/app",
          "arbol/src/share/tildora/samples"})
        std::filesystem::create_directories(prefijos.En(carpeta));
    const QString raiz = QString::fromStdString(prefijos.Ruta());
    struct Caso {
        QString ejecutable;
        QString esperada;
    };
    for (const Caso& caso : std::vector<Caso>{
             {raiz + "/instalado/bin", raiz + "/instalado/share/tildora/samples/"},
             {raiz + "/sin_muestras/bin", raiz + "/sin_muestras/bin/"},
             // A build tree: the folder is no bin, whatever lies beside it.
             {raiz + "/arbol/src/app", raiz + "/arbol/src/app/"},
         })
        EXPECT_EQ(CarpetaProgramaDe(caso.ejecutable), caso.esperada)
            << caso.ejecutable.toStdString();
}

TEST_F(VentanaTest, LanguageItemsSwitchEveryTextAndKeepTheCounts) {
    Abre(EscribeSet("idiomas.preg", TresPreguntasDosTemas()));
    TfrmTildora& v = *ventana;
    const auto si = [](bool b) { return QString(b ? "yes" : "no"); };
    struct Fila {
        std::function<QString()> lee;
        QString castellano;
        QString valenciano;
    };
    const std::vector<Fila> filas = {
        {[&] { return si(v.menuCastellano->isEnabled()); }, "no", "yes"},
        {[&] { return si(v.menuValenciano->isEnabled()); }, "yes", "no"},
        {[&] { return v.btnNuevo->toolTip(); }, "Nuevo", "Nou"},
        {[&] { return v.btnIrA->toolTip(); }, "Ir a la pregunta...", "Anar a la pregunta..."},
        {[&] { return v.btnSecuencial->toolTip(); }, "Secuencial", "Seqüencial"},
        {[&] { return v.btnAleatorio->toolTip(); }, "Aleatorio", "Aleatori"},
        {[&] { return v.btnTemas->toolTip(); }, "Temas", "Temes"},
        {[&] { return v.btnTerminar->toolTip(); }, "Terminar", "Terminar"},
        {[&] { return v.btnSobreProg->toolTip(); }, "Sobre el programa", "Sobre el programa"},
        {[&] { return v.btnSiguiente->toolTip(); }, "Siguiente texto", "Següent text"},
        {[&] { return v.btnSiguiente->text(); }, "Siguiente   >>", "Següent   >>"},
        {[&] { return v.lblNumPreguntas->text(); }, "3 preguntas", "3 preguntes"},
        {[&] { return v.lblNumTemas->text(); }, "2 temas", "2 temes"},
        {[&] { return v.menuFichero->title(); }, "&Fichero", "&Fitxer"},
        {[&] { return v.menuNuevo->text(); }, "&Nuevo...", "&Nou..."},
        {[&] { return v.menuIrA->text(); }, "&Ir a...", "&Anar a..."},
        {[&] { return v.menuSecuencial->text(); }, "&Secuencial", "&Seqüencial"},
        {[&] { return v.menuAleatorio->text(); }, "&Aleatorio", "&Aleatori"},
        {[&] { return v.menuTemas->text(); }, "T&emas...", "T&emes..."},
        {[&] { return v.menuTerminar->text(); }, "&Terminar", "&Terminar"},
        {[&] { return v.menuPreguntas->title(); }, "&Preguntas", "&Preguntes"},
        {[&] { return v.menuCorregir->text(); }, "&Corregir", "&Corregir"},
        {[&] { return v.menuSiguiente->text(); }, "&Siguiente", "&Següent"},
        {[&] { return v.menuIdioma->title(); }, "&Idioma", "&Idioma"},
        {[&] { return v.menuCastellano->text(); }, "&Castellano", "&Castellà"},
        {[&] { return v.menuValenciano->text(); }, "&Valenciano", "&Valencià"},
        {[&] { return v.menuAyuda->title(); }, "&Ayuda", "&Ajuda"},
        {[&] { return v.menuSobreProg->text(); }, "&Sobre el programa...", "&Sobre el programa..."},
    };
    const auto comprueba = [&](bool castellano) {
        for (size_t i = 0; i < filas.size(); ++i)
            EXPECT_EQ(filas[i].lee(), castellano ? filas[i].castellano : filas[i].valenciano)
                << "row " << i + 1;
        EXPECT_EQ(v.windowTitle(), "Tildora: idiomas");
        EXPECT_EQ(v.btnSobreProg->text(), "?");
        EXPECT_EQ(v.btnCorregir->toolTip(), castellano ? "Corregir el texto" : "Corregir el texte");
    };
    comprueba(false);
    v.menuCastellano->trigger();
    EXPECT_EQ(v.Idioma, TIdioma::Castellano);
    comprueba(true);
    v.menuValenciano->trigger();
    EXPECT_EQ(v.Idioma, TIdioma::Valenciano);
    comprueba(false);
    EXPECT_FALSE(v.menuCastellano->isChecked());
    EXPECT_FALSE(v.menuValenciano->isChecked());
}

TEST_F(VentanaTest, ResizingKeepsTheMinimumAndPlacesToolbarCountersAndHeading) {
    ventana->resize(600, 150);
    EXPECT_EQ(ventana->size(), QSize(645, 200));
    ventana->resize(800, 600);
    EXPECT_EQ(ventana->PanelSuperior->width(), 792);
    EXPECT_EQ(ventana->lblNumPreguntas->x(), 600);
    EXPECT_EQ(ventana->lblNumTemas->x(), 700);
    EXPECT_EQ(ventana->lblTema->width(), 792);
    ventana->resize(750, 550);
    EXPECT_EQ(ventana->lblNumPreguntas->x(), 550);
    EXPECT_EQ(ventana->lblNumTemas->x(), 650);
}

TEST_F(VentanaTest, TopicScanFillsTheListAndTheCache) {
    {
        SCOPED_TRACE("one shared topic");
        Abre(EscribeSet("uno.preg", {Legible("Uno"), Legible("Uno"), Legible("Uno")}));
        EXPECT_EQ(ventana->Sesion.NumTemas, 1);
        EXPECT_EQ(ventana->Sesion.ListaTemas.Cuenta(), 1);
        EXPECT_EQ(ventana->lblNumTemas->text(), "1 temes");
        for (size_t n = 1; n <= 3; ++n)
            EXPECT_EQ(ventana->Sesion.TemaDePregunta.IndiceEnLista(n), 1);
    }
    {
        SCOPED_TRACE("case and accents make topics distinct");
        Abre(EscribeSet("casos.preg",
                        {Legible("tema"), Legible("Tema"), Legible(W("téma")), Legible("tema")}));
        ASSERT_EQ(ventana->Sesion.NumTemas, 3);
        EXPECT_EQ(ventana->Sesion.ListaTemas.Nombre(1), "tema");
        EXPECT_EQ(ventana->Sesion.ListaTemas.Nombre(2), "Tema");
        EXPECT_EQ(ventana->Sesion.ListaTemas.Nombre(3), W("téma"));
        EXPECT_EQ(ventana->Sesion.TemaDePregunta.IndiceEnLista(4), 1);
    }
    {
        SCOPED_TRACE("more than 200 topics");
        std::vector<TPregunta> preguntas;
        for (int i = 1; i <= 201; ++i)
            preguntas.push_back(Legible("T" + std::to_string(i)));
        Abre(EscribeSet("muchos.preg", preguntas));
        EXPECT_EQ(ventana->Sesion.NumTemas, 200);
        EXPECT_EQ(ventana->lblNumTemas->text(), "200 temes");
        EXPECT_EQ(ventana->Sesion.ListaTemas.Nombre(200), "T200");
        EXPECT_EQ(ventana->Sesion.TemaDePregunta.IndiceEnLista(201), -1);
        EXPECT_EQ(ventana->Sesion.TemaDePregunta.FueraDeLista, 1);
        EXPECT_EQ(ventana->Sesion.ListaTemas.Busca("T201"), -1);
        // Without a settings file only the first 100 topics are selected.
        EXPECT_TRUE(ventana->Sesion.ListaTemas.Marcado(100));
        EXPECT_FALSE(ventana->Sesion.ListaTemas.Marcado(101));
    }
}

TEST_F(VentanaTest, SettingsNoticeIsShownWhenTheSetOpens) {
    const std::string ruta = EscribeSet("ajustes.preg", TresPreguntasDosTemas());
    QDir().mkpath(TfrmTildora::CarpetaDatos());
    EscribeFichero((TfrmTildora::CarpetaDatos() + "ajustes.cfg").toStdString(), "sin cola");
    Abre(ruta);
    EXPECT_TRUE(ventana->Sesion.FicherosAbiertos);
    EXPECT_EQ(avisos, QStringList{"Fichero de configuración sin CheckSum:\n\najustes.cfg\n\nSe "
                                  "aconseja configurar el programa y guardar la configuración."});
    EXPECT_EQ(ventana->Sesion.Configuracion.Cabecera, 50);
}

TEST_F(VentanaTest, SetsWithOneBareNameShareSettingsAndHistory) {
    TConfiguracion configuracion;
    ConfiguracionDefecto(configuracion);
    configuracion.TemasMarcados[1] = 0;
    QDir().mkpath(TfrmTildora::CarpetaDatos());
    EscribeFichero((TfrmTildora::CarpetaDatos() + "comun.cfg").toStdString(),
                   ConCheckSum(BytesConfiguracion(configuracion)));
    QDir().mkpath(QString::fromStdString(carpeta.En("uno")));
    QDir().mkpath(QString::fromStdString(carpeta.En("dos")));
    const std::string uno = EscribeSet("uno/comun.preg", TresPreguntasDosTemas());
    const std::string dos = EscribeSet("dos/comun.preg", TresPreguntasDosTemas());

    Abre(uno);
    EXPECT_FALSE(ventana->Sesion.ListaTemas.Marcado(1));
    EXPECT_TRUE(ventana->Sesion.ListaTemas.Marcado(2));
    Siguiente();
    ventana->menuCorregir->trigger();
    Abre(dos);
    EXPECT_EQ(ventana->windowTitle(), "Tildora: comun");
    EXPECT_FALSE(ventana->Sesion.ListaTemas.Marcado(1));
    EXPECT_EQ(Historia("comun.his"), std::string(1, '\0'));
}

#include "exchange_flow.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

#include <map>
#include <set>

#include "core/base/atomic_write.h"
#include "document.h"
#include "file_error_text.h"
#include "file_flow.h"
#include "interface_text.h"
#include "moodle_export.h"
#include "moodle_import.h"
#include "notices.h"
#include "text_bytes.h"
#include "worksheet_painter.h"

namespace {

// Past this many, the import's report says how many more questions it concerns.
constexpr int kNotasMostradas = 25;

QString Nativo(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

}  // namespace

TFlujoIntercambio::TFlujoIntercambio(TDocumento& documento, TFlujoFicheros& ficheros,
                                     QMenu* menuFichero, QAction* despuesDe,
                                     const TCreaItem& creaItem, QWidget* ventana)
    : QObject(ventana), documento_(documento), ficheros_(ficheros), ventana_(ventana) {
    menuExportarA = new QMenu(ventana);
    menuMoodle = creaItem(menuExportarA, [this] { ExportaMoodle(); });
    menuImportar = creaItem(menuFichero, [this] { Importa(); });
    menuImprimir = creaItem(menuFichero, [this] { Imprime(); });
    menuImprimir->setShortcut(QKeySequence::Print);
    menuExportarPdf = creaItem(menuFichero, [this] { ExportaPdf(); });
    // Beside the other exports: right after despuesDe, in this order.
    const auto propias = {menuExportarA->menuAction(), menuExportarPdf, menuImportar, menuImprimir};
    for (QAction* accion : propias)
        menuFichero->removeAction(accion);
    const QList<QAction*> acciones = menuFichero->actions();
    const qsizetype i = acciones.indexOf(despuesDe);
    QAction* siguiente = i >= 0 && i + 1 < acciones.size() ? acciones[i + 1] : nullptr;
    for (QAction* accion : propias)
        menuFichero->insertAction(siguiente, accion);

    EligeFichero = [this](TDialogo dialogo, const QString& propuesta) {
        switch (dialogo) {
            case TDialogo::ExportarMoodle:
                return QFileDialog::getSaveFileName(
                    ventana_, Texto("Exportar a Moodle", "Exportar a Moodle"), propuesta,
                    QStringLiteral("Moodle XML (*.xml)"));
            case TDialogo::Importar:
                return QFileDialog::getOpenFileName(
                    ventana_, Texto("Importar de Moodle", "Importar de Moodle"), propuesta,
                    QStringLiteral("Moodle XML (*.xml)"));
            case TDialogo::ExportarPdf:
                break;
        }
        return QFileDialog::getSaveFileName(ventana_, Texto("Exportar PDF", "Exportar PDF"),
                                            propuesta, QStringLiteral("PDF (*.pdf)"));
    };
    PreguntaSoluciones = [this]() -> std::optional<bool> {
        const auto respuesta = QMessageBox::question(
            ventana_, Texto("Soluciones", "Solucions"),
            Texto("¿Añadir las soluciones al final, en páginas aparte?",
                  "Afegir les solucions al final, en pàgines a banda?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
        if (respuesta == QMessageBox::Cancel)
            return std::nullopt;
        return respuesta == QMessageBox::Yes;
    };
    MuestraVistaPrevia = [](QPrintPreviewDialog& dialogo) { dialogo.exec(); };
}

void TFlujoIntercambio::CambiaIdioma(TIdioma idioma) {
    idioma_ = idioma;
    menuExportarA->setTitle(Texto("E&xportar", "E&xportar"));
    menuMoodle->setText(Texto("&Moodle XML...", "&Moodle XML..."));
    menuExportarPdf->setText(Texto("Exportar &PDF...", "Exportar &PDF..."));
    menuImportar->setText(Texto("&Importar Moodle XML...", "&Importar Moodle XML..."));
    menuImprimir->setText(Texto("I&mprimir...", "I&mprimir..."));
}

QString TFlujoIntercambio::Texto(const char* castellano, const char* valenciano) const {
    return ::Texto(idioma_, castellano, valenciano);
}

// The set's name with the extension, beside the set or in the home folder.
QString TFlujoIntercambio::Propuesta(const QString& extension) const {
    const QString ruta = documento_.Ruta();
    const QString carpeta = ruta.isEmpty() ? QDir::homePath() : QFileInfo(ruta).absolutePath();
    return carpeta + QLatin1Char('/') + ficheros_.NombreConjunto() + extension;
}

namespace {

std::vector<TPregunta> EnBytes(const TDocumento& documento) {
    std::vector<TPregunta> preguntas;
    preguntas.reserve(documento.Preguntas().size());
    for (const TPreguntaEditada& pregunta : documento.Preguntas())
        preguntas.push_back(TDocumento::EnBytes(pregunta));
    return preguntas;
}

}  // namespace

void TFlujoIntercambio::ExportaMoodle() {
    const QString ruta = EligeFichero(TDialogo::ExportarMoodle, Propuesta(QStringLiteral(".xml")));
    if (ruta.isEmpty())
        return;
    const TExportacionMoodle exportacion =
        ::ExportaMoodle(EnBytes(documento_), ficheros_.NombreConjunto().toStdString(), idioma_);
    EscribeFichero(RutaLocal(ruta), exportacion.Xml);

    using TTipo = TPerdidaMoodle::TTipo;
    const std::map<TTipo, QString> descripciones = {
        {TTipo::PreRelleno,
         Texto("preguntas de tildes, cuyo hueco empieza con la respuesta sin tildes: se dice "
               "en su pista y su comentario",
               "preguntes d'accents, el buit de les quals comença amb la resposta sense "
               "accents: es diu en la seua pista i el seu comentari")},
        {TTipo::AnchoMinimo,
         Texto("preguntas con un ancho mínimo de hueco mayor que una respuesta: se dice en su "
               "comentario",
               "preguntes amb una amplària mínima de buit major que una resposta: es diu en el "
               "seu comentari")},
        {TTipo::RespuestaVacia,
         Texto("huecos que hay que dejar en blanco, que Moodle no puede dar por buenos: van "
               "como texto",
               "buits que cal deixar en blanc, que Moodle no pot donar per bons: van com a text")},
        {TTipo::RespuestaConTilde,
         Texto("huecos cuya respuesta lleva «~», que en Moodle acaba la respuesta: van como "
               "texto",
               "buits la resposta dels quals porta «~», que en Moodle acaba la resposta: van "
               "com a text")},
        {TTipo::RespuestaConBarra,
         Texto("huecos cuya respuesta acaba en «\\»: van como texto",
               "buits la resposta dels quals acaba en «\\»: van com a text")},
        {TTipo::BlancosEnRespuesta,
         Texto("respuestas con blancos en los extremos, que Moodle quita",
               "respostes amb blancs als extrems, que Moodle lleva")},
        {TTipo::TemaCambiado,
         Texto("preguntas cuyo tema ninguna categoría de Moodle guarda tal cual",
               "preguntes el tema de les quals cap categoria de Moodle guarda tal qual")},
        {TTipo::CaracterDeControl, Texto("preguntas con caracteres de control, que se quitan",
                                         "preguntes amb caràcters de control, que es lleven")},
    };
    std::map<TTipo, int> cuentas;
    for (const TPerdidaMoodle& perdida : exportacion.Perdidas)
        ++cuentas[perdida.Tipo];
    QStringList partes = {
        Texto("Exportadas %1 preguntas a «%2».", "Exportades %1 preguntes a «%2».")
            .arg(documento_.Cuenta())
            .arg(Nativo(ruta))};
    if (!cuentas.empty()) {
        QString lista =
            Texto("Lo que Moodle no admite tal cual:", "El que Moodle no admet tal qual:");
        for (const auto& [tipo, cuenta] : cuentas)
            lista += QStringLiteral("\n• %1 %2").arg(cuenta).arg(descripciones.at(tipo));
        partes << lista;
    }
    if (const QString faltas = documento_.AvisoFaltas(); !faltas.isEmpty())
        partes << faltas;
    MuestraAviso(partes);
}

void TFlujoIntercambio::Importa() {
    if (!ficheros_.ConfirmaCambios())
        return;
    const QString ruta = EligeFichero(TDialogo::Importar, Propuesta(QStringLiteral(".xml")));
    if (ruta.isEmpty())
        return;
    TImportacionMoodle importacion;
    try {
        importacion = ImportaFicheroMoodle(RutaLocal(ruta));
    } catch (const IoError& e) {
        MuestraError(TextoErrorFichero(e, idioma_));
        return;
    }
    if (importacion.Error) {
        MuestraError(Texto("«%1», línea %2: %3. No se ha importado nada.",
                           "«%1», línia %2: %3. No s'ha importat res.")
                         .arg(Nativo(ruta))
                         .arg(importacion.Error->Linea)
                         .arg(QString::fromStdString(importacion.Error->Mensaje)));
        return;
    }
    if (importacion.Preguntas.empty()) {
        MuestraError(Texto("«%1» no tiene preguntas de huecos (cloze) ni de respuesta corta.",
                           "«%1» no té preguntes de buits (cloze) ni de resposta curta.")
                         .arg(Nativo(ruta)));
        return;
    }
    documento_.AbreImportadas(importacion.Preguntas);

    using TTipo = TNotaImportacion::TTipo;
    const auto describe = [this](const TNotaImportacion& nota) {
        const QString detalle = QString::fromStdString(nota.Detalle);
        switch (nota.Tipo) {
            case TTipo::TipoSinUso:
                return Texto("no entra: es de tipo «%1»", "no entra: és de tipus «%1»")
                    .arg(detalle);
            case TTipo::SinRespuestaCorrecta:
                return Texto("no entra: un hueco no tiene respuesta que puntúe",
                             "no entra: un buit no té resposta que puntue");
            case TTipo::CaracterImposible:
                return Texto("no entra: lleva «%1», que los ficheros de Tildora no admiten",
                             "no entra: porta «%1», que els fitxers de Tildora no admeten")
                    .arg(detalle);
            case TTipo::MarcaDeHueco:
                return Texto("no entra: lleva «@», la marca de hueco de Tildora",
                             "no entra: porta «@», la marca de buit de Tildora");
            case TTipo::HuecoAnidado:
                return Texto("no entra: la respuesta de un hueco lleva el principio de otro hueco",
                             "no entra: la resposta d'un buit porta el principi d'un altre buit");
            case TTipo::HuecoSinCerrar:
                return Texto(
                    "no entra: un hueco no se cierra (falta su «}» o está escrita "
                    "«\\}»)",
                    "no entra: un buit no es tanca (falta la seua «}» o està escrita "
                    "«\\}»)");
            case TTipo::CorteQuitaHuecos:
                return Texto(
                           "no entra: el texto no cabe en una pregunta y cortarlo quitaría "
                           "%1 huecos",
                           "no entra: el text no cap en una pregunta i tallar-lo llevaria %1 "
                           "buits")
                    .arg(nota.Cifra);
            case TTipo::HuecoComoTexto:
                return Texto("un hueco %1 queda como texto, con su respuesta correcta",
                             "un buit %1 queda com a text, amb la seua resposta correcta")
                    .arg(detalle);
            case TTipo::RespuestasDescartadas:
                return Texto("se dejan %1 respuestas más de sus huecos",
                             "es deixen %1 respostes més dels seus buits")
                    .arg(nota.Cifra);
            case TTipo::Comodin:
                return Texto("una respuesta lleva el comodín «*» de Moodle, que queda como «*»",
                             "una resposta porta el comodí «*» de Moodle, que queda com «*»");
            case TTipo::MayusculasIgnoradas:
                return Texto("un hueco distingue mayúsculas; Tildora no",
                             "un buit distingix majúscules; Tildora no");
            case TTipo::TextoCortado:
                return Texto("el texto no cabe en una pregunta: se corta al final de una frase",
                             "el text no cap en una pregunta: es talla al final d'una frase");
            case TTipo::TemaCortado:
                return Texto("el nombre de su categoría se corta",
                             "el nom de la seua categoria es talla");
            case TTipo::PracticaAcentos:
                return Texto("vuelve como práctica de acentos", "torna com a pràctica d'accents");
            case TTipo::AnchoMinimo:
                return Texto("vuelve con su ancho mínimo de hueco, %1",
                             "torna amb la seua amplària mínima de buit, %1")
                    .arg(nota.Cifra);
            case TTipo::SinTema:
                return Texto("vuelve sin tema", "torna sense tema");
        }
        return QString();
    };
    QStringList partes = {
        Texto("Importadas %1 preguntas de «%2».", "Importades %1 preguntes de «%2».")
            .arg(importacion.Preguntas.size())
            .arg(Nativo(ruta))};
    if (!importacion.Notas.empty()) {
        QString lista = Texto("Lo que ha vuelto de Tildora y lo que se ha perdido, por pregunta:",
                              "El que ha tornat de Tildora i el que s'ha perdut, per pregunta:");
        int puestas = 0;
        for (const TNotaImportacion& nota : importacion.Notas) {
            if (++puestas > kNotasMostradas) {
                lista += Texto("\n… y %1 notas más", "\n… i %1 notes més")
                             .arg(importacion.Notas.size() - kNotasMostradas);
                break;
            }
            lista += QStringLiteral("\n%1 «%2»: %3")
                         .arg(nota.Numero)
                         .arg(QString::fromStdString(nota.Nombre), describe(nota));
        }
        partes << lista;
    }
    MuestraAviso(partes);
}

void TFlujoIntercambio::Imprime() {
    const std::optional<bool> soluciones = PreguntaSoluciones();
    if (!soluciones)
        return;
    const TOpcionesHoja opciones{BytesDeEntrada(ficheros_.NombreConjunto()).value_or("Tildora"),
                                 *soluciones, idioma_};
    const std::vector<TPregunta> preguntas = EnBytes(documento_);
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setFullPage(true);
    QPrintPreviewDialog vista(&impresora, ventana_);
    vista.setWindowTitle(Texto("Vista previa de la hoja", "Vista prèvia del full"));
    connect(&vista, &QPrintPreviewDialog::paintRequested, this,
            [&](QPrinter* destino) { PintaHoja(preguntas, opciones, *destino); });
    AvisaFaltas();
    MuestraVistaPrevia(vista);
}

void TFlujoIntercambio::ExportaPdf() {
    const std::optional<bool> soluciones = PreguntaSoluciones();
    if (!soluciones)
        return;
    const QString ruta = EligeFichero(TDialogo::ExportarPdf, Propuesta(QStringLiteral(".pdf")));
    if (ruta.isEmpty())
        return;
    const TOpcionesHoja opciones{BytesDeEntrada(ficheros_.NombreConjunto()).value_or("Tildora"),
                                 *soluciones, idioma_};
    EscribeFichero(RutaLocal(ruta), PdfDeHoja(EnBytes(documento_), opciones));
    AvisaFaltas();
}

void TFlujoIntercambio::AvisaFaltas() {
    if (auto* principal = qobject_cast<QMainWindow*>(ventana_))
        principal->statusBar()->showMessage(documento_.AvisoFaltas());
}

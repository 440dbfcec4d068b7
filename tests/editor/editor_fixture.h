#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/base/win1252.h"
#include "core/set/writer.h"
#include "editor_window.h"
#include "notices.h"
#include "preview_panel.h"
#include "question_form.h"
#include "question_list.h"
#include "temp_folder.h"
#include "test_questions.h"

// A fresh editor window, shown, with its notices and file dialogs captured.
class Editor : public testing::Test {
  protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        EstableceReceptorAvisos({[this](const QString& t) { avisos << t; },
                                 [this](const QString& t) { errores << t; }});
        ventana = std::make_unique<TfrmEditor>();
        ventana->Ficheros->EligeFichero = [this](TFlujoFicheros::TDialogo dialogo,
                                                 const QString& propuesta) {
            dialogos << dialogo;
            propuestas << propuesta;
            return eleccion;
        };
        ventana->Ficheros->PreguntaCambios = [this] {
            ++preguntasCambios;
            return respuestaCambios;
        };
        ventana->show();
        ventana->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana.get()));
    }

    void TearDown() override {
        ventana->Ficheros->PreguntaCambios = [] { return QMessageBox::Discard; };
        ventana.reset();
        EstableceReceptorAvisos({});
    }

    QString Ruta(const std::string& nombre) const {
        return QString::fromStdString(carpeta.En(nombre));
    }

    QString EscribeSet(const std::string& nombre, const std::vector<TPregunta>& preguntas) {
        EscribeConjunto(carpeta.En(nombre), preguntas);
        return Ruta(nombre);
    }

    // File, Open with the dialog answering ruta.
    void Abre(const QString& ruta) {
        eleccion = ruta;
        ventana->menuAbrir->trigger();
    }

    // Keys as the teacher presses them, to whatever has the focus.
    void Pulsa(QKeyCombination tecla) {
        QWidget* foco = QApplication::focusWidget();
        ASSERT_NE(foco, nullptr);
        QTest::keyClick(foco, tecla.key(), tecla.keyboardModifiers());
    }

    void Escribe(const QString& texto) {
        QWidget* foco = QApplication::focusWidget();
        ASSERT_NE(foco, nullptr);
        QTest::keyClicks(foco, texto);
    }

    QPlainTextEdit* Texto() const { return ventana->Formulario->edTexto; }
    TPoolPregunta& Pool() const { return ventana->VistaPrevia->Pool; }

    // The shown text labels of the preview, in pool order.
    QStringList TextosPrevia() const {
        QStringList textos;
        for (int i = 1; i <= kTamanoPool; ++i)
            if (!Pool().Textos[static_cast<size_t>(i)]->isHidden())
                textos << Pool().Textos[static_cast<size_t>(i)]->text();
        return textos;
    }

    // The preview's answers, each shown above its gap.
    QStringList RespuestasPrevia() const {
        QStringList respuestas;
        for (int g = 1; g <= ventana->VistaPrevia->NumHuecos(); ++g) {
            QLabel* respuesta = Pool().Respuestas[static_cast<size_t>(g)];
            QLineEdit* hueco = Pool().Huecos[static_cast<size_t>(g)];
            EXPECT_TRUE(respuesta->isVisible() && hueco->isVisible());
            EXPECT_EQ(respuesta->y() + respuesta->height(), hueco->y());
            EXPECT_EQ(respuesta->x(), hueco->x());
            respuestas << respuesta->text();
        }
        return respuestas;
    }

    std::vector<TPreguntaEditada> Preguntas() const { return ventana->Documento.Preguntas(); }

    TCarpetaTemporal carpeta;
    std::unique_ptr<TfrmEditor> ventana;
    QStringList avisos;
    QStringList errores;
    QString eleccion;
    QList<TFlujoFicheros::TDialogo> dialogos;
    QStringList propuestas;
    QMessageBox::StandardButton respuestaCambios = QMessageBox::Cancel;
    int preguntasCambios = 0;
};

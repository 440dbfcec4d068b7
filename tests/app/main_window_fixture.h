#pragma once

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/base/win1252.h"
#include "core/set/writer.h"
#include "main_window.h"
#include "notices.h"
#include "temp_folder.h"
#include "test_questions.h"

// Runs accion on the modal window that the code under test is about to open; it waits for
// the window to appear, so the test never hangs on a dialog that nobody closes.
inline void AlAbrirseModal(std::function<void(QWidget*)> accion, int intentos = 200) {
    QTimer::singleShot(10, qApp, [accion, intentos] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            accion(modal);
        } else if (intentos > 0) {
            AlAbrirseModal(accion, intentos - 1);
        } else {
            ADD_FAILURE() << "no modal window opened";
        }
    });
}

// A fresh main window, shown, with the notices captured and an empty program data folder.
class VentanaTest : public testing::Test {
  protected:
    void SetUp() override {
        QDir(TfrmTildora::CarpetaDatos()).removeRecursively();
        // Closing a window in one test must not end the event loops of the next ones.
        QApplication::setQuitOnLastWindowClosed(false);
        EstableceReceptorAvisos({[this](const QString& t) { avisos << t; },
                                 [this](const QString& t) { errores << t; }});
        ventana = std::make_unique<TfrmTildora>();
        ventana->show();
        ventana->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana.get()));
    }

    void TearDown() override {
        ventana.reset();
        EstableceReceptorAvisos({});
    }

    std::string Ruta(const std::string& nombre) const { return carpeta.En(nombre); }

    std::string EscribeSet(const std::string& nombre, const std::vector<TPregunta>& preguntas) {
        const std::string ruta = Ruta(nombre);
        EscribeConjunto(ruta, preguntas);
        return ruta;
    }

    // File, New with the open dialog answering ruta (empty: cancelled).
    void Abre(const std::string& ruta) {
        ventana->AbrePreguntas = [ruta](const QString&) { return QString::fromStdString(ruta); };
        ventana->btnNuevo->click();
        // The wait notice took the activation; a desktop gives it back when the notice goes.
        ventana->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana.get()));
    }

    void Siguiente() { ventana->btnSiguiente->click(); }

    std::string Historia(const std::string& nombreDesnudo) const {
        return LeeFicheroEntero(
            (TfrmTildora::CarpetaDatos() + QString::fromStdString(nombreDesnudo)).toStdString());
    }

    // Lays out a question without a set, as Next does after reading it.
    void Muestra(const TPregunta& pregunta, uint16_t numero = 1) {
        ventana->Sesion.PonPregunta(pregunta);
        ventana->MuestraPregunta(numero);
    }

    TCarpetaTemporal carpeta;
    std::unique_ptr<TfrmTildora> ventana;
    QStringList avisos;
    QStringList errores;
};

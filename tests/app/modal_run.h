#pragma once

#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Runs the dialog modally, as the main window does, and plays `accion` inside its event loop.
// A dialog still open a while later is closed with -1, so a failing test cannot hang.
inline int EjecutaModal(QDialog& dialogo, const std::function<void()>& accion) {
    QTimer::singleShot(0, &dialogo, [&] {
        // Keys reach the focused control only once the window is active.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialogo));
        accion();
    });
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, &dialogo, [&dialogo] { dialogo.done(-1); });
    limite.start(5000);
    return dialogo.exec();
}

// Where the keyboard goes in the dialog that is open now.
inline QWidget* DestinoTeclado(QDialog& dialogo) {
    QWidget* foco = dialogo.focusWidget();
    return foco != nullptr ? foco : &dialogo;
}

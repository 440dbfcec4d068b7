#include <QProcess>

#include <csignal>

#include "main_window_fixture.h"

// The real program, in a process of its own, with a corrected question on screen: a signal
// that ends the session closes the set and appends the session's score before it ends.
TEST(SessionEnd, SignalsThatEndTheSessionKeepTheScore) {
    TCarpetaTemporal carpeta;
    const std::string conjunto = carpeta.En("sesion.preg");
    EscribeConjunto(conjunto, {Legible("Tema"), Legible("Tema")});
    const QString historia = TfrmTildora::CarpetaDatos() + "sesion.his";
    for (const int senal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(senal);
        QFile::remove(historia);
        QProcess programa;
        programa.start(TILDORA_SESSION_CHILD, {QString::fromStdString(conjunto)});
        ASSERT_TRUE(programa.waitForStarted(5000));
        QByteArray dicho;
        while (!dicho.contains('\n') && programa.waitForReadyRead(10000))
            dicho += programa.readAllStandardOutput();
        // One gap answered right and corrected; the desktop knows the program's file.
        ASSERT_EQ(dicho.trimmed(), "listo 1 org.tildora.Tildora");
        ASSERT_EQ(::kill(static_cast<pid_t>(programa.processId()), senal), 0);
        ASSERT_TRUE(programa.waitForFinished(10000));
        EXPECT_EQ(programa.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(programa.exitCode(), 0);
        // 1 right of 1: the score byte 254.
        EXPECT_EQ(LeeFicheroEntero(historia.toStdString()), "\xFE");
    }
}

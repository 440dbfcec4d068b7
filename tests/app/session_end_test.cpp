#include <QProcess>

#include <csignal>

#include "main_window_fixture.h"

// The real program, in a process of its own, with a corrected question on screen: a signal
// that ends the session closes the set and appends the session's score before it ends, also
// with a modal dialog open, and once a handler that kept the window busy returns.
TEST(SessionEnd, SignalsThatEndTheSessionKeepTheScore) {
    TCarpetaTemporal carpeta;
    const std::string conjunto = carpeta.En("sesion.preg");
    EscribeConjunto(conjunto, {Legible("Tema"), Legible("Tema")});
    const QString historia = TfrmTildora::CarpetaDatos() + "sesion.his";
    const std::pair<int, const char*> casos[] = {
        {SIGTERM, ""},      {SIGINT, ""},           {SIGHUP, ""},          {SIGTERM, "ir-a"},
        {SIGTERM, "temas"}, {SIGTERM, "historial"}, {SIGHUP, "historial"}, {SIGTERM, "ocupado"},
    };
    for (const auto& [senal, espera] : casos) {
        SCOPED_TRACE(testing::Message() << senal << " " << espera);
        QFile::remove(historia);
        QProcess programa;
        programa.start(TILDORA_SESSION_CHILD, {QString::fromStdString(conjunto), espera});
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

// The installed program's command line: a set given opens at start (its history file is made
// then); more than one, or an option it does not know, is wrong usage before any window.
TEST(CommandLine, TheProgramOpensTheSetItIsGiven) {
    TCarpetaTemporal carpeta;
    const std::string conjunto = carpeta.En("dado.preg");
    EscribeConjunto(conjunto, {Legible("Tema")});
    const QString historia = TfrmTildora::CarpetaDatos() + "dado.his";
    QFile::remove(historia);
    QProcess programa;
    programa.start(TILDORA_PROGRAM, {QString::fromStdString(conjunto)});
    ASSERT_TRUE(programa.waitForStarted(5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(historia); }, 10000));
    ASSERT_EQ(::kill(static_cast<pid_t>(programa.processId()), SIGTERM), 0);
    ASSERT_TRUE(programa.waitForFinished(10000));
    EXPECT_EQ(programa.exitCode(), 0);

    for (const QStringList& argumentos :
         {QStringList{"a.preg", "b.preg"}, QStringList{"--abre", "a.preg"}}) {
        SCOPED_TRACE(argumentos.join(' ').toStdString());
        QProcess mal;
        mal.start(TILDORA_PROGRAM, argumentos);
        ASSERT_TRUE(mal.waitForFinished(10000));
        EXPECT_EQ(mal.exitCode(), 2);
        EXPECT_TRUE(mal.readAllStandardError().contains("Usage: tildora "));
    }
}

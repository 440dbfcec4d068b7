#include <QIODevice>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QToolBar>

#include "dictation_view.h"
#include "interface_text.h"
#include "listening.h"
#include "main_window_fixture.h"

namespace {

// What the window played, pulled from its source as a sound device would.
struct TBuffer {
    QByteArray Tocado;
    bool Disponible = true;
};

class TSalidaBuffer : public TSalidaSonido {
  public:
    explicit TSalidaBuffer(std::shared_ptr<TBuffer> buffer) : buffer_(std::move(buffer)) {
        reloj_.setInterval(5);
        QObject::connect(&reloj_, &QTimer::timeout, &reloj_, [this] {
            if (fuente_)
                buffer_->Tocado += fuente_->read(4410);
        });
    }
    bool Disponible() const override { return buffer_->Disponible; }
    void Toca(QIODevice* fuente, int) override {
        fuente_ = fuente;
        inicio_ = buffer_->Tocado.size();
        reloj_.start();
    }
    void Para() override {
        reloj_.stop();
        fuente_ = nullptr;
    }
    int64_t MuestrasTocadas() const override { return (buffer_->Tocado.size() - inicio_) / 2; }

  private:
    std::shared_ptr<TBuffer> buffer_;
    QTimer reloj_;
    QIODevice* fuente_ = nullptr;
    qsizetype inicio_ = 0;
};

class Lectura : public VentanaTest {
  protected:
    void SetUp() override {
        VentanaTest::SetUp();
        ventana->Escucha->PonSalida(std::make_unique<TSalidaBuffer>(buffer));
        ventana->Escucha->AvisaSinVoz = [this](const QString& texto) { avisos << texto; };
    }
    // The words lit while the reading is heard to its end.
    QStringList Oye(std::function<void()> pide) {
        QStringList dichas;
        TEscucha* escucha = ventana->Escucha;
        const QMetaObject::Connection conexion =
            QObject::connect(escucha->Lector, &TLectorVoz::Palabra, ventana.get(),
                             [&dichas, escucha](qsizetype inicio, qsizetype longitud) {
                                 dichas << TextoDeBytes(escucha->Lectura.Texto().substr(
                                     static_cast<size_t>(inicio), static_cast<size_t>(longitud)));
                             });
        QSignalSpy fin(escucha->Lector, &TLectorVoz::Terminado);
        pide();
        EXPECT_TRUE(fin.wait(20000));
        QObject::disconnect(conexion);
        return dichas;
    }

    std::shared_ptr<TBuffer> buffer = std::make_shared<TBuffer>();
};

const char* kTexto = "El @h@ombre vino ayer. Ahora est@á@ aquí con su @h@ija.";

TEST_F(Lectura, F4ReadsTheShownQuestionWithItsAnswersLightingEachWord) {
    Muestra(Legible("Tema", W(kTexto)));
    ASSERT_TRUE(ventana->Escucha->menuEscuchar->isEnabled());
    // Each word is lit in its own control while it is spoken.
    QStringList encendidas;
    QObject::connect(
        ventana->Escucha->Lector, &TLectorVoz::Palabra, ventana.get(), [this, &encendidas] {
            for (int i = 1; i <= 3; ++i)
                if (ventana->Huecos[i]->palette().color(QPalette::Base) == ColorPalabraDicha())
                    encendidas << QStringLiteral("hueco %1").arg(i);
            for (int i = 1; i <= kTamanoPool; ++i)
                if (ventana->Textos[i]->textFormat() == Qt::RichText &&
                    ventana->Textos[i]->text().contains(ColorPalabraDicha().name()))
                    encendidas << QStringLiteral("texto %1").arg(i);
        });
    const QStringList dichas = Oye([this] { QTest::keyClick(ventana.get(), Qt::Key_F4); });
    EXPECT_EQ(TextoDeBytes(ventana->Escucha->Lectura.Texto()).toStdString(),
              "El hombre vino ayer. Ahora está aquí con su hija. ");
    EXPECT_EQ(dichas, QString::fromUtf8("El hombre vino ayer Ahora está aquí con su hija")
                          .split(QLatin1Char(' ')));
    EXPECT_GT(buffer->Tocado.size(), 22050);  // more than half a second
    EXPECT_TRUE(encendidas.contains(QStringLiteral("hueco 1")))
        << encendidas.join(u',').toStdString();
    EXPECT_TRUE(encendidas.contains(QStringLiteral("hueco 3")));
    EXPECT_TRUE(encendidas.contains(QStringLiteral("texto 1")));
    // All put out at the end, the labels plain again.
    for (int i = 1; i <= 3; ++i)
        EXPECT_NE(ventana->Huecos[i]->palette().color(QPalette::Base), ColorPalabraDicha());
    for (int i = 1; i <= kTamanoPool; ++i)
        EXPECT_EQ(ventana->Textos[i]->textFormat(), Qt::PlainText);
}

TEST_F(Lectura, F3ReadsTheSentenceOfTheFocusedGap) {
    Muestra(Legible("Tema", W(kTexto)));
    ventana->Huecos[2]->setFocus();
    const QStringList dichas = Oye([this] { QTest::keyClick(ventana->Huecos[2], Qt::Key_F3); });
    EXPECT_EQ(dichas, QString::fromUtf8("Ahora está aquí con su hija").split(QLatin1Char(' ')));
}

TEST_F(Lectura, TheButtonOnTheLetterStripAndTheMenuItemReadToo) {
    Muestra(Legible("Tema", W(kTexto)));
    EXPECT_EQ(ventana->Escucha->btnEscuchar->parentWidget(),
              static_cast<QWidget*>(ventana->BarraLetras));
    EXPECT_EQ(Oye([this] { ventana->Escucha->btnEscuchar->click(); }).size(), 10);
    EXPECT_EQ(Oye([this] { ventana->Escucha->menuEscuchar->trigger(); }).size(), 10);
}

TEST_F(Lectura, NextALanguageSwitchAndClosingStopTheVoice) {
    const std::function<void()> paradas[] = {
        [this] { Muestra(Legible("Tema", W(kTexto)), 2); },
        [this] { ventana->menuCastellano->trigger(); },
        [this] { ventana->close(); },
    };
    for (const auto& para : paradas) {
        Muestra(Legible("Tema", W(kTexto)));
        QTest::keyClick(ventana.get(), Qt::Key_F4);
        QTRY_VERIFY(!buffer->Tocado.isEmpty());
        para();
        EXPECT_FALSE(ventana->Escucha->Lector->Leyendo());
        const qsizetype tocado = buffer->Tocado.size();
        QTest::qWait(100);
        EXPECT_EQ(buffer->Tocado.size(), tocado);
        buffer->Tocado.clear();
        ventana->show();
    }
}

TEST_F(Lectura, NoSoundDeviceDisablesListeningSayingWhyWithOneNotice) {
    buffer->Disponible = false;
    ventana->Escucha->PonSalida(std::make_unique<TSalidaBuffer>(buffer));
    Muestra(Legible("Tema", W(kTexto)));
    for (const TIdioma idioma : {TIdioma::Castellano, TIdioma::Valenciano}) {
        ventana->CambiaIdioma(idioma);
        const QString porQue =
            Texto(idioma, "no hay ningún dispositivo de sonido", "no hi ha cap dispositiu de so");
        EXPECT_FALSE(ventana->Escucha->menuEscuchar->isEnabled());
        EXPECT_FALSE(ventana->Escucha->btnEscuchar->isEnabled());
        EXPECT_TRUE(ventana->Escucha->menuEscuchar->toolTip().contains(porQue));
        EXPECT_TRUE(ventana->Escucha->btnEscuchar->toolTip().contains(porQue));
    }
    QTest::keyClick(ventana.get(), Qt::Key_F4);
    QTest::keyClick(ventana.get(), Qt::Key_F4);
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].contains(QStringLiteral("dispositiu de so")));
    EXPECT_TRUE(buffer->Tocado.isEmpty());
}

TEST_F(Lectura, TheKeysAreTheWindowsOwnAndOnNoMenuItem) {
    const QList<QKeySequence> teclas = {QKeySequence(Qt::Key_F3), QKeySequence(Qt::Key_F4),
                                        QKeySequence(Qt::CTRL | Qt::Key_F4)};
    for (QAction* menu : ventana->menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            for (const QKeySequence& t : teclas)
                EXPECT_FALSE(item->shortcuts().contains(t)) << item->text().toStdString();
    EXPECT_EQ(ventana->Escucha->AtajoPregunta->key(), teclas[1]);
    EXPECT_EQ(ventana->Escucha->AtajoFrase->key(), teclas[0]);
    EXPECT_EQ(ventana->Escucha->AtajoTodo->key(), teclas[2]);
    for (QShortcut* a : {ventana->Escucha->AtajoPregunta, ventana->Escucha->AtajoFrase,
                         ventana->Escucha->AtajoTodo})
        EXPECT_EQ(a->context(), Qt::WindowShortcut);
}

TEST_F(Lectura, DictationHidesTheTextReadsASentenceAndChecksEachWord) {
    Muestra(Legible("Tema", W(kTexto)));
    TEscucha* escucha = ventana->Escucha;
    const QStringList dichas = Oye([escucha] { escucha->menuDictado->trigger(); });
    EXPECT_EQ(dichas, QStringList({"El", "hombre", "vino", "ayer"}));
    EXPECT_TRUE(escucha->Dictado->isVisible());
    EXPECT_TRUE(escucha->Dictado->geometry().contains(
        ventana->Huecos[1]->mapTo(ventana.get(), QPoint(0, 0))));
    // Ctrl+F4 the whole text.
    EXPECT_EQ(
        Oye([this] { QTest::keyClick(ventana.get(), Qt::Key_F4, Qt::ControlModifier); }).size(),
        10);
    escucha->Dictado->Entrada->setPlainText(
        QString::fromUtf8("el ombre vino ayer. Ahora esta aquí con la su hija"));
    escucha->Dictado->btnComprobar->click();
    using TEstado = TPalabraDictada::TEstado;
    std::vector<TEstado> estados;
    for (const TPalabraDictada& p : escucha->Dictado->Correccion->Palabras())
        estados.push_back(p.Estado);
    EXPECT_EQ(estados,
              (std::vector<TEstado>{TEstado::Bien, TEstado::Mal, TEstado::Bien, TEstado::Bien,
                                    TEstado::Bien, TEstado::Mal, TEstado::Bien, TEstado::Bien,
                                    TEstado::Sobra, TEstado::Bien, TEstado::Bien}));
    // The session's tallies are the gaps' own.
    EXPECT_EQ(ventana->Sesion.Contestadas(), 0);
    EXPECT_EQ(ventana->Sesion.Acertadas(), 0);
    escucha->menuDictado->trigger();
    EXPECT_FALSE(escucha->Dictado->isVisible());
}

}  // namespace

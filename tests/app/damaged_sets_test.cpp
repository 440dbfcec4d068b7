#include <QCryptographicHash>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include "core/base/atomic_write.h"
#include "core/set/checksum.h"
#include "hostile_sets.h"
#include "main_window_fixture.h"
#include "wait_notice.h"

namespace fs = std::filesystem;

namespace {

// Every entry under a folder: a digest of each file's bytes, "/" for a folder, the target for
// a link and "special" for sockets and fifos (a link may point at a device that never ends).
std::map<std::string, std::string> Huella(const fs::path& carpeta) {
    std::map<std::string, std::string> huella;
    if (!fs::is_directory(carpeta))
        return huella;
    for (const fs::directory_entry& entrada : fs::recursive_directory_iterator(carpeta)) {
        std::string& valor = huella[fs::relative(entrada.path(), carpeta).string()];
        if (entrada.is_symlink()) {
            valor = "-> " + fs::read_symlink(entrada.path()).string();
        } else if (entrada.is_directory()) {
            valor = "/";
        } else if (!entrada.is_regular_file()) {
            valor = "special";
        } else {
            const std::string bytes = LeeFicheroEntero(entrada.path().string());
            valor = QCryptographicHash::hash(QByteArray::fromStdString(bytes),
                                             QCryptographicHash::Sha256)
                        .toHex()
                        .toStdString();
        }
    }
    return huella;
}

std::vector<std::string> Nombres(const std::map<std::string, std::string>& huella) {
    std::vector<std::string> nombres;
    for (const auto& [nombre, valor] : huella)
        nombres.push_back(nombre);
    return nombres;
}

// Puts a socket where the file was: it exists, but no one can open it as a file, root neither.
void CreaEnchufe(const std::string& ruta) {
    fs::remove(ruta);
    sockaddr_un direccion{};
    direccion.sun_family = AF_UNIX;
    ASSERT_LT(ruta.size(), sizeof direccion.sun_path);
    std::copy(ruta.begin(), ruta.end(), direccion.sun_path);
    const int enchufe = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(enchufe, 0);
    EXPECT_EQ(bind(enchufe, reinterpret_cast<const sockaddr*>(&direccion), sizeof direccion), 0);
    close(enchufe);
}

// Without the trailing separator, so that it names the folder itself.
fs::path CarpetaDeDatos() {
    return fs::path(TfrmTildora::CarpetaDatos().toStdString()).parent_path();
}

// One record scrambled with the key, as the writer stores it.
std::string Registro(const TPregunta& pregunta, std::string_view clave = kClave) {
    std::string registro = EmpaquetaPregunta(pregunta);
    AplicaClave(reinterpret_cast<unsigned char*>(registro.data()), clave, registro.size());
    return registro;
}

std::string Revuelto(std::string bytes) {
    AplicaClave(reinterpret_cast<unsigned char*>(bytes.data()), kClave, bytes.size());
    return bytes;
}

std::string Entradas(const std::vector<uint32_t>& posiciones) {
    std::string bytes;
    for (const uint32_t p : posiciones)
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((p >> (8 * i)) & 0xFF);
    return bytes;
}

std::string SinCola(const std::string& bytes) {
    return bytes.substr(0, bytes.size() - kLongitudCola);
}

std::string Aleatorios(size_t n, unsigned semilla) {
    std::mt19937 generador(semilla);
    std::string bytes(n, '\0');
    for (char& b : bytes)
        b = static_cast<char>(generador());
    return bytes;
}

std::vector<TPregunta> Normales(int n) {
    std::vector<TPregunta> preguntas;
    for (int i = 1; i <= n; ++i)
        preguntas.push_back(Legible("Tema " + std::to_string(i % 7)));
    return preguntas;
}

int HuecosVisibles(const TfrmTildora& v) {
    return static_cast<int>(std::count_if(v.Huecos.begin() + 1, v.Huecos.end(),
                                          [](QLineEdit* h) { return !h->isHidden(); }));
}

int RespuestasVisibles(const TfrmTildora& v) {
    return static_cast<int>(std::count_if(v.Respuestas.begin() + 1, v.Respuestas.end(),
                                          [](QLabel* r) { return !r->isHidden(); }));
}

// Keys as a learner types them, a letter beyond ASCII among them.
void Teclea(QLineEdit* hueco) {
    QTest::keyClicks(hueco, "xa ");
    QTest::sendKeyEvent(QTest::Click, hueco, Qt::Key_Aacute, QString::fromUtf8("á"),
                        Qt::NoModifier);
}

// Next several times; each question gets typed into and corrected twice. Returns the most gaps
// one question used.
int Ejercita(TfrmTildora& v, int veces = 6) {
    int masHuecos = 0;
    for (int k = 0; k < veces; ++k) {
        SCOPED_TRACE("Next " + std::to_string(k + 1));
        v.btnSiguiente->click();
        const int n = v.NumHuecos;
        masHuecos = std::max(masHuecos, n);
        EXPECT_LE(n, kTamanoPool);
        EXPECT_EQ(HuecosVisibles(v), n);
        if (n > 0) {
            EXPECT_FALSE(v.Huecos[static_cast<size_t>(n)]->isHidden());
        }
        EXPECT_EQ(RespuestasVisibles(v), 0);
        for (int i = 1; i <= std::min(n, 3); ++i)
            Teclea(v.Huecos[static_cast<size_t>(i)]);
        v.btnCorregir->click();
        EXPECT_EQ(v.btnCorregir->isChecked(), n > 0);
        EXPECT_EQ(RespuestasVisibles(v), n);
        v.btnCorregir->click();
        EXPECT_FALSE(v.btnCorregir->isChecked());
        EXPECT_EQ(RespuestasVisibles(v), 0);
    }
    return masHuecos;
}

// An error ends the handler before the counters are refreshed: they may then stand empty.
void EsperaNingunConjunto(const TfrmTildora& v, bool trasError = false) {
    EXPECT_FALSE(v.Sesion.FicherosAbiertos());
    EXPECT_FALSE(v.Sesion.FicherosPreguntas().Abiertos());
    EXPECT_FALSE(v.Sesion.HistoriaAbierta());
    EXPECT_EQ(v.Sesion.NumPreguntas(), 0);
    const QStringList preguntas{"0 preguntes"}, temas{"0 temes"};
    EXPECT_TRUE(
        (trasError ? preguntas + QStringList{""} : preguntas).contains(v.lblNumPreguntas->text()))
        << v.lblNumPreguntas->text().toStdString();
    EXPECT_TRUE((trasError ? temas + QStringList{""} : temas).contains(v.lblNumTemas->text()))
        << v.lblNumTemas->text().toStdString();
    for (QWidget* control :
         std::initializer_list<QWidget*>{v.btnSiguiente, v.btnCorregir, v.btnIrA, v.btnTemas})
        EXPECT_FALSE(control->isEnabled());
    for (QAction* item : {v.menuSiguiente, v.menuCorregir, v.menuIrA, v.menuTemas})
        EXPECT_FALSE(item->isEnabled());
    EXPECT_TRUE(v.findChildren<TfrmAviso*>().isEmpty());
}

class ConjuntosDanados : public VentanaTest {
  protected:
    // A fresh window and an empty program data folder for each case.
    void Reinicia() {
        ventana.reset();
        avisos.clear();
        errores.clear();
        QDir(TfrmTildora::CarpetaDatos()).removeRecursively();
        ventana = std::make_unique<TfrmTildora>();
        ventana->show();
        ventana->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana.get()));
    }

    // The folder of one case's set, created empty.
    std::string CarpetaCaso(size_t caso) {
        const std::string ruta = Ruta("caso" + std::to_string(caso));
        fs::remove_all(ruta);
        fs::create_directories(ruta);
        return ruta;
    }
};

}  // namespace

TEST_F(ConjuntosDanados, DamageTheChecksCatchGivesItsOneNoticeAndOpensNothing) {
    const TConjuntoEscrito bueno = ConstruyeConjunto(Normales(5));
    const auto cambia = [](std::string bytes, size_t posicion) {
        bytes[posicion] = static_cast<char>(bytes[posicion] ^ 0x01);
        return bytes;
    };
    const auto magiaMinuscula = [](std::string bytes) {
        bytes[bytes.size() - 11] = 'c';  // "chk" instead of "Chk"
        return bytes;
    };
    struct Caso {
        const char* nombre;
        std::optional<std::string> preguntas;  // nothing: the file is missing
        std::optional<std::string> indice;
        QString aviso;
    };
    const QString sinColaPreg = "Fichero sin CheckSum:\n\nset.preg";
    const QString sinColaInd = "Fichero sin CheckSum:\n\nset.ind";
    const QString erroneoPreg = "Fichero con CheckSum erróneo:\n\nset.preg";
    const QString erroneoInd = "Fichero con CheckSum erróneo:\n\nset.ind";
    const QString clave = "Fichero con clave desconocida:\n\nset.preg";
    const std::vector<Caso> casos = {
        {"missing question file", std::nullopt, bueno.Indice, "Fichero no encontrado:\n\nset.preg"},
        {"missing index", bueno.Preguntas, std::nullopt, "Fichero no encontrado:\n\nset.ind"},
        {"both missing", std::nullopt, std::nullopt, "Fichero no encontrado:\n\nset.preg"},
        {"question file cut by one byte", bueno.Preguntas.substr(0, bueno.Preguntas.size() - 1),
         bueno.Indice, sinColaPreg},
        {"question file cut in a record", bueno.Preguntas.substr(0, 30), bueno.Indice, sinColaPreg},
        {"question file of 11 bytes", bueno.Preguntas.substr(0, 11), bueno.Indice, sinColaPreg},
        {"empty question file", "", bueno.Indice, sinColaPreg},
        {"index cut by one byte", bueno.Preguntas, bueno.Indice.substr(0, bueno.Indice.size() - 1),
         sinColaInd},
        {"index cut to its entries", bueno.Preguntas, SinCola(bueno.Indice), sinColaInd},
        {"empty index", bueno.Preguntas, "", sinColaInd},
        {"both cut: only the question file is reported",
         bueno.Preguntas.substr(0, bueno.Preguntas.size() - 3), SinCola(bueno.Indice), sinColaPreg},
        {"magic with one letter's case changed, question file", magiaMinuscula(bueno.Preguntas),
         bueno.Indice, sinColaPreg},
        {"magic with one letter's case changed, index", bueno.Preguntas,
         magiaMinuscula(bueno.Indice), sinColaInd},
        {"a record byte changed", cambia(bueno.Preguntas, 20), bueno.Indice, erroneoPreg},
        {"the stored sum changed", cambia(bueno.Preguntas, bueno.Preguntas.size() - 4),
         bueno.Indice, erroneoPreg},
        {"an index entry changed", bueno.Preguntas, cambia(bueno.Indice, 8), erroneoInd},
        {"wrong sums in both: only the question file is reported", cambia(bueno.Preguntas, 0),
         cambia(bueno.Indice, 0), erroneoPreg},
        {"foreign key",
         ConstruyeConjunto(Normales(5), "Otra clave que no es la del programa, con mas letras")
             .Preguntas,
         bueno.Indice, clave},
        {"records not scrambled", ConstruyeConjunto(Normales(5), "").Preguntas, bueno.Indice,
         clave},
        {"no records", ConCheckSum(""), bueno.Indice, clave},
    };
    for (size_t i = 0; i < casos.size(); ++i) {
        const Caso& caso = casos[i];
        SCOPED_TRACE(caso.nombre);
        Reinicia();
        // A set is open before: the damaged one must close it and open nothing.
        const std::string otro = CarpetaCaso(1000 + i) + "/bueno.preg";
        EscribeConjunto(otro, Normales(3));
        Abre(otro);
        ASSERT_TRUE(ventana->Sesion.FicherosAbiertos());

        const std::string carpetaSet = CarpetaCaso(i);
        const std::string ruta = carpetaSet + "/set.preg";
        if (caso.preguntas)
            EscribeFichero(ruta, *caso.preguntas);
        if (caso.indice)
            EscribeFichero(NombreIndice(ruta), *caso.indice);
        const auto setAntes = Huella(carpetaSet);
        const auto datosAntes = Huella(CarpetaDeDatos());

        Abre(ruta);
        EXPECT_EQ(avisos, QStringList{caso.aviso});
        EXPECT_TRUE(errores.isEmpty()) << errores.join("; ").toStdString();
        EsperaNingunConjunto(*ventana);
        EXPECT_EQ(ventana->windowTitle(), "Tildora: bueno");
        ventana->btnSiguiente->click();
        EXPECT_EQ(HuecosVisibles(*ventana), 0);

        ventana->close();
        EXPECT_EQ(Huella(carpetaSet), setAntes);
        EXPECT_EQ(Huella(CarpetaDeDatos()), datosAntes);
        EXPECT_EQ(Nombres(datosAntes), std::vector<std::string>{"bueno.his"});
    }
}

TEST_F(ConjuntosDanados, DamageThatPassesTheChecksNeverStopsTheWindow) {
    const TPregunta primera = Legible("Primera");
    const std::string uno = Registro(primera);
    const auto largo = [](const std::string& r) { return static_cast<uint32_t>(r.size()); };
    const std::string finDeRegistros = uno + Registro(Legible("Segunda"));
    std::string textoMilHuecos;
    for (int i = 0; i < 3000; ++i)
        textoMilHuecos += i % 2 ? "@a@ " : "palabra ";
    std::vector<TPregunta> muchosTemas;
    for (int i = 1; i <= 500; ++i)
        muchosTemas.push_back(Legible("T" + std::to_string(i)));
    std::vector<TPregunta> enormes(70000, Legible("Uno", "Texto corto con @un@ hueco"));
    enormes[65534].Tema = "Final";

    // The question file's and the index file's bytes, trailers included.
    const auto crudo = [](std::string preguntas, std::string indice) {
        return TConjuntoEscrito{ConCheckSum(std::move(preguntas)), ConCheckSum(std::move(indice))};
    };
    const auto tras = [&](const std::string& registros) {
        return crudo(uno + registros, Entradas({0, largo(uno)}));
    };
    struct Caso {
        const char* nombre;
        TConjuntoEscrito conjunto;
        QString aviso;           // empty: the set opens
        int32_t numPreguntas;    // when it opens
        int32_t numTemas;        // -1: any
        int huecosMaximos = -1;  // the most gaps a shown question used, -1: any
        std::function<void(TfrmTildora&)> antes = [](TfrmTildora&) {};
        QString cabeceraFinal = "";  // the heading after the last Next, empty: any
    };
    const std::vector<Caso> casos = {
        {"index entries at and beyond the end of the records",
         crudo(finDeRegistros, Entradas({0, largo(uno), largo(finDeRegistros),
                                         largo(finDeRegistros) + 5, 0x7FFFFFFF, 0xFFFFFFFF}) +
                                   "\x01\x02\x03"),
         "", 6, 3},
        {"index entries inside records",
         crudo(finDeRegistros,
               Entradas({0, largo(uno), 1, 7, largo(uno) + 3, largo(finDeRegistros) - 1})),
         "", 6, -1},
        {"an index without entries", crudo(uno, ""), "", 0, 0},
        {"one question, its length taken from the question file", crudo(uno, Entradas({0})), "", 1,
         1},
        {"last record without terminators",
         tras(Revuelto(std::string("\x00\x05", 2) + "Tema sin fin")), "", 2, 2, -1,
         [](TfrmTildora&) {}, "Tema sin fin (Pregunta nº 2)"},
        {"a text without its terminator",
         tras(Revuelto(std::string("\x00\x05T\x00", 4) + "sin @fin@ y @sin")), "", 2, 2},
        {"a record longer than 32768 bytes without terminators",
         tras(Revuelto(std::string(40000, 'a'))), "", 2, 2},
        {"a first record longer than 32768 bytes",
         crudo(Registro(Legible("Largo", std::string(40000, 'b') + " @x@")), Entradas({0})), "", 1,
         1, 0, [](TfrmTildora&) {}, "Largo (Pregunta nº 1)"},
        {"thousands of gaps", ConstruyeConjunto({primera, {0, 2, "Huecos", textoMilHuecos}}), "", 2,
         2, 200},
        {"hundreds of topics", ConstruyeConjunto(muchosTemas), "", 500, 200},
        // The ordered walk passes the last usable question, 65535, and starts again at 1.
        {"more than 65535 questions", ConstruyeConjunto(enormes), "", 70000, 2, 1,
         [](TfrmTildora& v) { v.Sesion.ContinuaDesde(65534); }, "Uno (Pregunta nº 6)"},
        {"questions of only gap marks",
         ConstruyeConjunto({primera,
                            {0, 0, "@", "@"},
                            {1, 9, "@@", "@@"},
                            {0, 1, "", "@@@"},
                            {1, 0, "", std::string(20000, '@')},
                            {0, 0, "", "@\r@"}}),
         "", 6, 4},
        {"random bytes with forged trailers", crudo(Aleatorios(100000, 1), Aleatorios(4000, 2)),
         "Fichero con clave desconocida:\n\nset.preg", 0, 0},
        {"random records behind a readable first one",
         crudo(uno + Aleatorios(100000, 3), Entradas({0, largo(uno)}) + Aleatorios(4000, 4)), "",
         1002, -1},
        // 294 KB that once took gigabytes: one 32000-byte topic under 65535 index entries.
        {"one long topic repeated through the whole index", ConjuntoDeTemaRepetido(), "",
         kMaximoPreguntas, 2, 1},
        {"random records in random order",
         crudo(uno + Aleatorios(100000, 5), Entradas({0, largo(uno)}) + Aleatorios(4000, 6)), "",
         1002, -1, -1, [](TfrmTildora& v) { v.btnAleatorio->click(); }},
    };
    for (size_t i = 0; i < casos.size(); ++i) {
        const Caso& caso = casos[i];
        SCOPED_TRACE(caso.nombre);
        Reinicia();
        const std::string carpetaSet = CarpetaCaso(i);
        const std::string ruta = carpetaSet + "/set.preg";
        EscribeFichero(ruta, caso.conjunto.Preguntas);
        EscribeFichero(NombreIndice(ruta), caso.conjunto.Indice);
        const auto setAntes = Huella(carpetaSet);

        Abre(ruta);
        EXPECT_TRUE(errores.isEmpty()) << errores.join("; ").toStdString();
        if (caso.aviso.isEmpty()) {
            EXPECT_TRUE(avisos.isEmpty()) << avisos.join("; ").toStdString();
            ASSERT_TRUE(ventana->Sesion.FicherosAbiertos());
            EXPECT_EQ(ventana->Sesion.NumPreguntas(), caso.numPreguntas);
            EXPECT_EQ(ventana->lblNumPreguntas->text(),
                      QString::number(caso.numPreguntas) + " preguntes");
            if (caso.numTemas >= 0) {
                EXPECT_EQ(ventana->Sesion.NumTemas(), caso.numTemas);
            }
            EXPECT_LE(ventana->Sesion.NumTemas(), 200);
        } else {
            EXPECT_EQ(avisos, QStringList{caso.aviso});
            EsperaNingunConjunto(*ventana);
        }
        caso.antes(*ventana);
        const int huecos = Ejercita(*ventana, 8);
        if (caso.huecosMaximos >= 0) {
            EXPECT_EQ(huecos, caso.huecosMaximos);
        }
        if (!caso.cabeceraFinal.isEmpty()) {
            EXPECT_EQ(ventana->lblTema->text(), caso.cabeceraFinal);
        }
        EXPECT_TRUE(errores.isEmpty()) << errores.join("; ").toStdString();

        const bool contestadas = ventana->Sesion.Contestadas() > 0;
        ventana->close();
        EXPECT_TRUE(errores.isEmpty()) << errores.join("; ").toStdString();
        EXPECT_EQ(Huella(carpetaSet), setAntes);
        // Nothing but the history file, with one score when gaps were answered, and then the
        // progress file.
        const auto datos = Huella(CarpetaDeDatos());
        if (caso.aviso.isEmpty()) {
            const std::vector<std::string> esperados =
                contestadas ? std::vector<std::string>{"set.his", "set.prg"}
                            : std::vector<std::string>{"set.his"};
            EXPECT_EQ(Nombres(datos), esperados);
            EXPECT_EQ(Historia("set.his").size(), contestadas ? 1u : 0u);
        } else {
            EXPECT_TRUE(datos.empty());
        }
    }
}

TEST_F(ConjuntosDanados, AFileErrorInAHandlerShowsTheErrorDialogAndTheProgramGoesOn) {
    const fs::path datos = CarpetaDeDatos();
    struct Caso {
        const char* nombre;
        std::function<void()> antes;  // before set a opens
        std::string fallido;          // the set whose opening meets the error
        std::function<void(const std::string& ruta)> dana;
        QString fichero;     // what the error dialog names
        bool aSigueAbierto;  // the handler ended before it closed set a
        std::function<void()> repara = [] {};
        QString razon = {};  // what the error dialog gives as the reason, when one is known
    };
    const std::vector<Caso> casos = {
        {"the question file cannot be opened", [] {}, "c.preg",
         [](const std::string& ruta) { CreaEnchufe(ruta); }, "c.preg", false},
        {"the index file cannot be opened", [] {}, "c.preg",
         [](const std::string& ruta) { CreaEnchufe(NombreIndice(ruta)); }, "c.ind", false},
        {"the disk is full when the score is appended",
         [&] {
             fs::create_directories(datos);
             fs::create_symlink("/dev/full", datos / "a.his");
         },
         "b.preg", [](const std::string&) {}, "a.his", false, [&] { fs::remove(datos / "a.his"); },
         "No queda espai al disc"},
    };
    for (size_t i = 0; i < casos.size(); ++i) {
        const Caso& caso = casos[i];
        SCOPED_TRACE(caso.nombre);
        Reinicia();
        const std::string carpetaCaso = CarpetaCaso(i);
        const std::string a = carpetaCaso + "/a.preg", b = carpetaCaso + "/b.preg";
        EscribeConjunto(a, Normales(4));
        EscribeConjunto(b, Normales(4));
        const std::string fallido = carpetaCaso + "/" + caso.fallido;
        if (fallido != b)
            EscribeConjunto(fallido, Normales(4));
        caso.antes();
        Abre(a);
        ASSERT_TRUE(ventana->Sesion.FicherosAbiertos());
        ASSERT_TRUE(errores.isEmpty());
        Ejercita(*ventana, 2);
        ASSERT_GT(ventana->Sesion.Contestadas(), 0);

        caso.dana(fallido);
        const auto setsAntes = Huella(carpetaCaso);
        Abre(fallido);
        ASSERT_EQ(errores.size(), 1);
        EXPECT_TRUE(errores[0].contains(caso.fichero)) << errores[0].toStdString();
        EXPECT_TRUE(errores[0].contains(caso.razon)) << errores[0].toStdString();
        EXPECT_TRUE(avisos.isEmpty()) << avisos.join("; ").toStdString();
        EXPECT_TRUE(ventana->findChildren<TfrmAviso*>().isEmpty());
        if (caso.aSigueAbierto) {
            EXPECT_TRUE(ventana->Sesion.FicherosAbiertos());
            EXPECT_EQ(ventana->windowTitle(), "Tildora: a");
            EXPECT_EQ(ventana->Sesion.NumPreguntas(), 4);
            Ejercita(*ventana, 2);
        } else {
            EsperaNingunConjunto(*ventana, true);
        }

        // The program goes on: once the way is clear another set opens and works.
        caso.repara();
        errores.clear();
        Abre(b);
        EXPECT_TRUE(errores.isEmpty()) << errores.join("; ").toStdString();
        EXPECT_TRUE(ventana->Sesion.FicherosAbiertos());
        EXPECT_EQ(ventana->windowTitle(), "Tildora: b");
        EXPECT_EQ(ventana->Sesion.NumPreguntas(), 4);
        Ejercita(*ventana, 3);
        EXPECT_TRUE(errores.isEmpty()) << errores.join("; ").toStdString();
        ventana->close();
        EXPECT_EQ(Huella(carpetaCaso), setsAntes);
        for (const std::string& nombre : Nombres(Huella(datos)))
            EXPECT_TRUE(nombre.ends_with(".his") || nombre.ends_with(".prg")) << nombre;
    }
}

TEST_F(ConjuntosDanados, FilesChangedUnderAnOpenSetLeaveItWorking) {
    struct Caso {
        const char* nombre;
        std::function<void(const std::string& ruta)> cambia;
        QString avisoAlReabrir;
    };
    const std::vector<Caso> casos = {
        {"question file deleted", [](const std::string& ruta) { fs::remove(ruta); },
         "Fichero no encontrado:\n\nset.preg"},
        {"question file replaced by a folder",
         [](const std::string& ruta) {
             fs::remove(ruta);
             fs::create_directory(ruta);
         },
         "Fichero no encontrado:\n\nset.preg"},
        {"index deleted", [](const std::string& ruta) { fs::remove(NombreIndice(ruta)); },
         "Fichero no encontrado:\n\nset.ind"},
        {"question file emptied", [](const std::string& ruta) { EscribeFichero(ruta, ""); },
         "Fichero sin CheckSum:\n\nset.preg"},
        {"question file cut in its records",
         [](const std::string& ruta) { fs::resize_file(ruta, 100); },
         "Fichero sin CheckSum:\n\nset.preg"},
    };
    for (size_t i = 0; i < casos.size(); ++i) {
        const Caso& caso = casos[i];
        SCOPED_TRACE(caso.nombre);
        Reinicia();
        const std::string ruta = CarpetaCaso(i) + "/set.preg";
        EscribeConjunto(ruta, Normales(40));
        Abre(ruta);
        ASSERT_TRUE(ventana->Sesion.FicherosAbiertos());
        Ejercita(*ventana, 1);

        // The open files are what the window reads; what became of the names does not matter.
        caso.cambia(ruta);
        Ejercita(*ventana, 6);
        EXPECT_TRUE(ventana->Sesion.FicherosAbiertos());
        EXPECT_TRUE(errores.isEmpty()) << errores.join("; ").toStdString();
        EXPECT_TRUE(avisos.isEmpty()) << avisos.join("; ").toStdString();

        Abre(ruta);
        EXPECT_EQ(avisos, QStringList{caso.avisoAlReabrir});
        EXPECT_TRUE(errores.isEmpty()) << errores.join("; ").toStdString();
        EsperaNingunConjunto(*ventana);
    }
}

TEST_F(ConjuntosDanados, AFifoWhereAFileGoesIsRefusedWithoutWaitingForTheOtherEnd) {
    // A write into a fifo that nobody reads fails instead of ending the test program.
    std::signal(SIGPIPE, SIG_IGN);
    const fs::path datos = CarpetaDeDatos();
    struct Caso {
        const char* nombre;
        std::function<std::string(const std::string& ruta)> lugar;  // where the fifo goes
    };
    const std::vector<Caso> casos = {
        {"question file", [](const std::string& ruta) { return ruta; }},
        {"index", [](const std::string& ruta) { return NombreIndice(ruta); }},
        {"settings file", [&](const std::string&) { return (datos / "set.cfg").string(); }},
    };
    for (size_t i = 0; i < casos.size(); ++i) {
        SCOPED_TRACE(casos[i].nombre);
        Reinicia();
        const std::string carpetaCaso = CarpetaCaso(i);
        const std::string ruta = carpetaCaso + "/set.preg", otro = carpetaCaso + "/otro.preg";
        EscribeConjunto(ruta, Normales(3));
        EscribeConjunto(otro, Normales(3));
        fs::create_directories(datos);
        const std::string fifo = casos[i].lugar(ruta);
        fs::remove(fifo);
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        // Were the window to wait for the other end of the fifo, this thread would open it after
        // a while, so that the test goes on and tells.
        std::atomic<bool> hecho = false, desbloqueado = false;
        std::thread vigia([&] {
            if (QTest::qWaitFor([&] { return hecho.load(); }, 2000))
                return;
            desbloqueado = true;
            const int lector = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
            const int escritor = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            close(escritor);
            close(lector);
        });
        Abre(ruta);
        hecho = true;
        vigia.join();
        EXPECT_FALSE(desbloqueado);
        // One notice or one error dialog, naming the file.
        const QStringList dichos = avisos + errores;
        ASSERT_EQ(dichos.size(), 1);
        EXPECT_TRUE(dichos[0].contains(QString::fromStdString(NombreDesnudo(fifo))))
            << dichos[0].toStdString();
        EsperaNingunConjunto(*ventana, true);

        avisos.clear();
        errores.clear();
        Abre(otro);
        EXPECT_TRUE(ventana->Sesion.FicherosAbiertos());
        Ejercita(*ventana, 2);
        EXPECT_TRUE((avisos + errores).isEmpty());
    }
}

TEST_F(ConjuntosDanados, WhereNothingCanBeWrittenTheSetOpensAndSaysOnceThatNoScoreIsKept) {
    // Ways that stop root too, since the tests may run as root.
    const fs::path datos = CarpetaDeDatos();
    struct Caso {
        const char* nombre;
        std::function<void()> bloquea;
    };
    const std::vector<Caso> casos = {
        {"a folder where the history file goes",
         [&] { fs::create_directories(datos / "set.his"); }},
        {"a fifo where the history file goes",
         [&] {
             fs::create_directories(datos);
             ASSERT_EQ(mkfifo((datos / "set.his").c_str(), 0600), 0);
         }},
        {"a file where the program data folder goes",
         [&] { EscribeFichero(datos.string(), "no es una carpeta"); }},
    };
    const struct {
        TIdioma idioma;
        QString aviso;
    } idiomas[] = {
        {TIdioma::Valenciano,
         "No es pot guardar la puntuació d'esta sessió: podeu practicar, però "
         "la puntuació no quedarà en l'historial."},
        {TIdioma::Castellano,
         "No se puede guardar la puntuación de esta sesión: se puede "
         "practicar, pero la puntuación no quedará en el historial."},
    };
    for (size_t i = 0; i < casos.size(); ++i) {
        for (const auto& idioma : idiomas) {
            SCOPED_TRACE(std::string(casos[i].nombre) + (idioma.idioma == TIdioma::Castellano
                                                             ? " (castellano)"
                                                             : " (valenciano)"));
            Reinicia();
            fs::remove_all(datos);
            ventana->CambiaIdioma(idioma.idioma);
            const std::string ruta = CarpetaCaso(i) + "/set.preg";
            EscribeConjunto(ruta, Normales(4));
            casos[i].bloquea();
            const auto bloqueoAntes = Huella(datos.parent_path());

            Abre(ruta);
            EXPECT_EQ(avisos, QStringList{idioma.aviso});
            EXPECT_TRUE(errores.isEmpty()) << errores.join("; ").toStdString();
            EXPECT_TRUE(ventana->Sesion.FicherosAbiertos());
            EXPECT_EQ(ventana->windowTitle(), "Tildora: set");
            EXPECT_EQ(ventana->Sesion.NumPreguntas(), 4);
            Ejercita(*ventana, 3);
            EXPECT_GT(ventana->Sesion.Contestadas(), 0);
            EXPECT_EQ(avisos.size(), 1);

            // Closing keeps nothing and says nothing more.
            ventana->close();
            EXPECT_TRUE(errores.isEmpty()) << errores.join("; ").toStdString();
            EXPECT_EQ(avisos.size(), 1);
            EXPECT_EQ(Huella(datos.parent_path()), bloqueoAntes);
            fs::remove_all(datos);
        }
    }
}

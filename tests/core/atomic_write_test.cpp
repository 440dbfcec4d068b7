#include "core/base/atomic_write.h"
#include "core/set/pair_journal.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <map>

#include "core/base/io_error.h"
#include "small_disk.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

using TContenido = std::map<std::string, std::string>;  // bare name: bytes

// Every entry of a folder with its bytes; a folder or link shows as a marker.
TContenido Contenido(const std::string& carpeta) {
    TContenido contenido;
    for (const auto& entrada : fs::directory_iterator(carpeta)) {
        const std::string nombre = entrada.path().filename().string();
        if (entrada.is_symlink())
            contenido[nombre] = "->" + fs::read_symlink(entrada.path()).string();
        else if (entrada.is_directory())
            contenido[nombre] = "<folder>";
        else
            contenido[nombre] = LeeFicheroEntero(entrada.path().string());
    }
    return contenido;
}

// Fails or watches one step of a write for as long as it lives.
class TTestigo {
  public:
    explicit TTestigo(TTestigoEscritura testigo) { PonTestigoEscritura(std::move(testigo)); }
    ~TTestigo() { PonTestigoEscritura(nullptr); }
};

// How many steps a write takes, counted on a run that succeeds.
int CuentaPasos(const std::function<void()>& escritura) {
    int pasos = 0;
    const TTestigo testigo([&](TPasoEscritura, const std::string&) { ++pasos; });
    escritura();
    return pasos;
}

const TContenido kViejo = {{"s.preg", "preguntas viejas"}, {"s.ind", "indice viejo"}};
const TContenido kNuevo = {{"s.preg", "preguntas nuevas, mas largas"}, {"s.ind", "indice nuevo"}};

void Escribe(const std::string& carpeta, const TContenido& contenido) {
    for (const auto& [nombre, bytes] : contenido)
        EscribeFichero(carpeta + "/" + nombre, bytes);
}

void GuardaNuevo(const std::string& carpeta) {
    EscribePar(carpeta + "/s.preg", kNuevo.at("s.preg"), kNuevo.at("s.ind"));
}

}  // namespace

TEST(AtomicWrite, OneFileReplacedKeepingItsPermissions) {
    TCarpetaTemporal carpeta;
    EscribeFichero(carpeta.En("a.cfg"), "primero");
    chmod(carpeta.En("a.cfg").c_str(), 0640);
    EscribeFichero(carpeta.En("a.cfg"), "segundo");
    EXPECT_EQ(Contenido(carpeta.Ruta()), (TContenido{{"a.cfg", "segundo"}}));
    struct stat estado {};
    ASSERT_EQ(stat(carpeta.En("a.cfg").c_str(), &estado), 0);
    EXPECT_EQ(estado.st_mode & 0777, 0640u);
    EscribeFichero(carpeta.En("vacio"), "");
    EXPECT_EQ(LeeFicheroEntero(carpeta.En("vacio")), "");
}

TEST(AtomicWrite, OneFileFailingAtAnyStepLeavesTheOldBytes) {
    TCarpetaTemporal carpeta;
    const std::string ruta = carpeta.En("a.cfg");
    const int pasos = CuentaPasos([&] { EscribeFichero(ruta, "viejo"); });
    ASSERT_GE(pasos, 3);
    // The last step syncs the folder after the rename: the new bytes are in place by then.
    for (int falla = 0; falla < pasos - 1; ++falla) {
        EscribeFichero(ruta, "viejo");
        int paso = 0;
        {
            const TTestigo testigo([&](TPasoEscritura, const std::string&) {
                if (paso++ == falla)
                    throw IoError("escribir", ruta, ENOSPC);
            });
            EXPECT_THROW(EscribeFichero(ruta, "nuevo"), IoError) << falla;
        }
        EXPECT_EQ(Contenido(carpeta.Ruta()), (TContenido{{"a.cfg", "viejo"}})) << falla;
    }
}

TEST(AtomicWrite, AFolderInTheWayIsNamedAndNothingChanges) {
    TCarpetaTemporal carpeta;
    Escribe(carpeta.Ruta(), kViejo);
    fs::create_directory(carpeta.En("a.cfg"));
    fs::create_directory(carpeta.En("t.ind"));
    EscribeFichero(carpeta.En("t.preg"), "sola");
    const TContenido antes = Contenido(carpeta.Ruta());
    const auto falla = [](const std::function<void()>& escritura, const std::string& fichero) {
        try {
            escritura();
            ADD_FAILURE() << fichero;
        } catch (const IoError& e) {
            EXPECT_EQ(e.Fichero(), fichero);
            EXPECT_EQ(e.Causa(), TCausaIo::CarpetaEnMedio);
            EXPECT_EQ(e.Motivo(), "Is a directory");
        }
    };
    falla([&] { EscribeFichero(carpeta.En("a.cfg"), "x"); }, carpeta.En("a.cfg"));
    falla([&] { EscribePar(carpeta.En("t.preg"), "p", "i"); }, carpeta.En("t.ind"));
    EXPECT_EQ(Contenido(carpeta.Ruta()), antes);
}

TEST(AtomicWrite, PairFailingAtAnyStepLeavesBothOldFiles) {
    // Over an old pair, over an old question file alone, and where there was nothing.
    for (const TContenido& viejo : {kViejo, TContenido{{"s.preg", "sin indice"}}, TContenido{}}) {
        TCarpetaTemporal carpeta;
        Escribe(carpeta.Ruta(), viejo);
        const int pasos = CuentaPasos([&] { GuardaNuevo(carpeta.Ruta()); });
        ASSERT_GE(pasos, 8);
        for (int falla = 0; falla < pasos; ++falla) {
            fs::remove_all(carpeta.Ruta());
            fs::create_directory(carpeta.Ruta());
            Escribe(carpeta.Ruta(), viejo);
            int paso = 0;
            {
                const TTestigo testigo([&](TPasoEscritura, const std::string& fichero) {
                    if (paso++ == falla)
                        throw IoError("escribir", fichero, ENOSPC);
                });
                EXPECT_THROW(GuardaNuevo(carpeta.Ruta()), IoError) << falla;
            }
            EXPECT_EQ(Contenido(carpeta.Ruta()), viejo) << "step " << falla;
        }
    }
}

TEST(AtomicWrite, PairKilledAtAnyInstantIsWholeOldOrWholeNew) {
    TCarpetaTemporal carpeta, copias;
    Escribe(carpeta.Ruta(), kViejo);
    const int pasos = CuentaPasos([&] { GuardaNuevo(carpeta.Ruta()); });
    Escribe(carpeta.Ruta(), kViejo);
    // What the disk holds before each step is what a kill there leaves.
    int paso = 0;
    {
        const TTestigo testigo([&](TPasoEscritura, const std::string&) {
            const std::string copia = copias.En(std::to_string(paso++));
            fs::copy(carpeta.Ruta(), copia, fs::copy_options::recursive);
        });
        GuardaNuevo(carpeta.Ruta());
    }
    ASSERT_EQ(paso, pasos);
    bool vioDiario = false, vioMitad = false;
    for (int i = 0; i < pasos; ++i) {
        const std::string copia = copias.En(std::to_string(i));
        vioDiario |= fs::exists(copia + "/s.preg-journal");
        vioMitad |= LeeFicheroEntero(copia + "/s.preg") == kNuevo.at("s.preg") &&
                    LeeFicheroEntero(copia + "/s.ind") != kNuevo.at("s.ind");
        CompletaEscrituraPendiente(copia + "/s.preg");
        const TContenido despues = Contenido(copia);
        EXPECT_TRUE(despues == kViejo || despues == kNuevo) << "killed before step " << i;
        // Met again, a set that is whole is left alone.
        EXPECT_FALSE(CompletaEscrituraPendiente(copia + "/s.preg"));
        EXPECT_EQ(Contenido(copia), despues);
    }
    EXPECT_TRUE(vioDiario);
    EXPECT_TRUE(vioMitad);
    EXPECT_EQ(Contenido(carpeta.Ruta()), kNuevo);
}

TEST(AtomicWrite, AJournalThatSaysOtherwiseRemovesNothing) {
    TCarpetaTemporal carpeta;
    Escribe(carpeta.Ruta(), kViejo);
    EscribeFichero(carpeta.En("otro.txt"), "ajeno");
    for (const std::string& diario : std::vector<std::string>{
             "", "tildora journal 1\nnone s.preg\n",
             "tildora journal 1\nnone otro.txt\nnone s.ind\nend\n",
             "tildora journal 1\nnone s.preg\nnone ../s.ind\nend\n", std::string(64, '\0')}) {
        EscribeFichero(carpeta.En("s.preg-journal"), diario);
        EscribeFichero(carpeta.En("s.preg-new"), "a medias");
        EXPECT_TRUE(CompletaEscrituraPendiente(carpeta.En("s.preg")));
        TContenido esperado = kViejo;
        esperado["otro.txt"] = "ajeno";
        EXPECT_EQ(Contenido(carpeta.Ruta()), esperado) << diario;
    }
}

TEST(AtomicWrite, ASymbolicLinkIsSavedBesideItsTarget) {
    TCarpetaTemporal carpeta;
    fs::create_directory(carpeta.En("otra"));
    Escribe(carpeta.En("otra"), kViejo);
    fs::create_symlink("otra/s.preg", carpeta.En("enlace.preg"));
    EscribePar(carpeta.En("enlace.preg"), kNuevo.at("s.preg"), kNuevo.at("s.ind"));
    EXPECT_EQ(Contenido(carpeta.En("otra")), kNuevo);
    EXPECT_EQ(Contenido(carpeta.Ruta()),
              (TContenido{{"otra", "<folder>"}, {"enlace.preg", "->otra/s.preg"}}));

    fs::create_symlink(carpeta.En("otra/s.ind"), carpeta.En("a.cfg"));
    EscribeFichero(carpeta.En("a.cfg"), "por el enlace");
    EXPECT_EQ(LeeFicheroEntero(carpeta.En("otra/s.ind")), "por el enlace");
    EXPECT_TRUE(fs::is_symlink(carpeta.En("a.cfg")));
}

TEST(AtomicWrite, AFileSizeLimitStopsTheSaveAndKeepsTheOldPair) {
    // Where no tmpfs can be mounted, a file-size limit stands in for a full disk.
    TCarpetaTemporal carpeta;
    Escribe(carpeta.Ruta(), kViejo);
    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    const auto senal = signal(SIGXFSZ, SIG_IGN);
    rlimit limite = antes;
    limite.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    try {
        EscribePar(carpeta.En("s.preg"), std::string(200 * 1024, 'x'), "i");
        ADD_FAILURE() << "wrote past the limit";
    } catch (const IoError& e) {
        EXPECT_EQ(e.Fichero(), carpeta.En("s.preg"));
        EXPECT_EQ(e.Codigo(), EFBIG);
    }
    setrlimit(RLIMIT_FSIZE, &antes);
    signal(SIGXFSZ, senal);
    EXPECT_EQ(Contenido(carpeta.Ruta()), kViejo);
}

TEST(AtomicWrite, AFullOrReadOnlyDiskGivesItsReasonAndKeepsTheOldPair) {
    TDiscoPequeno disco(64);
    if (!disco.Montado())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    Escribe(disco.En(""), kViejo);
    const std::string grande(200 * 1024, 'x');
    try {
        EscribePar(disco.En("s.preg"), grande, "i");
        ADD_FAILURE() << "wrote 200 KB on 64 KB";
    } catch (const IoError& e) {
        EXPECT_EQ(e.Fichero(), disco.En("s.preg"));
        EXPECT_EQ(e.Causa(), TCausaIo::DiscoLleno);
        EXPECT_EQ(e.Motivo(), "No space left on device");
    }
    EXPECT_EQ(Contenido(disco.En("")), kViejo);

    ASSERT_TRUE(disco.SoloLectura());
    for (const auto& escritura : std::vector<std::function<void()>>{
             [&] { GuardaNuevo(disco.En("")); }, [&] { EscribeFichero(disco.En("s.cfg"), "x"); }}) {
        try {
            escritura();
            ADD_FAILURE() << "wrote on a read-only disk";
        } catch (const IoError& e) {
            EXPECT_EQ(e.Causa(), TCausaIo::SinPermiso) << e.what();
        }
    }
    EXPECT_EQ(Contenido(disco.En("")), kViejo);
}

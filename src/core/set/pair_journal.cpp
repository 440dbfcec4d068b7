#include "core/set/pair_journal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <optional>

#include "core/base/binary_file.h"
#include "core/base/io_error.h"
#include "core/base/write_steps.h"
#include "core/set/question_files.h"

using namespace pasos_escritura;

namespace {

constexpr std::string_view kCabeceraDiario = "tildora journal 1\n";
constexpr std::string_view kFinDiario = "end\n";

// The pair's files: the question file, its index, and for each its temporary and the old
// file's name while it is set aside.
struct TPar {
    TPar(const std::string& rutaPreg, const std::string& rutaInd)
        : Carpeta_(Carpeta(rutaPreg)),
          Ficheros{rutaPreg, rutaInd},
          Diario(NombreDiario(rutaPreg)) {}
    std::string Carpeta_;
    std::string Ficheros[2];
    std::string Diario;
    static std::string Temporal(const std::string& f) { return f + "-new"; }
    static std::string Apartado(const std::string& f) { return f + "-old"; }
};

// Brings the pair back to what it was before the save: each old file set aside returns, each
// file that did not exist before goes, the temporaries go, then the journal.
void Deshaz(const TPar& par, const bool existian[2]) {
    for (int i = 0; i < 2; ++i) {
        const std::string& f = par.Ficheros[i];
        if (existian[i]) {
            if (Existe(TPar::Apartado(f)))
                Renombra(TPar::Apartado(f), f, f);
        } else if (!Existe(TPar::Temporal(f))) {
            Borra(f);
        }
        Borra(TPar::Temporal(f));
    }
    SincronizaCarpeta(par.Carpeta_);
    Borra(par.Diario);
    SincronizaCarpeta(par.Carpeta_);
}

// The journal names the index (found in any case) and says which files existed before.
std::string TextoDiario(const TPar& par, const bool existian[2]) {
    std::string texto(kCabeceraDiario);
    for (int i = 0; i < 2; ++i)
        texto += (existian[i] ? "old " : "none ") + NombreDesnudo(par.Ficheros[i]) + "\n";
    return texto + std::string(kFinDiario);
}

bool EsIndiceDe(const std::string& indice, const std::string& rutaPreg) {
    const std::string base = NombreSinExtension(rutaPreg);
    if (!indice.starts_with(base) || indice.size() != base.size() + 4)
        return false;
    std::string extension = indice.substr(base.size());
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".ind";
}

// The pair a journal speaks of. A journal cut short (it is synced before any rename, so nothing
// was renamed) or one that names other files counts both as existing, beside the index the
// program reads: undoing it then removes nothing that was there.
TPar LeeDiario(const std::string& texto, const std::string& rutaPreg, bool existian[2]) {
    existian[0] = existian[1] = true;
    const TPar supuesto(rutaPreg, NombreIndice(rutaPreg));
    if (!texto.starts_with(kCabeceraDiario) || !texto.ends_with(kFinDiario))
        return supuesto;
    std::string nombres[2];
    size_t inicio = kCabeceraDiario.size();
    for (int i = 0; i < 2; ++i) {
        const size_t blanco = texto.find(' ', inicio);
        const size_t fin = texto.find('\n', inicio);
        if (blanco >= fin || fin == std::string::npos)
            return supuesto;
        const std::string estado = texto.substr(inicio, blanco - inicio);
        if (estado != "old" && estado != "none")
            return supuesto;
        existian[i] = estado == "old";
        nombres[i] = texto.substr(blanco + 1, fin - blanco - 1);
        inicio = fin + 1;
    }
    if (inicio + kFinDiario.size() != texto.size() || nombres[0] != NombreDesnudo(rutaPreg) ||
        !EsIndiceDe(nombres[1], rutaPreg)) {
        existian[0] = existian[1] = true;
        return supuesto;
    }
    return TPar(rutaPreg, CambiaExtension(rutaPreg, nombres[1].substr(nombres[1].size() - 4)));
}

}  // namespace

std::string NombreDiario(const std::string& rutaPreg) {
    return Resuelve(rutaPreg) + "-journal";
}

void EscribePar(const std::string& rutaPreg, std::string_view preguntas, std::string_view indice) {
    CompletaEscrituraPendiente(rutaPreg);
    const std::string destino = Resuelve(rutaPreg);
    const TPar par(destino, NombreIndice(destino));
    const std::optional<struct stat> anteriores[2] = {Anterior(par.Ficheros[0]),
                                                      Anterior(par.Ficheros[1])};
    const bool existian[2] = {anteriores[0].has_value(), anteriores[1].has_value()};
    const std::string_view contenidos[2] = {preguntas, indice};

    // Old files set aside by a finished save whose clean-up failed would pass for this save's.
    for (const std::string& f : par.Ficheros)
        Borra(TPar::Apartado(f));

    // The journal is the save's lock too: a second save waits in CompletaEscrituraPendiente
    // for this one to end, and a kill releases it.
    Paso(TPasoEscritura::Diario, par.Diario);
    TDescriptor diario(
        open(par.Diario.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (diario.Fd() < 0)
        Falla("escribir", par.Diario);
    flock(diario.Fd(), LOCK_EX);
    try {
        EscribeTodo(diario.Fd(), TextoDiario(par, existian), par.Diario);
        if (fsync(diario.Fd()) != 0)
            Falla("escribir", par.Diario);
        SincronizaCarpeta(par.Carpeta_);
    } catch (...) {
        unlink(par.Diario.c_str());
        throw;
    }

    try {
        for (int i = 0; i < 2; ++i) {
            Borra(TPar::Temporal(par.Ficheros[i]));
            EscribeTemporal(TPar::Temporal(par.Ficheros[i]), contenidos[i], anteriores[i],
                            par.Ficheros[i]);
        }
        SincronizaCarpeta(par.Carpeta_);
        for (int i = 0; i < 2; ++i) {
            const std::string& f = par.Ficheros[i];
            if (existian[i]) {
                Paso(TPasoEscritura::Aparta, f);
                Renombra(f, TPar::Apartado(f), f);
                // Set aside for certain before it is replaced, or an undo could not tell.
                SincronizaCarpeta(par.Carpeta_);
            }
            Paso(TPasoEscritura::Renombra, f);
            Renombra(TPar::Temporal(f), f, f);
        }
        SincronizaCarpeta(par.Carpeta_);
        Paso(TPasoEscritura::BorraDiario, par.Diario);
        Borra(par.Diario);
        SincronizaCarpeta(par.Carpeta_);
    } catch (...) {
        try {
            Deshaz(par, existian);
        } catch (const IoError&) {
            // The journal stays, and the next reader of the set undoes the rest.
        }
        throw;
    }
    for (const std::string& f : par.Ficheros)
        unlink(TPar::Apartado(f).c_str());
}

bool CompletaEscrituraPendiente(const std::string& rutaPreg) {
    const std::string destino = Resuelve(rutaPreg);
    const std::string rutaDiario = NombreDiario(destino);
    TDescriptor diario(open(rutaDiario.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (diario.Fd() < 0) {
        if (errno != ENOENT)
            Falla("abrir", rutaDiario);
        // Without a journal, old files left aside belong to a save that was done.
        for (const std::string& f : {destino, NombreIndice(destino)})
            if (Existe(TPar::Apartado(f)))
                unlink(TPar::Apartado(f).c_str());
        return false;
    }
    // A save in progress holds the lock; once it ends, its journal is gone.
    flock(diario.Fd(), LOCK_EX);
    struct stat estado {};
    if (fstat(diario.Fd(), &estado) != 0 || estado.st_nlink == 0)
        return false;
    bool existian[2];
    const TPar par = LeeDiario(LeeFicheroCompleto(rutaDiario), destino, existian);
    Deshaz(par, existian);
    return true;
}

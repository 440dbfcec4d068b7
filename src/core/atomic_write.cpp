#include "atomic_write.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <random>

#include "binary_file.h"
#include "io_error.h"
#include "question_files.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCabeceraDiario = "tildora journal 1\n";
constexpr std::string_view kFinDiario = "end\n";

TTestigoEscritura& Testigo() {
    static TTestigoEscritura testigo;
    return testigo;
}

void Paso(TPasoEscritura paso, const std::string& fichero) {
    if (Testigo())
        Testigo()(paso, fichero);
}

[[noreturn]] void Falla(const char* operacion, const std::string& fichero) {
    const int codigo = errno;
    throw IoError(operacion, fichero, codigo);
}

// A descriptor closed on every path out.
class TDescriptor {
  public:
    explicit TDescriptor(int fd) : fd_(fd) {}
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor() {
        if (fd_ >= 0)
            close(fd_);
    }
    int Fd() const { return fd_; }
    // Closing can report a write that failed late (a full disk on a network file system).
    void Cierra(const std::string& fichero) {
        const int fd = fd_;
        fd_ = -1;
        if (close(fd) != 0)
            Falla("escribir", fichero);
    }

  private:
    int fd_;
};

// The file a save replaces: a symbolic link's target, not the link.
std::string Resuelve(const std::string& ruta) {
    fs::path p = ruta;
    for (int saltos = 0;; ++saltos) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(p, error)))
            return p.string();
        if (saltos == 40)
            throw IoError("escribir", ruta, ELOOP);
        const fs::path destino = fs::read_symlink(p, error);
        if (error)
            throw IoError("escribir", ruta, error.value());
        p = destino.is_absolute() ? destino : p.parent_path() / destino;
    }
}

std::string Carpeta(const std::string& ruta) {
    const std::string carpeta = fs::path(ruta).parent_path().string();
    return carpeta.empty() ? "." : carpeta;
}

void SincronizaCarpeta(const std::string& carpeta) {
    Paso(TPasoEscritura::Sincroniza, carpeta);
    TDescriptor fd(open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Fd() < 0)
        Falla("sincronizar", carpeta);
    // Some file systems cannot sync a folder; their renames are as durable as they get.
    if (fsync(fd.Fd()) != 0 && errno != EINVAL && errno != ENOTSUP)
        Falla("sincronizar", carpeta);
}

// The status of the file a save replaces, or nothing when there is none yet. A folder in its
// place stops the save before anything is written.
std::optional<struct stat> Anterior(const std::string& ruta) {
    struct stat estado {};
    if (stat(ruta.c_str(), &estado) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        Falla("escribir", ruta);
    }
    if (S_ISDIR(estado.st_mode))
        throw IoError("escribir", ruta, EISDIR);
    return estado;
}

void EscribeTodo(int fd, std::string_view bytes, const std::string& fichero) {
    while (!bytes.empty()) {
        const ssize_t escritos = write(fd, bytes.data(), bytes.size());
        if (escritos < 0 && errno == EINTR)
            continue;
        if (escritos < 0)
            Falla("escribir", fichero);
        bytes.remove_prefix(static_cast<size_t>(escritos));
    }
}

// Writes and syncs a new file at temporal, which must not exist, with the replaced file's
// permissions; errors name fichero, the file the user knows.
void EscribeTemporal(const std::string& temporal, std::string_view bytes,
                     const std::optional<struct stat>& anterior, const std::string& fichero) {
    Paso(TPasoEscritura::Temporal, fichero);
    TDescriptor fd(
        open(temporal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (fd.Fd() < 0)
        Falla("escribir", fichero);
    try {
        if (anterior)
            (void)fchmod(fd.Fd(), anterior->st_mode & 07777);
        EscribeTodo(fd.Fd(), bytes, fichero);
        Paso(TPasoEscritura::Sincroniza, fichero);
        if (fsync(fd.Fd()) != 0)
            Falla("escribir", fichero);
        fd.Cierra(fichero);
    } catch (...) {
        unlink(temporal.c_str());
        throw;
    }
}

void Renombra(const std::string& desde, const std::string& hasta, const std::string& fichero) {
    if (rename(desde.c_str(), hasta.c_str()) != 0)
        Falla("renombrar", fichero);
}

void Borra(const std::string& ruta) {
    if (unlink(ruta.c_str()) != 0 && errno != ENOENT)
        Falla("borrar", ruta);
}

bool Existe(const std::string& ruta) {
    struct stat estado {};
    return lstat(ruta.c_str(), &estado) == 0;
}

std::string TemporalUnico(const std::string& ruta) {
    static std::mt19937_64 azar{std::random_device{}()};
    constexpr std::string_view kCifras = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string nombre = ruta + "-new-";
    for (int i = 0; i < 8; ++i)
        nombre += kCifras[azar() % kCifras.size()];
    return nombre;
}

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

void PonTestigoEscritura(TTestigoEscritura testigo) {
    Testigo() = std::move(testigo);
}

void EscribeFichero(const std::string& ruta, std::string_view bytes) {
    const std::string destino = Resuelve(ruta);
    const std::optional<struct stat> anterior = Anterior(destino);
    std::string temporal;
    for (int intento = 0; temporal.empty() || Existe(temporal); ++intento) {
        if (intento == 100)
            throw IoError("escribir", destino, EEXIST);
        temporal = TemporalUnico(destino);
    }
    EscribeTemporal(temporal, bytes, anterior, destino);
    try {
        Paso(TPasoEscritura::Renombra, destino);
        Renombra(temporal, destino, destino);
    } catch (...) {
        unlink(temporal.c_str());
        throw;
    }
    SincronizaCarpeta(Carpeta(destino));
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

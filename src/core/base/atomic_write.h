#pragma once

#include <functional>
#include <string>
#include <string_view>

// Every file the programs write whole (question sets, settings, progress, exports) goes through
// here: the new bytes go to a temporary beside the file and are synced before anything is
// renamed, so a failure or a kill at any instant leaves the old file or the new one, never a mix.
// A path that is a symbolic link is written beside the link's target. Failures throw IoError
// naming the file and carrying the system's errno.

// Replaces one file.
void EscribeFichero(const std::string& ruta, std::string_view bytes);

// A seam for tests: called before each step of a write with the file the step touches. Throwing
// there fails the write at that step; copying the folder there shows what a kill would leave.
enum class TPasoEscritura {
    Temporal,     // the temporary is created and written
    Sincroniza,   // a file or its folder is synced
    Diario,       // the pair's journal is written
    Aparta,       // the old file is renamed aside
    Renombra,     // the temporary takes the file's name
    BorraDiario,  // the pair's journal is removed: the save is done
};
using TTestigoEscritura = std::function<void(TPasoEscritura paso, const std::string& fichero)>;
void PonTestigoEscritura(TTestigoEscritura testigo);

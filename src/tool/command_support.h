#pragma once

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/base/io_error.h"
#include "core/set/question_files.h"

// What every command of the tool shares, whichever file holds it.

// Wrong usage: exit status 2, with a pointer to the command's help.
struct TErrorUso : std::runtime_error {
    TErrorUso(const std::string& mensaje, std::string orden)
        : std::runtime_error(mensaje), Orden(std::move(orden)) {}
    std::string Orden;
};

// A failure: exit status 1; an empty message when it has been explained already.
struct TFallo : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The set as the program would open it, or TFallo with its notice on errores.
void ValidaConjunto(const std::string& nombre, std::ostream& errores);

// The questions of a valid set that the program uses, its first 65535.
std::vector<TPregunta> LeePreguntasConjunto(const std::string& nombre, std::ostream& errores);

// A command's one input file and "-o SET.preg": {input, set}; TErrorUso for orden otherwise,
// saying that the command takes queToma.
std::pair<std::string, std::string> LeeOrigenYConjunto(const std::vector<std::string>& argumentos,
                                                       const std::string& orden,
                                                       const std::string& queToma);

// The whole of a command's input file. A folder, FIFO, socket or device is refused, saying so,
// before anything waits on it or reads it; TFallo then, and when the file cannot be read.
std::string LeeEntrada(const std::string& ruta);
void CompruebaEntrada(const std::string& ruta);

// "1,3-5" into topic numbers, each from 1 to cuenta; TErrorUso for orden otherwise.
std::vector<int> LeeSeleccion(const std::string& lista, int32_t cuenta, const std::string& orden);

// "cannot write FILE: REASON", in the operating system's words.
std::string ExplicaErrorIo(const IoError& error);

// Runs a command, turning its usage errors and failures into their message and exit status.
int EjecutaConErrores(const std::function<int()>& orden, std::ostream& errores);

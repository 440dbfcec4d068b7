#include "review_command.h"

#include <ctime>

#include "commands.h"
#include "core/base/data_folder.h"
#include "core/learning/progress.h"
#include "core/learning/review_schedule.h"
#include "core/set/question_files.h"
#include "tool_language.h"

int MuestraRepaso(const std::vector<std::string>& argumentos, std::ostream& salida,
                  std::ostream& errores) {
    if (argumentos.size() != 1 || argumentos[0].starts_with("-")) {
        errores << "tildora-tool review: "
                << Rellena(Tr("'%1' takes one question file (SET.preg)"), {"review"}) << "\n"
                << Rellena(Tr("Run 'tildora-tool %1 --help' for its usage."), {"review"}) << "\n";
        return kSalidaUsoErroneo;
    }
    const std::string& nombre = argumentos[0];
    TAviso aviso;
    if (!CompruebaFicheros(nombre, kClave, &aviso)) {
        for (size_t i = 0; i < aviso.size(); ++i)
            errores << (i == 0 ? "" : " ") << aviso[i];
        errores << "\n";
        return kSalidaFallo;
    }
    const std::string carpeta = CarpetaDatosPrograma();
    if (carpeta.empty()) {
        errores << "tildora-tool: " << Tr("no home folder, so no program data folder") << "\n";
        return kSalidaFallo;
    }
    // Read only: a damaged file is the program's to keep aside, when the learner is there.
    TProgreso progreso;
    const std::string ruta = carpeta + "/" + NombreProgreso(nombre);
    if (LeeProgreso(ruta, progreso) == TEstadoProgreso::Danado) {
        errores << Rellena(Tr("warning: %1: %2"),
                           {ruta, Tr("damaged or unreadable; nothing is due")})
                << "\n";
        return kSalidaBien;
    }
    TFicherosPreguntas ficheros;
    ficheros.Abre(nombre);
    ConciliaProgreso(progreso, HuellasPreguntas(ficheros));
    for (const uint16_t numero : PreguntasPendientes(progreso, std::time(nullptr)))
        salida << numero << "\n";
    return kSalidaBien;
}

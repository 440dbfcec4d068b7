#include "file_error_text.h"

#include <QDir>
#include <QFileInfo>

#include "interface_text.h"
#include "text_bytes.h"

namespace {

// Syncing, renaming and removing are steps of writing a file, as its user sees it.
bool EsEscritura(const std::string& operacion) {
    return operacion == "escribir" || operacion == "crear la carpeta" ||
           operacion == "sincronizar" || operacion == "renombrar" || operacion == "borrar";
}

QString Operacion(const std::string& operacion, TIdioma idioma) {
    if (operacion == "abrir")
        return Texto(idioma, "abrir", "obrir");
    if (operacion == "leer")
        return Texto(idioma, "leer", "llegir");
    if (operacion == "crear la carpeta")
        return Texto(idioma, "crear la carpeta", "crear la carpeta");
    if (EsEscritura(operacion))
        return Texto(idioma, "escribir", "escriure");
    return Texto(idioma, "usar", "usar");
}

}  // namespace

QString TextoErrorFichero(const IoError& error, TIdioma idioma,
                          const std::vector<std::string>& propios) {
    std::string nombre = error.Fichero();
    for (const std::string& propio : propios)
        if (nombre.starts_with(propio))
            nombre = propio;
    const QString fichero = QDir::toNativeSeparators(RutaDeBytes(nombre));
    QString razon;
    switch (error.Causa()) {
        case TCausaIo::DiscoLleno:
            razon = Texto(idioma, "No queda espacio en el disco", "No queda espai al disc");
            break;
        case TCausaIo::SinPermiso:
            if (EsEscritura(error.Operacion()))
                razon = Texto(idioma, "No tiene permiso para escribir en «%1»",
                              "No teniu permís per a escriure en «%1»")
                            .arg(QDir::toNativeSeparators(QFileInfo(fichero).absolutePath()));
            else
                razon = Texto(idioma, "No tiene permiso para leerlo",
                              "No teniu permís per a llegir-lo");
            break;
        case TCausaIo::CarpetaEnMedio:
            razon = Texto(idioma, "Una carpeta o un fichero ocupa su lugar",
                          "Una carpeta o un fitxer ocupa el seu lloc");
            break;
        case TCausaIo::NoExiste:
            razon = Texto(idioma, "No existe", "No existix");
            break;
        case TCausaIo::Desconocida:
        case TCausaIo::Otra:
            razon = QString::fromLocal8Bit(error.Motivo());
            break;
    }
    const QString hecho = Texto(idioma, "No se ha podido %1 «%2»", "No s'ha pogut %1 «%2»")
                              .arg(Operacion(error.Operacion(), idioma), fichero);
    return razon.isEmpty() ? hecho + QLatin1Char('.')
                           : hecho + QStringLiteral(": ") + razon + QLatin1Char('.');
}

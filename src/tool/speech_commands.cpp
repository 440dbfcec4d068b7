#include "speech_commands.h"

#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <set>

#include "command_support.h"
#include "commands.h"
#include "core/authoring/words.h"
#include "core/base/atomic_write.h"
#include "core/base/binary_file.h"
#include "core/speech/sound_file.h"
#include "core/speech/speech.h"
#include "core/spelling/spelling.h"

namespace {

constexpr const char* kAyudaHablar =
    "Usage: tildora-tool speak SET.preg [--question N] [--slow] -o FILE.wav|FILE.ogg|FILE.mp3\n"
    "       tildora-tool speak SET.preg [--question N] [--slow] [--format wav|ogg|mp3] -o FOLDER\n"
    "Reads the set's questions aloud with their answers in place, with espeak-ng: question N,\n"
    "or every question one after another with a second of silence between them. The format\n"
    "comes from the file's extension (MP3 where the installed libsndfile writes it). With a\n"
    "FOLDER, each question goes to a file of its own, SET-001.wav and so on (WAV unless\n"
    "--format says otherwise). Each question is read in the language whose dictionary knows\n"
    "more of its words, as 'spell' checks it; --slow reads at dictation speed. Prints the\n"
    "voice used for each file.\n";

constexpr int kSegundosEntrePreguntas = 1;

struct TOpcionesHablar {
    std::string Conjunto;
    std::string Destino;
    int Pregunta = 0;  // 0: all
    bool Lento = false;
    std::optional<TFormatoSonido> Formato;
};

TOpcionesHablar LeeOpciones(const std::vector<std::string>& argumentos) {
    TOpcionesHablar opciones;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        const bool conValor = i + 1 < argumentos.size();
        if (a == "--question" && conValor) {
            const std::string& n = argumentos[++i];
            if (n.empty() || n.size() > 5 || !std::all_of(n.begin(), n.end(), ::isdigit) ||
                std::stoi(n) < 1)
                throw TErrorUso("--question takes a question number", "speak");
            opciones.Pregunta = std::stoi(n);
        } else if (a == "--slow") {
            opciones.Lento = true;
        } else if (a == "--format" && conValor) {
            opciones.Formato = FormatoDeNombre("." + argumentos[++i]);
            if (!opciones.Formato)
                throw TErrorUso("--format takes wav, ogg or mp3", "speak");
        } else if (a == "-o" && conValor && opciones.Destino.empty()) {
            opciones.Destino = argumentos[++i];
        } else if (!a.starts_with("-") && opciones.Conjunto.empty()) {
            opciones.Conjunto = a;
        } else {
            throw TErrorUso("unexpected argument '" + a + "'", "speak");
        }
    }
    if (opciones.Conjunto.empty() || opciones.Destino.empty())
        throw TErrorUso("'speak' takes a set (SET.preg) and -o FILE or -o FOLDER", "speak");
    return opciones;
}

// A folder: one that exists, or a name without an extension.
bool EsCarpeta(const std::string& destino) {
    return std::filesystem::is_directory(destino) ||
           NombreDesnudo(destino).find('.') == std::string::npos;
}

struct THablante {
    TOrtografia Ortografia;
    TVoz& Voz = TVoz::DelProceso();
    bool Lento = false;

    // The question's sound, with its answers in place.
    TLocucion Dice(const TPregunta& pregunta) {
        const std::string texto = QuitaMarcas(pregunta.Texto);
        return Voz.Sintetiza(texto, Ortografia.IdiomaDe(texto), Lento);
    }
};

void Escribe(const std::string& ruta, const std::vector<int16_t>& muestras, int frecuencia,
             TFormatoSonido formato, const std::set<std::string>& voces, std::ostream& salida) {
    std::string bytes;
    try {
        bytes = CodificaSonido(muestras, frecuencia, formato);
    } catch (const std::runtime_error& e) {
        throw TFallo(ruta + ": " + e.what());
    }
    EscribeFichero(ruta, bytes);
    salida << "Wrote " << ruta << ": " << std::fixed << std::setprecision(1)
           << static_cast<double>(muestras.size()) / frecuencia << " s, voice";
    for (const std::string& v : voces)
        salida << " " << v;
    salida << "\n";
}

int Habla(const std::vector<std::string>& argumentos, std::ostream& salida, std::ostream& errores) {
    const TOpcionesHablar opciones = LeeOpciones(argumentos);
    const bool carpeta = EsCarpeta(opciones.Destino);
    const std::optional<TFormatoSonido> formato =
        carpeta ? opciones.Formato.value_or(TFormatoSonido::Wav)
                : FormatoDeNombre(opciones.Destino);
    if (!formato)
        throw TErrorUso("the sound file must end in .wav, .ogg or .mp3", "speak");
    if (!FormatoDisponible(*formato))
        throw TFallo(std::string("the installed libsndfile cannot write ") +
                     ExtensionSonido(*formato) + " files; use wav or ogg");

    std::vector<TPregunta> preguntas = LeePreguntasConjunto(opciones.Conjunto, errores);
    std::vector<int> numeros;
    if (opciones.Pregunta > 0) {
        if (opciones.Pregunta > static_cast<int>(preguntas.size()))
            throw TErrorUso("the set has " + std::to_string(preguntas.size()) + " questions",
                            "speak");
        numeros.push_back(opciones.Pregunta);
    } else {
        for (size_t n = 1; n <= preguntas.size(); ++n)
            numeros.push_back(static_cast<int>(n));
    }

    THablante hablante;
    hablante.Lento = opciones.Lento;
    if (!hablante.Voz.Disponible())
        throw TFallo("espeak-ng and its voices (espeak-ng-data) could not be started");
    hablante.Ortografia.CargaEnSegundoPlano();
    const int frecuencia = hablante.Voz.MuestrasPorSegundo();
    if (carpeta) {
        CreaCarpeta(opciones.Destino);
        for (int n : numeros) {
            const TLocucion locucion = hablante.Dice(preguntas[n - 1]);
            const std::string ruta =
                (std::filesystem::path(opciones.Destino) /
                 NombreSonidoPregunta(NombreDesnudo(opciones.Conjunto), n, *formato))
                    .string();
            Escribe(ruta, locucion.Muestras, frecuencia, *formato, {locucion.Voz}, salida);
        }
        return kSalidaBien;
    }
    std::vector<int16_t> muestras;
    std::set<std::string> voces;
    for (int n : numeros) {
        if (!muestras.empty())
            muestras.insert(muestras.end(), kSegundosEntrePreguntas * frecuencia, 0);
        const TLocucion locucion = hablante.Dice(preguntas[n - 1]);
        muestras.insert(muestras.end(), locucion.Muestras.begin(), locucion.Muestras.end());
        voces.insert(locucion.Voz);
    }
    Escribe(opciones.Destino, muestras, frecuencia, *formato, voces, salida);
    return kSalidaBien;
}

}  // namespace

std::optional<int> EjecutaOrdenVoz(const std::vector<std::string>& argumentos, std::ostream& salida,
                                   std::ostream& errores) {
    if (argumentos.empty() || argumentos.front() != "speak")
        return std::nullopt;
    const std::vector<std::string> resto(argumentos.begin() + 1, argumentos.end());
    if (std::find(resto.begin(), resto.end(), "--help") != resto.end()) {
        salida << kAyudaHablar;
        return kSalidaBien;
    }
    return EjecutaConErrores([&] { return Habla(resto, salida, errores); }, errores);
}

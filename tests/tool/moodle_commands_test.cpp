#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <sstream>

#include "commands.h"
#include "core/base/atomic_write.h"
#include "core/base/binary_file.h"
#include "core/set/question_files.h"
#include "core/set/writer.h"
#include "temp_folder.h"
#include "tool_run.h"

namespace {

bool Contiene(const std::string& texto, const std::string& parte) {
    return texto.find(parte) != std::string::npos;
}

std::vector<TPregunta> Preguntas(const std::string& nombre) {
    TFicherosPreguntas ficheros;
    ficheros.Abre(nombre);
    std::vector<TPregunta> preguntas;
    for (int n = 1; n <= ficheros.NumPreguntas(); ++n)
        preguntas.push_back(ficheros.LeePregunta(static_cast<uint16_t>(n)));
    return preguntas;
}

class MoodleCommands : public ::testing::Test {
  protected:
    void SetUp() override { setenv("XDG_DATA_HOME", carpeta_.En("datos").c_str(), 1); }
    std::string En(const std::string& nombre) const { return carpeta_.En(nombre); }
    TCarpetaTemporal carpeta_;
};

const TPregunta kPrimera{0, 0, "Primera",
                         "Una pregunta sencilla, con un @hueco@ y letras normales."};

}  // namespace

TEST_F(MoodleCommands, ASampleSetGoesToMoodleAndComesBack) {
    const std::string muestra = std::string(TILDORA_SAMPLE_FOLDER) + "/castellano.preg";
    const TSalida fuera = Herramienta(
        {"export", muestra, "--format", "moodle", "-o", En("c.xml"), "--language", "castellano"});
    ASSERT_EQ(fuera.Estado, kSalidaBien) << fuera.Errores;
    EXPECT_TRUE(Contiene(fuera.Salida, "Wrote " + En("c.xml") + ": 43 questions in 6 topics"))
        << fuera.Salida;
    EXPECT_TRUE(Contiene(fuera.Salida, "15 questions: the accent-practice pre-fill"))
        << fuera.Salida;
    EXPECT_TRUE(Contiene(fuera.Salida, "4 gaps: gaps to be left empty")) << fuera.Salida;
    EXPECT_TRUE(Contiene(LeeFicheroEntero(En("c.xml")), "sin tildes"));

    const TSalida dentro = Herramienta({"import", En("c.xml"), "-o", En("vuelta.preg")});
    ASSERT_EQ(dentro.Estado, kSalidaBien) << dentro.Errores;
    EXPECT_TRUE(Contiene(dentro.Salida, "43 questions, 6 topics; 0 questions of the file left out"))
        << dentro.Salida;
    const std::vector<TPregunta> original = Preguntas(muestra),
                                 vuelta = Preguntas(En("vuelta.preg"));
    ASSERT_EQ(vuelta.size(), original.size());
    for (size_t i = 0; i < original.size(); ++i) {
        EXPECT_EQ(vuelta[i].Tema, original[i].Tema);
        std::string sinVacios = original[i].Texto;
        for (size_t p; (p = sinVacios.find("@@")) != std::string::npos;)
            sinVacios.erase(p, 2);
        EXPECT_EQ(vuelta[i].Texto, sinVacios);
    }
}

TEST_F(MoodleCommands, AMalformedFileWritesNothing) {
    EscribeFichero(En("mal.xml"),
                   "<?xml version=\"1.0\"?>\n<quiz>\n<question type=\"cloze\">\n</quiz>\n");
    EscribeFichero(En("doctype.xml"),
                   "<?xml version=\"1.0\"?>\n<!DOCTYPE quiz SYSTEM \"http://x/q.dtd\">\n<quiz/>\n");
    for (const auto& [fichero, linea] :
         {std::pair{"mal.xml", ":4:"}, std::pair{"doctype.xml", ":2:"}}) {
        const TSalida r = Herramienta({"import", En(fichero), "-o", En("s.preg")});
        EXPECT_EQ(r.Estado, kSalidaFallo) << fichero;
        EXPECT_EQ(r.Errores.rfind(En(fichero) + linea, 0), 0u) << r.Errores;
        EXPECT_TRUE(Contiene(r.Errores, "nothing written")) << r.Errores;
        EXPECT_FALSE(ExisteFichero(En("s.preg")));
        EXPECT_FALSE(ExisteFichero(En("s.ind")));
    }
}

// A FIFO once held the import waiting for a writer that never came.
TEST_F(MoodleCommands, WhatIsNoFileIsRefusedBeforeItIsRead) {
    CreaCarpeta(En("carpeta.xml"));
    ASSERT_EQ(mkfifo(En("fifo.xml").c_str(), 0600), 0);
    for (const std::string& origen :
         {En("carpeta.xml"), En("fifo.xml"), std::string("/dev/zero")}) {
        const TSalida r = Herramienta({"import", origen, "-o", En("s.preg")});
        EXPECT_EQ(r.Estado, kSalidaFallo) << origen;
        EXPECT_TRUE(Contiene(r.Errores, origen + ": ")) << r.Errores;
        EXPECT_TRUE(Contiene(r.Errores, "nothing read")) << r.Errores;
        EXPECT_FALSE(ExisteFichero(En("s.preg")));
    }
}

TEST_F(MoodleCommands, AnImportedSetOpensInTheProgram) {
    const auto quiz = [](const std::string& preguntas) {
        return "<?xml version=\"1.0\"?>\n<quiz>\n" + preguntas + "</quiz>\n";
    };
    const auto cloze = [](const std::string& texto) {
        return "<question type=\"cloze\"><name><text>n</text></name><questiontext format=\"html\">"
               "<text>" +
               texto + "</text></questiontext></question>\n";
    };
    // A first question full of accents and gaps goes behind a plain one.
    EscribeFichero(En("orden.xml"),
                   quiz(cloze("{1:SA:=&#225;&#233;}{1:SA:=&#243;}!") +
                        cloze("Una pregunta sencilla con letras normales y {1:SA:=un} hueco")));
    const TSalida r = Herramienta({"import", En("orden.xml"), "-o", En("orden.preg")});
    ASSERT_EQ(r.Estado, kSalidaBien) << r.Errores;
    EXPECT_TRUE(Contiene(r.Salida, "question 2 of the set goes first")) << r.Salida;
    EXPECT_EQ(Preguntas(En("orden.preg")).front().Texto,
              "Una pregunta sencilla con letras normales y @un@ hueco");
    EXPECT_EQ(Herramienta({"check", En("orden.preg")}).Estado, kSalidaBien);

    EscribeFichero(En("ilegible.xml"), quiz(cloze("{1:SA:=&#225;}!?")));
    const TSalida ilegible = Herramienta({"import", En("ilegible.xml"), "-o", En("i.preg")});
    EXPECT_EQ(ilegible.Estado, kSalidaFallo);
    EXPECT_TRUE(Contiene(ilegible.Errores, "nothing written")) << ilegible.Errores;
    EXPECT_FALSE(ExisteFichero(En("i.preg")));

    EscribeFichero(En("vacio.xml"),
                   quiz("<question type=\"essay\"><name><text>e</text></name></question>"));
    const TSalida vacio = Herramienta({"import", En("vacio.xml"), "-o", En("v.preg")});
    EXPECT_EQ(vacio.Estado, kSalidaFallo);
    EXPECT_TRUE(Contiene(vacio.Salida, "question 1 \"e\": left out: a question of type 'essay'"))
        << vacio.Salida;
    EXPECT_FALSE(ExisteFichero(En("v.preg")));
}

TEST_F(MoodleCommands, WrongUsage) {
    EscribeConjunto(En("s.preg"), {kPrimera});
    const std::vector<std::vector<std::string>> usos = {
        {"export", En("s.preg"), "-o", En("x.xml")},
        {"export", En("s.preg"), "--format", "gift", "-o", En("x.xml")},
        {"export", En("s.preg"), "--format", "moodle", "-o", En("x.xml"), "--language", "klingon"},
        {"import", En("x.xml")},
        {"import", En("x.xml"), "-o", En("x.txt")},
    };
    for (const auto& uso : usos) {
        const TSalida r = Herramienta(uso);
        EXPECT_EQ(r.Estado, kSalidaUsoErroneo) << uso[0] << " " << uso.back();
        EXPECT_TRUE(Contiene(r.Errores, "Run 'tildora-tool " + uso[0] + " --help'")) << r.Errores;
    }
    EXPECT_TRUE(Contiene(Herramienta({"export", "--help"}).Salida, "--format moodle"));
    EXPECT_TRUE(Contiene(Herramienta({"--help"}).Salida, "import FILE.xml -o SET.preg"));
    EXPECT_EQ(
        Herramienta({"export", En("nada.preg"), "--format", "moodle", "-o", En("x.xml")}).Estado,
        kSalidaFallo);
    EXPECT_FALSE(ExisteFichero(En("x.xml")));
    EXPECT_EQ(Herramienta({"import", En("nada.xml"), "-o", En("n.preg")}).Estado, kSalidaFallo);
}

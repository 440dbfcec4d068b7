#include <gtest/gtest.h>

#include "commands.h"
#include "core/base/atomic_write.h"
#include "core/base/binary_file.h"
#include "core/set/writer.h"
#include "temp_folder.h"
#include "tool_run.h"

namespace {

size_t Cuenta(const std::string& texto, const std::string& parte) {
    size_t n = 0;
    for (size_t i = texto.find(parte); i != std::string::npos; i = texto.find(parte, i + 1))
        ++n;
    return n;
}

class PrintCommand : public ::testing::Test {
  protected:
    std::string En(const std::string& nombre) const { return carpeta_.En(nombre); }
    TCasaTemporal casa_;
    TCarpetaTemporal carpeta_;
    const std::string muestra_ = std::string(TILDORA_SAMPLE_FOLDER) + "/valenciano.preg";
};

}  // namespace

TEST_F(PrintCommand, AWorksheetAndItsKeyAsAPdfWithItsFontsEmbedded) {
    const TSalida hoja = Herramienta({"print", muestra_, "-o", En("hoja.pdf")});
    ASSERT_EQ(hoja.Estado, kSalidaBien) << hoja.Errores;
    EXPECT_EQ(hoja.Errores, "");
    EXPECT_EQ(hoja.Salida, "Wrote " + En("hoja.pdf") + ": 43 questions.\n");
    const std::string pdf = LeeFicheroEntero(En("hoja.pdf"));
    ASSERT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_GT(Cuenta(pdf, "/FontFile2"), 0u);

    const TSalida clave = Herramienta({"print", muestra_, "-o", En("clave.pdf"), "--answers"});
    ASSERT_EQ(clave.Estado, kSalidaBien) << clave.Errores;
    EXPECT_GT(Cuenta(LeeFicheroEntero(En("clave.pdf")), "/Type /Page\n"),
              Cuenta(pdf, "/Type /Page\n"));

    const TSalida tema = Herramienta({"print", muestra_, "-o", En("tema.pdf"), "--topics", "2-3"});
    ASSERT_EQ(tema.Estado, kSalidaBien) << tema.Errores;
    EXPECT_NE(tema.Salida.find(": 14 questions"), std::string::npos) << tema.Salida;
}

TEST_F(PrintCommand, WrongUsageAndBadSetsWriteNothing) {
    for (const std::vector<std::string>& uso : std::vector<std::vector<std::string>>{
             {"print", muestra_},
             {"print", muestra_, "-o", En("x.pdf"), "--topics", "99"},
             {"print", muestra_, "-o", En("x.pdf"), "--language", "en"},
             {"print", muestra_, "-o", En("x.pdf"), "--bonito"}}) {
        const TSalida r = Herramienta(uso);
        EXPECT_EQ(r.Estado, kSalidaUsoErroneo) << uso.back();
        EXPECT_NE(r.Errores.find("Run 'tildora-tool print --help'"), std::string::npos)
            << r.Errores;
    }
    EscribeFichero(En("roto.preg"), "nada");
    EXPECT_EQ(Herramienta({"print", En("roto.preg"), "-o", En("x.pdf")}).Estado, kSalidaFallo);
    EXPECT_FALSE(ExisteFichero(En("x.pdf")));
}

#include "document.h"
#include "core/base/atomic_write.h"

#include <QDir>
#include <QMimeData>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>
#include <memory>
#include <sstream>

#include "commands.h"
#include "core/base/binary_file.h"
#include "core/set/settings.h"
#include "core/set/topic_list.h"
#include "core/set/writer.h"
#include "hostile_sets.h"
#include "small_disk.h"
#include "temp_folder.h"

// Failures show the problem's fields.
void PrintTo(const TProblemaConjunto& p, std::ostream* salida) {
    *salida << "{" << static_cast<int>(p.Tipo) << ", " << p.Pregunta << ", " << p.Cifra << ", "
            << p.Posicion << "}";
}

namespace {

using TTipo = TProblema::TTipo;

TPreguntaEditada E(QString tema, QString texto, uint8_t modo = 0, uint8_t ancho = 0) {
    return {modo, ancho, std::move(tema), std::move(texto)};
}

// A first question that passes the key rule, so that any question may follow.
TPreguntaEditada Primera() {
    return E(QStringLiteral("Primera"),
             QStringLiteral("Una pregunta sencilla, con letras y puntos. Nada @mas@."));
}

QString M(const TProblema& problema, TIdioma idioma) {
    return QString::fromStdString(problema.Mensaje(idioma));
}

QString Q(const std::string& ruta) {
    return QString::fromStdString(ruta);
}

std::vector<std::string> Textos(const TDocumento& documento) {
    std::vector<std::string> textos;
    for (const TPreguntaEditada& pregunta : documento.Preguntas())
        textos.push_back(pregunta.Texto.toStdString());
    return textos;
}

// Every test gets its own folder and a document whose model signals are checked as views
// would rely on them.
class Documento : public ::testing::Test {
  protected:
    std::string En(const std::string& nombre) const { return carpeta_.En(nombre); }

    // Fills the document with these questions through its own edits, then forgets them.
    void Llena(const std::vector<TPreguntaEditada>& preguntas) {
        documento_.Nuevo();
        for (const TPreguntaEditada& pregunta : preguntas)
            documento_.Inserta(documento_.Cuenta() - 1, pregunta);
        documento_.Pila()->clear();
    }

    void Guarda(const std::string& nombre) {
        QString error;
        ASSERT_TRUE(documento_.GuardaConjunto(Q(En(nombre)), &error)) << error.toStdString();
    }

    // What tildora-tool pack writes for the document's questions, through an exported source.
    std::pair<std::string, std::string> EmpaquetadoPorLaHerramienta() {
        QString error;
        EXPECT_TRUE(documento_.ExportaFuente(Q(En("fuente.txt")), &error)) << error.toStdString();
        std::ostringstream salida, errores;
        EXPECT_EQ(EjecutaHerramienta({"pack", En("fuente.txt"), "-o", En("herramienta.preg")},
                                     salida, errores),
                  kSalidaBien)
            << errores.str();
        return {LeeFicheroEntero(En("herramienta.preg")), LeeFicheroEntero(En("herramienta.ind"))};
    }

    TCarpetaTemporal carpeta_;
    TDocumento documento_;
};

}  // namespace

TEST_F(Documento, FieldEditsUndoAndRedo) {
    Llena({Primera(), E("b", "uno")});
    QSignalSpy cambios(&documento_, &TDocumento::dataChanged);
    documento_.CambiaTema(1, QStringLiteral("c"));
    documento_.CambiaModo(1, 2);
    documento_.CambiaAnchoMinimo(1, 255);
    documento_.CambiaTexto(1, QStringLiteral("dos"));
    EXPECT_EQ(documento_.Pregunta(1), E("c", "dos", 2, 255));
    EXPECT_EQ(documento_.Pila()->count(), 4);
    EXPECT_EQ(documento_.Pila()->undoText(), "escriure");  // Valenciano at start
    documento_.CambiaIdioma(TIdioma::Castellano);
    EXPECT_EQ(documento_.Pila()->undoText(), "escribir");
    EXPECT_EQ(documento_.Pila()->text(0), "cambiar el tema");
    documento_.CambiaIdioma(TIdioma::Valenciano);
    EXPECT_TRUE(documento_.Modificado());
    EXPECT_EQ(cambios.count(), 4);
    EXPECT_EQ(documento_.data(documento_.index(1, TDocumento::ColAcentos)).toString(), "2");

    // Setting a field to what it holds is no step.
    documento_.CambiaTema(1, QStringLiteral("c"));
    EXPECT_EQ(documento_.Pila()->count(), 4);

    for (int i = 0; i < 4; ++i)
        documento_.Pila()->undo();
    EXPECT_EQ(documento_.Pregunta(1), E("b", "uno"));
    EXPECT_FALSE(documento_.Modificado());
    EXPECT_EQ(cambios.count(), 8);
    documento_.Pila()->redo();
    documento_.Pila()->redo();
    EXPECT_EQ(documento_.Pregunta(1), E("c", "uno", 2));
}

TEST_F(Documento, TypingInOneQuestionIsOneStep) {
    Llena({Primera(), E("b", ""), E("c", "")});
    for (const char* texto : {"h", "ho", "hol", "hola"})
        documento_.CambiaTexto(1, QString::fromUtf8(texto));
    EXPECT_EQ(documento_.Pila()->count(), 1);
    documento_.CambiaTexto(2, QStringLiteral("x"));  // another question: a new step
    documento_.CambiaTexto(1, QStringLiteral("hola!"));
    EXPECT_EQ(documento_.Pila()->count(), 3);
    documento_.Pila()->undo();
    documento_.Pila()->undo();
    documento_.Pila()->undo();
    EXPECT_EQ(Textos(documento_),
              (std::vector<std::string>{Primera().Texto.toStdString(), "", ""}));

    // Typing after a save starts a new step, so undo can reach the saved text.
    documento_.Pila()->redo();
    documento_.Pila()->setClean();
    documento_.CambiaTexto(1, QStringLiteral("hola, mundo"));
    EXPECT_TRUE(documento_.Modificado());
    documento_.Pila()->undo();
    EXPECT_EQ(documento_.Pregunta(1).Texto, "hola");
    EXPECT_FALSE(documento_.Modificado());

    // Leaving the text ends the step.
    documento_.CambiaTexto(1, QStringLiteral("hola, mundo"));
    documento_.CierraEscritura();
    documento_.CambiaTexto(1, QStringLiteral("hola, mundo!"));
    documento_.Pila()->undo();
    EXPECT_EQ(documento_.Pregunta(1).Texto, "hola, mundo");

    // Typing that comes back to where it began leaves no step.
    documento_.CambiaTexto(2, QStringLiteral("x"));
    const int pasos = documento_.Pila()->count();
    documento_.CambiaTexto(2, QStringLiteral("xy"));
    documento_.CambiaTexto(2, QStringLiteral(""));
    EXPECT_EQ(documento_.Pila()->count(), pasos - 1);
}

TEST_F(Documento, RowEditsUndoAndRedo) {
    Llena({Primera(), E("a", "1"), E("a", "2"), E("b", "3")});
    const std::vector<std::string> antes = Textos(documento_);
    QSignalSpy insertadas(&documento_, &TDocumento::rowsInserted);
    QSignalSpy quitadas(&documento_, &TDocumento::rowsRemoved);
    QSignalSpy movidas(&documento_, &TDocumento::rowsMoved);

    EXPECT_EQ(documento_.Inserta(1, E("n", "nueva")), 2);
    EXPECT_EQ(documento_.Duplica(4), 5);
    EXPECT_EQ(documento_.Pregunta(5), E("b", "3"));
    documento_.Borra(0);
    documento_.Mueve(0, 3);  // "1" ends at row 3
    EXPECT_EQ(Textos(documento_), (std::vector<std::string>{"nueva", "2", "3", "1", "3"}));
    EXPECT_EQ(documento_.data(documento_.index(3, TDocumento::ColNumero)).toInt(), 4);
    EXPECT_EQ(insertadas.count(), 2);
    EXPECT_EQ(quitadas.count(), 1);
    EXPECT_EQ(movidas.count(), 1);

    documento_.Mueve(3, 0);
    EXPECT_EQ(Textos(documento_), (std::vector<std::string>{"1", "nueva", "2", "3", "3"}));

    while (documento_.Pila()->canUndo())
        documento_.Pila()->undo();
    EXPECT_EQ(Textos(documento_), antes);
    // Undo tells the views as the edits did.
    EXPECT_EQ(insertadas.count(), 3);
    EXPECT_EQ(quitadas.count(), 3);
    EXPECT_EQ(movidas.count(), 4);
    while (documento_.Pila()->canRedo())
        documento_.Pila()->redo();
    EXPECT_EQ(Textos(documento_), (std::vector<std::string>{"1", "nueva", "2", "3", "3"}));
}

TEST_F(Documento, RenamingATopicRenamesItEverywhereInOneStep) {
    Llena({Primera(), E("a", "1"), E("b", "2"), E("a", "3")});
    documento_.RenombraTema(QStringLiteral("a"), QStringLiteral("verbos"));
    EXPECT_EQ(documento_.Pila()->count(), 1);
    ASSERT_EQ(documento_.Temas().size(), 3u);
    EXPECT_EQ(documento_.Temas()[1].Nombre, "verbos");
    EXPECT_EQ(documento_.Temas()[1].Preguntas, 2);
    EXPECT_EQ(documento_.Pregunta(3).Tema, "verbos");
    EXPECT_EQ(documento_.Pregunta(2).Tema, "b");
    documento_.Pila()->undo();
    EXPECT_EQ(documento_.Pregunta(1).Tema, "a");
    EXPECT_EQ(documento_.Pregunta(3).Tema, "a");
    EXPECT_EQ(documento_.Temas()[1].Nombre, "a");
}

TEST_F(Documento, DraggedRowsLandTogetherInOneStep) {
    Llena({Primera(), E("t", "1"), E("t", "2"), E("t", "3"), E("t", "4"), E("t", "5")});
    const std::vector<std::string> antes = Textos(documento_);
    struct Caso {
        std::vector<int> Filas;
        int AntesDe;
        std::vector<std::string> Despues;
    };
    const std::string p = Primera().Texto.toStdString();
    const std::vector<Caso> casos = {
        {{1, 4}, 0, {"1", "4", p, "2", "3", "5"}},
        {{0, 2}, 6, {"1", "3", "4", "5", p, "2"}},
        {{1, 5}, 3, {p, "2", "1", "5", "3", "4"}},
        {{3}, 1, {p, "3", "1", "2", "4", "5"}},
    };
    for (const Caso& caso : casos) {
        QModelIndexList indices;
        for (const int fila : caso.Filas)
            indices.append(documento_.index(fila, TDocumento::ColTexto));
        std::unique_ptr<QMimeData> datos(documento_.mimeData(indices));
        ASSERT_TRUE(documento_.dropMimeData(datos.get(), Qt::MoveAction, caso.AntesDe, 0, {}));
        EXPECT_EQ(Textos(documento_), caso.Despues) << caso.AntesDe;
        EXPECT_EQ(documento_.Pila()->count(), 1);
        EXPECT_EQ(documento_.Pila()->undoText(), "moure preguntes");
        documento_.Pila()->undo();
        EXPECT_EQ(Textos(documento_), antes);
        documento_.Pila()->redo();
        EXPECT_EQ(Textos(documento_), caso.Despues) << caso.AntesDe;
        documento_.Pila()->undo();
        documento_.Pila()->clear();
    }

    // Dropped on a row: before it. Dropped where they are: no step.
    std::unique_ptr<QMimeData> datos(documento_.mimeData({documento_.index(5, 0)}));
    EXPECT_TRUE(
        documento_.dropMimeData(datos.get(), Qt::MoveAction, -1, -1, documento_.index(1, 0)));
    EXPECT_EQ(documento_.Pregunta(1).Texto, "5");
    documento_.Pila()->clear();
    datos.reset(documento_.mimeData({documento_.index(2, 0)}));
    EXPECT_TRUE(documento_.dropMimeData(datos.get(), Qt::MoveAction, 3, 0, {}));
    EXPECT_EQ(documento_.Pila()->count(), 0);
}

TEST_F(Documento, ListShowsNumberTopicMarkAndStartOfText) {
    const QString largo = QString(70, QLatin1Char('x')) + QStringLiteral("\rsegunda línea");
    Llena({Primera(), E("verbos", largo, 1), E("", "corta\rlínea 2")});
    const auto celda = [&](int fila, int columna) {
        return documento_.data(documento_.index(fila, columna)).toString();
    };
    EXPECT_EQ(celda(1, TDocumento::ColNumero), "2");
    EXPECT_EQ(celda(1, TDocumento::ColTema), "verbos");
    EXPECT_FALSE(celda(1, TDocumento::ColAcentos).isEmpty());
    EXPECT_TRUE(celda(2, TDocumento::ColAcentos).isEmpty());
    EXPECT_EQ(celda(1, TDocumento::ColTexto), QString(60, QLatin1Char('x')) + QStringLiteral("…"));
    EXPECT_EQ(celda(2, TDocumento::ColTexto), "corta");
    EXPECT_EQ(documento_.data(documento_.index(1, 0), TDocumento::RolTextoCompleto).toString(),
              largo);
    EXPECT_EQ(documento_.data(documento_.index(1, 0), TDocumento::RolTema).toString(), "verbos");

    QSignalSpy cabecera(&documento_, &TDocumento::headerDataChanged);
    documento_.CambiaIdioma(TIdioma::Castellano);
    EXPECT_EQ(documento_.headerData(TDocumento::ColAcentos, Qt::Horizontal, Qt::DisplayRole),
              "Acentos");
    documento_.CambiaIdioma(TIdioma::Valenciano);
    EXPECT_EQ(documento_.headerData(TDocumento::ColAcentos, Qt::Horizontal, Qt::DisplayRole),
              "Accents");
    EXPECT_EQ(documento_.headerData(TDocumento::ColTexto, Qt::Horizontal, Qt::DisplayRole), "Text");
    EXPECT_EQ(cabecera.count(), 2);
}

TEST_F(Documento, ChecksNameTheFigureAndTheLimit) {
    QString muchosHuecos, muchasPiezas = QStringLiteral("@a@x\r");
    for (int i = 0; i < 201; ++i)
        muchosHuecos += QStringLiteral("@a@");
    for (int i = 0; i < 200; ++i)
        muchasPiezas += QStringLiteral("x\r");
    struct Caso {
        TPreguntaEditada Pregunta;  // the second of the set
        TProblema Esperado;
        const char* Castellano;
        const char* Valenciano;
        bool Bloquea;
    };
    // clang-format off
    const std::vector<Caso> casos = {
        {E("t", "abc @a@ @b"), {TTipo::MarcasImpares, 1, 3, 8}, "impar (3)", "la posició 9", false},
        {E("t", "@a\r@b@ c"), {TTipo::MarcasImpares, 1, 3, 0}, "posición 1 no", "és senar", false},
        {E("t", muchosHuecos), {TTipo::DemasiadosHuecos, 1, 201}, "201 huecos", "primers 200", false},
        {E("t", muchasPiezas), {TTipo::DemasiadasPiezas, 1, 202}, "202 trozos", "mostra 200", false},
        // The real figures of what is too long to keep, and no saving until it is shortened.
        {E("t", "@a@" + QString(32765, QLatin1Char('a'))), {TTipo::RegistroLargo, 1, 32773},
         "tienen 32769 caracteres y solo caben 32764", "només n'hi caben 32764", true},
        {E("t", "un ☃ @aquí@"), {TTipo::CaracterNoGuardable, 1, 0x2603, 3},
         "«☃» (U+2603) en la posición 4 del texto. Este carácter no se puede guardar: sustitúyalo.",
         "Aquest caràcter no es pot guardar: substituïx-lo.", true},
        {E("t\xF0\x9F\x98\x80", "@x@"), {TTipo::CaracterNoGuardable, 1, 0x1F600, -1},
         "(U+1F600) en el tema", "en el tema", true},
        {E("t", QStringLiteral("@a@") + QChar(0) + QStringLiteral("b")),
         {TTipo::CaracterNoGuardable, 1, 0, 3}, "U+0000 en la posición 4", "U+0000", true},
        // A tab pasted from a text: the files hold no control characters.
        {E("t", "@a@\tb"), {TTipo::CaracterNoGuardable, 1, 9, 3}, "U+0009 en la posición 4",
         "posició 4 del text", true},
        {E("t", "sin nada que rellenar"), {TTipo::SinHuecos, 1}, "ningún hueco", "cap buit", false},
        {E("t", "a @ b@ c"), {TTipo::RespuestaConBlancos, 1, 0, 2}, "posición 3 empieza",
         "lleveu-lo", false},
        {E("t", "@una frase sin marca@ y"), {TTipo::RespuestaLarga, 1, 4, 0}, "4 palabras",
         "té 4 paraules", false},
    };
    // clang-format on
    for (const Caso& caso : casos) {
        Llena({Primera(), caso.Pregunta});
        const std::vector<TProblema> problemas = documento_.Problemas();
        ASSERT_EQ(problemas.size(), 1u) << caso.Castellano;
        EXPECT_EQ(problemas[0], caso.Esperado) << caso.Castellano;
        EXPECT_EQ(documento_.ProblemasDe(1), problemas);
        EXPECT_TRUE(documento_.data(documento_.index(1, 0), TDocumento::RolProblema).toBool());
        EXPECT_FALSE(documento_.data(documento_.index(0, 0), TDocumento::RolProblema).toBool());
        EXPECT_EQ(documento_.data(documento_.index(1, 2), Qt::ToolTipRole).toString(),
                  M(problemas[0], TIdioma::Valenciano));
        const QString castellano = M(problemas[0], TIdioma::Castellano);
        const QString valenciano = M(problemas[0], TIdioma::Valenciano);
        EXPECT_TRUE(castellano.startsWith("Pregunta 2: ")) << castellano.toStdString();
        EXPECT_TRUE(castellano.contains(QString::fromUtf8(caso.Castellano)))
            << castellano.toStdString();
        EXPECT_TRUE(valenciano.contains(QString::fromUtf8(caso.Valenciano)))
            << valenciano.toStdString();
        // A teacher's words: nothing of how the files are made.
        for (const char* tecnica : {"byte", "regist", "Windows", "clave", "clau"}) {
            EXPECT_FALSE(castellano.contains(tecnica, Qt::CaseInsensitive))
                << castellano.toStdString();
            EXPECT_FALSE(valenciano.contains(tecnica, Qt::CaseInsensitive))
                << valenciano.toStdString();
        }
        EXPECT_EQ(problemas[0].Bloquea(), caso.Bloquea) << caso.Castellano;
        // What only shows badly is saved all the same.
        QString error;
        EXPECT_EQ(documento_.GuardaConjunto(Q(En("c.preg")), &error), !caso.Bloquea)
            << caso.Castellano;
    }
}

TEST_F(Documento, EveryCharacterThatCannotBeKeptIsListedWithItsPlace) {
    QString texto = QStringLiteral("@a@");
    for (int i = 0; i < kMaximoCaracteresListados + 5; ++i)
        texto += QStringLiteral("x☃");
    Llena({Primera(), E("t\t", texto)});
    const std::vector<TProblema> problemas = documento_.Problemas();
    ASSERT_EQ(problemas.size(), static_cast<size_t>(kMaximoCaracteresListados) + 1);
    EXPECT_EQ(problemas[0], (TProblema{TTipo::CaracterNoGuardable, 1, '\t', -1}));
    for (int i = 1; i < kMaximoCaracteresListados; ++i)
        EXPECT_EQ(problemas[static_cast<size_t>(i)],
                  (TProblema{TTipo::CaracterNoGuardable, 1, 0x2603, 2 + 2 * i}));
    // Those beyond the list are counted, not dropped.
    EXPECT_EQ(problemas.back(), (TProblema{TTipo::MasCaracteresNoGuardables, 1, 6}));
    EXPECT_TRUE(problemas.back().Bloquea());
    EXPECT_TRUE(M(problemas.back(), TIdioma::Castellano).contains("6 caracteres más"));

    // A character beyond 16 bits counts as one, at its place in the text.
    Llena({Primera(), E("t", "@a@ 😀 ☃")});
    EXPECT_EQ(documento_.Problemas().back(), (TProblema{TTipo::CaracterNoGuardable, 1, 0x2603, 7}));
    // The export refuses what the checks refuse, naming it.
    QString error;
    documento_.CambiaIdioma(TIdioma::Castellano);
    EXPECT_FALSE(documento_.ExportaFuente(Q(En("f.txt")), &error));
    EXPECT_TRUE(error.startsWith(Q("No se puede exportar «") +
                                 QDir::toNativeSeparators(Q(En("f.txt"))) +
                                 "»: Pregunta 2: «😀» (U+1F600) en la posición 5 del texto."))
        << error.toStdString();
}

TEST_F(Documento, TheSameQuestionTwiceIsNamed) {
    Llena({Primera(), E("a", "el @gato@"), E("b", "otro @perro@"), E("c", "el @gato@"),
           E("d", "el @gato@")});
    const std::vector<TProblema> esperados = {{TTipo::PreguntaRepetida, 3, 1},
                                              {TTipo::PreguntaRepetida, 4, 1}};
    EXPECT_EQ(documento_.Problemas(), esperados);
    EXPECT_EQ(M(esperados[0], TIdioma::Valenciano), "Pregunta 4: és igual que la pregunta 2.");
    documento_.CambiaTexto(1, QStringLiteral("el @gat@"));
    EXPECT_EQ(documento_.Problemas(), (std::vector<TProblema>{{TTipo::PreguntaRepetida, 4, 3}}));
}

TEST_F(Documento, SetWideChecksFollowEveryEdit) {
    documento_.Nuevo();
    ASSERT_EQ(documento_.Problemas().size(), 1u);
    EXPECT_EQ(documento_.Problemas()[0].Tipo, TTipo::ConjuntoVacio);
    EXPECT_TRUE(documento_.Problemas()[0].Bloquea());
    EXPECT_TRUE(M(documento_.Problemas()[0], TIdioma::Castellano).contains("ninguna pregunta"));

    std::vector<TPreguntaEditada> preguntas = {Primera()};
    for (int i = 0; i < 200; ++i)
        preguntas.push_back(E(QStringLiteral("tema %1").arg(i), QStringLiteral("@x@ %1").arg(i)));
    Llena(preguntas);
    ASSERT_EQ(documento_.Problemas().size(), 1u);
    EXPECT_EQ(documento_.Problemas()[0], (TProblema{TTipo::DemasiadosTemas, -1, 201}));
    EXPECT_TRUE(M(documento_.Problemas()[0], TIdioma::Valenciano).contains("201 temes"));
    EXPECT_FALSE(documento_.Problemas()[0].Bloquea());
    documento_.RenombraTema(QStringLiteral("tema 7"), QStringLiteral("tema 8"));
    EXPECT_TRUE(documento_.Problemas().empty());
    documento_.Pila()->undo();
    EXPECT_EQ(documento_.Problemas().size(), 1u);
    documento_.Borra(5);
    EXPECT_TRUE(documento_.Problemas().empty());
}

TEST_F(Documento, KeyRuleOfTheFirstQuestionAndItsFix) {
    const TPreguntaEditada ilegible = E("áé", "@á@ @é@\r", 1);
    Llena({ilegible, E("b", "@á@"), Primera(), E("c", "otra pregunta bien @legible@")});
    std::vector<TProblema> problemas = documento_.Problemas();
    ASSERT_EQ(problemas.size(), 1u);
    EXPECT_EQ(problemas[0].Tipo, TTipo::ClaveIlegible);
    EXPECT_EQ(problemas[0].Pregunta, 0);
    EXPECT_EQ(problemas[0].Cifra, 23);
    EXPECT_TRUE(problemas[0].Bloquea());
    EXPECT_TRUE(M(problemas[0], TIdioma::Castellano).contains("el 23 %"))
        << M(problemas[0], TIdioma::Castellano).toStdString();
    EXPECT_TRUE(M(problemas[0], TIdioma::Castellano).contains("al menos el 81 %"));
    EXPECT_TRUE(M(problemas[0], TIdioma::Valenciano).contains("almenys el 81 %"));
    EXPECT_TRUE(documento_.data(documento_.index(0, 0), TDocumento::RolProblema).toBool());

    QString error;
    EXPECT_FALSE(documento_.GuardaConjunto(Q(En("k.preg")), &error));
    EXPECT_TRUE(error.contains("k.preg")) << error.toStdString();
    EXPECT_TRUE(error.contains("23 %")) << error.toStdString();
    EXPECT_FALSE(ExisteFichero(En("k.preg")));
    EXPECT_FALSE(ExisteFichero(En("k.ind")));

    EXPECT_EQ(documento_.MasLegible(), 2);
    EXPECT_TRUE(documento_.AdelantaMasLegible());
    EXPECT_EQ(documento_.Pila()->count(), 1);
    EXPECT_EQ(documento_.Pregunta(0), Primera());
    EXPECT_EQ(documento_.Pregunta(1), ilegible);
    EXPECT_TRUE(documento_.Problemas().empty());
    EXPECT_FALSE(documento_.data(documento_.index(1, 0), TDocumento::RolProblema).toBool());
    EXPECT_FALSE(documento_.AdelantaMasLegible());  // the first already
    Guarda("k.preg");
    TAviso aviso;
    EXPECT_TRUE(CompruebaFicheros(En("k.preg"), kClave, &aviso));

    documento_.Pila()->undo();
    EXPECT_EQ(documento_.Problemas().size(), 1u);

    // No question passes: nothing to offer.
    Llena({ilegible, E("b", "@á@")});
    EXPECT_EQ(documento_.MasLegible(), -1);
    EXPECT_FALSE(documento_.AdelantaMasLegible());
}

TEST_F(Documento, SavesTheSampleSetsAsTheToolPacksThem) {
    for (const std::string muestra : {"castellano", "valenciano"}) {
        QString error;
        ASSERT_TRUE(documento_.AbreFuente(
            Q(std::string(TILDORA_SAMPLE_SOURCES) + "/" + muestra + ".txt"), &error))
            << error.toStdString();
        EXPECT_FALSE(documento_.EsConjunto());
        EXPECT_FALSE(documento_.Modificado());
        Guarda(muestra + ".preg");
        const std::string construidas = std::string(TILDORA_SAMPLE_FOLDER) + "/" + muestra;
        EXPECT_EQ(LeeFicheroEntero(En(muestra + ".preg")), LeeFicheroEntero(construidas + ".preg"));
        EXPECT_EQ(LeeFicheroEntero(En(muestra + ".ind")), LeeFicheroEntero(construidas + ".ind"));
        EXPECT_TRUE(documento_.EsConjunto());
        EXPECT_EQ(documento_.Ruta(), Q(En(muestra + ".preg")));

        // Opened as a set and saved again elsewhere: the same bytes.
        QStringList aviso;
        ASSERT_TRUE(documento_.AbreConjunto(Q(construidas + ".preg"), &aviso, &error))
            << error.toStdString();
        Guarda("otra.preg");
        EXPECT_EQ(LeeFicheroEntero(En("otra.preg")), LeeFicheroEntero(construidas + ".preg"));
        EXPECT_EQ(LeeFicheroEntero(En("otra.ind")), LeeFicheroEntero(construidas + ".ind"));
    }
}

TEST_F(Documento, SavesOddFieldsAsTheToolPacksThem) {
    Llena({Primera(), E("", ""), E("t", "", 2, 255), E("", "solo texto\r\r@hueco@", 255),
           E("Sí, ñ y €", "«comillas» – guion — y € ¿sí?", 1, 0), E("t", "", 0, 255)});
    Guarda("raros.preg");
    const auto [preguntas, indice] = EmpaquetadoPorLaHerramienta();
    EXPECT_EQ(LeeFicheroEntero(En("raros.preg")), preguntas);
    EXPECT_EQ(LeeFicheroEntero(En("raros.ind")), indice);

    // Odd Modo values survive opening, every edit and saving again.
    const std::vector<TPreguntaEditada> antes = documento_.Preguntas();
    QStringList aviso;
    QString error;
    ASSERT_TRUE(documento_.AbreConjunto(Q(En("raros.preg")), &aviso, &error));
    EXPECT_EQ(documento_.Preguntas(), antes);
    documento_.CambiaTexto(2, QStringLiteral("cambiado"));
    documento_.CambiaTema(3, QStringLiteral("nuevo"));
    EXPECT_EQ(documento_.Pregunta(2).Modo, 2);
    EXPECT_EQ(documento_.Pregunta(3).Modo, 255);
    EXPECT_EQ(documento_.Pregunta(2).AnchoMinimo, 255);
    Guarda("raros.preg");
    const auto [preguntas2, indice2] = EmpaquetadoPorLaHerramienta();
    EXPECT_EQ(LeeFicheroEntero(En("raros.preg")), preguntas2);
    EXPECT_EQ(LeeFicheroEntero(En("raros.ind")), indice2);
}

TEST_F(Documento, SaveRefusesWhatCannotBeWritten) {
    Llena({Primera(), E("t", "un ☃")});
    QString error;
    documento_.CambiaIdioma(TIdioma::Castellano);
    EXPECT_FALSE(documento_.GuardaConjunto(Q(En("n.preg")), &error));
    EXPECT_TRUE(error.contains("n.preg")) << error.toStdString();
    EXPECT_TRUE(error.contains("U+2603")) << error.toStdString();
    EXPECT_TRUE(documento_.Ruta().isEmpty());
    EXPECT_FALSE(ExisteFichero(En("n.preg")));

    documento_.Nuevo();
    EXPECT_FALSE(documento_.GuardaConjunto(Q(En("n.preg")), &error));
    EXPECT_TRUE(error.contains("ninguna pregunta")) << error.toStdString();
}

TEST_F(Documento, AFailedSaveKeepsTheOldSetAndTheChanges) {
    Llena({Primera(), E("t", "vieja")});
    Guarda("s.preg");
    const std::string preguntas = LeeFicheroEntero(En("s.preg"));
    const std::string indice = LeeFicheroEntero(En("s.ind"));

    // A disk that fills up halfway through the question file.
    for (int i = 0; i < 3000; ++i)
        documento_.Inserta(1, E("t", QString(40, QLatin1Char('z'))));
    ASSERT_TRUE(documento_.Modificado());
    rlimit antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    const auto senal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = antes;
    limite.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &limite);
    QString error;
    const bool guardado = documento_.GuardaConjunto(Q(En("s.preg")), &error);
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, senal);
    EXPECT_FALSE(guardado);
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(Q(En("s.preg"))))) << error.toStdString();
    EXPECT_EQ(LeeFicheroEntero(En("s.preg")), preguntas);
    EXPECT_EQ(LeeFicheroEntero(En("s.ind")), indice);
    EXPECT_EQ(QDir(Q(carpeta_.Ruta())).entryList(QDir::Files).size(), 2) << "a temporary file left";
    EXPECT_TRUE(documento_.Modificado());

    // A folder that is a regular file: no one can write there, not even root.
    EscribeFichero(En("fichero"), "x");
    EXPECT_FALSE(documento_.GuardaConjunto(Q(En("fichero/s.preg")), &error));
    EXPECT_TRUE(error.contains("fichero/s.preg")) << error.toStdString();
    EXPECT_TRUE(documento_.Modificado());
    EXPECT_EQ(documento_.Ruta(), Q(En("s.preg")));

    // The index cannot replace a folder of its name: the question file stays as it was too.
    Llena({Primera(), E("t", "vieja")});
    Guarda("d.preg");
    const std::string viejas = LeeFicheroEntero(En("d.preg"));
    std::remove(En("d.ind").c_str());
    QDir().mkdir(Q(En("d.ind")));
    documento_.CambiaTexto(1, QStringLiteral("nueva"));
    EXPECT_FALSE(documento_.GuardaConjunto(Q(En("d.preg")), &error));
    EXPECT_TRUE(error.contains("d.ind")) << error.toStdString();
    EXPECT_EQ(LeeFicheroEntero(En("d.preg")), viejas);
    EXPECT_TRUE(documento_.Modificado());
}

TEST_F(Documento, ASetThatTheProgramRefusesOpensNothing) {
    Llena({Primera(), E("t", "abierta")});
    Guarda("bien.preg");
    EscribeConjunto(En("clave.preg"),
                    {TPregunta{1, 0, "\xE1\xE9", "@\xE1@ @\xE9@\r"}, TPregunta{0, 0, "b", "x"}});
    EscribeConjunto(En("suma.preg"), {TPregunta{0, 0, "t", "una pregunta bien legible"}});
    {
        std::string bytes = LeeFicheroEntero(En("suma.preg"));
        bytes[3] ^= 1;
        EscribeFichero(En("suma.preg"), bytes);
    }
    EscribeConjunto(En("sinindice.preg"), {TPregunta{0, 0, "t", "una pregunta bien legible"}});
    std::remove(En("sinindice.ind").c_str());

    struct Caso {
        std::string Fichero;
        QStringList Aviso;
    };
    const std::vector<Caso> casos = {
        {"clave.preg", {"Fichero con clave desconocida:", "clave.preg"}},
        {"suma.preg", {"Fichero con CheckSum erróneo:", "suma.preg"}},
        {"sinindice.preg", {"Fichero no encontrado:", "sinindice.ind"}},
        {"ninguno.preg", {"Fichero no encontrado:", "ninguno.preg"}},
    };
    QSignalSpy reemplazos(&documento_, &TDocumento::DocumentoReemplazado);
    for (const Caso& caso : casos) {
        QStringList aviso;
        QString error;
        EXPECT_FALSE(documento_.AbreConjunto(Q(En(caso.Fichero)), &aviso, &error));
        EXPECT_EQ(aviso, caso.Aviso) << caso.Fichero;
        EXPECT_EQ(documento_.Ruta(), Q(En("bien.preg")));
        EXPECT_EQ(documento_.Pregunta(1).Texto, "abierta");
    }
    EXPECT_EQ(reemplazos.count(), 0);

    // More questions than 16-bit numbers reach: saving would lose the rest, so none open.
    std::vector<TPregunta> muchas(kMaximoPreguntas + 1, TPregunta{0, 0, "t", "x"});
    muchas.front().Texto = "una pregunta bien legible";
    EscribeConjunto(En("muchas.preg"), muchas);
    QStringList aviso;
    QString error;
    EXPECT_FALSE(documento_.AbreConjunto(Q(En("muchas.preg")), &aviso, &error));
    EXPECT_TRUE(error.contains("muchas.preg")) << error.toStdString();
    EXPECT_TRUE(error.contains("65536")) << error.toStdString();
    EXPECT_EQ(documento_.Ruta(), Q(En("bien.preg")));
}

TEST_F(Documento, OpeningAndNewReplaceTheDocument) {
    Llena({Primera(), E("t", "x")});
    documento_.CambiaTexto(1, QStringLiteral("y"));
    QSignalSpy reinicios(&documento_, &TDocumento::modelReset);
    QSignalSpy reemplazos(&documento_, &TDocumento::DocumentoReemplazado);
    documento_.Nuevo();
    EXPECT_EQ(documento_.Cuenta(), 0);
    EXPECT_FALSE(documento_.Modificado());
    EXPECT_FALSE(documento_.Pila()->canUndo());
    EXPECT_TRUE(documento_.Ruta().isEmpty());
    EXPECT_FALSE(documento_.EsConjunto());

    EscribeFichero(En("mal.txt"), "# una fuente\ntema: a\n> bien\nancho: 300\n");
    QString error;
    EXPECT_FALSE(documento_.AbreFuente(Q(En("mal.txt")), &error));
    EXPECT_EQ(error, Q("«") + QDir::toNativeSeparators(Q(En("mal.txt"))) +
                         "», línia 4: \"ancho:\" takes a number from 0 to 255");
    EXPECT_FALSE(documento_.AbreFuente(Q(En("no_existe.txt")), &error));
    EXPECT_TRUE(error.contains("no_existe.txt")) << error.toStdString();
    EXPECT_EQ(reinicios.count(), 1);
    EXPECT_EQ(reemplazos.count(), 1);

    // Export and open again: the same questions.
    Llena({Primera(), E("Tema «uno»", "línea 1\rlínea 2 con @hu@ecos", 1, 4), E("", "", 7)});
    const std::vector<TPreguntaEditada> preguntas = documento_.Preguntas();
    ASSERT_TRUE(documento_.ExportaFuente(Q(En("fuente.txt")), &error)) << error.toStdString();
    ASSERT_TRUE(documento_.AbreFuente(Q(En("fuente.txt")), &error)) << error.toStdString();
    EXPECT_EQ(documento_.Preguntas(), preguntas);
    EXPECT_EQ(documento_.Ruta(), Q(En("fuente.txt")));
}

TEST_F(Documento, ExportRefusesWhatASourceCannotCarry) {
    Llena({Primera(), E("t", QStringLiteral("con\t@tabulador@"))});
    QString error;
    EXPECT_FALSE(documento_.ExportaFuente(Q(En("f.txt")), &error));
    EXPECT_EQ(error, Q("No es pot exportar «") + QDir::toNativeSeparators(Q(En("f.txt"))) +
                         "»: Pregunta 2: U+0009 en la posició 4 del text. Aquest caràcter no es "
                         "pot guardar: substituïx-lo.");
    EXPECT_FALSE(ExisteFichero(En("f.txt")));
}

TEST_F(Documento, SettingsFileIsWhatTheProgramRestores) {
    const QString ruta = TDocumento::RutaConfiguracionDefecto(QStringLiteral("/x/y/cuaderno.preg"));
    EXPECT_EQ(ruta, QStringLiteral("/x/y/cuaderno.cfg"));

    Llena({Primera(), E("b", "x"), E("c", "x"), E("b", "y")});
    QString error;
    ASSERT_TRUE(
        documento_.EscribeConfiguracion(Q(En("datos/nueva/c.cfg")), {true, false, true}, &error))
        << error.toStdString();
    TConfiguracion configuracion;
    TLista temas;
    for (const char* tema : {"Primera", "b", "c"})
        temas.Anade(tema);
    EXPECT_FALSE(RestauraConfiguracion(En("datos/nueva/c.cfg"), En("datos/nueva"), En("c.preg"),
                                       configuracion, temas));
    EXPECT_TRUE(temas.Marcado(1));
    EXPECT_FALSE(temas.Marcado(2));
    EXPECT_TRUE(temas.Marcado(3));
    EXPECT_EQ(configuracion.Cabecera, 50);

    EscribeFichero(En("ocupado"), "x");
    EXPECT_FALSE(documento_.EscribeConfiguracion(Q(En("ocupado/c.cfg")), {true}, &error));
    EXPECT_TRUE(error.contains("ocupado/c.cfg")) << error.toStdString();
}

TEST_F(Documento, HostileSetsOpenBoundedOrAreRefusedAtOnce) {
    // Every entry of the index at one record of 32 KB: it is read and held once.
    EscribeConjuntoEscrito(En("repetido.preg"), ConjuntoDeTemaRepetido());
    QStringList aviso;
    QString error;
    ASSERT_TRUE(documento_.AbreConjunto(Q(En("repetido.preg")), &aviso, &error))
        << error.toStdString();
    ASSERT_EQ(documento_.Cuenta(), kMaximoPreguntas);
    const TPreguntaEditada& primera = documento_.Pregunta(0);
    const TPreguntaEditada& ultima = documento_.Pregunta(kMaximoPreguntas - 1);
    EXPECT_EQ(ultima, primera);
    EXPECT_EQ(ultima.Tema.constData(), primera.Tema.constData());
    EXPECT_EQ(ultima.Texto.constData(), primera.Texto.constData());
    EXPECT_EQ(primera.Tema.size(), 32000);
    ASSERT_EQ(documento_.Temas().size(), 2u);
    EXPECT_EQ(documento_.Temas()[0].Preguntas, kMaximoPreguntas - 1);
    // An edit of one copy leaves the others as they were.
    documento_.CambiaTexto(5, QStringLiteral("otra @cosa@"));
    EXPECT_EQ(documento_.Pregunta(6), primera);
    EXPECT_EQ(documento_.Pregunta(5).Tema, primera.Tema);
    // Written out, every copy would be whole: 2 GB. The save says so and writes nothing.
    documento_.CambiaIdioma(TIdioma::Valenciano);
    EXPECT_FALSE(documento_.GuardaConjunto(Q(En("grande.preg")), &error));
    EXPECT_EQ(error, "No es pot guardar «" + QDir::toNativeSeparators(Q(En("grande.preg"))) +
                         "»: les seues preguntes sumen més de 67 milions de caràcters; repartiu-"
                         "les en diversos conjunts.");
    EXPECT_FALSE(ExisteFichero(En("grande.preg")));

    // 65535 overlapping records, each with a topic of its own of 32 KB: far more text than
    // the editor holds, refused before it is read, and the document stays as it was.
    EscribeConjuntoEscrito(En("distintos.preg"), ConjuntoDeTemasDistintos());
    TAviso avisoPrograma;
    ASSERT_TRUE(CompruebaFicheros(En("distintos.preg"), kClave, &avisoPrograma));
    documento_.CambiaIdioma(TIdioma::Castellano);
    EXPECT_FALSE(documento_.AbreConjunto(Q(En("distintos.preg")), &aviso, &error));
    EXPECT_EQ(error, "No se puede abrir «" + QDir::toNativeSeparators(Q(En("distintos.preg"))) +
                         "»: sus preguntas suman más de 67 millones de caracteres y el editor "
                         "no puede con tantos.");
    EXPECT_EQ(documento_.Cuenta(), kMaximoPreguntas);
    EXPECT_EQ(documento_.Ruta(), Q(En("repetido.preg")));
    EXPECT_EQ(documento_.Pregunta(5).Texto, QStringLiteral("otra @cosa@"));
}

TEST_F(Documento, OnlyRegularFilesOfABoundedSizeAreRead) {
    Llena({Primera()});
    ASSERT_EQ(mkfifo(En("tubo.txt").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(En("tubo.preg").c_str(), 0600), 0);
    QStringList aviso;
    QString error;
    for (const QString& ruta : {Q(En("tubo.txt")), QStringLiteral("/dev/zero")}) {
        EXPECT_FALSE(documento_.AbreFuente(ruta, &error));
        EXPECT_EQ(error, "No es pot obrir «" + QDir::toNativeSeparators(ruta) +
                             "»: no és un fitxer normal.");
    }
    EXPECT_FALSE(documento_.AbreConjunto(Q(En("tubo.preg")), &aviso, &error));
    EXPECT_EQ(error, "No es pot obrir «" + QDir::toNativeSeparators(Q(En("tubo.preg"))) +
                         "»: no és un fitxer normal.");

    // A source beyond the bound, sparse so that it takes no disk.
    EscribeFichero(En("enorme.txt"), "");
    ASSERT_EQ(truncate(En("enorme.txt").c_str(), kMaximoFuente + 1), 0);
    EXPECT_FALSE(documento_.AbreFuente(Q(En("enorme.txt")), &error));
    EXPECT_EQ(error, "No es pot obrir «" + QDir::toNativeSeparators(Q(En("enorme.txt"))) +
                         "»: ocupa més de 64 MB i l'editor obri textos de preguntes de fins a 64 "
                         "MB.");
    EXPECT_EQ(documento_.Preguntas(), (std::vector<TPreguntaEditada>{Primera()}));
}

TEST_F(Documento, MoreQuestionsThanTheNumbersReachBlockTheSave) {
    std::vector<TPreguntaEditada> preguntas = {Primera()};
    for (int i = 1; i <= kMaximoPreguntas; ++i)
        preguntas.push_back(E("t", QStringLiteral("la @%1@").arg(i)));
    Llena(preguntas);
    QString error;
    EXPECT_FALSE(documento_.GuardaConjunto(Q(En("muchas.preg")), &error));
    EXPECT_EQ(error, "No es pot guardar «" + QDir::toNativeSeparators(Q(En("muchas.preg"))) +
                         "»: El conjunt té 65536 preguntes i no en pot tindre més de 65535: "
                         "repartiu-les en dos conjunts.");
    EXPECT_FALSE(ExisteFichero(En("muchas.preg")));
    documento_.Borra(3);
    Guarda("muchas.preg");
}

TEST_F(Documento, AFailedSaveSaysWhyInTheTeachersLanguage) {
    TDiscoPequeno disco(64);
    if (!disco.Montado())
        GTEST_SKIP() << "no small file system can be mounted here";
    std::vector<TPreguntaEditada> preguntas = {Primera()};
    for (int i = 0; i < 2000; ++i)
        preguntas.push_back(E("t", QStringLiteral("la @%1@ ").arg(i) + QString(40, 'z')));
    Llena(preguntas);
    const QString lleno = Q(disco.En("lleno.preg"));
    QString error;
    EXPECT_FALSE(documento_.GuardaConjunto(lleno, &error));
    EXPECT_EQ(error, "No s'ha pogut escriure «" + QDir::toNativeSeparators(lleno) +
                         "»: No queda espai al disc.");
    documento_.CambiaIdioma(TIdioma::Castellano);
    EXPECT_FALSE(documento_.GuardaConjunto(lleno, &error));
    EXPECT_TRUE(error.endsWith(": No queda espacio en el disco.")) << error.toStdString();

    Llena({Primera()});
    ASSERT_TRUE(disco.SoloLectura());
    const QString carpeta = QDir::toNativeSeparators(QFileInfo(Q(disco.En("s.preg"))).path());
    EXPECT_FALSE(documento_.GuardaConjunto(Q(disco.En("s.preg")), &error));
    EXPECT_EQ(error, "No se ha podido escribir «" +
                         QDir::toNativeSeparators(Q(disco.En("s.preg"))) +
                         "»: No tiene permiso para escribir en «" + carpeta + "».");
    documento_.CambiaIdioma(TIdioma::Valenciano);
    EXPECT_FALSE(documento_.ExportaFuente(Q(disco.En("f.txt")), &error));
    EXPECT_EQ(error, "No s'ha pogut escriure «" + QDir::toNativeSeparators(Q(disco.En("f.txt"))) +
                         "»: No teniu permís per a escriure en «" + carpeta + "».");
}

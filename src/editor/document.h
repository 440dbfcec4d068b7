#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QUndoStack>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/authoring/set_checks.h"
#include "core/base/language.h"
#include "core/set/question_files.h"

// One question as the teacher edits it. The text is Unicode, with a carriage return ("\r")
// between paragraphs as in the file; it becomes Windows-1252 only when saved, so a character
// the code page cannot hold is flagged by the checks, never lost while editing.
struct TPreguntaEditada {
    uint8_t Modo = 0;  // kept as found: values other than 0 and 1 survive every edit
    uint8_t AnchoMinimo = 0;
    QString Tema;
    QString Texto;
    // The language the teacher set for the spelling check; none: the one the dictionaries guess.
    // Not kept in the files.
    std::optional<TIdioma> IdiomaTexto{};

    bool operator==(const TPreguntaEditada&) const = default;
};

// The problems the checks find, with their messages, are the core's.
using TProblema = TProblemaConjunto;

class TComandoDocumento;

// What the editor opens: a source of up to 64 MB, and sets whose distinct records add up to
// at most 64 MB (held twice over as Qt text). A set whose index repeats one record for every
// question is well within it.
inline constexpr qint64 kMaximoFuente = 64 << 20;
inline constexpr qint64 kMaximoTextoAbierto = 64 << 20;

// The editor's document: the questions of one set, shown as a table (number, topic, accent
// mark, start of the text), edited only through undoable commands on its own QUndoStack.
// Rows can be moved by drag and drop. Tests drive it without any widget.
class TDocumento : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum TColumna { ColNumero, ColTema, ColAcentos, ColTexto, NumColumnas };
    // Full question text and topic, for filters and the form.
    static constexpr int RolTextoCompleto = Qt::UserRole + 1;
    static constexpr int RolTema = Qt::UserRole + 2;
    // True when the row has a problem (for the list's mark); Qt::ToolTipRole gives its messages.
    static constexpr int RolProblema = Qt::UserRole + 3;

    explicit TDocumento(QObject* parent = nullptr);
    ~TDocumento() override;

    // Files. Each replaces the document only on success and clears the undo stack.
    void Nuevo();
    // A set that fails the program's checks opens nothing: aviso gets the program's notice.
    // A file error, a file that is not a regular one, more questions than the program can
    // number, or more text than kMaximoTextoAbierto: false, with error naming the file and what
    // failed, and the document as it was.
    bool AbreConjunto(const QString& rutaPreg, QStringList* aviso, QString* error);
    // A question source text of at most kMaximoFuente bytes; error names the file and the line.
    bool AbreFuente(const QString& ruta, QString* error);
    // Questions read from another program's file: an untitled document, not saved yet.
    void AbreImportadas(const std::vector<TPregunta>& preguntas);
    // Writes the .preg and the .ind beside it as one pair through the atomic writer. Refuses
    // (false, error says why) a set the program would refuse or would cut; a failed write
    // leaves the old files intact and the document unsaved.
    bool GuardaConjunto(const QString& rutaPreg, QString* error);
    bool ExportaFuente(const QString& ruta, QString* error) const;
    // The settings file of the set (the topics a learner starts with), as tildora-tool config
    // writes it: temasMarcados[i] for topic i + 1 of Temas(). Written through the atomic
    // writer like the set; the folder is created when missing.
    bool EscribeConfiguracion(const QString& rutaCfg, const std::vector<bool>& temasMarcados,
                              QString* error) const;
    // Beside the set, with the set's bare name and ".cfg": the exercise program finds it there
    // when the learner's and the system's data folders hold none, and it travels with the set.
    static QString RutaConfiguracionDefecto(const QString& rutaPreg);
    // The file the document was opened from or saved to; empty for a new document.
    QString Ruta() const { return ruta_; }
    // True when Ruta() is a .preg set, so Save writes in place.
    bool EsConjunto() const { return esConjunto_; }
    bool Modificado() const { return !pila_.isClean(); }
    QUndoStack* Pila() { return &pila_; }

    int Cuenta() const { return static_cast<int>(preguntas_.size()); }
    const TPreguntaEditada& Pregunta(int fila) const {
        return preguntas_.at(static_cast<size_t>(fila));
    }
    const std::vector<TPreguntaEditada>& Preguntas() const { return preguntas_; }

    // Edits: each pushes one command, named in the interface language (QUndoCommand::text);
    // a row out of range changes nothing. Consecutive typing in one question's text merges into
    // one undo step.
    void CambiaTema(int fila, const QString& tema);
    void CambiaModo(int fila, uint8_t modo);
    void CambiaAnchoMinimo(int fila, uint8_t ancho);
    void CambiaTexto(int fila, const QString& texto);
    void CambiaIdiomaTexto(int fila, std::optional<TIdioma> idioma);
    // Ends the typing step: the next text change starts a new undo step even in the same
    // question (for when the teacher leaves the text and comes back).
    void CierraEscritura() { ++escritura_; }
    // Inserts after fila (-1: at the front); the new row.
    int Inserta(int despuesDe, const TPreguntaEditada& pregunta);
    // The copy goes right after fila; the new row, or -1 when fila is out of range.
    int Duplica(int fila);
    void Borra(int fila);
    // Moves one row so that it ends at row hasta.
    void Mueve(int desde, int hasta);
    void RenombraTema(const QString& viejo, const QString& nuevo);

    // A topic as lists and menus show it: a topic may fill a whole record, and no widget holds
    // every topic's full text. At most kTemasOfrecidos of them are offered, as the program
    // lists no more.
    static constexpr int kLargoTemaMostrado = 200;
    static constexpr int kTemasOfrecidos = kMaximoTemas;
    static QString TemaMostrado(const QString& tema);
    // Topics in first-appearance order with their number of questions.
    struct TTemaContado {
        QString Nombre;
        int Preguntas = 0;
    };
    std::vector<TTemaContado> Temas() const;

    // Every problem, set-wide ones first, then by row.
    // The spelling problems of a question, found outside the document; checked with the rest.
    std::function<std::vector<TProblema>(const TPreguntaEditada&)> RevisaOrtografia;
    // Checks every row again, for when what RevisaOrtografia knows has changed.
    void CompruebaDeNuevo();

    std::vector<TProblema> Problemas() const;
    // The problems of one row on its own (the list's mark and tool tip): the same question
    // twice is a problem of the set, found by Problemas() only.
    std::vector<TProblema> ProblemasDe(int fila) const;
    // The spelling problems still open, told after a save, an export or a print without
    // stopping it; empty when there are none.
    QString AvisoFaltas() const;
    // The row whose record is the most readable for the key rule, to offer moving it to the
    // front; -1 when no row passes the rule.
    int MasLegible() const;
    // The fix the checks offer: moves MasLegible() to the front, one undo step; false when no
    // row passes the rule or it is the first already.
    bool AdelantaMasLegible();

    // The question in the exercise program's terms, for the preview (non-Windows-1252
    // characters become "?").
    static TPregunta EnBytes(const TPreguntaEditada& pregunta);

    // QAbstractTableModel
    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indices) const override;
    bool dropMimeData(const QMimeData* datos, Qt::DropAction accion, int fila, int columna,
                      const QModelIndex& padre) override;

    // The interface language (Valenciano at start) of the header captions, the undo steps'
    // names, the problems and the file errors.
    void CambiaIdioma(TIdioma idioma);
    TIdioma Idioma() const { return idioma_; }
    // A problem's message in the interface language.
    QString Mensaje(const TProblema& problema) const;

  signals:
    // A question's fields changed (by an edit, an undo or a redo).
    void PreguntaCambiada(int fila);
    // A file was opened, or New: every row is new.
    void DocumentoReemplazado();

  private:
    friend class TComandoDocumento;
    // The primitive changes the undo commands make; each keeps the caches and tells the views.
    void PonPregunta(int fila, const TPreguntaEditada& pregunta);
    void PonTema(const std::vector<int>& filas, const QString& tema);
    void InsertaFila(int fila, const TPreguntaEditada& pregunta);
    void QuitaFila(int fila);
    void MueveFila(int desde, int hasta);
    // What the checks know of one row.
    struct TRevision {
        std::vector<TProblema> Problemas;  // Pregunta is set when they are handed out
        int Porcentaje = 0;                // the key rule's share were it the first
        size_t Huella = 0;                 // of the text, to find the same question twice
    };
    static TRevision Revisa(const TPreguntaEditada& pregunta, const TPregunta& enBytes);
    // The checks of one row, kept up to date by the primitive changes.
    void Comprueba(int fila);
    // Replaces every row at once; igualA names for each row an earlier one holding the same
    // record (-1 for none), whose fields and checks it shares. Nothing changes when it throws.
    void Reemplaza(std::vector<TPreguntaEditada> preguntas, const std::vector<TPregunta>& enBytes,
                   const std::vector<int>& igualA, const QString& ruta, bool esConjunto);
    QString Traduce(const char* castellano, const char* valenciano) const;
    // One whole file through the atomic writer; false with error naming the file and why.
    bool Escribe(const QString& ruta, const std::string& bytes, QString* error) const;
    // Pushes a command named for the undo menu in the interface language.
    void Empuja(TComandoDocumento* comando, const char* castellano, const char* valenciano);
    void CambiaPregunta(int fila, const TPreguntaEditada& pregunta, bool esTexto,
                        const char* castellano, const char* valenciano);
    bool ClaveFalla() const;
    void CuentaTema(const QString& tema, int cambio);

    // A record the index repeats is read and converted once: its copies share the text.
    std::vector<TPreguntaEditada> preguntas_;
    std::vector<TRevision> revisiones_;
    QHash<QString, int> cuentaTemas_;  // questions of each topic
    QUndoStack pila_;
    QString ruta_;
    bool esConjunto_ = false;
    TIdioma idioma_ = TIdioma::Valenciano;
    int escritura_ = 0;  // the typing session that text changes merge within
};

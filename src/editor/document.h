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

#include "language.h"
#include "question_files.h"

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

// What would make the exercise program refuse the set or show a question badly.
struct TProblema {
    enum class TTipo {
        ConjuntoVacio,         // no question at all: refused
        DemasiadasPreguntas,   // more than 65535: the rest are never asked
        DemasiadosTemas,       // more than 200 topics: the rest are never asked
        ClaveIlegible,         // question 1 fails the key rule: refused; Porcentaje is set
        CaracterNoWindows,     // a character Windows-1252 cannot hold: cannot be saved
        RegistroLargo,         // a record over 32768 bytes
        DemasiadosHuecos,      // more than 200 gaps
        DemasiadasPiezas,      // more than 200 text pieces
        MarcasImpares,         // an odd number of gap marks
        RespuestaDesconocida,  // a gap answer the dictionary does not know: Detalle
    };
    TTipo Tipo;
    int Pregunta = -1;  // 0-based row; -1 for the set as a whole
    // 0-based position in Texto (CaracterNoWindows, MarcasImpares: the mark left open), or -1
    // (CaracterNoWindows: the character is in the topic).
    int Posicion = -1;
    // The figure the message states: bytes, gaps, pieces, marks, topics, questions; for
    // CaracterNoWindows the character's code point.
    int Cifra = 0;
    int Porcentaje = 0;  // ClaveIlegible: the share of readable bytes of record 1
    QString Detalle{};   // RespuestaDesconocida: the word and its suggestions
    // True when the exercise program would refuse the set (Save refuses it too).
    bool Bloquea() const;
    // The message in the interface language: 0 Castellano, 1 Valenciano.
    QString Mensaje(uint16_t idioma) const;

    bool operator==(const TProblema&) const = default;
};

class TComandoDocumento;

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

    // Files. Each replaces the document only on success and clears the undo stack.
    void Nuevo();
    // A set that fails the program's checks opens nothing: aviso gets the program's notice.
    // A file error, or more questions than the program can number: false, with error naming
    // the file and what failed.
    bool AbreConjunto(const QString& rutaPreg, QStringList* aviso, QString* error);
    // A question source text; error names the file and the line.
    bool AbreFuente(const QString& ruta, QString* error);
    // Writes the .preg and the .ind beside it, each through a temporary file renamed over the
    // old one. Refuses (false, error says why) a set the program would refuse; a failed write
    // leaves the old files intact and the document unsaved.
    bool GuardaConjunto(const QString& rutaPreg, QString* error);
    bool ExportaFuente(const QString& ruta, QString* error) const;
    // The settings file of the set (the topics a learner starts with), as tildora-tool config
    // writes it: temasMarcados[i] for topic i + 1 of Temas(). Written through a temporary file
    // like the set; the folder is created when missing.
    bool EscribeConfiguracion(const QString& rutaCfg, const std::vector<bool>& temasMarcados,
                              QString* error) const;
    // Where the exercise program looks for that file: the program data folder and the set's
    // bare name with ".cfg".
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

    // Topics in first-appearance order with their number of questions.
    struct TTemaContado {
        QString Nombre;
        int Preguntas = 0;
    };
    std::vector<TTemaContado> Temas() const;

    // The spelling problems of a question, found outside the document; checked with the rest.
    std::function<std::vector<TProblema>(const TPreguntaEditada&)> RevisaOrtografia;
    // Checks every row again, for when what RevisaOrtografia knows has changed.
    void CompruebaDeNuevo();

    // Every problem, set-wide ones first, then by row.
    std::vector<TProblema> Problemas() const;
    std::vector<TProblema> ProblemasDe(int fila) const;
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

    // The interface language (0 Castellano, 1 Valenciano; Valenciano at start) of the header
    // captions, the undo steps' names and the file errors.
    void CambiaIdioma(uint16_t idioma);

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
    void Reemplaza(const std::vector<TPregunta>& enBytes, const QString& ruta, bool esConjunto);
    QString Traduce(const char* castellano, const char* valenciano) const;
    // Pushes a command named for the undo menu in the interface language.
    void Empuja(TComandoDocumento* comando, const char* castellano, const char* valenciano);
    void CambiaPregunta(int fila, const TPreguntaEditada& pregunta, bool esTexto,
                        const char* castellano, const char* valenciano);
    // The checks of one row, kept up to date by the primitive changes; enBytes when the row
    // is known in bytes already.
    void Comprueba(int fila, const TPregunta* enBytes = nullptr);
    bool ClaveFalla() const;
    void CuentaTema(const QString& tema, int cambio);

    std::vector<TPreguntaEditada> preguntas_;
    // Per row: its problems (Pregunta is set when they are handed out) and the key rule's
    // share were it the first.
    std::vector<std::vector<TProblema>> problemas_;
    std::vector<int> porcentajes_;
    QHash<QString, int> cuentaTemas_;  // questions of each topic
    QUndoStack pila_;
    QString ruta_;
    bool esConjunto_ = false;
    uint16_t idioma_ = 1;
    int escritura_ = 0;  // the typing session that text changes merge within
};

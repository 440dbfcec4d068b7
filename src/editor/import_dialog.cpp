#include "import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "interface_text.h"
#include "text_bytes.h"

TDialogoImportar::TDialogoImportar(const QString& texto, const QStringList& temas,
                                   const QString& tema, TIdioma idioma, int despuesDe,
                                   QWidget* parent)
    : QDialog(parent), texto_(texto.toStdString()) {
    importado_ = ImportaTexto(texto_, TPregunta{});
    setWindowTitle(Texto(idioma, "Importar texto", "Importar text"));

    lblResumen = new QLabel(this);
    lblResumen->setWordWrap(true);
    QString resumen = Texto(idioma, "Cada párrafo será una pregunta: %1 preguntas.",
                            "Cada paràgraf serà una pregunta: %1 preguntes.")
                          .arg(importado_.Preguntas.size());
    if (importado_.Sustituidos > 0)
        resumen += QLatin1Char(' ') +
                   Texto(idioma,
                         "%1 caracteres se cambian por su forma sencilla (guiones, espacios, "
                         "signos).",
                         "%1 caràcters es canvien per la seua forma senzilla (guions, espais, "
                         "signes).")
                       .arg(importado_.Sustituidos);
    lblResumen->setText(resumen);

    cbTema = new QComboBox(this);
    cbTema->setEditable(true);
    cbTema->addItems(temas);
    cbTema->setCurrentText(tema);
    chkAcentos = new QCheckBox(Texto(idioma, "Práctica de acentos", "Pràctica d'accents"), this);
    rbDespues = new QRadioButton(
        Texto(idioma, "&Después de la pregunta %1", "&Després de la pregunta %1").arg(despuesDe),
        this);
    rbAlFinal = new QRadioButton(Texto(idioma, "Al &final", "Al &final"), this);
    rbDespues->setChecked(despuesDe > 0);
    rbAlFinal->setChecked(despuesDe <= 0);
    auto* donde = new QVBoxLayout;
    donde->addWidget(rbDespues);
    donde->addWidget(rbAlFinal);
    rbDespues->setVisible(despuesDe > 0);
    rbAlFinal->setVisible(despuesDe > 0);

    lblRechazados = new QLabel(
        Texto(idioma,
              "Estos caracteres no se pueden guardar y se dejan fuera; cámbielos en el texto si "
              "los necesita:",
              "Aquests caràcters no es poden guardar i es deixen fora; canvieu-los en el text si "
              "els necessiteu:"),
        this);
    lblRechazados->setWordWrap(true);
    lstRechazados = new QListWidget(this);
    for (const TCaracterRechazado& r : importado_.Rechazados)
        lstRechazados->addItem(
            Texto(idioma, "Línea %1, columna %2: «%3»", "Línia %1, columna %2: «%3»")
                .arg(r.Linea)
                .arg(r.Columna)
                .arg(QString::fromUtf8(r.Caracter.data(),
                                       static_cast<qsizetype>(r.Caracter.size()))));
    lblRechazados->setVisible(!importado_.Rechazados.empty());
    lstRechazados->setVisible(!importado_.Rechazados.empty());

    botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setText(Texto(idioma, "Importar", "Importar"));
    botones->button(QDialogButtonBox::Cancel)->setText(Texto(idioma, "Cancelar", "Cancel·lar"));
    botones->button(QDialogButtonBox::Ok)->setEnabled(!importado_.Preguntas.empty());
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* campos = new QFormLayout;
    campos->addRow(Texto(idioma, "&Tema:", "&Tema:"), cbTema);
    campos->addRow(QString(), chkAcentos);
    if (despuesDe > 0)
        campos->addRow(Texto(idioma, "Dónde:", "On:"), donde);
    else
        delete donde;
    auto* disposicion = new QVBoxLayout(this);
    disposicion->addWidget(lblResumen);
    disposicion->addLayout(campos);
    disposicion->addWidget(lblRechazados);
    disposicion->addWidget(lstRechazados);
    disposicion->addWidget(botones);
    resize(520, (importado_.Rechazados.empty() ? 180 : 380) + (despuesDe > 0 ? 50 : 0));
}

bool TDialogoImportar::AlFinal() const {
    return rbAlFinal->isChecked();
}

std::vector<TPreguntaEditada> TDialogoImportar::Preguntas() const {
    // The topic takes room in each question: the paragraphs are cut for the one chosen.
    const QString tema = cbTema->currentText();
    TPregunta plantilla;
    plantilla.Tema = std::string(static_cast<size_t>(tema.size()), 'x');
    std::vector<TPreguntaEditada> preguntas;
    for (const TPregunta& p : ImportaTexto(texto_, plantilla).Preguntas) {
        TPreguntaEditada editada;
        editada.Modo = chkAcentos->isChecked() ? 1 : 0;
        editada.Tema = tema;
        editada.Texto = TextoDeBytes(p.Texto);
        preguntas.push_back(editada);
    }
    return preguntas;
}

#include "gaps_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/text/question_text.h"

#include "interface_text.h"
#include "preview_panel.h"
#include "text_bytes.h"

namespace {

constexpr int kRolFila = Qt::UserRole + 1;
constexpr int kRolPropuesta = Qt::UserRole + 2;

QString NombreRegla(const TDescripcionRegla& regla, TIdioma idioma) {
    if (regla.Regla == TReglaHuecos::Acentos)
        return Texto(idioma, "Acentos", "Accents");
    const QString nombre = QString::fromUtf8(regla.Nombre);
    if (regla.Castellano && regla.Valenciano)
        return nombre;
    return regla.Castellano ? nombre + Texto(idioma, " (castellano)", " (castellà)")
                            : nombre + Texto(idioma, " (valenciano)", " (valencià)");
}

}  // namespace

TDialogoHuecos::TDialogoHuecos(TDocumento& documento, int fila, int inicioSeleccion,
                               int finSeleccion, TIdioma idioma, QWidget* parent)
    : QDialog(parent),
      documento_(documento),
      fila_(fila),
      inicioSeleccion_(inicioSeleccion),
      finSeleccion_(finSeleccion),
      idioma_(idioma) {
    setWindowTitle(Texto(idioma, "Hacer huecos", "Fer buits"));

    auto* ambito = new QGroupBox(Texto(idioma, "Dónde", "On"), this);
    rbSeleccion = new QRadioButton(Texto(idioma, "El texto seleccionado", "El text seleccionat"));
    rbPregunta = new QRadioButton(Texto(idioma, "Esta pregunta", "Aquesta pregunta"));
    rbTodas = new QRadioButton(Texto(idioma, "Todas las preguntas", "Totes les preguntes"));
    const bool conSeleccion = finSeleccion > inicioSeleccion && fila >= 0;
    rbSeleccion->setEnabled(conSeleccion);
    rbPregunta->setEnabled(fila >= 0);
    (conSeleccion ? rbSeleccion : fila >= 0 ? rbPregunta : rbTodas)->setChecked(true);
    auto* disposicionAmbito = new QVBoxLayout(ambito);
    for (QRadioButton* boton : {rbSeleccion, rbPregunta, rbTodas}) {
        disposicionAmbito->addWidget(boton);
        connect(boton, &QRadioButton::toggled, this, [this](bool activo) {
            if (activo)
                Propone();
        });
    }

    auto* reglas = new QGroupBox(Texto(idioma, "Reglas", "Regles"), this);
    auto* rejilla = new QGridLayout(reglas);
    for (const TDescripcionRegla& regla : DescripcionesReglas()) {
        auto* casilla = new QCheckBox(NombreRegla(regla, idioma), reglas);
        const int i = static_cast<int>(chkReglas.size());
        rejilla->addWidget(casilla, i / 2, i % 2);
        chkReglas.push_back(casilla);
        connect(casilla, &QCheckBox::toggled, this, &TDialogoHuecos::Propone);
    }
    spDistractores = new QSpinBox(this);
    spDistractores->setRange(0, 50);
    spDistractores->setToolTip(
        Texto(idioma,
              "Huecos en palabras que se escriben sin la letra de la regla (sin acento, en la "
              "de acentos), para que los huecos no delaten la respuesta",
              "Buits en paraules que s'escriuen sense la lletra de la regla (sense accent, en "
              "la d'accents), perquè els buits no delaten la resposta"));
    connect(spDistractores, &QSpinBox::valueChanged, this, &TDialogoHuecos::Propone);
    auto* filaDistractores = new QHBoxLayout;
    filaDistractores->addWidget(
        new QLabel(Texto(idioma, "Distractores por pregunta:", "Distractors per pregunta:")));
    filaDistractores->addWidget(spDistractores);
    filaDistractores->addStretch();

    lstPropuestas = new QListWidget(this);
    connect(lstPropuestas, &QListWidget::itemChanged, this, &TDialogoHuecos::PropuestaMarcada);
    connect(lstPropuestas, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* actual) {
        if (actual)
            MuestraFila(actual->data(kRolFila).toInt());
    });
    edResultado = new QPlainTextEdit(this);
    edResultado->setReadOnly(true);
    VistaPrevia = new TPanelVistaPrevia(this);
    auto* divisor = new QSplitter(Qt::Vertical, this);
    divisor->addWidget(edResultado);
    divisor->addWidget(VistaPrevia);
    divisor->setSizes({120, 280});

    botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)
        ->setText(Texto(idioma, "Hacer los huecos", "Fer els buits"));
    botones->button(QDialogButtonBox::Cancel)->setText(Texto(idioma, "Cancelar", "Cancel·lar"));
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(ambito);
    izquierda->addWidget(reglas);
    izquierda->addLayout(filaDistractores);
    izquierda->addWidget(new QLabel(Texto(idioma, "Huecos propuestos:", "Buits proposats:")));
    izquierda->addWidget(lstPropuestas, 1);
    auto* columnas = new QHBoxLayout;
    columnas->addLayout(izquierda, 2);
    columnas->addWidget(divisor, 3);
    auto* disposicion = new QVBoxLayout(this);
    disposicion->addLayout(columnas);
    disposicion->addWidget(botones);
    resize(1080, 640);
    Propone();
}

void TDialogoHuecos::Propone() {
    std::vector<TReglaHuecos> reglas;
    for (size_t i = 0; i < chkReglas.size(); ++i)
        if (chkReglas[i]->isChecked())
            reglas.push_back(DescripcionesReglas()[i].Regla);
    propuestas_.clear();
    const bool todas = rbTodas->isChecked();
    for (int fila = todas ? 0 : fila_; fila >= 0 && fila < documento_.Cuenta(); ++fila) {
        const QString& texto = documento_.Pregunta(fila).Texto;
        std::vector<TPropuestaHueco> propuestas =
            ProponHuecos(BytesPorUnidad(texto), reglas, spDistractores->value());
        if (rbSeleccion->isChecked())
            std::erase_if(propuestas, [this](const TPropuestaHueco& p) {
                return p.Tramo.Inicio < static_cast<size_t>(inicioSeleccion_) ||
                       p.Tramo.Fin() > static_cast<size_t>(finSeleccion_);
            });
        if (!propuestas.empty())
            propuestas_.push_back({fila, std::move(propuestas)});
        if (!todas)
            break;
    }

    const QSignalBlocker bloqueo(lstPropuestas);
    lstPropuestas->clear();
    for (size_t k = 0; k < propuestas_.size(); ++k) {
        const TPropuestasFila& deFila = propuestas_[k];
        const QString& texto = documento_.Pregunta(deFila.Fila).Texto;
        for (size_t i = 0; i < deFila.Propuestas.size(); ++i) {
            const TPropuestaHueco& p = deFila.Propuestas[i];
            // The word around the gap tells the teacher where it is.
            qsizetype inicio = static_cast<qsizetype>(p.Tramo.Inicio);
            qsizetype fin = static_cast<qsizetype>(p.Tramo.Fin());
            while (inicio > 0 && texto[inicio - 1].isLetter())
                --inicio;
            while (fin < texto.size() && texto[fin].isLetter())
                ++fin;
            QString palabra = texto.mid(inicio, fin - inicio);
            palabra.insert(static_cast<qsizetype>(p.Tramo.Fin()) - inicio, QLatin1Char(']'));
            palabra.insert(static_cast<qsizetype>(p.Tramo.Inicio) - inicio, QLatin1Char('['));
            QString etiqueta = Texto(idioma_, "Pregunta %1: %2", "Pregunta %1: %2")
                                   .arg(deFila.Fila + 1)
                                   .arg(palabra);
            if (p.Distractor)
                etiqueta += Texto(idioma_, " (distractor)", " (distractor)");
            auto* elemento = new QListWidgetItem(etiqueta, lstPropuestas);
            elemento->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            elemento->setCheckState(p.Marcada ? Qt::Checked : Qt::Unchecked);
            elemento->setData(kRolFila, static_cast<int>(k));
            elemento->setData(kRolPropuesta, static_cast<int>(i));
        }
    }
    botones->button(QDialogButtonBox::Ok)->setEnabled(!propuestas_.empty());
    if (lstPropuestas->count() > 0)
        lstPropuestas->setCurrentRow(0);
    MuestraFila(propuestas_.empty() ? -1 : 0);
}

void TDialogoHuecos::PropuestaMarcada(QListWidgetItem* elemento) {
    const auto k = static_cast<size_t>(elemento->data(kRolFila).toInt());
    const auto i = static_cast<size_t>(elemento->data(kRolPropuesta).toInt());
    propuestas_.at(k).Propuestas.at(i).Marcada = elemento->checkState() == Qt::Checked;
    MuestraFila(static_cast<int>(k));
}

void TDialogoHuecos::MuestraFila(int k) {
    if (k < 0 || k >= static_cast<int>(propuestas_.size())) {
        const int fila = std::clamp(fila_, -1, documento_.Cuenta() - 1);
        edResultado->setPlainText(fila >= 0 ? documento_.Pregunta(fila).Texto : QString());
        if (fila >= 0)
            VistaPrevia->Muestra(documento_.Pregunta(fila), fila + 1);
        return;
    }
    const int fila = propuestas_[static_cast<size_t>(k)].Fila;
    const TPreguntaEditada resultado = Resultado(fila);
    QString enEdicion = resultado.Texto;
    enEdicion.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    edResultado->setPlainText(enEdicion);
    VistaPrevia->Muestra(resultado, fila + 1);
}

TPreguntaEditada TDialogoHuecos::Resultado(int fila) const {
    TPreguntaEditada pregunta = documento_.Pregunta(fila);
    for (const TPropuestasFila& deFila : propuestas_) {
        if (deFila.Fila != fila)
            continue;
        pregunta.Modo = PonHuecos(deFila.Propuestas, pregunta.Modo, [&pregunta](size_t donde) {
            pregunta.Texto.insert(static_cast<qsizetype>(donde), QLatin1Char(kMarcaHueco));
        });
    }
    return pregunta;
}

void TDialogoHuecos::Aplica() {
    documento_.CierraEscritura();
    documento_.Pila()->beginMacro(Texto(idioma_, "hacer huecos", "fer buits"));
    for (const TPropuestasFila& deFila : propuestas_) {
        const TPreguntaEditada resultado = Resultado(deFila.Fila);
        documento_.CambiaTexto(deFila.Fila, resultado.Texto);
        documento_.CambiaModo(deFila.Fila, resultado.Modo);
    }
    documento_.Pila()->endMacro();
    documento_.CierraEscritura();
}

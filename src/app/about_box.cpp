#include "about_box.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "dialog_setup.h"
#include "interface_text.h"
#include "svg_picture.h"

namespace {

constexpr int NumLineas = 5;

QStringList LineasCastellano() {
    return {
        QStringLiteral("   Este programa está pensado para hacer ejercicios de ortografía en "
                       "cualquier idioma o dialecto, ya que está preparado para presentar un "
                       "texto con algunos huecos que el usuario debe rellenar con la letra o "
                       "letras que correspondan."),
        QStringLiteral("   Los ejercicios de ortografía se pueden agrupar en varios temas, de "
                       "forma que el alumno pueda practicarlos por separado o todos juntos y "
                       "entremezclados. "),
        QString(),
        QStringLiteral("   En estos momentos el programa dispone de los siguientes idiomas:"),
        QStringLiteral("- Valencià / Català."),
    };
}

QStringList LineasValenciano() {
    return {
        QStringLiteral("   Aquest programa està pensat per a fer exercicis d'ortografia en "
                       "qualsevol idioma o dialecte, ja que està preparat per a presentar un "
                       "text amb alguns buits que l'usuari ha d'omplir amb la lletra o les "
                       "lletres que corresponguen."),
        QStringLiteral("   Els exercicis es poden agrupar en diversos temes, de manera que "
                       "l'alumne els puga fer per separat o tots junts i en l'ordre que més li "
                       "agrade. "),
        QString(),
        QStringLiteral("   En aquestos moments el programa disposa de els següents idiomes:"),
        QStringLiteral("- Valencià / Català."),
    };
}

}  // namespace

TfrmSobreElPrograma::TfrmSobreElPrograma(QWidget* parent) : QDialog(parent) {
    PreparaDialogo(this, 366, 240);
    setWindowTitle(QStringLiteral("frmSobreElPrograma"));

    btnOk = new QPushButton(IconoSvg(QStringLiteral(":/icons/ok.svg"), QSize(16, 16)),
                            QStringLiteral("OK"), this);
    btnOk->setGeometry(144, 208, 77, 27);
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

    Memo = new QPlainTextEdit(QStringLiteral("Memo"), this);
    Memo->setGeometry(8, 8, 353, 185);
    Memo->setReadOnly(true);
    Memo->setFrameShape(QFrame::NoFrame);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Not a tab stop, but a click puts the caret in it to select and scroll with the keys.
    Memo->setFocusPolicy(Qt::ClickFocus);
    Memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPalette colores = Memo->palette();
    colores.setColor(QPalette::Base, colores.color(QPalette::Button));
    Memo->setPalette(colores);

    Idioma = TIdioma::Castellano;
    Lineas = QStringList(NumLineas, QString());
    CentraEnPantalla(this);
}

void TfrmSobreElPrograma::FormActivate() {
    if (IdiomaConocido(Idioma)) {
        setWindowTitle(QStringLiteral("Sobre el programa..."));
        btnOk->setText(QStringLiteral("OK"));
        Lineas = Elige(Idioma, LineasCastellano(), LineasValenciano());
    }
    Memo->setPlainText(Lineas.join(QLatin1Char('\n')));
}

void TfrmSobreElPrograma::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FormActivate();
}

void TfrmSobreElPrograma::keyPressEvent(QKeyEvent* evento) {
    if (!PulsaConEscape(evento, btnOk)) {
        QDialog::keyPressEvent(evento);
    }
}

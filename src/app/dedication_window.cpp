#include "dedication_window.h"

#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include "dialog_setup.h"
#include "jpeg_decoder.h"
#include "svg_picture.h"

const QString TfrmDedicatoria::Titulo = QStringLiteral("Dedicatoria");

namespace {

QLabel* CreaTexto(const QString& texto, const QRect& lugar, QWidget* ventana) {
    auto* etiqueta = new QLabel(texto, ventana);
    etiqueta->setGeometry(lugar);
    etiqueta->setAlignment(Qt::AlignCenter);
    etiqueta->setWordWrap(true);
    return etiqueta;
}

QByteArray LeeFoto() {
    QFile fichero(QStringLiteral(":/images/foto.jpg"));
    return fichero.open(QIODevice::ReadOnly) ? fichero.readAll() : QByteArray();
}

}  // namespace

TfrmDedicatoria::TfrmDedicatoria(QWidget* parent) : QDialog(parent) {
    PreparaDialogo(this, 230, 242);
    setWindowTitle(Titulo);
    setWindowIcon(IconoSvg(QStringLiteral(":/icons/dedicatoria.svg")));

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setGeometry(73, 209, 80, 25);
    connect(btnOK, &QPushButton::clicked, this, &TfrmDedicatoria::btnOKClick);

    ImgFoto = new QLabel(this);
    ImgFoto->setGeometry(10, 10, 207, 175);
    ImgFoto->setAlignment(Qt::AlignCenter);
    PonFoto(LeeFoto());

    lblTexto1 = CreaTexto(QStringLiteral("A quienes aprenden letra a letra."),
                          QRect(10, 189, 207, 16), this);
    lblTexto1->installEventFilter(this);
    lblTexto2 = CreaTexto(QStringLiteral("Con cariño"), QRect(152, 209, 65, 30), this);
    lblTexto2->hide();

    CentraEnPantalla(this);
}

void TfrmDedicatoria::PonFoto(const QByteArray& jpeg) {
    const QImage foto = DecodificaJpeg(jpeg);
    if (foto.isNull()) {
        ImgFoto->clear();
        return;
    }
    ImgFoto->setPixmap(QPixmap::fromImage(
        foto.scaled(ImgFoto->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TfrmDedicatoria::lblTexto1DblClick() {
    lblTexto2->setVisible(lblTexto2->isHidden());
}

void TfrmDedicatoria::btnOKClick() {
    accept();
}

bool TfrmDedicatoria::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == lblTexto1 && evento->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton) {
        lblTexto1DblClick();
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void TfrmDedicatoria::keyPressEvent(QKeyEvent* evento) {
    if (!PulsaConEscape(evento, btnOK)) {
        QDialog::keyPressEvent(evento);
    }
}

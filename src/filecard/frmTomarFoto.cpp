#include "filecard/frmTomarFoto.h"

#include "controls/Varios.h"
#include "controls/ceBoton.h"
#include "shell/Iconos.h"
#include "store/Archivos.h"
#include "store/Interaccion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kFiltro = QStringLiteral(
    "Imágenes (*.png *.jpg *.jpeg *.bmp *.gif *.tif *.tiff);;Todos los archivos (*)");

// Removable media (USB sticks, CDs) are mounted under these folders.
bool EnUnidadExtraíble(const QString& ruta) {
    const QString r = QFileInfo(ruta).absoluteFilePath();
    return r.startsWith(QLatin1String("/media/")) || r.startsWith(QLatin1String("/run/media/"));
}

}  // namespace

QString frmTomarFoto::CarpetaFotos() {
    const QString c = QSettings().value(QStringLiteral("Opciones/CarpetaFotos")).toString();
    if (!c.isEmpty()) return c;
    const QString imágenes = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return imágenes.isEmpty() ? QDir::homePath() : imágenes;
}

frmTomarFoto::frmTomarFoto(QWidget* parent)
    : QDialog(parent),
      marco_(new QScrollArea(this)),
      imagen_(new QLabel),
      título_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmTomarFoto"));
    setWindowTitle(QStringLiteral("Fotografía"));
    QVBoxLayout* l = MarcoDeDiálogo(
        *this, QStringLiteral("Elija un archivo de imagen o tome la foto con un escáner o una "
                              "cámara, y escriba un título para la foto."));
    auto* barra = new QToolBar(this);
    barra->setObjectName(QStringLiteral("tlbBotones"));
    barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto botón = [&](const char* clave, const QString& texto, QStyle::StandardPixmap icono,
                           auto acción) {
        QAction* a = barra->addAction(style()->standardIcon(icono), texto);
        a->setObjectName(QStringLiteral("tlbBotones_") + QString::fromUtf8(clave));
        connect(a, &QAction::triggered, this, acción);
    };
    botón("archivo", QStringLiteral("Desde un archivo..."), QStyle::SP_DirOpenIcon,
          &frmTomarFoto::archivo);
    botón("escaner", QStringLiteral("Escanear"), QStyle::SP_DriveCDIcon, &frmTomarFoto::escaner);
    botón("origen", QStringLiteral("Elegir escáner o cámara..."), QStyle::SP_ComputerIcon,
          [] { interaccion().elegirOrigen(); });
    l->addWidget(barra);

    marco_->setObjectName(QStringLiteral("picMarco"));
    imagen_->setObjectName(QStringLiteral("picFoto"));
    imagen_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    marco_->setWidget(imagen_);
    marco_->setWidgetResizable(false);
    marco_->setMinimumSize(480, 360);
    marco_->setBackgroundRole(QPalette::Dark);
    marco_->verticalScrollBar()->setObjectName(QStringLiteral("VScroll1"));
    marco_->horizontalScrollBar()->setObjectName(QStringLiteral("HScroll1"));
    auto* centro = new QVBoxLayout;
    centro->setContentsMargins(16, 4, 16, 4);
    centro->addWidget(marco_, 1);
    auto* f = new QFormLayout;
    título_->setObjectName(QStringLiteral("txtTítulo"));
    f->addRow(QStringLiteral("Título:"), título_);
    centro->addLayout(f);
    l->addLayout(centro, 1);
    connect(PieDeDiálogo(*this, *l), &ceBoton::Click, this, &frmTomarFoto::aceptar);
}

void frmTomarFoto::cargar(bool nuevo) {
    if (nuevo) return;
    título_->setText(foto.Título);
    if (!mostrar(foto.Archivo)) imagen_->clear();
    ajustar_scroll();
}

bool frmTomarFoto::mostrar(const QString& ruta) {
    if (ruta.isEmpty() || !QFileInfo(ruta).isFile()) return false;
    QImageReader lector(ruta);
    lector.setAutoTransform(true);
    const QImage i = lector.read();
    if (i.isNull()) return false;
    imagen_->setPixmap(QPixmap::fromImage(i));
    imagen_->adjustSize();
    return true;
}

void frmTomarFoto::ajustar_scroll() {
    imagen_->adjustSize();
    marco_->verticalScrollBar()->setValue(0);
    marco_->horizontalScrollBar()->setValue(0);
}

void frmTomarFoto::archivo() {
    const QString elegido =
        ElegirArchivo({false, QStringLiteral("Elegir una foto"), CarpetaFotos(), kFiltro});
    if (elegido.isEmpty()) return;
    if (EnUnidadExtraíble(elegido)) {
        MsgBox(QStringLiteral("No puede seleccionar fotos almacenadas en unidades que no sean "
                              "locales o de red.\n\nPrimero copie la foto en una unidad local o de "
                              "red y luego selecciónela nuevamente."),
               Icono::Exclamación);
        return;
    }
    // Only a file that exists and reads as an image becomes the photo's file.
    if (!mostrar(elegido)) {
        MsgBox(QStringLiteral("No se puede mostrar la imagen %1.")
                   .arg(QDir::toNativeSeparators(elegido)),
               Icono::Exclamación);
        return;
    }
    foto.Archivo = elegido;
    QSettings().setValue(QStringLiteral("Opciones/CarpetaFotos"),
                         QFileInfo(elegido).absolutePath());
    ajustar_scroll();
    origen = 1;
}

void frmTomarFoto::escaner() {
    QTemporaryDir temporal;  // the scanned image goes with it, whatever happens
    const QString escaneada = temporal.filePath(QStringLiteral("foto.png"));
    QString error;
    if (!temporal.isValid() || !interaccion().escanear(escaneada, error)) {
        MsgBox(QStringLiteral("Error al tomar foto. Revise el ESCANER o la CÁMARA.") +
                   (error.isEmpty() ? QString() : QStringLiteral("\n\n") + error),
               Icono::Crítico, Botones::Aceptar, QStringLiteral("Tomar foto"));
        return;
    }
    QString destino = ElegirArchivo({true, QStringLiteral("Guardar foto como"),
                                     QDir(CarpetaFotos()).filePath(QStringLiteral("foto.png")),
                                     QStringLiteral("Imagen PNG (*.png)")});
    if (destino.isEmpty()) {
        MsgBox(QStringLiteral("No se guardó ninguna foto. El usuario canceló la operación."),
               Icono::Información);
        return;
    }
    if (QFileInfo(destino).suffix().isEmpty()) destino += QStringLiteral(".png");
    // The save dialog asked before replacing; a photo already there goes only
    // once the new one is whole.
    QFile imagen(escaneada);
    QString motivo = QStringLiteral("no se pudo leer la imagen escaneada.");
    if (!imagen.open(QIODevice::ReadOnly) || !GuardarArchivo(destino, imagen.readAll(), motivo)) {
        MsgBox(QStringLiteral("No se pudo guardar la foto en «%1»: %2").arg(destino, motivo),
               Icono::Exclamación);
        return;
    }
    foto.Archivo = destino;
    mostrar(destino);
    ajustar_scroll();
    origen = 2;
}

void frmTomarFoto::aceptar() {
    if (foto.Archivo.isEmpty()) {
        MsgBox(QStringLiteral("No hay ninguna foto para guardar."), Icono::Exclamación);
        return;
    }
    if (título_->text().trimmed().isEmpty()) {
        MsgBox(QStringLiteral("Escriba un título para la foto."), Icono::Exclamación);
        return;
    }
    foto.Título = título_->text().trimmed();
    aceptado = true;
    accept();
}

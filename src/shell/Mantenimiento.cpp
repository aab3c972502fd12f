#include "shell/Mantenimiento.h"

#include "controls/Varios.h"
#include "controls/ceBoton.h"
#include "import/frmImportar.h"
#include "shell/Fallas.h"
#include "shell/frmMDI.h"
#include "store/Archivos.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/Interaccion.h"
#include "store/Respaldo.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QVBoxLayout>

// Options.

frmOpciones::frmOpciones(QWidget* parent)
    : QDialog(parent),
      remoto_(new QLineEdit(this)),
      local_(new QLineEdit(this)),
      usuario_(new QLineEdit(this)),
      contraseña_(new QLineEdit(this)),
      proveedor_(new QComboBox(this)) {
    setObjectName(QStringLiteral("frmOpciones"));
    setWindowTitle(QStringLiteral("Opciones"));
    QVBoxLayout* l = MarcoDeDiálogo(
        *this, QStringLiteral("Origen de los datos de Candora y mantenimiento de la base."));
    auto* f = new QFormLayout;
    f->setContentsMargins(16, 8, 16, 8);
    remoto_->setObjectName(QStringLiteral("txtOrigenRemoto"));
    proveedor_->setObjectName(QStringLiteral("txtProveedor"));
    proveedor_->setEditable(true);
    proveedor_->setInsertPolicy(QComboBox::NoInsert);
    proveedor_->addItems({QStringLiteral("Microsoft.Jet.OLEDB.4.0"), QStringLiteral("MSDAORA"),
                          QStringLiteral("MSDASQL"), QStringLiteral("SQLOLEDB"),
                          QString::fromLatin1(kProveedorPostgres)});
    local_->setObjectName(QStringLiteral("txtOrigenLocal"));
    usuario_->setObjectName(QStringLiteral("txtUsuario"));
    contraseña_->setObjectName(QStringLiteral("txtContraseña"));
    contraseña_->setEchoMode(QLineEdit::Password);
    for (QLineEdit* e : {remoto_, local_}) e->setMinimumWidth(380);
    f->addRow(QStringLiteral("Origen &remoto:"), remoto_);
    f->addRow(QStringLiteral("&Proveedor:"), proveedor_);
    f->addRow(QStringLiteral("Origen &local:"), local_);
    f->addRow(QStringLiteral("&Usuario:"), usuario_);
    f->addRow(QStringLiteral("Contras&eña:"), contraseña_);
    l->addLayout(f);
    auto* mantenimiento = new QHBoxLayout;
    mantenimiento->setContentsMargins(16, 0, 16, 8);
    auto* revincular = new QPushButton(QStringLiteral("Revincular tablas en base local"), this);
    revincular->setObjectName(QStringLiteral("cmdRevincular"));
    auto* limpiar = new QPushButton(QStringLiteral("Limpiar base remota"), this);
    limpiar->setObjectName(QStringLiteral("cmdLimpiar"));
    for (QPushButton* b : {revincular, limpiar}) b->setAutoDefault(false);
    mantenimiento->addWidget(revincular);
    mantenimiento->addWidget(limpiar);
    mantenimiento->addStretch(1);
    l->addLayout(mantenimiento);
    connect(revincular, &QPushButton::clicked, this, &frmOpciones::revincular);
    connect(limpiar, &QPushButton::clicked, this, &frmOpciones::limpiar);
    connect(PieDeDiálogo(*this, *l), &ceBoton::Click, this, &frmOpciones::aceptar);

    // A provider never stored shows the one start-up uses.
    const ConfiguraciónDatos c = ConfiguraciónDatos::leer();
    remoto_->setText(c.OrigenRemoto);
    proveedor_->setEditText(c.Proveedor);
    local_->setText(c.OrigenLocal);
    usuario_->setText(c.Usuario);
    contraseña_->setText(c.Contraseña);
}

void frmOpciones::guardar() {
    ConfiguraciónDatos c;
    c.OrigenRemoto = remoto_->text().trimmed();
    c.Proveedor = proveedor_->currentText().trimmed();
    c.OrigenLocal = local_->text().trimmed();
    c.Usuario = usuario_->text().trimmed();
    c.Contraseña = contraseña_->text();  // as typed: a password is never cleaned
    c.guardar();
    QSettings s;
    s.sync();
    // The password is in there: the settings file is the owner's alone.
    QFile::setPermissions(s.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void frmOpciones::aceptar() {
    guardar();
    accept();
}

void frmOpciones::revincular() {
    const QString origen = remoto_->text().trimmed();
    if (MsgBox(QStringLiteral(
                   "ATENCIÓN: Esta operación puede dejar sin funcionamiento el programa.\n\n"
                   "¿Cambiar origen de datos remoto a => '") +
                   origen + QStringLiteral("' ?"),
               Icono::Exclamación, Botones::SíNo) != Respuesta::Sí)
        return;
    const bool servidor = EsProveedorServidor(proveedor_->currentText().trimmed());
    if (origen.isEmpty() || (!servidor && !QFileInfo(origen).isFile())) {
        MsgBox(QStringLiteral("No existe la base de datos «%1». No se cambió nada.").arg(origen),
               Icono::Exclamación);
        return;
    }
    guardar();
    // Relinks to the saved source, or connects to the server named there.
    if (!AbrirBaseOtraVez(QStringLiteral("No se pudo abrir la base de datos con el nuevo origen.")))
        return;
    MsgBox(servidor ? QStringLiteral("Candora trabaja ahora con la base del servidor PostgreSQL.")
                    : QStringLiteral("Se revincularon todas las tablas de la base local."),
           Icono::Información);
}

void frmOpciones::limpiar() {
    if (EsProveedorServidor(proveedor_->currentText().trimmed())) {
        MsgBox(QStringLiteral("La base del servidor PostgreSQL la mantiene el propio servidor "
                              "(VACUUM automático): no hace falta limpiarla desde Candora."),
               Icono::Información);
        return;
    }
    if (MsgBox(
            QStringLiteral(
                "Esta operación requiere que ninguna terminal esté accediendo a las base de datos "
                "principal.\n\n¿ Desea continuar ?"),
            Icono::Exclamación, Botones::SíNo) != Respuesta::Sí)
        return;
    dic.reset();  // this program must not hold the file either
    const bool ok = CompactarBase(remoto_->text().trimmed(), true);
    if (!AbrirBaseOtraVez(QStringLiteral("La base se limpió, pero no se pudo volver a abrir.")))
        return;
    if (ok)
        MsgBox(QStringLiteral("La base remota ha sido limpiada. Ahora los usuarios pueden volver a "
                              "acceder al sistema."),
               Icono::Información);
    else
        MsgBox(QStringLiteral("No se pudo limpiar la base. Puede ser que algún usuario esté "
                              "accediendo al sistema. "
                              "Pruebe más tarde."),
               Icono::Exclamación);
}

// Backup.

namespace {

const QString kCarpetaRespaldos = QStringLiteral("Opciones/CarpetaRespaldos");

// The folder of the last backup made or restored (the home folder at first).
QString CarpetaRespaldos() {
    const QString c = QSettings().value(kCarpetaRespaldos).toString();
    return !c.isEmpty() && QFileInfo(c).isDir() ? c : QDir::homePath();
}

void RecordarCarpeta(const QString& archivo) {
    QSettings().setValue(kCarpetaRespaldos, QFileInfo(archivo).absolutePath());
}

// Closes every child window (each asks about its own unsaved changes) and makes
// `archivo` the store, remembered as the local file. False, with the store as it
// was, when a window stays open or the file cannot be opened.
bool AbrirRestaurada(const QString& archivo) {
    if (frmMDI* m = VentanaPrincipal())
        for (QMdiSubWindow* sub : m->área()->subWindowList())
            if (!sub->close()) {
                MsgBox(QStringLiteral("La copia restaurada no se abrió porque quedan ventanas "
                                      "abiertas. Candora sigue trabajando con la base actual."),
                       Icono::Información);
                return false;
            }
    const ConfiguraciónDatos anterior = ConfiguraciónDatos::leer();
    ConfiguraciónDatos c = anterior;
    c.Proveedor = QString::fromLatin1(kProveedorJet);
    c.OrigenLocal = archivo;
    c.OrigenRemoto.clear();  // the copy holds the whole store
    c.guardar();
    if (!AbrirBaseOtraVez(QStringLiteral("No se pudo abrir la copia restaurada."))) {
        anterior.guardar();
        AbrirBaseOtraVez(QStringLiteral("No se pudo volver a abrir la base de datos anterior."));
        return false;
    }
    return true;
}

}  // namespace

frmRespaldo::frmRespaldo(QWidget* parent)
    : QDialog(parent),
      estado_(new QLabel(QStringLiteral("Estado..."), this)),
      barra_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("frmRespaldo"));
    setWindowTitle(QStringLiteral("Copia de seguridad"));
    QVBoxLayout* l = MarcoDeDiálogo(
        *this, QStringLiteral("Desde aquí puede crear copias de respaldo de la base de "
                              "datos de Candora o restaurar los datos desde un respaldo "
                              "creado previamente."));
    auto* c = new QVBoxLayout;
    c->setContentsMargins(16, 12, 16, 12);
    auto* crear = new QPushButton(style()->standardIcon(QStyle::SP_DriveHDIcon),
                                  QStringLiteral("Crear una nueva copia"), this);
    crear->setObjectName(QStringLiteral("cmdCrear"));
    auto* restaurar = new QPushButton(style()->standardIcon(QStyle::SP_DialogOpenButton),
                                      QStringLiteral("Restaurar una copia..."), this);
    restaurar->setObjectName(QStringLiteral("cmdRestaurar"));
    auto* botones = new QHBoxLayout;
    botones->addWidget(crear);
    botones->addWidget(restaurar);
    botones->addStretch(1);
    c->addLayout(botones);
    estado_->setObjectName(QStringLiteral("Label1"));
    barra_->setRange(0, 100);
    estado_->hide();
    barra_->hide();
    c->addWidget(estado_);
    c->addWidget(barra_);
    l->addLayout(c);
    PieDeCierre(*this, *l);
    connect(crear, &QPushButton::clicked, this, &frmRespaldo::crear);
    connect(restaurar, &QPushButton::clicked, this, &frmRespaldo::restaurar);
    setMinimumWidth(520);
}

void frmRespaldo::crear() {
    const ConfiguraciónDatos c = ConfiguraciónDatos::leer();
    if (EsProveedorServidor(c.Proveedor)) {
        MsgBox(QStringLiteral(
                   "La base de datos está en un servidor PostgreSQL: su copia de seguridad se hace "
                   "con "
                   "las herramientas del propio servidor (pg_dump), o con «candora-admin respaldo "
                   "ARCHIVO.cab» en un equipo que tenga pg_dump instalado."),
               Icono::Información);
        return;
    }
    if (!EsProveedorArchivo(c.Proveedor)) {
        MsgBox(QStringLiteral("La base de datos no está en formato Microsoft Access por lo que no "
                              "puede hacerse la "
                              "copia desde Candora. Contacte a su responsable de sistemas."),
               Icono::Información);
        return;
    }
    const QString base = dic ? BaseARespaldar(*dic, c) : RutaLocalEfectiva(c.OrigenLocal);
    if (base.isEmpty() || !QFileInfo(base).isFile()) {
        MsgBox(QStringLiteral(
                   "No se puede saber dónde está la base de datos. La copia ha sido cancelada."),
               Icono::Información);
        return;
    }
    // The save dialog asks before replacing an existing file.
    const QString destino = ElegirArchivo({true, QStringLiteral("Guardar la copia como"),
                                           QDir(CarpetaRespaldos()).filePath(NombreRespaldo()),
                                           QStringLiteral("Archivos de respaldo (*.cab)")})
                                .trimmed();
    if (destino.isEmpty()) {
        MsgBox(QStringLiteral("Copia cancelada."), Icono::Información);
        return;
    }
    if (MsgBox(QStringLiteral("Confirme que desea crear una copia de seguridad en ") + destino,
               Icono::Pregunta, Botones::SíNo) != Respuesta::Sí)
        return;
    estado_->show();
    barra_->show();
    dic.reset();
    QString error;
    bool ok = false;
    {
        RelojDeArena reloj;
        ok = CrearRespaldo(base, destino, error, [this](int p) {
            estado_->setText(QStringLiteral("Procesando %1%...").arg(p));
            barra_->setValue(p);
            repaint();
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    }
    if (!ok) {
        estado_->setText(QStringLiteral("No se hizo la copia."));
        if (AbrirBaseOtraVez(
                QStringLiteral("No se hizo la copia (%1), y no se pudo volver a abrir la base "
                               "de datos.")
                    .arg(error)))
            MsgBox(error, Icono::Crítico);
        return;
    }
    if (!AbrirBaseOtraVez(
            QStringLiteral("La copia de seguridad se guardó en %1, pero no se pudo volver a "
                           "abrir la base de datos.")
                .arg(destino))) {
        estado_->setText(QStringLiteral("Copia guardada; la base no se pudo volver a abrir."));
        return;
    }
    RecordarCarpeta(destino);
    estado_->setText(QStringLiteral("Listo."));
    MsgBox(QStringLiteral("Copia de seguridad finalizada."));
    accept();
}

void frmRespaldo::restaurar() {
    const QString cabina =
        ElegirArchivo({false, QStringLiteral("Restaurar una copia"), CarpetaRespaldos(),
                       QStringLiteral("Archivos de respaldo (*.cab)")});
    if (cabina.isEmpty()) return;
    RecordarCarpeta(cabina);
    // Next to the file in use when there is one, named after the backup.
    const ConfiguraciónDatos c = ConfiguraciónDatos::leer();
    const QString enUso = EsProveedorArchivo(c.Proveedor)
                              ? (dic ? BaseARespaldar(*dic, c) : RutaLocalEfectiva(c.OrigenLocal))
                              : QString();
    const QString carpeta =
        !enUso.isEmpty() ? QFileInfo(enUso).absolutePath() : QFileInfo(cabina).absolutePath();
    const QString nombre =
        NombreArchivoSeguro(QStringLiteral("candora_") + QFileInfo(cabina).completeBaseName()) +
        QStringLiteral(".db");
    const QString destino = ElegirArchivo({true, QStringLiteral("Restaurar en un archivo nuevo"),
                                           QDir(carpeta).filePath(nombre),
                                           QStringLiteral("Bases de datos de Candora (*.db)")});
    if (destino.isEmpty()) return;
    QString error;
    bool ok;
    {
        RelojDeArena reloj;
        ok = RestaurarRespaldo(cabina, destino, error);
    }
    if (!ok) {
        MsgBox(error, Icono::Exclamación);
        return;
    }
    if (MsgBox(QStringLiteral("La copia se restauró en %1.\n\n¿Abrirla ahora? Candora cerrará "
                              "las ventanas abiertas y trabajará con la copia restaurada. La base "
                              "en uso no se modifica.")
                   .arg(destino),
               Icono::Pregunta, Botones::SíNo, {}, Respuesta::No) != Respuesta::Sí)
        return;
    if (!AbrirRestaurada(destino)) return;
    MsgBox(QStringLiteral("Candora trabaja ahora con la copia restaurada %1.").arg(destino),
           Icono::Información);
    accept();
}

void InstalarMantenimiento() {
    frmMDI::RegistrarMódulo(QStringLiteral("Importar"), [](frmMDI& m) {
        frmImportar d(&m);
        d.exec();
    });
    frmMDI::RegistrarMódulo(QStringLiteral("Respaldo"), [](frmMDI& m) {
        frmRespaldo d(&m);
        d.exec();
    });
}

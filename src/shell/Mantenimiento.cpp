#include "shell/Mantenimiento.h"

#include "controls/OpcionesEntrada.h"
#include "controls/Varios.h"
#include "controls/ceBoton.h"
#include "controls/ceCombo.h"
#include "import/frmImportar.h"
#include "shell/Fallas.h"
#include "shell/frmMDI.h"
#include "store/Archivos.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/Interaccion.h"
#include "store/Respaldo.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
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

#include <iterator>

// Options.

namespace {

// The providers this program opens, each with the line that says what it is.
struct Proveedor {
    const char* valor;
    const char* explicación;
};
constexpr Proveedor kProveedores[] = {
    {kProveedorJet, "archivo de base de datos de Candora en este equipo (SQLite)"},
    {kProveedorPostgres, "base compartida en un servidor PostgreSQL"},
};

QString TextoProveedor(const QString& valor, const char* explicación) {
    return valor + QStringLiteral(" — ") + QString::fromUtf8(explicación);
}

}  // namespace

frmOpciones::frmOpciones(QWidget* parent)
    : QDialog(parent),
      remoto_(new QLineEdit(this)),
      local_(new QLineEdit(this)),
      usuario_(new QLineEdit(this)),
      contraseña_(new QLineEdit(this)),
      ejemplo_(new QLineEdit(QStringLiteral("Ejemplo"), this)),
      proveedor_(new ceDropList(this)),
      ayudaProveedor_(new QLabel(this)),
      colorear_(
          new QCheckBox(QStringLiteral("Colorear el fondo del control de entrada activo:"), this)),
      mayúsculas_(
          new QCheckBox(QStringLiteral("Convertir el ingreso de datos a MAYÚSCULAS"), this)),
      autocompletar_(new QCheckBox(QStringLiteral("Autocompletar en cuadros de selección"), this)),
      muestra_(new QFrame(this)) {
    setObjectName(QStringLiteral("frmOpciones"));
    setWindowTitle(QStringLiteral("Opciones"));
    QVBoxLayout* l = MarcoDeDiálogo(
        *this, QStringLiteral("Origen de los datos de Candora, mantenimiento de la base y "
                              "opciones del ingreso de datos."));
    auto* f = new QFormLayout;
    f->setContentsMargins(16, 8, 16, 8);
    remoto_->setObjectName(QStringLiteral("txtOrigenRemoto"));
    proveedor_->setObjectName(QStringLiteral("txtProveedor"));
    for (const Proveedor& p : kProveedores) {
        const QString valor = QString::fromLatin1(p.valor);
        proveedor_->addItem(TextoProveedor(valor, p.explicación), valor);
    }
    ayudaProveedor_->setObjectName(QStringLiteral("lblProveedor"));
    ayudaProveedor_->setWordWrap(true);
    local_->setObjectName(QStringLiteral("txtOrigenLocal"));
    usuario_->setObjectName(QStringLiteral("txtUsuario"));
    contraseña_->setObjectName(QStringLiteral("txtContraseña"));
    contraseña_->setEchoMode(QLineEdit::Password);
    for (QLineEdit* e : {remoto_, local_}) e->setMinimumWidth(380);
    f->addRow(QStringLiteral("&Proveedor:"), proveedor_);
    f->addRow(QString(), ayudaProveedor_);
    f->addRow(QStringLiteral("Origen &remoto:"), remoto_);
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

    // Data entry: the sample is a bit of file card, its field in the active-field colour.
    auto* ingreso = new QGroupBox(QStringLiteral("Ingreso de datos"), this);
    auto* g = new QGridLayout(ingreso);
    colorear_->setObjectName(QStringLiteral("chkColorear"));
    auto* botónColor = new QPushButton(QStringLiteral("< Cambiar..."), ingreso);
    botónColor->setObjectName(QStringLiteral("cmdCambiarColor"));
    auto* botónFondo = new QPushButton(QStringLiteral("Fondo de la &ficha..."), ingreso);
    botónFondo->setObjectName(QStringLiteral("cmdCambiarFondo"));
    for (QPushButton* b : {botónColor, botónFondo}) b->setAutoDefault(false);
    muestra_->setObjectName(QStringLiteral("picFichas"));
    muestra_->setFrameShape(QFrame::StyledPanel);
    muestra_->setAutoFillBackground(true);
    auto* m = new QHBoxLayout(muestra_);
    m->setContentsMargins(10, 8, 10, 8);
    ejemplo_->setObjectName(QStringLiteral("txtEjemplo"));
    ejemplo_->setReadOnly(true);
    ejemplo_->setFocusPolicy(Qt::NoFocus);
    ejemplo_->setMaximumWidth(120);
    m->addWidget(ejemplo_);
    mayúsculas_->setObjectName(QStringLiteral("chkMayúsculas"));
    autocompletar_->setObjectName(QStringLiteral("chkAutocompletar"));
    g->addWidget(colorear_, 0, 0);
    g->addWidget(botónColor, 0, 1);
    g->addWidget(muestra_, 0, 2, 2, 1);
    g->addWidget(botónFondo, 1, 1);
    g->addWidget(mayúsculas_, 2, 0, 1, 3);
    g->addWidget(autocompletar_, 3, 0, 1, 3);
    g->setColumnStretch(3, 1);
    auto* marco = new QHBoxLayout;
    marco->setContentsMargins(16, 0, 16, 8);
    marco->addWidget(ingreso);
    l->addLayout(marco);

    // The keyboard goes through the fields as they are shown.
    QWidget* orden[] = {proveedor_, remoto_, local_, usuario_, contraseña_};
    for (size_t i = 1; i < std::size(orden); ++i) setTabOrder(orden[i - 1], orden[i]);
    proveedor_->setFocus();

    connect(revincular, &QPushButton::clicked, this, &frmOpciones::revincular);
    connect(limpiar, &QPushButton::clicked, this, &frmOpciones::limpiar);
    connect(botónColor, &QPushButton::clicked, this, [this] { cambiarColor(true); });
    connect(botónFondo, &QPushButton::clicked, this, [this] { cambiarColor(false); });
    connect(colorear_, &QCheckBox::toggled, this, &frmOpciones::mostrarEjemplo);
    connect(proveedor_, &QComboBox::currentIndexChanged, this, &frmOpciones::mostrarProveedor);
    connect(PieDeDiálogo(*this, *l), &ceBoton::Click, this, &frmOpciones::aceptar);

    // A provider never stored shows the one start-up uses; one stored that this
    // program cannot open is shown as such, to be replaced.
    const ConfiguraciónDatos c = ConfiguraciónDatos::leer();
    remoto_->setText(c.OrigenRemoto);
    int i = -1;
    for (int k = 0; k < proveedor_->count(); ++k)
        if (proveedor_->itemData(k).toString().compare(c.Proveedor.trimmed(),
                                                       Qt::CaseInsensitive) == 0)
            i = k;
    if (i < 0) {
        proveedor_->addItem(
            TextoProveedor(c.Proveedor.trimmed().isEmpty() ? QStringLiteral("(ninguno)")
                                                           : c.Proveedor.trimmed(),
                           "Candora no puede abrir este proveedor"),
            c.Proveedor.trimmed());
        i = proveedor_->count() - 1;
    }
    proveedor_->setCurrentIndex(i);
    mostrarProveedor();
    local_->setText(c.OrigenLocal);
    usuario_->setText(c.Usuario);
    contraseña_->setText(c.Contraseña);

    const OpcionesEntrada o = OpcionesEntrada::leer();
    colorear_->setChecked(o.colorear);
    mayúsculas_->setChecked(o.mayúsculas);
    autocompletar_->setChecked(o.autocompletar);
    colorActivo_ = o.colorActivo;
    fondoFicha_ = o.fondoFicha;
    mostrarEjemplo();
}

QString frmOpciones::proveedor() const {
    return proveedor_->currentData().toString();
}

void frmOpciones::mostrarProveedor() {
    const QString p = proveedor();
    if (EsProveedorServidor(p))
        ayudaProveedor_->setText(QStringLiteral(
            "Origen remoto: la conexión al servidor (host=… port=… dbname=…). Usuario y "
            "Contraseña se usan para conectarse."));
    else if (EsProveedorArchivo(p))
        ayudaProveedor_->setText(
            QStringLiteral("Origen local: el archivo de este equipo (vacío: el predeterminado). "
                           "Origen remoto: el archivo compartido al que se vinculan sus tablas."));
    else
        ayudaProveedor_->setText(QStringLiteral("Elija uno de los proveedores de la lista."));
}

void frmOpciones::mostrarEjemplo() {
    QPalette fondo = muestra_->palette();
    fondo.setColor(QPalette::Window, fondoFicha_);
    muestra_->setPalette(fondo);
    QPalette campo = ejemplo_->palette();
    campo.setColor(QPalette::Base,
                   colorear_->isChecked() ? colorActivo_ : palette().color(QPalette::Base));
    ejemplo_->setPalette(campo);
}

void frmOpciones::setColorActivo(const QColor& c) {
    colorActivo_ = c;
    mostrarEjemplo();
}

void frmOpciones::setFondoFicha(const QColor& c) {
    fondoFicha_ = c;
    mostrarEjemplo();
}

void frmOpciones::cambiarColor(bool activo) {
    const QColor c =
        QColorDialog::getColor(activo ? colorActivo_ : fondoFicha_, this,
                               activo ? QStringLiteral("Color del control de entrada activo")
                                      : QStringLiteral("Color de fondo de la ficha"));
    if (!c.isValid()) return;  // cancelled
    if (activo) {
        setColorActivo(c);
        colorear_->setChecked(true);  // choosing a colour means wanting it
    } else {
        setFondoFicha(c);
    }
}

QString frmOpciones::motivoRechazo() const {
    const QString p = proveedor();
    if (!EsProveedorArchivo(p) && !EsProveedorServidor(p))
        return QStringLiteral(
                   "Candora no puede abrir el proveedor «%1»: trabaja con «%2» (el archivo de base "
                   "de datos de este equipo) o con «%3» (un servidor PostgreSQL).\n\nElija uno de "
                   "ellos en «Proveedor», o pulse Cancelar para dejar las opciones como estaban.")
            .arg(p.isEmpty() ? QStringLiteral("(ninguno)") : p, QString::fromLatin1(kProveedorJet),
                 QString::fromLatin1(kProveedorPostgres));
    if (EsProveedorServidor(p) && remoto_->text().trimmed().isEmpty())
        return QStringLiteral(
                   "Para trabajar con un servidor PostgreSQL escriba en «Origen remoto» la "
                   "conexión "
                   "al servidor (host=… port=… dbname=…).\n\nPara trabajar con el archivo de este "
                   "equipo elija «%1» en «Proveedor».")
            .arg(QString::fromLatin1(kProveedorJet));
    const QString local = local_->text().trimmed();
    if (EsProveedorArchivo(p) && !local.isEmpty() && !QFileInfo(local).isFile())
        return QStringLiteral(
                   "No existe el archivo «%1» indicado en «Origen local».\n\nEscriba la ruta de "
                   "una base de datos de Candora, o deje «Origen local» vacío para usar la base "
                   "predeterminada de este equipo.")
            .arg(local);
    return {};
}

void frmOpciones::guardar() {
    ConfiguraciónDatos c;
    c.OrigenRemoto = remoto_->text().trimmed();
    c.Proveedor = proveedor();  // as the list spells it: start-up compares it exactly
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
    if (const QString motivo = motivoRechazo(); !motivo.isEmpty()) {
        MsgBox(motivo, Icono::Exclamación);
        return;
    }
    OpcionesEntrada o;
    o.colorear = colorear_->isChecked();
    o.colorActivo = colorActivo_;
    o.fondoFicha = fondoFicha_;
    o.mayúsculas = mayúsculas_->isChecked();
    o.autocompletar = autocompletar_->isChecked();
    o.aplicar();
    guardar();
    accept();
}

void frmOpciones::revincular() {
    if (const QString motivo = motivoRechazo(); !motivo.isEmpty()) {
        MsgBox(motivo, Icono::Exclamación);
        return;
    }
    const QString origen = remoto_->text().trimmed();
    if (MsgBox(QStringLiteral(
                   "ATENCIÓN: Esta operación puede dejar sin funcionamiento el programa.\n\n"
                   "¿Cambiar el origen de datos remoto a «") +
                   origen + QStringLiteral("»?"),
               Icono::Exclamación, Botones::SíNo) != Respuesta::Sí)
        return;
    const bool servidor = EsProveedorServidor(proveedor());
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
    if (EsProveedorServidor(proveedor())) {
        MsgBox(QStringLiteral("La base del servidor PostgreSQL la mantiene el propio servidor "
                              "(VACUUM automático): no hace falta limpiarla desde Candora."),
               Icono::Información);
        return;
    }
    if (MsgBox(
            QStringLiteral(
                "Esta operación requiere que ninguna terminal esté accediendo a la base de datos "
                "principal.\n\n¿Desea continuar?"),
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

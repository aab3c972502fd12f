#include "shell/Ventanas.h"

#include "shell/Iconos.h"
#include "store/Cadenas.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/Interaccion.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

void Pintar(QWidget& w) {
    w.repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

frmIntro::frmIntro(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmIntro"));
    setWindowTitle(QString::fromUtf8(kTítuloPrograma));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(24, 24, 24, 20);
    l->setSpacing(24);
    auto* imagen = new QLabel(this);
    imagen->setObjectName(QStringLiteral("imgLogo"));
    imagen->setPixmap(IconoCandora().pixmap(128, 128));
    imagen->setAlignment(Qt::AlignTop);
    l->addWidget(imagen);

    auto* c = new QVBoxLayout;
    auto* título = new QLabel(QString::fromUtf8(kTítuloPrograma), this);
    QFont f = título->font();
    f.setPointSizeF(f.pointSizeF() * 2.2);
    f.setBold(true);
    título->setFont(f);
    auto* bienvenida = new QLabel(CadenaRecurso(301), this);
    bienvenida->setObjectName(QStringLiteral("lblBienvenida"));
    QFont fb = bienvenida->font();
    fb.setPointSizeF(fb.pointSizeF() * 1.3);
    bienvenida->setFont(fb);
    auto* aviso = new QLabel(CadenaRecurso(302), this);
    aviso->setObjectName(QStringLiteral("lblAviso"));
    aviso->setWordWrap(true);
    aviso->setForegroundRole(QPalette::PlaceholderText);
    auto* versión = new QLabel(
        QStringLiteral("v%1.%2").arg(CANDORA_VERSION_MAYOR).arg(CANDORA_VERSION_MENOR), this);
    versión->setObjectName(QStringLiteral("lblVersion"));
    auto* comenzar = new QPushButton(CadenaRecurso(304), this);
    comenzar->setObjectName(QStringLiteral("cmdComenzar"));
    comenzar->setDefault(true);
    connect(comenzar, &QPushButton::clicked, this, &QDialog::accept);
    c->addWidget(título);
    c->addWidget(bienvenida);
    c->addSpacing(8);
    c->addWidget(aviso);
    c->addStretch(1);
    auto* pie = new QHBoxLayout;
    pie->addWidget(versión);
    pie->addStretch(1);
    pie->addWidget(comenzar);
    c->addLayout(pie);
    l->addLayout(c, 1);
    setFixedSize(560, 260);
}

frmAcercaDe::frmAcercaDe(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAcercaDe"));
    setWindowTitle(QStringLiteral("Acerca de Candora"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(24, 24, 24, 20);
    l->setSpacing(24);
    auto* imagen = new QLabel(this);
    imagen->setPixmap(IconoCandora().pixmap(96, 96));
    imagen->setAlignment(Qt::AlignTop);
    l->addWidget(imagen);

    auto* c = new QVBoxLayout;
    const auto rótulo = [&](const char* nombre, const QString& texto) {
        auto* r = new QLabel(texto, this);
        r->setObjectName(QString::fromUtf8(nombre));
        r->setWordWrap(true);
        r->setTextInteractionFlags(Qt::TextSelectableByMouse);
        c->addWidget(r);
        return r;
    };
    QLabel* programa = rótulo("lblPrograma", QString::fromUtf8(kTítuloPrograma));
    QFont f = programa->font();
    f.setPointSizeF(f.pointSizeF() * 1.8);
    f.setBold(true);
    programa->setFont(f);
    rótulo("lblDescripcion", QStringLiteral("Administrador de currículums"));
    rótulo("lblVersion", QStringLiteral("Versión %1.%2 (Qt %3)")
                             .arg(CANDORA_VERSION_MAYOR)
                             .arg(CANDORA_VERSION_MENOR)
                             .arg(QString::fromLatin1(qVersion())));
    c->addSpacing(8);
    rótulo("lblLicencia", CadenaRecurso(302))->setForegroundRole(QPalette::PlaceholderText);
    c->addSpacing(8);
    rótulo("lblBase", BaseEnUso());
    c->addStretch(1);
    auto* pie = new QHBoxLayout;
    pie->addStretch(1);
    auto* cerrar = new QPushButton(QStringLiteral("&Cerrar"), this);
    cerrar->setObjectName(QStringLiteral("cmdCerrar"));
    cerrar->setDefault(true);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::accept);
    pie->addWidget(cerrar);
    c->addLayout(pie);
    l->addLayout(c, 1);
    setMinimumWidth(560);
}

QString frmAcercaDe::BaseEnUso() {
    if (!dic) return QStringLiteral("Base de datos: ninguna abierta en este momento.");
    if (dic->enServidor()) {
        // libpq's "clave=valor" text; only what names the place, never the password.
        const ConfiguraciónDatos c = ConfiguraciónDatos::leer();
        QHash<QString, QString> v;
        for (const QString& par : c.OrigenRemoto.split(u' ', Qt::SkipEmptyParts)) {
            const qsizetype igual = par.indexOf(u'=');
            if (igual > 0) v.insert(par.left(igual).trimmed().toLower(), par.mid(igual + 1));
        }
        QString t = QStringLiteral("Base de datos: servidor PostgreSQL\nBase «%1» en %2")
                        .arg(v.value(QStringLiteral("dbname")),
                             v.value(QStringLiteral("host"), QStringLiteral("localhost")));
        if (v.contains(QStringLiteral("port")))
            t += QStringLiteral(", puerto ") + v.value(QStringLiteral("port"));
        const QString usuario = c.Usuario.isEmpty() ? v.value(QStringLiteral("user")) : c.Usuario;
        if (!usuario.isEmpty()) t += QStringLiteral(", usuario ") + usuario;
        return t;
    }
    QString t = QStringLiteral("Base de datos: archivo SQLite\n") +
                QDir::toNativeSeparators(dic->rutaLocal());
    for (const QString& compartida : dic->archivosVinculados())
        t += QStringLiteral("\nTablas compartidas en ") + QDir::toNativeSeparators(compartida);
    return t;
}

frmAyudaRapida::frmAyudaRapida(QWidget* parent)
    : QDialog(parent), web_(new QTextBrowser(this)), anular_(new QCheckBox(this)) {
    setObjectName(QStringLiteral("frmAyudaRápida"));
    setWindowTitle(QStringLiteral("Ayuda rápida"));
    web_->setObjectName(QStringLiteral("WebBrowser1"));
    web_->setOpenExternalLinks(true);
    anular_->setObjectName(QStringLiteral("chkAnular"));
    anular_->setText(QStringLiteral("Ya no quiero ver esta ayuda al iniciar el programa."));
    auto* cerrar = new QPushButton(QStringLiteral("&Cerrar"), this);
    cerrar->setObjectName(QStringLiteral("cmdCerrar"));
    cerrar->setDefault(true);
    connect(cerrar, &QPushButton::clicked, this, [this] {
        QSettings().setValue(QStringLiteral("Opciones/AyudaRápidaVer"),
                             anular_->isChecked() ? QStringLiteral("0") : QStringLiteral("1"));
        accept();
    });
    auto* l = new QVBoxLayout(this);
    l->addWidget(web_, 1);
    auto* pie = new QHBoxLayout;
    pie->addWidget(anular_);
    pie->addStretch(1);
    pie->addWidget(cerrar);
    l->addLayout(pie);
    resize(720, 560);
}

QString frmAyudaRapida::Página() {
    const QVariant v = QSettings().value(QStringLiteral("Opciones/AyudaRápidaArchivo"));
    if (!v.isValid()) return QStringLiteral(":/ayuda/ayuda.htm");
    const QString ruta = v.toString().trimmed();
    return !ruta.isEmpty() && QFileInfo(ruta).isFile() ? ruta : QString();
}

bool frmAyudaRapida::cargar() {
    const QString página = Página();
    if (página.isEmpty()) return false;
    web_->setSource(página.startsWith(u':') ? QUrl(QStringLiteral("qrc") + página)
                                            : QUrl::fromLocalFile(página));
    anular_->setChecked(false);
    exec();
    return true;
}

frmEspera::frmEspera(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), texto_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmEspera"));
    setWindowModality(Qt::NonModal);
    auto* marco = new QFrame(this);
    marco->setFrameShape(QFrame::StyledPanel);
    auto* exterior = new QVBoxLayout(this);
    exterior->setContentsMargins(0, 0, 0, 0);
    exterior->addWidget(marco);
    auto* l = new QHBoxLayout(marco);
    l->setContentsMargins(20, 16, 24, 16);
    l->setSpacing(16);
    auto* imagen = new QLabel(marco);
    imagen->setObjectName(QStringLiteral("Image1"));
    imagen->setPixmap(IconoDe(QStringLiteral("espera")).pixmap(32, 32));
    texto_->setParent(marco);
    texto_->setObjectName(QStringLiteral("Label1"));
    texto_->setText(CadenaRecurso(65));
    l->addWidget(imagen);
    l->addWidget(texto_, 1);
    setMinimumWidth(texto_->sizeHint().width() + 120);
}

void frmEspera::setTexto(const QString& t) {
    texto_->setText(t);
}

Espera::Espera(const QString& texto) : ventana_(new frmEspera(QApplication::activeWindow())) {
    interaccion().ocupado(true);
    if (!texto.isEmpty()) ventana_->setTexto(texto);
    ventana_->adjustSize();
    if (QWidget* p = ventana_->parentWidget())
        ventana_->move(p->geometry().center() - ventana_->rect().center());
    ventana_->show();
    Pintar(*ventana_);
}

void Espera::texto(const QString& t) {
    ventana_->setTexto(t);
    Pintar(*ventana_);
}

Espera::~Espera() {
    ventana_->close();
    delete ventana_;
    interaccion().ocupado(false);
}

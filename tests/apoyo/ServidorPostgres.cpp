#include "ServidorPostgres.h"

#include "store/ErrorAlmacen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

namespace {

// The newest installed server's programs.
QString CarpetaProgramas() {
    QDir raíz(QStringLiteral("/usr/lib/postgresql"));
    QStringList versiones = raíz.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versiones.begin(), versiones.end(),
              [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    for (const QString& v : versiones)
        if (QFileInfo(raíz.filePath(v + QStringLiteral("/bin/initdb"))).isExecutable())
            return raíz.filePath(v + QStringLiteral("/bin"));
    return {};
}

// Runs one of the server's programs; false with `error` set when it fails.
bool Correr(const QString& bin, const QString& programa, const QStringList& argumentos,
            QString& error, QString* salida = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    QStringList args = argumentos;
    QString ejecutable = QDir(bin).filePath(programa);
    if (geteuid() == 0) {  // PostgreSQL refuses to run as root
        args.prepend(ejecutable);
        args.prepend(QStringLiteral("--"));
        args.prepend(QStringLiteral("nobody"));
        args.prepend(QStringLiteral("-u"));
        ejecutable = QStringLiteral("runuser");
    }
    p.start(ejecutable, args);
    const bool terminó = p.waitForFinished(60000);
    const QString texto = QString::fromLocal8Bit(p.readAll());
    if (salida) *salida = texto;
    if (!terminó || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error = QStringLiteral("%1 falló: %2")
                    .arg(programa, texto.trimmed().isEmpty() ? p.errorString() : texto.trimmed());
        return false;
    }
    return true;
}

}  // namespace

bool ServidorPostgres::correr(const QString& programa, const QStringList& argumentos,
                              QString* salida) {
    return Correr(bin_, programa, argumentos, error_, salida);
}

ServidorPostgres::ServidorPostgres() : temporal_(std::make_unique<QTemporaryDir>()) {
    if (!temporal_->isValid()) {
        error_ = QStringLiteral("No se pudo crear la carpeta temporal del servidor.");
        return;
    }
    carpeta_ = temporal_->path();
    detenerAlFinal_ = true;
    iniciar();
}

ServidorPostgres::ServidorPostgres(const QString& carpeta) : carpeta_(carpeta) {
    Detener(carpeta_);  // whatever an interrupted run left behind
    if (!QDir().mkpath(carpeta_)) {
        error_ = QStringLiteral("No se pudo crear la carpeta del servidor «%1».").arg(carpeta_);
        return;
    }
    iniciar();
}

void ServidorPostgres::iniciar() {
    bin_ = CarpetaProgramas();
    if (bin_.isEmpty()) {
        error_ = QStringLiteral(
            "No está instalado el servidor PostgreSQL (/usr/lib/postgresql/*/bin/initdb): "
            "scripts/setup lo instala.");
        return;
    }
    if (geteuid() == 0) {
        const passwd* nadie = getpwnam("nobody");
        if (!nadie ||
            chown(QFile::encodeName(carpeta_).constData(), nadie->pw_uid, nadie->pw_gid) != 0) {
            error_ =
                QStringLiteral("No se pudo entregar la carpeta del servidor al usuario nobody.");
            return;
        }
    }
    puerto_ = 50000 + int(QCoreApplication::applicationPid() % 10000);
    const QString datos = QDir(carpeta_).filePath(QStringLiteral("datos"));
    if (!correr(QStringLiteral("initdb"),
                {QStringLiteral("-D"), datos, QStringLiteral("-A"), QStringLiteral("trust"),
                 QStringLiteral("-U"), usuario(), QStringLiteral("-E"), QStringLiteral("UTF8"),
                 QStringLiteral("--locale=C.UTF-8")}))
        return;
    ok_ = reanudar();
}

bool ServidorPostgres::reanudar() {
    const QString opciones =
        QStringLiteral("-k %1 -p %2 -c listen_addresses='' -c fsync=off -c max_connections=200")
            .arg(carpeta_)
            .arg(puerto_);
    return correr(QStringLiteral("pg_ctl"),
                  {QStringLiteral("-D"), QDir(carpeta_).filePath(QStringLiteral("datos")),
                   QStringLiteral("-o"), opciones, QStringLiteral("-l"),
                   QDir(carpeta_).filePath(QStringLiteral("registro.txt")), QStringLiteral("-w"),
                   QStringLiteral("start")});
}

bool ServidorPostgres::parar() {
    return correr(QStringLiteral("pg_ctl"),
                  {QStringLiteral("-D"), QDir(carpeta_).filePath(QStringLiteral("datos")),
                   QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"),
                   QStringLiteral("stop")});
}

QString ServidorPostgres::conexión(const QString& base) const {
    const QString servidor =
        QStringLiteral("host=%1 port=%2 user=%3").arg(carpeta_).arg(puerto_).arg(usuario());
    return base.isEmpty() ? servidor : servidor + QStringLiteral(" dbname=") + base;
}

void ServidorPostgres::Detener(const QString& carpeta) {
    const QString datos = QDir(carpeta).filePath(QStringLiteral("datos"));
    if (QFileInfo::exists(QDir(datos).filePath(QStringLiteral("postmaster.pid")))) {
        QString error;
        Correr(CarpetaProgramas(), QStringLiteral("pg_ctl"),
               {QStringLiteral("-D"), datos, QStringLiteral("-m"), QStringLiteral("fast"),
                QStringLiteral("-w"), QStringLiteral("stop")},
               error);
    }
    QDir(carpeta).removeRecursively();
}

ServidorPostgres::~ServidorPostgres() {
    if (ok_ && detenerAlFinal_)
        correr(QStringLiteral("pg_ctl"),
               {QStringLiteral("-D"), QDir(carpeta_).filePath(QStringLiteral("datos")),
                QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
                QStringLiteral("stop")});
}

QSqlDatabase ConectarPostgres(const QString& conexión, const QString& nombre) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nombre);
    static const QRegularExpression par(QStringLiteral("(\\w+)\\s*=\\s*('([^']*)'|\\S+)"));
    for (auto it = par.globalMatch(conexión); it.hasNext();) {
        const auto m = it.next();
        const QString clave = m.captured(1).toLower();
        const QString valor = m.captured(3).isNull() ? m.captured(2) : m.captured(3);
        if (clave == QLatin1String("host"))
            db.setHostName(valor);
        else if (clave == QLatin1String("port"))
            db.setPort(valor.toInt());
        else if (clave == QLatin1String("dbname"))
            db.setDatabaseName(valor);
        else if (clave == QLatin1String("user"))
            db.setUserName(valor);
    }
    if (!db.open()) {
        const QString error = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(nombre);
        throw ErrorAlmacen(QStringLiteral("No se pudo conectar con el servidor PostgreSQL."),
                           error);
    }
    return db;
}

QString EnServidor(const QString& conexión, const QStringList& sentencias) {
    static int n = 0;
    const QString nombre = QStringLiteral("en_servidor_%1").arg(++n);
    QString error;
    try {
        QSqlDatabase db = ConectarPostgres(conexión, nombre);
        QSqlQuery q(db);
        for (const QString& s : sentencias)
            if (!q.exec(s)) {
                error = q.lastError().text();
                break;
            }
    } catch (const ErrorAlmacen& e) {
        error = e.textoUsuario();
    }
    QSqlDatabase::removeDatabase(nombre);
    return error;
}

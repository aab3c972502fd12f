#include "ServidorPostgres.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

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

}  // namespace

bool ServidorPostgres::correr(const QString& programa, const QStringList& argumentos,
                              QString* salida) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    QStringList args = argumentos;
    QString ejecutable = QDir(bin_).filePath(programa);
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
        error_ = QStringLiteral("%1 falló: %2")
                     .arg(programa, texto.trimmed().isEmpty() ? p.errorString() : texto.trimmed());
        return false;
    }
    return true;
}

ServidorPostgres::ServidorPostgres() {
    bin_ = CarpetaProgramas();
    if (bin_.isEmpty()) {
        error_ = QStringLiteral(
            "No está instalado el servidor PostgreSQL (/usr/lib/postgresql/*/bin/initdb): "
            "scripts/setup lo instala.");
        return;
    }
    if (!carpeta_.isValid()) {
        error_ = QStringLiteral("No se pudo crear la carpeta temporal del servidor.");
        return;
    }
    if (geteuid() == 0) {
        const passwd* nadie = getpwnam("nobody");
        if (!nadie || chown(QFile::encodeName(carpeta_.path()).constData(), nadie->pw_uid,
                            nadie->pw_gid) != 0) {
            error_ =
                QStringLiteral("No se pudo entregar la carpeta del servidor al usuario nobody.");
            return;
        }
    }
    puerto_ = 50000 + int(QCoreApplication::applicationPid() % 10000);
    const QString datos = QDir(carpeta_.path()).filePath(QStringLiteral("datos"));
    if (!correr(QStringLiteral("initdb"),
                {QStringLiteral("-D"), datos, QStringLiteral("-A"), QStringLiteral("trust"),
                 QStringLiteral("-U"), usuario(), QStringLiteral("-E"), QStringLiteral("UTF8"),
                 QStringLiteral("--locale=C.UTF-8")}))
        return;
    const QString opciones = QStringLiteral("-k %1 -p %2 -c listen_addresses='' -c fsync=off")
                                 .arg(carpeta_.path())
                                 .arg(puerto_);
    if (!correr(QStringLiteral("pg_ctl"),
                {QStringLiteral("-D"), datos, QStringLiteral("-o"), opciones, QStringLiteral("-l"),
                 QDir(carpeta_.path()).filePath(QStringLiteral("registro.txt")),
                 QStringLiteral("-w"), QStringLiteral("start")}))
        return;
    ok_ = true;
}

ServidorPostgres::~ServidorPostgres() {
    if (ok_)
        correr(QStringLiteral("pg_ctl"),
               {QStringLiteral("-D"), QDir(carpeta_.path()).filePath(QStringLiteral("datos")),
                QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
                QStringLiteral("stop")});
}

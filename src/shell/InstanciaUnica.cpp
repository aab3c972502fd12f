#include "shell/InstanciaUnica.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace {

QString Carpeta() {
    QString c = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (c.isEmpty()) c = QDir::tempPath();
    return c;
}

}  // namespace

InstanciaUnica::InstanciaUnica(const QString& nombre, QObject* parent) : QObject(parent) {
    const QString base = nombre + u'-' + qEnvironmentVariable("USER", QStringLiteral("usuario"));
    const QString socket = QDir(Carpeta()).filePath(base + QStringLiteral(".sock"));
    cerrojo_ =
        std::make_unique<QLockFile>(QDir(Carpeta()).filePath(base + QStringLiteral(".lock")));
    // Held for the whole run: never stale by age; a dead holder is still detected.
    cerrojo_->setStaleLockTime(0);
    if (!cerrojo_->tryLock(200)) {
        QLocalSocket s;
        s.connectToServer(socket);
        if (s.waitForConnected(2000)) {
            s.write("mostrar\n");
            s.waitForBytesWritten(2000);
            s.disconnectFromServer();
        }
        return;
    }
    primera_ = true;
    QLocalServer::removeServer(socket);  // left behind by a crash
    servidor_ = new QLocalServer(this);
    servidor_->setSocketOptions(QLocalServer::UserAccessOption);
    servidor_->listen(socket);
    connect(servidor_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = servidor_->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            emit despertada();
        }
    });
}

InstanciaUnica::~InstanciaUnica() = default;

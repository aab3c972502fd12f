#include "shell/InstanciaUnica.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

namespace {

QString Carpeta() {
    QString c = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (c.isEmpty()) c = QDir::tempPath();
    return c;
}

}  // namespace

InstanciaUnica::InstanciaUnica(const QString& nombre, const QStringList& argumentos,
                               QObject* parent)
    : QObject(parent) {
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
            QByteArray datos;
            QDataStream salida(&datos, QIODevice::WriteOnly);
            salida << argumentos;
            s.write(datos);
            avisada_ = s.waitForBytesWritten(2000) || s.bytesToWrite() == 0;
            s.disconnectFromServer();
            if (s.state() != QLocalSocket::UnconnectedState) s.waitForDisconnected(2000);
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
            // The command line may come in pieces; a caller that sends none still wakes us.
            auto leído = std::make_shared<bool>(false);
            const auto leer = [this, s, leído](bool fin) {
                if (*leído) return;
                QDataStream entrada(s);
                entrada.startTransaction();
                QStringList argumentos;
                entrada >> argumentos;
                if (!entrada.commitTransaction()) {
                    if (!fin) return;
                    argumentos.clear();
                }
                *leído = true;
                // Told from the event loop: what it starts may run its own loops.
                QMetaObject::invokeMethod(
                    this, [this, argumentos] { emit despertada(argumentos); },
                    Qt::QueuedConnection);
            };
            connect(s, &QLocalSocket::readyRead, this, [leer] { leer(false); });
            connect(s, &QLocalSocket::disconnected, this, [s, leer] {
                leer(true);
                s->deleteLater();
            });
            // What arrived, or ended, before the connections were made.
            if (s->bytesAvailable() > 0) leer(false);
            if (s->state() == QLocalSocket::UnconnectedState) {
                leer(true);
                s->deleteLater();
            }
        }
    });
}

InstanciaUnica::~InstanciaUnica() = default;

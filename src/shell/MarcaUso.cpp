#include "shell/MarcaUso.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

MarcaUso::MarcaUso(const QString& carpeta) {
    const QString c = carpeta.isEmpty()
                          ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                          : carpeta;
    QDir().mkpath(c);
    ruta_ = QDir(c).filePath(QStringLiteral("candora-en-uso"));
    anormal_ = QFile::exists(ruta_);
    QFile f(ruta_);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n');
}

MarcaUso::~MarcaUso() {
    QFile::remove(ruta_);
}

QString MarcaUso::Aviso() {
    return QStringLiteral(
        "La última vez que se usó, Candora se cerró de forma inesperada (un corte de luz, un "
        "equipo que se apagó o un error del programa).\n\nRevise la última ficha en la que estaba "
        "trabajando: los cambios que no llegó a guardar no se conservaron.");
}

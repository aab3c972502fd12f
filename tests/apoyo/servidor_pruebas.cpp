// Starts the PostgreSQL server a whole test run shares, with the delivered
// template database, or stops it again:
//   servidor_pruebas iniciar CARPETA | detener CARPETA
#include "Almacen.h"
#include "ServidorPostgres.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

void Escribir(const QString& carpeta, const char* archivo, const QString& texto) {
    QFile f(QDir(carpeta).filePath(QString::fromLatin1(archivo)));
    if (f.open(QIODevice::WriteOnly)) f.write(texto.toUtf8());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 3 || (a[1] != QLatin1String("iniciar") && a[1] != QLatin1String("detener"))) {
        std::fputs("Uso: servidor_pruebas iniciar|detener CARPETA\n", stderr);
        return 2;
    }
    const QString carpeta = a[2];
    if (a[1] == QLatin1String("detener")) {
        ServidorPostgres::Detener(carpeta);
        return 0;
    }
    ServidorPostgres servidor(carpeta);
    QString error = servidor.ok() ? CrearPlantillaServidor(servidor) : servidor.error();
    if (!error.isEmpty()) {
        QDir().mkpath(carpeta);
        Escribir(carpeta, kArchivoError, error);
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 1;
    }
    const QString conexión = servidor.conexión(QString());
    Escribir(carpeta, kArchivoConexión, conexión);
    std::printf("Servidor de pruebas listo: %s\n", conexión.toUtf8().constData());
    return 0;
}

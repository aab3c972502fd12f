#pragma once

#include <QString>
#include <QTemporaryDir>

// A throwaway PostgreSQL server for one test run: a fresh cluster in a
// temporary folder, listening only on a socket in that folder, stopped and
// removed with the object. Under root the server runs as "nobody".
class ServidorPostgres {
  public:
    ServidorPostgres();
    ~ServidorPostgres();
    ServidorPostgres(const ServidorPostgres&) = delete;
    ServidorPostgres& operator=(const ServidorPostgres&) = delete;

    bool ok() const { return ok_; }
    // Why the server could not be started.
    const QString& error() const { return error_; }
    QString carpetaSocket() const { return carpeta_.path(); }
    int puerto() const { return puerto_; }
    static QString usuario() { return QStringLiteral("candora"); }

  private:
    bool correr(const QString& programa, const QStringList& argumentos, QString* salida = nullptr);
    QTemporaryDir carpeta_;
    QString bin_;
    int puerto_ = 0;
    bool ok_ = false;
    QString error_;
};

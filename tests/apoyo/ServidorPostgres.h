#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryDir;

// A throwaway PostgreSQL server for tests: a fresh cluster in a folder of its
// own, listening only on a socket in that folder. Under root the server runs
// as "nobody".
class ServidorPostgres {
  public:
    // A server in a temporary folder, stopped and removed with the object.
    ServidorPostgres();
    // A server in `carpeta` (emptied first) that outlives the object; Detener stops it.
    explicit ServidorPostgres(const QString& carpeta);
    ~ServidorPostgres();
    ServidorPostgres(const ServidorPostgres&) = delete;
    ServidorPostgres& operator=(const ServidorPostgres&) = delete;

    // Stops a server left running in `carpeta` and removes the folder.
    static void Detener(const QString& carpeta);

    bool ok() const { return ok_; }
    // Why the server could not be started.
    const QString& error() const { return error_; }
    QString carpetaSocket() const { return carpeta_; }
    int puerto() const { return puerto_; }
    static QString usuario() { return QStringLiteral("candora"); }
    // Stops the server at once, as a crash would, and starts it again with its data.
    bool parar();
    bool reanudar();
    // The connection text of one of its databases (of the server alone when `base` is empty).
    QString conexión(const QString& base) const;

  private:
    void iniciar();
    bool correr(const QString& programa, const QStringList& argumentos, QString* salida = nullptr);
    std::unique_ptr<QTemporaryDir> temporal_;
    QString carpeta_;
    QString bin_;
    int puerto_ = 0;
    bool ok_ = false;
    bool detenerAlFinal_ = false;
    QString error_;
};

// Runs statements, in order, on a database of a server outside any store (creating or
// dropping databases); empty, or why the first that failed did.
QString EnServidor(const QString& conexión, const QStringList& sentencias);

// Opens the connection `nombre` through Qt's own PostgreSQL driver: the tests
// read what the store wrote with a reader of their own.
QSqlDatabase ConectarPostgres(const QString& conexión, const QString& nombre);

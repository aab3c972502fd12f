#pragma once

#include "store/Recordset.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <cstdint>
#include <memory>
#include <vector>

// A table the connection reaches.
struct TablaAlmacén {
    QString nombre;
    QString archivo;  // the file that holds it
    bool vinculada;   // lives in a shared file
};

// One open connection to a store engine. Diccionario keeps the program's
// services over it; everything one engine does differently from another lives
// in the engine: how statements run and read, transactions and their
// savepoints, key counters, the SQL dialect and the catalogue. Statements come
// in the SQL both engines take, with "?" for values. A failed statement raises
// ErrorAlmacen.
class Motor {
  public:
    virtual ~Motor() = default;
    Motor(const Motor&) = delete;
    Motor& operator=(const Motor&) = delete;

    virtual bool enServidor() const = 0;
    // The local file and the shared files it reaches (empty on a server).
    const QString& rutaLocal() const { return rutaLocal_; }
    const QStringList& archivosVinculados() const { return vinculados_; }

    // A statement without values, run once; a statement with values, kept
    // prepared and returning the number of rows changed.
    virtual void ejecutar(const QString& sql) = 0;
    virtual int ejecutar(const QString& sql, const QVariantList& valores) = 0;
    // A statement whose count the caller does not need, inside a transaction: an
    // engine may send it with the statements after it, so its failure can be
    // raised by a later one; the caller's transaction level is then undone.
    virtual void encolar(const QString& sql, const QVariantList& valores) {
        ejecutar(sql, valores);
    }
    // Rows for a table's columns, added in their order; the engine's bulk path.
    virtual void copiar(const QString& tabla, const QStringList& columnas,
                        const std::vector<QVariantList>& filas) {
        const QString sql = QStringLiteral("insert into %1 (%2) values (%3)")
                                .arg(tabla, columnas.join(u','),
                                     QStringList(columnas.size(), QStringLiteral("?")).join(u','));
        for (const QVariantList& fila : filas) ejecutar(sql, fila);
    }
    // Every row of a statement, read into memory.
    virtual std::unique_ptr<Recordset> leer(const QString& sql) = 0;
    virtual std::unique_ptr<Recordset> leer(const QString& sql, const QVariantList& valores) = 0;
    // First column of the first row; an invalid QVariant when there is no row.
    virtual QVariant valorÚnico(const QString& sql, const QVariantList& valores) = 0;

    // The active applicants whose words match a keyword query, best first (ties by
    // surname): rows of id, rank, surname and name. The query comes in both engines' languages: an
    // FTS5 MATCH expression and a to_tsquery text.
    virtual std::unique_ptr<Recordset> buscarPalabras(const QString& fts5,
                                                      const QString& tsquery) = 0;
    // A WHERE fragment true when the applicant `columna` names matches the query.
    virtual QString filtroPalabras(const QString& columna, const QString& fts5,
                                   const QString& tsquery) const = 0;

    // Erasing personal data. While `borradoSeguro` is on, what the store frees is
    // overwritten, so deleted rows leave no bytes behind in its files. `purgar`, at
    // the end of the erasure's transaction, takes out what earlier work left: free
    // pages that still hold old rows, deleted rows' words in the keyword index. A
    // server keeps neither past its own vacuum, so they do nothing there.
    virtual void borradoSeguro(bool sí) { (void)sí; }
    virtual void purgar() {}

    // Transactions: level 1 is the transaction, deeper levels its savepoints.
    // Before the first level the engine checks it may still write at all.
    virtual void exigirEnSuLugar() const {}
    virtual void comenzar(bool inmediato) = 0;
    virtual void fijarPunto(int nivel) = 0;
    virtual void confirmar() = 0;
    virtual void liberarPunto(int nivel) = 0;
    // Undoing never reports that the store had already undone the work itself.
    virtual void deshacer() = 0;
    virtual void deshacerPunto(int nivel) = 0;

    // The last key handed out for a table (invalid when it has no counter row),
    // read inside a write transaction, and the next one taken.
    virtual QVariant últimoId(const QString& tabla) = 0;
    virtual void tomarId(const QString& tabla, int32_t id) = 0;

    // Throws when the store no longer answers; a busy store still does.
    virtual void sondear() = 0;
    virtual void setEsperaOcupado(int) {}

    // The catalogue.
    virtual std::vector<TablaAlmacén> tablas() = 0;
    // A table's column names in order, without a server's added "rowid".
    virtual QStringList nombresColumnas(const QString& tabla) = 0;
    virtual void prepararTablasImportación() = 0;
    virtual int versiónEsquema() = 0;

  protected:
    Motor() = default;
    QString rutaLocal_;
    QStringList vinculados_;
};

// A SQLite file through its native statements, with the shared files its
// linked tables live in attached.
std::unique_ptr<Motor> AbrirMotorSqlite(const QString& ruta, bool conVínculos, bool crear);
// A PostgreSQL server (connection text as in Postgres.h).
std::unique_ptr<Motor> AbrirMotorPostgres(const QString& conexión, const QString& usuario,
                                          const QString& contraseña);

// Shared by the engines.
constexpr int kEsperaOcupadoMs = 10000;
constexpr size_t kMáximoPreparadas = 256;
// A fresh name for a Qt connection.
QString NuevoNombreConexión();

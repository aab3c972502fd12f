#pragma once

#include "store/ErrorAlmacen.h"

#include <QByteArray>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>
#include <vector>

#include <libpq-fe.h>

// A PostgreSQL server through libpq. The connection text takes libpq's
// "clave=valor" form: host (a name or a socket folder), port, dbname, and
// optionally user and password (which `usuario` and `contraseña` override
// when given).

struct LiberarResultadoPq {
    void operator()(PGresult* r) const { PQclear(r); }
};
using ResultadoPq = std::unique_ptr<PGresult, LiberarResultadoPq>;

// One connection, closed with the object.
class ConexiónPq {
  public:
    // A failure is an ErrorAlmacen naming the server.
    ConexiónPq(const QString& conexión, const QString& usuario = {},
               const QString& contraseña = {});
    ~ConexiónPq();
    ConexiónPq(const ConexiónPq&) = delete;
    ConexiónPq& operator=(const ConexiónPq&) = delete;

    PGconn* h() const { return h_; }

    // One statement without values, waited for; a failure raises ErrorAlmacen
    // with `operación` as its sentence.
    ResultadoPq ejecutar(const QString& sql, const QString& operación = ErrorAlmacen::kGenérica);

    // COPY of rows in the server's text format into `tabla`'s `columnas`, one
    // batch of lines after another: `siguiente` fills the next batch and returns
    // false when there is none. Returns the rows the server took.
    qint64 copiar(const QString& tabla, const QStringList& columnas,
                  const std::function<bool(QByteArray&)>& siguiente, const QString& operación);

    // The error of a failed result (or of the connection when there is none),
    // keeping the server's SQLSTATE; a connection that broke is "08006".
    ErrorAlmacen error(const PGresult* r, const QString& operación, const QString& sql) const;

  private:
    PGconn* h_ = nullptr;
};

// Values bound to a statement in the text format, typed as the literals they
// stand for: integers as int4 or int8, reals as numeric, bytes as bytea, and
// texts and Null left for the server to infer from where they stand.
class ValoresPq {
  public:
    explicit ValoresPq(const QVariantList& valores);
    int cantidad() const { return int(punteros_.size()); }
    const char* const* punteros() const { return punteros_.data(); }
    const int* largos() const { return largos_.data(); }
    const Oid* tipos() const { return tipos_.data(); }
    // One letter per value's type: statements are prepared once per signature.
    const QByteArray& firma() const { return firma_; }

  private:
    std::vector<QByteArray> textos_;
    std::vector<const char*> punteros_;
    std::vector<int> largos_;
    std::vector<Oid> tipos_;
    QByteArray firma_;
};

// Appends one row, a line in COPY's text format, to a batch.
void AgregarFilaCopia(QByteArray& lote, const QVariantList& fila);

#pragma once

#include <QString>

#include <stdexcept>

// The one error type of the store. It carries a sentence for the user (what
// was being done, in Spanish), the statement that failed and the store's own
// message, so the general error reporting can show both.
class ErrorAlmacen : public std::runtime_error {
  public:
    ErrorAlmacen(QString operación, QString detalle = {}, QString sql = {}, QString código = {});

    const QString& operación() const { return operación_; }
    const QString& detalle() const { return detalle_; }
    const QString& sql() const { return sql_; }
    const QString& código() const { return código_; }

    // True when the store refused because another connection holds the file.
    bool ocupado() const;
    // A key or a unique value that is already taken.
    bool repetido() const;
    // The server's connection broke: the network, a stopped server, a connection the server ended.
    bool sinConexión() const;

    // Why, in words a recruiter reads: a busy store, a full disk, a value out of
    // range, or else the store's own text.
    QString explicación() const;
    // What the user reads: the sentence, then the explanation.
    QString textoUsuario() const;

    // The gateway's sentence for a failed statement: it does not say what the
    // user was doing, so the one error reporting puts the user's action first.
    static const QString kGenérica;
    bool genérica() const { return operación_ == kGenérica; }

  private:
    // The SQLite result code, 0 when the code is not SQLite's.
    int códigoSqlite() const;
    QString operación_;
    QString detalle_;
    QString sql_;
    QString código_;
};

#pragma once

#include <QSqlDatabase>
#include <QString>

// A PostgreSQL server reached through Qt's QPSQL driver. The connection text
// takes libpq's "clave=valor" form: host (a name or a socket folder), port,
// dbname, and optionally user and password (which `usuario` and `contraseña`
// override when given).

// Opens the connection `nombre`; a failure is an ErrorAlmacen naming the server.
QSqlDatabase ConectarPostgres(const QString& conexión, const QString& nombre,
                              const QString& usuario = {}, const QString& contraseña = {});

// A statement of the file store's schema in PostgreSQL form.
QString EsquemaPostgres(const QString& sentencia);

#pragma once

#include <QSqlDatabase>
#include <QString>

#include <utility>
#include <vector>

// A PostgreSQL server reached through Qt's QPSQL driver. The connection text
// takes libpq's "clave=valor" form: host (a name or a socket folder), port,
// dbname, and optionally user and password (which `usuario` and `contraseña`
// override when given).

// Opens the connection `nombre`; a failure is an ErrorAlmacen naming the server.
QSqlDatabase ConectarPostgres(const QString& conexión, const QString& nombre,
                              const QString& usuario = {}, const QString& contraseña = {});

class Diccionario;

// Copies every data table of the open store `origen` (applicants, lookups,
// dictionary, counters, searches) over the rows of the server store made by
// CrearBasePostgres, in one transaction, and checks every table's row count.
// Returns the rows copied per table; a failure changes nothing on the server.
std::vector<std::pair<QString, qint64>> MigrarAPostgres(Diccionario& origen,
                                                        const QString& conexión,
                                                        const QString& usuario = {},
                                                        const QString& contraseña = {});

// A statement of the file store's schema in PostgreSQL form.
QString EsquemaPostgres(const QString& sentencia);

#pragma once

#include <QString>

#include <utility>
#include <vector>

// The PostgreSQL store (the connection text as in Pq.h).

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

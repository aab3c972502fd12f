#pragma once

#include <QString>
#include <QStringList>

// Splits an SQL script into whole statements (triggers included).
QStringList DividirGuion(const QString& guion);

// A statement as a PostgreSQL server takes it: the file store's function
// candora_plano(x) becomes upper case and the file's letter table, under a
// deterministic collation (LIKE refuses the store's nondeterministic one; the
// comparison stays case-blind and accent-sensitive, as on the file).
QString TraducirPostgres(const QString& sql);

// The "?" placeholders outside quotes and comments as a server's $1, $2…
// `cuántas`, when given, receives how many marks there were.
QString MarcasPostgres(const QString& sql, int* cuántas = nullptr);

// A file: URI for SQLite with `modo` ("ro", "rw", "rwc"): with "ro" or "rw"
// SQLite never creates a missing file. Characters a URI reserves are escaped.
QString UriArchivo(const QString& ruta, const char* modo);

// True when `nombre` is a plain SQL name (letters, digits, underscore), the only
// form table and column names may take when they are joined into a statement.
bool EsIdentificador(const QString& nombre);
// True for a list of plain names separated by commas, each optionally followed
// by ASC or DESC: what an "order by" may receive from a caller.
bool EsListaOrden(const QString& lista);

#pragma once

#include <QString>
#include <QStringList>

// New databases made from the delivery compiled into the program: the schema,
// the lookup lists, the key counters and the data dictionary.

// A complete database in one file. The file must not exist yet.
void CrearBase(const QString& ruta);
// A shared file: the data tables with the delivery, no working tables.
void CrearBaseCompartida(const QString& ruta);
// A workstation's local file: the working tables, and the data tables as links
// to the shared file `compartida`, which must exist.
void CrearBaseLocal(const QString& ruta, const QString& compartida);

// The whole delivery on a PostgreSQL server (see Postgres.h for `conexión`),
// in one transaction: the database named there must hold no Candora tables yet.
void CrearBasePostgres(const QString& conexión, const QString& usuario = {},
                       const QString& contraseña = {});

// The tables a shared file holds and a local file links to.
QStringList TablasDatos();
// True for a statement of the data schema only a file store runs: its triggers, its
// full-text index and the view that index reads (a server has its own, in
// esquema_postgres.sql).
bool SóloDeArchivo(const QString& sentencia);

// The schema version written into every store this program makes. Version 2
// added the CHECK constraints that keep every number within its column's range,
// 3 the CV documents, 4 the keyword index, 5 keywords as a saved search's column
// 6 the index's texts compressed on a file, 7 the duplicate keys, 8 the record
// of merged applicants, 9 the audit log and 10 the erasures' document hashes
// and the office's settings.
inline constexpr int kVersiónEsquema = 10;

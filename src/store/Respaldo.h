#pragma once

#include <QString>

#include <functional>

// Cabinet backups of a database file.

// Writes a Microsoft Cabinet file `destino` holding a consistent snapshot of
// the database file `base` as its single entry. The snapshot is taken with
// SQLite's online backup, so other workstations may keep the file open; the
// cabinet is then reopened, its entry extracted and checked before the
// cabinet replaces `destino`. The snapshot lives in a folder only the user
// may enter, removed whatever happens. On failure nothing is left at
// `destino` (an existing file stays as it was) and `error` says what failed
// and what to do. `progreso` receives the percentage done.
bool CrearRespaldo(const QString& base, const QString& destino, QString& error,
                   const std::function<void(int)>& progreso = {});

// The backup of a store on a PostgreSQL server: the server's own dump
// (pg_dump, custom format) packed as the cabinet's single entry "candora.dump",
// checked with pg_restore --list before it replaces `destino`.
bool CrearRespaldoPostgres(const QString& conexión, const QString& usuario,
                           const QString& contraseña, const QString& destino, QString& error);

// Extracts the database of a backup cabinet to `destino`, which must not
// exist, and checks it.
bool RestaurarRespaldo(const QString& cabina, const QString& destino, QString& error);

// Removes what backups killed in the middle left in the temp folder: their
// private working folders ("candora-respaldo-PID-XXXXXX"), once their process
// is gone. A backup running in another process keeps its folder. Every backup
// does this first; the program does it at start.
void RetirarRespaldosAbandonados();

class Diccionario;
struct ConfiguraciónDatos;

// The database file a backup copies: the shared file the open store links to,
// or the local file itself when it has no links.
QString BaseARespaldar(Diccionario& d, const ConfiguraciónDatos& c);

// The name a backup of today proposes: "respaldo_" + yyyymmdd + ".cab".
QString NombreRespaldo();

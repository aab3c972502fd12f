#pragma once

#include "store/ErrorAlmacen.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <vector>

struct sqlite3;

// Checks made on a file store before anything writes to it: a damaged file is
// never written to (a write would spread the damage), and a file that does not
// accept changes is named as such instead of failing later in the store's words.

// How long the integrity check of one file may take. A check that runs out of
// time has read the header and the schema but not every page; it counts as "no
// damage found", so a slow disk or a large shared file delays start-up by this
// much at most and never stops it.
inline constexpr std::chrono::milliseconds kPlazoIntegridad{3000};

// The outcome of the integrity check of one file.
struct Integridad {
    enum Estado { Sana, Dañada, Incompleta };
    Estado estado = Sana;
    // Damaged: what the check found. Incomplete: why it did not finish.
    QString hallazgo;
};

// Reads `ruta` through a read-only connection of its own: the header and the
// schema first (a file that is not a database, a truncated one, one without
// tables), then SQLite's quick_check of every page, stopped once `plazo` has
// passed. A file that is missing, locked by a writer or unreadable for another
// reason is Incomplete, never Damaged: only the store's own verdict of damage counts.
Integridad ComprobarIntegridad(const QString& ruta,
                               std::chrono::milliseconds plazo = kPlazoIntegridad);

// Why a store file does not accept changes ("" when it does, or does not exist):
// the file itself, or its folder, where SQLite creates the journal of every write.
QString MotivoSoloLectura(const QString& ruta);

// The error that stops work on a damaged file, with the way out: restore the
// last backup and point the options at it (a shared file as "Origen remoto").
ErrorAlmacen ErrorBaseDañada(const QString& ruta, bool compartida, const QString& hallazgo);
// The error for a file that does not accept changes; `motivo` as MotivoSoloLectura gives it.
ErrorAlmacen ErrorSoloLectura(const QString& ruta, const QString& motivo);

// Checks one file: throws ErrorBaseDañada when it is damaged. Returns why it
// does not accept changes ("" when it does).
QString VerificarArchivo(const QString& ruta, bool compartida = false);

// The files of a file store as found before it is opened.
struct EstadoBase {
    struct Archivo {
        QString ruta;
        bool compartida;
        QString soloLectura;  // why it does not accept changes, "" when it does
    };
    std::vector<Archivo> archivos;  // the local file first

    // Throws ErrorSoloLectura for the first file that does not accept changes
    // (only the local file when `sóloLocal`).
    void exigirEscritura(bool sóloLocal = false) const;
    // What the desktop program tells the user once when it opens such a store;
    // "" when every file accepts changes.
    QString aviso() const;
};

// Checks the local file, every existing shared file its linked tables point to
// and, when the local file has links, `destino` (the shared file they are about
// to be pointed at). Throws ErrorBaseDañada for the first damaged one, before
// anything is written to any of them. Reads only.
EstadoBase VerificarBase(const QString& rutaLocal, const QString& destino = {});

// For a statement the store refused because one of the connection's files does
// not accept changes (SQLITE_READONLY, or SQLITE_CANTOPEN for a journal that
// cannot be created), the Spanish sentence naming that file; "" otherwise.
QString ExplicarSoloLectura(sqlite3* h, int código);

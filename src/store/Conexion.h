#pragma once

#include <QString>

// The data-source settings of section "Datos".
struct ConfiguraciónDatos {
    QString Proveedor;
    QString OrigenLocal;
    QString OrigenRemoto;
    QString Usuario;
    QString Contraseña;

    // Reads the settings with the start-up defaults.
    static ConfiguraciónDatos leer();
    void guardar() const;
};

// The provider of a shared store on a PostgreSQL server; OrigenRemoto holds
// its connection text ("host=… port=… dbname=…").
inline constexpr const char* kProveedorPostgres = "PostgreSQL";

// The provider whose stores are local database files (and the only one compacted at start-up).
inline constexpr const char* kProveedorJet = "Microsoft.Jet.OLEDB.4.0";

// The program-wide current user name: empty until the end of start-up.
extern QString UsuarioActual;

// "Provider=…;Data Source=…;Persist Security Info=False;" and, with a current
// user name, "User ID=…;".
QString ConstruirConexión(const ConfiguraciónDatos& c, const QString& usuarioActual);
// The value of one key of a connection text ("" when absent), keys compared without regard to case.
QString ValorConexión(const QString& conexión, const QString& clave);
// True for a provider this program serves with a local database file.
bool EsProveedorArchivo(const QString& proveedor);
// True for the provider of a store on a PostgreSQL server.
bool EsProveedorServidor(const QString& proveedor);
// The local file used when "OrigenLocal" is empty, in the user's data folder.
QString RutaBasePredeterminada();
// The file an "OrigenLocal" value names (the default file when it is empty).
QString RutaLocalEfectiva(const QString& origenLocal);

// Store start-up: check the files, relink, open `dic`, empty RESULTADO and
// compact the local file. Throws ErrorAlmacen naming the step that failed; `dic`
// is then empty. A damaged file stops it before anything is written. A local
// file that does not accept changes is opened for reading only, without those
// writes; the returned notice (empty when the store accepts changes) says so.
QString AbrirBase();
QString AbrirBase(const ConfiguraciónDatos& c);
// Opens `dic` without the start-up housekeeping (for tools that only read or
// run one command). Creates the default local file on first use. With
// `actualizar`, a store made by an earlier version is upgraded first (a write:
// a tool that only reads leaves it as it is).
void ConectarBase(const ConfiguraciónDatos& c, bool actualizar = true);

// Points every linked table of the database reached by `conexión` at
// `origenRemoto`. A blank source leaves the links alone; a source that does
// not exist, or lacks one of the linked tables, is refused before anything changes.
void RevincularTablas(const QString& origenRemoto, const QString& conexión);

// Compacts a database file in place (VACUUM). Skipped when under a tenth of the
// file is free space, unless `forzar`. False when the file is missing or busy;
// nothing is lost either way.
bool CompactarBase(const QString& ruta, bool forzar = false);

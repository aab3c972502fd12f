#pragma once

#include "store/Campo.h"
#include "store/Elemento.h"
#include "store/Interaccion.h"
#include "store/Motor.h"
#include "store/Recordset.h"

#include <QString>
#include <QVariantList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class ControlLista;

// The single gateway to the store. Every statement, read, key allocation and
// dictionary lookup of the program runs through one Diccionario and its one
// connection, so reads inside a transaction see that transaction's own rows.
// The connection is an engine (Motor.h): a SQLite file or a PostgreSQL server.
// Statements are written in the SQL both engines take. A failed statement
// raises ErrorAlmacen.
class Diccionario {
  public:
    Diccionario();
    ~Diccionario();
    Diccionario(const Diccionario&) = delete;
    Diccionario& operator=(const Diccionario&) = delete;

    // Stores the connection text and opens the connection with it.
    void setStrConexión(const QString& conexión);
    const QString& strConexión() const { return strConexión_; }
    void cerrar();
    bool abierto() const;

    // Opens a database file directly, for the store's own tools (creation,
    // compaction, relinking). `conVínculos` attaches the files its linked
    // tables live in; `crear` makes a new empty file where none exists.
    void abrirArchivo(const QString& ruta, bool conVínculos, bool crear = false);

    // Opens a shared store on a PostgreSQL server (connection text as in
    // Postgres.h). The working tables (RESULTADO, imp_*) are
    // temporary tables of this connection, so workstations never share them.
    void abrirServidor(const QString& conexión, const QString& usuario = {},
                       const QString& contraseña = {});
    bool enServidor() const { return motor_ && motor_->enServidor(); }
    // The local file and the shared files its linked tables live in (none on a server).
    const QString& rutaLocal() const;
    const QStringList& archivosVinculados() const;

    // Statements without rows. An empty text does nothing. Outside a
    // Transaccion each statement is its own transaction; inside one it joins it.
    void ejecutar(const QString& sql);
    // With bound values; returns the number of rows changed.
    int ejecutar(const QString& sql, const QVariantList& valores);
    // Adds rows to a table's columns, in their order, the engine's fastest way (a
    // server's COPY). A failure adds none of them.
    void copiar(const QString& tabla, const QStringList& columnas,
                const std::vector<QVariantList>& filas);
    // A statement whose count is not needed, run inside a Transaccion: a server
    // sends it with the next statement, in one round trip, so a failure may be
    // raised by a later statement of the transaction. Whoever catches it must
    // let the Transaccion level it ran in be undone.
    void encolar(const QString& sql, const QVariantList& valores);

    // The keyword search in the engine's own index (see Motor::buscarPalabras).
    std::unique_ptr<Recordset> BuscarPalabras(const QString& fts5, const QString& tsquery) {
        return motor().buscarPalabras(fts5, tsquery);
    }
    QString FiltroPalabras(const QString& columna, const QString& fts5, const QString& tsquery) {
        return motor().filtroPalabras(columna, fts5, tsquery);
    }

    // Erasing personal data for good (see Motor::borradoSeguro).
    void BorradoSeguro(bool sí) { motor().borradoSeguro(sí); }
    void Purgar() { motor().purgar(); }

    // Read-only, client-side result sets; a blank text gives no result set.
    std::unique_ptr<Recordset> AbrirRS(const QString& sql);
    std::unique_ptr<Recordset> AbrirRS(const QString& sql, const QVariantList& valores);
    void CerrarRS(std::unique_ptr<Recordset>& rs) { rs.reset(); }
    // First column of the first row; an invalid QVariant when there is no row.
    QVariant valorÚnico(const QString& sql, const QVariantList& valores = {});

    void DeleteId(const QString& tabla, const QString& columna, int32_t valor);
    // Removes stale detail rows under a freshly allocated key. A key that still
    // has its applicant row is refused with an ErrorAlmacen and nothing is deleted.
    void LimpiarPostulante(int32_t id);
    // Next key of a table, read and incremented in one write transaction.
    // 0 (after telling the user) when the table has no counter row.
    int32_t PróximoID(const QString& tabla);

    QString NombreElemento(const QString& tabla, int32_t id, const QString& columna = {});
    Elemento GetElemento(const QString& tabla, int32_t id);
    int32_t ElementoID(const QString& tabla, const QString& nombre);
    int32_t Nuevo_Elemento(const QString& tabla, const QString& nombre);
    void LlenarComboElementos(const QString& tabla, ControlLista& lista, int porOrden,
                              bool conNinguno, int32_t idSeleccionado);

    // A dictionary row; a Campo with id 0 (after telling the user) when there is none.
    Campo GetCampo(int32_t id);
    QString tipodato(int32_t id);
    QString RelaciónTabla(const QString& tabla, const QString& columna);
    int32_t idcolumna(const QString& tabla, const QString& columna);
    QString nomdato(int32_t id);
    Elementos ListaColumnas(const QString& tabla);
    Elementos ListaElementos(const QString& tabla, const QString& columnaOrden);

    using Tabla = TablaAlmacén;
    // Every table the connection reaches, local ones first. On a server the
    // shared tables name the database and the connection's own tables are local.
    std::vector<Tabla> Tablas();
    // The number of columns of a table the connection reaches (0 when there is
    // none), not counting the row order a server adds as "rowid".
    int ColumnasTabla(const QString& tabla);
    // The names of a table's columns in their order, without a server's "rowid".
    QStringList NombresColumnas(const QString& tabla);
    // Makes sure this connection has its own empty-able import staging tables
    // (imp_*): temporary tables, so two imports on one store never share rows.
    void PrepararTablasImportación();
    // The schema version the store was made with.
    int VersiónEsquema();

    bool enTransacción() const { return nivel_ > 0; }
    // True when the store still answers: on the file, every file it opened is
    // still in its place (not deleted or replaced) and reads as a database; on a
    // server, the connection works. A store busy with another's lock answers.
    bool responde();
    // How long a statement waits for another connection's lock before it fails.
    void setEsperaOcupado(int milisegundos);

  private:
    friend class Transaccion;
    // The open engine; an ErrorAlmacen when the store is closed.
    Motor& motor(const QString& sql = {}) const;

    QString strConexión_;
    std::unique_ptr<Motor> motor_;  // while the store is open
    int nivel_ = 0;                 // of the open transaction and its savepoints
};

// A write transaction for the life of the object: rolled back unless
// confirmar() is called. Nested guards become savepoints of the outer one.
class Transaccion {
  public:
    // Immediate: the write lock of every database the connection reaches is
    // taken at once, so reads and writes inside see one state (key counters,
    // find-or-add). Deferred: locks are taken as the statements need them, for
    // work that writes only the workstation's own tables.
    enum class Bloqueo { Inmediato, Diferido };
    explicit Transaccion(Diccionario& d, Bloqueo bloqueo = Bloqueo::Inmediato);
    ~Transaccion();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;
    void confirmar();

  private:
    // The wait for another workstation's lock is bounded, and shows the hourglass.
    std::optional<RelojDeArena> reloj_;
    Diccionario& d_;
    int nivel_;
    bool terminada_ = false;
};

// The program-wide store, created by AbrirBase.
extern std::unique_ptr<Diccionario> dic;
// The program-wide store; an ErrorAlmacen ("La base de datos no está abierta.")
// when there is none, never a null store.
Diccionario& Almacén();

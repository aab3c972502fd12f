#pragma once

#include "store/Coleccion.h"
#include "store/Recordset.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

// One condition of a search definition.
class Condición {
  public:
    QString rel_tabla;  // the lookup table of the column; set by the editor, never stored
    QString tipodato;   // "T", "N", "ND" or "L"
    int32_t idvalor = 0;
    int32_t idcolumna = 0;
    uint8_t Operador = 0;  // 1..8, as NombreOperador names them
    QString Valor;
    QString dato;  // the column's label, filled on load
};

// The conditions a definition puts on one table.
class Condiciones : public Coleccion<Condición> {
  public:
    explicit Condiciones(QString tabla) : tabla(std::move(tabla)) {}
    Condición& Add(const QString& tipodato, const QString& dato, int32_t idcolumna,
                   uint8_t Operador, const QString& Valor, int32_t idvalor,
                   const QString& clave = {});
    QString tabla;
};

// A saved search: a name, its sharing, and six groups of conditions that
// must all hold. Running it leaves the matching applicants in RESULTADO
// under the definition's id.
class cBúsqueda {
  public:
    cBúsqueda();

    int32_t id = 0;
    QString Título;
    QString notas;
    uint8_t pública = 0;
    QString usuario;
    QString fecha_alta;

    Condiciones colGeneral;      // group 1
    Condiciones colFormación;    // group 2: all conditions on one row
    Condiciones colIdiomas;      // group 3: all conditions on one row
    Condiciones colExperiencia;  // group 4: all conditions on one row
    Condiciones colInterés;      // group 5
    Condiciones colFotos;        // group 6

    // The collection stored under a group code 1..6; nullptr for any other.
    Condiciones* grupo(int código);

    // Loads the definition `id` names; false when there is none. The
    // collections are emptied first.
    bool cargar();
    // Saves header and conditions in one transaction; a new definition gets its
    // id here. False when no key could be had. A condition that cannot be run
    // is refused with ErrorAlmacen before anything is written.
    bool guardar();
    // Runs the definition in memory into RESULTADO; a failed run leaves this
    // definition's earlier result as it was.
    void ejecutar();

    // The words its keyword conditions look for, to show where they were found.
    QStringList palabrasResaltar() const;

    // The WHERE fragment of one condition ("" for a type and operator that have none).
    static QString condicion_sql(const QString& columna, const QString& tipo, int operador,
                                 const QString& valor, int32_t idvalor);

    // The definitions `usuario` may see: the shared ones and their own,
    // ordered by "Nombre", "Usuario" or "alta".
    static std::unique_ptr<Recordset> Visibles(const QString& usuario, const QString& orden);
    // Deletes a definition and its conditions in one transaction.
    static void Eliminar(int32_t id);

    // The active applicants of definition `consulta`'s last result, ordered by
    // surname and name: id, apellido, nombre and every other column; `cuántos`
    // rows from `desde` (all when negative).
    static std::unique_ptr<Recordset> Resultado(int32_t consulta, int desde = 0, int cuántos = -1);
    static int CantidadResultado(int32_t consulta);
    // Just the ids of that result, in the same order.
    static std::vector<int32_t> OrdenResultado(int32_t consulta);

    // Adds a condition written as "TABLA.COLUMNA OPERADOR VALOR", the operator by
    // its Spanish name and a lookup value by its item's name, to the group of
    // that table. A text that does not describe one is an ErrorAlmacen.
    void AgregarCondición(const QString& texto);

  private:
    void validar() const;
    // The query of the applicants that meet every condition, its first column the
    // definition's id as a bound value; "" when there is no condition.
    QString consulta_sql();
    void vaciarColecciones();
};

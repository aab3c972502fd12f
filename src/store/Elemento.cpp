#include "store/Elemento.h"

#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/SqlJet.h"
#include "store/Valores.h"

namespace {

QString tablaVálida(const QString& tabla) {
    if (!EsIdentificador(tabla))
        throw ErrorAlmacen(ErrorAlmacen::kGenérica,
                           QStringLiteral("«%1» no es un nombre de tabla válido.").arg(tabla));
    return tabla;
}

void leerFila(Elemento& e, const Recordset& rs) {
    e.id = int32_t(rs.entero(QStringLiteral("id")));
    e.Nombre = rs.texto(QStringLiteral("nombre"));
    e.disponible = uint8_t(rs.entero(QStringLiteral("disponible")));
    e.orden = uint8_t(rs.texto(QStringLiteral("orden")).toInt());
    e.predeterminado = uint8_t(rs.entero(QStringLiteral("predeterminado")));
}

}  // namespace

void Elemento::cargar_id(int32_t clave, const QString& tabla) {
    cargar_id(Almacén(), clave, tabla);
}

int32_t Elemento::cargar_nombre(const QString& nombre, const QString& tabla) {
    return cargar_nombre(Almacén(), nombre, tabla);
}

int32_t Elemento::guardar(const QString& tabla) {
    return guardar(Almacén(), tabla);
}

void Elemento::cargar_id(Diccionario& d, int32_t clave, const QString& tabla) {
    auto rs =
        d.AbrirRS(QStringLiteral("select * from %1 where ID = ?").arg(tablaVálida(tabla)), {clave});
    if (rs->eof()) {
        id = clave;
        return;
    }
    leerFila(*this, *rs);
}

int32_t Elemento::cargar_nombre(Diccionario& d, const QString& nombre, const QString& tabla) {
    auto rs = d.AbrirRS(
        QStringLiteral("select * from %1 where NOMBRE = ? order by ID").arg(tablaVálida(tabla)),
        {nombre.trimmed()});
    if (rs->eof()) {
        id = 0;
        Nombre = nombre;
    } else {
        leerFila(*this, *rs);
    }
    return id;
}

int32_t Elemento::guardar(Diccionario& d, const QString& tabla) {
    const QString t = tablaVálida(tabla);
    const QString nombre = Nombre.trimmed();
    if (id != 0) {
        d.ejecutar(QStringLiteral("UPDATE %1 SET nombre = ?, orden = ?, disponible = ?, "
                                  "predeterminado = ? WHERE id = ?")
                       .arg(t),
                   {NuloSiVacío(nombre), orden, disponible, predeterminado, id});
        return id;
    }
    if (nombre.isEmpty()) return 0;
    // Look-up and insert in one write transaction: two workstations never add one name twice.
    Transaccion tr(d);
    if (cargar_nombre(d, nombre, t) != 0) return id;
    const int32_t nuevo = d.PróximoID(t);
    if (nuevo == 0) return 0;
    d.ejecutar(QStringLiteral("INSERT INTO %1(id,nombre,orden,disponible,predeterminado) "
                              "VALUES (?, ?, ?, ?, ?)")
                   .arg(t),
               {nuevo, nombre, orden, disponible, predeterminado});
    tr.confirmar();
    id = nuevo;
    return id;
}

Elemento& Elementos::Add(int32_t id, const QString& Nombre, const QString& Carga,
                         const QString& clave) {
    Elemento e;
    e.id = id;
    e.Nombre = Nombre;
    e.Carga = Carga;
    return Agregar(std::move(e), clave);
}

#include "search/cBusqueda.h"

#include "search/Palabras.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/SqlJet.h"
#include "store/TextoSqlite.h"
#include "store/Valores.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A number typed into a condition, in the store's notation; "" when it is not one.
QString NúmeroCondición(const QString& valor) {
    QString t = valor.trimmed();
    if (!t.contains(u'.')) t.replace(u',', u'.');  // "7,5" as the user writes it
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return {};
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

// A LIKE pattern that finds `texto` anywhere, its own % and _ taken literally.
QString PatrónContiene(const QString& texto) {
    const bool comodines = texto.contains(u'%') || texto.contains(u'_');
    QString t = texto;
    if (comodines) {
        t.replace(u'\\', QStringLiteral("\\\\"));
        t.replace(u'%', QStringLiteral("\\%"));
        t.replace(u'_', QStringLiteral("\\_"));
    }
    return ComillasSQL(u'%' + t + u'%') + (comodines ? QStringLiteral(" ESCAPE '\\'") : QString());
}

struct Columna {
    QString nombre;
    QString tipo;
};

const char* const kOrdenes[] = {"Nombre", "Usuario", "alta"};

}  // namespace

Condición& Condiciones::Add(const QString& tipodato, const QString& dato, int32_t idcolumna,
                            uint8_t Operador, const QString& Valor, int32_t idvalor,
                            const QString& clave) {
    Condición c;
    c.tipodato = tipodato;
    c.dato = dato;
    c.idcolumna = idcolumna;
    c.Operador = Operador;
    c.Valor = Valor;
    c.idvalor = idvalor;
    return Agregar(std::move(c), clave);
}

cBúsqueda::cBúsqueda()
    : colGeneral(QStringLiteral("nvx_m_postulantes")),
      colFormación(QStringLiteral("nvx_d_formacion")),
      colIdiomas(QStringLiteral("nvx_d_idiomas")),
      colExperiencia(QStringLiteral("nvx_d_experiencia")),
      colInterés(QStringLiteral("nvx_d_interes")),
      colFotos(QStringLiteral("nvx_d_fotos")) {}

Condiciones* cBúsqueda::grupo(int código) {
    Condiciones* const grupos[] = {&colGeneral,     &colFormación, &colIdiomas,
                                   &colExperiencia, &colInterés,   &colFotos};
    return código >= 1 && código <= 6 ? grupos[código - 1] : nullptr;
}

void cBúsqueda::vaciarColecciones() {
    for (int g = 1; g <= 6; ++g) grupo(g)->Clear();
}

QString cBúsqueda::condicion_sql(const QString& c, const QString& tipo, int op,
                                 const QString& valor, int32_t idvalor) {
    if (tipo == QLatin1String("T")) {
        // Both sides in their plain form: "nunez" finds "Núñez" and "NUÑEZ".
        const QString v = TextoPlano(valor);
        const QString columna = QStringLiteral("candora_plano(") + c + u')';
        switch (op) {
            case 1:
                return u'(' + columna + QStringLiteral(" LIKE ") + PatrónContiene(v) + u')';
            case 2:
                return u'(' + columna + QStringLiteral(" NOT LIKE ") + PatrónContiene(v) + u')';
            case 3:
                return u'(' + c + QStringLiteral(" IS NULL)");
            case 4:
                return u'(' + c + QStringLiteral(" IS NOT NULL)");
            case 5:
                return u'(' + columna + QStringLiteral(" = ") + ComillasSQL(v) + u')';
            case 6:
                return u'(' + columna + QStringLiteral(" <> ") + ComillasSQL(v) + u')';
            // Orderings follow the store's collation, so "Álvarez" sorts with the A's.
            case 7:
                return u'(' + columna + QStringLiteral(" COLLATE TEXTO >= ") + ComillasSQL(v) +
                       u')';
            case 8:
                return u'(' + columna + QStringLiteral(" COLLATE TEXTO <= ") + ComillasSQL(v) +
                       u')';
            default:
                return {};
        }
    }
    if (tipo == QLatin1String("N") || tipo == QLatin1String("ND")) {
        const QString r = NúmeroCondición(valor);
        if (r.isEmpty()) return {};
        switch (op) {
            case 5:
                return u'(' + c + QStringLiteral(" = ") + r + u')';
            case 6:
                return u'(' + c + QStringLiteral(" <> ") + r + u')';
            case 7:
                return u'(' + c + QStringLiteral(" >= ") + r + u')';
            case 8:
                return u'(' + c + QStringLiteral(" <= ") + r + u')';
            default:
                return {};
        }
    }
    if (tipo == QLatin1String("P")) {
        // Keywords: the applicant is, or is not, among those the index finds.
        const ConsultaPalabras q = AnalizarPalabras(valor);
        if (!q.válida() || (op != 1 && op != 2)) return {};
        const QString filtro =
            Almacén().FiltroPalabras(QStringLiteral("ID"), q.fts5(), q.tsquery());
        return (op == 1 ? QStringLiteral("(") : QStringLiteral("(not ")) + filtro + u')';
    }
    if (tipo == QLatin1String("L")) {
        switch (op) {
            case 1:
                return u'(' + c + QStringLiteral(" =  ") + QString::number(idvalor) + u')';
            case 2:
                return u'(' + c + QStringLiteral(" <>  ") + QString::number(idvalor) + u')';
            case 3:
                return u'(' + c + QStringLiteral(" = 0)");
            case 4:
                return u'(' + c + QStringLiteral(" <> 0)");
            default:
                return {};
        }
    }
    return {};
}

// Every condition must name a dictionary column of its table and have a
// fragment; a number column needs a number. Refused before any statement runs.
void cBúsqueda::validar() const {
    Diccionario& d = Almacén();
    const QString operación = QStringLiteral("No se puede usar la búsqueda «%1».").arg(Título);
    for (int g = 1; g <= 6; ++g) {
        const Condiciones& col = *const_cast<cBúsqueda*>(this)->grupo(g);
        for (const Condición& c : col) {
            const QString etiqueta =
                c.dato.isEmpty() ? QStringLiteral("columna %1").arg(c.idcolumna) : c.dato;
            auto rs = d.AbrirRS(
                QStringLiteral(
                    "select tabla, Tipo, Nombre_Columna from nvx_diccionario where id = ?"),
                {c.idcolumna});
            if (rs->eof() || !EsIdentificador(rs->texto(2)) ||
                rs->texto(0).compare(col.tabla, Qt::CaseInsensitive) != 0)
                throw ErrorAlmacen(
                    operación,
                    QStringLiteral("La condición sobre «%1» se refiere a una columna que "
                                   "ya no existe en el diccionario de datos.")
                        .arg(etiqueta));
            const QString tipo = rs->texto(1);
            if (tipo == QLatin1String("P")) {
                const ConsultaPalabras q = AnalizarPalabras(c.Valor);
                if (!q.válida()) throw ErrorAlmacen(operación, q.error);
            }
            if ((tipo == QLatin1String("N") || tipo == QLatin1String("ND")) && c.Operador >= 5 &&
                c.Operador <= 8 && NúmeroCondición(c.Valor).isEmpty())
                throw ErrorAlmacen(
                    operación, QStringLiteral("El valor «%1» de la condición sobre «%2» no es un "
                                              "número.")
                                   .arg(c.Valor, etiqueta));
            if (condicion_sql(rs->texto(2), tipo, c.Operador, c.Valor, c.idvalor).isEmpty())
                throw ErrorAlmacen(operación,
                                   QStringLiteral("La condición «%1 %2» no se puede aplicar a una "
                                                  "columna de ese tipo.")
                                       .arg(etiqueta, NombreOperador(c.Operador)));
        }
    }
}

bool cBúsqueda::cargar() {
    Diccionario& d = Almacén();
    vaciarColecciones();
    auto rs = d.AbrirRS(QStringLiteral("select * FROM nvx_m_busquedas where id = ?"), {id});
    if (rs->eof()) return false;
    fecha_alta = rs->texto(QStringLiteral("alta"));
    notas = rs->texto(QStringLiteral("notas"));
    pública = uint8_t(rs->entero(QStringLiteral("publica")));
    Título = rs->texto(QStringLiteral("Nombre"));
    usuario = rs->texto(QStringLiteral("usuario"));
    for (auto c = d.AbrirRS(
             QStringLiteral("select * from nvx_d_busquedas where id = ? order by rowid"), {id});
         !c->eof(); c->MoveNext()) {
        Condiciones* col = grupo(int(c->entero(QStringLiteral("grupo"))));
        if (!col) continue;
        const int32_t columna = int32_t(c->entero(QStringLiteral("idcolumna")));
        col->Add(c->texto(QStringLiteral("tipodato")), d.nomdato(columna), columna,
                 uint8_t(c->entero(QStringLiteral("operador"))), c->texto(QStringLiteral("valor")),
                 int32_t(c->entero(QStringLiteral("idvalor"))));
    }
    return true;
}

bool cBúsqueda::guardar() {
    RelojDeArena reloj;
    validar();
    Diccionario& d = Almacén();
    Transaccion t(d);
    const bool nueva = id < 1;
    const int32_t clave = nueva ? d.PróximoID(QStringLiteral("nvx_m_busquedas")) : id;
    if (clave == 0) return false;
    if (nueva)
        d.ejecutar(QStringLiteral("insert INTO nvx_m_busquedas (id) values (?)"), {clave});
    else
        d.ejecutar(QStringLiteral("delete from nvx_d_busquedas where id = ?"), {clave});
    const QString alta = FechaHoraTexto();
    if (d.ejecutar(
            QStringLiteral(
                "UPDATE nvx_m_busquedas set nombre = ?, notas = ?, publica = ?, usuario = ?, "
                "alta = ? where id = ?"),
            {ValorTexto(Título), ValorTexto(notas), pública, ValorTexto(usuario), alta, clave}) !=
        1)
        throw ErrorAlmacen(QStringLiteral("No se pudo guardar la búsqueda «%1».").arg(Título),
                           QStringLiteral("La búsqueda ya no está en la base de datos."));
    for (int g = 1; g <= 6; ++g)
        for (const Condición& c : *grupo(g))
            d.ejecutar(
                QStringLiteral(
                    "insert into nvx_d_busquedas (id,grupo,idcolumna,idvalor,operador,tipodato,"
                    "valor) values (?,?,?,?,?,?,?)"),
                {clave, g, c.idcolumna, c.idvalor, c.Operador, c.tipodato, ValorTexto(c.Valor)});
    t.confirmar();
    id = clave;
    fecha_alta = alta;
    return true;
}

namespace {

QString ClaveDe(const QString& tabla) {
    return tabla.compare(QLatin1String("nvx_m_postulantes"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("ID")
               : QStringLiteral("POSTULANTE");
}

QString Fragmento(const Condición& c) {
    const Campo campo = Almacén().GetCampo(c.idcolumna);
    return cBúsqueda::condicion_sql(campo.Nombre_Columna, campo.Tipo, c.Operador, c.Valor,
                                    c.idvalor);
}

// The conditions of a group joined by "and", all on one row.
QString EnUnaFila(const Condiciones& col) {
    QString w;
    for (const Condición& c : col) w += QStringLiteral(" and ") + Fragmento(c);
    return w;
}

}  // namespace

QString cBúsqueda::consulta_sql() {
    // Groups whose conditions must hold on one row of their table, and those whose
    // conditions may each hold on a different row.
    struct Grupo {
        const Condiciones* col;
        bool porFila;
    };
    const Grupo grupos[] = {{&colGeneral, false},    {&colFormación, true}, {&colIdiomas, true},
                            {&colExperiencia, true}, {&colInterés, false},  {&colFotos, false}};
    // The applicant table leads when it has conditions: one row per applicant, its
    // conditions tested as it is read. Otherwise the first group with conditions leads.
    const Grupo* guía = nullptr;
    for (const Grupo& g : grupos)
        if (g.col->Count() > 0) {
            guía = &g;
            break;
        }
    if (!guía) return {};
    const QString clave = QStringLiteral("g.") + ClaveDe(guía->col->tabla);
    QString where = clave + QStringLiteral(" IS NOT NULL");
    QStringList existe;
    // A row of the group's table for the guide's applicant that meets `filtro` (" and …").
    const auto fila = [&clave](const Condiciones& col, const QString& filtro) {
        return QStringLiteral("exists (select 1 from ") + col.tabla +
               QStringLiteral(" x where x.") + ClaveDe(col.tabla) + QStringLiteral(" = ") + clave +
               filtro + u')';
    };
    if (guía->porFila) {
        where += EnUnaFila(*guía->col);
    } else {
        // The guide's own conditions first; on a detail table each may hold on
        // another row, so all but the first become lookups of their own.
        bool primera = true;
        for (const Condición& c : *guía->col) {
            if (primera || guía == &grupos[0]) {
                where += QStringLiteral(" and ") + Fragmento(c);
                primera = false;
            } else {
                existe << fila(*guía->col, QStringLiteral(" and ") + Fragmento(c));
            }
        }
    }
    // Every other group is looked up through its table's index on the applicant.
    for (const Grupo& g : grupos) {
        if (&g == guía || g.col->Count() == 0) continue;
        if (g.porFila) {
            existe << fila(*g.col, EnUnaFila(*g.col));
        } else {
            for (const Condición& c : *g.col)
                existe << fila(*g.col, QStringLiteral(" and ") + Fragmento(c));
        }
    }
    for (const QString& e : existe) where += QStringLiteral(" and ") + e;
    return QStringLiteral("select ") +
           (guía == &grupos[0] ? QString() : QStringLiteral("distinct ")) +
           QStringLiteral("cast(? as integer), ") + clave + QStringLiteral(" from ") +
           guía->col->tabla + QStringLiteral(" g where ") + where;
}

void cBúsqueda::ejecutar() {
    RelojDeArena reloj;
    validar();
    Diccionario& d = Almacén();
    // One statement finds every applicant that meets all six groups. This
    // definition's earlier result is replaced in one transaction, so a failed run
    // leaves it as it was.
    const QString consulta = consulta_sql();
    Transaccion t(d, Transaccion::Bloqueo::Diferido);
    d.ejecutar(QStringLiteral("delete from RESULTADO where CONSULTA = ?"), {id});
    if (!consulta.isEmpty())
        d.ejecutar(QStringLiteral("insert into RESULTADO (CONSULTA, ID) ") + consulta, {id});
    t.confirmar();
}

QStringList cBúsqueda::palabrasResaltar() const {
    QStringList palabras;
    for (const Condición& c : colGeneral)
        if (c.tipodato == QLatin1String("P") && c.Operador == 1)
            palabras << AnalizarPalabras(c.Valor).palabrasResaltar();
    palabras.removeDuplicates();
    return palabras;
}

std::unique_ptr<Recordset> cBúsqueda::Visibles(const QString& usuario, const QString& orden) {
    QString columna = QString::fromLatin1(kOrdenes[0]);
    for (const char* o : kOrdenes)
        if (orden.compare(QLatin1String(o), Qt::CaseInsensitive) == 0) columna = QLatin1String(o);
    return Almacén().AbrirRS(
        QStringLiteral("select * FROM nvx_m_busquedas where publica = 1 or usuario = ? order by ") +
            columna,
        {usuario});
}

void cBúsqueda::Eliminar(int32_t id) {
    Diccionario& d = Almacén();
    Transaccion t(d);
    d.ejecutar(QStringLiteral("delete FROM nvx_m_busquedas where id = ?"), {id});
    d.ejecutar(QStringLiteral("delete from nvx_d_busquedas where id = ?"), {id});
    t.confirmar();
}

std::unique_ptr<Recordset> cBúsqueda::Resultado(int32_t consulta, int desde, int cuántos) {
    return Almacén().AbrirRS(
        QStringLiteral("select p.* from RESULTADO r join nvx_m_postulantes p on p.id = r.ID "
                       "where r.CONSULTA = ? and p.activo <> 0 "
                       "order by p.apellido, p.nombre, p.id limit ? offset ?"),
        {consulta, cuántos < 0 ? std::numeric_limits<int>::max() : cuántos, std::max(desde, 0)});
}

std::vector<int32_t> cBúsqueda::OrdenResultado(int32_t consulta) {
    auto rs = Almacén().AbrirRS(
        QStringLiteral("select p.id from RESULTADO r join nvx_m_postulantes p on p.id = r.ID "
                       "where r.CONSULTA = ? and p.activo <> 0 "
                       "order by p.apellido, p.nombre, p.id"),
        {consulta});
    std::vector<int32_t> ids;
    ids.reserve(size_t(rs->RecordCount()));
    for (; !rs->eof(); rs->MoveNext()) ids.push_back(int32_t(rs->entero(0)));
    return ids;
}

int cBúsqueda::CantidadResultado(int32_t consulta) {
    return Almacén()
        .valorÚnico(QStringLiteral(
                        "select count(*) from RESULTADO r join nvx_m_postulantes p on p.id = r.ID "
                        "where r.CONSULTA = ? and p.activo <> 0"),
                    {consulta})
        .toInt();
}

void cBúsqueda::AgregarCondición(const QString& texto) {
    Diccionario& d = Almacén();
    const QString operación = QStringLiteral("No se entiende la condición «%1».").arg(texto);
    const QString t = texto.trimmed();
    const qsizetype espacio = t.indexOf(u' ');
    const QString calificada = t.left(espacio < 0 ? t.size() : espacio);
    const qsizetype punto = calificada.indexOf(u'.');
    if (punto < 1)
        throw ErrorAlmacen(operación,
                           QStringLiteral("Escríbala como TABLA.COLUMNA OPERADOR VALOR."));
    const QString tabla = calificada.left(punto), columna = calificada.mid(punto + 1);
    Condiciones* col = nullptr;
    for (int g = 1; g <= 6 && !col; ++g)
        if (grupo(g)->tabla.compare(tabla, Qt::CaseInsensitive) == 0) col = grupo(g);
    if (!col)
        throw ErrorAlmacen(operación,
                           QStringLiteral("No se puede buscar en la tabla «%1».").arg(tabla));
    const int32_t idcolumna = d.idcolumna(col->tabla, columna);
    const Campo campo = idcolumna ? d.GetCampo(idcolumna) : Campo();
    if (!campo.id ||
        !d.valorÚnico(QStringLiteral("select buscable from nvx_diccionario where id = ?"),
                      {idcolumna})
             .toInt())
        throw ErrorAlmacen(operación,
                           QStringLiteral("La tabla «%1» no tiene una columna buscable «%2».")
                               .arg(col->tabla, columna));

    // The longest operator name the rest begins with, so "no contiene" wins over "contiene".
    const QString resto = espacio < 0 ? QString() : t.mid(espacio + 1).trimmed();
    int operador = 0;
    qsizetype largo = 0;
    for (int op = 1; op <= 8; ++op) {
        const QString nombre = NombreOperador(op);
        if (nombre.size() > largo && resto.startsWith(nombre, Qt::CaseInsensitive) &&
            (resto.size() == nombre.size() || resto.at(nombre.size()) == u' ')) {
            operador = op;
            largo = nombre.size();
        }
    }
    if (!operador)
        throw ErrorAlmacen(
            operación, QStringLiteral("Falta el operador: contiene, no contiene, es vacío, no es "
                                      "vacío, es igual a, es distinto a, es mayor o igual a o es "
                                      "menor o igual a."));
    QString valor = resto.mid(largo).trimmed();
    // Keywords keep their quotes: they mark a phrase.
    if (campo.Tipo != QLatin1String("P") && valor.size() >= 2 && valor.startsWith(u'"') &&
        valor.endsWith(u'"'))
        valor = valor.mid(1, valor.size() - 2);
    int32_t idvalor = 0;
    if (campo.Tipo == QLatin1String("L") && operador <= 2) {
        idvalor = d.ElementoID(campo.Relacion_Tabla, valor);
        if (!idvalor)
            throw ErrorAlmacen(operación, QStringLiteral("«%1» no está en la lista de «%2».")
                                              .arg(valor, d.nomdato(idcolumna)));
    }
    col->Add(campo.Tipo, d.nomdato(idcolumna), idcolumna, uint8_t(operador), valor, idvalor)
        .rel_tabla = campo.Relacion_Tabla;
}

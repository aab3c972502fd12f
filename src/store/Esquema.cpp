#include "store/Esquema.h"

#include "duplicates/Duplicados.h"

#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Palabras.h"
#include "store/Postgres.h"
#include "store/Rangos.h"
#include "store/SqlJet.h"
#include "store/Valores.h"
#include "store/Verificacion.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>

#include <functional>
#include <map>

namespace {

const QString kFalla =
    QStringLiteral("No se pudo actualizar la base de datos a esta versión de Candora.");

// What a remark calls the rows of a detail table.
QString Parte(const QString& tabla) {
    static const std::map<QString, QString> partes = {
        {QStringLiteral("nvx_d_familiares"), QStringLiteral("en la familia, ")},
        {QStringLiteral("nvx_d_formacion"), QStringLiteral("en la formación, ")},
        {QStringLiteral("nvx_d_idiomas"), QStringLiteral("en los idiomas, ")},
        {QStringLiteral("nvx_d_experiencia"), QStringLiteral("en la experiencia, ")},
        {QStringLiteral("nvx_d_interes"), QStringLiteral("en las áreas de interés, ")},
    };
    const auto it = partes.find(tabla.toLower());
    return it == partes.end() ? QString() : it->second;
}

QString Recurso(const QString& nombre) {
    QFile f(QStringLiteral(":/base/") + nombre);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

// The statements of the data schema that make a table named by `marca`, as the
// current version makes it; on a server without the file store's triggers and
// full-text index.
QStringList SentenciasDe(const QString& marca, bool archivo) {
    QStringList sentencias;
    for (const QString& s : DividirGuion(Recurso(QStringLiteral("esquema_datos.sql"))))
        if (s.contains(marca) && (archivo || !SóloDeArchivo(s))) sentencias << s;
    return sentencias;
}

// Runs them in the file `e` ("main" or an attached one); all but the tables
// themselves when `tablas` is false.
void CrearEnArchivo(Diccionario& d, const QString& e, const QString& marca, bool tablas = true) {
    static const QRegularExpression nombre(
        QStringLiteral("^(CREATE (?:UNIQUE INDEX|INDEX|TABLE|TRIGGER|VIRTUAL TABLE|VIEW)) "));
    for (QString s : SentenciasDe(marca, true))
        if (tablas || !s.contains(QLatin1String("CREATE TABLE ")))
            d.ejecutar(s.replace(nombre, QStringLiteral("\\1 ") + e + u'.'));
}

const QString kContadorDocumentos = QStringLiteral(
    "INSERT INTO %1nvx_m_ids (tabla, ultimo_id) SELECT 'nvx_d_documentos', 0 "
    "WHERE NOT EXISTS (SELECT 1 FROM %1nvx_m_ids WHERE tabla = 'nvx_d_documentos')");

// The keyword search as a column saved searches can name.
const QString kColumnaPalabras = QStringLiteral(
    "INSERT INTO %1nvx_diccionario (id, tabla, Nombre_Columna, Tipo, orden, Dato, lng, lng2, "
    "Nombre_Largo, buscable, largo) SELECT m.id, 'nvx_m_postulantes', 'palabras_clave', 'P', 0, "
    "'palabras_clave', 0, 0, 'Palabras clave', 1, 0 FROM (SELECT coalesce(max(id), 0) + 1 AS id "
    "FROM %1nvx_diccionario) m WHERE NOT EXISTS (SELECT 1 FROM %1nvx_diccionario WHERE "
    "Nombre_Columna = 'palabras_clave')");

// The server's column of each text's words and its index.
const QString kVectorPalabras = QStringLiteral(
    "ALTER TABLE candora_textos ADD COLUMN palabras[^;]*;|CREATE INDEX "
    "candora_textos_palabras[^;]*;");

// Runs the statements of the server's own schema that `patrón` finds, in order.
void SentenciasPostgres(Diccionario& d, const QString& patrón) {
    const QRegularExpression re(patrón, QRegularExpression::DotMatchesEverythingOption);
    for (auto it = re.globalMatch(Recurso(QStringLiteral("esquema_postgres.sql"))); it.hasNext();)
        d.ejecutar(it.next().captured(0));
}

QStringList TablasConRangos() {
    QStringList t;
    for (const Rango& r : Rangos())
        if (!t.contains(QLatin1String(r.tabla))) t << QLatin1String(r.tabla);
    return t;
}

// Sets every value outside its range to 0 and notes what it was in the
// applicant's remarks. `nombre` turns a table name into the name to use in SQL.
void RetirarImposibles(Diccionario& d, const std::function<QString(const QString&)>& nombre) {
    std::map<qint64, QStringList> notas;
    for (const QString& tabla : TablasConRangos()) {
        const QString t = nombre(tabla);
        if (t.isEmpty()) continue;
        const bool maestra = tabla == QLatin1String("nvx_m_postulantes");
        // One pass over the table finds whether anything is out of range at all
        // (a Null in range is not: the whole condition is then Null or false).
        QStringList todas;
        if (maestra) todas << CondiciónFechaNacimiento();
        for (const Rango& r : Rangos())
            if (tabla == QLatin1String(r.tabla)) todas << CondiciónRango(r);
        if (!d.valorÚnico(QStringLiteral("select 1 from %1 where not ((%2)) limit 1")
                              .arg(t, todas.join(QStringLiteral(") and ("))))
                 .isValid())
            continue;
        const QString dueño = maestra ? QStringLiteral("id") : QStringLiteral("postulante");
        for (const Rango& r : Rangos()) {
            if (tabla != QLatin1String(r.tabla)) continue;
            const QString c = QLatin1String(r.columna);
            const QString fuera = QStringLiteral(" where not (%1)").arg(CondiciónRango(r));
            auto rs = d.AbrirRS(
                QStringLiteral("select %1 as dueno, %2 as valor from %3").arg(dueño, c, t) + fuera);
            if (rs->eof()) continue;
            for (; !rs->eof(); rs->MoveNext())
                notas[rs->entero(QStringLiteral("dueno"))]
                    << Parte(tabla) + NombreRango(r) + u' ' + rs->texto(QStringLiteral("valor"));
            d.ejecutar(QStringLiteral("update %1 set %2 = 0").arg(t, c) + fuera);
        }
        if (!maestra) continue;
        const QString imposible = QStringLiteral(" where not (%1)").arg(CondiciónFechaNacimiento());
        for (auto rs = d.AbrirRS(
                 QStringLiteral("select id, nac_dia, nac_mes, nac_ano from %1").arg(t) + imposible);
             !rs->eof(); rs->MoveNext())
            notas[rs->entero(QStringLiteral("id"))]
                << QStringLiteral("fecha de nacimiento %1/%2/%3")
                       .arg(rs->texto(QStringLiteral("nac_dia")),
                            rs->texto(QStringLiteral("nac_mes")),
                            rs->texto(QStringLiteral("nac_ano")));
        d.ejecutar(QStringLiteral("update %1 set nac_dia = 0").arg(t) + imposible);
    }
    const QString postulantes = nombre(QStringLiteral("nvx_m_postulantes"));
    if (notas.empty() || postulantes.isEmpty()) return;
    const QString encabezado =
        QStringLiteral("Al actualizar la base el %1 se retiraron valores imposibles: ")
            .arg(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    for (const auto& [id, lista] : notas) {
        const QVariant antes = d.valorÚnico(
            QStringLiteral("select observaciones from %1 where id = ?").arg(postulantes), {id});
        if (!antes.isValid()) continue;  // detail rows of an applicant that no longer exists
        const QString previas = VacíoSiNulo(antes);
        d.ejecutar(QStringLiteral("update %1 set observaciones = ? where id = ?").arg(postulantes),
                   {previas + (previas.isEmpty() ? QString() : QStringLiteral("\n")) + encabezado +
                        lista.join(QStringLiteral("; ")) + u'.',
                    id});
    }
}

// The stored CREATE TABLE text with the constraints; checked on a scratch copy
// first, so a text SQLite could not read never reaches the file's schema.
QString DefiniciónNueva(Diccionario& d, const QString& actual) {
    const QString nueva = ConRestricciones(actual);
    static const QRegularExpression cabeza(QStringLiteral("^\\s*CREATE TABLE\\s+\\w+"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString prueba = nueva;
    prueba.replace(cabeza, QStringLiteral("CREATE TEMP TABLE candora_prueba_esquema"));
    d.ejecutar(prueba);
    d.ejecutar(QStringLiteral("DROP TABLE temp.candora_prueba_esquema"));
    return nueva;
}

// One database file reached by the connection ("main" or an attached one).
void ActualizarArchivo(Diccionario& d, const QString& esquema, const QString& ruta) {
    const QString e = u'"' + esquema + u'"';
    const auto tabla = [&](const QString& t) -> QString {
        return d.valorÚnico(QStringLiteral("select 1 from %1.sqlite_master where type = 'table' "
                                           "and name = ?")
                                .arg(e),
                            {t})
                       .isValid()
                   ? e + u'.' + t
                   : QString();
    };
    if (d.valorÚnico(QStringLiteral("PRAGMA %1.user_version").arg(e)).toInt() >= kVersiónEsquema)
        return;
    // A file that takes no changes needs no protection from them.
    if (!MotivoSoloLectura(ruta).isEmpty()) return;
    Transaccion t(d);
    const int versión = d.valorÚnico(QStringLiteral("PRAGMA %1.user_version").arg(e)).toInt();
    if (versión >= kVersiónEsquema) {  // another workstation was first
        t.confirmar();
        return;
    }
    if (versión < 2) {
        RetirarImposibles(d, tabla);
        // SQLite adds no constraint to a table it has: the stored definition gets
        // them (they change nothing on disk) and the schema is read again.
        std::vector<std::pair<QString, QString>> nuevas;
        for (const QString& nombre : TablasConRangos()) {
            if (tabla(nombre).isEmpty()) continue;
            const QString actual = VacíoSiNulo(d.valorÚnico(
                QStringLiteral("select sql from %1.sqlite_master where type = 'table' and name = ?")
                    .arg(e),
                {nombre}));
            if (!actual.contains(QLatin1String("CONSTRAINT rango_")))
                nuevas.emplace_back(nombre, DefiniciónNueva(d, actual));
        }
        if (!nuevas.empty()) {
            const int cambios =
                d.valorÚnico(QStringLiteral("PRAGMA %1.schema_version").arg(e)).toInt();
            d.ejecutar(QStringLiteral("PRAGMA writable_schema = ON"));
            try {
                for (const auto& [nombre, sql] : nuevas)
                    d.ejecutar(QStringLiteral("update %1.sqlite_master set sql = ? where type = "
                                              "'table' and name = ?")
                                   .arg(e),
                               {sql, nombre});
                d.ejecutar(QStringLiteral("PRAGMA %1.schema_version = %2").arg(e).arg(cambios + 1));
            } catch (...) {
                d.ejecutar(QStringLiteral("PRAGMA writable_schema = OFF"));
                throw;
            }
            d.ejecutar(QStringLiteral("PRAGMA writable_schema = OFF"));
            for (const auto& [nombre, sql] : nuevas)  // read with the new definitions
                d.valorÚnico(QStringLiteral("select count(*) from %1.%2 where 0").arg(e, nombre));
        }
    }
    if (versión < 3) {
        // The CV documents live with the applicants, in the file that holds them.
        if (!tabla(QStringLiteral("nvx_m_postulantes")).isEmpty() &&
            tabla(QStringLiteral("nvx_d_documentos")).isEmpty()) {
            CrearEnArchivo(d, e, QStringLiteral(" nvx_d_documentos"));
        }
        if (!tabla(QStringLiteral("nvx_m_ids")).isEmpty())
            d.ejecutar(kContadorDocumentos.arg(e + u'.'));
    }
    if (versión < 4 && !tabla(QStringLiteral("nvx_m_postulantes")).isEmpty() &&
        tabla(QStringLiteral("candora_textos")).isEmpty()) {
        // The keyword index, filled with every applicant's words.
        CrearEnArchivo(d, e, QStringLiteral("candora_textos"));
        ReindexarPalabras(d);
    }
    if (versión < 6 && !tabla(QStringLiteral("candora_textos")).isEmpty() &&
        !d.valorÚnico(QStringLiteral("select 1 from %1.sqlite_master where type = 'view' and "
                                     "name = 'candora_textos_planos'")
                          .arg(e))
             .isValid()) {
        // The index's texts are kept compressed: its triggers and the full-text
        // table are made again to read them through the view, and every text written
        // anew (emptied first: the new index has none of the old ones to take out).
        for (const char* s :
             {"DROP TRIGGER IF EXISTS %1.candora_textos_alta",
              "DROP TRIGGER IF EXISTS %1.candora_textos_baja",
              "DROP TABLE IF EXISTS %1.candora_palabras", "DELETE FROM %1.candora_textos"})
            d.ejecutar(QString::fromLatin1(s).arg(e));
        CrearEnArchivo(d, e, QStringLiteral("candora_textos"), false);
        ReindexarPalabras(d);
    }
    if (versión < 7 && !tabla(QStringLiteral("nvx_m_postulantes")).isEmpty() &&
        tabla(QStringLiteral("candora_claves")).isEmpty()) {
        // The duplicate keys, worked out for every applicant.
        CrearEnArchivo(d, e, QStringLiteral("candora_claves"));
        CrearEnArchivo(d, e, QStringLiteral("candora_no_duplicados"));
        ReconstruirClaves(d);
    }
    if (versión < 8 && !tabla(QStringLiteral("nvx_m_postulantes")).isEmpty() &&
        tabla(QStringLiteral("candora_fusiones")).isEmpty())
        CrearEnArchivo(d, e, QStringLiteral("candora_fusiones"));
    if (versión < 9 && !tabla(QStringLiteral("nvx_m_postulantes")).isEmpty() &&
        tabla(QStringLiteral("candora_auditoria")).isEmpty())
        CrearEnArchivo(d, e, QStringLiteral("candora_auditoria"));
    const auto tieneColumna = [&d, &e](const QString& t, const QString& columna) {
        for (auto rs = d.AbrirRS(QStringLiteral("PRAGMA %1.table_info(%2)").arg(e, t)); !rs->eof();
             rs->MoveNext())
            if (rs->texto(QStringLiteral("name")).compare(columna, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    if (versión < 10 && !tabla(QStringLiteral("candora_auditoria")).isEmpty() &&
        !tieneColumna(QStringLiteral("candora_auditoria"), QStringLiteral("huella"))) {
        // Erasures keep a hash of the document.
        d.ejecutar(
            QStringLiteral("ALTER TABLE %1.candora_auditoria ADD COLUMN huella TEXT").arg(e));
        CrearEnArchivo(d, e, QStringLiteral("candora_auditoria_huella"));
    }
    if (versión < 10 && !tabla(QStringLiteral("nvx_m_postulantes")).isEmpty() &&
        tabla(QStringLiteral("candora_ajustes")).isEmpty())
        CrearEnArchivo(d, e, QStringLiteral("candora_ajustes"));
    if (versión < 5 && !tabla(QStringLiteral("nvx_diccionario")).isEmpty())
        d.ejecutar(kColumnaPalabras.arg(e + u'.'));
    d.ejecutar(QStringLiteral("PRAGMA %1.user_version = %2").arg(e).arg(kVersiónEsquema));
    t.confirmar();
}

void ActualizarServidor(Diccionario& d) {
    if (d.VersiónEsquema() >= kVersiónEsquema) return;
    Transaccion t(d);
    // Two workstations starting at once: the second waits here and finds it done.
    d.ejecutar(QStringLiteral("LOCK TABLE candora_esquema IN EXCLUSIVE MODE"));
    const int versión = d.VersiónEsquema();
    if (versión < 2 && versión < kVersiónEsquema) {
        RetirarImposibles(d, [](const QString& t) { return t; });
        for (const QString& tabla : TablasConRangos()) {
            QStringList añadir;
            for (const QString& r : RestriccionesTabla(tabla)) añadir << QStringLiteral("ADD ") + r;
            // One statement per table: the server checks the rows once for all of them.
            d.ejecutar(QStringLiteral("ALTER TABLE %1 ").arg(tabla) +
                       añadir.join(QStringLiteral(", ")));
        }
    }
    if (versión < 3 &&
        d.valorÚnico(QStringLiteral("select to_regclass('nvx_d_documentos')")).isNull()) {
        for (const QString& s : SentenciasDe(QStringLiteral(" nvx_d_documentos"), false))
            d.ejecutar(EsquemaPostgres(s));
        d.ejecutar(QStringLiteral(
            "CREATE TRIGGER nvx_d_documentos_sello AFTER INSERT OR DELETE ON nvx_d_documentos "
            "FOR EACH ROW EXECUTE FUNCTION candora_sellar_detalle()"));
    }
    if (versión < 3) d.ejecutar(kContadorDocumentos.arg(QString()));
    // The index's texts pass through these functions (they do nothing on a server).
    if (versión < 6 &&
        d.valorÚnico(QStringLiteral("select to_regproc('candora_descomprimir')")).isNull())
        SentenciasPostgres(d, QStringLiteral("CREATE FUNCTION candora_(?:des)?comprimir[^;]*;"));
    if (versión < 4 &&
        d.valorÚnico(QStringLiteral("select to_regclass('candora_textos')")).isNull()) {
        for (const QString& s : SentenciasDe(QStringLiteral("candora_textos"), false))
            d.ejecutar(EsquemaPostgres(s));
        // The server's own index of the texts, as a new server store has it.
        SentenciasPostgres(d, QStringLiteral("CREATE FUNCTION candora_palabras.*?\\$\\$;"));
        SentenciasPostgres(d, kVectorPalabras);
        ReindexarPalabras(d);
    }
    if (versión < 5) d.ejecutar(kColumnaPalabras.arg(QString()));
    if (versión < 6 && !d.valorÚnico(QStringLiteral("select 1 from information_schema.columns "
                                                    "where table_name = 'candora_textos' and "
                                                    "column_name = 'palabras'"))
                            .isValid()) {
        // Each text's words are kept with it, so a search never splits a text again.
        d.ejecutar(QStringLiteral("DROP INDEX IF EXISTS candora_textos_palabras"));
        SentenciasPostgres(d, kVectorPalabras);
    }
    if (versión < 7 &&
        d.valorÚnico(QStringLiteral("select to_regclass('candora_claves')")).isNull()) {
        for (const char* tabla : {"candora_claves", "candora_no_duplicados"})
            for (const QString& s : SentenciasDe(QString::fromLatin1(tabla), false))
                d.ejecutar(EsquemaPostgres(s));
        ReconstruirClaves(d);
    }
    if (versión < 8 &&
        d.valorÚnico(QStringLiteral("select to_regclass('candora_fusiones')")).isNull())
        for (const QString& s : SentenciasDe(QStringLiteral("candora_fusiones"), false))
            d.ejecutar(EsquemaPostgres(s));
    if (versión < 9 &&
        d.valorÚnico(QStringLiteral("select to_regclass('candora_auditoria')")).isNull())
        for (const QString& s : SentenciasDe(QStringLiteral("candora_auditoria"), false))
            d.ejecutar(EsquemaPostgres(s));
    if (versión < 10 &&
        !d.valorÚnico(QStringLiteral("select 1 from information_schema.columns where table_name "
                                     "= 'candora_auditoria' and column_name = 'huella'"))
             .isValid()) {
        // Erasures keep a hash of the document; entries keep the order they were written in.
        d.ejecutar(
            QStringLiteral("ALTER TABLE candora_auditoria ADD COLUMN huella TEXT, ADD "
                           "COLUMN rowid BIGSERIAL PRIMARY KEY"));
        for (const QString& s : SentenciasDe(QStringLiteral("candora_auditoria_huella"), false))
            d.ejecutar(EsquemaPostgres(s));
    }
    if (versión < 10 &&
        d.valorÚnico(QStringLiteral("select to_regclass('candora_ajustes')")).isNull())
        for (const QString& s : SentenciasDe(QStringLiteral("candora_ajustes"), false))
            d.ejecutar(EsquemaPostgres(s));
    if (versión < kVersiónEsquema) {
        d.ejecutar(QStringLiteral("delete from candora_esquema"));
        d.ejecutar(QStringLiteral("insert into candora_esquema (version) values (?)"),
                   {kVersiónEsquema});
    }
    t.confirmar();
}

}  // namespace

void ActualizarEsquema(Diccionario& d) {
    try {
        if (d.enServidor()) {
            ActualizarServidor(d);
            return;
        }
        std::vector<std::pair<QString, QString>> archivos;  // schema name and file
        for (auto rs = d.AbrirRS(QStringLiteral("PRAGMA database_list")); !rs->eof();
             rs->MoveNext())
            if (rs->texto(QStringLiteral("name")) != QLatin1String("temp"))
                archivos.emplace_back(rs->texto(QStringLiteral("name")),
                                      rs->texto(QStringLiteral("file")));
        // The shared files first: the local file's version says the whole store is current.
        for (auto it = archivos.rbegin(); it != archivos.rend(); ++it)
            ActualizarArchivo(d, it->first, it->second);
    } catch (const ErrorAlmacen& e) {
        throw ErrorAlmacen(kFalla, e.detalle().isEmpty() ? e.operación() : e.detalle(), e.sql(),
                           e.código());
    }
}

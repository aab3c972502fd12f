#include "store/BaseEntregada.h"

#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Postgres.h"
#include "store/Pq.h"
#include "store/Rangos.h"
#include "store/SqlJet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString recurso(const QString& nombre) {
    QFile f(QStringLiteral(":/base/") + nombre);
    if (!f.open(QIODevice::ReadOnly))
        throw ErrorAlmacen(QStringLiteral("No se puede crear la base de datos."),
                           QStringLiteral("Falta el recurso «%1» en el programa.").arg(nombre));
    return QString::fromUtf8(f.readAll());
}

enum Partes { kDatos = 1, kLocal = 2, kEntrega = 4 };

// Builds the file under a temporary name and renames it at the end, so a
// failure never leaves a half-made database behind.
void construir(const QString& ruta, int partes, const QString& compartida = {}) {
    if (QFileInfo::exists(ruta))
        throw ErrorAlmacen(QStringLiteral("No se puede crear la base de datos."),
                           QStringLiteral("El archivo «%1» ya existe.").arg(ruta));
    const QString carpeta = QFileInfo(ruta).absolutePath();
    if (!QDir().mkpath(carpeta))
        throw ErrorAlmacen(QStringLiteral("No se puede crear la base de datos."),
                           QStringLiteral("No se pudo crear la carpeta «%1».").arg(carpeta));
    const QString temporal = ruta + QStringLiteral(".creando");
    QFile::remove(temporal);
    try {
        Diccionario d;
        d.abrirArchivo(temporal, false, true);
        {
            Transaccion t(d);
            QStringList guiones;
            if (partes & kDatos) guiones << QStringLiteral("esquema_datos.sql");
            if (partes & kLocal) guiones << QStringLiteral("esquema_local.sql");
            if (partes & kEntrega)
                guiones << QStringLiteral("datos.sql") << QStringLiteral("diccionario.sql");
            for (const QString& g : guiones)
                for (const QString& sentencia : DividirGuion(recurso(g)))
                    d.ejecutar(ConRestricciones(sentencia));
            if (!compartida.isEmpty())
                for (const QString& tabla : TablasDatos())
                    d.ejecutar(QStringLiteral(
                                   "insert into candora_vinculos (tabla, origen) values (?, ?)"),
                               {tabla, QFileInfo(compartida).absoluteFilePath()});
            d.ejecutar(QStringLiteral("PRAGMA user_version = %1").arg(kVersiónEsquema));
            t.confirmar();
        }
        d.cerrar();
    } catch (...) {
        QFile::remove(temporal);
        throw;
    }
    if (!QFile::rename(temporal, ruta)) {
        QFile::remove(temporal);
        throw ErrorAlmacen(QStringLiteral("No se puede crear la base de datos."),
                           QStringLiteral("No se pudo escribir «%1».").arg(ruta));
    }
}

}  // namespace

void CrearBasePostgres(const QString& conexión, const QString& usuario, const QString& contraseña) {
    const QString falla = QStringLiteral("No se puede crear la base de datos en el servidor.");
    ConexiónPq c(conexión, usuario, contraseña);
    const auto ejecutar = [&](const QString& sql) { c.ejecutar(sql, falla); };
    // DDL too: a failure leaves the server as it was (closing the connection undoes it).
    ejecutar(QStringLiteral("BEGIN"));
    ejecutar(
        QStringLiteral("CREATE COLLATION texto (provider = icu, locale = 'und-u-ks-level1', "
                       "deterministic = false)"));
    for (const QString& s : DividirGuion(recurso(QStringLiteral("esquema_datos.sql"))))
        if (!SóloDeArchivo(s)) ejecutar(EsquemaPostgres(ConRestricciones(s)));
    ejecutar(recurso(QStringLiteral("esquema_postgres.sql")));
    for (const char* g : {"datos.sql", "diccionario.sql"})
        for (const QString& s : DividirGuion(recurso(QString::fromLatin1(g)))) ejecutar(s);
    ejecutar(
        QStringLiteral("INSERT INTO candora_esquema (version) VALUES (%1)").arg(kVersiónEsquema));
    ejecutar(QStringLiteral("COMMIT"));
}

bool SóloDeArchivo(const QString& sentencia) {
    static const QRegularExpression sólo(
        QStringLiteral("^\\s*(--[^\\n]*\\n\\s*)*CREATE (TRIGGER|VIRTUAL TABLE|VIEW) "),
        QRegularExpression::CaseInsensitiveOption);
    return sólo.match(sentencia).hasMatch();
}

QStringList TablasDatos() {
    static const QStringList tablas = [] {
        QStringList t;
        static const QRegularExpression re(QStringLiteral("CREATE TABLE (\\w+)"));
        auto it = re.globalMatch(recurso(QStringLiteral("esquema_datos.sql")));
        while (it.hasNext()) t << it.next().captured(1);
        return t;
    }();
    return tablas;
}

void CrearBase(const QString& ruta) {
    construir(ruta, kDatos | kLocal | kEntrega);
}

void CrearBaseCompartida(const QString& ruta) {
    construir(ruta, kDatos | kEntrega);
}

void CrearBaseLocal(const QString& ruta, const QString& compartida) {
    if (!QFileInfo(compartida).isFile())
        throw ErrorAlmacen(QStringLiteral("No se puede crear la base de datos."),
                           QStringLiteral("La base compartida «%1» no existe.").arg(compartida));
    construir(ruta, kLocal, compartida);
}

#include "store/Postgres.h"

#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

QSqlDatabase ConectarPostgres(const QString& conexión, const QString& nombre,
                              const QString& usuario, const QString& contraseña) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nombre);
    static const QRegularExpression par(QStringLiteral("(\\w+)\\s*=\\s*('([^']*)'|\\S+)"));
    for (auto it = par.globalMatch(conexión); it.hasNext();) {
        const auto m = it.next();
        const QString clave = m.captured(1).toLower();
        const QString valor = m.captured(3).isNull() ? m.captured(2) : m.captured(3);
        if (clave == QLatin1String("host"))
            db.setHostName(valor);
        else if (clave == QLatin1String("port"))
            db.setPort(valor.toInt());
        else if (clave == QLatin1String("dbname"))
            db.setDatabaseName(valor);
        else if (clave == QLatin1String("user"))
            db.setUserName(valor);
        else if (clave == QLatin1String("password"))
            db.setPassword(valor);
    }
    if (!usuario.isEmpty()) db.setUserName(usuario);
    db.setConnectOptions(
        QStringLiteral("connect_timeout=10"));  // a server that is down fails in time
    if (!contraseña.isEmpty()) db.setPassword(contraseña);
    if (!db.open()) {
        const QString error = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(nombre);
        throw ErrorAlmacen(QStringLiteral("No se pudo conectar con el servidor PostgreSQL."),
                           error.trimmed().isEmpty()
                               ? QStringLiteral("No se pudo abrir «%1».").arg(conexión)
                               : error);
    }
    return db;
}

QString EsquemaPostgres(const QString& sentencia) {
    QString s = sentencia;
    s.replace(QLatin1String("COLLATE TEXTO"), QLatin1String("COLLATE texto"));
    static const QRegularExpression real(QStringLiteral("\\bREAL\\b"));
    s.replace(real, QStringLiteral("DOUBLE PRECISION"));  // SQLite's REAL holds a double
    // Detail and staged rows are read in the order they were written, "order by
    // rowid", and the import takes staged rows off by it: the column comes last, so
    // positional inserts stay as they are, and it is the key, as on the file.
    static const QRegularExpression ordenada(
        QStringLiteral("\\bCREATE TABLE (?:nvx_d|imp)_\\w+\\s*\\("));
    if (ordenada.match(s).hasMatch()) {
        const qsizetype cierre = s.lastIndexOf(u')');
        if (cierre > 0)
            s.insert(cierre, s.contains(QLatin1String("PRIMARY KEY"))
                                 ? QStringLiteral(",\n  rowid BIGSERIAL UNIQUE\n")
                                 : QStringLiteral(",\n  rowid BIGSERIAL PRIMARY KEY\n"));
    }
    return s;
}

std::vector<std::pair<QString, qint64>> MigrarAPostgres(Diccionario& origen,
                                                        const QString& conexión,
                                                        const QString& usuario,
                                                        const QString& contraseña) {
    const QString nombre = QStringLiteral("candora-migrar");
    std::vector<std::pair<QString, qint64>> copiadas;
    {
        QSqlDatabase db = ConectarPostgres(conexión, nombre, usuario, contraseña);
        const auto falla = [](const QString& detalle, const QString& sql = {}) {
            return ErrorAlmacen(QStringLiteral("No se pudo copiar la base al servidor."), detalle,
                                sql);
        };
        try {
            if (!db.transaction()) throw falla(db.lastError().text());
            QSqlQuery q(db);
            // The applicants keep the change times they bring with them.
            if (!q.exec(QStringLiteral("SET LOCAL candora.copiando = 'si'")))
                throw falla(q.lastError().text(), q.lastQuery());
            for (const QString& tabla : TablasDatos()) {
                auto rs = origen.AbrirRS(QStringLiteral("select * from %1").arg(tabla));
                if (!q.exec(QStringLiteral("delete from %1").arg(tabla)))
                    throw falla(q.lastError().text(), q.lastQuery());
                // Rows go over in batches of one statement each: a round trip a row
                // would make the copy of a large office take minutes.
                const int n = rs->FieldCount();
                QStringList columnas, marcas;
                for (int i = 0; i < n; ++i) {
                    columnas << rs->FieldName(i);
                    marcas << QStringLiteral("?");
                }
                const QString fila = u'(' + marcas.join(QStringLiteral(", ")) + u')';
                const auto sentencia = [&](int filas) {
                    QStringList valores;
                    for (int f = 0; f < filas; ++f) valores << fila;
                    return QStringLiteral("insert into %1 (%2) values %3")
                        .arg(tabla, columnas.join(QStringLiteral(", ")),
                             valores.join(QStringLiteral(", ")));
                };
                const int porLote = std::max(1, 8000 / std::max(1, n));
                QSqlQuery lote(db), suelta(db);
                const QString sqlLote = sentencia(porLote), sqlSuelta = sentencia(1);
                if (!lote.prepare(sqlLote)) throw falla(lote.lastError().text(), sqlLote);
                if (!suelta.prepare(sqlSuelta)) throw falla(suelta.lastError().text(), sqlSuelta);
                for (qint64 restantes = rs->RecordCount(); restantes > 0;) {
                    const int filas = restantes >= porLote ? porLote : 1;
                    QSqlQuery& ins = restantes >= porLote ? lote : suelta;
                    for (int f = 0; f < filas; ++f, rs->MoveNext())
                        for (int i = 0; i < n; ++i) ins.bindValue(f * n + i, rs->valor(i));
                    if (!ins.exec()) throw falla(ins.lastError().text(), ins.lastQuery());
                    restantes -= filas;
                }
                if (!q.exec(QStringLiteral("select count(*) from %1").arg(tabla)) || !q.next() ||
                    q.value(0).toLongLong() != rs->RecordCount())
                    throw falla(QStringLiteral("La tabla %1 no quedó con sus %2 filas.")
                                    .arg(tabla)
                                    .arg(rs->RecordCount()));
                copiadas.emplace_back(tabla, rs->RecordCount());
            }
            q = QSqlQuery();
            if (!db.commit()) throw falla(db.lastError().text());
        } catch (...) {
            db.rollback();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(nombre);
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(nombre);
    return copiadas;
}

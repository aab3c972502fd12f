#include "store/Postgres.h"

#include "store/ErrorAlmacen.h"

#include <QRegularExpression>
#include <QSqlError>

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
    return s;
}

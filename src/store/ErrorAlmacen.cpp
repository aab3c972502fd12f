#include "store/ErrorAlmacen.h"

#include "store/Rangos.h"

namespace {
std::string resumen(const QString& operación, const QString& detalle, const QString& sql) {
    QString t = operación;
    if (!detalle.isEmpty()) t += QStringLiteral(": ") + detalle;
    if (!sql.isEmpty()) t += QStringLiteral(" [") + sql + QStringLiteral("]");
    return t.toStdString();
}
}  // namespace

ErrorAlmacen::ErrorAlmacen(QString operación, QString detalle, QString sql, QString código)
    : std::runtime_error(resumen(operación, detalle, sql)),
      operación_(std::move(operación)),
      detalle_(std::move(detalle)),
      sql_(std::move(sql)),
      código_(std::move(código)) {}

const QString ErrorAlmacen::kGenérica =
    QStringLiteral("No se pudo completar una operación en la base de datos.");

bool ErrorAlmacen::ocupado() const {
    // SQLite: 5 = SQLITE_BUSY, 6 = SQLITE_LOCKED, plus their extended codes; a server's
    // lock that did not come in time, or a deadlock.
    if (código_ == QLatin1String("55P03") || código_ == QLatin1String("40P01")) return true;
    const int c = códigoSqlite();
    return (c & 0xFF) == 5 || (c & 0xFF) == 6;
}

// SQLite's result codes take at most four digits; a server's SQLSTATE always five
// characters, some of them all digits (22021) that must not read as SQLite's.
int ErrorAlmacen::códigoSqlite() const {
    bool ok = false;
    const int c = código_.size() < 5 ? código_.toInt(&ok) : 0;
    return ok ? c : 0;
}

bool ErrorAlmacen::repetido() const {
    // SQLITE_CONSTRAINT_PRIMARYKEY and _UNIQUE; a server's unique_violation.
    return código_ == QLatin1String("1555") || código_ == QLatin1String("2067") ||
           código_ == QLatin1String("23505");
}

bool ErrorAlmacen::sinConexión() const {
    // Class 08 is the connection's (08001: it never opened); 57P01-57P03 a server
    // that ended the connection.
    return (código_.startsWith(QLatin1String("08")) && código_ != QLatin1String("08001")) ||
           código_ == QLatin1String("57P01") || código_ == QLatin1String("57P02") ||
           código_ == QLatin1String("57P03");
}

QString ErrorAlmacen::explicación() const {
    if (sinConexión())
        return QStringLiteral(
            "Se perdió la conexión con el servidor de la base de datos. Compruebe la red y que "
            "el servidor esté en marcha, y vuelva a intentarlo.");
    if (repetido())
        return QStringLiteral("Ya hay un registro con la misma clave en la base de datos.");
    if (ocupado())
        return QStringLiteral(
            "Otro usuario o programa está usando la base de datos en este momento. Intente de "
            "nuevo en unos instantes.");
    const int c = códigoSqlite();
    const bool sqlite = c != 0;
    if ((sqlite && c % 256 == 13) || código_ == QLatin1String("53100"))  // a full disk
        return QStringLiteral(
            "El disco donde está la base de datos está lleno. Libere espacio y vuelva a "
            "intentarlo.");
    if (sqlite) switch (c % 256) {  // the file's failures in words, its text in the details
            case 26:                // SQLITE_NOTADB
                return QStringLiteral(
                    "El archivo de la base de datos ya no es una base de datos: "
                    "fue reemplazado o se dañó.");
            case 11:  // SQLITE_CORRUPT
                return QStringLiteral(
                    "La base de datos está dañada. Restaure la última copia de "
                    "seguridad.");
            case 10:  // SQLITE_IOERR
                return QStringLiteral(
                    "No se pudo leer o escribir el archivo de la base de datos "
                    "(un error del disco o de la red).");
            case 8:   // SQLITE_READONLY
            case 14:  // SQLITE_CANTOPEN
                // A file that takes no changes is named by the sentence itself.
                return genérica() ? QStringLiteral(
                                        "No se pudo abrir o escribir el archivo de la base "
                                        "de datos.")
                                  : QString();
        }
    if (código_ == QLatin1String("57014"))
        return QStringLiteral(
            "El servidor tardó demasiado en responder y la operación se "
            "canceló. Intente de nuevo más tarde.");
    if (const QString rango = ExplicarRestricción(detalle_); !rango.isEmpty()) return rango;
    return detalle_;
}

QString ErrorAlmacen::textoUsuario() const {
    const QString e = explicación();
    return e.isEmpty() ? operación_ : operación_ + QStringLiteral("\n\n") + e;
}

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

bool ErrorAlmacen::ocupado() const {
    // SQLite: 5 = SQLITE_BUSY, 6 = SQLITE_LOCKED, plus their extended codes.
    bool ok = false;
    const int c = código_.toInt(&ok);
    return ok && ((c & 0xFF) == 5 || (c & 0xFF) == 6);
}

QString ErrorAlmacen::textoUsuario() const {
    QString t = operación_;
    if (ocupado())
        t += QStringLiteral(
            "\n\nOtro usuario o programa está usando la base de datos en este momento. "
            "Intente de nuevo en unos instantes.");
    else if (código_.toInt() % 256 == 13)  // SQLITE_FULL and its extended codes
        t += QStringLiteral(
            "\n\nEl disco donde está la base de datos está lleno. Libere espacio y vuelva a "
            "intentarlo.");
    else if (const QString rango = ExplicarRestricción(detalle_); !rango.isEmpty())
        t += QStringLiteral("\n\n") + rango;
    else if (!detalle_.isEmpty())
        t += QStringLiteral("\n\n") + detalle_;
    return t;
}

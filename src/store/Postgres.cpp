#include "store/Postgres.h"

#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Pq.h"

#include <QRegularExpression>

#include <algorithm>

QString EsquemaPostgres(const QString& sentencia) {
    QString s = sentencia;
    s.replace(QLatin1String("COLLATE TEXTO"), QLatin1String("COLLATE texto"));
    static const QRegularExpression real(QStringLiteral("\\bREAL\\b"));
    s.replace(real, QStringLiteral("DOUBLE PRECISION"));  // SQLite's REAL holds a double
    static const QRegularExpression blob(QStringLiteral("\\bBLOB\\b"));
    s.replace(blob, QStringLiteral("BYTEA"));
    // Detail and staged rows are read in the order they were written, "order by
    // rowid", and the import takes staged rows off by it: the column comes last, so
    // positional inserts stay as they are, and it is the key, as on the file. The
    // audit log is read in the order it was written too.
    static const QRegularExpression ordenada(
        QStringLiteral("\\bCREATE TABLE (?:(?:nvx_d|imp)_\\w+|candora_auditoria)\\s*\\("));
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
    const QString falla = QStringLiteral("No se pudo copiar la base al servidor.");
    std::vector<std::pair<QString, qint64>> copiadas;
    ConexiónPq c(conexión, usuario, contraseña);
    // One transaction: a failure (or a closed connection) leaves the server as it was.
    c.ejecutar(QStringLiteral("BEGIN"), falla);
    // The applicants keep the change times they bring with them.
    c.ejecutar(QStringLiteral("SET LOCAL candora.copiando = 'si'"), falla);
    for (const QString& tabla : TablasDatos()) {
        c.ejecutar(QStringLiteral("delete from %1").arg(tabla), falla);
        // Rows stream over in COPY's text format, a few thousand at a time.
        // The keyword index's texts travel as texts: the server keeps them uncompressed.
        auto rs = origen.AbrirRS(
            tabla == QLatin1String("candora_textos")
                ? QStringLiteral("select postulante, candora_descomprimir(texto) as texto from %1")
                      .arg(tabla)
                : QStringLiteral("select * from %1").arg(tabla));
        QStringList columnas;
        for (int i = 0; i < rs->FieldCount(); ++i) columnas << rs->FieldName(i);
        const qint64 tomadas = c.copiar(
            tabla, columnas,
            [&](QByteArray& lote) {
                QVariantList fila;
                for (int f = 0; f < 2000 && !rs->eof(); ++f, rs->MoveNext()) {
                    fila.clear();
                    for (int i = 0; i < rs->FieldCount(); ++i) fila << rs->valor(i);
                    AgregarFilaCopia(lote, fila);
                }
                return !rs->eof();
            },
            falla);
        const ResultadoPq n =
            c.ejecutar(QStringLiteral("select count(*) from %1").arg(tabla), falla);
        if (tomadas != rs->RecordCount() ||
            QByteArray(PQgetvalue(n.get(), 0, 0)).toLongLong() != rs->RecordCount())
            throw ErrorAlmacen(falla, QStringLiteral("La tabla %1 no quedó con sus %2 filas.")
                                          .arg(tabla)
                                          .arg(rs->RecordCount()));
        copiadas.emplace_back(tabla, rs->RecordCount());
    }
    c.ejecutar(QStringLiteral("COMMIT"), falla);
    return copiadas;
}

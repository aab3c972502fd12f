#include "store/Recordset.h"

#include "store/ErrorAlmacen.h"

#include <sqlite3.h>

#include <libpq-fe.h>

#include <cstdlib>
#include <cstring>

QVariant ValorColumna(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
        case SQLITE_INTEGER:
            return QVariant(qint64(sqlite3_column_int64(st, i)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(st, i));
        case SQLITE_BLOB: {
            const void* b = sqlite3_column_blob(st, i);
            return QVariant(QByteArray(static_cast<const char*>(b), sqlite3_column_bytes(st, i)));
        }
        case SQLITE_TEXT: {
            const void* t = sqlite3_column_text16(st, i);
            return QVariant(
                QString(static_cast<const QChar*>(t), sqlite3_column_bytes16(st, i) / 2));
        }
        default:
            return QVariant(QMetaType::fromType<QString>());
    }
}

Recordset::Recordset(sqlite3_stmt* st) {
    const int columnas = sqlite3_column_count(st);
    nombres_.reserve(columnas);
    for (int i = 0; i < columnas; ++i) agregarCampo(QString::fromUtf8(sqlite3_column_name(st, i)));
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int i = 0; i < columnas; ++i) {
            Celda c{};
            switch (sqlite3_column_type(st, i)) {
                case SQLITE_INTEGER:
                    c.tipo = Celda::Entero;
                    c.entero = sqlite3_column_int64(st, i);
                    break;
                case SQLITE_FLOAT:
                    c.tipo = Celda::Real;
                    c.real = sqlite3_column_double(st, i);
                    break;
                case SQLITE_TEXT: {
                    const auto* t = static_cast<const char16_t*>(sqlite3_column_text16(st, i));
                    c.tipo = Celda::Texto;
                    c.largo = uint32_t(sqlite3_column_bytes16(st, i) / 2);
                    c.desplazamiento = qint64(textos_.size());
                    textos_.insert(textos_.end(), t, t + c.largo);
                    break;
                }
                case SQLITE_BLOB: {
                    const void* b = sqlite3_column_blob(st, i);
                    c.tipo = Celda::Blob;
                    c.largo = uint32_t(sqlite3_column_bytes(st, i));
                    c.desplazamiento = blobs_.size();
                    blobs_.append(static_cast<const char*>(b), c.largo);
                    break;
                }
                default:
                    c.tipo = Celda::Nulo;
            }
            celdas_.push_back(c);
        }
        ++filas_;
    }
}

Recordset::Recordset(const pg_result* r) {
    const int columnas = PQnfields(r);
    for (int i = 0; i < columnas; ++i) agregarCampo(QString::fromUtf8(PQfname(r, i)));
    filas_ = PQntuples(r);
    celdas_.reserve(size_t(filas_) * size_t(columnas));
    for (int f = 0; f < filas_; ++f) {
        for (int i = 0; i < columnas; ++i) {
            Celda c{};
            const char* v = PQgetvalue(r, f, i);
            const int largo = PQgetlength(r, f, i);
            if (PQgetisnull(r, f, i)) {
                c.tipo = Celda::Nulo;
                celdas_.push_back(c);
                continue;
            }
            switch (PQftype(r, i)) {
                case 16:  // bool
                    c.tipo = Celda::Entero;
                    c.entero = *v == 't' ? 1 : 0;
                    break;
                case 20:  // int8, int2, int4, oid
                case 21:
                case 23:
                case 26:
                    c.tipo = Celda::Entero;
                    c.entero = std::strtoll(v, nullptr, 10);
                    break;
                case 1700:  // numeric: whole numbers (sums, counts) stay integers
                    if (!std::strpbrk(v, ".eEN")) {
                        c.tipo = Celda::Entero;
                        c.entero = std::strtoll(v, nullptr, 10);
                        break;
                    }
                    [[fallthrough]];
                case 700:  // float4, float8
                case 701:
                    c.tipo = Celda::Real;
                    c.real = QByteArray::fromRawData(v, largo).toDouble();
                    break;
                case 17: {  // bytea, in its hex text form
                    size_t n = 0;
                    unsigned char* b =
                        PQunescapeBytea(reinterpret_cast<const unsigned char*>(v), &n);
                    c.tipo = Celda::Blob;
                    c.largo = uint32_t(n);
                    c.desplazamiento = blobs_.size();
                    blobs_.append(reinterpret_cast<const char*>(b), qsizetype(n));
                    PQfreemem(b);
                    break;
                }
                default: {
                    const QString t = QString::fromUtf8(v, largo);
                    c.tipo = Celda::Texto;
                    c.largo = uint32_t(t.size());
                    c.desplazamiento = qint64(textos_.size());
                    textos_.insert(textos_.end(), t.utf16(), t.utf16() + t.size());
                }
            }
            celdas_.push_back(c);
        }
    }
}

void Recordset::agregarCampo(const QString& nombre) {
    const int i = int(nombres_.size());
    nombres_ << nombre;
    const QString clave = nombre.toLower();
    if (!porNombre_.contains(clave)) porNombre_.insert(clave, i);
    if (!exacto_.contains(nombre)) exacto_.insert(nombre, porNombre_.value(clave));
}

int Recordset::índice(const QString& nombre) const {
    // Callers mostly spell a field as the result does: no case folding then.
    if (const auto e = exacto_.constFind(nombre); e != exacto_.cend()) return e.value();
    const auto it = porNombre_.constFind(nombre.toLower());
    return it == porNombre_.cend() ? -1 : it.value();
}

int Recordset::campoObligatorio(const QString& nombre) const {
    const int i = índice(nombre);
    if (i < 0)
        throw ErrorAlmacen(QStringLiteral("No se pudo leer un dato de la base de datos"),
                           QStringLiteral("El resultado no tiene el campo «%1».").arg(nombre));
    return i;
}

const Recordset::Celda& Recordset::celda(int campo) const {
    if (actual_ < 0 || actual_ >= filas_ || campo < 0 || campo >= FieldCount())
        throw ErrorAlmacen(QStringLiteral("No se pudo leer un dato de la base de datos"),
                           QStringLiteral("No hay un registro actual."));
    return celdas_[size_t(actual_) * nombres_.size() + campo];
}

QString Recordset::textoDe(const Celda& c) const {
    return QString(reinterpret_cast<const QChar*>(textos_.data() + c.desplazamiento),
                   qsizetype(c.largo));
}

QVariant Recordset::valor(int campo) const {
    const Celda& c = celda(campo);
    switch (c.tipo) {
        case Celda::Entero:
            return QVariant(c.entero);
        case Celda::Real:
            return QVariant(c.real);
        case Celda::Texto:
            return QVariant(textoDe(c));
        case Celda::Blob:
            return QVariant(blobs_.mid(c.desplazamiento, c.largo));
        default:
            return QVariant(QMetaType::fromType<QString>());
    }
}

QVariant Recordset::valor(const QString& campo) const {
    return valor(campoObligatorio(campo));
}

QString Recordset::texto(int campo) const {
    const Celda& c = celda(campo);
    switch (c.tipo) {
        case Celda::Nulo:
            return {};
        case Celda::Texto:
            return textoDe(c);
        default:
            return valor(campo).toString();
    }
}

qint64 Recordset::entero(int campo) const {
    const Celda& c = celda(campo);
    switch (c.tipo) {
        case Celda::Nulo:
            return 0;
        case Celda::Entero:
            return c.entero;
        default:
            return valor(campo).toLongLong();
    }
}

double Recordset::real(int campo) const {
    const Celda& c = celda(campo);
    switch (c.tipo) {
        case Celda::Nulo:
            return 0.0;
        case Celda::Entero:
            return double(c.entero);
        case Celda::Real:
            return c.real;
        default:
            return valor(campo).toDouble();
    }
}

QHash<qint64, std::vector<int>> FilasPorClave(Recordset& rs) {
    QHash<qint64, std::vector<int>> filas;
    for (rs.MoveFirst(); !rs.eof(); rs.MoveNext())
        filas[rs.entero(0)].push_back(rs.AbsolutePosition());
    return filas;
}

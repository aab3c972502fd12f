#include "store/Recordset.h"

#include "store/ErrorAlmacen.h"

#include <sqlite3.h>

#include <QSqlQuery>
#include <QSqlRecord>

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

Recordset::Recordset(QSqlQuery& q) {
    const QSqlRecord r = q.record();
    const int columnas = r.count();
    for (int i = 0; i < columnas; ++i) agregarCampo(r.fieldName(i));
    while (q.next()) {
        for (int i = 0; i < columnas; ++i) {
            const QVariant v = q.value(i);
            Celda c{};
            if (v.isNull()) {
                c.tipo = Celda::Nulo;
            } else {
                switch (v.metaType().id()) {
                    case QMetaType::Bool:
                    case QMetaType::Int:
                    case QMetaType::UInt:
                    case QMetaType::LongLong:
                    case QMetaType::ULongLong:
                        c.tipo = Celda::Entero;
                        c.entero = v.toLongLong();
                        break;
                    case QMetaType::Double:
                    case QMetaType::Float:
                        c.tipo = Celda::Real;
                        c.real = v.toDouble();
                        break;
                    case QMetaType::QByteArray: {
                        const QByteArray b = v.toByteArray();
                        c.tipo = Celda::Blob;
                        c.largo = uint32_t(b.size());
                        c.desplazamiento = blobs_.size();
                        blobs_.append(b);
                        break;
                    }
                    default: {
                        const QString t = v.toString();
                        c.tipo = Celda::Texto;
                        c.largo = uint32_t(t.size());
                        c.desplazamiento = qint64(textos_.size());
                        textos_.insert(textos_.end(), t.utf16(), t.utf16() + t.size());
                    }
                }
            }
            celdas_.push_back(c);
        }
        ++filas_;
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

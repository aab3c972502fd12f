#include "store/Recordset.h"

#include "store/ErrorAlmacen.h"

#include <QSqlQuery>
#include <QSqlRecord>

Recordset::Recordset(QSqlQuery& consulta) {
    const QSqlRecord r = consulta.record();
    const int columnas = r.count();
    nombres_.reserve(columnas);
    for (int i = 0; i < columnas; ++i) {
        nombres_ << r.fieldName(i);
        const QString clave = r.fieldName(i).toLower();
        if (!porNombre_.contains(clave)) porNombre_.insert(clave, i);
    }
    while (consulta.next()) {
        for (int i = 0; i < columnas; ++i) valores_.push_back(consulta.value(i));
        ++filas_;
    }
}

int Recordset::índice(const QString& nombre) const {
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

const QVariant& Recordset::valor(int campo) const {
    if (actual_ < 0 || actual_ >= filas_ || campo < 0 || campo >= FieldCount())
        throw ErrorAlmacen(QStringLiteral("No se pudo leer un dato de la base de datos"),
                           QStringLiteral("No hay un registro actual."));
    return valores_[size_t(actual_) * nombres_.size() + campo];
}

const QVariant& Recordset::valor(const QString& campo) const {
    return valor(campoObligatorio(campo));
}

QString Recordset::texto(int campo) const {
    const QVariant& v = valor(campo);
    return v.isNull() ? QString() : v.toString();
}

qint64 Recordset::entero(int campo) const {
    const QVariant& v = valor(campo);
    return v.isNull() ? 0 : v.toLongLong();
}

double Recordset::real(int campo) const {
    const QVariant& v = valor(campo);
    return v.isNull() ? 0.0 : v.toDouble();
}

#pragma once

#include <QString>

#include <cstdint>

// One row of the data dictionary nvx_diccionario. An id of 0 means "not found".
struct Campo {
    int32_t id = 0;
    int16_t orden = 0;
    QString tabla;
    QString Tipo;
    QString Nombre_Columna;
    QString Relacion_Tabla;
    QString Relacion_Clave;
    QString Relacion_Retorno;
    QString Nombre_Largo;
};

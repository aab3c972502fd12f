#pragma once

#include "store/Coleccion.h"
#include "store/Elemento.h"

#include <QString>

#include <cstdint>

// The statements that add one row of each detail table: the record's lists and
// the demonstration generator write the same rows.
namespace AltaDetalle {
inline const QString kFamiliar = QStringLiteral(
    "insert into nvx_d_familiares "
    "(postulante,parentesco,nombre,edad,vive,convive,acargo,ocupacion,empresa) values "
    "(?,?,?,?,?,?,?,?,?)");
inline const QString kFormación = QStringLiteral(
    "insert into nvx_d_formacion "
    "(postulante,nivel,area,titulo,institucion,estado,materias_aprobadas,materias_restantes,"
    "promedio,ingreso,ultimo,completos) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
inline const QString kIdioma = QStringLiteral(
    "insert into nvx_d_idiomas (postulante,idioma,habla,lee,escribe) values (?,?,?,?,?)");
inline const QString kExperiencia = QStringLiteral(
    "insert into nvx_d_experiencia "
    "(postulante,area,puesto,empleador,empleador_rubro,actividades,ingreso_mes,ingreso_ano,egreso_"
    "mes,egreso_ano,empleo_actual,gente_acargo,motivo_egreso,observaciones,remuneracion) VALUES "
    "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
inline const QString kInterés =
    QStringLiteral("insert into nvx_d_interes (postulante,area) values (?,?)");
inline const QString kFoto =
    QStringLiteral("insert into nvx_d_fotos (postulante,titulo,foto) values (?,?,?)");
}  // namespace AltaDetalle

// The detail rows of an applicant. Rows have no key of their own: a
// collection's order is the only identity its elements have, and saving a
// collection makes the applicant's rows of its table equal to it.

class cFamiliar {
  public:
    uint8_t Parentesco = 0;
    QString Nombre;
    uint8_t Edad = 0;
    bool Vive = false;
    bool Convive = false;
    bool Acargo = false;
    Elemento Ocupación;
    Elemento Empresa;
};

class cFormación {
  public:
    uint8_t Tipo = 0;
    uint8_t área = 0;
    Elemento Título;
    Elemento institución;
    uint8_t estado = 0;
    uint8_t MateriasAprobadas = 0;
    uint8_t MateriasRestantes = 0;
    float Promedio = 0;
    int16_t AñoIngreso = 0;
    int16_t AñoÚltimo = 0;
    uint8_t AñosCompletos = 0;
};

class cIdioma {
  public:
    uint8_t Idioma = 0;
    uint8_t Habla = 0;
    uint8_t Lee = 0;
    uint8_t Escribe = 0;
};

class cExperiencia {
  public:
    uint8_t área = 0;
    uint8_t puesto = 0;
    Elemento empleador;
    int32_t empleador_rubro = 0;  // a list that grows with every import
    QString actividades;
    uint8_t ingreso_mes = 0;
    int16_t ingreso_año = 0;
    uint8_t egreso_mes = 0;
    int16_t egreso_año = 0;
    uint8_t empleo_actual = 0;
    uint8_t gente_acargo = 0;
    uint8_t motivo_egreso = 0;
    QString remuneración =
        QStringLiteral("0");  // a number in C notation; anything else is stored as Null
    QString Observaciones;
};

class cFoto {
  public:
    QString Título;
    QString Archivo;
};

// The collection classes carry the names the record's members have, so they
// live in their own namespace.
namespace Colecciones {

class familiares : public Coleccion<cFamiliar> {
  public:
    cFamiliar& Add(uint8_t Parentesco, uint8_t Edad, bool Acargo, const QString& Nombre, bool Vive,
                   bool Convive, const Elemento& Ocupación, const Elemento& Empresa,
                   const QString& clave = {});
    void guardar(int32_t postulante) const;
};

class formación : public Coleccion<cFormación> {
  public:
    cFormación& Add(uint8_t Tipo, const Elemento& institución, uint8_t estado,
                    uint8_t MateriasAprobadas, uint8_t MateriasRestantes, int16_t AñoIngreso,
                    int16_t AñoÚltimo, float Promedio, uint8_t área, const Elemento& Título,
                    const QString& clave = {});
    void guardar(int32_t postulante) const;
};

class idiomas : public Coleccion<cIdioma> {
  public:
    cIdioma& Add(uint8_t Idioma, uint8_t Habla, uint8_t Lee, uint8_t Escribe,
                 const QString& clave = {});
    void guardar(int32_t postulante) const;
};

class Experiencia : public Coleccion<cExperiencia> {
  public:
    cExperiencia& Add(uint8_t área, uint8_t puesto, const Elemento& empleador,
                      int32_t empleador_rubro, uint8_t ingreso_mes, int16_t ingreso_año,
                      uint8_t egreso_mes, int16_t egreso_año, uint8_t empleo_actual,
                      const QString& actividades, uint8_t gente_acargo, uint8_t motivo_egreso,
                      const QString& remuneración, const QString& Observaciones,
                      const QString& clave = {});
    void guardar(int32_t postulante) const;
};

// Interest areas: the area codes themselves.
class ÁreasInterés : public Coleccion<uint8_t> {
  public:
    uint8_t& Add(uint8_t área, const QString& clave = {}) { return Agregar(área, clave); }
    void guardar(int32_t postulante) const;
};

class Fotos : public Coleccion<cFoto> {
  public:
    cFoto& Add(const QString& Título, const QString& Archivo, const QString& clave = {});
    void guardar(int32_t postulante) const;
};

}  // namespace Colecciones

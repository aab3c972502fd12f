#include "records/Subregistros.h"

#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Valores.h"

namespace Colecciones {

namespace {

// Empties the applicant's rows of a detail table; each collection then inserts its elements.
Diccionario& vaciar(const char* tabla, int32_t postulante) {
    Diccionario& d = Almacén();
    d.ejecutar(QStringLiteral("DELETE from %1 WHERE postulante = ?").arg(QLatin1String(tabla)),
               {postulante});
    return d;
}

// The id of a lookup name, found or added; 0 for an empty name.
QVariant idDe(Diccionario& d, const char* tabla, const Elemento& e) {
    return d.Nuevo_Elemento(QLatin1String(tabla), e.Nombre);
}

}  // namespace

cFamiliar& familiares::Add(uint8_t Parentesco, uint8_t Edad, bool Acargo, const QString& Nombre,
                           bool Vive, bool Convive, const Elemento& Ocupación,
                           const Elemento& Empresa, const QString& clave) {
    cFamiliar f;
    f.Parentesco = Parentesco;
    f.Edad = Edad;
    f.Acargo = Acargo;
    f.Nombre = Nombre;
    f.Vive = Vive;
    f.Convive = Convive;
    f.Ocupación = Ocupación;
    f.Empresa = Empresa;
    return Agregar(std::move(f), clave);
}

void familiares::guardar(int32_t postulante) const {
    Diccionario& d = vaciar("nvx_d_familiares", postulante);
    for (const cFamiliar& f : *this)
        d.ejecutar(
            AltaDetalle::kFamiliar,
            {postulante, f.Parentesco, ValorTexto(f.Nombre), f.Edad, f.Vive, f.Convive, f.Acargo,
             idDe(d, "nvx_m_ocupaciones", f.Ocupación), idDe(d, "nvx_m_empleadores", f.Empresa)});
}

cFormación& formación::Add(uint8_t Tipo, const Elemento& institución, uint8_t estado,
                           uint8_t MateriasAprobadas, uint8_t MateriasRestantes, int16_t AñoIngreso,
                           int16_t AñoÚltimo, float Promedio, uint8_t área, const Elemento& Título,
                           const QString& clave) {
    cFormación f;
    f.Tipo = Tipo;
    f.institución = institución;
    f.estado = estado;
    f.MateriasAprobadas = MateriasAprobadas;
    f.MateriasRestantes = MateriasRestantes;
    f.AñoIngreso = AñoIngreso;
    f.AñoÚltimo = AñoÚltimo;
    f.Promedio = Promedio;
    f.área = área;
    f.Título = Título;
    return Agregar(std::move(f), clave);
}

void formación::guardar(int32_t postulante) const {
    Diccionario& d = vaciar("nvx_d_formacion", postulante);
    for (const cFormación& f : *this)
        d.ejecutar(AltaDetalle::kFormación,
                   {postulante, f.Tipo, f.área, idDe(d, "nvx_m_titulos", f.Título),
                    idDe(d, "nvx_m_formacion_institutos", f.institución), f.estado,
                    f.MateriasAprobadas, f.MateriasRestantes, RedondearSimple(f.Promedio),
                    f.AñoIngreso, f.AñoÚltimo, f.AñosCompletos});
}

cIdioma& idiomas::Add(uint8_t Idioma, uint8_t Habla, uint8_t Lee, uint8_t Escribe,
                      const QString& clave) {
    return Agregar(cIdioma{Idioma, Habla, Lee, Escribe}, clave);
}

void idiomas::guardar(int32_t postulante) const {
    Diccionario& d = vaciar("nvx_d_idiomas", postulante);
    for (const cIdioma& i : *this)
        d.ejecutar(AltaDetalle::kIdioma, {postulante, i.Idioma, i.Habla, i.Lee, i.Escribe});
}

cExperiencia& Experiencia::Add(uint8_t área, uint8_t puesto, const Elemento& empleador,
                               int32_t empleador_rubro, uint8_t ingreso_mes, int16_t ingreso_año,
                               uint8_t egreso_mes, int16_t egreso_año, uint8_t empleo_actual,
                               const QString& actividades, uint8_t gente_acargo,
                               uint8_t motivo_egreso, const QString& remuneración,
                               const QString& Observaciones, const QString& clave) {
    cExperiencia e;
    e.área = área;
    e.puesto = puesto;
    e.empleador = empleador;
    e.empleador_rubro = empleador_rubro;
    e.ingreso_mes = ingreso_mes;
    e.ingreso_año = ingreso_año;
    e.egreso_mes = egreso_mes;
    e.egreso_año = egreso_año;
    e.empleo_actual = empleo_actual;
    e.actividades = actividades;
    e.gente_acargo = gente_acargo;
    e.motivo_egreso = motivo_egreso;
    e.remuneración = remuneración;
    e.Observaciones = Observaciones;
    return Agregar(std::move(e), clave);
}

void Experiencia::guardar(int32_t postulante) const {
    Diccionario& d = vaciar("nvx_d_experiencia", postulante);
    for (const cExperiencia& e : *this)
        d.ejecutar(AltaDetalle::kExperiencia,
                   {postulante, e.área, e.puesto, idDe(d, "nvx_m_empleadores", e.empleador),
                    e.empleador_rubro, ValorTexto(e.actividades), e.ingreso_mes, e.ingreso_año,
                    e.egreso_mes, e.egreso_año, e.empleo_actual, e.gente_acargo, e.motivo_egreso,
                    ValorTexto(e.Observaciones), ValorNumérico(e.remuneración)});
}

void ÁreasInterés::guardar(int32_t postulante) const {
    Diccionario& d = vaciar("nvx_d_interes", postulante);
    for (const uint8_t área : *this) d.ejecutar(AltaDetalle::kInterés, {postulante, área});
}

cFoto& Fotos::Add(const QString& Título, const QString& Archivo, const QString& clave) {
    return Agregar(cFoto{Título, Archivo}, clave);
}

void Fotos::guardar(int32_t postulante) const {
    Diccionario& d = vaciar("nvx_d_fotos", postulante);
    // Both texts are stored as they are, an empty caption as the empty text.
    const auto tal_cual = [](const QString& t) { return t.isNull() ? QStringLiteral("") : t; };
    for (const cFoto& f : *this)
        d.ejecutar(AltaDetalle::kFoto, {postulante, tal_cual(f.Título), tal_cual(f.Archivo)});
}

}  // namespace Colecciones

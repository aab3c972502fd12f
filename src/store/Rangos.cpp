#include "store/Rangos.h"

#include <QDate>
#include <QRegularExpression>

#include <cmath>

namespace {

using C = ClaseValor;
constexpr qint64 kPrimerAño = 1900;
constexpr qint64 kÚltimoAño = 2100;

// Byte codes hold 0 to 255, as the record's fields do; 16-bit codes 0 to 32767;
// growing lists 32-bit ids. No code, count or measure is negative.
const Rango kRangos[] = {
    {"nvx_m_postulantes", "dni_pais", C::Entero, 0, kByte, "nvx_m_paises", "país del documento"},
    {"nvx_m_postulantes", "sexo", C::Entero, 0, kByte, "nvx_m_sexos", "sexo"},
    {"nvx_m_postulantes", "nac_dia", C::Entero, 0, 31, nullptr, "día de nacimiento"},
    {"nvx_m_postulantes", "nac_mes", C::Entero, 0, 12, nullptr, "mes de nacimiento"},
    {"nvx_m_postulantes", "nac_ano", C::Año, kPrimerAño, kÚltimoAño, nullptr, "año de nacimiento"},
    {"nvx_m_postulantes", "nac_localidad", C::Entero, 0, k32, "nvx_m_localidades"},
    {"nvx_m_postulantes", "nac_provincia", C::Entero, 0, k16, "nvx_m_provincias",
     "provincia de nacimiento"},
    {"nvx_m_postulantes", "nac_pais", C::Entero, 0, kByte, "nvx_m_paises", "país de nacimiento"},
    {"nvx_m_postulantes", "nacionalidad", C::Entero, 0, kByte, "nvx_m_paises", "nacionalidad"},
    {"nvx_m_postulantes", "estado_civil", C::Entero, 0, kByte, "nvx_m_estados_civiles",
     "estado civil"},
    {"nvx_m_postulantes", "tiene_hijos", C::Entero, 0, kByte, nullptr, "hijos"},
    {"nvx_m_postulantes", "res_barrio", C::Entero, 0, k32, "nvx_m_barrios"},
    {"nvx_m_postulantes", "res_localidad", C::Entero, 0, k32, "nvx_m_localidades"},
    {"nvx_m_postulantes", "res_provincia", C::Entero, 0, k16, "nvx_m_provincias",
     "provincia de residencia"},
    {"nvx_m_postulantes", "res_pais", C::Entero, 0, kByte, "nvx_m_paises", "país de residencia"},
    {"nvx_m_postulantes", "tel1_tipo", C::Entero, 0, kByte, "nvx_m_tipos_telefono",
     "tipo del teléfono 1"},
    {"nvx_m_postulantes", "tel2_tipo", C::Entero, 0, kByte, "nvx_m_tipos_telefono",
     "tipo del teléfono 2"},
    {"nvx_m_postulantes", "tel3_tipo", C::Entero, 0, kByte, "nvx_m_tipos_telefono",
     "tipo del teléfono 3"},
    {"nvx_m_postulantes", "formsec_orientacion", C::Entero, 0, kByte, "nvx_m_formsec_areas",
     "orientación secundaria"},
    {"nvx_m_postulantes", "formsec_estado", C::Entero, 0, kByte, "nvx_m_formacion_estados",
     "estado de la secundaria"},
    {"nvx_m_postulantes", "formsec_completos", C::Entero, 0, kByte, nullptr, "años de secundaria"},
    {"nvx_m_postulantes", "remun_mensual", C::Entero, 0, k32, nullptr, "remuneración mensual"},
    {"nvx_m_postulantes", "remun_hora", C::Real, 0, kSinTope, nullptr, "remuneración por hora"},
    {"nvx_m_postulantes", "moneda_mes", C::Entero, 0, kByte, "nvx_m_monedas", "moneda mensual"},
    {"nvx_m_postulantes", "moneda_hora", C::Entero, 0, kByte, "nvx_m_monedas", "moneda por hora"},
    {"nvx_m_postulantes", "obra_social", C::Entero, 0, kByte, nullptr, "obra social"},
    {"nvx_m_postulantes", "tiques_almuerzo", C::Entero, 0, kByte, nullptr, "tiques"},
    {"nvx_m_postulantes", "relacion_dependencia", C::Entero, 0, kByte, nullptr,
     "relación de dependencia"},
    {"nvx_m_postulantes", "viajar", C::Entero, 0, kByte, nullptr, "viajar"},
    {"nvx_m_postulantes", "emigrar", C::Entero, 0, kByte, nullptr, "emigrar"},
    {"nvx_m_postulantes", "disp_semanal", C::Entero, 0, kByte, "nvx_m_disponibilidad_semanal",
     "disponibilidad semanal"},
    {"nvx_m_postulantes", "disp_horaria", C::Entero, 0, kByte, "nvx_m_disponibilidad_horaria",
     "disponibilidad horaria"},
    {"nvx_m_postulantes", "estatura", C::Entero, 0, k16, nullptr, "estatura"},
    {"nvx_m_postulantes", "med_a", C::Entero, 0, k16, nullptr, "medida A"},
    {"nvx_m_postulantes", "med_b", C::Entero, 0, k16, nullptr, "medida B"},
    {"nvx_m_postulantes", "med_c", C::Entero, 0, k16, nullptr, "medida C"},
    {"nvx_m_postulantes", "presencia", C::Entero, 0, kByte, "nvx_m_presencias", "presencia"},
    {"nvx_m_postulantes", "contextura", C::Entero, 0, kByte, "nvx_m_contexturas", "contextura"},
    {"nvx_m_postulantes", "dato_a", C::Entero, 0, k32, "nvx_m_datos_a"},
    {"nvx_m_postulantes", "dato_b", C::Entero, 0, k32, "nvx_m_datos_b"},
    {"nvx_m_postulantes", "dato_c", C::Entero, 0, k32, "nvx_m_datos_c"},
    {"nvx_m_postulantes", "dato_d", C::Entero, 0, k32, "nvx_m_datos_d"},
    {"nvx_m_postulantes", "dato_e", C::Entero, 0, k32, "nvx_m_datos_e"},
    {"nvx_m_postulantes", "dato_f", C::Entero, 0, k32, "nvx_m_datos_f"},
    {"nvx_m_postulantes", "dato_g", C::Entero, 0, k32, "nvx_m_datos_g"},
    {"nvx_m_postulantes", "dato_h", C::Entero, 0, k32, "nvx_m_datos_h"},
    {"nvx_m_postulantes", "dato_i", C::Entero, 0, k32, "nvx_m_datos_i"},
    {"nvx_m_postulantes", "dato_j", C::Entero, 0, k32, "nvx_m_datos_j"},
    {"nvx_m_postulantes", "activo", C::Entero, 0, kByte, nullptr, "disponible para búsquedas"},

    {"nvx_d_familiares", "parentesco", C::Entero, 0, kByte, "nvx_m_parentescos", "parentesco"},
    {"nvx_d_familiares", "edad", C::Entero, 0, kByte, nullptr, "edad del familiar"},
    {"nvx_d_familiares", "vive", C::Entero, 0, kByte, nullptr, "vive"},
    {"nvx_d_familiares", "convive", C::Entero, 0, kByte, nullptr, "convive"},
    {"nvx_d_familiares", "acargo", C::Entero, 0, kByte, nullptr, "a cargo"},
    {"nvx_d_familiares", "ocupacion", C::Entero, 0, k32, "nvx_m_ocupaciones"},
    {"nvx_d_familiares", "empresa", C::Entero, 0, k32, "nvx_m_empleadores"},

    {"nvx_d_formacion", "nivel", C::Entero, 0, kByte, "nvx_m_formacion_tipos", "nivel de estudios"},
    {"nvx_d_formacion", "area", C::Entero, 0, kByte, "nvx_m_formacion_areas", "área de estudios"},
    {"nvx_d_formacion", "titulo", C::Entero, 0, k32, "nvx_m_titulos", "título"},
    {"nvx_d_formacion", "institucion", C::Entero, 0, k32, "nvx_m_formacion_institutos"},
    {"nvx_d_formacion", "estado", C::Entero, 0, kByte, "nvx_m_formacion_estados",
     "estado de los estudios"},
    {"nvx_d_formacion", "materias_aprobadas", C::Entero, 0, kByte, nullptr, "materias aprobadas"},
    {"nvx_d_formacion", "materias_restantes", C::Entero, 0, kByte, nullptr, "materias restantes"},
    {"nvx_d_formacion", "promedio", C::Real, 0, 100, nullptr, "promedio"},
    {"nvx_d_formacion", "ingreso", C::Año, kPrimerAño, kÚltimoAño, nullptr,
     "año de ingreso a los estudios"},
    {"nvx_d_formacion", "ultimo", C::Año, kPrimerAño, kÚltimoAño, nullptr, "último año cursado"},
    {"nvx_d_formacion", "completos", C::Entero, 0, kByte, nullptr, "años completos"},

    {"nvx_d_idiomas", "idioma", C::Entero, 0, kByte, "nvx_m_idiomas", "idioma"},
    {"nvx_d_idiomas", "habla", C::Entero, 0, kByte, "nvx_m_idiomas_niveles", "nivel hablado"},
    {"nvx_d_idiomas", "lee", C::Entero, 0, kByte, "nvx_m_idiomas_niveles", "nivel de lectura"},
    {"nvx_d_idiomas", "escribe", C::Entero, 0, kByte, "nvx_m_idiomas_niveles", "nivel escrito"},

    {"nvx_d_experiencia", "area", C::Entero, 0, kByte, "nvx_m_experiencia_areas",
     "área de la experiencia"},
    {"nvx_d_experiencia", "puesto", C::Entero, 0, kByte, "nvx_m_experiencia_puestos", "puesto"},
    {"nvx_d_experiencia", "empleador", C::Entero, 0, k32, "nvx_m_empleadores"},
    {"nvx_d_experiencia", "empleador_rubro", C::Entero, 0, k32, "nvx_m_empleadores_rubros"},
    {"nvx_d_experiencia", "ingreso_mes", C::Entero, 0, 12, nullptr, "mes de ingreso"},
    {"nvx_d_experiencia", "ingreso_ano", C::Año, kPrimerAño, kÚltimoAño, nullptr, "año de ingreso"},
    {"nvx_d_experiencia", "egreso_mes", C::Entero, 0, 12, nullptr, "mes de egreso"},
    {"nvx_d_experiencia", "egreso_ano", C::Año, kPrimerAño, kÚltimoAño, nullptr, "año de egreso"},
    {"nvx_d_experiencia", "empleo_actual", C::Entero, 0, kByte, nullptr, "empleo actual"},
    {"nvx_d_experiencia", "gente_acargo", C::Entero, 0, kByte, nullptr, "gente a cargo"},
    {"nvx_d_experiencia", "motivo_egreso", C::Entero, 0, kByte, "nvx_m_motivos_egreso",
     "motivo de egreso"},
    {"nvx_d_experiencia", "remuneracion", C::Real, 0, kSinTope, nullptr, "remuneración"},

    {"nvx_d_interes", "area", C::Entero, 0, kByte, "nvx_m_experiencia_areas", "área de interés"},
};

QString Número(qint64 n) {
    return QString::number(n);
}

// "rango_m_postulantes_sexo": unique in the store, and it names the column.
QString NombreRestricción(const Rango& r) {
    return QStringLiteral("rango_") + QLatin1String(r.tabla).mid(4) + u'_' +
           QLatin1String(r.columna);
}

const QString kFechaNacimiento = QStringLiteral("fecha_nacimiento");

}  // namespace

std::span<const Rango> Rangos() {
    return kRangos;
}

const Rango* RangoDe(const QString& tabla, const QString& columna) {
    for (const Rango& r : kRangos)
        if (tabla.compare(QLatin1String(r.tabla), Qt::CaseInsensitive) == 0 &&
            columna.compare(QLatin1String(r.columna), Qt::CaseInsensitive) == 0)
            return &r;
    return nullptr;
}

QString NombreRango(const Rango& r) {
    return QString::fromUtf8(r.nombre ? r.nombre : r.columna);
}

QString DescripciónRango(const Rango& r) {
    const QString entre =
        r.máximo == kSinTope
            ? QStringLiteral("mayor o igual a %1").arg(Número(r.mínimo))
            : QStringLiteral("entre %1 y %2").arg(Número(r.mínimo), Número(r.máximo));
    switch (r.clase) {
        case ClaseValor::Real:
            return QStringLiteral("un número ") + entre;
        case ClaseValor::Año:
            return QStringLiteral("un año ") + entre + QStringLiteral(" (0 si no se conoce)");
        case ClaseValor::Entero:
            break;
    }
    return QStringLiteral("un número entero ") + entre;
}

QString FueraDeRango(const Rango& r, const QVariant& valor) {
    if (valor.isNull()) return {};
    const auto tipo = valor.metaType().id();
    const bool texto = tipo == QMetaType::QString || tipo == QMetaType::QByteArray;
    bool ok = false;
    const double v = texto ? valor.toString().trimmed().toDouble(&ok) : valor.toDouble(&ok);
    const bool entero = ok && std::isfinite(v) && v == std::floor(v);
    bool dentro = ok && std::isfinite(v) && v >= double(r.mínimo) && v <= double(r.máximo);
    if (r.clase != ClaseValor::Real)
        dentro = entero && (dentro || (r.clase == ClaseValor::Año && v == 0));
    return dentro ? QString() : QStringLiteral("debe ser ") + DescripciónRango(r);
}

bool FechaPosible(int día, int mes, int año) {
    if (día < 0 || día > 31 || mes < 0 || mes > 12) return false;
    if (día == 0 || mes == 0) return true;
    // A year not given counts as a leap year: 29/2 may be right.
    return QDate::isValid(año != 0 ? año : 2000, mes, día);
}

QString CondiciónRango(const Rango& r) {
    const QString c = QLatin1String(r.columna);
    // Both bounds always: on the file a text sorts after every number, so a text
    // in a number column fails the upper one.
    const QString entre =
        QStringLiteral("%1 BETWEEN %2 AND %3").arg(c, Número(r.mínimo), Número(r.máximo));
    return r.clase == ClaseValor::Año ? QStringLiteral("(%1 = 0 OR %2)").arg(c, entre) : entre;
}

QString CondiciónFechaNacimiento() {
    // A year not given (0 or Null) is divisible by 400: a leap year, so 29/2 stays possible.
    return QStringLiteral(
        "nac_dia <= CASE nac_mes WHEN 2 THEN CASE WHEN coalesce(nac_ano, 0) % 4 = 0 AND "
        "(coalesce(nac_ano, 0) % 100 <> 0 OR coalesce(nac_ano, 0) % 400 = 0) THEN 29 ELSE 28 END "
        "WHEN 4 THEN 30 WHEN 6 THEN 30 WHEN 9 THEN 30 WHEN 11 THEN 30 ELSE 31 END");
}

QStringList RestriccionesTabla(const QString& tabla) {
    QStringList r;
    for (const Rango& x : kRangos)
        if (tabla.compare(QLatin1String(x.tabla), Qt::CaseInsensitive) == 0)
            r << QStringLiteral("CONSTRAINT %1 CHECK (%2)")
                     .arg(NombreRestricción(x), CondiciónRango(x));
    if (tabla.compare(QLatin1String("nvx_m_postulantes"), Qt::CaseInsensitive) == 0)
        r << QStringLiteral("CONSTRAINT %1 CHECK (%2)")
                 .arg(kFechaNacimiento, CondiciónFechaNacimiento());
    return r;
}

QString ConRestricciones(const QString& crearTabla) {
    static const QRegularExpression nombre(QStringLiteral("CREATE TABLE\\s+(\\w+)\\s*\\("),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = nombre.match(crearTabla);
    if (!m.hasMatch()) return crearTabla;
    const QStringList r = RestriccionesTabla(m.captured(1));
    const qsizetype cierre = crearTabla.lastIndexOf(u')');
    if (r.isEmpty() || cierre < 0) return crearTabla;
    QString s = crearTabla;
    s.insert(cierre, QStringLiteral(",\n  ") + r.join(QStringLiteral(",\n  ")) + u'\n');
    return s;
}

QString ExplicarRestricción(const QString& mensaje) {
    if (mensaje.contains(kFechaNacimiento))
        return QStringLiteral("La fecha de nacimiento no existe en el calendario.");
    static const QRegularExpression nombre(QStringLiteral("rango_\\w+"));
    const QRegularExpressionMatch m = nombre.match(mensaje);
    if (!m.hasMatch()) return {};
    for (const Rango& r : kRangos)
        if (NombreRestricción(r) == m.captured(0)) {
            return QStringLiteral("El valor de «%1» está fuera de su rango: debe ser %2.")
                .arg(NombreRango(r), DescripciónRango(r));
        }
    return {};
}

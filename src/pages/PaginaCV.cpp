#include "pages/PaginaCV.h"

#include "pages/Html.h"
#include "records/cPostulante.h"
#include "store/Cadenas.h"
#include "store/Valores.h"

#include <QFileInfo>
#include <QLocale>
#include <QUrl>

namespace {

QString SíNo(bool sí) {
    return sí ? QStringLiteral("Sí") : QStringLiteral("No");
}

// A number that 0 means "not given" for: empty then.
QString NúmeroDado(qint64 n) {
    return n == 0 ? QString() : QString::number(n);
}

QString MesAño(int mes, int año) {
    return QString::number(mes) + u'/' + QString::number(año);
}

// The img element of the first photo, or "" without photos.
QString ElementoFoto(const cPostulante& p) {
    if (p.Fotos.Count() == 0) return {};
    const cFoto& f = p.Fotos.Item(1);
    const QString ruta = f.Archivo.trimmed();
    const QString url =
        ruta.isEmpty()
            ? QString()
            : QUrl::fromLocalFile(QFileInfo(ruta).absoluteFilePath()).toString(QUrl::FullyEncoded);
    return QStringLiteral("<img src=\"%1\" alt=\"%2\" height=\"200\">")
        .arg(EscaparHTML(url), EscaparHTML(f.Título));
}

// One entry template filled for each item of a collection, or "Sin datos.".
template <class C, class F>
QString Grupo(const C& colección, int plantilla, F llenar) {
    if (colección.Count() == 0) return QStringLiteral("Sin datos.");
    QString r;
    for (const auto& item : colección) {
        Plantilla e(plantilla);
        llenar(e, item);
        r += e.texto();
    }
    return r;
}

}  // namespace

QString PáginaCV(Diccionario& d, const cPostulante& p, const QString& usuario,
                 const QDateTime& ahora) {
    NombresElementos nombre(d);
    const QString países = QStringLiteral("nvx_m_paises");
    const QString provincias = QStringLiteral("nvx_m_provincias");
    const QString monedas = QStringLiteral("nvx_m_monedas");
    const QString símbolo = QStringLiteral("simbolo");
    const QString estados = QStringLiteral("nvx_m_formacion_estados");

    Plantilla h(101);
    h.LlenarHTML(QStringLiteral("foto"), ElementoFoto(p));
    h.Llenar(QStringLiteral("apellido"), p.Apellido);
    h.Llenar(QStringLiteral("nombre"), p.Nombre);
    h.Llenar(QStringLiteral("dni_numero"), p.Dni_Número.texto());
    h.Llenar(QStringLiteral("dni_pais"), nombre(países, p.Dni_País));
    h.Llenar(QStringLiteral("apellido_materno"), p.Apellido_Materno);
    h.Llenar(QStringLiteral("sexo"), nombre(QStringLiteral("nvx_m_sexos"), p.Sexo));
    h.Llenar(QStringLiteral("estado_civil"),
             nombre(QStringLiteral("nvx_m_estados_civiles"), p.estado_civil));
    h.Llenar(QStringLiteral("con_hijos"),
             p.tiene_hijos == 0 ? QStringLiteral("sin hijos") : QStringLiteral("con hijos"));
    h.Llenar(QStringLiteral("nac_dia"), NúmeroDado(p.Nac_Día));
    h.Llenar(QStringLiteral("nac_mes"), NúmeroDado(p.Nac_Mes));
    h.Llenar(QStringLiteral("nac_ano"), NúmeroDado(p.nac_año));
    const int edad = EdadEnAños(p.Nac_Día, p.Nac_Mes, p.nac_año, ahora.date());
    h.Llenar(QStringLiteral("edad"), edad < 0 ? QString() : QString::number(edad));
    h.Llenar(QStringLiteral("nac_localidad"), p.nac_localidad.Nombre);
    h.Llenar(QStringLiteral("nac_provincia"), nombre(provincias, p.nac_provincia));
    h.Llenar(QStringLiteral("nac_pais"), nombre(países, p.nac_país));
    h.Llenar(QStringLiteral("nacionalidad"), nombre(países, p.nacionalidad));
    h.Llenar(QStringLiteral("res_calle"), p.res_calle);
    h.Llenar(QStringLiteral("res_cp"), p.res_cp);
    h.Llenar(QStringLiteral("res_barrio"), p.res_barrio.Nombre);
    h.Llenar(QStringLiteral("res_localidad"), p.res_localidad.Nombre);
    h.Llenar(QStringLiteral("res_provincia"), nombre(provincias, p.res_provincia));
    h.Llenar(QStringLiteral("res_pais"), nombre(países, p.res_país));

    struct Teléfono {
        uint8_t tipo;
        const QString& número;
        const QString& desde;
        const QString& hasta;
    };
    const Teléfono teléfonos[] = {{p.Tel1_tipo, p.Tel1_numero, p.Tel1_desde, p.Tel1_hasta},
                                  {p.Tel2_tipo, p.Tel2_numero, p.Tel2_desde, p.Tel2_hasta},
                                  {p.Tel3_tipo, p.tel3_numero, p.tel3_desde, p.tel3_hasta}};
    for (int i = 0; i < 3; ++i) {
        const Teléfono& t = teléfonos[i];
        const QString pre = QStringLiteral("tel%1_").arg(i + 1);
        const bool hay = !t.número.trimmed().isEmpty();
        h.Llenar(pre + QLatin1String("tipo"),
                 hay ? nombre(QStringLiteral("nvx_m_tipos_telefono"), t.tipo) : QString());
        h.Llenar(pre + QLatin1String("numero"), t.número);
        h.Llenar(pre + QLatin1String("desde"), hay ? t.desde : QString());
        h.Llenar(pre + QLatin1String("hasta"), hay ? t.hasta : QString());
    }
    h.Llenar(QStringLiteral("email"), p.email);

    h.LlenarHTML(
        QStringLiteral("grupo_familiar"),
        Grupo(p.familiares, 102, [&](Plantilla& e, const cFamiliar& f) {
            e.Llenar(QStringLiteral("parentesco"),
                     nombre(QStringLiteral("nvx_m_parentescos"), f.Parentesco));
            e.Llenar(QStringLiteral("nombre"), f.Nombre);
            e.Llenar(QStringLiteral("edad"), f.Edad);
            e.Llenar(QStringLiteral("ocupacion"), f.Ocupación.Nombre);
            e.Llenar(QStringLiteral("empresa"), f.Empresa.Nombre);
            e.Llenar(QStringLiteral("vive"), f.Vive ? QString() : QStringLiteral("Fallecido"));
            e.Llenar(QStringLiteral("convive"), f.Convive ? QStringLiteral("Convive") : QString());
            e.Llenar(QStringLiteral("acargo"), f.Acargo ? QStringLiteral("A cargo") : QString());
        }));
    h.LlenarHTML(QStringLiteral("formacion_superior"),
                 Grupo(p.formación, 103, [&](Plantilla& e, const cFormación& f) {
                     e.Llenar(QStringLiteral("titulo"), f.Título.Nombre);
                     e.Llenar(QStringLiteral("area"),
                              nombre(QStringLiteral("nvx_m_formacion_areas"), f.área));
                     e.Llenar(QStringLiteral("estado"), nombre(estados, f.estado));
                     e.Llenar(QStringLiteral("instituto"), f.institución.Nombre);
                     e.Llenar(QStringLiteral("tipo"),
                              nombre(QStringLiteral("nvx_m_formacion_tipos"), f.Tipo));
                     e.Llenar(QStringLiteral("ingreso"), f.AñoIngreso);
                     e.Llenar(QStringLiteral("ultimo"), f.AñoÚltimo);
                     e.Llenar(QStringLiteral("aprobadas"), f.MateriasAprobadas);
                     e.Llenar(QStringLiteral("restantes"), f.MateriasRestantes);
                     e.Llenar(QStringLiteral("completos"), f.AñosCompletos);
                     e.Llenar(QStringLiteral("promedio"), TextoDecimal(f.Promedio));
                 }));
    h.Llenar(QStringLiteral("formsec_tipo"),
             nombre(QStringLiteral("nvx_m_formsec_areas"), p.Formsec_orientacion));
    h.Llenar(QStringLiteral("formsec_estado"), nombre(estados, p.Formsec_estado));
    h.Llenar(QStringLiteral("formsec_instituto"), p.Formsec_instituto);
    h.Llenar(QStringLiteral("formsec_completos"), p.Formsec_completos);

    const QString niveles = QStringLiteral("nvx_m_idiomas_niveles");
    h.LlenarHTML(
        QStringLiteral("idiomas"), Grupo(p.idiomas, 104, [&](Plantilla& e, const cIdioma& i) {
            e.Llenar(QStringLiteral("idioma"), nombre(QStringLiteral("nvx_m_idiomas"), i.Idioma));
            e.Llenar(QStringLiteral("habla"), nombre(niveles, i.Habla));
            e.Llenar(QStringLiteral("lee"), nombre(niveles, i.Lee));
            e.Llenar(QStringLiteral("escribe"), nombre(niveles, i.Escribe));
        }));
    const QString áreasExperiencia = QStringLiteral("nvx_m_experiencia_areas");
    h.LlenarHTML(
        QStringLiteral("experiencia_laboral"),
        Grupo(p.Experiencia, 105, [&](Plantilla& e, const cExperiencia& x) {
            const bool actual = x.empleo_actual != 0;
            e.Llenar(QStringLiteral("empleador"), x.empleador.Nombre);
            e.Llenar(QStringLiteral("rubro"),
                     nombre(QStringLiteral("nvx_m_empleadores_rubros"), x.empleador_rubro));
            e.Llenar(QStringLiteral("desde"), MesAño(x.ingreso_mes, x.ingreso_año));
            e.Llenar(QStringLiteral("hasta"),
                     actual ? QString() : MesAño(x.egreso_mes, x.egreso_año));
            e.Llenar(QStringLiteral("actual"), actual ? CadenaRecurso(806).toUpper() : QString());
            e.Llenar(QStringLiteral("puesto"),
                     nombre(QStringLiteral("nvx_m_experiencia_puestos"), x.puesto));
            e.Llenar(QStringLiteral("area"), nombre(áreasExperiencia, x.área));
            e.LlenarMultilínea(QStringLiteral("tareas"), x.actividades);
            e.Llenar(QStringLiteral("remuneracion"), x.remuneración);
            e.Llenar(QStringLiteral("motivo_egreso"),
                     nombre(QStringLiteral("nvx_m_motivos_egreso"), x.motivo_egreso));
            e.LlenarMultilínea(QStringLiteral("observaciones"), x.Observaciones);
        }));
    h.LlenarMultilínea(QStringLiteral("conocimientos"), p.conocimientos);
    h.LlenarHTML(QStringLiteral("areas_interes"),
                 Grupo(p.ÁreasInterés, 106, [&](Plantilla& e, uint8_t área) {
                     e.Llenar(QStringLiteral("area"), nombre(áreasExperiencia, área));
                 }));

    h.Llenar(QStringLiteral("simbolo_moneda_mes"), nombre(monedas, p.MonedaMes, símbolo));
    h.Llenar(QStringLiteral("remun_mes"), p.remun_mes);
    h.Llenar(QStringLiteral("moneda_mes"), nombre(monedas, p.MonedaMes));
    h.Llenar(QStringLiteral("simbolo_moneda_hora"), nombre(monedas, p.MonedaHora, símbolo));
    h.Llenar(QStringLiteral("remun_hora"), TextoDecimal(p.Remun_hora));
    h.Llenar(QStringLiteral("moneda_hora"), nombre(monedas, p.MonedaHora));
    h.Llenar(QStringLiteral("obra_social"), SíNo(p.Obra_social == 1));
    h.Llenar(QStringLiteral("tiques"), SíNo(p.Tiques_almuerzo == 1));
    h.Llenar(QStringLiteral("dependencia"), SíNo(p.Relación_dependencia == 1));
    h.Llenar(QStringLiteral("viajar"), SíNo(p.Viajar == 1));
    h.Llenar(QStringLiteral("emigrar"), SíNo(p.Emigrar != 0));
    h.Llenar(QStringLiteral("disp_dias"),
             nombre(QStringLiteral("nvx_m_disponibilidad_semanal"), p.disp_semanal));
    h.Llenar(QStringLiteral("disp_hora"),
             nombre(QStringLiteral("nvx_m_disponibilidad_horaria"), p.disp_horaria));
    h.Llenar(QStringLiteral("presencia"), nombre(QStringLiteral("nvx_m_presencias"), p.presencia));
    h.Llenar(QStringLiteral("contextura"),
             nombre(QStringLiteral("nvx_m_contexturas"), p.contextura));
    h.Llenar(QStringLiteral("estatura"), p.Estatura);
    h.Llenar(QStringLiteral("med_a"), p.med_a);
    h.Llenar(QStringLiteral("med_b"), p.med_b);
    h.Llenar(QStringLiteral("med_c"), p.med_c);
    h.LlenarMultilínea(QStringLiteral("observaciones"), p.Observaciones);
    const Elemento* datos[] = {&p.dato_a, &p.dato_b, &p.dato_c, &p.dato_d, &p.dato_e,
                               &p.dato_f, &p.dato_g, &p.dato_h, &p.dato_i, &p.dato_j};
    for (int i = 0; i < 10; ++i)
        h.Llenar(QStringLiteral("dato_") + QChar(u'a' + i), datos[i]->Nombre);
    const QString alta = FormatearFechaHora(p.fecha_ingreso);
    h.Llenar(QStringLiteral("fecha_alta"), alta.isEmpty() ? p.fecha_ingreso : alta);
    h.Llenar(QStringLiteral("referencia"), p.ref_búsqueda);
    const QLocale l;
    h.Llenar(QStringLiteral("ahora"), l.toString(ahora.date(), QLocale::ShortFormat) + u' ' +
                                          l.toString(ahora.time(), QLocale::ShortFormat));
    h.Llenar(QStringLiteral("id"), p.id);
    h.Llenar(QStringLiteral("usuario"), usuario);
    return h.texto();
}

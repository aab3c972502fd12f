#include "pages/PaginaCV.h"

#include "documents/Documentos.h"
#include "duplicates/Fusion.h"
#include "pages/Html.h"
#include "records/cPostulante.h"
#include "store/ErrorAlmacen.h"
#include "store/Valores.h"

#include <QFileInfo>
#include <QUrl>

namespace {

QString SíNo(bool sí) {
    return sí ? QStringLiteral("Sí") : QStringLiteral("No");
}

// A number that 0 means "not given" for: empty then.
QString NúmeroDado(qint64 n) {
    return n == 0 ? QString() : QString::number(n);
}

QString SinDatos(const QString& t) {
    return t.isEmpty() ? QStringLiteral("sin datos") : t;
}

// The img element of the first photo whose file is there, or "": a missing
// file would show as a broken picture.
QString ElementoFoto(const cPostulante& p) {
    for (const cFoto& f : p.Fotos) {
        const QFileInfo archivo(f.Archivo.trimmed());
        if (f.Archivo.trimmed().isEmpty() || !archivo.isFile()) continue;
        const QString url =
            QUrl::fromLocalFile(archivo.absoluteFilePath()).toString(QUrl::FullyEncoded);
        return QStringLiteral("<img src=\"%1\" alt=\"%2\" height=\"200\">")
            .arg(EscaparHTML(url), EscaparHTML(f.Título));
    }
    return {};
}

// "08:00 a 12:00", "desde 08:00", "hasta 12:00" or "".
QString Horario(const QString& desde, const QString& hasta) {
    const QString d = desde.trimmed(), h = hasta.trimmed();
    if (d.isEmpty()) return h.isEmpty() ? QString() : QStringLiteral("hasta ") + h;
    return h.isEmpty() ? QStringLiteral("desde ") + d : d + QStringLiteral(" a ") + h;
}

// "8 dic 1990", "dic 1990" or "1990" as far as the birth date is known; "" without a year.
QString Nacimiento(int día, int mes, int año) {
    const QDate fecha(año, mes, día);
    return año > 0 && fecha.isValid() ? FechaVisible(fecha) : MesAñoVisible(mes, año);
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

// A job's pay as typed: "$ 250.000 mensuales" when it is a number, as it
// stands otherwise; "" when none was given.
QString Sueldo(const QString& texto) {
    bool ok = false;
    const double monto = texto.trimmed().toDouble(&ok);  // stored in C notation
    if (!ok) return texto.trimmed();
    return ImporteVisible(monto, QStringLiteral("$"), {}, QStringLiteral("mensuales"));
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
    h.Llenar(QStringLiteral("dni_numero"), SinDatos(p.Dni_Número.texto()));
    h.Llenar(QStringLiteral("dni_pais"), nombre(países, p.Dni_País));
    h.Llenar(QStringLiteral("apellido_materno"), p.Apellido_Materno);
    h.Llenar(QStringLiteral("sexo"), nombre(QStringLiteral("nvx_m_sexos"), p.Sexo));
    const QString hijos =
        p.tiene_hijos == 0 ? QStringLiteral("sin hijos") : QStringLiteral("con hijos");
    const QString estadoCivil = nombre(QStringLiteral("nvx_m_estados_civiles"), p.estado_civil);
    h.Llenar(QStringLiteral("estado_civil"),
             estadoCivil.isEmpty() ? hijos.left(1).toUpper() + hijos.mid(1)
                                   : estadoCivil + QStringLiteral(" (") + hijos + u')');
    const int edad = EdadEnAños(p.Nac_Día, p.Nac_Mes, p.nac_año, ahora.date());
    h.Llenar(QStringLiteral("nacimiento"), SinDatos(Nacimiento(p.Nac_Día, p.Nac_Mes, p.nac_año)));
    h.Llenar(
        QStringLiteral("edad"),
        edad < 0 ? QString() : TextoCantidad(edad, QStringLiteral("año"), QStringLiteral("años")));
    const QString paísNatal = nombre(países, p.nac_país);
    QString lugar = UnirTextos({p.nac_localidad.Nombre, nombre(provincias, p.nac_provincia)},
                               QStringLiteral(", "));
    if (!paísNatal.isEmpty())
        lugar = lugar.isEmpty() ? paísNatal : lugar + QStringLiteral(" (") + paísNatal + u')';
    h.Llenar(QStringLiteral("lugar"), SinDatos(lugar));
    h.Llenar(QStringLiteral("nacionalidad"), nombre(países, p.nacionalidad));
    h.Llenar(QStringLiteral("res_calle"), p.res_calle);
    h.Llenar(QStringLiteral("res_barrio"), p.res_barrio.Nombre);
    // "(2000) Rosario", as letters are addressed; "CP 2000" without a locality.
    const QString cp = p.res_cp.trimmed(), localidad = p.res_localidad.Nombre.trimmed();
    h.Llenar(QStringLiteral("res_localidad"), cp.isEmpty() ? localidad
                                              : localidad.isEmpty()
                                                  ? QStringLiteral("CP ") + cp
                                                  : u'(' + cp + QStringLiteral(") ") + localidad);
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
        h.Llenar(pre + QLatin1String("horario"), hay ? Horario(t.desde, t.hasta) : QString());
    }
    h.Llenar(QStringLiteral("email"), p.email);

    h.LlenarHTML(QStringLiteral("grupo_familiar"),
                 Grupo(p.familiares, 102, [&](Plantilla& e, const cFamiliar& f) {
                     e.Llenar(QStringLiteral("parentesco"),
                              nombre(QStringLiteral("nvx_m_parentescos"), f.Parentesco));
                     e.Llenar(QStringLiteral("nombre"), f.Nombre);
                     e.Llenar(QStringLiteral("edad"), NúmeroDado(f.Edad));
                     e.Llenar(QStringLiteral("ocupacion"), f.Ocupación.Nombre);
                     e.Llenar(QStringLiteral("empresa"), f.Empresa.Nombre);
                     e.Llenar(QStringLiteral("situacion"),
                              UnirTextos({f.Vive ? QString() : QStringLiteral("fallecido"),
                                          f.Convive ? QStringLiteral("convive") : QString(),
                                          f.Acargo ? QStringLiteral("a cargo") : QString()},
                                         QStringLiteral(", ")));
                 }));
    h.LlenarHTML(
        QStringLiteral("formacion_superior"),
        Grupo(p.formación, 103, [&](Plantilla& e, const cFormación& f) {
            e.Llenar(QStringLiteral("titulo"), f.Título.Nombre);
            e.Llenar(QStringLiteral("area"),
                     nombre(QStringLiteral("nvx_m_formacion_areas"), f.área));
            e.Llenar(QStringLiteral("estado"), nombre(estados, f.estado));
            const QString tipo = nombre(QStringLiteral("nvx_m_formacion_tipos"), f.Tipo);
            const QString instituto = f.institución.Nombre.trimmed();
            e.Llenar(QStringLiteral("instituto"),
                     instituto.isEmpty() || tipo.isEmpty()
                         ? instituto + tipo
                         : instituto + QStringLiteral(" (") + tipo + u')');
            e.Llenar(QStringLiteral("periodo"),
                     PeríodoVisible(0, f.AñoIngreso, 0, f.AñoÚltimo, false));
            e.Llenar(QStringLiteral("materias"),
                     UnirTextos(
                         {f.MateriasAprobadas ? TextoCantidad(f.MateriasAprobadas,
                                                              QStringLiteral("materia aprobada"),
                                                              QStringLiteral("materias aprobadas"))
                                              : QString(),
                          f.MateriasRestantes ? TextoCantidad(f.MateriasRestantes,
                                                              QStringLiteral("materia restante"),
                                                              QStringLiteral("materias restantes"))
                                              : QString()},
                         QStringLiteral(", ")));
            e.Llenar(QStringLiteral("completos"),
                     f.AñosCompletos
                         ? TextoCantidad(f.AñosCompletos, QStringLiteral("año completo"),
                                         QStringLiteral("años completos"))
                         : QString());
            e.Llenar(QStringLiteral("promedio"),
                     f.Promedio > 0 ? NúmeroVisible(f.Promedio) : QString());
        }));
    h.Llenar(QStringLiteral("formsec_tipo"),
             nombre(QStringLiteral("nvx_m_formsec_areas"), p.Formsec_orientacion));
    h.Llenar(QStringLiteral("formsec_estado"), nombre(estados, p.Formsec_estado));
    h.Llenar(QStringLiteral("formsec_instituto"), p.Formsec_instituto);
    h.Llenar(QStringLiteral("formsec_completos"),
             p.Formsec_completos
                 ? TextoCantidad(p.Formsec_completos, QStringLiteral("año completado"),
                                 QStringLiteral("años completados"))
                 : QString());

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
            e.Llenar(QStringLiteral("periodo"), PeríodoVisible(x.ingreso_mes, x.ingreso_año,
                                                               x.egreso_mes, x.egreso_año, actual));
            e.Llenar(QStringLiteral("puesto"),
                     nombre(QStringLiteral("nvx_m_experiencia_puestos"), x.puesto));
            e.Llenar(QStringLiteral("area"), nombre(áreasExperiencia, x.área));
            e.LlenarMultilínea(QStringLiteral("tareas"), x.actividades);
            e.Llenar(QStringLiteral("remuneracion"), Sueldo(x.remuneración));
            e.Llenar(QStringLiteral("motivo_egreso"),
                     nombre(QStringLiteral("nvx_m_motivos_egreso"), x.motivo_egreso));
            e.LlenarMultilínea(QStringLiteral("observaciones"), x.Observaciones);
        }));
    h.LlenarMultilínea(QStringLiteral("conocimientos"), p.conocimientos);
    h.LlenarHTML(QStringLiteral("areas_interes"),
                 Grupo(p.ÁreasInterés, 106, [&](Plantilla& e, uint8_t área) {
                     e.Llenar(QStringLiteral("area"), nombre(áreasExperiencia, área));
                 }));

    h.Llenar(QStringLiteral("pretension"),
             SinDatos(UnirTextos(
                 {ImporteVisible(p.remun_mes, nombre(monedas, p.MonedaMes, símbolo),
                                 nombre(monedas, p.MonedaMes), QStringLiteral("mensuales")),
                  ImporteVisible(p.Remun_hora, nombre(monedas, p.MonedaHora, símbolo),
                                 nombre(monedas, p.MonedaHora), QStringLiteral("por hora"))},
                 QStringLiteral(" o "))));
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
    h.Llenar(QStringLiteral("estatura"), NúmeroDado(p.Estatura));
    h.Llenar(QStringLiteral("medidas"), p.med_a || p.med_b || p.med_c
                                            ? QString::number(p.med_a) + u'-' +
                                                  QString::number(p.med_b) + u'-' +
                                                  QString::number(p.med_c)
                                            : QString());
    h.LlenarMultilínea(QStringLiteral("observaciones"), p.Observaciones);
    // The CV documents, as links the CV window opens them by.
    QString documentos;
    if (p.id > 0)
        for (const Documento& x : DocumentosDe(d, p.id))
            documentos += QStringLiteral("<li><a href=\"documento:%1\">%2</a> (%3, %4)</li>\n")
                              .arg(QString::number(x.id), EscaparHTML(x.nombre),
                                   EscaparHTML(NombreTipo(x.tipo)), TextoTamaño(x.tamaño));
    h.LlenarHTML(QStringLiteral("documentos"), documentos);
    const Elemento* datos[] = {&p.dato_a, &p.dato_b, &p.dato_c, &p.dato_d, &p.dato_e,
                               &p.dato_f, &p.dato_g, &p.dato_h, &p.dato_i, &p.dato_j};
    for (int i = 0; i < 10; ++i)
        h.Llenar(QStringLiteral("dato_") + QChar(u'a' + i), datos[i]->Nombre);
    const QString alta = FormatearFechaHora(p.fecha_ingreso);
    h.Llenar(QStringLiteral("fecha_alta"), alta.isEmpty() ? p.fecha_ingreso : alta);
    h.Llenar(QStringLiteral("referencia"), p.ref_búsqueda);
    h.Llenar(QStringLiteral("ahora"), FechaHoraVisible(ahora));
    h.Llenar(QStringLiteral("id"), p.id);
    QString fusiones;
    try {
        fusiones = FusionesDe(d, p.id).replace(u'\n', QStringLiteral("; "));
    } catch (const ErrorAlmacen&) {
        // A store opened only to read, made by an earlier version, keeps no merges yet.
    }
    h.Llenar(QStringLiteral("fusiones"), fusiones);
    h.Llenar(QStringLiteral("usuario"), usuario);
    return h.texto();
}

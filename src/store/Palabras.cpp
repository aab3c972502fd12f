#include "store/Palabras.h"

#include "store/Diccionario.h"
#include "store/Valores.h"

#include <QStringList>

#include <limits>

namespace {

// A lookup list's name for a coded column.
QString Nombre(const char* lista, const QString& columna) {
    return QStringLiteral("(select nombre from %1 where id = %2)")
        .arg(QLatin1String(lista), columna);
}

// Texts joined by blanks, a Null counting as empty.
QString Unir(const QStringList& expresiones) {
    QStringList c;
    for (const QString& e : expresiones) c << QStringLiteral("coalesce(%1, '')").arg(e);
    return c.join(QStringLiteral(" || ' ' || "));
}

// The rows of a detail table of the applicant p, each as `fila`, joined.
QString Detalle(const char* tabla, const char* alias, const QString& fila) {
    return QStringLiteral("(select string_agg(%3, ' ') from %1 %2 where %2.postulante = p.id)")
        .arg(QLatin1String(tabla), QLatin1String(alias), fila);
}

// Every word of an applicant: names, document, places, knowledge and remarks, the
// ten free lists, studies (title, institute, area), jobs (employer, position,
// tasks, remarks, area), languages, interests and the CV documents' text.
const QString& TextoPostulante() {
    static const QString texto = [] {
        QStringList e{QStringLiteral("p.apellido"),
                      QStringLiteral("p.apellido_materno"),
                      QStringLiteral("p.nombre"),
                      QStringLiteral("p.dni_numero"),
                      Nombre("nvx_m_localidades", QStringLiteral("p.nac_localidad")),
                      Nombre("nvx_m_localidades", QStringLiteral("p.res_localidad")),
                      Nombre("nvx_m_barrios", QStringLiteral("p.res_barrio")),
                      QStringLiteral("p.conocimientos"),
                      QStringLiteral("p.observaciones")};
        for (char c = 'a'; c <= 'j'; ++c)
            e << Nombre(qPrintable(QStringLiteral("nvx_m_datos_") + QChar(c)),
                        QStringLiteral("p.dato_") + QChar(c));
        e << Detalle("nvx_d_formacion", "f",
                     Unir({Nombre("nvx_m_titulos", QStringLiteral("f.titulo")),
                           Nombre("nvx_m_formacion_institutos", QStringLiteral("f.institucion")),
                           Nombre("nvx_m_formacion_areas", QStringLiteral("f.area"))}))
          << Detalle("nvx_d_experiencia", "x",
                     Unir({Nombre("nvx_m_empleadores", QStringLiteral("x.empleador")),
                           Nombre("nvx_m_experiencia_puestos", QStringLiteral("x.puesto")),
                           QStringLiteral("x.actividades"), QStringLiteral("x.observaciones"),
                           Nombre("nvx_m_experiencia_areas", QStringLiteral("x.area"))}))
          << Detalle("nvx_d_idiomas", "i", Nombre("nvx_m_idiomas", QStringLiteral("i.idioma")))
          << Detalle("nvx_d_interes", "n",
                     Nombre("nvx_m_experiencia_areas", QStringLiteral("n.area")))
          << Detalle("nvx_d_documentos", "c", QStringLiteral("c.texto"));
        return QStringLiteral(
                   "insert into candora_textos (postulante, texto) select p.id, "
                   "candora_comprimir(") +
               Unir(e) + QStringLiteral(") from nvx_m_postulantes p");
    }();
    return texto;
}

}  // namespace

void ActualizarPalabras(Diccionario& d, const std::vector<int32_t>& postulantes) {
    EnLotes(postulantes, [&d](const QVariantList& ids, const QString& lista) {
        Transaccion t(d);
        d.ejecutar(QStringLiteral("delete from candora_textos where postulante in (%1)").arg(lista),
                   ids);
        d.ejecutar(TextoPostulante() + QStringLiteral(" where p.id in (%1)").arg(lista), ids);
        t.confirmar();
    });
}

QHash<int32_t, QString> TextosPalabras(Diccionario& d, const std::vector<int32_t>& postulantes) {
    QHash<int32_t, QString> textos;
    EnLotes(postulantes, [&](const QVariantList& ids, const QString& lista) {
        for (auto rs = d.AbrirRS(QStringLiteral("select postulante, candora_descomprimir(texto) "
                                                "from candora_textos where postulante in (%1)")
                                     .arg(lista),
                                 ids);
             !rs->eof(); rs->MoveNext())
            textos.insert(int32_t(rs->entero(0)), rs->texto(1));
    });
    return textos;
}

qint64 ReindexarPalabras(Diccionario& d, const std::function<void(qint64, qint64)>& progreso) {
    Transaccion t(d);
    d.ejecutar(QStringLiteral("delete from candora_textos"));
    const qint64 total =
        d.valorÚnico(QStringLiteral("select count(*) from nvx_m_postulantes")).toLongLong();
    // In runs of applicants by key, so that the work can be followed.
    qint64 hechos = 0, último = std::numeric_limits<qint64>::min();
    for (;;) {
        const qint64 n = d.ejecutar(
            TextoPostulante() + QStringLiteral(" where p.id > ? order by p.id limit 20000"),
            {último});
        if (n == 0) break;
        hechos += n;
        último =
            d.valorÚnico(QStringLiteral("select max(postulante) from candora_textos")).toLongLong();
        if (progreso) progreso(hechos, total);
    }
    t.confirmar();
    return hechos;
}

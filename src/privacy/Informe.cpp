#include "privacy/Informe.h"

#include "duplicates/Fusion.h"
#include "pages/Html.h"
#include "pages/PaginaCV.h"
#include "privacy/Auditoria.h"
#include "records/cPostulante.h"
#include "store/Diccionario.h"
#include "store/Palabras.h"
#include "store/Valores.h"

namespace {

// A section of the report: a title and its lines, or that there is nothing.
QString Sección(const QString& título, const QStringList& líneas) {
    QString h = QStringLiteral("<h3>") + EscaparHTML(título) + QStringLiteral("</h3>\n");
    if (líneas.isEmpty()) return h + QStringLiteral("<p>Nada.</p>\n");
    h += QStringLiteral("<ul>\n");
    for (const QString& l : líneas)
        h += QStringLiteral("<li>") + EscaparHTML(l) + QStringLiteral("</li>\n");
    return h + QStringLiteral("</ul>\n");
}

QStringList Filas(Diccionario& d, const QString& sql, int32_t id, int veces = 1) {
    QVariantList v;
    for (int i = 0; i < veces; ++i) v << id;
    QStringList l;
    for (auto rs = d.AbrirRS(sql, v); !rs->eof(); rs->MoveNext()) l << rs->texto(0);
    return l;
}

}  // namespace

QString InformeDatosPersonales(Diccionario& d, int32_t postulante, const QString& usuario,
                               const QDateTime& ahora) {
    cPostulante p;
    p.id = postulante;
    if (p.cargar() == 0) return {};
    QString extra =
        QStringLiteral("<hr>\n<h2>Informe de datos personales</h2>\n<p>") +
        EscaparHTML(QStringLiteral("Todo lo que Candora guarda de esta persona, emitido "
                                   "el %1%2.")
                        .arg(FechaHoraVisible(ahora),
                             usuario.isEmpty() ? QString() : QStringLiteral(" por ") + usuario)) +
        QStringLiteral("</p>\n");
    // What the program derived to search and to find duplicates.
    const QString texto = TextosPalabras(d, {postulante}).value(postulante);
    QStringList derivados{QStringLiteral("Índice de palabras clave: %1 palabras.")
                              .arg(texto.split(QChar(u' '), Qt::SkipEmptyParts).size())};
    derivados << Filas(d,
                       QStringLiteral("select 'Clave de duplicados (regla ' || regla || '): ' || "
                                      "clave from candora_claves where postulante = ? order by "
                                      "regla, clave"),
                       postulante);
    extra += Sección(QStringLiteral("Datos derivados"), derivados);
    extra += Sección(QStringLiteral("Fusiones"),
                     FusionesDe(d, postulante).split(u'\n', Qt::SkipEmptyParts));
    extra += Sección(
        QStringLiteral("Marcado como persona distinta de"),
        Filas(d,
              QStringLiteral("select 'Postulante ' || (a + b - ?) || ' (' || coalesce(usuario, '') "
                             "|| ')' from candora_no_duplicados where a = ? or b = ?"),
              postulante, 3));
    extra += Sección(
        QStringLiteral("Resultados de búsquedas guardadas"),
        Filas(
            d,
            QStringLiteral("select coalesce(b.nombre, 'Búsqueda ' || r.CONSULTA) from RESULTADO r "
                           "left join nvx_m_busquedas b on b.id = r.CONSULTA where r.ID = ?"),
            postulante));
    QStringList historial;
    for (const EntradaAuditoria& e : LeerAuditoria(d, {}, postulante))
        historial << UnirTextos({FormatearFechaHora(e.momento), e.usuario,
                                 UnirTextos({e.acción, e.detalle}, QStringLiteral(": "))},
                                QStringLiteral(" · "));
    extra += Sección(QStringLiteral("Historial de accesos y cambios"), historial);

    QString html = PáginaCV(d, p, usuario, ahora);
    const qsizetype fin = html.lastIndexOf(QLatin1String("</body>"), -1, Qt::CaseInsensitive);
    html.insert(fin < 0 ? html.size() : fin, extra);
    Transaccion t(d);
    Auditar(d, {postulante}, Acción::Informó);
    t.confirmar();
    return html;
}

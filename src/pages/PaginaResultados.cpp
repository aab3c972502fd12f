#include "pages/PaginaResultados.h"

#include "pages/Html.h"
#include "records/cPostulante.h"
#include "search/Palabras.h"
#include "search/cBusqueda.h"
#include "store/Diccionario.h"
#include "store/Palabras.h"
#include "store/Valores.h"

#include <QHash>

#include <algorithm>

namespace {

// "?, ?, …" for `n` bound values.
QString Marcadores(int n) {
    QString r;
    for (int i = 0; i < n; ++i) r += i ? QLatin1String(", ?") : QLatin1String("?");
    return r;
}

// The first 200 characters of a text, with "..." when there was more.
QString Resumen(const QString& t) {
    constexpr qsizetype máximo = 200;
    if (t.size() <= máximo) return EscaparHTMLMultilínea(t);
    qsizetype corte = máximo;
    if (t.at(corte - 1).isHighSurrogate()) --corte;  // never split a character
    return EscaparHTMLMultilínea(t.left(corte)) + QLatin1String("...");
}

}  // namespace

int cResultado::eliminarTodos() {
    Diccionario& d = Almacén();
    Transaccion t(d);
    int n = 0;
    for (const int32_t id : ids_) {
        if (!d.valorÚnico(QStringLiteral("select 1 from nvx_m_postulantes where id = ?"), {id})
                 .isValid())
            continue;  // gone already
        cPostulante p;
        p.id = id;
        p.eliminar();
        ++n;
    }
    t.confirmar();
    ids_.clear();
    return n;
}

int cResultado::cargar(int32_t consulta, const QString& título, QStringList resaltar) {
    return cargar(cBúsqueda::OrdenResultado(consulta), título, std::move(resaltar));
}

int cResultado::cargar(std::vector<int32_t> ids, const QString& título, QStringList resaltar) {
    título_ = título;
    ids_ = std::move(ids);
    resaltar_ = std::move(resaltar);
    return Cantidad();
}

PáginaResultados cResultado::página(int primero, int tamaño, const QDateTime& ahora) const {
    const int total = Cantidad();
    tamaño = std::max(tamaño, 1);
    primero = std::clamp(primero, 1, std::max(total, 1));
    PáginaResultados p;
    p.primero = primero;
    p.último = std::min(primero + tamaño - 1, total);
    if (primero > 1) p.anteriores = std::max(primero - tamaño, 1);
    if (p.último < total) p.siguientes = primero + tamaño;

    const QString título = EscaparHTML(título_);
    QString& h = p.html;
    h.reserve(32 * 1024);
    h += QLatin1String(
             "<html><head><meta http-equiv=\"Content-Type\" "
             "content=\"text/html; charset=utf-8\"><title>") +
         título + QLatin1String("</title></head>\n<body>\n");
    // The program's own font size: nothing on the page is smaller than the rest of the program.
    h += QLatin1String("<font face=\"Verdana, Arial, Helvetica, sans-serif\"><font size=5>") +
         título + QLatin1String("</font><br>\nFecha de emisi&oacute;n: ") +
         FechaHoraVisible(ahora) + QLatin1String("<br><br>\n") +
         QLatin1String("Registros encontrados: <b>") + QString::number(total) +
         QLatin1String("</b><br>\n");
    if (total > tamaño)
        h += QLatin1String("Mostrando <b>") + QString::number(p.primero) +
             QLatin1String("</b> - <b>") + QString::number(p.último) + QLatin1String("</b><br>\n");
    h += QLatin1String("<hr><br>\n");

    QVariantList ids;
    std::vector<int32_t> deLaPágina;
    for (int f = primero; f <= p.último; ++f) {
        ids.append(Id(f));
        deLaPágina.push_back(Id(f));
    }
    if (!ids.isEmpty()) {
        Diccionario& d = Almacén();
        const QString en = Marcadores(int(ids.size()));
        auto rs = d.AbrirRS(
            QStringLiteral("select id, apellido, nombre, nac_dia, nac_mes, nac_ano, dni_pais, "
                           "dni_numero, conocimientos, remun_mensual, moneda_mes, remun_hora, "
                           "moneda_hora from nvx_m_postulantes where id in (%1)")
                .arg(en),
            ids);
        auto formación =
            d.AbrirRS(QStringLiteral("select postulante, area, titulo, estado, institucion, nivel "
                                     "from nvx_d_formacion where postulante in (%1) order by rowid")
                          .arg(en),
                      ids);
        auto experiencia = d.AbrirRS(
            QStringLiteral("select postulante, empleador, puesto, ingreso_mes, ingreso_ano, "
                           "egreso_mes, egreso_ano, empleo_actual from nvx_d_experiencia where "
                           "postulante in (%1) "
                           "order by empleo_actual <> 0, egreso_ano, egreso_mes, rowid")
                .arg(en),
            ids);
        const auto postulantes = FilasPorClave(*rs);
        const auto formaciones = FilasPorClave(*formación);
        const auto experiencias = FilasPorClave(*experiencia);
        NombresElementos nombre(d);
        const QString monedas = QStringLiteral("nvx_m_monedas");
        const QString símbolo = QStringLiteral("simbolo");
        const QDate hoy = ahora.date();
        const QHash<int32_t, QString> textos =
            resaltar_.isEmpty() ? QHash<int32_t, QString>() : TextosPalabras(d, deLaPágina);

        for (const QVariant& v : std::as_const(ids)) {
            const qint64 id = v.toLongLong();
            const auto fila = postulantes.constFind(id);
            if (fila == postulantes.cend()) continue;  // deleted meanwhile
            rs->Move(fila->front());
            const Recordset& r = *rs;
            const int edad = EdadEnAños(int(r.entero(3)), int(r.entero(4)), int(r.entero(5)), hoy);
            h += QLatin1String("<a href=\"post") + QString::number(id) + QLatin1String("\">") +
                 EscaparHTML(r.texto(1));
            if (const QString n = r.texto(2).trimmed(); !n.isEmpty())
                h += QLatin1String(", ") + EscaparHTML(n);
            if (edad >= 0) h += QLatin1String(" (") + QString::number(edad) + u')';
            h += QLatin1String("</a><br>\n");
            if (const QString documento = r.texto(7).trimmed(); !documento.isEmpty()) {
                const QString país = nombre(QStringLiteral("nvx_m_paises"), r.entero(6));
                h += QLatin1String("documento ") + EscaparHTML(documento);
                if (!país.isEmpty()) h += QLatin1String(" de ") + EscaparHTML(país);
                h += u'\n';
            }
            if (const QString f = FragmentoPalabras(textos.value(int32_t(id)), resaltar_);
                !f.isEmpty())
                h += QLatin1String("<div>") + f + QLatin1String("</div>\n");
            h += QLatin1String("<ul>\n");

            for (const int i : formaciones.value(id)) {
                formación->Move(i);
                const Recordset& f = *formación;
                const QString área =
                    EscaparHTML(nombre(QStringLiteral("nvx_m_formacion_areas"), f.entero(1)));
                QString título = EscaparHTML(nombre(QStringLiteral("nvx_m_titulos"), f.entero(2)));
                if (!título.isEmpty())
                    título = QLatin1String("<b>") + título + QLatin1String("</b>");
                QString instituto =
                    EscaparHTML(nombre(QStringLiteral("nvx_m_formacion_institutos"), f.entero(4)));
                if (!instituto.isEmpty()) instituto = u'(' + instituto + u')';
                const QString resto = UnirTextos(
                    {título,
                     EscaparHTML(nombre(QStringLiteral("nvx_m_formacion_estados"), f.entero(3))),
                     instituto,
                     EscaparHTML(nombre(QStringLiteral("nvx_m_formacion_tipos"), f.entero(5)))},
                    QStringLiteral(" "));
                if (área.isEmpty() && resto.isEmpty()) continue;
                h += QLatin1String("<li><font color=\"#CC6600\">") +
                     UnirTextos({área, resto}, QStringLiteral(": ")) +
                     QLatin1String("</font></li>\n");
            }
            for (const int i : experiencias.value(id)) {
                experiencia->Move(i);
                const Recordset& x = *experiencia;
                h += QLatin1String("<li><font color=\"#006600\">");
                if (x.entero(1) > 0)
                    h += EscaparHTML(nombre(QStringLiteral("nvx_m_empleadores"), x.entero(1))) +
                         QLatin1String(": ");
                h += EscaparHTML(nombre(QStringLiteral("nvx_m_experiencia_puestos"), x.entero(2)));
                const QString período =
                    PeríodoVisible(int(x.entero(3)), int(x.entero(4)), int(x.entero(5)),
                                   int(x.entero(6)), x.entero(7) != 0);
                if (!período.isEmpty()) h += QLatin1String(" (") + período + u')';
                h += QLatin1String("</font></li>\n");
            }
            const QString conocimientos = r.texto(8);
            if (!conocimientos.trimmed().isEmpty())
                h += QLatin1String("<li><i>") + Resumen(conocimientos) +
                     QLatin1String("</i></li>\n");
            const qint64 mensual = r.entero(9);
            const double hora = r.real(11);
            const QString pretensión = UnirTextos(
                {ImporteVisible(double(mensual), nombre(monedas, r.entero(10), símbolo),
                                nombre(monedas, r.entero(10)), QStringLiteral("mensuales")),
                 ImporteVisible(hora, nombre(monedas, r.entero(12), símbolo),
                                nombre(monedas, r.entero(12)), QStringLiteral("por hora"))},
                QStringLiteral(" o "));
            if (!pretensión.isEmpty())
                h += QLatin1String("<li>") + EscaparHTML(pretensión) + QLatin1String("</li>\n");
            h += QLatin1String("</ul>\n");
        }
    }
    h += QLatin1String("</font>\n</body></html>\n");
    return p;
}

#include "export/Exportacion.h"

#include "pages/Html.h"
#include "privacy/Auditoria.h"
#include "store/Archivos.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Valores.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <memory>

namespace {

const QString kFalla = QStringLiteral("No se pudo exportar la lista de postulantes.");

// Closes a workbook however the export ends.
struct CerrarLibro {
    void operator()(lxw_workbook* w) const { workbook_close(w); }
};

// Fills `campo` of each applicant's row with the texts `texto` makes of their
// rows of `rs` (keyed by applicant, in order), joined; only the first when `primera`.
void Listar(Recordset& rs, QHash<int32_t, FilaExportación>& filas, QString FilaExportación::*campo,
            const QString& separador, bool primera,
            const std::function<QString(Recordset&)>& texto) {
    for (const auto& [id, posiciones] : FilasPorClave(rs).asKeyValueRange()) {
        const auto it = filas.find(int32_t(id));
        if (it == filas.end()) continue;
        QStringList textos;
        for (const int pos : posiciones) {
            rs.Move(pos);
            if (const QString t = texto(rs); !t.isEmpty()) textos << t;
            if (primera) break;
        }
        (*it).*campo = textos.join(separador);
    }
}

}  // namespace

const QStringList& ColumnasExportación() {
    static const QStringList columnas{QStringLiteral("Documento"),
                                      QStringLiteral("Apellido"),
                                      QStringLiteral("Nombre"),
                                      QStringLiteral("Edad"),
                                      QStringLiteral("Fecha de nacimiento"),
                                      QStringLiteral("Localidad"),
                                      QStringLiteral("Provincia"),
                                      QStringLiteral("Teléfonos"),
                                      QStringLiteral("Correo electrónico"),
                                      QStringLiteral("Último empleo"),
                                      QStringLiteral("Idiomas"),
                                      QStringLiteral("Formación")};
    return columnas;
}

QStringList TextosFila(const FilaExportación& f) {
    return {
        f.documento,
        f.apellido,
        f.nombre,
        f.edad >= 0 ? QString::number(f.edad) : QString(),
        f.nacimiento.isValid() ? f.nacimiento.toString(QStringLiteral("dd/MM/yyyy")) : QString(),
        f.localidad,
        f.provincia,
        f.teléfonos,
        f.email,
        f.últimoEmpleo,
        f.idiomas,
        f.formación};
}

std::vector<FilaExportación> FilasExportación(Diccionario& d, const std::vector<int32_t>& ids,
                                              const QDate& hoy) {
    QHash<int32_t, FilaExportación> filas;
    EnLotes(ids, [&](const QVariantList& v, const QString& en) {
        auto p = d.AbrirRS(
            QStringLiteral(
                "select p.id, p.dni_numero, pa.nombre, p.apellido, p.nombre, p.nac_dia, "
                "p.nac_mes, p.nac_ano, lo.nombre, pr.nombre, p.tel1_numero, p.tel2_numero, "
                "p.tel3_numero, p.email from nvx_m_postulantes p left join nvx_m_paises pa on "
                "pa.id = p.dni_pais left join nvx_m_localidades lo on lo.id = p.res_localidad "
                "left join nvx_m_provincias pr on pr.id = p.res_provincia where p.id in (%1)")
                .arg(en),
            v);
        for (; !p->eof(); p->MoveNext()) {
            FilaExportación f;
            f.id = int32_t(p->entero(0));
            const QString país = p->texto(2).trimmed();
            f.documento = p->texto(1).trimmed() +
                          (país.isEmpty() ? QString() : QStringLiteral(" de ") + país);
            f.apellido = p->texto(3).trimmed();
            f.nombre = p->texto(4).trimmed();
            const int día = int(p->entero(5)), mes = int(p->entero(6)), año = int(p->entero(7));
            f.edad = EdadEnAños(día, mes, año, hoy);
            f.nacimiento = día > 0 && mes > 0 && año > 0 ? QDate(año, mes, día) : QDate();
            f.localidad = p->texto(8).trimmed();
            f.provincia = p->texto(9).trimmed();
            f.teléfonos =
                UnirTextos({p->texto(10).trimmed(), p->texto(11).trimmed(), p->texto(12).trimmed()},
                           QStringLiteral(" / "));
            f.email = p->texto(13).trimmed();
            filas.insert(int32_t(p->entero(0)), f);
        }
        // The current job, else the one that ended last.
        auto x = d.AbrirRS(
            QStringLiteral("select x.postulante, pu.nombre, e.nombre from nvx_d_experiencia x "
                           "left join nvx_m_experiencia_puestos pu on pu.id = x.puesto left join "
                           "nvx_m_empleadores e on e.id = x.empleador where x.postulante in (%1) "
                           "order by x.empleo_actual desc, x.egreso_ano desc, x.egreso_mes desc")
                .arg(en),
            v);
        Listar(*x, filas, &FilaExportación::últimoEmpleo, {}, true, [](Recordset& r) {
            return UnirTextos({r.texto(1).trimmed(), r.texto(2).trimmed()}, QStringLiteral(" en "));
        });
        auto i = d.AbrirRS(
            QStringLiteral("select i.postulante, li.nombre, n.nombre from nvx_d_idiomas i left "
                           "join nvx_m_idiomas li on li.id = i.idioma left join "
                           "nvx_m_idiomas_niveles n on n.id = i.habla where i.postulante in (%1) "
                           "order by li.nombre")
                .arg(en),
            v);
        Listar(*i, filas, &FilaExportación::idiomas, QStringLiteral(", "), false, [](Recordset& r) {
            const QString nivel = r.texto(2).trimmed();
            return r.texto(1).trimmed() +
                   (nivel.isEmpty() ? QString() : QStringLiteral(" (") + nivel + u')');
        });
        auto f = d.AbrirRS(
            QStringLiteral("select f.postulante, t.nombre, ins.nombre, es.nombre from "
                           "nvx_d_formacion f left join nvx_m_titulos t on t.id = f.titulo left "
                           "join nvx_m_formacion_institutos ins on ins.id = f.institucion left "
                           "join nvx_m_formacion_estados es on es.id = f.estado where "
                           "f.postulante in (%1) order by f.ultimo desc, f.ingreso desc")
                .arg(en),
            v);
        Listar(*f, filas, &FilaExportación::formación, QStringLiteral("; "), false,
               [](Recordset& r) {
                   const QString instituto = r.texto(2).trimmed(), estado = r.texto(3).trimmed();
                   QString e = r.texto(1).trimmed();
                   if (!instituto.isEmpty()) e += QStringLiteral(" (") + instituto + u')';
                   if (!estado.isEmpty()) e += QStringLiteral(", ") + estado.toLower();
                   return e.trimmed();
               });
    });
    std::vector<FilaExportación> orden;
    orden.reserve(ids.size());
    for (const int32_t id : ids)
        if (auto it = filas.constFind(id); it != filas.cend()) orden.push_back(*it);
    return orden;
}

QString CampoCsv(const QString& valor) {
    QString v = valor;
    if (!v.isEmpty() && QStringView(u"=+-@\t\r").contains(v.front())) v.prepend(u'\'');
    if (v.contains(u';') || v.contains(u'"') || v.contains(u'\n') || v.contains(u'\r') ||
        v.startsWith(u' ') || v.endsWith(u' ')) {
        v.replace(u'"', QStringLiteral("\"\""));
        v = u'"' + v + u'"';
    }
    return v;
}

int ExportarPostulantes(Diccionario& d, const std::vector<int32_t>& ids, FormatoExportación formato,
                        const QString& archivo, const std::function<void(int, int)>& progreso) {
    RelojDeArena reloj;
    const std::vector<FilaExportación> filas = FilasExportación(d, ids);
    const int total = int(filas.size());
    QByteArray contenido;
    if (formato == FormatoExportación::Csv) {
        QString csv;
        csv.reserve(qsizetype(total) * 200);
        const auto línea = [&csv](const QStringList& campos) {
            QStringList c;
            for (const QString& v : campos) c << CampoCsv(v);
            csv += c.join(u';') + QStringLiteral("\r\n");
        };
        línea(ColumnasExportación());
        for (int n = 0; n < total; ++n) {
            línea(TextosFila(filas[size_t(n)]));
            if (progreso && (n + 1) % 1000 == 0) progreso(n + 1, total);
        }
        contenido = "\xEF\xBB\xBF" + csv.toUtf8();
    } else {
        // libxlsxwriter writes a file: it goes to a private folder, then whole to its place.
        QTemporaryDir carpeta;
        const QString temporal = carpeta.filePath(QStringLiteral("lista.xlsx"));
        lxw_workbook_options opciones = {LXW_TRUE, nullptr, LXW_FALSE};
        const QByteArray tmp = carpeta.path().toLocal8Bit();
        opciones.tmpdir = const_cast<char*>(tmp.constData());
        std::unique_ptr<lxw_workbook, CerrarLibro> libro(
            workbook_new_opt(temporal.toLocal8Bit().constData(), &opciones));
        if (!carpeta.isValid() || !libro)
            throw ErrorAlmacen(kFalla, QStringLiteral("No se pudo preparar el libro."));
        lxw_worksheet* hoja = workbook_add_worksheet(libro.get(), "Postulantes");
        lxw_format* negrita = workbook_add_format(libro.get());
        format_set_bold(negrita);
        lxw_format* fecha = workbook_add_format(libro.get());
        format_set_num_format(fecha, "dd/mm/yyyy");
        const QStringList& columnas = ColumnasExportación();
        for (int c = 0; c < columnas.size(); ++c)
            worksheet_write_string(hoja, 0, lxw_col_t(c), columnas[c].toUtf8().constData(),
                                   negrita);
        worksheet_freeze_panes(hoja, 1, 0);
        for (int n = 0; n < total; ++n) {
            const FilaExportación& f = filas[size_t(n)];
            const QStringList textos = TextosFila(f);
            const lxw_row_t fila = lxw_row_t(n + 1);
            for (int c = 0; c < textos.size(); ++c) {
                // Numbers and dates as such; every text as a text, never a formula.
                if (c == 3 && f.edad >= 0)
                    worksheet_write_number(hoja, fila, lxw_col_t(c), f.edad, nullptr);
                else if (c == 4 && f.nacimiento.isValid()) {
                    lxw_datetime dt = {
                        f.nacimiento.year(), f.nacimiento.month(), f.nacimiento.day(), 0, 0, 0};
                    worksheet_write_datetime(hoja, fila, lxw_col_t(c), &dt, fecha);
                } else if (!textos[c].isEmpty())
                    worksheet_write_string(hoja, fila, lxw_col_t(c), textos[c].toUtf8().constData(),
                                           nullptr);
            }
            if (progreso && (n + 1) % 1000 == 0) progreso(n + 1, total);
        }
        const lxw_error error = workbook_close(libro.release());
        if (error != LXW_NO_ERROR)
            throw ErrorAlmacen(kFalla, QStringLiteral("No se pudo escribir el libro: %1.")
                                           .arg(QString::fromUtf8(lxw_strerror(error))));
        QFile leído(temporal);
        if (!leído.open(QIODevice::ReadOnly)) throw ErrorAlmacen(kFalla, leído.errorString());
        contenido = leído.readAll();
    }
    // The log's entries first, kept only once the file is in its place: no export
    // goes unrecorded, and none is recorded that did not happen.
    std::vector<int32_t> escritos;
    for (const FilaExportación& f : filas) escritos.push_back(f.id);
    Transaccion t(d);
    Auditar(d, escritos, Acción::Exportó, QFileInfo(archivo).fileName());
    QString motivo;
    if (!GuardarArchivo(archivo, contenido, motivo))
        throw ErrorAlmacen(kFalla,
                           QStringLiteral("No se pudo guardar «%1»: %2").arg(archivo, motivo));
    t.confirmar();
    if (progreso) progreso(total, total);
    return total;
}

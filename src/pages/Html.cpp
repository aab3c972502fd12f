#include "pages/Html.h"

#include "store/Diccionario.h"

#include <QDate>
#include <QFile>
#include <QMap>

QString EscaparHTML(const QString& texto) {
    QString r;
    r.reserve(texto.size() + texto.size() / 8);
    for (const QChar c : texto) {
        switch (c.unicode()) {
            case u'&':
                r += QLatin1String("&amp;");
                break;
            case u'<':
                r += QLatin1String("&lt;");
                break;
            case u'>':
                r += QLatin1String("&gt;");
                break;
            case u'"':
                r += QLatin1String("&quot;");
                break;
            default:
                r += c;
        }
    }
    return r;
}

QString EscaparHTMLMultilínea(const QString& texto) {
    QString r = EscaparHTML(texto);
    r.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    r.replace(u'\r', u'\n');
    r.replace(QLatin1String("\n"), QLatin1String("<br>\n"));
    return r;
}

namespace {

// Every template, read from the resources once and kept for the program's life.
const QString& TextoPlantilla(int id) {
    static const QMap<int, QString> plantillas = [] {
        QMap<int, QString> m;
        for (int i = 101; i <= 106; ++i) {
            QFile f(QStringLiteral(":/plantillas/%1.htm").arg(i));
            if (f.open(QIODevice::ReadOnly)) m.insert(i, QString::fromUtf8(f.readAll()));
        }
        return m;
    }();
    static const QString ninguna;
    const auto i = plantillas.constFind(id);
    return i == plantillas.cend() ? ninguna : *i;
}

}  // namespace

Plantilla::Plantilla(int id) : fuente_(TextoPlantilla(id)) {}

void Plantilla::Llenar(const QString& clave, const QString& texto) {
    valores_.insert(clave, EscaparHTML(texto));
}

void Plantilla::LlenarMultilínea(const QString& clave, const QString& texto) {
    valores_.insert(clave, EscaparHTMLMultilínea(texto));
}

void Plantilla::Llenar(const QString& clave, qint64 número) {
    valores_.insert(clave, QString::number(número));
}

void Plantilla::LlenarHTML(const QString& clave, QString html) {
    valores_.insert(clave, std::move(html));
}

QString Plantilla::texto() const {
    qsizetype desde = 0;
    bool lleno = false;
    return expandir(fuente_, desde, false, lleno);
}

// The template from `desde` to its end, or, inside a part, to the part's "]}".
// `lleno` becomes true when anything filled in it is non-empty.
QString Plantilla::expandir(QStringView f, qsizetype& desde, bool enParte, bool& lleno) const {
    QString r;
    for (;;) {
        const qsizetype llave = f.indexOf(QLatin1String("{$"), desde);
        const qsizetype abre = f.indexOf(QLatin1String("{["), desde);
        const qsizetype cierra = enParte ? f.indexOf(QLatin1String("]}"), desde) : -1;
        qsizetype próximo = f.size();
        for (const qsizetype p : {llave, abre, cierra})
            if (p >= 0 && p < próximo) próximo = p;
        r += f.mid(desde, próximo - desde);
        if (próximo == f.size()) {
            desde = próximo;
            return r;
        }
        if (próximo == cierra) {
            desde = cierra + 2;
            return r;
        }
        if (próximo == abre) {
            desde = abre + 2;
            bool parteLlena = false;
            const QString parte = expandir(f, desde, true, parteLlena);
            if (parteLlena) {
                r += parte;
                lleno = true;
            }
            continue;
        }
        const qsizetype fin = f.indexOf(u'}', llave + 2);
        if (fin < 0) {
            r += f.mid(llave);
            desde = f.size();
            return r;
        }
        const auto v = valores_.constFind(f.mid(llave + 2, fin - llave - 2).toString());
        if (v == valores_.cend()) {
            r += f.mid(llave, fin + 1 - llave);
            lleno = true;
        } else {
            r += *v;
            lleno = lleno || !v->isEmpty();
        }
        desde = fin + 1;
    }
}

QString NombresElementos::operator()(const QString& tabla, qint64 id, const QString& columna) {
    if (id <= 0 || id > INT32_MAX) return {};  // 0 is never a stored key
    const QString clave = tabla + u'.' + columna + u'#' + QString::number(id);
    auto i = leídos_.constFind(clave);
    if (i == leídos_.cend())
        i = leídos_.insert(clave, d_.NombreElemento(tabla, int32_t(id), columna));
    return *i;
}

int EdadEnAños(int día, int mes, int año, const QDate& hoy) {
    if (año <= 0) return -1;
    int edad = hoy.year() - año;
    if (mes >= 1 && mes <= 12 &&
        (hoy.month() < mes || (hoy.month() == mes && día >= 1 && hoy.day() < día)))
        --edad;
    return std::max(edad, 0);
}

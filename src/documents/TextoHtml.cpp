// The visible text of an HTML page: tags out, entities decoded, blocks as lines.
#include "documents/Internos.h"

#include "import/Intercambio.h"

#include <QHash>
#include <QSet>

namespace documentos {

namespace {

// Latin-1 named entities, U+00A0 to U+00FF in order.
const char* const kLatin1[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

const QHash<QString, char32_t>& Entidades() {
    static const QHash<QString, char32_t> e = [] {
        QHash<QString, char32_t> h{
            {QStringLiteral("amp"), U'&'},     {QStringLiteral("lt"), U'<'},
            {QStringLiteral("gt"), U'>'},      {QStringLiteral("quot"), U'"'},
            {QStringLiteral("apos"), U'\''},   {QStringLiteral("euro"), 0x20AC},
            {QStringLiteral("ndash"), 0x2013}, {QStringLiteral("mdash"), 0x2014},
            {QStringLiteral("lsquo"), 0x2018}, {QStringLiteral("rsquo"), 0x2019},
            {QStringLiteral("ldquo"), 0x201C}, {QStringLiteral("rdquo"), 0x201D},
            {QStringLiteral("bull"), 0x2022},  {QStringLiteral("hellip"), 0x2026},
            {QStringLiteral("trade"), 0x2122}, {QStringLiteral("OElig"), 0x0152},
            {QStringLiteral("oelig"), 0x0153}};
        for (int i = 0; i < 96; ++i) h.insert(QString::fromLatin1(kLatin1[i]), char32_t(0xA0 + i));
        return h;
    }();
    return e;
}

// Elements that begin and end a line of their own.
const QSet<QString>& Bloques() {
    static const QSet<QString> b{
        QStringLiteral("p"),          QStringLiteral("div"),        QStringLiteral("li"),
        QStringLiteral("tr"),         QStringLiteral("h1"),         QStringLiteral("h2"),
        QStringLiteral("h3"),         QStringLiteral("h4"),         QStringLiteral("h5"),
        QStringLiteral("h6"),         QStringLiteral("ul"),         QStringLiteral("ol"),
        QStringLiteral("dl"),         QStringLiteral("dt"),         QStringLiteral("dd"),
        QStringLiteral("table"),      QStringLiteral("blockquote"), QStringLiteral("pre"),
        QStringLiteral("section"),    QStringLiteral("article"),    QStringLiteral("header"),
        QStringLiteral("footer"),     QStringLiteral("hr"),         QStringLiteral("address"),
        QStringLiteral("form"),       QStringLiteral("fieldset"),   QStringLiteral("nav"),
        QStringLiteral("aside"),      QStringLiteral("main"),       QStringLiteral("figure"),
        QStringLiteral("figcaption"), QStringLiteral("caption"),    QStringLiteral("body")};
    return b;
}

// Elements whose content is never shown as text.
bool Oculto(const QString& nombre) {
    return nombre == u"script" || nombre == u"style" || nombre == u"title" ||
           nombre == u"template" || nombre == u"noscript";
}

// The charset a <meta> declares in the first bytes, lowercased; empty when none.
QByteArray CharsetDeclarado(const QByteArray& contenido) {
    const QByteArray cabeza = contenido.left(4096).toLower();
    for (qsizetype m = cabeza.indexOf("<meta"); m >= 0; m = cabeza.indexOf("<meta", m + 5)) {
        const qsizetype fin = cabeza.indexOf('>', m);
        const QByteArray etiqueta = cabeza.mid(m, fin < 0 ? -1 : fin - m);
        qsizetype c = etiqueta.indexOf("charset");
        if (c < 0) continue;
        c += 7;
        while (c < etiqueta.size() && (etiqueta[c] == ' ' || etiqueta[c] == '=' ||
                                       etiqueta[c] == '"' || etiqueta[c] == '\''))
            ++c;
        qsizetype f = c;
        while (f < etiqueta.size() &&
               (QChar::isLetterOrNumber(uchar(etiqueta[f])) || etiqueta[f] == '-' ||
                etiqueta[f] == '_' || etiqueta[f] == ':' || etiqueta[f] == '.'))
            ++f;
        if (f > c) return etiqueta.mid(c, f - c);
    }
    return {};
}

QString Decodificar(const QByteArray& contenido) {
    if (contenido.startsWith("\xEF\xBB\xBF") || contenido.startsWith("\xFF\xFE") ||
        contenido.startsWith("\xFE\xFF"))
        return DecodificarTexto(contenido);
    const QByteArray charset = CharsetDeclarado(contenido);
    // Browsers read Latin-1 and ASCII labels as windows-1252; a UTF-8 label is checked.
    if (charset.isEmpty() || charset == "utf-8" || charset == "utf8")
        return DecodificarTexto(contenido);
    if (charset == "iso-8859-1" || charset == "latin1" || charset == "us-ascii" ||
        charset == "ascii" || charset == "windows-1252" || charset == "cp1252")
        return DecodificarCodigo(contenido, "windows-1252");
    return DecodificarCodigo(contenido, charset);
}

class LectorHtml {
  public:
    explicit LectorHtml(QString h) : html(std::move(h)) {}

    QString leer() {
        const qsizetype n = html.size();
        while (i < n) {
            const QChar c = html[i];
            if (c == u'<' && i + 1 < n &&
                (html[i + 1].isLetter() || html[i + 1] == u'/' || html[i + 1] == u'!' ||
                 html[i + 1] == u'?')) {
                etiqueta();
            } else if (c == u'&') {
                entidad();
            } else if (c.isSpace()) {
                blanco = true;
                ++i;
            } else {
                escribir(c);
                ++i;
            }
        }
        return std::move(texto);
    }

  private:
    void escribir(QChar c) {
        if (blanco && !texto.isEmpty() && !texto.endsWith(u'\n') && !texto.endsWith(u'\t'))
            texto += u' ';
        blanco = false;
        texto += c;
    }
    void escribir(char32_t u) {
        if (u < 0x10000) {
            escribir(QChar(char16_t(u)));
        } else {
            escribir(QChar(QChar::highSurrogate(u)));
            texto += QChar(QChar::lowSurrogate(u));
        }
    }
    void finDeLínea() {
        if (!texto.isEmpty() && !texto.endsWith(u'\n')) texto += u'\n';
        blanco = false;
    }

    // Past the '>' that closes a tag; a '>' inside a quoted attribute value does not count.
    void saltarEtiqueta() {
        QChar comilla;
        for (; i < html.size(); ++i) {
            const QChar c = html[i];
            if (!comilla.isNull()) {
                if (c == comilla) comilla = QChar();
            } else if (c == u'"' || c == u'\'') {
                comilla = c;
            } else if (c == u'>') {
                ++i;
                return;
            }
        }
    }

    void etiqueta() {
        if (QStringView(html).sliced(i).startsWith(u"<!--")) {
            const qsizetype fin = html.indexOf(u"-->", i + 4);
            i = fin < 0 ? html.size() : fin + 3;
            return;
        }
        ++i;
        const bool cierre = i < html.size() && html[i] == u'/';
        if (cierre) ++i;
        const qsizetype inicio = i;
        while (i < html.size() &&
               (html[i].isLetterOrNumber() || html[i] == u'-' || html[i] == u':'))
            ++i;
        const QString nombre = html.mid(inicio, i - inicio).toLower();
        saltarEtiqueta();
        if (nombre.isEmpty()) return;  // <!doctype>, <?xml?>
        if (!cierre && Oculto(nombre)) {
            // Everything up to the matching end tag is not text.
            const qsizetype fin =
                html.indexOf(QStringLiteral("</") + nombre, i, Qt::CaseInsensitive);
            if (fin < 0) {
                i = html.size();
                return;
            }
            i = fin;
            saltarEtiqueta();
            return;
        }
        if (nombre == u"br") {
            texto += u'\n';
            blanco = false;
        } else if (nombre == u"td" || nombre == u"th") {
            if (!cierre && !texto.isEmpty() && !texto.endsWith(u'\n')) texto += u'\t';
            blanco = false;
        } else if (Bloques().contains(nombre)) {
            finDeLínea();
        }
    }

    void entidad() {
        // At most 32 characters up to the ';'; otherwise the '&' is text.
        const qsizetype corto =
            QStringView(html).sliced(i + 1, qMin<qsizetype>(32, html.size() - i - 1)).indexOf(u';');
        const qsizetype fin = corto < 0 ? -1 : i + 1 + corto;
        if (fin < 0) {
            escribir(html[i++]);
            return;
        }
        const QStringView nombre = QStringView(html).sliced(i + 1, fin - i - 1);
        char32_t u = 0;
        if (nombre.startsWith(u'#')) {
            bool ok = false;
            const bool hex = nombre.size() > 1 && (nombre[1] == u'x' || nombre[1] == u'X');
            const uint v = nombre.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
            if (!ok) {
                escribir(html[i++]);
                return;
            }
            if (v >= 0x80 && v < 0xA0)  // browsers read these as windows-1252
                u = DesdeWindows1252(QByteArray(1, char(v)))[0].unicode();
            else if (v == 0 || v > 0x10FFFF || (v >= 0xD800 && v < 0xE000))
                u = 0xFFFD;
            else
                u = v;
        } else {
            const auto e = Entidades().constFind(nombre.toString());
            if (e == Entidades().constEnd()) {
                escribir(html[i++]);
                return;
            }
            u = *e;
        }
        escribir(u);
        i = fin + 1;
    }

    const QString html;
    qsizetype i = 0;
    QString texto;
    bool blanco = false;  // white space seen since the last character written
};

}  // namespace

Resultado LeerHtml(const QByteArray& contenido) {
    return {LectorHtml(Decodificar(contenido)).leer(), EstadoTexto::Extraído, {}};
}

}  // namespace documentos

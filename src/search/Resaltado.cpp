#include "pages/Html.h"
#include "search/Palabras.h"

#include <algorithm>

namespace {

// Highlighted words: <mark> for browsers and for the copy, its colour for Qt's own view.
const QString kAbre = QStringLiteral("<mark style=\"background-color:#ffe066\">");
const QString kCierra = QStringLiteral("</mark>");

// A run of letters and digits of a text, and whether it is one of the words sought.
struct Palabra {
    qsizetype inicio, largo;
    bool buscada;
};

bool EsDePalabra(char32_t c) {
    return QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

// True when a word of the text, as typed, is one of `buscadas` ("admin*": a prefix).
bool Buscada(QStringView palabra, const QStringList& buscadas) {
    const auto coincide = [&buscadas](const QString& n) {
        for (const QString& b : buscadas)
            if (b.endsWith(u'*') ? n.startsWith(QStringView(b).chopped(1)) : n == b) return true;
        return false;
    };
    bool ascii = true;
    for (const QChar c : palabra) ascii = ascii && c.unicode() < 0x80;
    if (ascii) return coincide(palabra.toString().toLower());  // the common case, cheaply
    for (const QString& n : SepararPalabras(palabra.toString()))
        if (coincide(n)) return true;
    return false;
}

// Calls `f` with each word of `texto[desde, hasta)`; stops when it returns false.
template <class F>
void RecorrerPalabras(const QString& texto, qsizetype desde, qsizetype hasta,
                      const QStringList& buscadas, F f) {
    qsizetype i = desde, inicio = -1;
    while (i <= hasta) {
        char32_t c = 0;
        qsizetype ancho = 1;
        if (i < hasta) {
            c = texto.at(i).unicode();
            if (QChar::isHighSurrogate(c) && i + 1 < hasta && texto.at(i + 1).isLowSurrogate()) {
                c = QChar::surrogateToUcs4(texto.at(i), texto.at(i + 1));
                ancho = 2;
            }
        }
        const bool dePalabra = i < hasta && EsDePalabra(c);
        if (dePalabra && inicio < 0) inicio = i;
        if (!dePalabra && inicio >= 0) {
            const QStringView p = QStringView(texto).sliced(inicio, i - inicio);
            if (!f(Palabra{inicio, i - inicio, Buscada(p, buscadas)})) return;
            inicio = -1;
        }
        i += ancho;
    }
}

// `texto[desde, hasta)` with its words sought marked; plain text is escaped for HTML
// (`escapar`), HTML text is already.
QString Marcar(const QString& texto, qsizetype desde, qsizetype hasta, const QStringList& buscadas,
               bool escapar) {
    const auto copia = [&](qsizetype a, qsizetype largo) {
        const QString t = texto.mid(a, largo);
        return escapar ? EscaparHTML(t) : t;
    };
    QString salida;
    qsizetype copiado = desde;
    RecorrerPalabras(texto, desde, hasta, buscadas, [&](const Palabra& p) {
        if (!p.buscada) return true;
        salida += copia(copiado, p.inicio - copiado) + kAbre + copia(p.inicio, p.largo) + kCierra;
        copiado = p.inicio + p.largo;
        return true;
    });
    return salida + copia(copiado, hasta - copiado);
}

}  // namespace

QString FragmentoPalabras(const QString& texto, const QStringList& palabras, int ventana) {
    if (palabras.isEmpty()) return {};
    // The window starts a few words before the first word sought and ends `ventana` words on.
    const int antes = std::max(ventana / 8, 1);
    std::vector<Palabra> recientes;
    qsizetype desde = -1, hasta = texto.size();
    int después = 0;
    bool recortado = false;  // words before the window were left out
    RecorrerPalabras(texto, 0, texto.size(), palabras, [&](const Palabra& p) {
        if (desde < 0) {
            recientes.push_back(p);
            if (!p.buscada) {
                if (int(recientes.size()) > antes) {
                    recientes.erase(recientes.begin());
                    recortado = true;
                }
                return true;
            }
            desde = recortado ? recientes.front().inicio : 0;
            después = ventana - int(recientes.size());
            return true;
        }
        if (--después < 0) {
            hasta = p.inicio;
            return false;
        }
        return true;
    });
    if (desde < 0) return {};
    QString fragmento = Marcar(texto, desde, hasta, palabras, true).simplified();
    if (desde > 0) fragmento.prepend(QStringLiteral("… "));
    if (hasta < texto.size()) fragmento += QStringLiteral(" …");
    return fragmento;
}

QString ResaltarHtml(const QString& html, const QStringList& palabras) {
    if (palabras.isEmpty()) return html;
    QString salida;
    salida.reserve(html.size() + html.size() / 8);
    qsizetype i = 0;
    const qsizetype n = html.size();
    // Text inside these elements is not shown on the page.
    static const QStringList ocultos{QStringLiteral("head"), QStringLiteral("style"),
                                     QStringLiteral("script"), QStringLiteral("title")};
    QString oculto;  // the hidden element being skipped, if any
    while (i < n) {
        if (html.at(i) == u'<') {
            qsizetype fin = html.indexOf(u'>', i);
            if (fin < 0) fin = n - 1;
            const QStringView etiqueta = QStringView(html).sliced(i, fin + 1 - i);
            salida += etiqueta;
            QString nombre;
            for (qsizetype k = etiqueta.startsWith(u"</") ? 2 : 1;
                 k < etiqueta.size() && etiqueta.at(k).isLetterOrNumber(); ++k)
                nombre += etiqueta.at(k).toLower();
            if (oculto.isEmpty() && !etiqueta.startsWith(u"</") && ocultos.contains(nombre))
                oculto = nombre;
            else if (!oculto.isEmpty() && etiqueta.startsWith(u"</") && nombre == oculto)
                oculto.clear();
            i = fin + 1;
            continue;
        }
        qsizetype fin = html.indexOf(u'<', i);
        if (fin < 0) fin = n;
        if (!oculto.isEmpty()) {
            salida += QStringView(html).sliced(i, fin - i);
        } else {
            // Entities stay whole: the words are marked between them.
            qsizetype j = i;
            while (j < fin) {
                const qsizetype amp = html.indexOf(u'&', j);
                const qsizetype corte = amp < 0 || amp >= fin ? fin : amp;
                salida += Marcar(html, j, corte, palabras, false);
                if (corte == fin) break;
                qsizetype pc = html.indexOf(u';', corte);
                if (pc < 0 || pc >= fin || pc - corte > 10) pc = corte;
                salida += QStringView(html).sliced(corte, pc + 1 - corte);
                j = pc + 1;
            }
        }
        i = fin;
    }
    return salida;
}

#include "search/Palabras.h"

#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <algorithm>

namespace {

// What the recruiter reads when the query cannot run.
const QString kVacía = QStringLiteral("Escriba al menos una palabra para buscar.");
const QString kSinLetras = QStringLiteral(
    "La búsqueda no tiene letras ni números: escriba al menos una palabra para buscar.");
const QString kComillas = QStringLiteral(
    "Faltan comillas de cierre: cada frase entre comillas debe terminar con otras "
    "comillas, como en \"atención al público\".");
const QString kOInicio = QStringLiteral(
    "La búsqueda no puede empezar con «o»: escriba una palabra antes, como en «sap o oracle». "
    "Para buscar la palabra «o», escríbala entre comillas.");
const QString kOFinal = QStringLiteral(
    "La búsqueda no puede terminar con «o»: escriba una palabra después o quite la «o». "
    "Para buscar la palabra «o», escríbala entre comillas.");
const QString kODoble = QStringLiteral(
    "Hay dos «o» seguidas: deje una sola entre dos palabras, como en «sap o oracle». "
    "Para buscar la palabra «o», escríbala entre comillas.");
const QString kSóloExcluidas = QStringLiteral(
    "Agregue al menos una palabra que deba aparecer; las palabras con «-» sólo excluyen.");
const QString kExcluidaAlternativa = QStringLiteral(
    "Una palabra con «-» no puede ser una de las alternativas unidas con «o»: quite el «-» o "
    "la «o».");
const QString kAsteriscoSolo =
    QStringLiteral("El «*» debe ir pegado al final de una palabra, como en «admin*».");
const QString kPrefijoCorto = QStringLiteral(
    "Escriba al menos dos letras antes del «*», como en «ad*»: con menos, casi todas las fichas "
    "coincidirían.");

// One piece of what was typed: a term, or the word "o" between two terms.
struct Pieza {
    bool o = false;
    TérminoPalabras término;
};

bool EsEspacio(QChar c) {
    return c.isSpace();
}

// A term from the text of a phrase or a bare word; `prefijo` when a "*" followed it.
// Sets `error` when the "*" has nothing before it or too little.
TérminoPalabras Término(const QString& texto, bool excluido, bool prefijo, QString& error) {
    TérminoPalabras t;
    t.palabras = SepararPalabras(texto);
    t.excluido = excluido;
    t.prefijo = prefijo;
    if (prefijo) {
        if (t.palabras.isEmpty())
            error = kAsteriscoSolo;
        else if (t.palabras.last().toUcs4().size() < 2)
            error = kPrefijoCorto;
    }
    return t;
}

// Cuts the text into terms and "o"s; empty and sets `error` on the first fault.
std::vector<Pieza> Piezas(const QString& texto, QString& error) {
    std::vector<Pieza> piezas;
    const qsizetype n = texto.size();
    qsizetype i = 0;
    while (i < n && error.isEmpty()) {
        if (EsEspacio(texto[i])) {
            ++i;
            continue;
        }
        bool excluido = false;
        if (texto[i] == u'-') {
            excluido = true;
            ++i;
        }
        Pieza p;
        if (i < n && texto[i] == u'"') {
            const qsizetype cierre = texto.indexOf(u'"', i + 1);
            if (cierre < 0) {
                error = kComillas;
                break;
            }
            QString frase = texto.mid(i + 1, cierre - i - 1).trimmed();
            i = cierre + 1;
            // The prefix star goes inside the quotes ("atención al públ*") or right after them.
            bool prefijo = false;
            while (frase.endsWith(u'*')) {
                frase.chop(1);
                prefijo = true;
            }
            while (i < n && texto[i] == u'*') {
                ++i;
                prefijo = true;
            }
            p.término = Término(frase, excluido, prefijo, error);
        } else {
            const qsizetype inicio = i;
            while (i < n && !EsEspacio(texto[i]) && texto[i] != u'"') ++i;
            QString palabra = texto.mid(inicio, i - inicio);
            bool prefijo = false;
            while (palabra.endsWith(u'*')) {
                palabra.chop(1);
                prefijo = true;
            }
            const QString normal = NormalizarPalabras(palabra);
            if (!excluido && !prefijo && (normal == u"o" || normal == u"or"))
                p.o = true;
            else
                p.término = Término(palabra, excluido, prefijo, error);
        }
        piezas.push_back(std::move(p));
    }
    if (!error.isEmpty()) piezas.clear();
    return piezas;
}

QString ComillasFts5(const QString& texto) {
    QString t = texto;
    t.replace(u'"', QStringLiteral("\"\""));
    return u'"' + t + u'"';
}

QString TérminoFts5(const TérminoPalabras& t) {
    return ComillasFts5(t.palabras.join(u' ')) + (t.prefijo ? QStringLiteral("*") : QString());
}

QString LexemaTsquery(const QString& palabra) {
    QString t = palabra;
    t.replace(u'\\', QStringLiteral("\\\\"));
    t.replace(u'\'', QStringLiteral("''"));
    return u'\'' + t + u'\'';
}

// A term as a tsquery operand, in parentheses when it is a phrase so that no
// neighbouring operator binds into it.
QString TérminoTsquery(const TérminoPalabras& t) {
    QStringList lexemas;
    for (const QString& p : t.palabras) lexemas << LexemaTsquery(p);
    if (t.prefijo) lexemas.last() += QStringLiteral(":*");
    if (lexemas.size() == 1) return lexemas.first();
    return u'(' + lexemas.join(QStringLiteral(" <-> ")) + u')';
}

bool Excluido(const std::vector<TérminoPalabras>& grupo) {
    return grupo.size() == 1 && grupo.front().excluido;
}

}  // namespace

QString NormalizarPalabras(const QString& texto) {
    // Lower case first: some capitals lower to a letter plus a combining mark (İ -> i̇).
    const QString descompuesto = texto.toLower().normalized(QString::NormalizationForm_KD);
    QString salida;
    salida.reserve(descompuesto.size());
    for (const char32_t c : descompuesto.toUcs4()) {
        switch (QChar::category(c)) {
            case QChar::Mark_NonSpacing:
            case QChar::Mark_SpacingCombining:
            case QChar::Mark_Enclosing:
                continue;
            default:
                break;
        }
        salida += QString::fromUcs4(&c, 1);
    }
    // And after: compatibility forms can decompose to capitals (ℌ -> H).
    return salida.toLower();
}

QStringList SepararPalabras(const QString& texto) {
    QStringList palabras;
    QString actual;
    const QString normal = NormalizarPalabras(texto);
    for (const char32_t c : normal.toUcs4()) {
        if (QChar::isLetterOrNumber(c)) {
            actual += QString::fromUcs4(&c, 1);
        } else if (!actual.isEmpty()) {
            palabras << actual;
            actual.clear();
        }
    }
    if (!actual.isEmpty()) palabras << actual;
    return palabras;
}

ConsultaPalabras AnalizarPalabras(const QString& texto) {
    ConsultaPalabras c;
    if (texto.trimmed().isEmpty()) {
        c.error = kVacía;
        return c;
    }
    const std::vector<Pieza> piezas = Piezas(texto, c.error);
    if (!c.válida()) return c;
    // The "o"s must stand between two terms.
    for (size_t i = 0; i < piezas.size(); ++i) {
        if (!piezas[i].o) continue;
        if (i == 0)
            c.error = kOInicio;
        else if (piezas[i - 1].o)
            c.error = kODoble;
        else if (i + 1 == piezas.size())
            c.error = kOFinal;
        if (!c.válida()) return c;
    }
    // Each run of terms joined by "o" is one group; terms without letters or digits drop out.
    std::vector<std::vector<TérminoPalabras>> incluidos, excluidos;
    bool ignorados = false;
    for (size_t i = 0; i < piezas.size();) {
        std::vector<TérminoPalabras> cadena{piezas[i].término};
        for (i += 1; i + 1 < piezas.size() && piezas[i].o; i += 2)
            cadena.push_back(piezas[i + 1].término);
        std::vector<TérminoPalabras> grupo;
        for (TérminoPalabras& t : cadena) {
            if (t.palabras.isEmpty()) {
                ignorados = true;
                continue;
            }
            grupo.push_back(std::move(t));
        }
        if (grupo.empty()) continue;
        const bool conExcluido = std::any_of(grupo.begin(), grupo.end(),
                                             [](const TérminoPalabras& t) { return t.excluido; });
        if (conExcluido && cadena.size() > 1) {
            c.error = kExcluidaAlternativa;
            return c;
        }
        (conExcluido ? excluidos : incluidos).push_back(std::move(grupo));
    }
    if (incluidos.empty()) {
        c.error = excluidos.empty() && ignorados ? kSinLetras
                  : excluidos.empty()            ? kVacía
                                                 : kSóloExcluidas;
        return c;
    }
    c.grupos = std::move(incluidos);
    for (auto& g : excluidos) c.grupos.push_back(std::move(g));
    return c;
}

QString ConsultaPalabras::fts5() const {
    if (!válida()) return {};
    QStringList incluidos;
    QString excluidos;
    for (const auto& grupo : grupos) {
        if (Excluido(grupo)) {
            excluidos += QStringLiteral(" NOT ") + TérminoFts5(grupo.front());
            continue;
        }
        QStringList alternativas;
        for (const TérminoPalabras& t : grupo) alternativas << TérminoFts5(t);
        incluidos << (alternativas.size() == 1
                          ? alternativas.first()
                          : u'(' + alternativas.join(QStringLiteral(" OR ")) + u')');
    }
    QString expresión = incluidos.join(QStringLiteral(" AND "));
    // FTS5's NOT is binary: the included terms as its left operand.
    if (!excluidos.isEmpty() && incluidos.size() > 1) expresión = u'(' + expresión + u')';
    return expresión + excluidos;
}

QString ConsultaPalabras::tsquery() const {
    if (!válida()) return {};
    QStringList operandos;
    for (const auto& grupo : grupos) {
        if (Excluido(grupo)) {
            operandos << u'!' + TérminoTsquery(grupo.front());
            continue;
        }
        QStringList alternativas;
        for (const TérminoPalabras& t : grupo) alternativas << TérminoTsquery(t);
        operandos << (alternativas.size() == 1
                          ? alternativas.first()
                          : u'(' + alternativas.join(QStringLiteral(" | ")) + u')');
    }
    return operandos.join(QStringLiteral(" & "));
}

QStringList ConsultaPalabras::palabrasResaltar() const {
    QStringList palabras;
    for (const auto& grupo : grupos)
        for (const TérminoPalabras& t : grupo) {
            if (t.excluido) continue;
            for (qsizetype i = 0; i < t.palabras.size(); ++i) {
                const bool prefijo = t.prefijo && i + 1 == t.palabras.size();
                const QString p = t.palabras[i] + (prefijo ? QStringLiteral("*") : QString());
                if (!palabras.contains(p)) palabras << p;
            }
        }
    return palabras;
}

std::vector<HalladoPalabras> BuscarPorPalabras(Diccionario& d, const QString& texto) {
    const ConsultaPalabras c = AnalizarPalabras(texto);
    if (!c.válida()) throw ErrorAlmacen(c.error);
    std::vector<HalladoPalabras> hallados;
    for (auto rs = d.BuscarPalabras(c.fts5(), c.tsquery()); !rs->eof(); rs->MoveNext())
        hallados.push_back({int32_t(rs->entero(0)), rs->real(1), rs->texto(2), rs->texto(3)});
    return hallados;
}

#include "store/SqlJet.h"

#include "store/TextoSqlite.h"

#include <QFileInfo>

#include <vector>

#include <sqlite3.h>

#include <QRegularExpression>

namespace {

bool esLetra(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// Index just past a quoted text, name, or comment starting at i; i when none starts there.
qsizetype saltarCitado(const QString& s, qsizetype i) {
    const qsizetype n = s.size();
    const QChar c = s.at(i);
    if (c == u'\'' || c == u'"' || c == u'`') {
        qsizetype j = i + 1;
        while (j < n) {
            if (s.at(j) == c) {
                if (j + 1 < n && s.at(j + 1) == c) {
                    j += 2;
                    continue;
                }
                return j + 1;
            }
            ++j;
        }
        return n;
    }
    if (c == u'[') {
        const qsizetype j = s.indexOf(u']', i + 1);
        return j < 0 ? n : j + 1;
    }
    if (c == u'-' && i + 1 < n && s.at(i + 1) == u'-') {
        const qsizetype j = s.indexOf(u'\n', i);
        return j < 0 ? n : j + 1;
    }
    if (c == u'/' && i + 1 < n && s.at(i + 1) == u'*') {
        const qsizetype j = s.indexOf(QStringLiteral("*/"), i + 2);
        return j < 0 ? n : j + 2;
    }
    return i;
}

qsizetype saltarBlancos(const QString& s, qsizetype i) {
    while (i < s.size() && s.at(i).isSpace()) ++i;
    return i;
}

// Index of the parenthesis closing the one opened just before `i`, or -1.
qsizetype cierre(const QString& s, qsizetype i) {
    int nivel = 1;
    while (i < s.size()) {
        const qsizetype j = saltarCitado(s, i);
        if (j != i) {
            i = j;
            continue;
        }
        if (s.at(i) == u'(') ++nivel;
        if (s.at(i) == u')' && --nivel == 0) return i;
        ++i;
    }
    return -1;
}

bool palabraEn(const QString& s, qsizetype i, QLatin1String palabra) {
    const qsizetype fin = i + palabra.size();
    if (fin > s.size()) return false;
    if (QStringView(s).mid(i, palabra.size()).compare(palabra, Qt::CaseInsensitive) != 0)
        return false;
    return fin == s.size() || !esLetra(s.at(fin));
}

}  // namespace

QString TraducirJet(const QString& sql) {
    if (!sql.contains(QLatin1String("isnull"), Qt::CaseInsensitive) && !sql.contains(u'*'))
        return sql;
    QString r;
    r.reserve(sql.size() + 16);
    qsizetype i = 0;
    const qsizetype n = sql.size();
    while (i < n) {
        const qsizetype j = saltarCitado(sql, i);
        if (j != i) {
            r += QStringView(sql).mid(i, j - i);
            i = j;
            continue;
        }
        const bool inicioPalabra = i == 0 || (!esLetra(sql.at(i - 1)) && sql.at(i - 1) != u'.');
        if (inicioPalabra && palabraEn(sql, i, QLatin1String("delete"))) {
            const qsizetype a = saltarBlancos(sql, i + 6);
            if (a < n && sql.at(a) == u'*') {
                const qsizetype b = saltarBlancos(sql, a + 1);
                if (palabraEn(sql, b, QLatin1String("from"))) {
                    r += QLatin1String("delete from");
                    i = b + 4;
                    continue;
                }
            }
        }
        if (inicioPalabra && palabraEn(sql, i, QLatin1String("isnull"))) {
            const qsizetype a = saltarBlancos(sql, i + 6);
            if (a < n && sql.at(a) == u'(') {
                const qsizetype c = cierre(sql, a + 1);
                if (c > 0) {
                    const QString dentro = TraducirJet(sql.mid(a + 1, c - a - 1)).trimmed();
                    r += QLatin1Char('(') + dentro + QLatin1String(" IS NULL)");
                    i = c + 1;
                    continue;
                }
            }
        }
        r += sql.at(i);
        ++i;
    }
    return r;
}

QStringList DividirGuion(const QString& guion) {
    QStringList sentencias;
    qsizetype inicio = 0;
    qsizetype i = 0;
    while (i < guion.size()) {
        const qsizetype j = saltarCitado(guion, i);
        if (j != i) {
            i = j;
            continue;
        }
        if (guion.at(i) == u';') {
            const QString candidata = guion.mid(inicio, i - inicio + 1);
            if (sqlite3_complete(candidata.toUtf8().constData())) {
                const QString t = candidata.trimmed();
                if (t != QLatin1String(";")) sentencias << t;
                inicio = i + 1;
            }
        }
        ++i;
    }
    const QString resto = guion.mid(inicio).trimmed();
    if (!resto.isEmpty() && sqlite3_complete((resto + u';').toUtf8().constData()))
        sentencias << resto;
    return sentencias;
}

bool EsIdentificador(const QString& nombre) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re.match(nombre).hasMatch();
}

bool EsListaOrden(const QString& lista) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*[A-Za-z_][A-Za-z0-9_.]*(\\s+(asc|desc))?"
                       "(\\s*,\\s*[A-Za-z_][A-Za-z0-9_.]*(\\s+(asc|desc))?)*\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    return re.match(lista).hasMatch();
}

QString TraducirPostgres(const QString& original) {
    const QString sql = TraducirJet(original);
    if (sql.startsWith(QLatin1String("BEGIN "), Qt::CaseInsensitive))
        return QStringLiteral("BEGIN");
    QString r;
    r.reserve(sql.size() + 32);
    const qsizetype n = sql.size();
    // Closing texts owed at given depths of parentheses: what comes before
    // " COLLATE …)".
    struct Cierre {
        int profundidad;
        QString antes;
    };
    std::vector<Cierre> cierres;
    // The deterministic collations given so far, by the depth of the comparison
    // they belong to: an explicit COLLATE later in that comparison replaces them.
    struct Cotejo {
        int profundidad;
        qsizetype posición;
    };
    std::vector<Cotejo> cotejos;
    const QLatin1String kCotejo(" COLLATE \"und-x-icu\"");
    const auto cerrarComparación = [&](int p) {
        while (!cotejos.empty() && cotejos.back().profundidad >= p) cotejos.pop_back();
    };
    int profundidad = 0;
    qsizetype i = 0;
    while (i < n) {
        const qsizetype j = saltarCitado(sql, i);
        if (j != i) {
            r += QStringView(sql).mid(i, j - i);
            i = j;
            continue;
        }
        const QChar c = sql.at(i);
        const bool inicioPalabra = i == 0 || (!esLetra(sql.at(i - 1)) && sql.at(i - 1) != u'.');
        if (inicioPalabra && (palabraEn(sql, i, QLatin1String("ucase")) ||
                              palabraEn(sql, i, QLatin1String("lcase")))) {
            const qsizetype a = saltarBlancos(sql, i + 5);
            if (a < n && sql.at(a) == u'(') {
                r += sql.at(i).toLower() == u'u' ? QLatin1String("(upper(")
                                                 : QLatin1String("(lower(");
                ++profundidad;
                cierres.push_back({profundidad, QStringLiteral(")")});
                i = a + 1;
                continue;
            }
        }
        // The plain form: upper case, then the file store's own letter table.
        if (inicioPalabra && palabraEn(sql, i, QLatin1String("candora_plano"))) {
            const qsizetype a = saltarBlancos(sql, i + 13);
            if (a < n && sql.at(a) == u'(') {
                static const QString kTabla = [] {
                    const auto [desde, hacia] = TablaPlana();
                    return QStringLiteral("), '%1', '%2')").arg(desde, hacia);
                }();
                r += QLatin1String("(translate(upper(");
                ++profundidad;
                cierres.push_back({profundidad, kTabla});
                i = a + 1;
                continue;
            }
        }
        if (inicioPalabra && palabraEn(sql, i, QLatin1String("collate"))) {
            for (; !cotejos.empty() && cotejos.back().profundidad == profundidad;
                 cotejos.pop_back())
                r.remove(cotejos.back().posición, kCotejo.size());
        }
        if (inicioPalabra &&
            (palabraEn(sql, i, QLatin1String("and")) || palabraEn(sql, i, QLatin1String("or"))))
            cerrarComparación(profundidad);
        if (inicioPalabra && palabraEn(sql, i, QLatin1String("is"))) {
            const qsizetype a = saltarBlancos(sql, i + 2);
            if (a < n && sql.at(a) == u'?') {  // SQLite's equality that matches Null with Null
                r += QLatin1String("IS NOT DISTINCT FROM ?");
                i = a + 1;
                continue;
            }
        }
        if (inicioPalabra && palabraEn(sql, i, QLatin1String("true"))) {
            r += u'1';
            i += 4;
            continue;
        }
        if (inicioPalabra && palabraEn(sql, i, QLatin1String("false"))) {
            r += u'0';
            i += 5;
            continue;
        }
        if (c == u'(') ++profundidad;
        if (c == u')') {
            if (!cierres.empty() && cierres.back().profundidad == profundidad) {
                cerrarComparación(profundidad);
                r += cierres.back().antes;
                cotejos.push_back({profundidad - 1, r.size()});
                r += kCotejo;
                r += u')';
                cierres.pop_back();
                --profundidad;
                ++i;
                continue;
            }
            cerrarComparación(profundidad);
            --profundidad;
        }
        r += c;
        ++i;
    }
    return r;
}

QString MarcasPostgres(const QString& sql) {
    if (!sql.contains(u'?')) return sql;
    QString r;
    r.reserve(sql.size() + 16);
    int n = 0;
    for (qsizetype i = 0; i < sql.size();) {
        const qsizetype j = saltarCitado(sql, i);
        if (j != i) {
            r += QStringView(sql).mid(i, j - i);
            i = j;
        } else if (sql.at(i) == u'?') {
            r += u'$' + QString::number(++n);
            ++i;
        } else {
            r += sql.at(i++);
        }
    }
    return r;
}

QString UriArchivo(const QString& ruta, const char* modo) {
    QString p = QFileInfo(ruta).absoluteFilePath();
    p.replace(u'%', QLatin1String("%25"));
    p.replace(u'?', QLatin1String("%3f"));
    p.replace(u'#', QLatin1String("%23"));
    return QStringLiteral("file:") + p + QStringLiteral("?mode=") + QLatin1String(modo);
}

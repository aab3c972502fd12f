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

QString TraducirPostgres(const QString& sql) {
    if (!sql.contains(QLatin1String("candora_plano"), Qt::CaseInsensitive)) return sql;
    // Letters outside ASCII are rare: a text without any takes the quick byte-wise
    // upper case (the letter table changes nothing in it), the rest the full path.
    static const QString kPlano = [] {
        const auto [desde, hacia] = TablaPlana();
        return QStringLiteral(
                   "(CASE WHEN octet_length(%1) = length(%1) THEN upper(%1 COLLATE "
                   "\"C\") ELSE translate(upper(%1), '%2', '%3') END COLLATE "
                   "\"und-x-icu\")")
            .arg(QStringLiteral("%1"), desde, hacia);
    }();
    QString r;
    r.reserve(sql.size() + kPlano.size());
    for (qsizetype i = 0; i < sql.size();) {
        const qsizetype j = saltarCitado(sql, i);
        if (j != i) {
            r += QStringView(sql).mid(i, j - i);
            i = j;
            continue;
        }
        const bool inicioPalabra = i == 0 || (!esLetra(sql.at(i - 1)) && sql.at(i - 1) != u'.');
        if (inicioPalabra && palabraEn(sql, i, QLatin1String("candora_plano"))) {
            const qsizetype a = saltarBlancos(sql, i + 13);
            const qsizetype c = a < sql.size() && sql.at(a) == u'(' ? cierre(sql, a + 1) : -1;
            if (c > 0) {
                QString dentro = TraducirPostgres(sql.mid(a + 1, c - a - 1)).trimmed();
                if (!EsIdentificador(dentro.section(u'.', -1)) || dentro.count(u'.') > 1)
                    dentro = u'(' + dentro + u')';
                r += QString(kPlano).replace(QLatin1String("%1"), dentro);
                i = c + 1;
                continue;
            }
        }
        r += sql.at(i++);
    }
    return r;
}

QString MarcasPostgres(const QString& sql, int* cuántas) {
    if (cuántas) *cuántas = 0;
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
    if (cuántas) *cuántas = n;
    return r;
}

QString UriArchivo(const QString& ruta, const char* modo) {
    QString p = QFileInfo(ruta).absoluteFilePath();
    p.replace(u'%', QLatin1String("%25"));
    p.replace(u'?', QLatin1String("%3f"));
    p.replace(u'#', QLatin1String("%23"));
    return QStringLiteral("file:") + p + QStringLiteral("?mode=") + QLatin1String(modo);
}

#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// The keyword query language a recruiter types ("sap o oracle logística -pasantía")
// and its translation into an SQLite FTS5 MATCH expression and a PostgreSQL tsquery.

// One term of a keyword query.
struct TérminoPalabras {
    QStringList palabras;   // one word, or several for a phrase; as NormalizarPalabras leaves them
    bool prefijo = false;   // "admin*": the last word is a prefix
    bool excluido = false;  // "-pasantía"
    bool operator==(const TérminoPalabras&) const = default;
};

// A keyword query: every group must match; a group matches when any of its alternatives does.
struct ConsultaPalabras {
    std::vector<std::vector<TérminoPalabras>>
        grupos;     // AND of ORs; excluded terms form groups of one
    QString error;  // empty when valid; else a Spanish sentence for the recruiter, with the way out
    bool válida() const { return error.isEmpty(); }
    // MATCH expression for an FTS5 table with tokenize = "unicode61 remove_diacritics 2";
    // empty when the query is not valid.
    QString fts5() const;
    // Text for to_tsquery('simple', …) over unaccented, lower-case text; empty when not valid.
    QString tsquery() const;
    // The included words, once each, in the order typed; a prefix ends in "*" ("admin*").
    QStringList palabrasResaltar() const;
};

ConsultaPalabras AnalizarPalabras(const QString& texto);

// Text as the index keeps it: lower case, accents and diacritics removed
// ("Pérez-Güemes" -> "perez-guemes"), ñ -> n.
QString NormalizarPalabras(const QString& texto);

// The words of a text as FTS5's unicode61 tokenizer splits them: runs of letters
// and digits of the normalised text.
QStringList SepararPalabras(const QString& texto);

// A short excerpt of `texto` around the first word `palabras` (as palabrasResaltar gives
// them) finds, about `ventana` words long, escaped for HTML with the words in <mark>;
// "…" where the text goes on. Empty when no word is found.
QString FragmentoPalabras(const QString& texto, const QStringList& palabras, int ventana = 24);
// An HTML page with `palabras` marked in its visible text; tags, entities and the
// head are left as they are.
QString ResaltarHtml(const QString& html, const QStringList& palabras);

class Diccionario;

// An applicant found by keywords, and how well it matches.
struct HalladoPalabras {
    int32_t id;
    double rango;
    QString apellido, nombre;
};
// The active applicants whose words match a query, best first (ties by surname).
// A malformed query is an ErrorAlmacen whose sentence explains it in Spanish.
std::vector<HalladoPalabras> BuscarPorPalabras(Diccionario& d, const QString& texto);

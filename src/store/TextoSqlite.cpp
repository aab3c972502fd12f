#include "store/TextoSqlite.h"

#include "store/Compresion.h"

#ifdef CANDORA_EXTENSION_SQLITE
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1
#else
#include <sqlite3.h>
#endif

#include <QChar>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Peso {
    uint32_t primario;    // (case-folded base letter + 1) * 2; 0 = ignorable (combining mark)
    uint16_t secundario;  // accent; 0 = none
};

constexpr char32_t kFinTabla = 0x250;  // Latin-1 Supplement and Latin Extended-A/B

Peso calcularPeso(char32_t cp) {
    if (cp < 0x80) {
        char32_t c = (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
        return {(uint32_t(c) + 1) * 2, 0};
    }
    if (cp == 0xF1 || cp == 0xD1)
        return {(uint32_t('n') + 1) * 2 + 1, 0};  // ñ is a letter of its own
    const QChar::Category cat = QChar::category(cp);
    if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_Enclosing)
        return {0, uint16_t(cp & 0xFFFF)};
    if (QChar::decompositionTag(cp) == QChar::Canonical) {
        const QString d = QChar::decomposition(cp);
        if (d.size() >= 2) {
            const Peso base = calcularPeso(d.at(0).unicode());
            return {base.primario, uint16_t(d.at(1).unicode())};
        }
    }
    return {(uint32_t(QChar::toCaseFolded(cp)) + 1) * 2, 0};
}

const std::array<Peso, kFinTabla>& tablaPesos() {
    static const std::array<Peso, kFinTabla> tabla = [] {
        std::array<Peso, kFinTabla> t{};
        for (char32_t cp = 0; cp < kFinTabla; ++cp) t[cp] = calcularPeso(cp);
        return t;
    }();
    return tabla;
}

inline Peso peso(char32_t cp) {
    return cp < kFinTabla ? tablaPesos()[cp] : calcularPeso(cp);
}

// The plain form of a text: upper case without accents ("Núñez" → "NUNEZ"), so a
// search typed without accents finds the accented names. One table serves the file
// store's function, the values typed and the server's translate(). It holds the
// accented letters of Latin-1, the ones names in this office carry: a longer
// table would make translate() on the server, which scans it for every
// character, several times slower.
struct Plana {
    QString desde, hacia;                    // upper-case letters, for translate()
    std::array<char16_t, kFinTabla> mapa{};  // replacement letter; 0 = unchanged
};

const Plana& plana() {
    static const Plana p = [] {
        Plana t;
        std::vector<char32_t> letras{0x178};  // Ÿ, the upper case of ÿ
        for (char32_t cp = 0xC0; cp <= 0xFF; ++cp) letras.push_back(cp);
        for (const char32_t cp : letras) {
            char32_t base = cp;
            while (QChar::decompositionTag(base) == QChar::Canonical) {
                const QString d = QChar::decomposition(base);
                if (d.isEmpty()) break;
                base = d.at(0).unicode();
            }
            if (base >= 0x80 || !QChar::isLetter(base)) continue;
            t.mapa[cp] = char16_t(QChar::toUpper(base));
            if (QChar::isUpper(cp)) {
                t.desde += QChar(cp);
                t.hacia += QChar(t.mapa[cp]);
            }
        }
        return t;
    }();
    return p;
}

// Decodes one UTF-8 sequence; malformed bytes read as themselves (Latin-1).
inline char32_t leerUtf8(const unsigned char*& p, const unsigned char* fin) {
    unsigned char c = *p++;
    if (c < 0x80) return c;
    int extra = (c >= 0xF0) ? 3 : (c >= 0xE0) ? 2 : (c >= 0xC0) ? 1 : 0;
    if (extra == 0 || fin - p < extra) return c;
    char32_t cp = c & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if ((p[i] & 0xC0) != 0x80) return c;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    p += extra;
    return cp;
}

void pesos(const unsigned char* p, const unsigned char* fin, std::vector<uint32_t>& prim,
           std::vector<uint16_t>& sec) {
    prim.clear();
    sec.clear();
    while (p < fin) {
        const Peso w = peso(leerUtf8(p, fin));
        if (w.primario) prim.push_back(w.primario);
        sec.push_back(w.secundario);
    }
}

template <class T>
int compararSecuencias(const std::vector<T>& a, const std::vector<T>& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int compararTexto(void*, int largoA, const void* a, int largoB, const void* b) {
    return CompararTexto(static_cast<const char*>(a), largoA, static_cast<const char*>(b), largoB);
}

bool esAscii(const unsigned char* p, int n) {
    for (int i = 0; i < n; ++i)
        if (p[i] & 0x80) return false;
    return true;
}

// The argument's UTF-8 text and its length; Null (or no memory) answers Null and gives nullptr.
const unsigned char* TextoONulo(sqlite3_context* ctx, sqlite3_value* v, int& n) {
    const unsigned char* t = sqlite3_value_type(v) == SQLITE_NULL ? nullptr : sqlite3_value_text(v);
    n = t ? sqlite3_value_bytes(v) : 0;
    if (!t) sqlite3_result_null(ctx);
    return t;
}

// ucase / lcase: Null stays Null, anything else becomes text in the other case.
template <bool Mayusculas>
void cambiarCaja(sqlite3_context* ctx, int, sqlite3_value** argv) {
    int n = 0;
    const unsigned char* t = TextoONulo(ctx, argv[0], n);
    if (!t) return;
    // ASCII and the Latin-1 letters (á, ñ, ü…) change case in place; anything
    // else goes through Qt's full Unicode tables.
    if (char* r = static_cast<char*>(sqlite3_malloc(n + 1))) {
        bool latino = true;
        for (int i = 0; i < n && latino; ++i) {
            unsigned char c = t[i];
            if (c < 0x80) {
                if (Mayusculas && c >= 'a' && c <= 'z') c -= 32;
                if (!Mayusculas && c >= 'A' && c <= 'Z') c += 32;
                r[i] = char(c);
            } else if (c == 0xC3 && i + 1 < n) {
                unsigned char d = t[i + 1];
                if (Mayusculas && (d == 0x9F || d == 0xBF)) {  // ß and ÿ change length
                    latino = false;
                    break;
                }
                if (Mayusculas && d >= 0xA0 && d <= 0xBE && d != 0xB7) d -= 0x20;
                if (!Mayusculas && d >= 0x80 && d <= 0x9E && d != 0x97) d += 0x20;
                r[i] = char(c);
                r[++i] = char(d);
            } else {
                latino = false;
            }
        }
        if (latino) {
            sqlite3_result_text(ctx, r, n, sqlite3_free);
            return;
        }
        sqlite3_free(r);
    }
    const QString q = QString::fromUtf8(reinterpret_cast<const char*>(t), n);
    const QByteArray r = (Mayusculas ? q.toUpper() : q.toLower()).toUtf8();
    sqlite3_result_text(ctx, r.constData(), int(r.size()), SQLITE_TRANSIENT);
}

// candora_plano(x): Null stays Null, anything else its plain form (TextoPlano).
void aPlano(sqlite3_context* ctx, int, sqlite3_value** argv) {
    int n = 0;
    const unsigned char* t = TextoONulo(ctx, argv[0], n);
    if (!t) return;
    // ASCII and the accented Latin-1 letters become one ASCII byte each; anything
    // else goes through Qt's tables.
    const Plana& p = plana();
    if (char* r = static_cast<char*>(sqlite3_malloc(n + 1))) {
        int k = 0;
        bool simple = true;
        for (int i = 0; i < n && simple; ++i) {
            const unsigned char c = t[i];
            if (c < 0x80) {
                r[k++] = char(c >= 'a' && c <= 'z' ? c - 32 : c);
            } else if (c == 0xC3 && i + 1 < n && (t[i + 1] & 0xC0) == 0x80 &&
                       p.mapa[0xC0 + (t[i + 1] & 0x3F)]) {
                r[k++] = char(p.mapa[0xC0 + (t[i + 1] & 0x3F)]);
                ++i;
            } else {
                simple = false;
            }
        }
        if (simple) {
            sqlite3_result_text(ctx, r, k, sqlite3_free);
            return;
        }
        sqlite3_free(r);
    }
    const QByteArray r =
        TextoPlano(QString::fromUtf8(reinterpret_cast<const char*>(t), n)).toUtf8();
    sqlite3_result_text(ctx, r.constData(), int(r.size()), SQLITE_TRANSIENT);
}

}  // namespace

QString TextoPlano(const QString& texto) {
    const Plana& p = plana();
    const QString mayúsculas = texto.toUpper();
    QString r;
    r.reserve(mayúsculas.size());
    for (const QChar c : mayúsculas) {
        const char16_t u = c.unicode();
        r += u < kFinTabla && p.mapa[u] ? QChar(p.mapa[u]) : c;
    }
    return r;
}

std::pair<QString, QString> TablaPlana() {
    return {plana().desde, plana().hacia};
}

int CompararTexto(const char* a, int largoA, const char* b, int largoB) {
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    // Fast path while both sides are ASCII: case-folded byte order.
    const int n = std::min(largoA, largoB);
    int i = 0;
    for (; i < n; ++i) {
        const unsigned char ca = pa[i], cb = pb[i];
        if ((ca | cb) & 0x80) break;
        const unsigned char la = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
        const unsigned char lb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
        if (la != lb) {
            // Equal prefixes so far; a later accent cannot change a primary difference.
            return la < lb ? -1 : 1;
        }
    }
    if (i == n && esAscii(pa + i, largoA - i) && esAscii(pb + i, largoB - i))
        return largoA == largoB ? 0 : (largoA < largoB ? -1 : 1);
    thread_local std::vector<uint32_t> primA, primB;
    thread_local std::vector<uint16_t> secA, secB;
    pesos(pa, pa + largoA, primA, secA);
    pesos(pb, pb + largoB, primB, secB);
    if (int c = compararSecuencias(primA, primB)) return c;
    return compararSecuencias(secA, secB);
}

// candora_ahora(): the local time as the stores stamp changes (yyyymmddhhnnss),
// named as on a server store so the same statements run on both.
static void ahora(sqlite3_context* c, int, sqlite3_value**) {
    const QByteArray t =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    sqlite3_result_text(c, t.constData(), int(t.size()), SQLITE_TRANSIENT);
}

// string_agg(x, separador): the texts of a group joined, Nulls left out, as a server
// store writes it (SQLite has it only from 3.44).
static void unirPaso(sqlite3_context* c, int, sqlite3_value** v) {
    if (sqlite3_value_type(v[0]) == SQLITE_NULL) return;
    auto** unido = static_cast<std::string**>(sqlite3_aggregate_context(c, sizeof(std::string*)));
    if (!unido) {
        sqlite3_result_error_nomem(c);
        return;
    }
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v[0]));
    const int n = sqlite3_value_bytes(v[0]);
    if (!*unido) {
        *unido = new std::string;
    } else if (sqlite3_value_type(v[1]) != SQLITE_NULL) {
        (*unido)->append(reinterpret_cast<const char*>(sqlite3_value_text(v[1])),
                         size_t(sqlite3_value_bytes(v[1])));
    }
    (*unido)->append(t, size_t(n));
}

static void unirFin(sqlite3_context* c) {
    auto** unido = static_cast<std::string**>(sqlite3_aggregate_context(c, 0));
    if (!unido || !*unido) {
        sqlite3_result_null(c);
        return;
    }
    sqlite3_result_text(c, (*unido)->data(), int((*unido)->size()), SQLITE_TRANSIENT);
    delete *unido;
    *unido = nullptr;
}

int RegistrarTextoSqlite(sqlite3* db) {
    int rc = sqlite3_create_collation_v2(db, "TEXTO", SQLITE_UTF8, nullptr, compararTexto, nullptr);
    const int banderas = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "ucase", 1, banderas, nullptr, cambiarCaja<true>,
                                        nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "lcase", 1, banderas, nullptr, cambiarCaja<false>,
                                        nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "candora_plano", 1, banderas, nullptr, aPlano, nullptr,
                                        nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "candora_ahora", 0, SQLITE_UTF8, nullptr, ahora,
                                        nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "string_agg", 2, SQLITE_UTF8 | SQLITE_INNOCUOUS,
                                        nullptr, nullptr, unirPaso, unirFin, nullptr);
    if (rc == SQLITE_OK) rc = RegistrarCompresionSqlite(db);
    return rc;
}

#ifdef CANDORA_EXTENSION_SQLITE
extern "C" __attribute__((visibility("default"))) int sqlite3_candorasqlite_init(
    sqlite3* db, char**, const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    return RegistrarTextoSqlite(db);
}
#endif

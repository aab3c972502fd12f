#include "store/Compresion.h"

#include "store/DiccionarioTextos.h"

#ifdef CANDORA_EXTENSION_SQLITE
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT3
#else
#include <sqlite3.h>
#endif
#include <zlib.h>

#include <algorithm>

namespace {

constexpr unsigned char kDiccionario1 = 1;

const Bytef* Diccionario() {
    return reinterpret_cast<const Bytef*>(kDiccionarioTextos1);
}
constexpr uInt kLargoDiccionario = sizeof(kDiccionarioTextos1) - 1;

// One deflate and one inflate state per thread, reset for each text: a new state
// would allocate a few hundred KB every time.
struct Deflador {
    z_stream z{};
    bool listo;
    Deflador() { listo = deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK; }
    ~Deflador() {
        if (listo) deflateEnd(&z);
    }
};
struct Inflador {
    z_stream z{};
    bool listo;
    Inflador() { listo = inflateInit2(&z, -15) == Z_OK; }
    ~Inflador() {
        if (listo) inflateEnd(&z);
    }
};

bool Comprimir(const unsigned char* texto, size_t largo, QByteArray& salida) {
    thread_local Deflador d;
    if (!d.listo || largo == 0 || largo > (1u << 30)) return false;
    if (deflateReset(&d.z) != Z_OK ||
        deflateSetDictionary(&d.z, Diccionario(), kLargoDiccionario) != Z_OK)
        return false;
    // Only worth it when the result is shorter than the text.
    salida.resize(qsizetype(largo));
    salida[0] = char(kDiccionario1);
    d.z.next_in = const_cast<Bytef*>(texto);
    d.z.avail_in = uInt(largo);
    d.z.next_out = reinterpret_cast<Bytef*>(salida.data()) + 1;
    d.z.avail_out = uInt(largo - 1);
    if (deflate(&d.z, Z_FINISH) != Z_STREAM_END) return false;
    salida.resize(qsizetype(1 + d.z.total_out));
    return true;
}

bool Descomprimir(const unsigned char* blob, size_t largo, QByteArray& salida) {
    thread_local Inflador i;
    if (!i.listo || largo < 1 || blob[0] != kDiccionario1) return false;
    if (inflateReset(&i.z) != Z_OK ||
        inflateSetDictionary(&i.z, Diccionario(), kLargoDiccionario) != Z_OK)
        return false;
    i.z.next_in = const_cast<Bytef*>(blob + 1);
    i.z.avail_in = uInt(largo - 1);
    salida.resize(qsizetype(std::max<size_t>(256, largo * 4)));
    for (;;) {
        i.z.next_out = reinterpret_cast<Bytef*>(salida.data()) + i.z.total_out;
        i.z.avail_out = uInt(size_t(salida.size()) - i.z.total_out);
        const int rc = inflate(&i.z, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) break;
        // Room left but no end: the blob was cut short or is not deflate data.
        if ((rc != Z_OK && rc != Z_BUF_ERROR) || i.z.avail_out != 0 || salida.size() > (1 << 30))
            return false;
        salida.resize(salida.size() * 2);
    }
    salida.resize(qsizetype(i.z.total_out));
    return true;
}

void comprimir(sqlite3_context* c, int, sqlite3_value** v) {
    if (sqlite3_value_type(v[0]) == SQLITE_NULL) return sqlite3_result_null(c);
    const auto* texto = sqlite3_value_text(v[0]);
    const int largo = sqlite3_value_bytes(v[0]);
    QByteArray z;
    if (Comprimir(texto, size_t(largo), z))
        sqlite3_result_blob(c, z.constData(), int(z.size()), SQLITE_TRANSIENT);
    else
        sqlite3_result_text(c, reinterpret_cast<const char*>(texto), largo, SQLITE_TRANSIENT);
}

void descomprimir(sqlite3_context* c, int, sqlite3_value** v) {
    switch (sqlite3_value_type(v[0])) {
        case SQLITE_NULL:
            return sqlite3_result_null(c);
        case SQLITE_BLOB: {
            QByteArray t;
            if (!Descomprimir(static_cast<const unsigned char*>(sqlite3_value_blob(v[0])),
                              size_t(sqlite3_value_bytes(v[0])), t))
                return sqlite3_result_error(c, "candora_descomprimir: texto comprimido dañado", -1);
            return sqlite3_result_text(c, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
        default:
            sqlite3_result_text(c, reinterpret_cast<const char*>(sqlite3_value_text(v[0])),
                                sqlite3_value_bytes(v[0]), SQLITE_TRANSIENT);
    }
}

}  // namespace

QByteArray ComprimirTexto(const QByteArray& utf8) {
    QByteArray z;
    return Comprimir(reinterpret_cast<const unsigned char*>(utf8.constData()), size_t(utf8.size()),
                     z)
               ? z
               : QByteArray();
}

bool DescomprimirTexto(const QByteArray& blob, QByteArray& utf8) {
    return Descomprimir(reinterpret_cast<const unsigned char*>(blob.constData()),
                        size_t(blob.size()), utf8);
}

int RegistrarCompresionSqlite(sqlite3* db) {
    const int banderas = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    int rc = sqlite3_create_function_v2(db, "candora_comprimir", 1, banderas, nullptr, comprimir,
                                        nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "candora_descomprimir", 1, banderas, nullptr,
                                        descomprimir, nullptr, nullptr, nullptr);
    return rc;
}

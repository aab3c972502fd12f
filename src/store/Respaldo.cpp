// GLib's headers first: they use "signals", which Qt's headers define as a keyword.
#include <libgcab.h>

#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/Respaldo.h"
#include "store/TextoSqlite.h"
#include "store/Valores.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

// An open sqlite3 handle, closed with the object.
struct Base {
    sqlite3* db = nullptr;
    Base(const QString& ruta, int banderas) {
        if (sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db, banderas, nullptr) !=
            SQLITE_OK) {
            sqlite3_close(db);
            db = nullptr;
        }
    }
    ~Base() { sqlite3_close(db); }
    QString error() const {
        return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("no se pudo abrir");
    }
};

QString TextoDe(GError* e) {
    return e ? QString::fromUtf8(e->message) : QStringLiteral("error desconocido");
}

// Copies `origen` page by page into `destino` while others may use it.
bool Instantánea(const QString& origen, const QString& destino, QString& error,
                 const std::function<void(int)>& progreso) {
    Base o(origen, SQLITE_OPEN_READONLY);
    Base d(destino, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!o.db || !d.db) {
        error = QStringLiteral("No se pudo abrir la base de datos %1.").arg(origen);
        return false;
    }
    sqlite3_busy_timeout(o.db, 10000);
    sqlite3_backup* b = sqlite3_backup_init(d.db, "main", o.db, "main");
    if (!b) {
        error = d.error();
        return false;
    }
    int r;
    do {
        r = sqlite3_backup_step(b, 256);
        const int total = sqlite3_backup_pagecount(b);
        if (progreso && total > 0) progreso(50 * (total - sqlite3_backup_remaining(b)) / total);
        if (r == SQLITE_BUSY || r == SQLITE_LOCKED) sqlite3_sleep(50);
    } while (r == SQLITE_OK || r == SQLITE_BUSY || r == SQLITE_LOCKED);
    sqlite3_backup_finish(b);
    if (r != SQLITE_DONE) {
        error = QString::fromUtf8(sqlite3_errstr(r));
        return false;
    }
    return true;
}

// PRAGMA integrity_check reads "ok"; our text collation is needed by the indexes.
bool Íntegra(const QString& ruta, QString& error) {
    Base b(ruta, SQLITE_OPEN_READONLY);
    if (!b.db) {
        error = b.error();
        return false;
    }
    RegistrarTextoSqlite(b.db);
    sqlite3_stmt* s = nullptr;
    QString r;
    if (sqlite3_prepare_v2(b.db, "PRAGMA integrity_check", -1, &s, nullptr) == SQLITE_OK &&
        sqlite3_step(s) == SQLITE_ROW)
        r = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    else
        r = b.error();
    sqlite3_finalize(s);
    if (r != QLatin1String("ok")) {
        error = r;
        return false;
    }
    return true;
}

void Progreso(goffset actual, goffset total, gpointer datos) {
    const auto* p = static_cast<const std::function<void(int)>*>(datos);
    if (*p && total > 0) (*p)(50 + int(40 * actual / total));
}

bool Comprimir(const QString& archivo, const QString& nombre, const QString& cabina, QString& error,
               const std::function<void(int)>& progreso) {
    g_autoptr(GError) e = nullptr;
    g_autoptr(GCabCabinet) cab = gcab_cabinet_new();
    g_autoptr(GCabFolder) carpeta = gcab_folder_new(GCAB_COMPRESSION_MSZIP);
    g_autoptr(GFile) entrada = g_file_new_for_path(QFile::encodeName(archivo).constData());
    g_autoptr(GCabFile) entrada_cab = gcab_file_new_with_file(nombre.toUtf8().constData(), entrada);
    g_autoptr(GFile) salida = g_file_new_for_path(QFile::encodeName(cabina).constData());
    if (!gcab_folder_add_file(carpeta, entrada_cab, FALSE, nullptr, &e) ||
        !gcab_cabinet_add_folder(cab, carpeta, &e)) {
        error = TextoDe(e);
        return false;
    }
    g_autoptr(GFileOutputStream) flujo =
        g_file_replace(salida, nullptr, FALSE, G_FILE_CREATE_PRIVATE, nullptr, &e);
    if (!flujo) {
        error = TextoDe(e);
        return false;
    }
    auto* p = const_cast<std::function<void(int)>*>(&progreso);
    const bool ok =
        gcab_cabinet_write(cab, G_OUTPUT_STREAM(flujo), nullptr, Progreso, p, nullptr, &e) &&
        g_output_stream_close(G_OUTPUT_STREAM(flujo), nullptr, &e);
    if (!ok) error = TextoDe(e);
    return ok;
}

// Extracts the cabinet's single entry into `carpeta`; its path, or "" with `error`.
QString Extraer(const QString& cabina, const QString& carpeta, QString& error) {
    g_autoptr(GError) e = nullptr;
    g_autoptr(GFile) archivo = g_file_new_for_path(QFile::encodeName(cabina).constData());
    g_autoptr(GFileInputStream) flujo = g_file_read(archivo, nullptr, &e);
    g_autoptr(GCabCabinet) cab = gcab_cabinet_new();
    if (!flujo || !gcab_cabinet_load(cab, G_INPUT_STREAM(flujo), nullptr, &e)) {
        error = TextoDe(e);
        return {};
    }
    GPtrArray* carpetas = gcab_cabinet_get_folders(cab);
    GSList* archivos = carpetas && carpetas->len == 1
                           ? gcab_folder_get_files(GCAB_FOLDER(g_ptr_array_index(carpetas, 0)))
                           : nullptr;
    if (!archivos || archivos->next) {
        g_slist_free(archivos);
        error = QStringLiteral("el archivo no tiene exactamente una base de datos");
        return {};
    }
    const QString nombre = QString::fromUtf8(gcab_file_get_name(GCAB_FILE(archivos->data)));
    g_slist_free(archivos);
    g_autoptr(GFile) destino = g_file_new_for_path(QFile::encodeName(carpeta).constData());
    if (!gcab_cabinet_extract(cab, destino, nullptr, nullptr, nullptr, nullptr, &e)) {
        error = TextoDe(e);
        return {};
    }
    const QString ruta = QDir(carpeta).filePath(QFileInfo(nombre).fileName());
    if (!QFileInfo(ruta).isFile()) {
        error = QStringLiteral("no se encontró %1 en el respaldo").arg(nombre);
        return {};
    }
    return ruta;
}

// Packs `archivo` as the single entry `nombre` of a cabinet written beside
// `destino`, extracts it again into `temporal` and runs `verificar` on the
// copy; only then does the cabinet replace `destino`. On failure nothing is
// left and `error` names the step.
bool Empaquetar(const QString& archivo, const QString& nombre, const QString& destino,
                const QTemporaryDir& temporal,
                const std::function<bool(const QString&, QString&)>& verificar, QString& error,
                const std::function<void(int)>& progreso) {
    const QString parcial = destino + QStringLiteral(".parcial");
    const auto falla = [&](const QString& paso, const QString& detalle) {
        QFile::remove(parcial);
        error = QStringLiteral("La copia falló al %1: %2").arg(paso, detalle);
        return false;
    };
    QString detalle;
    if (!Comprimir(archivo, nombre, parcial, detalle, progreso))
        return falla(QStringLiteral("comprimir la copia"), detalle);
    if (progreso) progreso(90);
    const QString carpeta = temporal.filePath(QStringLiteral("verificación"));
    QDir().mkpath(carpeta);
    const QString extraída = Extraer(parcial, carpeta, detalle);
    if (extraída.isEmpty() || !verificar(extraída, detalle))
        return falla(QStringLiteral("verificar el respaldo"), detalle);
    if ((QFileInfo::exists(destino) && !QFile::remove(destino)) || !QFile::rename(parcial, destino))
        return falla(QStringLiteral("guardar el respaldo"),
                     QStringLiteral("no se puede escribir %1").arg(destino));
    return true;
}

}  // namespace

QString BaseARespaldar(Diccionario& d, const ConfiguraciónDatos& c) {
    const QStringList vinculados = d.archivosVinculados();
    return vinculados.isEmpty() ? RutaLocalEfectiva(c.OrigenLocal) : vinculados.first();
}

QString NombreRespaldo() {
    return QStringLiteral("respaldo_") + FechaHoraTexto().left(8) + QStringLiteral(".cab");
}

bool CrearRespaldo(const QString& base, const QString& destino, QString& error,
                   const std::function<void(int)>& progreso) {
    const auto falla = [&](const QString& paso, const QString& detalle) {
        error = QStringLiteral("La copia falló al %1: %2").arg(paso, detalle);
        return false;
    };
    if (!QFileInfo(base).isFile())
        return falla(QStringLiteral("leer la base de datos"),
                     QStringLiteral("no existe %1").arg(base));
    QTemporaryDir temporal;
    if (!temporal.isValid())
        return falla(QStringLiteral("crear una carpeta temporal"), temporal.errorString());
    const QString copia = temporal.filePath(QFileInfo(base).fileName());
    QString detalle;
    if (progreso) progreso(0);
    if (!Instantánea(base, copia, detalle, progreso))
        return falla(QStringLiteral("copiar la base de datos"), detalle);
    if (!Empaquetar(copia, QFileInfo(base).fileName(), destino, temporal, Íntegra, error, progreso))
        return false;
    if (progreso) progreso(100);
    return true;
}

namespace {

// Runs a PostgreSQL client program; false, with its own words in `error`, on failure.
bool Cliente(const QString& programa, const QStringList& argumentos, const QString& contraseña,
             QString& error) {
    if (QStandardPaths::findExecutable(programa).isEmpty()) {
        error = QStringLiteral("no está instalado %1 (paquete postgresql-client)").arg(programa);
        return false;
    }
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    if (!contraseña.isEmpty())
        e.insert(QStringLiteral("PGPASSWORD"), contraseña);  // never on the command line
    p.setProcessEnvironment(e);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programa, argumentos);
    const bool terminó = p.waitForFinished(-1);
    if (!terminó || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error = QString::fromLocal8Bit(p.readAll()).trimmed();
        if (error.isEmpty()) error = p.errorString();
        return false;
    }
    return true;
}

}  // namespace

bool CrearRespaldoPostgres(const QString& conexión, const QString& usuario,
                           const QString& contraseña, const QString& destino, QString& error) {
    const auto falla = [&](const QString& paso, const QString& detalle) {
        error = QStringLiteral("La copia falló al %1: %2").arg(paso, detalle);
        return false;
    };
    QTemporaryDir temporal;
    if (!temporal.isValid())
        return falla(QStringLiteral("crear una carpeta temporal"), temporal.errorString());
    const QString volcado = temporal.filePath(QStringLiteral("candora.dump"));
    QStringList args{QStringLiteral("--format=custom"), QStringLiteral("--file"), volcado,
                     QStringLiteral("--dbname"), conexión};
    if (!usuario.isEmpty()) args << QStringLiteral("--username") << usuario;
    QString detalle;
    if (!Cliente(QStringLiteral("pg_dump"), args, contraseña, detalle))
        return falla(QStringLiteral("volcar la base del servidor"), detalle);
    const auto listar = [](const QString& ruta, QString& error) {
        return Cliente(QStringLiteral("pg_restore"), {QStringLiteral("--list"), ruta}, {}, error);
    };
    if (!Empaquetar(volcado, QStringLiteral("candora.dump"), destino, temporal, listar, error, {}))
        return false;
    return true;
}

bool RestaurarRespaldo(const QString& cabina, const QString& destino, QString& error) {
    if (QFileInfo::exists(destino)) {
        error = QStringLiteral("Ya existe %1: elija un archivo nuevo para restaurar la copia.")
                    .arg(destino);
        return false;
    }
    QTemporaryDir temporal;
    QString detalle;
    const QString extraída = Extraer(cabina, temporal.path(), detalle);
    if (extraída.isEmpty()) {
        error = QStringLiteral("No se pudo leer el respaldo: %1").arg(detalle);
        return false;
    }
    if (!Íntegra(extraída, detalle)) {
        error = QStringLiteral("El respaldo está dañado: %1").arg(detalle);
        return false;
    }
    if (!QFile::copy(extraída, destino)) {
        error = QStringLiteral("No se pudo escribir %1.").arg(destino);
        return false;
    }
    return true;
}

// GLib's headers first: they use "signals", which Qt's headers define as a keyword.
#include <libgcab.h>

#include "store/Archivos.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/Respaldo.h"
#include "store/TextoSqlite.h"
#include "store/Valores.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <exception>
#include <limits>

namespace {

// True while process `pid` runs, another user's included.
bool Vive(qint64 pid) {
    return pid > 0 && pid <= std::numeric_limits<pid_t>::max() &&
           (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// Removes the entries of `carpeta` that `patrón` matches whose writer, the
// process whose id is the pattern's first capture, is gone: what a backup
// killed in the middle leaves. Only the user's own entries.
void RetirarDeMuertos(const QString& carpeta, const QRegularExpression& patrón) {
    const QDir d(carpeta);
    for (const QString& nombre :
         d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const auto m = patrón.match(nombre);
        if (!m.hasMatch()) continue;
        const QFileInfo i(d.filePath(nombre));
        if (i.ownerId() != ::geteuid() || Vive(m.captured(1).toLongLong())) continue;
        if (i.isDir() && !i.isSymLink())
            QDir(i.filePath()).removeRecursively();
        else
            QFile::remove(i.filePath());
    }
}

// The working folder of one backup or restore, in the temp folder: only the
// user may enter it, and its name carries this process's id so a later run can
// tell a leftover of a killed run from a backup going on in another process.
const QRegularExpression& PatrónTemporal() {
    static const QRegularExpression p(QStringLiteral("^candora-respaldo-([0-9]+)-[A-Za-z0-9]{6}$"));
    return p;
}

QString PlantillaTemporal() {
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("candora-respaldo-%1-XXXXXX").arg(::getpid()));
}

bool Privada(const QTemporaryDir& t) {
    return t.isValid() &&
           QFile::setPermissions(
               t.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// An empty file only its owner can read, for a copy of the store to go into.
bool CrearPrivado(const QString& ruta) {
    const int fd =
        ::open(QFile::encodeName(ruta).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    return fd >= 0 && ::close(fd) == 0;
}

// The cabinet is written beside its destination under a name that carries
// this process's id: "respaldo.cab.1234.parcial".
QString NombreParcial(const QString& destino) {
    return destino + QStringLiteral(".%1.parcial").arg(::getpid());
}

// Before a backup: leftovers of killed runs, in the temp folder and beside the destination.
void RetirarAbandonados(const QString& destino) {
    RetirarRespaldosAbandonados();
    const QFileInfo i(destino);
    RetirarDeMuertos(
        i.absolutePath(),
        QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(i.fileName()) +
                           QStringLiteral("\\.([0-9]+)\\.parcial$")));
}

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

// The system's error number behind a GLib error, 0 when there is none.
int NúmeroDe(const GError* e) {
    if (!e || e->domain != G_IO_ERROR) return 0;
    switch (e->code) {
        case G_IO_ERROR_NO_SPACE:
            return ENOSPC;
        case G_IO_ERROR_PERMISSION_DENIED:
            return EACCES;
        case G_IO_ERROR_NOT_FOUND:
            return ENOENT;
        case G_IO_ERROR_NOT_DIRECTORY:
            return ENOTDIR;
        case G_IO_ERROR_READ_ONLY:
            return EROFS;
        default:
            return 0;
    }
}

// A GLib error in the user's words; `elegible`: the user chose the folder.
QString TextoDe(const GError* e, bool elegible = true) {
    if (const int n = NúmeroDe(e)) return MotivoDeEscritura(n, elegible);
    return e ? QString::fromUtf8(e->message) : QStringLiteral("error desconocido");
}

// Copies `origen` page by page into `destino` while others may use it.
bool Instantánea(const QString& origen, const QString& destino, QString& error,
                 const std::function<void(int)>& progreso) {
    if (!CrearPrivado(destino)) {
        error = MotivoDeEscritura(errno, false);
        return false;
    }
    Base o(origen, SQLITE_OPEN_READONLY);
    Base d(destino, SQLITE_OPEN_READWRITE);
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
    auto terminar = qScopeGuard([&] { sqlite3_backup_finish(b); });
    int r;
    do {
        r = sqlite3_backup_step(b, 256);
        const int total = sqlite3_backup_pagecount(b);
        if (progreso && total > 0) progreso(50 * (total - sqlite3_backup_remaining(b)) / total);
        if (r == SQLITE_BUSY || r == SQLITE_LOCKED) sqlite3_sleep(50);
    } while (r == SQLITE_OK || r == SQLITE_BUSY || r == SQLITE_LOCKED);
    if (r != SQLITE_DONE) {
        error = (r & 0xFF) == SQLITE_FULL ? MotivoDeEscritura(ENOSPC, false)
                                          : QString::fromUtf8(sqlite3_errstr(r));
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

// What the cabinet writer's progress callback needs. An exception thrown by
// `progreso` must not cross libgcab's C frames: it is kept, the write is
// cancelled, and it is thrown again once libgcab has returned.
struct Avance {
    const std::function<void(int)>& progreso;
    GCancellable* cancelar;
    std::exception_ptr excepción;
};

void Progreso(goffset actual, goffset total, gpointer datos) {
    auto* a = static_cast<Avance*>(datos);
    if (a->excepción || !a->progreso || total <= 0) return;
    try {
        a->progreso(50 + int(40 * actual / total));
    } catch (...) {
        a->excepción = std::current_exception();
        g_cancellable_cancel(a->cancelar);
    }
}

// Writes `cabina` (a new file) holding `archivo` as its single entry `nombre`,
// and makes it durable. False with the reason in the user's words.
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
        error = QStringLiteral("no se pudo leer la copia (%1).").arg(QString::fromUtf8(e->message));
        return false;
    }
    g_autoptr(GFileOutputStream) flujo = g_file_create(salida, G_FILE_CREATE_PRIVATE, nullptr, &e);
    if (!flujo) {
        error = TextoDe(e);
        return false;
    }
    g_autoptr(GCancellable) cancelar = g_cancellable_new();
    Avance avance{progreso, cancelar, {}};
    const bool ok =
        gcab_cabinet_write(cab, G_OUTPUT_STREAM(flujo), nullptr, Progreso, &avance, cancelar, &e) &&
        g_output_stream_close(G_OUTPUT_STREAM(flujo), nullptr, &e);
    if (avance.excepción) std::rethrow_exception(avance.excepción);
    if (!ok) {
        error = TextoDe(e);
        return false;
    }
    // On the disk before it takes the final name: some disks only report there.
    QFile escrita(cabina);
    if (!escrita.open(QIODevice::ReadOnly) || ::fsync(escrita.handle()) != 0) {
        error = MotivoDeEscritura(errno);
        return false;
    }
    return true;
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
        error = TextoDe(e, false);
        return {};
    }
    const QString ruta = QDir(carpeta).filePath(QFileInfo(nombre).fileName());
    if (!QFileInfo(ruta).isFile()) {
        error = QStringLiteral("no se encontró %1 en el respaldo").arg(nombre);
        return {};
    }
    QFile::setPermissions(ruta, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return ruta;
}

QString NoSeGuardó(const QString& destino, const QString& motivo) {
    return QStringLiteral("No se pudo guardar la copia de seguridad en «%1»: %2")
        .arg(destino, motivo);
}

// Packs `archivo` as the single entry `nombre` of a cabinet written beside
// `destino`, extracts it again into `temporal` and runs `verificar` on the
// copy; only then does the cabinet replace `destino`, in one step. On failure
// or exception nothing is left and `error` names the step.
bool Empaquetar(const QString& archivo, const QString& nombre, const QString& destino,
                const QTemporaryDir& temporal,
                const std::function<bool(const QString&, QString&)>& verificar, QString& error,
                const std::function<void(int)>& progreso) {
    const QString parcial = NombreParcial(destino);
    QFile::remove(parcial);  // left by an earlier run that had this process's id
    bool guardado = false;
    const auto retirar = qScopeGuard([&] {
        if (!guardado) QFile::remove(parcial);
    });
    QString detalle;
    if (!Comprimir(archivo, nombre, parcial, detalle, progreso)) {
        error = NoSeGuardó(destino, detalle);
        return false;
    }
    if (progreso) progreso(90);
    const QString carpeta = temporal.filePath(QStringLiteral("verificación"));
    QDir().mkdir(carpeta, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString extraída = Extraer(parcial, carpeta, detalle);
    if (extraída.isEmpty() || !verificar(extraída, detalle)) {
        error = QStringLiteral("La copia falló al verificar el respaldo: %1").arg(detalle);
        return false;
    }
    if (::rename(QFile::encodeName(parcial).constData(), QFile::encodeName(destino).constData()) !=
        0) {
        error = NoSeGuardó(destino, MotivoDeEscritura(errno));
        return false;
    }
    guardado = true;
    return true;
}

}  // namespace

void RetirarRespaldosAbandonados() {
    RetirarDeMuertos(QDir::tempPath(), PatrónTemporal());
}

QString BaseARespaldar(Diccionario& d, const ConfiguraciónDatos& c) {
    const QStringList vinculados = d.archivosVinculados();
    return vinculados.isEmpty() ? RutaLocalEfectiva(c.OrigenLocal) : vinculados.first();
}

QString NombreRespaldo() {
    return NombreArchivoSeguro(QStringLiteral("respaldo_") + FechaHoraTexto().left(8)) +
           QStringLiteral(".cab");
}

bool CrearRespaldo(const QString& base, const QString& destino, QString& error,
                   const std::function<void(int)>& progreso) {
    const auto falla = [&](const QString& paso, const QString& detalle) {
        error = QStringLiteral("La copia falló al %1: %2").arg(paso, detalle);
        return false;
    };
    RetirarAbandonados(destino);
    if (!QFileInfo(base).isFile())
        return falla(QStringLiteral("leer la base de datos"),
                     QStringLiteral("no existe %1").arg(base));
    QTemporaryDir temporal(PlantillaTemporal());
    if (!Privada(temporal))
        return falla(QStringLiteral("crear una carpeta temporal"), temporal.errorString());
    const QString copia = temporal.filePath(QFileInfo(base).fileName());
    QString detalle;
    if (progreso) progreso(0);
    if (!Instantánea(base, copia, detalle, progreso))
        return falla(QStringLiteral("copiar la base de datos en la carpeta temporal %1")
                         .arg(QDir::tempPath()),
                     detalle);
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
    RetirarAbandonados(destino);
    QTemporaryDir temporal(PlantillaTemporal());
    if (!Privada(temporal))
        return falla(QStringLiteral("crear una carpeta temporal"), temporal.errorString());
    const QString volcado = temporal.filePath(QStringLiteral("candora.dump"));
    if (!CrearPrivado(volcado))  // pg_dump writes into it and keeps its mode
        return falla(
            QStringLiteral("preparar el volcado en la carpeta temporal %1").arg(QDir::tempPath()),
            MotivoDeEscritura(errno, false));
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
    RetirarRespaldosAbandonados();
    QTemporaryDir temporal(PlantillaTemporal());
    if (!Privada(temporal)) {
        error =
            QStringLiteral("No se pudo crear una carpeta temporal: %1").arg(temporal.errorString());
        return false;
    }
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
    // Copied in parts: `destino` appears only once it is complete.
    QFile origen(extraída);
    ArchivoCompleto copia(destino);
    bool ok = origen.open(QIODevice::ReadOnly) && copia.abrir();
    while (ok && !origen.atEnd()) {
        const QByteArray parte = origen.read(1 << 20);
        ok = !parte.isEmpty() && copia.escribir(parte);
    }
    if (!(ok && copia.confirmar())) {
        error = QStringLiteral("No se pudo restaurar la copia en «%1»: %2")
                    .arg(destino, copia.motivo().isEmpty() ? origen.errorString() : copia.motivo());
        return false;
    }
    return true;
}

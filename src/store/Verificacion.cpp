#include "store/Verificacion.h"

#include "store/SqlJet.h"
#include "store/TextoSqlite.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace {

using std::chrono::milliseconds;

bool esDaño(int código) {
    return (código & 0xFF) == SQLITE_CORRUPT || (código & 0xFF) == SQLITE_NOTADB;
}

bool escribible(const QString& ruta) {
    return faccessat(AT_FDCWD, QFile::encodeName(ruta).constData(), W_OK, AT_EACCESS) == 0;
}

// Interrupts the connection's statement once `plazo` has passed, unless stopped first.
// SQLite 3.40 calls no progress handler inside the integrity check itself, but it
// does notice an interrupt there.
class Vigía {
  public:
    Vigía(sqlite3* h, milliseconds plazo)
        : hilo_([this, h, plazo] {
              std::unique_lock<std::mutex> l(m_);
              if (!cv_.wait_for(l, plazo, [this] { return parar_; })) {
                  vencido_ = true;
                  sqlite3_interrupt(h);
              }
          }) {}
    ~Vigía() { parar(); }
    Vigía(const Vigía&) = delete;
    Vigía& operator=(const Vigía&) = delete;

    // Stops watching; true when the time ran out first.
    bool parar() {
        {
            std::lock_guard<std::mutex> l(m_);
            parar_ = true;
        }
        cv_.notify_one();
        if (hilo_.joinable()) hilo_.join();
        return vencido_;
    }

  private:
    std::mutex m_;
    std::condition_variable cv_;
    bool parar_ = false;
    bool vencido_ = false;
    std::thread hilo_;  // last: starts once the rest is ready
};

// A read-only connection of its own to one file, with the collation that the
// file's texts and their indexes are declared with.
struct Conexión {
    explicit Conexión(const QString& ruta) {
        ok = sqlite3_open_v2(UriArchivo(ruta, "ro").toUtf8().constData(), &h,
                             SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) == SQLITE_OK &&
             RegistrarTextoSqlite(h) == SQLITE_OK;
    }
    ~Conexión() { sqlite3_close_v2(h); }
    Conexión(const Conexión&) = delete;
    Conexión& operator=(const Conexión&) = delete;
    sqlite3* h = nullptr;
    bool ok;
};

QString fraseSoloLectura(const QString& ruta, const QString& motivo) {
    return QStringLiteral("La base de datos «%1» es de solo lectura (%2)").arg(ruta, motivo);
}

}  // namespace

Integridad ComprobarIntegridad(const QString& ruta, milliseconds plazo) {
    if (!QFileInfo(ruta).isFile())
        return {Integridad::Incompleta, QStringLiteral("El archivo no existe.")};
    Conexión c(ruta);
    if (!c.ok) return {Integridad::Incompleta, QString::fromUtf8(sqlite3_errmsg(c.h))};
    // Another workstation's write holds the file only briefly; waiting for it is part of the time.
    sqlite3_busy_timeout(c.h, int(plazo.count()));

    Vigía vigía(c.h, plazo);
    // Runs one statement; the rows' first column goes to `filas`. An SQLite result code.
    QString mensaje;
    const auto correr = [&](const char* sql, QStringList& filas) {
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(c.h, sql, -1, &st, nullptr);
        if (rc == SQLITE_OK)
            while ((rc = sqlite3_step(st)) == SQLITE_ROW)
                filas << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        if (rc == SQLITE_DONE) rc = SQLITE_OK;
        if (rc != SQLITE_OK) {
            rc = sqlite3_extended_errcode(c.h);
            mensaje = QString::fromUtf8(sqlite3_errmsg(c.h));
        }
        sqlite3_finalize(st);
        return rc;
    };
    // Whatever an interrupted statement said is not a verdict.
    const Integridad sinTiempo{
        Integridad::Incompleta,
        QStringLiteral("La comprobación no terminó en %1 ms.").arg(plazo.count())};

    // The header and the schema: a file that is not a database, or is shorter than
    // its header says, fails here at once.
    QStringList tablas;
    if (const int rc = correr("select count(*) from sqlite_master", tablas); rc != SQLITE_OK) {
        if (vigía.parar()) return sinTiempo;
        return {esDaño(rc) ? Integridad::Dañada : Integridad::Incompleta, mensaje};
    }
    if (tablas.value(0) == QLatin1String("0"))  // every file Candora makes has tables
        return {Integridad::Dañada, QStringLiteral("El archivo no tiene ninguna tabla.")};

    QStringList hallazgos;
    const int rc = correr("PRAGMA quick_check", hallazgos);
    if (vigía.parar()) return sinTiempo;
    if (rc != SQLITE_OK && !esDaño(rc)) return {Integridad::Incompleta, mensaje};
    if (rc == SQLITE_OK && hallazgos == QStringList{QStringLiteral("ok")}) return {};
    // The first few findings, without the line that names the schema.
    QStringList líneas;
    for (const QString& h : hallazgos + QStringList{mensaje})
        for (const QString& l : h.split(u'\n', Qt::SkipEmptyParts))
            if (!l.startsWith(QLatin1String("***")) && líneas.size() < 3) líneas << l;
    return {Integridad::Dañada, líneas.join(QStringLiteral("; "))};
}

QString MotivoSoloLectura(const QString& ruta) {
    const QFileInfo f(ruta);
    if (!f.isFile()) return {};
    if (!escribible(f.absoluteFilePath())) return QStringLiteral("el archivo no admite cambios");
    if (!escribible(f.absolutePath()))
        return QStringLiteral(
                   "su carpeta «%1» no admite cambios, y la base crea allí un archivo "
                   "auxiliar cada vez que guarda")
            .arg(QDir::toNativeSeparators(f.absolutePath()));
    return {};
}

ErrorAlmacen ErrorBaseDañada(const QString& ruta, bool compartida, const QString& hallazgo) {
    return ErrorAlmacen(
        QStringLiteral("La base de datos «%1» está dañada y no se puede usar.").arg(ruta),
        QStringLiteral("No se hizo ningún cambio en ella. Restaure la última copia de seguridad "
                       "en un archivo nuevo (candora-admin restaurar ARCHIVO.cab DESTINO, o el "
                       "menú Módulos › Copia de Respaldo › Restaurar una copia desde otro "
                       "puesto), indique ese archivo como «%1» en las opciones (inicie Candora "
                       "con /OPCIONES) y vuelva a iniciar Candora.\n\nDetalle técnico: %2")
            .arg(compartida ? QStringLiteral("Origen remoto") : QStringLiteral("Origen local"),
                 hallazgo));
}

ErrorAlmacen ErrorSoloLectura(const QString& ruta, const QString& motivo) {
    return ErrorAlmacen(fraseSoloLectura(ruta, motivo) + u'.',
                        QStringLiteral("No se hizo ningún cambio. Para poder guardar, pida permiso "
                                       "de escritura sobre el archivo y su carpeta a quien "
                                       "administra el equipo o la red."));
}

QString VerificarArchivo(const QString& ruta, bool compartida) {
    const Integridad i = ComprobarIntegridad(ruta);
    if (i.estado == Integridad::Dañada) throw ErrorBaseDañada(ruta, compartida, i.hallazgo);
    return MotivoSoloLectura(ruta);
}

void EstadoBase::exigirEscritura(bool sóloLocal) const {
    for (const Archivo& a : archivos) {
        if (sóloLocal && a.compartida) break;
        if (!a.soloLectura.isEmpty()) throw ErrorSoloLectura(a.ruta, a.soloLectura);
    }
}

QString EstadoBase::aviso() const {
    QStringList frases;
    for (const Archivo& a : archivos)
        if (!a.soloLectura.isEmpty()) frases << fraseSoloLectura(a.ruta, a.soloLectura) + u'.';
    if (frases.isEmpty()) return {};
    return frases.join(u'\n') +
           QStringLiteral(
               "\n\nCandora se abrió solo para consultar: los cambios no se podrán "
               "guardar hasta que el archivo y su carpeta admitan escritura.");
}

EstadoBase VerificarBase(const QString& rutaLocal, const QString& destino) {
    EstadoBase e;
    const QString local = QFileInfo(rutaLocal).absoluteFilePath();
    e.archivos.push_back({local, false, VerificarArchivo(local)});

    // The link catalog, read as the check read the file: nothing is opened for writing.
    QStringList compartidas;
    {
        Conexión c(local);
        sqlite3_stmt* st = nullptr;
        if (c.ok && sqlite3_prepare_v2(c.h,
                                       "select distinct origen from candora_vinculos where origen "
                                       "is not null and origen <> ''",
                                       -1, &st, nullptr) == SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW)
                compartidas << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        // Without a readable catalog the shared files go unchecked, as after a check out of time.
        sqlite3_finalize(st);
    }
    if (!compartidas.isEmpty() && !destino.trimmed().isEmpty()) compartidas << destino;
    QStringList vistas{local};
    for (const QString& origen : compartidas) {
        const QString ruta = QFileInfo(origen).absoluteFilePath();
        // A link to a missing file is reported when the store is opened.
        if (vistas.contains(ruta) || !QFileInfo(ruta).isFile()) continue;
        vistas << ruta;
        e.archivos.push_back({ruta, true, VerificarArchivo(ruta, true)});
    }
    return e;
}

QString ExplicarSoloLectura(sqlite3* h, int código) {
    if ((código & 0xFF) != SQLITE_READONLY && (código & 0xFF) != SQLITE_CANTOPEN) return {};
    for (int i = 0; const char* nombre = sqlite3_db_name(h, i); ++i) {
        const char* archivo = sqlite3_db_filename(h, nombre);
        if (!archivo || !*archivo) continue;  // temporary and in-memory schemas
        const QString ruta = QString::fromUtf8(archivo);
        QString motivo = MotivoSoloLectura(ruta);
        // Opened read-only although the file may accept changes by now.
        if (motivo.isEmpty() && sqlite3_db_readonly(h, nombre) == 1)
            motivo = QStringLiteral("se abrió cuando el archivo no admitía cambios");
        if (!motivo.isEmpty())
            return fraseSoloLectura(ruta, motivo) + QStringLiteral(": el cambio no se guardó.");
    }
    return {};
}

#include "store/Motor.h"

#include "store/ErrorAlmacen.h"
#include "store/SqlJet.h"
#include "store/TextoSqlite.h"
#include "store/Valores.h"
#include "store/Verificacion.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>

#include <unordered_map>

namespace {

const QString& kFallaSentencia = ErrorAlmacen::kGenérica;

// The device and inode of a file: the file itself, whatever its name.
bool Identificar(const QString& ruta, quint64& dispositivo, quint64& nodo) {
    struct stat s {};
    if (::stat(QFile::encodeName(ruta).constData(), &s) != 0) return false;
    dispositivo = quint64(s.st_dev);
    nodo = quint64(s.st_ino);
    return true;
}

// A prepared statement of the connection, finalized with the object.
class Sentencia {
  public:
    Sentencia(sqlite3* h, const QString& sql, const QString& original) : sql_(original) {
        const QByteArray texto = sql.toUtf8();
        if (sqlite3_prepare_v2(h, texto.constData(), int(texto.size()), &st_, nullptr) !=
            SQLITE_OK) {
            const ErrorAlmacen e = error(h);
            sqlite3_finalize(st_);
            throw e;
        }
    }
    ~Sentencia() { sqlite3_finalize(st_); }
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;

    sqlite3_stmt* st() const { return st_; }

    void enlazar(const QVariantList& valores) {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
        if (valores.size() != sqlite3_bind_parameter_count(st_))
            throw ErrorAlmacen(kFallaSentencia,
                               QStringLiteral("La sentencia espera %1 valores y recibió %2.")
                                   .arg(sqlite3_bind_parameter_count(st_))
                                   .arg(valores.size()),
                               sql_);
        for (int i = 0; i < valores.size(); ++i) {
            const QVariant& v = valores.at(i);
            const int n = i + 1;
            if (v.isNull()) {
                sqlite3_bind_null(st_, n);
                continue;
            }
            switch (v.metaType().id()) {
                case QMetaType::Bool:
                case QMetaType::Int:
                case QMetaType::UInt:
                case QMetaType::LongLong:
                case QMetaType::ULongLong:
                case QMetaType::Short:
                case QMetaType::UShort:
                case QMetaType::Char:
                case QMetaType::SChar:
                case QMetaType::UChar:
                    sqlite3_bind_int64(st_, n, v.toLongLong());
                    break;
                case QMetaType::Double:
                case QMetaType::Float:
                    sqlite3_bind_double(st_, n, v.toDouble());
                    break;
                case QMetaType::QByteArray: {
                    const QByteArray b = v.toByteArray();
                    sqlite3_bind_blob(st_, n, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                    break;
                }
                default: {
                    const QString t = v.toString();
                    sqlite3_bind_text16(st_, n, t.utf16(), int(t.size() * 2), SQLITE_TRANSIENT);
                }
            }
        }
    }

    // The store's error for the last failure, with the statement's text. A write
    // refused because a file does not accept changes names that file in words.
    ErrorAlmacen error(sqlite3* h) const {
        const int código = sqlite3_extended_errcode(h);
        const QString soloLectura = ExplicarSoloLectura(h, código);
        return ErrorAlmacen(soloLectura.isEmpty() ? kFallaSentencia : soloLectura,
                            QString::fromUtf8(sqlite3_errmsg(h)), sql_, QString::number(código));
    }

    // Runs to the end, ignoring rows.
    void completar(sqlite3* h) {
        int rc;
        while ((rc = sqlite3_step(st_)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            const ErrorAlmacen e = error(h);
            sqlite3_reset(st_);
            throw e;
        }
        sqlite3_reset(st_);
    }

    // Every row, into memory.
    std::unique_ptr<Recordset> leer(sqlite3* h) {
        auto rs = std::make_unique<Recordset>(st_);
        const int rc = sqlite3_errcode(h);
        sqlite3_reset(st_);
        if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) throw error(h);
        return rs;
    }

  private:
    sqlite3_stmt* st_ = nullptr;
    QString sql_;
};

class MotorSqlite final : public Motor {
  public:
    MotorSqlite(const QString& ruta, bool conVínculos, bool crear);
    ~MotorSqlite() override { cerrar(); }

    bool enServidor() const override { return false; }

    void ejecutar(const QString& sql) override { ejecutarDirecto(sql); }
    int ejecutar(const QString& sql, const QVariantList& valores) override {
        Sentencia& s = preparada(sql);
        s.enlazar(valores);
        s.completar(h_);
        return sqlite3_changes(h_);
    }
    std::unique_ptr<Recordset> leer(const QString& sql) override {
        Sentencia s(h_, sql, sql);
        return s.leer(h_);
    }
    std::unique_ptr<Recordset> leer(const QString& sql, const QVariantList& valores) override {
        Sentencia& s = preparada(sql);
        s.enlazar(valores);
        return s.leer(h_);
    }
    QVariant valorÚnico(const QString& sql, const QVariantList& valores) override;

    std::unique_ptr<Recordset> buscarPalabras(const QString& fts5, const QString&) override {
        return leer(QStringLiteral(
                        "select p.id, -bm25(candora_palabras) as rango, p.apellido, p.nombre from "
                        "candora_palabras join nvx_m_postulantes p on p.id = "
                        "candora_palabras.rowid where candora_palabras match ? and "
                        "p.activo <> 0 order by rango desc, p.apellido, p.nombre, p.id"),
                    {fts5});
    }

    QString filtroPalabras(const QString& columna, const QString& fts5,
                           const QString&) const override {
        return columna + QStringLiteral(
                             " in (select rowid from candora_palabras where candora_palabras "
                             "match %1)")
                             .arg(ComillasSQL(fts5));
    }

    void borradoSeguro(bool sí) override {
        // Without a file name it holds for every attached file.
        ejecutarDirecto(sí ? QStringLiteral("PRAGMA secure_delete = ON")
                           : QStringLiteral("PRAGMA secure_delete = FAST"));
    }
    void purgar() override;

    void exigirEnSuLugar() const override;
    void comenzar(bool inmediato) override {
        control(inmediato ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN DEFERRED"));
    }
    void fijarPunto(int nivel) override {
        control(QStringLiteral("SAVEPOINT candora_%1").arg(nivel));
    }
    void confirmar() override {
        exigirTransacción();
        control(QStringLiteral("COMMIT"));
    }
    void liberarPunto(int nivel) override {
        exigirTransacción();
        control(QStringLiteral("RELEASE candora_%1").arg(nivel));
    }
    void deshacer() override {
        if (sqlite3_get_autocommit(h_)) return;  // the store already rolled it back
        control(QStringLiteral("ROLLBACK"));
    }
    void deshacerPunto(int nivel) override {
        if (sqlite3_get_autocommit(h_)) return;
        control(QStringLiteral("ROLLBACK TO candora_%1").arg(nivel));
        control(QStringLiteral("RELEASE candora_%1").arg(nivel));
    }

    QVariant últimoId(const QString& tabla) override {
        return valorÚnico(QStringLiteral("select ULTIMO_ID from nvx_m_ids where TABLA = ?"),
                          {tabla});
    }
    void tomarId(const QString& tabla, int32_t id) override {
        ejecutar(QStringLiteral("UPDATE nvx_m_ids SET ultimo_id = ? WHERE tabla = ?"), {id, tabla});
    }

    void sondear() override {
        exigirEnSuLugar();
        valorÚnico(QStringLiteral("select count(*) from sqlite_master"), {});
        for (int i = 1; i <= vinculados_.size(); ++i)
            valorÚnico(QStringLiteral("select count(*) from vinculo%1.sqlite_master").arg(i), {});
    }
    void setEsperaOcupado(int milisegundos) override { sqlite3_busy_timeout(h_, milisegundos); }

    std::vector<TablaAlmacén> tablas() override;
    QStringList nombresColumnas(const QString& tabla) override {
        QStringList nombres;
        for (auto rs = leer(QStringLiteral("select name from pragma_table_info(?) order by cid"),
                            {tabla});
             !rs->eof(); rs->MoveNext())
            nombres << rs->texto(0);
        return nombres;
    }
    void prepararTablasImportación() override;
    int versiónEsquema() override {
        return valorÚnico(QStringLiteral("PRAGMA user_version"), {}).toInt();
    }

  private:
    void cerrar();
    void adjuntarVinculos();
    sqlite3* manejadorQt() const;
    Sentencia& preparada(const QString& sql);
    void ejecutarDirecto(const QString& sql) { Sentencia(h_, sql, sql).completar(h_); }
    // Transaction control: a few fixed texts, kept prepared.
    void control(const QString& sql) {
        Sentencia& s = preparada(sql);
        s.enlazar({});
        s.completar(h_);
    }
    void exigirTransacción() const {
        if (sqlite3_get_autocommit(h_))
            throw ErrorAlmacen(QStringLiteral("La operación no se completó."),
                               QStringLiteral("La base de datos deshizo la transacción en curso."));
    }

    struct Identidad {
        QString ruta;
        quint64 dispositivo, nodo;
    };
    std::vector<Identidad> identidades_;  // of the files it opened
    QString nombreConexión_;
    sqlite3* h_ = nullptr;  // the connection's native handle while it is open
    std::unordered_map<QString, std::unique_ptr<Sentencia>> preparadas_;
    bool staging_ = false;  // this connection's import tables exist
};

MotorSqlite::MotorSqlite(const QString& ruta, bool conVínculos, bool crear) {
    if (!crear && !QFileInfo(ruta).isFile())
        throw ErrorAlmacen(QStringLiteral("No se puede abrir la base de datos."),
                           QStringLiteral("El archivo «%1» no existe.").arg(ruta));
    nombreConexión_ = NuevoNombreConexión();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombreConexión_);
    db.setDatabaseName(UriArchivo(ruta, crear ? "rwc" : "rw"));
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kEsperaOcupadoMs));
    if (!db.open()) {
        const QString motivo = db.lastError().text();
        db = QSqlDatabase();
        cerrar();
        throw ErrorAlmacen(
            QStringLiteral("No se puede abrir la base de datos."),
            QStringLiteral("El archivo «%1» no se pudo abrir: %2").arg(ruta, motivo));
    }
    db = QSqlDatabase();
    rutaLocal_ = QFileInfo(ruta).absoluteFilePath();
    h_ = manejadorQt();
    if (!h_ || RegistrarTextoSqlite(h_) != SQLITE_OK) {
        cerrar();
        throw ErrorAlmacen(QStringLiteral("No se puede abrir la base de datos."),
                           QStringLiteral("No se pudieron registrar las funciones de texto."));
    }
    try {
        // A page cache large enough to keep the applicant tables between the
        // full scans a search makes; attached files inherit it.
        ejecutarDirecto(QStringLiteral("PRAGMA cache_size = -131072"));
        // Scratch tables (the import's staging) live in memory: no disk writes.
        ejecutarDirecto(QStringLiteral("PRAGMA temp_store = MEMORY"));
        // What a change frees inside a page is overwritten, at no extra writing, so
        // old versions of a row do not linger in the pages that keep the new one.
        // Set before attaching: attached files take it.
        ejecutarDirecto(QStringLiteral("PRAGMA secure_delete = FAST"));
        // Reading the schema now turns a file that is not a database into a clear error.
        valorÚnico(QStringLiteral("select count(*) from sqlite_master"), {});
        if (conVínculos) adjuntarVinculos();
        for (const QString& r : QStringList{rutaLocal_} + vinculados_) {
            Identidad i{r, 0, 0};
            if (Identificar(r, i.dispositivo, i.nodo)) identidades_.push_back(i);
        }
    } catch (const ErrorAlmacen& e) {
        cerrar();
        throw ErrorAlmacen(QStringLiteral("No se puede abrir la base de datos «%1».").arg(ruta),
                           e.detalle(), e.sql(), e.código());
    }
}

void MotorSqlite::cerrar() {
    preparadas_.clear();  // every statement is finalized before the connection closes
    h_ = nullptr;
    if (nombreConexión_.isEmpty()) return;
    {
        QSqlDatabase db = QSqlDatabase::database(nombreConexión_, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(nombreConexión_);
    nombreConexión_.clear();
}

sqlite3* MotorSqlite::manejadorQt() const {
    const QVariant h = QSqlDatabase::database(nombreConexión_, false).driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}

Sentencia& MotorSqlite::preparada(const QString& sql) {
    auto it = preparadas_.find(sql);
    if (it == preparadas_.end()) {
        if (preparadas_.size() >= kMáximoPreparadas) preparadas_.clear();
        it = preparadas_.emplace(sql, std::make_unique<Sentencia>(h_, sql, sql)).first;
    }
    return *it->second;
}

QVariant MotorSqlite::valorÚnico(const QString& sql, const QVariantList& valores) {
    Sentencia& s = preparada(sql);
    s.enlazar(valores);
    const int rc = sqlite3_step(s.st());
    QVariant v;
    if (rc == SQLITE_ROW) {
        v = ValorColumna(s.st(), 0);
    } else if (rc != SQLITE_DONE) {
        const ErrorAlmacen e = s.error(h_);
        sqlite3_reset(s.st());
        throw e;
    }
    sqlite3_reset(s.st());
    return v;
}

void MotorSqlite::adjuntarVinculos() {
    if (!valorÚnico(QStringLiteral("select 1 from sqlite_master where type = 'table' and "
                                   "name = 'candora_vinculos'"),
                    {})
             .isValid())
        return;
    auto rs =
        leer(QStringLiteral("select distinct origen from candora_vinculos "
                            "where origen is not null and origen <> ''"));
    int n = 0;
    for (; !rs->eof(); rs->MoveNext()) {
        const QString origen = rs->texto(QStringLiteral("origen"));
        if (!QFileInfo(origen).isFile())
            throw ErrorAlmacen(
                QStringLiteral("No se puede abrir la base de datos."),
                QStringLiteral("Las tablas vinculadas apuntan a «%1», que no existe. Revise el "
                               "origen remoto en las opciones del sistema.")
                    .arg(origen));
        ejecutar(QStringLiteral("ATTACH DATABASE ? AS vinculo%1").arg(++n),
                 {UriArchivo(origen, "rw")});
        vinculados_ << QFileInfo(origen).absoluteFilePath();
    }
}

// SQLite would go on writing to a file nobody will ever read again.
void MotorSqlite::exigirEnSuLugar() const {
    for (const Identidad& i : identidades_) {
        quint64 dispositivo = 0, nodo = 0;
        if (Identificar(i.ruta, dispositivo, nodo) && dispositivo == i.dispositivo &&
            nodo == i.nodo)
            continue;
        throw ErrorAlmacen(
            QStringLiteral("La base de datos ya no está donde estaba."),
            QStringLiteral("El archivo «%1» fue borrado o reemplazado mientras Candora lo usaba: "
                           "no se escribe nada en él. Vuelva a abrir la base de datos (menú "
                           "Sistema) cuando el archivo esté otra vez en su lugar.")
                .arg(i.ruta));
    }
}

std::vector<TablaAlmacén> MotorSqlite::tablas() {
    std::vector<TablaAlmacén> tablas;
    auto bases = leer(QStringLiteral("PRAGMA database_list"));
    for (; !bases->eof(); bases->MoveNext()) {
        const QString esquema = bases->texto(QStringLiteral("name"));
        if (esquema == QLatin1String("temp")) continue;
        const QString archivo = bases->texto(QStringLiteral("file"));
        auto rs = leer(QStringLiteral("select name from \"%1\".sqlite_master where type = 'table' "
                                      "and name not like 'sqlite_%' order by name collate TEXTO")
                           .arg(esquema));
        for (; !rs->eof(); rs->MoveNext())
            tablas.push_back(
                {rs->texto(QStringLiteral("name")), archivo, esquema != QLatin1String("main")});
    }
    return tablas;
}

void MotorSqlite::purgar() {
    // Pages freed before (old index segments, old documents) may still hold what
    // was erased: each file's free pages are taken by a blob of zeros, then freed
    // again, zeroed once more as secure deletion is on.
    for (auto bases = leer(QStringLiteral("PRAGMA database_list")); !bases->eof();
         bases->MoveNext()) {
        const QString e = bases->texto(QStringLiteral("name"));
        if (e == QLatin1String("temp")) continue;
        qint64 libres =
            valorÚnico(QStringLiteral("PRAGMA \"%1\".freelist_count").arg(e), {}).toLongLong();
        if (libres == 0) continue;
        const qint64 página =
            valorÚnico(QStringLiteral("PRAGMA \"%1\".page_size").arg(e), {}).toLongLong();
        ejecutarDirecto(QStringLiteral("CREATE TABLE \"%1\".candora_relleno (b BLOB)").arg(e));
        // In blobs well under SQLite's largest.
        constexpr qint64 kPáginasPorBlob = 32768;
        for (; libres > 0; libres -= kPáginasPorBlob)
            ejecutar(
                QStringLiteral("insert into \"%1\".candora_relleno values (zeroblob(?))").arg(e),
                {std::min(libres, kPáginasPorBlob) * página});
        ejecutarDirecto(QStringLiteral("DROP TABLE \"%1\".candora_relleno").arg(e));
    }
    // A deleted row's words stay in the index's older segments until they are
    // merged: rewriting the index as one segment leaves only the rows there are.
    ejecutarDirecto(
        QStringLiteral("insert into candora_palabras (candora_palabras) values ('optimize')"));
}

void MotorSqlite::prepararTablasImportación() {
    if (staging_) return;
    QFile f(QStringLiteral(":/base/esquema_local.sql"));
    f.open(QIODevice::ReadOnly);
    static const QRegularExpression índice(QStringLiteral("CREATE INDEX (imp_\\w+) ON"));
    // Temporary tables come before the file's own of the same names.
    for (QString s : DividirGuion(QString::fromUtf8(f.readAll()))) {
        if (!s.contains(QLatin1String("imp_"))) continue;
        s.replace(QLatin1String("CREATE TABLE"), QLatin1String("CREATE TEMP TABLE IF NOT EXISTS"));
        s.replace(índice, QStringLiteral("CREATE INDEX IF NOT EXISTS temp.\\1 ON"));
        ejecutar(s);
    }
    staging_ = true;
}

}  // namespace

std::unique_ptr<Motor> AbrirMotorSqlite(const QString& ruta, bool conVínculos, bool crear) {
    return std::make_unique<MotorSqlite>(ruta, conVínculos, crear);
}

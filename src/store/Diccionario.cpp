#include "store/Diccionario.h"

#include "store/Cadenas.h"
#include "store/Conexion.h"
#include "store/Controles.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Postgres.h"
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
#include <QSqlQuery>

#include <atomic>
#include <functional>
#include <limits>
#include <optional>

std::unique_ptr<Diccionario> dic;

Diccionario& Almacén() {
    if (!dic)
        throw ErrorAlmacen(QStringLiteral("La base de datos no está abierta."),
                           QStringLiteral("Candora no tiene conexión con la base de datos. Use "
                                          "Sistema › Reabrir la base de datos."));
    return *dic;
}

namespace {

constexpr int kEsperaOcupadoMs = 10000;
constexpr size_t kMáximoPreparadas = 256;
constexpr int kFilasParaAnalizar = 1000;
const QString kActualizarContador =
    QStringLiteral("UPDATE nvx_m_ids SET ultimo_id = ? WHERE tabla = ?");
const QString kFijarPunto = QStringLiteral("SAVEPOINT candora_sentencia");
const QString kLiberarPunto = QStringLiteral("RELEASE SAVEPOINT candora_sentencia; ");
const QString kDeshacerPunto = QStringLiteral("ROLLBACK TO SAVEPOINT candora_sentencia");

const QString& kFallaSentencia = ErrorAlmacen::kGenérica;

QString nuevoNombreConexión() {
    static std::atomic<int> n{0};
    return QStringLiteral("candora-%1").arg(++n);
}

// The device and inode of a file: the file itself, whatever its name.
bool Identificar(const QString& ruta, quint64& dispositivo, quint64& nodo) {
    struct stat s {};
    if (::stat(QFile::encodeName(ruta).constData(), &s) != 0) return false;
    dispositivo = quint64(s.st_dev);
    nodo = quint64(s.st_ino);
    return true;
}

void exigirIdentificador(const QString& nombre) {
    if (!EsIdentificador(nombre))
        throw ErrorAlmacen(
            kFallaSentencia,
            QStringLiteral("«%1» no es un nombre de tabla o columna válido.").arg(nombre));
}

}  // namespace

Diccionario::Diccionario() = default;

Diccionario::~Diccionario() {
    cerrar();
}

bool Diccionario::abierto() const {
    return h_ != nullptr || servidor_;
}

void Diccionario::setStrConexión(const QString& conexión) {
    cerrar();
    const QString proveedor = ValorConexión(conexión, QStringLiteral("Provider"));
    if (!EsProveedorArchivo(proveedor))
        throw ErrorAlmacen(
            QStringLiteral("No se puede abrir la base de datos."),
            QStringLiteral("El proveedor «%1» no está disponible en esta instalación de Candora. "
                           "Elija el proveedor «%2» en las opciones del sistema.")
                .arg(proveedor, QString::fromLatin1(kProveedorJet)));
    abrirArchivo(RutaLocalEfectiva(ValorConexión(conexión, QStringLiteral("Data Source"))), true);
    strConexión_ = conexión;
}

void Diccionario::abrirArchivo(const QString& ruta, bool conVínculos, bool crear) {
    cerrar();
    if (!crear && !QFileInfo(ruta).isFile())
        throw ErrorAlmacen(QStringLiteral("No se puede abrir la base de datos."),
                           QStringLiteral("El archivo «%1» no existe.").arg(ruta));
    nombreConexión_ = nuevoNombreConexión();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombreConexión_);
    db.setDatabaseName(UriArchivo(ruta, crear ? "rwc" : "rw"));
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kEsperaOcupadoMs));
    if (!db.open()) {
        const QString motivo = db.lastError().text();
        cerrar();
        throw ErrorAlmacen(
            QStringLiteral("No se puede abrir la base de datos."),
            QStringLiteral("El archivo «%1» no se pudo abrir: %2").arg(ruta, motivo));
    }
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
        // The search working tables hold scratch rows of one run: each
        // connection keeps its own in memory, ahead of the file's tables of
        // the same names, so runs cost no disk writes and never see another
        // program's rows.
        ejecutarDirecto(QStringLiteral("PRAGMA temp_store = MEMORY"));
        for (const char* tabla : {"CONSULTA_A", "CONSULTA_B", "CONSULTA_C", "CONSULTA_D"})
            ejecutarDirecto(
                QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS %1 (ID INTEGER PRIMARY KEY)")
                    .arg(QLatin1String(tabla)));
        // Reading the schema now turns a file that is not a database into a clear error.
        valorÚnico(QStringLiteral("select count(*) from sqlite_master"));
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

void Diccionario::abrirServidor(const QString& conexión, const QString& usuario,
                                const QString& contraseña) {
    cerrar();
    nombreConexión_ = nuevoNombreConexión();
    ConectarPostgres(conexión, nombreConexión_, usuario, contraseña);
    servidor_ = true;
    try {
        // Each connection's own working tables, as the file store keeps them in memory:
        // room for a search's steps in memory (set before the first temporary table), and
        // no key on the steps, whose ids are distinct by construction; a key tree costs
        // the server more than the hash joins of the intersections save.
        ejecutar(QStringLiteral("SET temp_buffers = '64MB'"));
        // Compiling a plan costs more than these short statements save by it.
        ejecutar(QStringLiteral("SET jit = off"));
        // No wait on the server is endless: another workstation's lock is waited for
        // as long as the file's busy wait, and a statement gives up after two minutes.
        ejecutar(QStringLiteral("SET lock_timeout = '%1ms'").arg(kEsperaOcupadoMs));
        ejecutar(QStringLiteral("SET statement_timeout = '120s'"));
        QFile f(QStringLiteral(":/base/esquema_local.sql"));
        f.open(QIODevice::ReadOnly);
        for (const QString& s : DividirGuion(QString::fromUtf8(f.readAll()))) {
            if (s.contains(QLatin1String("candora_vinculos"))) continue;  // file stores only
            QString t = EsquemaPostgres(s);
            t.replace(QLatin1String("CREATE TABLE"), QLatin1String("CREATE TEMP TABLE"));
            if (t.contains(QLatin1String("CONSULTA_")))
                t.replace(QLatin1String(" PRIMARY KEY"), QString());
            ejecutar(t);
            static const QRegularExpression trabajo(
                QStringLiteral("^CREATE TEMP TABLE (CONSULTA_[A-D]|RESULTADO) "));
            if (const auto m = trabajo.match(t); m.hasMatch())
                ejecutar(QStringLiteral("ALTER TABLE %1 ALTER COLUMN ID SET STATISTICS 10")
                             .arg(m.captured(1)));
        }
    } catch (const ErrorAlmacen& e) {
        cerrar();
        throw ErrorAlmacen(QStringLiteral("No se puede abrir la base de datos del servidor."),
                           e.detalle(), e.sql(), e.código());
    }
}

// A failed statement leaves a server transaction unusable (and its COMMIT a silent
// ROLLBACK), while on the file only the statement is undone. Inside a transaction each
// statement gets its own savepoint so both stores behave alike. The previous statement's
// savepoint is released in the same round trip that sets the next one, so the cost is
// one round trip a statement; transaction control releases the last one.
QSqlQuery& Diccionario::correrEnServidor(const QString& sql, const QVariantList& valores,
                                         bool control) {
    if (control) {
        // A whole transaction's end needs no release (and must not depend on one).
        const bool liberar =
            puntoSentencia_ && sql != QLatin1String("COMMIT") && sql != QLatin1String("ROLLBACK");
        puntoSentencia_ = false;
        const QString& t = traducida(sql);
        return correrUna(liberar ? kLiberarPunto + t : t, {}, sql);
    }
    if (nivel_ == 0) return analizarTrabajo(sql, correrUna(traducida(sql), valores, sql));
    correrUna(puntoSentencia_ ? kLiberarPunto + kFijarPunto : kFijarPunto, {}, kFijarPunto);
    puntoSentencia_ = true;
    try {
        return analizarTrabajo(sql, correrUna(traducida(sql), valores, sql));
    } catch (const ErrorAlmacen&) {
        try {
            correrUna(kDeshacerPunto, {}, kDeshacerPunto);
        } catch (const ErrorAlmacen&) {
            // The statement's own failure is the one to report.
        }
        throw;
    }
}

// The same texts come again and again: each is translated once.
const QString& Diccionario::traducida(const QString& sql) {
    auto it = traducidas_.find(sql);
    if (it == traducidas_.end()) {
        if (traducidas_.size() >= kMáximoPreparadas) traducidas_.clear();
        it = traducidas_.emplace(sql, TraducirPostgres(sql)).first;
    }
    return it->second;
}

// The server never gathers statistics of temporary tables by itself. Without them it
// takes a search step for a few rows, or for millions, and picks its joins badly: it
// would read every applicant of a large result to show the first page, where it could
// walk the surname index and stop after twenty. A working table that has just taken
// many rows is sampled (a small sample: these tables hold only ids).
QSqlQuery& Diccionario::analizarTrabajo(const QString& sql, QSqlQuery& q) {
    static const QRegularExpression inserción(
        QStringLiteral("^\\s*insert\\s+into\\s+(CONSULTA_[A-D]|RESULTADO)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    if (q.numRowsAffected() < kFilasParaAnalizar) return q;
    const QRegularExpressionMatch m = inserción.match(sql);
    if (!m.hasMatch()) return q;
    QSqlQuery a(QSqlDatabase::database(nombreConexión_, false));
    const QString analizar = QStringLiteral("ANALYZE ") + m.captured(1);
    if (!a.exec(analizar)) throw ErrorAlmacen(kFallaSentencia, a.lastError().text(), analizar);
    return q;
}

QSqlQuery& Diccionario::correrUna(const QString& t, const QVariantList& valores,
                                  const QString& original) {
    const QSqlDatabase db = QSqlDatabase::database(nombreConexión_, false);
    QSqlQuery* q;
    bool ok;
    if (valores.isEmpty()) {
        // One text, one round trip; its rows stream until the next statement.
        suelta_ = std::make_unique<QSqlQuery>(db);
        q = suelta_.get();
        q->setForwardOnly(true);
        ok = q->exec(t);
    } else {
        // Statements with values stay prepared on the server, as on the file.
        auto it = consultas_.find(t);
        if (it == consultas_.end()) {
            if (consultas_.size() >= kMáximoPreparadas) consultas_.clear();
            auto nueva = std::make_unique<QSqlQuery>(db);
            nueva->setForwardOnly(true);
            if (!nueva->prepare(t))
                throw ErrorAlmacen(kFallaSentencia, nueva->lastError().text(), original,
                                   nueva->lastError().nativeErrorCode());
            it = consultas_.emplace(t, std::move(nueva)).first;
        }
        q = it->second.get();
        // Flags are integers on the server too.
        for (qsizetype i = 0; i < valores.size(); ++i) {
            const QVariant& v = valores.at(i);
            q->bindValue(int(i), v.metaType().id() == QMetaType::Bool ? QVariant(v.toInt()) : v);
        }
        ok = q->exec();
    }
    if (!ok)
        throw ErrorAlmacen(kFallaSentencia, q->lastError().text(), original,
                           q->lastError().nativeErrorCode());
    return *q;
}

void Diccionario::adjuntarVinculos() {
    if (!valorÚnico(QStringLiteral("select 1 from sqlite_master where type = 'table' and "
                                   "name = 'candora_vinculos'"))
             .isValid())
        return;
    auto rs =
        AbrirRS(QStringLiteral("select distinct origen from candora_vinculos "
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

void Diccionario::exigirArchivosEnSuLugar() const {
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

bool Diccionario::responde() {
    if (!abierto()) return false;
    try {
        exigirArchivosEnSuLugar();
        if (servidor_) {
            valorÚnico(QStringLiteral("select 1"));
        } else {
            valorÚnico(QStringLiteral("select count(*) from sqlite_master"));
            for (int i = 1; i <= vinculados_.size(); ++i)
                valorÚnico(QStringLiteral("select count(*) from vinculo%1.sqlite_master").arg(i));
        }
        return true;
    } catch (const ErrorAlmacen& e) {
        return e.ocupado();
    }
}

void Diccionario::cerrar() {
    preparadas_.clear();  // every statement is finalized before the connection closes
    identidades_.clear();
    consultas_.clear();
    traducidas_.clear();
    suelta_.reset();
    puntoSentencia_ = false;
    staging_ = false;
    contadores_.clear();
    copiasContadores_.clear();
    h_ = nullptr;
    servidor_ = false;
    vinculados_.clear();
    rutaLocal_.clear();
    nivel_ = 0;
    if (nombreConexión_.isEmpty()) return;
    {
        QSqlDatabase db = QSqlDatabase::database(nombreConexión_, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(nombreConexión_);
    nombreConexión_.clear();
}

void Diccionario::setEsperaOcupado(int milisegundos) {
    if (h_) sqlite3_busy_timeout(h_, milisegundos);
}

sqlite3* Diccionario::manejadorQt() const {
    if (nombreConexión_.isEmpty()) return nullptr;
    const QVariant h = QSqlDatabase::database(nombreConexión_, false).driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}

// A prepared statement of the connection, finalized with the object.
class Diccionario::Sentencia {
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

  private:
    sqlite3_stmt* st_ = nullptr;
    QString sql_;
};

Diccionario::Sentencia& Diccionario::preparada(const QString& sql) {
    if (!h_)
        throw ErrorAlmacen(kFallaSentencia, QStringLiteral("La base de datos está cerrada."), sql);
    auto it = preparadas_.find(sql);
    if (it == preparadas_.end()) {
        if (preparadas_.size() >= kMáximoPreparadas) preparadas_.clear();
        it = preparadas_.emplace(sql, std::make_unique<Sentencia>(h_, TraducirJet(sql), sql)).first;
    }
    return *it->second;
}

void Diccionario::ejecutarDirecto(const QString& sql) {
    if (!h_)
        throw ErrorAlmacen(kFallaSentencia, QStringLiteral("La base de datos está cerrada."), sql);
    Sentencia(h_, sql, sql).completar(h_);
}

void Diccionario::ejecutarControl(const QString& sql) {
    if (servidor_) {
        correrEnServidor(sql, {}, true);
        return;
    }
    Sentencia& s = preparada(sql);
    s.enlazar({});
    s.completar(h_);
}

void Diccionario::ejecutar(const QString& sql) {
    if (sql.isEmpty()) return;
    if (servidor_) {
        correrEnServidor(sql, {});
        return;
    }
    ejecutarDirecto(TraducirJet(sql));
}

int Diccionario::ejecutar(const QString& sql, const QVariantList& valores) {
    if (servidor_) return correrEnServidor(sql, valores).numRowsAffected();
    Sentencia& s = preparada(sql);
    s.enlazar(valores);
    s.completar(h_);
    return sqlite3_changes(h_);
}

namespace {

std::unique_ptr<Recordset> leer(sqlite3* h, sqlite3_stmt* st,
                                const std::function<ErrorAlmacen()>& error) {
    auto rs = std::make_unique<Recordset>(st);
    const int rc = sqlite3_errcode(h);
    sqlite3_reset(st);
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) throw error();
    return rs;
}

}  // namespace

// Every result set is static and client-side, whatever cursor a caller would ask for.
std::unique_ptr<Recordset> Diccionario::AbrirRS(const QString& sql) {
    if (sql.trimmed().isEmpty()) return nullptr;
    RelojDeArena reloj;
    if (servidor_) return std::make_unique<Recordset>(correrEnServidor(sql, {}));
    const QString traducida = TraducirJet(sql);
    if (!h_)
        throw ErrorAlmacen(kFallaSentencia, QStringLiteral("La base de datos está cerrada."), sql);
    Sentencia s(h_, traducida, sql);
    return leer(h_, s.st(), [&] { return s.error(h_); });
}

std::unique_ptr<Recordset> Diccionario::AbrirRS(const QString& sql, const QVariantList& valores) {
    if (sql.trimmed().isEmpty()) return nullptr;
    RelojDeArena reloj;
    if (servidor_) return std::make_unique<Recordset>(correrEnServidor(sql, valores));
    Sentencia& s = preparada(sql);
    s.enlazar(valores);
    return leer(h_, s.st(), [&] { return s.error(h_); });
}

QVariant Diccionario::valorÚnico(const QString& sql, const QVariantList& valores) {
    if (servidor_) {
        QSqlQuery& q = correrEnServidor(sql, valores);
        const QVariant v = q.next() ? q.value(0) : QVariant();
        q.finish();
        return v;
    }
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

void Diccionario::DeleteId(const QString& tabla, const QString& columna, int32_t valor) {
    exigirIdentificador(tabla);
    exigirIdentificador(columna);
    ejecutar(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(tabla, columna), {valor});
}

void Diccionario::LimpiarPostulante(int32_t id) {
    std::optional<Transaccion> t;
    if (!enTransacción()) t.emplace(*this);
    if (valorÚnico(QStringLiteral("select 1 from nvx_m_postulantes where id = ?"), {id}).isValid())
        throw ErrorAlmacen(
            QStringLiteral("No se puede crear el postulante."),
            QStringLiteral("La clave %1 ya pertenece a un postulante de la base de datos: el "
                           "contador de claves de «nvx_m_postulantes» está atrasado respecto de "
                           "los datos. Avise al soporte técnico.")
                .arg(id));
    for (const char* tabla :
         {"nvx_d_idiomas", "nvx_d_experiencia", "nvx_d_interes", "nvx_d_formacion"})
        ejecutar(QStringLiteral("delete from %1 where postulante = ?").arg(QLatin1String(tabla)),
                 {id});
    if (t) t->confirmar();
}

int32_t Diccionario::PróximoID(const QString& tabla) {
    // Inside a caller's transaction the read and the increment are already one
    // unit; a failure undoes the caller's work too.
    std::optional<Transaccion> t;
    if (!enTransacción()) t.emplace(*this);
    QVariant último;
    const QString clave = tabla.toLower();  // table names match without case
    const auto pendiente = contadores_.find(clave);
    if (pendiente != contadores_.end())
        último = pendiente->second;
    else  // on a server the row lock of FOR UPDATE keeps two workstations' allocations apart
        último = valorÚnico(
            servidor_ ? QStringLiteral("select ULTIMO_ID from nvx_m_ids where TABLA = ? for update")
                      : QStringLiteral("select ULTIMO_ID from nvx_m_ids where TABLA = ?"),
            {tabla});
    if (!último.isValid() || último.toLongLong() >= std::numeric_limits<int32_t>::max()) {
        MsgBox(QStringLiteral("No se pudo obtener un número de orden para este registro. Puede que "
                              "otro usuario esté accediendo a los mismos datos en este momento.") +
                   QStringLiteral("\n\nPor favor, intente de nuevo."),
               Icono::Exclamación);
        return 0;
    }
    const int32_t próximo = int32_t(último.toLongLong() + 1);
    if (servidor_)
        contadores_[clave] = próximo;
    else
        ejecutar(kActualizarContador, {próximo, tabla});
    if (t) t->confirmar();
    return próximo;
}

void Diccionario::escribirContadores() {
    for (const auto& [tabla, último] : contadores_) ejecutar(kActualizarContador, {último, tabla});
    contadores_.clear();
}

QString Diccionario::NombreElemento(const QString& tabla, int32_t id, const QString& columna) {
    const QString c = columna.isEmpty() ? QStringLiteral("nombre") : columna;
    exigirIdentificador(tabla);
    exigirIdentificador(c);
    return VacíoSiNulo(
        valorÚnico(QStringLiteral("select %1 as xdato from %2 where id = ?").arg(c, tabla), {id}));
}

Elemento Diccionario::GetElemento(const QString& tabla, int32_t id) {
    exigirIdentificador(tabla);
    Elemento e;
    auto rs = AbrirRS(QStringLiteral("select id, nombre from %1 where id = ?").arg(tabla), {id});
    if (!rs->eof()) {
        e.id = int32_t(rs->entero(QStringLiteral("id")));
        e.Nombre = rs->texto(QStringLiteral("nombre"));
    }
    return e;
}

int32_t Diccionario::ElementoID(const QString& tabla, const QString& nombre) {
    exigirIdentificador(tabla);
    return int32_t(
        valorÚnico(QStringLiteral("select ID from %1 where NOMBRE = ? order by ID").arg(tabla),
                   {nombre})
            .toLongLong());
}

int32_t Diccionario::Nuevo_Elemento(const QString& tabla, const QString& nombre) {
    if (nombre.trimmed().isEmpty()) return 0;
    RelojDeArena reloj;
    QString limpio = nombre;
    LimpiarTexto(limpio);
    if (limpio.isEmpty()) return 0;
    // A name already listed needs no lock. Otherwise look up again and insert in
    // one write transaction: two workstations never add one name twice.
    if (const int32_t id = ElementoID(tabla, limpio)) return id;
    Transaccion t(*this);
    if (const int32_t id = ElementoID(tabla, limpio)) return id;
    const int32_t id = PróximoID(tabla);
    if (id == 0) return 0;
    ejecutar(QStringLiteral("INSERT INTO %1 (Id, Nombre) VALUES (?, ?)").arg(tabla), {id, limpio});
    t.confirmar();
    return id;
}

void Diccionario::LlenarComboElementos(const QString& tabla, ControlLista& lista, int porOrden,
                                       bool conNinguno, int32_t idSeleccionado) {
    exigirIdentificador(tabla);
    auto rs =
        AbrirRS(QStringLiteral("select Id, Nombre, predeterminado from %1 order by %2")
                    .arg(tabla, porOrden != 0 ? QStringLiteral("orden, nombre")  // ties by name
                                              : QStringLiteral("nombre")));
    lista.Clear();
    int selección = -1;
    if (conNinguno) {
        selección = lista.AddItem(QStringLiteral("(ninguno)"));
        lista.setItemData(selección, 0);
    }
    for (; !rs->eof(); rs->MoveNext()) {
        const int32_t id = int32_t(rs->entero(QStringLiteral("Id")));
        const int i = lista.AddItem(rs->texto(QStringLiteral("Nombre")));
        lista.setItemData(i, id);
        if (rs->entero(QStringLiteral("predeterminado")) == 1 && idSeleccionado == 0 &&
            selección < 0)
            selección = i;
        if (id == idSeleccionado) selección = i;
    }
    if (selección >= 0) lista.setListIndex(selección);
}

Campo Diccionario::GetCampo(int32_t id) {
    RelojDeArena reloj;
    auto rs = AbrirRS(QStringLiteral("select * from nvx_diccionario where ID = ?"), {id});
    Campo c;
    if (rs->eof()) {
        MsgBox(QStringLiteral("No se encontró información sobre el ID %1 en la tabla Diccionario.")
                   .arg(id),
               Icono::Exclamación, Botones::Aceptar, QStringLiteral("Error de código fuente"));
        return c;
    }
    c.id = int32_t(rs->entero(QStringLiteral("id")));
    c.orden = int16_t(rs->entero(QStringLiteral("orden")));
    c.tabla = rs->texto(QStringLiteral("tabla"));
    c.Tipo = rs->texto(QStringLiteral("Tipo"));
    c.Nombre_Columna = rs->texto(QStringLiteral("Nombre_Columna"));
    c.Relacion_Tabla = rs->texto(QStringLiteral("Relacion_Tabla"));
    c.Relacion_Clave = rs->texto(QStringLiteral("Relacion_Clave"));
    c.Relacion_Retorno = rs->texto(QStringLiteral("Relacion_Retorno"));
    return c;
}

QString Diccionario::tipodato(int32_t id) {
    RelojDeArena reloj;
    return VacíoSiNulo(
        valorÚnico(QStringLiteral("select TIPO from nvx_diccionario where ID = ?"), {id}));
}

QString Diccionario::RelaciónTabla(const QString& tabla, const QString& columna) {
    return VacíoSiNulo(valorÚnico(QStringLiteral("select Relacion_Tabla from nvx_diccionario "
                                                 "where Tabla = ? and Nombre_Columna = ?"),
                                  {tabla, columna}));
}

int32_t Diccionario::idcolumna(const QString& tabla, const QString& columna) {
    return int32_t(valorÚnico(QStringLiteral("select ID from nvx_diccionario where Tabla = ? and "
                                             "Nombre_Columna = ?"),
                              {tabla, columna})
                       .toLongLong());
}

QString Diccionario::nomdato(int32_t id) {
    RelojDeArena reloj;
    auto rs = AbrirRS(QStringLiteral("select lng, lng2 from nvx_diccionario where ID = ?"), {id});
    if (rs->eof()) return {};
    QString t = CadenaRecurso(int(rs->entero(QStringLiteral("lng"))));
    const int lng2 = int(rs->entero(QStringLiteral("lng2")));
    if (lng2 > 0) t += u'-' + CadenaRecurso(lng2);
    return t;
}

Elementos Diccionario::ListaColumnas(const QString& tabla) {
    Elementos lista;
    auto rs =
        AbrirRS(QStringLiteral("select Orden, Dato, Tipo from nvx_diccionario where Tabla = ? "
                               "order by Orden"),
                {tabla});
    for (; !rs->eof(); rs->MoveNext())
        lista.Add(int32_t(rs->entero(QStringLiteral("Orden"))), rs->texto(QStringLiteral("Dato")),
                  rs->texto(QStringLiteral("Tipo")));
    return lista;
}

Elementos Diccionario::ListaElementos(const QString& tabla, const QString& columnaOrden) {
    exigirIdentificador(tabla);
    if (!EsListaOrden(columnaOrden))
        throw ErrorAlmacen(kFallaSentencia,
                           QStringLiteral("«%1» no es un orden válido.").arg(columnaOrden));
    Elementos lista;
    auto rs =
        AbrirRS(QStringLiteral("select Id, Nombre from %1 order by %2").arg(tabla, columnaOrden));
    for (; !rs->eof(); rs->MoveNext())
        lista.Add(int32_t(rs->entero(QStringLiteral("Id"))), rs->texto(QStringLiteral("Nombre")));
    return lista;
}

std::vector<Diccionario::Tabla> Diccionario::Tablas() {
    std::vector<Tabla> tablas;
    if (servidor_) {
        auto rs = AbrirRS(QStringLiteral(
            "select c.relname as nombre, c.relpersistence = 't' as propia, current_database() as "
            "base from pg_class c join pg_namespace n on n.oid = c.relnamespace "
            "where c.relkind = 'r' and (n.nspname = current_schema() or n.oid = "
            "pg_my_temp_schema()) "
            "order by propia desc, nombre"));
        for (; !rs->eof(); rs->MoveNext()) {
            const bool propia = rs->entero(QStringLiteral("propia")) != 0;
            tablas.push_back({rs->texto(QStringLiteral("nombre")),
                              propia ? QString() : rs->texto(QStringLiteral("base")), !propia});
        }
        return tablas;
    }
    auto bases = AbrirRS(QStringLiteral("PRAGMA database_list"));
    for (; !bases->eof(); bases->MoveNext()) {
        const QString esquema = bases->texto(QStringLiteral("name"));
        if (esquema == QLatin1String("temp")) continue;
        const QString archivo = bases->texto(QStringLiteral("file"));
        auto rs =
            AbrirRS(QStringLiteral("select name from \"%1\".sqlite_master where type = 'table' "
                                   "and name not like 'sqlite_%' order by name collate TEXTO")
                        .arg(esquema));
        for (; !rs->eof(); rs->MoveNext())
            tablas.push_back(
                {rs->texto(QStringLiteral("name")), archivo, esquema != QLatin1String("main")});
    }
    return tablas;
}

int Diccionario::ColumnasTabla(const QString& tabla) {
    return int(NombresColumnas(tabla).size());
}

QStringList Diccionario::NombresColumnas(const QString& tabla) {
    QStringList nombres;
    for (auto rs = AbrirRS(
             servidor_ ? QStringLiteral("select attname from pg_attribute where attrelid = "
                                        "to_regclass(?) and attnum > 0 and not attisdropped "
                                        "and attname <> 'rowid' order by attnum")
                       : QStringLiteral("select name from pragma_table_info(?) "
                                        "order by cid"),
             {tabla});
         !rs->eof(); rs->MoveNext())
        nombres << rs->texto(0);
    return nombres;
}

void Diccionario::PrepararTablasImportación() {
    if (servidor_ || staging_) return;  // a server connection made them when it opened
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

int Diccionario::VersiónEsquema() {
    return valorÚnico(servidor_ ? QStringLiteral("select max(version) from candora_esquema")
                                : QStringLiteral("PRAGMA user_version"))
        .toInt();
}

Transaccion::Transaccion(Diccionario& d, Bloqueo bloqueo) : d_(d), nivel_(d.nivel_ + 1) {
    if (nivel_ == 1) {
        d_.exigirArchivosEnSuLugar();
        reloj_.emplace();
    }
    const QString inicio = bloqueo == Bloqueo::Inmediato ? QStringLiteral("BEGIN IMMEDIATE")
                                                         : QStringLiteral("BEGIN DEFERRED");
    d_.ejecutarControl(nivel_ == 1 ? inicio : QStringLiteral("SAVEPOINT candora_%1").arg(nivel_));
    d_.nivel_ = nivel_;
    if (nivel_ == 1)
        d_.contadores_.clear();
    else
        d_.copiasContadores_.push_back(d_.contadores_);
}

void Transaccion::confirmar() {
    if (terminada_) return;
    if (d_.h_ && sqlite3_get_autocommit(d_.h_))
        throw ErrorAlmacen(QStringLiteral("La operación no se completó."),
                           QStringLiteral("La base de datos deshizo la transacción en curso."));
    if (nivel_ == 1) d_.escribirContadores();
    d_.ejecutarControl(nivel_ == 1 ? QStringLiteral("COMMIT")
                                   : QStringLiteral("RELEASE candora_%1").arg(nivel_));
    // Only once released: a failed release leaves the copy for the rollback to restore.
    if (nivel_ > 1) d_.copiasContadores_.pop_back();
    terminada_ = true;
    d_.nivel_ = nivel_ - 1;
}

Transaccion::~Transaccion() {
    if (terminada_) return;
    d_.nivel_ = nivel_ - 1;
    // Keys handed out since this transaction began are handed out again.
    if (nivel_ == 1) {
        d_.contadores_.clear();
    } else if (!d_.copiasContadores_.empty()) {
        d_.contadores_ = std::move(d_.copiasContadores_.back());
        d_.copiasContadores_.pop_back();
    }
    if (!d_.abierto()) return;
    if (d_.h_ && sqlite3_get_autocommit(d_.h_)) return;  // the store already rolled it back
    try {
        if (nivel_ == 1) {
            d_.ejecutarControl(QStringLiteral("ROLLBACK"));
        } else {
            d_.ejecutarControl(QStringLiteral("ROLLBACK TO candora_%1").arg(nivel_));
            d_.ejecutarControl(QStringLiteral("RELEASE candora_%1").arg(nivel_));
        }
    } catch (const ErrorAlmacen&) {
        // Nothing more can be done while unwinding; SQLite ends the transaction with the
        // connection.
    }
}

#include "store/Motor.h"

#include "store/ErrorAlmacen.h"
#include "store/Postgres.h"
#include "store/SqlJet.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <map>
#include <unordered_map>

namespace {

const QString& kFallaSentencia = ErrorAlmacen::kGenérica;
constexpr int kFilasParaAnalizar = 1000;
const QString kFijarPunto = QStringLiteral("SAVEPOINT candora_sentencia");
const QString kLiberarPunto = QStringLiteral("RELEASE SAVEPOINT candora_sentencia; ");
const QString kDeshacerPunto = QStringLiteral("ROLLBACK TO SAVEPOINT candora_sentencia");

class MotorPostgres final : public Motor {
  public:
    MotorPostgres(const QString& conexión, const QString& usuario, const QString& contraseña);
    ~MotorPostgres() override { cerrar(); }

    bool enServidor() const override { return true; }

    void ejecutar(const QString& sql) override { correr(sql, {}); }
    int ejecutar(const QString& sql, const QVariantList& valores) override {
        return correr(sql, valores).numRowsAffected();
    }
    std::unique_ptr<Recordset> leer(const QString& sql) override {
        return std::make_unique<Recordset>(correr(sql, {}));
    }
    std::unique_ptr<Recordset> leer(const QString& sql, const QVariantList& valores) override {
        return std::make_unique<Recordset>(correr(sql, valores));
    }
    QVariant valorÚnico(const QString& sql, const QVariantList& valores) override {
        QSqlQuery& q = correr(sql, valores);
        const QVariant v = q.next() ? q.value(0) : QVariant();
        q.finish();
        return v;
    }

    void comenzar(bool) override {
        // The server takes its locks as statements need them; the key counters'
        // row locks keep allocations apart.
        control(QStringLiteral("BEGIN"));
        contadores_.clear();
        enTransacción_ = true;
    }
    void fijarPunto(int nivel) override {
        control(QStringLiteral("SAVEPOINT candora_%1").arg(nivel));
        copiasContadores_.push_back(contadores_);
    }
    void confirmar() override {
        for (const auto& [tabla, último] : contadores_)
            ejecutar(kActualizarContador, {último, tabla});
        contadores_.clear();
        control(QStringLiteral("COMMIT"));
        enTransacción_ = false;
    }
    void liberarPunto(int nivel) override {
        control(QStringLiteral("RELEASE candora_%1").arg(nivel));
        // Only once released: a failed release leaves the copy for the rollback to restore.
        copiasContadores_.pop_back();
    }
    // Keys handed out since the transaction or savepoint began are handed out again.
    void deshacer() override {
        enTransacción_ = false;
        contadores_.clear();
        copiasContadores_.clear();
        control(QStringLiteral("ROLLBACK"));
    }
    void deshacerPunto(int nivel) override {
        if (!copiasContadores_.empty()) {
            contadores_ = std::move(copiasContadores_.back());
            copiasContadores_.pop_back();
        }
        control(QStringLiteral("ROLLBACK TO candora_%1").arg(nivel));
        control(QStringLiteral("RELEASE candora_%1").arg(nivel));
    }

    // Keys handed out inside a transaction are counted here and written once as it
    // commits: each UPDATE of one counter row leaves a row version that the next must
    // walk past until the transaction ends, so a long import would slow down with
    // every key. The row lock of FOR UPDATE, held from the first key on, keeps two
    // workstations' allocations apart.
    QVariant últimoId(const QString& tabla) override {
        if (const auto it = contadores_.find(tabla.toLower()); it != contadores_.end())
            return it->second;
        return valorÚnico(
            QStringLiteral("select ULTIMO_ID from nvx_m_ids where TABLA = ? for update"), {tabla});
    }
    void tomarId(const QString& tabla, int32_t id) override {
        contadores_[tabla.toLower()] = id;  // table names match without case
    }

    void sondear() override { valorÚnico(QStringLiteral("select 1"), {}); }

    std::vector<TablaAlmacén> tablas() override;
    QStringList nombresColumnas(const QString& tabla) override {
        QStringList nombres;
        for (auto rs = leer(QStringLiteral("select attname from pg_attribute where attrelid = "
                                           "to_regclass(?) and attnum > 0 and not attisdropped "
                                           "and attname <> 'rowid' order by attnum"),
                            {tabla});
             !rs->eof(); rs->MoveNext())
            nombres << rs->texto(0);
        return nombres;
    }
    // The connection made its import tables when it opened.
    void prepararTablasImportación() override {}
    int versiónEsquema() override {
        return valorÚnico(QStringLiteral("select max(version) from candora_esquema"), {}).toInt();
    }

  private:
    inline static const QString kActualizarContador =
        QStringLiteral("UPDATE nvx_m_ids SET ultimo_id = ? WHERE tabla = ?");

    void cerrar();
    void crearTablasPropias();
    // A statement run on the server; its rows stream from the query and must be read
    // before the next statement runs.
    QSqlQuery& correr(const QString& sql, const QVariantList& valores);
    // Transaction control.
    QSqlQuery& control(const QString& sql);
    QSqlQuery& correrUna(const QString& textoServidor, const QVariantList& valores,
                         const QString& original);
    QSqlQuery& analizarTrabajo(const QString& sql, QSqlQuery& q);
    const QString& traducida(const QString& sql);

    QString nombreConexión_;
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> consultas_;
    std::unordered_map<QString, QString> traducidas_;  // file-store texts in server form
    std::unique_ptr<QSqlQuery> suelta_;                // the last statement without values
    bool enTransacción_ = false;
    bool puntoSentencia_ = false;  // a statement's savepoint is set and not released
    std::map<QString, int32_t> contadores_;
    std::vector<std::map<QString, int32_t>> copiasContadores_;  // at each open savepoint
};

MotorPostgres::MotorPostgres(const QString& conexión, const QString& usuario,
                             const QString& contraseña) {
    nombreConexión_ = NuevoNombreConexión();
    ConectarPostgres(conexión, nombreConexión_, usuario, contraseña);
    try {
        crearTablasPropias();
    } catch (const ErrorAlmacen& e) {
        cerrar();
        throw ErrorAlmacen(QStringLiteral("No se puede abrir la base de datos del servidor."),
                           e.detalle(), e.sql(), e.código());
    }
}

void MotorPostgres::crearTablasPropias() {
    // Each connection's own working tables (saved results, import staging), with room
    // for them in memory (set before the first temporary table).
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
        // The link catalog is the file store's; the search no longer uses step tables.
        if (s.contains(QLatin1String("candora_vinculos")) || s.contains(QLatin1String("CONSULTA_")))
            continue;
        QString t = EsquemaPostgres(s);
        t.replace(QLatin1String("CREATE TABLE"), QLatin1String("CREATE TEMP TABLE"));
        ejecutar(t);
        if (t.startsWith(QLatin1String("CREATE TEMP TABLE RESULTADO ")))
            ejecutar(QStringLiteral("ALTER TABLE RESULTADO ALTER COLUMN ID SET STATISTICS 10"));
    }
}

void MotorPostgres::cerrar() {
    consultas_.clear();
    suelta_.reset();
    if (nombreConexión_.isEmpty()) return;
    {
        QSqlDatabase db = QSqlDatabase::database(nombreConexión_, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(nombreConexión_);
    nombreConexión_.clear();
}

// A failed statement leaves a server transaction unusable (and its COMMIT a silent
// ROLLBACK), while on the file only the statement is undone. Inside a transaction each
// statement gets its own savepoint so both stores behave alike. The previous statement's
// savepoint is released in the same round trip that sets the next one, so the cost is
// one round trip a statement; transaction control releases the last one.
QSqlQuery& MotorPostgres::correr(const QString& sql, const QVariantList& valores) {
    if (!enTransacción_) return analizarTrabajo(sql, correrUna(traducida(sql), valores, sql));
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

QSqlQuery& MotorPostgres::control(const QString& sql) {
    // A whole transaction's end needs no release (and must not depend on one).
    const bool liberar =
        puntoSentencia_ && sql != QLatin1String("COMMIT") && sql != QLatin1String("ROLLBACK");
    puntoSentencia_ = false;
    const QString& t = traducida(sql);
    return correrUna(liberar ? kLiberarPunto + t : t, {}, sql);
}

// The same texts come again and again: each is translated once.
const QString& MotorPostgres::traducida(const QString& sql) {
    auto it = traducidas_.find(sql);
    if (it == traducidas_.end()) {
        if (traducidas_.size() >= kMáximoPreparadas) traducidas_.clear();
        it = traducidas_.emplace(sql, TraducirPostgres(sql)).first;
    }
    return it->second;
}

// The server never gathers statistics of temporary tables by itself. Without them it
// takes a search result for a few rows, or for millions, and picks its joins badly: it
// would read every applicant of a large result to show the first page, where it could
// walk the surname index and stop after twenty. A working table that has just taken
// many rows is sampled (a small sample: it holds only ids).
QSqlQuery& MotorPostgres::analizarTrabajo(const QString& sql, QSqlQuery& q) {
    static const QRegularExpression inserción(
        QStringLiteral("^\\s*insert\\s+into\\s+(RESULTADO)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    if (q.numRowsAffected() < kFilasParaAnalizar) return q;
    const QRegularExpressionMatch m = inserción.match(sql);
    if (!m.hasMatch()) return q;
    QSqlQuery a(QSqlDatabase::database(nombreConexión_, false));
    const QString analizar = QStringLiteral("ANALYZE ") + m.captured(1);
    if (!a.exec(analizar)) throw ErrorAlmacen(kFallaSentencia, a.lastError().text(), analizar);
    return q;
}

QSqlQuery& MotorPostgres::correrUna(const QString& t, const QVariantList& valores,
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

std::vector<TablaAlmacén> MotorPostgres::tablas() {
    std::vector<TablaAlmacén> tablas;
    auto rs = leer(QStringLiteral(
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

}  // namespace

std::unique_ptr<Motor> AbrirMotorPostgres(const QString& conexión, const QString& usuario,
                                          const QString& contraseña) {
    return std::make_unique<MotorPostgres>(conexión, usuario, contraseña);
}

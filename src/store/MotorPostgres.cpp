#include "store/Motor.h"

#include "store/ErrorAlmacen.h"
#include "store/Postgres.h"
#include "store/Pq.h"
#include "store/SqlJet.h"
#include "store/Valores.h"

#include <QFile>
#include <QRegularExpression>

#include <map>
#include <optional>
#include <unordered_map>

namespace {

const QString& kFallaSentencia = ErrorAlmacen::kGenérica;
constexpr int kFilasParaAnalizar = 1000;
// Statements queued without waiting for their results, at most: a longer
// pipeline could fill both ends' buffers and wait on itself.
constexpr size_t kMáximoEncolados = 200;
const QString kFijarPunto = QStringLiteral("SAVEPOINT candora_sentencia");
const QString kLiberarPunto = QStringLiteral("RELEASE SAVEPOINT candora_sentencia");
const QString kDeshacerPunto = QStringLiteral("ROLLBACK TO SAVEPOINT candora_sentencia");

// The server through libpq, always in pipeline mode: the statements of one call
// (a statement's savepoint, the statement, and whatever the caller queued before
// it) travel in one round trip.
class MotorPostgres final : public Motor {
  public:
    MotorPostgres(const QString& conexión, const QString& usuario, const QString& contraseña);

    bool enServidor() const override { return true; }

    void ejecutar(const QString& sql) override { correr(sql, {}); }
    int ejecutar(const QString& sql, const QVariantList& valores) override {
        const ResultadoPq r = correr(sql, valores);
        return r ? std::atoi(PQcmdTuples(r.get())) : 0;
    }
    void encolar(const QString& sql, const QVariantList& valores) override {
        if (!enTransacción_) {
            correr(sql, valores);
            return;
        }
        enviarSentencia(sql, valores, false);
        if (enviadas_.size() >= kMáximoEncolados) sincronizar();
    }
    void copiar(const QString& tabla, const QStringList& columnas,
                const std::vector<QVariantList>& filas) override;
    std::unique_ptr<Recordset> leer(const QString& sql) override { return leer(sql, {}); }
    std::unique_ptr<Recordset> leer(const QString& sql, const QVariantList& valores) override {
        return std::make_unique<Recordset>(correr(sql, valores).get());
    }
    QVariant valorÚnico(const QString& sql, const QVariantList& valores) override {
        const Recordset rs(correr(sql, valores).get());
        return rs.eof() || rs.FieldCount() == 0 ? QVariant() : rs.valor(0);
    }

    std::unique_ptr<Recordset> buscarPalabras(const QString&, const QString& tsquery) override {
        return leer(
            QStringLiteral("select p.id, ts_rank(t.palabras, q) as rango, p.apellido, p.nombre "
                           "from candora_textos t, to_tsquery('simple', ?) q, "
                           "nvx_m_postulantes p where p.id = t.postulante and "
                           "t.palabras @@ q and p.activo <> 0 order by "
                           "rango desc, p.apellido, p.nombre, p.id"),
            {tsquery});
    }

    QString filtroPalabras(const QString& columna, const QString&,
                           const QString& tsquery) const override {
        return columna + QStringLiteral(
                             " in (select postulante from candora_textos where "
                             "palabras @@ to_tsquery('simple', %1))")
                             .arg(ComillasSQL(tsquery));
    }

    void comenzar(bool) override {
        // The server takes its locks as statements need them; the key counters'
        // row locks keep allocations apart.
        control(QStringLiteral("BEGIN"));
        contadores_.clear();
        enTransacción_ = true;
    }
    // A savepoint travels with the next statement: should it fail, that statement
    // raises it, inside the level it began.
    void fijarPunto(int nivel) override {
        if (puntoSentencia_) enviarTexto(kLiberarPunto);
        puntoSentencia_ = false;
        enviarTexto(QStringLiteral("SAVEPOINT candora_%1").arg(nivel));
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

    // A statement sent whose result has not been read yet.
    struct Enviada {
        QString sql;          // as the caller wrote it, for the error
        bool quiere = false;  // its result is the call's
        QString preparada;    // the prepared statement a failed preparation forgets
    };

    void crearTablasPropias();
    // A statement run on the server, its result read whole.
    ResultadoPq correr(const QString& sql, const QVariantList& valores);
    // Inside a transaction, each statement's own savepoint, and the way back to it.
    void fijarPuntoSentencia();
    void deshacerSentencia();
    // Transaction control.
    void control(const QString& sql);
    void enviarTexto(const QString& texto);
    void enviarSentencia(const QString& sql, const QVariantList& valores, bool quiere);
    // Ends the round trip: reads every result sent, returns the wanted one and raises
    // the first failure once all are read.
    ResultadoPq sincronizar();
    void analizarTrabajo(const QString& sql, const PGresult* r);
    void analizarTrabajo(const QString& tabla, qint64 filas);
    // A statement in the server's form, and how many values it takes.
    struct Traducida {
        QString texto;
        int marcas = 0;
    };
    const Traducida& traducida(const QString& sql);

    ConexiónPq c_;
    std::vector<Enviada> enviadas_;
    std::unordered_map<QString, Traducida> traducidas_;  // file-store texts in server form
    // Prepared statements by text and value types.
    std::unordered_map<QString, QByteArray> preparadas_;
    int próximaPreparada_ = 0;
    bool enTransacción_ = false;
    bool puntoSentencia_ = false;  // a statement's savepoint is set and not released
    std::map<QString, int32_t> contadores_;
    std::vector<std::map<QString, int32_t>> copiasContadores_;  // at each open savepoint
};

MotorPostgres::MotorPostgres(const QString& conexión, const QString& usuario,
                             const QString& contraseña)
    : c_(conexión, usuario, contraseña) {
    if (PQenterPipelineMode(c_.h()) != 1)
        throw ErrorAlmacen(QStringLiteral("No se puede abrir la base de datos del servidor."),
                           QString::fromUtf8(PQerrorMessage(c_.h())));
    try {
        crearTablasPropias();
    } catch (const ErrorAlmacen& e) {
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

// A failed statement leaves a server transaction unusable (and its COMMIT a silent
// ROLLBACK), while on the file only the statement is undone. Inside a transaction each
// statement gets its own savepoint so both stores behave alike; the previous one is
// released in the same round trip.
ResultadoPq MotorPostgres::correr(const QString& sql, const QVariantList& valores) {
    fijarPuntoSentencia();
    enviarSentencia(sql, valores, true);
    try {
        ResultadoPq r = sincronizar();
        analizarTrabajo(sql, r.get());
        return r;
    } catch (const ErrorAlmacen&) {
        deshacerSentencia();
        throw;
    }
}

void MotorPostgres::fijarPuntoSentencia() {
    if (!enTransacción_) return;
    if (puntoSentencia_) enviarTexto(kLiberarPunto);
    enviarTexto(kFijarPunto);
    puntoSentencia_ = true;
}

void MotorPostgres::deshacerSentencia() {
    if (!enTransacción_) return;
    try {
        enviarTexto(kDeshacerPunto);
        sincronizar();
    } catch (const ErrorAlmacen&) {
        // The statement's own failure is the one to report.
    }
}

// COPY, with its savepoint as any statement; COPY does not run in a pipeline.
void MotorPostgres::copiar(const QString& tabla, const QStringList& columnas,
                           const std::vector<QVariantList>& filas) {
    fijarPuntoSentencia();
    sincronizar();
    if (PQexitPipelineMode(c_.h()) != 1) throw c_.error(nullptr, kFallaSentencia, tabla);
    size_t siguiente = 0;
    try {
        c_.copiar(
            tabla, columnas,
            [&](QByteArray& lote) {
                for (; siguiente < filas.size() && lote.size() < (1 << 20); ++siguiente)
                    AgregarFilaCopia(lote, filas[siguiente]);
                return siguiente < filas.size();
            },
            kFallaSentencia);
    } catch (const ErrorAlmacen&) {
        PQenterPipelineMode(c_.h());
        deshacerSentencia();
        throw;
    }
    if (PQenterPipelineMode(c_.h()) != 1) throw c_.error(nullptr, kFallaSentencia, tabla);
    analizarTrabajo(tabla, qint64(filas.size()));
}

void MotorPostgres::control(const QString& sql) {
    // Undoing a level undoes the statement's savepoint set inside it, and a whole
    // transaction's end needs no release: neither depends on one.
    if (puntoSentencia_ && !sql.startsWith(QLatin1String("ROLLBACK")) &&
        sql != QLatin1String("COMMIT"))
        enviarTexto(kLiberarPunto);
    puntoSentencia_ = false;
    enviarTexto(sql);
    sincronizar();
}

void MotorPostgres::enviarTexto(const QString& texto) {
    if (PQsendQueryParams(c_.h(), texto.toUtf8().constData(), 0, nullptr, nullptr, nullptr, nullptr,
                          0) != 1)
        throw c_.error(nullptr, kFallaSentencia, texto);
    enviadas_.push_back({texto, false, {}});
}

void MotorPostgres::enviarSentencia(const QString& sql, const QVariantList& valores, bool quiere) {
    const Traducida& tr = traducida(sql);
    const QString& t = tr.texto;
    // As on the file: a value too many or too few is the caller's mistake, never ignored.
    if (valores.size() != tr.marcas)
        throw ErrorAlmacen(kFallaSentencia,
                           QStringLiteral("La sentencia espera %1 valores y recibió %2.")
                               .arg(tr.marcas)
                               .arg(valores.size()),
                           sql);
    if (valores.isEmpty()) {
        enviarTexto(t);
        enviadas_.back() = {sql, quiere, {}};
        return;
    }
    // Statements with values stay prepared on the server, as on the file.
    const ValoresPq v(valores);
    const QString clave = sql + QChar(0) + QLatin1String(v.firma());
    auto it = preparadas_.find(clave);
    if (it == preparadas_.end()) {
        if (preparadas_.size() >= kMáximoPreparadas) {
            enviarTexto(QStringLiteral("DEALLOCATE ALL"));
            preparadas_.clear();
        }
        const QByteArray nombre = "c" + QByteArray::number(++próximaPreparada_);
        if (PQsendPrepare(c_.h(), nombre.constData(), t.toUtf8().constData(), v.cantidad(),
                          v.tipos()) != 1)
            throw c_.error(nullptr, kFallaSentencia, sql);
        enviadas_.push_back({sql, false, clave});
        it = preparadas_.emplace(clave, nombre).first;
    }
    if (PQsendQueryPrepared(c_.h(), it->second.constData(), v.cantidad(), v.punteros(), v.largos(),
                            nullptr, 0) != 1)
        throw c_.error(nullptr, kFallaSentencia, sql);
    enviadas_.push_back({sql, quiere, {}});
}

ResultadoPq MotorPostgres::sincronizar() {
    std::vector<Enviada> enviadas;
    enviadas.swap(enviadas_);
    if (PQpipelineSync(c_.h()) != 1) throw c_.error(nullptr, kFallaSentencia, {});
    ResultadoPq buscado;
    std::optional<ErrorAlmacen> falla;
    bool rota = false;
    for (const Enviada& e : enviadas) {
        ResultadoPq r(PQgetResult(c_.h()));
        if (!r) {  // the connection broke
            rota = true;
            if (!falla) falla = c_.error(nullptr, kFallaSentencia, e.sql);
            break;
        }
        // Each statement's results end with a null.
        while (PGresult* fin = PQgetResult(c_.h())) PQclear(fin);
        switch (PQresultStatus(r.get())) {
            case PGRES_COMMAND_OK:
            case PGRES_TUPLES_OK:
                if (e.quiere) buscado = std::move(r);
                break;
            case PGRES_PIPELINE_ABORTED:  // an earlier statement failed
                if (!e.preparada.isEmpty()) preparadas_.erase(e.preparada);
                break;
            default:
                if (!e.preparada.isEmpty()) preparadas_.erase(e.preparada);
                if (!falla) falla = c_.error(r.get(), kFallaSentencia, e.sql);
        }
    }
    if (!rota) {
        ResultadoPq fin(PQgetResult(c_.h()));
        if (!fin || PQresultStatus(fin.get()) != PGRES_PIPELINE_SYNC) {
            if (!falla) falla = c_.error(fin.get(), kFallaSentencia, {});
        }
    }
    if (falla) throw *falla;
    return buscado;
}

// The same texts come again and again: each is translated once.
const MotorPostgres::Traducida& MotorPostgres::traducida(const QString& sql) {
    auto it = traducidas_.find(sql);
    if (it == traducidas_.end()) {
        if (traducidas_.size() >= kMáximoPreparadas) traducidas_.clear();
        Traducida t;
        t.texto = MarcasPostgres(TraducirPostgres(sql), &t.marcas);
        it = traducidas_.emplace(sql, std::move(t)).first;
    }
    return it->second;
}

// The server never gathers statistics of temporary tables by itself. Without them it
// takes a search result or the import's staging for a few rows, or for millions, and
// picks its joins badly: it would read every applicant of a large result to show the
// first page, where it could walk the surname index and stop after twenty, or hash a
// million applicants to find the few hundred an import lot names. A working table
// that has just taken many rows is sampled (a small sample: its rows are few or narrow).
void MotorPostgres::analizarTrabajo(const QString& sql, const PGresult* r) {
    static const QRegularExpression inserción(QStringLiteral("^\\s*insert\\s+into\\s+(\\w+)\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (!r) return;
    if (const QRegularExpressionMatch m = inserción.match(sql); m.hasMatch())
        analizarTrabajo(m.captured(1), std::atoi(PQcmdTuples(const_cast<PGresult*>(r))));
}

void MotorPostgres::analizarTrabajo(const QString& tabla, qint64 filas) {
    static const QRegularExpression trabajo(QStringLiteral("^(RESULTADO|imp_\\w+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (filas >= kFilasParaAnalizar && trabajo.match(tabla).hasMatch())
        correr(QStringLiteral("ANALYZE ") + tabla, {});
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

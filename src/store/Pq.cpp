#include "store/Pq.h"

#include <QDate>
#include <QDateTime>

namespace {

constexpr Oid kInt4 = 23, kInt8 = 20, kNumeric = 1700, kBytea = 17;

// A failure told apart by its SQLSTATE when the server gave none: the connection broke.
const QString kConexiónRota = QStringLiteral("08006");

}  // namespace

ConexiónPq::ConexiónPq(const QString& conexión, const QString& usuario, const QString& contraseña) {
    // Later keywords win: the connection text may set its own wait, never the encoding.
    const QByteArray texto = conexión.toUtf8(), u = usuario.toUtf8(), c = contraseña.toUtf8();
    std::vector<const char*> claves{"connect_timeout", "dbname"};
    std::vector<const char*> valores{"10",
                                     texto.constData()};  // a server that is down fails in time
    if (!u.isEmpty()) {
        claves.push_back("user");
        valores.push_back(u.constData());
    }
    if (!c.isEmpty()) {
        claves.push_back("password");
        valores.push_back(c.constData());
    }
    for (const auto& [clave, valor] :
         {std::pair{"client_encoding", "UTF8"}, std::pair{"application_name", "Candora"}}) {
        claves.push_back(clave);
        valores.push_back(valor);
    }
    claves.push_back(nullptr);
    valores.push_back(nullptr);
    h_ = PQconnectdbParams(claves.data(), valores.data(), 1);
    if (!h_ || PQstatus(h_) != CONNECTION_OK) {
        const QString error = h_ ? QString::fromUtf8(PQerrorMessage(h_)).trimmed() : QString();
        if (h_) PQfinish(h_);
        h_ = nullptr;
        throw ErrorAlmacen(
            QStringLiteral("No se pudo conectar con el servidor PostgreSQL."),
            error.isEmpty() ? QStringLiteral("No se pudo abrir «%1».").arg(conexión) : error, {},
            QStringLiteral("08001"));  // never opened
    }
}

ConexiónPq::~ConexiónPq() {
    if (h_) PQfinish(h_);
}

ResultadoPq ConexiónPq::ejecutar(const QString& sql, const QString& operación) {
    ResultadoPq r(PQexec(h_, sql.toUtf8().constData()));
    const ExecStatusType e = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (e != PGRES_COMMAND_OK && e != PGRES_TUPLES_OK) throw error(r.get(), operación, sql);
    return r;
}

qint64 ConexiónPq::copiar(const QString& tabla, const QStringList& columnas,
                          const std::function<bool(QByteArray&)>& siguiente,
                          const QString& operación) {
    const QString sql =
        QStringLiteral("COPY %1 (%2) FROM STDIN").arg(tabla, columnas.join(QStringLiteral(", ")));
    {
        ResultadoPq r(PQexec(h_, sql.toUtf8().constData()));
        if (!r || PQresultStatus(r.get()) != PGRES_COPY_IN) throw error(r.get(), operación, sql);
    }
    QByteArray lote;
    const char* fallaCliente = nullptr;
    for (;;) {
        lote.clear();
        bool más = false;
        try {
            más = siguiente(lote);
        } catch (...) {
            // The copy is abandoned on the server before the failure goes on.
            PQputCopyEnd(h_, "abandonada");
            while (PGresult* r = PQgetResult(h_)) PQclear(r);
            throw;
        }
        if (!lote.isEmpty() && PQputCopyData(h_, lote.constData(), int(lote.size())) != 1) {
            fallaCliente = "envío";
            break;
        }
        if (!más) break;
    }
    if (PQputCopyEnd(h_, fallaCliente) != 1) throw error(nullptr, operación, sql);
    ResultadoPq r(PQgetResult(h_));
    while (PGresult* resto = PQgetResult(h_)) PQclear(resto);
    if (!r || PQresultStatus(r.get()) != PGRES_COMMAND_OK) throw error(r.get(), operación, sql);
    return QByteArray(PQcmdTuples(r.get())).toLongLong();
}

ErrorAlmacen ConexiónPq::error(const PGresult* r, const QString& operación,
                               const QString& sql) const {
    const char* estado = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
    QString código = estado ? QString::fromLatin1(estado) : QString();
    const char* mensaje = r ? PQresultErrorMessage(r) : "";
    QString detalle = QString::fromUtf8(*mensaje ? mensaje : PQerrorMessage(h_)).trimmed();
    if (código.isEmpty() && PQstatus(h_) != CONNECTION_OK) código = kConexiónRota;
    return ErrorAlmacen(operación, detalle, sql, código);
}

namespace {

// A value that is not Null in the server's text format, typed as the literal it
// stands for (`letra` names the type for the prepared statement's signature).
QByteArray TextoPq(const QVariant& v, Oid& tipo, char& letra) {
    tipo = 0;
    letra = 't';
    switch (v.metaType().id()) {
        case QMetaType::Bool:  // flags are integers
            tipo = kInt4;
            letra = 'i';
            return v.toBool() ? "1" : "0";
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong: {
            const qint64 x = v.toLongLong();
            const bool corto = x >= INT32_MIN && x <= INT32_MAX;
            tipo = corto ? kInt4 : kInt8;
            letra = corto ? 'i' : 'l';
            return QByteArray::number(x);
        }
        case QMetaType::Double:
        case QMetaType::Float:
            tipo = kNumeric;
            letra = 'd';
            return QByteArray::number(v.toDouble(), 'g', 17);
        case QMetaType::QByteArray:
            tipo = kBytea;
            letra = 'b';
            return "\\x" + v.toByteArray().toHex();
        case QMetaType::QDate:
            return v.toDate().toString(Qt::ISODate).toUtf8();
        case QMetaType::QDateTime:
            return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toUtf8();
        default: {
            QByteArray t = v.toString().toUtf8();
            // A NUL would end the text on its way: refused, never cut short.
            if (t.contains('\0'))
                throw ErrorAlmacen(ErrorAlmacen::kGenérica,
                                   QStringLiteral("Un texto contiene el carácter nulo, que el "
                                                  "servidor no admite."),
                                   {}, QStringLiteral("22021"));
            return t;
        }
    }
}

}  // namespace

ValoresPq::ValoresPq(const QVariantList& valores) {
    const auto n = size_t(valores.size());
    textos_.reserve(n);
    punteros_.reserve(n);
    largos_.reserve(n);
    tipos_.reserve(n);
    for (const QVariant& v : valores) {
        Oid tipo = 0;
        char letra = 'n';
        textos_.push_back(v.isNull() ? QByteArray() : TextoPq(v, tipo, letra));
        firma_ += letra;
        tipos_.push_back(tipo);
        largos_.push_back(int(textos_.back().size()));
    }
    // Pointers only once the texts no longer move.
    for (size_t i = 0; i < n; ++i)
        punteros_.push_back(firma_.at(qsizetype(i)) == 'n' ? nullptr : textos_[i].constData());
}

void AgregarFilaCopia(QByteArray& lote, const QVariantList& fila) {
    for (qsizetype i = 0; i < fila.size(); ++i) {
        if (i > 0) lote += '\t';
        const QVariant& v = fila.at(i);
        if (v.isNull()) {
            lote += "\\N";
            continue;
        }
        Oid tipo;
        char letra;
        // Backslashes, tabs and line ends escaped; a bytea's "\x" so becomes "\\x".
        for (const char c : TextoPq(v, tipo, letra)) switch (c) {
                case '\\':
                    lote += "\\\\";
                    break;
                case '\t':
                    lote += "\\t";
                    break;
                case '\n':
                    lote += "\\n";
                    break;
                case '\r':
                    lote += "\\r";
                    break;
                default:
                    lote += c;
            }
    }
    lote += '\n';
}

#include "Almacen.h"
#include "Apoyo.h"
#include "ServidorPostgres.h"

#include "search/Palabras.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// The rows both engines search; a query's expected matches are their 1-based numbers.
const QStringList kFilas = {
    QStringLiteral("Logística y SAP en Pérez-Güemes"),
    QStringLiteral("Oracle, pasantía de administración"),
    QStringLiteral("Atención al público y ventas; sapo"),
    QStringLiteral("Ñandú S.A.: O'Higgins 123, e-mail and not near"),
    QStringLiteral("Administrador de SAP y C++, medio tiempo"),
};

struct Caso {
    const char* texto;
    const char* fts5;
    const char* tsquery;
    QList<int> filas;
};

const Caso kCasos[] = {
    {"sap logística", R"("sap" AND "logistica")", "'sap' & 'logistica'", {1}},
    {"SAP o Oracle logistica",
     R"(("sap" OR "oracle") AND "logistica")",
     "('sap' | 'oracle') & 'logistica'",
     {1}},
    {"sap OR oracle", R"(("sap" OR "oracle"))", "('sap' | 'oracle')", {1, 2, 5}},
    {"-pasantía admin*", R"("admin"* NOT "pasantia")", "'admin':* & !'pasantia'", {5}},
    {"sap*", R"("sap"*)", "'sap':*", {1, 3, 5}},
    {"\"atención al público\" ventas",
     R"("atencion al publico" AND "ventas")",
     "('atencion' <-> 'al' <-> 'publico') & 'ventas'",
     {3}},
    {"\"público al atención\"",
     R"("publico al atencion")",
     "('publico' <-> 'al' <-> 'atencion')",
     {}},
    {"\"atención al públ*\"", R"("atencion al publ"*)", "('atencion' <-> 'al' <-> 'publ':*)", {3}},
    {"Pérez-Güemes", R"("perez guemes")", "('perez' <-> 'guemes')", {1}},
    {"ÑANDÚ", R"("nandu")", "'nandu'", {4}},
    {"and NOT near", R"("and" AND "not" AND "near")", "'and' & 'not' & 'near'", {4}},
    {"C++ sap", R"("c" AND "sap")", "'c' & 'sap'", {5}},
    {"O'Higgins e-mail",
     R"("o higgins" AND "e mail")",
     "('o' <-> 'higgins') & ('e' <-> 'mail')",
     {4}},
    {"sap -\"medio tiempo\" -- ¿?",
     R"("sap" NOT "medio tiempo")",
     "'sap' & !('medio' <-> 'tiempo')",
     {1}},
    {"sap o oracle -pasantía logística o administrador",
     R"((("sap" OR "oracle") AND ("logistica" OR "administrador")) NOT "pasantia")",
     "('sap' | 'oracle') & ('logistica' | 'administrador') & !'pasantia'",
     {1, 5}},
};

// The rows of an in-memory FTS5 table that `expresión` matches, or SQLite's complaint.
class TablaFts5 {
  public:
    TablaFts5() {
        sqlite3_open(":memory:", &db_);
        sqlite3_exec(db_,
                     "create virtual table t using fts5(texto, "
                     "tokenize = 'unicode61 remove_diacritics 2')",
                     nullptr, nullptr, nullptr);
        for (const QString& f : kFilas) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db_, "insert into t values (?)", -1, &st, nullptr);
            const QByteArray texto = f.toUtf8();
            sqlite3_bind_text(st, 1, texto.constData(), int(texto.size()), SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_finalize(st);
        }
    }
    ~TablaFts5() { sqlite3_close(db_); }
    QList<int> filas(const QString& expresión, QString& error) const {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db_, "select rowid from t where t match ? order by rowid", -1, &st,
                           nullptr);
        const QByteArray e = expresión.toUtf8();
        sqlite3_bind_text(st, 1, e.constData(), int(e.size()), SQLITE_TRANSIENT);
        QList<int> filas;
        int r;
        while ((r = sqlite3_step(st)) == SQLITE_ROW) filas << sqlite3_column_int(st, 0);
        if (r != SQLITE_DONE) error = QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_finalize(st);
        return filas;
    }

  private:
    sqlite3* db_ = nullptr;
};

TEST(Palabras, TraduceCadaConsultaAFts5YTsqueryYSóloEncuentraLoPedidoEnFts5) {
    EXPECT_EQ(NormalizarPalabras(QStringLiteral("Pérez-Güemes ÑANDÚ Ｆｕｌｌ")),
              QStringLiteral("perez-guemes nandu full"));
    const ConsultaPalabras c =
        AnalizarPalabras(QStringLiteral("SAP o Oracle -\"Medio tiempo\" xy*"));
    ASSERT_TRUE(c.válida()) << S(c.error);
    const std::vector<std::vector<TérminoPalabras>> grupos = {
        {{{"sap"}}, {{"oracle"}}}, {{{"xy"}, true}}, {{{"medio", "tiempo"}, false, true}}};
    EXPECT_EQ(c.grupos, grupos);
    EXPECT_EQ(AnalizarPalabras(QStringLiteral("\"atención al público\" o públic* -ventas"))
                  .palabrasResaltar(),
              QStringList({"atencion", "al", "publico", "public*"}));

    TablaFts5 tabla;
    for (const Caso& caso : kCasos) {
        SCOPED_TRACE(caso.texto);
        const ConsultaPalabras c = AnalizarPalabras(QString::fromUtf8(caso.texto));
        ASSERT_TRUE(c.válida()) << S(c.error);
        EXPECT_EQ(c.fts5(), QString::fromUtf8(caso.fts5));
        EXPECT_EQ(c.tsquery(), QString::fromUtf8(caso.tsquery));
        QString error;
        EXPECT_EQ(tabla.filas(c.fts5(), error), caso.filas);
        EXPECT_EQ(error, QString());
    }
}

TEST(Palabras, LoQueNoSePuedeBuscarSeExplicaEnCastellano) {
    const std::pair<const char*, const char*> casos[] = {
        {"", "Escriba al menos una palabra para buscar."},
        {"   ", "Escriba al menos una palabra para buscar."},
        {"sap \"atención al", "comillas de cierre"},
        {"o sap", "empezar con «o»"},
        {"sap OR", "terminar con «o»"},
        {"sap o O oracle", "dos «o» seguidas"},
        {"-pasantía -\"medio tiempo\"",
         "Agregue al menos una palabra que deba aparecer; las palabras con «-» sólo excluyen."},
        {"sap o -oracle", "alternativas unidas con «o»"},
        {"-sap o oracle", "alternativas unidas con «o»"},
        {"sap *", "pegado al final de una palabra"},
        {"sap -\"--\"*", "pegado al final de una palabra"},
        {"sap a*", "al menos dos letras"},
        {"\"atención al p*\"", "al menos dos letras"},
        {"\"--\" ¿? +", "no tiene letras ni números"},
    };
    for (const auto& [texto, mensaje] : casos) {
        SCOPED_TRACE(texto);
        const ConsultaPalabras c = AnalizarPalabras(QString::fromUtf8(texto));
        EXPECT_FALSE(c.válida());
        EXPECT_TRUE(c.error.contains(QString::fromUtf8(mensaje))) << S(c.error);
        EXPECT_TRUE(c.grupos.empty());
        EXPECT_EQ(c.fts5(), QString());
        EXPECT_EQ(c.tsquery(), QString());
    }
}

// Random mixes of quotes, dashes, stars, operators and symbols, the same on every run.
QStringList EntradasAzar(int cuántas) {
    const QStringList piezas = {"\"",   "-",     "*",    " ",  " o ", "OR", "AND", "NOT",
                                "NEAR", "(",     ")",    ":",  "^",   "+",  "'",   "\\",
                                "á",    "Ñ",     "sap",  "a",  "ad",  "{",  "}",   ",",
                                ".",    "NEAR(", "col:", "\t", "&",   "|",  "!"};
    QRandomGenerator azar(20261209);
    QStringList entradas;
    for (int i = 0; i < cuántas; ++i) {
        QString texto;
        for (int n = azar.bounded(1, 9); n > 0; --n) texto += piezas[azar.bounded(piezas.size())];
        entradas << texto;
    }
    return entradas;
}

// Each random input is either refused with a message or gives an expression SQLite runs.
TEST(Palabras, ElFragmentoYLaPáginaMarcanSóloLasPalabrasBuscadas) {
    const auto marcas = [](QString html) {
        return S(html.replace(QStringLiteral("<mark style=\"background-color:#ffe066\">"),
                              QStringLiteral("["))
                     .replace(QStringLiteral("</mark>"), QStringLiteral("]")));
    };
    const QStringList buscadas =
        AnalizarPalabras(QStringLiteral("LOGISTICA sap admin*")).palabrasResaltar();
    EXPECT_EQ(marcas(FragmentoPalabras(QStringLiteral("Logística y SAP en sapo, Administración"),
                                       buscadas)),
              "[Logística] y [SAP] en sapo, [Administración]");
    EXPECT_EQ(marcas(FragmentoPalabras(QStringLiteral("<i>sap</i> & 😀sap\nlínea"), buscadas)),
              "&lt;i&gt;[sap]&lt;/i&gt; &amp; 😀[sap] línea");
    EXPECT_EQ(FragmentoPalabras(QStringLiteral("Oracle y ventas"), buscadas), QString());
    // A long text: a window around the first word found, cut where the text goes on.
    QStringList largo;
    for (int i = 0; i < 200; ++i) largo << QStringLiteral("relleno%1").arg(i);
    largo[120] = QStringLiteral("SAP");
    const std::string f = marcas(FragmentoPalabras(largo.join(u' '), buscadas, 24));
    EXPECT_TRUE(f.starts_with("… relleno117 relleno118 relleno119 [SAP] relleno121")) << f;
    EXPECT_TRUE(f.ends_with(" relleno140 …")) << f;

    // In a page only the visible text is marked: never the head, a tag or an entity.
    EXPECT_EQ(marcas(ResaltarHtml(
                  QStringLiteral("<html><head><title>SAP</title></head><body><a href=\"sap.htm\" "
                                 "title=\"sap\">SAP&amp;sap</a> sapo</body></html>"),
                  buscadas)),
              "<html><head><title>SAP</title></head><body><a href=\"sap.htm\" "
              "title=\"sap\">[SAP]&amp;[sap]</a> sapo</body></html>");
}

TEST(Palabras, NingunaEntradaDejaUnaExpresiónQueFts5Rechace) {
    TablaFts5 tabla;
    int válidas = 0;
    for (const QString& texto : EntradasAzar(3000)) {
        const ConsultaPalabras c = AnalizarPalabras(texto);
        if (!c.válida()) {
            EXPECT_FALSE(c.error.isEmpty());
            continue;
        }
        ++válidas;
        QString error;
        tabla.filas(c.fts5(), error);
        ASSERT_EQ(error, QString()) << S(texto) << " -> " << S(c.fts5());
    }
    EXPECT_GT(válidas, 500);
}

// The connection text of the run's PostgreSQL server (or of one of this process's own).
QString ConexiónServidor(QString& error) {
    const QString carpeta = qEnvironmentVariable(kVariableServidor);
    if (carpeta.isEmpty()) {
        static ServidorPostgres propio;
        error = propio.error();
        return propio.conexión(QStringLiteral("postgres"));
    }
    QFile f(QDir(carpeta).filePath(QString::fromLatin1(kArchivoConexión)));
    if (!f.open(QIODevice::ReadOnly)) error = QStringLiteral("sin conexión en ") + carpeta;
    return QString::fromUtf8(f.readAll()).trimmed() + QStringLiteral(" dbname=postgres");
}

TEST(Palabras, PostgresAceptaCadaTsqueryYEncuentraLasMismasFilas) {
    QString error;
    const QString conexión = ConexiónServidor(error);
    ASSERT_TRUE(error.isEmpty()) << S(error);
    {
        QSqlDatabase db = ConectarPostgres(conexión, QStringLiteral("palabras"));
        ASSERT_TRUE(db.open()) << S(db.lastError().text());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("create temp table filas (id int, texto text)")));
        for (int i = 0; i < kFilas.size(); ++i) {
            q.prepare(QStringLiteral("insert into filas values (?, ?)"));
            q.addBindValue(i + 1);
            q.addBindValue(NormalizarPalabras(kFilas[i]));
            ASSERT_TRUE(q.exec()) << S(q.lastError().text());
        }
        for (const Caso& caso : kCasos) {
            SCOPED_TRACE(caso.texto);
            q.prepare(
                QStringLiteral("select id from filas where to_tsvector('simple', texto) "
                               "@@ to_tsquery('simple', ?) order by id"));
            q.addBindValue(AnalizarPalabras(QString::fromUtf8(caso.texto)).tsquery());
            ASSERT_TRUE(q.exec()) << S(q.lastError().text());
            QList<int> filas;
            while (q.next()) filas << q.value(0).toInt();
            EXPECT_EQ(filas, caso.filas);
        }
        for (const QString& texto : EntradasAzar(1000)) {
            const ConsultaPalabras c = AnalizarPalabras(texto);
            if (!c.válida()) continue;
            q.prepare(QStringLiteral("select to_tsquery('simple', ?)"));
            q.addBindValue(c.tsquery());
            ASSERT_TRUE(q.exec()) << S(texto) << " -> " << S(c.tsquery()) << ": "
                                  << S(q.lastError().text());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("palabras"));
}

}  // namespace

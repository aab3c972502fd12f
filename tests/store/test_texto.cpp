#include "Apoyo.h"

#include "store/Compresion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/SqlJet.h"
#include "store/TextoSqlite.h"

#include <gtest/gtest.h>

namespace {
int comparar(const QString& a, const QString& b) {
    const QByteArray x = a.toUtf8(), y = b.toUtf8();
    const int c = CompararTexto(x.constData(), int(x.size()), y.constData(), int(y.size()));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
}  // namespace

TEST(Texto, LaIntercalaciónIgnoraMayúsculasYOrdenaLosAcentosConSuLetra) {
    EXPECT_EQ(comparar(QStringLiteral("garcía"), QStringLiteral("GARCÍA")), 0);
    EXPECT_EQ(comparar(QStringLiteral("PEREZ"), QStringLiteral("perez")), 0);
    EXPECT_NE(comparar(QStringLiteral("garcia"), QStringLiteral("garcía")),
              0);  // accents still count
    EXPECT_EQ(comparar(QStringLiteral("Álvarez"), QStringLiteral("Avila")), -1);
    EXPECT_EQ(comparar(QStringLiteral("Álvarez"), QStringLiteral("Alonso")), 1);
    EXPECT_EQ(comparar(QStringLiteral("Nuñez"), QStringLiteral("Nunez")), 1);
    EXPECT_EQ(comparar(QStringLiteral("Ñandú"), QStringLiteral("Nz")), 1);    // ñ after every n…
    EXPECT_EQ(comparar(QStringLiteral("Ñandú"), QStringLiteral("Oca")), -1);  // …and before o
    EXPECT_EQ(comparar(QStringLiteral("abc"), QStringLiteral("abcd")), -1);
    EXPECT_EQ(comparar(QStringLiteral("Zoe"), QStringLiteral("éxito")), 1);
}

TEST(Texto, ElAlmacénCompara_Ordena_YPasaAMayúsculasComoElPrograma) {
    QTemporaryDir carpeta;
    Diccionario d;
    d.abrirArchivo(carpeta.filePath(QStringLiteral("t.db")), false, true);
    d.ejecutar(QStringLiteral("create table t (n text collate TEXTO)"));
    d.ejecutar(QStringLiteral("create index t_n on t (n)"));
    for (const char* n :
         {"Zapata", "álvarez", "Avila", "ñandú", "Nuñez", "nunez", "GARCÍA", "Alonso"})
        d.ejecutar(QStringLiteral("insert into t values (?)"), {QString::fromUtf8(n)});
    QStringList orden;
    auto rs = d.AbrirRS(QStringLiteral("select n from t order by n"));
    for (; !rs->eof(); rs->MoveNext()) orden << rs->texto(QStringLiteral("n"));
    EXPECT_EQ(orden.join(u','),
              QStringLiteral("Alonso,álvarez,Avila,GARCÍA,nunez,Nuñez,ñandú,Zapata"));
    EXPECT_EQ(d.valorÚnico(QStringLiteral("select count(*) from t where n = 'garcía'")).toInt(), 1);
    EXPECT_EQ(d.valorÚnico(QStringLiteral("select ucase('ñandú García')")).toString(),
              QStringLiteral("ÑANDÚ GARCÍA"));
    // Both case paths agree with Qt: Latin-1 letters, letters that change length, other scripts.
    for (const QString& t :
         {QStringLiteral("Müller ÷ × ÿ"), QStringLiteral("Straße"), QStringLiteral("Łódź Ωμέγα")}) {
        EXPECT_EQ(d.valorÚnico(QStringLiteral("select ucase(?)"), {t}).toString(), t.toUpper());
        EXPECT_EQ(d.valorÚnico(QStringLiteral("select lcase(?)"), {t.toUpper()}).toString(),
                  t.toUpper().toLower());
    }
    EXPECT_TRUE(d.valorÚnico(QStringLiteral("select ucase(null)")).isNull());
    // The plain form searches use: the store's quick path agrees with the program's.
    EXPECT_EQ(TextoPlano(QStringLiteral("Núñez, Pérez y Ÿ")), QStringLiteral("NUNEZ, PEREZ Y Y"));
    for (const QString& t : {QStringLiteral("ñandú García Çà"), QStringLiteral("Straße ÿ Æ ×"),
                             QStringLiteral("Łódź Ωμέγα")})
        EXPECT_EQ(d.valorÚnico(QStringLiteral("select candora_plano(?)"), {t}).toString(),
                  TextoPlano(t));
    EXPECT_TRUE(d.valorÚnico(QStringLiteral("select candora_plano(null)")).isNull());
    EXPECT_EQ(
        d.valorÚnico(QStringLiteral("select count(*) from t where ucase(n) like '%ÁLV%'")).toInt(),
        1);
    EXPECT_EQ(d.valorÚnico(QStringLiteral("pragma integrity_check")).toString(),
              QStringLiteral("ok"));
}

// The keyword index's texts shrink on a file and read back exactly, whatever their size.
TEST(Texto, LosTextosDelÍndiceSeComprimenYSeLeenIguales) {
    QTemporaryDir carpeta;
    Diccionario d;
    d.abrirArchivo(carpeta.filePath(QStringLiteral("t.db")), false, true);
    QString repetido;
    for (int i = 0; i < 20000; ++i)
        repetido += QStringLiteral("Atención al público %1. ").arg(i % 7);
    QByteArray azar(3000, 0);
    for (int i = 0; i < azar.size(); ++i) azar[i] = char('!' + (i * 7919 + i / 13) % 90);
    for (const QString& t : {QStringLiteral("Pérez Juan 20111222 Córdoba Excel avanzado SAP FI "
                                            "Atención al público y manejo de caja."),
                             repetido, QString::fromLatin1(azar), QStringLiteral("ñ"), QString()}) {
        SCOPED_TRACE(t.left(40).toStdString());
        const QVariant z = d.valorÚnico(QStringLiteral("select candora_comprimir(?)"), {t});
        EXPECT_EQ(d.valorÚnico(QStringLiteral("select candora_descomprimir(?)"), {z}).toString(),
                  t);
        // Compressed when it saves something (a CV's words save more than half).
        const QByteArray c = ComprimirTexto(t.toUtf8());
        if (!c.isEmpty()) EXPECT_LT(c.size(), t.toUtf8().size());
        if (t.startsWith(u'P')) EXPECT_LT(c.size() * 2, t.toUtf8().size());
        if (t == repetido) EXPECT_GT(t.toUtf8().size(), 100 * c.size());
    }
    EXPECT_TRUE(ComprimirTexto(QByteArray("ñ")).isEmpty());
    EXPECT_TRUE(d.valorÚnico(QStringLiteral("select candora_comprimir(null)")).isNull());
    // A damaged blob is an error, never a wrong text.
    QByteArray dañado = ComprimirTexto(repetido.toUtf8());
    dañado.chop(dañado.size() / 2);
    EXPECT_THROW(d.valorÚnico(QStringLiteral("select candora_descomprimir(?)"), {dañado}),
                 ErrorAlmacen);
    QByteArray texto;
    EXPECT_FALSE(DescomprimirTexto(QByteArray("\x02abc"), texto));
}

TEST(Texto, LasSentenciasSePasanAlServidorSinTocarLosTextos) {
    // The plain form, nested too, under a deterministic collation; quoted texts stay.
    const QString t = TraducirPostgres(QStringLiteral(
        "select 'candora_plano(a)' from t where candora_plano(f(candora_plano(g.a))) LIKE '%X%'"));
    EXPECT_TRUE(
        t.startsWith(QStringLiteral("select 'candora_plano(a)' from t where (CASE WHEN "
                                    "octet_length((f((CASE WHEN octet_length(g.a) ")))
        << t.toStdString();
    EXPECT_TRUE(t.endsWith(QStringLiteral(" END COLLATE \"und-x-icu\") LIKE '%X%'")))
        << t.toStdString();
    EXPECT_EQ(t.count(QStringLiteral("translate(upper(")), 5);
    // Placeholders become numbered ones, except inside texts, names and comments.
    EXPECT_EQ(MarcasPostgres(QStringLiteral(
                  "select '?', \"a?\", ? from t -- ¿?\nwhere a = ? and b IS NOT DISTINCT FROM ?")),
              QStringLiteral("select '?', \"a?\", $1 from t -- ¿?\nwhere a = $2 and b IS NOT "
                             "DISTINCT FROM $3"));
}

TEST(Texto, UnGuionSeDivideEnSentenciasCompletas) {
    const QStringList s = DividirGuion(QStringLiteral(
        "-- a comment; with a semicolon\ncreate table a (x text default ';');\n"
        "create trigger tr after insert on a begin update a set x = 'y'; select 1; end;\n"
        "insert into a values ('b;c')"));
    ASSERT_EQ(s.size(), 3);
    EXPECT_TRUE(s.at(1).startsWith(QStringLiteral("create trigger")));
    EXPECT_TRUE(s.at(1).endsWith(QStringLiteral("end;")));
    EXPECT_EQ(s.at(2), QStringLiteral("insert into a values ('b;c')"));
}

TEST(Texto, SóloNombresSimplesPuedenUnirseAUnaSentencia) {
    EXPECT_TRUE(EsIdentificador(QStringLiteral("nvx_m_paises")));
    EXPECT_FALSE(EsIdentificador(QStringLiteral("nvx_m_paises; drop table x")));
    EXPECT_FALSE(EsIdentificador(QString()));
    EXPECT_TRUE(EsListaOrden(QStringLiteral("orden, nombre desc")));
    EXPECT_FALSE(EsListaOrden(QStringLiteral("nombre; delete from x")));
}

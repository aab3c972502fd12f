#include "Apoyo.h"

#include "store/BaseEntregada.h"
#include "store/Cadenas.h"
#include "store/Diccionario.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class EntregaTest : public ::testing::Test {
  protected:
    void SetUp() override { d.abrirArchivo(CopiaBaseEntregada(carpeta), false); }
    std::set<QString> columnas(const QString& tabla) {
        std::set<QString> c;
        for (auto rs = d.AbrirRS(QStringLiteral("select name from pragma_table_info(?)"), {tabla});
             !rs->eof(); rs->MoveNext())
            c.insert(rs->texto(QStringLiteral("name")).toLower());
        return c;
    }
    QTemporaryDir carpeta;
    InteraccionGuionada usuario;
    Diccionario d;
};

TEST_F(EntregaTest, ElDiccionarioNombraColumnasYTablasQueExistenYTextosDelPrograma) {
    auto rs = d.AbrirRS(QStringLiteral("select * from nvx_diccionario order by tabla, orden"));
    ASSERT_GT(rs->RecordCount(), 60);
    std::set<QString> tablas;
    for (; !rs->eof(); rs->MoveNext()) {
        const QString tabla = rs->texto(QStringLiteral("tabla"));
        const QString columna = rs->texto(QStringLiteral("Nombre_Columna"));
        const QString tipo = rs->texto(QStringLiteral("Tipo"));
        SCOPED_TRACE((tabla + u'.' + columna).toStdString());
        tablas.insert(tabla);
        // The keyword search is a condition on the applicant, not a column of it.
        if (tipo == QLatin1String("P"))
            EXPECT_EQ(tabla + u'.' + columna, QStringLiteral("nvx_m_postulantes.palabras_clave"));
        else
            EXPECT_TRUE(columnas(tabla).count(columna.toLower()));
        EXPECT_TRUE(QStringList({"T", "N", "ND", "L", "CO", "P"}).contains(tipo));
        if (tipo == QLatin1String("L")) {
            const QString relación = rs->texto(QStringLiteral("Relacion_Tabla"));
            EXPECT_TRUE(columnas(relación).count(QStringLiteral("nombre")))
                << relación.toStdString();
            EXPECT_EQ(d.RelaciónTabla(tabla, columna), relación);
        }
        if (tipo == QLatin1String("CO")) {
            EXPECT_EQ(rs->entero(QStringLiteral("buscable")), 0);
        }
        for (const char* n : {"lng", "lng2"}) {
            const int número = rs->entero(QString::fromLatin1(n));
            if (número) {
                EXPECT_TRUE(ExisteCadena(número)) << n << ' ' << número;
            }
        }
        EXPECT_EQ(d.idcolumna(tabla, columna), rs->entero(QStringLiteral("id")));
    }
    EXPECT_EQ(tablas.size(), 7u);  // the applicant and its six kinds of detail rows
    EXPECT_TRUE(tablas.count(QStringLiteral("nvx_m_postulantes")));
}

TEST_F(EntregaTest, LasListasYLosContadoresEstánListosParaUsar) {
    // Every counter starts where its table's keys end, so the first new key is free.
    auto ids = d.AbrirRS(QStringLiteral("select tabla, ultimo_id from nvx_m_ids"));
    ASSERT_GT(ids->RecordCount(), 20);
    for (; !ids->eof(); ids->MoveNext()) {
        const QString tabla = ids->texto(QStringLiteral("tabla"));
        SCOPED_TRACE(tabla.toStdString());
        EXPECT_EQ(ids->entero(QStringLiteral("ultimo_id")),
                  d.valorÚnico(QStringLiteral("select coalesce(max(id), 0) from \"%1\"").arg(tabla))
                      .toInt());
        if (columnas(tabla).count(QStringLiteral("predeterminado"))) {
            EXPECT_LE(
                d.valorÚnico(QStringLiteral("select count(*) from \"%1\" where predeterminado = 1")
                                 .arg(tabla))
                    .toInt(),
                1);
        }
    }
    auto países =
        d.AbrirRS(QStringLiteral("select nombre from nvx_m_paises order by orden, nombre"));
    ASSERT_GE(países->RecordCount(), 190);
    EXPECT_EQ(países->texto(QStringLiteral("nombre")), QStringLiteral("Argentina"));
    EXPECT_EQ(d.valorÚnico(QStringLiteral("select count(*) from nvx_m_provincias")).toInt(), 24);
    EXPECT_EQ(d.valorÚnico(QStringLiteral("select group_concat(simbolo, ' ') from "
                                          "(select simbolo from nvx_m_monedas order by id)"))
                  .toString(),
              QStringLiteral("$ U$S € R$"));
    EXPECT_EQ(Sqlite3(carpeta.filePath(QStringLiteral("base.db")),
                      QStringLiteral("pragma integrity_check")),
              QStringLiteral("ok"));
}

}  // namespace

#include "Almacen.h"
#include "Apoyo.h"

#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/SqlJet.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QString Recurso(const char* nombre) {
    QFile f(QStringLiteral(":/base/") + QLatin1String(nombre));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << nombre;
    return QString::fromUtf8(f.readAll());
}

// Turns the test's store into one as the first version made it: no range constraints.
void VolverALaVersiónUno(const AlmacenPrueba& a) {
    if (!a.servidor()) {
        QFile::remove(a.ruta());
        Diccionario d;
        d.abrirArchivo(a.ruta(), false, true);
        Transaccion t(d);
        for (const char* g :
             {"esquema_datos.sql", "esquema_local.sql", "datos.sql", "diccionario.sql"})
            for (const QString& s : DividirGuion(Recurso(g))) d.ejecutar(s);
        d.ejecutar(QStringLiteral("PRAGMA user_version = 1"));
        t.confirmar();
        return;
    }
    Diccionario d;
    a.abrir(d);
    for (auto rs = d.AbrirRS(QStringLiteral(
             "select conrelid::regclass::text as tabla, conname from pg_constraint "
             "where contype = 'c' and (conname like 'rango%' or conname = 'fecha_nacimiento')"));
         !rs->eof(); rs->MoveNext())
        d.ejecutar(
            QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2")
                .arg(rs->texto(QStringLiteral("tabla")), rs->texto(QStringLiteral("conname"))));
    d.ejecutar(QStringLiteral("update candora_esquema set version = 1"));
}

class EsquemaTest : public AmbosAlmacenes {
  protected:
    QString texto(const QString& sql, const QVariantList& v = {}) {
        return dic->valorÚnico(sql, v).toString();
    }
    // The store's refusal of a statement, as the user reads it ("" when it ran).
    QString rechazo(const QString& sql) {
        try {
            dic->ejecutar(sql);
        } catch (const ErrorAlmacen& e) {
            return e.textoUsuario();
        }
        return {};
    }
    InteraccionGuionada usuario;
};

TEST_P(EsquemaTest, UnaBaseAnteriorSeActualizaGuardandoLoImposibleEnLasObservaciones) {
    VolverALaVersiónUno(*almacén);
    {
        Diccionario d;
        almacén->abrir(d);
        d.ejecutar(QStringLiteral(
            "insert into nvx_m_postulantes (id, dni_pais, dni_numero, apellido, sexo, nac_dia, "
            "nac_mes, nac_ano, estatura, observaciones) values "
            "(1, 1, '10', 'Uno', 999, 5, 5, -5, 170, 'Previa.'), "
            "(2, 1, '20', 'Dos', 1, 31, 2, 1990, 99999, null), "
            "(3, 1, '30', 'Tres', 2, 29, 2, 2000, 180, null)"));
        d.ejecutar(QStringLiteral(
            "insert into nvx_d_experiencia (postulante, area, ingreso_mes, ingreso_ano) values "
            "(1, 1, 13, 2010), (1, 2, 3, 2011)"));
    }
    ConectarBase(almacén->configuración());
    ASSERT_TRUE(dic);
    EXPECT_EQ(dic->VersiónEsquema(), kVersiónEsquema);
    EXPECT_EQ(S(texto(QStringLiteral("select sexo || '/' || nac_ano || ' ' || estatura from "
                                     "nvx_m_postulantes where id = 1"))),
              "0/0 170");
    const QString notas =
        texto(QStringLiteral("select observaciones from nvx_m_postulantes where id = 1"));
    EXPECT_TRUE(notas.startsWith(QStringLiteral("Previa.\nAl actualizar la base el "))) << S(notas);
    for (const char* nota :
         {"sexo 999", "año de nacimiento -5", "en la experiencia, mes de ingreso 13"})
        EXPECT_TRUE(notas.contains(QString::fromUtf8(nota))) << nota << '\n' << S(notas);
    EXPECT_EQ(S(texto(QStringLiteral("select nac_dia || '/' || nac_mes || '/' || nac_ano || ' ' || "
                                     "estatura from nvx_m_postulantes where id = 2"))),
              "0/2/1990 0");
    EXPECT_TRUE(texto(QStringLiteral("select observaciones from nvx_m_postulantes where id = 2"))
                    .contains(QStringLiteral("estatura 99999; fecha de nacimiento 31/2/1990.")));
    EXPECT_EQ(
        S(Unidos(*dic, QStringLiteral("select ingreso_mes from nvx_d_experiencia order by rowid"))),
        "0,3");
    EXPECT_TRUE(
        dic->valorÚnico(QStringLiteral("select observaciones from nvx_m_postulantes where id = 3"))
            .isNull());  // a leap day is a real date

    // From now on the store itself refuses impossible values, in words a recruiter reads.
    EXPECT_TRUE(rechazo(QStringLiteral("update nvx_m_postulantes set sexo = 300 where id = 3"))
                    .contains(QStringLiteral("«sexo» está fuera de su rango")));
    EXPECT_TRUE(rechazo(QStringLiteral("update nvx_m_postulantes set nac_dia = 30 where id = 3"))
                    .contains(QStringLiteral("fecha de nacimiento no existe")));
    EXPECT_FALSE(
        rechazo(QStringLiteral(
                    "insert into nvx_d_experiencia (postulante, ingreso_mes) values (3, 13)"))
            .isEmpty());
    EXPECT_FALSE(rechazo(QStringLiteral("update nvx_m_postulantes set estatura = -1")).isEmpty());
    EXPECT_FALSE(rechazo(QStringLiteral("update nvx_m_postulantes set nac_ano = 1950 where id = 3"))
                     .isEmpty());  // 29/2/1950 never was

    if (!servidor()) {  // the file's new schema reads back whole with SQLite's own tool
        EXPECT_EQ(S(Sqlite3(almacén->ruta(), QStringLiteral("pragma integrity_check"))), "ok");
    }

    // Starting again changes nothing more.
    ConectarBase(almacén->configuración());
    EXPECT_EQ(texto(QStringLiteral("select observaciones from nvx_m_postulantes where id = 1")),
              notas);
}

EN_AMBOS_ALMACENES(EsquemaTest);

}  // namespace

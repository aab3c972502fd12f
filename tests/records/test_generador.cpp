#include "Apoyo.h"

#include "records/Generador.h"
#include "records/cPostulante.h"
#include "store/Diccionario.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(Generador, LasFichasGeneradasSonLasQueElRegistroLeeYGuardaYSeRepitenConLaSemilla) {
    QTemporaryDir carpeta;
    InteraccionGuionada usuario;
    const QString otra = CopiaBaseEntregada(carpeta, QStringLiteral("otra.db"));
    dic = std::make_unique<Diccionario>();
    dic->abrirArchivo(CopiaBaseEntregada(carpeta), false);
    std::vector<int> avances;
    ASSERT_EQ(GenerarPostulantes(*dic, 300, 7, [&](int hechos, int) { avances.push_back(hechos); }),
              300);
    EXPECT_EQ(avances.back(), 300);
    EXPECT_EQ(dic->valorÚnico(QStringLiteral("select count(distinct dni_pais || '/' || dni_numero) "
                                             "from nvx_m_postulantes"))
                  .toInt(),
              300);
    EXPECT_EQ(
        dic->valorÚnico(
               QStringLiteral("select ultimo_id from nvx_m_ids where tabla = 'nvx_m_postulantes'"))
            .toInt(),
        300);
    EXPECT_GT(dic->valorÚnico(QStringLiteral("select count(*) from nvx_m_empleadores")).toInt(),
              2000);
    EXPECT_GT(
        dic->valorÚnico(QStringLiteral("select count(distinct postulante) from nvx_d_experiencia"))
            .toInt(),
        150);
    EXPECT_GT(
        dic->valorÚnico(
               QStringLiteral("select count(*) from nvx_m_postulantes where apellido like '%''%' "
                              "or apellido like '%á%' or apellido like '%ñ%'"))
            .toInt(),
        0);

    // Loading each applicant and saving it unchanged rewrites exactly the same rows.
    for (int id : {1, 2, 150, 300}) {
        SCOPED_TRACE(id);
        const QString antes = VolcadoPostulante(*dic, id);
        cPostulante p;
        p.id = id;
        ASSERT_EQ(p.cargar(), 1);
        const QString generado = p.actualizado;
        ASSERT_TRUE(p.guardar());
        QString después = VolcadoPostulante(*dic, id);
        EXPECT_EQ(después.replace(p.actualizado, generado), antes);
    }

    // The same seed gives the same applicants; adding more never repeats a document.
    Diccionario d2;
    d2.abrirArchivo(otra, false);
    ASSERT_EQ(GenerarPostulantes(d2, 300, 7), 300);
    EXPECT_EQ(VolcadoPostulante(d2, 5), VolcadoPostulante(*dic, 5));
    ASSERT_EQ(GenerarPostulantes(d2, 300, 7), 300);
    EXPECT_EQ(d2.valorÚnico(QStringLiteral("select count(distinct dni_pais || '/' || dni_numero) "
                                           "from nvx_m_postulantes"))
                  .toInt(),
              600);
    dic.reset();
}

}  // namespace

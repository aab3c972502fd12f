#include "Apoyo.h"

#include "import/Intercambio.h"
#include "import/cImportador.h"
#include "records/Generador.h"
#include "records/cPostulante.h"
#include "store/Diccionario.h"

#include "store/Recordset.h"

#include <QDate>
#include <QDateTime>
#include <QHash>

#include <gtest/gtest.h>

#include <set>

namespace {

void RevisarCreíbles(Diccionario& d, bool conFamilia);

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

// What a recruiter reading the demonstration cards would find odd, checked on
// every row of a generated store, and of a generated exchange file imported
// into an empty store (such a file carries no relatives).
TEST(Generador, LosDatosGeneradosSonCreíbles) {
    for (const bool intercambio : {false, true}) {
        SCOPED_TRACE(intercambio ? "archivo de intercambio importado" : "base generada");
        QTemporaryDir carpeta;
        InteraccionGuionada usuario;
        dic = std::make_unique<Diccionario>();
        dic->abrirArchivo(CopiaBaseEntregada(carpeta), false);
        if (intercambio) {
            cImportador imp;
            imp.Archivo = carpeta.filePath(QStringLiteral("demo.nvx"));
            EscribirIntercambio(imp.Archivo, 3000, 17);
            ASSERT_EQ(imp.leer_intercambio(), 0);
            ASSERT_EQ(imp.Cnt_Postulantes, 3000);
        } else {
            ASSERT_EQ(GenerarPostulantes(*dic, 3000, 17), 3000);
        }
        RevisarCreíbles(*dic, !intercambio);
        dic.reset();
    }
}

void RevisarCreíbles(Diccionario& d, bool conFamilia) {
    const QDate hoy = QDate::currentDate();
    const int mesActual = hoy.year() * 12 + hoy.month();

    struct Postulante {
        QDate nacimiento;
        int edad;
        bool tieneHijos;
    };
    QHash<qint64, Postulante> postulantes;
    for (auto rs = d.AbrirRS(QStringLiteral(
             "select id, nac_dia, nac_mes, nac_ano, tiene_hijos, remun_mensual, remun_hora, "
             "fecha_ingreso, actualizado from nvx_m_postulantes"));
         !rs->eof(); rs->MoveNext()) {
        SCOPED_TRACE(rs->entero(0));
        const QDate nacimiento(int(rs->entero(3)), int(rs->entero(2)), int(rs->entero(1)));
        ASSERT_TRUE(nacimiento.isValid());
        int edad = hoy.year() - nacimiento.year();
        if (QDate(hoy.year(), nacimiento.month(), 1).addDays(nacimiento.day() - 1) > hoy) --edad;
        EXPECT_GE(edad, 18);
        EXPECT_LE(edad, 70);
        postulantes.insert(rs->entero(0), {nacimiento, edad, rs->entero(4) != 0});
        // The hourly pay asked for is the monthly one over a working month (120 to 250 hours).
        const double mensual = rs->real(5), hora = rs->real(6);
        ASSERT_GT(hora, 0);
        EXPECT_GE(mensual / hora, 120) << mensual << " / " << hora;
        EXPECT_LE(mensual / hora, 250) << mensual << " / " << hora;
        // On file since some day after turning 18, and never later than now.
        const QDateTime alta =
            QDateTime::fromString(rs->texto(7), QStringLiteral("yyyyMMddHHmmss"));
        ASSERT_TRUE(alta.isValid()) << S(rs->texto(7));
        EXPECT_LE(alta, QDateTime::currentDateTime());
        EXPECT_GE(alta.date(), nacimiento.addYears(18));
        EXPECT_GE(rs->texto(8), rs->texto(7));
    }
    ASSERT_EQ(postulantes.size(), 3000);

    // No job begins or ends after this month; each ends after it began, began at
    // 16 or later, and a current one has not ended.
    int empleos = 0, actuales = 0;
    for (auto rs = d.AbrirRS(QStringLiteral(
             "select postulante, ingreso_mes, ingreso_ano, egreso_mes, egreso_ano, empleo_actual "
             "from nvx_d_experiencia"));
         !rs->eof(); rs->MoveNext()) {
        SCOPED_TRACE(rs->entero(0));
        const Postulante& p = postulantes[rs->entero(0)];
        const int ingreso = int(rs->entero(2) * 12 + rs->entero(1));
        EXPECT_LE(ingreso, mesActual);
        EXPECT_GE(rs->entero(2) - p.nacimiento.year(), 16);
        ++empleos;
        if (rs->entero(5)) {
            ++actuales;
            EXPECT_EQ(rs->entero(4), 0);
            continue;
        }
        const int egreso = int(rs->entero(4) * 12 + rs->entero(3));
        EXPECT_LE(egreso, mesActual);
        EXPECT_GE(egreso, ingreso);
    }
    EXPECT_GT(empleos, 3000);
    EXPECT_GT(actuales, 300);
    EXPECT_EQ(d.valorÚnico(QStringLiteral("select count(*) from nvx_d_formacion where ingreso > ? "
                                          "or ultimo > ? or ultimo < ingreso"),
                           {hoy.year(), hoy.year()})
                  .toInt(),
              0);
    // A degree is taken at its level, in its field and in its years; a position works in its
    // area.
    EXPECT_EQ(d.valorÚnico(QStringLiteral(
                               "select count(*) from nvx_d_formacion f "
                               "join nvx_m_titulos t on t.id = f.titulo "
                               "join nvx_m_formacion_tipos n on n.id = f.nivel "
                               "join nvx_m_formacion_areas a on a.id = f.area "
                               "join nvx_m_formacion_estados e on e.id = f.estado "
                               "where n.nombre in ('Primario', 'Secundario') "
                               "or (e.nombre = 'Completo' and f.ultimo - f.ingreso < 3) "
                               "or (e.nombre = 'Completo' and n.nombre = 'Universitario' "
                               "and f.ultimo - f.ingreso < 5) "
                               "or (t.nombre like 'Ingenier%' and n.nombre <> 'Universitario') "
                               "or (t.nombre = 'Médico/a' and a.nombre <> 'Ciencias de la salud')"))
                  .toInt(),
              0);
    EXPECT_EQ(
        d.valorÚnico(QStringLiteral("select count(*) from nvx_d_experiencia x "
                                    "join nvx_m_experiencia_puestos p on p.id = x.puesto "
                                    "join nvx_m_experiencia_areas a on a.id = x.area "
                                    "where (p.nombre = 'Contador/a' and a.nombre not in "
                                    "('Contabilidad', 'Finanzas', 'Administración')) "
                                    "or (p.nombre = 'Programador/a' and a.nombre <> 'Sistemas') "
                                    "or (p.nombre = 'Cocinero/a' and a.nombre <> 'Gastronomía') "
                                    "or (p.nombre = 'Docente' and a.nombre <> 'Educación')"))
            .toInt(),
        0);

    // Relatives' ages fit the applicant's and the relationship.
    QHash<QString, int> porNombre;
    for (auto rs = d.AbrirRS(QStringLiteral("select id, nombre from nvx_m_parentescos"));
         !rs->eof(); rs->MoveNext())
        porNombre.insert(rs->texto(1), int(rs->entero(0)));
    const auto es = [&](int parentesco, std::initializer_list<const char*> nombres) {
        for (const char* n : nombres)
            if (porNombre.value(QString::fromUtf8(n)) == parentesco) return true;
        return false;
    };
    std::set<int> vistos;
    QHash<qint64, int> hijosListados;
    for (auto rs = d.AbrirRS(QStringLiteral(
             "select postulante, parentesco, edad, vive, convive, acargo from nvx_d_familiares"));
         !rs->eof(); rs->MoveNext()) {
        const Postulante& p = postulantes[rs->entero(0)];
        const int parentesco = int(rs->entero(1)), edad = int(rs->entero(2));
        SCOPED_TRACE(QStringLiteral("postulante %1 de %2 años, parentesco %3, edad %4")
                         .arg(rs->entero(0))
                         .arg(p.edad)
                         .arg(parentesco)
                         .arg(edad)
                         .toStdString());
        vistos.insert(parentesco);
        // Older than the applicant by a generation, younger by one, or grown up.
        int mínima = 0, máxima = 100;
        if (es(parentesco,
               {"Padre", "Madre", "Padrastro", "Madrastra", "Suegro/a", "Tío/a", "Tutor/a"}))
            mínima = p.edad + 12;
        else if (es(parentesco, {"Abuelo/a"}))
            mínima = p.edad + 30;
        else if (es(parentesco, {"Hijo/a"}))
            máxima = p.edad - 14;
        else if (es(parentesco, {"Yerno", "Nuera"}))
            mínima = 18, máxima = p.edad - 14;
        else if (es(parentesco, {"Nieto/a"}))
            máxima = p.edad - 30;
        else if (es(parentesco, {"Cónyuge", "Pareja"}))
            mínima = 18;
        EXPECT_GE(edad, mínima);
        EXPECT_LE(edad, máxima);
        if (es(parentesco, {"Hijo/a"})) ++hijosListados[rs->entero(0)];
        if (!rs->entero(3)) {  // one who died neither lives with nor depends on the applicant
            EXPECT_EQ(rs->entero(4), 0);
            EXPECT_EQ(rs->entero(5), 0);
        }
    }
    for (auto it = hijosListados.cbegin(); it != hijosListados.cend(); ++it)
        EXPECT_TRUE(postulantes[it.key()].tieneHijos) << it.key();
    if (conFamilia) {
        EXPECT_GE(vistos.size(), 10u);  // the usual relatives and the odd uncle
    }
}

}  // namespace

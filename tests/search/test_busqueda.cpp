#include "Almacen.h"
#include "Apoyo.h"

#include "records/cPostulante.h"
#include "search/cBusqueda.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

TEST(CondicionSql, LosFragmentosCitanLosTextosYSóloAceptanNúmerosDonde) {
    EXPECT_EQ(cBúsqueda::condicion_sql("Apellido", "T", 1, "gar", 0),
              "(candora_plano(Apellido) LIKE '%GAR%')");
    EXPECT_EQ(cBúsqueda::condicion_sql("idioma", "L", 1, "Inglés", 3), "(idioma =  3)");
    EXPECT_EQ(cBúsqueda::condicion_sql("habla", "L", 3, "", 0), "(habla = 0)");
    EXPECT_EQ(cBúsqueda::condicion_sql("email", "T", 3, "", 0), "(email IS NULL)");
    EXPECT_EQ(cBúsqueda::condicion_sql("apellido", "T", 5, "d'ángelo", 0),
              "(candora_plano(apellido) = 'D''ANGELO')");
    EXPECT_EQ(cBúsqueda::condicion_sql("res_calle", "T", 2, "50%_a", 0),
              "(candora_plano(res_calle) NOT LIKE '%50\\%\\_A%' ESCAPE '\\')");
    EXPECT_EQ(cBúsqueda::condicion_sql("estatura", "N", 7, " 1,75 ", 0), "(estatura >= 1.75)");
    EXPECT_EQ(cBúsqueda::condicion_sql("estatura", "N", 5, "170; drop table x", 0), "");
    EXPECT_EQ(cBúsqueda::condicion_sql("estatura", "N", 1, "170", 0), "");
    EXPECT_EQ(cBúsqueda::condicion_sql("idioma", "L", 5, "", 3), "");
}

class BusquedaTest : public AlmacenAbierto {
  protected:
    void SetUp() override {
        AlmacenAbierto::SetUp();
        if (HasFatalFailure()) return;
        // Applicants whose matches are known.
        a = alta("García", "Ana", {{1, 2}, {4, 4}}, {1, 5});
        b = alta("Garcés", "Beto", {{1, 4}, {4, 2}}, {1});
        c = alta("D'Angelo", "Carla", {}, {});
        d = alta("Álvarez", "Dora", {}, {5});
        e = alta("Ruiz_Díaz", "Eva", {}, {});
        f = alta("RuizxDíaz", "Fabio", {}, {});
        inactivo = alta("Garcilaso", "Gil", {}, {1});
        dic->ejecutar(
            QStringLiteral("update nvx_m_postulantes set activo = 0, res_barrio = 3 where id = ?"),
            {inactivo});
    }
    static int alta(const char* apellido, const char* nombre,
                    std::vector<std::pair<int, int>> idiomas, std::vector<int> intereses) {
        cPostulante p;
        p.Apellido = QString::fromUtf8(apellido);
        p.Nombre = QString::fromUtf8(nombre);
        for (auto [idioma, habla] : idiomas) p.idiomas.Add(uint8_t(idioma), uint8_t(habla), 1, 1);
        for (int i : intereses) p.ÁreasInterés.Add(uint8_t(i));
        EXPECT_TRUE(p.guardar());
        return p.id;
    }
    int columna(const char* tabla, const char* nombre) {
        return dic->idcolumna(QString::fromLatin1(tabla), QString::fromLatin1(nombre));
    }
    // Runs `b` and gives the ids stored under it in RESULTADO, in id order.
    std::vector<int> resultado(cBúsqueda& búsqueda) {
        búsqueda.ejecutar();
        return guardado(búsqueda.id);
    }
    std::vector<int> guardado(int consulta) {
        std::vector<int> ids;
        for (auto rs = dic->AbrirRS(
                 QStringLiteral("select ID from RESULTADO where CONSULTA = ? order by ID"),
                 {consulta});
             !rs->eof(); rs->MoveNext())
            ids.push_back(int(rs->entero(0)));
        return ids;
    }

    InteraccionGuionada usuario;
    int a, b, c, d, e, f, inactivo;
};

TEST_P(BusquedaTest, LasFilasDeUnGrupoDebenCumplirJuntasSalvoIntereses) {
    cBúsqueda s;
    s.id = 7;
    s.colGeneral.Add("T", "Apellido", columna("nvx_m_postulantes", "apellido"), 1, "gar", 0);
    s.colIdiomas.Add("L", "Idioma", columna("nvx_d_idiomas", "idioma"), 1, "Inglés", 1);
    s.colIdiomas.Add("L", "Habla", columna("nvx_d_idiomas", "habla"), 1, "Muy bueno", 4);
    EXPECT_EQ(resultado(s), std::vector<int>{b});  // García speaks French very well, not English

    cBúsqueda intereses;
    intereses.id = 8;
    intereses.colInterés.Add("L", "Área", columna("nvx_d_interes", "area"), 1, "", 1);
    intereses.colInterés.Add("L", "Área", columna("nvx_d_interes", "area"), 1, "", 5);
    EXPECT_EQ(resultado(intereses), std::vector<int>{a});  // two different rows of one applicant

    // Running again gives the same rows and leaves other definitions alone.
    EXPECT_EQ(resultado(s), std::vector<int>{b});
    EXPECT_EQ(guardado(8), std::vector<int>{a});

    // Listed once although two interest rows match; the inactive applicant is stored but not
    // listed.
    cBúsqueda conInterés;
    conInterés.id = 9;
    conInterés.colInterés.Add("L", "Área", columna("nvx_d_interes", "area"), 4, "", 0);
    EXPECT_EQ(resultado(conInterés), (std::vector<int>{a, b, d, inactivo}));
    EXPECT_EQ(cBúsqueda::CantidadResultado(9), 3);
    auto lista = cBúsqueda::Resultado(9);
    ASSERT_EQ(lista->RecordCount(), 3);
    EXPECT_EQ(lista->texto(QStringLiteral("apellido")),
              QStringLiteral("Álvarez"));  // the A's, by the collation
    lista->MoveNext();
    EXPECT_EQ(lista->texto(QStringLiteral("apellido")), QStringLiteral("Garcés"));

    cBúsqueda vacía;
    vacía.id = 10;
    EXPECT_TRUE(resultado(vacía).empty());

    // On a server the results are the connection's own: another program does not see them.
    conInterés.ejecutar();
    Diccionario otro;
    almacén->abrir(otro);
    EXPECT_EQ(otro.valorÚnico(QStringLiteral("select count(*) from RESULTADO where CONSULTA = 8"))
                  .toInt(),
              servidor() ? 0 : 1);
}

TEST_P(BusquedaTest, LosTextosSeComparanSinMirarMayúsculasNiAcentos) {
    const int apellido = columna("nvx_m_postulantes", "apellido");
    const auto con = [&](int op, const char* valor, int columna = 0) {
        cBúsqueda s;
        s.id = 20;
        s.colGeneral.Add("T", "Dato", columna ? columna : apellido, uint8_t(op),
                         QString::fromUtf8(valor), 0);
        return resultado(s);
    };
    EXPECT_EQ(con(5, "d'angelo"), std::vector<int>{c});
    EXPECT_EQ(con(1, "'ANG"), std::vector<int>{c});
    EXPECT_EQ(con(1, "z_d"), std::vector<int>{e});  // the underscore is not a wildcard
    EXPECT_EQ(con(1, "GARCÍA"), std::vector<int>{a});
    EXPECT_EQ(con(1, "").size(), 7u);             // every applicant with a surname
    EXPECT_EQ(con(8, "b"), std::vector<int>{d});  // "Álvarez" sorts before B
    EXPECT_EQ(con(7, "b").size(), 6u);

    cBúsqueda barrio;
    barrio.id = 21;
    barrio.colGeneral.Add("L", "Barrio", columna("nvx_m_postulantes", "res_barrio"), 3, "", 0);
    EXPECT_EQ(resultado(barrio).size(), 6u);  // identifier 0, not Null

    // Typed without accents (an ñ as n), or with them, in any case.
    const int núñez = alta("Núñez", "Iñaki", {}, {});
    const int mayúsculas = alta("NUÑEZ", "Ana", {}, {});
    const int pérez = alta("Pérez", "Ana", {}, {});
    const std::vector<int> nuñez{núñez, mayúsculas};
    EXPECT_EQ(con(1, "nunez"), nuñez);
    EXPECT_EQ(con(5, "NUNEZ"), nuñez);
    EXPECT_EQ(con(5, "Nuñéz"), nuñez);
    EXPECT_EQ(con(2, "unez").size(), 8u);
    EXPECT_EQ(con(5, "perez"), std::vector<int>{pérez});
    EXPECT_EQ(con(1, "pere"), std::vector<int>{pérez});
    EXPECT_EQ(con(6, "perez").size(), 9u);
    EXPECT_EQ(con(8, "perez").size(), 8u);  // Pérez among them, with Álvarez and the N's
    EXPECT_EQ(con(7, "perez").size(), 3u);  // Pérez and the two Ruiz
    EXPECT_EQ(con(1, "inak", columna("nvx_m_postulantes", "nombre")), std::vector<int>{núñez});
}

TEST_P(BusquedaTest, UnaCondiciónImposibleSeRechazaAntesDeTocarLosResultados) {
    cBúsqueda s;
    s.id = 30;
    s.colGeneral.Add("T", "Apellido", columna("nvx_m_postulantes", "apellido"), 1, "gar", 0);
    ASSERT_EQ(resultado(s).size(), 3u);

    Condición& estatura =
        s.colGeneral.Add("N", "Estatura", columna("nvx_m_postulantes", "estatura"), 7, "alto", 0);
    try {
        s.ejecutar();
        FAIL() << "se ejecutó";
    } catch (const ErrorAlmacen& e) {
        EXPECT_TRUE(e.detalle().contains(QStringLiteral("Estatura"))) << e.detalle().toStdString();
    }
    EXPECT_EQ(guardado(30).size(), 3u);
    EXPECT_THROW(s.guardar(), ErrorAlmacen);
    estatura.Operador = 1;  // no fragment for a number
    estatura.Valor = QStringLiteral("170");
    EXPECT_THROW(s.ejecutar(), ErrorAlmacen);
    s.colGeneral.Remove(2);

    // A failure part-way through the run leaves the earlier result.
    almacén->provocarFalla(*dic, QStringLiteral("RESULTADO"), QStringLiteral("new.CONSULTA = 30"));
    EXPECT_THROW(s.ejecutar(), ErrorAlmacen);
    EXPECT_EQ(guardado(30).size(), 3u);
    EXPECT_FALSE(dic->enTransacción());

    // A column that left the dictionary is named, never run.
    s.colGeneral.Item(1).dato = QStringLiteral("Apellido");
    dic->ejecutar(QStringLiteral("delete from nvx_diccionario where id = ?"),
                  {s.colGeneral.Item(1).idcolumna});
    try {
        s.ejecutar();
        FAIL() << "se ejecutó";
    } catch (const ErrorAlmacen& e) {
        EXPECT_TRUE(e.detalle().contains(QStringLiteral("Apellido")));
    }
    EXPECT_TRUE(usuario.mensajes.empty());
}

TEST_P(BusquedaTest, LasDefinicionesSeGuardanEnterasYCadaUnoVeLasSuyasYLasPúblicas) {
    cBúsqueda s;
    s.Título = QStringLiteral("Vendedores con inglés");
    s.usuario = QStringLiteral("ana");
    s.colGeneral.Add("T", "Apellido", columna("nvx_m_postulantes", "apellido"), 1, "o'neil", 0);
    s.colIdiomas.Add("L", "Idioma", columna("nvx_d_idiomas", "idioma"), 1, "Inglés", 1);
    ASSERT_TRUE(s.guardar());
    const int id = s.id;
    ASSERT_GT(id, 0);
    EXPECT_EQ(s.fecha_alta.size(), 14);
    dic->ejecutar(
        QStringLiteral(
            "insert into nvx_d_busquedas (id, grupo, idcolumna) values (?, 7, 1), (?, 0, 1)"),
        {id, id});

    cBúsqueda l;
    l.id = id;
    ASSERT_TRUE(l.cargar());
    EXPECT_EQ(l.Título, s.Título);
    EXPECT_EQ(l.notas, QString());
    ASSERT_EQ(l.colGeneral.Count(), 1);
    EXPECT_EQ(l.colGeneral.Item(1).Valor, QStringLiteral("o'neil"));
    EXPECT_EQ(l.colGeneral.Item(1).dato, QStringLiteral("Apellido"));
    ASSERT_EQ(l.colIdiomas.Count(), 1);
    EXPECT_EQ(l.colIdiomas.Item(1).idvalor, 1);
    EXPECT_EQ(l.colFotos.Count(), 0);
    ASSERT_TRUE(l.cargar());  // loading again does not double the conditions
    EXPECT_EQ(l.colGeneral.Count(), 1);

    l.colGeneral.Clear();
    l.notas = QStringLiteral("   ");
    ASSERT_TRUE(l.guardar());
    EXPECT_EQ(l.id, id);
    EXPECT_EQ(
        dic->valorÚnico(QStringLiteral("select count(*) from nvx_d_busquedas where id = ?"), {id})
            .toInt(),
        1);
    EXPECT_TRUE(
        dic->valorÚnico(QStringLiteral("select notas from nvx_m_busquedas where id = ?"), {id})
            .isNull());

    cBúsqueda pública;
    pública.Título = QStringLiteral("De todos");
    pública.usuario = QStringLiteral("beto");
    pública.pública = 1;
    ASSERT_TRUE(pública.guardar());
    cBúsqueda privada;
    privada.Título = QStringLiteral("Sólo de Beto");
    privada.usuario = QStringLiteral("beto");
    ASSERT_TRUE(privada.guardar());
    QStringList vistas;
    for (auto rs = cBúsqueda::Visibles(QStringLiteral("ana"), QStringLiteral("Nombre")); !rs->eof();
         rs->MoveNext())
        vistas << rs->texto(QStringLiteral("nombre"));
    EXPECT_EQ(vistas,
              (QStringList{QStringLiteral("De todos"), QStringLiteral("Vendedores con inglés")}));

    cBúsqueda::Eliminar(id);
    EXPECT_FALSE(l.cargar());
    EXPECT_EQ(
        dic->valorÚnico(QStringLiteral("select count(*) from nvx_d_busquedas where id = ?"), {id})
            .toInt(),
        0);

    dic->ejecutar(QStringLiteral("delete from nvx_m_ids where tabla = 'nvx_m_busquedas'"));
    cBúsqueda sinClave;
    EXPECT_FALSE(sinClave.guardar());
    EXPECT_EQ(sinClave.id, 0);
}

TEST_P(BusquedaTest, CandoraAdminBuscaConCondicionesEscritas) {
    dic.reset();
    QProcess p;
    p.start(QStringLiteral(CANDORA_ADMIN),
            almacén->opcionesAdmin() +
                QStringList{QStringLiteral("buscar"), QStringLiteral("--condicion"),
                            QStringLiteral("nvx_m_postulantes.apellido contiene gar"),
                            QStringLiteral("--condicion"),
                            QStringLiteral("nvx_d_idiomas.idioma contiene Inglés")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()),
              QStringLiteral("%1\tGarcés\tBeto\n%2\tGarcía\tAna\n").arg(b).arg(a));
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardError()), QStringLiteral("2 postulantes\n"));

    p.start(QStringLiteral(CANDORA_ADMIN),
            almacén->opcionesAdmin() +
                QStringList{QStringLiteral("buscar"), QStringLiteral("--condicion"),
                            QStringLiteral("nvx_d_idiomas.idioma contiene Klingon")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("Klingon")));
}

EN_AMBOS_ALMACENES(BusquedaTest);

}  // namespace

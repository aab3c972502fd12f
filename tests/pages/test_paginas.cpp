#include "Apoyo.h"

#include "pages/Html.h"
#include "pages/PaginaCV.h"
#include "pages/PaginaResultados.h"
#include "records/cPostulante.h"
#include "search/cBusqueda.h"
#include "store/Diccionario.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QDateTime kAhora(QDate(2026, 12, 7), QTime(10, 30));

TEST(Plantilla, SeLlenaEnUnaPasadaYEscapaLoGuardado) {
    Plantilla p(106);
    EXPECT_EQ(p.texto(), QStringLiteral("<li>{$area}</li>\n"));  // an unfilled key stays
    p.Llenar(QStringLiteral("area"), QStringLiteral("{$area} & <b>\"x\"</b>"));
    EXPECT_EQ(p.texto(),
              QStringLiteral("<li>{$area} &amp; &lt;b&gt;&quot;x&quot;&lt;/b&gt;</li>\n"));
    EXPECT_EQ(EscaparHTMLMultilínea(QStringLiteral("a\r\nb\nc\rd")),
              QStringLiteral("a<br>\nb<br>\nc<br>\nd"));
}

TEST(EdadEnAños, CuentaAñosCumplidosYTomaElCeroComoNoDado) {
    const QDate hoy(2026, 12, 7);
    EXPECT_EQ(EdadEnAños(7, 12, 1990, hoy), 36);  // birthday today
    EXPECT_EQ(EdadEnAños(8, 12, 1990, hoy), 35);  // tomorrow
    EXPECT_EQ(EdadEnAños(31, 1, 1990, hoy), 36);
    EXPECT_EQ(EdadEnAños(0, 12, 1990, hoy), 36);  // day not given: this month counts
    EXPECT_EQ(EdadEnAños(0, 0, 1990, hoy), 36);   // year alone
    EXPECT_EQ(EdadEnAños(1, 1, 0, hoy), -1);      // no year
    EXPECT_EQ(EdadEnAños(1, 1, 2030, hoy), 0);    // after today
    EXPECT_EQ(EdadEnAños(29, 2, 2000, QDate(2025, 2, 28)), 24);
    EXPECT_EQ(EdadEnAños(29, 2, 2000, QDate(2025, 3, 1)), 25);
}

class PaginasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ruta = CopiaBaseEntregada(carpeta);
        dic = std::make_unique<Diccionario>();
        dic->abrirArchivo(ruta, false);
    }
    void TearDown() override {
        dic.reset();
        QLocale::setDefault(QLocale::c());
    }

    // An applicant with every part filled and the awkward values the page must show right.
    cPostulante completo() {
        cPostulante p;
        p.Dni_País = 1;
        p.Dni_Número = QStringLiteral("01234567");
        p.Apellido = QStringLiteral("{$id}<script>");
        p.Nombre = QStringLiteral("Ana & \"Bea\"");
        p.Apellido_Materno = QStringLiteral("Núñez");
        p.Sexo = 1;
        p.estado_civil = 2;
        p.tiene_hijos = 1;
        p.Nac_Día = 8;
        p.Nac_Mes = 12;
        p.nac_año = 1990;
        p.nac_provincia = 2;
        p.nac_país = 1;
        p.nacionalidad = 1;
        p.Tel1_tipo = 1;
        p.Tel1_numero = QStringLiteral("11 5555-0000");
        p.Tel2_tipo = 3;  // no number: no type shown
        p.email = QStringLiteral("ana@example.com");
        p.conocimientos = QStringLiteral("SAP\nExcel");
        p.Observaciones = QStringLiteral("Primera línea\nSegunda");
        p.remun_mes = 1560000;
        p.MonedaMes = 1;
        p.Remun_hora = 1915.25f;
        p.MonedaHora = 2;
        p.Obra_social = 1;
        p.Viajar = 2;   // only 1 reads "Sí"
        p.Emigrar = 2;  // anything but 0 reads "Sí"
        p.Formsec_orientacion = 1;
        p.Formsec_estado = 2;
        p.familiares.Add(3, 4, true, QStringLiteral("Leo"), true, false, {}, {});
        p.formación.Add(4, {}, 3, 10, 5, 2015, 2020, 7.25f, 1, {}).AñosCompletos = 1;
        p.idiomas.Add(1, 4, 3, 2);
        p.Experiencia.Add(4, 2, {}, 1, 8, 2014, 0, 0, 1, QStringLiteral("Ventas"), 0, 0,
                          QStringLiteral("250000"), {});
        p.Experiencia.Add(1, 1, {}, 1, 3, 2010, 7, 2014, 0, {}, 0, 1, QStringLiteral("0"), {});
        p.ÁreasInterés.Add(2);
        QDir(carpeta.path()).mkpath(QStringLiteral("mis fotos"));
        const QString foto = carpeta.filePath(QStringLiteral("mis fotos/a#1.png"));
        QFile(foto).open(QIODevice::WriteOnly);
        p.Fotos.Add(QStringLiteral("Sin archivo"), carpeta.filePath(QStringLiteral("no.png")));
        p.Fotos.Add(QStringLiteral("Foto \"oficial\""), foto);
        EXPECT_TRUE(p.guardar());
        EXPECT_EQ(p.cargar(), 1);
        return p;
    }

    QTemporaryDir carpeta;
    QString ruta;
    InteraccionGuionada usuario;
};

TEST_F(PaginasTest, ElCurrículumMuestraCadaValorComoCorresponde) {
    const cPostulante p = completo();
    const QString h = PáginaCV(*dic, p, QStringLiteral("ana"), kAhora);

    EXPECT_FALSE(h.contains(QRegularExpression(QStringLiteral("\\{\\$(?!id\\})")))) << S(h);
    EXPECT_TRUE(h.contains(QStringLiteral("charset=utf-8")));
    // Stored texts are escaped wherever they land, and never taken for keys.
    EXPECT_TRUE(
        h.contains(QStringLiteral("<title>{$id}&lt;script&gt; Ana &amp; &quot;Bea&quot;</title>")));
    EXPECT_FALSE(h.contains(QStringLiteral("<script>")));
    // The first photo whose file is there.
    EXPECT_TRUE(h.contains(QStringLiteral("<img src=\"%1/mis%20fotos/a%231.png\" "
                                          "alt=\"Foto &quot;oficial&quot;\" height=\"200\">")
                               .arg(QUrl::fromLocalFile(carpeta.path()).toString())))
        << S(h);
    EXPECT_TRUE(h.contains(QStringLiteral("Primera línea<br>\nSegunda")));
    EXPECT_TRUE(h.contains(QStringLiteral("SAP<br>\nExcel")));
    // The document keeps its leading zero; names come from the lookup lists.
    EXPECT_TRUE(h.contains(QStringLiteral("01234567 de Argentina")));
    EXPECT_TRUE(h.contains(QStringLiteral("Casado/a (con hijos)")));
    // Dates, numbers and amounts as an Argentine reader writes them, whatever the system's locale.
    EXPECT_TRUE(h.contains(QStringLiteral(">8 dic 1990 (35 años)<")));  // birthday tomorrow
    EXPECT_TRUE(h.contains(QStringLiteral("Tel&eacute;fono Celular:")));
    EXPECT_EQ(h.count(QStringLiteral("Tel&eacute;fono")), 1);  // no line for a slot without number
    EXPECT_TRUE(
        h.contains(QStringLiteral("pretendida: $ 1.560.000 mensuales (Peso argentino) o "
                                  "U$S 1.915,25 por hora (Dólar estadounidense)<")));
    EXPECT_TRUE(h.contains(QStringLiteral("Promedio: 7,25")));
    EXPECT_TRUE(h.contains(QStringLiteral("obra social?: Sí")));
    EXPECT_TRUE(h.contains(QStringLiteral("tiques almuerzo/supermercado?: No")));
    EXPECT_TRUE(h.contains(QStringLiteral("viajes de trabajo?: No")));
    EXPECT_TRUE(h.contains(QStringLiteral("otra ciudad?: Sí")));
    // Entries.
    EXPECT_TRUE(h.contains(QStringLiteral("Hijo/a: Leo (4) - a cargo\n")));
    EXPECT_TRUE(h.contains(QStringLiteral("(Administración) <b>En curso</b>")));
    EXPECT_TRUE(
        h.contains(QStringLiteral("<br>\n2015 – 2020<br>\n10 materias aprobadas, "
                                  "5 materias restantes<br>\n1 año completo<br>")));
    EXPECT_TRUE(
        h.contains(QStringLiteral("Inglés: habla Muy bueno - lee Bueno - escribe Intermedio")));
    EXPECT_TRUE(h.contains(QStringLiteral("ago 2014 – actual: <b>Analista</b> (Comercial)")));
    EXPECT_TRUE(h.contains(QStringLiteral("Remuneraci&oacute;n neta: $ 250.000 mensuales<")));
    EXPECT_TRUE(h.contains(QStringLiteral("mar 2010 – jul 2014: <b>Administrativo/a</b>")));
    EXPECT_TRUE(h.contains(QStringLiteral("<li>Atención al cliente</li>")));
    EXPECT_FALSE(h.contains(QStringLiteral("Sin datos.")));
    EXPECT_TRUE(
        h.contains(QStringLiteral("Fecha y hora de emisi&oacute;n: 7 dic 2026 10:30 por ana")));
    EXPECT_TRUE(h.contains(QStringLiteral("Candora: ") + QString::number(p.id) + u'<'));
}

// What is not known is left out or said, never shown as stray separators or zeros.
TEST_F(PaginasTest, UnPostulanteConPocosDatosSeLeeSinHuecos) {
    cPostulante p;
    p.Apellido = QStringLiteral("Solo");
    p.Nombre = QStringLiteral("Ana");
    p.Dni_País = 1;
    p.Dni_Número = QStringLiteral("40111222");
    p.Sexo = 250;  // no such item
    p.MonedaMes = 9;
    p.res_calle = QStringLiteral("Mitre 120");
    p.res_cp = QStringLiteral("2000");
    p.familiares.Add(3, 4, false, QStringLiteral("Lourdes"), true, false, {}, {});
    p.Experiencia.Add(1, 1, {}, 0, 0, 2015, 0, 0, 0, {}, 0, 0, {}, {});
    p.Experiencia.Add(1, 2, {}, 0, 0, 2018, 0, 0, 1, {}, 0, 0, QStringLiteral("0"), {});
    p.Fotos.Add(QStringLiteral("Perdida"), carpeta.filePath(QStringLiteral("no-esta.jpg")));
    ASSERT_TRUE(p.guardar());
    ASSERT_EQ(p.cargar(), 1);
    const QString h = PáginaCV(*dic, p, {}, kAhora);

    EXPECT_TRUE(h.contains(QStringLiteral(">40111222 de Argentina<")));
    EXPECT_TRUE(h.contains(QStringLiteral("Hijo/a: Lourdes (4)\n")));
    EXPECT_TRUE(h.contains(QStringLiteral("<li>\ndesde 2015: <b>Administrativo/a</b>")));
    EXPECT_TRUE(h.contains(QStringLiteral("<li>\n2018 – actual: <b>Analista</b>")));
    EXPECT_TRUE(h.contains(QStringLiteral("Mitre 120<br>\nCP 2000<br>")));
    EXPECT_TRUE(h.contains(QStringLiteral("pretendida: sin datos<")));
    EXPECT_EQ(h.count(QStringLiteral(">sin datos<")), 2);  // birth date and place
    EXPECT_EQ(h.count(QStringLiteral("Sin datos.")), 3);   // degrees, languages, interests
    for (const char* hueco : {"<img",
                              "()",
                              "( )",
                              "(0",
                              "/0",
                              " 0 ",
                              "- ,",
                              ",,",
                              "$ .-",
                              ".-",
                              "a&ntilde;os)",
                              "n/a",
                              "Tel&eacute;fono",
                              "Email",
                              "Sexo",
                              "Egreso por",
                              "Estatura",
                              "Medidas",
                              "Fecha de ingreso: <",
                              "A: "})
        EXPECT_FALSE(h.contains(QString::fromUtf8(hueco))) << hueco;
}

class ResultadosTest : public PaginasTest {
  protected:
    // `n` applicants "Apellido001".. with one degree and two jobs each, all in definition 7's
    // result.
    void resultado(int n) {
        for (int i = 1; i <= n; ++i) {
            cPostulante p;
            p.Apellido = QStringLiteral("Apellido%1").arg(n + 1 - i, 3, 10, QChar(u'0'));
            p.Nombre = QStringLiteral("Nombre");
            p.nac_año = 1990;
            ASSERT_TRUE(p.guardar());
            dic->ejecutar(QStringLiteral("insert into RESULTADO (CONSULTA, ID) values (7, ?)"),
                          {p.id});
        }
    }
};

TEST_F(ResultadosTest, PáginasDeVeinteConSusBotones) {
    resultado(21);
    cResultado r;
    ASSERT_EQ(r.cargar(7, QStringLiteral("Ventas & <más>")), 21);
    const PáginaResultados p1 = r.página(1);
    EXPECT_EQ(p1.html.count(QStringLiteral("<a href=\"post")), 20);
    EXPECT_TRUE(p1.html.contains(QStringLiteral("<title>Ventas &amp; &lt;más&gt;</title>")));
    EXPECT_TRUE(p1.html.contains(QStringLiteral("Registros encontrados: <b>21</b>")));
    EXPECT_TRUE(p1.html.contains(QStringLiteral("Mostrando <b>1</b> - <b>20</b>")));
    EXPECT_EQ(p1.anteriores, 0);
    EXPECT_EQ(p1.siguientes, 21);
    // Surname order, whatever the order of entry.
    EXPECT_LT(p1.html.indexOf(QStringLiteral("Apellido001")),
              p1.html.indexOf(QStringLiteral("Apellido002")));
    EXPECT_FALSE(p1.html.contains(QStringLiteral("Apellido021")));

    const PáginaResultados p2 = r.página(21);
    EXPECT_EQ(p2.html.count(QStringLiteral("<a href=\"post")), 1);
    EXPECT_TRUE(p2.html.contains(QStringLiteral("Apellido021, Nombre (36)</a>")));
    EXPECT_TRUE(p2.html.contains(QStringLiteral("Mostrando <b>21</b> - <b>21</b>")));
    EXPECT_EQ(p2.anteriores, 1);
    EXPECT_EQ(p2.siguientes, 0);

    // An applicant deleted after the result was read is left out, not a crash.
    dic->ejecutar(QStringLiteral("delete from nvx_m_postulantes where id = ?"), {r.Id(21)});
    EXPECT_EQ(r.página(21).html.count(QStringLiteral("<a href=\"post")), 0);
}

TEST_F(ResultadosTest, VeinteJustosOVacíoNoMuestranPaginado) {
    resultado(20);
    cResultado r;
    ASSERT_EQ(r.cargar(7, QStringLiteral("T")), 20);
    PáginaResultados p = r.página(1);
    EXPECT_EQ(p.html.count(QStringLiteral("<a href=\"post")), 20);
    EXPECT_FALSE(p.html.contains(QStringLiteral("Mostrando")));
    EXPECT_EQ(p.anteriores + p.siguientes, 0);

    ASSERT_EQ(r.cargar(8, QStringLiteral("Nada")), 0);
    p = r.página(1);
    EXPECT_TRUE(p.html.contains(QStringLiteral("Registros encontrados: <b>0</b>")));
    EXPECT_FALSE(p.html.contains(QStringLiteral("<a href")));
    EXPECT_EQ(p.anteriores + p.siguientes, 0);
}

TEST_F(ResultadosTest, CadaEntradaLeeSusNombresPorIdentificador) {
    cPostulante p;
    p.Apellido = QStringLiteral("O'Brien");
    p.Nombre = QStringLiteral("<Ana>");
    p.Dni_País = 1;
    p.Dni_Número = QStringLiteral("007");
    p.Nac_Día = 8;
    p.Nac_Mes = 12;
    p.nac_año = 1990;
    p.conocimientos = QString(200, u'x');
    p.remun_mes = 1500;
    p.MonedaMes = 3;
    p.formación.Add(4, {}, 3, 0, 0, 0, 0, 0, 1, {});
    p.Experiencia.Add(1, 2, {}, 0, 1, 2019, 2, 2020, 0, {}, 0, 0, {}, {});
    p.Experiencia.Add(1, 4, {}, 0, 5, 2021, 0, 0, 1, {}, 0, 0, {}, {});
    p.Experiencia.Add(1, 1, {}, 0, 3, 2010, 7, 2014, 0, {}, 0, 0, {}, {});
    ASSERT_TRUE(p.guardar());
    cPostulante q;
    q.Apellido = QStringLiteral("Pérez");
    q.conocimientos = QString(201, u'y');
    q.Remun_hora = 7.5f;
    q.MonedaHora = 2;
    q.Experiencia.Add(1, 1, {}, 0, 0, 2015, 0, 0, 0, {}, 0, 0, {}, {});
    ASSERT_TRUE(q.guardar());
    cPostulante inactivo;
    inactivo.Apellido = QStringLiteral("Inactivo");
    ASSERT_TRUE(inactivo.guardar());
    dic->ejecutar(QStringLiteral("update nvx_m_postulantes set activo = 0 where id = ?"),
                  {inactivo.id});
    for (int id : {p.id, q.id, inactivo.id})
        dic->ejecutar(QStringLiteral("insert into RESULTADO (CONSULTA, ID) values (3, ?)"), {id});
    // Ids no longer 1..n in read order: names must still go by id.
    dic->ejecutar(QStringLiteral("delete from nvx_m_monedas where id = 1"));
    dic->ejecutar(QStringLiteral("delete from nvx_m_formacion_estados where id = 1"));

    cResultado r;
    ASSERT_EQ(r.cargar(3, QStringLiteral("T")), 2);
    const QString h = r.página(1, 20, kAhora).html;
    EXPECT_TRUE(h.contains(QStringLiteral("<a href=\"post%1\">O'Brien, &lt;Ana&gt; (35)</a><br>\n"
                                          "documento 007 de Argentina\n<ul>")
                               .arg(p.id)))
        << S(h);
    // "Fecha de emisión" in Argentine form, and no text smaller than the program's own.
    EXPECT_TRUE(h.contains(QStringLiteral("Fecha de emisi&oacute;n: 7 dic 2026 10:30<")));
    EXPECT_FALSE(h.contains(QStringLiteral("size=1")) || h.contains(QStringLiteral("size=2")));
    // Unknown title and institution leave no empty brackets.
    EXPECT_TRUE(h.contains(QStringLiteral(">Administración: En curso Posgrado<")));
    // Jobs by end date; no employer, no prefix.
    EXPECT_TRUE(h.contains(
        QStringLiteral(">Administrativo/a (mar 2010 – jul 2014)</font></li>\n"
                       "<li><font color=\"#006600\">Analista (ene 2019 – feb 2020)</font></li>\n"
                       "<li><font color=\"#006600\">Asistente (may 2021 – actual)")));
    EXPECT_TRUE(h.contains(QStringLiteral(">Administrativo/a (desde 2015)<")));
    EXPECT_TRUE(h.contains(QStringLiteral("<i>") + QString(200, u'x') + QStringLiteral("</i>")));
    EXPECT_TRUE(h.contains(QStringLiteral("<i>") + QString(200, u'y') + QStringLiteral("...</i>")));
    EXPECT_TRUE(h.contains(QStringLiteral("<li>€ 1.500 mensuales (Euro)</li>")));
    EXPECT_TRUE(h.contains(QStringLiteral("<li>U$S 7,50 por hora (Dólar estadounidense)</li>")));
    EXPECT_TRUE(h.contains(QStringLiteral("Pérez</a><br>\n<ul>")));  // no age, no document
    EXPECT_FALSE(h.contains(QStringLiteral("Inactivo")));
}

TEST_F(ResultadosTest, CandoraAdminEscribeElCurrículumYLasPáginas) {
    resultado(21);
    cBúsqueda b;
    b.Título = QStringLiteral("Apellidos");
    b.AgregarCondición(QStringLiteral("nvx_m_postulantes.apellido contiene apellido"));
    ASSERT_TRUE(b.guardar());
    cPostulante p = completo();
    dic.reset();

    const QString cv = carpeta.filePath(QStringLiteral("cv.htm"));
    SalidaAdmin s = CorrerAdmin({QStringLiteral("--base"), ruta, QStringLiteral("cv"),
                                 QString::number(p.id), QStringLiteral("--salida"), cv});
    ASSERT_EQ(s.código, 0) << S(s.errores);
    QFile f(cv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(f.readAll()).contains(QStringLiteral("Peso argentino")));
    s = CorrerAdmin(
        {QStringLiteral("--base"), ruta, QStringLiteral("cv"), QStringLiteral("99999")});
    EXPECT_EQ(s.código, 1);
    EXPECT_TRUE(s.errores.contains(QStringLiteral("No existe el postulante número 99999")));

    const QString id = QString::number(b.id);
    s = CorrerAdmin({QStringLiteral("--base"), ruta, QStringLiteral("resultados"), id,
                     QStringLiteral("--pagina"), QStringLiteral("2")});
    ASSERT_EQ(s.código, 0) << S(s.errores);
    EXPECT_TRUE(s.salida.contains(QStringLiteral("Mostrando <b>21</b> - <b>21</b>")));
    EXPECT_TRUE(s.salida.contains(QStringLiteral("Apellido021")));
    EXPECT_EQ(s.errores, QStringLiteral("21 postulantes, página 2 de 2\n"));
    s = CorrerAdmin({QStringLiteral("--base"), ruta, QStringLiteral("resultados"), id,
                     QStringLiteral("--pagina"), QStringLiteral("3")});
    EXPECT_EQ(s.código, 1);
    EXPECT_TRUE(s.salida.isEmpty());
    s = CorrerAdmin({QStringLiteral("--base"), ruta, QStringLiteral("resultados"), id,
                     QStringLiteral("--pagina")});
    EXPECT_EQ(s.código, 2);
}

// A full disk: a page is never called written when it is not, and none is left cut.
TEST_F(ResultadosTest, EnUnDiscoLlenoCandoraAdminFallaSinDejarPáginasCortadas) {
    DiscoLleno disco;
    if (!disco.montado()) GTEST_SKIP() << "no se pudo montar un tmpfs (hace falta ser root)";
    resultado(21);
    cBúsqueda b;
    b.Título = QStringLiteral("Apellidos");
    b.AgregarCondición(QStringLiteral("nvx_m_postulantes.apellido contiene apellido"));
    ASSERT_TRUE(b.guardar());
    const QString id = QString::number(completo().id);
    // Pages larger than the room left: the disk takes part of them and refuses the rest.
    dic->ejecutar(QStringLiteral("update nvx_m_postulantes set conocimientos = ?"),
                  {QString(200, u'x')});
    dic.reset();
    QFile previo(disco.ruta(QStringLiteral("cv.htm")));
    ASSERT_TRUE(previo.open(QIODevice::WriteOnly));
    previo.write("previo");
    previo.close();
    disco.llenar();

    for (const QStringList& orden :
         {QStringList{QStringLiteral("cv"), id, QStringLiteral("--salida"), previo.fileName()},
          QStringList{QStringLiteral("cv"), id, QStringLiteral("--salida"),
                      disco.ruta(QStringLiteral("nuevo.htm"))},
          QStringList{QStringLiteral("resultados"), QString::number(b.id),
                      QStringLiteral("--salida"), disco.ruta(QStringLiteral("r.htm"))}}) {
        const SalidaAdmin s = CorrerAdmin(QStringList{QStringLiteral("--base"), ruta} + orden);
        EXPECT_EQ(s.código, 1) << S(orden.join(u' '));
        EXPECT_TRUE(s.errores.contains(QStringLiteral("el disco está lleno. Libere espacio")))
            << S(s.errores);
    }
    EXPECT_EQ(disco.archivos(), QStringList{QStringLiteral("cv.htm")});
    ASSERT_TRUE(previo.open(QIODevice::ReadOnly));
    EXPECT_EQ(previo.readAll(), "previo");

    // The standard output on a full device.
    const SalidaAdmin s = CorrerAdminHacia(
        {QStringLiteral("--base"), ruta, QStringLiteral("cv"), id}, QStringLiteral("/dev/full"));
    EXPECT_EQ(s.código, 1);
    EXPECT_TRUE(
        s.errores.contains(QStringLiteral("No se pudo escribir la salida: el disco está lleno")))
        << S(s.errores);
}

}  // namespace

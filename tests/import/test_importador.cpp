#include "Almacen.h"
#include "Apoyo.h"

#include "import/Intercambio.h"
#include "import/cImportador.h"
#include "store/Diccionario.h"

#include <QFile>
#include <QLocale>
#include <QProcess>

#include <csignal>

#include <gtest/gtest.h>

namespace {

// A staged applicant line: document, names, and the rest of the 57 columns.
QString Postulante(const QString& doc, const QString& apellido,
                   const QString& localidad = QStringLiteral("\"\""),
                   const QString& intereses = QStringLiteral("3,0,5")) {
    QStringList v{QStringLiteral("1"),
                  doc,
                  QStringLiteral("\"Ana  María\""),
                  apellido,
                  QStringLiteral("\"\""),
                  QStringLiteral("1"),
                  QStringLiteral("2"),
                  QStringLiteral("3"),
                  QStringLiteral("1990"),
                  localidad};
    while (v.size() < 54) v << QStringLiteral("0");
    v[52] = QStringLiteral("\"Aviso 7\"");
    v[53] = QStringLiteral("\"20261201\"");
    return v.join(u',') + u',' + intereses;
}

class ImportadorTest : public AmbosAlmacenes {
  protected:
    void SetUp() override {
        AmbosAlmacenes::SetUp();
        if (HasFatalFailure()) return;
        dic = std::make_unique<Diccionario>();
        almacén->abrir(*dic);
    }

    // Writes an exchange file as Windows programs do (windows-1252, CR LF).
    QString archivo(const QStringList& líneas, const char* nombre = "datos.nvx") {
        const QString r = carpeta.filePath(QString::fromLatin1(nombre));
        QFile f(r);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        for (const QString& l : líneas) f.write(AWindows1252(l) + "\r\n");
        return r;
    }
    QStringList conEncabezado(const QStringList& datos) {
        return QStringList{QStringLiteral("[norvexa]"), QStringLiteral("[postulantes]"),
                           QStringLiteral("1,2,3"), QString()} +
               datos;
    }
    int importar(const QString& r, cImportador& imp) {
        imp.Archivo = r;
        return imp.leer_intercambio();
    }
    std::string últimoMensaje() const {
        return usuario.mensajes.empty() ? std::string() : S(usuario.mensajes.back().texto);
    }
    qint64 n(const QString& sql, const QVariantList& v = {}) {
        return dic->valorÚnico(sql, v).toLongLong();
    }
    QString t(const QString& sql, const QVariantList& v = {}) {
        return dic->valorÚnico(sql, v).toString();
    }
    // The first column of every row, joined.
    QString unidos(const QString& sql, const QVariantList& v = {},
                   const QString& separador = QStringLiteral(",")) {
        return Unidos(*dic, sql, v, separador);
    }

    QTemporaryDir carpeta;
    InteraccionGuionada usuario;
};

TEST_P(ImportadorTest, ElLectorRespetaMarcaEncabezadosSeccionesYFinDeDatos) {
    for (const char* marca : {"[NORVEXA]", " [norvexa]", "[norvexa] "}) {
        cImportador imp;
        EXPECT_EQ(importar(archivo(conEncabezado({QStringLiteral("[postulantes]"),
                                                  Postulante("\"1\"", "\"Pérez\"")})
                                       .replaceInStrings(QStringLiteral("[norvexa]"),
                                                         QString::fromLatin1(marca))),
                           imp),
                  1);
        EXPECT_TRUE(usuario.mensajes.back().texto.startsWith(
            QStringLiteral("El archivo de intercambio no tiene un "
                           "formato válido.")));
    }
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes")), 0);

    cImportador imp;
    imp.Archivo = archivo(
        conEncabezado({QStringLiteral("[postulantes]"), Postulante("\"10\"", "\"D'Angelo\""),
                       Postulante("\"10\"", "\"D'Angelo\""), QStringLiteral("[eof]"),
                       Postulante("\"11\"", "\"Ignorado\""), QStringLiteral("[idiomas]"),
                       QStringLiteral("1,\"10\",1,2,3,4"), QString(), QStringLiteral("[idiomas]"),
                       QStringLiteral("1,\"10\",5,5,5,5")}));
    ASSERT_TRUE(imp.preparar());
    EXPECT_EQ(n(QStringLiteral("select count(*) from imp_postulantes")),
              2);  // duplicates stay duplicates
    EXPECT_EQ(n(QStringLiteral("select count(*) from imp_postulantes where apellido = 'Ignorado'")),
              0);
    EXPECT_EQ(n(QStringLiteral("select count(*) from imp_idiomas")),
              1);  // nothing after the empty line
    EXPECT_EQ(t(QStringLiteral("select nombre from imp_postulantes")), QStringLiteral("Ana María"));
    EXPECT_TRUE(
        dic->valorÚnico(QStringLiteral("select apellido_materno from imp_postulantes")).isNull());

    cImportador vacío;
    EXPECT_EQ(importar(archivo(conEncabezado({})), vacío), 0);
    EXPECT_EQ(usuario.mensajes.back().texto,
              QStringLiteral("No hay nada que importar. El archivo de intercambio está vacío."));
    cImportador nada;
    EXPECT_EQ(importar(archivo({}), nada), 1);
    EXPECT_EQ(usuario.mensajes.back().texto,
              QStringLiteral("No se encontraron datos para actualizar."));
}

TEST_P(ImportadorTest, UnaLíneaQueNoEsUnaListaDeValoresDetieneTodoAntesDeFusionar) {
    const QString buena = Postulante("\"20\"", "\"Gómez\"");
    struct Caso {
        QStringList líneas;
        int línea;
        const char* motivo;
    };
    dic->ejecutar(QStringLiteral("create table x (a integer)"));
    const std::vector<Caso> casos{
        {conEncabezado({QStringLiteral("[postulantes]"), buena, buena + QStringLiteral(",7")}), 7,
         "valores"},
        {conEncabezado({QStringLiteral("[postulantes]"), buena,
                        QStringLiteral("1,\"20\"); drop table x; --")}),
         7, "coma"},
        {conEncabezado({buena}), 5, "encabezado de sección"},
        {conEncabezado({QStringLiteral("[idiomas]"), QStringLiteral("null,\"20\",1,1,1,1")}), 6,
         "país"},
        {conEncabezado({QStringLiteral("[idiomas]"), QStringLiteral("1,\"20,1,1,1,1")}), 6,
         "comillas"},
        {{QStringLiteral("[norvexa]"), QStringLiteral("a")}, 2, "encabezado"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.motivo);
        cImportador imp;
        EXPECT_EQ(importar(archivo(c.líneas), imp), 1);
        ASSERT_FALSE(usuario.mensajes.empty());
        EXPECT_TRUE(
            usuario.mensajes.back().texto.contains(QStringLiteral("línea %1 ").arg(c.línea)))
            << usuario.mensajes.back().texto.toStdString();
        EXPECT_TRUE(usuario.mensajes.back().texto.contains(QString::fromUtf8(c.motivo)))
            << usuario.mensajes.back().texto.toStdString();
        EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes")), 0);
        EXPECT_EQ(n(QStringLiteral("select count(*) from imp_postulantes")), 0);
    }
    EXPECT_GT(dic->ColumnasTabla(QStringLiteral("x")), 0);  // the injected drop never ran
}

TEST_P(ImportadorTest, LaFusiónCreaActualizaYNoDuplicaAlReimportar) {
    QLocale::setDefault(QLocale(QLocale::German));  // a locale that writes 7,5
    const QStringList líneas = conEncabezado(
        {QStringLiteral("[postulantes]"),
         Postulante("\" 30 \"", "\"D'Angelo\"", "\"Villa  Nueva del Sur\""),
         Postulante("\"31\"", "\"\""),
         Postulante("\"32\"", "\"Ruiz\"", "\"villa nueva del sur\"", "0,0,0"),
         Postulante("\"32\"", "\"Ruiz Díaz\""), QStringLiteral("[formacion]"),
         QStringLiteral("1,\"30\",4,2,\"Contador Público\",\"Universidad de "
                        "O'Higgins\",1,30,0,7.5,2000,2005,5"),
         QStringLiteral("1,\"30\",4,2,\"3\",\"\",1,30,0,-1.25,2000,2005,5"),
         QStringLiteral("[experiencia]"),
         QStringLiteral("1,\"30\",1,2,\"Transportes O'Brien\",\"Logística\",\"Reparto y "
                        "cobranza\",1,2010,0,0,1,0,0,"
                        "150000"),
         QStringLiteral("1,\"31\",1,2,\"X\",\"Y\",\"Z\",1,2010,0,0,1,0,0,null"),
         QStringLiteral("[idiomas]"), QStringLiteral("1,\"32\",1,2,3,4")});
    const QString r = archivo(líneas);
    cImportador imp;
    int total = 0, avances = 0;
    imp.alEmpezar = [&](int t) { total = t; };
    imp.alAvanzar = [&] { ++avances; };
    ASSERT_EQ(importar(r, imp), 0) << últimoMensaje();
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(total, 4);
    EXPECT_EQ(avances, 4);
    EXPECT_EQ(imp.Cnt_Postulantes, 2);
    EXPECT_EQ(imp.cnt_Actualizados, 1);  // the second line of document 32
    EXPECT_EQ(imp.Cnt_Vacíos, 1);

    const int a =
        int(n(QStringLiteral("select id from nvx_m_postulantes where dni_numero = '30'")));
    ASSERT_GT(a, 0);
    EXPECT_EQ(t(QStringLiteral("select apellido from nvx_m_postulantes where id = ?"), {a}),
              QStringLiteral("D'Angelo"));
    EXPECT_EQ(t(QStringLiteral("select fecha_ingreso from nvx_m_postulantes where id = ?"), {a}),
              QStringLiteral("20261201"));
    EXPECT_EQ(t(QStringLiteral(
                    "select nombre from nvx_m_localidades where id = (select nac_localidad from "
                    "nvx_m_postulantes where id = ?)"),
                {a}),
              QStringLiteral("Villa Nueva del Sur"));
    EXPECT_EQ(n(QStringLiteral(
                  "select count(*) from nvx_m_localidades where nombre = 'Villa Nueva del Sur'")),
              1);
    EXPECT_EQ(unidos(QStringLiteral("select promedio from nvx_d_formacion where postulante = ? "
                                    "order by rowid"),
                     {a}, QStringLiteral(" ")),
              QStringLiteral("7.5 -1.25"));
    EXPECT_EQ(
        unidos(QStringLiteral("select t.nombre from nvx_d_formacion f join nvx_m_titulos t on "
                              "t.id = f.titulo where postulante = ? order by f.rowid"),
               {a}, QStringLiteral("|")),
        QStringLiteral("Contador Público|") +
            t(QStringLiteral("select nombre from nvx_m_titulos where id = 3")));
    EXPECT_EQ(
        t(QStringLiteral("select actividades from nvx_d_experiencia where postulante = ?"), {a}),
        QStringLiteral("Reparto y cobranza"));
    EXPECT_EQ(
        t(QStringLiteral(
              "select nombre from nvx_m_empleadores_rubros where id = (select empleador_rubro "
              "from nvx_d_experiencia where postulante = ?)"),
          {a}),
        QStringLiteral("Logística"));
    EXPECT_EQ(
        unidos(QStringLiteral("select area from nvx_d_interes where postulante = ? order by rowid"),
               {a}),
        QStringLiteral("3,5"));
    const int ruiz =
        int(n(QStringLiteral("select id from nvx_m_postulantes where dni_numero = '32'")));
    EXPECT_EQ(t(QStringLiteral("select apellido from nvx_m_postulantes where id = ?"), {ruiz}),
              QStringLiteral("Ruiz Díaz"));
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_d_idiomas where postulante = ?"), {ruiz}),
              1);
    // The applicant without surname is not merged and its rows stay staged.
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes where dni_numero = '31'")),
              0);
    EXPECT_EQ(n(QStringLiteral("select count(*) from imp_experiencia where doc_numero = '31'")), 1);

    // The same file again: every applicant updated, no detail row doubled.
    const QString antes = VolcadoPostulante(*dic, a);
    cImportador otra;
    ASSERT_EQ(importar(r, otra), 0) << últimoMensaje();
    EXPECT_EQ(otra.Cnt_Postulantes, 0);
    EXPECT_EQ(otra.cnt_Actualizados, 3);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_d_formacion")), 2);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_d_interes")), 4);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_d_idiomas")), 1);
    QString después = VolcadoPostulante(*dic, a);
    EXPECT_EQ(después.section(u'\n', 1), antes.section(u'\n', 1));  // every detail row as it was
}

TEST_P(ImportadorTest, UnPostulanteQueFallaSeDeshaceSoloYDetieneLaImportación) {
    almacén->provocarFalla(*dic, QStringLiteral("nvx_d_idiomas"), QStringLiteral("new.idioma = 9"));
    cImportador imp;
    EXPECT_EQ(importar(archivo(conEncabezado(
                           {QStringLiteral("[postulantes]"), Postulante("\"40\"", "\"Uno\""),
                            Postulante("\"41\"", "\"Dos\""), Postulante("\"42\"", "\"Tres\""),
                            QStringLiteral("[idiomas]"), QStringLiteral("1,\"41\",9,1,1,1")})),
                       imp),
              1);
    EXPECT_EQ(imp.Cnt_Postulantes, 1);
    EXPECT_TRUE(usuario.mensajes.back().texto.contains(QStringLiteral("1 41")))
        << usuario.mensajes.back().texto.toStdString();
    EXPECT_EQ(unidos(QStringLiteral("select apellido from nvx_m_postulantes order by id")),
              QStringLiteral("Uno"));
    EXPECT_EQ(n(QStringLiteral("select count(*) from imp_postulantes")),
              2);  // still staged for a new run
    EXPECT_FALSE(dic->enTransacción());

    // A counter behind the data stops the run instead of touching a live applicant.
    almacén->quitarFalla(*dic, QStringLiteral("nvx_d_idiomas"));
    dic->ejecutar(
        QStringLiteral("update nvx_m_ids set ultimo_id = 0 where tabla = 'nvx_m_postulantes'"));
    cImportador atrasado;
    EXPECT_EQ(importar(archivo(conEncabezado(
                           {QStringLiteral("[postulantes]"), Postulante("\"43\"", "\"Cuatro\"")})),
                       atrasado),
              1);
    EXPECT_EQ(unidos(QStringLiteral("select apellido from nvx_m_postulantes order by id")),
              QStringLiteral("Uno"));
}

using ImportadorProceso = AmbosAlmacenes;

TEST_P(ImportadorProceso, UnProcesoMatadoAMitadDejaLaBaseEnteraYCadaPostulanteCompletoONada) {
    QTemporaryDir carpeta;
    InteraccionGuionada usuario;
    const QString nvx = carpeta.filePath(QStringLiteral("grande.nvx"));
    EscribirIntercambio(nvx, 4000, 9);
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(QStringLiteral(CANDORA_ADMIN),
            almacén->opcionesAdmin() + QStringList{QStringLiteral("importar"), nvx});
    ASSERT_TRUE(p.waitForStarted());
    // Kill it well into the merge, past the first committed group.
    QByteArray progreso;
    while (p.state() == QProcess::Running && !progreso.contains("] 1000/")) {
        p.waitForReadyRead(20);
        progreso += p.readAllStandardError();
    }
    ASSERT_EQ(p.state(), QProcess::Running) << "terminó antes de poder matarlo";
    ::kill(pid_t(p.processId()), SIGKILL);
    p.waitForFinished();

    if (!servidor()) {
        EXPECT_EQ(Sqlite3(almacén->ruta(), QStringLiteral("pragma integrity_check")),
                  QStringLiteral("ok"));
    }
    Diccionario d;
    almacén->abrir(d);
    const auto n = [&](const char* sql) { return d.valorÚnico(QString::fromLatin1(sql)).toInt(); };
    const int creados = n("select count(*) from nvx_m_postulantes");
    EXPECT_GT(creados, 0);
    EXPECT_LT(creados, 4000);
    // The file keeps what was still staged; a server's staging died with its connection.
    EXPECT_EQ(n("select count(*) from imp_postulantes"), servidor() ? 0 : 4000 - creados);
    // A merged applicant left nothing staged; an unmerged one left no applicant and no detail rows.
    for (const char* t : {"imp_postulantes", "imp_formacion", "imp_idiomas", "imp_experiencia"})
        EXPECT_EQ(
            d.valorÚnico(QStringLiteral(
                             "select count(*) from %1 i join nvx_m_postulantes p on p.dni_pais = "
                             "i.doc_pais and p.dni_numero = i.doc_numero")
                             .arg(QLatin1String(t)))
                .toInt(),
            0)
            << t;
    for (const char* t : {"nvx_d_formacion", "nvx_d_idiomas", "nvx_d_experiencia", "nvx_d_interes"})
        EXPECT_EQ(
            d.valorÚnico(
                 QStringLiteral("select count(*) from %1 where postulante not in (select id from "
                                "nvx_m_postulantes)")
                     .arg(QLatin1String(t)))
                .toInt(),
            0)
            << t;
    EXPECT_EQ(n("select ultimo_id from nvx_m_ids where tabla = 'nvx_m_postulantes'"), creados);

    // Running the import again finishes the job.
    d.cerrar();
    p.start(QStringLiteral(CANDORA_ADMIN),
            almacén->opcionesAdmin() + QStringList{QStringLiteral("importar"), nvx});
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0);
    almacén->abrir(d);
    EXPECT_EQ(n("select count(*) from nvx_m_postulantes"), 4000);
}

EN_AMBOS_ALMACENES(ImportadorTest);
EN_AMBOS_ALMACENES(ImportadorProceso);

}  // namespace

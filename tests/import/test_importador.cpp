#include "Almacen.h"
#include "Apoyo.h"

#include "import/Intercambio.h"
#include "import/cImportador.h"
#include "records/cPostulante.h"
#include "store/Diccionario.h"

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QSet>

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
    // The other columns empty: codes 0, texts "" (streets, telephones, hours, e-mail…).
    for (int i = 10; i < 54; ++i)
        v << (QList<int>{15, 16, 17, 20, 22, 23, 24, 26, 27, 28, 30, 31, 32, 33, 35, 38}.contains(i)
                  ? QStringLiteral("\"\"")
                  : QStringLiteral("0"));
    v[52] = QStringLiteral("\"Aviso 7\"");
    v[53] = QStringLiteral("\"20261201\"");
    return v.join(u',') + u',' + intereses;
}

class ImportadorTest : public AlmacenAbierto {
  protected:
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

    // The same file saved as UTF-8, with or without a byte-order mark, keeps its accents.
    for (const QByteArray& marca : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
        QFile f(carpeta.filePath(QStringLiteral("utf8.nvx")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(marca + conEncabezado({QStringLiteral("[postulantes]"),
                                       Postulante("\"12\"", "\"Núñez Ñandú\"")})
                            .join(QStringLiteral("\r\n"))
                            .toUtf8());
        f.close();
        cImportador utf8;
        ASSERT_EQ(importar(f.fileName(), utf8), 0) << últimoMensaje();
        EXPECT_EQ(
            t(QStringLiteral("select apellido from nvx_m_postulantes where dni_numero = '12'")),
            QStringLiteral("Núñez Ñandú"));
    }

    cImportador vacío;
    EXPECT_EQ(importar(archivo(conEncabezado({})), vacío), 0);
    EXPECT_EQ(usuario.mensajes.back().texto,
              QStringLiteral("No hay nada que importar. El archivo de intercambio está vacío."));
    cImportador nada;
    EXPECT_EQ(importar(archivo({}), nada), 1);
    EXPECT_EQ(usuario.mensajes.back().texto,
              QStringLiteral("No se encontraron datos para actualizar."));
}

TEST_P(ImportadorTest, UnaLíneaQueNoSePuedeImportarDetieneTodoAntesDeFusionar) {
    const QString buena = Postulante("\"20\"", "\"Gómez\"");
    struct Caso {
        QStringList líneas;
        int línea;
        const char* motivo;
    };
    dic->ejecutar(QStringLiteral("create table x (a integer)"));
    // The good line with some of its values replaced.
    const auto con = [&](std::initializer_list<std::pair<int, QString>> cambios) {
        QStringList v = buena.split(u',');
        for (const auto& [i, valor] : cambios) v[i] = valor;
        return conEncabezado({QStringLiteral("[postulantes]"), buena, v.join(u',')});
    };
    const auto q = [](const char* t) { return QString::fromUtf8(t); };
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
        // Well-formed lines whose values their columns cannot take.
        {con({{8, q("99999")}}), 7, "«nac_ano» (año de nacimiento) tiene 99999 y debe ser un año"},
        {con({{5, q("999")}}), 7,
         "«Sexo» (sexo) tiene 999 y debe ser un número entero entre 0 y 255"},
        {con({{5, q("7")}}), 7, "«Sexo» (sexo) tiene el código 7, que no está en la lista"},
        {con({{13, q("-1")}}), 7, "«estado_civil»"},
        {con({{46, q("2147483648")}}), 7, "«disp_dias»"},
        {con({{6, q("31")}, {7, q("2")}}), 7, "la fecha de nacimiento 31/2/1990 no existe"},
        {con({{1, q("\"  \"")}}), 7, "«doc_numero» no tiene el número de documento"},
        {con({{0, q("255")}}), 7, "«doc_pais» (país del documento) tiene el código 255"},
        {con({{3, QStringLiteral("\"Pé") + QChar(0) + QStringLiteral("rez\"")}}), 7,
         "«Apellido» tiene un carácter de control (código 0)"},
        {con({{53, q("\"20261345\"")}}), 7, "«actualizado» tiene «20261345», que no es una fecha"},
        {con({{23, q("\"25:00\"")}}), 7, "«Tel1_desde» tiene «25:00», que no es una hora"},
        {conEncabezado({QStringLiteral("[experiencia]"),
                        QStringLiteral("1,\"20\",1,2,\"X\",\"Y\",\"Z\",13,2010,0,0,1,0,0,null")}),
         6, "«ingreso_mes» (mes de ingreso) tiene 13"},
        {conEncabezado({QStringLiteral("[formacion]"),
                        QStringLiteral("1,\"20\",4,2,\"999\",\"\",1,30,0,7.5,2000,2005,5")}),
         6, "«titulo» (título) tiene el código 999, que no está en la lista"},
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
         QStringLiteral("1,\"30\",4,2,\"3\",\"\",1,30,0,1.25,2000,2005,5"),
         QStringLiteral("[experiencia]"),
         QStringLiteral("1,\"30\",1,2,\"Transportes O'Brien\",\"Logística\",\"Reparto y "
                        "cobranza \\ zona \\N\",1,2010,0,0,1,0,0,"
                        "150000"),
         QStringLiteral("1,\"31\",1,2,\"X\",\"Y\",\"Z\",1,2010,0,0,1,0,0,null"),
         QStringLiteral("[idiomas]"), QStringLiteral("1,\"32\",1,2,3,4")});
    const QString r = archivo(líneas);
    // Someone already on file whom a new applicant may be: reported, never merged.
    const int32_t previa =
        GuardarPostulante("D Angelo", "ANA MARIA", 2, "99887766", [](cPostulante& p) {
            p.Nac_Día = 2;
            p.Nac_Mes = 3;
            p.nac_año = 1990;
        });
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
    ASSERT_EQ(imp.posiblesDuplicados.size(), 1u);
    EXPECT_EQ(imp.posiblesDuplicados.front().b, previa);
    EXPECT_EQ(S(imp.posiblesDuplicados.front().evidencia()), "mismo nombre y fecha de nacimiento");

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
              QStringLiteral("7.5 1.25"));
    EXPECT_EQ(
        unidos(QStringLiteral("select t.nombre from nvx_d_formacion f join nvx_m_titulos t on "
                              "t.id = f.titulo where postulante = ? order by f.rowid"),
               {a}, QStringLiteral("|")),
        QStringLiteral("Contador Público|") +
            t(QStringLiteral("select nombre from nvx_m_titulos where id = 3")));
    EXPECT_EQ(
        t(QStringLiteral("select actividades from nvx_d_experiencia where postulante = ?"), {a}),
        QStringLiteral("Reparto y cobranza \\ zona \\N"));  // backslashes as written
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
    EXPECT_TRUE(otra.posiblesDuplicados.empty());  // nobody new this time
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
    // The document with its country's name, the counts agreeing with their nouns.
    EXPECT_TRUE(usuario.mensajes.back().texto.contains(
        QStringLiteral("en el postulante Dos, Ana María (documento 41 de Argentina): se importó 1 "
                       "postulante nuevo y se actualizaron 0 antes de él, y quedó guardado.")))
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
    // Staging died with the process; an unmerged applicant left no detail rows either.
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

TEST_P(ImportadorTest, CadaConexiónPreparaSuPropiaImportación) {
    // Two workstations sharing one store: the second stages and merges its whole
    // file while the first has staged its own and not merged it yet.
    auto otra = std::make_unique<Diccionario>();
    almacén->abrir(*otra);
    cImportador primera, segunda;
    primera.Archivo =
        archivo(conEncabezado({QStringLiteral("[postulantes]"), Postulante("\"50\"", "\"Uno\""),
                               Postulante("\"51\"", "\"Dos\"")}),
                "a.nvx");
    ASSERT_TRUE(primera.preparar());
    std::swap(dic, otra);
    EXPECT_EQ(importar(archivo(conEncabezado({QStringLiteral("[postulantes]"),
                                              Postulante("\"60\"", "\"Tres\"")}),
                               "b.nvx"),
                       segunda),
              0);
    std::swap(dic, otra);
    ASSERT_TRUE(primera.fusionar());
    EXPECT_EQ(primera.Cnt_Postulantes, 2);
    EXPECT_EQ(unidos(QStringLiteral("select apellido from nvx_m_postulantes order by apellido")),
              QStringLiteral("Dos,Tres,Uno"));
}

// The documents of an exchange file's applicants, as "country/number".
QSet<QString> Documentos(const QString& nvx) {
    QFile f(nvx);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QSet<QString> docs;
    bool postulantes = false;
    for (const QByteArray& l : f.readAll().split('\n')) {
        const QString línea = QString::fromLatin1(l).trimmed();
        if (línea.startsWith(u'['))
            postulantes = línea == QLatin1String("[postulantes]");
        else if (postulantes)
            docs.insert(línea.section(u',', 0, 0) + u'/' + línea.section(u',', 1, 1).remove(u'"'));
    }
    return docs;
}

TEST_P(ImportadorProceso, DosImportacionesALaVezEnLaMismaBaseNoPierdenNinguno) {
    QTemporaryDir carpeta;
    const QStringList nvx{carpeta.filePath(QStringLiteral("a.nvx")),
                          carpeta.filePath(QStringLiteral("b.nvx"))};
    EscribirIntercambio(nvx[0], 1000, 3);
    EscribirIntercambio(nvx[1], 1000, 4);
    const QSet<QString> esperados = Documentos(nvx[0]) + Documentos(nvx[1]);
    // Two workstations on one store (on the file: sharing one local file).
    QProcess a, b;
    a.start(QStringLiteral(CANDORA_ADMIN),
            almacén->opcionesAdmin() + QStringList{QStringLiteral("importar"), nvx[0]});
    b.start(QStringLiteral(CANDORA_ADMIN),
            almacén->opcionesAdmin() + QStringList{QStringLiteral("importar"), nvx[1]});
    for (QProcess* p : {&a, &b}) {
        ASSERT_TRUE(p->waitForFinished(240000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    Diccionario d;
    almacén->abrir(d);
    QSet<QString> guardados;
    for (auto rs = d.AbrirRS(QStringLiteral("select dni_pais, dni_numero from nvx_m_postulantes"));
         !rs->eof(); rs->MoveNext())
        guardados.insert(rs->texto(0) + u'/' + rs->texto(1));
    EXPECT_EQ(guardados.size(), esperados.size());
    EXPECT_EQ(guardados, esperados);
}

TEST(ImportadorDiscoLleno, LosContadoresDicenCuántosQuedaronGuardados) {
    DiscoLleno disco(3 << 20);
    if (!disco.montado()) GTEST_SKIP() << "no se pudo montar un tmpfs (hace falta ser root)";
    QTemporaryDir carpeta;
    const QString base = disco.ruta(QStringLiteral("base.db"));
    ASSERT_TRUE(QFile::copy(CopiaBaseEntregada(carpeta), base));
    const QString nvx = carpeta.filePath(QStringLiteral("grande.nvx"));
    EscribirIntercambio(nvx, 3000, 5);
    disco.llenar(900 * 1024);  // room for a few hundred applicants
    const SalidaAdmin s =
        CorrerAdmin({QStringLiteral("--base"), base, QStringLiteral("importar"), nvx});
    EXPECT_EQ(s.código, 1);
    const int dichos =
        s.salida.section(QStringLiteral("Importados: "), 1).section(u'\n', 0, 0).toInt();
    EXPECT_GE(dichos, 250) << S(s.salida) << S(s.errores);  // at least one group was committed
    EXPECT_TRUE(
        s.errores.contains(QStringLiteral("se importaron %1 postulantes nuevos").arg(dichos)) &&
        s.errores.contains(QStringLiteral("está lleno. Libere espacio")))
        << S(s.errores);
    EXPECT_EQ(Sqlite3(base, QStringLiteral("select count(*) from nvx_m_postulantes")).toInt(),
              dichos);
    EXPECT_EQ(Sqlite3(base, QStringLiteral("pragma integrity_check")), QStringLiteral("ok"));
}

EN_AMBOS_ALMACENES(ImportadorTest);
EN_AMBOS_ALMACENES(ImportadorProceso);

}  // namespace

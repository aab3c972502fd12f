#include "Apoyo.h"
#include "ServidorPostgres.h"

#include "records/cPostulante.h"
#include "search/cBusqueda.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Postgres.h"

#include <QFile>
#include <QProcess>

#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <functional>

#include <gtest/gtest.h>

namespace {

// The server the shared-store tests will run against: it starts, the QPSQL
// driver reaches it, and it compares texts as the file store does (case and
// accents aside) through an ICU collation.
TEST(ServidorPostgres, ArrancaSeConectaYComparaTextosComoLaBaseDeArchivo) {
    ServidorPostgres servidor;
    ASSERT_TRUE(servidor.ok()) << S(servidor.error());
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("prueba"));
        db.setHostName(servidor.carpetaSocket());
        db.setPort(servidor.puerto());
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(ServidorPostgres::usuario());
        ASSERT_TRUE(db.open()) << S(db.lastError().text());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(
            QStringLiteral("create collation texto (provider = icu, locale = 'und-u-ks-level1', "
                           "deterministic = false)")))
            << S(q.lastError().text());
        ASSERT_TRUE(q.exec(
            QStringLiteral("select 'Pérez' = 'PEREZ' collate texto, 'Peña' = 'Pena' collate texto, "
                           "'Ana' = 'Anabel' collate texto")));
        ASSERT_TRUE(q.next());
        EXPECT_TRUE(q.value(0).toBool());
        EXPECT_TRUE(q.value(1).toBool());
        EXPECT_FALSE(q.value(2).toBool());
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("prueba"));
}

}  // namespace

namespace {

// Every data table holds as many rows on the server as in the file `archivo`.
void MismasFilas(QSqlQuery& q, const QString& archivo) {
    for (const QString& tabla : TablasDatos()) {
        const QString cuenta = QStringLiteral("select count(*) from %1").arg(tabla);
        ASSERT_TRUE(q.exec(cuenta) && q.next()) << S(q.lastError().text());
        EXPECT_EQ(q.value(0).toLongLong(), Sqlite3(archivo, cuenta).trimmed().toLongLong())
            << S(tabla);
    }
}

// An empty database "candora" on the server; its connection text.
QString BaseVacía(const ServidorPostgres& servidor) {
    const QString base = QStringLiteral("host=%1 port=%2 user=%3 dbname=")
                             .arg(servidor.carpetaSocket())
                             .arg(servidor.puerto())
                             .arg(ServidorPostgres::usuario());
    {
        QSqlDatabase admin =
            ConectarPostgres(base + QStringLiteral("postgres"), QStringLiteral("admin"));
        QSqlQuery(admin).exec(QStringLiteral("CREATE DATABASE candora"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
    return base + QStringLiteral("candora");
}

// The delivery created on a server holds what a delivered file holds.
TEST(ServidorPostgres, LaEntregaSeCreaEnElServidorComoEnUnArchivo) {
    ServidorPostgres servidor;
    ASSERT_TRUE(servidor.ok()) << S(servidor.error());
    const QString conexión = BaseVacía(servidor);
    const SalidaAdmin creada =
        CorrerAdmin({QStringLiteral("crear-base"), QStringLiteral("--proveedor"),
                     QStringLiteral("PostgreSQL"), QStringLiteral("--origen"), conexión});
    ASSERT_EQ(creada.código, 0) << S(creada.errores);

    QTemporaryDir carpeta;
    const QString archivo = CopiaBaseEntregada(carpeta);
    {
        QSqlDatabase db = ConectarPostgres(conexión, QStringLiteral("comparar"));
        QSqlQuery q(db);
        const auto valor = [&](const QString& sql) {
            EXPECT_TRUE(q.exec(sql) && q.next()) << S(sql) << ' ' << S(q.lastError().text());
            return q.value(0);
        };
        MismasFilas(q, archivo);
        // Texts compare as on the file store; every change stamps its time.
        EXPECT_EQ(valor(QStringLiteral("select nombre from nvx_m_paises where nombre = 'PERU'"))
                      .toString(),
                  QStringLiteral("Perú"));
        ASSERT_TRUE(q.exec(
            QStringLiteral("insert into nvx_m_postulantes (id, apellido) values (1, 'Núñez')")));
        EXPECT_EQ(
            valor(QStringLiteral("select length(actualizado) from nvx_m_postulantes where id = 1"))
                .toInt(),
            14);
        EXPECT_EQ(
            valor(QStringLiteral("select count(*) from nvx_m_postulantes where apellido = 'nunez'"))
                .toInt(),
            1);
        EXPECT_EQ(valor(QStringLiteral("select version from candora_esquema")).toInt(),
                  kVersiónEsquema);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("comparar"));

    // A second delivery over it is refused and changes nothing.
    EXPECT_THROW(CrearBasePostgres(conexión), ErrorAlmacen);
    {
        QSqlDatabase db = ConectarPostgres(conexión, QStringLiteral("despues"));
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("select count(*) from nvx_m_postulantes")) && q.next());
        EXPECT_EQ(q.value(0).toInt(), 1);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("despues"));
}

// A file store copied to a server store: every table, row for row, the applicants'
// change times included.
TEST(ServidorPostgres, UnaBaseDeArchivoSeMigraAlServidorYSeVerifica) {
    ServidorPostgres servidor;
    ASSERT_TRUE(servidor.ok()) << S(servidor.error());
    const QString conexión = BaseVacía(servidor);
    CrearBasePostgres(conexión);
    QTemporaryDir carpeta;
    const QString archivo = CopiaBaseEntregada(carpeta);
    ASSERT_EQ(CorrerAdmin({QStringLiteral("--base"), archivo, QStringLiteral("generar"),
                           QStringLiteral("400")})
                  .código,
              0);
    Sqlite3(archivo,
            QStringLiteral(
                "insert into nvx_m_busquedas (id, nombre, usuario) values (9, 'Ventas', 'ana');"
                "update nvx_m_postulantes set observaciones = 'a' || char(9) || '\\N' || "
                "char(10) || 'b\\c' || char(13), conocimientos = '' where id = (select min(id) "
                "from nvx_m_postulantes)"));

    // A stored document goes over byte for byte.
    const QString cv = carpeta.filePath(QStringLiteral("cv.bin"));
    {
        QFile f(cv);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 1000; ++i) f.putChar(char(i % 256));
    }
    ASSERT_EQ(CorrerAdmin({QStringLiteral("--base"), archivo, QStringLiteral("documento"),
                           QStringLiteral("agregar"), QStringLiteral("1"), cv})
                  .código,
              0);
    const SalidaAdmin s =
        CorrerAdmin({QStringLiteral("--base"), archivo, QStringLiteral("migrar"), conexión});
    ASSERT_EQ(s.código, 0) << S(s.errores);
    EXPECT_TRUE(s.salida.contains(QStringLiteral("Filas copiadas y verificadas")));
    QSqlDatabase db = ConectarPostgres(conexión, QStringLiteral("migrada"));
    {
        QSqlQuery q(db);
        const auto valor = [&](const QString& sql) {
            EXPECT_TRUE(q.exec(sql) && q.next()) << S(sql) << ' ' << S(q.lastError().text());
            return q.value(0);
        };
        MismasFilas(q, archivo);
        EXPECT_EQ(
            S(valor(QStringLiteral("select string_agg(id || apellido || dni_numero || actualizado, "
                                   "'|' order by id) from nvx_m_postulantes"))
                  .toString()),
            S(Sqlite3(archivo,
                      QStringLiteral("select group_concat(x, '|') from (select id || apellido || "
                                     "dni_numero || actualizado as x from nvx_m_postulantes "
                                     "order by id)"))
                  .trimmed()));
        EXPECT_EQ(
            S(valor(QStringLiteral("select nombre from nvx_m_busquedas where id = 9")).toString()),
            "Ventas");
        EXPECT_EQ(S(valor(QStringLiteral("select count(*) || ' ' || min(length(contenido)) || "
                                         "' ' || bool_and(encode(sha256(contenido), 'hex') = "
                                         "sha256) from nvx_d_documentos"))
                        .toString()),
                  "1 1000 true");
        // Tabs, line ends, backslashes and an empty text arrive as they were.
        EXPECT_EQ(S(valor(QStringLiteral("select observaciones || '|' || conocimientos from "
                                         "nvx_m_postulantes order by id limit 1"))
                        .toString()),
                  "a\t\\N\nb\\c\r|");
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("migrada"));
}

// With the PostgreSQL provider the backup is the server's own dump, packed and checked.
TEST(ServidorPostgres, ElRespaldoDeUnServidorEsSuVolcadoYSeRestaura) {
    ServidorPostgres servidor;
    ASSERT_TRUE(servidor.ok()) << S(servidor.error());
    const QString conexión = BaseVacía(servidor);
    CrearBasePostgres(conexión);
    {
        QSqlDatabase db = ConectarPostgres(conexión, QStringLiteral("datos"));
        QSqlQuery(db).exec(
            QStringLiteral("insert into nvx_m_postulantes (id, apellido) values (7, 'Núñez')"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("datos"));

    QTemporaryDir carpeta;
    {
        QSettings c(carpeta.filePath(QStringLiteral("Candora/Candora.conf")), QSettings::IniFormat);
        c.setValue(QStringLiteral("Datos/Proveedor"), QStringLiteral("PostgreSQL"));
        c.setValue(QStringLiteral("Datos/OrigenRemoto"), conexión);
    }
    const QByteArray antes = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", carpeta.path().toLocal8Bit());
    const QString cab = carpeta.filePath(QStringLiteral("servidor.cab"));
    const SalidaAdmin s = CorrerAdmin({QStringLiteral("respaldo"), cab});
    qputenv("XDG_CONFIG_HOME", antes);
    ASSERT_EQ(s.código, 0) << S(s.errores);

    QProcess p;
    p.start(QStringLiteral("cabextract"),
            {QStringLiteral("-d"), carpeta.filePath(QStringLiteral("x")), cab});
    ASSERT_TRUE(p.waitForFinished(60000) && p.exitCode() == 0);
    const QString otra = conexión + QStringLiteral("_restaurada");
    {
        QSqlDatabase admin = ConectarPostgres(conexión, QStringLiteral("crear"));
        QSqlQuery(admin).exec(QStringLiteral("CREATE DATABASE candora_restaurada"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("crear"));
    p.start(QStringLiteral("pg_restore"),
            {QStringLiteral("--dbname"), otra, carpeta.filePath(QStringLiteral("x/candora.dump"))});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    {
        QSqlDatabase db = ConectarPostgres(otra, QStringLiteral("restaurada"));
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral(
                        "select apellido from nvx_m_postulantes where apellido = 'NUNEZ'")) &&
                    q.next());
        EXPECT_EQ(S(q.value(0).toString()), "Núñez");
    }
    QSqlDatabase::removeDatabase(QStringLiteral("restaurada"));
}

// The gateway on a server store: reads, writes, keys, transactions, and an
// applicant saved and loaded back with its details, and found by a search.
TEST(ServidorPostgres, LaPasarelaTrabajaSobreElServidor) {
    ServidorPostgres servidor;
    ASSERT_TRUE(servidor.ok()) << S(servidor.error());
    const QString conexión = BaseVacía(servidor);
    CrearBasePostgres(conexión);
    InteraccionGuionada usuario;
    dic = std::make_unique<Diccionario>();
    dic->abrirServidor(conexión);
    ASSERT_TRUE(dic->enServidor());

    EXPECT_EQ(S(dic->NombreElemento(QStringLiteral("nvx_m_monedas"), 3, QStringLiteral("simbolo"))),
              "€");
    ComboPrueba combo;
    dic->LlenarComboElementos(QStringLiteral("nvx_m_sexos"), combo, 0, false, 2);
    EXPECT_EQ(combo.ListCount(), 3);
    EXPECT_EQ(S(combo.Text()), "Masculino");
    const int32_t a = dic->PróximoID(QStringLiteral("nvx_m_postulantes"));
    EXPECT_EQ(dic->PróximoID(QStringLiteral("nvx_m_postulantes")), a + 1);
    {
        Transaccion t(*dic);
        dic->ejecutar(QStringLiteral("update nvx_m_ids set ultimo_id = 999 where tabla = ?"),
                      {QStringLiteral("nvx_m_postulantes")});
    }  // not confirmed: rolled back
    EXPECT_EQ(dic->PróximoID(QStringLiteral("nvx_m_postulantes")), a + 2);

    cPostulante p;
    p.Apellido = QStringLiteral("Núñez");
    p.Nombre = QStringLiteral("Ana");
    p.Dni_País = 1;
    p.Dni_Número = QStringLiteral("007");
    p.Remun_hora = 12.5f;
    p.idiomas.Add(1, 4, 3, 2);
    p.idiomas.Add(2, 1, 1, 1);
    p.familiares.Add(3, 4, true, QStringLiteral("Leo"), true, false, {}, {});
    ASSERT_TRUE(p.guardar());
    cPostulante q;
    q.id = p.id;
    ASSERT_EQ(q.cargar(), 1);
    EXPECT_EQ(S(q.Apellido), "Núñez");
    EXPECT_EQ(S(q.Dni_Número.texto()), "007");
    EXPECT_EQ(q.Remun_hora, 12.5f);
    ASSERT_EQ(q.idiomas.Count(), 2);
    EXPECT_EQ(q.idiomas.Item(1).Idioma, 1);  // in the order they were saved
    EXPECT_EQ(q.familiares.Item(1).Nombre, QStringLiteral("Leo"));
    EXPECT_EQ(dic->valorÚnico(QStringLiteral(
                                  "select length(actualizado) from nvx_m_postulantes where id = ?"),
                              {p.id})
                  .toInt(),
              14);

    cBúsqueda b;
    b.AgregarCondición(QStringLiteral("nvx_m_postulantes.apellido contiene ÑEZ"));
    b.AgregarCondición(QStringLiteral("nvx_d_idiomas.idioma contiene Inglés"));
    b.ejecutar();
    auto rs = cBúsqueda::Resultado(b.id);
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->entero(QStringLiteral("id")), p.id);

    // Failures keep the server's SQLSTATE: a taken key, a statement out of time, a
    // connection the server ended are told apart.
    const auto falla = [&](const std::function<void()>& f) {
        try {
            f();
        } catch (const ErrorAlmacen& e) {
            return e;
        }
        return ErrorAlmacen(QStringLiteral("no falló"));
    };
    ErrorAlmacen e = falla([&] {
        dic->ejecutar(QStringLiteral("insert into nvx_m_postulantes (id) values (?)"), {p.id});
    });
    EXPECT_EQ(S(e.código()), "23505");
    EXPECT_TRUE(e.repetido());
    // A text the server cannot hold is refused, never cut short, and never read as a busy store.
    e = falla([&] {
        dic->ejecutar(QStringLiteral("update nvx_m_postulantes set observaciones = ? where id = ?"),
                      {QStringLiteral("a") + QChar(0) + QStringLiteral("b"), p.id});
    });
    EXPECT_EQ(S(e.código()), "22021");
    EXPECT_FALSE(e.ocupado()) << e.what();
    EXPECT_TRUE(dic->valorÚnico(QStringLiteral("select observaciones from nvx_m_postulantes "
                                               "where id = ?"),
                                {p.id})
                    .isNull());
    dic->ejecutar(QStringLiteral("SET statement_timeout = '50ms'"));
    e = falla([&] { dic->valorÚnico(QStringLiteral("select pg_sleep(5)")); });
    EXPECT_EQ(S(e.código()), "57014");
    EXPECT_TRUE(e.textoUsuario().contains(QStringLiteral("tardó demasiado"))) << e.what();
    const QString pid = dic->valorÚnico(QStringLiteral("select pg_backend_pid()")).toString();
    EXPECT_EQ(
        S(EnServidor(conexión, {QStringLiteral("select pg_terminate_backend(%1, 5000)").arg(pid)})),
        "");
    e = falla([&] { dic->valorÚnico(QStringLiteral("select 1")); });
    EXPECT_TRUE(e.sinConexión()) << e.what() << ' ' << S(e.código());
    EXPECT_FALSE(e.repetido() || e.ocupado());
    EXPECT_TRUE(e.textoUsuario().contains(QStringLiteral("Se perdió la conexión"))) << e.what();
    EXPECT_FALSE(dic->responde());
    dic.reset();
}

}  // namespace

#include "Apoyo.h"

#include "store/BaseEntregada.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

class ConexionTest : public ::testing::Test {
  protected:
    void TearDown() override {
        dic.reset();
        UsuarioActual.clear();
    }
    static ConfiguraciónDatos configuración(
        const QString& local, const QString& remoto = {},
        const QString& proveedor = QLatin1String(kProveedorJet)) {
        ConfiguraciónDatos c;
        c.Proveedor = proveedor;
        c.OrigenLocal = local;
        c.OrigenRemoto = remoto;
        return c;
    }
    // Fills a file with rows and deletes them again, leaving most of its pages free.
    static void dejarEspacioLibre(const QString& ruta) {
        Diccionario d;
        d.abrirArchivo(ruta, false);
        d.ejecutar(QStringLiteral("create table relleno (t)"));
        d.ejecutar(
            QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n "
                           "where i < 20000) insert into relleno select randomblob(200) from n"));
        d.ejecutar(QStringLiteral("drop table relleno"));
    }
    static qint64 páginasLibres(const QString& ruta) {
        return Sqlite3(ruta, QStringLiteral("pragma freelist_count")).toLongLong();
    }
    static QString origenDe(const QString& local, const QString& tabla) {
        return Sqlite3(
            local,
            QStringLiteral("select origen from candora_vinculos where tabla = '%1'").arg(tabla));
    }

    QTemporaryDir carpeta;
    InteraccionGuionada usuario;
};

TEST_F(ConexionTest, ElTextoDeConexiónSeArmaConLosAjustesTalComoEstán) {
    QSettings(QStringLiteral("Candora"), QStringLiteral("Candora")).remove(QStringLiteral("Datos"));
    const ConfiguraciónDatos c = ConfiguraciónDatos::leer();
    EXPECT_EQ(ConstruirConexión(c, QString()),
              QStringLiteral(
                  "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=;Persist Security Info=False;"));

    ConfiguraciónDatos guardada =
        configuración(QStringLiteral("/datos/local.db"), QStringLiteral("/red/c.db"));
    guardada.Usuario = QStringLiteral("mgarcía");
    guardada.Contraseña = QStringLiteral("secreta");
    guardada.guardar();
    const ConfiguraciónDatos leída = ConfiguraciónDatos::leer();
    EXPECT_EQ(leída.OrigenRemoto, QStringLiteral("/red/c.db"));
    EXPECT_EQ(leída.Contraseña, QStringLiteral("secreta"));
    const QString conUsuario = ConstruirConexión(leída, QStringLiteral("ana"));
    EXPECT_EQ(conUsuario,
              QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/datos/local.db;"
                             "Persist Security Info=False;User ID=mgarcía;"));
    EXPECT_FALSE(conUsuario.contains(QStringLiteral("secreta")));
    EXPECT_EQ(ValorConexión(conUsuario, QStringLiteral("data source")),
              QStringLiteral("/datos/local.db"));
    EXPECT_EQ(ValorConexión(conUsuario, QStringLiteral("Password")), QString());
    QSettings(QStringLiteral("Candora"), QStringLiteral("Candora")).remove(QStringLiteral("Datos"));
}

TEST_F(ConexionTest, ElArranqueVacíaLosResultadosYCompactaSóloConElProveedorExacto) {
    for (const QString& proveedor :
         {QStringLiteral("Microsoft.Jet.OLEDB.4.0"), QStringLiteral("microsoft.jet.oledb.4.0")}) {
        SCOPED_TRACE(proveedor.toStdString());
        QFile::remove(carpeta.filePath(QStringLiteral("base.db")));
        const QString ruta = CopiaBaseEntregada(carpeta);
        dejarEspacioLibre(ruta);
        Sqlite3(ruta,
                QStringLiteral(
                    "insert into resultado values (1, 10); insert into resultado values (2, 11)"));
        const bool exacto = proveedor == QLatin1String(kProveedorJet);

        AbrirBase(configuración(ruta, {}, proveedor));
        ASSERT_TRUE(dic);
        EXPECT_EQ(dic->valorÚnico(QStringLiteral("select count(*) from resultado")).toInt(), 0);
        EXPECT_EQ(dic->strConexión(),
                  ConstruirConexión(configuración(ruta, {}, proveedor), QString()));
        dic.reset();
        EXPECT_EQ(páginasLibres(ruta) == 0, exacto);
        EXPECT_EQ(usuario.estados.contains(QStringLiteral("Limpiando base de datos local...")),
                  exacto);
        usuario.estados.clear();
    }
}

TEST_F(ConexionTest, UnArranqueImposibleNombraElPasoYNoCreaNada) {
    const QString falta = carpeta.filePath(QStringLiteral("no_existe.db"));
    try {
        AbrirBase(configuración(falta));
        FAIL() << "arrancó";
    } catch (const ErrorAlmacen& e) {
        EXPECT_TRUE(e.textoUsuario().contains(QStringLiteral("conexión")))
            << e.textoUsuario().toStdString();
        EXPECT_TRUE(e.textoUsuario().contains(falta));
    }
    EXPECT_FALSE(QFileInfo::exists(falta));
    EXPECT_FALSE(dic);

    const QString ruta = CopiaBaseEntregada(carpeta);
    try {
        AbrirBase(configuración(ruta, QStringLiteral("servidor"), QStringLiteral("SQLOLEDB")));
        FAIL() << "arrancó";
    } catch (const ErrorAlmacen& e) {
        EXPECT_TRUE(e.textoUsuario().contains(QStringLiteral("SQLOLEDB")))
            << e.textoUsuario().toStdString();
    }
    EXPECT_FALSE(dic);

    // A local file whose shared file has gone away.
    const QString compartida = carpeta.filePath(QStringLiteral("compartida.db"));
    const QString local = carpeta.filePath(QStringLiteral("local.db"));
    CrearBaseCompartida(compartida);
    CrearBaseLocal(local, compartida);
    QFile::remove(compartida);
    try {
        AbrirBase(configuración(local));
        FAIL() << "arrancó";
    } catch (const ErrorAlmacen& e) {
        EXPECT_TRUE(e.textoUsuario().contains(compartida)) << e.textoUsuario().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(compartida));
}

TEST_F(ConexionTest, ConBaseCompartidaLosDatosVanAlArchivoCompartidoYLosResultadosQuedanEnElLocal) {
    const QString compartida = carpeta.filePath(QStringLiteral("compartida.db"));
    const QString local = carpeta.filePath(QStringLiteral("local.db"));
    CrearBaseCompartida(compartida);
    CrearBaseLocal(local, compartida);

    AbrirBase(configuración(local, compartida));
    const int id = dic->PróximoID(QStringLiteral("nvx_m_postulantes"));
    dic->ejecutar(QStringLiteral("insert into nvx_m_postulantes (id, apellido) values (?, ?)"),
                  {id, QStringLiteral("Muñoz")});
    dic->ejecutar(QStringLiteral("insert into resultado (consulta, id) values (7, ?)"), {id});
    EXPECT_EQ(dic->ElementoID(QStringLiteral("nvx_m_paises"), QStringLiteral("ARGENTINA")), 1);
    dic.reset();

    EXPECT_EQ(Sqlite3(compartida, QStringLiteral("select apellido from nvx_m_postulantes")),
              QStringLiteral("Muñoz"));
    EXPECT_EQ(
        Sqlite3(local, QStringLiteral(
                           "select count(*) from sqlite_master where name = 'nvx_m_postulantes'")),
        QStringLiteral("0"));
    EXPECT_EQ(Sqlite3(local, QStringLiteral("select id from resultado where consulta = 7")),
              QString::number(id));
}

TEST_F(ConexionTest, RevincularApuntaAOtraBaseCompartidaYNuncaAUnaQueNoSirve) {
    const QString primera = carpeta.filePath(QStringLiteral("primera.db"));
    const QString segunda = carpeta.filePath(QStringLiteral("segunda.db"));
    const QString local = carpeta.filePath(QStringLiteral("local.db"));
    CrearBaseCompartida(primera);
    CrearBaseCompartida(segunda);
    CrearBaseLocal(local, primera);
    Sqlite3(segunda,
            QStringLiteral("insert into nvx_m_postulantes (id, apellido) values (5, 'Ibáñez')"));

    AbrirBase(configuración(local, segunda));
    EXPECT_EQ(dic->valorÚnico(QStringLiteral("select apellido from nvx_m_postulantes where id = 5"))
                  .toString(),
              QStringLiteral("Ibáñez"));
    dic.reset();
    EXPECT_EQ(origenDe(local, QStringLiteral("nvx_m_postulantes")),
              QFileInfo(segunda).absoluteFilePath());

    // A blank remote source leaves the links as they are.
    AbrirBase(configuración(local, QStringLiteral("  ")));
    dic.reset();
    EXPECT_EQ(origenDe(local, QStringLiteral("nvx_diccionario")),
              QFileInfo(segunda).absoluteFilePath());

    // A missing source, or a database without the linked tables, is refused before anything
    // changes.
    const QString sinTablas = carpeta.filePath(QStringLiteral("otra.db"));
    Sqlite3(sinTablas, QStringLiteral("create table x (a)"));
    for (const QString& malo : {carpeta.filePath(QStringLiteral("falta.db")), sinTablas}) {
        EXPECT_THROW(RevincularTablas(malo, ConstruirConexión(configuración(local), QString())),
                     ErrorAlmacen);
        EXPECT_EQ(origenDe(local, QStringLiteral("nvx_m_postulantes")),
                  QFileInfo(segunda).absoluteFilePath());
    }

    // A file with every table local opens unchanged whatever the remote source says.
    const QString completa = CopiaBaseEntregada(carpeta);
    AbrirBase(configuración(completa, segunda));
    EXPECT_TRUE(dic->archivosVinculados().isEmpty());
}

TEST_F(ConexionTest, CompactarUnArchivoOcupadoDaFalsoYNoPierdeNada) {
    const QString ruta = CopiaBaseEntregada(carpeta);
    dejarEspacioLibre(ruta);
    EXPECT_FALSE(CompactarBase(carpeta.filePath(QStringLiteral("falta.db"))));
    {
        Diccionario otro;
        otro.abrirArchivo(ruta, false);
        Transaccion t(otro);
        otro.ejecutar(
            QStringLiteral("insert into nvx_m_postulantes (id, apellido) values (1, 'Pérez')"));
        t.confirmar();
        Transaccion escribiendo(otro);
        otro.ejecutar(
            QStringLiteral("insert into nvx_m_postulantes (id, apellido) values (2, 'Ruiz')"));
        EXPECT_FALSE(CompactarBase(ruta, true));
    }
    EXPECT_GT(páginasLibres(ruta), 0);
    EXPECT_EQ(Sqlite3(ruta, QStringLiteral("select group_concat(apellido) from nvx_m_postulantes")),
              QStringLiteral("Pérez"));
    EXPECT_TRUE(CompactarBase(ruta));
    EXPECT_EQ(páginasLibres(ruta), 0);
    EXPECT_EQ(Sqlite3(ruta, QStringLiteral("pragma integrity_check")), QStringLiteral("ok"));
}

TEST_F(ConexionTest, SinOrigenLocalSeUsaLaBasePredeterminadaCreadaAlPrimerArranque) {
    const QString predeterminada = RutaBasePredeterminada();
    QFile::remove(predeterminada);
    AbrirBase(configuración(QString()));
    ASSERT_TRUE(dic);
    EXPECT_EQ(dic->rutaLocal(), QFileInfo(predeterminada).absoluteFilePath());
    EXPECT_GT(dic->valorÚnico(QStringLiteral("select count(*) from nvx_m_paises")).toInt(), 190);
    dic.reset();
    QFile::remove(predeterminada);
}

}  // namespace

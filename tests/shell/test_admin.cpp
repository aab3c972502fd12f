#include "Apoyo.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

namespace {

using Salida = SalidaAdmin;
Salida admin(const QStringList& argumentos, const QString& usuario = {}) {
    return CorrerAdmin(argumentos, usuario);
}

TEST(CandoraAdmin, CreaUnaBaseYLaMuestraConTodasSusTablas) {
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("prueba.db"));
    EXPECT_EQ(admin({QStringLiteral("crear-base"), ruta}).código, 0);
    const Salida s = admin({QStringLiteral("--base"), ruta, QStringLiteral("info")});
    ASSERT_EQ(s.código, 0) << s.errores.toStdString();
    for (const char* tabla : {"nvx_m_postulantes", "nvx_d_fotos", "nvx_diccionario", "nvx_m_ids",
                              "resultado", "consulta_a", "imp_postulantes", "nvx_m_paises"})
        EXPECT_TRUE(s.salida.contains(QString::fromLatin1(tabla), Qt::CaseInsensitive)) << tabla;

    // Creating over an existing file is refused and leaves it alone.
    const Salida otra = admin({QStringLiteral("crear-base"), ruta});
    EXPECT_NE(otra.código, 0);
    EXPECT_TRUE(otra.errores.contains(QStringLiteral("ya existe")));
}

TEST(CandoraAdmin, UnaBaseLocalConCompartidaSeRevinculaYLosErroresSalenPorStderr) {
    QTemporaryDir carpeta;
    const QString local = carpeta.filePath(QStringLiteral("local.db"));
    const QString compartida = carpeta.filePath(QStringLiteral("compartida.db"));
    const QString otra = carpeta.filePath(QStringLiteral("otra.db"));
    ASSERT_EQ(
        admin({QStringLiteral("crear-base"), local, QStringLiteral("--compartida"), compartida})
            .código,
        0);
    EXPECT_TRUE(QFileInfo::exists(compartida));
    EXPECT_TRUE(admin({QStringLiteral("--base"), local, QStringLiteral("info")})
                    .salida.contains(QStringLiteral("vinculada a ") + compartida));

    ASSERT_EQ(admin({QStringLiteral("crear-base"), carpeta.filePath(QStringLiteral("x.db")),
                     QStringLiteral("--compartida"), otra})
                  .código,
              0);
    const Salida r = admin({QStringLiteral("--base"), local, QStringLiteral("revincular"), otra});
    ASSERT_EQ(r.código, 0) << r.errores.toStdString();
    EXPECT_TRUE(r.salida.contains(otra));

    const Salida falta = admin({QStringLiteral("--base"), carpeta.filePath(QStringLiteral("no.db")),
                                QStringLiteral("info")});
    EXPECT_EQ(falta.código, 1);
    EXPECT_TRUE(falta.errores.contains(QStringLiteral("no.db")));
    EXPECT_EQ(admin({QStringLiteral("no-existe")}).código, 2);
}

// A damaged file is never written to: every writing command stops before its
// first write, naming the file and the way out.
TEST(CandoraAdmin, UnaBaseDañadaSeNombraConSuSalidaYNoSeEscribe) {
    QTemporaryDir carpeta;
    const QString intercambio = carpeta.filePath(QStringLiteral("alta.txt"));
    ASSERT_EQ(
        admin({QStringLiteral("generar-intercambio"), intercambio, QStringLiteral("5")}).código, 0);
    for (const Daño daño : {Daño::Basura, Daño::Página, Daño::Truncado}) {
        SCOPED_TRACE(::testing::PrintToString(daño));
        const QString ruta = CopiaBaseEntregada(carpeta);
        ASSERT_EQ(admin({QStringLiteral("--base"), ruta, QStringLiteral("generar"),
                         QStringLiteral("300")})
                      .código,
                  0);
        Dañar(ruta, daño);
        const QByteArray antes = Contenido(ruta);
        for (const QStringList& orden :
             {QStringList{QStringLiteral("generar"), QStringLiteral("10")},
              QStringList{QStringLiteral("importar"), intercambio}}) {
            const Salida s = admin(QStringList{QStringLiteral("--base"), ruta} + orden);
            EXPECT_EQ(s.código, 1) << S(orden.first());
            EXPECT_TRUE(s.errores.startsWith(
                            QStringLiteral("La base de datos «%1» está dañada").arg(ruta)) &&
                        s.errores.contains(QStringLiteral("candora-admin restaurar")))
                << S(s.errores);
        }
        EXPECT_TRUE(Contenido(ruta) == antes);
    }
}

// Tests run as root, whom permissions do not stop: a read-only mount stands for
// a file that does not accept changes, and a run as nobody for a folder that does not.
TEST(CandoraAdmin, UnaBaseDeSóloLecturaSeConsultaPeroNoSeEscribe) {
    QTemporaryDir carpeta;
    const QString original = CopiaBaseEntregada(carpeta);
    ASSERT_EQ(
        admin({QStringLiteral("--base"), original, QStringLiteral("generar"), QStringLiteral("20")})
            .código,
        0);
    CarpetaSoloLectura montada({original});
    if (!montada.ok()) GTEST_SKIP() << S(montada.error());
    const QString ruta = montada.ruta(QStringLiteral("base.db"));

    const Salida escribir =
        admin({QStringLiteral("--base"), ruta, QStringLiteral("generar"), QStringLiteral("1")});
    EXPECT_EQ(escribir.código, 1);
    EXPECT_TRUE(escribir.errores.startsWith(
        QStringLiteral("La base de datos «%1» es de solo lectura (el archivo no admite cambios).")
            .arg(ruta)))
        << S(escribir.errores);
    const Salida info = admin({QStringLiteral("--base"), ruta, QStringLiteral("info")});
    EXPECT_EQ(info.código, 0) << S(info.errores);
    EXPECT_TRUE(info.salida.contains(QStringLiteral("nvx_m_postulantes")));
    const Salida cv =
        admin({QStringLiteral("--base"), ruta, QStringLiteral("cv"), QStringLiteral("1")});
    EXPECT_EQ(cv.código, 0) << S(cv.errores);
    EXPECT_TRUE(cv.salida.contains(QStringLiteral("</html>"), Qt::CaseInsensitive));

    // A file its user may change, in a folder where SQLite cannot create its journal.
    const passwd* nadie = getpwnam("nobody");
    if (!nadie) GTEST_SKIP() << "no existe el usuario nobody";
    QTemporaryDir ajena;
    QFile::setPermissions(ajena.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadOther | QFile::ExeOther);
    const QString suya = ajena.filePath(QStringLiteral("base.db"));
    ASSERT_TRUE(QFile::copy(original, suya));
    ASSERT_EQ(chown(QFile::encodeName(suya).constData(), nadie->pw_uid, nadie->pw_gid), 0);
    const Salida s =
        admin({QStringLiteral("--base"), suya, QStringLiteral("generar"), QStringLiteral("1")},
              QStringLiteral("nobody"));
    EXPECT_EQ(s.código, 1);
    EXPECT_TRUE(s.errores.contains(
        QStringLiteral("«%1» es de solo lectura (su carpeta «%2» no admite cambios")
            .arg(suya, ajena.path())))
        << S(s.errores);
}

// A full disk: an exchange file is written whole or not at all, and the command says so.
TEST(CandoraAdmin, GenerarIntercambioEnUnDiscoLlenoFallaSinDejarNada) {
    DiscoLleno disco;
    if (!disco.montado()) GTEST_SKIP() << "no se pudo montar un tmpfs (hace falta ser root)";
    disco.llenar();
    // Larger than the room left, smaller than one write buffer.
    const Salida s = admin({QStringLiteral("generar-intercambio"),
                            disco.ruta(QStringLiteral("x.nvx")), QStringLiteral("10")});
    EXPECT_EQ(s.código, 1);
    EXPECT_TRUE(s.errores.contains(QStringLiteral("el disco está lleno. Libere espacio")))
        << S(s.errores);
    EXPECT_TRUE(disco.archivos().isEmpty()) << S(disco.archivos().join(u' '));
}

}  // namespace

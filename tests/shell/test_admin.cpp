#include "Apoyo.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

using Salida = SalidaAdmin;
constexpr auto admin = CorrerAdmin;

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

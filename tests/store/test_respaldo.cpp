#include "Apoyo.h"

#include "store/Respaldo.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <csignal>

namespace {

// The working copy of the store a backup makes: only the user may read it; it goes away
// after a success, after a failure and, once its process is gone, after a kill -9; a backup
// in another process meanwhile leaves the running one's alone.
TEST(Respaldo, LaCopiaDeTrabajoEsPrivadaYNoQuedaNiSiMatanAlRespaldo) {
    QTemporaryDir carpeta;
    const QString base = CopiaBaseEntregada(carpeta);
    const QString otra = CopiaBaseEntregada(carpeta, QStringLiteral("otra.db"));
    const QString tmp = carpeta.filePath(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir().mkdir(tmp));
    // The temp folder of this process and of the processes it starts.
    const QByteArray tmpAntes = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp));
    const auto restaurar = qScopeGuard([&] {
        if (tmpAntes.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", tmpAntes);
    });
    const auto enTmp = [&] {
        return QDir(tmp).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    const auto modo = [](const QString& ruta) {
        struct stat e {};
        return ::stat(QFile::encodeName(ruta).constData(), &e) == 0 ? e.st_mode & 07777 : 0;
    };
    const auto junto = [&] { return QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden); };
    const QString cab = carpeta.filePath(QStringLiteral("r.cab"));
    QString error;

    // Killed while compressing (before this process starts GLib's threads: fork is safe):
    // its private copy and its cabinet in the making stay behind.
    EXPECT_EXIT(
        {
            QString e;
            CrearRespaldo(base, cab, e, [](int p) {
                if (p > 50) ::raise(SIGKILL);
            });
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGKILL), "");
    ASSERT_EQ(enTmp().size(), 1);
    const QString copia = enTmp().first().filePath();
    EXPECT_EQ(modo(copia), 0700u);
    EXPECT_EQ(modo(QDir(copia).filePath(QStringLiteral("base.db"))), 0600u);
    EXPECT_EQ(junto().size(), 3) << S(junto().join(u' '));

    // The next backup takes them away; one in another process meanwhile leaves its own alone.
    SalidaAdmin otro{-1, {}, {}};
    ASSERT_TRUE(CrearRespaldo(base, cab, error, [&](int p) {
        if (p > 50 && otro.código < 0)  // compressing, with its cabinet beside `cab`
            otro = CorrerAdmin({QStringLiteral("--base"), otra, QStringLiteral("respaldo"), cab});
    })) << S(error);
    EXPECT_EQ(otro.código, 0) << S(otro.errores);
    EXPECT_TRUE(enTmp().isEmpty());
    EXPECT_EQ(junto(), (QStringList{QStringLiteral("base.db"), QStringLiteral("otra.db"),
                                    QStringLiteral("r.cab")}));
    // And after a failure.
    EXPECT_FALSE(CrearRespaldo(base, carpeta.filePath(QStringLiteral("no/hay.cab")), error));
    EXPECT_TRUE(enTmp().isEmpty());
}

}  // namespace

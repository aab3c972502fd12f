// Faults injected under the running program's windows: it never ends, says
// each failure once, and every open card keeps its edits until it can save them.
#include "Apoyo.h"
#include "ApoyoVentanas.h"
#include "ServidorPostgres.h"

#include "controls/ceTxtBox.h"
#include "filecard/frmFicha.h"
#include "records/Generador.h"
#include "shell/Arranque.h"
#include "shell/Mantenimiento.h"
#include "shell/MarcaUso.h"
#include "shell/frmMDI.h"
#include "store/BaseEntregada.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>

#include <csignal>

namespace {

class FallasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().clear();
        QSettings().setValue(QStringLiteral("Opciones/AyudaRápidaVer"), QStringLiteral("0"));
        InstalarFichas();
        InstalarMantenimiento();
    }
    void TearDown() override {
        delete VentanaPrincipal();
        frmMDI::fábricaFicha = nullptr;
        for (const char* m : {"ABM", "Importar", "Respaldo"})
            frmMDI::RegistrarMódulo(QString::fromLatin1(m), nullptr);
        dic.reset();
        QSettings().clear();
    }
    // Starts the program on `c` with two applicants and opens the first one's card, edited.
    void arrancar(const ConfiguraciónDatos& c) {
        c.guardar();
        ASSERT_EQ(Arrancar({}), -1);
        GenerarPostulantes(*dic, 2, 21, {});
        m = VentanaPrincipal();
        m->abrir_cv(1, 0, {}, false);
        ficha = qobject_cast<frmFicha*>(m->área()->subWindowList().value(0)->widget());
        ASSERT_NE(ficha, nullptr);
        ficha->setEdición(true);
        auto* apellido = ficha->findChild<ceTxtBox*>(QStringLiteral("txtApellido"));
        apellido->selectAll();
        Escribir(apellido, QStringLiteral("Sin Guardar"));
        ASSERT_TRUE(ficha->modificada);
        usuario.mensajes.clear();
    }
    QString apellidoGuardado() {
        return Almacén()
            .valorÚnico(QStringLiteral("select apellido from nvx_m_postulantes where id = 1"))
            .toString();
    }
    // One message since the last look, containing `texto`.
    void unMensaje(const char* texto) {
        ASSERT_EQ(usuario.mensajes.size(), 1u);
        EXPECT_TRUE(usuario.mensajes[0].texto.contains(QString::fromUtf8(texto)))
            << S(usuario.mensajes[0].texto);
        usuario.mensajes.clear();
    }
    QString estado() { return m->findChild<QLabel*>(QStringLiteral("stbEstado_1"))->text(); }

    QTemporaryDir carpeta;
    InteraccionGuionada usuario;
    frmMDI* m = nullptr;
    frmFicha* ficha = nullptr;
};

ConfiguraciónDatos EnArchivo(const QString& ruta) {
    ConfiguraciónDatos c;
    c.Proveedor = QString::fromLatin1(kProveedorJet);
    c.OrigenLocal = ruta;
    return c;
}

TEST_F(FallasTest, UnaExcepciónDeUnManejadorLlegaAlÚnicoLugarQueInforma) {
    dic = std::make_unique<Diccionario>();  // a store that answers: only the failure is told
    dic->abrirArchivo(CopiaBaseEntregada(carpeta), false);
    QPushButton b;
    QObject::connect(&b, &QPushButton::clicked, [] {
        throw ErrorAlmacen(ErrorAlmacen::kGenérica, QStringLiteral("falla provocada"),
                           QStringLiteral("select 1 from x"));
    });
    b.show();
    QTest::mouseClick(&b, Qt::LeftButton);  // delivered as the user's click is
    QTimer::singleShot(0, [] { throw std::runtime_error("otra falla"); });
    QTest::qWait(20);
    ASSERT_EQ(usuario.mensajes.size(), 2u);  // and the program is still here
    EXPECT_EQ(S(usuario.mensajes[0].texto),
              "No se pudo completar lo que pidió.\n\nfalla provocada");
    EXPECT_EQ(usuario.mensajes[0].icono, Icono::Crítico);
    EXPECT_TRUE(usuario.mensajes[0].detalles.contains(QStringLiteral("select 1 from x")));
    EXPECT_EQ(S(usuario.mensajes[1].detalles), "otra falla");
}

TEST_F(FallasTest, UnBloqueoLargoDeOtroProgramaSeInformaYLaFichaSeGuardaAlTerminar) {
    const QString ruta = CopiaBaseEntregada(carpeta);
    arrancar(EnArchivo(ruta));
    dic->setEsperaOcupado(200);  // the wait is bounded: a test need not sit through all of it
    QProcess otro;
    otro.start(QStringLiteral("sqlite3"), {ruta});
    ASSERT_TRUE(otro.waitForStarted());
    otro.write("BEGIN EXCLUSIVE;\nSELECT 'tomada';\n");
    ASSERT_TRUE(otro.waitForReadyRead(10000));

    EXPECT_FALSE(ficha->GuardarFicha());
    unMensaje("Otro usuario o programa está usando la base de datos");
    // F3 while the lock is held: the document dialog cannot even read its countries.
    QTimer guardia;  // should it open after all, it does not stay open forever
    guardia.setSingleShot(true);
    QObject::connect(&guardia, &QTimer::timeout, [] {
        if (QWidget* d = QApplication::activeModalWidget()) d->close();
    });
    guardia.start(3000);
    m->findChild<QAction*>(QStringLiteral("mnuMódulosNuevaFicha"))->trigger();
    unMensaje("Otro usuario o programa está usando la base de datos");
    EXPECT_FALSE(m->sinBase());
    EXPECT_TRUE(ficha->modificada);

    otro.closeWriteChannel();  // the other program ends and lets go
    ASSERT_TRUE(otro.waitForFinished(10000));
    EXPECT_TRUE(ficha->GuardarFicha());
    EXPECT_EQ(S(apellidoGuardado()), "Sin Guardar");
}

TEST_F(FallasTest, UnArchivoArruinadoOBorradoDejaSinBaseHastaQueVuelve) {
    const QString ruta = CopiaBaseEntregada(carpeta);
    arrancar(EnArchivo(ruta));
    const QByteArray sano = Contenido(ruta);
    const auto escribir = [&](const QByteArray& bytes) {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));  // the same file
        f.write(bytes);
    };

    escribir(QByteArray(sano.size(), 'x'));
    EXPECT_FALSE(ficha->GuardarFicha());
    unMensaje("Candora no tiene conexión con la base de datos");
    EXPECT_TRUE(m->sinBase());
    EXPECT_TRUE(estado().startsWith(QStringLiteral("Sin conexión con la base de datos")));
    // Every command asks for the store first, and says once more why it cannot have it.
    m->findChild<QAction*>(QStringLiteral("mnuMódulosNuevaFicha"))->trigger();
    unMensaje("No se pudo volver a abrir la base de datos.");
    escribir(sano);
    EXPECT_TRUE(ficha->GuardarFicha());  // opened again first
    EXPECT_FALSE(m->sinBase());
    EXPECT_EQ(S(apellidoGuardado()), "Sin Guardar");
    const QByteArray guardado = Contenido(ruta);

    // Deleted while open: nothing more is written into a file no one will read again.
    Escribir(ficha->findChild<ceTxtBox*>(QStringLiteral("txtApellido")), QStringLiteral(" Bis"));
    ASSERT_TRUE(QFile::remove(ruta));
    EXPECT_FALSE(ficha->GuardarFicha());
    unMensaje("fue borrado o reemplazado");
    EXPECT_TRUE(m->sinBase());
    escribir(guardado);  // the file is back
    EXPECT_TRUE(ficha->GuardarFicha());
    EXPECT_EQ(S(apellidoGuardado()), "Sin Guardar Bis");
}

TEST_F(FallasTest, UnServidorQueSeDetieneYVuelve) {
    ServidorPostgres servidor;
    ASSERT_TRUE(servidor.ok()) << S(servidor.error());
    ASSERT_EQ(S(EnServidor(servidor.conexión(QStringLiteral("postgres")),
                           {QStringLiteral("CREATE DATABASE fallas")})),
              "");
    CrearBasePostgres(servidor.conexión(QStringLiteral("fallas")));
    ConfiguraciónDatos c;
    c.Proveedor = QString::fromLatin1(kProveedorPostgres);
    c.OrigenRemoto = servidor.conexión(QStringLiteral("fallas"));
    arrancar(c);

    ASSERT_TRUE(servidor.parar());
    EXPECT_FALSE(ficha->GuardarFicha());
    unMensaje("Candora no tiene conexión con la base de datos");
    EXPECT_TRUE(m->sinBase());
    ASSERT_TRUE(servidor.reanudar());
    EXPECT_TRUE(ficha->GuardarFicha());
    EXPECT_EQ(S(apellidoGuardado()), "Sin Guardar");
}

TEST_F(FallasTest, UnRespaldoQueNoPuedeVolverAAbrirLaBaseNoDiceQueTerminóBien) {
    const QString ruta = CopiaBaseEntregada(carpeta);
    arrancar(EnArchivo(ruta));
    ASSERT_TRUE(ficha->GuardarFicha());
    ficha->parentWidget()->close();  // a backup wants no window open
    QAction* respaldo = m->findChild<QAction*>(QStringLiteral("mnuRespaldo"));
    for (int i = 0; i < 100 && !respaldo->isEnabled(); ++i) QTest::qWait(10);
    ASSERT_TRUE(respaldo->isEnabled());
    const QString cab = carpeta.filePath(QStringLiteral("copia.cab"));
    usuario.mensajes.clear();
    usuario.archivos = {cab};
    usuario.respuestas = {Respuesta::Sí};
    // While the copy is confirmed the store moves away: opening it again afterwards fails.
    usuario.alMostrar = [&](const Mensaje& e) {
        if (e.texto.startsWith(QStringLiteral("Confirme")))
            QSettings().setValue(QStringLiteral("Datos/OrigenLocal"),
                                 carpeta.filePath(QStringLiteral("movida.db")));
    };
    AlAparecerModal([](QWidget* d) {
        En<QPushButton>(d, "cmdCrear")->click();
        if (d->isVisible()) d->close();
    });
    respaldo->trigger();
    usuario.alMostrar = nullptr;
    ASSERT_EQ(usuario.mensajes.size(), 2u);  // the confirmation, then one message
    EXPECT_TRUE(usuario.mensajes[1].texto.startsWith(
        QStringLiteral("La copia de seguridad se guardó en %1, pero no se pudo volver a abrir")
            .arg(cab)))
        << S(usuario.mensajes[1].texto);
    EXPECT_TRUE(QFileInfo::exists(cab));
    EXPECT_TRUE(m->sinBase());
    usuario.mensajes.clear();
    m->abrir_cv(1, 0, {}, false);  // no crash: it tries the store, and says why not
    unMensaje("No se pudo volver a abrir la base de datos.");
    QSettings().setValue(QStringLiteral("Datos/OrigenLocal"), ruta);
    m->abrir_cv(1, 0, {}, false);
    EXPECT_TRUE(usuario.mensajes.empty());
    EXPECT_EQ(m->área()->subWindowList().size(), 1);
}

TEST(MarcaUso, UnProgramaMatadoSeNotaAlArrancarOtraVez) {
    QTemporaryDir carpeta;
    QDir(carpeta.path()).mkpath(QStringLiteral("config/Candora"));
    QFile ajustes(carpeta.filePath(QStringLiteral("config/Candora/Candora.conf")));
    ASSERT_TRUE(ajustes.open(QIODevice::WriteOnly));
    ajustes.write("[Opciones]\nAyudaR%E1pidaVer=0\n");
    ajustes.close();
    QProcess programa;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    e.insert(QStringLiteral("XDG_CONFIG_HOME"), carpeta.filePath(QStringLiteral("config")));
    e.insert(QStringLiteral("XDG_DATA_HOME"), carpeta.filePath(QStringLiteral("datos")));
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), carpeta.path());
    programa.setProcessEnvironment(e);
    programa.start(QStringLiteral(CANDORA_GUI), {});
    const QString datos = carpeta.filePath(QStringLiteral("datos/Candora/Candora"));
    const QString marca = QDir(datos).filePath(QStringLiteral("candora-en-uso"));
    for (int i = 0; i < 200 && !QFile::exists(marca); ++i) QTest::qWait(50);
    ASSERT_TRUE(QFile::exists(marca));
    ::kill(pid_t(programa.processId()), SIGKILL);
    programa.waitForFinished();

    EXPECT_TRUE(MarcaUso(datos).anteriorAnormal());  // this one ends normally
    EXPECT_FALSE(MarcaUso(datos).anteriorAnormal());
}

}  // namespace

#include "Principal.h"

#include "filecard/Escaner.h"
#include "filecard/frmTomarFoto.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>

namespace {

QString Imagen(const QTemporaryDir& carpeta, const char* nombre, QColor color) {
    QImage i(40, 30, QImage::Format_RGB32);
    i.fill(color);
    const QString ruta = carpeta.filePath(QString::fromUtf8(nombre));
    EXPECT_TRUE(i.save(ruta));
    return ruta;
}

class FotosTest : public FichaTest {};

TEST_F(FotosTest, SóloUnaImagenQueExisteLlegaASerLaFoto) {
    frmTomarFoto d;
    d.cargar(true);
    d.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_EQ(S(usuario.mensajes.back().texto), "No hay ninguna foto para guardar.");

    usuario.archivos = {carpeta.filePath(QStringLiteral("no-existe.png")),
                        Imagen(carpeta, "roja.png", Qt::red)};
    d.findChild<QAction*>(QStringLiteral("tlbBotones_archivo"))->trigger();
    EXPECT_TRUE(d.foto.Archivo.isEmpty());  // missing: refused
    d.findChild<QAction*>(QStringLiteral("tlbBotones_archivo"))->trigger();
    EXPECT_EQ(d.foto.Archivo, carpeta.filePath(QStringLiteral("roja.png")));
    EXPECT_EQ(d.origen, 1);
    EXPECT_EQ(S(frmTomarFoto::CarpetaFotos()), S(carpeta.path()));
    EXPECT_FALSE(d.findChild<QLabel*>(QStringLiteral("picFoto"))->pixmap().isNull());

    d.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_EQ(S(usuario.mensajes.back().texto), "Escriba un título para la foto.");
    d.findChild<QLineEdit*>(QStringLiteral("txtTítulo"))->setText(QStringLiteral(" Perfil "));
    d.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_TRUE(d.aceptado);
    EXPECT_EQ(S(d.foto.Título), "Perfil");
}

TEST_F(FotosTest, UnEscaneoSeGuardaDondeDiceElUsuarioOSeDescarta) {
    frmTomarFoto d;
    d.cargar(true);
    const auto escanear = [&] {
        d.findChild<QAction*>(QStringLiteral("tlbBotones_escaner"))->trigger();
    };
    escanear();  // no scanner
    EXPECT_TRUE(usuario.mensajes.back().texto.startsWith(QStringLiteral("Error al tomar foto.")));
    EXPECT_TRUE(d.foto.Archivo.isEmpty());

    usuario.imagenEscaneada = Imagen(carpeta, "escaneada.png", Qt::blue);
    usuario.archivos = {QString()};  // the save dialog is cancelled
    escanear();
    EXPECT_EQ(S(usuario.mensajes.back().texto),
              "No se guardó ninguna foto. El usuario canceló la operación.");
    EXPECT_FALSE(QFileInfo::exists(usuario.escaneos.back()));  // the temporary image went too
    EXPECT_TRUE(d.foto.Archivo.isEmpty());

    const QString destino = carpeta.filePath(QStringLiteral("fotos/nueva"));
    QDir().mkpath(carpeta.filePath(QStringLiteral("fotos")));
    usuario.archivos = {destino};
    escanear();
    EXPECT_EQ(S(d.foto.Archivo), S(destino + QStringLiteral(".png")));
    EXPECT_EQ(QImage(d.foto.Archivo).pixel(0, 0), QColor(Qt::blue).rgb());
    EXPECT_EQ(d.origen, 2);
    EXPECT_TRUE(usuario.diálogos.back().guardar);

    // Over a photo on a full disk: said, and the photo there stays.
    DiscoLleno disco;
    if (!disco.montado()) GTEST_SKIP() << "no se pudo montar un tmpfs (hace falta ser root)";
    const QString previa = disco.ruta(QStringLiteral("previa.png"));
    ASSERT_TRUE(QFile::copy(Imagen(carpeta, "roja.png", Qt::red), previa));
    disco.llenar(0);
    // Noise packs badly: more than the room the old photo would free.
    QImage ruido(100, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ruido.setPixel(x, y, uint(x * 7919 + y * 104729) * 2654435761u);
    usuario.imagenEscaneada = carpeta.filePath(QStringLiteral("ruido.png"));
    ASSERT_TRUE(ruido.save(usuario.imagenEscaneada));
    usuario.archivos = {previa};
    escanear();
    EXPECT_TRUE(usuario.mensajes.back().texto.contains(QStringLiteral("el disco está lleno")))
        << S(usuario.mensajes.back().texto);
    EXPECT_EQ(QImage(previa).pixel(0, 0), QColor(Qt::red).rgb());
    EXPECT_EQ(disco.archivos(), QStringList{QStringLiteral("previa.png")});
    EXPECT_EQ(S(d.foto.Archivo), S(destino + QStringLiteral(".png")));
}

TEST_F(FotosTest, LaFichaMuestraLaFotoElegidaYUnMarcoVacíoSiFalta) {
    principal->abrir_cv(0, 1, QStringLiteral("31"), true);
    frmFicha* f = ficha();
    f->mostrarSección(5);
    usuario.archivos = {Imagen(carpeta, "verde.png", Qt::green)};
    AlAparecerModal([](QWidget* d) {
        d->findChild<QAction*>(QStringLiteral("tlbBotones_archivo"))->trigger();
        d->findChild<QLineEdit*>(QStringLiteral("txtTítulo"))->setText(QStringLiteral("Frente"));
        d->findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    });
    f->ComandoFotos(QStringLiteral("a"));
    auto* lista = control<QListWidget>("lstFotos");
    auto* vista = control<QLabel>("picInteriorFoto");
    ASSERT_EQ(lista->count(), 1);
    EXPECT_FALSE(vista->pixmap().isNull());

    QFile::remove(f->postulante.Fotos.Item(1).Archivo);
    lista->setCurrentRow(-1);
    lista->setCurrentRow(0);
    EXPECT_TRUE(vista->pixmap().isNull());
    EXPECT_TRUE(vista->text().contains(QStringLiteral("verde.png")));
    usuario.respuestas = {Respuesta::Sí};
    f->ComandoFotos(QStringLiteral("q"));
    EXPECT_EQ(lista->count(), 0);
    EXPECT_TRUE(vista->text().isEmpty());
    EXPECT_EQ(S(usuario.mensajes.back().texto), "¿Eliminar 'Frente' de la lista?");
}

// SANE's own virtual scanner, where the machine has it.
TEST(Escaner, ElEscánerDePruebaDeSaneEntregaUnaImagen) {
    QTemporaryDir carpeta;
    QFile conf(carpeta.filePath(QStringLiteral("dll.conf")));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("test\n");
    conf.close();
    qputenv("SANE_CONFIG_DIR", carpeta.path().toLocal8Bit());
    QProcess lista;
    lista.start(QStringLiteral("scanimage"), {QStringLiteral("-L")});
    if (!lista.waitForFinished(20000) || !lista.readAllStandardOutput().contains("test:"))
        GTEST_SKIP() << "scanimage -L no encuentra el escáner de prueba de SANE";

    QString error;
    const auto dispositivos = DispositivosEscaner(error);
    ASSERT_FALSE(dispositivos.empty()) << S(error);
    EXPECT_TRUE(dispositivos.front().nombre.startsWith(QStringLiteral("test:")));
    const QString archivo = carpeta.filePath(QStringLiteral("foto.png"));
    ASSERT_TRUE(Escanear(dispositivos.front().nombre, archivo, error)) << S(error);
    const QImage i(archivo);
    EXPECT_FALSE(i.isNull());
    EXPECT_GT(i.width(), 10);
    EXPECT_GT(i.height(), 10);
    EXPECT_FALSE(Escanear(QStringLiteral("no:existe"), archivo + u'2', error));
    EXPECT_FALSE(error.isEmpty());
    qunsetenv("SANE_CONFIG_DIR");
}

}  // namespace

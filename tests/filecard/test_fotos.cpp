#include "Principal.h"

#include "controls/ceTxtBox.h"
#include "documents/ListaDocumentos.h"
#include "filecard/Escaner.h"
#include "filecard/frmTomarFoto.h"
#include "pages/VentanasPaginas.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>

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

namespace {

// Files dropped on a card become its documents; they open from a private copy, and
// the card saves afterwards as its own change.
TEST_F(FotosTest, LosDocumentosSeSueltanSobreLaFichaSeAbrenYSeQuitan) {
    const auto soltar = [&](const QStringList& archivos) {
        auto* datos = new QMimeData;
        QList<QUrl> urls;
        for (const QString& a : archivos) urls << QUrl::fromLocalFile(a);
        datos->setUrls(urls);
        QDragEnterEvent entra(QPoint(10, 10), Qt::CopyAction, datos, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(ficha(), &entra);
        EXPECT_TRUE(entra.isAccepted());
        QDropEvent e(QPointF(10, 10), Qt::CopyAction, datos, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ficha(), &e);
        delete datos;
    };
    const auto escribir = [&](const char* nombre, const QByteArray& contenido) {
        const QString ruta = carpeta.filePath(QString::fromUtf8(nombre));
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
        return ruta;
    };
    const QString cv = escribir("cv pérez.txt", "Ñandú, Pérez-Güemes, São Paulo\n");
    const QString otro = escribir("carta.rtf", "{\\rtf1\\ansi Carta de presentaci\\'f3n}");

    principal->abrir_cv(0, 1, QStringLiteral("30111222"), true);
    ASSERT_NE(ficha(), nullptr);
    soltar({cv});  // a card never saved takes no documents yet
    ASSERT_FALSE(usuario.mensajes.empty());
    EXPECT_EQ(S(usuario.mensajes.back().texto), "Guarde la ficha antes de agregarle documentos.");
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_d_documentos")), 0);
    Escribir(control<ceTxtBox>("txtApellido"), QStringLiteral("Pérez"));
    Escribir(control<ceTxtBox>("txtNombre"), QStringLiteral("Ana"));
    ASSERT_TRUE(ficha()->GuardarFicha());

    // As if the card had been saved long ago: adding documents stamps the applicant now.
    const int id = ficha()->postulante.id;
    dic->ejecutar(QStringLiteral("update nvx_m_postulantes set actualizado = '20000101000000' "
                                 "where id = ?"),
                  {id});
    ficha()->postulante.actualizado = QStringLiteral("20000101000000");
    soltar({cv, otro});
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_d_documentos where postulante = ?"), {id}),
              2);
    auto* lista = control<ListaDocumentos>("lstDocumentos");
    ASSERT_EQ(lista->topLevelItemCount(), 2);
    EXPECT_EQ(S(lista->topLevelItem(0)->text(0)), "cv pérez.txt");
    EXPECT_EQ(S(lista->topLevelItem(1)->text(1)), "RTF");

    lista->setCurrentItem(lista->topLevelItem(0));
    QTest::keyClick(lista, Qt::Key_Return);
    ASSERT_EQ(usuario.abiertos.size(), 1);
    QFile copia(usuario.abiertos.first());
    ASSERT_TRUE(copia.open(QIODevice::ReadOnly));
    EXPECT_EQ(copia.readAll(), QByteArray("Ñandú, Pérez-Güemes, São Paulo\n"));
    EXPECT_EQ(S(QFileInfo(copia).fileName()), "cv pérez.txt");
    EXPECT_FALSE(QFileInfo(QFileInfo(copia).absolutePath() + QStringLiteral("/..")).permissions() &
                 QFileDevice::ReadOther);  // no other user reads it

    const QString guardada = carpeta.filePath(QStringLiteral("guardada.txt"));
    usuario.archivos = {guardada};
    lista->guardarCopia();
    QFile g(guardada);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    EXPECT_EQ(g.readAll(), QByteArray("Ñandú, Pérez-Güemes, São Paulo\n"));

    // The CV page lists them; its links open them, every other link stays put.
    frmCVhtml página;
    página.postulante.id = id;
    ASSERT_EQ(página.postulante.cargar(), 1);
    página.cargar();
    auto* vista = página.findChild<QTextBrowser*>();
    ASSERT_NE(vista, nullptr);
    EXPECT_TRUE(vista->toPlainText().contains(QStringLiteral("Documentos adjuntos")));
    EXPECT_TRUE(vista->toHtml().contains(QStringLiteral("documento:"))) << S(vista->toHtml());
    const int doc = lista->topLevelItem(1)->data(0, Qt::UserRole).toInt();
    emit vista->anchorClicked(QUrl(QStringLiteral("mailto:ana@example.com")));
    emit vista->anchorClicked(QUrl(QStringLiteral("documento:%1").arg(doc)));
    ASSERT_EQ(usuario.abiertos.size(), 2);
    EXPECT_EQ(S(QFileInfo(usuario.abiertos.last()).fileName()), "carta.rtf");

    // The stamp was this card's own change: its next save is not taken for another's.
    EXPECT_NE(S(ficha()->postulante.actualizado), "20000101000000");
    const size_t mensajes = usuario.mensajes.size();
    Escribir(control<ceTxtBox>("txtNombre"), QStringLiteral("Ana María"));
    EXPECT_TRUE(ficha()->GuardarFicha());
    EXPECT_EQ(usuario.mensajes.size(), mensajes);

    usuario.respuestas = {Respuesta::Sí};
    lista->setCurrentItem(lista->topLevelItem(1));
    QTest::keyClick(lista, Qt::Key_Delete);
    EXPECT_EQ(lista->topLevelItemCount(), 1);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_d_documentos where nombre = 'carta.rtf'")),
              0);

    // A card only being read opens its documents but takes none.
    ficha()->setEdición(false);
    soltar({otro});
    EXPECT_EQ(lista->topLevelItemCount(), 1);
    EXPECT_EQ(S(usuario.estados.back()), "Habilite la edición para agregar o quitar documentos.");
}

}  // namespace

#include "Apoyo.h"

#include "pages/PaginaCV.h"
#include "pages/PaginaResultados.h"
#include "records/Generador.h"
#include "records/cPostulante.h"
#include "store/Diccionario.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// Runs headless Chromium on a local page with `opciones`; its standard output.
QByteArray Chromium(const QString& programa, const QString& página, QStringList opciones) {
    QTemporaryDir perfil;
    opciones << QStringLiteral("--headless") << QStringLiteral("--no-sandbox")
             << QStringLiteral("--disable-gpu") << QStringLiteral("--hide-scrollbars")
             << QStringLiteral("--user-data-dir=") + perfil.path()
             << QUrl::fromLocalFile(página).toString();
    QProcess p;
    p.start(programa, opciones);
    p.waitForFinished(120000);
    return p.readAllStandardOutput();
}

void Escribir(const QString& ruta, const QString& html) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(html.toUtf8());
}

// The browser must read both pages as we mean them: UTF-8, stored texts as
// text (never markup), and a picture of each to look at in build/capturas.
TEST(Navegador, ChromiumMuestraAmbasPáginasComoTexto) {
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        GTEST_SKIP() << "Chromium no está instalado: no se prueba con un navegador.";

    QTemporaryDir carpeta;
    const QString ruta = CopiaBaseEntregada(carpeta);
    InteraccionGuionada usuario;
    dic = std::make_unique<Diccionario>();
    dic->abrirArchivo(ruta, false);
    GenerarPostulantes(*dic, 60, 11, {});
    cPostulante p;
    p.id = 7;
    ASSERT_EQ(p.cargar(), 1);
    p.Apellido = QStringLiteral("<script>document.title='X'</script>Peña");
    p.Observaciones = QStringLiteral("Dijo \"hola\" & <b>se fue</b>\nVuelve el lunes");
    p.MonedaMes = 3;
    ASSERT_TRUE(p.guardar());
    ASSERT_EQ(p.cargar(), 1);
    dic->ejecutar(
        QStringLiteral("insert into RESULTADO (CONSULTA, ID) select 1, id from nvx_m_postulantes"));

    QDir().mkpath(QStringLiteral(CANDORA_CAPTURAS));
    const QString cv = QStringLiteral(CANDORA_CAPTURAS "/cv.htm");
    const QString lista = QStringLiteral(CANDORA_CAPTURAS "/resultados.htm");
    Escribir(cv, PáginaCV(*dic, p, QStringLiteral("ana")));
    cResultado r;
    ASSERT_GT(r.cargar(1, QStringLiteral("Todos & <cualquiera>")), 40);
    Escribir(lista, r.página(21).html);
    dic.reset();

    const QString dom = QString::fromUtf8(Chromium(chromium, cv, {QStringLiteral("--dump-dom")}));
    ASSERT_FALSE(dom.isEmpty()) << "Chromium no dio el documento";
    EXPECT_FALSE(dom.contains(QStringLiteral("<script>")));
    EXPECT_TRUE(
        dom.contains(QStringLiteral("&lt;script&gt;document.title='X'&lt;/script&gt;Peña")));
    EXPECT_TRUE(dom.contains(QStringLiteral("Dijo \"hola\" &amp; &lt;b&gt;se fue&lt;/b&gt;<br>")));
    EXPECT_TRUE(dom.contains(QStringLiteral("€")));
    EXPECT_TRUE(dom.contains(QStringLiteral("Descripción física")));
    EXPECT_TRUE(dom.contains(QStringLiteral("Expectativas")));

    const QString domLista =
        QString::fromUtf8(Chromium(chromium, lista, {QStringLiteral("--dump-dom")}));
    EXPECT_TRUE(domLista.contains(QStringLiteral("<title>Todos &amp; &lt;cualquiera&gt;</title>")));
    EXPECT_EQ(domLista.count(QStringLiteral("<a href=\"post")), 20);
    EXPECT_TRUE(domLista.contains(QStringLiteral("Mostrando <b>21</b> - <b>40</b>")));

    for (const QString& página : {cv, lista}) {
        const QString png = QString(página).replace(QStringLiteral(".htm"), QStringLiteral(".png"));
        QFile::remove(png);
        Chromium(
            chromium, página,
            {QStringLiteral("--window-size=1000,2600"), QStringLiteral("--screenshot=") + png});
        const QImage imagen(png);
        ASSERT_FALSE(imagen.isNull()) << "sin captura de " << página.toStdString();
        // Not a blank page: the section bars and text leave grey and dark pixels.
        int oscuros = 0;
        for (int y = 0; y < imagen.height(); y += 4)
            for (int x = 0; x < imagen.width(); x += 4) oscuros += qGray(imagen.pixel(x, y)) < 128;
        EXPECT_GT(oscuros, 200) << página.toStdString();
    }
}

}  // namespace

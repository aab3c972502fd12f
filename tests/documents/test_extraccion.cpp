#include "documents/Extraccion.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <zip.h>

#include <gtest/gtest.h>

// Failures show the texts, not their bytes.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QString kLínea1 = QStringLiteral("Ñandú, Pérez-Güemes, São Paulo");
const QString kLínea2 = QStringLiteral("Segunda línea");
const QString kAmbas = kLínea1 + u'\n' + kLínea2;

// A PDF of one page per entry, each line of it drawn as text; or only an image.
QByteArray Pdf(const QList<QStringList>& páginas, bool soloImagen = false) {
    QByteArray datos;
    QBuffer b(&datos);
    b.open(QIODevice::WriteOnly);
    QPdfWriter w(&b);
    QPainter p(&w);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
    for (qsizetype i = 0; i < páginas.size(); ++i) {
        if (i > 0) w.newPage();
        if (soloImagen) {
            QImage img(200, 100, QImage::Format_RGB32);
            img.fill(Qt::white);
            QPainter(&img).drawText(10, 50, kLínea1);  // text as pixels, not as PDF text
            p.drawImage(QPoint(100, 100), img);
        }
        for (qsizetype l = 0; l < páginas[i].size(); ++l)
            p.drawText(200, 400 + int(l) * 300, páginas[i][l]);
    }
    p.end();
    return datos;
}

// A zip written by libzip to a real file; entries stored or deflated as named.
QByteArray Zip(const QString& carpeta, const QList<std::pair<const char*, QByteArray>>& entradas) {
    const QString ruta = carpeta + QStringLiteral("/prueba.zip");
    QFile::remove(ruta);
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(ruta).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z) return {};
    for (const auto& [nombre, datos] : entradas) {
        zip_source_t* s = zip_source_buffer(z, datos.constData(), zip_uint64_t(datos.size()), 0);
        const zip_int64_t i = zip_file_add(z, nombre, s, ZIP_FL_OVERWRITE);
        if (QByteArray(nombre) == "mimetype") zip_set_file_compression(z, i, ZIP_CM_STORE, 0);
    }
    if (zip_close(z) != 0) return {};
    QFile f(ruta);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QByteArray Docx(const QByteArray& cuerpo) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
           "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
           "<w:body>" +
           cuerpo + "</w:body></w:document>";
}

}  // namespace

TEST(Extraccion, Pdf) {
    const QByteArray pdf = Pdf({{kLínea1, kLínea2}, {QStringLiteral("Página dos")}});
    TextoDocumento d = ExtraerTexto(pdf, QStringLiteral("cv.bin"));  // the content decides
    EXPECT_EQ(d.tipo, QStringLiteral("application/pdf"));
    EXPECT_EQ(d.estado, EstadoTexto::Extraído);
    EXPECT_EQ(d.texto, kAmbas + QStringLiteral("\n\nPágina dos"));
    EXPECT_TRUE(d.motivo.isEmpty());

    // An exhausted time budget stops between pages, keeping the pages read.
    LímitesExtracción sinTiempo;
    sinTiempo.milisegundos = 0;
    d = ExtraerTexto(pdf, QStringLiteral("cv.pdf"), sinTiempo);
    EXPECT_EQ(d.estado, EstadoTexto::Excedido);
    EXPECT_EQ(d.texto, kAmbas);
    LímitesExtracción corto;
    corto.máximoCaracteres = 5;
    EXPECT_EQ(ExtraerTexto(pdf, QStringLiteral("cv.pdf"), corto).texto, QStringLiteral("Ñandú"));

    d = ExtraerTexto(Pdf({{}}, true), QStringLiteral("escaneo.pdf"));
    EXPECT_EQ(d.estado, EstadoTexto::SinTexto);
    EXPECT_EQ(d.motivo, QStringLiteral("sin texto extraíble"));
    EXPECT_TRUE(d.texto.isEmpty());

    // Damaged: cut short, garbage behind the signature, empty, or not a PDF at all.
    for (const QByteArray& roto :
         {pdf.left(pdf.size() / 3), QByteArray("%PDF-1.7\n\x01\x02 obj <<"), QByteArray(),
          QByteArray("hola")}) {
        d = ExtraerTexto(roto, QStringLiteral("cv.pdf"));
        EXPECT_EQ(d.estado, EstadoTexto::Dañado) << roto.left(20).toStdString();
        EXPECT_EQ(d.motivo, QStringLiteral("el archivo está dañado"));
    }

    const QString qpdf = QStandardPaths::findExecutable(QStringLiteral("qpdf"));
    ASSERT_FALSE(qpdf.isEmpty()) << "qpdf no está instalado (scripts/setup)";
    QTemporaryDir dir;
    QFile claro(dir.filePath(QStringLiteral("claro.pdf")));
    ASSERT_TRUE(claro.open(QIODevice::WriteOnly));
    claro.write(pdf);
    claro.close();
    const QString cifrado = dir.filePath(QStringLiteral("cifrado.pdf"));
    ASSERT_EQ(QProcess::execute(qpdf, {QStringLiteral("--encrypt"), QStringLiteral("clave"),
                                       QStringLiteral("clave"), QStringLiteral("256"),
                                       QStringLiteral("--"), claro.fileName(), cifrado}),
              0);
    QFile c(cifrado);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    d = ExtraerTexto(c.readAll(), QStringLiteral("cifrado.pdf"));
    EXPECT_EQ(d.estado, EstadoTexto::Cifrado);
    EXPECT_EQ(d.motivo, QStringLiteral("el PDF está protegido con contraseña"));
    EXPECT_TRUE(d.texto.isEmpty());
}

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

TEST(Extraccion, FormatosZip) {
    QTemporaryDir dir;
    // Runs split inside a word, a tab stop in the paragraph properties (not a tab),
    // w:tab, w:br, and the fallback copy of a text box that must not be read twice.
    const QByteArray docx =
        Zip(dir.path(),
            {{"[Content_Types].xml", "<Types/>"},
             {"word/document.xml",
              Docx("<w:p><w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"720\"/></w:tabs></w:pPr>"
                   "<w:r><w:t>Ñandú, Pé</w:t></w:r><w:r><w:t>rez-Güemes,</w:t></w:r>"
                   "<w:r><w:t xml:space=\"preserve\"> São Paulo</w:t></w:r></w:p>"
                   "<w:p><w:r><w:t>Segunda línea</w:t><w:tab/><w:t>tel.</w:t><w:br/>"
                   "<w:t>fin</w:t></w:r></w:p>"
                   "<mc:AlternateContent xmlns:mc=\"http://schemas.openxmlformats.org/"
                   "markup-compatibility/2006\"><mc:Choice/><mc:Fallback><w:p><w:r><w:t>copia"
                   "</w:t></w:r></w:p></mc:Fallback></mc:AlternateContent>")}});
    TextoDocumento d = ExtraerTexto(docx, QStringLiteral("adjunto"));
    EXPECT_EQ(d.tipo, TiposDocumento::Docx);
    EXPECT_EQ(d.estado, EstadoTexto::Extraído);
    EXPECT_EQ(d.texto, kAmbas + QStringLiteral("\ttel.\nfin"));

    // The mimetype entry, stored first; spans, a list, collapsed white space, text:s.
    const QByteArray odt =
        Zip(dir.path(),
            {{"mimetype", "application/vnd.oasis.opendocument.text"},
             {"content.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content "
              "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
              "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body>"
              "<office:text><text:h>Ñandú, <text:span>Pérez-Güemes</text:span>, São\n   Paulo"
              "</text:h><office:annotation><text:p>nota</text:p></office:annotation>"
              "<text:list><text:list-item><text:p>Segunda línea<text:tab/>a<text:s "
              "text:c=\"3\"/>b<text:line-break/>fin</text:p></text:list-item></text:list>"
              "</office:text></office:body></office:document-content>"}});
    d = ExtraerTexto(odt, QStringLiteral("adjunto"));
    EXPECT_EQ(d.tipo, TiposDocumento::Odt);
    EXPECT_EQ(d.estado, EstadoTexto::Extraído);
    EXPECT_EQ(d.texto, kAmbas + QStringLiteral("\ta   b\nfin"));

    // 8 MB of one letter: over a small total cap, and over the compression ratio
    // with the default one; real text of the same size goes through.
    const QByteArray bomba = Zip(
        dir.path(), {{"word/document.xml",
                      Docx("<w:p><w:r><w:t>" + QByteArray(8 << 20, 'a') + "</w:t></w:r></w:p>")}});
    LímitesExtracción chico;
    chico.máximoDescomprimido = 4 << 20;
    for (const auto& límites : {chico, LímitesExtracción{}}) {
        d = ExtraerTexto(bomba, QStringLiteral("cv.docx"), límites);
        EXPECT_EQ(d.estado, EstadoTexto::Excedido);
        EXPECT_EQ(d.motivo, QStringLiteral("el archivo descomprimido supera el límite"));
    }
    QByteArray variado;
    for (int i = 0; variado.size() < (3 << 20); ++i)
        variado += "<w:p><w:r><w:t>" +
                   QByteArray::number(QRandomGenerator::global()->generate64()) +
                   "</w:t></w:r></w:p>";
    d = ExtraerTexto(Zip(dir.path(), {{"word/document.xml", Docx(variado)}}),
                     QStringLiteral("cv.docx"));
    EXPECT_EQ(d.estado, EstadoTexto::Extraído);

    // A cut zip, a zip without the document part, and broken XML are damaged.
    const QByteArray sinParte = Zip(dir.path(), {{"word/otro.xml", Docx({})}});
    const QByteArray xmlRoto = Zip(dir.path(), {{"word/document.xml", "<w:document><w:p>"}});
    for (const QByteArray& roto : {docx.left(docx.size() / 2), sinParte, xmlRoto}) {
        d = ExtraerTexto(roto, QStringLiteral("cv.docx"));
        EXPECT_EQ(d.tipo, TiposDocumento::Docx);
        EXPECT_EQ(d.estado, EstadoTexto::Dañado);
        EXPECT_EQ(d.motivo, QStringLiteral("el archivo está dañado"));
    }
    EXPECT_EQ(ExtraerTexto(odt.left(odt.size() - 30), QStringLiteral("cv.odt")).estado,
              EstadoTexto::Dañado);
}

TEST(Extraccion, FormatosDeTexto) {
    // RTF: code page escapes, \u with its stand-in skipped, skipped tables and
    // unknown optional destinations, a Cyrillic code page, and a nesting bomb.
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
        "{\\colortbl;\\red0\\green0\\blue0;}{\\*\\generator Prueba;}{\\info{\\title T}}\\uc1\\pard "
        "\\'d1and\\u250?, P\\'e9rez-G\\u252\\'fcemes, S\\u227 ?o Paulo\\par\r\n"
        "Segunda l\\'ednea{\\*\\desconocido oculto}\\tab \\{x\\}\\line fin}";
    TextoDocumento d = ExtraerTexto(rtf, QStringLiteral("cv.doc"));
    EXPECT_EQ(d.tipo, TiposDocumento::Rtf);
    EXPECT_EQ(d.texto, kAmbas + QStringLiteral("\t{x}\nfin"));
    EXPECT_EQ(ExtraerTexto("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'e5\\'f0\\'e5\\'f1}", {}).texto,
              QStringLiteral("Перес"));
    d = ExtraerTexto("{\\rtf1 " + QByteArray(100000, '{') + "x", QStringLiteral("cv.rtf"));
    EXPECT_EQ(d.estado, EstadoTexto::Dañado);

    // Plain text: UTF-8 with and without BOM, UTF-16 with BOM, windows-1252;
    // CR LF ends, NUL, trailing blanks and long runs of blank lines normalised.
    const QByteArray utf8 = kAmbas.toUtf8();
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(kAmbas.utf16()), kAmbas.size() * 2);
    for (const QByteArray& t : {utf8, "\xEF\xBB\xBF" + utf8, utf16,
                                QByteArray("\xD1"
                                           "and\xFA, P\xE9rez-G\xFC"
                                           "emes, S\xE3o Paulo  \r\n"
                                           "Segunda l\xEDnea")}) {
        d = ExtraerTexto(t, QStringLiteral("cv.txt"));
        EXPECT_EQ(d.tipo, TiposDocumento::Texto);
        EXPECT_EQ(d.estado, EstadoTexto::Extraído);
        EXPECT_EQ(d.texto, kAmbas);
    }
    EXPECT_EQ(
        ExtraerTexto(QByteArray("\r\n\x93uno\x94 \x80\x81\r\n\r\n\r\n\r\n\r\ndos\0tres\t\n", 30),
                     QStringLiteral("cv.txt"))
            .texto,
        QStringLiteral("“uno” €\n\n\ndostres"));

    // HTML: the declared code page, entities, blocks as lines; head, script and style out.
    const QByteArray html =
        "<!DOCTYPE html>\n<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=iso-8859-1\"><title>T\xEDtulo</title><style>p { color: red }</style>"
        "<script>var s = \"<p>oculto</p>\";</script></head>\n<body><p>&Ntilde;and&uacute;,\n"
        "  P&#233;rez-G&#xFC;emes, S\xE3o&nbsp;Paulo</p><!-- <p>comentario</p> --><div>Segunda "
        "l&iacute;nea</div><ul><li>a &lt;b&gt; &amp; &quot;c&quot; &#39;d&#39; &Eacute;&uuml;"
        "<li>fin &noexiste;</ul></body></html>";
    d = ExtraerTexto(html, QStringLiteral("cv"));
    EXPECT_EQ(d.tipo, TiposDocumento::Html);
    EXPECT_EQ(d.texto, kAmbas + QStringLiteral("\na <b> & \"c\" 'd' Éü\nfin &noexiste;"));

    // Unknown formats and texts with nothing in them.
    d = ExtraerTexto(QByteArray("\x00\x01\x02", 3), QStringLiteral("foto.jpg"));
    EXPECT_EQ(d.estado, EstadoTexto::NoAdmitido);
    EXPECT_EQ(d.motivo, QStringLiteral("formato no admitido"));
    EXPECT_EQ(d.tipo, TiposDocumento::Otro);
    for (const QByteArray& vacío : {QByteArray(), QByteArray(" \r\n\t\n")})
        EXPECT_EQ(ExtraerTexto(vacío, QStringLiteral("cv.txt")).estado, EstadoTexto::SinTexto);
    EXPECT_EQ(ExtraerTexto("<html><body><p> </p></body></html>", {}).estado, EstadoTexto::SinTexto);

    EXPECT_EQ(QStringList({NombreTipo(TiposDocumento::Pdf), NombreTipo(TiposDocumento::Docx),
                           NombreTipo(TiposDocumento::Odt), NombreTipo(TiposDocumento::Rtf),
                           NombreTipo(TiposDocumento::Texto), NombreTipo(TiposDocumento::Html)})
                  .join(u','),
              QStringLiteral("PDF,Word,OpenDocument,RTF,Texto,HTML"));
}

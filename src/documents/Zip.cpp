// Word (.docx) and OpenDocument (.odt) text: one XML part read out of the zip.
#include "documents/Internos.h"

#include <QXmlStreamReader>

#include <zip.h>

#include <memory>

namespace documentos {

namespace {

const char* const kDocumentoWord = "word/document.xml";
const char* const kContenidoOdt = "content.xml";
const QByteArray kMimeOdt = "application/vnd.oasis.opendocument.text";

// An entry past this size must not be compressed more than kRazón to one.
constexpr qint64 kGrande = 1024 * 1024;
constexpr qint64 kRazón = 200;

struct CerrarZip {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct CerrarEntrada {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
using Zip = std::unique_ptr<zip_t, CerrarZip>;

// Opens the zip in memory, without copying it; null when it is not a readable zip.
Zip AbrirZip(const QByteArray& contenido) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* fuente =
        zip_source_buffer_create(contenido.constData(), zip_uint64_t(contenido.size()), 0, &error);
    zip_error_fini(&error);
    if (!fuente) return nullptr;
    zip_error_init(&error);
    zip_t* z = zip_open_from_source(fuente, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!z) zip_source_free(fuente);
    return Zip(z);
}

// Reads entries under a running total shared by the whole file; the declared
// sizes are only a hint, the bytes actually inflated are what count.
class Lector {
  public:
    Lector(zip_t* z, qint64 tamaño, const LímitesExtracción& límites, const QDeadlineTimer* plazo)
        : zip(z), tamaño(tamaño), límites(límites), plazo(plazo) {}

    // The entry's bytes, or a failure state in `falla`.
    bool leer(const char* nombre, QByteArray& datos, Resultado& falla) {
        const zip_int64_t índice = zip_name_locate(zip, nombre, 0);
        if (índice < 0) return fallar(falla, EstadoTexto::Dañado, kDañado);
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(zip, zip_uint64_t(índice), 0, &st) != 0)
            return fallar(falla, EstadoTexto::Dañado, kDañado);
        // The compressed size as declared, but never more than the whole archive.
        const qint64 comprimido =
            qMin((st.valid & ZIP_STAT_COMP_SIZE) ? qint64(st.comp_size) : qint64(0), tamaño);
        std::unique_ptr<zip_file_t, CerrarEntrada> f(zip_fopen_index(zip, zip_uint64_t(índice), 0));
        if (!f) return fallar(falla, EstadoTexto::Dañado, kDañado);
        datos.clear();
        char bloque[64 * 1024];
        for (;;) {
            const zip_int64_t n = zip_fread(f.get(), bloque, sizeof bloque);
            if (n < 0) return fallar(falla, EstadoTexto::Dañado, kDañado);
            if (n == 0) break;
            total += n;
            const qint64 leídos = datos.size() + n;
            if (total > límites.máximoDescomprimido ||
                (leídos > kGrande && leídos > kRazón * qMax<qint64>(comprimido, 1)))
                return fallar(falla, EstadoTexto::Excedido, kDescomprimido);
            if (plazo && plazo->hasExpired()) return fallar(falla, EstadoTexto::Excedido, kTiempo);
            datos.append(bloque, qsizetype(n));
        }
        return true;
    }

  private:
    static bool fallar(Resultado& r, EstadoTexto e, const QString& motivo) {
        r = Falla(e, motivo);
        return false;
    }

    zip_t* zip;
    qint64 tamaño;  // of the archive
    const LímitesExtracción& límites;
    const QDeadlineTimer* plazo;
    qint64 total = 0;
};

// How often the XML walk looks at the clock, in tokens.
constexpr int kCadaTokens = 4096;

bool NamespaceWord(QStringView ns) {
    return ns == u"http://schemas.openxmlformats.org/wordprocessingml/2006/main" ||
           ns == u"http://purl.oclc.org/ooxml/wordprocessingml/main";
}
const QString kNsTexto = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kNsOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kNsCompatibilidad =
    QStringLiteral("http://schemas.openxmlformats.org/markup-compatibility/2006");

// The end of the walk: damaged XML, time out, or the text.
Resultado Terminar(const QXmlStreamReader& xml, QString&& texto, bool vencido) {
    if (vencido) return {std::move(texto), EstadoTexto::Excedido, kTiempo};
    if (xml.hasError()) return Falla(EstadoTexto::Dañado, kDañado);
    return {std::move(texto), EstadoTexto::Extraído, {}};
}

// w:t text, w:tab, w:br / w:cr, paragraph ends; tab stops in paragraph
// properties are not tabs, and the fallback copy of alternate content is skipped.
Resultado TextoWord(const QByteArray& xmlBytes, const QDeadlineTimer& plazo) {
    QXmlStreamReader xml(xmlBytes);
    QString t;
    int enTexto = 0, enCorrida = 0, tokens = 0;
    bool vencido = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (++tokens % kCadaTokens == 0 && plazo.hasExpired()) {
            vencido = true;
            break;
        }
        if (token == QXmlStreamReader::StartElement) {
            const QStringView n = xml.name();
            if (xml.namespaceUri() == kNsCompatibilidad && n == u"Fallback") {
                xml.skipCurrentElement();
                continue;
            }
            if (!NamespaceWord(xml.namespaceUri())) continue;
            if (n == u"t")
                ++enTexto;
            else if (n == u"r")
                ++enCorrida;
            else if (enCorrida && n == u"tab")
                t += u'\t';
            else if (enCorrida && (n == u"br" || n == u"cr"))
                t += u'\n';
            else if (enCorrida && n == u"noBreakHyphen")
                t += u'-';
        } else if (token == QXmlStreamReader::EndElement) {
            if (!NamespaceWord(xml.namespaceUri())) continue;
            const QStringView n = xml.name();
            if (n == u"t" && enTexto)
                --enTexto;
            else if (n == u"r" && enCorrida)
                --enCorrida;
            else if (n == u"p")
                t += u'\n';
        } else if (token == QXmlStreamReader::Characters && enTexto) {
            t += xml.text();
        }
    }
    return Terminar(xml, std::move(t), vencido);
}

// text:p and text:h as lines; white space in their text collapses to one space
// as ODF lays it out, while text:s, text:tab and text:line-break are kept.
Resultado TextoOdt(const QByteArray& xmlBytes, const QDeadlineTimer& plazo) {
    QXmlStreamReader xml(xmlBytes);
    QString t;
    int enPárrafo = 0, tokens = 0;
    bool espacio = true;  // the last thing written was collapsible space or a line start
    bool vencido = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (++tokens % kCadaTokens == 0 && plazo.hasExpired()) {
            vencido = true;
            break;
        }
        if (token == QXmlStreamReader::StartElement) {
            const QStringView n = xml.name();
            if (xml.namespaceUri() == kNsOffice && n == u"annotation") {
                xml.skipCurrentElement();  // comments are not the CV's text
                continue;
            }
            if (xml.namespaceUri() != kNsTexto) continue;
            if (n == u"tracked-changes" || n == u"note-citation") {
                xml.skipCurrentElement();
            } else if (n == u"p" || n == u"h") {
                if (enPárrafo && !t.endsWith(u'\n')) t += u'\n';  // a note's paragraph inside
                ++enPárrafo;
                espacio = true;
            } else if (n == u"s") {
                bool ok = false;
                const int c = xml.attributes().value(kNsTexto, QStringLiteral("c")).toInt(&ok);
                t += QString(ok ? qBound(1, c, 1000) : 1, u' ');
                espacio = false;
            } else if (n == u"tab") {
                t += u'\t';
                espacio = false;
            } else if (n == u"line-break") {
                t += u'\n';
                espacio = true;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.namespaceUri() == kNsTexto && (xml.name() == u"p" || xml.name() == u"h") &&
                enPárrafo) {
                --enPárrafo;
                t += u'\n';
                espacio = true;
            }
        } else if (token == QXmlStreamReader::Characters && enPárrafo) {
            for (const QChar c : xml.text()) {
                if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
                    if (!espacio) t += u' ';
                    espacio = true;
                } else {
                    t += c;
                    espacio = false;
                }
            }
        }
    }
    return Terminar(xml, std::move(t), vencido);
}

}  // namespace

QString TipoZip(const QByteArray& contenido) {
    Zip z = AbrirZip(contenido);
    if (!z) return {};
    if (zip_name_locate(z.get(), kDocumentoWord, 0) >= 0) return TiposDocumento::Docx;
    // The mimetype entry is a few dozen bytes; a small cap keeps a disguised bomb out.
    LímitesExtracción pequeño;
    pequeño.máximoDescomprimido = 256;
    Lector lector(z.get(), contenido.size(), pequeño, nullptr);
    QByteArray mime;
    Resultado falla;
    if (lector.leer("mimetype", mime, falla) && mime.trimmed() == kMimeOdt)
        return TiposDocumento::Odt;
    return {};
}

Resultado LeerDocx(const QByteArray& contenido, const LímitesExtracción& límites,
                   const QDeadlineTimer& plazo) {
    Zip z = AbrirZip(contenido);
    if (!z) return Falla(EstadoTexto::Dañado, kDañado);
    Lector lector(z.get(), contenido.size(), límites, &plazo);
    QByteArray xml;
    Resultado r;
    if (!lector.leer(kDocumentoWord, xml, r)) return r;
    return TextoWord(xml, plazo);
}

Resultado LeerOdt(const QByteArray& contenido, const LímitesExtracción& límites,
                  const QDeadlineTimer& plazo) {
    Zip z = AbrirZip(contenido);
    if (!z) return Falla(EstadoTexto::Dañado, kDañado);
    Lector lector(z.get(), contenido.size(), límites, &plazo);
    QByteArray xml;
    Resultado r;
    if (!lector.leer(kContenidoOdt, xml, r)) return r;
    return TextoOdt(xml, plazo);
}

}  // namespace documentos

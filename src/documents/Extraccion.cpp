#include "documents/Extraccion.h"

#include "documents/Internos.h"
#include "import/Intercambio.h"

#include <QFileInfo>
#include <QStringDecoder>

using namespace documentos;

namespace {

// The content after a UTF-8 BOM and leading white space, ASCII-lowercased, at most `n` bytes.
QByteArray Comienzo(const QByteArray& contenido, qsizetype n) {
    qsizetype i = contenido.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < contenido.size() &&
           (contenido[i] == ' ' || (contenido[i] >= '\t' && contenido[i] <= '\r')))
        ++i;
    return contenido.mid(i, n).toLower();
}

bool EsHtml(const QByteArray& contenido) {
    const QByteArray c = Comienzo(contenido, 1024);
    if (c.startsWith("<!doctype html") || c.startsWith("<html")) return true;
    // An XML declaration or a comment may come before the root element.
    return (c.startsWith("<?xml") || c.startsWith("<!--")) && c.contains("<html");
}

// Line ends to \n, no NUL or other control characters but tab, no blanks at line
// ends, at most two blank lines in a row, none at the start or the end.
QString Normalizar(const QString& crudo) {
    const QString t = crudo.normalized(QString::NormalizationForm_C);
    QString r;
    r.reserve(t.size());
    int saltos = 0;     // line ends pending, written before the next visible text
    QString pendiente;  // spaces and tabs, written only when visible text follows
    for (qsizetype i = 0; i < t.size(); ++i) {
        char16_t c = t[i].unicode();
        if (c == u'\r') {
            if (i + 1 < t.size() && t[i + 1] == u'\n') continue;
            c = u'\n';
        }
        if (c == u'\n' || c == u'\f' || c == u'\v' || c == 0x2028 || c == 0x2029 || c == 0x85) {
            ++saltos;
            pendiente.clear();
            continue;
        }
        if (c == 0xA0) c = u' ';
        if (c == u' ' || c == u'\t') {
            pendiente += QChar(c);
            continue;
        }
        // NUL and the other controls, C1 ones from undefined windows-1252 bytes, stray BOMs.
        if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xFEFF) continue;
        if (!r.isEmpty()) r += QString(qMin(saltos, 3), u'\n');
        saltos = 0;
        if (!pendiente.isEmpty()) {
            r += pendiente;
            pendiente.clear();
        }
        r += QChar(c);
    }
    return r;
}

// At most `máximo` UTF-16 units, without splitting a surrogate pair.
void Recortar(QString& texto, qsizetype máximo) {
    if (máximo < 0 || texto.size() <= máximo) return;
    if (máximo > 0 && texto[máximo - 1].isHighSurrogate()) --máximo;
    texto.truncate(máximo);
}

}  // namespace

namespace documentos {

QString DecodificarCodigo(const QByteArray& bytes, const QByteArray& código) {
    QStringDecoder d(código.constData());
    if (d.isValid()) return d.decode(bytes);
    return DesdeWindows1252(bytes);
}

QString DecodificarTexto(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringDecoder::Utf16LE);
        return d.decode(QByteArrayView(bytes).sliced(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder d(QStringDecoder::Utf16BE);
        return d.decode(QByteArrayView(bytes).sliced(2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString t = utf8.decode(bytes);
    if (!utf8.hasError()) return t;
    return DecodificarCodigo(bytes, "windows-1252");
}

}  // namespace documentos

QString TipoDocumento(const QByteArray& contenido, const QString& nombreArchivo) {
    // PDF readers accept the header anywhere in the first kilobyte.
    if (contenido.left(1024).contains("%PDF-")) return TiposDocumento::Pdf;
    if (contenido.startsWith("PK\x03\x04")) {
        const QString t = TipoZip(contenido);
        if (!t.isEmpty()) return t;
    }
    if (Comienzo(contenido, 5) == "{\\rtf") return TiposDocumento::Rtf;
    if (EsHtml(contenido)) return TiposDocumento::Html;

    const QString ext = QFileInfo(nombreArchivo).suffix().toLower();
    if (ext == u"pdf") return TiposDocumento::Pdf;
    if (ext == u"docx") return TiposDocumento::Docx;
    if (ext == u"odt") return TiposDocumento::Odt;
    if (ext == u"rtf") return TiposDocumento::Rtf;
    if (ext == u"txt" || ext == u"text") return TiposDocumento::Texto;
    if (ext == u"htm" || ext == u"html" || ext == u"xhtml") return TiposDocumento::Html;
    return TiposDocumento::Otro;
}

QString NombreTipo(const QString& tipo) {
    if (tipo == TiposDocumento::Pdf) return QStringLiteral("PDF");
    if (tipo == TiposDocumento::Docx) return QStringLiteral("Word");
    if (tipo == TiposDocumento::Odt) return QStringLiteral("OpenDocument");
    if (tipo == TiposDocumento::Rtf) return QStringLiteral("RTF");
    if (tipo == TiposDocumento::Texto) return QStringLiteral("Texto");
    if (tipo == TiposDocumento::Html) return QStringLiteral("HTML");
    return QStringLiteral("Otro");
}

TextoDocumento ExtraerTexto(const QByteArray& contenido, const QString& nombreArchivo,
                            const LímitesExtracción& límites) {
    TextoDocumento doc;
    doc.tipo = TipoDocumento(contenido, nombreArchivo);
    const QDeadlineTimer plazo(qMax(0, límites.milisegundos));
    Resultado r;
    if (doc.tipo == TiposDocumento::Pdf)
        r = LeerPdf(contenido, límites, plazo);
    else if (doc.tipo == TiposDocumento::Docx)
        r = LeerDocx(contenido, límites, plazo);
    else if (doc.tipo == TiposDocumento::Odt)
        r = LeerOdt(contenido, límites, plazo);
    else if (doc.tipo == TiposDocumento::Rtf)
        r = LeerRtf(contenido);
    else if (doc.tipo == TiposDocumento::Html)
        r = LeerHtml(contenido);
    else if (doc.tipo == TiposDocumento::Texto)
        r.texto = DecodificarTexto(contenido);
    else
        r = Falla(EstadoTexto::NoAdmitido, kNoAdmitido);

    // Normalising never needs much more than the text kept; this bounds a huge file's cost.
    if (límites.máximoCaracteres >= 0 && r.texto.size() > 2 * límites.máximoCaracteres + 4096)
        Recortar(r.texto, 2 * límites.máximoCaracteres + 4096);
    doc.texto = Normalizar(r.texto);
    Recortar(doc.texto, límites.máximoCaracteres);
    doc.estado = r.estado;
    doc.motivo = r.motivo;
    if (doc.estado == EstadoTexto::Extraído && doc.texto.isEmpty()) {
        doc.estado = EstadoTexto::SinTexto;
        doc.motivo = kSinTexto;
    }
    return doc;
}

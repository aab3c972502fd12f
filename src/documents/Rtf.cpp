// A small RTF reader: the visible text of the body, nothing of the layout.
#include "documents/Internos.h"

#include <QSet>

#include <vector>

namespace documentos {

namespace {

// Deeper than any real document; past it the file is taken as damaged.
constexpr size_t kProfundidad = 256;

// Destinations whose content is not the document's text.
const QSet<QByteArray>& DestinosOmitidos() {
    static const QSet<QByteArray> d{"fonttbl",
                                    "colortbl",
                                    "stylesheet",
                                    "info",
                                    "pict",
                                    "header",
                                    "headerl",
                                    "headerr",
                                    "headerf",
                                    "footer",
                                    "footerl",
                                    "footerr",
                                    "footerf",
                                    "object",
                                    "objdata",
                                    "themedata",
                                    "colorschememapping",
                                    "datastore",
                                    "xmlnstbl",
                                    "listtable",
                                    "listoverridetable",
                                    "rsidtbl",
                                    "generator",
                                    "latentstyles",
                                    "fldinst",
                                    "filetbl",
                                    "revtbl",
                                    "private",
                                    "nonshppict",
                                    "shpinst",
                                    "template",
                                    "userprops",
                                    "docvar",
                                    "xe",
                                    "tc"};
    return d;
}

struct Grupo {
    bool omitir = false;
    int uc = 1;  // characters that stand in for each \u
};

class LectorRtf {
  public:
    explicit LectorRtf(const QByteArray& d) : datos(d) {}

    Resultado leer() {
        pila.push_back({});
        while (i < datos.size()) {
            const char c = datos[i++];
            if (c == '{') {
                if (pila.size() >= kProfundidad) return Falla(EstadoTexto::Dañado, kDañado);
                pila.push_back(pila.back());
                saltar = 0;
            } else if (c == '}') {
                volcar();
                if (pila.size() > 1) pila.pop_back();
                saltar = 0;
            } else if (c == '\\') {
                control();
            } else if (c == '\r' || c == '\n') {
                // Line ends in the file are not text.
            } else if (!omitir()) {
                if (saltar > 0) {
                    --saltar;
                    continue;
                }
                bytes += c;
            }
        }
        volcar();
        return {std::move(texto), EstadoTexto::Extraído, {}};
    }

  private:
    bool omitir() const { return pila.back().omitir; }

    // Bytes waiting to be decoded together, as multi-byte code pages need.
    void volcar() {
        if (bytes.isEmpty()) return;
        texto += DecodificarCodigo(bytes, código);
        bytes.clear();
    }

    void escribir(QStringView s) {
        if (omitir()) return;
        volcar();
        texto += s;
    }

    static bool Letra(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    void control() {
        if (i >= datos.size()) return;
        const char c = datos[i];
        if (!Letra(c)) {
            ++i;
            símbolo(c);
            return;
        }
        const qsizetype inicio = i;
        while (i < datos.size() && Letra(datos[i]) && i - inicio < 32) ++i;
        const QByteArray palabra = datos.mid(inicio, i - inicio);
        bool conNúmero = false;
        qint64 n = 0;
        bool negativo = false;
        if (i < datos.size() && datos[i] == '-') {
            negativo = true;
            ++i;
        }
        const qsizetype dígitos = i;
        while (i < datos.size() && datos[i] >= '0' && datos[i] <= '9' && i - dígitos < 10) {
            n = n * 10 + (datos[i] - '0');
            ++i;
            conNúmero = true;
        }
        if (negativo) n = -n;
        if (i < datos.size() && datos[i] == ' ') ++i;  // the delimiter belongs to the word
        palabraControl(palabra, conNúmero, n);
    }

    // Characters that follow a \u replacing it for old readers are dropped.
    bool sustituto() {
        if (saltar > 0) {
            --saltar;
            return true;
        }
        return false;
    }

    void símbolo(char c) {
        switch (c) {
            case '\'': {
                const QByteArray hex = datos.mid(i, 2);
                bool ok = false;
                const int b = hex.toInt(&ok, 16);
                i += hex.size();
                if (!ok || omitir() || sustituto()) return;
                bytes += char(b);
                return;
            }
            case '*':
                pila.back().omitir = true;  // an optional destination this reader does not know
                return;
            case '\\':
            case '{':
            case '}':
                if (!omitir() && !sustituto()) bytes += c;
                return;
            case '~':
                if (!sustituto()) escribir(u"\u00A0");
                return;
            case '_':
                if (!sustituto()) escribir(u"-");
                return;
            case '\r':
            case '\n':
                escribir(u"\n");
                return;
            default:
                sustituto();  // \- and the rest leave nothing
                return;
        }
    }

    void palabraControl(const QByteArray& p, bool conNúmero, qint64 n) {
        if (p == "bin") {
            // Binary data of n bytes, whatever they contain.
            if (conNúmero && n > 0) i = qMin<qint64>(datos.size(), i + n);
            return;
        }
        if (DestinosOmitidos().contains(p)) {
            pila.back().omitir = true;
            return;
        }
        if (p == "ansicpg") {
            if (conNúmero && n > 0) {
                volcar();
                código = "windows-" + QByteArray::number(n);
            }
            return;
        }
        if (p == "uc") {
            if (conNúmero && n >= 0) pila.back().uc = int(qMin<qint64>(n, 10));
            return;
        }
        if (p == "u") {
            if (!conNúmero) return;
            if (n < 0) n += 65536;
            if (n >= 0 && n <= 0xFFFF && !omitir()) escribir(QString(QChar(char16_t(n))));
            saltar = pila.back().uc;
            return;
        }
        if (sustituto()) return;
        if (p == "par" || p == "line" || p == "row" || p == "sect" || p == "page")
            escribir(u"\n");
        else if (p == "tab" || p == "cell")
            escribir(u"\t");
        else if (p == "emdash")
            escribir(u"\u2014");
        else if (p == "endash")
            escribir(u"\u2013");
        else if (p == "lquote")
            escribir(u"\u2018");
        else if (p == "rquote")
            escribir(u"\u2019");
        else if (p == "ldblquote")
            escribir(u"\u201C");
        else if (p == "rdblquote")
            escribir(u"\u201D");
        else if (p == "bullet")
            escribir(u"\u2022");
    }

    const QByteArray datos;
    qsizetype i = 0;
    std::vector<Grupo> pila;
    QByteArray código = "windows-1252";
    QByteArray bytes;
    QString texto;
    int saltar = 0;  // stand-in characters still to drop after a \u
};

}  // namespace

Resultado LeerRtf(const QByteArray& contenido) {
    qsizetype inicio = contenido.indexOf("{\\rtf");
    if (inicio < 0 || inicio > 16) return Falla(EstadoTexto::Dañado, kDañado);
    return LectorRtf(contenido.sliced(inicio)).leer();
}

}  // namespace documentos

#pragma once

#include <QByteArray>
#include <QString>

// What became of a document's text.
enum class EstadoTexto { Extraído, SinTexto, Dañado, Cifrado, Excedido, NoAdmitido };

// Bounds that keep a hostile or huge file from taking the program's memory or time.
struct LímitesExtracción {
    qint64 máximoDescomprimido = 64 * 1024 * 1024;  // bytes read out of a zip, in all
    int milisegundos = 10000;                       // checked between pages / parts
    qsizetype máximoCaracteres = 4 * 1024 * 1024;   // text kept
};

struct TextoDocumento {
    QString texto;  // \n line ends, no NUL, at most two blank lines in a row, no trailing blanks
    QString tipo;   // media type, application/octet-stream when not recognised
    EstadoTexto estado = EstadoTexto::NoAdmitido;
    QString motivo;  // for the user, in Spanish, when estado is not Extraído
};

// Media types of the formats read.
namespace TiposDocumento {
inline const QString Pdf = QStringLiteral("application/pdf");
inline const QString Docx =
    QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document");
inline const QString Odt = QStringLiteral("application/vnd.oasis.opendocument.text");
inline const QString Rtf = QStringLiteral("application/rtf");
inline const QString Texto = QStringLiteral("text/plain");
inline const QString Html = QStringLiteral("text/html");
inline const QString Otro = QStringLiteral("application/octet-stream");
}  // namespace TiposDocumento

// The media type by the content's signature first (%PDF-, a zip holding
// word/document.xml or an ODT mimetype entry, {\rtf, <html or <!doctype html),
// then by the file name's extension; application/octet-stream when neither tells.
QString TipoDocumento(const QByteArray& contenido, const QString& nombreArchivo);

// The text of a CV file. Never throws; any input ends in one of the states.
TextoDocumento ExtraerTexto(const QByteArray& contenido, const QString& nombreArchivo,
                            const LímitesExtracción& límites = {});

// Short Spanish name of a media type for lists: "PDF", "Word", "OpenDocument",
// "RTF", "Texto", "HTML"; "Otro" for anything else.
QString NombreTipo(const QString& tipo);

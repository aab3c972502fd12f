#pragma once

// Shared by the readers of each format; not part of the library's interface.
#include "documents/Extraccion.h"

#include <QDeadlineTimer>

namespace documentos {

// Reasons shown to the user.
inline const QString kSinTexto = QStringLiteral("sin texto extraíble");
inline const QString kCifrado = QStringLiteral("el PDF está protegido con contraseña");
inline const QString kDañado = QStringLiteral("el archivo está dañado");
inline const QString kDescomprimido = QStringLiteral("el archivo descomprimido supera el límite");
inline const QString kTamaño = QStringLiteral("el archivo supera el tamaño admitido");
inline const QString kTiempo = QStringLiteral("la extracción superó el tiempo límite");
inline const QString kNoAdmitido = QStringLiteral("formato no admitido");

// What a reader returns: raw text (normalised later) and, on failure, state and reason.
struct Resultado {
    QString texto;
    EstadoTexto estado = EstadoTexto::Extraído;
    QString motivo;
};

inline Resultado Falla(EstadoTexto estado, const QString& motivo) {
    return {{}, estado, motivo};
}

Resultado LeerPdf(const QByteArray& contenido, const LímitesExtracción& límites,
                  const QDeadlineTimer& plazo);
Resultado LeerDocx(const QByteArray& contenido, const LímitesExtracción& límites,
                   const QDeadlineTimer& plazo);
Resultado LeerOdt(const QByteArray& contenido, const LímitesExtracción& límites,
                  const QDeadlineTimer& plazo);
Resultado LeerRtf(const QByteArray& contenido);
Resultado LeerHtml(const QByteArray& contenido);

// The zip-based type of the content (Docx or Odt), empty when it is neither or does not open.
QString TipoZip(const QByteArray& contenido);

// Plain text: a BOM decides, else valid UTF-8, else windows-1252.
QString DecodificarTexto(const QByteArray& bytes);
// Bytes in a named code page (e.g. "windows-1251"); windows-1252 when Qt does not know it.
QString DecodificarCodigo(const QByteArray& bytes, const QByteArray& código);

}  // namespace documentos

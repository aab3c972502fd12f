#pragma once

#include "documents/Extraccion.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

class Diccionario;

// A CV document kept with an applicant (its content is read apart).
struct Documento {
    int32_t id = 0;
    int32_t postulante = 0;
    QString nombre;     // the file's name, without folders
    QString tipo;       // media type
    qint64 tamaño = 0;  // bytes
    QString sha256;     // hex
    QString agregado;   // yyyymmddhhnnss
    QString usuario;
    EstadoTexto estado = EstadoTexto::NoAdmitido;
};

// The largest document taken, in bytes: "[Documentos] MaximoMB" in the settings, 20 MB when unset.
qint64 MáximoDocumento();

// Adds a document to an applicant, its text extracted as it is stored. The same
// content already kept for that applicant is not stored again: its id comes back
// and `yaEstaba` says so. An ErrorAlmacen, in Spanish, for a file over the
// limit, an empty one, or an applicant that does not exist.
int32_t AgregarDocumento(Diccionario& d, int32_t postulante, const QString& nombre,
                         const QByteArray& contenido, const QString& usuario,
                         bool* yaEstaba = nullptr);
// An applicant's documents in the order they were added.
std::vector<Documento> DocumentosDe(Diccionario& d, int32_t postulante);
// One document (an ErrorAlmacen when there is none), its stored bytes and its text.
Documento DocumentoGuardado(Diccionario& d, int32_t id);
QByteArray ContenidoDocumento(Diccionario& d, int32_t id);
QString TextoGuardado(Diccionario& d, int32_t id);
void QuitarDocumento(Diccionario& d, int32_t id);
// A private copy of the document, under its own name, in a folder only this user
// reads and that goes away when the program ends: what the desktop's viewer opens.
QString CopiaParaVer(Diccionario& d, int32_t id);
// Opens the document in the desktop's program for its kind, telling the user
// when there is none. False when nothing was opened.
bool AbrirDocumento(Diccionario& d, int32_t id);
// Writes the stored document to `destino`, whole or not at all; false with a message.
bool GuardarCopiaDocumento(Diccionario& d, int32_t id, const QString& destino);
// "2,4 MB", "812 KB", "15 bytes", as a list shows a size.
QString TextoTamaño(qint64 bytes);

#pragma once

#include <QSaveFile>
#include <QString>

// Files the user asks for (pages, exchange files): written whole or not at
// all, and a failure told in words with the way out.

// Why a write failed, from the system's error number, followed by what the
// user can do: "el disco está lleno. Libere espacio o elija otra carpeta."
// `elegible` says whether the user chose the folder (and so may choose another).
QString MotivoDeEscritura(int número, bool elegible = true);
// The same, from the last error of a file device (a QSaveFile, the standard output).
QString MotivoDeEscritura(const QFileDevice& f);

// A file written in parts through a temporary file beside it, which replaces
// `ruta` only once every byte is on the disk. Until then, and on any failure,
// `ruta` stays as it was and nothing else is left in its folder.
class ArchivoCompleto {
  public:
    explicit ArchivoCompleto(const QString& ruta);
    bool abrir();
    // All of `datos`, or false.
    bool escribir(const QByteArray& datos);
    bool confirmar();
    // Why the last step failed (see MotivoDeEscritura).
    const QString& motivo() const { return motivo_; }

  private:
    bool falla();
    QSaveFile f_;
    QString motivo_;
};

// Writes `datos` as the whole content of `ruta` (see ArchivoCompleto); false,
// with the reason in `motivo`, on failure.
bool GuardarArchivo(const QString& ruta, const QByteArray& datos, QString& motivo);

// `nombre` made into a file name every file system takes, for the names the
// program suggests: each run of characters some system refuses (/ \ : * ? " < >
// | and control characters) becomes one "_", blanks run together, blanks and
// dots go from both ends, a device name of Windows (CON, NUL, COM1…) gets "_"
// after it and the name is cut to 120 characters. An empty result gives `siVacío`.
QString NombreArchivoSeguro(const QString& nombre,
                            const QString& siVacío = QStringLiteral("archivo"));

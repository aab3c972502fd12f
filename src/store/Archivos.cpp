#include "store/Archivos.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

QString MotivoDeEscritura(int número, bool elegible) {
    const QString otra = elegible ? QStringLiteral(" o elija otra carpeta") : QString();
    const QString elija = elegible ? QStringLiteral(" Elija otra carpeta.") : QString();
    switch (número) {
        case ENOSPC:
            return QStringLiteral("el disco está lleno. Libere espacio%1.").arg(otra);
        case EDQUOT:
            return QStringLiteral("se agotó su cuota de disco. Libere espacio%1.").arg(otra);
        case EACCES:
        case EPERM:
            return QStringLiteral("no tiene permiso para escribir allí.") + elija;
        case EROFS:
            return QStringLiteral("el disco es de sólo lectura.") + elija;
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("la carpeta no existe.") + elija;
        case EFBIG:
            return QStringLiteral("el archivo es demasiado grande para ese disco.") + elija;
        case EIO:
            return QStringLiteral(
                       "el disco no respondió (error de entrada y salida). Revise el "
                       "disco%1.")
                .arg(otra);
        default:
            return QStringLiteral("el sistema no lo permitió (%1).")
                       .arg(QString::fromLocal8Bit(std::strerror(número))) +
                   elija;
    }
}

QString MotivoDeEscritura(const QFileDevice& f) {
    if (f.error() == QFileDevice::ResourceError) return MotivoDeEscritura(ENOSPC);
    // Qt keeps no error number for the rest: the folder tells the usual causes.
    if (!f.fileName().isEmpty()) {
        const QFileInfo carpeta(QFileInfo(f.fileName()).absolutePath());
        if (!carpeta.isDir()) return MotivoDeEscritura(ENOENT);
        if (!carpeta.isWritable()) return MotivoDeEscritura(EACCES);
    }
    return QStringLiteral("el sistema no lo permitió (%1). Elija otra carpeta.")
        .arg(f.errorString());
}

ArchivoCompleto::ArchivoCompleto(const QString& ruta) : f_(ruta) {}

bool ArchivoCompleto::falla() {
    motivo_ = MotivoDeEscritura(f_);
    if (f_.isOpen()) {
        f_.cancelWriting();
        f_.commit();  // takes the temporary file away now
    }
    return false;
}

bool ArchivoCompleto::abrir() {
    // Unbuffered: every write reaches the disk here and reports here, none is
    // left for the commit, which would not notice it failing.
    return f_.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || falla();
}

bool ArchivoCompleto::escribir(const QByteArray& datos) {
    // A full disk first takes part of a write and refuses the rest.
    for (qsizetype hecho = 0; hecho < datos.size();) {
        const qint64 n = f_.write(datos.constData() + hecho, datos.size() - hecho);
        if (n <= 0) return falla();
        hecho += n;
    }
    return true;
}

bool ArchivoCompleto::confirmar() {
    if (f_.commit()) return true;
    motivo_ = MotivoDeEscritura(f_);
    return false;
}

bool GuardarArchivo(const QString& ruta, const QByteArray& datos, QString& motivo) {
    ArchivoCompleto a(ruta);
    const bool ok = a.abrir() && a.escribir(datos) && a.confirmar();
    if (!ok) motivo = a.motivo();
    return ok;
}

QString NombreArchivoSeguro(const QString& nombre, const QString& siVacío) {
    static const QString kRechazados = QStringLiteral("/\\:*?\"<>|");
    QString r;
    bool enRechazo = false;
    for (const QChar c : nombre.simplified()) {
        const bool rechazado = c.category() == QChar::Other_Control ||
                               c.category() == QChar::Other_Format || kRechazados.contains(c);
        if (rechazado && !enRechazo) r += u'_';
        if (!rechazado) r += c;
        enRechazo = rechazado;
    }
    const auto recortar = [&r] {
        while (!r.isEmpty() && (r.front() == u' ' || r.front() == u'.')) r.remove(0, 1);
        while (!r.isEmpty() && (r.back() == u' ' || r.back() == u'.')) r.chop(1);
    };
    recortar();
    r.truncate(120);
    recortar();
    if (r.isEmpty()) return siVacío;
    // Windows refuses these as names whatever the extension after them.
    static const QRegularExpression kDispositivo(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
        QRegularExpression::CaseInsensitiveOption);
    if (kDispositivo.match(r).hasMatch()) r += u'_';
    return r;
}

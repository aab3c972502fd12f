#include "documents/Documentos.h"

#include "store/Archivos.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Palabras.h"
#include "store/Valores.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace {

const QString kNoSeAgregó = QStringLiteral("No se pudo agregar el documento.");

const QString kColumnas =
    QStringLiteral("id, postulante, nombre, tipo, tamano, sha256, agregado, usuario, estado");

Documento Leer(const Recordset& rs) {
    Documento x;
    x.id = int32_t(rs.entero(0));
    x.postulante = int32_t(rs.entero(1));
    x.nombre = rs.texto(2);
    x.tipo = rs.texto(3);
    x.tamaño = rs.entero(4);
    x.sha256 = rs.texto(5);
    x.agregado = rs.texto(6);
    x.usuario = rs.texto(7);
    x.estado = EstadoTexto(rs.entero(8));
    return x;
}

ErrorAlmacen NoHay(int32_t id) {
    return ErrorAlmacen(QStringLiteral("No existe el documento número %1.").arg(id));
}

}  // namespace

qint64 MáximoDocumento() {
    const int mb = QSettings().value(QStringLiteral("Documentos/MaximoMB"), 20).toInt();
    return qint64(mb > 0 ? mb : 20) * 1024 * 1024;
}

int32_t AgregarDocumento(Diccionario& d, int32_t postulante, const QString& nombre,
                         const QByteArray& contenido, const QString& usuario, bool* yaEstaba) {
    const QString archivo = QFileInfo(nombre).fileName();
    if (contenido.isEmpty())
        throw ErrorAlmacen(kNoSeAgregó, QStringLiteral("«%1» está vacío.").arg(archivo));
    if (contenido.size() > MáximoDocumento())
        throw ErrorAlmacen(
            kNoSeAgregó,
            QStringLiteral("«%1» ocupa %2 y el máximo es %3. Guarde el documento "
                           "más chico (por ejemplo, un PDF sin imágenes) o pida "
                           "que se amplíe el máximo en las opciones.")
                .arg(archivo, TextoTamaño(contenido.size()), TextoTamaño(MáximoDocumento())));
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(contenido, QCryptographicHash::Sha256).toHex());
    // The text is taken out before the write transaction, so no lock waits on it.
    TextoDocumento texto = ExtraerTexto(contenido, archivo);
    texto.texto.remove(QChar(0));  // a server's text holds no NUL
    Transaccion t(d);
    if (!d.valorÚnico(QStringLiteral("select 1 from nvx_m_postulantes where id = ?"), {postulante})
             .isValid())
        throw ErrorAlmacen(kNoSeAgregó,
                           QStringLiteral("No existe el postulante número %1.").arg(postulante));
    if (const QVariant hay = d.valorÚnico(
            QStringLiteral("select id from nvx_d_documentos where postulante = ? and sha256 = ?"),
            {postulante, hash});
        hay.isValid()) {
        if (yaEstaba) *yaEstaba = true;
        t.confirmar();
        return int32_t(hay.toLongLong());
    }
    const int32_t id = d.PróximoID(QStringLiteral("nvx_d_documentos"));
    if (id == 0) throw ErrorAlmacen(kNoSeAgregó);  // the user has been told
    d.ejecutar(QStringLiteral("insert into nvx_d_documentos (id, postulante, nombre, tipo, tamano, "
                              "sha256, agregado, usuario, estado, texto, contenido) values "
                              "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {id, postulante, archivo, texto.tipo, qint64(contenido.size()), hash,
                QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss")),
                NuloSiVacío(usuario), int(texto.estado), NuloSiVacío(texto.texto), contenido});
    ActualizarPalabras(d, {postulante});
    t.confirmar();
    if (yaEstaba) *yaEstaba = false;
    return id;
}

std::vector<Documento> DocumentosDe(Diccionario& d, int32_t postulante) {
    std::vector<Documento> documentos;
    for (auto rs = d.AbrirRS(QStringLiteral("select %1 from nvx_d_documentos where postulante = ? "
                                            "order by id")
                                 .arg(kColumnas),
                             {postulante});
         !rs->eof(); rs->MoveNext())
        documentos.push_back(Leer(*rs));
    return documentos;
}

Documento DocumentoGuardado(Diccionario& d, int32_t id) {
    auto rs = d.AbrirRS(
        QStringLiteral("select %1 from nvx_d_documentos where id = ?").arg(kColumnas), {id});
    if (rs->eof()) throw NoHay(id);
    return Leer(*rs);
}

QByteArray ContenidoDocumento(Diccionario& d, int32_t id) {
    const QVariant v =
        d.valorÚnico(QStringLiteral("select contenido from nvx_d_documentos where id = ?"), {id});
    if (!v.isValid()) throw NoHay(id);
    return v.toByteArray();
}

QString TextoGuardado(Diccionario& d, int32_t id) {
    const QVariant v =
        d.valorÚnico(QStringLiteral("select texto from nvx_d_documentos where id = ?"), {id});
    if (!v.isValid()) throw NoHay(id);
    return VacíoSiNulo(v);
}

void QuitarDocumento(Diccionario& d, int32_t id) {
    Transaccion t(d);
    const int32_t postulante = DocumentoGuardado(d, id).postulante;
    d.ejecutar(QStringLiteral("delete from nvx_d_documentos where id = ?"), {id});
    ActualizarPalabras(d, {postulante});
    t.confirmar();
}

QString CopiaParaVer(Diccionario& d, int32_t id) {
    // One private folder per run (QTemporaryDir makes it readable by this user only).
    static QTemporaryDir carpeta(QDir::tempPath() + QStringLiteral("/candora-documentos-XXXXXX"));
    if (!carpeta.isValid())
        throw ErrorAlmacen(QStringLiteral("No se pudo preparar el documento para verlo."),
                           carpeta.errorString());
    const Documento x = DocumentoGuardado(d, id);
    // Each document in a folder of its own keeps its name without clashing with another.
    const QString dentro = carpeta.filePath(QString::number(id));
    QDir().mkpath(dentro);
    const QString ruta =
        QDir(dentro).filePath(NombreArchivoSeguro(x.nombre, QStringLiteral("documento")));
    QString motivo;
    if (!GuardarArchivo(ruta, ContenidoDocumento(d, id), motivo))
        throw ErrorAlmacen(QStringLiteral("No se pudo preparar el documento para verlo."), motivo);
    return ruta;
}

bool AbrirDocumento(Diccionario& d, int32_t id) {
    try {
        const QString ruta = CopiaParaVer(d, id);
        if (interaccion().abrirExterno(ruta)) return true;
        MsgBox(QStringLiteral("No hay un programa para abrir «%1» en esta computadora. Guarde una "
                              "copia y ábrala con el programa que corresponda.")
                   .arg(QFileInfo(ruta).fileName()),
               Icono::Exclamación);
    } catch (const ErrorAlmacen& e) {
        InformarError(QStringLiteral("No se pudo abrir el documento."), e);
    }
    return false;
}

bool GuardarCopiaDocumento(Diccionario& d, int32_t id, const QString& destino) {
    try {
        QString motivo;
        if (GuardarArchivo(destino, ContenidoDocumento(d, id), motivo)) return true;
        MsgBox(QStringLiteral("No se pudo guardar la copia en «%1»: %2").arg(destino, motivo),
               Icono::Exclamación);
    } catch (const ErrorAlmacen& e) {
        InformarError(QStringLiteral("No se pudo guardar la copia del documento."), e);
    }
    return false;
}

QString TextoTamaño(qint64 bytes) {
    const QLocale l = LocaleVisible();
    if (bytes >= 1024 * 1024)
        return l.toString(double(bytes) / (1024 * 1024), 'f', 1) + QStringLiteral(" MB");
    if (bytes >= 1024) return l.toString((bytes + 512) / 1024) + QStringLiteral(" KB");
    return TextoCantidad(int(bytes), QStringLiteral("byte"), QStringLiteral("bytes"));
}

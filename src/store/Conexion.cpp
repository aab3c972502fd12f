#include "store/Conexion.h"

#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Esquema.h"
#include "store/Interaccion.h"
#include "store/Verificacion.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

QString UsuarioActual;

namespace {

// Runs one step of the start-up; a failure names the step.
template <class F>
void paso(const QString& nombre, F&& f) {
    try {
        f();
    } catch (const ErrorAlmacen& e) {
        throw ErrorAlmacen(
            QStringLiteral("No se pudo abrir la base de datos (paso: %1).").arg(nombre),
            e.operación() + (e.detalle().isEmpty() ? QString() : u' ' + e.detalle()), e.sql(),
            e.código());
    }
}

void asegurarBasePredeterminada(const QString& origenLocal) {
    if (!origenLocal.isEmpty()) return;
    const QString ruta = RutaBasePredeterminada();
    if (!QFileInfo::exists(ruta)) CrearBase(ruta);
}

// A server store is reached through "OrigenRemoto" with the configured user and
// password; every other provider goes through the connection text.
std::unique_ptr<Diccionario> conectar(const ConfiguraciónDatos& c, const QString& conexión) {
    auto d = std::make_unique<Diccionario>();
    if (EsProveedorServidor(c.Proveedor)) {
        if (c.OrigenRemoto.trimmed().isEmpty())
            throw ErrorAlmacen(QStringLiteral("No se puede abrir la base de datos del servidor."),
                               QStringLiteral("Falta el origen remoto (host=… port=… dbname=…) "
                                              "en las opciones del sistema."));
        d->abrirServidor(c.OrigenRemoto, c.Usuario, c.Contraseña);
    } else {
        d->setStrConexión(conexión);
    }
    return d;
}

}  // namespace

ConfiguraciónDatos ConfiguraciónDatos::leer() {
    QSettings s(QStringLiteral("Candora"), QStringLiteral("Candora"));
    s.beginGroup(QStringLiteral("Datos"));
    ConfiguraciónDatos c;
    c.Proveedor =
        s.value(QStringLiteral("Proveedor"), QString::fromLatin1(kProveedorJet)).toString();
    c.OrigenLocal = s.value(QStringLiteral("OrigenLocal"), QString()).toString();
    c.OrigenRemoto = s.value(QStringLiteral("OrigenRemoto"), QString()).toString();
    c.Usuario = s.value(QStringLiteral("Usuario"), QString()).toString();
    c.Contraseña = s.value(QStringLiteral("Contraseña"), QString()).toString();
    return c;
}

void ConfiguraciónDatos::guardar() const {
    QSettings s(QStringLiteral("Candora"), QStringLiteral("Candora"));
    s.beginGroup(QStringLiteral("Datos"));
    s.setValue(QStringLiteral("Proveedor"), Proveedor);
    s.setValue(QStringLiteral("OrigenLocal"), OrigenLocal);
    s.setValue(QStringLiteral("OrigenRemoto"), OrigenRemoto);
    s.setValue(QStringLiteral("Usuario"), Usuario);
    s.setValue(QStringLiteral("Contraseña"), Contraseña);
}

QString ConstruirConexión(const ConfiguraciónDatos& c, const QString& usuarioActual) {
    QString t = QStringLiteral("Provider=") + c.Proveedor + u';' + QStringLiteral("Data Source=") +
                c.OrigenLocal + u';' + QStringLiteral("Persist Security Info=False;");
    if (!usuarioActual.isEmpty()) t += QStringLiteral("User ID=") + c.Usuario + u';';
    return t;
}

QString ValorConexión(const QString& conexión, const QString& clave) {
    for (const QString& parte : conexión.split(u';')) {
        const qsizetype igual = parte.indexOf(u'=');
        if (igual < 0) continue;
        if (parte.left(igual).trimmed().compare(clave, Qt::CaseInsensitive) == 0)
            return parte.mid(igual + 1);
    }
    return {};
}

bool EsProveedorArchivo(const QString& proveedor) {
    return proveedor.compare(QLatin1String(kProveedorJet), Qt::CaseInsensitive) == 0;
}

bool EsProveedorServidor(const QString& proveedor) {
    return proveedor.compare(QLatin1String(kProveedorPostgres), Qt::CaseInsensitive) == 0;
}

QString RutaBasePredeterminada() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/candora.db");
}

QString RutaLocalEfectiva(const QString& origenLocal) {
    return origenLocal.isEmpty() ? RutaBasePredeterminada() : origenLocal;
}

void ConectarBase(const ConfiguraciónDatos& c, bool actualizar) {
    dic.reset();
    const QString conexión = ConstruirConexión(c, UsuarioActual);
    std::unique_ptr<Diccionario> d;
    paso(QStringLiteral("conexión"), [&] {
        if (EsProveedorArchivo(c.Proveedor)) asegurarBasePredeterminada(c.OrigenLocal);
        d = conectar(c, conexión);
    });
    if (actualizar) paso(QStringLiteral("actualización"), [&] { ActualizarEsquema(*d); });
    dic = std::move(d);
}

QString AbrirBase() {
    return AbrirBase(ConfiguraciónDatos::leer());
}

QString AbrirBase(const ConfiguraciónDatos& c) {
    dic.reset();
    const QString conexión = ConstruirConexión(c, UsuarioActual);
    EstadoBase estado;
    if (EsProveedorArchivo(c.Proveedor)) {
        paso(QStringLiteral("creación de la base local"),
             [&] { asegurarBasePredeterminada(c.OrigenLocal); });
        // Before the first write: the damaged-file error already says all there is to say.
        MostrarEstado(QStringLiteral("Comprobando la base de datos..."));
        try {
            estado = VerificarBase(RutaLocalEfectiva(c.OrigenLocal), c.OrigenRemoto);
        } catch (const ErrorAlmacen&) {
            MostrarEstado(QString());
            throw;
        }
        MostrarEstado(QString());
    }
    // Relinking, emptying the results and compacting all write the local file.
    const bool escribible =
        estado.archivos.empty() || estado.archivos.front().soloLectura.isEmpty();
    if (!EsProveedorServidor(c.Proveedor) && escribible)
        paso(QStringLiteral("revincular tablas"),
             [&] { RevincularTablas(c.OrigenRemoto, conexión); });
    std::unique_ptr<Diccionario> d;
    paso(QStringLiteral("conexión"), [&] { d = conectar(c, conexión); });
    paso(QStringLiteral("actualización"), [&] { ActualizarEsquema(*d); });
    if (escribible) {
        paso(QStringLiteral("vaciar resultados"),
             [&] { d->ejecutar(QStringLiteral("delete from resultado")); });
        if (c.Proveedor == QLatin1String(kProveedorJet)) {
            d.reset();  // no connection may hold the file while it is compacted
            MostrarEstado(QStringLiteral("Limpiando base de datos local..."));
            CompactarBase(RutaLocalEfectiva(c.OrigenLocal));
            MostrarEstado(QString());
            paso(QStringLiteral("conexión"), [&] { d = conectar(c, conexión); });
        }
    }
    dic = std::move(d);
    return estado.aviso();
}

void RevincularTablas(const QString& origenRemoto, const QString& conexión) {
    if (origenRemoto.trimmed().isEmpty()) return;  // never blank every link
    const QString proveedor = ValorConexión(conexión, QStringLiteral("Provider"));
    if (!EsProveedorArchivo(proveedor))
        throw ErrorAlmacen(
            QStringLiteral("No se pueden revincular las tablas."),
            QStringLiteral("El proveedor «%1» no está disponible en esta instalación "
                           "de Candora.")
                .arg(proveedor));
    Diccionario local;
    local.abrirArchivo(RutaLocalEfectiva(ValorConexión(conexión, QStringLiteral("Data Source"))),
                       false);
    if (!local
             .valorÚnico(
                 QStringLiteral("select 1 from sqlite_master where name = 'candora_vinculos'"))
             .isValid())
        return;
    auto vinculadas =
        local.AbrirRS(QStringLiteral("select tabla from candora_vinculos where origen is not null "
                                     "and origen <> '' order by tabla"));
    if (vinculadas->RecordCount() == 0) return;

    if (!QFileInfo(origenRemoto).isFile())
        throw ErrorAlmacen(QStringLiteral("No se pueden revincular las tablas."),
                           QStringLiteral("El origen remoto «%1» no existe.").arg(origenRemoto));
    {
        Diccionario remoto;
        remoto.abrirArchivo(origenRemoto, false);
        for (; !vinculadas->eof(); vinculadas->MoveNext()) {
            const QString tabla = vinculadas->texto(QStringLiteral("tabla"));
            if (!remoto
                     .valorÚnico(QStringLiteral("select 1 from sqlite_master where type = 'table' "
                                                "and name = ?"),
                                 {tabla})
                     .isValid())
                throw ErrorAlmacen(QStringLiteral("No se pueden revincular las tablas."),
                                   QStringLiteral("El origen remoto «%1» no tiene la tabla «%2».")
                                       .arg(origenRemoto, tabla));
        }
    }
    local.ejecutar(QStringLiteral("update candora_vinculos set origen = ? "
                                  "where origen is not null and origen <> ''"),
                   {QFileInfo(origenRemoto).absoluteFilePath()});
}

bool CompactarBase(const QString& ruta, bool forzar) {
    RelojDeArena reloj;
    if (!QFileInfo(ruta).isFile()) return false;
    try {
        Diccionario d;
        d.abrirArchivo(ruta, false);
        d.setEsperaOcupado(2000);
        if (!forzar) {
            const qint64 libres =
                d.valorÚnico(QStringLiteral("PRAGMA freelist_count")).toLongLong();
            const qint64 páginas = d.valorÚnico(QStringLiteral("PRAGMA page_count")).toLongLong();
            if (libres * 10 < páginas) return true;  // already compact enough
        }
        d.ejecutar(QStringLiteral("VACUUM"));
        return true;
    } catch (const ErrorAlmacen&) {
        return false;
    }
}

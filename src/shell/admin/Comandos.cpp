#include "shell/admin/Comandos.h"

#include "pages/PaginaPdf.h"

#include "store/Archivos.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Postgres.h"
#include "store/Respaldo.h"
#include "store/Verificacion.h"

#include <QFileInfo>

ConfiguraciónDatos Contexto::configuración() const {
    ConfiguraciónDatos c = ConfiguraciónDatos::leer();
    if (!base.isEmpty()) {
        c.Proveedor = QString::fromLatin1(kProveedorJet);
        c.OrigenLocal = base;
        c.OrigenRemoto.clear();
    } else if (!servidor.isEmpty()) {
        c.Proveedor = QString::fromLatin1(kProveedorPostgres);
        c.OrigenRemoto = servidor;  // the text carries the user and password too
        c.Usuario.clear();
        c.Contraseña.clear();
    }
    return c;
}

void Contexto::abrir(Uso uso) const {
    const ConfiguraciónDatos c = configuración();
    if (uso != Uso::Leer && EsProveedorArchivo(c.Proveedor)) {
        const EstadoBase estado = VerificarBase(RutaLocalEfectiva(c.OrigenLocal));
        if (uso == Uso::Escribir) estado.exigirEscritura();
    }
    ConectarBase(c, uso != Uso::Leer);
}

QString TomarOpción(QStringList& a, const char* nombre, bool& ok, const QString& predeterminado) {
    const qsizetype i = a.indexOf(QString::fromUtf8(nombre));
    if (i < 0) return predeterminado;
    if (i + 1 >= a.size()) {
        ok = false;
        a.remove(i);
        return predeterminado;
    }
    const QString v = a.at(i + 1);
    a.remove(i, 2);
    return v;
}

QString TomarUsuario(QStringList& a, bool& ok) {
    return TomarOpción(a, "--usuario", ok, qEnvironmentVariable("USER"));
}

bool EscribirPágina(Contexto& c, const QString& archivo, const QString& html) {
    if (archivo.isEmpty()) {
        c.salida << html;
        return true;
    }
    QByteArray contenido;
    if (archivo.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        contenido = PáginaEnPdf(html, QFileInfo(archivo).completeBaseName());
    else
        contenido = html.toUtf8();
    QString motivo;
    if (GuardarArchivo(archivo, contenido, motivo)) return true;
    c.errores << "No se pudo guardar la página en «" << archivo << "»: " << motivo << '\n';
    return false;
}

namespace {

int faltanArgumentos(Contexto& c, const char* uso) {
    c.errores << "Uso: candora-admin " << QString::fromUtf8(uso) << '\n';
    return 2;
}

int crearBase(Contexto& c, const QStringList& a) {
    const char* uso =
        "crear-base RUTA [--compartida RUTA_COMPARTIDA] | crear-base --proveedor PostgreSQL "
        "--origen "
        "'host=… port=… dbname=…'";
    if (a.size() == 4 && a.at(0) == QLatin1String("--proveedor") &&
        a.at(2) == QLatin1String("--origen")) {
        if (a.at(1).compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) != 0) {
            c.errores << "Proveedor desconocido: " << a.at(1) << '\n';
            return 2;
        }
        // User and password: in the connection text, else the configured ones.
        const ConfiguraciónDatos conf = c.configuración();
        CrearBasePostgres(a.at(3), conf.Usuario, conf.Contraseña);
        c.salida << "Base creada en el servidor: " << a.at(3) << '\n';
        return 0;
    }
    if (a.size() != 1 && !(a.size() == 3 && a.at(1) == QLatin1String("--compartida")))
        return faltanArgumentos(c, uso);
    const QString ruta = a.at(0);
    if (a.size() == 1) {
        CrearBase(ruta);
        c.salida << "Base creada: " << ruta << '\n';
        return 0;
    }
    const QString compartida = a.at(2);
    if (!QFileInfo::exists(compartida)) {
        CrearBaseCompartida(compartida);
        c.salida << "Base compartida creada: " << compartida << '\n';
    } else {
        VerificarArchivo(compartida, true);  // never link a new file to a damaged one
    }
    CrearBaseLocal(ruta, compartida);
    c.salida << "Base local creada: " << ruta << " (tablas vinculadas a " << compartida << ")\n";
    return 0;
}

int info(Contexto& c, const QStringList& a) {
    if (!a.isEmpty()) return faltanArgumentos(c, "info");
    const ConfiguraciónDatos conf = c.configuración();
    c.abrir();
    c.salida << "Proveedor: " << conf.Proveedor << '\n'
             << "Base local: "
             << (dic->enServidor() ? QStringLiteral("(ninguna: la base está en el servidor)")
                                   : dic->rutaLocal())
             << '\n'
             << "Origen remoto configurado: "
             << (conf.OrigenRemoto.isEmpty() ? QStringLiteral("(ninguno)") : conf.OrigenRemoto)
             << '\n'
             << "Archivos vinculados: "
             << (dic->archivosVinculados().isEmpty()
                     ? QStringLiteral("(ninguno)")
                     : dic->archivosVinculados().join(QStringLiteral(", ")))
             << '\n'
             << "Versión del esquema: " << dic->VersiónEsquema() << "\n\n";
    c.salida << QStringLiteral("%1 %2  %3\n")
                    .arg(QStringLiteral("Tabla"), -32)
                    .arg(QStringLiteral("Filas"), 9)
                    .arg(QStringLiteral("Ubicación"));
    for (const Diccionario::Tabla& t : dic->Tablas()) {
        const qint64 filas =
            dic->valorÚnico(QStringLiteral("select count(*) from \"%1\"").arg(t.nombre))
                .toLongLong();
        c.salida << QStringLiteral("%1 %2  %3\n")
                        .arg(t.nombre, -32)
                        .arg(filas, 9)
                        .arg(!t.vinculada ? QStringLiteral("local")
                             : dic->enServidor()
                                 ? QStringLiteral("en el servidor, base ") + t.archivo
                                 : QStringLiteral("vinculada a ") + t.archivo);
    }
    return 0;
}

int compactar(Contexto& c, const QStringList& a) {
    if (a.size() > 1) return faltanArgumentos(c, "compactar [RUTA]");
    const QString local = RutaLocalEfectiva(c.configuración().OrigenLocal);
    const QString ruta = a.isEmpty() ? local : a.first();
    // Any other file is taken for the shared one, as the options window compacts it.
    const bool compartida =
        QFileInfo(ruta).absoluteFilePath() != QFileInfo(local).absoluteFilePath();
    if (const QString motivo = VerificarArchivo(ruta, compartida); !motivo.isEmpty())
        throw ErrorSoloLectura(ruta, motivo);
    if (!CompactarBase(ruta, true)) {
        c.errores << "No se pudo compactar «" << ruta
                  << "»: el archivo no existe o está en uso por otro programa.\n";
        return 1;
    }
    c.salida << "Base compactada: " << ruta << '\n';
    return 0;
}

int migrar(Contexto& c, const QStringList& a) {
    if (a.size() != 1 || a.first().trimmed().isEmpty())
        return faltanArgumentos(c, "migrar 'host=… port=… dbname=…'");
    const ConfiguraciónDatos conf = c.configuración();
    c.abrir(Contexto::Uso::Copiar);
    const auto copiadas = MigrarAPostgres(*dic, a.first(), conf.Usuario, conf.Contraseña);
    qint64 total = 0;
    for (const auto& [tabla, filas] : copiadas) {
        c.salida << QStringLiteral("%1 %2\n").arg(tabla, -32).arg(filas, 9);
        total += filas;
    }
    c.salida << "Filas copiadas y verificadas: " << total << '\n';
    return 0;
}

int respaldo(Contexto& c, const QStringList& a) {
    if (a.size() != 1 || a.first().trimmed().isEmpty())
        return faltanArgumentos(c, "respaldo ARCHIVO.cab");
    const ConfiguraciónDatos conf = c.configuración();
    if (EsProveedorServidor(conf.Proveedor)) {
        // The server's own dump, packed and checked like a file store's copy.
        QString error;
        if (!CrearRespaldoPostgres(conf.OrigenRemoto, conf.Usuario, conf.Contraseña,
                                   a.first().trimmed(), error)) {
            c.errores << error << '\n';
            return 1;
        }
        c.salida << "Copia de seguridad finalizada: volcado del servidor en " << a.first().trimmed()
                 << '\n';
        return 0;
    }
    if (!EsProveedorArchivo(conf.Proveedor)) {
        c.errores << "El proveedor «" << conf.Proveedor << "» no guarda la base en un archivo: "
                  << "use la copia de seguridad del propio servidor.\n";
        return 1;
    }
    c.abrir();
    const QString base = BaseARespaldar(*dic, conf);
    dic.reset();
    QString error;
    int último = -1;
    const bool ok = CrearRespaldo(base, a.first().trimmed(), error, [&](int p) {
        if (p / 10 == último / 10) return;
        último = p;
        c.errores << "\rProcesando " << p << "%...";
        c.errores.flush();
    });
    c.errores << '\n';
    if (!ok) {
        c.errores << error << '\n';
        return 1;
    }
    c.salida << "Copia de seguridad finalizada: " << base << " en " << a.first().trimmed() << '\n';
    return 0;
}

int restaurar(Contexto& c, const QStringList& a) {
    if (a.size() != 2) return faltanArgumentos(c, "restaurar ARCHIVO.cab DESTINO");
    QString error;
    if (!RestaurarRespaldo(a.at(0), a.at(1), error)) {
        c.errores << error << '\n';
        return 1;
    }
    c.salida << "Copia restaurada en " << a.at(1) << '\n';
    return 0;
}

int revincular(Contexto& c, const QStringList& a) {
    if (a.size() != 1 || a.first().trimmed().isEmpty())
        return faltanArgumentos(c, "revincular ORIGEN");
    ConfiguraciónDatos conf = c.configuración();
    if (EsProveedorArchivo(conf.Proveedor))  // only the local file is written
        VerificarBase(RutaLocalEfectiva(conf.OrigenLocal), a.first()).exigirEscritura(true);
    RevincularTablas(a.first(), ConstruirConexión(conf, UsuarioActual));
    if (c.base.isEmpty()) {
        // The next start-up relinks to the configured source: keep it in step.
        conf.OrigenRemoto = a.first();
        conf.guardar();
    }
    ConectarBase(conf);
    if (dic->archivosVinculados().isEmpty()) {
        c.salida << "La base local no tiene tablas vinculadas; no se cambió nada.\n";
        return 0;
    }
    c.salida << "Tablas vinculadas a: " << dic->archivosVinculados().join(QStringLiteral(", "))
             << '\n';
    return 0;
}

}  // namespace

void ComandosAlmacen(std::vector<Comando>& comandos) {
    comandos.push_back({"crear-base",
                        "crear-base RUTA [--compartida RUTA_COMPARTIDA] | crear-base --proveedor "
                        "PostgreSQL --origen 'host=… port=… dbname=…'",
                        crearBase});
    comandos.push_back({"info", "info", info});
    comandos.push_back({"compactar", "compactar [RUTA]", compactar});
    comandos.push_back({"revincular", "revincular ORIGEN", revincular});
    comandos.push_back({"migrar", "migrar 'host=… port=… dbname=…'", migrar});
    comandos.push_back({"respaldo", "respaldo ARCHIVO.cab", respaldo});
    comandos.push_back({"restaurar", "restaurar ARCHIVO.cab DESTINO", restaurar});
}

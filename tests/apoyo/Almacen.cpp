#include "Almacen.h"

#include "Apoyo.h"
#include "ServidorPostgres.h"

#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>

namespace {

constexpr char kPlantilla[] = "candora_plantilla";

// The connection text of the test server without its database name, or why there is none.
struct Servidor {
    QString conexión;
    QString error;
};

Servidor ServidorDeLasPruebas() {
    static const Servidor s = []() -> Servidor {
        const QString carpeta = qEnvironmentVariable(kVariableServidor);
        if (!carpeta.isEmpty()) {  // started once for the whole run
            QFile f(QDir(carpeta).filePath(QString::fromLatin1(kArchivoConexión)));
            if (f.open(QIODevice::ReadOnly)) return {QString::fromUtf8(f.readAll()).trimmed(), {}};
            QFile e(QDir(carpeta).filePath(QString::fromLatin1(kArchivoError)));
            e.open(QIODevice::ReadOnly);
            return {{},
                    QStringLiteral("El servidor PostgreSQL de las pruebas no arrancó: %1")
                        .arg(e.isOpen() ? QString::fromUtf8(e.readAll()).trimmed()
                                        : QStringLiteral("no dejó su conexión en ") + carpeta)};
        }
        static ServidorPostgres propio;  // this process's own, stopped at exit
        if (!propio.ok()) return {{}, propio.error()};
        if (const QString e = CrearPlantillaServidor(propio); !e.isEmpty()) return {{}, e};
        return {propio.conexión(QString()), {}};
    }();
    return s;
}

QString ConBase(const QString& servidor, const QString& base) {
    return servidor + QStringLiteral(" dbname=") + base;
}

}  // namespace

QString CrearPlantillaServidor(const ServidorPostgres& servidor) {
    const QString error = EnServidor(servidor.conexión(QStringLiteral("postgres")),
                                     {QStringLiteral("CREATE DATABASE %1").arg(kPlantilla)});
    if (!error.isEmpty()) return error;
    try {
        CrearBasePostgres(servidor.conexión(QString::fromLatin1(kPlantilla)));
    } catch (const ErrorAlmacen& e) {
        return e.textoUsuario() + u' ' + e.detalle();
    }
    return {};
}

AlmacenPrueba::AlmacenPrueba(ClaseAlmacen clase) : clase_(clase) {
    if (!servidor()) {
        ruta_ = CopiaBaseEntregada(carpeta_);
        return;
    }
    const Servidor s = ServidorDeLasPruebas();
    if (!s.error.isEmpty()) {
        error_ = s.error;
        return;
    }
    static int n = 0;
    base_ = QStringLiteral("prueba_%1_%2").arg(QCoreApplication::applicationPid()).arg(++n);
    // Two clones of the template at the same instant may collide: try again.
    for (int intento = 0; intento < 20; ++intento) {
        error_ =
            EnServidor(ConBase(s.conexión, QStringLiteral("postgres")),
                       {QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(base_, kPlantilla)});
        if (!error_.contains(QLatin1String("being accessed"))) break;
        QThread::msleep(100);
    }
    conexión_ = ConBase(s.conexión, base_);
}

AlmacenPrueba::~AlmacenPrueba() {
    if (servidor() && ok())
        EnServidor(ConBase(ServidorDeLasPruebas().conexión, QStringLiteral("postgres")),
                   {QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(base_)});
}

void AlmacenPrueba::abrir(Diccionario& d) const {
    if (servidor())
        d.abrirServidor(conexión_);
    else
        d.abrirArchivo(ruta_, true);
}

void AlmacenPrueba::provocarFalla(Diccionario& d, const QString& tabla,
                                  const QString& cuando) const {
    if (!servidor()) {
        d.ejecutar(QStringLiteral("create trigger falla before insert on %1 when %2 "
                                  "begin select raise(abort, 'falla provocada'); end")
                       .arg(tabla, cuando));
        return;
    }
    d.ejecutar(
        QStringLiteral("create function falla() returns trigger language plpgsql as "
                       "$$ begin raise exception 'falla provocada'; end $$"));
    d.ejecutar(QStringLiteral("create trigger falla before insert on %1 for each row when (%2) "
                              "execute function falla()")
                   .arg(tabla, cuando));
}

void AlmacenPrueba::quitarFalla(Diccionario& d, const QString& tabla) const {
    d.ejecutar(servidor() ? QStringLiteral("drop trigger falla on %1").arg(tabla)
                          : QStringLiteral("drop trigger falla"));
}

ConfiguraciónDatos AlmacenPrueba::configuración() const {
    ConfiguraciónDatos c;
    if (servidor()) {
        c.Proveedor = QString::fromLatin1(kProveedorPostgres);
        c.OrigenRemoto = conexión_;
    } else {
        c.Proveedor = QString::fromLatin1(kProveedorJet);
        c.OrigenLocal = ruta_;
    }
    return c;
}

QStringList AlmacenPrueba::opcionesAdmin() const {
    return servidor() ? QStringList{QStringLiteral("--servidor"), conexión_}
                      : QStringList{QStringLiteral("--base"), ruta_};
}

void AmbosAlmacenes::SetUp() {
    almacén = std::make_unique<AlmacenPrueba>(GetParam());
    ASSERT_TRUE(almacén->ok()) << S(almacén->error());
}

void AmbosAlmacenes::TearDown() {
    dic.reset();  // no connection may outlive its store
}

void AlmacenAbierto::SetUp() {
    AmbosAlmacenes::SetUp();
    if (HasFatalFailure()) return;
    dic = std::make_unique<Diccionario>();
    almacén->abrir(*dic);
}

std::string NombreAlmacén(const ::testing::TestParamInfo<ClaseAlmacen>& i) {
    return i.param == ClaseAlmacen::Servidor ? "Servidor" : "Archivo";
}

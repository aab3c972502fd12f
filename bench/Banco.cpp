#include "Banco.h"

#include "ServidorPostgres.h"

#include "records/Generador.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Postgres.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

#include <unistd.h>

namespace {

QTemporaryDir* carpeta = nullptr;
std::unique_ptr<ServidorPostgres> servidor;

// Messages would only disturb the timings.
class Silencio : public Interaccion {
    Respuesta mostrar(const Mensaje& m) override { return m.predeterminada; }
};

constexpr char kGenerada[] = "generada";
constexpr char kCopia[] = "copia";

// Runs statements on the server's maintenance database; empty, or why one failed.
QString Administrar(const QStringList& sentencias) {
    return EnServidor(servidor->conexión(QStringLiteral("postgres")), sentencias);
}

// The generated file store copied onto the server, with fresh statistics.
QString ServidorGenerado() {
    static const QString error = []() -> QString {
        servidor = std::make_unique<ServidorPostgres>();
        if (!servidor->ok()) return servidor->error();
        if (QString e = Administrar({QStringLiteral("CREATE DATABASE %1").arg(kGenerada)});
            !e.isEmpty())
            return e;
        const QString conexión = servidor->conexión(QString::fromLatin1(kGenerada));
        try {
            CrearBasePostgres(conexión);
            Diccionario origen;
            origen.abrirArchivo(BaseGenerada(), false);
            MigrarAPostgres(origen, conexión);
            Diccionario d;
            d.abrirServidor(conexión);
            d.ejecutar(QStringLiteral("VACUUM ANALYZE"));
        } catch (const ErrorAlmacen& e) {
            return e.textoUsuario() + u' ' + e.detalle();
        }
        return {};
    }();
    return error;
}

}  // namespace

QString RutaBanco(const QString& nombre) {
    return carpeta->filePath(nombre);
}

QString BaseGenerada() {
    static const QString ruta = [] {
        // CANDORA_BANCO_BASE keeps the generated store in a file of its own, made by the
        // first run and taken as it is by the next ones.
        const QString propia = qEnvironmentVariable("CANDORA_BANCO_BASE");
        if (!propia.isEmpty() && QFile::exists(propia)) return propia;
        const QString r = propia.isEmpty() ? RutaBanco(QStringLiteral("generada.db")) : propia;
        CrearBase(r);
        Diccionario d;
        d.abrirArchivo(r, false);
        // CANDORA_BANCO_POSTULANTES sets another size, e.g. 1000000 for a large office.
        const int cantidad = qEnvironmentVariableIntValue("CANDORA_BANCO_POSTULANTES");
        GenerarPostulantes(d, cantidad > 0 ? cantidad : 100000, 1);
        return r;
    }();
    return ruta;
}

const char* NombreAlmacén(int almacén) {
    return almacén == kServidor ? "servidor" : "archivo";
}

QString AbrirGenerada(int almacén, bool copia) {
    dic.reset();
    try {
        if (almacén == kArchivo) {
            QString ruta = BaseGenerada();
            if (copia) {
                const QString destino = RutaBanco(QStringLiteral("copia.db"));
                QFile::remove(destino);
                QFile::copy(ruta, destino);
                ::sync();  // the copy's write-back must not land inside the timed part
                ruta = destino;
            }
            dic = std::make_unique<Diccionario>();
            dic->abrirArchivo(ruta, false);
            return {};
        }
        if (QString e = ServidorGenerado(); !e.isEmpty()) return e;
        if (copia)
            if (QString e = Administrar(
                    {QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(kCopia),
                     QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(kCopia, kGenerada),
                     QStringLiteral("CHECKPOINT")});
                !e.isEmpty())
                return e;
        dic = std::make_unique<Diccionario>();
        dic->abrirServidor(servidor->conexión(QString::fromLatin1(copia ? kCopia : kGenerada)));
    } catch (const ErrorAlmacen& e) {
        dic.reset();
        return e.textoUsuario() + u' ' + e.detalle();
    }
    return {};
}

QString BaseNuevaEnServidor(const QString& nombre, QString& conexión) {
    if (QString e = ServidorGenerado(); !e.isEmpty()) return e;
    if (QString e =
            Administrar({QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(nombre),
                         QStringLiteral("CREATE DATABASE %1").arg(nombre)});
        !e.isEmpty())
        return e;
    conexión = servidor->conexión(nombre);
    try {
        CrearBasePostgres(conexión);
    } catch (const ErrorAlmacen& e) {
        return e.textoUsuario() + u' ' + e.detalle();
    }
    return {};
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    carpeta = &dir;
    Silencio silencio;
    InstalarInteraccion(&silencio);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    dic.reset();
    servidor.reset();
    InstalarInteraccion(nullptr);
    return 0;
}

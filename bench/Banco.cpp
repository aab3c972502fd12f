#include "Banco.h"

#include "records/Generador.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/Interaccion.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir* carpeta = nullptr;

// Messages would only disturb the timings.
class Silencio : public Interaccion {
    Respuesta mostrar(const Mensaje& m) override { return m.predeterminada; }
};

}  // namespace

QString RutaBanco(const QString& nombre) {
    return carpeta->filePath(nombre);
}

QString BaseGenerada() {
    static const QString ruta = [] {
        const QString r = RutaBanco(QStringLiteral("generada.db"));
        CrearBase(r);
        Diccionario d;
        d.abrirArchivo(r, false);
        GenerarPostulantes(d, 100000, 1);
        return r;
    }();
    return ruta;
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
    InstalarInteraccion(nullptr);
    return 0;
}

// Store benchmarks: key allocation, reading large result sets, one-row inserts,
// the integrity check made before the store is written, and moving the
// generated store onto a PostgreSQL server ("migrar").
// Run: build/bench/bench_store
// The integrity check of a store of 1,000,000 applicants:
//   build/candora-admin crear-base /tmp/millon.db                         (once)
//   build/candora-admin --base /tmp/millon.db generar 1000000             (once, ~2.5 min)
//   CANDORA_BANCO_INTEGRIDAD=/tmp/millon.db build/bench/bench_store --benchmark_filter=Integridad
#include "Banco.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Postgres.h"
#include "store/Verificacion.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A delivered database with `postulantes` applicant rows, built once per size.
QString Base(int postulantes) {
    const QString ruta = RutaBanco(QStringLiteral("base_%1.db").arg(postulantes));
    if (QFile::exists(ruta)) return ruta;
    CrearBase(ruta);
    Diccionario d;
    d.abrirArchivo(ruta, false);
    d.ejecutar(QStringLiteral(
                   "with recursive n(i) as (select 1 union all select i + 1 from n where i < ?) "
                   "insert into nvx_m_postulantes (id, apellido, nombre, dni_pais, dni_numero, "
                   "email, activo) "
                   "select i, 'Apellido ' || i, 'Nombre ' || (i % 977), 1, 20000000 + i, "
                   "'persona' || i || '@correo.com.ar', 1 from n"),
               {postulantes});
    return ruta;
}

// Peak resident memory of this process, in KiB.
long PicoMemoriaKiB() {
    std::ifstream f("/proc/self/status");
    std::string línea;
    while (std::getline(f, línea))
        if (línea.rfind("VmHWM:", 0) == 0) return std::stol(línea.substr(6));
    return 0;
}

void BM_PróximoID_EnUnaTransacción(benchmark::State& state) {
    Diccionario d;
    d.abrirArchivo(Base(0), false);
    Transaccion t(d);
    for (auto _ : state) benchmark::DoNotOptimize(d.PróximoID(QStringLiteral("nvx_m_postulantes")));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PróximoID_EnUnaTransacción);

void BM_PróximoID_Durable(benchmark::State& state) {
    Diccionario d;
    d.abrirArchivo(Base(0), false);
    for (auto _ : state) benchmark::DoNotOptimize(d.PróximoID(QStringLiteral("nvx_m_postulantes")));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PróximoID_Durable)->UseRealTime();

// Every column of 100,000 applicant rows (75 columns each), or the three a results list needs.
void BM_AbrirRS(benchmark::State& state) {
    const int filas = int(state.range(0));
    Diccionario d;
    d.abrirArchivo(Base(filas), false);
    const QString sql = state.range(1)
                            ? QStringLiteral("select * from nvx_m_postulantes")
                            : QStringLiteral("select id, apellido, nombre from nvx_m_postulantes");
    for (auto _ : state) {
        auto rs = d.AbrirRS(sql);
        if (rs->RecordCount() != filas) state.SkipWithError("faltan filas");
        benchmark::DoNotOptimize(rs->texto(QStringLiteral("apellido")));
    }
    state.SetItemsProcessed(state.iterations() * filas);
    state.counters["pico_MiB"] = double(PicoMemoriaKiB()) / 1024.0;
}
BENCHMARK(BM_AbrirRS)
    ->ArgNames({"filas", "todas"})
    ->Args({100000, 1})
    ->Args({100000, 0})
    ->Unit(benchmark::kMillisecond);

void BM_EjecutarInsertDeUnaFila(benchmark::State& state) {
    Diccionario d;
    d.abrirArchivo(Base(0), false);
    Transaccion t(d);
    int id = 1;
    for (auto _ : state)
        d.ejecutar(QStringLiteral(
                       "insert into nvx_d_idiomas (postulante, idioma, habla) values (?, ?, ?)"),
                   {id++, 1, 2});
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EjecutarInsertDeUnaFila);

// The integrity check of a whole store (con_plazo=0) and under the limit that
// start-up and writing commands give it (con_plazo=1). frio=1 drops the file
// from the page cache before each run, as on the first start after a reboot.
// "completas" is the share of runs that finished within their limit.
void BM_ComprobarIntegridad(benchmark::State& state) {
    const QString ruta = qEnvironmentVariableIsSet("CANDORA_BANCO_INTEGRIDAD")
                             ? qEnvironmentVariable("CANDORA_BANCO_INTEGRIDAD")
                             : BaseGenerada();
    const std::chrono::milliseconds plazo =
        state.range(0) ? kPlazoIntegridad : std::chrono::milliseconds(std::chrono::hours(1));
    int completas = 0;
    for (auto _ : state) {
        if (state.range(1)) {
            state.PauseTiming();
            const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDONLY);
            posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
            state.ResumeTiming();
        }
        const Integridad r = ComprobarIntegridad(ruta, plazo);
        if (r.estado == Integridad::Dañada) state.SkipWithError(qPrintable(r.hallazgo));
        completas += r.estado == Integridad::Sana;
    }
    state.counters["completas"] = double(completas) / double(state.iterations());
    state.counters["MiB"] = double(QFileInfo(ruta).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ComprobarIntegridad)
    ->ArgNames({"con_plazo", "frio"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Every table of the generated store copied onto an empty server store, checked
// row count by row count.
void BM_MigrarAlServidor(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QString conexión;
        if (const QString e = BaseNuevaEnServidor(QStringLiteral("migrada"), conexión);
            !e.isEmpty()) {
            state.SkipWithError(e.toUtf8().constData());
            break;
        }
        Diccionario origen;
        origen.abrirArchivo(BaseGenerada(), false);
        state.ResumeTiming();
        try {
            MigrarAPostgres(origen, conexión);
        } catch (const ErrorAlmacen& e) {
            state.SkipWithError(e.what());
            break;
        }
    }
}
BENCHMARK(BM_MigrarAlServidor)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

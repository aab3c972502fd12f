// Store benchmarks: key allocation, reading large result sets, one-row inserts.
// Run: build/bench/bench_store
#include "Banco.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

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

}  // namespace

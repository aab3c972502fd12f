// Page benchmarks on 100,000 generated applicants.
// Run: build/bench/bench_pages
#include "Banco.h"
#include "pages/PaginaCV.h"
#include "pages/PaginaResultados.h"
#include "records/cPostulante.h"
#include "store/Diccionario.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kConsulta = 900;
constexpr int kResultado = 50000;

// The applicant with the most detail rows.
int32_t PostulanteCompleto() {
    return int32_t(
        dic->valorÚnico(QStringLiteral("select postulante from (select postulante from "
                                       "nvx_d_experiencia union all select postulante from "
                                       "nvx_d_formacion union all select postulante from "
                                       "nvx_d_familiares) group by postulante "
                                       "order by count(*) desc, postulante limit 1"))
            .toLongLong());
}

// Building the page of a loaded applicant.
void BM_PaginaCV(benchmark::State& state) {
    AbrirGenerada(kArchivo);
    cPostulante p;
    p.id = PostulanteCompleto();
    if (p.cargar() == 0) state.SkipWithError("no hay postulante");
    qsizetype largo = 0;
    for (auto _ : state) largo = PáginaCV(*dic, p, QStringLiteral("ana")).size();
    state.counters["caracteres"] = double(largo);
    dic.reset();
}
BENCHMARK(BM_PaginaCV)->Unit(benchmark::kMillisecond);

// What opening a CV costs: loading the record and building its page.
void BM_CargarYPaginaCV(benchmark::State& state) {
    AbrirGenerada(kArchivo);
    const int32_t id = PostulanteCompleto();
    for (auto _ : state) {
        cPostulante p;
        p.id = id;
        p.cargar();
        benchmark::DoNotOptimize(PáginaCV(*dic, p, QStringLiteral("ana")));
    }
    dic.reset();
}
BENCHMARK(BM_CargarYPaginaCV)->Unit(benchmark::kMillisecond);

// A result of 50,000 active applicants under one definition.
void ResultadoGrande() {
    dic->ejecutar(QStringLiteral("delete from RESULTADO where CONSULTA = ?"), {kConsulta});
    dic->ejecutar(QStringLiteral("insert into RESULTADO (CONSULTA, ID) select ?, id from "
                                 "nvx_m_postulantes where activo <> 0 order by id limit ?"),
                  {kConsulta, kResultado});
}

// Reading the result's order once, as a results window does on opening.
void BM_CargarResultado(benchmark::State& state) {
    AbrirGenerada(kArchivo);
    ResultadoGrande();
    cResultado r;
    for (auto _ : state) r.cargar(kConsulta, QStringLiteral("Todos"));
    state.counters["postulantes"] = r.Cantidad();
    dic.reset();
}
BENCHMARK(BM_CargarResultado)->Unit(benchmark::kMillisecond);

// One page of that result: page 1 and page 2,500.
void BM_PaginaResultados(benchmark::State& state) {
    AbrirGenerada(kArchivo);
    ResultadoGrande();
    cResultado r;
    if (r.cargar(kConsulta, QStringLiteral("Todos")) != kResultado)
        state.SkipWithError("el resultado no tiene 50.000 postulantes");
    const int primero = int(state.range(0) - 1) * cResultado::TamañoPágina + 1;
    for (auto _ : state) benchmark::DoNotOptimize(r.página(primero));
    dic.reset();
}
BENCHMARK(BM_PaginaResultados)->Arg(1)->Arg(2500)->Unit(benchmark::kMillisecond);

}  // namespace

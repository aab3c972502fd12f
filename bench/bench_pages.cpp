// Page benchmarks on 100,000 generated applicants (CANDORA_BANCO_POSTULANTES=1000000
// for a million); opening a CV and a results page also on a PostgreSQL server (/1).
// Run: build/bench/bench_pages
#include "Banco.h"
#include "pages/PaginaCV.h"
#include "pages/PaginaResultados.h"
#include "records/cPostulante.h"
#include "store/Diccionario.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kConsulta = 900;

// The applicant with the most detail rows.
int32_t PostulanteCompleto() {
    return int32_t(
        dic->valorÚnico(QStringLiteral("select postulante from (select postulante from "
                                       "nvx_d_experiencia union all select postulante from "
                                       "nvx_d_formacion union all select postulante from "
                                       "nvx_d_familiares) x group by postulante "
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
    state.SetLabel(NombreAlmacén(int(state.range(0))));
    if (const QString e = AbrirGenerada(int(state.range(0))); !e.isEmpty()) {
        state.SkipWithError(e.toUtf8().constData());
        return;
    }
    const int32_t id = PostulanteCompleto();
    for (auto _ : state) {
        cPostulante p;
        p.id = id;
        p.cargar();
        benchmark::DoNotOptimize(PáginaCV(*dic, p, QStringLiteral("ana")));
    }
    dic.reset();
}
BENCHMARK(BM_CargarYPaginaCV)->Arg(kArchivo)->Arg(kServidor)->Unit(benchmark::kMillisecond);

// A large result under one definition: every other active applicant.
int ResultadoGrande() {
    dic->ejecutar(QStringLiteral("delete from RESULTADO where CONSULTA = ?"), {kConsulta});
    return dic->ejecutar(QStringLiteral("insert into RESULTADO (CONSULTA, ID) select ?, id from "
                                        "nvx_m_postulantes where activo <> 0 and id % 2 = 0"),
                         {kConsulta});
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

// One page of that result once it is loaded: the first (/0) and the middle one (/1).
void BM_PaginaResultados(benchmark::State& state) {
    state.SetLabel(NombreAlmacén(int(state.range(0))));
    if (const QString e = AbrirGenerada(int(state.range(0))); !e.isEmpty()) {
        state.SkipWithError(e.toUtf8().constData());
        return;
    }
    const int total = ResultadoGrande();
    cResultado r;
    if (r.cargar(kConsulta, QStringLiteral("Todos")) != total)
        state.SkipWithError("el resultado no tiene a todos sus postulantes");
    const int primero = state.range(1) == 0
                            ? 1
                            : (total / 2 / cResultado::TamañoPágina) * cResultado::TamañoPágina + 1;
    for (auto _ : state) benchmark::DoNotOptimize(r.página(primero));
    state.counters["resultado"] = total;
    dic.reset();
}
BENCHMARK(BM_PaginaResultados)
    ->ArgsProduct({{kArchivo, kServidor}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

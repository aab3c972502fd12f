// Applicant record benchmarks on a store of 100,000 generated applicants.
// Run: build/bench/bench_records
#include "Banco.h"
#include "privacy/Auditoria.h"
#include "privacy/Supresion.h"
#include "records/Generador.h"
#include "records/cPostulante.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPostulantes = 100000;
void BM_Generar100000(benchmark::State& state) {
    for (auto _ : state) {
        const QString ruta = RutaBanco(QStringLiteral("g%1.db").arg(state.iterations()));
        CrearBase(ruta);
        Diccionario d;
        d.abrirArchivo(ruta, false);
        benchmark::DoNotOptimize(GenerarPostulantes(d, kPostulantes, 1));
    }
    state.SetItemsProcessed(state.iterations() * kPostulantes);
}
BENCHMARK(BM_Generar100000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The applicant with the most detail rows among the first thousand.
int32_t UnoCompleto() {
    return int32_t(
        dic->valorÚnico(
               QStringLiteral("select postulante from nvx_d_experiencia where postulante <= 1000 "
                              "group by postulante order by count(*) desc, postulante limit 1"))
            .toInt());
}

void BM_Cargar(benchmark::State& state) {
    AbrirGenerada(kArchivo);
    const int32_t id = UnoCompleto();
    for (auto _ : state) {
        cPostulante p;
        p.id = id;
        benchmark::DoNotOptimize(p.cargar());
    }
    dic.reset();
}
BENCHMARK(BM_Cargar)->Unit(benchmark::kMicrosecond);

void BM_Guardar(benchmark::State& state) {
    AbrirGenerada(kArchivo);
    cPostulante p;
    p.id = UnoCompleto();
    p.cargar();
    for (auto _ : state) benchmark::DoNotOptimize(p.guardar());
    dic.reset();
}
BENCHMARK(BM_Guardar)->Unit(benchmark::kMicrosecond)->UseRealTime();

// What the audit log adds to opening a card: the reading kept in memory and the
// card's history read, over a log of a million entries.
void BM_AuditoriaAlAbrirFicha(benchmark::State& state) {
    if (const QString e = AbrirGenerada(kArchivo, true); !e.isEmpty()) {
        state.SkipWithError(e.toUtf8().constData());
        return;
    }
    const int32_t id = UnoCompleto();
    {
        Transaccion t(*dic);
        for (int i = 0; i < 100; ++i)
            dic->ejecutar(QStringLiteral("insert into candora_auditoria (momento, usuario, "
                                         "postulante, accion) select '20260101000000', 'ana', id, "
                                         "'abrió la ficha' from nvx_m_postulantes where id % 10 "
                                         "= ?"),
                          {i % 10});
        t.confirmar();
    }
    for (auto _ : state) {
        AuditarLectura(id, Acción::AbrióFicha);
        benchmark::DoNotOptimize(ÚltimasEntradas(*dic, id, 200));
        state.PauseTiming();
        VolcarLecturas(*dic);
        state.ResumeTiming();
    }
    dic.reset();
}
BENCHMARK(BM_AuditoriaAlAbrirFicha)->Unit(benchmark::kMicrosecond)->Iterations(200);

// Erasing one applicant for good, each time another; on a file this rewrites the
// keyword index. Argument: the store.
void BM_Suprimir(benchmark::State& state) {
    if (const QString e = AbrirGenerada(int(state.range(0)), true); !e.isEmpty()) {
        state.SkipWithError(e.toUtf8().constData());
        return;
    }
    int32_t id = 1000;
    for (auto _ : state) SuprimirPostulantes(*dic, {id++}, QStringLiteral("Pedido del titular"));
    state.SetLabel(NombreAlmacén(int(state.range(0))));
    dic.reset();
}
BENCHMARK(BM_Suprimir)
    ->Arg(kArchivo)
    ->Arg(kServidor)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

}  // namespace

// Applicant record benchmarks on a store of 100,000 generated applicants.
// Run: build/bench/bench_records
#include "Banco.h"
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

}  // namespace

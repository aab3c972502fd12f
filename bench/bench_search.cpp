// Search benchmarks on 100,000 generated applicants, on the file store (/0) and
// on a PostgreSQL server (/1).
// Run: build/bench/bench_search (CANDORA_BANCO_POSTULANTES=1000000 for a million)
#include "Banco.h"
#include "duplicates/Duplicados.h"
#include "export/Exportacion.h"
#include "pages/PaginaResultados.h"
#include "search/Palabras.h"
#include "search/cBusqueda.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Opens the store the benchmark's argument names; false (and the run skipped) when it cannot.
bool Abrir(benchmark::State& state) {
    state.SetLabel(NombreAlmacén(int(state.range(0))));
    const QString error = AbrirGenerada(int(state.range(0)));
    if (!error.isEmpty()) state.SkipWithError(error.toUtf8().constData());
    return error.isEmpty();
}

int Col(const char* tabla, const char* columna) {
    return dic->idcolumna(QString::fromLatin1(tabla), QString::fromLatin1(columna));
}

// Two general conditions, one education row with two, one language, one interest.
void SeisCondiciones(cBúsqueda& b) {
    b.id = 1;
    b.colGeneral.Add("T", "Apellido", Col("nvx_m_postulantes", "apellido"), 1, "ez", 0);
    b.colGeneral.Add("N", "Estatura", Col("nvx_m_postulantes", "estatura"), 7, "165", 0);
    b.colFormación.Add("L", "Tipo", Col("nvx_d_formacion", "nivel"), 1, "", 8);
    b.colFormación.Add("L", "Estado", Col("nvx_d_formacion", "estado"), 1, "", 1);
    b.colIdiomas.Add("L", "Idioma", Col("nvx_d_idiomas", "idioma"), 1, "", 1);
    b.colInterés.Add("L", "Área", Col("nvx_d_interes", "area"), 4, "", 0);
}

const char* kMismaConsulta =
    "select count(*) from nvx_m_postulantes p where candora_plano(p.apellido) like '%EZ%' and "
    "p.estatura "
    ">= 165 "
    "and exists (select 1 from nvx_d_formacion f where f.postulante = p.id and f.nivel = 8 and "
    "f.estado = 1) "
    "and exists (select 1 from nvx_d_idiomas i where i.postulante = p.id and i.idioma = 1) "
    "and exists (select 1 from nvx_d_interes n where n.postulante = p.id and n.area <> 0)";

void BM_SeisCondiciones(benchmark::State& state) {
    if (!Abrir(state)) return;
    cBúsqueda b;
    SeisCondiciones(b);
    for (auto _ : state) b.ejecutar();
    const int hallados =
        dic->valorÚnico(QStringLiteral("select count(*) from RESULTADO where CONSULTA = 1"))
            .toInt();
    if (hallados != dic->valorÚnico(QString::fromLatin1(kMismaConsulta)).toInt())
        state.SkipWithError("la búsqueda y la consulta escrita a mano no coinciden");
    state.counters["hallados"] = hallados;
    dic.reset();
}
BENCHMARK(BM_SeisCondiciones)
    ->Arg(kArchivo)
    ->Arg(kServidor)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same set computed by one hand-written query: the baseline.
void BM_ConsultaEscritaAMano(benchmark::State& state) {
    if (!Abrir(state)) return;
    for (auto _ : state)
        benchmark::DoNotOptimize(dic->valorÚnico(QString::fromLatin1(kMismaConsulta)));
    dic.reset();
}
BENCHMARK(BM_ConsultaEscritaAMano)
    ->Arg(kArchivo)
    ->Arg(kServidor)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Text conditions alone, read over every applicant: "contiene" and "es igual a".
void BM_CondicionesDeTexto(benchmark::State& state) {
    if (!Abrir(state)) return;
    cBúsqueda b;
    b.id = 3;
    const int apellido = Col("nvx_m_postulantes", "apellido");
    b.colGeneral.Add("T", "Apellido", apellido, uint8_t(state.range(1)), "munoz", 0);
    for (auto _ : state) b.ejecutar();
    state.counters["hallados"] = cBúsqueda::CantidadResultado(3);
    dic.reset();
}
BENCHMARK(BM_CondicionesDeTexto)
    ->Args({kArchivo, 1})
    ->Args({kArchivo, 5})
    ->Args({kServidor, 1})
    ->Args({kServidor, 5})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The first page of a result of about half the applicants.
void BM_PrimerasVeinteDeUnResultadoGrande(benchmark::State& state) {
    if (!Abrir(state)) return;
    cBúsqueda b;
    b.id = 2;
    b.colGeneral.Add("L", "Sexo", Col("nvx_m_postulantes", "sexo"), 1, "", 1);
    b.ejecutar();
    state.counters["resultado"] = cBúsqueda::CantidadResultado(2);
    for (auto _ : state) benchmark::DoNotOptimize(cBúsqueda::Resultado(2, 0, 20));
    dic.reset();
}
BENCHMARK(BM_PrimerasVeinteDeUnResultadoGrande)
    ->Arg(kArchivo)
    ->Arg(kServidor)
    ->Unit(benchmark::kMillisecond);

// Keyword queries: two common words (4 % of the applicants), two rarer ones (0.3 %), a rare
// word with an exclusion, a phrase and a prefix.
const char* const kPalabras[] = {"logística inglés", "oratoria excel", "autoelevadores -oracle",
                                 "\"atención al público\"", "admin* excel"};

// A keyword query to the ranked ids, as the results window asks for them.
void BM_PalabrasClave(benchmark::State& state) {
    if (!Abrir(state)) return;
    const QString consulta = QString::fromUtf8(kPalabras[state.range(1)]);
    size_t hallados = 0;
    for (auto _ : state) hallados = BuscarPorPalabras(*dic, consulta).size();
    state.counters["hallados"] = double(hallados);
    dic.reset();
}
BENCHMARK(BM_PalabrasClave)
    ->ArgsProduct({{kArchivo, kServidor}, {0, 1, 2, 3, 4}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same, and the first page with where the words matched under each applicant.
void BM_PalabrasPrimeraPágina(benchmark::State& state) {
    if (!Abrir(state)) return;
    const QString consulta = QString::fromUtf8(kPalabras[0]);
    const QStringList resaltar = AnalizarPalabras(consulta).palabrasResaltar();
    for (auto _ : state) {
        std::vector<int32_t> ids;
        for (const HalladoPalabras& h : BuscarPorPalabras(*dic, consulta)) ids.push_back(h.id);
        cResultado r;
        r.cargar(std::move(ids), consulta, resaltar);
        benchmark::DoNotOptimize(r.página(1).html);
    }
    dic.reset();
}
BENCHMARK(BM_PalabrasPrimeraPágina)
    ->Arg(kArchivo)
    ->Arg(kServidor)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Every pair of applicants that may be one person, with their names.
void BM_Duplicados(benchmark::State& state) {
    if (!Abrir(state)) return;
    size_t pares = 0;
    for (auto _ : state) pares = BuscarDuplicados(*dic).pares.size();
    state.counters["pares"] = double(pares);
    dic.reset();
}
BENCHMARK(BM_Duplicados)
    ->Arg(kArchivo)
    ->Arg(kServidor)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Every applicant to a spreadsheet (/1: CSV, /2: XLSX), in surname order.
void BM_Exportar(benchmark::State& state) {
    if (!Abrir(state)) return;
    std::vector<int32_t> ids;
    for (auto rs = dic->AbrirRS(QStringLiteral("select id from nvx_m_postulantes order by "
                                               "apellido, nombre, id"));
         !rs->eof(); rs->MoveNext())
        ids.push_back(int32_t(rs->entero(0)));
    const bool csv = state.range(1) == 1;
    const QString archivo =
        RutaBanco(csv ? QStringLiteral("lista.csv") : QStringLiteral("lista.xlsx"));
    int filas = 0;
    for (auto _ : state)
        filas = ExportarPostulantes(
            *dic, ids, csv ? FormatoExportación::Csv : FormatoExportación::Xlsx, archivo);
    state.counters["filas"] = filas;
    dic.reset();
}
BENCHMARK(BM_Exportar)
    ->Args({kArchivo, 1})
    ->Args({kArchivo, 2})
    ->Args({kServidor, 2})
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace

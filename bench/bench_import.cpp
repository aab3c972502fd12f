// Import benchmarks: 10,000 applicants from an exchange file into a store of
// 100,000 generated ones, against a bare bulk load of the same staged rows; on
// the file store (/0) and on a PostgreSQL server (/1).
// Run: build/bench/bench_import
#include "Banco.h"
#include "import/Intercambio.h"
#include "import/cImportador.h"
#include "records/Generador.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/Interaccion.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

QString Archivo() {
    static const QString ruta = [] {
        const QString r = RutaBanco(QStringLiteral("diez_mil.nvx"));
        EscribirIntercambio(r, 10000, 3);
        return r;
    }();
    return ruta;
}

// A fresh copy of the 100,000-applicant store as the program's store.
bool AbrirCopia(benchmark::State& state) {
    const QString error = AbrirGenerada(int(state.range(0)), true);
    if (!error.isEmpty()) state.SkipWithError(error.toUtf8().constData());
    return error.isEmpty();
}

void BM_Importar10000(benchmark::State& state) {
    state.SetLabel(NombreAlmacén(int(state.range(0))));
    for (auto _ : state) {
        state.PauseTiming();
        if (!AbrirCopia(state)) break;
        state.ResumeTiming();
        cImportador imp;
        imp.Archivo = Archivo();
        if (imp.leer_intercambio() != 0 || imp.Cnt_Postulantes + imp.cnt_Actualizados != 10000)
            state.SkipWithError("la importación no terminó");
    }
    dic.reset();
}
BENCHMARK(BM_Importar10000)
    ->Arg(kArchivo)
    ->Arg(kServidor)
    ->Unit(benchmark::kSecond)
    ->Iterations(3)
    ->UseRealTime();

// The same file staged, then each staging table copied with one statement:
// no matching, no lookups by name, no per-applicant transactions.
void BM_CargaMasivaBase(benchmark::State& state) {
    state.SetLabel(NombreAlmacén(int(state.range(0))));
    for (auto _ : state) {
        state.PauseTiming();
        if (!AbrirCopia(state)) break;
        state.ResumeTiming();
        cImportador imp;
        imp.Archivo = Archivo();
        imp.preparar();
        Transaccion t(*dic);
        dic->ejecutar(
            QStringLiteral("insert into nvx_m_postulantes (id, dni_pais, dni_numero, nombre, "
                           "apellido, apellido_materno, sexo, "
                           "nac_dia, nac_mes, nac_ano, nac_provincia, nac_pais, nacionalidad, "
                           "estado_civil, tiene_hijos, res_calle, "
                           "res_provincia, res_pais, res_cp, tel1_tipo, tel1_numero, tel1_desde, "
                           "tel1_hasta, tel2_tipo, tel2_numero, "
                           "tel2_desde, tel2_hasta, tel3_tipo, tel3_numero, tel3_desde, "
                           "tel3_hasta, email, formsec_orientacion, "
                           "formsec_instituto, formsec_estado, formsec_completos, conocimientos, "
                           "remun_mensual, remun_hora, "
                           "obra_social, tiques_almuerzo, relacion_dependencia, viajar, emigrar, "
                           "disp_semanal, disp_horaria, "
                           "estatura, med_a, med_b, med_c, referencia, fecha_ingreso, activo) "
                           "select 1000000 + rowid, doc_pais, doc_numero, Nombre, Apellido, "
                           "Apellido_Materno, Sexo, nac_dia, "
                           "Nac_Mes, nac_ano, nac_provincia, nac_pais, nacionalidad1, "
                           "estado_civil, tiene_hijos, res_calle, "
                           "res_provincia, res_pais, res_cp, Tel1_tipo, Tel1_numero, Tel1_desde, "
                           "Tel1_hasta, Tel2_tipo, Tel2_numero, "
                           "Tel2_desde, Tel2_hasta, Tel3_tipo, tel3_numero, tel3_desde, "
                           "tel3_hasta, email, sec_area, sec_instituto, "
                           "sec_estado, sec_completos, conocimientos, remun_mes, Remun_hora, "
                           "Obra_social, tiques, dependencia, "
                           "Viajar, Emigrar, disp_dias, disp_horas, Estatura, med_a, med_b, med_c, "
                           "referencia, actualizado, 1 "
                           "from imp_postulantes"));
        dic->ejecutar(
            QStringLiteral("insert into nvx_d_formacion (postulante, nivel, area, estado, "
                           "materias_aprobadas, materias_restantes, "
                           "promedio, ingreso, ultimo, completos) select 1, Tipo, area, estado, "
                           "aprobadas, restantes, Promedio, "
                           "ingreso, ultimo, completos from imp_formacion"));
        dic->ejecutar(
            QStringLiteral("insert into nvx_d_idiomas (postulante, idioma, habla, lee, escribe) "
                           "select 1, Idioma, Habla, Lee, Escribe from imp_idiomas"));
        dic->ejecutar(
            QStringLiteral("insert into nvx_d_experiencia (postulante, area, puesto, actividades, "
                           "ingreso_mes, ingreso_ano, "
                           "egreso_mes, egreso_ano, empleo_actual, gente_acargo, motivo_egreso, "
                           "remuneracion) select 1, area, "
                           "puesto, tareas, ingreso_mes, ingreso_ano, egreso_mes, egreso_ano, "
                           "actual, Acargo, motivo, remun "
                           "from imp_experiencia"));
        t.confirmar();
    }
    dic.reset();
}
BENCHMARK(BM_CargaMasivaBase)
    ->Arg(kArchivo)
    ->Arg(kServidor)
    ->Unit(benchmark::kSecond)
    ->Iterations(3)
    ->UseRealTime();

// One applicant whose first name carries a megabyte of blanks: reading it collapses
// every run of blanks, which must cost one pass over the line, not one per blank.
void BM_LineaConUnMegaDeBlancos(benchmark::State& state) {
    QTemporaryDir carpeta;
    const QString base = carpeta.filePath(QStringLiteral("base.db"));
    const QString nvx = carpeta.filePath(QStringLiteral("blancos.nvx"));
    CrearBase(base);
    EscribirIntercambio(nvx, 1, 1);
    QFile f(nvx);
    f.open(QIODevice::ReadOnly);
    QList<QByteArray> líneas = f.readAll().split('\n');
    f.close();
    for (QByteArray& l : líneas)
        if (l.count(',') > 50) {  // the applicant's line: blanks open its first name
            const qsizetype nombre = l.indexOf(",\"", l.indexOf(",\"") + 1) + 2;
            l.insert(nombre, QByteArray(1 << 20, ' '));
        }
    f.open(QIODevice::WriteOnly);
    f.write(líneas.join('\n'));
    f.close();
    for (auto _ : state) {
        state.PauseTiming();
        dic = std::make_unique<Diccionario>();
        dic->abrirArchivo(base, false);
        dic->ejecutar(QStringLiteral("delete from nvx_m_postulantes"));
        state.ResumeTiming();
        cImportador imp;
        imp.Archivo = nvx;
        if (imp.leer_intercambio() != 0 || imp.Cnt_Postulantes + imp.cnt_Actualizados != 1)
            state.SkipWithError("la importación no terminó");
    }
    dic.reset();
}
BENCHMARK(BM_LineaConUnMegaDeBlancos)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

#include "Almacen.h"
#include "Apoyo.h"

#include "documents/Documentos.h"
#include "import/Intercambio.h"
#include "import/cImportador.h"
#include "records/Generador.h"
#include "records/cPostulante.h"
#include "search/Palabras.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Palabras.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace {

using PalabrasTest = AlmacenAbierto;

// Every applicant's indexed text, in order: what the index holds.
QString Textos() {
    return Unidos(*dic,
                  QStringLiteral("select postulante || ':' || texto from candora_textos "
                                 "order by postulante"),
                  {}, QStringLiteral("\n"));
}

std::set<int32_t> Hallados(const QString& consulta) {
    std::set<int32_t> ids;
    for (const HalladoPalabras& h : BuscarPorPalabras(*dic, consulta)) ids.insert(h.id);
    return ids;
}

// The active applicants whose words include `palabra`, by reading every text.
std::set<int32_t> Recorrido(const QString& palabra) {
    std::set<int32_t> ids;
    for (auto rs = dic->AbrirRS(QStringLiteral("select t.postulante, t.texto from candora_textos "
                                               "t join nvx_m_postulantes p on p.id = "
                                               "t.postulante where p.activo <> 0"));
         !rs->eof(); rs->MoveNext())
        if (SepararPalabras(rs->texto(1)).contains(palabra)) ids.insert(int32_t(rs->entero(0)));
    return ids;
}

TEST_P(PalabrasTest, ElÍndiceSigueCadaCambioYContestaComoUnRecorrido) {
    InteraccionGuionada usuario;
    GenerarPostulantes(*dic, 40, 3);
    QTemporaryDir carpeta;
    const QString nvx = carpeta.filePath(QStringLiteral("datos.nvx"));
    EscribirIntercambio(nvx, 5, 9);
    cImportador imp;
    imp.Archivo = nvx;
    ASSERT_EQ(imp.leer_intercambio(), 0);

    cPostulante p;
    p.Apellido = QStringLiteral("Núñez");
    p.Nombre = QStringLiteral("Ana");
    p.Dni_País = 1;
    p.Dni_Número = QStringLiteral("30111222");
    p.conocimientos = QStringLiteral("Logística y Quetzalcóatl");
    p.Observaciones = QStringLiteral("Atención al público.");
    ASSERT_TRUE(p.guardar());
    const int32_t doc = AgregarDocumento(*dic, p.id, QStringLiteral("cv.txt"),
                                         "Ñandú, Pérez-Güemes, São Paulo", {});
    cPostulante baja;
    baja.id = 2;
    baja.eliminar();

    // What every change left in the index is what a rebuild writes.
    const QString seguido = Textos();
    EXPECT_EQ(ReindexarPalabras(*dic), 40 + 5 + 1 - 1);
    EXPECT_EQ(S(seguido), S(Textos()));

    EXPECT_EQ(Hallados(QStringLiteral("LOGISTICA quetzalcoatl")), std::set<int32_t>{p.id});
    EXPECT_TRUE(Hallados(QStringLiteral("\"perez guemes\" ñandu")).count(p.id));
    EXPECT_TRUE(Hallados(QStringLiteral("publ* -oracle")).count(p.id));
    // The same answer as reading every text, for words the generator writes.
    for (const char* palabra : {"logistica", "ingles", "buenos", "atencion"})
        EXPECT_EQ(Hallados(QString::fromUtf8(palabra)), Recorrido(QString::fromUtf8(palabra)))
            << palabra;

    QuitarDocumento(*dic, doc);
    EXPECT_TRUE(Hallados(QStringLiteral("ñandu")).empty());
    dic->ejecutar(QStringLiteral("update nvx_m_postulantes set activo = 0 where id = ?"), {p.id});
    EXPECT_TRUE(Hallados(QStringLiteral("quetzalcoatl")).empty());  // inactive: left out
    try {
        BuscarPorPalabras(*dic, QStringLiteral("\"sin cerrar"));
        ADD_FAILURE() << "no lo rechazó";
    } catch (const ErrorAlmacen& e) {
        EXPECT_TRUE(e.operación().contains(QStringLiteral("comillas"))) << S(e.operación());
    }
}

EN_AMBOS_ALMACENES(PalabrasTest);

}  // namespace

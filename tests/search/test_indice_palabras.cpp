#include "Almacen.h"
#include "Apoyo.h"

#include "documents/Documentos.h"
#include "import/Intercambio.h"
#include "import/cImportador.h"
#include "pages/PaginaResultados.h"
#include "records/Generador.h"
#include "records/cPostulante.h"
#include "search/Palabras.h"
#include "search/cBusqueda.h"
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
                  QStringLiteral(
                      "select postulante || ':' || candora_descomprimir(texto) from candora_textos "
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
    for (auto rs = dic->AbrirRS(QStringLiteral(
             "select t.postulante, candora_descomprimir(t.texto) from candora_textos "
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

    const int32_t núñez = GuardarPostulante("Núñez", "Ana", 1, "30111222", [](cPostulante& p) {
        p.conocimientos = QStringLiteral("Logística y Quetzalcóatl");
        p.Observaciones = QStringLiteral("Atención al público.");
    });
    const int32_t doc = AgregarDocumento(*dic, núñez, QStringLiteral("cv.txt"),
                                         "Ñandú, Pérez-Güemes, São Paulo", {});
    cPostulante baja;
    baja.id = 2;
    baja.eliminar();

    // What every change left in the index is what a rebuild writes.
    const QString seguido = Textos();
    EXPECT_EQ(ReindexarPalabras(*dic), 40 + 5 + 1 - 1);
    EXPECT_EQ(S(seguido), S(Textos()));

    EXPECT_EQ(Hallados(QStringLiteral("LOGISTICA quetzalcoatl")), std::set<int32_t>{núñez});
    EXPECT_TRUE(Hallados(QStringLiteral("\"perez guemes\" ñandu")).count(núñez));
    EXPECT_TRUE(Hallados(QStringLiteral("publ* -oracle")).count(núñez));
    // The same answer as reading every text, for words the generator writes.
    for (const char* palabra : {"logistica", "ingles", "buenos", "atencion"})
        EXPECT_EQ(Hallados(QString::fromUtf8(palabra)), Recorrido(QString::fromUtf8(palabra)))
            << palabra;

    QuitarDocumento(*dic, doc);
    EXPECT_TRUE(Hallados(QStringLiteral("ñandu")).empty());
    dic->ejecutar(QStringLiteral("update nvx_m_postulantes set activo = 0 where id = ?"), {núñez});
    EXPECT_TRUE(Hallados(QStringLiteral("quetzalcoatl")).empty());  // inactive: left out
    try {
        BuscarPorPalabras(*dic, QStringLiteral("\"sin cerrar"));
        ADD_FAILURE() << "no lo rechazó";
    } catch (const ErrorAlmacen& e) {
        EXPECT_TRUE(e.operación().contains(QStringLiteral("comillas"))) << S(e.operación());
    }
}

// A store whose index kept its texts as they are gets them compressed when next
// opened, and answers as before.
TEST_P(PalabrasTest, UnÍndiceAnteriorPasaATextosComprimidos) {
    InteraccionGuionada usuario;
    GenerarPostulantes(*dic, 30, 4);
    const QString antes = Textos();
    const std::set<int32_t> halladosAntes = Hallados(QStringLiteral("ingles o logistica"));
    if (servidor()) {
        // As the previous version made it: the words worked out from each text when searched.
        dic->ejecutar(QStringLiteral("DROP INDEX candora_textos_palabras"));
        dic->ejecutar(QStringLiteral("ALTER TABLE candora_textos DROP COLUMN palabras"));
        dic->ejecutar(
            QStringLiteral("CREATE INDEX candora_textos_palabras ON candora_textos "
                           "USING gin (candora_palabras(texto))"));
        dic->ejecutar(QStringLiteral("DROP FUNCTION candora_comprimir(text)"));
        dic->ejecutar(QStringLiteral("DROP FUNCTION candora_descomprimir(text)"));
        dic->ejecutar(QStringLiteral("update candora_esquema set version = 5"));
    } else {
        // As the previous version made it: plain texts, indexed straight from their table.
        for (const char* s :
             {"DROP TRIGGER candora_textos_alta", "DROP TRIGGER candora_textos_baja",
              "DROP TABLE candora_palabras", "DROP VIEW candora_textos_planos",
              "UPDATE candora_textos SET texto = candora_descomprimir(texto)",
              "CREATE VIRTUAL TABLE candora_palabras USING fts5(texto, content = "
              "'candora_textos', content_rowid = 'postulante', tokenize = 'unicode61 "
              "remove_diacritics 2')",
              "INSERT INTO candora_palabras (candora_palabras) VALUES ('rebuild')",
              "CREATE TRIGGER candora_textos_alta AFTER INSERT ON candora_textos BEGIN INSERT "
              "INTO candora_palabras (rowid, texto) VALUES (NEW.postulante, NEW.texto); END",
              "CREATE TRIGGER candora_textos_baja AFTER DELETE ON candora_textos BEGIN INSERT "
              "INTO candora_palabras (candora_palabras, rowid, texto) VALUES ('delete', "
              "OLD.postulante, OLD.texto); END",
              "PRAGMA user_version = 5"})
            dic->ejecutar(QString::fromLatin1(s));
    }
    dic.reset();
    ConectarBase(almacén->configuración());
    ASSERT_TRUE(dic);
    EXPECT_EQ(S(Textos()), S(antes));
    EXPECT_EQ(Hallados(QStringLiteral("ingles o logistica")), halladosAntes);
    if (servidor()) {
        EXPECT_EQ(dic->valorÚnico(QStringLiteral("select count(*) from candora_textos where "
                                                 "palabras is null"))
                      .toInt(),
                  0);
    } else {
        EXPECT_EQ(dic->valorÚnico(QStringLiteral("select count(*) from candora_textos where "
                                                 "typeof(texto) <> 'blob'"))
                      .toInt(),
                  0);
        // The rebuilt full-text index, changed since, agrees with its texts by SQLite's own check.
        ActualizarPalabras(*dic, {1, 2});
        EXPECT_NO_THROW(dic->ejecutar(QStringLiteral(
            "INSERT INTO candora_palabras (candora_palabras) VALUES ('integrity-check')")));
    }
}

// Keywords are one more condition of a saved search: stored with it, combined with the
// other groups, and on a store made before they existed once it is opened again.
TEST_P(PalabrasTest, UnaBúsquedaGuardadaCombinaPalabrasClaveConLosDemásGrupos) {
    InteraccionGuionada usuario;
    dic->ejecutar(QStringLiteral("delete from nvx_diccionario where Tipo = 'P'"));
    dic->ejecutar(servidor() ? QStringLiteral("update candora_esquema set version = 4")
                             : QStringLiteral("PRAGMA user_version = 4"));
    dic.reset();
    ConectarBase(almacén->configuración());
    ASSERT_TRUE(dic);
    GenerarPostulantes(*dic, 80, 5);

    cBúsqueda b;
    b.Título = QStringLiteral("Logística con inglés");
    b.AgregarCondición(
        QStringLiteral("nvx_m_postulantes.palabras_clave contiene LOGISTICA -oracle"));
    b.AgregarCondición(
        QStringLiteral("nvx_m_postulantes.palabras_clave no contiene \"buenos aires\""));
    b.AgregarCondición(QStringLiteral("nvx_d_idiomas.idioma contiene Inglés"));
    ASSERT_TRUE(b.guardar());
    cBúsqueda leída;
    leída.id = b.id;
    ASSERT_TRUE(leída.cargar());
    ASSERT_EQ(leída.colGeneral.Count(), 2);
    EXPECT_EQ(S(leída.colGeneral.Item(2).Valor), "\"buenos aires\"");
    EXPECT_EQ(S(leída.colGeneral.Item(1).dato), "Palabras clave");
    leída.ejecutar();

    std::set<int32_t> esperados;
    const std::set<int32_t> excluidos = Hallados(QStringLiteral("oracle"));
    const std::set<int32_t> ciudad = Hallados(QStringLiteral("\"buenos aires\""));
    for (const int32_t id : Recorrido(QStringLiteral("logistica")))
        if (!excluidos.count(id) && !ciudad.count(id) &&
            dic->valorÚnico(QStringLiteral("select 1 from nvx_d_idiomas where postulante = ? and "
                                           "idioma = 1"),
                            {id})
                .isValid())
            esperados.insert(id);
    const std::vector<int32_t> orden = cBúsqueda::OrdenResultado(b.id);
    EXPECT_EQ(std::set<int32_t>(orden.begin(), orden.end()), esperados);
    EXPECT_FALSE(esperados.empty());
    // Its results page shows where the wanted words were found, not the excluded ones.
    EXPECT_EQ(S(leída.palabrasResaltar().join(u',')), "logistica");
    cResultado r;
    ASSERT_EQ(r.cargar(b.id, b.Título, leída.palabrasResaltar()), int(esperados.size()));
    EXPECT_EQ(r.página(1).html.count(QStringLiteral("<div>")),
              std::min<int>(20, int(esperados.size())));

    // A malformed query is refused with its reason before anything is stored.
    cBúsqueda mala;
    mala.Título = QStringLiteral("Mala");
    mala.AgregarCondición(QStringLiteral("nvx_m_postulantes.palabras_clave contiene \"sin cerrar"));
    try {
        mala.guardar();
        ADD_FAILURE() << "la guardó";
    } catch (const ErrorAlmacen& e) {
        EXPECT_TRUE(e.textoUsuario().contains(QStringLiteral("comillas"))) << S(e.textoUsuario());
    }
    EXPECT_EQ(mala.id, 0);
}

EN_AMBOS_ALMACENES(PalabrasTest);

}  // namespace

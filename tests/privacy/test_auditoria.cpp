#include "Almacen.h"
#include "Apoyo.h"

#include "documents/Extraccion.h"
#include "duplicates/Duplicados.h"
#include "duplicates/Fusion.h"
#include "export/Exportacion.h"
#include "privacy/Auditoria.h"
#include "privacy/Informe.h"
#include "privacy/Supresion.h"
#include "records/cPostulante.h"
#include "store/BaseEntregada.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using AuditoriaTest = AlmacenAbierto;

// The log as "applicant user action: detail" lines, oldest first.
QString Registro(int32_t postulante = 0) {
    QStringList l;
    for (const EntradaAuditoria& e : LeerAuditoria(*dic, {}, postulante))
        l << QStringLiteral("%1 %2 %3: %4").arg(e.postulante).arg(e.usuario, e.acción, e.detalle);
    return l.join(u'\n');
}

// Every change is logged in its own transaction, a failed one leaves no entry, and
// readings wait in memory until written on their own.
TEST_P(AuditoriaTest, CadaAcciónQuedaConQuiénYCuándoYNadaDeLoDeshecho) {
    InteraccionGuionada usuario;
    UsuarioActual = QStringLiteral("ana");
    cPostulante p;
    p.Apellido = QStringLiteral("Paz");
    p.Nombre = QStringLiteral("Ana");
    p.Dni_País = 1;
    p.Dni_Número = QStringLiteral("20111222");
    ASSERT_TRUE(p.guardar());
    p.Nombre = QStringLiteral("Ana María");
    ASSERT_TRUE(p.guardar());

    // The entry goes with the change: when it cannot be written, the change is undone too.
    almacén->provocarFalla(*dic, QStringLiteral("candora_auditoria"), QStringLiteral("1 = 1"));
    p.Nombre = QStringLiteral("Otra");
    EXPECT_THROW(p.guardar(), ErrorAlmacen);
    almacén->quitarFalla(*dic, QStringLiteral("candora_auditoria"));
    EXPECT_EQ(S(dic->valorÚnico(QStringLiteral("select nombre from nvx_m_postulantes where id = ?"),
                                {p.id})
                    .toString()),
              "Ana María");

    AuditarLectura(p.id, Acción::AbrióFicha);
    EXPECT_EQ(LeerAuditoria(*dic).size(), 2u);  // not written yet
    {
        Transaccion t(*dic);
        EXPECT_EQ(VolcarLecturas(*dic), 0);  // never inside someone else's transaction
    }
    EXPECT_EQ(VolcarLecturas(*dic), 1);
    EXPECT_EQ(VolcarLecturas(*dic), 0);

    QTemporaryDir carpeta;
    ExportarPostulantes(*dic, {p.id}, FormatoExportación::Csv,
                        carpeta.filePath(QStringLiteral("lista.csv")));
    const int32_t otro = GuardarPostulante("PAZ", "Ana", 2, "20111222");
    UsuarioActual = QStringLiteral("beto");
    FusionarPostulantes(*dic, p.id, otro, UsuarioActual);
    EXPECT_EQ(S(Registro(p.id)),
              S(QStringLiteral("%1 ana guardó: ficha nueva\n%1 ana guardó: \n%1 ana abrió la "
                               "ficha: \n%1 ana exportó: lista.csv\n%1 beto fusionó: con el "
                               "postulante %2 (documento 20111222 de Bolivia)")
                    .arg(p.id)
                    .arg(otro)));

    // The tool shows the same, by applicant and from a date on.
    dic.reset();
    SalidaAdmin r = CorrerAdmin(almacén->opcionesAdmin()
                                << QStringLiteral("auditoria") << QStringLiteral("--postulante")
                                << QString::number(otro));
    EXPECT_EQ(r.código, 0) << S(r.errores);
    EXPECT_EQ(r.salida.count(u'\n'), 1);
    EXPECT_TRUE(r.salida.contains(QStringLiteral("\tana\t%1\tguardó\tficha nueva").arg(otro)));
    r = CorrerAdmin(almacén->opcionesAdmin()
                    << QStringLiteral("auditoria") << QStringLiteral("--desde")
                    << QStringLiteral("01/01/2100"));
    EXPECT_EQ(r.código, 0);
    EXPECT_TRUE(r.salida.isEmpty());
    UsuarioActual.clear();
}

// The report shows everything kept about one person, and issuing it is recorded.
TEST_P(AuditoriaTest, ElInformeMuestraTodoLoGuardadoYQuedaAnotado) {
    InteraccionGuionada usuario;
    const int32_t id = GuardarPostulante("Quiroga", "Ana", 1, "20111222", [](cPostulante& p) {
        p.email = QStringLiteral("ana@mail.com");
    });
    dic->ejecutar(QStringLiteral("insert into RESULTADO (CONSULTA, ID) values (77, ?)"), {id});
    DescartarPar(*dic, id, 999, QStringLiteral("beto"));
    const QString html = InformeDatosPersonales(*dic, id, QStringLiteral("ana"));
    for (const char* parte :
         {"Quiroga", "Informe de datos personales", "Clave de duplicados (regla 1): ana@mail.com",
          "Búsqueda 77", "Postulante 999 (beto)", "guardó: ficha nueva"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(parte))) << parte;
    EXPECT_EQ(S(LeerAuditoria(*dic, {}, id).back().acción),
              "emitió el informe de datos personales");
    EXPECT_TRUE(InformeDatosPersonales(*dic, 9999, {}).isEmpty());

    dic.reset();
    QTemporaryDir carpeta;
    const QString archivo = carpeta.filePath(QStringLiteral("informe.html"));
    SalidaAdmin r =
        CorrerAdmin(almacén->opcionesAdmin() << QStringLiteral("informe") << QString::number(id)
                                             << QStringLiteral("--salida") << archivo);
    EXPECT_EQ(r.código, 0) << S(r.errores);
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(f.readAll()).contains(QStringLiteral("Historial de accesos")));

    // As PDF too, read back by poppler.
    const QString pdf = carpeta.filePath(QStringLiteral("informe.pdf"));
    r = CorrerAdmin(almacén->opcionesAdmin() << QStringLiteral("informe") << QString::number(id)
                                             << QStringLiteral("--salida") << pdf);
    EXPECT_EQ(r.código, 0) << S(r.errores);
    EXPECT_TRUE(r.errores.isEmpty()) << S(r.errores);
    QFile g(pdf);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    const QString texto = ExtraerTexto(g.readAll(), pdf).texto;
    for (const char* parte : {"Quiroga", "Informe de datos personales", "Historial de accesos"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(parte))) << parte << S(texto);
}

// A store made before the merge record and the erasures' hashes gets both when next opened.
TEST_P(AuditoriaTest, UnaBaseAnteriorRecibeElRegistroDeFusionesYLaHuella) {
    InteraccionGuionada usuario;
    dic->ejecutar(QStringLiteral("DROP INDEX candora_auditoria_huella"));
    dic->ejecutar(QStringLiteral("ALTER TABLE candora_auditoria DROP COLUMN huella"));
    if (servidor())
        dic->ejecutar(QStringLiteral("ALTER TABLE candora_auditoria DROP COLUMN rowid"));
    dic->ejecutar(QStringLiteral("DROP TABLE candora_ajustes"));
    dic->ejecutar(QStringLiteral("DROP TABLE candora_fusiones"));
    dic->ejecutar(servidor() ? QStringLiteral("update candora_esquema set version = 7")
                             : QStringLiteral("PRAGMA user_version = 7"));
    dic.reset();
    ConectarBase(almacén->configuración());
    ASSERT_TRUE(dic);
    EXPECT_EQ(dic->VersiónEsquema(), kVersiónEsquema);
    const int32_t a = GuardarPostulante("Paz", "Ana", 1, "20111222");
    const int32_t b = GuardarPostulante("Paz", "Ana", 2, "20111222");
    FusionarPostulantes(*dic, a, b, QStringLiteral("ana"));
    EXPECT_FALSE(FusionesDe(*dic, a).isEmpty());
    EXPECT_EQ(LeerAuditoria(*dic, {}, a).size(), 2u);  // saved, merged
    SuprimirPostulantes(*dic, {a}, QStringLiteral("Pedido"));
    EXPECT_EQ(LeerAuditoria(*dic, {}, a).at(0).huella,
              HuellaDocumento(*dic, QStringLiteral("20111222")));
}

EN_AMBOS_ALMACENES(AuditoriaTest);

}  // namespace

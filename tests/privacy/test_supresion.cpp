#include "Almacen.h"
#include "Apoyo.h"

#include "documents/Documentos.h"
#include "duplicates/Duplicados.h"
#include "duplicates/Fusion.h"
#include "privacy/Auditoria.h"
#include "privacy/Conservacion.h"
#include "privacy/Supresion.h"
#include "records/cPostulante.h"
#include "search/Palabras.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Valores.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using SupresionTest = AlmacenAbierto;

// Words only the erased person has: surname, name, e-mail, a remark, a document.
const char* const kSuyas[] = {"quimbayazt", "eulogiaxz", "ferroviariozq", "cartografiazq"};

// Every value of every table that mentions one of them, as "table: value".
QStringList Menciones(Diccionario& d) {
    QStringList halladas;
    for (const TablaAlmacén& t : d.Tablas()) {
        for (auto rs = d.AbrirRS(QStringLiteral("select * from ") + t.nombre); !rs->eof();
             rs->MoveNext())
            for (int i = 0; i < rs->FieldCount(); ++i) {
                const QVariant v = rs->valor(i);
                const QByteArray b =
                    (v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8())
                        .toLower();
                for (const char* w : kSuyas)
                    if (b.contains(w)) halladas << t.nombre + QStringLiteral(": ") + w;
            }
    }
    return halladas;
}

// The words found in the bytes of the store's files (the table pages, the free
// pages and the keyword index alike), in any case.
QStringList EnLosBytes(const QString& ruta) {
    QStringList halladas;
    const QDir carpeta = QFileInfo(ruta).dir();
    for (const QString& n : carpeta.entryList(QDir::Files)) {
        QFile f(carpeta.filePath(n));
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QByteArray b = f.readAll().toLower();
        for (const char* w : kSuyas)
            if (b.contains(w)) halladas << n + QStringLiteral(": ") + w;
    }
    return halladas;
}

std::vector<int32_t> Hallados(const char* palabras) {
    std::vector<int32_t> ids;
    for (const HalladoPalabras& h : BuscarPorPalabras(*dic, QString::fromUtf8(palabras)))
        ids.push_back(h.id);
    return ids;
}

int32_t GuardarPersona(const QString& foto, const QString& fotoCompartida) {
    const int32_t id =
        GuardarPostulante("Quimbayazt", "Eulogiaxz", 1, "30.444.555", [&](cPostulante& p) {
            p.email = QStringLiteral("quimbayazt@correo.com");
            p.Observaciones = QStringLiteral("Trabajó en el ferroviariozq de Tafí.");
            p.Fotos.Add(QStringLiteral("Frente"), foto);
            p.Fotos.Add(QStringLiteral("Perfil"), fotoCompartida);
        });
    // Edited, so older versions of its rows have been left in the file too.
    cPostulante p;
    p.id = id;
    p.cargar();
    p.Observaciones += QStringLiteral(" Maneja grúas y autoelevadores en depósitos.");
    EXPECT_TRUE(p.guardar());
    // A CV replaced by another: its pages were freed long before the erasure.
    QByteArray largo;
    for (int i = 0; largo.size() < 40000; ++i)
        largo += "cartografiazq " + QByteArray::number(i) + '\n';
    QuitarDocumento(*dic, AgregarDocumento(*dic, id, QStringLiteral("viejo.txt"), largo,
                                           QStringLiteral("ana")));
    AgregarDocumento(*dic, id, QStringLiteral("cv.txt"),
                     "Curriculum de Eulogiaxz Quimbayazt, experto en cartografiazq.\n",
                     QStringLiteral("ana"));
    return id;
}

QString Escribir(const QString& ruta) {
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    f.write("foto");
    return ruta;
}

// An erasure takes the person out of every table, the keyword index and the
// file's bytes, and leaves one anonymous entry; everyone else stays as they were.
TEST_P(SupresionTest, NoQuedaNadaDeLaPersonaSalvoUnaEntradaAnónima) {
    InteraccionGuionada usuario;
    UsuarioActual = QStringLiteral("ana");
    QTemporaryDir fotos;
    const QString suya = Escribir(fotos.filePath(QStringLiteral("suya.jpg")));
    const QString compartida = Escribir(fotos.filePath(QStringLiteral("compartida.jpg")));
    const int32_t id = GuardarPersona(suya, compartida);
    const int32_t otro = GuardarPostulante("Paz", "Ana", 1, "20111222", [&](cPostulante& p) {
        p.Observaciones = QStringLiteral("Maneja grúas.");
        p.Fotos.Add(QStringLiteral("Frente"), compartida);
    });
    // A "photo" the store was pointed at that is no picture is never deleted.
    const QString ajeno = Escribir(fotos.filePath(QStringLiteral("contrato.odt")));
    dic->ejecutar(QStringLiteral("insert into nvx_d_fotos (postulante, titulo, foto) values (?, "
                                 "'Otra', ?)"),
                  {id, ajeno});
    // Rows about the person elsewhere: a merge, a pair set aside, a saved result,
    // a staged import, readings not written yet.
    const int32_t repetido = GuardarPostulante("QUIMBAYAZT", "EULOGIAXZ", 2, "30444555");
    FusionarPostulantes(*dic, id, repetido, QStringLiteral("ana"));
    DescartarPar(*dic, id, otro, QStringLiteral("beto"));
    dic->ejecutar(QStringLiteral("insert into RESULTADO (CONSULTA, ID) values (7, ?)"), {id});
    dic->PrepararTablasImportación();
    dic->ejecutar(
        QStringLiteral("insert into imp_postulantes (doc_pais, doc_numero, Apellido) "
                       "values (1, '30.444.555', 'Quimbayazt')"));
    AuditarLectura(id, Acción::AbrióFicha);
    ASSERT_GE(Menciones(*dic).size(), 8) << "the test must see the person where they are";

    EXPECT_THROW(SuprimirPostulantes(*dic, {id}, QStringLiteral("  ")), ErrorAlmacen);
    const Supresión hecha =
        SuprimirPostulantes(*dic, {id, id}, QStringLiteral("Pedido del titular"));
    EXPECT_EQ(hecha.postulantes, 1);
    EXPECT_EQ(hecha.fotosQueQuedan, QStringList{ajeno});
    VolcarLecturas(*dic);

    EXPECT_EQ(Menciones(*dic), QStringList());
    if (!servidor()) {
        dic.reset();
        EXPECT_EQ(EnLosBytes(almacén->ruta()), QStringList());
        almacén->abrir(*(dic = std::make_unique<Diccionario>()));
    }
    // By key too: rows that name the person only by number.
    for (const char* dónde :
         {"nvx_m_postulantes where id = ?", "nvx_d_fotos where postulante = ?",
          "nvx_d_documentos where postulante = ?", "candora_textos where postulante = ?",
          "candora_claves where postulante = ?", "candora_fusiones where conservado = ?",
          "candora_no_duplicados where a = ? or b = ?", "RESULTADO where ID = ?"})
        EXPECT_EQ(Unidos(*dic, QStringLiteral("select count(*) from ") + QLatin1String(dónde),
                         QVariantList(QString::fromLatin1(dónde).count(u'?'), id)),
                  QStringLiteral("0"))
            << dónde;

    // What stays: who, when, why and the document's keyed hash.
    const auto entradas = LeerAuditoria(*dic, {}, id);
    ASSERT_EQ(entradas.size(), 1u);
    EXPECT_EQ(S(entradas[0].usuario + u' ' + entradas[0].acción + u' ' + entradas[0].detalle),
              "ana suprimió los datos personales Motivo: Pedido del titular");
    EXPECT_EQ(entradas[0].huella, HuellaDocumento(*dic, QStringLiteral("30444555")));
    EXPECT_EQ(entradas[0].huella.size(), 64);
    // Filed again, the person is recognised by the number alone.
    const int32_t vuelve = GuardarPostulante("Q.", "E.", 3, "030444555");
    const auto reaparecidos = Reaparecidos(*dic, {otro, vuelve});
    ASSERT_EQ(reaparecidos.size(), 1u);
    EXPECT_EQ(reaparecidos[0].postulante.id, vuelve);
    EXPECT_EQ(S(reaparecidos[0].supresión.detalle), "Motivo: Pedido del titular");
    EXPECT_FALSE(SupresiónDe(*dic, QStringLiteral("20111222")).has_value());

    // The photo only they used is gone; the other applicant is whole and found.
    EXPECT_FALSE(QFile::exists(suya));
    EXPECT_TRUE(QFile::exists(ajeno));
    EXPECT_TRUE(QFile::exists(compartida));
    EXPECT_EQ(Hallados("grúas"), std::vector<int32_t>{otro});
    EXPECT_EQ(Unidos(*dic, QStringLiteral("select count(*) from nvx_d_fotos where postulante = ?"),
                     {otro}),
              QStringLiteral("1"));
    UsuarioActual.clear();
}

// An erasure that cannot write its entry leaves the person exactly as they were.
TEST_P(SupresionTest, UnaSupresiónQueFallaNoBorraNada) {
    InteraccionGuionada usuario;
    QTemporaryDir fotos;
    const QString suya = Escribir(fotos.filePath(QStringLiteral("suya.jpg")));
    const int32_t id = GuardarPersona(suya, suya);
    const QString antes = VolcadoPostulante(*dic, id);
    almacén->provocarFalla(*dic, QStringLiteral("candora_auditoria"), QStringLiteral("1 = 1"));
    EXPECT_THROW(SuprimirPostulantes(*dic, {id}, QStringLiteral("Pedido")), ErrorAlmacen);
    almacén->quitarFalla(*dic, QStringLiteral("candora_auditoria"));
    EXPECT_EQ(S(VolcadoPostulante(*dic, id)), S(antes));
    EXPECT_EQ(Hallados("cartografiazq"), std::vector<int32_t>{id});
    EXPECT_TRUE(QFile::exists(suya));
    EXPECT_THROW(SuprimirPostulantes(*dic, {id, 99999}, QStringLiteral("Pedido")), ErrorAlmacen);
    EXPECT_EQ(S(VolcadoPostulante(*dic, id)), S(antes));
}

// Retention: due the day after N years without changes; set for the office, and
// erased from the tool with its own reason.
TEST_P(SupresionTest, LaConservaciónVenceAlDíaSiguienteDeLosNAños) {
    InteraccionGuionada usuario;
    EXPECT_EQ(LímiteConservación(5, QDate(2026, 12, 9)), QDate(2021, 12, 9));
    EXPECT_EQ(LímiteConservación(1, QDate(2024, 2, 29)), QDate(2023, 2, 28));
    const auto cambiado = [](const char* apellido, const QVariant& cuándo) {
        const int32_t id = GuardarPostulante(apellido, "Ana", 1, apellido);
        dic->ejecutar(QStringLiteral("update nvx_m_postulantes set actualizado = ?, "
                                     "fecha_ingreso = ? where id = ?"),
                      {cuándo, cuándo, id});
        return id;
    };
    const int32_t vencido = cambiado("11111111", QStringLiteral("20211208235959"));
    cambiado("22222222", QStringLiteral("20211209000000"));  // exactly five years: kept
    cambiado("33333333", QVariant());                        // no date: never due
    const int32_t antiguo = cambiado("44444444", QStringLiteral("20100101120000"));

    EXPECT_EQ(AñosConservación(*dic), 0);
    EXPECT_TRUE(PostulantesVencidos(*dic, 0, QDate(2026, 12, 9)).empty());
    std::vector<int32_t> ids;
    for (const PostulanteASuprimir& p : PostulantesVencidos(*dic, 5, QDate(2026, 12, 9)))
        ids.push_back(p.id);
    EXPECT_EQ(ids, (std::vector<int32_t>{antiguo, vencido}));

    // The tool, against today's date: all four changes are years old.
    dic.reset();
    SalidaAdmin r = CorrerAdmin(almacén->opcionesAdmin() << QStringLiteral("retencion"));
    EXPECT_EQ(r.código, 1);
    EXPECT_TRUE(r.errores.contains(QStringLiteral("No hay plazo de conservación")));
    r = CorrerAdmin(almacén->opcionesAdmin()
                    << QStringLiteral("retencion") << QStringLiteral("--fijar")
                    << QStringLiteral("1") << QStringLiteral("--suprimir"));
    EXPECT_EQ(r.código, 0) << S(r.errores);
    EXPECT_EQ(r.salida.count(QStringLiteral("Suprimido: ")), 3);
    almacén->abrir(*(dic = std::make_unique<Diccionario>()));
    EXPECT_EQ(AñosConservación(*dic), 1);
    EXPECT_EQ(Unidos(*dic, QStringLiteral("select dni_numero from nvx_m_postulantes where "
                                          "apellido = '33333333'")),
              QStringLiteral("33333333"));
    EXPECT_EQ(S(LeerAuditoria(*dic, {}, antiguo).at(0).detalle),
              "Motivo: Plazo de conservación vencido (1 año sin cambios).");
}

// The tool's erasure: a reason is required, a missing applicant changes nothing.
TEST_P(SupresionTest, LaHerramientaPideMotivoYNombraAQuienSuprime) {
    const int32_t id = GuardarPostulante("Quiroga", "Ana", 1, "20111222");
    dic.reset();
    SalidaAdmin r =
        CorrerAdmin(almacén->opcionesAdmin() << QStringLiteral("suprimir") << QString::number(id));
    EXPECT_EQ(r.código, 2);
    r = CorrerAdmin(almacén->opcionesAdmin()
                    << QStringLiteral("suprimir") << QString::number(id) << QStringLiteral("999")
                    << QStringLiteral("--motivo") << QStringLiteral("Pedido"));
    EXPECT_EQ(r.código, 1);
    EXPECT_TRUE(r.errores.contains(QStringLiteral("El postulante número 999 no existe.")))
        << S(r.errores);
    r = CorrerAdmin(almacén->opcionesAdmin()
                    << QStringLiteral("suprimir") << QString::number(id)
                    << QStringLiteral("--motivo") << QStringLiteral("Pedido"));
    EXPECT_EQ(r.código, 0) << S(r.errores);
    EXPECT_EQ(S(r.salida),
              S(QStringLiteral("Suprimido: %1\tQuiroga, Ana (DNI 20111222)\n").arg(id)));

    // Someone erased who comes back in an import is imported, and reported.
    QTemporaryDir carpeta;
    const QString nvx = carpeta.filePath(QStringLiteral("lote.nvx"));
    const auto admin = [&](const QStringList& a) {
        return CorrerAdmin(almacén->opcionesAdmin() + a);
    };
    ASSERT_EQ(admin({QStringLiteral("generar-intercambio"), nvx, QStringLiteral("20")}).código, 0);
    ASSERT_EQ(admin({QStringLiteral("importar"), nvx}).código, 0);
    almacén->abrir(*(dic = std::make_unique<Diccionario>()));
    const QString primero = Unidos(*dic, QStringLiteral("select min(id) from nvx_m_postulantes"));
    dic.reset();
    ASSERT_EQ(admin({QStringLiteral("suprimir"), primero, QStringLiteral("--motivo"),
                     QStringLiteral("Pedido")})
                  .código,
              0);
    r = admin({QStringLiteral("importar"), nvx});
    EXPECT_TRUE(r.salida.contains(QStringLiteral("Importados: 1\n"))) << S(r.salida);
    EXPECT_TRUE(r.salida.contains(QStringLiteral("Suprimidos antes: 1\n"))) << S(r.salida);
    EXPECT_TRUE(r.salida.contains(QStringLiteral("(Motivo: Pedido)"))) << S(r.salida);
}

EN_AMBOS_ALMACENES(SupresionTest);

}  // namespace

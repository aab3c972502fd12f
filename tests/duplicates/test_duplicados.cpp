#include "Almacen.h"
#include "Apoyo.h"

#include "documents/Documentos.h"
#include "duplicates/Duplicados.h"
#include "duplicates/Fusion.h"
#include "records/Generador.h"
#include "records/cPostulante.h"
#include "search/Palabras.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Palabras.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

TEST(Reglas, CadaReglaIgnoraLoQueNoIdentificaAUnaPersona) {
    EXPECT_EQ(S(ClaveCorreo(QStringLiteral("  Jose.Perez@Mail.COM "))), "jose.perez@mail.com");
    for (const char* nada : {"", "sin correo", "@mail.com", "jose@", "jo se@mail.com"})
        EXPECT_TRUE(ClaveCorreo(QString::fromUtf8(nada)).isEmpty()) << nada;

    // One mobile written every way an Argentine writes it, and a landline of Córdoba.
    for (const char* t : {"11 5221-4784", "011 15-5221-4784", "+54 9 11 5221-4784",
                          "(011) 5221 4784", "0054 11 5221 4784", "54 11 52214784"})
        EXPECT_EQ(S(ClaveTeléfono(QString::fromUtf8(t))), "1152214784") << t;
    for (const char* t : {"0351 15 444-5566", "+54 9 351 444 5566", "351 4445566"})
        EXPECT_EQ(S(ClaveTeléfono(QString::fromUtf8(t))), "3514445566") << t;
    EXPECT_EQ(ClaveTeléfono(QStringLiteral("15 5221-4784")),
              ClaveTeléfono(QStringLiteral("5221-4784")));
    EXPECT_TRUE(ClaveTeléfono(QStringLiteral("int. 123")).isEmpty());

    EXPECT_EQ(ClaveNombre(QStringLiteral("  PÉREZ   Güemes"), QStringLiteral("José "), 3, 7, 1990),
              ClaveNombre(QStringLiteral("perez guemes"), QStringLiteral("JOSE"), 3, 7, 1990));
    EXPECT_NE(ClaveNombre(QStringLiteral("Pérez"), QStringLiteral("José"), 3, 7, 1990),
              ClaveNombre(QStringLiteral("Pérez"), QStringLiteral("José"), 4, 7, 1990));
    EXPECT_NE(ClaveNombre(QStringLiteral("Pérez"), QStringLiteral("José"), 3, 7, 1990),
              ClaveNombre(QStringLiteral("Pérez"), QStringLiteral("Josefa"), 3, 7, 1990));
    EXPECT_TRUE(ClaveNombre(QStringLiteral("Pérez"), QStringLiteral("José"), 0, 7, 1990).isEmpty());
    EXPECT_TRUE(ClaveNombre(QStringLiteral("Pérez"), QString(), 3, 7, 1990).isEmpty());

    EXPECT_EQ(S(ClaveDocumento(QStringLiteral("20.111.222"))), "20111222");
    EXPECT_EQ(S(ClaveDocumento(QStringLiteral(" aab-012345 "))), "AAB012345");
    EXPECT_TRUE(ClaveDocumento(QStringLiteral("0")).isEmpty());

    // Two telephones that are one number give one key; the evidence reads best first.
    DatosIdentidad p;
    p.teléfonos = {QStringLiteral("11 5221-4784"), QStringLiteral("+54 9 11 5221 4784")};
    p.email = QStringLiteral("a@b.c");
    EXPECT_EQ(ClavesDe(p).size(), 2u);
    const int todas = 0b1111;
    EXPECT_EQ(PuntajeReglas(todas), 180);
    EXPECT_EQ(S(EvidenciaReglas(todas)),
              "mismo número de documento, mismo nombre y fecha de nacimiento, mismo correo "
              "electrónico, mismo teléfono");
}

using DuplicadosTest = AlmacenAbierto;

int32_t Alta(const char* apellido, const char* nombre, uint8_t país, const char* documento,
             const char* email, const char* teléfono, uint8_t día) {
    return GuardarPostulante(apellido, nombre, país, documento, [&](cPostulante& p) {
        p.email = QString::fromUtf8(email);
        p.Tel1_numero = QString::fromUtf8(teléfono);
        p.Nac_Día = día;
        p.Nac_Mes = 7;
        p.nac_año = 1990;
    });
}

// The store's keys as a sorted dump, to compare what changes leave with a rebuild.
QString Claves() {
    return Unidos(*dic,
                  QStringLiteral("select postulante || ' ' || regla || ' ' || clave from "
                                 "candora_claves order by postulante, regla, clave"),
                  {}, QStringLiteral("\n"));
}

TEST_P(DuplicadosTest, LosParesSalenDeLasClavesConSuEvidenciaYSeDescartan) {
    InteraccionGuionada usuario;
    GenerarPostulantes(*dic, 30, 8);  // a crowd the pairs must stand out from
    const int32_t josé = Alta("Pérez", "José", 1, "20111222", "jose@mail.com", "11 5221-4784", 3);
    const int32_t jose =
        Alta("PEREZ", "Jose", 3, "20.111.222", " JOSE@mail.com", "011 15 3333-4444", 3);
    const int32_t vecina = Alta("Gómez", "Ana", 1, "30999888", "", "+54 9 11 5221 4784", 9);
    const int32_t otro = Alta("Pérez", "José", 1, "27000111", "", "", 4);  // born another day

    const auto pares = [] {
        QStringList p;
        for (const ParDuplicado& x : BuscarDuplicados(*dic).pares)
            if (x.a > 30) p << QStringLiteral("%1-%2 %3").arg(x.a).arg(x.b).arg(x.puntaje());
        return p.join(u',');
    };
    EXPECT_EQ(S(pares()), S(QStringLiteral("%1-%2 150,%1-%3 30").arg(josé).arg(jose).arg(vecina)));
    const ParDuplicado primero = BuscarDuplicados(*dic).pares.front();
    EXPECT_EQ(S(primero.nombreB), "PEREZ, Jose (documento 20.111.222 de Brasil)");
    EXPECT_EQ(S(primero.evidencia()),
              "mismo número de documento, mismo nombre y fecha de nacimiento, mismo correo "
              "electrónico");

    // At the door: what is typed for a new card finds who is on file.
    DatosIdentidad nueva;
    nueva.apellido = QStringLiteral("perez");
    nueva.nombre = QStringLiteral("JOSÉ");
    nueva.díaNacimiento = 4;
    nueva.mesNacimiento = 7;
    nueva.añoNacimiento = 1990;
    const auto posibles = PosiblesDuplicados(*dic, nueva);
    ASSERT_EQ(posibles.size(), 1u);
    EXPECT_EQ(posibles.front().b, otro);
    EXPECT_EQ(S(posibles.front().nombreB), "Pérez, José (DNI 27000111)");
    // An office's telephone, shared by a crowd, is no evidence at the door either.
    std::vector<int32_t> todos(34);
    std::iota(todos.begin(), todos.end(), 1);
    dic->ejecutar(QStringLiteral("update nvx_m_postulantes set tel3_numero = '4000-1234'"));
    ActualizarClaves(*dic, todos);
    nueva.teléfonos = {QStringLiteral("4000 1234")};
    EXPECT_EQ(PosiblesDuplicados(*dic, nueva).size(), 1u);
    dic->ejecutar(QStringLiteral("update nvx_m_postulantes set tel3_numero = null"));
    ActualizarClaves(*dic, todos);

    // Set aside, a pair is not listed again; a changed telephone or a deletion
    // takes the evidence away with it.
    DescartarPar(*dic, vecina, josé, QStringLiteral("ana"));
    EXPECT_EQ(S(pares()), S(QStringLiteral("%1-%2 150").arg(josé).arg(jose)));
    cPostulante p;
    p.id = jose;
    ASSERT_EQ(p.cargar(), 1);
    p.Tel1_numero = QStringLiteral("11 5221 4784");
    ASSERT_TRUE(p.guardar());
    // (the neighbour now shares his number, and only the pair set aside stays hidden)
    EXPECT_EQ(S(pares()), S(QStringLiteral("%1-%2 180,%2-%3 30").arg(josé).arg(jose).arg(vecina)));
    const QString seguido = Claves();
    EXPECT_EQ(ReconstruirClaves(*dic), 34);
    EXPECT_EQ(S(Claves()), S(seguido));
    p.eliminar();
    EXPECT_EQ(S(pares()), "");

    // The tool lists the same pairs, and sets one aside for good.
    dic.reset();
    SalidaAdmin r = CorrerAdmin(almacén->opcionesAdmin() << QStringLiteral("duplicados"));
    EXPECT_EQ(r.código, 0) << S(r.errores);
    EXPECT_FALSE(r.salida.contains(QStringLiteral("Pérez")));
    r = CorrerAdmin(almacén->opcionesAdmin()
                    << QStringLiteral("duplicados") << QStringLiteral("--no-son")
                    << QString::number(otro) << QString::number(josé));
    EXPECT_EQ(r.código, 0) << S(r.errores);
}

// Merging keeps the first card's values and fills its gaps, moves what only the
// other has, doubles nothing and leaves nothing of the other behind; a failure on
// the way leaves both as they were.
TEST_P(DuplicadosTest, LaFusiónNoDejaNadaNiDuplicaYUnaFallaDejaAmbosComoEstaban) {
    InteraccionGuionada usuario;
    const int32_t k = GuardarPostulante("Pérez", "José", 1, "20111222", [](cPostulante& p) {
        p.Tel1_numero = QStringLiteral("11 5221-4784");
        p.Observaciones = QStringLiteral("Quedó");
    });
    ASSERT_GT(k, 0);
    const int32_t o = Alta("PEREZ", "Jose", 3, "20111222", "jose@mail.com", "", 3);
    ASSERT_EQ(dic->ejecutar(QStringLiteral("update nvx_m_postulantes set res_calle = 'Mitre', "
                                           "observaciones = 'Se va' where id = ?"),
                            {o}),
              1);
    const auto filas = [](const char* sql, const QVariantList& v) {
        return S(Unidos(*dic, QString::fromUtf8(sql), v, QStringLiteral(" ")));
    };
    dic->ejecutar(QStringLiteral("insert into nvx_d_idiomas (postulante, idioma, habla, lee, "
                                 "escribe) values (?, 1, 5, 5, 5), (?, 1, 1, 1, 1), (?, 2, 3, 3, "
                                 "3)"),
                  {k, o, o});
    dic->ejecutar(QStringLiteral("insert into nvx_d_interes (postulante, area) values (?, 3), (?, "
                                 "3), (?, 5)"),
                  {k, o, o});
    dic->ejecutar(QStringLiteral("insert into nvx_d_experiencia (postulante, actividades) values "
                                 "(?, 'Cajero de supermercado')"),
                  {o});
    AgregarDocumento(*dic, k, QStringLiteral("cv.txt"), "uno", {});
    AgregarDocumento(*dic, o, QStringLiteral("cv.txt"), "uno", {});
    AgregarDocumento(*dic, o, QStringLiteral("carta.txt"), "dos", {});
    ActualizarClaves(*dic, {k, o});
    dic->ejecutar(QStringLiteral("insert into RESULTADO (CONSULTA, ID) values (7, ?), (8, ?), "
                                 "(8, ?)"),
                  {o, k, o});
    DescartarPar(*dic, k, o, QStringLiteral("ana"));

    // A statement that fails on the way: both stay exactly as they were.
    const QString antesK = VolcadoPostulante(*dic, k), antesO = VolcadoPostulante(*dic, o);
    almacén->provocarFalla(*dic, QStringLiteral("candora_fusiones"), QStringLiteral("1 = 1"));
    EXPECT_THROW(FusionarPostulantes(*dic, k, o, QStringLiteral("ana")), ErrorAlmacen);
    almacén->quitarFalla(*dic, QStringLiteral("candora_fusiones"));
    EXPECT_EQ(S(VolcadoPostulante(*dic, k)), S(antesK));
    EXPECT_EQ(S(VolcadoPostulante(*dic, o)), S(antesO));
    EXPECT_EQ(filas("select ID from RESULTADO order by CONSULTA, ID", {}),
              S(QStringLiteral("%1 %2 %1").arg(o).arg(k)));

    FusionarPostulantes(*dic, k, o, QStringLiteral("ana"));
    EXPECT_EQ(filas("select coalesce(email, '') || '|' || coalesce(res_calle, '') || '|' || "
                    "observaciones || '|' || dni_numero || '|' || tel1_numero from "
                    "nvx_m_postulantes where id = ?",
                    {k}),
              "jose@mail.com|Mitre|Quedó|20111222|11 5221-4784");
    EXPECT_EQ(filas("select idioma || ':' || habla from nvx_d_idiomas where postulante = ? order "
                    "by idioma",
                    {k}),
              "1:5 2:3");
    EXPECT_EQ(filas("select area from nvx_d_interes where postulante = ? order by area", {k}),
              "3 5");
    EXPECT_EQ(
        filas("select nombre from nvx_d_documentos where postulante = ? order by nombre", {k}),
        "carta.txt cv.txt");
    EXPECT_EQ(filas("select ID from RESULTADO order by CONSULTA", {}),
              S(QStringLiteral("%1 %1").arg(k)));
    // Nothing of the other is left anywhere, and the kept one is found by its words.
    for (const char* t :
         {"nvx_d_familiares", "nvx_d_formacion", "nvx_d_idiomas", "nvx_d_experiencia",
          "nvx_d_interes", "nvx_d_fotos", "nvx_d_documentos", "candora_textos", "candora_claves"})
        EXPECT_EQ(dic->valorÚnico(QStringLiteral("select count(*) from %1 where postulante = ?")
                                      .arg(QLatin1String(t)),
                                  {o})
                      .toInt(),
                  0)
            << t;
    EXPECT_FALSE(
        dic->valorÚnico(QStringLiteral("select 1 from nvx_m_postulantes where id = ?"), {o})
            .isValid());
    EXPECT_EQ(BuscarPorPalabras(*dic, QStringLiteral("cajero supermercado")).size(), 1u);
    EXPECT_TRUE(FusionesDe(*dic, k).startsWith(
        QStringLiteral("Fusionado con PEREZ, Jose (documento 20111222 de Brasil) el ")))
        << S(FusionesDe(*dic, k));
    EXPECT_TRUE(FusionesDe(*dic, k).endsWith(QStringLiteral(" por ana")));
}

// A store made before the keys existed gets them when it is next opened for writing.
TEST_P(DuplicadosTest, UnaBaseAnteriorRecibeLasClaves) {
    InteraccionGuionada usuario;
    const int32_t a = Alta("Pérez", "José", 1, "20111222", "jose@mail.com", "", 3);
    const int32_t b = Alta("Perez", "Jose", 2, "20111222", "", "", 3);
    dic->ejecutar(QStringLiteral("DROP TABLE candora_claves"));
    dic->ejecutar(QStringLiteral("DROP TABLE candora_no_duplicados"));
    dic->ejecutar(servidor() ? QStringLiteral("update candora_esquema set version = 6")
                             : QStringLiteral("PRAGMA user_version = 6"));
    dic.reset();
    ConectarBase(almacén->configuración());
    ASSERT_TRUE(dic);
    const auto pares = BuscarDuplicados(*dic).pares;
    ASSERT_EQ(pares.size(), 1u);
    EXPECT_EQ(std::pair(pares.front().a, pares.front().b), std::pair(a, b));
    EXPECT_EQ(pares.front().puntaje(), 110);
}

EN_AMBOS_ALMACENES(DuplicadosTest);

}  // namespace

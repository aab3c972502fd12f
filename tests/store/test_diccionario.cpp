#include "Almacen.h"
#include "Apoyo.h"

#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Valores.h"

#include <gtest/gtest.h>

namespace {

class DiccionarioTest : public AmbosAlmacenes {
  protected:
    void SetUp() override {
        AmbosAlmacenes::SetUp();
        if (!HasFatalFailure()) almacén->abrir(d);
    }
    qint64 contar(const QString& sql, const QVariantList& v = {}) {
        return d.valorÚnico(sql, v).toLongLong();
    }
    QString texto(const QString& sql) { return d.valorÚnico(sql).toString(); }
    qint64 últimoId(const QString& tabla) {
        return contar(QStringLiteral("select ultimo_id from nvx_m_ids where tabla = ?"), {tabla});
    }

    InteraccionGuionada usuario;
    Diccionario d;
};
EN_AMBOS_ALMACENES(DiccionarioTest);

TEST_P(DiccionarioTest, TextosNulosYVacíosYApóstrofosIdaYVuelta) {
    d.ejecutar(
        QStringLiteral("insert into nvx_m_postulantes (id, apellido, nombre) values (?, ?, ?)"),
        {1, QStringLiteral("D'Angelo"), NuloSiVacío(QString())});
    auto rs = d.AbrirRS(QStringLiteral("select * from nvx_m_postulantes where ID = 1"));
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->texto(QStringLiteral("APELLIDO")), QStringLiteral("D'Angelo"));
    EXPECT_TRUE(rs->esNulo(QStringLiteral("nombre")));
    EXPECT_EQ(rs->texto(QStringLiteral("nombre")), QString());
    EXPECT_EQ(rs->entero(QStringLiteral("tel1_tipo")), 1);  // store defaults of a new row
    EXPECT_EQ(rs->texto(QStringLiteral("tel1_hasta")), QStringLiteral("23:30"));
    EXPECT_THROW(rs->valor(QStringLiteral("no_existe")), ErrorAlmacen);
    EXPECT_EQ(contar(QStringLiteral(
                  "select count(*) from nvx_m_postulantes where apellido = 'd''ANGELO'")),
              1);
    EXPECT_EQ(d.AbrirRS(QStringLiteral("   ")), nullptr);
}

TEST_P(DiccionarioTest, UnaSentenciaFallidaTraeSuTextoYNoDejaTransacciónAbierta) {
    try {
        d.ejecutar(QStringLiteral("insert into tabla_que_no_existe values (1)"));
        FAIL() << "no falló";
    } catch (const ErrorAlmacen& e) {
        EXPECT_EQ(e.sql(), QStringLiteral("insert into tabla_que_no_existe values (1)"));
        EXPECT_TRUE(e.detalle().contains(QStringLiteral("tabla_que_no_existe")));
        EXPECT_FALSE(e.textoUsuario().isEmpty());
    }
    EXPECT_FALSE(d.enTransacción());
    // A value too many or too few is refused alike by both engines.
    for (const QVariantList& v : {QVariantList{1, 2}, QVariantList{}})
        EXPECT_THROW(d.valorÚnico(QStringLiteral("select count(*) from nvx_m_ids where "
                                                 "ultimo_id > ?"),
                                  v),
                     ErrorAlmacen)
            << v.size();
    d.ejecutar(QString());  // the empty text does nothing
    EXPECT_THROW(
        d.DeleteId(QStringLiteral("nvx_m_postulantes; drop table x"), QStringLiteral("id"), 1),
        ErrorAlmacen);
}

TEST_P(DiccionarioTest, UnaBaseCerradaRechazaSentenciasAunConUnaTransacciónAbierta) {
    {
        Transaccion t(d);
        d.cerrar();
        EXPECT_FALSE(d.abierto());
        EXPECT_FALSE(d.enTransacción());
        EXPECT_THROW(t.confirmar(), ErrorAlmacen);
    }  // the guard outlives the connection it began on
    EXPECT_FALSE(d.responde());
    EXPECT_FALSE(d.enServidor());
    EXPECT_TRUE(d.rutaLocal().isEmpty());
    EXPECT_THROW(d.ejecutar(QStringLiteral("delete from nvx_m_postulantes")), ErrorAlmacen);
    EXPECT_THROW(d.AbrirRS(QStringLiteral("select 1"), {}), ErrorAlmacen);
    EXPECT_THROW(d.valorÚnico(QStringLiteral("select 1")), ErrorAlmacen);
    EXPECT_THROW(Transaccion{d}, ErrorAlmacen);
    almacén->abrir(d);
    EXPECT_TRUE(d.responde());
    EXPECT_EQ(d.enServidor(), servidor());
}

TEST_P(DiccionarioTest, LaTransacciónDeshaceSalvoConfirmadaYLasAnidadasSonPuntosDeGuardado) {
    const auto insertar = [&](int id) {
        d.ejecutar(QStringLiteral("insert into nvx_m_postulantes (id) values (%1)").arg(id));
    };
    {
        Transaccion t(d);
        insertar(1);
        EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_m_postulantes")),
                  1);  // sees its own row
    }
    EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_m_postulantes")), 0);
    {
        Transaccion t(d);
        insertar(2);
        {
            Transaccion interna(d);
            insertar(3);
        }  // only the inner part is undone
        {
            Transaccion interna(d);
            insertar(4);
            interna.confirmar();
        }
        EXPECT_THROW(insertar(2),
                     ErrorAlmacen);  // duplicate key: the statement fails, the rest stays
        t.confirmar();
    }
    EXPECT_EQ(Unidos(d, QStringLiteral("select id from nvx_m_postulantes order by id")),
              QStringLiteral("2,4"));
    EXPECT_FALSE(d.enTransacción());
}

TEST_P(DiccionarioTest, UnaSentenciaEncoladaQueFallaDeshaceSuNivelYNadaMás) {
    const QString insertar = QStringLiteral("insert into nvx_m_postulantes (id) values (?)");
    {
        Transaccion t(d);
        d.encolar(insertar, {1});
        try {
            Transaccion interna(d);
            d.encolar(insertar, {2});
            d.encolar(insertar, {1});  // taken: the file says so at once, a server with the next
            d.encolar(insertar, {3});
            d.valorÚnico(QStringLiteral("select 1"));
            interna.confirmar();
            ADD_FAILURE() << "no falló";
        } catch (const ErrorAlmacen& e) {
            EXPECT_TRUE(e.repetido()) << e.what();
            EXPECT_EQ(e.sql(), insertar);
        }
        d.encolar(insertar, {4});
        t.confirmar();
    }
    EXPECT_EQ(Unidos(d, QStringLiteral("select id from nvx_m_postulantes order by id")),
              QStringLiteral("1,4"));
}

TEST_P(DiccionarioTest, PróximoIDDaClavesSeguidasYAvisaUnaVezCuandoFaltaElContador) {
    const qint64 antes = últimoId(QStringLiteral("nvx_m_postulantes"));
    EXPECT_EQ(d.PróximoID(QStringLiteral("nvx_m_postulantes")), antes + 1);
    EXPECT_EQ(d.PróximoID(QStringLiteral("NVX_M_POSTULANTES")), antes + 2);
    EXPECT_EQ(últimoId(QStringLiteral("nvx_m_postulantes")), antes + 2);
    EXPECT_TRUE(usuario.mensajes.empty());

    // Inside a transaction: keys given out under a savepoint that is undone are given out
    // again, the rest stay taken, and the counter holds the last one once it commits.
    {
        Transaccion t(d);
        EXPECT_EQ(d.PróximoID(QStringLiteral("nvx_m_postulantes")), antes + 3);
        {
            Transaccion interna(d);
            EXPECT_EQ(d.PróximoID(QStringLiteral("nvx_m_postulantes")), antes + 4);
        }
        EXPECT_EQ(d.PróximoID(QStringLiteral("NVX_M_POSTULANTES")), antes + 4);
        {
            Transaccion interna(d);
            EXPECT_EQ(d.PróximoID(QStringLiteral("nvx_m_postulantes")), antes + 5);
            interna.confirmar();
        }
        t.confirmar();
    }
    EXPECT_EQ(últimoId(QStringLiteral("nvx_m_postulantes")), antes + 5);
    {
        Transaccion t(d);
        EXPECT_EQ(d.PróximoID(QStringLiteral("nvx_m_postulantes")), antes + 6);
    }  // undone
    EXPECT_EQ(últimoId(QStringLiteral("nvx_m_postulantes")), antes + 5);
    EXPECT_EQ(d.PróximoID(QStringLiteral("nvx_m_postulantes")), antes + 6);

    const QString contadores =
        texto(QStringLiteral("select count(*) || '/' || sum(ultimo_id) from nvx_m_ids"));
    EXPECT_EQ(d.PróximoID(QStringLiteral("nvx_m_sin_contador")), 0);
    ASSERT_EQ(usuario.mensajes.size(), 1u);
    EXPECT_TRUE(usuario.mensajes[0].texto.startsWith(
        QStringLiteral("No se pudo obtener un número de orden")));
    EXPECT_TRUE(
        usuario.mensajes[0].texto.endsWith(QStringLiteral("\n\nPor favor, intente de nuevo.")));
    EXPECT_EQ(usuario.mensajes[0].icono, Icono::Exclamación);
    EXPECT_EQ(texto(QStringLiteral("select count(*) || '/' || sum(ultimo_id) from nvx_m_ids")),
              contadores);
    EXPECT_FALSE(d.enTransacción());
}

TEST_P(DiccionarioTest, NuevoElementoLimpiaBuscaSinMayúsculasYNoDuplica) {
    const QString tabla = QStringLiteral("nvx_m_empleadores");
    const qint64 filas = contar(QStringLiteral("select count(*) from nvx_m_empleadores"));
    EXPECT_EQ(d.Nuevo_Elemento(tabla, QStringLiteral("   ")), 0);
    const int id = d.Nuevo_Elemento(tabla, QStringLiteral("  O'Brien   S.A. "));
    EXPECT_EQ(id, últimoId(tabla));
    EXPECT_EQ(d.NombreElemento(tabla, id), QStringLiteral("O'Brien S.A."));
    EXPECT_EQ(d.Nuevo_Elemento(tabla, QStringLiteral("o'brien s.a.")), id);
    EXPECT_EQ(d.ElementoID(tabla, QStringLiteral("O'BRIEN S.A.")), id);
    EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_m_empleadores")), filas + 1);
    EXPECT_EQ(d.Nuevo_Elemento(QStringLiteral("nvx_m_datos_a"), QStringLiteral("Zona Norte")), 1);
}

TEST_P(DiccionarioTest, LasBúsquedasSinFilaDanElValorVacío) {
    EXPECT_EQ(d.NombreElemento(QStringLiteral("nvx_m_paises"), 9999), QString());
    EXPECT_EQ(d.GetElemento(QStringLiteral("nvx_m_paises"), 9999).id, 0);
    EXPECT_EQ(d.ElementoID(QStringLiteral("nvx_m_paises"), QStringLiteral("Atlántida")), 0);
    EXPECT_EQ(d.tipodato(99999), QString());
    EXPECT_EQ(d.nomdato(99999), QString());
    EXPECT_EQ(d.idcolumna(QStringLiteral("nvx_m_postulantes"), QStringLiteral("no_existe")), 0);
    EXPECT_TRUE(usuario.mensajes.empty());
    const Campo c = d.GetCampo(99999);
    EXPECT_EQ(c.id, 0);
    ASSERT_EQ(usuario.mensajes.size(), 1u);
    EXPECT_EQ(usuario.mensajes[0].título, QStringLiteral("Error de código fuente"));
    EXPECT_EQ(
        usuario.mensajes[0].texto,
        QStringLiteral("No se encontró información sobre el ID 99999 en la tabla Diccionario."));
    d.ejecutar(QStringLiteral("update nvx_m_paises set nombre = null where id = 1"));
    EXPECT_EQ(d.NombreElemento(QStringLiteral("nvx_m_paises"), 1), QString());
}

TEST_P(DiccionarioTest, ElDiccionarioDescribeLasColumnas) {
    const int id = d.idcolumna(QStringLiteral("nvx_m_postulantes"), QStringLiteral("apellido"));
    ASSERT_GT(id, 0);
    const Campo c = d.GetCampo(id);
    EXPECT_EQ(c.Tipo, QStringLiteral("T"));
    EXPECT_EQ(c.Nombre_Columna.toLower(), QStringLiteral("apellido"));
    EXPECT_EQ(d.nomdato(id), QStringLiteral("Apellido"));  // string 723, no second part
    const int idioma = d.idcolumna(QStringLiteral("nvx_d_idiomas"), QStringLiteral("idioma"));
    EXPECT_EQ(d.tipodato(idioma), QStringLiteral("L"));
    EXPECT_EQ(d.RelaciónTabla(QStringLiteral("nvx_d_idiomas"), QStringLiteral("idioma")),
              QStringLiteral("nvx_m_idiomas"));
    d.ejecutar(QStringLiteral("update nvx_diccionario set lng = 723, lng2 = 1004 where id = %1")
                   .arg(idioma));
    EXPECT_EQ(d.nomdato(idioma), QStringLiteral("Apellido-Título"));

    const Elementos columnas = d.ListaColumnas(QStringLiteral("nvx_d_idiomas"));
    ASSERT_GE(columnas.Count(), 4);
    int previo = -1;
    for (const Elemento& e : columnas) {
        EXPECT_GE(e.id, previo);  // id carries the dictionary's order
        EXPECT_FALSE(e.Carga.isEmpty());
        previo = e.id;
    }
    const Elementos idiomas =
        d.ListaElementos(QStringLiteral("nvx_m_idiomas"), QStringLiteral("nombre"));
    EXPECT_GT(idiomas.Count(), 5);
    EXPECT_LT(idiomas.Item(1).Nombre.compare(idiomas.Item(2).Nombre, Qt::CaseInsensitive), 0);
    EXPECT_THROW(
        d.ListaElementos(QStringLiteral("nvx_m_idiomas"), QStringLiteral("1; drop table x")),
        ErrorAlmacen);
}

TEST_P(DiccionarioTest, LimpiarPostulanteBorraRestosPeroNuncaUnPostulanteVivo) {
    for (const char* t : {"nvx_d_idiomas", "nvx_d_experiencia", "nvx_d_interes", "nvx_d_formacion",
                          "nvx_d_familiares", "nvx_d_fotos"})
        d.ejecutar(QStringLiteral("insert into %1 (postulante) values (50)").arg(QLatin1String(t)));
    d.LimpiarPostulante(50);
    EXPECT_EQ(
        contar(QStringLiteral("select (select count(*) from nvx_d_idiomas) + (select count(*) from "
                              "nvx_d_experiencia) + (select count(*) from nvx_d_interes) + "
                              "(select count(*) from nvx_d_formacion)")),
        0);
    // Family and photo rows are not the import's to remove.
    EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_d_familiares where postulante = 50")),
              1);
    EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_d_fotos where postulante = 50")), 1);

    d.ejecutar(QStringLiteral("insert into nvx_m_postulantes (id) values (60)"));
    d.ejecutar(QStringLiteral("insert into nvx_d_idiomas (postulante) values (60)"));
    EXPECT_THROW(d.LimpiarPostulante(60), ErrorAlmacen);
    EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_d_idiomas where postulante = 60")),
              1);
    EXPECT_EQ(contar(QStringLiteral("select count(*) from nvx_m_postulantes where id = 60")), 1);
}

}  // namespace

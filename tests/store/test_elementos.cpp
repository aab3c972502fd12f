#include "Almacen.h"
#include "Apoyo.h"

#include "store/Diccionario.h"

#include <gtest/gtest.h>

namespace {

class ElementosTest : public AlmacenAbierto {
  protected:
    void SetUp() override {
        AlmacenAbierto::SetUp();
        if (HasFatalFailure()) return;
        // A small list of our own: names out of order, two defaults, equal positions.
        for (const auto& [id, nombre, orden, pred] :
             std::initializer_list<std::tuple<int, const char*, int, int>>{
                 {1, "Tarde", 2, 0}, {2, "Mañana", 1, 1}, {3, "Noche", 2, 1}})
            dic->ejecutar(
                QStringLiteral("insert into nvx_m_datos_a (id, nombre, orden, predeterminado) "
                               "values (?, ?, ?, ?)"),
                {id, QString::fromUtf8(nombre), orden, pred});
    }
    void llenar(int porOrden, bool conNinguno, int idSeleccionado) {
        dic->LlenarComboElementos(QStringLiteral("nvx_m_datos_a"), combo, porOrden, conNinguno,
                                  idSeleccionado);
    }

    InteraccionGuionada usuario;
    ComboPrueba combo;
};
EN_AMBOS_ALMACENES(ElementosTest);

TEST_P(ElementosTest, LlenarListaConNingunoPredeterminadosYSelección) {
    llenar(0, false, 0);
    EXPECT_EQ(combo.entradas.join(u','), QStringLiteral("Mañana,Noche,Tarde"));
    EXPECT_EQ(combo.datos, (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(combo.ListIndex(), 0);  // the first default in the chosen order

    llenar(1, false, 0);
    EXPECT_EQ(combo.entradas.first(), QStringLiteral("Mañana"));
    EXPECT_EQ(combo.ListIndex(), 0);

    llenar(0, true, 0);  // with "(ninguno)" no default is preselected
    EXPECT_EQ(combo.entradas.first(), QStringLiteral("(ninguno)"));
    EXPECT_EQ(combo.datos.front(), 0);
    EXPECT_EQ(combo.ListIndex(), 0);

    llenar(0, true, 1);
    EXPECT_EQ(combo.List(combo.ListIndex()), QStringLiteral("Tarde"));
    llenar(0, false, 99);  // asked for an item that is not there: no default either
    EXPECT_EQ(combo.ListIndex(), -1);

    dic->LlenarComboElementos(QStringLiteral("nvx_m_datos_b"), combo, 0, true, 0);
    EXPECT_EQ(combo.entradas, QStringList{QStringLiteral("(ninguno)")});
    EXPECT_EQ(combo.ListIndex(), 0);
    dic->LlenarComboElementos(QStringLiteral("nvx_m_datos_b"), combo, 0, false, 0);
    EXPECT_EQ(combo.ListIndex(), -1);
}

TEST_P(ElementosTest, CargarYGuardarUnElemento) {
    Elemento e;
    e.cargar_id(2, QStringLiteral("nvx_m_datos_a"));
    EXPECT_EQ(e.Nombre, QStringLiteral("Mañana"));
    EXPECT_EQ(e.orden, 1);
    EXPECT_EQ(e.predeterminado, 1);
    Elemento ausente;
    ausente.Nombre = QStringLiteral("queda");
    ausente.cargar_id(77, QStringLiteral("nvx_m_datos_a"));
    EXPECT_EQ(ausente.id, 77);
    EXPECT_EQ(ausente.Nombre, QStringLiteral("queda"));

    Elemento porNombre;
    EXPECT_EQ(porNombre.cargar_nombre(QStringLiteral("  NOCHE "), QStringLiteral("nvx_m_datos_a")),
              3);
    EXPECT_EQ(porNombre.cargar_nombre(QStringLiteral("Madrugada"), QStringLiteral("nvx_m_datos_a")),
              0);
    EXPECT_EQ(porNombre.Nombre, QStringLiteral("Madrugada"));

    // A name that exists (after trimming, any case) is reused, nothing inserted.
    dic->ejecutar(
        QStringLiteral("update nvx_m_ids set ultimo_id = 3 where tabla = 'nvx_m_datos_a'"));
    Elemento repetido;
    repetido.Nombre = QStringLiteral(" tarde ");
    EXPECT_EQ(repetido.guardar(QStringLiteral("nvx_m_datos_a")), 1);
    Elemento nuevo;
    nuevo.Nombre = QStringLiteral(" D'Arco ");
    EXPECT_EQ(nuevo.guardar(QStringLiteral("nvx_m_datos_a")), 4);
    EXPECT_EQ(dic->NombreElemento(QStringLiteral("nvx_m_datos_a"), 4), QStringLiteral("D'Arco"));
    nuevo.Nombre = QStringLiteral("D'Arco II");
    nuevo.orden = 9;
    EXPECT_EQ(nuevo.guardar(QStringLiteral("nvx_m_datos_a")), 4);
    EXPECT_EQ(dic->NombreElemento(QStringLiteral("nvx_m_datos_a"), 4, QStringLiteral("orden")),
              QStringLiteral("9"));
    EXPECT_EQ(dic->valorÚnico(QStringLiteral("select count(*) from nvx_m_datos_a")).toInt(), 4);
}

TEST_P(ElementosTest, SinClaveElElementoQuedaSinGuardar) {
    dic->ejecutar(QStringLiteral("delete from nvx_m_ids where tabla = 'nvx_m_datos_b'"));
    Elemento e;
    e.Nombre = QStringLiteral("Sin contador");
    EXPECT_EQ(e.guardar(QStringLiteral("nvx_m_datos_b")), 0);
    EXPECT_EQ(e.id, 0);
    EXPECT_EQ(dic->Nuevo_Elemento(QStringLiteral("nvx_m_datos_b"), QStringLiteral("Otro")), 0);
    EXPECT_EQ(usuario.mensajes.size(), 2u);
    EXPECT_EQ(dic->valorÚnico(QStringLiteral("select count(*) from nvx_m_datos_b")).toInt(), 0);
    EXPECT_FALSE(dic->enTransacción());
}

TEST(Elementos, ColecciónPorPosiciónYPorClave) {
    Elementos lista;
    lista.Add(5, QStringLiteral("cinco"), QStringLiteral("T"), QStringLiteral("c5"));
    lista.Add(6, QStringLiteral("seis"));
    lista.Add(7, QStringLiteral("siete"), {}, QStringLiteral("c7"));
    EXPECT_EQ(lista.Count(), 3);
    EXPECT_EQ(lista.Item(2).Nombre, QStringLiteral("seis"));
    EXPECT_EQ(lista.Item(QStringLiteral("c7")).id, 7);
    lista.Remove(QStringLiteral("c5"));
    EXPECT_EQ(lista.Item(1).Nombre, QStringLiteral("seis"));  // later elements move up
    EXPECT_THROW(lista.Item(QStringLiteral("c5")), std::out_of_range);
    EXPECT_THROW(lista.Item(3), std::out_of_range);
    QStringList nombres;
    for (const Elemento& e : lista) nombres << e.Nombre;
    EXPECT_EQ(nombres.join(u','), QStringLiteral("seis,siete"));
}

}  // namespace

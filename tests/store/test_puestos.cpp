#include "Almacen.h"
#include "Apoyo.h"

#include "records/Generador.h"
#include "records/cPostulante.h"
#include "search/cBusqueda.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

namespace {

// Several workstations on one store at the same time, each in its own process: on the
// file store two local files linked to one shared file, on the server one database.
class PuestosTest : public AmbosAlmacenes {
  protected:
    void SetUp() override {
        AmbosAlmacenes::SetUp();
        if (HasFatalFailure()) return;
        if (servidor()) {
            puestos = {almacén->opcionesAdmin(), almacén->opcionesAdmin()};
        } else {
            compartida = carpeta.filePath(QStringLiteral("compartida.db"));
            CrearBaseCompartida(compartida);
            for (const char* nombre : {"a.db", "b.db"}) {
                const QString local = carpeta.filePath(QString::fromLatin1(nombre));
                CrearBaseLocal(local, compartida);
                puestos.push_back({QStringLiteral("--base"), local});
            }
        }
        dic = std::make_unique<Diccionario>();
        if (servidor())
            almacén->abrir(*dic);
        else
            dic->abrirArchivo(puestos[0][1], true);
    }

    // Starts workstation `puesto` (0 or 1) on one order of the helper program.
    std::unique_ptr<QProcess> lanzar(int puesto, const QStringList& orden) {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral(CANDORA_PUESTO), puestos[puesto] + orden);
        EXPECT_TRUE(p->waitForStarted());
        return p;
    }

    // What a finished workstation printed, a line each.
    static QList<QByteArray> líneas(QProcess& p) {
        EXPECT_TRUE(p.waitForFinished(180000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        QList<QByteArray> l = p.readAllStandardOutput().split('\n');
        if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
        return l;
    }

    int contador(const QString& tabla) {
        return dic
            ->valorÚnico(QStringLiteral("select ultimo_id from nvx_m_ids where tabla = ?"), {tabla})
            .toInt();
    }

    QTemporaryDir carpeta;
    QString compartida;
    std::vector<QStringList> puestos;
};

TEST_P(PuestosTest, NingunaClaveSeEntregaDosVeces) {
    const QString tabla = QStringLiteral("nvx_m_postulantes");
    const int porProceso = 250;
    std::vector<std::unique_ptr<QProcess>> procesos;
    for (int puesto : {0, 1, 0})
        procesos.push_back(
            lanzar(puesto, {QStringLiteral("claves"), tabla, QString::number(porProceso)}));
    std::set<int> claves;
    int entregadas = 0;
    for (auto& p : procesos)
        for (const QByteArray& línea : líneas(*p)) {
            EXPECT_GT(línea.toInt(), 0);
            claves.insert(línea.toInt());
            ++entregadas;
        }
    EXPECT_EQ(entregadas, 3 * porProceso);
    EXPECT_EQ(int(claves.size()), entregadas) << "una clave se entregó dos veces";
    EXPECT_EQ(*claves.rbegin(), 3 * porProceso);  // the delivery starts the counter at 0
    EXPECT_EQ(contador(tabla), 3 * porProceso);
}

TEST_P(PuestosTest, DosPuestosGuardanPostulantesDistintosSinPerderNada) {
    const int porProceso = 60;
    auto a =
        lanzar(0, {QStringLiteral("guardar"), QStringLiteral("A"), QString::number(porProceso)});
    auto b =
        lanzar(1, {QStringLiteral("guardar"), QStringLiteral("B"), QString::number(porProceso)});
    std::map<int, QString> guardados;  // id → surname
    for (QProcess* p : {a.get(), b.get()})
        for (const QByteArray& línea : líneas(*p)) {
            const QList<QByteArray> campos = línea.split('\t');
            ASSERT_EQ(campos.size(), 2) << línea.toStdString();
            EXPECT_TRUE(guardados.emplace(campos[0].toInt(), QString::fromUtf8(campos[1])).second)
                << "dos postulantes con la clave " << campos[0].toStdString();
        }
    ASSERT_EQ(int(guardados.size()), 2 * porProceso);
    EXPECT_EQ(dic->valorÚnico(QStringLiteral("select count(*) from nvx_m_postulantes")).toInt(),
              2 * porProceso);
    EXPECT_EQ(dic->valorÚnico(QStringLiteral("select count(*) from nvx_d_idiomas")).toInt(),
              2 * porProceso);
    EXPECT_EQ(contador(QStringLiteral("nvx_m_postulantes")), guardados.rbegin()->first);

    // Every applicant came back whole, with its own language row.
    for (const auto& [id, apellido] : guardados) {
        cPostulante p;
        p.id = id;
        ASSERT_EQ(p.cargar(), 1) << id;
        EXPECT_EQ(p.Apellido, apellido);
        EXPECT_EQ(p.Dni_Número.texto(), QString(apellido).remove(u'-'));
        ASSERT_EQ(p.idiomas.Count(), 1) << S(apellido);
        EXPECT_EQ(p.idiomas.Item(1).Idioma, 1 + apellido.section(u'-', 1).toInt() % 3);
    }
}

TEST_P(PuestosTest, BúsquedasSimultáneasDanCadaUnaSuResultado) {
    ASSERT_EQ(GenerarPostulantes(*dic, 300, 11), 300);
    std::vector<int32_t> ids;
    std::vector<QByteArray> esperados;
    for (const char* primera :
         {"nvx_m_postulantes.apellido contiene ez", "nvx_m_postulantes.nombre contiene ar"}) {
        cBúsqueda b;
        b.Título = QString::fromUtf8(primera);
        b.AgregarCondición(QString::fromUtf8(primera));
        b.AgregarCondición(QStringLiteral("nvx_d_idiomas.idioma contiene Inglés"));
        ASSERT_TRUE(b.guardar());
        b.ejecutar();
        QByteArray esperado;
        for (int32_t id : cBúsqueda::OrdenResultado(b.id)) esperado += QByteArray::number(id) + ' ';
        ids.push_back(b.id);
        esperados.push_back(esperado);
    }
    ASSERT_NE(esperados[0], esperados[1]);
    ASSERT_FALSE(esperados[0].isEmpty());
    ASSERT_FALSE(esperados[1].isEmpty());

    const int vueltas = 15;
    auto a =
        lanzar(0, {QStringLiteral("buscar"), QString::number(ids[0]), QString::number(vueltas)});
    auto b =
        lanzar(1, {QStringLiteral("buscar"), QString::number(ids[1]), QString::number(vueltas)});
    const QList<QByteArray> de[] = {líneas(*a), líneas(*b)};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(de[i].size(), vueltas);
        for (const QByteArray& línea : de[i]) EXPECT_EQ(línea, esperados[i]) << "búsqueda " << i;
    }
}

EN_AMBOS_ALMACENES(PuestosTest);

}  // namespace

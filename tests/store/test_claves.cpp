#include "Apoyo.h"

#include "store/BaseEntregada.h"
#include "store/Diccionario.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

// Several workstations allocate keys from one shared file at the same time,
// each through its own local file and its own process.
TEST(PróximoIDEntreProcesos, NingunaClaveSeEntregaDosVeces) {
    QTemporaryDir carpeta;
    const QString compartida = carpeta.filePath(QStringLiteral("compartida.db"));
    const QString puestoA = carpeta.filePath(QStringLiteral("a.db"));
    const QString puestoB = carpeta.filePath(QStringLiteral("b.db"));
    CrearBaseCompartida(compartida);
    CrearBaseLocal(puestoA, compartida);
    CrearBaseLocal(puestoB, compartida);
    const QString tabla = QStringLiteral("nvx_m_postulantes");
    const int porProceso = 250;

    std::vector<std::unique_ptr<QProcess>> procesos;
    for (const QString& base : {puestoA, puestoB, puestoA}) {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral(CANDORA_ASIGNAR_CLAVES),
                 {base, tabla, QString::number(porProceso)});
        ASSERT_TRUE(p->waitForStarted());
        procesos.push_back(std::move(p));
    }
    std::set<int> claves;
    int entregadas = 0;
    for (auto& p : procesos) {
        ASSERT_TRUE(p->waitForFinished(120000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        for (const QByteArray& línea : p->readAllStandardOutput().split('\n')) {
            if (línea.isEmpty()) continue;
            const int clave = línea.toInt();
            EXPECT_GT(clave, 0);
            claves.insert(clave);
            ++entregadas;
        }
    }
    EXPECT_EQ(entregadas, 3 * porProceso);
    EXPECT_EQ(int(claves.size()), entregadas) << "una clave se entregó dos veces";
    EXPECT_EQ(*claves.rbegin(), 3 * porProceso);  // the delivery starts the counter at 0

    Diccionario d;
    d.abrirArchivo(compartida, false);
    EXPECT_EQ(
        d.valorÚnico(QStringLiteral("select ultimo_id from nvx_m_ids where tabla = ?"), {tabla})
            .toInt(),
        3 * porProceso);
}

}  // namespace

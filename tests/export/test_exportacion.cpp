#include "Almacen.h"
#include "Apoyo.h"

#include "export/Exportacion.h"
#include "records/Generador.h"
#include "store/Diccionario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// What Python's own readers find in the files: the CSV with the csv module, the
// workbook with openpyxl (each cell as [type, text]).
QJsonArray Leer(const QString& csv, const QString& xlsx) {
    static const char* guion = R"(
import csv, json, sys, datetime, openpyxl
with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:
    filas = list(csv.reader(f, delimiter=';'))
hoja = openpyxl.load_workbook(sys.argv[2]).active
celdas = [[[c.data_type, c.value.strftime('%d/%m/%Y') if isinstance(c.value, datetime.datetime)
            else ('' if c.value is None else str(c.value))] for c in fila]
          for fila in hoja.iter_rows()]
print(json.dumps([filas, celdas]))
)";
    // Debian's own Python, the one python3-openpyxl installs into.
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"), QString::fromUtf8(guion), csv, xlsx});
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).array();
}

using ExportacionTest = AlmacenAbierto;

TEST_P(ExportacionTest, CadaPostulanteEnSuOrdenYNingúnTextoComoFórmula) {
    InteraccionGuionada usuario;
    GenerarPostulantes(*dic, 45, 11);
    // Values a spreadsheet would run as formulas, and the separator and quotes in a name.
    dic->ejecutar(QStringLiteral(
        "update nvx_m_postulantes set apellido = '=HIPERVINCULO(\"http://x\")', nombre = 'Ana; "
        "\"la jefa\"', email = '@SUMA(A1)', tel1_numero = '+54 9 11 5221-4784', tel2_numero = "
        "'-1', tel3_numero = null where id = 7"));
    std::vector<int32_t> ids;
    for (int32_t id = 45; id >= 1; --id) ids.push_back(id);  // an order of its own
    QTemporaryDir carpeta;
    const QString csv = carpeta.filePath(QStringLiteral("lista.csv"));
    const QString xlsx = carpeta.filePath(QStringLiteral("lista.xlsx"));
    EXPECT_EQ(ExportarPostulantes(*dic, ids, FormatoExportación::Csv, csv), 45);
    EXPECT_EQ(ExportarPostulantes(*dic, ids, FormatoExportación::Xlsx, xlsx), 45);
    QFile bruto(csv);
    ASSERT_TRUE(bruto.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        bruto.readAll().startsWith("\xEF\xBB\xBF"
                                   "Documento;Apellido;"));

    const QJsonArray leído = Leer(csv, xlsx);
    ASSERT_EQ(leído.size(), 2);
    const QJsonArray filas = leído[0].toArray(), celdas = leído[1].toArray();
    ASSERT_EQ(filas.size(), 46);
    ASSERT_EQ(celdas.size(), 46);
    for (int i = 1; i <= 45; ++i) {
        const QJsonArray f = filas[i].toArray(), c = celdas[i].toArray();
        const int32_t id = ids[size_t(i - 1)];
        SCOPED_TRACE(id);
        // In the order given, every one, as the store has them.
        EXPECT_EQ(S(f[1].toString().remove(QRegularExpression(QStringLiteral("^'")))),
                  S(dic->valorÚnico(QStringLiteral("select apellido from nvx_m_postulantes "
                                                   "where id = ?"),
                                    {id})
                        .toString()));
        EXPECT_TRUE(f[0].toString().startsWith(
            dic->valorÚnico(QStringLiteral("select dni_numero from nvx_m_postulantes where id = "
                                           "?"),
                            {id})
                .toString()));
        // The workbook holds the same, texts as texts, the age as a number, the birth date as a
        // date.
        for (int k = 0; k < f.size(); ++k) {
            const QJsonArray celda = c[k].toArray();
            QString texto = f[k].toString();
            if (texto.startsWith(u'\'')) texto.remove(0, 1);
            EXPECT_EQ(S(celda[1].toString()), S(texto)) << k;
            if (!texto.isEmpty())
                EXPECT_EQ(S(celda[0].toString()), k == 3 ? "n" : k == 4 ? "d" : "s") << k;
        }
    }
    const QJsonArray siete = filas[45 - 7 + 1].toArray();
    EXPECT_EQ(S(siete[1].toString()), "'=HIPERVINCULO(\"http://x\")");
    EXPECT_EQ(S(siete[2].toString()), "Ana; \"la jefa\"");
    EXPECT_EQ(S(siete[7].toString()), "'+54 9 11 5221-4784 / -1");
    EXPECT_EQ(S(siete[8].toString()), "'@SUMA(A1)");
}

TEST(Exportacion, LosCamposCsvSiguenLasReglas) {
    EXPECT_EQ(S(CampoCsv(QStringLiteral("Pérez"))), "Pérez");
    EXPECT_EQ(S(CampoCsv(QStringLiteral("a;b"))), "\"a;b\"");
    EXPECT_EQ(S(CampoCsv(QStringLiteral("dijo \"sí\""))), "\"dijo \"\"sí\"\"\"");
    EXPECT_EQ(S(CampoCsv(QStringLiteral("dos\nlíneas"))), "\"dos\nlíneas\"");
    for (const char* f : {"=1+1", "+1", "-1", "@A1", "\tx", "\rx"})
        EXPECT_TRUE(CampoCsv(QString::fromUtf8(f)).contains(u'\'')) << f;
}

EN_AMBOS_ALMACENES(ExportacionTest);

}  // namespace

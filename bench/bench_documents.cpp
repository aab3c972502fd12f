// Extracting the text of a generated 10-page PDF of about 2 MB: text on every
// page and a photograph-like image that gives the file its size; adding it to a
// store; and adding 1,000 one-page PDFs to the store of 100,000 generated
// applicants (CANDORA_BANCO_MIL_DOCUMENTOS=1 turns that one on).
// Run: build/bench/bench_documents
#include "documents/Documentos.h"
#include "documents/Extraccion.h"
#include "records/Generador.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QByteArray PdfDePrueba(int páginas = 10, quint32 semilla = 7) {
    // The PDF writer needs fonts, hence an application of the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nombre[] = "bench_documents";
    static char* argv[] = {nombre, nullptr};
    static QGuiApplication app(argc, argv);
    QByteArray datos;
    QBuffer b(&datos);
    b.open(QIODevice::WriteOnly);
    QPdfWriter w(&b);
    w.setResolution(300);
    QPainter p(&w);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    // Noise does not compress: the images, one per page, give the file its size.
    QRandomGenerator azar(semilla);
    QImage imagen(420, 420, QImage::Format_RGB32);
    for (int página = 0; página < páginas; ++página) {
        for (int y = 0; y < imagen.height(); ++y)
            for (int x = 0; x < imagen.width(); ++x)
                imagen.setPixel(x, y, azar.generate() | 0xFF000000u);
        if (página > 0) w.newPage();
        p.drawImage(QRect(1800, 100, 500, 500), imagen);
        for (int línea = 0; línea < 60; ++línea)
            p.drawText(100, 700 + línea * 50,
                       QStringLiteral("Página %1, renglón %2: Ñandú, Pérez-Güemes, São Paulo; "
                                      "experiencia en atención al público y administración.")
                           .arg(página + 1)
                           .arg(línea + 1));
    }
    p.end();
    return datos;
}

void BM_ExtraerPdf(benchmark::State& state) {
    const QByteArray pdf = PdfDePrueba();
    qsizetype caracteres = 0;
    for (auto _ : state) {
        const TextoDocumento d = ExtraerTexto(pdf, QStringLiteral("cv.pdf"));
        if (d.estado != EstadoTexto::Extraído) state.SkipWithError("el PDF no se leyó");
        caracteres = d.texto.size();
    }
    state.counters["bytes"] = double(pdf.size());
    state.counters["caracteres"] = double(caracteres);
}
BENCHMARK(BM_ExtraerPdf)->Unit(benchmark::kMillisecond);

// A PDF made different by a trailing comment, so the store keeps each one.
QByteArray Distinto(const QByteArray& pdf, int n) {
    return pdf + "%" + QByteArray::number(n) + "\n";
}

// Adding the 2 MB PDF to an applicant: the text extracted and the file stored.
void BM_AgregarPdf(benchmark::State& state) {
    const QByteArray pdf = PdfDePrueba();
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("base.db"));
    CrearBase(ruta);
    Diccionario d;
    d.abrirArchivo(ruta, false);
    d.ejecutar(QStringLiteral("insert into nvx_m_postulantes (id, apellido) values (1, 'Pérez')"));
    int n = 0;
    for (auto _ : state) AgregarDocumento(d, 1, QStringLiteral("cv.pdf"), Distinto(pdf, ++n), {});
    state.counters["bytes"] = double(pdf.size());
}
BENCHMARK(BM_AgregarPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

// 1,000 one-page PDFs (about 200 KB each) added to as many applicants of a store of
// 100,000, and how much the file grew against the documents' size.
void BM_MilDocumentos(benchmark::State& state) {
    if (qEnvironmentVariableIsEmpty("CANDORA_BANCO_MIL_DOCUMENTOS")) {
        state.SkipWithError("CANDORA_BANCO_MIL_DOCUMENTOS=1 lo activa");
        return;
    }
    const QByteArray pdf = PdfDePrueba(1, 11);
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("base.db"));
    CrearBase(ruta);
    {
        Diccionario d;
        d.abrirArchivo(ruta, false);
        GenerarPostulantes(d, 100000, 1);
        d.ejecutar(QStringLiteral("VACUUM"));
    }
    const qint64 antes = QFileInfo(ruta).size();
    qint64 agregados = 0;
    for (auto _ : state) {
        Diccionario d;
        d.abrirArchivo(ruta, false);
        for (int i = 1; i <= 1000; ++i) {
            const QByteArray uno = Distinto(pdf, i);
            AgregarDocumento(d, i, QStringLiteral("cv.pdf"), uno, {});
            agregados += uno.size();
        }
    }
    state.counters["documentos_MB"] = double(agregados) / (1 << 20);
    state.counters["crecimiento_MB"] = double(QFileInfo(ruta).size() - antes) / (1 << 20);
}
BENCHMARK(BM_MilDocumentos)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

// Extracting the text of a generated 10-page PDF of about 2 MB: text on every
// page and a photograph-like image that gives the file its size.
// Run: build/bench/bench_documents
#include "documents/Extraccion.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

QByteArray PdfDePrueba() {
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
    QRandomGenerator azar(7);
    QImage imagen(420, 420, QImage::Format_RGB32);
    for (int página = 0; página < 10; ++página) {
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

}  // namespace

BENCHMARK_MAIN();

#include "pages/PaginaPdf.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

QByteArray PáginaEnPdf(const QString& html, const QString& título) {
    QByteArray contenido;
    QBuffer pdf(&contenido);
    pdf.open(QIODevice::WriteOnly);
    {
        QTextDocument doc;
        doc.setHtml(html);
        QPdfWriter escritor(&pdf);
        escritor.setPageSize(QPageSize(QPageSize::A4));
        escritor.setTitle(título);
        doc.print(&escritor);
    }  // the writer ends the document here
    return contenido;
}

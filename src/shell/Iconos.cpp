#include "shell/Iconos.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace {

QPixmap DibujarCandora(int lado) {
    QPixmap p(lado, lado);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const qreal r = lado / 6.0;
    QLinearGradient fondo(0, 0, 0, lado);
    fondo.setColorAt(0, QColor(0x2f, 0x6f, 0xb5));
    fondo.setColorAt(1, QColor(0x1d, 0x4a, 0x80));
    g.setPen(Qt::NoPen);
    g.setBrush(fondo);
    g.drawRoundedRect(QRectF(0, 0, lado, lado), r, r);
    // A file card with a header band.
    const QRectF ficha(lado * 0.18, lado * 0.24, lado * 0.64, lado * 0.52);
    g.setBrush(Qt::white);
    g.drawRoundedRect(ficha, lado * 0.05, lado * 0.05);
    g.setBrush(QColor(0xf0, 0x9a, 0x36));
    g.drawEllipse(
        QRectF(ficha.x() + lado * 0.07, ficha.y() + lado * 0.09, lado * 0.16, lado * 0.16));
    g.setBrush(QColor(0x9a, 0xb3, 0xcf));
    for (int i = 0; i < 3; ++i)
        g.drawRect(QRectF(ficha.x() + lado * 0.29, ficha.y() + lado * (0.1 + 0.1 * i), lado * 0.28,
                          std::max(1.0, lado * 0.04)));
    return p;
}

}  // namespace

QIcon IconoCandora() {
    static const QIcon icono = [] {
        QIcon i;
        for (int lado : {16, 24, 32, 48, 64, 128, 256}) i.addPixmap(DibujarCandora(lado));
        return i;
    }();
    return icono;
}

QIcon IconoDe(const QString& clave) {
    static const QHash<QString, QStyle::StandardPixmap> estándar = {
        {QStringLiteral("Búsqueda"), QStyle::SP_FileDialogContentsView},
        {QStringLiteral("ABM"), QStyle::SP_FileDialogNewFolder},
        {QStringLiteral("Importar"), QStyle::SP_ArrowDown},
        {QStringLiteral("agenda"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("Respaldo"), QStyle::SP_DriveHDIcon},
        {QStringLiteral("Ayuda"), QStyle::SP_DialogHelpButton},
        {QStringLiteral("Salir"), QStyle::SP_DialogCloseButton},
        {QStringLiteral("espera"), QStyle::SP_BrowserReload},
    };
    const auto i = estándar.constFind(clave);
    if (i == estándar.cend()) return IconoCandora();
    return QApplication::style()->standardIcon(*i);
}

#include "shell/Posiciones.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace {

// Locale-independent; a text that is not a number reads as 0.
int Píxeles(const QVariant& twips) {
    return int(twips.toString().trimmed().toFloat() / kTwipsPorPíxel);
}

QScreen* PantallaDe(const QWidget& v) {
    if (QWidget* p = v.parentWidget(); p && p->screen()) return p->window()->screen();
    return QGuiApplication::primaryScreen();
}

}  // namespace

void RestaurarPosición(QWidget& v) {
    QSettings s;
    s.beginGroup(v.objectName());
    const QScreen* pantalla = PantallaDe(v);
    const QRect área = pantalla ? pantalla->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize tamaño = v.frameGeometry().size();
    QPoint centrado(área.x() + (área.width() - tamaño.width()) / 2,
                    área.y() + (área.height() - tamaño.height()) / 2);
    if (!s.contains(QStringLiteral("Top")) || !s.contains(QStringLiteral("Left"))) {
        v.move(centrado);
        return;
    }
    const QPoint guardado(Píxeles(s.value(QStringLiteral("Left"))),
                          Píxeles(s.value(QStringLiteral("Top"))));
    // The title bar must land on some screen, or the window could not be reached.
    const QRect barra(guardado, QSize(std::min(tamaño.width(), 120), 30));
    bool visible = false;
    for (const QScreen* p : QGuiApplication::screens())
        visible = visible || p->availableGeometry().intersected(barra).width() >= 40;
    v.move(visible ? guardado : centrado);
}

void GuardarPosición(const QWidget& v) {
    QSettings s;
    s.beginGroup(v.objectName());
    const QPoint p = v.pos();
    s.setValue(QStringLiteral("Top"), QString::number(float(p.y() * kTwipsPorPíxel)));
    s.setValue(QStringLiteral("Left"), QString::number(float(p.x() * kTwipsPorPíxel)));
}

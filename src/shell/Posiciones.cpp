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

QString Twips(int píxeles) {
    return QString::number(float(píxeles * kTwipsPorPíxel));
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
    s.setValue(QStringLiteral("Top"), Twips(p.y()));
    s.setValue(QStringLiteral("Left"), Twips(p.x()));
}

void RestaurarVentanaPrincipal(QWidget& v) {
    QSettings s;
    s.beginGroup(v.objectName());
    const int ancho = Píxeles(s.value(QStringLiteral("Width")));
    const int alto = Píxeles(s.value(QStringLiteral("Height")));
    const QScreen* pantalla = PantallaDe(v);
    const QSize disponible = pantalla ? pantalla->availableGeometry().size() : QSize(1024, 768);
    if (ancho > 0 && alto > 0)
        v.resize(QSize(ancho, alto).boundedTo(disponible));
    else
        v.resize(v.size().boundedTo(disponible));
    const bool maximizada =
        s.value(QStringLiteral("WindowState")).toString().trimmed() == QLatin1String("2");
    s.endGroup();
    RestaurarPosición(v);
    if (maximizada) v.setWindowState(v.windowState() | Qt::WindowMaximized);
}

void GuardarVentanaPrincipal(const QWidget& v) {
    const bool maximizada = v.windowState() & Qt::WindowMaximized;
    const bool normal = !maximizada && !(v.windowState() & Qt::WindowMinimized);
    // Out of the normal state, the place and size the window goes back to.
    const QRect r = normal ? v.geometry() : v.normalGeometry();
    QSettings s;
    s.beginGroup(v.objectName());
    if (normal) {
        GuardarPosición(v);
    } else if (r.isValid()) {
        const QPoint marco = v.geometry().topLeft() - v.frameGeometry().topLeft();
        s.setValue(QStringLiteral("Top"), Twips(r.y() - marco.y()));
        s.setValue(QStringLiteral("Left"), Twips(r.x() - marco.x()));
    }
    if (r.isValid()) {
        s.setValue(QStringLiteral("Width"), Twips(r.width()));
        s.setValue(QStringLiteral("Height"), Twips(r.height()));
    }
    s.setValue(QStringLiteral("WindowState"),
               maximizada ? QStringLiteral("2") : QStringLiteral("0"));
}

QRect PosiciónHijaGuardada(const QString& nombre) {
    QSettings s;
    s.beginGroup(nombre);
    for (const char* c : {"Top", "Left", "Width", "Height"})
        if (!s.contains(QString::fromLatin1(c))) return {};
    return QRect(Píxeles(s.value(QStringLiteral("Left"))), Píxeles(s.value(QStringLiteral("Top"))),
                 Píxeles(s.value(QStringLiteral("Width"))),
                 Píxeles(s.value(QStringLiteral("Height"))));
}

void GuardarPosiciónHija(const QString& nombre, const QRect& lugar) {
    QSettings s;
    s.beginGroup(nombre);
    s.setValue(QStringLiteral("Top"), Twips(lugar.y()));
    s.setValue(QStringLiteral("Left"), Twips(lugar.x()));
    s.setValue(QStringLiteral("Width"), Twips(lugar.width()));
    s.setValue(QStringLiteral("Height"), Twips(lugar.height()));
}

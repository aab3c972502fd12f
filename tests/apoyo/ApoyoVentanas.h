#pragma once

// Helpers for the window tests.

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

// The child control `nombre` of `w` (a test failure when there is none).
template <class T>
T* En(QWidget* w, const char* nombre) {
    T* c = w->findChild<T*>(QString::fromUtf8(nombre));
    EXPECT_NE(c, nullptr) << nombre;
    return c;
}

// Types `texto` key by key into `w`, accented letters included.
inline void Escribir(QWidget* w, const QString& texto) {
    for (const QChar c : texto) {
        if (c.unicode() < 128)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// When the next modal window is up, runs `hacer` on it (which must close it).
inline void AlAparecerModal(std::function<void(QWidget*)> hacer, int intentos = 250) {
    QTimer::singleShot(20, [hacer, intentos] {
        if (QWidget* m = QApplication::activeModalWidget())
            hacer(m);
        else if (intentos > 0)
            AlAparecerModal(hacer, intentos - 1);
        else
            ADD_FAILURE() << "no apareció la ventana modal";
    });
}

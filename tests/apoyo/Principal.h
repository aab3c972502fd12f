#pragma once

#include "Apoyo.h"
#include "ApoyoVentanas.h"

#include "filecard/frmFicha.h"
#include "shell/frmMDI.h"
#include "store/Diccionario.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

// A main window on a copy of the delivered database, with the file cards installed.
class FichaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ruta = CopiaBaseEntregada(carpeta);
        dic = std::make_unique<Diccionario>();
        dic->abrirArchivo(ruta, false);
        InstalarFichas();
        principal = std::make_unique<frmMDI>();
        principal->show();
    }
    void TearDown() override {
        principal.reset();
        frmMDI::fábricaFicha = nullptr;
        frmMDI::RegistrarMódulo(QStringLiteral("ABM"), nullptr);
        dic.reset();
    }
    // The card in front.
    frmFicha* ficha() {
        QMdiSubWindow* s = principal->área()->activeSubWindow();
        if (!s && !principal->área()->subWindowList().isEmpty())
            s = principal->área()->subWindowList().last();
        return s ? qobject_cast<frmFicha*>(s->widget()) : nullptr;
    }
    template <class T>
    T* control(const char* nombre) {
        frmFicha* f = ficha();
        T* c = f ? f->findChild<T*>(QString::fromUtf8(nombre)) : nullptr;
        EXPECT_NE(c, nullptr) << nombre;
        return c;
    }
    qint64 n(const QString& sql, const QVariantList& v = {}) {
        return dic->valorÚnico(sql, v).toLongLong();
    }

    QTemporaryDir carpeta;
    QString ruta;
    InteraccionGuionada usuario;
    std::unique_ptr<frmMDI> principal;
};

#include "Apoyo.h"
#include "ApoyoVentanas.h"

#include "controls/Varios.h"
#include "controls/ceBoton.h"
#include "controls/ceCombo.h"
#include "controls/ceTxtBox.h"
#include "store/Diccionario.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A shown, active window holding the controls under test.
template <class W = QDialog>
struct Ventana {
    W w;
    QVBoxLayout* l = new QVBoxLayout(&w);
    template <class T>
    T* agregar(T* c) {
        l->addWidget(c);
        return c;
    }
    void mostrar() {
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }
};

TEST(ceTxtBox, LasMáscarasFiltranLoEscritoYLoPegado) {
    Ventana<> v;
    auto* entero = v.agregar(new ceTxtBox);
    auto* decimal = v.agregar(new ceTxtBox);
    entero->setMascara(1);
    decimal->setMascara(2);
    v.mostrar();

    entero->setFocus();
    QTest::keyClicks(entero, QStringLiteral("12a.,3"));
    EXPECT_EQ(S(entero->text()), "123");
    QTest::keyClick(entero, Qt::Key_Backspace);
    EXPECT_EQ(S(entero->text()), "12");
    QApplication::clipboard()->setText(QStringLiteral("4x5"));
    entero->paste();
    EXPECT_EQ(S(entero->text()), "12");  // letters never get in, pasted or typed
    QApplication::clipboard()->setText(QStringLiteral("45"));
    entero->paste();
    EXPECT_EQ(S(entero->text()), "1245");

    decimal->setFocus();
    QTest::keyClicks(decimal, QStringLiteral("1,5.7"));
    EXPECT_EQ(S(decimal->text()), "1.57");  // the comma became the point; a second point is refused
    decimal->clear();
    QTest::keyClicks(decimal, QStringLiteral("."));
    EXPECT_EQ(S(decimal->text()), "0.");
    EXPECT_EQ(decimal->cursorPosition(), 2);
    QApplication::clipboard()->setText(QStringLiteral("2,25"));
    decimal->clear();
    decimal->paste();
    EXPECT_EQ(S(decimal->text()), "2.25");
}

TEST(ceTxtBox, SeLimpiaAlSalirYEnterPasaAlCampoSiguienteSinCerrarElDiálogo) {
    Ventana<> v;
    auto* nombre = v.agregar(new ceTxtBox);
    auto* email = v.agregar(new ceTxtBox);
    auto* aceptar = v.agregar(new QPushButton(QStringLiteral("Aceptar")));
    aceptar->setDefault(true);
    QSignalSpy aceptado(&v.w, &QDialog::accepted);
    v.mostrar();

    nombre->setFocus();
    Escribir(nombre, QStringLiteral("  Juan  Pérez, hijo."));
    EXPECT_EQ(S(nombre->text()), "  Juan  Pérez, hijo.");  // nothing trimmed while typing
    QTest::keyClick(nombre, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), email);
    EXPECT_EQ(aceptado.count(), 0);
    EXPECT_EQ(S(nombre->text()), "Juan Pérez, hijo.");  // blanks tidied, nothing else

    QTest::keyClicks(email, QStringLiteral(" ana.paz@correo.com.ar "));
    QTest::keyClick(email, Qt::Key_Tab);
    EXPECT_EQ(S(email->text()), "ana.paz@correo.com.ar");
    EXPECT_EQ(aceptado.count(), 0);

    // A text shown as stored is never rewritten by a visit.
    email->setText(QStringLiteral(" D'Agostino  S.A. "));
    email->setFocus();
    QTest::keyClick(email, Qt::Key_Tab);
    EXPECT_EQ(S(email->text()), " D'Agostino  S.A. ");
}

TEST(ceCombo, CompletaLoEscritoYMarcaLoQueNoEstáEnLaLista) {
    Ventana<> v;
    auto* c = v.agregar(new ceCombo);
    auto* otro = v.agregar(new ceTxtBox);
    for (const char* p : {"Argentina", "Armenia", "Bolivia"}) c->AddItem(QString::fromUtf8(p));
    EXPECT_EQ(c->completer(), nullptr);
    EXPECT_EQ(c->ListIndex(), -1);  // filling selects nothing
    EXPECT_TRUE(c->currentText().isEmpty());
    v.mostrar();

    c->setFocus();
    QTest::keyClicks(c->lineEdit(), QStringLiteral("ar"));
    EXPECT_EQ(S(c->currentText()), "Argentina");
    EXPECT_EQ(S(c->lineEdit()->selectedText()), "gentina");
    EXPECT_EQ(c->ListIndex(), 0);
    QTest::keyClicks(c->lineEdit(), QStringLiteral("m"));
    EXPECT_EQ(S(c->currentText()), "Armenia");
    EXPECT_EQ(c->ListIndex(), 1);

    c->lineEdit()->clear();
    Escribir(c->lineEdit(), QStringLiteral("Per.  ú "));
    EXPECT_EQ(S(c->currentText()), "Per.  ú ");
    EXPECT_EQ(c->ListIndex(), -1);
    otro->setFocus();
    EXPECT_EQ(S(c->currentText()), "Per. ú");
    EXPECT_TRUE(c->fueraDeLista());
    EXPECT_EQ(c->lineEdit()->palette().color(QPalette::Text), QColor(128, 0, 0));
    c->setFocus();
    EXPECT_FALSE(c->fueraDeLista());
    c->setText(QStringLiteral("Comercial  Sur S.A. "));  // as stored: a visit keeps it
    otro->setFocus();
    EXPECT_EQ(S(c->currentText()), "Comercial  Sur S.A. ");
}

TEST(ceCombo, SeLlenaDesdeUnaListaDeLaBase) {
    QTemporaryDir carpeta;
    const QString ruta = CopiaBaseEntregada(carpeta);
    InteraccionGuionada usuario;
    dic = std::make_unique<Diccionario>();
    dic->abrirArchivo(ruta, false);
    ceCombo c;
    ceDropList d;
    dic->LlenarComboElementos(QStringLiteral("nvx_m_sexos"), c, 0, false, 2);
    dic->LlenarComboElementos(QStringLiteral("nvx_m_monedas"), d, 0, false, 0);
    dic.reset();
    ASSERT_EQ(c.ListCount(), 3);
    EXPECT_EQ(S(c.Text()), "Masculino");
    EXPECT_EQ(c.ItemData(c.ListIndex()), 2);
    EXPECT_EQ(d.ListCount(), 4);
}

TEST(ceBoton, RespondeAEnterYEscapeSóloSiSeLoPide) {
    Ventana<QWidget> v;
    auto* marca = v.agregar(new QCheckBox(QStringLiteral("marca")));
    auto* aceptar = v.agregar(new ceBoton(QStringLiteral("Aceptar")));
    auto* cancelar = v.agregar(new ceBoton(QStringLiteral("Cancelar")));
    QSignalSpy clicAceptar(aceptar, &ceBoton::Click);
    QSignalSpy clicCancelar(cancelar, &ceBoton::Click);
    v.mostrar();
    marca->setFocus();
    QTest::keyClick(marca, Qt::Key_Return);
    QTest::keyClick(marca, Qt::Key_Escape);
    EXPECT_EQ(clicAceptar.count() + clicCancelar.count(), 0);
    EXPECT_TRUE(v.w.isVisible());

    aceptar->setXDefault(true);
    cancelar->setXCancel(true);
    QTest::keyClick(marca, Qt::Key_Return);
    EXPECT_EQ(clicAceptar.count(), 1);
    QTest::keyClick(marca, Qt::Key_Escape);
    EXPECT_EQ(clicCancelar.count(), 1);
    EXPECT_TRUE(v.w.isVisible());
}

TEST(ceScroll, LaBarraSóloSeHabilitaConContenidoMásAltoQueLaVista) {
    ceScroll s;
    s.resize(300, 200);
    auto* contenido = new QWidget(&s);
    contenido->setProperty("Tag", QStringLiteral("Contenido"));
    contenido->resize(280, 150);
    s.show();
    s.ajustar_scroll();
    EXPECT_EQ(s.widget(), contenido);
    EXPECT_FALSE(s.verticalScrollBar()->isEnabled());
    EXPECT_EQ(contenido->pos(), QPoint(0, 0));

    contenido->resize(280, 900);
    s.ajustar_scroll();
    QScrollBar* b = s.verticalScrollBar();
    EXPECT_TRUE(b->isEnabled());
    EXPECT_EQ(b->maximum(), 900 - s.viewport()->height());
    EXPECT_EQ(b->pageStep(), s.viewport()->height() / 5);
    QTest::keyClick(&s, Qt::Key_Down);
    EXPECT_EQ(b->value(), b->singleStep());
    QTest::keyClick(&s, Qt::Key_Up);
    QTest::keyClick(&s, Qt::Key_Up);
    EXPECT_EQ(b->value(), 0);
}

}  // namespace

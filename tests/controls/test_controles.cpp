#include "Apoyo.h"
#include "ApoyoVentanas.h"

#include "controls/OpcionesEntrada.h"
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
#include <QSettings>
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

// Types through the window, as the desktop delivers keys: to whichever control has the focus.
void Teclear(QWidget& ventana, const QString& texto) {
    for (const QChar c : texto) QTest::keyClick(ventana.windowHandle(), char(c.unicode()));
}
void Tecla(QWidget& ventana, Qt::Key tecla) {
    QTest::keyClick(ventana.windowHandle(), tecla);
}

// Each test starts from the options a new installation has, and leaves them so.
class OpcionesTest : public ::testing::Test {
  protected:
    void SetUp() override { OpcionesEntrada{}.aplicar(); }
    void TearDown() override { OpcionesEntrada{}.aplicar(); }
    static void poner(bool OpcionesEntrada::*campo, bool valor) {
        OpcionesEntrada o = OpcionesEntrada::actuales();
        o.*campo = valor;
        o.aplicar();
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

// The lists of the file card's Localidad and Barrio: an editable combo completes
// what is typed at the keyboard as a drop-down list does, and Enter goes on.
TEST_F(OpcionesTest, UnComboEditableCompletaLoTecleadoYEnterPasaAlCampoSiguiente) {
    Ventana<> v;
    auto* localidad = v.agregar(new ceCombo);
    auto* provincia = v.agregar(new ceDropList);
    auto* calle = v.agregar(new ceTxtBox);
    auto* aceptar = v.agregar(new ceBoton(QStringLiteral("Aceptar")));
    aceptar->setXDefault(true);
    QSignalSpy aceptado(aceptar, &ceBoton::Click);
    for (const char* l : {"Paraná", "Palermo", "Palpalá", "Pergamino"})
        localidad->AddItem(QString::fromUtf8(l));
    for (const char* p : {"Jujuy", "La Pampa", "Salta"}) provincia->AddItem(QString::fromUtf8(p));
    v.mostrar();

    localidad->setFocus();
    Teclear(v.w, QStringLiteral("Pal"));
    EXPECT_EQ(S(localidad->currentText()), "Palermo");
    EXPECT_EQ(S(localidad->lineEdit()->selectedText()), "ermo");
    EXPECT_EQ(localidad->ListIndex(), 1);
    Teclear(v.w, QStringLiteral("p"));
    EXPECT_EQ(S(localidad->currentText()), "Palpalá");
    EXPECT_EQ(localidad->ListIndex(), 2);
    // A letter typed inside the text is an edit, not a new search.
    localidad->lineEdit()->setText(QStringLiteral("Prana"));
    localidad->lineEdit()->setCursorPosition(1);
    Teclear(v.w, QStringLiteral("a"));
    EXPECT_EQ(S(localidad->currentText()), "Parana");

    localidad->lineEdit()->clear();
    Teclear(v.w, QStringLiteral("pe"));
    EXPECT_EQ(S(localidad->currentText()), "Pergamino");
    Tecla(v.w, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), provincia);
    EXPECT_EQ(localidad->ListIndex(), 3);
    EXPECT_FALSE(localidad->fueraDeLista());
    Teclear(v.w, QStringLiteral("s"));
    EXPECT_EQ(S(provincia->currentText()), "Salta");
    Tecla(v.w, Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), calle);
    Tecla(v.w, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), aceptar);
    EXPECT_EQ(aceptado.count(), 0);  // no field gave its Enter to the window's button
    EXPECT_TRUE(v.w.isVisible());

    // A text not in the list is accepted as typed, and marked on leaving.
    localidad->setFocus();
    localidad->lineEdit()->clear();
    Teclear(v.w, QStringLiteral("Villa Nueva"));
    EXPECT_EQ(S(localidad->currentText()), "Villa Nueva");
    Tecla(v.w, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), provincia);
    EXPECT_EQ(localidad->ListIndex(), -1);
    EXPECT_TRUE(localidad->fueraDeLista());

    // A locked combo keeps its item; Enter still moves on.
    localidad->setListIndex(1);
    localidad->setLocked(true);
    localidad->setFocus();
    Teclear(v.w, QStringLiteral("Pe"));
    Tecla(v.w, Qt::Key_Down);
    EXPECT_EQ(S(localidad->currentText()), "Palermo");
    Tecla(v.w, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), provincia);
}

TEST_F(OpcionesTest, ConMayúsculasLoTecleadoEntraEnMayúsculas) {
    Ventana<> v;
    auto* nombre = v.agregar(new ceTxtBox);
    auto* número = v.agregar(new ceTxtBox);
    auto* clave = v.agregar(new ceTxtBox);
    auto* correo = v.agregar(new ceTxtBox);
    auto* localidad = v.agregar(new ceCombo);
    número->setMascara(2);
    clave->setEchoMode(QLineEdit::Password);
    correo->setSinMayúsculas(true);
    for (const char* l : {"Palermo", "Palpalá"}) localidad->AddItem(QString::fromUtf8(l));
    v.mostrar();

    nombre->setFocus();
    Teclear(v.w, QStringLiteral("juan"));
    EXPECT_EQ(S(nombre->text()), "juan");  // off: as typed

    poner(&OpcionesEntrada::mayúsculas, true);
    nombre->clear();
    Teclear(v.w, QStringLiteral("maria jose"));
    Escribir(nombre, QStringLiteral("ñ"));  // a letter outside ASCII
    EXPECT_EQ(S(nombre->text()), "MARIA JOSEÑ");
    QTest::keyClick(v.w.windowHandle(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(S(nombre->selectedText()), "MARIA JOSEÑ");  // shortcuts still work
    número->setFocus();
    Teclear(v.w, QStringLiteral("1,5e"));
    EXPECT_EQ(S(número->text()), "1.5");
    clave->setFocus();
    Teclear(v.w, QStringLiteral("clave"));
    EXPECT_EQ(S(clave->text()), "clave");
    correo->setFocus();
    Teclear(v.w, QStringLiteral("ana@correo.com"));
    EXPECT_EQ(S(correo->text()), "ana@correo.com");

    // In a combo an item completes as it is written; a text not in the list goes in upper case.
    localidad->setFocus();
    Teclear(v.w, QStringLiteral("palp"));
    EXPECT_EQ(S(localidad->currentText()), "Palpalá");
    localidad->lineEdit()->clear();
    Teclear(v.w, QStringLiteral("villa"));
    EXPECT_EQ(S(localidad->currentText()), "VILLA");
}

TEST_F(OpcionesTest, SinAutocompletarLoTecleadoQuedaComoSeEscribió) {
    poner(&OpcionesEntrada::autocompletar, false);
    Ventana<> v;
    auto* localidad = v.agregar(new ceCombo);
    auto* otro = v.agregar(new ceTxtBox);
    for (const char* l : {"Palermo", "Palpalá"}) localidad->AddItem(QString::fromUtf8(l));
    v.mostrar();
    localidad->setFocus();
    Teclear(v.w, QStringLiteral("Pal"));
    EXPECT_EQ(S(localidad->currentText()), "Pal");
    EXPECT_FALSE(localidad->lineEdit()->hasSelectedText());
    EXPECT_EQ(localidad->ListIndex(), -1);
    Teclear(v.w, QStringLiteral("ermo"));
    Tecla(v.w, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), otro);
    EXPECT_EQ(localidad->ListIndex(), 0);  // the whole name typed is the item
    EXPECT_FALSE(localidad->fueraDeLista());

    // Turned on again, without reopening anything.
    poner(&OpcionesEntrada::autocompletar, true);
    localidad->setFocus();
    localidad->lineEdit()->clear();
    Teclear(v.w, QStringLiteral("Palp"));
    EXPECT_EQ(S(localidad->currentText()), "Palpalá");
}

TEST_F(OpcionesTest, ElControlActivoTomaElColorElegidoYLoDevuelveAlSalir) {
    Ventana<> v;
    auto* texto = v.agregar(new ceTxtBox);
    auto* combo = v.agregar(new ceCombo);
    auto* lista = v.agregar(new ceDropList);
    auto* mostrado = v.agregar(new ceTxtBox);
    mostrado->setReadOnly(true);
    lista->AddItem(QStringLiteral("Salta"));
    v.mostrar();
    const QColor blanco = v.w.palette().color(QPalette::Base);
    const QColor amarillo(255, 255, 192);
    const auto fondo = [](QWidget* w) { return w->palette().color(QPalette::Base); };

    texto->setFocus();
    EXPECT_EQ(fondo(texto), blanco);  // off

    OpcionesEntrada o = OpcionesEntrada::actuales();
    o.colorear = true;
    o.colorActivo = amarillo;
    o.aplicar();
    EXPECT_EQ(fondo(texto), amarillo);  // the field with the focus follows at once
    Tecla(v.w, Qt::Key_Return);
    EXPECT_EQ(fondo(texto), blanco);
    EXPECT_EQ(fondo(combo->lineEdit()), amarillo);  // what the combo's text is painted on
    Tecla(v.w, Qt::Key_Return);
    EXPECT_EQ(fondo(combo->lineEdit()), blanco);
    EXPECT_EQ(lista->palette().color(QPalette::Button), amarillo);
    mostrado->setFocus();
    EXPECT_EQ(lista->palette().color(QPalette::Button), v.w.palette().color(QPalette::Button));
    EXPECT_EQ(fondo(mostrado), blanco);  // a field that only shows is not an input

    // A text marked as not in the list is still painted on the active colour.
    combo->setFocus();
    Teclear(v.w, QStringLiteral("Otra"));
    texto->setFocus();
    ASSERT_TRUE(combo->fueraDeLista());
    combo->setFocus();
    EXPECT_EQ(fondo(combo->lineEdit()), amarillo);
    mostrado->setFocus();
    EXPECT_TRUE(combo->fueraDeLista());
    EXPECT_EQ(fondo(combo->lineEdit()), blanco);

    // Given back as it was: the window's own colours still reach the control.
    QPalette verde = v.w.palette();
    verde.setColor(QPalette::Base, Qt::green);
    v.w.setPalette(verde);
    EXPECT_EQ(fondo(texto), QColor(Qt::green));
    EXPECT_EQ(fondo(combo->lineEdit()), QColor(Qt::green));

    // Read once: the settings file is not read again at each focus.
    QSettings().setValue(QStringLiteral("Opciones/ColorearActivo"), QStringLiteral("0"));
    texto->setFocus();
    EXPECT_EQ(fondo(texto), amarillo);
    OpcionesEntrada::recargar();
    EXPECT_EQ(fondo(texto), QColor(Qt::green));
}

TEST(OpcionesEntrada, SeLeenDeLaSecciónOpcionesComoLasEscribíaElPrograma) {
    QSettings s;
    s.setValue(QStringLiteral("Opciones/ColorFondoFicha"), QStringLiteral("&H00C0E0FF"));
    s.setValue(QStringLiteral("Opciones/ColorActivo"), QStringLiteral("12648447"));
    s.setValue(QStringLiteral("Opciones/ColorearActivo"), QStringLiteral("-1"));
    s.setValue(QStringLiteral("Opciones/Mayúsculas"), QStringLiteral("true"));
    s.setValue(QStringLiteral("Opciones/Autocompletar"), QStringLiteral("0"));
    OpcionesEntrada o = OpcionesEntrada::leer();
    EXPECT_EQ(o.fondoFicha, QColor(255, 224, 192));
    EXPECT_EQ(o.colorActivo, QColor(255, 255, 192));
    EXPECT_TRUE(o.colorear);
    EXPECT_TRUE(o.mayúsculas);
    EXPECT_FALSE(o.autocompletar);
    // An old system colour or a word is no colour: the default stays.
    s.setValue(QStringLiteral("Opciones/ColorFondoFicha"), QStringLiteral("&H8000000F"));
    s.setValue(QStringLiteral("Opciones/ColorActivo"), QStringLiteral("amarillo"));
    s.setValue(QStringLiteral("Opciones/Autocompletar"), QStringLiteral("quizás"));
    o = OpcionesEntrada::leer();
    EXPECT_EQ(o.fondoFicha, QColor(Qt::white));
    EXPECT_EQ(o.colorActivo, OpcionesEntrada{}.colorActivo);
    EXPECT_TRUE(o.autocompletar);
    EXPECT_EQ(S(TextoColorAjuste(QColor(255, 224, 192))), "&H00C0E0FF");
    s.remove(QStringLiteral("Opciones"));
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

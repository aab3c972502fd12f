#include "Principal.h"

#include "controls/ceCombo.h"
#include "controls/ceTxtBox.h"
#include "pages/VentanasPaginas.h"
#include "records/Generador.h"
#include "search/VentanasBusqueda.h"
#include "store/Conexion.h"
#include "store/Palabras.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTreeWidget>

namespace {

void Aceptar(QWidget* d) {
    En<QPushButton>(d, "cmdAceptar")->click();
}
void Elegir(QListWidget* l, const QString& texto) {
    const auto hallados = l->findItems(texto, Qt::MatchExactly);
    ASSERT_FALSE(hallados.isEmpty()) << S(texto);
    l->setCurrentItem(hallados.first());
}

class BusquedasTest : public FichaTest {
  protected:
    void SetUp() override {
        UsuarioActual = QStringLiteral("ana");
        InstalarBusquedas();
        FichaTest::SetUp();
        GenerarPostulantes(*dic, 40, 2, {});
        // 25 active applicants named García…, in a known order.
        dic->ejecutar(
            QStringLiteral("update nvx_m_postulantes set activo = 1, apellido = 'García' || "
                           "substr('00' || id, -2), nombre = 'N' where id <= 25"));
        dic->ejecutar(
            QStringLiteral("update nvx_m_postulantes set apellido = 'Otro' where id > 25"));
    }
    void TearDown() override {
        FichaTest::TearDown();
        frmMDI::RegistrarMódulo(QStringLiteral("Búsqueda"), nullptr);
        UsuarioActual.clear();
    }
    // Through the condition windows: one condition on a column, saved under `nombre`.
    void definir(frmBusquedas& d, const char* columna, int comparación, const QString& valor,
                 const QString& nombre) {
        AlAparecerModal([=](QWidget* sub) {
            AlAparecerModal([=](QWidget* c) {
                Elegir(En<QListWidget>(c, "lstDatos"), QString::fromUtf8(columna));
                En<ceDropList>(c, "cmbCondición")->setCurrentIndex(comparación);
                Escribir(En<ceTxtBox>(c, "txtValor"), valor);
                Aceptar(c);
            });
            En<QPushButton>(sub, "cmdAgregar")->click();
            AlAparecerModal([=](QWidget* n) {
                auto* t = En<ceTxtBox>(n, "txtNombre");
                t->clear();
                Escribir(t, nombre);
                Aceptar(n);
            });
            Aceptar(sub);
        });
        d.nueva();
    }
    frmResultado2* resultados() {
        for (QMdiSubWindow* s : principal->área()->subWindowList())
            if (auto* r = qobject_cast<frmResultado2*>(s->widget())) return r;
        return nullptr;
    }
};

TEST_F(BusquedasTest, DefinirEjecutarPaginarVerElCvYBorrarElResultado) {
    cBúsqueda primera;  // listed first and selected when the window opens
    primera.Título = QStringLiteral("Antes");
    primera.usuario = UsuarioActual;
    primera.AgregarCondición(QStringLiteral("nvx_m_postulantes.apellido contiene otro"));
    ASSERT_TRUE(primera.guardar());
    QString texto;
    AlAparecerModal([&](QWidget* w) {
        auto& d = *static_cast<frmBusquedas*>(w);
        EXPECT_EQ(d.seleccionado(), primera.id);
        definir(d, "Apellido", 0, QStringLiteral("garc"), QStringLiteral("Garcías"));
        auto* lista = En<QTreeWidget>(w, "lstDefiniciones");
        ASSERT_EQ(lista->topLevelItemCount(), 2);
        EXPECT_EQ(S(lista->topLevelItem(1)->text(0)), "Garcías");
        EXPECT_EQ(S(lista->topLevelItem(1)->text(1)), "ana");
        EXPECT_EQ(lista->currentItem(), lista->topLevelItem(1));  // the new one, for F2
        QApplication::setActiveWindow(w);
        QTest::keyClick(lista, Qt::Key_F2);
        if (w->isVisible()) {
            ADD_FAILURE() << "F2 no ejecutó la búsqueda";
            d.reject();
        }
    });
    principal->findChild<QAction*>(QStringLiteral("mnuMódulosBúsquedas"))->trigger();

    frmResultado2* r = resultados();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(S(r->windowTitle()), "Garcías > Resultado");
    auto* vista = En<QTextBrowser>(r, "htmResultados");
    texto = vista->toPlainText();
    EXPECT_TRUE(texto.contains(QStringLiteral("Registros encontrados: 25")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Mostrando 1 - 20")));
    EXPECT_TRUE(texto.contains(QStringLiteral("García01, N")));
    EXPECT_FALSE(texto.contains(QStringLiteral("García21")));
    auto* anteriores = r->findChild<QAction*>(QStringLiteral("asxToolbar1_anteriores"));
    auto* siguientes = r->findChild<QAction*>(QStringLiteral("asxToolbar1_siguientes"));
    EXPECT_FALSE(anteriores->isEnabled());
    ASSERT_TRUE(siguientes->isEnabled());
    siguientes->trigger();
    EXPECT_TRUE(vista->toPlainText().contains(QStringLiteral("Mostrando 21 - 25")));
    EXPECT_TRUE(vista->toPlainText().contains(QStringLiteral("García25, N")));
    EXPECT_FALSE(siguientes->isEnabled());
    anteriores->trigger();
    EXPECT_TRUE(vista->toPlainText().contains(QStringLiteral("Mostrando 1 - 20")));

    // A name opens its CV; any other link goes nowhere.
    emit vista->anchorClicked(QUrl(QStringLiteral("http://ejemplo.com/post7")));
    EXPECT_EQ(principal->área()->subWindowList().size(), 1);
    emit vista->anchorClicked(QUrl(QStringLiteral("post7")));
    auto* marco = principal->área()->activeSubWindow();
    ASSERT_NE(marco, nullptr);
    auto* cv = qobject_cast<frmCVhtml*>(marco->widget());
    ASSERT_NE(cv, nullptr);
    EXPECT_EQ(S(cv->windowTitle()), "García07, N");
    EXPECT_TRUE(En<QTextBrowser>(cv, "htmResultados")
                    ->toPlainText()
                    .contains(QStringLiteral("registro interno en Candora: 7")));
    cv->findChild<QAction*>(QStringLiteral("asxToolbar1_copiar"))->trigger();
    EXPECT_TRUE(usuario.copiado.contains(QStringLiteral("García07")));
    cv->findChild<QAction*>(QStringLiteral("asxToolbar1_abrir"))->trigger();
    QTest::qWait(10);
    ASSERT_NE(ficha(), nullptr);
    EXPECT_EQ(ficha()->postulante.id, 7);
    EXPECT_EQ(principal->área()->subWindowList().size(), 2);  // the CV window made way for the card

    // Deleting the whole result: asked first, then one transaction, and the card goes too.
    auto* eliminar = r->findChild<QAction*>(QStringLiteral("tlbComandos_eliminar"));
    usuario.respuestas = {Respuesta::No};
    eliminar->trigger();
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes")), 40);
    EXPECT_TRUE(usuario.mensajes.back().texto.contains(QStringLiteral("los 25 currículos")));
    EXPECT_EQ(usuario.mensajes.back().predeterminada, Respuesta::No);
    usuario.respuestas = {Respuesta::Sí};
    eliminar->trigger();
    QTest::qWait(10);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes")), 15);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_d_experiencia where postulante <= 25")),
              0);
    EXPECT_TRUE(
        usuario.mensajes.back().texto.startsWith(QStringLiteral("Se eliminaron 25 currículos")));
    EXPECT_TRUE(principal->área()->subWindowList().isEmpty());
}

// "Guardar una copia" of a CV, as a web page or a PDF: written whole, or a message and
// nothing cut left behind when the disk is full.
TEST_F(BusquedasTest, GuardarUnaCopiaDelCvLaEscribeEnteraONadaSiElDiscoEstáLleno) {
    DiscoLleno disco;
    if (!disco.montado()) GTEST_SKIP() << "no se pudo montar un tmpfs (hace falta ser root)";
    AbrirCV(7);
    auto* cv = qobject_cast<frmCVhtml*>(principal->área()->activeSubWindow()->widget());
    ASSERT_NE(cv, nullptr);
    QAction* guardar = cv->findChild<QAction*>(QStringLiteral("asxToolbar1_exportar"));
    const QString htm = disco.ruta(QStringLiteral("cv.htm"));
    const QString pdf = disco.ruta(QStringLiteral("cv.pdf"));
    const auto contenido = [](const QString& ruta) {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    usuario.archivos = {htm, pdf};
    guardar->trigger();
    guardar->trigger();
    EXPECT_TRUE(usuario.mensajes.empty());
    EXPECT_TRUE(contenido(htm).contains("García07"));
    EXPECT_TRUE(contenido(pdf).startsWith("%PDF-"));
    EXPECT_TRUE(contenido(pdf).trimmed().endsWith("%%EOF"));

    disco.llenar();
    usuario.archivos = {htm, pdf, disco.ruta(QStringLiteral("nuevo.htm"))};
    const QByteArray antes = contenido(htm) + contenido(pdf);
    for (int i = 0; i < 3; ++i) guardar->trigger();
    ASSERT_EQ(usuario.mensajes.size(), 3u);
    for (const Mensaje& m : usuario.mensajes)
        EXPECT_TRUE(m.texto.contains(QStringLiteral("el disco está lleno. Libere espacio")))
            << S(m.texto);
    EXPECT_EQ(contenido(htm) + contenido(pdf), antes);
    EXPECT_EQ(disco.archivos(), (QStringList{QStringLiteral("cv.htm"), QStringLiteral("cv.pdf")}));
}

TEST_F(BusquedasTest, DosVentanasDeResultadosNoSePisanYVolverAEjecutarRefresca) {
    cBúsqueda garcías, otros;
    garcías.Título = QStringLiteral("Garcías");
    garcías.usuario = UsuarioActual;
    garcías.AgregarCondición(QStringLiteral("nvx_m_postulantes.apellido contiene garc"));
    otros.Título = QStringLiteral("Otros");
    otros.usuario = UsuarioActual;
    otros.AgregarCondición(QStringLiteral("nvx_m_postulantes.apellido contiene otro"));
    ASSERT_TRUE(garcías.guardar());
    ASSERT_TRUE(otros.guardar());
    dic->ejecutar(QStringLiteral("update nvx_m_postulantes set activo = 1"));
    const auto correr = [&](int32_t id) {
        frmBusquedas d;
        d.cargarLista(id);
        d.ejecutar();
    };
    correr(garcías.id);
    correr(otros.id);
    ASSERT_EQ(principal->área()->subWindowList().size(), 2);
    const auto texto = [&](int i) {
        auto* r = qobject_cast<frmResultado2*>(principal->área()->subWindowList().at(i)->widget());
        return En<QTextBrowser>(r, "htmResultados")->toPlainText();
    };
    EXPECT_TRUE(texto(0).contains(QStringLiteral("Registros encontrados: 25")));
    EXPECT_TRUE(texto(1).contains(QStringLiteral("Registros encontrados: 15")));
    auto* primera =
        qobject_cast<frmResultado2*>(principal->área()->subWindowList().at(0)->widget());
    primera->findChild<QAction*>(QStringLiteral("asxToolbar1_siguientes"))->trigger();
    EXPECT_TRUE(texto(0).contains(QStringLiteral("García21")));  // still its own result

    // Run again while open: the same window, refreshed.
    dic->ejecutar(QStringLiteral("update nvx_m_postulantes set apellido = 'Otro' where id = 25"));
    correr(garcías.id);
    EXPECT_EQ(principal->área()->subWindowList().size(), 2);
    EXPECT_TRUE(texto(0).contains(QStringLiteral("Registros encontrados: 24")));
}

// The toolbar's box finds by keywords, best first, with where they matched; the CV
// opened from there shows them too.
TEST_F(BusquedasTest, LaCajaDePalabrasClaveMuestraDóndeCoincidenHastaEnElCv) {
    dic->ejecutar(QStringLiteral(
        "update nvx_m_postulantes set conocimientos = case id when 3 then 'Ñandutí <b>Quipu</b>' "
        "when 9 then 'quipu, QUIPU y ñanduti' else 'Ventas' end"));
    ReindexarPalabras(*dic);
    auto* caja = principal->findChild<QLineEdit*>(QStringLiteral("txtPalabras"));
    ASSERT_NE(caja, nullptr);
    const auto buscar = [&](const QString& palabras) {
        caja->setText(palabras);
        QTest::keyClick(caja, Qt::Key_Return);
    };
    buscar(QStringLiteral("NANDUTI quipu"));
    frmResultado2* r = resultados();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(S(r->windowTitle()), "Palabras clave: NANDUTI quipu > Resultado");
    const QString& html = r->página().html;
    EXPECT_TRUE(html.contains(QStringLiteral("Registros encontrados: <b>2</b>")));
    // The one that says "quipu" twice ranks first; the stored tag is shown, not obeyed.
    EXPECT_LT(html.indexOf(QStringLiteral("href=\"post9\"")),
              html.indexOf(QStringLiteral("href=\"post3\"")));
    EXPECT_TRUE(html.contains(QStringLiteral(">Ñandutí</mark> &lt;b&gt;<mark")));

    emit En<QTextBrowser>(r, "htmResultados")->anchorClicked(QUrl(QStringLiteral("post3")));
    auto* cv = qobject_cast<frmCVhtml*>(principal->área()->activeSubWindow()->widget());
    ASSERT_NE(cv, nullptr);
    EXPECT_EQ(S(cv->resaltar.join(u',')), "nanduti,quipu");
    EXPECT_TRUE(En<QTextBrowser>(cv, "htmResultados")
                    ->toHtml()
                    .contains(QStringLiteral("background-color:#ffe066;\">Quipu</span>")));

    // Nothing found, or a query that cannot be read: said, and no window opens.
    const auto ventanas = principal->área()->subWindowList().size();
    buscar(QStringLiteral("quetzalcoatl"));
    EXPECT_TRUE(usuario.mensajes.back().texto.startsWith(
        QStringLiteral("Ningún postulante activo tiene las palabras «quetzalcoatl»")));
    buscar(QStringLiteral("\"quipu"));
    EXPECT_TRUE(usuario.mensajes.back().texto.contains(QStringLiteral("comillas")));
    EXPECT_EQ(principal->área()->subWindowList().size(), ventanas);
}

TEST_F(BusquedasTest, ElEditorSóloOfreceLasComparacionesDeCadaTipo) {
    frmCondicion c;
    c.cargar(QStringLiteral("nvx_m_postulantes"));
    auto* datos = En<QListWidget>(&c, "lstDatos");
    auto* comparación = En<ceDropList>(&c, "cmbCondición");
    EXPECT_TRUE(
        datos->findItems(QStringLiteral("ID interno"), Qt::MatchExactly).isEmpty());  // kind CO
    Elegir(datos, QStringLiteral("Sexo"));
    ASSERT_EQ(comparación->count(), 4);
    EXPECT_EQ(S(comparación->itemText(3)), "no es vacío");
    EXPECT_FALSE(En<ceDropList>(&c, "cmbValor")->isHidden());
    EXPECT_EQ(En<ceDropList>(&c, "cmbValor")->count(), 3);
    Elegir(datos, QStringLiteral("Estatura (en cm)"));
    ASSERT_EQ(comparación->count(), 4);
    EXPECT_EQ(S(comparación->itemText(0)), "es igual a");
    EXPECT_EQ(En<ceTxtBox>(&c, "txtValor")->maxLength(), 3);
    Escribir(En<ceTxtBox>(&c, "txtValor"), QStringLiteral("abc"));
    c.aceptar();
    EXPECT_FALSE(c.aceptado);  // a number column takes numbers only
    EXPECT_EQ(S(usuario.mensajes.back().texto), "El valor debe ser un número.");
    En<ceTxtBox>(&c, "txtValor")->setText(QStringLiteral("170"));
    c.aceptar();
    EXPECT_TRUE(c.aceptado);
    EXPECT_EQ(c.condición.Operador, 5);

    // Keywords: contained or not, and a malformed query explained before it is kept.
    Elegir(datos, QStringLiteral("Palabras clave"));
    ASSERT_EQ(comparación->count(), 2);
    EXPECT_EQ(S(comparación->itemText(1)), "no contiene");
    En<ceTxtBox>(&c, "txtValor")->setText(QStringLiteral("sap \"logística"));
    c.aceptado = false;
    c.aceptar();
    EXPECT_FALSE(c.aceptado);
    EXPECT_TRUE(usuario.mensajes.back().texto.contains(QStringLiteral("comillas")));

    frmCondicion v;
    v.cargar(QStringLiteral("nvx_m_postulantes"));
    Elegir(En<QListWidget>(&v, "lstDatos"), QStringLiteral("Apellido"));
    En<ceDropList>(&v, "cmbCondición")->setCurrentIndex(2);  // es vacío
    EXPECT_TRUE(En<ceTxtBox>(&v, "txtValor")->isHidden());
    v.aceptar();
    EXPECT_TRUE(v.aceptado);

    // Levels are offered in their own order, not alphabetically.
    frmCondicion idioma;
    idioma.cargar(QStringLiteral("nvx_d_idiomas"));
    Elegir(En<QListWidget>(&idioma, "lstDatos"), QStringLiteral("Habla"));
    auto* niveles = En<ceDropList>(&idioma, "cmbValor");
    QStringList textos;
    for (int i = 0; i < niveles->count(); ++i) textos << niveles->itemText(i);
    EXPECT_EQ(textos.join(u','),
              QStringLiteral("Básico,Intermedio,Bueno,Muy bueno,Bilingüe/Nativo"));

    frmNombreBusqueda nb;
    nb.nombre = QStringLiteral("   ");
    nb.cargar();
    nb.aceptar();
    EXPECT_EQ(nb.aceptado, 0);
    EXPECT_EQ(S(usuario.mensajes.back().texto), "Debe escribir un nombre para esta definición.");
}

TEST_F(BusquedasTest, LaListaDeDefinicionesOrdenaRecortaYOcultaLoAjeno) {
    const auto alta = [&](const QString& título, const char* dueño, uint8_t pública) {
        cBúsqueda b;
        b.Título = título;
        b.usuario = QString::fromUtf8(dueño);
        b.pública = pública;
        b.fecha_alta = QStringLiteral("20261207100000");
        EXPECT_TRUE(b.guardar());
        return b.id;
    };
    const int largo = alta(QString(40, u'x'), "ana", 0);
    const int justo = alta(QString(37, u'y'), "beto", 1);
    alta(QStringLiteral("Privada de Beto"), "beto", 0);
    frmBusquedas d;
    auto* lista = En<QTreeWidget>(&d, "lstDefiniciones");
    ASSERT_EQ(lista->topLevelItemCount(), 2);
    EXPECT_EQ(S(lista->topLevelItem(0)->text(0)), S(QString(37, u'x') + QStringLiteral("...")));
    EXPECT_EQ(S(lista->topLevelItem(1)->text(0)), S(QString(37, u'y')));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d? \\w+ \\d{4} \\d\\d:\\d\\d$"))
                    .match(lista->topLevelItem(1)->text(2))
                    .hasMatch());

    d.cargarLista(justo);
    d.ordenarPor(2);
    d.ordenarPor(1);  // by user: ana's first, the selection kept
    EXPECT_EQ(d.seleccionado(), justo);
    EXPECT_EQ(S(lista->topLevelItem(0)->text(1)), "ana");
    EXPECT_EQ(S(lista->topLevelItem(1)->text(1)), "beto");

    // No conditions: nothing found.
    d.ejecutar();
    EXPECT_EQ(S(usuario.mensajes.back().título), "Resultado vacío");
    EXPECT_EQ(resultados(), nullptr);

    // Modified while another workstation deleted it: refused.
    cBúsqueda::Eliminar(largo);
    d.cargarLista(justo);
    AlAparecerModal([justo](QWidget* sub) {
        AlAparecerModal([](QWidget* n) { Aceptar(n); });
        cBúsqueda::Eliminar(justo);  // on another workstation, while it is being edited
        Aceptar(sub);
    });
    d.editar();
    EXPECT_TRUE(usuario.mensajes.back().texto.startsWith(
        QStringLiteral("Otro usuario eliminó esta búsqueda.")));
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_busquedas where id = ?"), {justo}), 0);
    EXPECT_EQ(lista->topLevelItemCount(), 0);
    EXPECT_FALSE(d.findChild<QAction*>(QStringLiteral("tlbBotones_Ejecutar"))->isEnabled());
    EXPECT_FALSE(d.findChild<QAction*>(QStringLiteral("tlbBotones_Borrar"))->isEnabled());
}

}  // namespace

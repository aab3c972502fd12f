#include "Principal.h"

#include "duplicates/VentanaDuplicados.h"
#include "pages/VentanasPaginas.h"
#include "records/cPostulante.h"

#include "controls/ceCombo.h"
#include "controls/ceTxtBox.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace {

class DuplicadosVentanaTest : public FichaTest {
  protected:
    void SetUp() override {
        InstalarDuplicados();
        FichaTest::SetUp();
    }
    void TearDown() override {
        FichaTest::TearDown();
        frmMDI::RegistrarMódulo(QStringLiteral("Duplicados"), nullptr);
    }
    int32_t alta(const char* apellido, const char* documento, const char* email) {
        return GuardarPostulante(apellido, "Ana", 1, documento,
                                 [email](cPostulante& p) { p.email = QString::fromUtf8(email); });
    }
    frmDuplicados* ventana() {
        for (QMdiSubWindow* s : principal->área()->subWindowList())
            if (auto* d = qobject_cast<frmDuplicados*>(s->widget())) return d;
        return nullptr;
    }
};

// The window lists each pair with its evidence; a pair set aside goes away for
// good, and a merge waits until neither card is open.
TEST_F(DuplicadosVentanaTest, ListaDescartaYFusionaSóloConLasFichasCerradas) {
    const int32_t a = alta("Paz", "20111222", "ana@mail.com");
    const int32_t b = alta("Paz Ruiz", "30111222", "ANA@mail.com ");
    const int32_t c = alta("Sosa", "40111222", "sosa@mail.com");
    const int32_t d = alta("Sosa", "41111222", "sosa@mail.com");
    principal->findChild<QAction*>(QStringLiteral("mnuMódulosDuplicados"))->trigger();
    frmDuplicados* v = ventana();
    ASSERT_NE(v, nullptr);
    auto* lista = En<QTreeWidget>(v, "lstDuplicados");
    ASSERT_EQ(lista->topLevelItemCount(), 2);
    EXPECT_EQ(S(lista->topLevelItem(0)->text(1)), "Paz, Ana (DNI 20111222)");
    EXPECT_EQ(S(lista->topLevelItem(0)->text(3)), "mismo correo electrónico");
    EXPECT_TRUE(En<QLabel>(v, "lblEstado")->text().startsWith(QStringLiteral("2 pares posibles")));

    lista->setCurrentItem(lista->topLevelItem(1));
    ASSERT_EQ(v->seleccionado(), std::pair(c, d));
    v->noSonLaMismaPersona();
    EXPECT_EQ(lista->topLevelItemCount(), 1);
    EXPECT_EQ(v->cargar(), 1);  // remembered

    // Open cards are never merged under the user's feet.
    lista->setCurrentItem(lista->topLevelItem(0));
    principal->abrir_cv(b, 0, {}, false);
    v->fusionar();
    EXPECT_TRUE(usuario.mensajes.back().texto.startsWith(QStringLiteral("Cierre primero")));
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes")), 4);
    ficha()->parentWidget()->close();
    QTest::qWait(10);

    usuario.respuestas = {Respuesta::No};  // keeps the second
    v->fusionar();
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes where id = ?"), {a}), 0);
    EXPECT_EQ(lista->topLevelItemCount(), 0);
    principal->abrir_cv(b, 0, {}, false);
    ASSERT_NE(ficha(), nullptr);
    ficha()->mostrarSección(6);
    EXPECT_TRUE(control<QLabel>("lblFusiones")
                    ->text()
                    .startsWith(QStringLiteral(
                        "Fusionado con Paz, Ana (documento 20111222 de Argentina) el ")))
        << S(control<QLabel>("lblFusiones")->text());
    // The card's history, latest first, says so too.
    auto* historial = control<QListWidget>("lstHistorial");
    ASSERT_GT(historial->count(), 0);
    EXPECT_TRUE(historial->item(0)->text().contains(QStringLiteral("fusionó: con el postulante")))
        << S(historial->item(0)->text());
}

// A document not on file under the country chosen, but on file under another, is
// offered before a new card is made.
TEST_F(DuplicadosVentanaTest, UnDocumentoConOtroPaísOfreceLaFichaQueYaEstá) {
    const int32_t a = alta("Paz", "20111222", "");
    const auto f3 = [this](const char* documento) {
        AlAparecerModal([documento](QWidget* d) {
            auto* país = En<ceDropList>(d, "cmbPaís");
            país->setCurrentIndex(país->findText(QStringLiteral("Brasil")));
            auto* t = En<ceTxtBox>(d, "txtDocumento");
            t->clear();
            Escribir(t, QString::fromUtf8(documento));
            En<QPushButton>(d, "cmdAceptar")->click();
            if (d->isVisible()) En<QPushButton>(d, "cmdCancelar")->click();
        });
        principal->findChild<QAction*>(QStringLiteral("mnuMódulosNuevaFicha"))->trigger();
    };
    principal->activateWindow();
    usuario.respuestas = {Respuesta::Cancelar};
    f3("20111222");
    ASSERT_FALSE(usuario.mensajes.empty());
    EXPECT_TRUE(usuario.mensajes.back().texto.contains(
        QStringLiteral("Posible duplicado de Paz, Ana (DNI 20111222): mismo número de documento.")))
        << S(usuario.mensajes.back().texto);
    EXPECT_TRUE(principal->área()->subWindowList().isEmpty());
    usuario.respuestas = {Respuesta::Sí};
    f3("20111222");
    ASSERT_NE(ficha(), nullptr);
    EXPECT_EQ(ficha()->postulante.id, a);
}

// A store made by an earlier version and opened only to read has no history or
// merges yet: the card and the CV page open all the same.
TEST_F(DuplicadosVentanaTest, SinHistorialEnUnaBaseAnteriorLaFichaYElCvAbrenIgual) {
    const int32_t a = alta("Paz", "20111222", "");
    dic->ejecutar(QStringLiteral("DROP TABLE candora_auditoria"));
    dic->ejecutar(QStringLiteral("DROP TABLE candora_fusiones"));
    principal->abrir_cv(a, 0, {}, false);
    ASSERT_NE(ficha(), nullptr);
    ficha()->mostrarSección(6);
    auto* historial = control<QListWidget>("lstHistorial");
    ASSERT_EQ(historial->count(), 1);
    EXPECT_EQ(S(historial->item(0)->text()), "Sin historial en esta base de datos.");
    AbrirCV(a);
    EXPECT_NE(qobject_cast<frmCVhtml*>(principal->área()->activeSubWindow()->widget()), nullptr);
}

}  // namespace

#include "Principal.h"

#include "privacy/Auditoria.h"
#include "privacy/Conservacion.h"
#include "privacy/VentanasPrivacidad.h"

#include "controls/ceTxtBox.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

namespace {

class PrivacidadVentanasTest : public FichaTest {
  protected:
    void SetUp() override {
        InstalarPrivacidad();
        FichaTest::SetUp();
    }
    void TearDown() override {
        FichaTest::TearDown();
        frmMDI::RegistrarMódulo(QStringLiteral("Conservacion"), nullptr);
    }
    // Answers the erasure's question: reads it, checks the button waits for a
    // reason, then writes `motivo` (if any) and erases, or cancels.
    void responder(QString* pregunta, QString* propuesto, const char* motivo) {
        AlAparecerModal([=](QWidget* d) {
            *pregunta = En<QLabel>(d, "lblPregunta")->text();
            auto* texto = En<QLineEdit>(d, "txtMotivo");
            *propuesto = texto->text();
            texto->clear();
            EXPECT_FALSE(En<QPushButton>(d, "cmdSuprimir")->isEnabled());
            if (!motivo) {
                En<QPushButton>(d, "cmdCancelar")->click();
                return;
            }
            texto->setText(QString::fromUtf8(motivo));
            En<QPushButton>(d, "cmdSuprimir")->click();
        });
    }
};

// From the card: the question names the person; cancelled, nothing goes; with a
// reason, the person goes and their card closes.
TEST_F(PrivacidadVentanasTest, LaFichaSuprimeTrasNombrarALaPersonaYSeCierra) {
    const int32_t id = GuardarPostulante("Quiroga", "Ana", 1, "20111222");
    principal->abrir_cv(id, 0, {}, false);
    ASSERT_NE(ficha(), nullptr);
    QString pregunta, propuesto;
    responder(&pregunta, &propuesto, nullptr);
    control<QAction>("tlbComandos_Suprimir")->trigger();
    EXPECT_TRUE(pregunta.contains(QStringLiteral("de Quiroga, Ana (DNI 20111222)"))) << S(pregunta);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes where id = ?"), {id}), 1);

    responder(&pregunta, &propuesto, "Pedido del titular");
    control<QAction>("tlbComandos_Suprimir")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes where id = ?"), {id}), 0);
    EXPECT_EQ(ficha(), nullptr);
    EXPECT_EQ(S(LeerAuditoria(*dic, {}, id).at(0).detalle), "Motivo: Pedido del titular");

    // Filed again, the new card's question says so before the card is made.
    AlAparecerModal([](QWidget* d) {
        auto* t = En<ceTxtBox>(d, "txtDocumento");
        t->clear();
        Escribir(t, QStringLiteral("20.111.222"));
        En<QPushButton>(d, "cmdAceptar")->click();
        if (d->isVisible()) En<QPushButton>(d, "cmdCancelar")->click();
    });
    usuario.respuestas = {Respuesta::No};
    principal->activateWindow();
    principal->findChild<QAction*>(QStringLiteral("mnuMódulosNuevaFicha"))->trigger();
    ASSERT_FALSE(usuario.mensajes.empty());
    EXPECT_TRUE(usuario.mensajes.back().texto.contains(
        QStringLiteral("Los datos de una persona con este documento se suprimieron el")))
        << S(usuario.mensajes.back().texto);
}

// The retention window: off until set; set, it lists those due, oldest first,
// and erases only the ones marked, with the time as the proposed reason.
TEST_F(PrivacidadVentanasTest, ConservaciónListaLosVencidosYSuprimeLosMarcados) {
    const auto cambiado = [this](const char* apellido, const char* cuándo) {
        const int32_t id = GuardarPostulante(apellido, "Ana", 1, apellido);
        dic->ejecutar(QStringLiteral("update nvx_m_postulantes set actualizado = ? where id = ?"),
                      {QString::fromLatin1(cuándo), id});
        return id;
    };
    const int32_t viejo = cambiado("11111111", "20100101000000");
    const int32_t menos = cambiado("22222222", "20150101000000");
    principal->findChild<QAction*>(QStringLiteral("mnuMódulosConservacion"))->trigger();
    auto* v = principal->findChild<frmConservacion*>();
    ASSERT_NE(v, nullptr);
    auto* lista = En<QTreeWidget>(v, "lstVencidos");
    EXPECT_FALSE(En<QCheckBox>(v, "chkConservar")->isChecked());
    EXPECT_EQ(lista->topLevelItemCount(), 0);

    En<QCheckBox>(v, "chkConservar")->setChecked(true);
    En<QSpinBox>(v, "spnAños")->setValue(3);
    En<QPushButton>(v, "cmdGuardar")->click();
    EXPECT_EQ(AñosConservación(*dic), 3);
    ASSERT_EQ(lista->topLevelItemCount(), 2);
    EXPECT_EQ(lista->topLevelItem(0)->data(0, Qt::UserRole).toInt(), viejo);
    EXPECT_EQ(S(lista->topLevelItem(0)->text(1)), "1 ene 2010 00:00");

    lista->topLevelItem(1)->setCheckState(0, Qt::Checked);
    QString pregunta, propuesto;
    responder(&pregunta, &propuesto, "Plazo vencido");
    En<QPushButton>(v, "cmdSuprimir")->click();
    EXPECT_EQ(S(propuesto), "Plazo de conservación vencido (3 años sin cambios).");
    EXPECT_TRUE(pregunta.contains(QStringLiteral("22222222")));
    ASSERT_EQ(lista->topLevelItemCount(), 1);
    EXPECT_EQ(lista->topLevelItem(0)->data(0, Qt::UserRole).toInt(), viejo);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes where id in (?, ?)"),
                {viejo, menos}),
              1);
}

}  // namespace

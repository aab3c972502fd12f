#include "Principal.h"

#include "controls/ceCombo.h"
#include "controls/ceTxtBox.h"
#include "filecard/frmABMFichas.h"
#include "pages/VentanasPaginas.h"
#include "records/Generador.h"

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

void Aceptar(QWidget* diálogo) {
    diálogo->findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
}
TEST_F(FichaTest, UnaFichaNuevaSeEscribeSeGuardaYVuelveIgual) {
    principal->abrir_cv(0, 1, QStringLiteral(" 01234567 "), true);
    frmFicha* f = ficha();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->edición);
    EXPECT_EQ(S(f->windowTitle()), "Alta sin nombre (01234567)");
    EXPECT_TRUE(f->findChild<QAction*>(QStringLiteral("tlbComandos_Guardar"))->isEnabled());
    EXPECT_FALSE(f->findChild<QAction*>(QStringLiteral("tlbComandos_Eliminar"))->isEnabled());
    EXPECT_EQ(S(control<ceTxtBox>("txtNumDoc")->text()), "01234567");

    Escribir(control<ceTxtBox>("txtApellido"), QStringLiteral("Núñez"));
    Escribir(control<ceTxtBox>("txtNombre"), QStringLiteral("Ana María"));
    EXPECT_EQ(S(f->windowTitle()), "Núñez, Ana María (01234567)");
    auto* localidad = control<ceCombo>("cmbNac_Localidad");
    localidad->setFocus();
    Escribir(localidad->lineEdit(), QStringLiteral("adro"));
    EXPECT_EQ(S(localidad->currentText()), "Adrogué");  // type-ahead
    auto* barrio = control<ceCombo>("cmbRes_barrio");
    Escribir(barrio->lineEdit(), QStringLiteral("Villa Pruebas"));  // a name not yet in the list
    control<ceDropList>("cmbNacAñoD")->setCurrentIndex(200 - 190);
    control<ceDropList>("cmbNacAñoU")->setCurrentIndex(3);  // 2003: this century too
    control<ceDropList>("cmbTelDesde_0")->setCurrentIndex(17);
    f->mostrarSección(5);
    Escribir(control<ceTxtBox>("txtEstatura"), QStringLiteral("17a5"));
    f->mostrarSección(4);
    Escribir(control<ceTxtBox>("txtRemunHora"), QStringLiteral("12,5"));

    // One entry in each list, through its dialog.
    AlAparecerModal([](QWidget* d) {
        En<ceDropList>(d, "cmbParentesco")->setCurrentIndex(1);
        Escribir(En<ceTxtBox>(d, "txtNombre"), QStringLiteral("Leo"));
        Escribir(En<ceTxtBox>(d, "txtEdad"), QStringLiteral("999"));  // past a byte: refused
        Escribir(En<ceCombo>(d, "cmbEmpresa")->lineEdit(), QStringLiteral("Empresa Nueva SRL"));
        En<QCheckBox>(d, "chkVive")->setChecked(true);
        Aceptar(d);
    });
    f->ComandoFamilia(QStringLiteral("a"));
    AlAparecerModal([](QWidget* d) {
        En<ceDropList>(d, "cmbTipo")->setCurrentIndex(0);
        Escribir(En<ceTxtBox>(d, "txtPromedio"), QStringLiteral("7,5"));
        Aceptar(d);
    });
    f->ComandoFormacion(QStringLiteral("A"));
    AlAparecerModal([](QWidget* d) {
        En<ceDropList>(d, "cmbIdioma")->setCurrentIndex(0);
        Aceptar(d);  // no level chosen: 0
    });
    f->ComandoIdiomas(QStringLiteral("a"));
    AlAparecerModal([](QWidget* d) {
        En<ceDropList>(d, "cmbPuesto")->setCurrentIndex(2);
        En<ceDropList>(d, "cmbIngreso")->setCurrentIndex(2);
        Escribir(En<ceTxtBox>(d, "txtIngreso"), QStringLiteral("1998"));
        En<QCheckBox>(d, "chkActual")->setChecked(true);
        Escribir(En<ceTxtBox>(d, "txtRemuneración"), QStringLiteral("250000,50"));
        Aceptar(d);
    });
    f->ComandoExperiencia(QStringLiteral("a"));
    AlAparecerModal([](QWidget* d) {
        En<ceDropList>(d, "cmbÁrea")->setCurrentIndex(1);
        Aceptar(d);
    });
    f->ComandoInteres(QStringLiteral("a"));
    EXPECT_TRUE(f->modificada);

    ASSERT_TRUE(f->GuardarFicha());
    EXPECT_FALSE(f->modificada);
    const int id = f->postulante.id;
    ASSERT_GT(id, 0);
    const QString guardado = VolcadoPostulante(*dic, id);
    f->parentWidget()->close();  // saved: no question
    QTest::qWait(10);
    EXPECT_TRUE(usuario.mensajes.empty());

    EXPECT_EQ(
        n(QStringLiteral(
            "select id from nvx_m_postulantes where dni_pais = 1 and dni_numero = '01234567'")),
        id);
    EXPECT_EQ(n(QStringLiteral("select nac_ano from nvx_m_postulantes where id = ?"), {id}), 2003);
    EXPECT_EQ(n(QStringLiteral("select estatura from nvx_m_postulantes where id = ?"), {id}), 175);
    EXPECT_EQ(
        S(dic->valorÚnico(QStringLiteral("select tel1_desde from nvx_m_postulantes where id = ?"),
                          {id})
              .toString()),
        "08:30");
    EXPECT_EQ(
        n(QStringLiteral("select count(*) from nvx_m_barrios where nombre = 'Villa Pruebas'")), 1);
    EXPECT_EQ(n(QStringLiteral("select edad from nvx_d_familiares where postulante = ?"), {id}),
              99);
    EXPECT_EQ(dic->valorÚnico(
                     QStringLiteral("select remun_hora from nvx_m_postulantes where id = ?"), {id})
                  .toDouble(),
              12.5);
    for (const char* t : {"nvx_d_familiares", "nvx_d_formacion", "nvx_d_idiomas",
                          "nvx_d_experiencia", "nvx_d_interes"})
        EXPECT_EQ(
            n(QStringLiteral("select count(*) from %1 where postulante = ?").arg(QLatin1String(t)),
              {id}),
            1)
            << t;

    // Reopened by its document, the card shows what was stored and changes nothing.
    principal->abrir_cv(0, 1, QStringLiteral("01234567"), false);
    f = ficha();
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(f->nueva);
    EXPECT_EQ(S(control<ceTxtBox>("txtApellido")->text()), "Núñez");
    EXPECT_EQ(S(control<ceDropList>("cmbNacAñoD")->currentText()), "200");
    for (int s = 1; s <= 6; ++s) f->mostrarSección(s);
    EXPECT_FALSE(f->modificada);
    EXPECT_EQ(control<QListWidget>("lstFamilia")->count(), 1);
    EXPECT_TRUE(
        control<QListWidget>("lstFamilia")->item(0)->text().contains(QStringLiteral(": Leo (99)")));
    EXPECT_TRUE(control<QListWidget>("lstExperiencia")
                    ->item(0)
                    ->text()
                    .endsWith(QStringLiteral("(mar 1998 – actual)")));
    EXPECT_EQ(S(VolcadoPostulante(*dic, id)), S(guardado));
    // The same applicant again: the open card comes to the front.
    principal->abrir_cv(id, 1, QStringLiteral("01234567"), false);
    EXPECT_EQ(principal->área()->subWindowList().size(), 1);
}

TEST_F(FichaTest, AbrirYCerrarSinTocarNadaNoPreguntaNiCambiaLaBase) {
    GenerarPostulantes(*dic, 5, 3, {});
    const QString antes = VolcadoPostulante(*dic, 3);
    principal->abrir_cv(3, 0, {}, false);
    frmFicha* f = ficha();
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(f->edición);
    EXPECT_FALSE(
        control<ceTxtBox>("txtApellido")->isEnabled());  // read-only until "Habilitar edición"
    const QPalette& paleta = control<ceTxtBox>("txtApellido")->palette();  // yet legible
    EXPECT_EQ(paleta.color(QPalette::Disabled, QPalette::Text),
              paleta.color(QPalette::Active, QPalette::Text));
    for (int s = 1; s <= 6; ++s) f->mostrarSección(s);
    EXPECT_FALSE(f->modificada);
    EXPECT_FALSE(f->findChild<QAction*>(QStringLiteral("tlbComandos_Guardar"))->isEnabled());
    f->parentWidget()->close();
    QTest::qWait(10);
    EXPECT_TRUE(usuario.mensajes.empty());
    EXPECT_EQ(S(VolcadoPostulante(*dic, 3)), S(antes));
}

TEST_F(FichaTest, RecorrerLaFichaCampoPorCampoNoReescribeNada) {
    GenerarPostulantes(*dic, 1, 11, {});
    const int barrio =
        dic->Nuevo_Elemento(QStringLiteral("nvx_m_barrios"), QStringLiteral("Comercial Sur S.A."));
    // Values as an import or an older version may have left them.
    dic->ejecutar(QStringLiteral("update nvx_m_postulantes set apellido = ?, nombre = ?, "
                                 "res_calle = ?, email = ?, res_barrio = ? where id = 1"),
                  {QStringLiteral("D'Agostino"), QStringLiteral(" María  José "),
                   QStringLiteral("Av. Pte. Perón 1.234, 2º \"B\""),
                   QStringLiteral("m.d'agostino@correo.com.ar"), barrio});
    const QString antes = VolcadoPostulante(*dic, 1);
    principal->abrir_cv(1, 0, {}, false);
    frmFicha* f = ficha();
    ASSERT_NE(f, nullptr);
    f->setEdición(true);
    QApplication::setActiveWindow(principal.get());
    for (int s = 1; s <= 6; ++s) {
        f->mostrarSección(s);
        for (QWidget* w : control<QWidget>(QStringLiteral("picFichas_%1").arg(s - 1).toUtf8())
                              ->findChildren<QWidget*>())
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                w->setFocus();
                break;
            }
        for (int i = 0; i < 40 && QApplication::focusWidget(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(S(control<ceTxtBox>("txtApellido")->text()), "D'Agostino");
    EXPECT_FALSE(f->modificada);
    f->parentWidget()->close();
    QTest::qWait(10);
    EXPECT_TRUE(usuario.mensajes.empty());
    EXPECT_EQ(S(VolcadoPostulante(*dic, 1)), S(antes));
}

TEST_F(FichaTest, UnaFichaNuevaGuardaLosValoresQueMuestraAunEnPáginasNoVistas) {
    dic->ejecutar(QStringLiteral("update nvx_m_monedas set predeterminado = (id = 2)"));
    principal->abrir_cv(0, 1, QStringLiteral("777"), true);
    frmFicha* f = ficha();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(S(control<ceDropList>("cmbNac_País")->currentText()), "Argentina");
    Escribir(control<ceTxtBox>("txtApellido"), QStringLiteral("Paz"));
    Escribir(control<ceTxtBox>("txtNombre"), QStringLiteral("Ana"));
    ASSERT_TRUE(f->GuardarFicha());
    const QVariantList id{f->postulante.id};
    EXPECT_EQ(S(dic->valorÚnico(QStringLiteral("select nac_pais || '/' || nacionalidad || '/' || "
                                               "res_pais || '/' || moneda_mes || '/' || "
                                               "moneda_hora from nvx_m_postulantes where id = ?"),
                                id)
                    .toString()),
              "1/1/1/2/2");
    f->mostrarSección(4);  // shown as stored
    EXPECT_EQ(control<ceDropList>("cmbMonedaMes")
                  ->ItemData(control<ceDropList>("cmbMonedaMes")->ListIndex()),
              2);
}

TEST_F(FichaTest, UnaFechaQueNoExisteSeCorrigeAntesDeGuardar) {
    principal->abrir_cv(0, 1, QStringLiteral("888"), true);
    frmFicha* f = ficha();
    ASSERT_NE(f, nullptr);
    Escribir(control<ceTxtBox>("txtApellido"), QStringLiteral("Paz"));
    Escribir(control<ceTxtBox>("txtNombre"), QStringLiteral("Ana"));
    control<ceDropList>("cmbNacDía")->setCurrentIndex(30);  // 31
    control<ceDropList>("cmbNacMes")->setCurrentIndex(1);   // February
    EXPECT_FALSE(f->GuardarFicha());
    EXPECT_EQ(S(usuario.mensajes.back().texto),
              "La fecha de nacimiento 31/2/0 no existe. Corrija el día o el mes.");
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes")), 0);

    // A year outside the years a person lives in is refused where it is typed.
    AlAparecerModal([](QWidget* d) {
        En<ceDropList>(d, "cmbPuesto")->setCurrentIndex(0);
        Escribir(En<ceTxtBox>(d, "txtIngreso"), QStringLiteral("3000"));
        Aceptar(d);
        EXPECT_TRUE(d->isVisible());
        En<ceTxtBox>(d, "txtIngreso")->clear();
        Escribir(En<ceTxtBox>(d, "txtIngreso"), QStringLiteral("1998"));
        Aceptar(d);
    });
    f->ComandoExperiencia(QStringLiteral("a"));
    EXPECT_TRUE(usuario.mensajes.back().texto.startsWith(
        QStringLiteral("El año de ingreso debe ser un año entre 1900 y 2100")));
    control<ceDropList>("cmbNacDía")->setCurrentIndex(28);  // 29/2 of a year not given
    ASSERT_TRUE(f->GuardarFicha());
    EXPECT_EQ(n(QStringLiteral("select ingreso_ano from nvx_d_experiencia")), 1998);
}

// A new card that may be someone on file says so before it is saved: the user may
// open that card, save anyway or go on editing.
TEST_F(FichaTest, UnaFichaNuevaParecidaAOtraLoAvisaAntesDeGuardar) {
    const int32_t josé = GuardarPostulante("Pérez", "José", 1, "20111222", [](cPostulante& p) {
        p.Nac_Día = 3;
        p.Nac_Mes = 7;
        p.nac_año = 1990;
    });
    principal->abrir_cv(0, 2, QStringLiteral("X123456"), true);
    frmFicha* f = ficha();
    ASSERT_NE(f, nullptr);
    Escribir(control<ceTxtBox>("txtApellido"), QStringLiteral("PEREZ"));
    Escribir(control<ceTxtBox>("txtNombre"), QStringLiteral("jose"));
    control<ceDropList>("cmbNacDía")->setCurrentIndex(2);
    control<ceDropList>("cmbNacMes")->setCurrentIndex(6);
    control<ceDropList>("cmbNacAñoD")->setCurrentIndex(199 - 190);
    control<ceDropList>("cmbNacAñoU")->setCurrentIndex(0);

    usuario.respuestas = {Respuesta::Cancelar};
    EXPECT_FALSE(f->GuardarFicha());
    EXPECT_EQ(S(usuario.mensajes.back().texto.section(u'\n', 0, 0)),
              "Posible duplicado de Pérez, José (DNI 20111222): mismo nombre y fecha de "
              "nacimiento.");
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes")), 1);
    usuario.respuestas = {Respuesta::Sí};  // open that card instead
    EXPECT_FALSE(f->GuardarFicha());
    ASSERT_NE(ficha(), nullptr);
    EXPECT_EQ(ficha()->postulante.id, josé);
    EXPECT_EQ(principal->área()->subWindowList().size(), 2);  // the new one stays, unsaved
    usuario.respuestas = {Respuesta::No};                     // another person after all
    EXPECT_TRUE(f->GuardarFicha());
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes")), 2);
}

TEST_F(FichaTest, LaPreguntaAlCerrarYLaMarcaDeDisponible) {
    GenerarPostulantes(*dic, 2, 5, {});
    dic->ejecutar(QStringLiteral("update nvx_m_postulantes set activo = 1"));
    principal->abrir_cv(1, 0, {}, false);
    frmFicha* f = ficha();
    ASSERT_NE(f, nullptr);
    f->findChild<QAction*>(QStringLiteral("tlbComandos_Editar"))->trigger();
    ASSERT_TRUE(f->edición);
    f->mostrarSección(6);
    auto* disponible = control<QCheckBox>("chkDisponible");
    ASSERT_TRUE(disponible->isChecked());
    usuario.respuestas = {Respuesta::No};
    disponible->click();
    EXPECT_TRUE(disponible->isChecked());
    EXPECT_FALSE(f->modificada);
    EXPECT_EQ(usuario.mensajes.back().predeterminada, Respuesta::No);

    f->mostrarSección(1);
    auto* apellido = control<ceTxtBox>("txtApellido");
    apellido->selectAll();
    Escribir(apellido, QStringLiteral("   "));
    EXPECT_TRUE(f->modificada);
    // A surname of blanks is no surname.
    usuario.respuestas = {Respuesta::Sí};
    f->parentWidget()->close();
    ASSERT_GE(usuario.mensajes.size(), 3u);
    EXPECT_EQ(S(usuario.mensajes.back().título), "Falta el apellido");
    EXPECT_EQ(principal->área()->subWindowList().size(), 1);  // still open

    usuario.respuestas = {Respuesta::Cancelar};
    f->parentWidget()->close();
    EXPECT_EQ(principal->área()->subWindowList().size(), 1);
    usuario.respuestas = {Respuesta::No};
    f->parentWidget()->close();
    QTest::qWait(10);
    EXPECT_TRUE(principal->área()->subWindowList().isEmpty());
    EXPECT_FALSE(
        dic->valorÚnico(QStringLiteral("select apellido from nvx_m_postulantes where id = 1"))
            .toString()
            .trimmed()
            .isEmpty());
}

TEST_F(FichaTest, UnGuardadoFallidoConservaLoEscritoYBorrarPregunta) {
    GenerarPostulantes(*dic, 2, 7, {});
    principal->abrir_cv(2, 0, {}, false);
    frmFicha* f = ficha();
    ASSERT_NE(f, nullptr);
    f->setEdición(true);
    auto* apellido = control<ceTxtBox>("txtApellido");
    apellido->selectAll();
    Escribir(apellido, QStringLiteral("Cambiado"));
    dic->ejecutar(
        QStringLiteral("create trigger falla before update on nvx_m_postulantes "
                       "begin select raise(abort, 'disco lleno'); end"));
    EXPECT_FALSE(f->GuardarFicha());
    EXPECT_TRUE(f->modificada);
    EXPECT_EQ(S(apellido->text()), "Cambiado");
    ASSERT_FALSE(usuario.mensajes.empty());
    // The action in words, the store's reason below, the statement only in the details.
    EXPECT_EQ(S(usuario.mensajes.back().texto), "No se pudo guardar la ficha.\n\ndisco lleno");
    EXPECT_TRUE(usuario.mensajes.back().detalles.startsWith(
        QStringLiteral("Instrucción: UPDATE nvx_m_postulantes SET")));
    EXPECT_NE(
        S(dic->valorÚnico(QStringLiteral("select apellido from nvx_m_postulantes where id = 2"))
              .toString()),
        "Cambiado");
    dic->ejecutar(QStringLiteral("drop trigger falla"));
    EXPECT_FALSE(usuario.estados.contains(QStringLiteral("Ficha guardada.")));
    EXPECT_TRUE(f->GuardarFicha());
    ASSERT_FALSE(usuario.estados.empty());
    EXPECT_EQ(S(usuario.estados.back()), "Ficha guardada.");

    usuario.respuestas = {Respuesta::No};
    f->findChild<QAction*>(QStringLiteral("tlbComandos_Eliminar"))->trigger();
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes where id = 2")), 1);
    EXPECT_TRUE(usuario.mensajes.back().texto.startsWith(
        QStringLiteral("¿Seguro que desea eliminar el CV de Cambiado ")));
    EXPECT_EQ(usuario.mensajes.back().predeterminada, Respuesta::No);
    usuario.respuestas = {Respuesta::Sí};
    f->findChild<QAction*>(QStringLiteral("tlbComandos_Eliminar"))->trigger();
    QTest::qWait(10);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes where id = 2")), 0);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_d_experiencia where postulante = 2")), 0);
    EXPECT_TRUE(principal->área()->subWindowList().isEmpty());
}

TEST_F(FichaTest, CadaFichaLlevaElNombreDelPostulanteYGuardadaSeComportaIgual) {
    GenerarPostulantes(*dic, 1, 21, {});
    dic->ejecutar(
        QStringLiteral("update nvx_m_postulantes set apellido = 'Paz', nombre = 'Eva', "
                       "dni_pais = 1, dni_numero = '111' where id = 1"));
    const auto abierta = [&](const char* documento) -> frmFicha* {
        for (QMdiSubWindow* sub : principal->área()->subWindowList())
            if (auto* f = qobject_cast<frmFicha*>(sub->widget());
                f && f->postulante.Dni_Número.texto() == QLatin1String(documento))
                return f;
        return nullptr;
    };
    // "Modificar datos" on the CV page opens the card ready to edit.
    AbrirCV(1);
    ASSERT_EQ(principal->área()->subWindowList().size(), 1);
    principal->área()
        ->subWindowList()
        .first()
        ->widget()
        ->findChild<QAction*>(QStringLiteral("asxToolbar1_abrir"))
        ->trigger();
    QTest::qWait(10);
    frmFicha* existente = abierta("111");
    ASSERT_NE(existente, nullptr);
    EXPECT_TRUE(existente->edición);
    EXPECT_TRUE(existente->findChild<ceTxtBox*>(QStringLiteral("txtApellido"))->isEnabled());
    EXPECT_EQ(S(existente->windowTitle()), "Paz, Eva (111)");

    principal->abrir_cv(0, 1, QStringLiteral("222"), true);
    frmFicha* nueva = abierta("222");
    ASSERT_NE(nueva, nullptr);
    Escribir(nueva->findChild<ceTxtBox*>(QStringLiteral("txtApellido")), QStringLiteral("Paz"));
    Escribir(nueva->findChild<ceTxtBox*>(QStringLiteral("txtNombre")), QStringLiteral("Ana"));
    auto* ventana = principal->findChild<QMenu*>(QStringLiteral("mnuVentana"));
    Q_EMIT ventana->aboutToShow();
    QStringList entradas;
    for (QAction* a : ventana->actions())
        if (a->property("ventana").isValid()) entradas << a->text();
    EXPECT_EQ(S(entradas.join(u'|')), "&1 Paz, Eva (111)|&2 Paz, Ana (222)");

    Escribir(existente->findChild<ceTxtBox*>(QStringLiteral("txtNombre")), QStringLiteral(" Sol"));
    ASSERT_TRUE(existente->GuardarFicha());
    ASSERT_TRUE(nueva->GuardarFicha());
    EXPECT_EQ(S(existente->windowTitle()), "Paz, Eva Sol (111)");
    EXPECT_EQ(S(nueva->windowTitle()), "Paz, Ana (222)");
    // Saved, a new card is like any other: still editing, Guardar off, Eliminar and Editar on.
    for (frmFicha* f : {existente, nueva}) {
        EXPECT_TRUE(f->edición);
        EXPECT_FALSE(f->findChild<QAction*>(QStringLiteral("tlbComandos_Guardar"))->isEnabled());
        EXPECT_TRUE(f->findChild<QAction*>(QStringLiteral("tlbComandos_Eliminar"))->isEnabled());
        QAction* editar = f->findChild<QAction*>(QStringLiteral("tlbComandos_Editar"));
        EXPECT_TRUE(editar->isEnabled() && editar->isChecked());
    }
    // The age shown stays what it was: the new card has no birth date.
    EXPECT_EQ(S(nueva->findChild<ceTxtBox*>(QStringLiteral("txtEdad"))->text()), "sin datos");
    EXPECT_TRUE(
        existente->findChild<ceTxtBox*>(QStringLiteral("txtEdad"))->text().endsWith(u"años"));
}

TEST_F(FichaTest, LosDiálogosNoAgreganUnaEntradaSinLoQueLaNombra) {
    principal->abrir_cv(0, 1, QStringLiteral("556"), true);
    frmFicha* f = ficha();
    ASSERT_NE(f, nullptr);
    f->mostrarSección(2);
    // The language dialog opens in Idioma and refuses an entry without one.
    AlAparecerModal([this](QWidget* d) {
        auto* idioma = En<ceDropList>(d, "cmbIdioma");
        EXPECT_EQ(d->focusWidget(), idioma);
        En<ceDropList>(d, "cmbHabla")->setCurrentIndex(1);
        En<ceDropList>(d, "cmbLee")->setFocus();
        Aceptar(d);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->focusWidget(), idioma);
        ASSERT_EQ(usuario.mensajes.size(), 1u);
        EXPECT_EQ(S(usuario.mensajes.back().texto), "Debe elegir el idioma.");
        EXPECT_EQ(S(usuario.mensajes.back().título), "Falta el idioma");
        En<QPushButton>(d, "cmdCancelar")->click();
    });
    f->ComandoIdiomas(QStringLiteral("a"));
    EXPECT_EQ(control<QListWidget>("lstIdiomas")->count(), 0);
    EXPECT_EQ(f->postulante.idiomas.Count(), 0);

    // Levels of education and their states come in their own order, not alphabetically.
    AlAparecerModal([](QWidget* d) {
        auto nombres = [d](const char* lista) {
            auto* c = En<ceDropList>(d, lista);
            QStringList n;
            for (int i = 0; i < c->count(); ++i) n << c->itemText(i);
            return S(n.join(u','));
        };
        EXPECT_EQ(nombres("cmbTipo"),
                  "Primario,Secundario,Terciario,Universitario,Posgrado,Maestría,Doctorado,Curso");
        EXPECT_EQ(nombres("cmbEstado"), "Completo,En curso,Incompleto,Abandonado");
        En<QPushButton>(d, "cmdCancelar")->click();
    });
    f->ComandoFormacion(QStringLiteral("a"));

    // A relative needs the relationship; once chosen, the entry is added.
    AlAparecerModal([this](QWidget* d) {
        Escribir(En<ceTxtBox>(d, "txtNombre"), QStringLiteral("Leo"));
        Aceptar(d);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(S(usuario.mensajes.back().texto), "Debe elegir el parentesco.");
        EXPECT_EQ(d->focusWidget(), En<ceDropList>(d, "cmbParentesco"));
        En<ceDropList>(d, "cmbParentesco")->setCurrentIndex(1);
        Aceptar(d);
    });
    f->ComandoFamilia(QStringLiteral("a"));
    EXPECT_EQ(f->postulante.familiares.Count(), 1);
}

TEST_F(FichaTest, ModificarUnFamiliarLoPasaAlFinalYQuitarPregunta) {
    principal->abrir_cv(0, 1, QStringLiteral("555"), true);
    frmFicha* f = ficha();
    for (const char* nombre : {"Uno", "Dos", "Tres"}) {
        AlAparecerModal([nombre](QWidget* d) {
            En<ceDropList>(d, "cmbParentesco")->setCurrentIndex(2);
            Escribir(En<ceTxtBox>(d, "txtNombre"), QString::fromUtf8(nombre));
            Aceptar(d);
        });
        f->ComandoFamilia(QStringLiteral("a"));
    }
    auto* lista = control<QListWidget>("lstFamilia");
    lista->setCurrentRow(0);
    AlAparecerModal([](QWidget* d) {
        EXPECT_EQ(S(d->windowTitle()), "Modificar");
        EXPECT_EQ(S(En<ceTxtBox>(d, "txtNombre")->text()), "Uno");
        Aceptar(d);
    });
    f->ComandoFamilia(QStringLiteral("m"));
    ASSERT_EQ(lista->count(), 3);
    EXPECT_TRUE(lista->item(2)->text().contains(QStringLiteral("Uno")));
    EXPECT_EQ(S(f->postulante.familiares.Item(3).Nombre), "Uno");
    EXPECT_TRUE(lista->item(0)->text().endsWith(QStringLiteral(" - fallecido")));

    lista->setCurrentRow(0);
    usuario.respuestas = {Respuesta::No, Respuesta::Sí};
    f->ComandoFamilia(QStringLiteral("q"));
    EXPECT_EQ(lista->count(), 3);
    EXPECT_EQ(S(usuario.mensajes.back().título), "Borrar familiar");
    f->ComandoFamilia(QStringLiteral("q"));
    EXPECT_EQ(lista->count(), 2);
    EXPECT_EQ(f->postulante.familiares.Count(), 2);
    EXPECT_EQ(S(f->postulante.familiares.Item(1).Nombre), "Tres");
}

TEST_F(FichaTest, UnGuardadoRechazadoPorOtroCambioOfreceRecargarSobrescribirOSeguir) {
    GenerarPostulantes(*dic, 1, 13, {});
    principal->abrir_cv(1, 0, {}, false);
    frmFicha* f = ficha();
    ASSERT_NE(f, nullptr);
    f->setEdición(true);
    auto* apellido = control<ceTxtBox>("txtApellido");
    const auto otroPuesto = [&](const char* valor) {
        cPostulante otro;
        otro.id = 1;
        otro.cargar();
        otro.Apellido = QString::fromUtf8(valor);
        ASSERT_TRUE(otro.guardar());
    };
    const auto escribir = [&](const char* valor) {
        apellido->selectAll();
        Escribir(apellido, QString::fromUtf8(valor));
    };
    const auto guardado = [&] {
        return S(
            dic->valorÚnico(QStringLiteral("select apellido from nvx_m_postulantes where id = 1"))
                .toString());
    };

    escribir("Mío");
    otroPuesto("Suyo");
    usuario.respuestas = {Respuesta::Sí};  // Recargar
    EXPECT_FALSE(f->GuardarFicha());
    EXPECT_EQ(S(usuario.mensajes.back().rótulos.join(u'|')),
              "&Recargar|&Sobrescribir|Seguir &editando");
    EXPECT_EQ(S(apellido->text()), "Suyo");
    EXPECT_FALSE(f->modificada);

    escribir("Mío otra vez");
    otroPuesto("Suyo otra vez");
    usuario.respuestas = {Respuesta::Cancelar};  // Seguir editando
    EXPECT_FALSE(f->GuardarFicha());
    EXPECT_TRUE(f->modificada);
    EXPECT_EQ(guardado(), "Suyo otra vez");
    usuario.respuestas = {Respuesta::No};  // Sobrescribir
    EXPECT_TRUE(f->GuardarFicha());
    EXPECT_EQ(guardado(), "Mío otra vez");
    EXPECT_FALSE(f->modificada);
}

TEST_F(FichaTest, ElMenúDeLasListasSaleConElBotónDerechoOLaTeclaDeMenúSóloAlEditar) {
    GenerarPostulantes(*dic, 1, 4, {});
    principal->abrir_cv(1, 0, {}, false);
    frmFicha* f = ficha();
    ASSERT_NE(f, nullptr);
    f->mostrarSección(2);
    auto* lista = control<QListWidget>("lstIdiomas");
    QMenu* menú = principal->menúComandos();
    const auto pedir = [&](QContextMenuEvent::Reason r) {
        QContextMenuEvent e(r, QPoint(5, 5), lista->viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(lista->viewport(), &e);
    };
    pedir(QContextMenuEvent::Mouse);
    EXPECT_FALSE(menú->isVisible());  // not while reading
    f->setEdición(true);
    pedir(QContextMenuEvent::Mouse);
    EXPECT_TRUE(menú->isVisible());
    EXPECT_EQ(S(menú->property("Tag").toString()), "Idiomas");
    menú->hide();
    pedir(QContextMenuEvent::Keyboard);
    EXPECT_TRUE(menú->isVisible());
    menú->hide();
}

TEST_F(FichaTest, SalirConUnaFichaModificadaPreguntaPorEllaAntes) {
    principal->abrir_cv(0, 1, QStringLiteral("4040"), true);
    Escribir(control<ceTxtBox>("txtApellido"), QStringLiteral("Sin Guardar"));
    ASSERT_TRUE(ficha()->modificada);
    usuario.respuestas = {Respuesta::Sí, Respuesta::Cancelar};  // leave, then keep the card
    EXPECT_FALSE(principal->ConfirmarSalida());
    EXPECT_EQ(S(usuario.mensajes.back().título), "Guardar");
    EXPECT_EQ(principal->área()->subWindowList().size(), 1);
    EXPECT_EQ(S(control<ceTxtBox>("txtApellido")->text()), "Sin Guardar");
}

TEST_F(FichaTest, ElDocumentoSeBuscaComoTexto) {
    GenerarPostulantes(*dic, 1, 9, {});
    dic->ejecutar(QStringLiteral(
        "update nvx_m_postulantes set dni_pais = 1, dni_numero = '00777' where id = 1"));
    frmMDI& m = *principal;
    m.activateWindow();
    const auto abm = [&](const QString& doc, std::function<void()> luego) {
        AlAparecerModal([doc, luego](QWidget* d) {
            auto* t = En<ceTxtBox>(d, "txtDocumento");
            t->clear();
            Escribir(t, doc);
            Aceptar(d);
            luego();
            if (d->isVisible()) En<QPushButton>(d, "cmdCancelar")->click();
        });
        m.findChild<QAction*>(QStringLiteral("mnuMódulosNuevaFicha"))->trigger();
    };
    abm(QStringLiteral("ab.c"), [] {});
    EXPECT_EQ(S(usuario.mensajes.back().texto), "Debe escribir un documento de identidad.");
    EXPECT_TRUE(m.área()->subWindowList().isEmpty());

    abm(QStringLiteral(" 00777 "), [] {});  // found as typed, leading zeros and all
    ASSERT_EQ(m.área()->subWindowList().size(), 1);
    EXPECT_EQ(ficha()->postulante.id, 1);

    // A new card not saved yet comes to the front instead of a second new card.
    m.abrir_cv(0, 1, QStringLiteral("4321"), true);
    const qsizetype abiertas = m.área()->subWindowList().size();
    const size_t preguntas = usuario.mensajes.size();
    m.área()->setActiveSubWindow(m.área()->subWindowList().first());
    abm(QStringLiteral("4321"), [] {});
    EXPECT_EQ(m.área()->subWindowList().size(), abiertas);
    EXPECT_EQ(usuario.mensajes.size(), preguntas);  // not asked whether to create it
    EXPECT_EQ(S(ficha()->postulante.Dni_Número.texto()), "4321");

    usuario.respuestas = {Respuesta::No};
    abm(QStringLiteral("777"), [] {});  // not the same document
    EXPECT_TRUE(usuario.mensajes.back().texto.startsWith(
        QStringLiteral("No existe una ficha con documento 777 ")));
    EXPECT_EQ(m.área()->subWindowList().size(), abiertas);
}

}  // namespace

#include "Apoyo.h"
#include "ApoyoVentanas.h"

#include "pages/VentanasPaginas.h"
#include "records/Generador.h"
#include "shell/Arranque.h"
#include "shell/InstanciaUnica.h"
#include "shell/Posiciones.h"
#include "shell/Ventanas.h"
#include "shell/frmMDI.h"
#include "store/Archivos.h"
#include "store/BaseEntregada.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLockFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A child window that records popup commands and may refuse to close.
class Hija : public QWidget {
    Q_OBJECT
  public:
    QStringList comandos;
    bool negarse = false;
  public slots:
    void ComandoFamilia(const QString& l) { comandos << QStringLiteral("Familia:") + l; }
    void ComandoFormacion(const QString& l) { comandos << QStringLiteral("Formación:") + l; }

  protected:
    void closeEvent(QCloseEvent* e) override {
        if (negarse)
            e->ignore();
        else
            e->accept();
    }
};

class VentanasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().clear();
        ruta = CopiaBaseEntregada(carpeta);
        ConfiguraciónDatos c;
        c.Proveedor = QString::fromLatin1(kProveedorJet);
        c.OrigenLocal = ruta;
        c.guardar();
        QSettings().setValue(QStringLiteral("Opciones/AyudaRápidaVer"), QStringLiteral("0"));
    }
    void TearDown() override {
        delete VentanaPrincipal();
        frmMDI::fábricaFicha = nullptr;
        dic.reset();
        QSettings().clear();
    }
    QAction* acción(frmMDI& m, const char* nombre) {
        return m.findChild<QAction*>(QString::fromUtf8(nombre));
    }

    QTemporaryDir carpeta;
    QString ruta;
    InteraccionGuionada usuario;
};

TEST_F(VentanasTest, ArrancaAbreLaBaseYRespetaElInterruptorDeOpciones) {
    ASSERT_EQ(Arrancar({QStringLiteral("/opciones"), QStringLiteral("x")}), -1);  // not the switch
    ASSERT_NE(VentanaPrincipal(), nullptr);
    EXPECT_TRUE(dic != nullptr);
    EXPECT_EQ(S(UsuarioActual), S(NombreDeSesión()));
    auto* usuarioEnBarra = VentanaPrincipal()->findChild<QWidget*>(QStringLiteral("stbEstado_2"));
    EXPECT_EQ(S(usuarioEnBarra->property("text").toString()), S(NombreDeSesión().toUpper()));
    EXPECT_TRUE(usuario.mensajes.empty());
    delete VentanaPrincipal();
    dic.reset();

    // The options window alone: no main window behind it, no quick help before it.
    QSettings().setValue(QStringLiteral("Opciones/AyudaRápidaVer"), QStringLiteral("1"));
    QStringList vistas;
    bool conPrincipal = false;
    std::function<void(QWidget*)> cerrar = [&](QWidget* w) {
        vistas << w->objectName();
        conPrincipal = conPrincipal || VentanaPrincipal() != nullptr;
        w->close();
        if (w->objectName() != QStringLiteral("frmOpciones")) AlAparecerModal(cerrar);
    };
    AlAparecerModal(cerrar);
    EXPECT_EQ(Arrancar({QStringLiteral("/Opciones")}), 0);
    EXPECT_EQ(vistas, QStringList{QStringLiteral("frmOpciones")});
    EXPECT_FALSE(conPrincipal);
    EXPECT_EQ(VentanaPrincipal(), nullptr);
    QSettings().setValue(QStringLiteral("Opciones/AyudaRápidaVer"), QStringLiteral("0"));
    EXPECT_TRUE(dic == nullptr);  // the store is never opened

    // A store that cannot be opened ends start-up with one message naming the step.
    QSettings().setValue(QStringLiteral("Datos/Proveedor"), QStringLiteral("Oracle"));
    EXPECT_EQ(Arrancar({}), 1);
    ASSERT_EQ(usuario.mensajes.size(), 1u);
    EXPECT_EQ(usuario.mensajes.back().icono, Icono::Crítico);
    EXPECT_TRUE(usuario.mensajes.back().texto.contains(QStringLiteral("Oracle")))
        << S(usuario.mensajes.back().texto);
    EXPECT_EQ(VentanaPrincipal(), nullptr);
}

TEST_F(VentanasTest, LaAyudaRápidaSeMuestraAlArrancarHastaQueSeLaAnula) {
    QSettings().remove(QStringLiteral("Opciones/AyudaRápidaVer"));
    bool vista = false;
    AlAparecerModal([&](QWidget* m) {
        vista = m->objectName() == QStringLiteral("frmAyudaRápida");
        m->findChild<QCheckBox*>(QStringLiteral("chkAnular"))->setChecked(true);
        m->findChild<QPushButton*>(QStringLiteral("cmdCerrar"))->click();
    });
    ASSERT_EQ(Arrancar({}), -1);
    EXPECT_TRUE(vista);
    EXPECT_EQ(S(QSettings().value(QStringLiteral("Opciones/AyudaRápidaVer")).toString()), "0");

    // F1 still shows it; closing with the button, unticked, turns it back on.
    frmMDI& m = *VentanaPrincipal();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    vista = false;
    AlAparecerModal([&](QWidget* w) {
        vista = w->objectName() == QStringLiteral("frmAyudaRápida");
        w->findChild<QPushButton*>(QStringLiteral("cmdCerrar"))->click();
    });
    QTest::keyClick(&m, Qt::Key_F1);
    EXPECT_TRUE(vista);
    EXPECT_EQ(S(QSettings().value(QStringLiteral("Opciones/AyudaRápidaVer")).toString()), "1");

    // A configured page that does not exist: nothing shown at all.
    QSettings().setValue(QStringLiteral("Opciones/AyudaRápidaArchivo"),
                         carpeta.filePath(QStringLiteral("no.htm")));
    EXPECT_TRUE(frmAyudaRapida::Página().isEmpty());
}

TEST_F(VentanasTest, AcercaDeNombraLaBaseEnUso) {
    ASSERT_EQ(Arrancar({}), -1);
    QString base;
    bool comenzar = true;
    AlAparecerModal([&](QWidget* w) {
        EXPECT_EQ(S(w->objectName()), "frmAcercaDe");
        if (auto* l = w->findChild<QLabel*>(QStringLiteral("lblBase"))) base = l->text();
        comenzar = w->findChild<QWidget*>(QStringLiteral("cmdComenzar")) != nullptr;
        w->close();
    });
    acción(*VentanaPrincipal(), "mnuAcercaDe")->trigger();
    EXPECT_TRUE(base.contains(QStringLiteral("SQLite"))) << S(base);
    EXPECT_TRUE(base.contains(ruta)) << S(base);
    EXPECT_FALSE(comenzar);
}

// What the program suggests as a file name is one every disk takes, whatever
// the search or applicant it comes from.
TEST_F(VentanasTest, LosNombresDeArchivoSugeridosSonVálidos) {
    EXPECT_EQ(S(NombreArchivoSeguro(QStringLiteral("Ventas > 30 años / inglés: \"urgente\"?"))),
              "Ventas _ 30 años _ inglés_ _urgente_");
    EXPECT_EQ(S(NombreArchivoSeguro(QStringLiteral(" ..nul "))), "nul_");
    EXPECT_EQ(S(NombreArchivoSeguro(QStringLiteral(" . "), QStringLiteral("curriculum"))),
              "curriculum");
    EXPECT_EQ(NombreArchivoSeguro(QString(300, u'a')).size(), 120);

    dic = std::make_unique<Diccionario>();
    dic->abrirArchivo(ruta, false);
    frmCVhtml cv;
    cv.postulante.Apellido = QStringLiteral("Pérez/Gómez");
    cv.postulante.Nombre = QStringLiteral("Ana <Ani>");
    cv.exportar();  // cancelled
    ASSERT_EQ(usuario.diálogos.size(), 1u);
    EXPECT_EQ(S(usuario.diálogos.back().ruta), "Pérez_Gómez Ana _Ani_.htm");
}

TEST_F(VentanasTest, MenúsTeclasYBarraAbrenLoQueCorresponde) {
    int búsquedas = 0;
    frmMDI::RegistrarMódulo(QStringLiteral("Búsqueda"), [&](frmMDI&) { ++búsquedas; });
    frmMDI m;
    m.show();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    for (const char* n : {"mnusistema", "mnuMódulos", "mnuVentana", "mnuAyuda"})
        EXPECT_NE(m.findChild<QMenu*>(QString::fromUtf8(n)), nullptr) << n;
    EXPECT_EQ(S(acción(m, "tlbBotones_Búsqueda")->text()), "F2-Búsquedas");
    EXPECT_EQ(S(acción(m, "mnuRespaldo")->text()), "Copia de &Respaldo");
    EXPECT_FALSE(acción(m, "tlbBotones_agenda")->isVisible());

    QTest::keyClick(&m, Qt::Key_F2);
    acción(m, "tlbBotones_Búsqueda")->trigger();
    EXPECT_EQ(búsquedas, 2);
    // Commands whose windows are not installed are there but disabled.
    EXPECT_FALSE(acción(m, "mnuImportar")->isEnabled());
    EXPECT_FALSE(acción(m, "tlbBotones_Importar")->isEnabled());

    acción(m, "mnuSistemaOpciones")->trigger();
    ASSERT_EQ(usuario.mensajes.size(), 1u);
    EXPECT_EQ(S(usuario.mensajes[0].texto),
              "Este comando está reservado para el soporte técnico de Candora.");
    frmMDI::RegistrarMódulo(QStringLiteral("Búsqueda"), nullptr);
}

TEST_F(VentanasTest, SalirPreguntaYCadaVentanaHijaPuedeNegarse) {
    auto* m = new frmMDI;
    m->setAttribute(Qt::WA_DeleteOnClose);
    m->show();
    auto* hija = new Hija;
    hija->negarse = true;
    m->agregarVentana(hija);

    usuario.respuestas = {Respuesta::No};
    EXPECT_FALSE(m->ConfirmarSalida());
    ASSERT_EQ(usuario.mensajes.size(), 1u);
    const Mensaje& pregunta = usuario.mensajes[0];
    EXPECT_EQ(S(pregunta.texto), "¿Salir del programa?");
    EXPECT_EQ(S(pregunta.título), "Salir");
    EXPECT_EQ(pregunta.botones, Botones::SíNo);
    EXPECT_EQ(pregunta.icono, Icono::Pregunta);

    usuario.respuestas = {Respuesta::Sí};
    EXPECT_FALSE(m->ConfirmarSalida());  // the child said no
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(m->área()->subWindowList().size(), 1);

    hija->negarse = false;
    m->move(40, 30);
    usuario.respuestas = {Respuesta::Sí};
    EXPECT_TRUE(m->ConfirmarSalida());
    EXPECT_FALSE(m->isVisible());
    QSettings s;
    EXPECT_EQ(S(s.value(QStringLiteral("frmMDI/Left")).toString()), "600");  // 40 px in twips
    EXPECT_EQ(S(s.value(QStringLiteral("frmMDI/Top")).toString()), "450");
}

TEST_F(VentanasTest, LasPosicionesSeGuardanEnTwipsYVuelvenALaPantalla) {
    QWidget w;
    w.setObjectName(QStringLiteral("frmPrueba"));
    w.resize(300, 200);
    const QRect pantalla = QGuiApplication::primaryScreen()->availableGeometry();
    RestaurarPosición(w);
    EXPECT_EQ(w.pos(), QPoint(pantalla.x() + (pantalla.width() - w.frameGeometry().width()) / 2,
                              pantalla.y() + (pantalla.height() - w.frameGeometry().height()) / 2));
    const QPoint centrado = w.pos();

    w.move(120, 90);
    GuardarPosición(w);
    w.move(0, 0);
    RestaurarPosición(w);
    EXPECT_EQ(w.pos(), QPoint(120, 90));

    QSettings().setValue(QStringLiteral("frmPrueba/Left"), QStringLiteral("9999999"));
    RestaurarPosición(w);
    EXPECT_EQ(w.pos(), centrado);  // off every screen: brought back
    QSettings().setValue(QStringLiteral("frmPrueba/Left"), QStringLiteral("no es un número"));
    RestaurarPosición(w);
    EXPECT_EQ(w.pos(), QPoint(0, 90));
}

TEST_F(VentanasTest, LasHijasAbrenDentroDelÁreaYLaPrincipalRecuerdaTamañoYEstado) {
    QSettings ajustes;
    // Remembered on a larger screen: far right and bottom, 1000 x 600 pixels.
    for (auto [clave, twips] : {std::pair{"Left", "30000"}, std::pair{"Top", "15000"},
                                std::pair{"Width", "15000"}, std::pair{"Height", "9000"}})
        ajustes.setValue(QStringLiteral("frmHija/") + QLatin1String(clave), QLatin1String(twips));
    {
        frmMDI m;
        m.show();
        m.resize(700, 520);
        const QRect vista = m.área()->viewport()->rect();
        QList<QMdiSubWindow*> hijas;
        for (int i = 0; i < 3; ++i) {
            auto* h = new Hija;
            h->setObjectName(QStringLiteral("frmHija"));
            h->resize(900, 640);
            hijas << m.agregarVentana(h);
        }
        for (QMdiSubWindow* h : hijas)
            EXPECT_TRUE(vista.contains(h->geometry())) << h->geometry().x() << ',' << h->y();
        EXPECT_NE(hijas[0]->pos(), hijas[1]->pos());  // cascaded, not stacked
        EXPECT_NE(hijas[1]->pos(), hijas[2]->pos());
        hijas[2]->setGeometry(10, 20, 300, 200);
        hijas[2]->close();
        EXPECT_EQ(S(ajustes.value(QStringLiteral("frmHija/Left")).toString()), "150");
        EXPECT_EQ(S(ajustes.value(QStringLiteral("frmHija/Width")).toString()), "4500");

        m.resize(640, 470);
        usuario.respuestas = {Respuesta::Sí};
        ASSERT_TRUE(m.ConfirmarSalida());
    }
    {
        frmMDI m;
        m.show();
        EXPECT_EQ(m.size(), QSize(640, 470));
        EXPECT_FALSE(m.isMaximized());
        m.showMaximized();
        usuario.respuestas = {Respuesta::Sí};
        ASSERT_TRUE(m.ConfirmarSalida());
    }
    frmMDI m;
    m.show();
    EXPECT_TRUE(m.isMaximized());
    m.showNormal();
    EXPECT_EQ(m.size(), QSize(640, 470));
}

TEST_F(VentanasTest, ElRespaldoSóloConLaVentanaPrincipalSola) {
    frmMDI::RegistrarMódulo(QStringLiteral("Respaldo"), [](frmMDI&) {});
    frmMDI m;
    m.show();
    QAction* menú = acción(m, "mnuRespaldo");
    QAction* botón = acción(m, "tlbBotones_Respaldo");
    EXPECT_TRUE(menú->isEnabled());
    auto* a = new Hija;
    auto* b = new Hija;
    m.agregarVentana(a);
    m.agregarVentana(b);
    EXPECT_FALSE(menú->isEnabled());
    EXPECT_FALSE(botón->isEnabled());
    a->parentWidget()->close();
    QTest::qWait(20);
    EXPECT_FALSE(menú->isEnabled());
    b->parentWidget()->close();
    QTest::qWait(20);
    EXPECT_TRUE(menú->isEnabled());
    EXPECT_TRUE(botón->isEnabled());
    frmMDI::RegistrarMódulo(QStringLiteral("Respaldo"), nullptr);
}

TEST_F(VentanasTest, ElMenúDeComandosLlamaALaVentanaQueLoPidió) {
    frmMDI m;
    m.show();
    Hija h;
    m.MostrarComandos(&h, QStringLiteral("Familia"), false, QPoint(10, 10));
    EXPECT_TRUE(acción(m, "mnuComandoAgregar")->isEnabled());
    EXPECT_FALSE(acción(m, "mnuComandoModificar")->isEnabled());
    EXPECT_FALSE(acción(m, "mnuComandoQuitar")->isEnabled());
    acción(m, "mnuComandoAgregar")->trigger();
    m.menúComandos()->hide();
    m.MostrarComandos(&h, QStringLiteral("Formación"), true, QPoint(10, 10));
    acción(m, "mnuComandoQuitar")->trigger();
    m.menúComandos()->hide();
    EXPECT_EQ(h.comandos,
              QStringList({QStringLiteral("Familia:a"), QStringLiteral("Formación:q")}));
}

TEST_F(VentanasTest, AbrirCvDeUnaFichaBorradaLoDiceEnVezDeAbrirlaVacía) {
    dic = std::make_unique<Diccionario>();
    dic->abrirArchivo(ruta, false);
    std::vector<std::tuple<int32_t, int, QString, bool>> abiertas;
    frmMDI::fábricaFicha = [&](frmMDI&, int32_t id, uint8_t país, const QString& número, bool nueva,
                               bool) {
        abiertas.emplace_back(id, país, número, nueva);
        return new QWidget;
    };
    frmMDI m;
    m.abrir_cv(4242, 1, QStringLiteral("123"), false);
    ASSERT_EQ(usuario.mensajes.size(), 1u);
    EXPECT_EQ(S(usuario.mensajes[0].texto),
              "Esa ficha ya no existe. Probablemente haya sido borrada por otro usuario.");
    EXPECT_TRUE(abiertas.empty());

    // The document goes on as text: leading zeros stay.
    m.abrir_cv(0, 1, QStringLiteral(" 00123 "), true);
    ASSERT_EQ(abiertas.size(), 1u);
    EXPECT_EQ(std::get<2>(abiertas[0]), QStringLiteral("00123"));
    EXPECT_EQ(m.área()->subWindowList().size(), 1);
}

// Applicants in a store file (its shared file when it has links).
void conPostulantes(const QString& ruta, int cantidad) {
    Diccionario d;
    d.abrirArchivo(ruta, true);
    ASSERT_EQ(GenerarPostulantes(d, cantidad, 1), cantidad);
}

TEST_F(VentanasTest, UnaBaseDañadaDetieneElArranqueSinEscribirEnElla) {
    const auto arrancarDañada = [&](const QString& dañada, const char* origen) {
        usuario.mensajes.clear();
        const QByteArray antes = Contenido(dañada);
        EXPECT_EQ(Arrancar({}), 1);
        EXPECT_EQ(VentanaPrincipal(), nullptr);
        EXPECT_FALSE(dic);
        EXPECT_EQ(usuario.mensajes.size(), 1u);
        if (usuario.mensajes.empty()) return;
        const Mensaje& m = usuario.mensajes.back();
        EXPECT_EQ(m.icono, Icono::Crítico);
        EXPECT_TRUE(
            m.texto.startsWith(QStringLiteral("La base de datos «%1» está dañada").arg(dañada)) &&
            m.texto.contains(QStringLiteral("Restaure la última copia de seguridad")) &&
            m.texto.contains(QString::fromUtf8(origen)))
            << S(m.texto);
        EXPECT_TRUE(Contenido(dañada) == antes);
    };
    for (const Daño daño : {Daño::Basura, Daño::Página, Daño::Truncado}) {
        SCOPED_TRACE(::testing::PrintToString(daño));
        ruta = CopiaBaseEntregada(carpeta);  // the configured file
        conPostulantes(ruta, 300);
        Dañar(ruta, daño);
        arrancarDañada(ruta, "«Origen local»");
    }

    // The shared file a sound local file links to is checked as well.
    const QString local = carpeta.filePath(QStringLiteral("local.db"));
    const QString compartida = carpeta.filePath(QStringLiteral("compartida.db"));
    CrearBaseCompartida(compartida);
    CrearBaseLocal(local, compartida);
    conPostulantes(local, 300);
    Dañar(compartida, Daño::Página);
    QSettings().setValue(QStringLiteral("Datos/OrigenLocal"), local);
    const QByteArray localAntes = Contenido(local);
    arrancarDañada(compartida, "«Origen remoto»");
    EXPECT_TRUE(Contenido(local) == localAntes);
}

TEST_F(VentanasTest, UnaBaseDeSóloLecturaArrancaParaConsultarYLoDiceUnaVez) {
    conPostulantes(ruta, 5);
    CarpetaSoloLectura montada({ruta});
    if (!montada.ok()) GTEST_SKIP() << S(montada.error());
    const QString sóloLectura = montada.ruta(QStringLiteral("base.db"));
    QSettings().setValue(QStringLiteral("Datos/OrigenLocal"), sóloLectura);
    const QString frase =
        QStringLiteral("La base de datos «%1» es de solo lectura (el archivo no admite cambios)")
            .arg(sóloLectura);

    ASSERT_EQ(Arrancar({}), -1);
    ASSERT_NE(VentanaPrincipal(), nullptr);
    ASSERT_EQ(usuario.mensajes.size(), 1u);
    EXPECT_EQ(usuario.mensajes[0].icono, Icono::Exclamación);
    EXPECT_TRUE(usuario.mensajes[0].texto.startsWith(frase)) << S(usuario.mensajes[0].texto);

    // Reading goes on without a word: the CV window opens.
    AbrirCV(1);
    EXPECT_EQ(usuario.mensajes.size(), 1u);
    const auto ventanas = VentanaPrincipal()->área()->subWindowList();
    ASSERT_EQ(ventanas.size(), 1);
    EXPECT_TRUE(qobject_cast<frmCVhtml*>(ventanas[0]->widget()));

    // A change the store refuses names the file in words, with the store's own text below.
    try {
        dic->ejecutar(QStringLiteral("update nvx_m_postulantes set apellido = ? where id = 1"),
                      {QStringLiteral("Otro")});
        ADD_FAILURE() << "se escribió";
    } catch (const ErrorAlmacen& e) {
        EXPECT_TRUE(e.operación().startsWith(frase)) << S(e.operación());
        EXPECT_FALSE(e.detalle().isEmpty());
    }
    delete VentanaPrincipal();
    dic.reset();  // the mount goes with the test
}

// The desktop program as a user starts it: a second start wakes the first and
// ends; a lock left by a killed instance does not block the next start.
// The toolkit's own buttons and the file and print dialogs in Argentine Spanish.
TEST(Traducciones, LosDiálogosDelToolkitHablanCastellano) {
    ASSERT_TRUE(InstalarTraducciones());
    QDialogButtonBox botones(QDialogButtonBox::Cancel);
    EXPECT_EQ(S(botones.button(QDialogButtonBox::Cancel)->text()), "Cancelar");
    QFileDialog archivo;
    archivo.setOption(QFileDialog::DontUseNativeDialog);
    QPrinter impresora;
    QPrintDialog impresión(&impresora);
    for (QDialog* d : std::initializer_list<QDialog*>{&archivo, &impresión}) {
        QStringList textos;
        for (const QAbstractButton* b : d->findChildren<QAbstractButton*>()) textos << b->text();
        for (const QLabel* l : d->findChildren<QLabel*>()) textos << l->text();
        for (const QGroupBox* g : d->findChildren<QGroupBox*>()) textos << g->title();
        for (const char* inglés : {"Cancel", "&Open", "&Print", "Pages", "Off", "Long side binding",
                                   "Double Sided Printing"})
            EXPECT_FALSE(textos.contains(QString::fromUtf8(inglés))) << inglés;
        EXPECT_FALSE(textos.join(u'|').contains(QStringLiteral("ichero"))) << S(textos.join(u'|'));
    }
    EXPECT_EQ(S(QLocale().toString(1915.25)), "1.915,25");
    QLocale::setDefault(QLocale::c());
}

TEST(Instancia, UnaSolaPorUsuarioAunqueLaAnteriorSeHayaCaído) {
    QTemporaryDir raíz;
    QDir(raíz.path()).mkpath(QStringLiteral("cfg/Candora"));
    QDir(raíz.path()).mkpath(QStringLiteral("run"));
    QFile::setPermissions(raíz.filePath(QStringLiteral("run")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    {
        QSettings c(raíz.filePath(QStringLiteral("cfg/Candora/Candora.conf")),
                    QSettings::IniFormat);
        c.setValue(QStringLiteral("Opciones/AyudaRápidaVer"), QStringLiteral("0"));
    }
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    e.insert(QStringLiteral("XDG_CONFIG_HOME"), raíz.filePath(QStringLiteral("cfg")));
    e.insert(QStringLiteral("XDG_DATA_HOME"), raíz.filePath(QStringLiteral("data")));
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), raíz.filePath(QStringLiteral("run")));
    e.insert(QStringLiteral("USER"), QStringLiteral("prueba"));
    const QString cerrojo = raíz.filePath(QStringLiteral("run/candora-prueba.lock"));
    const auto iniciar = [&](QProcess& p) {
        p.setProcessEnvironment(e);
        p.start(QStringLiteral(CANDORA_GUI), {});
        ASSERT_TRUE(p.waitForStarted());
    };
    const auto esperarCerrojo = [&] {
        for (int i = 0; i < 200 && !QFileInfo::exists(cerrojo); ++i) QTest::qWait(50);
        QTest::qWait(300);  // listening
    };

    QProcess primera;
    iniciar(primera);
    esperarCerrojo();
    ASSERT_TRUE(QFileInfo::exists(cerrojo));
    QProcess segunda;
    iniciar(segunda);
    EXPECT_TRUE(segunda.waitForFinished(10000));
    EXPECT_EQ(segunda.exitCode(), 0);
    EXPECT_EQ(primera.state(), QProcess::Running);
    EXPECT_TRUE(
        QFileInfo::exists(raíz.filePath(QStringLiteral("data/Candora/Candora/candora.db"))));

    primera.kill();  // SIGKILL: the lock stays behind
    primera.waitForFinished();
    ASSERT_TRUE(QFileInfo::exists(cerrojo));
    QProcess tercera;
    iniciar(tercera);
    EXPECT_FALSE(tercera.waitForFinished(2500));  // it is the running instance now
    tercera.kill();
    tercera.waitForFinished();
}

// "/OPCIONES" while the program runs: the running one comes to the front and
// tells the user to close it first; a plain start only brings it to the front.
TEST_F(VentanasTest, OpcionesConElProgramaAbiertoPideCerrarloAntes) {
    QTemporaryDir run;
    const QByteArray antes = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(run.path()));
    const auto restaurar = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", antes); });
    InstanciaUnica abierta(QStringLiteral("candora"));
    ASSERT_TRUE(abierta.primera());
    int despertares = 0;
    QObject::connect(&abierta, &InstanciaUnica::despertada, [&](const QStringList& a) {
        ++despertares;
        OtroArranque(a);
    });
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    e.insert(QStringLiteral("XDG_CONFIG_HOME"), carpeta.filePath(QStringLiteral("cfg")));
    e.insert(QStringLiteral("XDG_DATA_HOME"), carpeta.filePath(QStringLiteral("data")));
    const auto iniciar = [&](const QStringList& argumentos) {
        QProcess otra;
        otra.setProcessEnvironment(e);
        otra.start(QStringLiteral(CANDORA_GUI), argumentos);
        if (!otra.waitForFinished(20000)) otra.kill();
        EXPECT_EQ(otra.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(otra.exitCode(), 0);
    };

    iniciar({QStringLiteral("/opciones")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return despertares == 1; }, 10000));
    ASSERT_EQ(usuario.mensajes.size(), 1u);
    EXPECT_EQ(S(usuario.mensajes.back().texto),
              "Candora ya está abierto. Para cambiar el origen de los datos, cierre Candora y "
              "vuelva a iniciarlo con /OPCIONES.");
    EXPECT_EQ(usuario.mensajes.back().icono, Icono::Exclamación);

    iniciar({});
    ASSERT_TRUE(QTest::qWaitFor([&] { return despertares == 2; }, 10000));
    EXPECT_EQ(usuario.mensajes.size(), 1u);
}

}  // namespace

#include "test_ventanas.moc"

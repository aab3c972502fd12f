#include "Principal.h"

#include "controls/OpcionesEntrada.h"
#include "controls/ceCombo.h"
#include "controls/ceTxtBox.h"
#include "documents/Documentos.h"
#include "import/Intercambio.h"
#include "import/cImportador.h"
#include "import/frmImportar.h"
#include "records/Generador.h"
#include "shell/Arranque.h"
#include "shell/Mantenimiento.h"
#include "store/BaseEntregada.h"
#include "store/Conexion.h"
#include "store/Respaldo.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>

namespace {

QString Texto(QWidget* w, const char* etiqueta) {
    return En<QLabel>(w, etiqueta)->text();
}

// A backup read back with the real cabextract tool and the sqlite3 tool.
TEST(Respaldo, UnaBaseGrandeSeRespaldaSeVerificaYSeRestaura) {
    QTemporaryDir carpeta;
    const QString base = CopiaBaseEntregada(carpeta, QStringLiteral("candora.db"));
    {
        InteraccionGuionada usuario;
        Diccionario d;
        d.abrirArchivo(base, false);
        GenerarPostulantes(d, 100000, 1, {});
        QByteArray documento;
        for (int i = 0; i < 100000; ++i) documento += char(i * 7 % 256);
        AgregarDocumento(d, 1, QStringLiteral("cv.pdf"), documento, {});
    }
    const QString cab = carpeta.filePath(QStringLiteral("respaldo.cab"));
    const SalidaAdmin s =
        CorrerAdmin({QStringLiteral("--base"), base, QStringLiteral("respaldo"), cab});
    ASSERT_EQ(s.código, 0) << S(s.errores);
    EXPECT_TRUE(s.errores.contains(QStringLiteral("Procesando 100%...")));

    QProcess cabextract;
    cabextract.start(QStringLiteral("cabextract"),
                     {QStringLiteral("-d"), carpeta.filePath(QStringLiteral("x")), cab});
    ASSERT_TRUE(cabextract.waitForFinished(120000));
    ASSERT_EQ(cabextract.exitCode(), 0) << cabextract.readAllStandardError().toStdString();
    const QString extraída = carpeta.filePath(QStringLiteral("x/candora.db"));
    // The stored documents too, whose bytes must still give their hash.
    const QString cuenta = QStringLiteral(
        "pragma integrity_check; select count(*) from nvx_m_postulantes; "
        "select count(*) from nvx_d_experiencia; select sha256 || ' ' || length(contenido) from "
        "nvx_d_documentos;");
    EXPECT_EQ(S(Sqlite3(extraída, cuenta)), S(Sqlite3(base, cuenta)));
    EXPECT_TRUE(Sqlite3(extraída, cuenta).startsWith(QStringLiteral("ok\n100000\n")));

    const QString restaurada = carpeta.filePath(QStringLiteral("restaurada.db"));
    ASSERT_EQ(CorrerAdmin({QStringLiteral("restaurar"), cab, restaurada}).código, 0);
    EXPECT_EQ(S(Sqlite3(restaurada, cuenta)), S(Sqlite3(base, cuenta)));
    {
        Diccionario d;
        d.abrirArchivo(restaurada, false);
        const QByteArray contenido = ContenidoDocumento(d, DocumentosDe(d, 1).at(0).id);
        EXPECT_EQ(QString::fromLatin1(
                      QCryptographicHash::hash(contenido, QCryptographicHash::Sha256).toHex()),
                  DocumentosDe(d, 1).at(0).sha256);
        EXPECT_EQ(contenido.size(), 100000);
    }
    // Never over an existing file, the database in use included.
    const SalidaAdmin otra = CorrerAdmin({QStringLiteral("restaurar"), cab, base});
    EXPECT_EQ(otra.código, 1);
    EXPECT_TRUE(otra.errores.contains(QStringLiteral("Ya existe")));
}

TEST(Respaldo, UnFalloDiceElPasoYNoDejaNada) {
    QTemporaryDir carpeta;
    const QString base = CopiaBaseEntregada(carpeta);
    QString error;
    const QString destino = carpeta.filePath(QStringLiteral("no/hay/carpeta.cab"));
    EXPECT_FALSE(CrearRespaldo(base, destino, error));
    EXPECT_EQ(S(error), "No se pudo guardar la copia de seguridad en «" + S(destino) +
                            "»: la carpeta no existe. Elija otra carpeta.");
    EXPECT_FALSE(CrearRespaldo(carpeta.filePath(QStringLiteral("falta.db")),
                               carpeta.filePath(QStringLiteral("a.cab")), error));
    EXPECT_TRUE(error.contains(QStringLiteral("leer la base de datos")));

    QFile roto(carpeta.filePath(QStringLiteral("roto.cab")));
    ASSERT_TRUE(roto.open(QIODevice::WriteOnly));
    roto.write("MSCF esto no es un respaldo");
    roto.close();
    EXPECT_FALSE(
        RestaurarRespaldo(roto.fileName(), carpeta.filePath(QStringLiteral("r.db")), error));
    EXPECT_FALSE(QFileInfo::exists(carpeta.filePath(QStringLiteral("r.db"))));
}

class MantenimientoTest : public FichaTest {
  protected:
    void SetUp() override {
        InstalarMantenimiento();
        FichaTest::SetUp();
    }
    void TearDown() override {
        FichaTest::TearDown();
        frmMDI::RegistrarMódulo(QStringLiteral("Importar"), nullptr);
        frmMDI::RegistrarMódulo(QStringLiteral("Respaldo"), nullptr);
    }
};

TEST_F(MantenimientoTest, LaVentanaDeImportaciónMuestraLosContadoresDelImportador) {
    const QString nvx = carpeta.filePath(QStringLiteral("Intercambio Norvexa.nvx"));
    EscribirIntercambio(nvx, 300, 4);
    frmImportar w;
    w.show();
    En<QLineEdit>(&w, "txtArchivo")->setText(QStringLiteral("  ") + nvx + QStringLiteral(" "));
    En<QPushButton>(&w, "cmdImportar")->click();
    EXPECT_EQ(S(usuario.mensajes.back().texto), "Importación finalizada.");
    EXPECT_TRUE(En<QPushButton>(&w, "cmdCerrar")->isEnabled());
    EXPECT_EQ(S(Texto(&w, "lblTodos")), "300");
    const int nuevos = Texto(&w, "lblImportados").toInt();
    const int omitidos = Texto(&w, "lblOmitidos").toInt();
    EXPECT_EQ(nuevos + omitidos + Texto(&w, "lblActualizados").toInt(), 300);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes")), nuevos);
    // The demonstration file files a few people twice: said, and imported all the same.
    const QString estado = Texto(&w, "lblEstado");
    EXPECT_EQ(S(estado.section(u'\n', 0, 0)),
              "Importación de «Intercambio Norvexa.nvx» finalizada.");
    EXPECT_TRUE(estado.section(u'\n', 1).contains(QStringLiteral("podrían estar repetidos")))
        << S(estado);

    // The same window takes another file: the same applicants, now all updated.
    const QString otro = carpeta.filePath(QStringLiteral("semana2.nvx"));
    ASSERT_TRUE(QFile::copy(nvx, otro));
    ASSERT_TRUE(En<QWidget>(&w, "picFichas")->isVisible());
    usuario.archivos = {otro};
    QTest::mouseClick(En<QWidget>(&w, "cmdExaminar"), Qt::LeftButton);
    EXPECT_EQ(S(En<QLineEdit>(&w, "txtArchivo")->text()), S(otro));
    QTest::mouseClick(En<QPushButton>(&w, "cmdImportar"), Qt::LeftButton);
    EXPECT_EQ(S(usuario.mensajes.back().texto), "Importación finalizada.");
    EXPECT_EQ(S(Texto(&w, "lblTodos")), "300");
    EXPECT_EQ(S(Texto(&w, "lblImportados")), "0");
    EXPECT_EQ(Texto(&w, "lblActualizados").toInt(), nuevos);
    EXPECT_EQ(Texto(&w, "lblOmitidos").toInt(), omitidos);
    EXPECT_EQ(S(Texto(&w, "lblEstado")), "Importación de «semana2.nvx» finalizada.");
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes")), nuevos);

    // A malformed file: the line is named and nothing is merged.
    const QString malo = carpeta.filePath(QStringLiteral("malo.nvx"));
    QFile f(malo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QFile bueno(nvx);
    ASSERT_TRUE(bueno.open(QIODevice::ReadOnly));
    QByteArray contenido = bueno.readAll();
    const qsizetype corte = contenido.indexOf('\n', contenido.size() / 2);
    contenido.insert(corte + 1, "INSERT esto no es una lista\r\n");
    f.write(contenido);
    f.close();
    dic->ejecutar(QStringLiteral("delete from nvx_m_postulantes"));
    En<QLineEdit>(&w, "txtArchivo")->setText(malo);
    En<QPushButton>(&w, "cmdImportar")->click();
    EXPECT_TRUE(usuario.mensajes.back().texto.contains(QStringLiteral("en la línea")))
        << S(usuario.mensajes.back().texto);
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes")), 0);
    EXPECT_EQ(S(Texto(&w, "lblEstado")), "No se importó nada de «malo.nvx».");
    EXPECT_EQ(S(Texto(&w, "lblImportados")), "0");
    EXPECT_TRUE(En<QPushButton>(&w, "cmdImportar")->isEnabled());

    frmImportar falta;
    En<QLineEdit>(&falta, "txtArchivo")->setText(carpeta.filePath(QStringLiteral("no.nvx")));
    En<QPushButton>(&falta, "cmdImportar")->click();
    EXPECT_EQ(S(usuario.mensajes.back().texto),
              "El archivo especificado no existe. No se ha realizado ninguna importación.");
}

TEST_F(MantenimientoTest, LaVentanaDeRespaldoVerificaReabreLaBaseYAbreLaCopiaRestaurada) {
    EXPECT_TRUE(principal->findChild<QAction*>(QStringLiteral("mnuRespaldo"))->isEnabled());
    ConfiguraciónDatos c;
    c.Proveedor = QString::fromLatin1(kProveedorJet);
    c.OrigenLocal = ruta;
    c.guardar();
    GenerarPostulantes(*dic, 3, 5, {});
    frmRespaldo w;
    const QString cab = carpeta.filePath(QStringLiteral("copia.cab"));
    usuario.archivos = {QString(), cab};
    w.crear();
    EXPECT_EQ(S(usuario.mensajes.back().texto), "Copia cancelada.");
    usuario.respuestas = {Respuesta::Sí};
    w.crear();
    EXPECT_EQ(S(usuario.mensajes.back().texto), "Copia de seguridad finalizada.");
    EXPECT_EQ(S(En<QLabel>(&w, "Label1")->text()), "Listo.");
    EXPECT_TRUE(QFileInfo(cab).size() > 0);
    ASSERT_TRUE(dic != nullptr);  // open again
    EXPECT_TRUE(S(usuario.diálogos.back().ruta).find("respaldo_") != std::string::npos);

    // Restored and opened now: the open card is asked about, and the program then
    // works with the copy, which the settings keep as the local file.
    dic->ejecutar(QStringLiteral("delete from nvx_m_postulantes"));
    principal->abrir_cv(0, 1, QStringLiteral("30111222"), true);
    Escribir(control<QWidget>("txtApellido"), QStringLiteral("Sin Guardar"));
    const QString restaurada = carpeta.filePath(QStringLiteral("restaurada.db"));
    usuario.archivos = {cab, restaurada};
    usuario.respuestas = {Respuesta::Sí, Respuesta::No};
    w.restaurar();
    EXPECT_EQ(S(usuario.diálogos.at(usuario.diálogos.size() - 2).ruta), S(carpeta.path()));
    EXPECT_TRUE(principal->área()->subWindowList().isEmpty());
    EXPECT_TRUE(usuario.mensajes.at(usuario.mensajes.size() - 2)
                    .texto.startsWith(QStringLiteral("Ha realizado cambios en la ficha")));
    EXPECT_EQ(S(usuario.mensajes.back().texto),
              "Candora trabaja ahora con la copia restaurada " + S(restaurada) + ".");
    ASSERT_TRUE(dic != nullptr);
    EXPECT_EQ(S(dic->rutaLocal()), S(restaurada));
    EXPECT_EQ(n(QStringLiteral("select count(*) from nvx_m_postulantes")), 3);
    EXPECT_EQ(S(ConfiguraciónDatos::leer().OrigenLocal), S(restaurada));

    QSettings().setValue(QStringLiteral("Datos/Proveedor"), QStringLiteral("SQLOLEDB"));
    w.crear();
    EXPECT_TRUE(usuario.mensajes.back().texto.startsWith(
        QStringLiteral("La base de datos no está en formato")));
}

// A full disk under the destination: the window and candora-admin both say so, and the
// backup already there stays as it was, with nothing beside it; a restore onto it says so.
TEST_F(MantenimientoTest, UnRespaldoEnUnDiscoLlenoLoDiceYDejaElAnterior) {
    DiscoLleno disco;
    if (!disco.montado()) GTEST_SKIP() << "no se pudo montar un tmpfs (hace falta ser root)";
    ConfiguraciónDatos c;
    c.Proveedor = QString::fromLatin1(kProveedorJet);
    c.OrigenLocal = ruta;
    c.guardar();
    QFile cab(disco.ruta(QStringLiteral("respaldo.cab")));
    ASSERT_TRUE(cab.open(QIODevice::WriteOnly));
    cab.write("previo");
    cab.close();
    disco.llenar();
    const QString lleno = QStringLiteral(
                              "No se pudo guardar la copia de seguridad en «%1»: el "
                              "disco está lleno. Libere espacio o elija otra carpeta.")
                              .arg(cab.fileName());

    frmRespaldo w;
    usuario.archivos = {cab.fileName()};
    usuario.respuestas = {Respuesta::Sí};
    w.crear();
    EXPECT_EQ(S(usuario.mensajes.back().texto), S(lleno));
    EXPECT_EQ(usuario.mensajes.back().icono, Icono::Crítico);

    dic.reset();
    const SalidaAdmin s =
        CorrerAdmin({QStringLiteral("--base"), ruta, QStringLiteral("respaldo"), cab.fileName()});
    EXPECT_EQ(s.código, 1);
    EXPECT_TRUE(s.errores.contains(lleno)) << S(s.errores);

    // Restoring a good backup onto it.
    const QString bueno = carpeta.filePath(QStringLiteral("bueno.cab"));
    QString error;
    ASSERT_TRUE(CrearRespaldo(ruta, bueno, error)) << S(error);
    EXPECT_FALSE(RestaurarRespaldo(bueno, disco.ruta(QStringLiteral("r.db")), error));
    EXPECT_TRUE(error.contains(QStringLiteral("el disco está lleno"))) << S(error);

    EXPECT_EQ(disco.archivos(), QStringList{QStringLiteral("respaldo.cab")});
    ASSERT_TRUE(cab.open(QIODevice::ReadOnly));
    EXPECT_EQ(cab.readAll(), "previo");
}

TEST_F(MantenimientoTest, OpcionesRevinculaAOtraBaseYElArranqueSiguienteLaUsa) {
    principal.reset();
    dic.reset();
    const QString local = carpeta.filePath(QStringLiteral("local.db"));
    const QString primera = carpeta.filePath(QStringLiteral("primera.db"));
    const QString segunda = carpeta.filePath(QStringLiteral("segunda.db"));
    CrearBaseCompartida(primera);
    CrearBaseCompartida(segunda);
    CrearBaseLocal(local, primera);
    ConfiguraciónDatos c;
    c.Proveedor = QString::fromLatin1(kProveedorJet);
    c.OrigenLocal = local;
    c.OrigenRemoto = primera;
    c.Contraseña = QStringLiteral(" clave con blancos ");
    c.guardar();
    QSettings().setValue(QStringLiteral("Opciones/AyudaRápidaVer"), QStringLiteral("0"));

    AlAparecerModal([&](QWidget* w) {
        EXPECT_EQ(En<QLineEdit>(w, "txtContraseña")->echoMode(), QLineEdit::Password);
        auto* remoto = En<QLineEdit>(w, "txtOrigenRemoto");
        remoto->setText(carpeta.filePath(QStringLiteral("no-existe.db")));
        usuario.respuestas = {Respuesta::Sí, Respuesta::Aceptar, Respuesta::Sí};
        En<QPushButton>(w, "cmdRevincular")->click();  // refused: nothing saved
        EXPECT_EQ(S(QSettings().value(QStringLiteral("Datos/OrigenRemoto")).toString()),
                  S(primera));
        remoto->setText(segunda);
        En<QPushButton>(w, "cmdRevincular")->click();
        En<QPushButton>(w, "cmdAceptar")->click();
    });
    EXPECT_EQ(Arrancar({QStringLiteral("/OPCIONES")}), 0);
    EXPECT_EQ(S(usuario.mensajes.back().texto),
              "Se revincularon todas las tablas de la base local.");
    EXPECT_EQ(S(QSettings().value(QStringLiteral("Datos/Contraseña")).toString()),
              " clave con blancos ");
    EXPECT_EQ(QFileInfo(QSettings().fileName()).permissions() &
                  (QFileDevice::ReadOther | QFileDevice::ReadGroup),
              QFileDevice::Permissions());

    ASSERT_EQ(Arrancar({}), -1);
    ASSERT_TRUE(dic != nullptr);
    EXPECT_TRUE(dic->archivosVinculados().contains(segunda))
        << S(dic->archivosVinculados().join(u','));
    delete VentanaPrincipal();
}

// The providers offered are the ones this program opens; a setting it could
// not open is refused when saved, saying what to do, and nothing is written.
TEST_F(MantenimientoTest, OpcionesSóloOfreceLosProveedoresQueAbreYRechazaLosDemásAlGuardar) {
    QSettings s;
    const auto datos = [&](const char* clave) {
        return S(s.value(QStringLiteral("Datos/") + QString::fromUtf8(clave)).toString());
    };
    ConfiguraciónDatos c;
    c.Proveedor = QStringLiteral("SQLOLEDB");  // written by an older version's window
    c.OrigenLocal = ruta;
    c.guardar();

    frmOpciones w;
    w.show();
    auto* proveedor = En<ceDropList>(&w, "txtProveedor");
    ASSERT_EQ(proveedor->count(), 3);
    EXPECT_EQ(S(proveedor->itemData(0).toString()), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(S(proveedor->itemData(1).toString()), "PostgreSQL");
    EXPECT_EQ(S(proveedor->itemText(0)),
              "Microsoft.Jet.OLEDB.4.0 — archivo de base de datos de Candora en este equipo "
              "(SQLite)");
    EXPECT_EQ(S(proveedor->itemText(1)), "PostgreSQL — base compartida en un servidor PostgreSQL");
    EXPECT_EQ(S(proveedor->currentText()), "SQLOLEDB — Candora no puede abrir este proveedor");

    En<QPushButton>(&w, "cmdAceptar")->click();
    ASSERT_EQ(usuario.mensajes.size(), 1u);
    EXPECT_EQ(S(usuario.mensajes.back().texto),
              "Candora no puede abrir el proveedor «SQLOLEDB»: trabaja con "
              "«Microsoft.Jet.OLEDB.4.0» (el archivo de base de datos de este equipo) o con "
              "«PostgreSQL» (un servidor PostgreSQL).\n\nElija uno de ellos en «Proveedor», o "
              "pulse Cancelar para dejar las opciones como estaban.");
    EXPECT_EQ(usuario.mensajes.back().icono, Icono::Exclamación);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(datos("Proveedor"), "SQLOLEDB");
    // Relinking saves the settings too: refused before its question.
    En<QPushButton>(&w, "cmdRevincular")->click();
    EXPECT_EQ(usuario.mensajes.size(), 2u);
    EXPECT_TRUE(usuario.mensajes.back().texto.startsWith(QStringLiteral("Candora no puede abrir")));

    // A server needs its connection.
    proveedor->setCurrentIndex(1);
    EXPECT_TRUE(En<QLabel>(&w, "lblProveedor")->text().contains(QStringLiteral("host=")));
    En<QPushButton>(&w, "cmdAceptar")->click();
    EXPECT_TRUE(usuario.mensajes.back().texto.startsWith(
        QStringLiteral("Para trabajar con un servidor PostgreSQL escriba en «Origen remoto»")))
        << S(usuario.mensajes.back().texto);
    EXPECT_EQ(datos("Proveedor"), "SQLOLEDB");

    // The local file must be there (or left blank for the default one).
    proveedor->setCurrentIndex(0);
    auto* local = En<QLineEdit>(&w, "txtOrigenLocal");
    local->setText(carpeta.filePath(QStringLiteral("no-existe.db")));
    En<QPushButton>(&w, "cmdAceptar")->click();
    EXPECT_TRUE(usuario.mensajes.back().texto.startsWith(QStringLiteral("No existe el archivo")));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(datos("Proveedor"), "SQLOLEDB");
    local->setText(ruta);
    const size_t mensajes = usuario.mensajes.size();
    En<QPushButton>(&w, "cmdAceptar")->click();
    EXPECT_EQ(usuario.mensajes.size(), mensajes);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(datos("Proveedor"), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(datos("OrigenLocal"), S(ruta));

    // Spelled another way it is the same provider, saved as start-up compares it.
    s.setValue(QStringLiteral("Datos/Proveedor"), QStringLiteral("microsoft.jet.oledb.4.0"));
    frmOpciones otra;
    EXPECT_EQ(En<ceDropList>(&otra, "txtProveedor")->count(), 2);
    EXPECT_EQ(En<ceDropList>(&otra, "txtProveedor")->currentIndex(), 0);
    En<QPushButton>(&otra, "cmdAceptar")->click();
    EXPECT_EQ(datos("Proveedor"), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(usuario.mensajes.size(), mensajes);
}

// Colour, upper case and type-ahead are options of their own, kept in section
// "Opciones"; the card and the custom controls follow them.
TEST_F(MantenimientoTest, LasOpcionesDeIngresoSeGuardanYLosControlesLasSiguen) {
    ConfiguraciónDatos c;
    c.Proveedor = QString::fromLatin1(kProveedorJet);
    c.OrigenLocal = ruta;
    c.guardar();
    QSettings s;
    s.remove(QStringLiteral("Opciones"));
    OpcionesEntrada::recargar();
    const auto opción = [&](const char* clave) {
        return S(s.value(QStringLiteral("Opciones/") + QString::fromUtf8(clave)).toString());
    };
    const QColor celeste(200, 230, 255), crema(255, 250, 230);
    {
        frmOpciones w;
        w.show();
        EXPECT_FALSE(En<QCheckBox>(&w, "chkColorear")->isChecked());
        EXPECT_FALSE(En<QCheckBox>(&w, "chkMayúsculas")->isChecked());
        EXPECT_TRUE(En<QCheckBox>(&w, "chkAutocompletar")->isChecked());
        En<QCheckBox>(&w, "chkMayúsculas")->setChecked(true);
        En<QCheckBox>(&w, "chkAutocompletar")->setChecked(false);
        En<QPushButton>(&w, "cmdCancelar")->click();
        EXPECT_TRUE(opción("Mayúsculas").empty());  // Cancelar writes nothing
        EXPECT_FALSE(OpcionesEntrada::actuales().mayúsculas);
    }
    frmOpciones w;
    w.show();
    const auto elegir = [](const QColor& c) {
        AlAparecerModal([c](QWidget* m) {
            auto* d = qobject_cast<QColorDialog*>(m);
            ASSERT_NE(d, nullptr);
            d->setCurrentColor(c);
            d->accept();
        });
    };
    elegir(celeste);
    En<QPushButton>(&w, "cmdCambiarColor")->click();
    EXPECT_TRUE(En<QCheckBox>(&w, "chkColorear")->isChecked());  // choosing it means wanting it
    EXPECT_EQ(En<QLineEdit>(&w, "txtEjemplo")->palette().color(QPalette::Base), celeste);
    elegir(crema);
    En<QPushButton>(&w, "cmdCambiarFondo")->click();
    EXPECT_EQ(En<QFrame>(&w, "picFichas")->palette().color(QPalette::Window), crema);
    En<QCheckBox>(&w, "chkMayúsculas")->setChecked(true);
    En<QCheckBox>(&w, "chkAutocompletar")->setChecked(false);
    En<QPushButton>(&w, "cmdAceptar")->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(opción("ColorearActivo"), "1");
    EXPECT_EQ(opción("ColorActivo"), "&H00FFE6C8");
    EXPECT_EQ(opción("ColorFondoFicha"), "&H00E6FAFF");
    EXPECT_EQ(opción("Mayúsculas"), "1");
    EXPECT_EQ(opción("Autocompletar"), "0");

    // A new card shows both colours and takes what is typed in upper case.
    principal->abrir_cv(0, 1, QStringLiteral("777"), true);
    frmFicha* f = ficha();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(
        f->findChild<QWidget*>(QStringLiteral("picFichas"))->palette().color(QPalette::Window),
        crema);
    principal->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(principal.get()));
    auto* apellido = control<ceTxtBox>("txtApellido");
    apellido->setFocus();
    EXPECT_EQ(apellido->palette().color(QPalette::Base), celeste);
    QTest::keyClicks(apellido, QStringLiteral("perez"));
    EXPECT_EQ(S(apellido->text()), "PEREZ");
    auto* localidad = control<ceCombo>("cmbNac_Localidad");
    localidad->setFocus();
    EXPECT_EQ(apellido->palette().color(QPalette::Base), f->palette().color(QPalette::Base));
    QTest::keyClicks(localidad, QStringLiteral("pal"));
    EXPECT_EQ(S(localidad->currentText()), "PAL");  // no type-ahead
    auto* email = control<ceTxtBox>("txtEmail");
    QTest::keyClicks(email, QStringLiteral("ana@mail.com"));
    EXPECT_EQ(S(email->text()), "ana@mail.com");  // an address keeps its case
    usuario.respuestas = {Respuesta::No};         // not saved
    f->parentWidget()->close();
    QTest::qWait(10);

    OpcionesEntrada{}.aplicar();
    s.remove(QStringLiteral("Opciones"));
}

}  // namespace

#include "Almacen.h"
#include "Apoyo.h"

#include "documents/Documentos.h"
#include "records/cPostulante.h"
#include "store/BaseEntregada.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DocumentosTest : public AlmacenAbierto {
  protected:
    void SetUp() override {
        AlmacenAbierto::SetUp();
        if (HasFatalFailure()) return;
        for (int id : {1, 2})
            dic->ejecutar(QStringLiteral("insert into nvx_m_postulantes (id, apellido, dni_pais, "
                                         "dni_numero) values (?, 'Pérez', 1, ?)"),
                          {id, QString::number(20000000 + id)});
    }
    void TearDown() override {
        QSettings().remove(QStringLiteral("Documentos"));
        AlmacenAbierto::TearDown();
    }
    qint64 filas() {
        return dic->valorÚnico(QStringLiteral("select count(*) from nvx_d_documentos"))
            .toLongLong();
    }
    InteraccionGuionada usuario;
};

// Every byte value, a NUL among them: what a PDF or an image holds.
QByteArray Binario() {
    QByteArray b;
    for (int vuelta = 0; vuelta < 3; ++vuelta)
        for (int i = 0; i < 256; ++i) b += char(i);
    return b + "Ñandú, Pérez-Güemes, São Paulo";
}

TEST_P(DocumentosTest, SeGuardaUnaVezTalCualYSeVaConElPostulante) {
    const QByteArray contenido = Binario();
    bool ya = true;
    const int32_t a = AgregarDocumento(*dic, 1, QStringLiteral("/tmp/cv pérez.pdf"), contenido,
                                       QStringLiteral("ana"), &ya);
    EXPECT_FALSE(ya);
    // The same bytes again, under another name: kept once.
    EXPECT_EQ(AgregarDocumento(*dic, 1, QStringLiteral("copia.pdf"), contenido, {}, &ya), a);
    EXPECT_TRUE(ya);
    const QByteArray texto = "Ñandú, Pérez-Güemes, São Paulo\n";
    const int32_t b = AgregarDocumento(*dic, 1, QStringLiteral("cv.txt"), texto, {});
    const int32_t c = AgregarDocumento(*dic, 2, QStringLiteral("cv.txt"), texto, {});
    EXPECT_NE(b, a);
    EXPECT_NE(c, b);  // another applicant keeps a copy of its own
    EXPECT_EQ(filas(), 3);

    EXPECT_EQ(ContenidoDocumento(*dic, a), contenido);  // byte for byte, NULs included
    const Documento x = DocumentoGuardado(*dic, a);
    EXPECT_EQ(S(x.nombre), "cv pérez.pdf");
    EXPECT_EQ(x.tamaño, contenido.size());
    EXPECT_EQ(x.sha256,
              QString::fromLatin1(
                  QCryptographicHash::hash(contenido, QCryptographicHash::Sha256).toHex()));
    EXPECT_EQ(S(x.usuario), "ana");
    EXPECT_EQ(x.agregado.size(), 14);
    EXPECT_EQ(S(TextoGuardado(*dic, b).trimmed()), "Ñandú, Pérez-Güemes, São Paulo");
    ASSERT_EQ(DocumentosDe(*dic, 1).size(), 2u);
    EXPECT_EQ(DocumentosDe(*dic, 1).back().id, b);

    QuitarDocumento(*dic, b);
    EXPECT_THROW(QuitarDocumento(*dic, b), ErrorAlmacen);
    EXPECT_THROW(ContenidoDocumento(*dic, b), ErrorAlmacen);
    cPostulante p;
    p.id = 1;
    p.eliminar();
    EXPECT_EQ(filas(), 1);  // only the other applicant's
    EXPECT_EQ(DocumentosDe(*dic, 2).size(), 1u);
}

TEST_P(DocumentosTest, LoQueNoSePuedeGuardarSeRechazaConSuMotivoYNoDejaNada) {
    QSettings().setValue(QStringLiteral("Documentos/MaximoMB"), 1);
    try {
        AgregarDocumento(*dic, 1, QStringLiteral("grande.pdf"), QByteArray(1024 * 1024 + 1, 'x'),
                         {});
        ADD_FAILURE() << "no lo rechazó";
    } catch (const ErrorAlmacen& e) {
        EXPECT_TRUE(e.textoUsuario().contains(QStringLiteral("el máximo es 1,0 MB")))
            << S(e.textoUsuario());
    }
    EXPECT_THROW(AgregarDocumento(*dic, 1, QStringLiteral("vacío.txt"), {}, {}), ErrorAlmacen);
    EXPECT_THROW(AgregarDocumento(*dic, 99, QStringLiteral("cv.txt"), "cv", {}), ErrorAlmacen);
    EXPECT_EQ(filas(), 0);
    EXPECT_NO_THROW(
        AgregarDocumento(*dic, 1, QStringLiteral("justo.txt"), QByteArray(1024 * 1024, 'x'), {}));
}

// A store made before documents existed gets their table when it is next opened.
TEST_P(DocumentosTest, UnaBaseAnteriorRecibeLaTablaDeDocumentos) {
    if (servidor()) {
        dic->ejecutar(QStringLiteral("DROP TABLE nvx_d_documentos"));
        dic->ejecutar(QStringLiteral("update candora_esquema set version = 2"));
    } else {
        dic->ejecutar(QStringLiteral("DROP TABLE nvx_d_documentos"));
        dic->ejecutar(QStringLiteral("PRAGMA user_version = 2"));
    }
    dic->ejecutar(QStringLiteral("delete from nvx_m_ids where tabla = 'nvx_d_documentos'"));
    dic.reset();
    ConectarBase(almacén->configuración());
    ASSERT_TRUE(dic);
    EXPECT_EQ(dic->VersiónEsquema(), kVersiónEsquema);
    dic->ejecutar(QStringLiteral("update nvx_m_postulantes set actualizado = '20000101000000'"));
    const int32_t a = AgregarDocumento(*dic, 1, QStringLiteral("cv.txt"), "uno", {});
    EXPECT_THROW(dic->ejecutar(QStringLiteral("insert into nvx_d_documentos (id, postulante, "
                                              "nombre, tamano, sha256, contenido) select id + 1, "
                                              "postulante, nombre, tamano, sha256, contenido "
                                              "from nvx_d_documentos")),
                 ErrorAlmacen);  // one copy per applicant and content, by the store itself
    // Adding a document stamps the applicant's change time, as any detail row does.
    EXPECT_GT(dic->valorÚnico(QStringLiteral("select actualizado from nvx_m_postulantes where "
                                             "id = 1"))
                  .toString(),
              QStringLiteral("20000101000000"));
    EXPECT_EQ(AgregarDocumento(*dic, 1, QStringLiteral("dos.txt"), "dos", {}), a + 1);
}

TEST_P(DocumentosTest, LaHerramientaAgregaListaDevuelveYQuita) {
    dic.reset();  // the command opens the store itself
    QTemporaryDir carpeta;
    const QString cv = carpeta.filePath(QStringLiteral("cv.bin"));
    {
        QFile f(cv);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Binario());
    }
    const auto admin = [&](QStringList a) { return CorrerAdmin(almacén->opcionesAdmin() + a); };
    SalidaAdmin s = admin({QStringLiteral("documento"), QStringLiteral("agregar"),
                           QStringLiteral("1"), cv, carpeta.filePath(QStringLiteral("falta"))});
    EXPECT_EQ(s.código, 1) << S(s.errores);  // one of the two could not be read
    EXPECT_TRUE(s.errores.contains(QStringLiteral("No se puede leer"))) << S(s.errores);
    const QString id = s.salida.section(u'\t', 0, 0);
    ASSERT_FALSE(id.isEmpty()) << S(s.salida);
    s = admin({QStringLiteral("documento"), QStringLiteral("listar"), QStringLiteral("1")});
    EXPECT_TRUE(s.salida.startsWith(id + QStringLiteral("\tcv.bin\t"))) << S(s.salida);
    const QString copia = carpeta.filePath(QStringLiteral("copia.bin"));
    s = admin({QStringLiteral("documento"), QStringLiteral("extraer"), id,
               QStringLiteral("--salida"), copia});
    ASSERT_EQ(s.código, 0) << S(s.errores);
    QFile f(copia);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), Binario());
    EXPECT_EQ(admin({QStringLiteral("documento"), QStringLiteral("quitar"), id}).código, 0);
    s = admin({QStringLiteral("documento"), QStringLiteral("quitar"), id});
    EXPECT_EQ(s.código, 1);
    EXPECT_TRUE(s.errores.contains(QStringLiteral("No existe el documento"))) << S(s.errores);
    EXPECT_EQ(admin({QStringLiteral("documento"), QStringLiteral("quitar")}).código, 2);
}

EN_AMBOS_ALMACENES(DocumentosTest);

}  // namespace

#include "Apoyo.h"

#include "records/cPostulante.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <sys/mount.h>

InteraccionGuionada::InteraccionGuionada() : anterior_(InstalarInteraccion(this)) {}
InteraccionGuionada::~InteraccionGuionada() {
    InstalarInteraccion(anterior_);
}

Respuesta InteraccionGuionada::mostrar(const Mensaje& m) {
    mensajes.push_back(m);
    if (alMostrar) alMostrar(m);
    if (respuestas.empty()) return m.predeterminada;
    const Respuesta r = respuestas.front();
    respuestas.pop_front();
    return r;
}

QString InteraccionGuionada::archivo(const DiálogoArchivo& d) {
    diálogos.push_back(d);
    if (archivos.empty()) return {};
    const QString r = archivos.front();
    archivos.pop_front();
    return r;
}

bool InteraccionGuionada::escanear(const QString& archivo, QString& error) {
    escaneos << archivo;
    if (imagenEscaneada.isEmpty() || !QFile::copy(imagenEscaneada, archivo)) {
        error = QStringLiteral("sin escáner");
        return false;
    }
    return true;
}

void ComboPrueba::Clear() {
    entradas.clear();
    datos.clear();
    índice = -1;
    texto.clear();
}

int ComboPrueba::AddItem(const QString& t) {
    entradas << t;
    datos.push_back(0);
    return int(entradas.size()) - 1;
}

void ComboPrueba::setListIndex(int i) {
    índice = i;
    texto = i >= 0 ? entradas.at(i) : QString();
}

QString CopiaBaseEntregada(const QTemporaryDir& carpeta, const QString& nombre) {
    static QTemporaryDir plantillas;
    static const QString plantilla = [] {
        const QString ruta = plantillas.filePath(QStringLiteral("entregada.db"));
        CrearBase(ruta);
        return ruta;
    }();
    const QString destino = carpeta.filePath(nombre);
    QFile::remove(destino);
    if (!QFile::copy(plantilla, destino)) ADD_FAILURE() << "no se pudo copiar la plantilla";
    QFile::setPermissions(destino, QFile::ReadOwner | QFile::WriteOwner);
    return destino;
}

namespace {

SalidaAdmin Correr(const QStringList& argumentos, const QString& usuario,
                   const QString& salidaEstándar) {
    QProcess p;
    if (!salidaEstándar.isEmpty()) p.setStandardOutputFile(salidaEstándar);
    if (usuario.isEmpty())
        p.start(QStringLiteral(CANDORA_ADMIN), argumentos);
    else
        p.start(QStringLiteral("runuser"),
                QStringList{QStringLiteral("-u"), usuario, QStringLiteral("--"),
                            QStringLiteral(CANDORA_ADMIN)} +
                    argumentos);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

SalidaAdmin CorrerAdmin(const QStringList& argumentos, const QString& usuario) {
    return Correr(argumentos, usuario, {});
}

SalidaAdmin CorrerAdminHacia(const QStringList& argumentos, const QString& salidaEstándar) {
    return Correr(argumentos, {}, salidaEstándar);
}

QByteArray Contenido(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) ADD_FAILURE() << "no se pudo leer " << ruta.toStdString();
    return f.readAll();
}

void Dañar(const QString& ruta, Daño d) {
    QFile f(ruta);
    const qint64 largo = f.size();
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    switch (d) {
        case Daño::Basura:
            f.resize(0);
            for (int i = 0; i < 4096; ++i) f.write("no es una base de datos\n");
            break;
        case Daño::Página: {
            const qint64 tamaño = Sqlite3(ruta, QStringLiteral("pragma page_size")).toLongLong();
            const qint64 página =
                Sqlite3(ruta, QStringLiteral("select pageno from dbstat where name = "
                                             "'nvx_m_postulantes' and pagetype = 'leaf' "
                                             "order by pageno limit 1 offset 2"))
                    .toLongLong();
            ASSERT_GT(página, 1) << "sin páginas de postulantes";
            f.seek((página - 1) * tamaño);
            f.write(QByteArray(int(tamaño), '\xA5'));
            break;
        }
        case Daño::Truncado:
            f.resize(largo / 2);
            break;
    }
}

DiscoPropio::DiscoPropio(qint64 tamaño) {
    const QByteArray opciones = "size=" + QByteArray::number(tamaño);
    montado_ =
        carpeta_.isValid() && ::mount("tmpfs", QFile::encodeName(carpeta_.path()).constData(),
                                      "tmpfs", 0, opciones.constData()) == 0;
}

DiscoPropio::~DiscoPropio() {
    if (montado_) ::umount2(QFile::encodeName(carpeta_.path()).constData(), MNT_DETACH);
}

bool DiscoPropio::sóloLectura() {
    return ::mount("tmpfs", QFile::encodeName(carpeta_.path()).constData(), "tmpfs",
                   MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void DiscoLleno::llenar(qint64 libre) {
    QFile relleno(ruta(QStringLiteral("relleno")));
    ASSERT_TRUE(relleno.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray bloque(64 * 1024, 'x');
    while (relleno.write(bloque) == bloque.size()) {
    }
    ASSERT_TRUE(relleno.resize(std::max<qint64>(0, relleno.size() - libre)));
}

QStringList DiscoLleno::archivos() const {
    QStringList l =
        QDir(carpeta_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    l.removeOne(QStringLiteral("relleno"));
    return l;
}

CarpetaSoloLectura::CarpetaSoloLectura(const QStringList& archivos) : DiscoPropio(256 << 20) {
    if (!montado_) {
        error_ = QStringLiteral("no se pudo montar un disco en memoria (hace falta ser root)");
        return;
    }
    for (const QString& a : archivos)
        if (!QFile::copy(a, ruta(QFileInfo(a).fileName())))
            error_ = QStringLiteral("no se pudo copiar ") + a;
    if (error_.isEmpty() && !sóloLectura())
        error_ = QStringLiteral("no se pudo volver a montar el disco como de solo lectura");
}

QString Sqlite3(const QString& base, const QString& sql) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"),
            {QStringLiteral("-cmd"),
             QStringLiteral(".load ") + QStringLiteral(CANDORA_EXTENSION_SQLITE), base, sql});
    p.waitForFinished(60000);
    if (p.exitCode() != 0) ADD_FAILURE() << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString Unidos(Diccionario& d, const QString& sql, const QVariantList& v,
               const QString& separador) {
    QStringList l;
    for (auto rs = d.AbrirRS(sql, v); !rs->eof(); rs->MoveNext()) l << rs->texto(0);
    return l.join(separador);
}

QString VolcadoPostulante(Diccionario& d, int id) {
    QString t;
    const auto añadir = [&](const QString& sql) {
        for (auto rs = d.AbrirRS(sql, {id}); !rs->eof(); rs->MoveNext()) {
            for (int i = 0; i < rs->FieldCount(); ++i)
                if (rs->FieldName(i) != QLatin1String("rowid"))  // the server's row order
                    t += (rs->valor(i).isNull() ? QStringLiteral("<null>")
                                                : rs->valor(i).toString()) +
                         u'|';
            t += u'\n';
        }
    };
    añadir(QStringLiteral("select * from nvx_m_postulantes where id = ?"));
    for (const char* tabla : {"nvx_d_familiares", "nvx_d_formacion", "nvx_d_idiomas",
                              "nvx_d_experiencia", "nvx_d_interes", "nvx_d_fotos"})
        añadir(QStringLiteral("select * from %1 where postulante = ? order by rowid")
                   .arg(QLatin1String(tabla)));
    return t;
}

int32_t GuardarPostulante(const char* apellido, const char* nombre, uint8_t país,
                          const char* documento, const std::function<void(cPostulante&)>& además) {
    cPostulante p;
    p.Apellido = QString::fromUtf8(apellido);
    p.Nombre = QString::fromUtf8(nombre);
    p.Dni_País = país;
    p.Dni_Número = QString::fromUtf8(documento);
    if (además) además(p);
    EXPECT_TRUE(p.guardar()) << apellido;
    return p.id;
}

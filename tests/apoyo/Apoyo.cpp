#include "Apoyo.h"

#include "store/BaseEntregada.h"
#include "store/Diccionario.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

InteraccionGuionada::InteraccionGuionada() : anterior_(InstalarInteraccion(this)) {}
InteraccionGuionada::~InteraccionGuionada() {
    InstalarInteraccion(anterior_);
}

Respuesta InteraccionGuionada::mostrar(const Mensaje& m) {
    mensajes.push_back(m);
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

SalidaAdmin CorrerAdmin(const QStringList& argumentos, const QString& usuario) {
    QProcess p;
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

CarpetaSoloLectura::CarpetaSoloLectura(const QStringList& archivos) {
    const auto montar = [&](const QStringList& argumentos) {
        QProcess p;
        p.start(QStringLiteral("mount"), argumentos);
        p.waitForFinished(30000);
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            error_ = QStringLiteral("mount ") + argumentos.join(u' ') + QStringLiteral(": ") +
                     QString::fromUtf8(p.readAllStandardError()).trimmed();
        return error_.isEmpty();
    };
    if (!montar({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                 QStringLiteral("size=256m"), QStringLiteral("candora-prueba"), carpeta_.path()}))
        return;
    montada_ = true;
    for (const QString& a : archivos)
        if (!QFile::copy(a, ruta(QFileInfo(a).fileName())))
            error_ = QStringLiteral("no se pudo copiar ") + a;
    if (error_.isEmpty())
        montar({QStringLiteral("-o"), QStringLiteral("remount,ro"), carpeta_.path()});
}

CarpetaSoloLectura::~CarpetaSoloLectura() {
    if (montada_)
        QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), carpeta_.path()});
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

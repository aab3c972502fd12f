#include "Apoyo.h"

#include "store/BaseEntregada.h"
#include "store/Diccionario.h"

#include <QCoreApplication>
#include <QFile>
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

SalidaAdmin CorrerAdmin(const QStringList& argumentos) {
    QProcess p;
    p.start(QStringLiteral(CANDORA_ADMIN), argumentos);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
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

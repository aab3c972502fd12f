#include "privacy/Auditoria.h"

#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/Valores.h"

#include <QMutex>
#include <QSet>

namespace {

struct Lectura {
    int32_t postulante;
    Acción acción;
    QString momento, usuario;
};

// Readings not written yet, from any thread.
QMutex& Cerrojo() {
    static QMutex m;
    return m;
}
std::vector<Lectura>& Pendientes() {
    static std::vector<Lectura> p;
    return p;
}

const QStringList kCampos{QStringLiteral("momento"),    QStringLiteral("usuario"),
                          QStringLiteral("postulante"), QStringLiteral("accion"),
                          QStringLiteral("detalle"),    QStringLiteral("huella")};

// One row of the log, as the table takes it.
QVariantList Fila(const QString& momento, const QString& usuario, int32_t postulante, Acción a,
                  const QString& detalle, const QString& huella = {}) {
    return {momento,         ValorTexto(usuario), postulante,
            NombreAcción(a), ValorTexto(detalle), ValorTexto(huella)};
}

}  // namespace

QString NombreAcción(Acción a) {
    switch (a) {
        case Acción::AbrióFicha:
            return QStringLiteral("abrió la ficha");
        case Acción::AbrióCV:
            return QStringLiteral("abrió el currículum");
        case Acción::Guardó:
            return QStringLiteral("guardó");
        case Acción::Eliminó:
            return QStringLiteral("eliminó");
        case Acción::Exportó:
            return QStringLiteral("exportó");
        case Acción::Imprimió:
            return QStringLiteral("imprimió");
        case Acción::Fusionó:
            return QStringLiteral("fusionó");
        case Acción::Importó:
            return QStringLiteral("importó");
        case Acción::Informó:
            return QStringLiteral("emitió el informe de datos personales");
        case Acción::Suprimió:
            return QStringLiteral("suprimió los datos personales");
    }
    return {};
}

void Auditar(Diccionario& d, const std::vector<int32_t>& postulantes, Acción a,
             const QString& detalle) {
    const QString momento = FechaHoraTexto();
    std::vector<QVariantList> filas;
    filas.reserve(postulantes.size());
    for (const int32_t id : postulantes)
        filas.push_back(Fila(momento, UsuarioActual, id, a, detalle));
    d.copiar(QStringLiteral("candora_auditoria"), kCampos, filas);
}

void AuditarSupresión(Diccionario& d, int32_t postulante, const QString& motivo,
                      const QString& huella) {
    d.copiar(QStringLiteral("candora_auditoria"), kCampos,
             {Fila(FechaHoraTexto(), UsuarioActual, postulante, Acción::Suprimió,
                   QStringLiteral("Motivo: ") + motivo, huella)});
}

void AuditarLectura(int32_t postulante, Acción a) {
    QMutexLocker l(&Cerrojo());
    Pendientes().push_back({postulante, a, FechaHoraTexto(), UsuarioActual});
}

int VolcarLecturas(Diccionario& d) {
    // In a transaction of their own: another one could still be undone, and take them along.
    if (d.enTransacción()) return 0;
    std::vector<Lectura> lecturas;
    {
        QMutexLocker l(&Cerrojo());
        lecturas = Pendientes();
    }
    if (lecturas.empty()) return 0;
    std::vector<QVariantList> filas;
    for (const Lectura& x : lecturas)
        filas.push_back(Fila(x.momento, x.usuario, x.postulante, x.acción, {}));
    Transaccion t(d);
    d.copiar(QStringLiteral("candora_auditoria"), kCampos, filas);
    t.confirmar();
    // Only those written leave the queue; later ones stay.
    QMutexLocker l(&Cerrojo());
    Pendientes().erase(Pendientes().begin(), Pendientes().begin() + qsizetype(lecturas.size()));
    return int(lecturas.size());
}

void OlvidarLecturas(const std::vector<int32_t>& postulantes) {
    const QSet<int32_t> borrar(postulantes.begin(), postulantes.end());
    QMutexLocker l(&Cerrojo());
    std::erase_if(Pendientes(),
                  [&borrar](const Lectura& x) { return borrar.contains(x.postulante); });
}

std::vector<EntradaAuditoria> EntradasDonde(Diccionario& d, const QString& condición,
                                            const QVariantList& valores, const QString& resto) {
    std::vector<EntradaAuditoria> entradas;
    for (auto rs = d.AbrirRS(QStringLiteral("select momento, usuario, postulante, accion, detalle, "
                                            "huella from candora_auditoria where ") +
                                 condición + u' ' + resto,
                             valores);
         !rs->eof(); rs->MoveNext())
        entradas.push_back({rs->texto(0), rs->texto(1), int32_t(rs->entero(2)), rs->texto(3),
                            rs->texto(4), rs->texto(5)});
    return entradas;
}

std::vector<EntradaAuditoria> LeerAuditoria(Diccionario& d, const QString& desde,
                                            int32_t postulante) {
    QString condición = QStringLiteral("momento >= ?");
    QVariantList v{desde};
    if (postulante != 0) {
        condición += QStringLiteral(" and postulante = ?");
        v << postulante;
    }
    // Entries of one second keep the order they were written in.
    return EntradasDonde(d, condición, v, QStringLiteral("order by momento, rowid"));
}

std::vector<EntradaAuditoria> ÚltimasEntradas(Diccionario& d, int32_t postulante, int cuántas) {
    return EntradasDonde(d, QStringLiteral("postulante = ?"), {postulante, cuántas},
                         QStringLiteral("order by momento desc, rowid desc limit ?"));
}

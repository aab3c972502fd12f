#include "privacy/Auditoria.h"
#include "privacy/Informe.h"
#include "shell/admin/Comandos.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/Valores.h"

#include <QDate>

namespace {

constexpr const char* kUsoAuditoria = "auditoria [--desde DD/MM/AAAA] [--postulante ID]";

// The audit log, oldest first, as tab-separated lines: moment, user, applicant,
// action and detail.
int auditoria(Contexto& c, const QStringList& argumentos) {
    QStringList a = argumentos;
    bool ok = true;
    const QString desde = TomarOpción(a, "--desde", ok);
    const QString postulante = TomarOpción(a, "--postulante", ok);
    QDate fecha;
    if (!desde.isEmpty()) {
        fecha = QDate::fromString(desde, QStringLiteral("d/M/yyyy"));
        if (!fecha.isValid()) fecha = QDate::fromString(desde, Qt::ISODate);
        ok = ok && fecha.isValid();
    }
    int32_t id = 0;
    if (ok && !postulante.isEmpty()) id = postulante.toInt(&ok);
    if (!ok || !a.isEmpty() || id < 0) {
        c.errores << "Uso: candora-admin " << kUsoAuditoria << '\n';
        return 2;
    }
    c.abrir();
    const auto entradas = LeerAuditoria(
        *dic, fecha.isValid() ? fecha.toString(QStringLiteral("yyyyMMdd")) : QString(), id);
    for (const EntradaAuditoria& e : entradas)
        c.salida << FormatearFechaHora(e.momento) << '\t' << e.usuario << '\t' << e.postulante
                 << '\t' << e.acción << '\t' << e.detalle << '\n';
    c.errores << entradas.size() << (entradas.size() == 1 ? " entrada" : " entradas") << '\n';
    return 0;
}

constexpr const char* kUsoInforme = "informe ID [--salida ARCHIVO.html] [--usuario NOMBRE]";

// Everything kept about one person, as an HTML page (the card's command also makes PDF).
int informe(Contexto& c, const QStringList& argumentos) {
    QStringList a = argumentos;
    bool ok = true;
    const QString salida = TomarOpción(a, "--salida", ok);
    const QString usuario = TomarUsuario(a, ok);
    int32_t id = 0;
    if (ok && a.size() == 1) id = a.first().toInt(&ok);
    if (!ok || a.size() != 1 || id <= 0) {
        c.errores << "Uso: candora-admin " << kUsoInforme << '\n';
        return 2;
    }
    if (salida.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        c.errores << "candora-admin escribe el informe en HTML; el PDF se guarda desde la ficha "
                     "(Informe de datos personales › Guardar una copia).\n";
        return 2;
    }
    c.abrir(Contexto::Uso::Escribir);  // issuing it is recorded
    UsuarioActual = usuario;
    const QString html = InformeDatosPersonales(*dic, id, usuario);
    if (html.isEmpty()) {
        c.errores << "No existe el postulante número " << id << ".\n";
        return 1;
    }
    return EscribirPágina(c, salida, html) ? 0 : 1;
}

}  // namespace

void ComandosPrivacidad(std::vector<Comando>& comandos) {
    comandos.push_back({"auditoria", kUsoAuditoria, auditoria});
    comandos.push_back({"informe", kUsoInforme, informe});
}

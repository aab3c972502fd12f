#include "privacy/Auditoria.h"
#include "privacy/Conservacion.h"
#include "privacy/Informe.h"
#include "privacy/Supresion.h"
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
                 << '\t' << e.acción << '\t' << e.detalle
                 << (e.huella.isEmpty() ? QString() : QStringLiteral("\thuella ") + e.huella)
                 << '\n';
    c.errores << entradas.size() << (entradas.size() == 1 ? " entrada" : " entradas") << '\n';
    return 0;
}

constexpr const char* kUsoInforme =
    "informe ID [--salida ARCHIVO.html|ARCHIVO.pdf] [--usuario NOMBRE]";

// Everything kept about one person, as a printable page (HTML or PDF).
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
    c.abrir(Contexto::Uso::Escribir);  // issuing it is recorded
    UsuarioActual = usuario;
    const QString html = InformeDatosPersonales(*dic, id, usuario);
    if (html.isEmpty()) {
        c.errores << "No existe el postulante número " << id << ".\n";
        return 1;
    }
    return EscribirPágina(c, salida, html) ? 0 : 1;
}

// Erases and says whom; the log keeps the reason.
int Suprimir(Contexto& c, const std::vector<int32_t>& ids, const QString& motivo) {
    const auto nombres = PostulantesASuprimir(*dic, ids);
    const Supresión hecha = SuprimirPostulantes(*dic, ids, motivo);
    for (const PostulanteASuprimir& p : nombres)
        c.salida << "Suprimido: " << p.id << '\t' << p.nombre << '\n';
    c.errores << hecha.postulantes
              << (hecha.postulantes == 1 ? " postulante suprimido" : " postulantes suprimidos")
              << '\n';
    for (const QString& f : hecha.fotosQueQuedan)
        c.errores << "La foto «" << f
                  << "» quedó en el disco (no se pudo borrar, o no es una imagen): revísela y "
                     "bórrela a mano si corresponde.\n";
    return hecha.fotosQueQuedan.isEmpty() ? 0 : 1;
}

constexpr const char* kUsoSuprimir = "suprimir ID... --motivo TEXTO [--usuario NOMBRE]";

// Erases applicants' personal data for good (the card's "Suprimir datos personales").
int suprimir(Contexto& c, const QStringList& argumentos) {
    QStringList a = argumentos;
    bool ok = true;
    const QString motivo = TomarOpción(a, "--motivo", ok);
    const QString usuario = TomarUsuario(a, ok);
    std::vector<int32_t> ids;
    for (const QString& x : a) {
        const int id = x.toInt(&ok);
        if (!ok || id <= 0) break;
        ids.push_back(id);
    }
    if (!ok || ids.empty() || motivo.trimmed().isEmpty()) {
        c.errores << "Uso: candora-admin " << kUsoSuprimir << '\n';
        return 2;
    }
    c.abrir(Contexto::Uso::Escribir);
    UsuarioActual = usuario;
    return Suprimir(c, ids, motivo);
}

constexpr const char* kUsoRetencion =
    "retencion [--fijar AÑOS] [--suprimir [--motivo TEXTO]] [--usuario NOMBRE]";

// The applicants nobody changed within the office's time, as tab-separated lines
// (id, name, last change); erased with --suprimir. --fijar sets the time (0: none).
int retencion(Contexto& c, const QStringList& argumentos) {
    QStringList a = argumentos;
    bool ok = true;
    const QString fijar = TomarOpción(a, "--fijar", ok);
    const bool suprimir = a.removeAll(QStringLiteral("--suprimir")) > 0;
    QString motivo = TomarOpción(a, "--motivo", ok);
    const QString usuario = TomarUsuario(a, ok);
    int años = -1;
    if (ok && !fijar.isEmpty()) años = fijar.toInt(&ok);
    if (!ok || !a.isEmpty() || (!fijar.isEmpty() && años < 0)) {
        c.errores << "Uso: candora-admin " << kUsoRetencion << '\n';
        return 2;
    }
    c.abrir(años >= 0 || suprimir ? Contexto::Uso::Escribir : Contexto::Uso::Leer);
    UsuarioActual = usuario;
    if (años >= 0) FijarAñosConservación(*dic, años);
    años = AñosConservación(*dic);
    if (años == 0) {
        c.errores << "No hay plazo de conservación: se conservan todos los postulantes. Fíjelo "
                     "con «candora-admin retencion --fijar AÑOS» o en Módulos › Conservación de "
                     "datos personales.\n";
        return fijar.isEmpty() ? 1 : 0;
    }
    const auto vencidos = PostulantesVencidos(*dic, años);
    c.errores << "Conservar postulantes sin cambios durante " << años
              << (años == 1 ? " año" : " años") << ": " << vencidos.size()
              << (vencidos.size() == 1 ? " vencido" : " vencidos") << ".\n";
    if (!suprimir) {
        for (const PostulanteASuprimir& p : vencidos)
            c.salida << p.id << '\t' << p.nombre << '\t' << FormatearFechaHora(p.actualizado)
                     << '\n';
        return 0;
    }
    if (vencidos.empty()) return 0;
    if (motivo.trimmed().isEmpty()) motivo = MotivoVencimiento(años);
    std::vector<int32_t> ids;
    for (const PostulanteASuprimir& p : vencidos) ids.push_back(p.id);
    return Suprimir(c, ids, motivo);
}

}  // namespace

void ComandosPrivacidad(std::vector<Comando>& comandos) {
    comandos.push_back({"auditoria", kUsoAuditoria, auditoria});
    comandos.push_back({"informe", kUsoInforme, informe});
    comandos.push_back({"suprimir", kUsoSuprimir, suprimir});
    comandos.push_back({"retencion", kUsoRetencion, retencion});
}

#include "privacy/Supresion.h"

#include "duplicates/Duplicados.h"
#include "duplicates/Reglas.h"
#include "privacy/Auditoria.h"
#include "records/cPostulante.h"
#include "store/Ajustes.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Palabras.h"
#include "store/Valores.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QSet>

namespace {

const QString kClaveHuellas = QStringLiteral("clave_huellas");
// What a photo file is named, as the card takes them.
const QStringList kExtensionesFoto{
    QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("bmp"),
    QStringLiteral("gif"), QStringLiteral("tif"), QStringLiteral("tiff")};

// The store's key for the documents' hashes: made at the first erasure, so that
// a listing of the log taken elsewhere cannot be matched against every number.
QByteArray ClaveHuellas(Diccionario& d, bool crear) {
    QString clave = Ajuste(d, kClaveHuellas);
    if (clave.isEmpty() && crear) {
        QByteArray azar(32, Qt::Uninitialized);
        QRandomGenerator::system()->generate(azar.begin(), azar.end());
        clave = AjusteFijado(d, kClaveHuellas, QString::fromLatin1(azar.toHex()));
    }
    return QByteArray::fromHex(clave.toLatin1());
}

QString Huella(const QByteArray& clave, const QString& número) {
    const QString c = ClaveDocumento(número);
    if (c.isEmpty() || clave.isEmpty()) return {};
    return QString::fromLatin1(
        QMessageAuthenticationCode::hash(c.toUtf8(), clave, QCryptographicHash::Sha256).toHex());
}

// Turns the store's secure deletion on for the life of the object.
class BorradoSeguro {
  public:
    explicit BorradoSeguro(Diccionario& d) : d_(d) { d_.BorradoSeguro(true); }
    ~BorradoSeguro() {
        try {
            d_.BorradoSeguro(false);
        } catch (const ErrorAlmacen&) {
            // Left on, it only makes later changes write more.
        }
    }
    BorradoSeguro(const BorradoSeguro&) = delete;
    BorradoSeguro& operator=(const BorradoSeguro&) = delete;

  private:
    Diccionario& d_;
};

// Takes one lot of applicants out of every table that holds them or rows about them.
void Borrar(Diccionario& d, const QVariantList& ids, const QString& marcas) {
    const auto borrar = [&](const QString& tabla, const QString& columna) {
        d.ejecutar(QStringLiteral("delete from %1 where %2 in (%3)").arg(tabla, columna, marcas),
                   ids);
    };
    borrar(QStringLiteral("nvx_m_postulantes"), QStringLiteral("id"));
    for (const QString& tabla : TablasDetalle()) borrar(tabla, QStringLiteral("postulante"));
    // Merges, pairs set aside, the log's entries and the workstation's saved results.
    borrar(QStringLiteral("candora_fusiones"), QStringLiteral("conservado"));
    borrar(QStringLiteral("candora_fusiones"), QStringLiteral("eliminado"));
    borrar(QStringLiteral("candora_no_duplicados"), QStringLiteral("a"));
    borrar(QStringLiteral("candora_no_duplicados"), QStringLiteral("b"));
    borrar(QStringLiteral("candora_auditoria"), QStringLiteral("postulante"));
    borrar(QStringLiteral("RESULTADO"), QStringLiteral("ID"));
}

}  // namespace

std::vector<PostulanteASuprimir> PostulantesASuprimir(Diccionario& d,
                                                      const std::vector<int32_t>& ids) {
    QHash<int32_t, PostulanteASuprimir> hallados;
    EnLotes(ids, [&](const QVariantList& valores, const QString& marcas) {
        for (PostulanteASuprimir& p :
             PostulantesDonde(d, QStringLiteral("p.id in (%1)").arg(marcas), valores))
            hallados.insert(p.id, std::move(p));
    });
    std::vector<PostulanteASuprimir> postulantes;
    for (const int32_t id : ids) {
        if (!hallados.contains(id))
            throw ErrorAlmacen(QStringLiteral("No se suprimió ningún postulante."),
                               QStringLiteral("El postulante número %1 no existe.").arg(id));
        postulantes.push_back(hallados.value(id));
    }
    return postulantes;
}

QString PreguntaSupresión(const std::vector<PostulanteASuprimir>& postulantes) {
    QString quién;
    if (postulantes.size() == 1) {
        quién = QStringLiteral("de %1").arg(postulantes.front().nombre);
    } else {
        QStringList nombres;
        for (size_t i = 0; i < postulantes.size() && i < 10; ++i)
            nombres << QStringLiteral("  %1").arg(postulantes[i].nombre);
        if (postulantes.size() > 10)
            nombres << QStringLiteral("  y %1 más").arg(postulantes.size() - 10);
        quién = QStringLiteral("de estos %1 postulantes:\n%2\n")
                    .arg(postulantes.size())
                    .arg(nombres.join(u'\n'));
    }
    return QStringLiteral(
               "Se suprimirán para siempre todos los datos %1: la ficha y sus listas, las fotos "
               "y los documentos, sus palabras clave, sus resultados de búsquedas y su "
               "historial. Queda sólo una entrada del registro de auditoría con el motivo, sin "
               "el nombre.\n\nNo se puede deshacer. Las copias de respaldo hechas antes conservan "
               "los datos hasta que se descarten.")
        .arg(quién);
}

Supresión SuprimirPostulantes(Diccionario& d, const std::vector<int32_t>& ids,
                              const QString& motivo,
                              const std::function<void(int, int)>& progreso) {
    const QString porqué = motivo.simplified();
    if (porqué.isEmpty())
        throw ErrorAlmacen(QStringLiteral("No se suprimió ningún postulante."),
                           QStringLiteral("Falta el motivo de la supresión (por ejemplo, «pedido "
                                          "del titular»): escríbalo y vuelva a suprimir."));
    std::vector<int32_t> únicos;
    QSet<int32_t> vistos;
    for (const int32_t id : ids)
        if (!vistos.contains(id)) {
            vistos.insert(id);
            únicos.push_back(id);
        }
    Supresión hecha;
    if (únicos.empty()) return hecha;

    QStringList fotos;
    {
        BorradoSeguro seguro(d);
        Transaccion t(d);
        PostulantesASuprimir(d, únicos);  // every one of them is there
        const QByteArray clave = ClaveHuellas(d, true);
        // A staged row of the same person would bring them back; staging is
        // empty but while an import runs.
        QStringList preparadas;
        for (const char* tabla :
             {"imp_postulantes", "imp_formacion", "imp_idiomas", "imp_experiencia"})
            if (d.valorÚnico(QStringLiteral("select 1 from %1 limit 1").arg(QLatin1String(tabla)))
                    .isValid())
                preparadas << QLatin1String(tabla);
        int hechos = 0;
        EnLotes(únicos, [&](const QVariantList& valores, const QString& marcas) {
            QHash<int32_t, QString> documentos;
            for (auto rs = d.AbrirRS(QStringLiteral("select id, dni_pais, dni_numero from "
                                                    "nvx_m_postulantes where id in (%1)")
                                         .arg(marcas),
                                     valores);
                 !rs->eof(); rs->MoveNext()) {
                documentos.insert(int32_t(rs->entero(0)), rs->texto(2));
                for (const QString& tabla : std::as_const(preparadas))
                    d.ejecutar(
                        QStringLiteral("delete from %1 where doc_pais = ? and doc_numero = ?")
                            .arg(tabla),
                        {rs->valor(1), rs->valor(2)});
            }
            for (auto rs = d.AbrirRS(
                     QStringLiteral("select foto from nvx_d_fotos where postulante in (%1)")
                         .arg(marcas),
                     valores);
                 !rs->eof(); rs->MoveNext())
                fotos << rs->texto(0);
            Borrar(d, valores, marcas);
            std::vector<int32_t> lote;
            for (const QVariant& v : valores) lote.push_back(v.toInt());
            ActualizarPalabras(d, lote);
            ActualizarClaves(d, lote);
            for (const int32_t id : lote)
                AuditarSupresión(d, id, porqué, Huella(clave, documentos.value(id)));
            hechos += int(lote.size());
            if (progreso) progreso(hechos, int(únicos.size()));
        });
        d.Purgar();
        t.confirmar();
    }
    OlvidarLecturas(únicos);
    hecha.postulantes = int(únicos.size());
    // The photo files go once the rows are gone for good, unless another applicant
    // shows them: one pass over the photos for each few hundred files.
    fotos.removeDuplicates();
    fotos.removeAll(QString());
    for (qsizetype i = 0; i < fotos.size(); i += 500) {
        const QStringList lote = fotos.mid(i, 500);
        QVariantList valores(lote.begin(), lote.end());
        QSet<QString> usadas;
        for (auto rs = d.AbrirRS(QStringLiteral("select distinct foto from nvx_d_fotos where foto "
                                                "in (%1)")
                                     .arg(QStringList(lote.size(), QStringLiteral("?")).join(u',')),
                                 valores);
             !rs->eof(); rs->MoveNext())
            usadas.insert(rs->texto(0));
        for (const QString& foto : lote) {
            const QFileInfo f(foto);
            if (usadas.contains(foto) || !f.exists()) continue;
            // Only a picture goes: a path the store was given to anything else (a link,
            // a folder, someone's document) is left for the user to judge.
            if (!f.isFile() || f.isSymLink() ||
                !kExtensionesFoto.contains(f.suffix(), Qt::CaseInsensitive) || !QFile::remove(foto))
                hecha.fotosQueQuedan << foto;
        }
    }
    return hecha;
}

QString HuellaDocumento(Diccionario& d, const QString& número) {
    return Huella(ClaveHuellas(d, true), número);
}

namespace {

// The latest erasure of each of these hashes.
QHash<QString, EntradaAuditoria> SupresionesDe(Diccionario& d, const QStringList& huellas) {
    QHash<QString, EntradaAuditoria> halladas;
    if (huellas.isEmpty()) return halladas;
    for (EntradaAuditoria& e : EntradasDonde(
             d,
             QStringLiteral("huella in (%1)")
                 .arg(QStringList(huellas.size(), QStringLiteral("?")).join(u',')),
             QVariantList(huellas.begin(), huellas.end()), QStringLiteral("order by momento")))
        halladas.insert(e.huella, std::move(e));
    return halladas;
}

}  // namespace

std::optional<EntradaAuditoria> SupresiónDe(Diccionario& d, const QString& número) {
    const QString huella = Huella(ClaveHuellas(d, false), número);
    if (huella.isEmpty()) return std::nullopt;
    const auto halladas = SupresionesDe(d, {huella});
    if (halladas.isEmpty()) return std::nullopt;
    return halladas.value(huella);
}

std::vector<Reaparecido> Reaparecidos(Diccionario& d, const std::vector<int32_t>& postulantes) {
    std::vector<Reaparecido> hallados;
    // No key, no erasure yet: nothing to look for.
    const QByteArray clave = ClaveHuellas(d, false);
    if (clave.isEmpty()) return hallados;
    EnLotes(postulantes, [&](const QVariantList& valores, const QString& marcas) {
        QHash<int32_t, QString> huellas;
        for (auto rs = d.AbrirRS(
                 QStringLiteral("select id, dni_numero from nvx_m_postulantes where id in (%1)")
                     .arg(marcas),
                 valores);
             !rs->eof(); rs->MoveNext())
            if (const QString h = Huella(clave, rs->texto(1)); !h.isEmpty())
                huellas.insert(int32_t(rs->entero(0)), h);
        const auto supresiones = SupresionesDe(d, huellas.values());
        for (const QVariant& v : valores)
            if (const auto s = supresiones.constFind(huellas.value(v.toInt()));
                s != supresiones.cend())
                hallados.push_back({PostulantesASuprimir(d, {v.toInt()}).front(), *s});
    });
    return hallados;
}

QString AvisoReaparecido(const EntradaAuditoria& s) {
    return QStringLiteral(
               "Los datos de una persona con este documento se suprimieron el %1 "
               "(%2). Antes de volver a cargarlos, asegúrese de que la persona está "
               "de acuerdo.")
        .arg(FormatearFechaHora(s.momento), s.detalle);
}

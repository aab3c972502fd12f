// PDF text through poppler's C++ interface.
#include "documents/Internos.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <climits>
#include <memory>
#include <mutex>

namespace documentos {

namespace {

// Poppler reports every syntax problem of a damaged file on stderr; the state says enough.
void Callar(const std::string&, void*) {}

}  // namespace

Resultado LeerPdf(const QByteArray& contenido, const LímitesExtracción& límites,
                  const QDeadlineTimer& plazo) {
    static std::once_flag silencio;
    std::call_once(silencio, [] { poppler::set_debug_error_function(Callar, nullptr); });

    if (contenido.size() > INT_MAX) return Falla(EstadoTexto::Excedido, kTamaño);
    std::unique_ptr<poppler::document> doc(
        poppler::document::load_from_raw_data(contenido.constData(), int(contenido.size())));
    if (!doc) return Falla(EstadoTexto::Dañado, kDañado);
    if (doc->is_locked()) return Falla(EstadoTexto::Cifrado, kCifrado);

    Resultado r;
    const int páginas = doc->pages();
    for (int i = 0; i < páginas; ++i) {
        if (i > 0 && plazo.hasExpired()) {
            r.estado = EstadoTexto::Excedido;
            r.motivo = kTiempo;
            break;
        }
        if (límites.máximoCaracteres >= 0 && r.texto.size() >= límites.máximoCaracteres) break;
        std::unique_ptr<poppler::page> página(doc->create_page(i));
        if (!página) continue;
        const poppler::byte_array utf8 = página->text().to_utf8();
        QString texto = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
        while (!texto.isEmpty() && texto.back().isSpace()) texto.chop(1);
        if (texto.isEmpty()) continue;
        if (!r.texto.isEmpty()) r.texto += QStringLiteral("\n\n");  // one blank line between pages
        r.texto += texto;
    }
    return r;
}

}  // namespace documentos

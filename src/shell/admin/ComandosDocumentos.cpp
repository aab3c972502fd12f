#include "documents/Documentos.h"
#include "shell/admin/Comandos.h"
#include "store/Diccionario.h"
#include "store/Valores.h"

#include <QFile>
#include <QSaveFile>

namespace {

const char* kUso =
    "documento agregar ID ARCHIVO... | documento listar ID | documento extraer DOC_ID "
    "[--salida ARCHIVO] | documento texto DOC_ID | documento quitar DOC_ID";

int uso(Contexto& c) {
    c.errores << "Uso: candora-admin " << kUso << '\n';
    return 2;
}

int documento(Contexto& c, const QStringList& argumentos) {
    QStringList a = argumentos;
    bool ok = true;
    const QString salida = TomarOpción(a, "--salida", ok);
    if (!ok || a.size() < 2) return uso(c);
    const QString verbo = a.takeFirst();
    const int32_t id = a.takeFirst().toInt(&ok);
    if (!ok || id <= 0) return uso(c);
    if (!salida.isEmpty() && verbo != QLatin1String("extraer")) return uso(c);

    if (verbo == QLatin1String("agregar")) {
        if (a.isEmpty()) return uso(c);
        c.abrir(Contexto::Uso::Escribir);
        int fallas = 0;
        for (const QString& archivo : a) {
            QFile f(archivo);
            if (!f.open(QIODevice::ReadOnly)) {
                c.errores << "No se puede leer «" << archivo << "».\n";
                ++fallas;
                continue;
            }
            if (f.size() > MáximoDocumento()) {  // refused before it is read whole
                c.errores << "«" << archivo << "» ocupa " << TextoTamaño(f.size())
                          << " y el máximo es " << TextoTamaño(MáximoDocumento()) << ".\n";
                ++fallas;
                continue;
            }
            bool yaEstaba = false;
            const int32_t doc =
                AgregarDocumento(*dic, id, archivo, f.readAll(), UsuarioActual, &yaEstaba);
            const Documento x = DocumentoGuardado(*dic, doc);
            c.salida << doc << '\t' << x.nombre << '\t' << NombreTipo(x.tipo) << '\t'
                     << TextoTamaño(x.tamaño) << (yaEstaba ? "\tya estaba guardado" : "")
                     << (x.estado == EstadoTexto::Extraído ? "" : "\tsin texto extraíble") << '\n';
        }
        return fallas == 0 ? 0 : 1;
    }
    if (!a.isEmpty()) return uso(c);
    if (verbo == QLatin1String("listar")) {
        c.abrir();
        for (const Documento& x : DocumentosDe(*dic, id))
            c.salida << x.id << '\t' << x.nombre << '\t' << NombreTipo(x.tipo) << '\t'
                     << TextoTamaño(x.tamaño) << '\t' << FormatearFechaHora(x.agregado) << '\t'
                     << x.usuario << '\n';
        return 0;
    }
    if (verbo == QLatin1String("extraer")) {
        c.abrir();
        const QByteArray contenido = ContenidoDocumento(*dic, id);
        if (salida.isEmpty()) {
            c.salida.flush();
            QFile f;
            if (!f.open(stdout, QIODevice::WriteOnly) || f.write(contenido) != contenido.size() ||
                !f.flush()) {
                c.errores << "No se pudo escribir el documento en la salida.\n";
                return 1;
            }
            return 0;
        }
        QSaveFile f(salida);  // replaced only once complete
        if (!f.open(QIODevice::WriteOnly) || f.write(contenido) != contenido.size() ||
            !f.commit()) {
            c.errores << "No se pudo escribir «" << salida << "».\n";
            return 1;
        }
        return 0;
    }
    if (verbo == QLatin1String("texto")) {
        c.abrir();
        const QString texto = TextoGuardado(*dic, id);
        c.salida << texto << (texto.endsWith(u'\n') ? "" : "\n");
        return 0;
    }
    if (verbo == QLatin1String("quitar")) {
        c.abrir(Contexto::Uso::Escribir);
        QuitarDocumento(*dic, id);
        return 0;
    }
    return uso(c);
}

}  // namespace

void ComandosDocumentos(std::vector<Comando>& comandos) {
    comandos.push_back({"documento", kUso, documento});
}
